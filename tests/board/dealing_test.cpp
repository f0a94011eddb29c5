// The generator and the two dealers.
#include <gtest/gtest.h>

#include <vector>

#include "board/dealing.h"
#include "board/layout_check.h"
#include "test_layouts.h"

namespace board {
namespace {

using testing::Block;
using testing::Turtle;

TEST(Generator, KnownValues) {
  Generator g;
  const std::uint32_t results[4] = {0, 1, 29, 6};
  const std::uint32_t states[4] = {1, 134775814u, 3698175007u, 870078620u};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(g.NextRandom(34), results[i]);
    EXPECT_EQ(g.GeneratorSeed, states[i]);
  }
  // The first trial of a plain deal from 12345 is the cell (14, 6, 1).
  g.GeneratorSeed = 12345;
  EXPECT_EQ(g.NextRandom(34), 13u);
  EXPECT_EQ(g.NextRandom(20), 5u);
  EXPECT_EQ(g.NextRandom(5), 0u);
  EXPECT_EQ(g.DrawCount, 7u);
  // Always below n; n = 0 gives 0.
  for (std::uint32_t n : {1u, 2u, 7u, 2147483647u, 4294967295u}) EXPECT_LT(g.NextRandom(n), n);
  EXPECT_EQ(g.NextRandom(0), 0u);
}

TEST(Generator, SeedsFromTheTimeOfDay) {
  Generator g;
  g.SeedFromClock(23, 59, 59, 999);
  EXPECT_EQ(g.GeneratorSeed, 86399999u);
  g.SeedFromClock(0, 0, 0, 0);
  EXPECT_EQ(g.GeneratorSeed, 0u);
}

TEST(SeedChoice, GameNumberOnlyWhenSeededAndPositive) {
  Generator g;
  SeedChoice c;
  c.Hour = 1;
  c.Minute = 2;
  c.Second = 3;
  c.Millisecond = 4;
  const std::uint32_t clock = ((1 * 60 + 2) * 60 + 3) * 1000 + 4;
  c.GameSeed = 777;
  ChooseSeed(g, c);
  EXPECT_EQ(g.GeneratorSeed, clock);  // Random Seed off
  c.NumberedGames = true;
  ChooseSeed(g, c);
  EXPECT_EQ(g.GeneratorSeed, 777u);
  EXPECT_TRUE(c.Seeded());
  for (int bad : {0, -5}) {
    c.GameSeed = bad;
    ChooseSeed(g, c);
    EXPECT_EQ(g.GeneratorSeed, clock);
    EXPECT_FALSE(c.Seeded());
  }
  ChooseSeed(g, SeedChoice::Exact(4000000000u));
  EXPECT_EQ(g.GeneratorSeed, 4000000000u);
}

TEST(SeedChoice, RandomSpecificGameNumberIsReproducible) {
  Generator g;
  const std::int32_t n = DrawGameNumber(g, 10, 20, 30, 400);
  Generator h;
  h.SeedFromClock(10, 20, 30, 400);
  EXPECT_EQ(static_cast<std::uint32_t>(n), h.NextRandom(2147483647u));
  EXPECT_GE(n, 0);
  // From midnight: the generator's first step from 0 gives state 1, so 0.
  EXPECT_EQ(DrawGameNumber(g, 0, 0, 0, 0), 0);
}

// Every tile 1..P on a place of the layout, Board and TilePlaces agreeing.
void ExpectDealtOn(const BoardState& s, const LayoutGrid& l, int P) {
  EXPECT_EQ(s.TilesLeft, P);
  EXPECT_EQ(s.TileCount, 144);
  for (int t = 1; t <= MaxTiles; ++t) {
    const Cell c = s.TilePlaces[t];
    if (t > P) {
      EXPECT_FALSE(c.OnBoard()) << t;
      continue;
    }
    ASSERT_TRUE(c.OnBoard()) << t;
    EXPECT_EQ(s.Board.At(c.x, c.y, c.z), t);
    EXPECT_EQ(l.Get(c.x, c.y, c.z), 1);
  }
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) EXPECT_NE(s.Board.At(x, y, z), PlaceMarker);
}

struct Recorder : DealObserver {
  int whole = 0;
  std::vector<int> tiles;
  void ShowWholeBoard() override { ++whole; }
  void ShowTile(int t) override { tiles.push_back(t); }
};

TEST(PlainDeal, FirstTileFromAKnownSeed) {
  LayoutGrid l;
  l.Set(14, 6, 1, 1);
  l.Set(20, 6, 1, 1);
  BoardState s;
  Generator g;
  DealRequest r;
  r.Seed = SeedChoice::Exact(12345);
  const DealResult d = Deal(s, l, g, r);
  EXPECT_EQ(d.Outcome, DealOutcome::Plain);
  EXPECT_EQ(s.TilePlaces[1], (Cell{14, 6, 1}));
  EXPECT_EQ(s.TilePlaces[2], (Cell{20, 6, 1}));
}

TEST(PlainDeal, DealsEveryTileAndAnimatesTileByTile) {
  const LayoutGrid l = Turtle();
  BoardState s;
  Generator g;
  Recorder rec;
  DealRequest r;
  r.Seed.NumberedGames = true;
  r.Seed.GameSeed = 42;
  r.Observer = &rec;
  r.AnimateBoard = true;
  r.AnimateTiles = true;
  Deal(s, l, g, r);
  ExpectDealtOn(s, l, 144);
  EXPECT_EQ(rec.whole, 1);  // the empty table
  ASSERT_EQ(rec.tiles.size(), 144u);
  for (int i = 0; i < 144; ++i) EXPECT_EQ(rec.tiles[i], i + 1);
  // Animation changes nothing on the board.
  BoardState quiet;
  r.Observer = nullptr;
  Deal(quiet, l, g, r);
  EXPECT_TRUE(quiet.TilePlaces == s.TilePlaces);
}

TEST(DealLayout, SameNumberSameBoardAndAlwaysClearable) {
  const LayoutGrid l = Turtle();
  for (std::int32_t seed = 1; seed <= 60; ++seed) {
    DealRequest r;
    r.Winnable = true;
    r.Seed.NumberedGames = true;
    r.Seed.GameSeed = seed;
    BoardState a, b;
    Generator ga, gb;
    Recorder rec;
    const DealResult da = Deal(a, l, ga, r);
    r.Observer = &rec;
    r.AnimateBoard = true;
    const DealResult db = Deal(b, l, gb, r);
    ASSERT_EQ(da.Outcome, DealOutcome::Winnable);
    EXPECT_TRUE(a.TilePlaces == b.TilePlaces) << seed;
    EXPECT_EQ(ga.GeneratorSeed, gb.GeneratorSeed);
    EXPECT_EQ(rec.whole, 2 + 72);  // preparation, dealer start, then one per pair
    EXPECT_EQ(db.Order.Count, 144);
    ExpectDealtOn(a, l, 144);
    EXPECT_TRUE(ClearsInOrder(a, da.Order)) << seed;
  }
}

// The winnable dealer written out step by step with no bound at all: the
// bounded dealer must draw exactly the same numbers wherever this one ends.
TilePlaceTable Unbounded(const LayoutGrid& l, std::uint32_t seed, std::uint32_t& finalSeed) {
  BoardState s;
  std::vector<Cell> places;
  auto reset = [&] {
    places.clear();
    for (int z = 1; z <= 5; ++z)
      for (int y = 1; y <= 20; ++y)
        for (int x = 1; x <= 34; ++x) {
          s.Board.Set(x, y, z, l.Get(x, y, z) ? PlaceMarker : 0);
          if (l.Get(x, y, z)) places.push_back({x, y, z});
        }
  };
  reset();
  const int P = static_cast<int>(places.size());
  Generator g;
  g.GeneratorSeed = seed;
  std::vector<Cell> removal(P + 2);
  int k = 1;
  auto usable = [&](Cell c) { return s.Board.At(c.x, c.y, c.z) == PlaceMarker && PlaceIsFree(s.Board, c.x, c.y, c.z); };
  while (k <= P) {
    int free = 0;
    for (Cell c : places) free += usable(c);
    if (free <= 1) {
      reset();
      k = 1;
      continue;
    }
    Cell a, b;
    do a = places[g.NextRandom(P)]; while (!usable(a));
    do b = places[g.NextRandom(P)]; while (!usable(b) || b == a);
    removal[k] = a;
    removal[k + 1] = b;
    s.Board.Set(a.x, a.y, a.z, 0);
    s.Board.Set(b.x, b.y, b.z, 0);
    k += 2;
  }
  k -= 2;
  do {
    const int t1 = g.NextRandom(P) + 1, t2 = g.NextRandom(P) + 1;
    if (Group(t1) == Group(t2) && t1 != t2 && !s.TilePlaces[t1].OnBoard() && !s.TilePlaces[t2].OnBoard()) {
      s.PutTile(t1, removal[k]);
      s.PutTile(t2, removal[k + 1]);
      k -= 2;
    }
  } while (k >= 1);
  finalSeed = g.GeneratorSeed;
  return s.TilePlaces;
}

// A layout that gets stuck most of the time but can be cleared: a pile of
// five beside five loose tiles, so every pair must take the top of the pile.
LayoutGrid Pile() {
  LayoutGrid l;
  for (int z = 1; z <= 5; ++z) l.Set(4, 4, z, 1);
  for (int c = 0; c < 5; ++c) l.Set(2 + 4 * c, 8, 1, 1);
  return l;
}

TEST(DealLayout, DealsExactlyAsTheUnboundedDealer) {
  struct Case {
    LayoutGrid l;
    std::vector<std::uint32_t> seeds;
    int minRestarts;
  };
  // The pile's seeds restart more than 100 times: past the point where the
  // dealer checks whether the layout can be emptied at all.
  for (const Case& c : {Case{Turtle(), {1, 2, 3, 99, 123456, 4000000000u}, 0}, Case{Pile(), {520, 1179}, 150}}) {
    for (std::uint32_t seed : c.seeds) {
      std::uint32_t expectedSeed = 0;
      const TilePlaceTable expected = Unbounded(c.l, seed, expectedSeed);
      BoardState s;
      Generator g;
      PrepareBoard(s, c.l);
      const DealResult d = DealLayout(s, c.l, g, SeedChoice::Exact(seed), nullptr);
      ASSERT_EQ(d.Outcome, DealOutcome::Winnable);
      EXPECT_GE(d.Restarts, c.minRestarts);
      EXPECT_TRUE(s.TilePlaces == expected) << seed;
      EXPECT_EQ(g.GeneratorSeed, expectedSeed) << seed;
      EXPECT_TRUE(ClearsInOrder(s, d.Order));
    }
  }
}

TEST(DealLayout, A142PlaceLayoutUsesTiles1To142) {
  LayoutGrid l = Turtle();
  l.Set(16, 10, 5, 0);
  l.Set(3, 10, 1, 0);
  ASSERT_EQ(l.Count(), 142);
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    BoardState s;
    Generator g;
    PrepareBoard(s, l);
    const DealResult d = DealLayout(s, l, g, SeedChoice::Exact(seed), nullptr);
    ASSERT_EQ(d.Outcome, DealOutcome::Winnable);
    ExpectDealtOn(s, l, 142);
    EXPECT_TRUE(ClearsInOrder(s, d.Order));
    // 141 and 142 are the only pair of their group: they share a removal pair.
    const Cell a = s.TilePlaces[141], b = s.TilePlaces[142];
    bool together = false;
    for (int i = 0; i < d.Order.Count; i += 2)
      together |= (d.Order.RemovalPairs[i] == a && d.Order.RemovalPairs[i + 1] == b) ||
                  (d.Order.RemovalPairs[i] == b && d.Order.RemovalPairs[i + 1] == a);
    EXPECT_TRUE(together);
  }
}

TEST(DealLayout, FallsBackWhereNoOrderExists) {
  struct Case {
    const char* what;
    LayoutGrid l;
    int P;
  };
  LayoutGrid odd = Turtle();
  odd.Set(16, 10, 5, 0);
  LayoutGrid stacked;  // two places on one spot: only one is ever free
  stacked.Set(10, 10, 1, 1);
  stacked.Set(10, 10, 2, 1);
  LayoutGrid pile;  // a pile of three and one loose tile: the middle is always left alone
  for (int z = 1; z <= 3; ++z) pile.Set(10, 10, z, 1);
  pile.Set(20, 10, 1, 1);
  LayoutGrid tall = Pile();  // a pile of five, only three partners for it
  tall.Set(14, 8, 1, 0);
  tall.Set(18, 8, 1, 0);
  for (const Case& c : {Case{"odd", odd, 143}, Case{"stacked", stacked, 2}, Case{"pile", pile, 4},
                        Case{"tall", tall, 8}}) {
    BoardState s;
    Generator g;
    PrepareBoard(s, c.l);
    const DealResult d = DealLayout(s, c.l, g, SeedChoice::Exact(7), nullptr);
    EXPECT_EQ(d.Outcome, DealOutcome::FellBack) << c.what;
    EXPECT_TRUE(d.ProvenImpossible) << c.what;
    EXPECT_EQ(d.Order.Count, 0);
    ExpectDealtOn(s, c.l, c.P);
  }
}

TEST(DealLayout, NoPlacesDealsNothing) {
  LayoutGrid empty;
  BoardState s;
  Generator g;
  PrepareBoard(s, empty);
  const DealResult d = DealLayout(s, empty, g, SeedChoice::Exact(5), nullptr);
  EXPECT_EQ(d.Outcome, DealOutcome::Winnable);
  EXPECT_EQ(s.TilesLeft, 0);
  EXPECT_EQ(g.DrawCount, 2u);  // the tile loop's one attempt
}

TEST(PrepareBoard, MarksPlacesAndClearsTheTable) {
  const LayoutGrid l = Turtle();
  BoardState s;
  s.PutTile(3, {1, 1, 1});
  s.TileCount = 20;
  EXPECT_EQ(PrepareBoard(s, l), 144);
  EXPECT_EQ(s.TilesLeft, 144);
  EXPECT_EQ(s.TileCount, 144);
  EXPECT_FALSE(s.TilePlaces[3].OnBoard());
  EXPECT_EQ(s.Board.At(1, 1, 1), 0);
  EXPECT_EQ(s.Board.At(16, 10, 5), PlaceMarker);
  // More places than tiles (a damaged source): the first 144 only.
  LayoutGrid big;
  Block(big, 1, 1, 1, 17, 10);
  EXPECT_EQ(big.Count(), 170);
  EXPECT_EQ(PrepareBoard(s, big), 144);
  Generator g;
  PlainDeal(s, g, nullptr);
  EXPECT_TRUE(s.TilePlaces[144].OnBoard());
}

}  // namespace
}  // namespace board
