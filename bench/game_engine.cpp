// Speed of the engine's hot paths: the 50 ms timer tick of a running game,
// a click that removes a pair, and the Rivers path search at its worst.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine_rig.h"
#include "game/autoplay.h"

// Counts heap allocations so that the tick can show it makes none.
static std::atomic<long> g_allocations{0};
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Rig = bench::EngineRig;

// One tick of a running one-player game: Memory step, status line, clock,
// time limit and the counters with their recount of free tiles.
void BM_TickRunningGame(benchmark::State& state) {
  Rig rig;
  rig.engine.NewRandomGame();
  rig.engine.ShowStatus("A status text long enough to leave the small-string buffer behind it");
  for (int i = 0; i < 200; ++i) {  // settle the status line and the counters
    rig.clock.Advance(50);
    rig.engine.Tick();
  }
  // The clock stands still so that the game never reaches its time limit;
  // every tick still reads it and recounts the board.
  const long before = g_allocations.load();
  for (auto _ : state) rig.engine.Tick();
  if (!rig.engine.Game().Running(game::GameKind::Solitaire)) state.SkipWithError("the game is no longer running");
  state.counters["allocations_per_tick"] =
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TickRunningGame);

// A click that completes a pair (the first click of the pair included),
// with a screen that does nothing.
void BM_ClickRemovesPair(benchmark::State& state) {
  Rig rig;
  int pair = 72;
  for (auto _ : state) {
    if (pair >= 72) {
      state.PauseTiming();
      rig.engine.NewRandomGame();
      pair = 0;
      state.ResumeTiming();
    }
    const board::Cell a = rig.engine.LastRemovalOrder().RemovalPairs[2 * pair];
    const board::Cell b = rig.engine.LastRemovalOrder().RemovalPairs[2 * pair + 1];
    game::ClickTile(rig.engine, rig.engine.Game().Board.Board.At(a.x, a.y, a.z));
    game::ClickTile(rig.engine, rig.engine.Game().Board.Board.At(b.x, b.y, b.z));
    ++pair;
  }
}
BENCHMARK(BM_ClickRemovesPair);

// The path search on a full Rivers Hard board where no path exists. On a
// full board the cost depends on the places only; this pair (the top
// layer's bottom-left corner and an inner place) was the slowest of all
// pairs without a path when every pair was tried.
void BM_CanBeReachedNoPathFullHard(benchmark::State& state) {
  Rig rig;
  rig.engine.NewRiversGame(game::Difficulty::Hard);
  rig.engine.MutableOptions().AnimateTileRivers = false;
  const int left = rig.engine.Game().Board.Board.At(6, 15, 2);
  const int right = rig.engine.Game().Board.Board.At(10, 7, 2);
  if (rig.engine.CanBeReached(left, right)) state.SkipWithError("a path exists");
  for (auto _ : state) benchmark::DoNotOptimize(rig.engine.CanBeReached(left, right));
}
BENCHMARK(BM_CanBeReachedNoPathFullHard);

}  // namespace

BENCHMARK_MAIN();
