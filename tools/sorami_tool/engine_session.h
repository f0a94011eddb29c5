#pragma once
// A game engine without a window for sorami-tool: a clock that moves only
// when told, a screen that keeps the status caption and passes messages on to
// stderr, no sound.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "board/layout_file.h"
#include "board/layout_list.h"
#include "command.h"
#include "game/engine.h"
#include "game/null_ports.h"

namespace tool {

// "tile x y z" for every tile on the board, ascending.
inline void PrintTiles(const board::BoardState& state) {
  for (int t = 1; t <= board::MaxTiles; ++t) {
    const board::Cell c = state.TilePlaces[t];
    if (c.OnBoard()) std::printf("%d %d %d %d\n", t, c.x, c.y, c.z);
  }
}

class ToolClock : public game::TimePort {
 public:
  std::uint32_t Tick = 0;
  std::uint32_t TickCount() override { return Tick; }
  game::TimeOfDay UtcTimeOfDay() override { return {}; }
};

class ToolScreen : public game::NullScreen {
 public:
  std::string Status;
  void ShowStatusText(const std::string& text) override { Status = text; }
  void Tell(const std::string&, const std::string& text) override {
    std::fprintf(stderr, "sorami-tool: %s\n", text.c_str());
  }
};

struct Session {
  ToolClock clock;
  ToolScreen screen;
  game::NullSound sound;
  game::Engine engine{clock, screen, sound};

  Session() { engine.MutableOptions().PlaySounds = false; }

  // One 50 ms timer tick.
  void Tick() {
    clock.Tick += 50;
    engine.Tick();
  }
  // Ticks until the status line shows its whole text.
  void SettleStatus() {
    for (int i = 0; i < 2000 && engine.StatusPos() > 1; ++i) Tick();
  }
  // Loads a ".lay" or ".shp" file as layout 1 of the list; false with a
  // message on stderr when it cannot be read.
  bool LoadLayout(const char* command, const std::string& file) {
    try {
      engine.MutableGame().LayoutName = board::LoadLayout(file, engine.MutableGame().Layout);
    } catch (const board::LayoutFileError& e) {
      Fail(command, e.what());
      return false;
    }
    const std::filesystem::path path(file);
    const bool shp = base::HasExtensionNoCase(path.filename().string(), ".shp");
    engine.MutableLayouts().Entries.push_back(
        board::LayoutEntry{shp ? path.filename().string() : path.stem().string(), path, shp});
    engine.MutableGame().BoardNumber = engine.MutableGame().SavedLayoutNumber = 1;
    return true;
  }
  void PrintTiles() const { tool::PrintTiles(engine.Game().Board); }
};

// The Rivers and Memory games as their menu entries start them.
inline void StartRivers(game::Engine& engine, bool easy) {
  engine.NewRiversGame(easy ? game::Difficulty::Easy : game::Difficulty::Hard);
}
inline void StartMemory(game::Engine& engine, bool easy) {
  engine.NewMemoryGame(easy ? game::Difficulty::Easy : game::Difficulty::Hard);
}

}  // namespace tool
