// The game in hand kept on disk and brought back: every kind of game at
// awkward moments comes back as it was, with its history, clocks and
// generator, and plays on exactly as it would have in one sitting; what
// must not come back does not, and a refused file leaves the game in hand.
#include "game/game_keeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/file_io.h"
#include "board/layout_file.h"
#include "board/temp_dir.h"
#include "game/engine_fixture.h"

namespace game {
namespace {

using testing::FakeClock;
using testing::FakeScreen;
using testing::FakeSound;

// A second run of the program: its own clock, screen and engine.
struct NextRun {
  FakeClock clock;
  FakeScreen screen;
  FakeSound sound;
  Engine engine{clock, screen, sound};
};

class KeeperTest : public testing::EngineTest {
 protected:
  board::testing::TempDir dir;
  std::string layoutFile;
  std::string keptFile;

  KeeperTest() {
    std::filesystem::create_directories(dir.path() / "Layouts");
    layoutFile = (dir.path() / "Layouts" / "Turtle.lay").string();
    keptFile = (dir.path() / CurrentGameFileName).string();
    board::WriteLayFile(layoutFile, "Turtle", board::testing::Turtle());
    Prepare(engine);
  }

  // The program's layouts: the turtle, on disk.
  void Prepare(Engine& e) const {
    e.SetProgramDir(dir.path().string());
    e.MutableLayouts().Entries = {board::LayoutEntry{"Turtle", layoutFile, false}};
    GameState& g = e.MutableGame();
    g.Layout = board::testing::Turtle();
    g.LayoutFile = layoutFile;
    g.LayoutName = "Turtle";
    g.BoardNumber = g.SavedLayoutNumber = 1;
    e.SetClockSeedOverride(4242u);
    e.MutableOptions().PlaySounds = false;
  }

  void StartNumberedGame(Engine& e, int number) {
    e.MutableOptions().Winnable = true;
    e.MutableOptions().NumberedGames = true;
    e.MutableGame().GameSeed = number;
    e.BeginGame();
  }

  // Pair j of the deal's removal order, by the tiles now on its places.
  static std::pair<int, int> OrderPair(const Engine& e, int j) {
    const board::RemovalOrder& order = e.LastRemovalOrder();
    const board::Cell pa = order.RemovalPairs[2 * j];
    const board::Cell pb = order.RemovalPairs[2 * j + 1];
    return {e.Game().Board.Board.At(pa.x, pa.y, pa.z), e.Game().Board.Board.At(pb.x, pb.y, pb.z)};
  }
  void PlayPair(Engine& e, FakeClock& c, int a, int b) {
    ClickTile(e, a);
    c.Advance(2000);
    e.Tick();
    ClickTile(e, b);
    c.Advance(2000);
    e.Tick();
  }

  std::string Kept() const {
    std::string text;
    base::ReadWholeFile(keptFile, text);
    return text;
  }
};

TEST_F(KeeperTest, ANumberedGameComesBackAndPlaysOnAsInOneSitting) {
  GameKeeper keeper(keptFile);
  StartNumberedGame(engine, 77);
  for (int j = 0; j < 6; ++j) {
    const auto [a, b] = OrderPair(engine, j);
    PlayPair(engine, clock, a, b);
    keeper.Update(engine);
  }
  engine.Hint();
  keeper.Finish(engine);
  const GameState before = engine.Snapshot();

  NextRun next;
  Prepare(next.engine);
  next.clock.Tick = 77;  // another run: ticks count from anywhere
  GameKeeper nextKeeper(keptFile);
  std::string message;
  ASSERT_EQ(nextKeeper.Resume(next.engine, message), GameKeeper::Resumed::Resumed) << message;
  const GameState& after = next.engine.Game();
  EXPECT_EQ(after.Board.TilePlaces, before.Board.TilePlaces);
  EXPECT_EQ(after.History, before.History);
  EXPECT_EQ(after.Picks, before.Picks);
  EXPECT_EQ(after.GameSeed, 77);
  EXPECT_EQ(after.Generator, before.Generator);
  EXPECT_EQ(after.Clock.Penalty, before.Clock.Penalty);
  EXPECT_EQ(after.Kind, GameKind::Solitaire);
  EXPECT_EQ(after.Phase, GamePhase::Running);

  // The clock goes on from the time played, however long the program was
  // closed.
  clock.AdvanceSeconds(1);
  next.clock.AdvanceSeconds(1);
  engine.Tick();
  next.engine.Tick();
  EXPECT_EQ(next.engine.GameTime(), engine.GameTime());

  // Back, then the rest of the order, then a plain shuffle from the saved
  // generator: both runs stay the same board all the way.
  engine.Back();
  next.engine.Back();
  EXPECT_EQ(next.engine.Game().Board.TilePlaces, engine.Game().Board.TilePlaces);
  for (Engine* e : {&engine, &next.engine}) e->MutableOptions().Shuffable = false;
  engine.Shuffle();
  next.engine.Shuffle();
  EXPECT_EQ(next.engine.Game().Board.TilePlaces, engine.Game().Board.TilePlaces);
  engine.Restart();
  next.engine.Restart();
  EXPECT_EQ(next.engine.Game().Board.TilePlaces, engine.Game().Board.TilePlaces);
}

TEST_F(KeeperTest, TheFileFollowsMovesNotTheClock) {
  GameKeeper keeper(keptFile);
  StartNumberedGame(engine, 5);
  keeper.Update(engine);
  keeper.Flush();
  const std::string started = Kept();
  ASSERT_FALSE(started.empty());
  Ticks(100);
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_EQ(Kept(), started);
  const auto [a, b] = OrderPair(engine, 0);
  PlayPair(engine, clock, a, b);
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_NE(Kept(), started);
  EXPECT_NE(Kept().find("removed 2\n"), std::string::npos);

  // The hinted pair taken: the hint named tiles no longer there.
  engine.Hint();
  const int first = engine.Game().Picks.HintFirst, second = engine.Game().Picks.HintSecond;
  ASSERT_NE(first, 0);
  ClickPair(first, second);
  ASSERT_FALSE(OnBoard(first));
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_NE(Kept().find("removed 4\n"), std::string::npos);
  EXPECT_FALSE(keeper.TakeFailure().has_value());

  // Paused on focus loss: written at once.
  engine.OnApplicationDeactivated();
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_NE(Kept().find("phase paused\n"), std::string::npos);
}

TEST_F(KeeperTest, StoppedFinishedAndTryItGamesAreNotKept) {
  GameKeeper keeper(keptFile);
  StartNumberedGame(engine, 9);
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_TRUE(base::Exists(keptFile));
  engine.Stop();
  keeper.Update(engine);
  keeper.Flush();
  EXPECT_FALSE(base::Exists(keptFile));

  // A layout that is not what its file holds (the editor's "Try it").
  board::LayoutGrid unsaved;
  board::testing::Block(unsaved, 4, 3, 1, 12, 6);
  board::testing::Block(unsaved, 4, 3, 2, 12, 6);
  engine.MutableGame().Layout = unsaved;
  engine.BeginGame();
  keeper.Finish(engine);
  EXPECT_FALSE(base::Exists(keptFile));
  EXPECT_TRUE(SaveGameFile(engine, (dir.path() / "try.sorami-game").string()).has_value());

  // A cleared board is a finished game.
  Prepare(engine);
  StartNumberedGame(engine, 9);
  GameKeeper other(keptFile);
  other.Update(engine);
  other.Flush();
  EXPECT_TRUE(base::Exists(keptFile));
  AutoplayHooks hooks;
  hooks.AfterClick = [this, &other] {
    clock.Advance(2000);
    engine.Tick();
    other.Update(engine);
  };
  ASSERT_TRUE(PlayRemovalOrder(engine, hooks).Cleared);
  Ticks(2);
  other.Finish(engine);
  EXPECT_EQ(engine.Game().Phase, GamePhase::Finished);
  EXPECT_FALSE(base::Exists(keptFile));
}

TEST_F(KeeperTest, MemoryPairOnShowIsJudgedInTheKeptGame) {
  GameKeeper keeper(keptFile);
  engine.NewMemoryGame(Difficulty::Easy);
  // Tiles 1 and 2 pair; tiles 1 and 5 do not.
  ClickPair(1, 2);
  ASSERT_GT(engine.Game().Reveal.Countdown, 0);
  keeper.Finish(engine);
  NextRun next;
  Prepare(next.engine);
  std::string message;
  ASSERT_EQ(GameKeeper(keptFile).Resume(next.engine, message), GameKeeper::Resumed::Resumed) << message;
  EXPECT_EQ(next.engine.Game().Kind, GameKind::Memory);
  EXPECT_EQ(next.engine.Game().Reveal.Countdown, 0);
  EXPECT_FALSE(next.engine.Game().Board.TilePlaces[1].OnBoard());
  EXPECT_EQ(next.engine.Game().Board.TilesLeft, 30);

  Ticks(20);
  const int penalty = engine.Game().Clock.Penalty;
  ClickPair(3, 5);
  keeper.Finish(engine);
  NextRun third;
  Prepare(third.engine);
  ASSERT_EQ(GameKeeper(keptFile).Resume(third.engine, message), GameKeeper::Resumed::Resumed) << message;
  EXPECT_EQ(third.engine.Game().Clock.Penalty, penalty + 2);
  EXPECT_TRUE(third.engine.Game().Board.TilePlaces[3].OnBoard());
}

TEST_F(KeeperTest, TwoPlayerTurnsRiversAndPausedGamesComeBack) {
  std::string message;
  {
    SCOPED_TRACE("two players, the second to move");
    engine.MutableOptions().Winnable = true;
    engine.NewTwoPlayerGame();
    const auto [a, b] = OrderPair(engine, 0);
    clock.Advance(7000);
    ClickPair(a, b);
    clock.Advance(3000);
    GameKeeper keeper(keptFile);
    keeper.Finish(engine);
    NextRun next;
    Prepare(next.engine);
    ASSERT_EQ(GameKeeper(keptFile).Resume(next.engine, message), GameKeeper::Resumed::Resumed) << message;
    EXPECT_TRUE(next.engine.Game().Turns.SecondToMove);
    EXPECT_EQ(next.engine.PlayerShownTime(1), 7000u);
    EXPECT_EQ(next.engine.PlayerShownTime(2), 3000u);
  }
  {
    SCOPED_TRACE("Rivers, paused");
    engine.NewRiversGame(Difficulty::Hard);
    AutoplayHooks hooks;
    int pairs = 0;
    hooks.KeepPlaying = [&pairs] { return pairs++ < 5; };
    PlayRivers(engine, hooks);
    engine.TogglePause();
    GameKeeper keeper(keptFile);
    keeper.Finish(engine);
    NextRun next;
    Prepare(next.engine);
    ASSERT_EQ(GameKeeper(keptFile).Resume(next.engine, message), GameKeeper::Resumed::Resumed) << message;
    EXPECT_EQ(next.engine.Game().Kind, GameKind::Rivers);
    EXPECT_EQ(next.engine.Game().Phase, GamePhase::Paused);
    EXPECT_TRUE(next.screen.PausedCaptions);
    EXPECT_EQ(next.engine.Game().Board.TilePlaces, engine.Game().Board.TilePlaces);
    EXPECT_EQ(next.engine.Game().BoardNumber, kRiversHardTable);
    next.engine.TogglePause();
    EXPECT_EQ(next.engine.Game().Phase, GamePhase::Running);
  }
}

TEST_F(KeeperTest, ARefusedFileLeavesTheGameInHand) {
  StartNumberedGame(engine, 12);
  const GameState inHand = engine.Game();
  {
    SCOPED_TRACE("damaged: set aside, not written over");
    std::ofstream(keptFile) << "Sorami saved game 1\nlayout-file Turtle.lay\n";
    std::string message;
    EXPECT_EQ(GameKeeper(keptFile).Resume(engine, message), GameKeeper::Resumed::Refused);
    EXPECT_NE(message.find("incomplete"), std::string::npos) << message;
    EXPECT_TRUE(engine.Game() == inHand);
    EXPECT_TRUE(base::Exists(keptFile + ".refused"));
    EXPECT_FALSE(base::Exists(keptFile));
  }
  const std::string saved = (dir.path() / "mine.sorami-game").string();
  ASSERT_FALSE(SaveGameFile(engine, saved).has_value());
  {
    SCOPED_TRACE("the layout changed since");
    board::LayoutGrid changed = board::testing::Turtle();
    changed.Set(16, 10, 5, 0);
    changed.Set(3, 1, 1, 1);
    board::WriteLayFile(layoutFile, "Turtle", changed);
    NextRun next;
    Prepare(next.engine);
    next.engine.BeginGame();
    const GameState before = next.engine.Game();
    const auto error = OpenGameFile(next.engine, saved);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("has changed"), std::string::npos) << *error;
    EXPECT_TRUE(next.engine.Game() == before);
  }
  {
    SCOPED_TRACE("the layout is gone");
    NextRun next;
    Prepare(next.engine);
    next.engine.MutableLayouts().Entries = {board::LayoutEntry{"Other", "Other.lay", false}};
    const auto error = OpenGameFile(next.engine, saved);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("no longer"), std::string::npos) << *error;
  }
}

}  // namespace
}  // namespace game
