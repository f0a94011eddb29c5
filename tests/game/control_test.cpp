// Game control: the clock, pause and stop, the time limit, the status line,
// the end of a game and "New".
#include <string>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class ControlTest : public EngineTest {};

TEST_F(ControlTest, BeginGameDealsTheLayoutAndStartsTheClock) {
  engine.NewRandomGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.Game().Board.TileCount, 144);
  EXPECT_EQ(engine.Game().Clock.StartTick, clock.Tick);
  EXPECT_EQ(engine.StatusMessage(), "New game started.");
  EXPECT_GE(screen.BoardPaints, 1);
  EXPECT_EQ(screen.BufferClears, 1);
  EXPECT_FALSE(engine.Opt().NumberedGames);
}

TEST_F(ControlTest, SpecificGamesAreNumberedAndRepeatable) {
  engine.MutableGame().GameSeed = 777;
  engine.NewNumberedGame();
  EXPECT_EQ(engine.StatusMessage(), "Specific Board started. Random Seed #777");
  const board::TilePlaceTable first = engine.Game().Board.TilePlaces;
  engine.NewNumberedGame();
  EXPECT_EQ(engine.Game().Board.TilePlaces, first);

  // A random specific game draws its number from the clock's seed.
  engine.NewRandomNumberedGame();
  board::Generator g;
  g.GeneratorSeed = 4242u;
  EXPECT_EQ(engine.Game().GameSeed, static_cast<std::int32_t>(g.NextRandom(2147483647u)));
  EXPECT_EQ(engine.StatusMessage(), "Specific Board started. Random Seed #" + std::to_string(engine.Game().GameSeed));
}

TEST_F(ControlTest, PauseForFiveMinutesCostsNoTime) {
  engine.NewRandomGame();
  clock.AdvanceSeconds(42);
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 42);
  engine.TogglePause();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Paused);
  EXPECT_EQ(engine.Game().PhaseBeforePause, GamePhase::Running);
  EXPECT_EQ(engine.Game().Kind, GameKind::Solitaire);
  EXPECT_TRUE(screen.PausedCaptions);
  const int backgroundsShown = screen.BackgroundsShown;
  clock.AdvanceSeconds(300);
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 42);
  EXPECT_GT(screen.BackgroundsShown, backgroundsShown);  // the board stays hidden
  engine.TogglePause();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_FALSE(screen.PausedCaptions);
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 42);
  clock.AdvanceSeconds(3);
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 45);
}

TEST_F(ControlTest, PauseAppliesOnlyToRunningGamesAndFocusFollowsIt) {
  engine.NewTwoPlayerGame();
  engine.TogglePause();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));
  engine.OnApplicationDeactivated();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));

  engine.NewRandomGame();
  engine.OnApplicationDeactivated();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Paused);
  engine.OnApplicationActivated();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  // Paused by hand, then away and back: the return resumes it.
  engine.TogglePause();
  engine.OnApplicationDeactivated();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Paused);
  engine.OnApplicationActivated();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
}

TEST_F(ControlTest, StopWhilePausedKeepsTheTimeOfThePause) {
  engine.NewRandomGame();
  clock.AdvanceSeconds(10);
  engine.TogglePause();
  clock.AdvanceSeconds(100);
  engine.Stop();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);
  EXPECT_EQ(engine.Game().PhaseBeforePause, GamePhase::Running);
  EXPECT_EQ(engine.Game().Kind, GameKind::Solitaire);
  EXPECT_EQ(clock.Tick - engine.Game().Clock.StartTick, 10000u);
  engine.TogglePause();  // nothing to resume
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);
}

TEST_F(ControlTest, TheTimeLimitStopsTheGameSilently) {
  engine.NewRandomGame();
  engine.MutableGame().Clock.Penalty = 5990;
  clock.AdvanceSeconds(9);
  engine.Tick();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(screen.Time, "99:59");
  clock.AdvanceSeconds(1);
  const int backgroundsShown = screen.BackgroundsShown;
  engine.Tick();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);
  EXPECT_GT(screen.BackgroundsShown, backgroundsShown);
  EXPECT_EQ(screen.Tiles, "");
  EXPECT_EQ(screen.Time, "");
}

TEST_F(ControlTest, CoolStatusRevealsTextFromItsEnd) {
  const std::string text = "abcdefghijklmnopqrst";  // 20 characters
  engine.ShowStatus(text);
  engine.Tick();
  EXPECT_EQ(screen.Status, "st");
  for (int i = 1; i < 18; ++i) engine.Tick();
  EXPECT_EQ(screen.Status, text.substr(1));
  engine.Tick();  // the 19th tick
  EXPECT_EQ(screen.Status, text);
  engine.Tick();
  EXPECT_EQ(screen.Status, text);  // stays
  EXPECT_EQ(engine.StatusMessage(), " ");

  engine.MutableOptions().ScrollingStatus = false;
  engine.ShowStatus(text);
  engine.Tick();
  EXPECT_EQ(screen.Status, text);
}

TEST_F(ControlTest, TheDeadEndNoticeSwingsBackAndForth) {
  // Two tiles of different groups: no move left.
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {5, 10, 4, 1}});
  engine.MutableOptions().ScrollingStatus = true;
  engine.Tick();
  EXPECT_TRUE(engine.Game().Picks.NoMovesShown);
  EXPECT_EQ(engine.StatusMessage(), NoMoreMovesText);
  int lowest = 100, highest = 0;
  for (int i = 0; i < 200; ++i) {
    engine.Tick();
    lowest = std::min(lowest, engine.StatusPos());
    highest = std::max(highest, engine.StatusPos());
    EXPECT_EQ(engine.StatusMessage(), NoMoreMovesText);
  }
  EXPECT_EQ(lowest, 1);
  const int length = static_cast<int>(std::string(NoMoreMovesText).size());
  EXPECT_GE(highest, length - 1);
  EXPECT_LE(highest, length);
  EXPECT_EQ(screen.Moves, "0");
}

TEST_F(ControlTest, CountersFollowTheirOptions) {
  engine.NewRandomGame();
  clock.AdvanceSeconds(65);
  engine.Tick();
  EXPECT_EQ(screen.Tiles, "144");
  EXPECT_FALSE(screen.Moves.empty());
  EXPECT_EQ(screen.Time, "01:05");
  engine.ToggleShowTime();
  EXPECT_EQ(screen.Time, "");
  EXPECT_EQ(screen.Tiles, "144");
  engine.ToggleShowMovesLeft();
  EXPECT_EQ(screen.Moves, "");
  engine.Tick();
  EXPECT_EQ(screen.Time, "");
  EXPECT_EQ(screen.Moves, "");
}

TEST_F(ControlTest, WinningWithTimeTrackingShowsTheTime) {
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  engine.MutableGame().BoardNumber = 1;
  engine.MutableGame().Clock.Penalty = 40;
  clock.AdvanceSeconds(65);
  engine.Tick();
  ClickPair(1, 2);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 0);
  engine.Tick();  // the counters notice the empty board
  EXPECT_TRUE(engine.Game().BoardFinished);
  EXPECT_TRUE(engine.Game().GameOverHandled);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_EQ(engine.Game().PhaseBeforePause, GamePhase::Finished);
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 01:45");
  // 105 s beats the fresh table's 05:00: rank 1, and the help window shows it.
  EXPECT_EQ(engine.Hall().RankReached(), 1);
  ASSERT_EQ(screen.HelpOpened.size(), 1u);
  EXPECT_EQ(screen.HelpOpened[0], HelpPage::HallOfFame);
  EXPECT_FALSE(engine.NewRecordShown());
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  // Handled once only.
  engine.Tick();
  engine.FullRedraw();
  EXPECT_EQ(screen.HelpOpened.size(), 1u);
}

TEST_F(ControlTest, WinningWithoutTimeTrackingEntersNothing) {
  engine.MutableOptions().EnableHall = false;
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  clock.AdvanceSeconds(30);
  engine.Tick();
  ClickPair(1, 2);
  engine.Tick();
  EXPECT_EQ(engine.StatusMessage(), "Congratulations !! You WON !");
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);
  EXPECT_EQ(engine.Game().PhaseBeforePause, GamePhase::Finished);
  EXPECT_EQ(engine.Hall().RankReached(), 0);
  EXPECT_TRUE(screen.HelpOpened.empty());
}

// A layout file of zeros would deal an empty board that counts as won a
// second later (and, with the animation on, its redraw would even end the
// game still on show). Neither start deals it; the game in hand goes on.
TEST_F(ControlTest, ALayoutWithoutPlacesStartsNoGame) {
  engine.MutableOptions().Animate = true;
  engine.NewRandomGame();
  clock.AdvanceSeconds(30);
  engine.Tick();
  const board::TilePlaceTable before = engine.Game().Board.TilePlaces;
  engine.MutableGame().Layout.Clear();
  for (auto start : {&Engine::NewRandomGame, &Engine::NewTwoPlayerGame, &Engine::NewGame}) {
    (engine.*start)();
    EXPECT_EQ(engine.StatusMessage(), NoPlacesText);
    EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
    EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
    EXPECT_EQ(engine.Game().Board.TilePlaces, before);
    EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 30);
  }
  clock.AdvanceSeconds(5);
  engine.Tick();
  EXPECT_FALSE(engine.Game().BoardFinished);
  EXPECT_TRUE(screen.HelpOpened.empty());
}

TEST_F(ControlTest, QualifyingFollowsTheTableOfTheLayout) {
  // A fresh table: 599 s takes rank 6, 840 s does not qualify, 839 s takes 10.
  auto finishIn = [this](int seconds) {
    Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
    engine.MutableGame().BoardFinished = engine.MutableGame().GameOverHandled = false;
    clock.AdvanceSeconds(static_cast<std::uint32_t>(seconds));
    engine.Tick();
    ClickPair(1, 2);
    engine.Tick();
  };
  engine.SetPlayerName("Alexander the Great");
  finishIn(599);
  EXPECT_EQ(engine.Hall().RankReached(), 6);
  EXPECT_EQ(engine.Hall().Entry(1, 6), "Alexande  599    0");
  EXPECT_EQ(HallEntryTime(engine.Hall().Entry(1, 10)), 780);

  engine.Hall().ResetTable(1);
  engine.Hall().ClearRankReached();
  finishIn(840);
  EXPECT_EQ(engine.Hall().RankReached(), 0);
  EXPECT_EQ(screen.HelpOpened.size(), 1u);
  finishIn(839);
  EXPECT_EQ(engine.Hall().RankReached(), 10);
}

TEST_F(ControlTest, DamagedHallTimeDoesNotStopTheEnd) {
  engine.Hall().SetEntry(1, 10, "Bob      x12    0");
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  clock.AdvanceSeconds(100);
  engine.Tick();
  ClickPair(1, 2);
  engine.Tick();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 01:40");
}

TEST_F(ControlTest, NewRepeatsTheKindOfTheLastGame) {
  engine.NewRiversGame(game::Difficulty::Hard);
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversHardTable);
  engine.NewGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Rivers));
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversHardTable);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  engine.Stop();
  engine.NewGame();
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversHardTable);

  engine.NewMemoryGame(game::Difficulty::Easy);
  engine.TogglePause();
  engine.NewGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Memory));
  EXPECT_EQ(engine.Game().BoardNumber, game::kMemoryEasyTable);
  EXPECT_EQ(engine.Game().Board.TilesLeft, 32);
  EXPECT_FALSE(screen.PausedCaptions);

  engine.NewTwoPlayerGame();
  EXPECT_EQ(engine.Game().BoardNumber, 1);  // back to the ticked layout
  engine.NewGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));
  engine.SetPhase(game::GamePhase::Finished);
  engine.NewGame();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
}

TEST_F(ControlTest, VerticalVariationAsksBeforeRestarting) {
  engine.NewRandomGame();
  screen.Answers = {false};
  engine.ToggleVerticalRule();
  EXPECT_FALSE(engine.Opt().Vertical);
  ASSERT_EQ(screen.Asked.size(), 1u);
  EXPECT_EQ(screen.Asked[0].first, "Vertical variation");
  clock.AdvanceSeconds(20);
  engine.Tick();
  screen.Answers = {true};
  engine.ToggleVerticalRule();
  EXPECT_TRUE(engine.Opt().Vertical);
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 0);  // a new game

  engine.Stop();
  engine.ToggleVerticalRule();
  EXPECT_FALSE(engine.Opt().Vertical);
  EXPECT_EQ(screen.Asked.size(), 2u);
  engine.NewRiversGame(game::Difficulty::Easy);
  engine.ToggleVerticalRule();
  EXPECT_FALSE(engine.Opt().Vertical);
}

TEST_F(ControlTest, HelpWindowHoldsTheGamePaused) {
  engine.NewRandomGame();
  GamePhase phaseWhileOpen = GamePhase::Idle;
  screen.OnHelp = [&](HelpPage) {
    phaseWhileOpen = engine.Game().Phase;
    clock.AdvanceSeconds(60);
  };
  engine.OpenHelp(HelpPage::Help);
  EXPECT_EQ(phaseWhileOpen, GamePhase::Paused);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  engine.Tick();
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 0);

  engine.Stop();
  engine.OpenHelp(HelpPage::About);
  EXPECT_EQ(phaseWhileOpen, GamePhase::Paused);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);

  engine.NewTwoPlayerGame();
  const auto opened = screen.HelpOpened.size();
  engine.OpenHelp(HelpPage::Help);
  EXPECT_EQ(screen.HelpOpened.size(), opened);
}

TEST_F(ControlTest, SoundsPlayOnlyWhenSwitchedOn) {
  Lay(game::GameKind::Solitaire, {{1, 4, 4, 1}, {2, 10, 4, 1}});
  engine.MutableOptions().PlaySounds = false;
  Click(1);
  EXPECT_TRUE(sound.Played.empty());
  engine.MutableOptions().PlaySounds = true;
  Click(2);
  EXPECT_EQ(sound.Played, std::vector<std::string>{"done"});
}

}  // namespace
}  // namespace game::testing
