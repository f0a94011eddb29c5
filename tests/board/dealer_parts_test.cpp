// The dealer's parts that the winnable shuffle and the flat games share: the
// removal order with its limits, and tiles dropped on a block.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "board/dealing.h"
#include "test_layouts.h"

namespace board {
namespace {

using testing::Turtle;

PlaceList MarkedFrom(BoardState& s, const LayoutGrid& layout) {
  PrepareBoard(s, layout);
  return ListMarkedPlaces(s.Board);
}

// A pile of three and a tile alone: the two free ones go first, then only the
// middle of the pile is free, every time.
LayoutGrid AlwaysStuck() {
  LayoutGrid l;
  for (int z = 1; z <= 3; ++z) l.Set(4, 4, z, 1);
  l.Set(12, 4, 1, 1);
  return l;
}

TEST(RemovalOrder, CompleteOrderEmptiesFreePairsToTheLast) {
  const LayoutGrid layout = Turtle();
  for (std::uint32_t seed : {1u, 7u, 123u}) {
    BoardState s;
    const PlaceList places = MarkedFrom(s, layout);
    ASSERT_EQ(places.Count, 144);
    Generator g;
    g.GeneratorSeed = seed;
    RemovalOrder order;
    int restarts = 0;
    ASSERT_EQ(DrawRemovalOrder(s, places, g, RemovalLimits{100, 20000}, order, restarts), RemovalEnd::Complete);
    ASSERT_EQ(order.Count, 144);
    // Replayed on the marked board: every pair is two different free places.
    MarkPlaces(s.Board, places);
    std::set<std::tuple<int, int, int>> seen;
    for (int k = 0; k < order.Count; k += 2) {
      const Cell a = order.RemovalPairs[static_cast<std::size_t>(k)];
      const Cell b = order.RemovalPairs[static_cast<std::size_t>(k) + 1];
      ASSERT_NE(a, b);
      for (const Cell c : {a, b}) {
        ASSERT_EQ(s.Board.At(c.x, c.y, c.z), PlaceMarker);
        ASSERT_TRUE(PlaceIsFree(s.Board, c.x, c.y, c.z));
        seen.insert({c.x, c.y, c.z});
      }
      s.Board.Set(a.x, a.y, a.z, 0);
      s.Board.Set(b.x, b.y, b.z, 0);
    }
    EXPECT_EQ(seen.size(), 144u);
  }
}

TEST(RemovalOrder, LimitsEndAStuckShape) {
  const LayoutGrid layout = AlwaysStuck();
  BoardState s;
  const PlaceList places = MarkedFrom(s, layout);
  ASSERT_EQ(places.Count, 4);
  // Without the search: given up after exactly the bound of restarts.
  Generator g;
  RemovalOrder order;
  int restarts = 0;
  EXPECT_EQ(DrawRemovalOrder(s, places, g, RemovalLimits{0, 5}, order, restarts), RemovalEnd::GaveUp);
  EXPECT_EQ(restarts, 5);
  EXPECT_EQ(order.Count, 0);
  // With the search, proven impossible at the first search.
  MarkPlaces(s.Board, places);
  restarts = 0;
  EXPECT_EQ(DrawRemovalOrder(s, places, g, RemovalLimits{2, 20000}, order, restarts), RemovalEnd::Impossible);
  EXPECT_EQ(restarts, 2);
}

TEST(RemovalOrder, StuckAtTheStartDrawsNothing) {
  LayoutGrid l;
  l.Set(4, 4, 1, 1);
  l.Set(4, 4, 2, 1);
  BoardState s;
  const PlaceList places = MarkedFrom(s, l);
  Generator g;
  RemovalOrder order;
  int restarts = 0;
  EXPECT_EQ(DrawRemovalOrder(s, places, g, RemovalLimits{0, 5}, order, restarts), RemovalEnd::Impossible);
  EXPECT_EQ(restarts, 0);
  EXPECT_EQ(g.DrawCount, 0u);
  EXPECT_EQ(CountFreePlaces(s.Board, places), 1);
}

TEST(MarkedPlaces, ListedLayerByLayerRowByRow) {
  Grid g;
  g.Set(9, 2, 2, PlaceMarker);
  g.Set(3, 5, 1, PlaceMarker);
  g.Set(1, 5, 1, PlaceMarker);
  g.Set(6, 1, 1, 7);  // a tile, not a place
  const PlaceList pl = ListMarkedPlaces(g);
  ASSERT_EQ(pl.Count, 3);
  EXPECT_EQ(pl.Places[0], (Cell{1, 5, 1}));
  EXPECT_EQ(pl.Places[1], (Cell{3, 5, 1}));
  EXPECT_EQ(pl.Places[2], (Cell{9, 2, 2}));
}

TEST(DealOntoBlock, FillsEveryEmptyCellOnceAndStopsWhenFull) {
  BoardState s;
  s.Board.Set(4, 3, 1, 99);  // (a, b) = (2, 1) already taken
  Generator g;
  g.GeneratorSeed = 42;
  const FlatBlock block{3, 1, 2, 1, 0, 1};  // x 2, 4, 6; y 3, 5
  DealOntoBlock(s, g, block, 1, 8);         // 8 tiles for 5 empty cells
  std::set<std::tuple<int, int, int>> cells;
  for (int t = 1; t <= 5; ++t) {
    const Cell c = s.TilePlaces[t];
    ASSERT_TRUE(c.OnBoard()) << t;
    EXPECT_TRUE(c.x == 2 || c.x == 4 || c.x == 6);
    EXPECT_TRUE(c.y == 3 || c.y == 5);
    EXPECT_EQ(c.z, 1);
    EXPECT_EQ(s.Board.At(c.x, c.y, c.z), t);
    cells.insert({c.x, c.y, c.z});
  }
  EXPECT_EQ(cells.size(), 5u);
  EXPECT_FALSE(s.TilePlaces[6].OnBoard());
  EXPECT_EQ(s.Board.At(4, 3, 1), 99);
  // A shifted block on a higher layer.
  BoardState t;
  DealOntoBlock(t, g, FlatBlock{1, 3, 1, 2, 2, 4}, 10, 10);
  EXPECT_EQ(t.TilePlaces[10], (Cell{8, 5, 4}));
}

}  // namespace
}  // namespace board
