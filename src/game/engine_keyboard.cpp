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
  if (game_.SolitaireRunning()) rule = options_.Vertical ? FreeRule::Vertical : FreeRule::Normal;
  if (game_.Running(GameKind::Memory)) skipped = {game_.Picks.First, game_.Picks.Second};
  return TileCursorMap(game_.Board, rule, skipped);
}

int Engine::CursorTileShown() const {
  if (!cursor_.Shown || !game_.Playing() || cursor_.Tile < 1 || cursor_.Tile > board::MaxTiles) return 0;
  const board::Cell c = game_.Board.TilePlaces[cursor_.Tile];
  return c.OnBoard() && c == cursor_.Place ? cursor_.Tile : 0;
}

void Engine::PutCursor(int tile, bool shown) {
  const int before = CursorTileShown();
  cursor_.Tile = tile;
  if (tile != 0) cursor_.Place = game_.Board.TilePlaces[tile];
  cursor_.Shown = shown;
  const int after = CursorTileShown();
  if (before == after) return;
  if (before != 0) RedrawTile(before);
  if (after != 0) RedrawTile(after);
}

void Engine::CursorFollowsPointer(int tile) {
  if (!game_.Playing()) {
    cursor_.Shown = false;
    return;
  }
  PutCursor(tile != 0 ? tile : cursor_.Tile, false);
}

bool Engine::OnBoardKey(BoardKey key) {
  if (game_.Running(GameKind::Editor)) return EditorKeyPressed(key);
  if (!game_.Playing()) return false;

  if (key == BoardKey::Escape) {
    // What a right click does: the selection and the hint let go (not while
    // a turned Memory pair waits for its judgement).
    const bool anything = game_.Picks.First != 0 || game_.Picks.Second != 0 || game_.Picks.HintFirst != 0 || game_.Picks.HintSecond != 0;
    if (!anything || game_.Reveal.Countdown > 0) return false;
    game_.Picks.HintFirst = game_.Picks.HintSecond = 0;
    game_.Picks.First = game_.Picks.Second = 0;
    FullRedraw();
    screen_.RedrawHallPanel();
    return true;
  }
  if (key == BoardKey::LayerUp || key == BoardKey::LayerDown || key == BoardKey::Delete) return false;

  const TileCursorMap map = CursorMap();
  const bool placed = cursor_.Tile != 0 && cursor_.Place.OnBoard();
  const bool onTile = placed && game_.Board.TilePlaces[cursor_.Tile] == cursor_.Place;
  // Where the cursor is when a key finds nothing to move to: on its tile,
  // or, when that left the board, on the nearest one.
  const int stay = onTile ? cursor_.Tile : placed ? map.Closest(cursor_.Place) : map.First();

  int target = KeyTarget(map, placed ? cursor_.Place : board::Cell{}, key);
  if (key == BoardKey::Activate && cursor_.Shown && onTile) {
    // A turned Memory tile is not in the map: clicking it again does nothing.
    if (!map.Reachable(cursor_.Tile)) return true;
    const int tile = cursor_.Tile;
    const board::Cell place = cursor_.Place;
    const board::PixelPoint aim = map.Aim(tile);
    const board::Geometry geometry = BoardGeometry();
    const int x = geometry.Scaled(geometry.Origin().OriginX + aim.x);
    const int y = geometry.Scaled(geometry.Origin().OriginY + aim.y);
    // The click goes where the tile shows; the pointer stays where it was.
    const int pointerX = pointerX_, pointerY = pointerY_;
    OnPointerReleased(MouseButton::Left, x, y);
    pointerX_ = pointerX;
    pointerY_ = pointerY;
    // The click hid the cursor, as the pointer's do: it shows again, or,
    // when the pair left the board, goes on to the nearest tile.
    if (game_.Board.TilePlaces[tile] == place) {
      PutCursor(tile, true);
    } else {
      cursor_.Tile = 0;
      PutCursor(CursorMap().Closest(place), true);
    }
    return true;
  }
  // Activate on a hidden cursor first shows where it is.
  if (target == 0) target = stay;
  if (target == 0) return false;

  // The pointer's highlight gives way to the cursor until the pointer moves.
  if (hoverTile_ != 0) {
    const int old = hoverTile_;
    hoverTile_ = 0;
    RedrawTile(old);
  }
  pointedTile_ = previousPointedTile_ = 0;
  PutCursor(target, true);
  if (options_.ShowCurrentTile && !game_.Running(GameKind::TwoPlayer) && !game_.Running(GameKind::Memory)) {
    const board::Cell c = game_.Board.TilePlaces[target];
    const bool uncovered = c.z == board::MaxZ || game_.Board.Board.At(c.x, c.y, c.z + 1) == 0;
    screen_.ShowCurrentTile(uncovered ? target : 0);
  }
  return true;
}

std::string Engine::CursorDescription() const {
  if (game_.Running(GameKind::Editor)) {
    if (editorCursor_.x < 0) return {};
    const board::Cell cell{editorCursor_.x + 1, editorCursor_.y + 1, editorCursor_.z + 1};
    return PlaceDescription(cell, game_.Board.Board.At(cell.x, cell.y, cell.z) != 0);
  }
  const int tile = CursorTileShown();
  if (tile == 0) return {};
  TileMarks marks;
  const bool selected = tile == game_.Picks.First || tile == game_.Picks.Second;
  marks.FaceDown = game_.Running(GameKind::Memory) && !selected;
  marks.RuleApplies = game_.SolitaireRunning();
  marks.Free = TileFree(tile);
  marks.Selected = selected && !game_.Running(GameKind::Memory);
  marks.Hinted = tile == game_.Picks.HintFirst || tile == game_.Picks.HintSecond;
  return TileDescription(tile, marks);
}

bool Engine::EditorKeyPressed(BoardKey key) {
  const bool had = editorCursor_.x >= 0;
  const board::Cell cursor =
      had ? board::Cell{editorCursor_.x + 1, editorCursor_.y + 1, editorCursor_.z + 1} : PlaceCursorStart;
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
      if (had && cursor_.Shown) {
        if (editorKey_) editorKey_(key, cursor);
        return true;
      }
      break;
    default:
      return false;
  }
  cursor_.Shown = true;
  if (had && next == cursor) return true;
  editorCursor_ = board::Cell{-1, -1, -1};
  if (had) RedrawArea(cursor);
  editorCursor_ = board::Cell{next.x - 1, next.y - 1, next.z - 1};
  RedrawArea(next);
  return true;
}

}  // namespace game
