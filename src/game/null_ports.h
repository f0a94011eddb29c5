#pragma once
// Ports that do nothing: a screen that shows nothing and asks nothing (every
// question is answered OK, every file dialog is cancelled) and a silent sound
// port. For an engine that runs without a window: sorami-tool, benchmarks,
// and tests that only look at the engine's state.

#include <optional>
#include <string>

#include "game/ports.h"

namespace game {

class NullScreen : public ScreenPort {
 public:
  void PaintBoard() override {}
  void PaintTileArea(int, int, int) override {}
  void ShowBackground() override {}
  void ClearBoardBuffer() override {}
  void UpdateNow() override {}
  void ShowHallPanel() override {}
  void PaintBanner() override {}
  void ShowCurrentTile(int) override {}
  void ShowCounters(const std::string&, const std::string&, const std::string&) override {}
  void ShowStatusText(const std::string&) override {}
  void SetPauseCaptions(bool) override {}
  bool Ask(const std::string&, const std::string&) override { return true; }
  void Tell(const std::string&, const std::string&) override {}
  std::optional<std::string> OpenFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileDialog(const std::string&, const std::string&,
                                            const std::string&) override {
    return std::nullopt;
  }
  void OpenHelp(HelpPage) override {}
};

class NullSound : public SoundPort {
 public:
  void PlaySound(const std::string&) override {}
};

}  // namespace game
