// Moves: pairs and the history, "Back" and "Restart", hints and shuffles.
#include <set>
#include <string>
#include <vector>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

board::Cell C(int x, int y, int z) { return board::Cell{x, y, z}; }

class MovesTest : public EngineTest {
 protected:
  std::set<std::tuple<int, int, int>> Anchors() const {
    std::set<std::tuple<int, int, int>> out;
    for (int t = 1; t <= board::MaxTiles; ++t) {
      const board::Cell c = engine.Game().Board.TilePlaces[t];
      if (c.OnBoard()) out.insert({c.x, c.y, c.z});
    }
    return out;
  }
  // The board and its tile table agree everywhere.
  void ExpectConsistent() const {
    int count = 0;
    for (int t = 1; t <= board::MaxTiles; ++t) {
      const board::Cell c = engine.Game().Board.TilePlaces[t];
      if (!c.OnBoard()) continue;
      ++count;
      EXPECT_EQ(engine.Game().Board.Board.At(c.x, c.y, c.z), t) << "tile " << t;
    }
    EXPECT_EQ(count, engine.Game().Board.TilesLeft);
  }
  // Plays the first n pairs of the last winnable deal's removal order.
  void PlayPairs(int n) {
    const board::RemovalOrder& order = engine.LastRemovalOrder();
    for (int j = 0; j < n; ++j) {
      const board::Cell a = order.RemovalPairs[2 * j];
      const board::Cell b = order.RemovalPairs[2 * j + 1];
      ClickPair(engine.Game().Board.Board.At(a.x, a.y, a.z), engine.Game().Board.Board.At(b.x, b.y, b.z));
    }
  }
};

TEST_F(MovesTest, RemovingAPairWritesTheHistoryAndBackRestoresIt) {
  engine.MutableOptions().Winnable = true;
  engine.NewRandomGame();
  ASSERT_EQ(engine.LastDealOutcome(), board::DealOutcome::Winnable);
  const board::TilePlaceTable dealt = engine.Game().Board.TilePlaces;

  engine.Back();  // right after the deal: nothing
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);

  PlayPairs(1);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 142);
  const HistoryEntry first = engine.Game().History[0];
  const HistoryEntry second = engine.Game().History[1];
  EXPECT_EQ(C(first.x, first.y, first.z), dealt[first.tile]);
  EXPECT_EQ(C(second.x, second.y, second.z), dealt[second.tile]);
  EXPECT_FALSE(OnBoard(first.tile));

  engine.Back();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.Game().Board.TilePlaces, dealt);
  ExpectConsistent();
}

TEST_F(MovesTest, RestartBringsEveryPairBackAndResetsTheClock) {
  engine.MutableOptions().Winnable = true;
  engine.NewRandomGame();
  const board::TilePlaceTable dealt = engine.Game().Board.TilePlaces;
  PlayPairs(5);
  engine.Hint();
  clock.AdvanceSeconds(77);
  engine.Tick();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 134);
  const int paints = screen.BoardPaints;
  engine.Restart();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.Game().Board.TilePlaces, dealt);
  EXPECT_GE(screen.BoardPaints - paints, 5);  // pair by pair
  EXPECT_EQ(engine.StatusMessage(), "Game restarted.");
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
  EXPECT_EQ(engine.Game().Clock.StartTick, clock.Tick);
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 0);
  engine.Restart();  // at the dealt position: nothing
  EXPECT_EQ(engine.StatusMessage(), "Game restarted.");
}

TEST_F(MovesTest, BackAndRestartDoNothingOnAClearedBoardOrInOtherModes) {
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  ClickPair(1, 2);
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 0);

  Lay(game::GameKind::TwoPlayer, {{1, 4, 4, 1}, {2, 10, 4, 1}, {5, 4, 8, 1}, {6, 10, 8, 1}});
  ClickPair(1, 2);
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 2);
}

TEST_F(MovesTest, UndoStopsAtTheDealtPositionOnASmallLayout) {
  // Ten places: the history starts at entry 0 and undo never reads below it.
  board::LayoutGrid small;
  board::testing::Block(small, 4, 4, 1, 5, 2);
  engine.MutableGame().Layout = small;
  for (auto& e : engine.MutableGame().History) e = HistoryEntry{99, 7, 7, 1};  // stale entries of an old game
  engine.MutableOptions().Winnable = true;
  engine.NewRandomGame();
  ASSERT_EQ(engine.Game().Board.TilesLeft, 10);
  EXPECT_EQ(engine.Game().Board.TileCount, 10);
  const board::TilePlaceTable dealt = engine.Game().Board.TilePlaces;
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.Game().Board.TilePlaces, dealt);
  EXPECT_FALSE(OnBoard(99));

  PlayPairs(2);
  for (int i = 0; i < 4; ++i) EXPECT_NE(engine.Game().History[i].tile, 99);
  EXPECT_EQ(engine.Game().History[4].tile, 99);  // not written by this game
  engine.Restart();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 10);
  EXPECT_EQ(engine.Game().Board.TilePlaces, dealt);
  EXPECT_FALSE(OnBoard(99));
  ExpectConsistent();
}

TEST_F(MovesTest, HintsStepThroughTheAvailablePairs) {
  // Free tiles 3, 4 (group 0) and 41, 43, 44 (group 10): three moves.
  Lay(game::GameKind::Solitaire, {{3, 4, 2, 1}, {4, 10, 2, 1}, {41, 16, 2, 1}, {43, 22, 2, 1}, {44, 28, 2, 1}});
  ASSERT_EQ(engine.Game().Board.MovesLeft, 3);
  const std::vector<std::pair<int, int>> expected = {{3, 4}, {41, 43}, {43, 44}, {3, 4}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    engine.Hint();
    EXPECT_EQ(engine.Game().Picks.HintFirst, expected[i].first);
    EXPECT_EQ(engine.Game().Picks.HintSecond, expected[i].second);
    EXPECT_EQ(engine.Game().Clock.Penalty, 40 * static_cast<int>(i + 1));
  }
  // A right click lets the hint go.
  Click(3, MouseButton::Right);
  EXPECT_EQ(engine.Game().Picks.HintFirst, 0);
  EXPECT_EQ(engine.Game().Picks.HintSecond, 0);
  EXPECT_EQ(screen.PanelRedraws, 1);
}

TEST_F(MovesTest, HintIsOnlyForOnePlayerSolitaireWithMovesLeft) {
  Lay(game::GameKind::TwoPlayer, {{3, 4, 2, 1}, {4, 10, 2, 1}});
  engine.Hint();
  EXPECT_EQ(engine.Game().Picks.HintFirst, 0);
  Lay(game::GameKind::Solitaire, {{3, 4, 2, 1}, {5, 10, 2, 1}});
  engine.Hint();
  EXPECT_EQ(engine.Game().Picks.HintFirst, 0);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(MovesTest, PlainShuffleKeepsTheOccupiedPlacesAndReportsTheMoves) {
  engine.MutableOptions().Shuffable = false;
  engine.NewRandomGame();
  const auto anchors = Anchors();
  engine.Shuffle();
  EXPECT_EQ(Anchors(), anchors);
  ExpectConsistent();
  engine.RecountFreeTiles();
  const int n = engine.Game().Board.MovesLeft;
  ASSERT_GE(n, 2);
  EXPECT_EQ(engine.StatusMessage(), "Tiles shuffled. " + std::to_string(n) + " new moves found.");
  EXPECT_EQ(engine.Game().Clock.Penalty, 10 * n);

  // Two-player: the same message, no penalty.
  engine.NewTwoPlayerGame();
  engine.Shuffle();
  engine.RecountFreeTiles();
  EXPECT_EQ(engine.StatusMessage(), "Tiles shuffled. " + std::to_string(engine.Game().Board.MovesLeft) + " new moves found.");
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(MovesTest, ShuffleMessagesForOneAndNoMove) {
  engine.MutableOptions().Shuffable = false;
  // One pair only, side by side with a blocker: one move whatever the shuffle.
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  engine.Shuffle();
  EXPECT_EQ(engine.StatusMessage(), "Tiles shuffled. 1 new move found.");
  EXPECT_EQ(engine.Game().Clock.Penalty, 10);

  // Two tiles stacked on one spot: no move can exist.
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}});
  engine.MutableGame().Clock.Penalty = 0;
  engine.Shuffle();
  EXPECT_EQ(engine.StatusMessage(), "No moves found. Try to press Back a few times.");
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(MovesTest, WinnableShuffleLeavesAStackedPairAlone) {
  engine.MutableOptions().Shuffable = true;
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}});
  engine.Shuffle();
  EXPECT_EQ(engine.Game().Board.TilePlaces[1], C(4, 4, 1));
  EXPECT_EQ(engine.Game().Board.TilePlaces[2], C(4, 4, 2));
  EXPECT_EQ(engine.StatusMessage(), "No moves found. Try to press Back a few times.");
}

TEST_F(MovesTest, WinnableShuffleKeepsPairsAndCanBeCleared) {
  engine.MutableOptions().Winnable = true;
  engine.MutableOptions().Shuffable = true;
  engine.NewRandomGame();
  PlayPairs(10);
  const auto anchors = Anchors();
  for (std::uint32_t seed : {1u, 99u, 123456u}) {
    engine.SetClockSeedOverride(seed);
    ASSERT_TRUE(engine.ShuffleWinnably());
    EXPECT_EQ(Anchors(), anchors);
    ExpectConsistent();
  }
  // Greedy play on a winnable shuffle: some order clears it, so free pairs
  // exist at the start.
  engine.RecountFreeTiles();
  EXPECT_GT(engine.Game().Board.MovesLeft, 0);
}

TEST_F(MovesTest, WinnableShuffleEndsOnAShapeNoOrderClears) {
  // Three tiles on one spot and one beside: the two free ones never pair the
  // stack's lower tiles, so the removal always gets stuck; the shuffle still
  // ends (plainly) and keeps the places.
  engine.MutableOptions().Shuffable = true;
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}, {3, 4, 4, 3}, {4, 10, 4, 1}});
  const auto anchors = Anchors();
  EXPECT_FALSE(engine.ShuffleWinnably());
  EXPECT_EQ(Anchors(), anchors);
  ExpectConsistent();
}

TEST_F(MovesTest, ShuffleIsRefusedInMemoryAndAfterTheEnd) {
  engine.NewMemoryGame(game::Difficulty::Easy);
  const board::TilePlaceTable before = engine.Game().Board.TilePlaces;
  engine.Shuffle();
  engine.Back();
  engine.Hint();
  EXPECT_EQ(engine.Game().Board.TilePlaces, before);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);

  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {5, 10, 4, 1}});
  engine.MutableGame().BoardFinished = true;
  engine.Shuffle();
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(MovesTest, NumberedGamesShuffleTheSameWay) {
  engine.MutableOptions().Shuffable = false;
  engine.MutableGame().GameSeed = 31337;
  engine.NewNumberedGame();
  engine.Shuffle();
  const board::TilePlaceTable once = engine.Game().Board.TilePlaces;
  engine.NewNumberedGame();
  engine.Shuffle();
  EXPECT_EQ(engine.Game().Board.TilePlaces, once);
}

}  // namespace
}  // namespace game::testing
