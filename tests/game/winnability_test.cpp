// "Can this game still be won?" in play: the notice when a move loses the
// game, "Back to Last Winnable Position", hints from a winning order, and
// nothing of it while the options are off.
#include <algorithm>

#include "board/solver.h"
#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class WinnabilityTest : public EngineTest {
 protected:
  // 6 under 1 and 4 under 5, so 1 must go before 5 and 6, and those before
  // 4: taking 2 with 3 leaves 1 and 4 to pair, and they wait on each other.
  // 9 and 10 are a spare pair, so that losing move is no dead end.
  void LayTrap(GameKind kind = GameKind::Solitaire, bool spare = true) {
    if (spare)
      Lay(kind, {{6, 1, 1, 1}, {1, 1, 1, 2}, {4, 5, 1, 1}, {5, 5, 1, 2}, {2, 9, 1, 1}, {3, 13, 1, 1},
                 {9, 17, 1, 1}, {10, 21, 1, 1}});
    else
      Lay(kind, {{6, 1, 1, 1}, {1, 1, 1, 2}, {4, 5, 1, 1}, {5, 5, 1, 2}, {2, 9, 1, 1}, {3, 13, 1, 1}});
    engine.PositionChanged(true);
    engine.MutableOptions().ScrollingStatus = false;
  }
  // One tick hands the position to the worker; the next, once it has
  // answered, takes the answer in.
  void Settle() {
    Ticks(1);
    engine.Watch().WaitIdle();
    Ticks(1);
  }
  int Told(const std::string& text) const {
    return static_cast<int>(std::count(screen.StatusHistory.begin(), screen.StatusHistory.end(), text));
  }
};

TEST_F(WinnabilityTest, TheMoveThatLosesTheGameIsToldOnce) {
  LayTrap();
  Settle();
  EXPECT_EQ(engine.KnownPositions()[0], Knowledge::Winnable);
  ClickPair(1, 2);  // still winnable: 5-6 and 3-4 remain
  Settle();
  EXPECT_EQ(engine.StatusMessage(), " ");
  engine.Back();
  ClickPair(2, 3);
  Settle();
  const std::string notice = "This game can no longer be won: 1 move back it still could.";
  EXPECT_EQ(NoLongerWinnableText(1), notice);
  EXPECT_EQ(engine.StatusMessage(), notice);
  const int moves = (engine.Game().Board.TileCount - engine.Game().Board.TilesLeft) / 2;
  EXPECT_EQ(engine.KnownPositions()[moves], Knowledge::Unwinnable);
  EXPECT_EQ(engine.KnownPositions()[moves - 1], Knowledge::Winnable);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
  // Further moves of a lost game are not told again.
  ClickPair(9, 10);
  Settle();
  Ticks(3);
  EXPECT_EQ(Told(notice), 1);
  EXPECT_EQ(NoLongerWinnableText(4), "This game can no longer be won: 4 moves back it still could.");
}

TEST_F(WinnabilityTest, TwoPlayerGamesAreToldTooAndDeadEndsKeepTheirNotice) {
  LayTrap(game::GameKind::TwoPlayer);
  ClickPair(2, 3);
  Settle();
  EXPECT_EQ(engine.StatusMessage(), NoLongerWinnableText(1));

  LayTrap(game::GameKind::Solitaire, false);
  ClickPair(2, 3);  // no move left: the dead-end notice says it all
  Settle();
  EXPECT_TRUE(engine.Game().Picks.NoMovesShown);
  EXPECT_EQ(engine.StatusMessage(), NoMoreMovesText);
  EXPECT_EQ(Told(NoLongerWinnableText(1)), 1);  // only the two-player game's
}

TEST_F(WinnabilityTest, BackToLastWinnablePositionTakesBackEveryMoveSinceTheLoss) {
  LayTrap();
  engine.MutableOptions().TellUnwinnable = false;  // the command decides for itself
  ClickPair(2, 3);
  ClickPair(9, 10);
  engine.MutableGame().Clock.Penalty = 40;
  engine.BackToLastWinnablePosition();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 8);
  for (int t : {2, 3, 9, 10}) EXPECT_TRUE(OnBoard(t)) << t;
  EXPECT_EQ(engine.Game().Clock.Penalty, 40);  // "Back" costs nothing, and so does this
  EXPECT_EQ(engine.StatusMessage(), "2 moves taken back: this game can be won again.");

  // A game still winnable stays as it is.
  ClickPair(1, 2);
  engine.BackToLastWinnablePosition();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 6);
  EXPECT_EQ(engine.StatusMessage(), StillWinnableText);

  // Only where "Back" is offered.
  LayTrap(game::GameKind::TwoPlayer);
  ClickPair(2, 3);
  engine.BackToLastWinnablePosition();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 6);
}

TEST_F(WinnabilityTest, ADealThatCannotBeWonSaysSoAndHasNothingToGoBackTo) {
  // 1 under 2 and nothing else of their group: lost from the start.
  Lay(game::GameKind::Solitaire, {{1, 1, 1, 1}, {2, 1, 1, 2}, {5, 9, 1, 1}, {6, 13, 1, 1}});
  engine.PositionChanged(true);
  engine.MutableOptions().ScrollingStatus = false;
  Settle();
  EXPECT_EQ(engine.StatusMessage(), NeverWinnableText);
  ClickPair(5, 6);
  engine.BackToLastWinnablePosition();
  EXPECT_EQ(engine.Game().Board.TilesLeft, 2);
  EXPECT_EQ(engine.StatusMessage(), NeverWinnableText);
}

TEST_F(WinnabilityTest, HintsKeepTheGameWinnableWhenAskedTo) {
  // As always: the free pairs in ascending order, 1-2 then 2-3.
  LayTrap();
  engine.Hint();
  engine.Hint();
  EXPECT_EQ(std::make_pair(engine.Game().Picks.HintFirst, engine.Game().Picks.HintSecond), std::make_pair(2, 3));
  EXPECT_EQ(engine.Game().Clock.Penalty, 80);

  LayTrap();
  engine.MutableGame().Picks.HintIndex = 0;
  engine.MutableGame().Clock.Penalty = 0;
  engine.MutableOptions().WinnableHints = true;
  for (int k = 0; k < 3; ++k) {
    engine.Hint();
    EXPECT_NE(std::make_pair(engine.Game().Picks.HintFirst, engine.Game().Picks.HintSecond), std::make_pair(2, 3));
    board::BoardState after = engine.Game().Board;
    after.TakeTile(engine.Game().Picks.HintFirst);
    after.TakeTile(engine.Game().Picks.HintSecond);
    board::Solver solver;
    EXPECT_EQ(solver.Solve(after, false).Answer, board::Verdict::Winnable);
  }
  EXPECT_EQ(engine.Game().Clock.Penalty, 120);

  // A lost game gets the hints of old.
  ClickPair(engine.Game().Picks.HintFirst, engine.Game().Picks.HintSecond);
  engine.Back();
  ClickPair(2, 3);
  engine.MutableGame().Picks.HintIndex = 0;
  engine.Hint();
  EXPECT_EQ(std::make_pair(engine.Game().Picks.HintFirst, engine.Game().Picks.HintSecond), std::make_pair(9, 10));
}

TEST_F(WinnabilityTest, WithTheNoticeOffNothingIsDecidedOrTold) {
  LayTrap();
  engine.MutableOptions().TellUnwinnable = false;
  ClickPair(2, 3);
  Settle();
  Ticks(5);
  EXPECT_EQ(Told(NoLongerWinnableText(1)), 0);
  for (Knowledge k : engine.KnownPositions()) EXPECT_EQ(k, Knowledge::Unknown);
}

TEST_F(WinnabilityTest, ANewerPositionReplacesAnOlderOneAtTheWorker) {
  LayTrap();
  const PlayLine start = engine.CurrentLine();
  ClickPair(2, 3);
  const PlayLine lost = engine.CurrentLine();
  WinnabilityWatch watch;
  const LineKnowledge none{};
  // Whether or not the worker got to the first line, only the second is
  // answered.
  watch.Submit(1, lost, none);
  watch.Submit(2, start, none);
  watch.WaitIdle();
  std::optional<WinnabilityWatch::Answer> a = watch.TakeAnswer();
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->Serial, 2u);
  EXPECT_EQ(a->Result.Now, board::Verdict::Winnable);
  EXPECT_TRUE(board::OrderClearsBoard(start.Now, false, a->Result.Order));
  EXPECT_FALSE(watch.TakeAnswer().has_value());  // once only
  // The lost line: where it stopped being winnable.
  watch.Submit(3, lost, none);
  watch.WaitIdle();
  a = watch.TakeAnswer();
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->Result.Now, board::Verdict::Unwinnable);
  const int moves = static_cast<int>(lost.Moves.size());
  ASSERT_TRUE(a->Result.LastWinnable.has_value());
  EXPECT_EQ(*a->Result.LastWinnable, moves - 1);
  // A cancelled line is never answered.
  watch.Submit(4, lost, none);
  watch.Cancel();
  watch.WaitIdle();
  EXPECT_FALSE(watch.TakeAnswer().has_value());
}

}  // namespace
}  // namespace game::testing

namespace game::testing {
namespace {

TEST_F(WinnabilityTest, ADealtGameIsJudgedAsTheSolverJudgesItsDeal) {
  engine.MutableOptions().ScrollingStatus = false;
  for (std::uint32_t seed : {1u, 2u, 18u, 49u}) {
    engine.SetClockSeedOverride(seed);
    engine.BeginGame();
    Settle();
    Ticks(1);  // the notice on show
    board::BoardState s;
    board::Generator g;
    board::PrepareBoard(s, engine.Game().Layout);
    board::ChooseSeed(g, board::SeedChoice::Exact(seed));
    board::PlainDeal(s, g, nullptr);
    board::Solver solver;
    const bool won = solver.Solve(s, false).Answer == board::Verdict::Winnable;
    EXPECT_EQ(engine.KnownPositions()[0], won ? Knowledge::Winnable : Knowledge::Unwinnable) << seed;
    EXPECT_EQ(Told(NeverWinnableText), won ? 0 : 1) << seed;
    screen.StatusHistory.clear();
  }
}

}  // namespace
}  // namespace game::testing
