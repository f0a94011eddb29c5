// "Can this game still be won?": the worker that decides every new position
// of a solitaire game, the notice when a move loses the game, the command that
// goes back to the last position that can be won, and hints taken from a
// winning order.
#include <algorithm>
#include <string>

#include "game/engine.h"

namespace game {
namespace {

// A command that decides on the spot gives each position this long.
constexpr std::chrono::milliseconds CommandBudget{3000};

}  // namespace

std::string NoLongerWinnableText(int movesBack) {
  if (movesBack == 1) return base::Translate("Engine", "This game can no longer be won: 1 move back it still could.");
  return base::Format(base::Translate("Engine", "This game can no longer be won: %1 moves back it still could."),
                       {std::to_string(movesBack)});
}

void Engine::ToggleTellUnwinnable() {
  options_.TellUnwinnable = !options_.TellUnwinnable;
  if (!options_.TellUnwinnable) {
    watch_.Cancel();
    submittedSerial_ = 0;
  }
}

PlayLine Engine::CurrentLine() const {
  PlayLine line;
  line.Now = game_.Board;
  line.Vertical = options_.Vertical;
  const int taken = game_.Board.TileCount - game_.Board.TilesLeft;
  const int moves = std::clamp(taken / 2, 0, MaxLineMoves);
  for (int k = 0; k < moves; ++k) {
    LineMove m;
    for (int i = 0; i < 2; ++i) {
      const HistoryEntry& e = game_.History[static_cast<std::size_t>(2 * k + i)];
      m.Tile[static_cast<std::size_t>(i)] = e.tile;
      m.Place[static_cast<std::size_t>(i)] = board::Cell{e.x, e.y, e.z};
    }
    line.Moves.push_back(m);
  }
  return line;
}

board::Solver& Engine::UiSolver() {
  if (!uiSolver_) uiSolver_ = std::make_unique<board::Solver>();
  return *uiSolver_;
}

void Engine::PositionChanged(bool newLine) {
  ++positionSerial_;
  if (newLine) {
    lineKnown_.fill(Knowledge::Unknown);
    unwinnableTold_ = false;
    return;
  }
  // Positions past the current one belong to moves taken back: a new move
  // replaces them. A lost position is followed by lost positions only.
  const int moves = std::clamp((game_.Board.TileCount - game_.Board.TilesLeft) / 2, 0, MaxLineMoves);
  const bool lostBefore = moves > 0 && lineKnown_[static_cast<std::size_t>(moves - 1)] == Knowledge::Unwinnable;
  for (int j = moves + 1; j <= MaxLineMoves; ++j) lineKnown_[static_cast<std::size_t>(j)] = Knowledge::Unknown;
  if (lineKnown_[static_cast<std::size_t>(moves)] == Knowledge::Unknown && lostBefore)
    lineKnown_[static_cast<std::size_t>(moves)] = Knowledge::Unwinnable;
}

void Engine::WatchWinnability() {
  if (!options_.TellUnwinnable || !game_.SolitaireRunning()) return;
  if (submittedSerial_ != positionSerial_ && game_.Board.TilesLeft > 0) {
    submittedSerial_ = positionSerial_;
    watch_.Submit(positionSerial_, CurrentLine(), lineKnown_);
  }
  std::optional<WinnabilityWatch::Answer> a = watch_.TakeAnswer();
  if (!a || a->Serial != positionSerial_) return;
  lineKnown_ = a->Known;
  const LineAnswer& r = a->Result;
  if (r.Now == board::Verdict::Winnable) {
    unwinnableTold_ = false;
    winningOrder_ = r.Order;
    winningOrderSerial_ = positionSerial_;
    return;
  }
  if (r.Now != board::Verdict::Unwinnable || !r.LastWinnable || unwinnableTold_) return;
  unwinnableTold_ = true;
  // At a dead end the notice "no more moves" already says it.
  if (game_.Picks.NoMovesShown || game_.Board.MovesLeft == 0) return;
  const int moves = static_cast<int>((game_.Board.TileCount - game_.Board.TilesLeft) / 2);
  ShowStatus(*r.LastWinnable < 0 ? base::Translate("Engine", NeverWinnableText)
                                 : NoLongerWinnableText(moves - *r.LastWinnable));
}

void Engine::BackToLastWinnablePosition() {
  // Offered where "Back" is, and only once a move has been made.
  if (!game_.Running(GameKind::Solitaire)) return;
  if (game_.Board.TilesLeft == 0 || game_.Board.TilesLeft >= game_.Board.TileCount) return;
  const PlayLine line = CurrentLine();
  LineKnowledge known = lineKnown_;
  board::SolveLimits limits;
  limits.MaxTime = CommandBudget;
  const LineAnswer a = DecideLine(line, known, false, UiSolver(), limits);
  lineKnown_ = known;
  if (a.Now == board::Verdict::Winnable) {
    ShowStatus(base::Translate("Engine", StillWinnableText));
    return;
  }
  if (a.Now == board::Verdict::Undecided || !a.LastWinnable) {
    ShowStatus(base::Translate("Engine", WinnabilityUndecidedText));
    return;
  }
  if (*a.LastWinnable < 0) {
    ShowStatus(base::Translate("Engine", NeverWinnableText));
    return;
  }
  const int steps = static_cast<int>(line.Moves.size()) - *a.LastWinnable;
  // Each step is a "Back", with whatever that costs.
  for (int i = 0; i < steps; ++i) Back();
  unwinnableTold_ = false;
  ShowStatus(steps == 1 ? base::Translate("Engine", "1 move taken back: this game can be won again.")
                        : base::Format(base::Translate("Engine", "%1 moves taken back: this game can be won again."),
                                        {std::to_string(steps)}));
}

// A hint from a winning order: any of its pairs that is free now can be taken
// first, and the rest of the order still clears the board.
bool Engine::WinningHint() {
  if (winningOrderSerial_ != positionSerial_) {
    const PlayLine line = CurrentLine();
    LineKnowledge known = lineKnown_;
    board::SolveLimits limits;
    limits.MaxTime = CommandBudget;
    LineAnswer a = DecideLine(line, known, true, UiSolver(), limits);
    lineKnown_ = known;
    if (a.Now != board::Verdict::Winnable) return false;
    winningOrder_ = std::move(a.Order);
    winningOrderSerial_ = positionSerial_;
  }
  std::vector<board::TilePair> free;
  for (const auto& [a, b] : winningOrder_)
    if (TileFree(a) && TileFree(b)) free.emplace_back(std::min(a, b), std::max(a, b));
  if (free.empty()) return false;
  RecountFreeTiles();
  game_.Picks.HintIndex = game_.Picks.HintIndex % static_cast<int>(free.size()) + 1;
  game_.Picks.HintFirst = free[static_cast<std::size_t>(game_.Picks.HintIndex - 1)].first;
  game_.Picks.HintSecond = free[static_cast<std::size_t>(game_.Picks.HintIndex - 1)].second;
  game_.Clock.Penalty += 40;
  FullRedraw();
  return true;
}

}  // namespace game
