#include "board/geometry.h"

#include <algorithm>

namespace board {

int Geometry::TileAt(const Grid& g, int x, int y) const {
  const PixelPoint p = ToGrid(x, y);
  return TileAtPixel(g, p.x, p.y);
}

Cell Geometry::PlaceToAddAt(const Grid& g, int x, int y) const {
  const PixelPoint p = ToGrid(x, y);
  return CellToAddAt(g, p.x, p.y);
}

// Both tests walk the cells in drawing order (layers up, columns right to
// left, rows top to bottom) and keep the last hit: the picture drawn last is
// the one on top. On each layer only the few columns and rows whose pictures
// can hold the point are looked at: a tile picture is a little over two
// cells wide and high, so three of each always cover it.
namespace {

struct CellWindow {
  int xFirst, xLast, yFirst, yLast;
};

constexpr int FloorDivide(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

CellWindow CellsAround(int px, int py, int z) {
  // The picture of (x, y, z) spans [left, left + TileWidth) with
  // left = UnitFaceLeft(x, z) - EdgeSize, and [top, top + TileHeight) with
  // top = UnitFaceTop(y, z); solve both for the cells that can hold p.
  const int left1 = Geometry::UnitFaceLeft(1, z) - Geometry::EdgeSize;
  const int top1 = Geometry::UnitFaceTop(1, z);
  const int xHigh = 1 + FloorDivide(px - left1, Geometry::CellWidth);
  const int yHigh = 1 + FloorDivide(py - top1, Geometry::CellHeight);
  const int xSpan = (Geometry::TileWidth + Geometry::CellWidth - 1) / Geometry::CellWidth;
  const int ySpan = (Geometry::TileHeight + Geometry::CellHeight - 1) / Geometry::CellHeight;
  return {std::max(1, xHigh - xSpan), std::min(MaxX, xHigh), std::max(1, yHigh - ySpan), std::min(MaxY, yHigh)};
}

}  // namespace

int TileAtPixel(const Grid& g, int px, int py) {
  int hit = 0;
  for (int z = 1; z <= MaxZ; ++z) {
    const CellWindow w = CellsAround(px, py, z);
    for (int x = w.xLast; x >= w.xFirst; --x)
      for (int y = w.yFirst; y <= w.yLast; ++y) {
        const int v = g.At(x, y, z);
        if (v != 0 && Geometry::UnitTilePicture(x, y, z).Contains(px, py)) hit = v;
      }
  }
  return hit;
}

Cell CellToAddAt(const Grid& g, int px, int py) {
  Cell hit{};
  // An add box lies inside its tile picture, so the same window holds it.
  for (int z = 1; z <= MaxZ; ++z) {
    const CellWindow w = CellsAround(px, py, z);
    for (int x = w.xLast; x >= w.xFirst; --x)
      for (int y = w.yFirst; y <= w.yLast; ++y) {
        if (!Geometry::UnitAddBox(x, y, z).Contains(px, py)) continue;
        bool carried = z == 1;
        for (int dy = -1; dy <= 1 && !carried; ++dy)
          for (int dx = -1; dx <= 1 && !carried; ++dx)
            if (g.At(x + dx, y + dy, z - 1) != 0) carried = true;
        if (carried) hit = Cell{x, y, z};
      }
  }
  return hit;
}

}  // namespace board
