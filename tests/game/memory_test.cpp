// Mah-Jongg Memory: the deal, turning tiles, the reveal countdown and the
// judgement with its penalty.
#include <set>
#include <utility>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class MemoryTest : public EngineTest {
 protected:
  // Tiles 1, 2 (group 0) and 5, 6 (group 1) face down in a row.
  void LayFour() {
    engine.NewMemoryGame(game::Difficulty::Easy);
    Lay(game::GameKind::Memory, {{1, 10, 7, 1}, {5, 12, 7, 1}, {2, 14, 7, 1}, {6, 16, 7, 1}});
  }
  void Turn(int a, int b) {
    ClickPair(a, b);
    Ticks(RevealTicks);
  }
  // Puts the clock so that the next tick sees `seconds` of play.
  void ClockBeforeTickAt(int seconds) {
    clock.Tick = engine.Game().Clock.StartTick + static_cast<std::uint32_t>(seconds) * 1000u - 50u;
  }
};

TEST_F(MemoryTest, EasyAndHardDealsFillTheirBlocks) {
  engine.NewMemoryGame(game::Difficulty::Easy);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Memory));
  EXPECT_EQ(engine.Game().BoardNumber, game::kMemoryEasyTable);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 32);
  EXPECT_EQ(engine.StatusMessage(), "Mahjongg Memory started.");
  std::set<std::pair<int, int>> places;
  for (int t = 1; t <= 32; ++t) {
    const board::Cell c = engine.Game().Board.TilePlaces[t];
    EXPECT_TRUE(c.x >= 10 && c.x <= 24 && c.y >= 7 && c.y <= 13 && c.z == 1) << t;
    places.insert({c.x, c.y});
  }
  EXPECT_EQ(places.size(), 32u);

  engine.NewMemoryGame(game::Difficulty::Hard);
  EXPECT_EQ(engine.Game().BoardNumber, game::kMemoryHardTable);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 84);
  for (int t = 1; t <= 84; ++t) {
    const board::Cell c = engine.Game().Board.TilePlaces[t];
    EXPECT_TRUE(c.x >= 4 && c.x <= 30 && c.y >= 5 && c.y <= 15) << t;
  }
  for (int t = 85; t <= 144; ++t) EXPECT_FALSE(OnBoard(t));
}

TEST_F(MemoryTest, TurningTilesAndTheReveal) {
  LayFour();
  Click(1);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  EXPECT_EQ(sound.Last(), "select");
  Click(1);  // the turned tile again: nothing, no countdown
  EXPECT_EQ(engine.Game().Reveal.Countdown, 0);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  Click(5);
  EXPECT_EQ(engine.Game().Picks.Second, 5);
  EXPECT_EQ(engine.Game().Reveal.Countdown, RevealTicks);
  // During the reveal every click is ignored, the right button too.
  Click(2);
  Click(2, MouseButton::Right);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  EXPECT_EQ(engine.Game().Picks.Second, 5);
  Ticks(RevealTicks - 1);
  EXPECT_EQ(engine.Game().Picks.Second, 5);
  Ticks(1);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(engine.Game().Picks.Second, 0);
  EXPECT_EQ(engine.Game().Clock.Penalty, 2);
  EXPECT_TRUE(OnBoard(1));

  const int e = NextHistory();
  Turn(1, 2);
  EXPECT_FALSE(OnBoard(1));
  EXPECT_FALSE(OnBoard(2));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 2);
  EXPECT_EQ(sound.Last(), "done");
  EXPECT_EQ(engine.Game().History[e].tile, 1);
  EXPECT_EQ(engine.Game().History[e + 1].tile, 2);
  EXPECT_EQ(engine.Game().Clock.Penalty, 2);
}

TEST_F(MemoryTest, RightClickTurnsTheFirstTileBack) {
  LayFour();
  Click(6);
  Click(6, MouseButton::Right);
  EXPECT_EQ(engine.Game().Picks.First, 0);
}

TEST_F(MemoryTest, FiveMismatchesAddTenSeconds) {
  LayFour();
  for (int i = 0; i < 5; ++i) Turn(1, 5);
  EXPECT_EQ(engine.Game().Clock.Penalty, 10);
  Turn(1, 2);
  ClickPair(5, 6);
  Ticks(RevealTicks - 1);
  ClockBeforeTickAt(120);
  Ticks(1);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 0);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 02:10");
  EXPECT_EQ(engine.Hall().RankReached(), 1);
  EXPECT_EQ(engine.Hall().Entry(game::kMemoryEasyTable, 1), "Player1   130   10");
}

TEST_F(MemoryTest, PausingRightAfterTheSecondTileStillJudgesIt) {
  LayFour();
  ClickPair(1, 2);
  engine.TogglePause();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Paused);
  const int paints = screen.BoardPaints;
  const int backgroundsShown = screen.BackgroundsShown;
  Ticks(RevealTicks);
  EXPECT_FALSE(OnBoard(1));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 2);
  EXPECT_EQ(screen.BoardPaints, paints);  // the board stays hidden
  EXPECT_GT(screen.BackgroundsShown, backgroundsShown);
  Click(5);  // ignored while paused
  EXPECT_EQ(engine.Game().Picks.First, 0);
  engine.TogglePause();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Memory));
  clock.AdvanceSeconds(5);
  Turn(5, 6);
  Ticks(1);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 0);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
}

TEST_F(MemoryTest, ANewGameDropsAPendingJudgement) {
  LayFour();
  ClickPair(1, 5);
  engine.NewRandomGame();
  Ticks(RevealTicks);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
}

TEST_F(MemoryTest, NoUndoHintOrShuffle) {
  LayFour();
  Turn(1, 2);
  engine.Back();
  engine.Restart();
  EXPECT_FALSE(OnBoard(1));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 2);
}

}  // namespace
}  // namespace game::testing
