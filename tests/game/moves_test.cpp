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
      const board::Cell c = engine.State.TilePlaces[t];
      if (c.OnBoard()) out.insert({c.x, c.y, c.z});
    }
    return out;
  }
  // The board and its tile table agree everywhere.
  void ExpectConsistent() const {
    int count = 0;
    for (int t = 1; t <= board::MaxTiles; ++t) {
      const board::Cell c = engine.State.TilePlaces[t];
      if (!c.OnBoard()) continue;
      ++count;
      EXPECT_EQ(engine.State.Board.At(c.x, c.y, c.z), t) << "tile " << t;
    }
    EXPECT_EQ(count, engine.State.TilesLeft);
  }
  // Plays the first n pairs of the last winnable deal's removal order.
  void PlayPairs(int n) {
    const board::RemovalOrder& order = engine.LastRemovalOrder;
    for (int j = 0; j < n; ++j) {
      const board::Cell a = order.RemovalPairs[2 * j];
      const board::Cell b = order.RemovalPairs[2 * j + 1];
      ClickPair(engine.State.Board.At(a.x, a.y, a.z), engine.State.Board.At(b.x, b.y, b.z));
    }
  }
};

TEST_F(MovesTest, RemovingAPairWritesTheHistoryAndBackRestoresIt) {
  engine.Opt.Winnable = true;
  engine.NewRandomGame();
  ASSERT_EQ(engine.LastDealOutcome, board::DealOutcome::Winnable);
  const board::TilePlaceTable dealt = engine.State.TilePlaces;

  engine.Back();  // right after the deal: nothing
  EXPECT_EQ(engine.State.TilesLeft, 144);

  PlayPairs(1);
  EXPECT_EQ(engine.State.TilesLeft, 142);
  const HistoryEntry first = engine.MoveHistory[0];
  const HistoryEntry second = engine.MoveHistory[1];
  EXPECT_EQ(C(first.x, first.y, first.z), dealt[first.tile]);
  EXPECT_EQ(C(second.x, second.y, second.z), dealt[second.tile]);
  EXPECT_FALSE(OnBoard(first.tile));

  engine.Back();
  EXPECT_EQ(engine.State.TilesLeft, 144);
  EXPECT_EQ(engine.State.TilePlaces, dealt);
  ExpectConsistent();
}

TEST_F(MovesTest, RestartBringsEveryPairBackAndResetsTheClock) {
  engine.Opt.Winnable = true;
  engine.NewRandomGame();
  const board::TilePlaceTable dealt = engine.State.TilePlaces;
  PlayPairs(5);
  engine.Hint();
  clock.AdvanceSeconds(77);
  engine.Tick();
  EXPECT_EQ(engine.State.TilesLeft, 134);
  const int paints = screen.BoardPaints;
  engine.Restart();
  EXPECT_EQ(engine.State.TilesLeft, 144);
  EXPECT_EQ(engine.State.TilePlaces, dealt);
  EXPECT_GE(screen.BoardPaints - paints, 5);  // pair by pair
  EXPECT_EQ(engine.StatusMessage, "Game restarted.");
  EXPECT_EQ(engine.TimePenalty, 0);
  EXPECT_EQ(engine.StartTick, clock.Tick);
  engine.Tick();
  EXPECT_EQ(engine.ElapsedSeconds, 0);
  engine.Restart();  // at the dealt position: nothing
  EXPECT_EQ(engine.StatusMessage, "Game restarted.");
}

TEST_F(MovesTest, BackAndRestartDoNothingOnAClearedBoardOrInOtherModes) {
  Lay(ModeSolitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  ClickPair(1, 2);
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.State.TilesLeft, 0);

  Lay(ModeTwoPlayer, {{1, 4, 4, 1}, {2, 10, 4, 1}, {5, 4, 8, 1}, {6, 10, 8, 1}});
  ClickPair(1, 2);
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.State.TilesLeft, 2);
}

TEST_F(MovesTest, UndoStopsAtTheDealtPositionOnASmallLayout) {
  // Ten places: the history starts at entry 0 and undo never reads below it.
  board::LayoutGrid small;
  board::testing::Block(small, 4, 4, 1, 5, 2);
  engine.Layout = small;
  for (auto& e : engine.MoveHistory) e = HistoryEntry{99, 7, 7, 1};  // stale entries of an old game
  engine.Opt.Winnable = true;
  engine.NewRandomGame();
  ASSERT_EQ(engine.State.TilesLeft, 10);
  EXPECT_EQ(engine.State.TileCount, 10);
  const board::TilePlaceTable dealt = engine.State.TilePlaces;
  engine.Back();
  engine.Restart();
  EXPECT_EQ(engine.State.TilePlaces, dealt);
  EXPECT_FALSE(OnBoard(99));

  PlayPairs(2);
  for (int i = 0; i < 4; ++i) EXPECT_NE(engine.MoveHistory[i].tile, 99);
  EXPECT_EQ(engine.MoveHistory[4].tile, 99);  // not written by this game
  engine.Restart();
  EXPECT_EQ(engine.State.TilesLeft, 10);
  EXPECT_EQ(engine.State.TilePlaces, dealt);
  EXPECT_FALSE(OnBoard(99));
  ExpectConsistent();
}

TEST_F(MovesTest, HintsStepThroughTheAvailablePairs) {
  // Free tiles 3, 4 (group 0) and 41, 43, 44 (group 10): three moves.
  Lay(ModeSolitaire, {{3, 4, 2, 1}, {4, 10, 2, 1}, {41, 16, 2, 1}, {43, 22, 2, 1}, {44, 28, 2, 1}});
  ASSERT_EQ(engine.State.MovesLeft, 3);
  const std::vector<std::pair<int, int>> expected = {{3, 4}, {41, 43}, {43, 44}, {3, 4}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    engine.Hint();
    EXPECT_EQ(engine.HintTile1, expected[i].first);
    EXPECT_EQ(engine.HintTile2, expected[i].second);
    EXPECT_EQ(engine.TimePenalty, 40 * static_cast<int>(i + 1));
  }
  // A right click lets the hint go.
  Click(3, MouseButton::Right);
  EXPECT_EQ(engine.HintTile1, 0);
  EXPECT_EQ(engine.HintTile2, 0);
  EXPECT_EQ(screen.PanelRedraws, 1);
}

TEST_F(MovesTest, HintIsOnlyForOnePlayerSolitaireWithMovesLeft) {
  Lay(ModeTwoPlayer, {{3, 4, 2, 1}, {4, 10, 2, 1}});
  engine.Hint();
  EXPECT_EQ(engine.HintTile1, 0);
  Lay(ModeSolitaire, {{3, 4, 2, 1}, {5, 10, 2, 1}});
  engine.Hint();
  EXPECT_EQ(engine.HintTile1, 0);
  EXPECT_EQ(engine.TimePenalty, 0);
}

TEST_F(MovesTest, PlainShuffleKeepsTheOccupiedPlacesAndReportsTheMoves) {
  engine.Opt.Shuffable = false;
  engine.NewRandomGame();
  const auto anchors = Anchors();
  engine.Shuffle();
  EXPECT_EQ(Anchors(), anchors);
  ExpectConsistent();
  engine.RecountFreeTiles();
  const int n = engine.State.MovesLeft;
  ASSERT_GE(n, 2);
  EXPECT_EQ(engine.StatusMessage, "Tiles shuffled. " + std::to_string(n) + " new moves found.");
  EXPECT_EQ(engine.TimePenalty, 10 * n);

  // Two-player: the same message, no penalty.
  engine.NewTwoPlayerGame();
  engine.Shuffle();
  engine.RecountFreeTiles();
  EXPECT_EQ(engine.StatusMessage, "Tiles shuffled. " + std::to_string(engine.State.MovesLeft) + " new moves found.");
  EXPECT_EQ(engine.TimePenalty, 0);
}

TEST_F(MovesTest, ShuffleMessagesForOneAndNoMove) {
  engine.Opt.Shuffable = false;
  // One pair only, side by side with a blocker: one move whatever the shuffle.
  Lay(ModeSolitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  engine.Shuffle();
  EXPECT_EQ(engine.StatusMessage, "Tiles shuffled. 1 new move found.");
  EXPECT_EQ(engine.TimePenalty, 10);

  // Two tiles stacked on one spot: no move can exist.
  Lay(ModeSolitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}});
  engine.TimePenalty = 0;
  engine.Shuffle();
  EXPECT_EQ(engine.StatusMessage, "No moves found. Try to press Back a few times.");
  EXPECT_EQ(engine.TimePenalty, 0);
}

TEST_F(MovesTest, WinnableShuffleLeavesAStackedPairAlone) {
  engine.Opt.Shuffable = true;
  Lay(ModeSolitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}});
  engine.Shuffle();
  EXPECT_EQ(engine.State.TilePlaces[1], C(4, 4, 1));
  EXPECT_EQ(engine.State.TilePlaces[2], C(4, 4, 2));
  EXPECT_EQ(engine.StatusMessage, "No moves found. Try to press Back a few times.");
}

TEST_F(MovesTest, WinnableShuffleKeepsPairsAndCanBeCleared) {
  engine.Opt.Winnable = true;
  engine.Opt.Shuffable = true;
  engine.NewRandomGame();
  PlayPairs(10);
  const auto anchors = Anchors();
  for (std::uint32_t seed : {1u, 99u, 123456u}) {
    engine.ClockSeedOverride = seed;
    ASSERT_TRUE(engine.ShuffleWinnably());
    EXPECT_EQ(Anchors(), anchors);
    ExpectConsistent();
  }
  // Greedy play on a winnable shuffle: some order clears it, so free pairs
  // exist at the start.
  engine.RecountFreeTiles();
  EXPECT_GT(engine.State.MovesLeft, 0);
}

TEST_F(MovesTest, WinnableShuffleEndsOnAShapeNoOrderClears) {
  // Three tiles on one spot and one beside: the two free ones never pair the
  // stack's lower tiles, so the removal always gets stuck; the shuffle still
  // ends (plainly) and keeps the places.
  engine.Opt.Shuffable = true;
  Lay(ModeSolitaire, {{1, 4, 4, 1}, {2, 4, 4, 2}, {3, 4, 4, 3}, {4, 10, 4, 1}});
  const auto anchors = Anchors();
  EXPECT_FALSE(engine.ShuffleWinnably());
  EXPECT_EQ(Anchors(), anchors);
  ExpectConsistent();
}

TEST_F(MovesTest, ShuffleIsRefusedInMemoryAndAfterTheEnd) {
  engine.NewMemoryGame("MJ Memory (Easy)");
  const board::TilePlaceTable before = engine.State.TilePlaces;
  engine.Shuffle();
  engine.Back();
  engine.Hint();
  EXPECT_EQ(engine.State.TilePlaces, before);
  EXPECT_EQ(engine.TimePenalty, 0);

  Lay(ModeSolitaire, {{1, 4, 4, 1}, {5, 10, 4, 1}});
  engine.BoardFinished = true;
  engine.Shuffle();
  EXPECT_EQ(engine.TimePenalty, 0);
}

TEST_F(MovesTest, NumberedGamesShuffleTheSameWay) {
  engine.Opt.Shuffable = false;
  engine.GameSeed = 31337;
  engine.NewNumberedGame();
  engine.Shuffle();
  const board::TilePlaceTable once = engine.State.TilePlaces;
  engine.NewNumberedGame();
  engine.Shuffle();
  EXPECT_EQ(engine.State.TilePlaces, once);
}

}  // namespace
}  // namespace game::testing
