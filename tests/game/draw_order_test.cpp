// Cross-checks of every random choice the game makes: the deals, the Rivers
// and Memory boards, both shuffles and the drawn game number. Each is
// recomputed here by a plain, separate re-implementation of the rules (its
// own generator, its own board array, no library code), and the engine must
// give the very same tiles on the very same places and leave the generator in
// the very same state. A few known values pin the re-implementation itself.
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

// ---------------------------------------------------------------- the re-implementation

struct Lcg {
  std::uint32_t seed;
  std::uint32_t Next(std::uint32_t n) {
    seed = seed * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
  }
};

struct Spot {
  int x = 0, y = 0, z = 0;
  bool operator==(const Spot&) const = default;
};

// Cells x 1..34, y 1..20, z 1..5; anything else reads as empty.
struct Cells {
  std::array<int, 35 * 21 * 6> v{};
  int Get(int x, int y, int z) const {
    if (x < 1 || x > 34 || y < 1 || y > 20 || z < 1 || z > 5) return 0;
    return v[static_cast<std::size_t>((z * 21 + y) * 35 + x)];
  }
  void Put(int x, int y, int z, int value) { v[static_cast<std::size_t>((z * 21 + y) * 35 + x)] = value; }
  int Get(Spot s) const { return Get(s.x, s.y, s.z); }
  void Put(Spot s, int value) { Put(s.x, s.y, s.z, value); }
};

using Anchors = std::array<Spot, 145>;  // tile 1..144

// Free under the normal rule; 155 counts as a tile.
bool FreeAt(const Cells& c, int x, int y, int z) {
  const bool left = c.Get(x - 2, y - 1, z) || c.Get(x - 2, y, z) || c.Get(x - 2, y + 1, z);
  const bool right = c.Get(x + 2, y - 1, z) || c.Get(x + 2, y, z) || c.Get(x + 2, y + 1, z);
  if (left && right) return false;
  if (z == 5) return true;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (c.Get(x + dx, y + dy, z + 1)) return false;
  return true;
}

// Pairs of free tiles of one group, counted as the moves-left field does.
int MovesLeft(const Cells& c, const Anchors& at) {
  std::vector<int> free;
  for (int t = 1; t <= 144; ++t)
    if ((at[t].x || at[t].y) && FreeAt(c, at[t].x, at[t].y, at[t].z)) free.push_back(t);
  int moves = 0;
  for (std::size_t k = 1; k < free.size(); ++k) moves += (free[k - 1] - 1) / 4 == (free[k] - 1) / 4;
  return moves;
}

// The places of Traditional.lay, read straight from the shipped file, in
// the file's running order (layer, then row, then column).
std::vector<Spot> TraditionalPlaces() {
  std::ifstream in(std::string(SORAMI_DATA_DIR) + "/Layouts/Traditional.lay", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t line3 = text.find("\r\n", text.find("\r\n") + 2) + 2;
  std::vector<Spot> places;
  for (int k = 0; k < 3400; ++k)
    if (text.at(line3 + static_cast<std::size_t>(k)) == '1') places.push_back({k % 34 + 1, k / 34 % 20 + 1, k / 680 + 1});
  return places;
}

struct Dealt {
  Cells cells;
  Anchors at{};
  std::uint32_t seed = 0;
  void Place(int t, Spot s) {
    cells.Put(s, t);
    at[t] = s;
  }
};

Dealt PlainDeal(const std::vector<Spot>& places, std::uint32_t seed) {
  Dealt d;
  for (const Spot& p : places) d.cells.Put(p, 155);
  Lcg g{seed};
  for (int i = 1; i <= static_cast<int>(places.size()); ++i) {
    Spot s;
    do {
      s.x = static_cast<int>(g.Next(34)) + 1;
      s.y = static_cast<int>(g.Next(20)) + 1;
      s.z = static_cast<int>(g.Next(5)) + 1;
    } while (d.cells.Get(s) != 155);
    d.Place(i, s);
  }
  d.seed = g.seed;
  return d;
}

Dealt WinnableDeal(const std::vector<Spot>& places, std::uint32_t seed) {
  const int p = static_cast<int>(places.size());
  Dealt d;
  auto reset = [&] {
    for (const Spot& s : places) d.cells.Put(s, 155);
  };
  reset();
  Lcg g{seed};
  std::vector<Spot> removal(static_cast<std::size_t>(p) + 2);
  int k = 1;
  while (k <= p) {
    int freeCount = 0;
    for (const Spot& s : places) freeCount += d.cells.Get(s) != 0 && FreeAt(d.cells, s.x, s.y, s.z);
    if (freeCount <= 1) {
      reset();
      k = 1;
      continue;
    }
    Spot first, second;
    do {
      first = places[g.Next(static_cast<std::uint32_t>(p))];
    } while (d.cells.Get(first) != 155 || !FreeAt(d.cells, first.x, first.y, first.z));
    do {
      second = places[g.Next(static_cast<std::uint32_t>(p))];
    } while (d.cells.Get(second) != 155 || !FreeAt(d.cells, second.x, second.y, second.z) || second == first);
    removal[static_cast<std::size_t>(k)] = first;
    removal[static_cast<std::size_t>(k) + 1] = second;
    d.cells.Put(first, 0);
    d.cells.Put(second, 0);
    k += 2;
  }
  k -= 2;
  do {
    const int t1 = static_cast<int>(g.Next(static_cast<std::uint32_t>(p))) + 1;
    const int t2 = static_cast<int>(g.Next(static_cast<std::uint32_t>(p))) + 1;
    if ((t1 - 1) / 4 == (t2 - 1) / 4 && t1 != t2 && d.at[t1] == Spot{} && d.at[t2] == Spot{}) {
      d.Place(t1, removal[static_cast<std::size_t>(k)]);
      d.Place(t2, removal[static_cast<std::size_t>(k) + 1]);
      k -= 2;
    }
  } while (k >= 1);
  d.seed = g.seed;
  return d;
}

// Rivers and Memory: tile i on lattice place (2a + shift, 2b + 1, z) for
// a = Next(columns) + firstA, b = Next(rows) + firstB, drawn until empty.
void FlatBlock(Dealt& d, Lcg& g, int from, int to, int z, std::uint32_t columns, int firstA,
               std::uint32_t rows, int firstB, int shift) {
  for (int i = from; i <= to; ++i) {
    Spot s{0, 0, z};
    do {
      s.x = 2 * (static_cast<int>(g.Next(columns)) + firstA) + shift;
      s.y = 2 * (static_cast<int>(g.Next(rows)) + firstB) + 1;
    } while (d.cells.Get(s) != 0);
    d.Place(i, s);
  }
}

// One plain pass after another until a move exists (at most 101 passes).
void PlainShuffle(Dealt& d, Lcg& g) {
  int attempts = 0;
  do {
    for (int x = 1; x <= 34; ++x)
      for (int y = 1; y <= 20; ++y)
        for (int z = 1; z <= 5; ++z) {
          const int t = d.cells.Get(x, y, z);
          if (t == 0) continue;
          Spot s;
          do {
            s.x = static_cast<int>(g.Next(34)) + 1;
            s.y = static_cast<int>(g.Next(20)) + 1;
            s.z = static_cast<int>(g.Next(5)) + 1;
          } while (d.cells.Get(s) == 0);
          const int t2 = d.cells.Get(s);
          d.Place(t, s);
          d.Place(t2, Spot{x, y, z});
        }
    ++attempts;
  } while (MovesLeft(d.cells, d.at) <= 0 && attempts <= 100);
}

// The winnable shuffle from a clock seed: empty the occupied places two free
// ones at a time, then hand the remaining pairs out in reverse order.
void WinnableShuffle(Dealt& d, std::uint32_t clockSeed) {
  const Anchors saved = d.at;
  std::vector<Spot> places;  // layer, row, column order
  auto reset = [&] {
    d.cells = Cells{};
    for (int t = 1; t <= 144; ++t)
      if (saved[t].x > 0) d.cells.Put(saved[t], 155);
  };
  reset();
  for (int z = 1; z <= 5; ++z)
    for (int y = 1; y <= 20; ++y)
      for (int x = 1; x <= 34; ++x)
        if (d.cells.Get(x, y, z) == 155) places.push_back({x, y, z});
  const auto q = static_cast<std::uint32_t>(places.size());
  std::vector<int> remaining{0};  // 1-based
  for (int t = 1; t <= 144; ++t)
    if (saved[t].x > 0) remaining.push_back(t);
  const int m = static_cast<int>(remaining.size()) - 1;
  Lcg g{clockSeed};
  std::vector<Spot> removal(places.size() + 2);
  int k = 1;
  do {
    int freeCount = 0;
    for (const Spot& s : places) freeCount += d.cells.Get(s) != 0 && FreeAt(d.cells, s.x, s.y, s.z);
    if (freeCount <= 1) {
      reset();
      k = 1;
      continue;
    }
    Spot first, second;
    do {
      first = places[g.Next(q)];
    } while (d.cells.Get(first) != 155 || !FreeAt(d.cells, first.x, first.y, first.z));
    do {
      second = places[g.Next(q)];
    } while (d.cells.Get(second) != 155 || !FreeAt(d.cells, second.x, second.y, second.z) || second == first);
    removal[static_cast<std::size_t>(k)] = first;
    removal[static_cast<std::size_t>(k) + 1] = second;
    d.cells.Put(first, 0);
    d.cells.Put(second, 0);
    k += 2;
  } while (m >= k);
  d.cells = Cells{};
  d.at = Anchors{};
  k -= 2;
  do {
    const int r = static_cast<int>(g.Next(static_cast<std::uint32_t>(m - 1))) + 1;
    const int t1 = remaining[static_cast<std::size_t>(r)];
    const int t2 = remaining[static_cast<std::size_t>(r % 2 == 1 ? r + 1 : r - 1)];
    if (d.at[t1] == Spot{} && d.at[t2] == Spot{}) {
      d.Place(t1, removal[static_cast<std::size_t>(k)]);
      d.Place(t2, removal[static_cast<std::size_t>(k) + 1]);
      k -= 2;
    }
  } while (k >= 1);
  d.seed = g.seed;
}

// ---------------------------------------------------------------- the checks

class DrawOrderTest : public EngineTest {
 protected:
  std::vector<Spot> traditional = TraditionalPlaces();

  DrawOrderTest() {
    engine.MutableGame().Layout.Clear();
    for (const Spot& s : traditional) engine.MutableGame().Layout.Set(s.x, s.y, s.z, 1);
  }

  void ExpectEngineHas(const Dealt& d, const std::string& what) {
    for (int t = 1; t <= 144; ++t) {
      const board::Cell c = engine.Game().Board.TilePlaces[t];
      ASSERT_EQ((Spot{c.x, c.y, c.z}), d.at[t]) << what << ", tile " << t;
    }
    EXPECT_EQ(engine.Game().Generator.GeneratorSeed, d.seed) << what;
  }
};

struct Known {
  std::uint32_t seed;
  std::array<Spot, 10> first;  // tiles 1..10
  std::uint32_t after;         // the generator once the deal is done
};

TEST_F(DrawOrderTest, TraditionalPlainDealsOfKnownNumbers) {
  ASSERT_EQ(traditional.size(), 144u);
  const Known known[] = {
      {1,
       {{{3, 10, 1}, {25, 7, 1}, {19, 7, 3}, {23, 17, 1}, {17, 9, 3}, {21, 7, 2}, {19, 5, 1}, {17, 11, 2},
         {19, 13, 2}, {17, 9, 4}}},
       999351632u},
      {12345,
       {{{19, 13, 2}, {9, 3, 1}, {19, 9, 3}, {13, 13, 3}, {27, 3, 1}, {17, 7, 3}, {19, 11, 1}, {15, 7, 1},
         {5, 9, 1}, {17, 13, 1}}},
       683410770u},
      {2147483647,
       {{{21, 9, 1}, {25, 11, 1}, {21, 15, 2}, {21, 5, 2}, {25, 7, 1}, {13, 15, 1}, {7, 3, 1}, {11, 13, 1},
         {19, 11, 3}, {15, 5, 1}}},
       312160948u},
  };
  engine.MutableOptions().Winnable = false;
  for (const Known& k : known) {
    const Dealt d = PlainDeal(traditional, k.seed);
    for (int t = 1; t <= 10; ++t) ASSERT_EQ(d.at[t], k.first[static_cast<std::size_t>(t - 1)]) << k.seed;
    EXPECT_EQ(d.seed, k.after);
    engine.MutableGame().GameSeed = static_cast<std::int32_t>(k.seed);
    engine.NewNumberedGame();
    ExpectEngineHas(d, "plain deal " + std::to_string(k.seed));
    EXPECT_EQ(engine.StatusMessage(), "Specific Board started. Random Seed #" + std::to_string(k.seed));
  }
}

TEST_F(DrawOrderTest, TraditionalWinnableDealsOfKnownNumbers) {
  const Known known[] = {
      {1,
       {{{11, 9, 2}, {17, 11, 1}, {19, 13, 3}, {15, 3, 1}, {19, 11, 3}, {13, 15, 2}, {21, 17, 1}, {19, 15, 2},
         {15, 11, 3}, {5, 9, 1}}},
       793606923u},
      {77,
       {{{13, 3, 1}, {13, 11, 3}, {19, 13, 3}, {13, 15, 1}, {11, 9, 2}, {19, 9, 2}, {11, 11, 2}, {23, 17, 1},
         {11, 15, 1}, {21, 5, 1}}},
       64581172u},
  };
  engine.MutableOptions().Winnable = true;
  for (const Known& k : known) {
    const Dealt d = WinnableDeal(traditional, k.seed);
    for (int t = 1; t <= 10; ++t) ASSERT_EQ(d.at[t], k.first[static_cast<std::size_t>(t - 1)]) << k.seed;
    EXPECT_EQ(d.seed, k.after);
    engine.MutableGame().GameSeed = static_cast<std::int32_t>(k.seed);
    engine.NewNumberedGame();
    ExpectEngineHas(d, "winnable deal " + std::to_string(k.seed));
  }
}

// Unnumbered games seed from the clock; the animation of the deal (whole
// board and tile by tile, in one- and two-player games) draws nothing.
TEST_F(DrawOrderTest, ClockDealsDrawTheSameWithTheAnimationOn) {
  engine.MutableOptions().Animate = true;
  for (bool winnable : {false, true}) {
    engine.MutableOptions().Winnable = winnable;
    for (std::uint32_t clockSeed : {4242u, 86399999u}) {
      engine.SetClockSeedOverride(clockSeed);
      const Dealt d = winnable ? WinnableDeal(traditional, clockSeed) : PlainDeal(traditional, clockSeed);
      engine.NewRandomGame();  // the previous game (if any) is on show: full animation
      ExpectEngineHas(d, "one player");
      engine.NewTwoPlayerGame();
      ExpectEngineHas(d, "two players");
    }
  }
  EXPECT_GT(screen.Updates, 144);
}

TEST_F(DrawOrderTest, RandomSpecificGameNumberComesFromTheClock) {
  engine.SetClockSeedOverride(std::nullopt);
  clock.Time = TimeOfDay{12, 34, 56, 789};
  Lcg g{((12u * 60u + 34u) * 60u + 56u) * 1000u + 789u};
  const std::uint32_t number = g.Next(2147483647u);
  EXPECT_EQ(number, 1049778548u);
  engine.NewRandomNumberedGame();
  EXPECT_EQ(engine.Game().GameSeed, static_cast<std::int32_t>(number));
  ExpectEngineHas(PlainDeal(traditional, number), "drawn number");
}

TEST_F(DrawOrderTest, RiversAndMemoryBoards) {
  struct Case {
    const char* caption;
    int count;
  };
  for (const Case& c : {Case{"MJ Rivers (Easy)", 84}, Case{"MJ Rivers (Hard)", 144}, Case{"MJ Memory (Easy)", 32},
                        Case{"MJ Memory (Hard)", 84}}) {
    for (std::uint32_t clockSeed : {4242u, 7u}) {
      engine.SetClockSeedOverride(clockSeed);
      Dealt d;
      Lcg g{clockSeed};
      const std::string caption = c.caption;
      if (caption == "MJ Rivers (Hard)") {
        FlatBlock(d, g, 1, 72, 1, 12, 2, 6, 2, 2);
        FlatBlock(d, g, 73, 144, 2, 12, 2, 6, 2, 2);
      } else if (caption == "MJ Memory (Easy)") {
        FlatBlock(d, g, 1, 32, 1, 8, 5, 4, 3, 0);
      } else {
        FlatBlock(d, g, 1, c.count, 1, 14, 2, 6, 2, 0);
      }
      d.seed = g.seed;
      if (caption.find("Rivers") != std::string::npos)
        engine.NewRiversGame(LevelNamedIn(caption));
      else
        engine.NewMemoryGame(LevelNamedIn(caption));
      ExpectEngineHas(d, caption + " " + std::to_string(clockSeed));
      EXPECT_EQ(engine.Game().Board.TilesLeft, c.count);
    }
  }
  // Known values: Rivers Easy and Memory Hard draw alike; Memory Easy keeps
  // to its middle block.
  Dealt easy;
  Lcg g{4242};
  FlatBlock(easy, g, 1, 84, 1, 14, 2, 6, 2, 0);
  EXPECT_EQ(easy.at[1], (Spot{6, 9, 1}));
  EXPECT_EQ(easy.at[6], (Spot{10, 13, 1}));
  EXPECT_EQ(g.seed, 1484025672u);
  Dealt small;
  Lcg h{4242};
  FlatBlock(small, h, 1, 32, 1, 8, 5, 4, 3, 0);
  EXPECT_EQ(small.at[1], (Spot{10, 9, 1}));
  EXPECT_EQ(small.at[4], (Spot{22, 13, 1}));
  EXPECT_EQ(h.seed, 3025141036u);
}

// The plain shuffle goes on from the numbered deal's generator; the winnable
// one seeds from the clock. Both after a few moves, in the engine and here.
TEST_F(DrawOrderTest, BothShufflesDrawInTheirOrder) {
  for (bool winnable : {false, true}) {
    engine.MutableOptions().Winnable = true;
    engine.MutableOptions().Shuffable = winnable;
    engine.MutableGame().GameSeed = 1;
    engine.NewNumberedGame();
    Dealt d = WinnableDeal(traditional, 1);
    ExpectEngineHas(d, "deal");
    // The first three pairs of the dealer's removal order.
    for (int i = 0; i < 6; ++i) {
      const board::Cell c = engine.LastRemovalOrder().RemovalPairs[static_cast<std::size_t>(i)];
      const int t = d.cells.Get(c.x, c.y, c.z);
      Click(t);
      d.at[t] = Spot{};
      d.cells.Put(c.x, c.y, c.z, 0);
    }
    ASSERT_EQ(engine.Game().Board.TilesLeft, 138);
    engine.SetClockSeedOverride(99u);
    engine.Shuffle();
    Lcg g{d.seed};
    if (winnable)
      WinnableShuffle(d, 99u);
    else {
      PlainShuffle(d, g);
      d.seed = g.seed;
    }
    ExpectEngineHas(d, winnable ? "winnable shuffle" : "plain shuffle");
    const int n = MovesLeft(d.cells, d.at);
    EXPECT_EQ(engine.StatusMessage(), "Tiles shuffled. " + std::to_string(n) + " new moves found.");
  }
}

}  // namespace
}  // namespace game::testing
