#include "game/winnability.h"

namespace game {

board::BoardState PlayLine::PositionAfter(int moves) const {
  board::BoardState s = Now;
  for (int k = static_cast<int>(Moves.size()) - 1; k >= moves && k >= 0; --k)
    for (int i = 0; i < 2; ++i) s.PutTile(Moves[static_cast<std::size_t>(k)].Tile[static_cast<std::size_t>(i)],
                                          Moves[static_cast<std::size_t>(k)].Place[static_cast<std::size_t>(i)]);
  return s;
}

namespace {

board::SolveResult DecidePosition(const PlayLine& line, int moves, LineKnowledge& known, board::Solver& solver,
                                  const board::SolveLimits& limits) {
  board::SolveResult r = solver.Solve(line.PositionAfter(moves), line.Vertical, limits);
  const int last = static_cast<int>(line.Moves.size());
  if (r.Answer == board::Verdict::Winnable)
    for (int j = 0; j <= moves; ++j) known[static_cast<std::size_t>(j)] = Knowledge::Winnable;
  else if (r.Answer == board::Verdict::Unwinnable)
    for (int j = moves; j <= last; ++j) known[static_cast<std::size_t>(j)] = Knowledge::Unwinnable;
  return r;
}

}  // namespace

LineAnswer DecideLine(const PlayLine& line, LineKnowledge& known, bool wantOrder, board::Solver& solver,
                      const board::SolveLimits& limits) {
  LineAnswer answer;
  const int last = static_cast<int>(line.Moves.size());
  if (last > MaxLineMoves) return answer;
  const Knowledge now = known[static_cast<std::size_t>(last)];
  if (now == Knowledge::Winnable && !wantOrder) {
    answer.Now = board::Verdict::Winnable;
    return answer;
  }
  if (now != Knowledge::Unwinnable) {
    board::SolveResult r = DecidePosition(line, last, known, solver, limits);
    answer.Now = r.Answer;
    answer.Order = std::move(r.Order);
    if (r.Answer != board::Verdict::Unwinnable) return answer;
  }
  answer.Now = board::Verdict::Unwinnable;
  // Bisection between the last position known to be winnable (or none, -1)
  // and the first known to be lost.
  int low = -1, high = last;
  for (int j = 0; j <= last; ++j) {
    if (known[static_cast<std::size_t>(j)] == Knowledge::Winnable) low = j;
    if (known[static_cast<std::size_t>(j)] == Knowledge::Unwinnable) {
      high = j;
      break;
    }
  }
  while (high - low > 1) {
    const int mid = low + (high - low) / 2;
    const board::Verdict v = DecidePosition(line, mid, known, solver, limits).Answer;
    if (v == board::Verdict::Undecided) return answer;
    (v == board::Verdict::Winnable ? low : high) = mid;
  }
  answer.LastWinnable = low;
  return answer;
}

WinnabilityWatch::~WinnabilityWatch() {
  stopSearch_ = true;
  if (worker_.joinable()) {
    worker_.request_stop();
    worker_.join();
  }
}

void WinnabilityWatch::Submit(std::uint64_t serial, PlayLine line, const LineKnowledge& known) {
  {
    std::lock_guard lock(mutex_);
    pending_ = Job{serial, std::move(line), known};
    answer_.reset();
    answerReady_ = false;
    stopSearch_ = true;  // the search in hand, if any, is out of date
  }
  if (!worker_.joinable()) worker_ = std::jthread([this](std::stop_token stop) { Run(stop); });
  wake_.notify_one();
}

void WinnabilityWatch::Cancel() {
  std::lock_guard lock(mutex_);
  pending_.reset();
  answer_.reset();
  answerReady_ = false;
  stopSearch_ = true;
}

std::optional<WinnabilityWatch::Answer> WinnabilityWatch::TakeAnswer() {
  if (!answerReady_.load(std::memory_order_acquire)) return std::nullopt;
  std::lock_guard lock(mutex_);
  answerReady_ = false;
  std::optional<Answer> a = std::move(answer_);
  answer_.reset();
  return a;
}

void WinnabilityWatch::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

void WinnabilityWatch::Run(std::stop_token stop) {
  board::Solver solver;
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return pending_.has_value(); })) return;
      job = std::move(*pending_);
      pending_.reset();
      busy_ = true;
      stopSearch_ = false;
    }
    board::SolveLimits limits;
    limits.MaxTime = PositionBudget;
    limits.Stop = &stopSearch_;
    Answer a;
    a.Serial = job.Serial;
    a.Known = job.Known;
    a.Result = DecideLine(job.Line, a.Known, true, solver, limits);
    {
      std::lock_guard lock(mutex_);
      busy_ = false;
      // An answer for a line that was replaced or cancelled meanwhile is dropped.
      if (!pending_ && !stopSearch_) {
        answer_ = std::move(a);
        answerReady_.store(true, std::memory_order_release);
      }
    }
    idle_.notify_all();
  }
}

}  // namespace game
