#pragma once
// An engine on the tests' fake clock, screen and sound, set to deal winnable
// games on the turtle layout from a fixed seed: the same start for every
// engine measurement.
#include "../tests/board/test_layouts.h"
#include "../tests/game/fakes.h"
#include "game/engine.h"

namespace bench {

struct EngineRig {
  game::testing::FakeClock clock;
  game::testing::NullScreen screen;
  game::testing::FakeSound sound;
  game::Engine engine{clock, screen, sound};
  EngineRig() {
    engine.MutableOptions().PlaySounds = false;
    engine.MutableGame().Layout = board::testing::Turtle();
    engine.MutableGame().BoardNumber = engine.MutableGame().SavedLayoutNumber = 1;
    engine.MutableLayouts().Entries.push_back(board::LayoutEntry{"Turtle", "Turtle.lay", false});
    engine.SetClockSeedOverride(1234u);
    engine.MutableOptions().Winnable = true;
  }
};

}  // namespace bench
