// Pointer input on the board image: the click that drives the selection
// state machine (taken when the button comes up) and the pointer moves that
// drive the highlight, the tile preview and the editor's place cursor.
#include "game/engine.h"

namespace game {

void Engine::OnPointerReleased(MouseButton button, int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  CursorFollowsPointer(BoardGeometry().OverGrid(x, y) ? BoardGeometry().TileAt(game_.Board.Board, x, y) : 0);
  // Clicks wait while a turned Memory pair is on show, and count only in a
  // running game or the editor.
  if (game_.Reveal.Countdown > 0) return;
  if (game_.Phase != GamePhase::Running || game_.Kind == GameKind::None) return;
  if (button == MouseButton::Right && !game_.Running(GameKind::Editor)) {
    // A right click lets go of the selection and the hint.
    game_.Picks.HintFirst = game_.Picks.HintSecond = 0;
    game_.Picks.First = game_.Picks.Second = 0;
    FullRedraw();
    screen_.RedrawHallPanel();
    return;
  }
  ClickTileAt(x, y, button);
}

// The kind in play decides what the click does; outside a running game the
// board answers by the one-player rules.
void Engine::ClickTileAt(int x, int y, MouseButton button) {
  panelRefreshPending_ = false;
  const board::Geometry geometry = BoardGeometry();
  BoardClick click;
  click.Button = button;
  click.OverGrid = geometry.OverGrid(x, y);
  click.Tile = geometry.TileAt(game_.Board.Board, x, y);
  click.Grid = geometry.ToGrid(x, y);
  Rules().Click(*this, click);
}

board::Cell Engine::EditorCursorAt(int x, int y) const {
  const board::Cell none{-1, -1, -1};
  const board::Geometry geometry = BoardGeometry();
  if (!geometry.OverGrid(x, y)) return none;
  const board::Cell cell = geometry.PlaceToAddAt(game_.Board.Board, x, y);
  if (cell.z == 0) return none;
  return board::Cell{cell.x - 1, cell.y - 1, cell.z - 1};
}

void Engine::FollowPointerInEditor() {
  // A place cursor the keys moved stays where they put it.
  if (!game_.Running(GameKind::Editor) || cursor_.Shown) return;
  editorCursor_ = pointerX_ < 0 ? board::Cell{-1, -1, -1} : EditorCursorAt(pointerX_, pointerY_);
}

void Engine::OnPointerMoved(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  // The keyboard cursor follows the pointer, hidden until a key moves it.
  CursorFollowsPointer(BoardGeometry().OverGrid(x, y) ? BoardGeometry().TileAt(game_.Board.Board, x, y) : 0);
  const bool editor = game_.Running(GameKind::Editor);
  if (highlightMode_ == 0 && !editor) return;
  if (game_.Phase == GamePhase::Idle || game_.Phase == GamePhase::Finished || game_.Phase == GamePhase::Paused) return;
  const board::Geometry geometry = BoardGeometry();
  const bool overGrid = geometry.OverGrid(x, y);

  if (editor) {
    if (!overGrid) return;
    // The place cursor follows the highest cell where a place could be added.
    const board::Cell old = editorCursor_;
    const bool hadCursor = old.x >= 0;
    const board::Cell cell = geometry.PlaceToAddAt(game_.Board.Board, x, y);
    if (cell.z == 0) {
      if (hadCursor) {
        editorCursor_ = board::Cell{-1, -1, -1};
        RedrawArea(board::Cell{old.x + 1, old.y + 1, old.z + 1});
      }
      return;
    }
    const board::Cell cursor{cell.x - 1, cell.y - 1, cell.z - 1};
    if (hadCursor && cursor == old) return;
    editorCursor_ = board::Cell{-1, -1, -1};
    if (hadCursor) RedrawArea(board::Cell{old.x + 1, old.y + 1, old.z + 1});
    editorCursor_ = cursor;
    RedrawArea(cell);
    return;
  }

  previousPointedTile_ = pointedTile_;
  if (!overGrid) return;
  const int t = geometry.TileAt(game_.Board.Board, x, y);
  const bool passed = t > 0 && (!options_.OnlyPossibleMoves || game_.Running(GameKind::Memory) || TileFree(t));
  if (passed) {
    pointedTile_ = t;
    if (options_.ShowCurrentTile && !game_.Running(GameKind::TwoPlayer) && !game_.Running(GameKind::Memory)) {
      // Only a tile with nothing on it is shown; a covered one blanks the box.
      const board::Cell c = game_.Board.TilePlaces[t];
      const bool uncovered = c.z == board::MaxZ || game_.Board.Board.At(c.x, c.y, c.z + 1) == 0;
      screen_.ShowCurrentTile(uncovered ? t : 0);
    }
    if (previousPointedTile_ == pointedTile_) return;
    if (previousPointedTile_ != 0) {
      const int old = hoverTile_;
      hoverTile_ = 0;
      RedrawTile(old);
    }
    hoverTile_ = static_cast<std::uint8_t>(pointedTile_);
    RedrawTile(hoverTile_);
  } else {
    if (!game_.Running(GameKind::TwoPlayer) && options_.ShowCurrentTile) screen_.ShowCurrentTile(0);
    if (hoverTile_ != 0) {
      const int old = hoverTile_;
      hoverTile_ = 0;
      RedrawTile(old);
    }
    pointedTile_ = 0;
    previousPointedTile_ = 0;
  }
}

}  // namespace game
