#include "board/layout_check.h"

#include <cstdlib>

#include "board/generator.h"

namespace board {

namespace {
template <typename F>
void ForEachPlace(const LayoutGrid& layout, F f) {
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x)
        if (layout.Get(x, y, z)) f(Cell{x, y, z});
}
}  // namespace

std::vector<Cell> FloatingPlaces(const LayoutGrid& layout) {
  std::vector<Cell> out;
  ForEachPlace(layout, [&](Cell c) {
    if (c.z == 1) return;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (layout.Get(c.x + dx, c.y + dy, c.z - 1)) return;
    out.push_back(c);
  });
  return out;
}

std::vector<Cell> OverlappingPlaces(const LayoutGrid& layout) {
  std::vector<Cell> out;
  ForEachPlace(layout, [&](Cell c) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if ((dx != 0 || dy != 0) && layout.Get(c.x + dx, c.y + dy, c.z)) {
          out.push_back(c);
          return;
        }
  });
  return out;
}

bool ClearsInOrder(BoardState s, const RemovalOrder& order) {
  for (int i = 0; i + 1 < order.Count; i += 2) {
    const Cell a = order.RemovalPairs[i], b = order.RemovalPairs[i + 1];
    const int t1 = s.Board.At(a.x, a.y, a.z), t2 = s.Board.At(b.x, b.y, b.z);
    if (t1 < 1 || t1 > MaxTiles || t2 < 1 || t2 > MaxTiles || t1 == t2) return false;
    if (Group(t1) != Group(t2) || !IsTileFree(s, t1) || !IsTileFree(s, t2)) return false;
    s.TakeTile(t1);
    s.TakeTile(t2);
    s.TilesLeft -= 2;
  }
  for (int t = 1; t <= MaxTiles; ++t)
    if (s.TilePlaces[t].OnBoard()) return false;
  return true;
}

LayoutCheck CheckLayout(const LayoutGrid& layout, int deals, std::uint32_t firstSeed) {
  LayoutCheck r;
  r.Places = layout.Count();
  r.Overlapping = OverlappingPlaces(layout);
  r.Floating = FloatingPlaces(layout);
  Generator g;
  for (int i = 0; i < deals; ++i) {
    const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(i);
    BoardState s;
    PrepareBoard(s, layout);
    const DealResult d = DealLayout(s, layout, g, SeedChoice::Exact(seed), nullptr);
    ++r.Deals;
    if (d.Outcome == DealOutcome::Winnable && ClearsInOrder(s, d.Order))
      ++r.DealsFinished;
    else if (r.Deals - r.DealsFinished == 1)  // the first failure
      r.FirstFailedSeed = seed;
  }
  return r;
}

}  // namespace board
