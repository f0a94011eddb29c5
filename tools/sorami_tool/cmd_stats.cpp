// sorami-tool stats LAYOUT --deals N [--first-seed S] [--threads T] [--vertical]:
// how many numbered plain deals of a layout cannot be won, and how long the
// solver takes to tell.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include <time.h>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "board/solver.h"
#include "command.h"

namespace tool {
namespace {

constexpr const char* Name = "stats";
constexpr const char* Usage = "stats LAYOUT --deals N [--first-seed S] [--threads T] [--vertical]";
// Each deal gets this much processor time before it counts as undecided
// (processor time, so that other work on the machine, or more threads than
// cores, does not turn slow deals into undecided ones).
constexpr auto DealBudget = std::chrono::milliseconds(1000);

struct DealTally {
  board::Verdict Answer = board::Verdict::Undecided;
  double Ms = 0;     // wall clock
  double CpuMs = 0;  // processor time of the solving thread
};

// Processor time of the calling thread, in milliseconds: on a busy machine
// it tells the solver's own work apart from the waiting.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The Wilson score interval of k successes in n trials at 95 %.
void WilsonInterval(long long k, long long n, double& low, double& high) {
  if (n == 0) {
    low = high = 0;
    return;
  }
  const double z = 1.959963984540054, p = static_cast<double>(k) / static_cast<double>(n);
  const double nn = static_cast<double>(n), z2 = z * z;
  const double centre = (p + z2 / (2 * nn)) / (1 + z2 / nn);
  const double half = z * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn)) / (1 + z2 / nn);
  low = std::max(0.0, centre - half);
  high = std::min(1.0, centre + half);
}

// The q-th quantile (0..1) of sorted values, nearest rank.
double Quantile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return 0;
  const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(sorted.size())));
  return sorted[std::min(sorted.size() - 1, rank == 0 ? 0 : rank - 1)];
}

void ShowProgress(long long done, long long total) {
  constexpr int Width = 40;
  const int filled = total == 0 ? Width : static_cast<int>(done * Width / total);
  std::fprintf(stderr, "\r[%.*s%.*s] %lld/%lld", filled, "########################################", Width - filled,
               "                                        ", done, total);
  std::fflush(stderr);
}

int RunStats(const Args& args) {
  if (!OnlyKnownOptions(args, {"--deals", "--first-seed", "--threads", "--vertical"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--deals", "--first-seed", "--threads"});
  const std::string* dealsText = FlagValue(args, "--deals");
  if (files.size() != 1 || !dealsText) return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  long long deals = 0;
  if (!ParseInt64(*dealsText, deals) || deals < 1 || deals > 100000000)
    return Fail(Name, "--deals takes a number from 1 to 100000000");
  long long first = 1;
  if (HasFlag(args, "--first-seed")) {
    const std::string* text = FlagValue(args, "--first-seed");
    if (!text || !ParseInt64(*text, first) || first < 0 || first + deals - 1 > 4294967295LL)
      return Fail(Name, "--first-seed takes a seed from 0 such that every seed stays below 4294967296");
  }
  long long threads = std::max(1u, std::thread::hardware_concurrency());
  if (HasFlag(args, "--threads")) {
    const std::string* text = FlagValue(args, "--threads");
    if (!text || !ParseInt64(*text, threads) || threads < 1 || threads > 256)
      return Fail(Name, "--threads takes a number from 1 to 256");
  }
  threads = std::min(threads, deals);
  const bool vertical = HasFlag(args, "--vertical");

  board::LayoutGrid layout;
  if (const auto error = ReadLayout(files[0], layout)) return Fail(Name, *error);

  std::vector<DealTally> tally(static_cast<std::size_t>(deals));
  std::atomic<long long> next{0}, done{0};
  auto work = [&] {
    board::Solver solver;
    board::SolveLimits limits;
    limits.MaxTime = DealBudget;
    limits.ProcessorTime = true;
    for (long long k = next++; k < deals; k = next++) {
      board::BoardState s;
      board::Generator g;
      board::PrepareBoard(s, layout);
      board::ChooseSeed(g, board::SeedChoice::Exact(static_cast<std::uint32_t>(first + k)));
      board::PlainDeal(s, g, nullptr);
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = ThreadCpuMs();
      const board::SolveResult r = solver.Solve(s, vertical, limits);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      tally[static_cast<std::size_t>(k)] = DealTally{r.Answer, ms, ThreadCpuMs() - cpuStart};
      ++done;
    }
  };
  std::vector<std::thread> pool;
  for (long long t = 0; t < threads; ++t) pool.emplace_back(work);
  for (long long shown = -1;;) {
    const long long d = done.load();
    if (d != shown) ShowProgress(d, deals);
    shown = d;
    if (d == deals) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  for (auto& t : pool) t.join();
  std::fprintf(stderr, "\n");

  long long lost = 0, undecided = 0;
  std::vector<double> times, cpu;
  times.reserve(tally.size());
  cpu.reserve(tally.size());
  for (const DealTally& t : tally) {
    lost += t.Answer == board::Verdict::Unwinnable;
    undecided += t.Answer == board::Verdict::Undecided;
    times.push_back(t.Ms);
    cpu.push_back(t.CpuMs);
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu.begin(), cpu.end());
  double low = 0, high = 0;
  WilsonInterval(lost, deals, low, high);
  std::printf("deals: %lld (seeds %lld to %lld, %s rule, %lld threads)\n", deals, first, first + deals - 1,
              vertical ? "vertical" : "normal", threads);
  std::printf("unwinnable: %.2f %% (95 %% interval %.2f %% to %.2f %%; %lld deals)\n",
              100.0 * static_cast<double>(lost) / static_cast<double>(deals), 100 * low, 100 * high, lost);
  std::printf("undecided: %lld\n", undecided);
  std::printf("time: median %.3f ms, 90th percentile %.3f ms, 99th percentile %.3f ms, maximum %.3f ms\n",
              Quantile(times, 0.5), Quantile(times, 0.9), Quantile(times, 0.99), times.back());
  std::printf("processor time: median %.3f ms, 90th percentile %.3f ms, 99th percentile %.3f ms, maximum %.3f ms\n",
              Quantile(cpu, 0.5), Quantile(cpu, 0.9), Quantile(cpu, 0.99), cpu.back());
  return 0;
}

Registration reg{Name, Usage, &RunStats};

}  // namespace
}  // namespace tool
