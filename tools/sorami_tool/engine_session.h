#pragma once
// A game engine without a window for sorami-tool: a clock that moves only
// when told, a screen that keeps the status caption and counters, no sound.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "board/layout_file.h"
#include "command.h"
#include "game/engine.h"

namespace tool {

class ToolClock : public game::TimePort {
 public:
  std::uint32_t Tick = 0;
  std::uint32_t TickCount() override { return Tick; }
  game::TimeOfDay UtcTimeOfDay() override { return {}; }
};

class ToolScreen : public game::ScreenPort {
 public:
  std::string Status;
  void PaintBoard() override {}
  void PaintTileArea(int, int, int) override {}
  void ShowFond() override {}
  void ClearBoardBuffer() override {}
  void UpdateNow() override {}
  void ShowPanelHOF() override {}
  void PaintBanner() override {}
  void ShowCurrentTile(int) override {}
  void ShowCounters(const std::string&, const std::string&, const std::string&) override {}
  void ShowStatusText(const std::string& text) override { Status = text; }
  void SetPauseCaptions(bool) override {}
  bool Ask(const std::string&, const std::string&) override { return true; }
  void Tell(const std::string&, const std::string& text) override {
    std::fprintf(stderr, "sorami-tool: %s\n", text.c_str());
  }
  std::optional<std::string> OpenFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return std::nullopt;
  }
  void OpenHelp(game::HelpPage) override {}
};

class ToolSound : public game::SoundPort {
 public:
  void PlaySound(const std::string&) override {}
};

struct Session {
  ToolClock clock;
  ToolScreen screen;
  ToolSound sound;
  game::Engine engine{clock, screen, sound};

  Session() { engine.Opt.PlaySounds = false; }

  // One 50 ms timer tick.
  void Tick() {
    clock.Tick += 50;
    engine.Temps();
  }
  // Ticks until the status line shows its whole text.
  void SettleStatus() {
    for (int i = 0; i < 2000 && engine.StatusPos > 1; ++i) Tick();
  }
  // Loads a ".lay" or ".shp" file as layout 1 of the list; false with a
  // message on stderr when it cannot be read.
  bool LoadLayout(const std::string& command, const std::string& file) {
    try {
      engine.CurrentLayoutName = board::LoadLayout(file, engine.Layout);
    } catch (const board::LayoutFileError& e) {
      std::fprintf(stderr, "sorami-tool %s: %s\n", command.c_str(), e.what());
      return false;
    }
    const std::filesystem::path path(file);
    const bool shp = board::HasExtensionNoCase(path.filename().string(), ".shp");
    engine.Layouts.Entries.push_back(
        board::LayoutEntry{shp ? path.filename().string() : path.stem().string(), path, shp});
    engine.BoardNumber = engine.SavedLayoutNumber = 1;
    return true;
  }
  // "tile x y z" for every tile on the board, ascending.
  void PrintTiles() const {
    for (int t = 1; t <= board::MaxTiles; ++t) {
      const board::Cell c = engine.State.TilePlaces[t];
      if (c.OnBoard()) std::printf("%d %d %d %d\n", t, c.x, c.y, c.z);
    }
  }
};

// A seed option: any 32-bit value (a negative one as the game stores it).
inline bool ParseSeed(const std::string& text, std::uint32_t& seed) {
  long long value = 0;
  if (!ParseInt64(text, value) || value < -2147483648LL || value > 4294967295LL) return false;
  seed = static_cast<std::uint32_t>(value);
  return true;
}

// Rejects options other than the known ones; the message names the command.
inline bool OnlyKnownOptions(const Args& args, std::initializer_list<const char*> known,
                             const char* command, const char* usage) {
  for (const auto& a : args) {
    if (a.rfind("--", 0) != 0) continue;
    bool ok = false;
    for (const char* k : known) ok = ok || a == k;
    if (!ok) {
      std::fprintf(stderr, "sorami-tool %s: unknown option %s\nusage: sorami-tool %s\n", command, a.c_str(), usage);
      return false;
    }
  }
  return true;
}

}  // namespace tool

namespace tool {

// "rivers|memory easy|hard --seed N": the placement a seed gives, one line
// "tile x y z" per tile. start(engine, easy) starts the game.
template <typename Start>
int RunPlacement(const Args& args, const char* command, const char* usage, Start start) {
  if (!OnlyKnownOptions(args, {"--seed"}, command, usage)) return 2;
  const Args words = Positional(args, {"--seed"});
  const std::string* seedText = FlagValue(args, "--seed");
  std::uint32_t seed = 0;
  if (words.size() != 1 || (words[0] != "easy" && words[0] != "hard") || seedText == nullptr) {
    std::fprintf(stderr, "usage: sorami-tool %s\n", usage);
    return 2;
  }
  if (!ParseSeed(*seedText, seed)) {
    std::fprintf(stderr, "sorami-tool %s: '%s' is not a 32-bit seed\n", command, seedText->c_str());
    return 2;
  }
  Session session;
  session.engine.ClockSeedOverride = seed;
  start(session.engine, words[0] == "easy");
  session.PrintTiles();
  return 0;
}

}  // namespace tool
