#include "board/board.h"

namespace board {

int LayoutGrid::Count() const {
  int n = 0;
  for (auto f : flags_) n += f;
  return n;
}

void BoardState::PutTile(int t, Cell c) {
  if (t < 1 || t > MaxTiles) return;
  Board.Set(c.x, c.y, c.z, static_cast<std::uint8_t>(t));
  TilePlaces[t] = c;
}

void BoardState::TakeTile(int t) {
  if (t < 1 || t > MaxTiles) return;
  const Cell c = TilePlaces[t];
  if (Board.At(c.x, c.y, c.z) == t) Board.Set(c.x, c.y, c.z, 0);
  TilePlaces[t] = Cell{};
}

namespace {

// Blocked sideways: something on the left (x-2, rows y-1..y+1) and something
// on the right (x+2, same rows). A neighbour half a row up or down counts.
bool BlockedLeftRight(const Grid& g, int x, int y, int z) {
  const bool left = g.Near(x - 2, y - 1, z) | g.Near(x - 2, y, z) | g.Near(x - 2, y + 1, z);
  if (!left) return false;
  return g.Near(x + 2, y - 1, z) | g.Near(x + 2, y, z) | g.Near(x + 2, y + 1, z);
}

// The vertical variation: blocked above (y-2) and below (y+2) instead.
bool BlockedUpDown(const Grid& g, int x, int y, int z) {
  const bool up = g.Near(x - 1, y - 2, z) | g.Near(x, y - 2, z) | g.Near(x + 1, y - 2, z);
  if (!up) return false;
  return g.Near(x - 1, y + 2, z) | g.Near(x, y + 2, z) | g.Near(x + 1, y + 2, z);
}

// Covered: any tile anchored within one cell of (x, y) on the layer above
// overlaps this one. Nothing lies above layer 5.
bool Covered(const Grid& g, int x, int y, int z) {
  if (z >= MaxZ) return false;
  const int u = z + 1;
  for (int dy = -1; dy <= 1; ++dy)
    if (g.Near(x - 1, y + dy, u) | g.Near(x, y + dy, u) | g.Near(x + 1, y + dy, u)) return true;
  return false;
}

bool AnchorOf(const BoardState& s, int tile, Cell& c) {
  if (tile < 1 || tile > MaxTiles) return false;
  c = s.TilePlaces[tile];
  if (!c.OnBoard()) return false;
  // A damaged table entry is never free (and never read outside the grid).
  return Grid::InRange(c.x, c.y, c.z);
}

}  // namespace

bool Dispo(const BoardState& s, int tile) {
  Cell c;
  if (!AnchorOf(s, tile, c)) return false;
  return !BlockedLeftRight(s.Board, c.x, c.y, c.z) && !Covered(s.Board, c.x, c.y, c.z);
}

bool Dispo_Vertical(const BoardState& s, int tile) {
  Cell c;
  if (!AnchorOf(s, tile, c)) return false;
  return !BlockedUpDown(s.Board, c.x, c.y, c.z) && !Covered(s.Board, c.x, c.y, c.z);
}

bool PlaceIsFree(const Grid& g, int x, int y, int z) {
  if (!Grid::InRange(x, y, z)) return false;
  return !BlockedLeftRight(g, x, y, z) && !Covered(g, x, y, z);
}

void IsItFree(BoardState& s, bool vertical) {
  s.FreeCount = 0;
  s.MovesLeft = 0;
  const int last = s.TileCount < MaxTiles ? s.TileCount : MaxTiles;
  for (int t = 1; t <= last; ++t) {
    if (vertical ? Dispo_Vertical(s, t) : Dispo(s, t)) s.FreeTiles[++s.FreeCount] = static_cast<std::uint8_t>(t);
  }
  // FreeTiles is sorted, so the free tiles of one group stand together.
  for (int k = 1; k < s.FreeCount; ++k)
    if (Group(s.FreeTiles[k]) == Group(s.FreeTiles[k + 1])) ++s.MovesLeft;
}

namespace {
constexpr bool InBox(int px, int py, int left, int top, int w, int h) {
  return px >= left && px < left + w && py >= top && py < top + h;
}
constexpr int BoxLeft(int x, int z) { return 20 * x + 6 * z - 52; }
constexpr int BoxTop(int y, int z) { return 25 * y - 6 * z - 59; }
}  // namespace

int WhatTileThere(const Grid& g, int px, int py) {
  int hit = 0;
  for (int z = 1; z <= MaxZ; ++z)
    for (int x = MaxX; x >= 1; --x)
      for (int y = 1; y <= MaxY; ++y) {
        const int v = g.At(x, y, z);
        if (v != 0 && InBox(px, py, BoxLeft(x, z), BoxTop(y, z), 46, 56)) hit = v;
      }
  return hit;
}

Cell WhatAdd(const Grid& g, int px, int py) {
  Cell hit{};
  for (int z = 1; z <= MaxZ; ++z)
    for (int x = MaxX; x >= 1; --x)
      for (int y = 1; y <= MaxY; ++y) {
        if (!InBox(px, py, BoxLeft(x, z), BoxTop(y, z), 30, 35)) continue;
        bool carried = z == 1;
        for (int dy = -1; dy <= 1 && !carried; ++dy)
          for (int dx = -1; dx <= 1 && !carried; ++dx)
            if (g.At(x + dx, y + dy, z - 1) != 0) carried = true;
        if (carried) hit = Cell{x, y, z};
      }
  return hit;
}

}  // namespace board
