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

bool IsTileFree(const BoardState& s, int tile) {
  Cell c;
  if (!AnchorOf(s, tile, c)) return false;
  return !BlockedLeftRight(s.Board, c.x, c.y, c.z) && !Covered(s.Board, c.x, c.y, c.z);
}

bool IsTileFreeVertical(const BoardState& s, int tile) {
  Cell c;
  if (!AnchorOf(s, tile, c)) return false;
  return !BlockedUpDown(s.Board, c.x, c.y, c.z) && !Covered(s.Board, c.x, c.y, c.z);
}

bool PlaceIsFree(const Grid& g, int x, int y, int z) {
  if (!Grid::InRange(x, y, z)) return false;
  return !BlockedLeftRight(g, x, y, z) && !Covered(g, x, y, z);
}

void RecountFreeTiles(BoardState& s, bool vertical) {
  s.FreeCount = 0;
  s.MovesLeft = 0;
  const int last = s.TileCount < MaxTiles ? s.TileCount : MaxTiles;
  for (int t = 1; t <= last; ++t) {
    if (vertical ? IsTileFreeVertical(s, t) : IsTileFree(s, t)) s.FreeTiles[++s.FreeCount] = static_cast<std::uint8_t>(t);
  }
  // FreeTiles is sorted, so the free tiles of one group stand together.
  for (int k = 1; k < s.FreeCount; ++k)
    if (Group(s.FreeTiles[k]) == Group(s.FreeTiles[k + 1])) ++s.MovesLeft;
}

}  // namespace board
