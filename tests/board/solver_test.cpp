// The solver: positions whose answer is known, a cross-check against a plain
// exhaustive search on small random positions, budgets, and the winnable
// deals of every shipped layout.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <thread>
#include <unordered_map>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "board/solver.h"
#include "test_layouts.h"

namespace board {
namespace {

namespace fs = std::filesystem;

BoardState With(std::initializer_list<std::pair<int, Cell>> tiles) {
  BoardState s;
  for (const auto& [t, c] : tiles) s.PutTile(t, c);
  return s;
}

SolveResult Decide(const BoardState& s, bool vertical = false, bool pairingsOnly = false) {
  Solver solver;
  solver.UsePairingsOnly(pairingsOnly);
  return solver.Solve(s, vertical);
}

// The hand-built positions go through the usual search and through the
// search on pairings alone, which the usual one reaches only on hard
// positions.
class SolverBothWays : public ::testing::TestWithParam<bool> {
 protected:
  SolveResult Decide(const BoardState& s, bool vertical = false) const { return board::Decide(s, vertical, GetParam()); }
};
INSTANTIATE_TEST_SUITE_P(Solver, SolverBothWays, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "PairingsOnly" : "Usual"; });

TEST_P(SolverBothWays, SmallPositionsWithKnownAnswers) {
  // The empty board is won already.
  EXPECT_EQ(Decide(BoardState{}).Answer, Verdict::Winnable);
  // A pair side by side.
  SolveResult r = Decide(With({{1, {1, 1, 1}}, {2, {3, 1, 1}}}));
  ASSERT_EQ(r.Answer, Verdict::Winnable);
  EXPECT_EQ(r.Order, (std::vector<TilePair>{{1, 2}}));
  // The two tiles of a group, one on the other: never both free.
  EXPECT_EQ(Decide(With({{1, {1, 1, 1}}, {2, {1, 1, 2}}})).Answer, Verdict::Unwinnable);
  // Three tiles of a group in one pile and the fourth beside it: no pairing
  // keeps stacked tiles apart.
  EXPECT_EQ(Decide(With({{1, {1, 1, 1}}, {2, {1, 1, 2}}, {3, {2, 2, 3}}, {4, {5, 1, 1}}})).Answer,
            Verdict::Unwinnable);
  // Two groups holding each other down: 5 lies on 1, 2 lies on 6.
  EXPECT_EQ(Decide(With({{1, {1, 1, 1}}, {5, {1, 1, 2}}, {6, {5, 1, 1}}, {2, {5, 1, 2}}})).Answer,
            Verdict::Unwinnable);
  // In a row of four, the normal rule frees only the ends: A B A B locks;
  // under the vertical rule the row is all free.
  const BoardState row = With({{1, {1, 1, 1}}, {5, {3, 1, 1}}, {2, {5, 1, 1}}, {6, {7, 1, 1}}});
  EXPECT_EQ(Decide(row).Answer, Verdict::Unwinnable);
  EXPECT_EQ(Decide(row, true).Answer, Verdict::Winnable);
  // An odd tile out can never leave.
  EXPECT_EQ(Decide(With({{1, {1, 1, 1}}, {2, {5, 1, 1}}, {3, {9, 1, 1}}})).Answer, Verdict::Unwinnable);
}

TEST_P(SolverBothWays, FindsTheOnlyPairingThatWins) {
  // Tiles 1..4 of one group: 2 lies on 1 and 4 on 3, so 1 and 2 never pair,
  // and pairing 1 with 4 would wait for 3, which waits for 4. Only 2-4 then
  // 1-3 clears the board.
  const BoardState s = With({{1, {1, 1, 1}}, {2, {1, 1, 2}}, {3, {5, 1, 1}}, {4, {5, 1, 2}}});
  const SolveResult r = Decide(s);
  ASSERT_EQ(r.Answer, Verdict::Winnable);
  EXPECT_EQ(r.Order, (std::vector<TilePair>{{2, 4}, {1, 3}}));
  // Three free tiles of a group and the fourth under 5, whose partner 6 lies
  // under 1: 2 with 3 would leave 1 and 4 to wait on each other.
  const BoardState t = With({{6, {1, 1, 1}}, {1, {1, 1, 2}}, {4, {5, 1, 1}}, {5, {5, 1, 2}}, {2, {9, 1, 1}},
                             {3, {13, 1, 1}}});
  const SolveResult u = Decide(t);
  ASSERT_EQ(u.Answer, Verdict::Winnable);
  EXPECT_TRUE(OrderClearsBoard(t, false, u.Order));
  for (const auto& p : u.Order) EXPECT_NE(p, (TilePair{2, 3}));
}

TEST(Solver, ReplayRejectsOrdersTheRulesForbid) {
  const BoardState s = With({{1, {1, 1, 1}}, {2, {5, 1, 1}}, {5, {1, 1, 2}}, {6, {9, 1, 1}}});
  EXPECT_TRUE(OrderClearsBoard(s, false, {{5, 6}, {1, 2}}));
  EXPECT_FALSE(OrderClearsBoard(s, false, {{1, 2}, {5, 6}}));  // 1 is covered
  EXPECT_FALSE(OrderClearsBoard(s, false, {{5, 6}}));          // tiles left
  EXPECT_FALSE(OrderClearsBoard(s, false, {{5, 6}, {1, 1}}));  // not a pair
  EXPECT_FALSE(OrderClearsBoard(s, false, {{5, 6}, {1, 200}}));
}

// ---- cross-check against every order of play on small random positions

struct SmallPosition {
  BoardState State;
  int Count = 0;
};

// Up to `groups` groups (two or four tiles each) on random non-overlapping
// places of a small table, up to three layers, resting or not, and `fixed`
// cells that hold no tile: they never leave, and block like a tile.
SmallPosition RandomPosition(std::mt19937& rng, int groups, int fixed = 0) {
  SmallPosition p;
  std::vector<Cell> used;
  auto place = [&]() -> Cell {
    for (;;) {
      const Cell c{static_cast<int>(rng() % 10) + 1, static_cast<int>(rng() % 6) + 1, static_cast<int>(rng() % 3) + 1};
      bool clash = false;
      for (const Cell& u : used) clash = clash || (u.z == c.z && std::abs(u.x - c.x) < 2 && std::abs(u.y - c.y) < 2);
      if (!clash) return c;
    }
  };
  for (int g = 0; g < groups; ++g) {
    const int n = rng() % 3 == 0 ? 2 : 4;
    for (int k = 0; k < n; ++k) {
      const Cell c = place();
      used.push_back(c);
      p.State.PutTile(4 * g + k + 1, c);
      ++p.Count;
    }
  }
  for (int k = 0; k < fixed; ++k) {
    const Cell c = place();
    used.push_back(c);
    p.State.Board.Set(c.x, c.y, c.z, PlaceMarker);
  }
  return p;
}

// Every order of play, with the positions already seen remembered.
bool WinnableByEveryOrder(const BoardState& s, bool vertical, std::uint32_t mask,
                          std::unordered_map<std::uint32_t, bool>& seen, const std::vector<int>& tiles) {
  if (mask == 0) return true;
  if (auto it = seen.find(mask); it != seen.end()) return it->second;
  bool won = false;
  const int n = static_cast<int>(tiles.size());
  for (int i = 0; i < n && !won; ++i) {
    if (!((mask >> i) & 1u)) continue;
    if (!(vertical ? IsTileFreeVertical(s, tiles[static_cast<std::size_t>(i)]) : IsTileFree(s, tiles[static_cast<std::size_t>(i)])))
      continue;
    for (int j = i + 1; j < n && !won; ++j) {
      if (!((mask >> j) & 1u)) continue;
      const int a = tiles[static_cast<std::size_t>(i)], b = tiles[static_cast<std::size_t>(j)];
      if (Group(a) != Group(b) || !(vertical ? IsTileFreeVertical(s, b) : IsTileFree(s, b))) continue;
      BoardState next = s;
      next.TakeTile(a);
      next.TakeTile(b);
      won = WinnableByEveryOrder(next, vertical, mask & ~(1u << i) & ~(1u << j), seen, tiles);
    }
  }
  seen[mask] = won;
  return won;
}

TEST_P(SolverBothWays, AgreesWithEveryOrderOfPlayOnSmallPositions) {
  std::mt19937 rng(20261207);
  Solver solver;
  solver.UsePairingsOnly(GetParam());
  int won = 0, lost = 0;
  for (int round = 0; round < 400; ++round) {
    // 6 to 24 tiles, every third position with cells that never leave
    const SmallPosition p = RandomPosition(rng, 3 + round % 4, round % 3 == 0 ? 1 + round % 4 : 0);
    const bool vertical = round % 2 == 1;
    std::vector<int> tiles;
    for (int t = 1; t <= MaxTiles; ++t)
      if (p.State.TilePlaces[t].OnBoard()) tiles.push_back(t);
    std::unordered_map<std::uint32_t, bool> seen;
    const bool expected = WinnableByEveryOrder(p.State, vertical, (1u << tiles.size()) - 1, seen, tiles);
    const SolveResult r = solver.Solve(p.State, vertical);
    ASSERT_EQ(r.Answer, expected ? Verdict::Winnable : Verdict::Unwinnable) << "round " << round;
    if (expected) {
      EXPECT_TRUE(OrderClearsBoard(p.State, vertical, r.Order)) << "round " << round;
      ++won;
    } else {
      ++lost;
    }
  }
  // Both answers were met often enough to mean something.
  EXPECT_GT(won, 50);
  EXPECT_GT(lost, 50);
}

// Tiles numbered after many cells that hold none fall in the last word of
// the solver's sets of items. Raised one layer onto a floor of such cells,
// which lie underneath and hold nothing down, a position must be decided as
// it is on its own.
TEST_P(SolverBothWays, TilesNumberedAfterManyFixedCellsDecideAsAlone) {
  std::mt19937 rng(4409);
  int won = 0;
  for (int round = 0; round < 60; ++round) {
    const SmallPosition p = RandomPosition(rng, 3 + round % 4);
    const bool vertical = round % 2 == 1;
    BoardState raised;
    for (int y = 1; y <= 17; y += 2)
      for (int x = 1; x <= 33; x += 2) raised.Board.Set(x, y, 1, PlaceMarker);  // 153 cells
    for (int t = 1; t <= MaxTiles; ++t)
      if (const Cell c = p.State.TilePlaces[t]; c.OnBoard()) raised.PutTile(t, Cell{c.x, c.y, c.z + 1});
    const SolveResult alone = Decide(p.State, vertical), high = Decide(raised, vertical);
    ASSERT_NE(alone.Answer, Verdict::Undecided) << "round " << round;
    ASSERT_EQ(high.Answer, alone.Answer) << "round " << round;
    if (high.Answer == Verdict::Winnable) {
      EXPECT_TRUE(OrderClearsBoard(raised, vertical, high.Order)) << "round " << round;
      ++won;
    }
  }
  EXPECT_GT(won, 10);
}

// ---- budgets

BoardState PlainTraditionalDeal(std::uint32_t seed) {
  BoardState s;
  Generator g;
  PrepareBoard(s, testing::Turtle());
  ChooseSeed(g, SeedChoice::Exact(seed));
  PlainDeal(s, g, nullptr);
  return s;
}

TEST_P(SolverBothWays, BudgetsEndTheSearchUndecided) {
  const BoardState s = PlainTraditionalDeal(1);
  Solver solver;
  solver.UsePairingsOnly(GetParam());
  SolveLimits few;
  few.MaxNodes = 2;
  EXPECT_EQ(solver.Solve(s, false, few).Answer, Verdict::Undecided);
  std::atomic<bool> stop{true};
  SolveLimits stopped;
  stopped.Stop = &stop;
  const SolveResult r = solver.Solve(s, false, stopped);
  EXPECT_EQ(r.Answer, Verdict::Undecided);
  EXPECT_TRUE(r.Order.empty());
  // The tables are back to their small size after a solve.
  EXPECT_LE(solver.TableBytes(), std::size_t{1} << 20);
}

// A budget only cuts the search short: with exactly the nodes a solve needed
// the answer, the order and the count are the same, with half of them the
// answer is "undecided". A time bound already passed stops at the first
// node.
TEST_P(SolverBothWays, ABudgetChangesNothingButWhereTheSearchStops) {
  Solver solver;
  solver.UsePairingsOnly(GetParam());
  int cut = 0;
  for (const std::uint32_t seed : {8u, 1255u, 2u}) {
    const BoardState s = PlainTraditionalDeal(seed);
    const SolveResult full = solver.Solve(s, false);
    ASSERT_NE(full.Answer, Verdict::Undecided) << "seed " << seed;
    SolveLimits exact;
    exact.MaxNodes = full.Nodes;
    const SolveResult same = solver.Solve(s, false, exact);
    EXPECT_EQ(same.Answer, full.Answer) << "seed " << seed;
    EXPECT_EQ(same.Order, full.Order) << "seed " << seed;
    EXPECT_EQ(same.Nodes, full.Nodes) << "seed " << seed;
    if (full.Nodes < 4000) continue;  // too few to halve past a guess at every pairing
    ++cut;
    SolveLimits half;
    half.MaxNodes = full.Nodes / 2;
    const SolveResult r = solver.Solve(s, false, half);
    EXPECT_EQ(r.Answer, Verdict::Undecided) << "seed " << seed;
    EXPECT_TRUE(r.Order.empty()) << "seed " << seed;
    SolveLimits late;
    late.MaxTime = std::chrono::milliseconds(0);
    EXPECT_EQ(solver.Solve(s, false, late).Answer, Verdict::Undecided) << "seed " << seed;
    late.ProcessorTime = true;
    EXPECT_EQ(solver.Solve(s, false, late).Answer, Verdict::Undecided) << "seed " << seed;
  }
  EXPECT_GE(cut, 1);
}

// A bound on processor time counts only the solving thread's own work: a
// solve that needs far less than the bound gives the same answer, order and
// count as one without a bound, and a thread that waits uses none of it.
TEST(Solver, AProcessorTimeBoundCountsTheSolvingThreadOnly) {
  const BoardState s = PlainTraditionalDeal(8);
  Solver solver;
  const SolveResult unbounded = solver.Solve(s, false);
  SolveLimits limits;
  limits.MaxTime = std::chrono::milliseconds(60'000);
  limits.ProcessorTime = true;
  const SolveResult bounded = solver.Solve(s, false, limits);
  EXPECT_EQ(bounded.Answer, unbounded.Answer);
  EXPECT_EQ(bounded.Order, unbounded.Order);
  EXPECT_EQ(bounded.Nodes, unbounded.Nodes);
  // Another thread's work does not count against this one's bound.
  std::atomic<bool> busy{true};
  std::thread other([&] {
    volatile std::uint64_t spin = 0;
    while (busy.load()) spin = spin + 1;
  });
  const SolveResult meanwhile = solver.Solve(s, false, limits);
  busy = false;
  other.join();
  EXPECT_EQ(meanwhile.Answer, unbounded.Answer);
}

// The game stops a search from its own thread when a newer move comes: the
// solve then ends, and whatever it answers is right; the solver decides the
// next position as a fresh one would.
TEST(Solver, AStopFromAnotherThreadEndsTheSolve) {
  const BoardState hard = PlainTraditionalDeal(1255);  // cannot be won; long to prove
  Solver solver;
  std::atomic<bool> stop{false};
  SolveLimits limits;
  limits.Stop = &stop;
  SolveResult r;
  std::thread worker([&] { r = solver.Solve(hard, false, limits); });
  stop = true;
  worker.join();
  EXPECT_NE(r.Answer, Verdict::Winnable);
  if (r.Answer == Verdict::Undecided) {
    EXPECT_TRUE(r.Order.empty());
  }
  const BoardState next = PlainTraditionalDeal(2);
  const SolveResult after = solver.Solve(next, false);
  Solver fresh;
  const SolveResult expected = fresh.Solve(next, false);
  EXPECT_EQ(after.Answer, expected.Answer);
  EXPECT_EQ(after.Order, expected.Order);
}

// Positions in the middle of a game: groups with two tiles left, others
// with four. Every position along a winning order is still winnable, and
// both searches find an order the rules accept, under either free rule.
TEST_P(SolverBothWays, EveryPositionAlongAWinningOrderIsWinnable) {
  Solver solver;
  solver.UsePairingsOnly(GetParam());
  for (const bool vertical : {false, true}) {
    BoardState s;
    Generator g;
    PrepareBoard(s, testing::Turtle());
    ChooseSeed(g, SeedChoice::Exact(vertical ? 41 : 40));
    PlainDeal(s, g, nullptr);
    const SolveResult first = solver.Solve(s, vertical);
    ASSERT_EQ(first.Answer, Verdict::Winnable) << "vertical " << vertical;
    const std::vector<TilePair> order = first.Order;
    ASSERT_EQ(order.size(), std::size_t{MaxTiles / 2});
    for (std::size_t k = 0; k < order.size(); k += 7) {
      BoardState mid = s;
      for (std::size_t j = 0; j < k; ++j) {
        mid.TakeTile(order[j].first);
        mid.TakeTile(order[j].second);
      }
      const SolveResult r = solver.Solve(mid, vertical);
      ASSERT_EQ(r.Answer, Verdict::Winnable) << "after " << k << " pairs, vertical " << vertical;
      EXPECT_TRUE(OrderClearsBoard(mid, vertical, r.Order)) << "after " << k << " pairs";
      EXPECT_EQ(r.Order.size(), order.size() - k);
    }
  }
}

// The game keeps one solver for every position of a line of play: what one
// solve learns (losses, stuck groups, pairings ruled out) must not leak into
// the next, nor may a budget cut short earlier change a later answer.
TEST(Solver, AReusedSolverAnswersAsAFreshOne) {
  const std::vector<std::uint32_t> seeds{1255, 1, 2, 851, 3, 1255};
  Solver reused;
  SolveLimits few;
  few.MaxNodes = 300;
  for (const std::uint32_t seed : seeds) {
    const BoardState s = PlainTraditionalDeal(seed);
    reused.Solve(PlainTraditionalDeal(seed + 1), false, few);  // cut short on purpose
    const SolveResult again = reused.Solve(s, false);
    Solver fresh;
    const SolveResult first = fresh.Solve(s, false);
    ASSERT_NE(first.Answer, Verdict::Undecided) << "seed " << seed;
    EXPECT_EQ(again.Answer, first.Answer) << "seed " << seed;
    EXPECT_EQ(again.Order, first.Order) << "seed " << seed;
    EXPECT_EQ(again.Nodes, first.Nodes) << "seed " << seed;
  }
}

// Deals of Traditional whose answer took the old search seconds: each is
// lost through a few groups tangled deep in the pile. Both searches must
// agree on them, and on the first plain deals.
TEST(Solver, BothSearchesAgreeOnTraditionalDeals) {
  Solver usual, pairings;
  pairings.UsePairingsOnly(true);
  SolveLimits limits;
  limits.MaxNodes = 2'000'000;
  for (const std::uint32_t seed : {683u, 851u, 1255u, 1332u}) {
    const BoardState s = PlainTraditionalDeal(seed);
    EXPECT_EQ(usual.Solve(s, false, limits).Answer, Verdict::Unwinnable) << "seed " << seed;
    EXPECT_EQ(pairings.Solve(s, false, limits).Answer, Verdict::Unwinnable) << "seed " << seed;
  }
  int won = 0;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const BoardState s = PlainTraditionalDeal(seed);
    const SolveResult a = usual.Solve(s, false, limits);
    const SolveResult b = pairings.Solve(s, false, limits);
    ASSERT_NE(a.Answer, Verdict::Undecided) << "seed " << seed;
    EXPECT_EQ(a.Answer, b.Answer) << "seed " << seed;
    if (b.Answer == Verdict::Winnable) {
      EXPECT_TRUE(OrderClearsBoard(s, false, b.Order)) << "seed " << seed;
      ++won;
    }
  }
  EXPECT_GT(won, 6);
}

// The quick checks of a node start from the rounds of the node's own check
// where they cannot differ from it. Each such check, made again from the
// start, must end the same way (passed or not, the same tiles stuck), on
// small random positions piled high (many rounds) and on Traditional deals
// that need the lookahead of the later runs, in both searches.
TEST_P(SolverBothWays, ChecksThatResumeEndAsChecksFromTheStart) {
  Solver checked, plain;
  checked.UsePairingsOnly(GetParam());
  plain.UsePairingsOnly(GetParam());
  checked.CheckReuse(true);
  std::mt19937 rng(7126);
  for (int round = 0; round < 300; ++round) {
    BoardState s;
    std::vector<Cell> used;
    // Narrow piles up to five high, so that tiles free one round after
    // another; a place is drawn again until it overlaps no tile.
    const int groups = 3 + round % 3;
    for (int t = 1; t <= 4 * groups; ++t) {
      for (;;) {
        const Cell c{static_cast<int>(rng() % 8) + 1, static_cast<int>(rng() % 4) + 1, static_cast<int>(rng() % 5) + 1};
        bool clash = false;
        for (const Cell& u : used) clash = clash || (u.z == c.z && std::abs(u.x - c.x) < 2 && std::abs(u.y - c.y) < 2);
        if (clash) continue;
        used.push_back(c);
        s.PutTile(t, c);
        break;
      }
    }
    const bool vertical = round % 3 == 2;
    const SolveResult a = checked.Solve(s, vertical), b = plain.Solve(s, vertical);
    ASSERT_EQ(a.Answer, b.Answer) << "round " << round;
    EXPECT_EQ(a.Nodes, b.Nodes) << "round " << round;
  }
  for (const std::uint32_t seed : {3u, 5u, 8u, 11u, 943u}) {
    const BoardState s = PlainTraditionalDeal(seed);
    const SolveResult a = checked.Solve(s, false), b = plain.Solve(s, false);
    ASSERT_EQ(a.Answer, b.Answer) << "seed " << seed;
    EXPECT_EQ(a.Order, b.Order) << "seed " << seed;
    EXPECT_EQ(a.Nodes, b.Nodes) << "seed " << seed;
  }
  EXPECT_EQ(checked.ReuseMismatches(), 0u);
}

TEST(Solver, ABoardTheTableDisagreesWithIsNoPosition) {
  BoardState s = With({{1, {1, 1, 1}}, {2, {5, 1, 1}}});
  s.TilePlaces[2] = Cell{9, 1, 1};  // the grid holds 2 elsewhere
  EXPECT_EQ(Decide(s).Answer, Verdict::Undecided);
  // A cell that holds no tile stays put and blocks like one.
  BoardState t = With({{1, {1, 1, 1}}, {2, {5, 1, 1}}});
  t.Board.Set(3, 1, 2, PlaceMarker);
  t.Board.Set(1, 1, 2, PlaceMarker);
  EXPECT_EQ(Decide(t).Answer, Verdict::Unwinnable);
}

// ---- shipped layouts

TEST(Solver, EveryWinnableDealOfEveryShippedLayoutIsWinnable) {
  const fs::path shipped = fs::path(SORAMI_DATA_DIR) / "Layouts";
  Solver solver;
  int layouts = 0;
  for (const auto& entry : fs::directory_iterator(shipped)) {
    const std::string name = entry.path().filename().string();
    LayoutGrid l;
    if (base::HasExtensionNoCase(name, ".shp"))
      ReadShpFile(entry.path(), l);
    else
      ASSERT_TRUE(ReadLayFile(entry.path(), l).HeaderOk) << name;
    ++layouts;
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
      BoardState s;
      Generator g;
      PrepareBoard(s, l);
      const DealResult d = DealLayout(s, l, g, SeedChoice::Exact(seed), nullptr);
      ASSERT_EQ(d.Outcome, DealOutcome::Winnable) << name;
      const SolveResult r = solver.Solve(s, false);
      EXPECT_EQ(r.Answer, Verdict::Winnable) << name << " seed " << seed;
    }
  }
  EXPECT_GE(layouts, 13);
}

}  // namespace
}  // namespace board
