// Pointer input on the board image: the click that drives the selection
// state machine (taken when the button comes up) and the pointer moves that
// drive the highlight, the tile preview and the editor's place cursor.
#include "game/engine.h"

namespace game {

void Engine::OnPointerReleased(MouseButton button, int x, int y) {
  PointerX = x;
  PointerY = y;
  // Clicks wait while a turned Memory pair is on show, and count only in a
  // running game or the editor.
  if (RevealCountdown > 0) return;
  if (GameMode < ModeSolitaire || GameMode > ModeEditor) return;
  if (button == MouseButton::Right && GameMode != ModeEditor) {
    // A right click lets go of the selection and the hint.
    HintTile1 = HintTile2 = 0;
    SelectedTile1 = SelectedTile2 = 0;
    FullRedraw();
    screen_.RedrawHallPanel();
    return;
  }
  ClickTileAt(x, y, button);
}

void Engine::ClickTileAt(int x, int y, MouseButton button) {
  PanelRefreshPending = false;
  const board::Geometry geometry = BoardGeometry();
  const bool overGrid = geometry.OverGrid(x, y);
  const int t = geometry.TileAt(State.Board, x, y);

  if (overGrid && t > 0 && GameMode != ModeEditor) {
    if (SelectedTile1 == 0) {
      SelectedTile1 = static_cast<std::uint8_t>(t);
      if (GameMode == ModeMemory) {
        AcknowledgeTile(t);  // turned face up
      } else if (TileFree(t)) {
        AcknowledgeTile(t);
      } else {
        SelectedTile1 = 0;
        PlaySound("noway");
      }
    } else {
      const std::uint8_t oldSecond = SelectedTile2;
      SelectedTile2 = static_cast<std::uint8_t>(t);
      if (GameMode == ModeMemory) {
        // The turned tile clicked again does nothing; another tile is turned
        // and the pair stays on show until the timer judges it.
        if (t != SelectedTile1) {
          AcknowledgeTile(t);
          RevealCountdown = RevealTicks;
        }
        return;
      }
      if (!TileFree(t)) {
        SelectedTile2 = oldSecond;
        PlaySound("noway");
      } else {
        ReleaseSameTileClickedTwice();
      }
    }
  }

  if (GameMode == ModeEditor && overGrid) {
    const board::PixelPoint p = geometry.ToGrid(x, y);
    if (EditorClick) EditorClick(button, p.x, p.y, t);
    return;
  }

  if (GameMode == ModeMemory || SelectedTile1 == 0 || SelectedTile2 == 0) return;
  const int s = SelectedTile1;
  const int second = SelectedTile2;
  if (board::Group(s) != board::Group(second)) {
    // Not a pair: the second tile becomes the selection.
    SelectedTile1 = static_cast<std::uint8_t>(second);
    SelectedTile2 = 0;
    RedrawTile(s);
    PlaySound("select");
  } else if (GameMode == ModeRivers) {
    RiversPairResolution(s, second);
  } else {
    RemoveSelectedPair();
  }
}

board::Cell Engine::EditorCursorAt(int x, int y) const {
  const board::Cell none{-1, -1, -1};
  const board::Geometry geometry = BoardGeometry();
  if (!geometry.OverGrid(x, y)) return none;
  const board::Cell cell = geometry.PlaceToAddAt(State.Board, x, y);
  if (cell.z == 0) return none;
  return board::Cell{cell.x - 1, cell.y - 1, cell.z - 1};
}

void Engine::FollowPointerInEditor() {
  if (GameMode != ModeEditor) return;
  EditorCursor = PointerX < 0 ? board::Cell{-1, -1, -1} : EditorCursorAt(PointerX, PointerY);
}

void Engine::OnPointerMoved(int x, int y) {
  PointerX = x;
  PointerY = y;
  if (HighlightMode == 0 && GameMode != ModeEditor) return;
  if (GameMode == ModeIdle || GameMode == ModeFinished || GameMode == ModePaused) return;
  const board::Geometry geometry = BoardGeometry();
  const bool overGrid = geometry.OverGrid(x, y);

  if (GameMode == ModeEditor) {
    if (!overGrid) return;
    // The place cursor follows the highest cell where a place could be added.
    const board::Cell old = EditorCursor;
    const bool hadCursor = old.x >= 0;
    const board::Cell cell = geometry.PlaceToAddAt(State.Board, x, y);
    if (cell.z == 0) {
      if (hadCursor) {
        EditorCursor = board::Cell{-1, -1, -1};
        RedrawArea(board::Cell{old.x + 1, old.y + 1, old.z + 1});
      }
      return;
    }
    const board::Cell cursor{cell.x - 1, cell.y - 1, cell.z - 1};
    if (hadCursor && cursor == old) return;
    EditorCursor = board::Cell{-1, -1, -1};
    if (hadCursor) RedrawArea(board::Cell{old.x + 1, old.y + 1, old.z + 1});
    EditorCursor = cursor;
    RedrawArea(cell);
    return;
  }

  PreviousPointedTile = PointedTile;
  if (!overGrid) return;
  const int t = geometry.TileAt(State.Board, x, y);
  const bool passed = t > 0 && (!Opt.OnlyPossibleMoves || GameMode == ModeMemory || TileFree(t));
  if (passed) {
    PointedTile = t;
    if (Opt.ShowCurrentTile && GameMode != ModeTwoPlayer && GameMode != ModeMemory) {
      // Only a tile with nothing on it is shown; a covered one blanks the box.
      const board::Cell c = State.TilePlaces[t];
      const bool uncovered = c.z == board::MaxZ || State.Board.At(c.x, c.y, c.z + 1) == 0;
      screen_.ShowCurrentTile(uncovered ? t : 0);
    }
    if (PreviousPointedTile == PointedTile) return;
    if (PreviousPointedTile != 0) {
      const int old = HoverTile;
      HoverTile = 0;
      RedrawTile(old);
    }
    HoverTile = static_cast<std::uint8_t>(PointedTile);
    RedrawTile(HoverTile);
  } else {
    if (GameMode != ModeTwoPlayer && Opt.ShowCurrentTile) screen_.ShowCurrentTile(0);
    if (HoverTile != 0) {
      const int old = HoverTile;
      HoverTile = 0;
      RedrawTile(old);
    }
    PointedTile = 0;
    PreviousPointedTile = 0;
  }
}

}  // namespace game
