#pragma once
// An engine on fake ports, with helpers to lay out boards by hand and to
// click tiles the way the window does (pixel positions of the board image).

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "board/test_layouts.h"
#include "game/autoplay.h"
#include "game/engine.h"
#include "game/fakes.h"

namespace game::testing {

// The difficulty a test case names in its label ("MJ Rivers (Easy)").
inline Difficulty LevelNamedIn(std::string_view label) {
  return label.find("Easy") != std::string_view::npos ? Difficulty::Easy : Difficulty::Hard;
}

struct Placed {
  int tile;
  int x, y, z;
};

class EngineTest : public ::testing::Test {
 protected:
  FakeClock clock;
  FakeScreen screen;
  FakeSound sound;
  Engine engine{clock, screen, sound};

  EngineTest() {
    engine.MutableGame().Layout = board::testing::Turtle();
    engine.MutableGame().BoardNumber = 1;
    engine.MutableGame().SavedLayoutNumber = 1;
    engine.MutableLayouts().Entries.push_back(board::LayoutEntry{"Traditional", "Traditional.lay", false});
    engine.SetClockSeedOverride(4242u);
  }

  // Only these tiles on the board, in a running game of the given kind, as a
  // fresh game.
  void Lay(GameKind kind, std::initializer_list<Placed> tiles) {
    engine.MutableGame().Board.Board.Clear();
    for (auto& p : engine.MutableGame().Board.TilePlaces) p = board::Cell{};
    int highest = 0;
    for (const Placed& p : tiles) {
      engine.MutableGame().Board.PutTile(p.tile, board::Cell{p.x, p.y, p.z});
      highest = std::max(highest, p.tile);
    }
    // The tile set reaches the highest tile number laid; the history of
    // the game starts at TileCount - TilesLeft.
    engine.MutableGame().Board.TilesLeft = static_cast<int>(tiles.size());
    engine.MutableGame().Board.TileCount = highest;
    engine.SetMode(kind, GamePhase::Running);
    engine.MutableGame().Clock.StartTick = clock.Tick;
    engine.RecountFreeTiles();
  }

  // The pixel of the board image at the middle of a tile's face.
  static std::pair<int, int> FaceCentre(const Engine& e, int tile) { return TileFaceCentre(e, tile); }

  void Click(int tile, MouseButton button = MouseButton::Left) { ClickTile(engine, tile, button); }
  void ClickPair(int a, int b) {
    Click(a);
    Click(b);
  }

  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      clock.Advance(50);
      engine.Tick();
    }
  }

  // Index of the history entry the next move writes.
  int NextHistory() const { return engine.Game().Board.TileCount - engine.Game().Board.TilesLeft; }
  bool OnBoard(int tile) const { return engine.Game().Board.TilePlaces[tile].OnBoard(); }
};

}  // namespace game::testing
