#pragma once
// What the board painter needs to know of the game: the board, the marks and
// the drawing options. A plain snapshot, so the painter never depends on the
// engine; SceneOf (scene_of.h) fills it from the engine.

#include "board/board.h"
#include "view/geometry.h"

namespace view {

struct Scene {
  const board::Grid* Board = nullptr;
  const board::TilePlaceTable* TilePlaces = nullptr;
  bool EditorMode = false;  // layout editor: every place face down, the cursor drawn
  bool MemoryMode = false;  // Memory: tiles face down unless selected
  int SelectedTile1 = 0;
  int SelectedTile2 = 0;
  int HintTile1 = 0;
  int HintTile2 = 0;
  int HoverTile = 0;
  int HighlightMode = 0;  // 0 none, 1 red, 2 coloured tile, 3 green, 4 blue
  // The tile the keyboard cursor shows (0: none), framed over everything.
  int CursorTile = 0;
  // Zero-based cell of the layout editor's place cursor; (-1, -1, -1) = none.
  board::Cell EditorCursor{-1, -1, -1};
  bool RiverSlideActive = false;  // no marks while a Rivers tile slides
  bool Shadows = true;
  bool Invert = false;
  int OriginX = board::Geometry::WideOrigin.OriginX;
  int OriginY = board::Geometry::WideOrigin.OriginY;

  BoardOrigin Origin() const { return {OriginX, OriginY}; }
  // Whether the one-based cell (x, y, z) is the editor cursor's.
  bool IsEditorCursor(int x, int y, int z) const {
    return EditorCursor.x == x - 1 && EditorCursor.y == y - 1 && EditorCursor.z == z - 1;
  }
};

}  // namespace view
