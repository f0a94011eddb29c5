// Speed of the keyboard cursor: the map of the tiles it can rest on (built
// anew for every key), an arrow key through the engine, and the shortest
// run of keys to a tile that sorami-tool's autoplay --keys plans per pick.
#include <benchmark/benchmark.h>

#include "../tests/board/test_layouts.h"
#include "../tests/game/fakes.h"
#include "game/autoplay.h"
#include "game/engine.h"
#include "game/keyboard_cursor.h"

namespace {

using game::testing::FakeClock;
using game::testing::FakeSound;
using game::testing::NullScreen;

struct Rig {
  FakeClock clock;
  NullScreen screen;
  FakeSound sound;
  game::Engine engine{clock, screen, sound};
  Rig() {
    engine.MutableOptions().PlaySounds = false;
    engine.MutableGame().Layout = board::testing::Turtle();
    engine.MutableGame().BoardNumber = engine.MutableGame().SavedLayoutNumber = 1;
    engine.MutableLayouts().Entries.push_back(board::LayoutEntry{"Turtle", "Turtle.lay", false});
    engine.SetClockSeedOverride(1234u);
    engine.MutableOptions().Winnable = true;
    engine.NewRandomGame();
  }
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
