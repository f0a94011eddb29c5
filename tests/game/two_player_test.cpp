// Two-player solitaire: turns, the two clocks, the banner and the end.
#include <string>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class TwoPlayerTest : public EngineTest {
 protected:
  // Four free pairs far apart (groups 0, 1, 2, 3), blocked tile 3 between 9 and 13.
  void LayPairs() {
    engine.NewTwoPlayerGame();
    Lay(game::GameKind::TwoPlayer, {{1, 4, 2, 1}, {2, 10, 2, 1}, {5, 16, 2, 1}, {6, 22, 2, 1},
                        {9, 4, 8, 1}, {3, 6, 8, 1}, {13, 8, 8, 1}, {10, 28, 8, 1}, {14, 22, 14, 1},
                        {4, 28, 14, 1}});
  }
  void FinishBoard() {
    // Clears what LayPairs left: 9 & 10, 13 & 14, then 3 & 4 (free once 9 and 13 are gone).
    ClickPair(9, 10);
    ClickPair(13, 14);
    ClickPair(3, 4);
  }
};

TEST_F(TwoPlayerTest, StartDealsLikeOnePlayerAndPlayerOneBegins) {
  engine.MutableOptions().Winnable = true;
  engine.MutableGame().GameSeed = 55;
  engine.MutableOptions().NumberedGames = true;
  engine.NewTwoPlayerGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));
  EXPECT_FALSE(engine.Game().Turns.SecondToMove);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.StatusMessage(), "Specific Board started. Random Seed #55");
  EXPECT_EQ(engine.Game().Turns.FirstTurnStart, clock.Tick);
  const board::TilePlaceTable dealt = engine.Game().Board.TilePlaces;
  engine.NewNumberedGame();
  EXPECT_EQ(engine.Game().Board.TilePlaces, dealt);  // the same deal as a one-player game
}

TEST_F(TwoPlayerTest, EachClockRunsOnlyInItsTurns) {
  LayPairs();
  clock.AdvanceSeconds(30);
  ClickPair(1, 2);
  EXPECT_TRUE(engine.Game().Turns.SecondToMove);
  clock.AdvanceSeconds(10);
  ClickPair(5, 6);
  EXPECT_FALSE(engine.Game().Turns.SecondToMove);
  EXPECT_EQ(engine.PlayerTimeText(1), "00:30");
  EXPECT_EQ(engine.PlayerTimeText(2), "00:10");
  clock.AdvanceSeconds(5);
  EXPECT_EQ(engine.PlayerTimeText(1), "00:35");
  EXPECT_EQ(engine.PlayerTimeText(2), "00:10");
  // Player 1 has the turn: "PLAY 1" blinks, "PLAY 2" stands.
  EXPECT_FALSE(engine.Player1LabelVisible(1200));
  EXPECT_TRUE(engine.Player1LabelVisible(1700));
  EXPECT_TRUE(engine.Player2LabelVisible(1200));
  EXPECT_TRUE(engine.Player2LabelVisible(1700));
  const int banners = screen.Banners;
  Ticks(3);
  EXPECT_EQ(screen.Banners, banners + 3);
}

TEST_F(TwoPlayerTest, BlockedOrWrongClicksDoNotPassTheTurn) {
  LayPairs();
  Click(3);  // blocked
  Click(1);
  Click(5);  // another group
  EXPECT_FALSE(engine.Game().Turns.SecondToMove);
  engine.Shuffle();
  EXPECT_FALSE(engine.Game().Turns.SecondToMove);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(TwoPlayerTest, CountersShowMovesButNoTimeAndNoPauseOrHelp) {
  LayPairs();
  clock.AdvanceSeconds(3);
  engine.Tick();
  EXPECT_EQ(screen.Tiles, "10");
  EXPECT_FALSE(screen.Moves.empty());
  EXPECT_EQ(screen.Time, "");
  engine.TogglePause();
  engine.OnApplicationDeactivated();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));
  engine.Hint();
  engine.Back();
  EXPECT_EQ(engine.Game().Picks.HintFirst, 0);
}

TEST_F(TwoPlayerTest, LowerTotalWins) {
  LayPairs();
  clock.AdvanceSeconds(20);
  ClickPair(1, 2);  // player 1: 20 s
  clock.AdvanceSeconds(5);
  ClickPair(5, 6);  // player 2: 5 s
  FinishBoard();    // both take no time
  clock.AdvanceSeconds(1);
  engine.Tick();
  EXPECT_EQ(engine.StatusMessage(), "Player 2 WON ! Congratulations !");
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_TRUE(engine.Game().GameOverHandled);
  EXPECT_EQ(engine.Hall().RankReached(), 0);
  EXPECT_TRUE(screen.HelpOpened.empty());
  // "New" after the end: a one-player game.
  engine.NewGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
}

TEST_F(TwoPlayerTest, EqualTotalsToTheMillisecond) {
  LayPairs();
  clock.Advance(30000);
  ClickPair(1, 2);
  clock.Advance(30000);
  ClickPair(5, 6);
  FinishBoard();
  clock.AdvanceSeconds(1);
  engine.Tick();
  EXPECT_EQ(engine.StatusMessage(), "Same score for both players !");

  LayPairs();
  clock.Advance(30000);
  ClickPair(1, 2);
  clock.Advance(30001);
  ClickPair(5, 6);
  FinishBoard();
  clock.AdvanceSeconds(1);
  engine.Tick();
  EXPECT_EQ(engine.StatusMessage(), "Player 1 WON ! Congratulations !");
}

}  // namespace
}  // namespace game::testing
