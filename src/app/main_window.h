#pragma once
// MainWindow, the game's main window: the menu bar, the toolbar, the board image
// `Game`, the hall-of-fame panel `HallPanelBox` and the status line, stacked into a
// window whose size follows from its parts. It owns the one game engine and
// carries the engine's requests to the screen (ScreenPort), its clock
// (TimePort), and turns menu commands, toolbar buttons, pointer events on the
// board, the 50 ms timer and the application's focus changes into engine
// commands. No game rule lives here.
//
// Building the window runs the start-up (Init); closing it runs the close
// sequence (FormCloseQuery), which writes "Sorami.ini" and "Hallfame.ini".

#include <QCursor>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/display_mode.h"
#include "app/help_window.h"
#include "app/settings.h"
#include "app/time_source.h"
#include "app/tool_bar.h"
#include "base/ini_file.h"
#include "board/geometry.h"
#include "game/music_control.h"
#include "game/ports.h"
#include "game/user_folders.h"
#include "view/hall_panel.h"
#include "view/looks.h"

class QAction;
class QMenu;
class QWidget;

namespace game {
class Engine;
}
namespace audio {
class AudioOutput;
}

namespace app {

class BandMenu;
class EditorPanel;
class EditorShell;
class PictureBox;
class StatusLine;

class MainWindow : public QMainWindow,
                public game::ScreenPort,
                public game::MusicNotices,
                public HelpHost,
                private view::LooksHost {
  Q_OBJECT

 public:
  static constexpr int kBoardWidth = board::Geometry::BoardWidth;
  static constexpr int kBoardHeight = board::Geometry::BoardHeight;

  // Where the window finds the world. Tests and the program fill it; left
  // empty, the system's display, sound and music devices are used.
  struct Environment {
    // The program's folder (with or without its trailing separator).
    QString ProgramDir;
    // Where the data and the player's files are; unset: chosen from
    // ProgramDir and the process's environment (game::ChooseFolders).
    std::optional<game::Folders> Folders;
    // The command line's layout (its menu name) and numbered game; empty:
    // the stored layout and the usual first game.
    QString StartLayout;
    std::optional<int> StartGame;
    // The display; null: the running display (XRandR on X11).
    std::unique_ptr<DisplayBackend> Display;
    // The sound and music devices; null: the audio library's devices.
    std::unique_ptr<game::SoundPort> Sound;
    std::unique_ptr<game::MusicDevice> MusicDevice;
  };

  explicit MainWindow(Environment environment);
  ~MainWindow() override;

  // False when the start-up could not finish (an empty music or layout
  // folder); the reason was shown to the player and the window must not be
  // shown.
  bool Started() const { return started_; }
  const QString& StartupError() const { return startupError_; }
  // True when the start-up stopped on the command line's request (a layout
  // name that is in no menu); StartupError says why, no message box showed.
  bool CommandLineRefused() const { return commandLineRefused_; }

  game::Engine& Engine() { return *engine_; }
  // The shipped data's folder (with a trailing separator).
  const QString& ProgramDir() const { return programDir_; }
  // Where the settings, the hall of fame and the player's own files live.
  const game::Folders& Files() const { return folders_; }

  // The parts, for tests and the help and editor windows.
  PictureBox* Game() const { return game_; }
  PictureBox* HallPanelBox() const { return hallPanelBox_; }
  StatusLine* Status() const { return statusLine_; }
  ToolBar* Tools() const { return toolBar_; }
  QMenu* NewGameMenu() const;
  // A menu entry by its menu's and its own caption, as shown ("&File",
  // "E&xit"); null when there is none.
  QAction* MenuEntry(const QString& menu, const QString& entry) const;

  // The help window, built when first wanted.
  HelpWindow* Help();
  // The layout editor's menus and panel.
  EditorShell* Editor() const { return editor_.get(); }
  // The layout editor's two commands; set by the editor when it is created.
  std::function<void()> CreateLayoutHandler;
  std::function<void()> EditLayoutHandler;

  // The screen's size as the game sees it (after the 800 x 600 switch).
  Resolution ScreenSize() const;
  int ScreenWidth() const;

  // Runs the menu's commands; public so that the help window, the editor
  // and tests reach them the way a player does.
  void Exit();
  void ToggleHallOfFame();
  void ToggleToolbar();
  void ToggleStatusBar();
  void ToggleCoolMenu();
  void ToggleCoolMouse();
  void ToggleCoolToolbar();
  void ToggleFlatButtons();
  // After any command: check marks, captions and enabled states from the
  // engine's state.
  void RefreshFromEngine();
  // Sizes and shows the parts from the options (and the editor panel in
  // place of the toolbar while the layout editor is open).
  void LayOut();

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

  // The tileset and background choices, and the board pictures.
  view::Looks& Looks() { return *looks_; }
  view::BoardView& View() { return *view_; }

 signals:
  // The window has been shown for the first time (the splash can go).
  void FirstShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Start-up, in the order of its steps.
  void Init();
  void ReadSettingsFile();
  void PlaceWindow();
  // Whether a window placed at `at` shows some of its top on a screen.
  bool TitleOnScreen(QPoint at) const;
  bool LoadFiles();
  // The command line's layout becomes the current one; false when no menu
  // entry has its name.
  bool ChooseStartLayout();
  void FormShow();
  void BuildLookMenus();
  // The close sequence; false when the player chose to stay.
  bool FormCloseQuery();
  // Settings as the file should hold them now.
  Settings CurrentSettings() const;
  void FailStartup(const QString& message);
  // The layout list's names, which name the hall-of-fame tables.
  std::vector<std::string> LayoutNames() const;

  // Building the window's parts.
  void BuildMenus();
  void BuildNewGameMenu();
  void BuildToolBar();
  void FillLayoutMenu();
  void FillMusicMenu();
  BandMenu* AddMenu(const QString& caption);
  QAction* AddEntry(QMenu* menu, const QString& caption, const QKeySequence& key,
                    std::function<void()> command);
  QAction* AddToggle(QMenu* menu, const QString& caption, const QKeySequence& key,
                     std::function<void()> command, std::function<bool()> checked);
  // Runs a command, shows an error it raises, and (unless told not to)
  // refreshes the window's check marks and buttons from the engine.
  void Run(const std::function<void()>& command, bool refresh = true);
  void ToolButton(ToolBar::Button which);
  void OpenNewGameMenu(QPoint at);

  void ApplyCoolMenu();
  void ApplyCoolMouse();
  void Tick();
  // Another program took the focus, or Sorami got it back.
  void ApplicationStateChanged(Qt::ApplicationState state);

  // view::LooksHost
  std::optional<std::string> OpenPictureDialog(const std::string& title, const std::string& filter,
                                               const std::string& dir) override;
  void ShowError(const std::string& text) override;
  void RedrawUnlessIdle() override;

  Environment env_;
  QString programDir_;
  game::Folders folders_;
  bool started_ = false;
  QString startupError_;
  bool commandLineRefused_ = false;
  bool shownOnce_ = false;
  // Placed on a 640-pixel screen after a run at another width: the window
  // keeps to 640 x 453.
  bool narrowScreen_ = false;
  bool closing_ = false;

  TimeSource time_;
  // The sound device both the effects and the music sound through; it
  // outlives them.
  std::unique_ptr<audio::AudioOutput> audioOutput_;
  std::unique_ptr<game::SoundPort> sound_;
  std::unique_ptr<game::MusicDevice> musicDevice_;
  std::unique_ptr<game::Engine> engine_;
  std::unique_ptr<game::MusicControl> music_;
  std::unique_ptr<view::BoardView> view_;
  std::unique_ptr<view::Looks> looks_;
  view::HallPanel panel_;
  std::unique_ptr<DisplayMode> displayMode_;

  base::IniFile settingsFile_;
  base::IniFile hallFile_;
  Settings loaded_;

  QTimer timer_;
  QWidget* central_ = nullptr;
  ToolBar* toolBar_ = nullptr;
  EditorPanel* editorPanel_ = nullptr;
  std::unique_ptr<EditorShell> editor_;
  PictureBox* game_ = nullptr;
  PictureBox* hallPanelBox_ = nullptr;
  HelpWindow* help_ = nullptr;
  QStringList helpNotices_;  // what start-up reported of the help window's files
  StatusLine* statusLine_ = nullptr;
  // The pointer shape "TECHNO", once start-up has loaded it.
  std::optional<QCursor> techno_;
  bool technoApplied_ = false;

  // Menus and the entries whose look follows the engine.
  std::vector<BandMenu*> menus_;
  BandMenu* newGameMenu_ = nullptr;
  BandMenu* layoutMenu_ = nullptr;
  BandMenu* musicMenu_ = nullptr;
  QAction* pauseEntry_ = nullptr;
  std::vector<QAction*> layoutEntries_;
  std::vector<QAction*> musicEntries_;
  struct CheckBinding {
    QPointer<QAction> action;
    std::function<bool()> checked;
  };
  std::vector<CheckBinding> checks_;
};

}  // namespace app
