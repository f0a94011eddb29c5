// The game as a value: copies compare equal, every part of the game counts
// in the comparison, and Snapshot/Restore puts a game back as it was taken,
// on another engine and after time away, so that playing on gives the same
// game.
#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class GameStateTest : public EngineTest {
 protected:
  FakeScreen otherScreen;
  FakeSound otherSound;
  Engine other{clock, otherScreen, otherSound};

  GameStateTest() {
    other.MutableGame().Layout = board::testing::Turtle();
    other.SetClockSeedOverride(4242u);
  }

  // Restores the engine's game on the other engine after `awayMs` away and
  // checks that both now hold the same game (with the free-tile counters,
  // which the restore counts afresh, up to date).
  void MoveOver(std::uint32_t awayMs) {
    engine.RecountFreeTiles();
    const GameState taken = engine.Snapshot();
    clock.Advance(awayMs);
    other.Restore(taken);
    EXPECT_EQ(other.Snapshot(), taken);
  }

  // Four free pairs in a row (groups 0, 1, 2, 3).
  void LayPairs(GameKind kind) {
    Lay(kind, {{1, 4, 2, 1}, {2, 10, 2, 1}, {5, 16, 2, 1}, {6, 22, 2, 1}, {9, 4, 8, 1}, {10, 10, 8, 1},
               {13, 16, 8, 1}, {14, 22, 8, 1}});
  }
};

TEST_F(GameStateTest, CopiesCompareEqualAndEveryPartCounts) {
  engine.MutableOptions().NumberedGames = true;
  engine.MutableGame().GameSeed = 77;
  engine.NewNumberedGame();
  const GameState copy = engine.Game();
  EXPECT_EQ(copy, engine.Game());

  auto differs = [&](auto change) {
    GameState changed = copy;
    change(changed);
    return !(changed == copy);
  };
  EXPECT_TRUE(differs([](GameState& g) { g.Board.TilesLeft -= 2; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Generator.NextRandom(10); }));
  EXPECT_TRUE(differs([](GameState& g) { g.History[3].x = 9; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Phase = GamePhase::Paused; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Picks.HintIndex = 2; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Slide.Y = 3; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Reveal.Countdown = 1; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Turns.SecondToMove = true; }));
  EXPECT_TRUE(differs([](GameState& g) { g.Clock.Penalty = 40; }));
  EXPECT_TRUE(differs([](GameState& g) { g.LayoutName = "Moon"; }));
}

TEST_F(GameStateTest, ARunningGameGoesOnWithoutTheTimeAway) {
  LayPairs(GameKind::Solitaire);
  clock.AdvanceSeconds(30);
  engine.Tick();
  ClickPair(1, 2);
  MoveOver(3600u * 1000u);
  EXPECT_TRUE(other.Game().Running(GameKind::Solitaire));
  EXPECT_GT(otherScreen.BoardPaints, 0);
  EXPECT_EQ(otherScreen.Tiles, "6");
  clock.AdvanceSeconds(5);
  other.Tick();
  EXPECT_EQ(other.Game().Clock.ElapsedSeconds, 35);
}

TEST_F(GameStateTest, AfterBackTheRestoredGameTakesTheSameMovesBack) {
  LayPairs(GameKind::Solitaire);
  clock.AdvanceSeconds(2);
  ClickPair(1, 2);
  ClickPair(5, 6);
  ClickPair(9, 10);
  engine.Back();
  MoveOver(1000);
  engine.Back();
  other.Back();
  engine.RecountFreeTiles();
  other.RecountFreeTiles();
  EXPECT_EQ(other.Game().Board, engine.Game().Board);
  EXPECT_EQ(other.Game().Board.TilesLeft, 6);
  // Both pick up the same pair again.
  ClickPair(5, 6);
  other.ClickTileAt(TileFaceCentre(other, 5).first, TileFaceCentre(other, 5).second, MouseButton::Left);
  other.ClickTileAt(TileFaceCentre(other, 6).first, TileFaceCentre(other, 6).second, MouseButton::Left);
  engine.RecountFreeTiles();
  other.RecountFreeTiles();
  EXPECT_EQ(other.Game().Board, engine.Game().Board);
  EXPECT_EQ(other.Game().History, engine.Game().History);
}

TEST_F(GameStateTest, APausedGameStaysPausedAndResumesWithItsPlayTime) {
  LayPairs(GameKind::Solitaire);
  clock.AdvanceSeconds(20);
  engine.Tick();
  engine.TogglePause();
  clock.AdvanceSeconds(600);
  MoveOver(3600u * 1000u);
  EXPECT_EQ(other.Game().Phase, GamePhase::Paused);
  EXPECT_TRUE(otherScreen.PausedCaptions);
  EXPECT_EQ(otherScreen.BoardPaints, 0);  // the board stays hidden
  other.TogglePause();
  EXPECT_TRUE(other.Game().Running(GameKind::Solitaire));
  other.Tick();
  EXPECT_EQ(other.Game().Clock.ElapsedSeconds, 20);
}

TEST_F(GameStateTest, ATurnedMemoryPairIsJudgedAfterTheRestore) {
  engine.NewMemoryGame(Difficulty::Easy);
  Lay(GameKind::Memory, {{1, 10, 7, 1}, {5, 12, 7, 1}, {2, 14, 7, 1}, {6, 16, 7, 1}});
  ClickPair(1, 2);
  ASSERT_EQ(engine.Game().Reveal.Countdown, RevealTicks);
  MoveOver(5000);
  for (int i = 0; i < RevealTicks; ++i) other.Tick();
  EXPECT_FALSE(other.Game().Board.TilePlaces[1].OnBoard());
  EXPECT_FALSE(other.Game().Board.TilePlaces[2].OnBoard());
  EXPECT_EQ(other.Game().Board.TilesLeft, 2);
}

TEST_F(GameStateTest, ARiversSlideAndItsPartnerComeBackWhereTheyStood) {
  Lay(GameKind::Rivers, {{1, 4, 3, 1}, {5, 6, 3, 1}, {2, 10, 3, 1}});
  engine.MutableGame().Slide = RiverSlide{true, 2, 8, 3};  // half way along
  MoveOver(100);
  EXPECT_EQ(other.Game().Slide, (RiverSlide{true, 2, 8, 3}));
  EXPECT_EQ(other.Game().Board.TilePlaces[2], (board::Cell{10, 3, 1}));
  EXPECT_EQ(other.Game().BoardNumber, engine.Game().BoardNumber);
}

TEST_F(GameStateTest, TheTwoPlayerTurnAndBothClocksCarryOver) {
  engine.NewTwoPlayerGame();
  LayPairs(GameKind::TwoPlayer);
  engine.MutableGame().Turns.FirstTurnStart = engine.MutableGame().Turns.SecondTurnStart = clock.Tick;
  clock.AdvanceSeconds(4);
  ClickPair(1, 2);  // player 1 used 4 s; player 2's turn
  clock.AdvanceSeconds(3);
  MoveOver(3600u * 1000u);
  EXPECT_TRUE(other.Game().Turns.SecondToMove);
  EXPECT_EQ(other.PlayerShownTime(1), 4000u);
  EXPECT_EQ(other.PlayerShownTime(2), 3000u);
  clock.AdvanceSeconds(2);
  other.ClickTileAt(TileFaceCentre(other, 5).first, TileFaceCentre(other, 5).second, MouseButton::Left);
  other.ClickTileAt(TileFaceCentre(other, 6).first, TileFaceCentre(other, 6).second, MouseButton::Left);
  EXPECT_FALSE(other.Game().Turns.SecondToMove);
  EXPECT_EQ(other.Game().Turns.SecondTime, 5000u);
}

}  // namespace
}  // namespace game::testing
