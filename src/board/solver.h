#pragma once
// Deciding whether a position can still be cleared, with every face known.
//
// Once it is fixed which two tiles of each four-tile match group go together,
// the order of removal no longer matters: taking tiles away never blocks
// another tile, so any pair whose two tiles are free may go at once. Two
// searches use this, taking turns in runs that grow longer:
//
// - The search on removals takes forced pairs at once and branches on the
//   pairs that can be taken now, one match group at a time. Positions proven
//   lost are kept in a bounded table keyed by the set of tiles still on the
//   board. Its first short run decides most positions.
// - The search on pairings removes nothing: it settles the pairing of one
//   group after another, ruling out each pairing that cannot win on its own,
//   and settles first the groups found stuck most often. Deals that cannot be
//   won mostly fail on a few groups tangled together deep in the pile, which
//   this finds quickly. Choices of pairings proven lost are kept in a second
//   bounded table.
//
// Both rest on one quick necessary condition: let every tile leave as soon as
// it is free and a tile it may still pair with is free too or has left. With
// every pairing settled that condition is exact. A pairing that puts together
// two tiles stacked one over the other (directly or through the tiles between
// them) can never be taken and is never tried.
//
// The answer is never wrong: a "winnable" comes with a removal order that has
// been replayed on a copy of the board with the free rule before it is
// returned, and "unwinnable" is only said once every pairing has been ruled
// out. When a budget (nodes, time, or a stop request) runs out the answer is
// "undecided".

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "board/board.h"

namespace board {

enum class Verdict { Winnable, Unwinnable, Undecided };

// Human-readable name of a verdict ("winnable", "unwinnable", "undecided").
const char* VerdictName(Verdict v);

struct SolveLimits {
  // Search nodes before giving up (0: no bound).
  std::uint64_t MaxNodes = 0;
  // Time bound, from the start of Solve (none: no bound): wall-clock time,
  // or with ProcessorTime the processor time of the thread that solves, so
  // that a busy machine does not cut a search short.
  std::optional<std::chrono::milliseconds> MaxTime;
  bool ProcessorTime = false;
  // Set by another thread to stop the search early (the answer is then
  // "undecided").
  const std::atomic<bool>* Stop = nullptr;
};

// One pair of a removal order: two tile numbers.
using TilePair = std::pair<int, int>;

struct SolveResult {
  Verdict Answer = Verdict::Undecided;
  // For "winnable": the pairs to take, in order, that clear the board.
  std::vector<TilePair> Order;
  std::uint64_t Nodes = 0;
};

class Solver {
 public:
  // Most bytes the tables of lost positions and choices may take together
  // (capped at 64 MiB). They start small and grow only while a hard position
  // needs them; after each solve they go back to their small size.
  explicit Solver(std::size_t maxTableBytes = 32u << 20);
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // Decides the position on s (tiles 1..144 at their anchors; anything else
  // on the grid counts as a place that never leaves) under the normal or the
  // vertical free rule.
  SolveResult Solve(const BoardState& s, bool vertical, const SolveLimits& limits = {});

  // Decides by the search on pairings alone, without the search on
  // removals it normally alternates with (for cross-checks and
  // measurements; the answers are the same, only the time differs).
  void UsePairingsOnly(bool on);

  // Makes every quick check that starts from an earlier one's rounds also
  // from the start, and counts those whose outcome differs (for tests; the
  // answers are those of the checks from the start).
  void CheckReuse(bool on);
  std::uint64_t ReuseMismatches() const;

  // Bytes the tables hold right now.
  std::size_t TableBytes() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Replays `order` on a copy of s under the free rule: true when every pair
// matches, both its tiles are free when it is taken, and no tile is left
// (cells that hold no tile stay, as they do in a solve).
bool OrderClearsBoard(const BoardState& s, bool vertical, const std::vector<TilePair>& order);

}  // namespace board
