#pragma once
// The board geometry under the names the painters use. The figures and the
// mapping live in board/geometry.h; the painters draw at scale 1.

#include <vector>

#include "board/board.h"
#include "board/geometry.h"

namespace view {

using board::BoardOrigin;
using board::PixelRect;

inline constexpr int BoardWidth = board::Geometry::BoardWidth;
inline constexpr int BoardHeight = board::Geometry::BoardHeight;
inline constexpr int TileWidth = board::Geometry::TileWidth;  // whole tile picture
inline constexpr int TileHeight = board::Geometry::TileHeight;
inline constexpr int FaceWidth = board::Geometry::FaceWidth;
inline constexpr int FaceHeight = board::Geometry::FaceHeight;
inline constexpr int EdgeSize = board::Geometry::EdgeSize;

// The whole board: the value DirtyRect holds outside a partial redraw.
inline constexpr PixelRect WholeBoard{-1, -1, -1, -1};

constexpr BoardOrigin OriginForScreenWidth(int screenWidth) {
  return board::Geometry::OriginForScreenWidth(screenWidth);
}

// Face top-left of the tile anchored at the one-based cell (x, y, z).
constexpr int FaceLeft(int x, int z, int originX) { return originX + board::Geometry::UnitFaceLeft(x, z); }
constexpr int FaceTop(int y, int z, int originY) { return originY + board::Geometry::UnitFaceTop(y, z); }

// The same, given the zero-based anchor indices (x - 1, z - 1) and (y - 1,
// z - 1). Given the one-based anchor they give that point moved by (+26, +19).
constexpr int FaceLeftOfCell(int x, int z, int originX) { return FaceLeft(x + 1, z + 1, originX); }
constexpr int FaceTopOfCell(int y, int z, int originY) { return FaceTop(y + 1, z + 1, originY); }

// The whole picture (face and edges) of the tile anchored at the one-based cell (x, y, z).
constexpr PixelRect TilePictureRect(int x, int y, int z, BoardOrigin o) {
  return board::Geometry(o).TilePicture(board::Cell{x, y, z});
}

// Whether the whole picture of the tile anchored at (x, y, z) lies on the
// board picture, so that no toolbar or status line can hide part of its face.
constexpr bool TilePictureOnBoard(int x, int y, int z, BoardOrigin o = BoardOrigin{}) {
  const PixelRect r = TilePictureRect(x, y, z, o);
  return r.left >= 0 && r.top >= 0 && r.right <= BoardWidth && r.bottom <= BoardHeight;
}

// The places of a layout whose tile pictures do not lie wholly on the board,
// layer by layer and row by row.
inline std::vector<board::Cell> PlacesOutsideBoard(const board::LayoutGrid& layout, BoardOrigin o = BoardOrigin{}) {
  std::vector<board::Cell> out;
  for (int z = 1; z <= board::MaxZ; ++z)
    for (int y = 1; y <= board::MaxY; ++y)
      for (int x = 1; x <= board::MaxX; ++x)
        if (layout.Get(x, y, z) != 0 && !TilePictureOnBoard(x, y, z, o)) out.push_back({x, y, z});
  return out;
}

}  // namespace view
