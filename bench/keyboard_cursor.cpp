// Speed of the keyboard cursor: the map of the tiles it can rest on (built
// anew for every key), an arrow key through the engine, and the shortest
// run of keys to a tile that sorami-tool's autoplay --keys plans per pick.
#include <benchmark/benchmark.h>

#include "engine_rig.h"
#include "game/autoplay.h"
#include "game/keyboard_cursor.h"

namespace {

// A rig with a game dealt.
struct Rig : bench::EngineRig {
  Rig() { engine.NewRandomGame(); }
};

void BM_CursorMapOfAFullBoard(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    const game::TileCursorMap map(rig.engine.Game().Board, game::FreeRule::Normal);
    benchmark::DoNotOptimize(map.First());
  }
}
BENCHMARK(BM_CursorMapOfAFullBoard);

// Right along the board and Home again: one key each round.
void BM_ArrowKey(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    if (!rig.engine.OnBoardKey(game::BoardKey::Right)) rig.engine.OnBoardKey(game::BoardKey::First);
    benchmark::DoNotOptimize(rig.engine.CursorTileShown());
  }
}
BENCHMARK(BM_ArrowKey);

// From the first tile to the last one in reading order.
void BM_KeysAcrossTheBoard(benchmark::State& state) {
  Rig rig;
  rig.engine.OnBoardKey(game::BoardKey::First);
  const int last = rig.engine.CursorMap().Last();
  for (auto _ : state) benchmark::DoNotOptimize(game::KeysToReach(rig.engine, last));
}
BENCHMARK(BM_KeysAcrossTheBoard);

}  // namespace

BENCHMARK_MAIN();
