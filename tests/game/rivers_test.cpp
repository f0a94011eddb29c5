// Mah-Jongg Rivers: the deal, the path search with its margins and limits,
// the slide and its undo.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

// Lattice place (i, j): x = 2i (2..32), y = 2j + 1 (1..19).
constexpr int X(int i) { return 2 * i; }
constexpr int Y(int j) { return 2 * j + 1; }
constexpr std::uint8_t kWall = 144;  // a blocker of a group no test pairs

class RiversTest : public EngineTest {
 protected:
  void Wall(int i, int j, int z = 1) { engine.MutableGame().Board.Board.Set(X(i), Y(j), z, kWall); }
};

TEST_F(RiversTest, EasyDealFillsOneLayerBlock) {
  engine.NewRiversGame(game::Difficulty::Easy);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Rivers));
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversEasyTable);
  EXPECT_EQ(engine.Game().SavedLayoutNumber, 1);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 84);
  EXPECT_EQ(engine.Game().Board.TileCount, 84);
  EXPECT_EQ(engine.StatusMessage(), "Mahjongg Rivers started.");
  std::set<std::pair<int, int>> places;
  for (int t = 1; t <= 84; ++t) {
    const board::Cell c = engine.Game().Board.TilePlaces[t];
    EXPECT_EQ(c.z, 1);
    EXPECT_TRUE(c.x >= 4 && c.x <= 30 && c.x % 2 == 0) << c.x;
    EXPECT_TRUE(c.y >= 5 && c.y <= 15 && c.y % 2 == 1) << c.y;
    places.insert({c.x, c.y});
  }
  EXPECT_EQ(places.size(), 84u);
  for (int t = 85; t <= 144; ++t) EXPECT_FALSE(OnBoard(t));
}

TEST_F(RiversTest, HardDealStacksTwoFullLayers) {
  engine.NewRiversGame(game::Difficulty::Hard);
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversHardTable);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  for (int t = 1; t <= 144; ++t) {
    const board::Cell c = engine.Game().Board.TilePlaces[t];
    EXPECT_EQ(c.z, t <= 72 ? 1 : 2);
    EXPECT_TRUE(c.x >= 6 && c.x <= 28) << c.x;
    if (c.z == 2) {
      EXPECT_NE(engine.Game().Board.Board.At(c.x, c.y, 1), 0);  // exactly on a layer-1 tile
    }
  }
}

TEST_F(RiversTest, SideBySidePairGoesWithoutASlide) {
  Lay(game::GameKind::Rivers, {{1, X(5), Y(2), 1}, {2, X(6), Y(2), 1}, {5, X(7), Y(2), 1}});
  const int e = NextHistory();
  ClickPair(1, 2);
  EXPECT_FALSE(OnBoard(1));
  EXPECT_FALSE(OnBoard(2));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 1);
  EXPECT_EQ(screen.Updates, 0);
  EXPECT_EQ(sound.Last(), "done");
  EXPECT_EQ(engine.Game().History[e].tile, 1);
  EXPECT_EQ(engine.Game().History[e].x, X(5));
  EXPECT_EQ(engine.Game().History[e + 1].tile, 2);
}

TEST_F(RiversTest, MarginColumnPathSlidesTheFirstTileAndBackPutsItBack) {
  // Column x 4 holds 1 (top), 5, 2 (bottom); column x 6 is full beside them.
  Lay(game::GameKind::Rivers, {{1, X(2), Y(2), 1}, {5, X(2), Y(3), 1}, {2, X(2), Y(4), 1},
                   {9, X(3), Y(2), 1}, {13, X(3), Y(3), 1}, {17, X(3), Y(4), 1}});
  const board::TilePlaceTable before = engine.Game().Board.TilePlaces;
  const int e = NextHistory();
  ClickPair(1, 2);
  EXPECT_FALSE(OnBoard(1));
  EXPECT_FALSE(OnBoard(2));
  // The path: left into the margin, up two places, right onto tile 1. Tile 1
  // slid back along it: (2, 5) -> (2, 7) -> (2, 9), next to tile 2.
  EXPECT_EQ(screen.Updates, 3);
  EXPECT_FALSE(engine.Game().Slide.Active);
  EXPECT_EQ(engine.Game().Slide.X, 2);
  EXPECT_EQ(engine.Game().Slide.Y, Y(4));
  EXPECT_EQ(engine.Game().Board.Board.At(2, Y(4), 1), 0);
  EXPECT_EQ(engine.Game().History[e].x, X(2));
  EXPECT_EQ(engine.Game().History[e].y, Y(2));

  engine.Back();
  EXPECT_EQ(engine.Game().Board.TilePlaces, before);
  EXPECT_EQ(engine.Game().Board.Board.At(X(2), Y(2), 1), 1);
  EXPECT_EQ(engine.Game().Board.Board.At(2, Y(4), 1), 0);
}

TEST_F(RiversTest, WithoutTheAnimationThePairGoesFromWhereItLies) {
  engine.MutableOptions().AnimateTileRivers = false;
  Lay(game::GameKind::Rivers, {{1, X(2), Y(2), 1}, {5, X(2), Y(3), 1}, {2, X(2), Y(4), 1},
                   {9, X(3), Y(2), 1}, {13, X(3), Y(3), 1}, {17, X(3), Y(4), 1}});
  ClickPair(1, 2);
  EXPECT_EQ(screen.Updates, 0);
  EXPECT_FALSE(OnBoard(1));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 4);
}

TEST_F(RiversTest, TopRowOfAFullBlockPairsThroughTheMarginRow) {
  // The whole Easy block full; tiles 1 and 2 on its top row with 5 between.
  std::vector<Placed> tiles;
  int next = 3;
  auto other = [&next] { return next++; };
  for (int j = 2; j <= 7; ++j)
    for (int i = 2; i <= 15; ++i) {
      const int t = (j == 2 && i == 2) ? 1 : (j == 2 && i == 4) ? 2 : other();
      tiles.push_back({t, X(i), Y(j), 1});
    }
  engine.MutableGame().Board.Board.Clear();
  for (auto& p : engine.MutableGame().Board.TilePlaces) p = board::Cell{};
  for (const Placed& p : tiles) engine.MutableGame().Board.PutTile(p.tile, board::Cell{p.x, p.y, p.z});
  engine.MutableGame().Board.TilesLeft = engine.MutableGame().Board.TileCount = 84;
  engine.SetMode(game::GameKind::Rivers, game::GamePhase::Running);
  ASSERT_EQ(engine.Game().Board.Board.At(X(2), Y(2), 1), 1);
  ASSERT_EQ(engine.Game().Board.Board.At(X(4), Y(2), 1), 2);
  EXPECT_TRUE(engine.CanBeReached(2, 1));
  // Not a pair through the block's inside: one row down is refused.
  EXPECT_FALSE(engine.CanBeReached(engine.Game().Board.Board.At(X(4), Y(3), 1), 1));
}

TEST_F(RiversTest, APathNeedingThreeTurnsIsRefused) {
  // Everything walled in but a corridor: right, down, left, down from A to B.
  engine.SetMode(game::GameKind::Rivers, game::GamePhase::Running);
  engine.MutableGame().Board.Board.Clear();
  for (auto& p : engine.MutableGame().Board.TilePlaces) p = board::Cell{};
  for (int i = 1; i <= 16; ++i)
    for (int j = 0; j <= 9; ++j) Wall(i, j);
  const std::pair<int, int> corridor[] = {{4, 3}, {5, 3}, {5, 4}, {5, 5}, {4, 5}, {3, 5}, {3, 6}};
  for (auto [i, j] : corridor) engine.MutableGame().Board.Board.Set(X(i), Y(j), 1, 0);
  engine.MutableGame().Board.PutTile(1, board::Cell{X(3), Y(7), 1});  // B, clicked first
  engine.MutableGame().Board.PutTile(2, board::Cell{X(3), Y(3), 1});  // A, clicked second
  engine.MutableGame().Board.TilesLeft = engine.MutableGame().Board.TileCount = 2;
  ClickPair(1, 2);
  EXPECT_TRUE(OnBoard(1));
  EXPECT_TRUE(OnBoard(2));
  EXPECT_EQ(engine.Game().Picks.First, 2);  // the second tile becomes the selection
  EXPECT_EQ(sound.Last(), "select");
  // Open the place below A: now a straight line joins them.
  engine.MutableGame().Board.Board.Set(X(3), Y(4), 1, 0);
  EXPECT_TRUE(engine.CanBeReached(2, 1));
}

TEST_F(RiversTest, LayersNeverPairInHard) {
  Lay(game::GameKind::Rivers, {{1, X(5), Y(2), 1}, {2, X(6), Y(2), 2}, {3, X(6), Y(2), 1}, {73, X(5), Y(2), 2}});
  EXPECT_FALSE(engine.CanBeReached(2, 1));
  // Layer-2 tiles do not stand in a layer-1 path.
  EXPECT_TRUE(engine.CanBeReached(3, 1));
}

TEST_F(RiversTest, NoDeadEndNoticeNoHintAndAShuffleWithoutMessage) {
  Lay(game::GameKind::Rivers, {{1, X(5), Y(2), 1}, {5, X(9), Y(2), 1}});
  engine.MutableGame().Board.MovesLeft = 0;
  engine.Tick();
  EXPECT_FALSE(engine.Game().Picks.NoMovesShown);
  EXPECT_EQ(screen.Moves, "");
  engine.Hint();
  EXPECT_EQ(engine.Game().Picks.HintFirst, 0);
  engine.ShowStatus("x");
  engine.Shuffle();
  EXPECT_EQ(engine.StatusMessage(), "x");
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
  EXPECT_TRUE(OnBoard(1));
  EXPECT_TRUE(OnBoard(5));
}

// The first path in the search order, written out as plain nested loops:
// first segment right, left, down, up from A; at every empty place a second
// segment across it (after a row: down, up; after a column: right, left);
// at every empty place of that a third segment across again. An occupied
// place ends its segment. Returns the places the first tile slides through,
// from B to the place next to A, or nothing.
std::vector<std::pair<int, int>> FirstPath(const board::Grid& g, int z, std::pair<int, int> a,
                                           std::pair<int, int> b) {
  using P = std::pair<int, int>;
  const P right{2, 0}, left{-2, 0}, down{0, 2}, up{0, -2};
  auto across = [&](P d) { return d.first != 0 ? std::vector<P>{down, up} : std::vector<P>{right, left}; };
  auto canStep = [](P at, P d) {
    if (d.first > 0) return at.first < 32;
    if (d.first < 0) return at.first > 2;
    if (d.second > 0) return at.second < 18;
    return at.second > 2;
  };
  auto step = [](P at, P d) { return P{at.first + d.first, at.second + d.second}; };
  auto busy = [&](P at) { return g.At(at.first, at.second, z) != 0; };
  // Places from `to` back towards `from`, `from` left out.
  auto back = [](std::vector<P>& path, P to, P from, P d) {
    for (P at = to; at != from; at = P{at.first - d.first, at.second - d.second}) path.push_back(at);
  };
  for (P d1 : {right, left, down, up}) {
    for (P p = a; canStep(p, d1);) {
      p = step(p, d1);
      if (busy(p)) {
        if (p != b) break;
        std::vector<P> path;
        back(path, p, a, d1);
        return path;
      }
      for (P d2 : across(d1)) {
        for (P q = p; canStep(q, d2);) {
          q = step(q, d2);
          if (busy(q)) {
            if (q != b) break;
            std::vector<P> path;
            back(path, q, p, d2);
            back(path, p, a, d1);
            return path;
          }
          for (P d3 : across(d2)) {
            for (P r = q; canStep(r, d3);) {
              r = step(r, d3);
              if (!busy(r)) continue;
              if (r != b) break;
              std::vector<P> path;
              back(path, r, q, d3);
              back(path, q, p, d2);
              back(path, p, a, d1);
              return path;
            }
          }
        }
      }
    }
  }
  return {};
}

// Every pair of one group on thinned-out Easy and Hard boards: the engine
// finds a path exactly when the plain search does, and slides the first
// tile through exactly the same places.
TEST_F(RiversTest, SearchOrderAndSlideMatchAPlainSearch) {
  int found = 0, refused = 0;
  for (const char* caption : {"MJ Rivers (Easy)", "MJ Rivers (Hard)"}) {
    for (std::uint32_t seed : {11u, 2024u}) {
      engine.SetClockSeedOverride(seed);
      engine.NewRiversGame(LevelNamedIn(caption));
      // Take out about half of the tiles, the same ones every run.
      board::Generator thin{seed, 0};
      for (int t = 1; t <= engine.Game().Board.TileCount; ++t)
        if (thin.NextRandom(2) == 0) engine.MutableGame().Board.TakeTile(t);
      const board::BoardState start = engine.Game().Board;
      for (int s = 1; s <= start.TileCount; ++s)
        for (int t = 1; t <= start.TileCount; ++t) {
          const board::Cell cs = start.TilePlaces[s], ct = start.TilePlaces[t];
          if (s == t || board::Group(s) != board::Group(t) || !cs.OnBoard() || !ct.OnBoard()) continue;
          const auto expected = cs.z == ct.z ? FirstPath(start.Board, cs.z, {ct.x, ct.y}, {cs.x, cs.y})
                                             : std::vector<std::pair<int, int>>{};
          engine.MutableGame().Board = start;
          screen.TileAreas.clear();
          const bool reached = engine.CanBeReached(t, s);
          ASSERT_EQ(reached, !expected.empty()) << caption << " tiles " << s << ", " << t;
          if (!reached) {
            ++refused;
            EXPECT_EQ(engine.Game().Board.TilePlaces, start.TilePlaces);
            continue;
          }
          ++found;
          // Each step repaints the old place, then the new one; B itself is
          // where the slide starts.
          std::vector<std::pair<int, int>> slid;
          for (std::size_t i = 1; i < screen.TileAreas.size(); i += 2)
            slid.push_back({screen.TileAreas[i].x, screen.TileAreas[i].y});
          const std::vector<std::pair<int, int>> path(expected.begin() + 1, expected.end());
          EXPECT_EQ(slid, path) << caption << " tiles " << s << ", " << t;
          const board::Cell end = engine.Game().Board.TilePlaces[s];
          EXPECT_EQ((std::pair<int, int>{end.x, end.y}), expected.back());
          EXPECT_EQ(engine.Game().Board.Board.At(end.x, end.y, end.z), s);
          EXPECT_EQ(engine.Game().Board.Board.At(cs.x, cs.y, cs.z), expected.size() == 1 ? s : 0);
        }
    }
  }
  // Both answers occur often enough to mean something.
  EXPECT_GT(found, 100);
  EXPECT_GT(refused, 100);
}

TEST_F(RiversTest, ClearingTheBoardEndsTheGameInTheRiversTable) {
  engine.NewRiversGame(game::Difficulty::Hard);
  Lay(game::GameKind::Rivers, {{1, X(5), Y(2), 1}, {2, X(6), Y(2), 1}});
  clock.AdvanceSeconds(200);
  engine.Tick();
  ClickPair(1, 2);
  engine.Tick();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 03:20");
  EXPECT_EQ(engine.Hall().RankReached(), 1);
  EXPECT_EQ(HallEntryTime(engine.Hall().Entry(game::kRiversHardTable, 1)), 200);
  EXPECT_EQ(HallEntryTime(engine.Hall().Entry(1, 1)), 300);
}

}  // namespace
}  // namespace game::testing
