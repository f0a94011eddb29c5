#include "board/geometry.h"

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
// the one on top.
int TileAtPixel(const Grid& g, int px, int py) {
  int hit = 0;
  for (int z = 1; z <= MaxZ; ++z)
    for (int x = MaxX; x >= 1; --x)
      for (int y = 1; y <= MaxY; ++y) {
        const int v = g.At(x, y, z);
        if (v != 0 && Geometry::UnitTilePicture(x, y, z).Contains(px, py)) hit = v;
      }
  return hit;
}

Cell CellToAddAt(const Grid& g, int px, int py) {
  Cell hit{};
  for (int z = 1; z <= MaxZ; ++z)
    for (int x = MaxX; x >= 1; --x)
      for (int y = 1; y <= MaxY; ++y) {
        if (!Geometry::UnitAddBox(x, y, z).Contains(px, py)) continue;
        bool carried = z == 1;
        for (int dy = -1; dy <= 1 && !carried; ++dy)
          for (int dx = -1; dx <= 1 && !carried; ++dx)
            if (g.At(x + dx, y + dy, z - 1) != 0) carried = true;
        if (carried) hit = Cell{x, y, z};
      }
  return hit;
}

}  // namespace board
