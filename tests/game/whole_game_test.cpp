// Whole games played through the pointer, as the window would send it.
#include "game/autoplay.h"
#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class WholeGameTest : public EngineTest {
 protected:
  AutoplayHooks Hooks() {
    AutoplayHooks hooks;
    hooks.AfterClick = [this] {
      clock.AdvanceSeconds(2);
      engine.Tick();
    };
    hooks.Tick = [this] { Ticks(1); };
    return hooks;
  }
};

TEST_F(WholeGameTest, WinnableSolitaireIsWonThroughButtonDown) {
  engine.MutableOptions().Winnable = true;
  engine.MutableOptions().NumberedGames = true;
  engine.MutableGame().GameSeed = 2024;
  engine.BeginGame();
  ASSERT_EQ(engine.LastDealOutcome(), board::DealOutcome::Winnable);
  const AutoplayResult result = PlayRemovalOrder(engine, Hooks());
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(result.Clicks, 144);
  EXPECT_EQ(sound.Played.size(), 144u);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 0);
  EXPECT_TRUE(engine.Game().GameOverHandled);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  // 144 clicks of 2 s: 288 s, rank 1 of a fresh table.
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 04:48");
  EXPECT_EQ(engine.Hall().RankReached(), 1);
  EXPECT_EQ(HallEntryTime(engine.Hall().Entry(1, 1)), 288);
}

TEST_F(WholeGameTest, TwoPlayerGameEndsWithAWinner) {
  engine.MutableOptions().Winnable = true;
  engine.NewTwoPlayerGame();
  const AutoplayResult result = PlayRemovalOrder(engine, Hooks());
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  // Two seconds per click: player 1's first turn began with the game (2 s),
  // every later turn also waits for the other player's last click (4 s).
  EXPECT_EQ(engine.Game().Turns.FirstTime, 2000u + 35u * 4000u);
  EXPECT_EQ(engine.Game().Turns.SecondTime, 36u * 4000u);
  EXPECT_EQ(engine.StatusMessage(), "Player 1 WON ! Congratulations !");
}

TEST_F(WholeGameTest, RiversEasyAndHardAreCleared) {
  for (const char* caption : {"MJ Rivers (Easy)", "MJ Rivers (Hard)"}) {
    engine.NewRiversGame(LevelNamedIn(caption));
    const AutoplayResult result = PlayRivers(engine, Hooks());
    EXPECT_TRUE(result.Cleared) << caption << " shuffles " << result.Shuffles;
    EXPECT_TRUE(engine.Game().GameOverHandled) << caption;
  }
}

TEST_F(WholeGameTest, MemoryIsClearedWithoutPenalty) {
  engine.NewMemoryGame(game::Difficulty::Hard);
  const AutoplayResult result = PlayMemory(engine, Hooks());
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(result.Clicks, 84);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
  EXPECT_TRUE(engine.Game().GameOverHandled);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
}

}  // namespace
}  // namespace game::testing
