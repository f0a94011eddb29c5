#pragma once
// The main window as the core's screen: the engine's ScreenPort (painting
// through the board view and the side panel, the counters and status text,
// message boxes, file dialogs, the help window), the help window's host, and
// where the music and the tileset and background commands send their
// notices. It reaches the window's parts through the window; it holds none.

#include <optional>
#include <string>

#include "app/help_window.h"
#include "game/music_control.h"
#include "game/ports.h"
#include "view/looks.h"

namespace app {

class MainWindow;

class ScreenAdapter final : public game::ScreenPort,
                            public game::MusicNotices,
                            public HelpHost,
                            public view::LooksHost {
 public:
  explicit ScreenAdapter(MainWindow& window) : window_(window) {}

  // game::ScreenPort
  void PaintBoard() override;
  void PaintTileArea(int x, int y, int z) override;
  void ShowBackground() override;
  void ClearBoardBuffer() override;
  void UpdateNow() override;
  void ShowHallPanel() override;  // also HelpHost
  void PaintBanner() override;
  void ShowCurrentTile(int tile) override;
  void ShowCounters(const std::string& tiles, const std::string& moves,
                    const std::string& time) override;
  void ShowStatusText(const std::string& text) override;
  void SetPauseCaptions(bool paused) override;
  bool Ask(const std::string& title, const std::string& text) override;
  void Tell(const std::string& title, const std::string& text) override;
  std::optional<std::string> OpenFileDialog(const std::string& title, const std::string& filter,
                                            const std::string& dir) override;
  std::optional<std::string> SaveFileDialog(const std::string& title, const std::string& filter,
                                            const std::string& dir) override;
  void OpenHelp(game::HelpPage page) override;

  // game::MusicNotices
  void ShowMusicStatus(const std::string& text) override;
  void TellMusicError(const std::string& text) override;
  void MusicStateChanged() override;

  // HelpHost
  const QImage& HelpTileTexture() const override;

  // view::LooksHost
  std::optional<std::string> OpenPictureDialog(const std::string& title, const std::string& filter,
                                               const std::string& dir) override;
  void ShowError(const std::string& text) override;
  void RedrawUnlessIdle() override;

 private:
  MainWindow& window_;
};

}  // namespace app
