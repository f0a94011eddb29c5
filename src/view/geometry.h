#pragma once
// Where board cells land in the board pictures.
//
// One cell is 20 pixels wide and 25 high; a tile covers 2 x 2 cells, so its
// face is 40 x 50. Each layer up moves a tile 6 pixels right and 6 pixels up,
// which gives the stack its 3-D look. A tile's whole picture is its face plus a
// 6-pixel edge on the left and a 6-pixel edge below: 46 x 56 pixels.

#include <vector>

#include "board/board.h"

namespace view {

inline constexpr int BoardWidth = 704;
inline constexpr int BoardHeight = 468;
inline constexpr int TileWidth = 46;   // whole tile picture
inline constexpr int TileHeight = 56;
inline constexpr int FaceWidth = 40;
inline constexpr int FaceHeight = 50;
inline constexpr int EdgeSize = 6;

// A pixel rectangle, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

// The whole board: the value DirtyRect holds outside a partial redraw.
inline constexpr PixelRect WholeBoard{-1, -1, -1, -1};

// Offset of the grid inside the board pictures, chosen once from the screen
// width: a narrow screen shows the board 41 pixels further left and 25 higher.
struct BoardOrigin {
  int OriginX = 36;
  int OriginY = 25;
  bool operator==(const BoardOrigin&) const = default;
};
constexpr BoardOrigin OriginForScreenWidth(int screenWidth) {
  return screenWidth >= 800 ? BoardOrigin{36, 25} : BoardOrigin{-5, 0};
}

// Top-left of a tile's face, given the zero-based anchor indices (x - 1, z - 1)
// and (y - 1, z - 1). Given the one-based anchor they give that point moved by
// (+26, +19).
constexpr int CoordX(int x, int z, int originX) { return 20 * x + 6 * z + originX - 20; }
constexpr int CoordY(int y, int z, int originY) { return 25 * y - 6 * z + originY - 40; }

// Face top-left of the tile anchored at the one-based cell (x, y, z).
constexpr int FaceLeft(int x, int z, int originX) { return CoordX(x - 1, z - 1, originX); }
constexpr int FaceTop(int y, int z, int originY) { return CoordY(y - 1, z - 1, originY); }

// The whole 46 x 56 picture of the tile anchored at the one-based cell (x, y, z).
constexpr PixelRect TilePictureRect(int x, int y, int z, BoardOrigin o) {
  const int a = FaceLeft(x, z, o.OriginX);
  const int b = FaceTop(y, z, o.OriginY);
  return {a - EdgeSize, b, a + FaceWidth, b + TileHeight};
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
