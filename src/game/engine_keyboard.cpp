// The keyboard on the board: a cursor over the tiles that the arrows, Tab,
// Home and End move, Space or Enter to do what a left click on its tile
// does, Escape to let go of the selection; in the layout editor the place
// cursor, moved by the arrows and Page Up and Down. The pointer and the keys
// share the one selection: a key press clicks through the same pointer
// handling, and the cursor follows the pointer, hidden, while the mouse is
// used.
#include "game/engine.h"
#include "game/tile_names.h"

namespace game {
namespace {

bool IsTileGame(std::uint8_t mode) { return mode >= ModeSolitaire && mode <= ModeMemory; }

CursorDirection DirectionOf(BoardKey key) {
  switch (key) {
    case BoardKey::Left:
      return CursorDirection::Left;
    case BoardKey::Right:
      return CursorDirection::Right;
    case BoardKey::Up:
      return CursorDirection::Up;
    default:
      return CursorDirection::Down;
  }
}

}  // namespace

TileCursorMap Engine::CursorMap() const {
  // Rivers and Memory have no free rule; Memory's turned tiles are passed over.
  FreeRule rule = FreeRule::Every;
  std::array<int, 2> skipped{};
  if (GameMode == ModeSolitaire || GameMode == ModeTwoPlayer) rule = Opt.Vertical ? FreeRule::Vertical : FreeRule::Normal;
  if (GameMode == ModeMemory) skipped = {SelectedTile1, SelectedTile2};
  return TileCursorMap(State, rule, skipped);
}

int Engine::CursorTileShown() const {
  if (!Cursor.Shown || !IsTileGame(GameMode) || Cursor.Tile < 1 || Cursor.Tile > board::MaxTiles) return 0;
  const board::Cell c = State.TilePlaces[Cursor.Tile];
  return c.OnBoard() && c == Cursor.Place ? Cursor.Tile : 0;
}

void Engine::PutCursor(int tile, bool shown) {
  const int before = CursorTileShown();
  Cursor.Tile = tile;
  if (tile != 0) Cursor.Place = State.TilePlaces[tile];
  Cursor.Shown = shown;
  const int after = CursorTileShown();
  if (before == after) return;
  if (before != 0) RedrawTile(before);
  if (after != 0) RedrawTile(after);
}

void Engine::CursorFollowsPointer(int tile) {
  if (!IsTileGame(GameMode)) {
    Cursor.Shown = false;
    return;
  }
  PutCursor(tile != 0 ? tile : Cursor.Tile, false);
}

bool Engine::OnBoardKey(BoardKey key) {
  if (GameMode == ModeEditor) return EditorKeyPressed(key);
  if (!IsTileGame(GameMode)) return false;

  if (key == BoardKey::Escape) {
    // What a right click does: the selection and the hint let go (not while
    // a turned Memory pair waits for its judgement).
    const bool anything = SelectedTile1 != 0 || SelectedTile2 != 0 || HintTile1 != 0 || HintTile2 != 0;
    if (!anything || RevealCountdown > 0) return false;
    HintTile1 = HintTile2 = 0;
    SelectedTile1 = SelectedTile2 = 0;
    FullRedraw();
    screen_.RedrawHallPanel();
    return true;
  }
  if (key == BoardKey::LayerUp || key == BoardKey::LayerDown || key == BoardKey::Delete) return false;

  const TileCursorMap map = CursorMap();
  const bool placed = Cursor.Tile != 0 && Cursor.Place.OnBoard();
  const bool onTile = placed && State.TilePlaces[Cursor.Tile] == Cursor.Place;
  // Where the cursor is when a key finds nothing to move to: on its tile,
  // or, when that left the board, on the nearest one.
  const int stay = onTile ? Cursor.Tile : placed ? map.Closest(Cursor.Place) : map.First();

  int target = KeyTarget(map, placed ? Cursor.Place : board::Cell{}, key);
  if (key == BoardKey::Activate && Cursor.Shown && onTile) {
    // A turned Memory tile is not in the map: clicking it again does nothing.
    if (!map.Reachable(Cursor.Tile)) return true;
    const int tile = Cursor.Tile;
    const board::Cell place = Cursor.Place;
    const board::PixelPoint aim = map.Aim(tile);
    const board::Geometry geometry = BoardGeometry();
    const int x = geometry.Scaled(geometry.Origin().OriginX + aim.x);
    const int y = geometry.Scaled(geometry.Origin().OriginY + aim.y);
    // The click goes where the tile shows; the pointer stays where it was.
    const int pointerX = PointerX, pointerY = PointerY;
    OnPointerReleased(MouseButton::Left, x, y);
    PointerX = pointerX;
    PointerY = pointerY;
    // The click hid the cursor, as the pointer's do: it shows again, or,
    // when the pair left the board, goes on to the nearest tile.
    if (State.TilePlaces[tile] == place) {
      PutCursor(tile, true);
    } else {
      Cursor.Tile = 0;
      PutCursor(CursorMap().Closest(place), true);
    }
    return true;
  }
  // Activate on a hidden cursor first shows where it is.
  if (target == 0) target = stay;
  if (target == 0) return false;

  // The pointer's highlight gives way to the cursor until the pointer moves.
  if (HoverTile != 0) {
    const int old = HoverTile;
    HoverTile = 0;
    RedrawTile(old);
  }
  PointedTile = PreviousPointedTile = 0;
  PutCursor(target, true);
  if (Opt.ShowCurrentTile && GameMode != ModeTwoPlayer && GameMode != ModeMemory) {
    const board::Cell c = State.TilePlaces[target];
    const bool uncovered = c.z == board::MaxZ || State.Board.At(c.x, c.y, c.z + 1) == 0;
    screen_.ShowCurrentTile(uncovered ? target : 0);
  }
  return true;
}

std::string Engine::CursorDescription() const {
  if (GameMode == ModeEditor) {
    if (EditorCursor.x < 0) return {};
    const board::Cell cell{EditorCursor.x + 1, EditorCursor.y + 1, EditorCursor.z + 1};
    return PlaceDescription(cell, State.Board.At(cell.x, cell.y, cell.z) != 0);
  }
  const int tile = CursorTileShown();
  if (tile == 0) return {};
  TileMarks marks;
  const bool selected = tile == SelectedTile1 || tile == SelectedTile2;
  marks.FaceDown = GameMode == ModeMemory && !selected;
  marks.RuleApplies = GameMode == ModeSolitaire || GameMode == ModeTwoPlayer;
  marks.Free = TileFree(tile);
  marks.Selected = selected && GameMode != ModeMemory;
  marks.Hinted = tile == HintTile1 || tile == HintTile2;
  return TileDescription(tile, marks);
}

bool Engine::EditorKeyPressed(BoardKey key) {
  const bool had = EditorCursor.x >= 0;
  const board::Cell cursor =
      had ? board::Cell{EditorCursor.x + 1, EditorCursor.y + 1, EditorCursor.z + 1} : PlaceCursorStart;
  board::Cell next = cursor;
  switch (key) {
    case BoardKey::Left:
    case BoardKey::Right:
    case BoardKey::Up:
    case BoardKey::Down:
      if (had) next = MovePlaceCursor(cursor, DirectionOf(key));
      break;
    case BoardKey::LayerUp:
      if (had) next = ChangePlaceLayer(cursor, 1);
      break;
    case BoardKey::LayerDown:
      if (had) next = ChangePlaceLayer(cursor, -1);
      break;
    case BoardKey::Activate:
    case BoardKey::Delete:
      // On a cursor the player has seen; else the key first shows it.
      if (had && Cursor.Shown) {
        if (EditorKey) EditorKey(key, cursor);
        return true;
      }
      break;
    default:
      return false;
  }
  Cursor.Shown = true;
  if (had && next == cursor) return true;
  EditorCursor = board::Cell{-1, -1, -1};
  if (had) RedrawArea(cursor);
  EditorCursor = board::Cell{next.x - 1, next.y - 1, next.z - 1};
  RedrawArea(next);
  return true;
}

}  // namespace game
