#pragma once
// "Can this game still be won?" for the positions of one line of play: the
// position on the board now and those that "Back" would return to, one per
// move taken back. Along such a line the winnable positions come first: a
// position that can be won was reached from positions that could be won, and
// nothing follows a lost position but lost positions. So the last winnable
// position is found by bisection.
//
// WinnabilityWatch runs these decisions on a worker thread: the engine hands
// it a line after every move and picks the answer up in its timer tick; a
// newer line stops the search of an older one.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "board/board.h"
#include "board/solver.h"

namespace game {

// One move of the line: two tiles and the anchors they stood on.
struct LineMove {
  std::array<int, 2> Tile{};
  std::array<board::Cell, 2> Place{};
};

struct PlayLine {
  board::BoardState Now;
  bool Vertical = false;
  // The moves that led from the line's first position to Now, oldest first.
  std::vector<LineMove> Moves;
  // The position after `moves` moves (0 .. Moves.size()).
  board::BoardState PositionAfter(int moves) const;
};

// What is known of each position of a line (index: moves made).
enum class Knowledge : std::uint8_t { Unknown, Winnable, Unwinnable };
inline constexpr int MaxLineMoves = board::MaxTiles / 2;
using LineKnowledge = std::array<Knowledge, MaxLineMoves + 1>;

struct LineAnswer {
  board::Verdict Now = board::Verdict::Undecided;
  // For a lost position: the number of moves of the last position that can
  // be won, -1 when none can, nullopt when that was not decided.
  std::optional<int> LastWinnable;
  // For a winnable position: a removal order that clears it.
  std::vector<board::TilePair> Order;
};

// Decides the last position of the line and, when it is lost, where the line
// stopped being winnable. `known` is read and completed; `wantOrder` asks for
// a removal order even when the position is already known to be winnable.
LineAnswer DecideLine(const PlayLine& line, LineKnowledge& known, bool wantOrder, board::Solver& solver,
                      const board::SolveLimits& limits);

class WinnabilityWatch {
 public:
  struct Answer {
    std::uint64_t Serial = 0;
    LineAnswer Result;
    LineKnowledge Known{};
  };

  WinnabilityWatch() = default;
  ~WinnabilityWatch();
  WinnabilityWatch(const WinnabilityWatch&) = delete;
  WinnabilityWatch& operator=(const WinnabilityWatch&) = delete;

  // Decide this line (stopping the search of any older one). The worker
  // thread starts on the first call.
  void Submit(std::uint64_t serial, PlayLine line, const LineKnowledge& known);
  // Forget the line in hand: stop its search, drop its answer.
  void Cancel();
  // The answer to the latest line, once (never blocks).
  std::optional<Answer> TakeAnswer();
  // Blocks until the line in hand is decided (or none is waiting).
  void WaitIdle();

  // Each position gets this long before it counts as undecided.
  static constexpr std::chrono::milliseconds PositionBudget{5000};

 private:
  void Run(std::stop_token stop);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable idle_;
  struct Job {
    std::uint64_t Serial = 0;
    PlayLine Line;
    LineKnowledge Known{};
  };
  std::optional<Job> pending_;
  bool busy_ = false;
  std::optional<Answer> answer_;
  std::atomic<bool> answerReady_{false};
  std::atomic<bool> stopSearch_{false};
  std::jthread worker_;
};

}  // namespace game
