// The solver on plain deals of the Traditional layout.
//
// Targets (with a budget of 1 s of processor time per deal): median at most
// 1 ms, 99th percentile at most 20 ms, at most one deal in 10,000 undecided.
// BM_SolvePlainDeals reports the median, the 90th and 99th percentiles and
// the undecided share of a fixed run of numbered deals as counters; `sorami-tool stats` measures
// the same on as many deals as wanted. BM_SolveUniformDeals does the same on
// faces shuffled uniformly at random over the same places (a shuffle of this
// file only, never the game's dealer), to compare the dealer's deals with
// uniform ones; BM_SolveHardDeals times deals the solver once found hardest.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

#include <time.h>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "board/solver.h"

namespace {

const board::LayoutGrid& Traditional() {
  static const board::LayoutGrid layout = [] {
    board::LayoutGrid l;
    board::LoadLayout(std::filesystem::path(SORAMI_DATA_DIR) / "Layouts" / "Traditional.lay", l);
    return l;
  }();
  return layout;
}

board::BoardState PlainDeal(std::uint32_t seed) {
  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, Traditional());
  board::ChooseSeed(g, board::SeedChoice::Exact(seed));
  board::PlainDeal(s, g, nullptr);
  return s;
}

// Processor time of this thread: the machine may be busy with other work.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double Percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

// Faces shuffled uniformly at random over the places of Traditional.
board::BoardState UniformDeal(std::uint32_t index) {
  board::BoardState s;
  board::PrepareBoard(s, Traditional());
  std::vector<board::Cell> places;
  for (int z = 1; z <= board::MaxZ; ++z)
    for (int y = 1; y <= board::MaxY; ++y)
      for (int x = 1; x <= board::MaxX; ++x)
        if (s.Board.At(x, y, z) == board::PlaceMarker) places.push_back(board::Cell{x, y, z});
  std::mt19937_64 rng(0x5EED0000ull + index);
  std::shuffle(places.begin(), places.end(), rng);
  for (std::size_t i = 0; i < places.size(); ++i) s.PutTile(static_cast<int>(i) + 1, places[i]);
  return s;
}

// Decides every deal once per iteration and reports the spread of times and
// the shares of answers as counters.
void DecideAll(benchmark::State& state, const std::vector<board::BoardState>& deals) {
  board::Solver solver;
  board::SolveLimits limits;
  limits.MaxTime = std::chrono::milliseconds(1000);
  limits.ProcessorTime = true;  // as sorami-tool stats counts it
  std::vector<double> ms, cpu;
  double undecided = 0, lost = 0;
  for (auto _ : state) {
    ms.clear();
    cpu.clear();
    undecided = lost = 0;
    for (const board::BoardState& s : deals) {
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = ThreadCpuMs();
      const board::SolveResult r = solver.Solve(s, false, limits);
      cpu.push_back(ThreadCpuMs() - cpuStart);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      undecided += r.Answer == board::Verdict::Undecided;
      lost += r.Answer == board::Verdict::Unwinnable;
    }
  }
  const auto n = static_cast<double>(deals.size());
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p90_ms"] = Percentile(ms, 0.9);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
  state.counters["max_ms"] = Percentile(ms, 1.0);
  state.counters["cpu_median_ms"] = Percentile(cpu, 0.5);
  state.counters["cpu_p99_ms"] = Percentile(cpu, 0.99);
  state.counters["undecided_share"] = undecided / n;
  state.counters["unwinnable_share"] = lost / n;
}

// One iteration decides `range(0)` numbered deals (seeds 1..n).
void BM_SolvePlainDeals(benchmark::State& state) {
  std::vector<board::BoardState> deals;
  for (std::uint32_t seed = 1; seed <= static_cast<std::uint32_t>(state.range(0)); ++seed) deals.push_back(PlainDeal(seed));
  DecideAll(state, deals);
}
BENCHMARK(BM_SolvePlainDeals)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SolveUniformDeals(benchmark::State& state) {
  std::vector<board::BoardState> deals;
  for (std::uint32_t i = 1; i <= static_cast<std::uint32_t>(state.range(0)); ++i) deals.push_back(UniformDeal(i));
  DecideAll(state, deals);
}
BENCHMARK(BM_SolveUniformDeals)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Numbered deals that took the solver longest (all but 943 cannot be won).
void BM_SolveHardDeals(benchmark::State& state) {
  std::vector<board::BoardState> deals;
  for (const std::uint32_t seed : {683u, 851u, 868u, 920u, 943u, 1055u, 1158u, 1255u, 1332u, 1760u})
    deals.push_back(PlainDeal(seed));
  DecideAll(state, deals);
}
BENCHMARK(BM_SolveHardDeals)->Iterations(1)->Unit(benchmark::kMillisecond);

// A typical easy position: the full board of a winnable deal.
void BM_SolveWinnableDeal(benchmark::State& state) {
  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, Traditional());
  board::DealLayout(s, Traditional(), g, board::SeedChoice::Exact(1), nullptr);
  board::Solver solver;
  for (auto _ : state) benchmark::DoNotOptimize(solver.Solve(s, false));
}
BENCHMARK(BM_SolveWinnableDeal)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
