#pragma once
// Fake ports for tests of the game core: a clock you advance by hand, a
// screen that records what it was asked to do, message boxes with scripted
// answers, and a sound port that records the names it played.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/null_ports.h"
#include "game/ports.h"

namespace game::testing {

class FakeClock : public TimePort {
 public:
  std::uint32_t Tick = 1000000;  // ms; any start will do
  TimeOfDay Time{12, 34, 56, 789};

  std::uint32_t TickCount() override { return Tick; }
  TimeOfDay UtcTimeOfDay() override { return Time; }
  void Advance(std::uint32_t ms) { Tick += ms; }
  void AdvanceSeconds(std::uint32_t s) { Tick += s * 1000u; }
};

class FakeScreen : public ScreenPort {
 public:
  struct Area {
    int x, y, z;
  };
  int BoardPaints = 0;
  std::vector<Area> TileAreas;
  int BackgroundsShown = 0;
  int BufferClears = 0;
  int Updates = 0;
  int PanelShows = 0;
  int PanelRedraws = 0;
  int Banners = 0;
  std::vector<int> Previews;
  std::string Tiles, Moves, Time;  // counters as last shown
  std::string Status;              // status caption as last shown
  std::vector<std::string> StatusHistory;
  bool PausedCaptions = false;
  std::vector<std::pair<std::string, std::string>> Asked, Told;
  std::deque<bool> Answers;  // scripted answers of Ask; true (OK) when empty
  std::vector<HelpPage> HelpOpened;
  std::function<void(HelpPage)> OnHelp;  // runs while the help window is "open"
  std::optional<std::string> DialogAnswer;

  void PaintBoard() override { ++BoardPaints; }
  void PaintTileArea(int x, int y, int z) override { TileAreas.push_back({x, y, z}); }
  void ShowBackground() override { ++BackgroundsShown; }
  void ClearBoardBuffer() override { ++BufferClears; }
  void UpdateNow() override { ++Updates; }
  void ShowHallPanel() override { ++PanelShows; }
  void RedrawHallPanel() override { ++PanelRedraws; }
  void PaintBanner() override { ++Banners; }
  void ShowCurrentTile(int tile) override { Previews.push_back(tile); }
  void ShowCounters(const std::string& tiles, const std::string& moves, const std::string& time) override {
    Tiles = tiles;
    Moves = moves;
    Time = time;
  }
  void ShowStatusText(const std::string& text) override {
    if (text != Status) StatusHistory.push_back(text);
    Status = text;
  }
  void SetPauseCaptions(bool paused) override { PausedCaptions = paused; }
  bool Ask(const std::string& title, const std::string& text) override {
    Asked.emplace_back(title, text);
    if (Answers.empty()) return true;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void Tell(const std::string& title, const std::string& text) override { Told.emplace_back(title, text); }
  std::optional<std::string> OpenFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return DialogAnswer;
  }
  std::optional<std::string> SaveFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return DialogAnswer;
  }
  void OpenHelp(HelpPage page) override {
    HelpOpened.push_back(page);
    if (OnHelp) OnHelp(page);
  }
};

// The do-nothing screen, for benchmarks that need no record of the drawing.
using game::NullScreen;

class FakeSound : public SoundPort {
 public:
  std::vector<std::string> Played;
  void PlaySound(const std::string& name) override { Played.push_back(name); }
  std::string Last() const { return Played.empty() ? std::string() : Played.back(); }
};

}  // namespace game::testing
