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
#include "game/autoplay.h"
#include "game/engine.h"
#include "game/time_text.h"
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

// The mode as the output has always numbered it: 0 idle, 1 one-player
// solitaire, 2 two players, 3 Rivers, 4 Memory, 5 the editor, 6 finished,
// 7 stopped, 8 paused.
inline int ModeCode(const game::GameState& game) {
  switch (game.Phase) {
    case game::GamePhase::Idle: return 0;
    case game::GamePhase::Finished: return 6;
    case game::GamePhase::Stopped: return 7;
    case game::GamePhase::Paused: return 8;
    case game::GamePhase::Running: break;
  }
  switch (game.Kind) {
    case game::GameKind::None: return 0;
    case game::GameKind::Solitaire: return 1;
    case game::GameKind::TwoPlayer: return 2;
    case game::GameKind::Rivers: return 3;
    case game::GameKind::Memory: return 4;
    case game::GameKind::Editor: return 5;
  }
  return 0;
}

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
      engine.MutableGame().LayoutFile = file;
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

  // How autoplay plays: the clock moves 2 seconds with every click.
  game::AutoplayHooks PlayHooks() {
    game::AutoplayHooks hooks;
    hooks.AfterClick = [this] {
      clock.Tick += 2000;
      engine.Tick();
    };
    hooks.Tick = [this] { Tick(); };
    return hooks;
  }

  // Lets the timer notice the end of the play, prints how the game stands
  // (status, tiles left, time or the two players' times, mode, Rivers
  // shuffles, hall-of-fame rank) and tells whether it was won.
  bool Report(const game::AutoplayResult& result) {
    Tick();
    SettleStatus();
    const game::GameState& game = engine.Game();
    std::printf("status: %s\n", screen.Status.c_str());
    std::printf("tiles left: %d\n", game.Board.TilesLeft);
    if (game.Phase == game::GamePhase::Finished && game.Kind == game::GameKind::TwoPlayer) {
      std::printf("player 1: %s\nplayer 2: %s\n", engine.PlayerTimeText(1).c_str(), engine.PlayerTimeText(2).c_str());
    } else {
      std::printf("time: %s\n", game::TimeText(engine.GameTime()).c_str());
    }
    std::printf("mode: %d\n", ModeCode(game));
    if (game.Kind == game::GameKind::Rivers) std::printf("shuffles: %d\n", result.Shuffles);
    if (engine.Hall().RankReached() > 0) std::printf("hall of fame: rank %d\n", engine.Hall().RankReached());
    return result.Cleared && game.Board.TilesLeft == 0 && game.GameOverHandled;
  }
};

// The Rivers and Memory games as their menu entries start them.
inline void StartRivers(game::Engine& engine, bool easy) {
  engine.NewRiversGame(easy ? game::Difficulty::Easy : game::Difficulty::Hard);
}
inline void StartMemory(game::Engine& engine, bool easy) {
  engine.NewMemoryGame(easy ? game::Difficulty::Easy : game::Difficulty::Hard);
}

}  // namespace tool
