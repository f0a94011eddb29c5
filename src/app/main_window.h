#pragma once
// MainWindow, the game's main window: the menu bar, the toolbar, the board image
// `Game`, the hall-of-fame panel `HallPanelBox` and the status line, stacked into a
// window whose size follows from its parts at first. The window can be
// resized and maximised: the board and the panel are drawn at a zoom, or
// scaled to fill the room ("Fit to Window"), and centred in it; the size of
// the parts at 100 % is the smallest the window takes. It owns the one game engine and
// its ports (the screen adapter, the clock, the sound and music devices), and
// turns the commands of its command table, pointer events on the board, the
// 50 ms timer and the application's focus changes into engine commands. No
// game rule lives here.
//
// Building the window runs the start-up (Session::Start); closing it runs the
// close sequence (Session::Close), which writes "Sorami.ini" and "Hallfame.ini".

#include <QCursor>
#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/display_mode.h"
#include "app/help_window.h"
#include "app/settings.h"
#include "app/time_source.h"
#include "app/tool_bar.h"
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
class GameKeeper;
}
namespace view {
class BoardView;
}

namespace app {

class AudioDevices;
class BandMenu;
class BoardArea;
class BoardSpeech;
class EditorPanel;
class EditorShell;
class PictureBox;
class ScreenAdapter;
class Session;
class StatusLine;

class MainWindow : public QMainWindow {
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
  bool Started() const;
  const QString& StartupError() const;
  // True when the start-up stopped on the command line's request (a layout
  // name that is in no menu); StartupError says why, no message box showed.
  bool CommandLineRefused() const;

  game::Engine& Engine() const { return *engine_; }
  game::MusicControl& Music() const { return *music_; }
  // The engine's screen (and the help window's host).
  ScreenAdapter& Screen() const { return *screen_; }
  // The shipped data's folder (with a trailing separator).
  const QString& ProgramDir() const { return programDir_; }
  // Where the settings, the hall of fame and the player's own files live.
  const game::Folders& Files() const { return folders_; }

  // The parts, for tests and the help and editor windows.
  PictureBox* Game() const { return game_; }
  PictureBox* HallPanelBox() const { return hallPanelBox_; }
  view::HallPanel& HallPanel() { return panel_; }
  StatusLine* Status() const { return statusLine_; }
  ToolBar* Tools() const { return toolBar_; }
  QMenu* NewGameMenu() const;
  // A menu entry by its menu's and its own caption, as shown ("&File",
  // "E&xit"); null when there is none.
  QAction* MenuEntry(const QString& menu, const QString& entry) const;
  // The menu entry of a command; null for a command only the toolbar gives.
  QAction* CommandEntry(CommandId id) const;
  // Gives a command as its menu entry, button or shortcut does.
  void RunCommand(CommandId id);

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
  // "Open Game..." and "Save Game As...": a file dialog, then the file. The
  // ...File forms take the file chosen; false when it failed (the player was
  // told why, and the game in hand is as it was).
  void OpenGame();
  void SaveGameAs();
  bool OpenGameFile(const std::string& path);
  bool SaveGameFile(const std::string& path);
  // The game in hand, kept on disk between runs.
  game::GameKeeper& Keeper() const { return *keeper_; }
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

  // The View menu's zoom commands. A zoom command turns "Fit to Window" off
  // and sizes the window to the zoom.
  void ZoomIn();
  void ZoomOut();
  void ActualSize();
  void ToggleFitToWindow();
  bool FitsToWindow() const { return fitToWindow_; }
  // The zoom the pictures are drawn at now (percent), and the one the zoom
  // commands last chose.
  int ZoomInEffect() const { return zoomInEffect_; }
  int ChosenZoom() const { return zoom_; }
  // The board and the panel at 100 %, side by side.
  QSize ContentAtActualSize() const;
  // Draws the pictures at the zoom in effect for the room and the screen's
  // pixel ratio, when that changed (or when forced), and shows them again.
  void ApplyZoom(bool force = false);

  // The tileset and background choices, and the board pictures.
  view::Looks& Looks() const { return *looks_; }
  view::BoardView& View() const { return *view_; }

 signals:
  // The window has been shown for the first time (the splash can go).
  void FirstShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The start-up and close sequences run the steps below.
  friend class Session;

  // Start-up steps that build and place the window.
  void BuildParts();
  void BuildToolBar();
  void BuildMenus();
  void BuildEditor();
  void SwitchDisplayMode();
  void PlaceWindow(const Settings& stored);
  // The stored zoom, "Fit to Window", window size and maximised state.
  void RestoreWindowSize(const Settings& stored);
  // The size of the parts below the menu bar with the board and panel at `zoom`.
  QSize CentralSizeAt(int zoom) const;
  // The height of the parts above and below the board (toolbar or editor
  // panel, status line), as the options show them.
  int BandsHeight() const;
  // The largest zoom step the screen holds.
  int LargestZoomOnScreen() const;
  void SetChosenZoom(int zoom);
  // Whether a window placed at `at` shows some of its top on a screen.
  bool TitleOnScreen(QPoint at) const;
  void FillLayoutMenu();
  void FillMusicMenu();
  // The pointer shape, the menus' title band, the toolbar's look.
  void ApplyLooks();
  void StartTimer();
  // The last step of the close: the timer and the music stop, the display
  // gets its mode back.
  void StopForExit();

  BandMenu* AddMenu(const QString& caption);
  void AddCommandEntry(QMenu* menu, const Command& command);
  // Runs a command, shows an error it raises, and (unless told not to)
  // refreshes the window's check marks and buttons from the engine.
  void Run(const std::function<void()>& command, bool refresh = true);
  void ToolButton(ToolBar::Button which);
  void OpenNewGameMenu(QPoint at);

  void ApplyCoolMenu();
  void ApplyCoolMouse();
  void Tick();
  // Hands the game in hand to the keeper, once the first showing has
  // decided whether the last game comes back.
  void KeepGame();
  // Another program took the focus, or Sorami got it back.
  void ApplicationStateChanged(Qt::ApplicationState state);

  Environment env_;
  QString programDir_;
  game::Folders folders_;
  bool shownOnce_ = false;
  // Placed on a 640-pixel screen after a run at another width: the window
  // keeps to 640 x 453.
  bool narrowScreen_ = false;
  bool closing_ = false;
  // The zoom commands' choice (percent), whether the pictures fill the room
  // instead, and the zoom and pixel ratio they are drawn at now.
  int zoom_ = 100;
  bool fitToWindow_ = true;
  int zoomInEffect_ = 100;
  qreal ratioInEffect_ = 1;
  // The size LayOut last gave the window, and whether the player has
  // resized it since (then it keeps its size when its parts change).
  QSize requestedSize_;
  bool playerSized_ = false;

  TimeSource time_;
  std::unique_ptr<AudioDevices> audio_;
  std::unique_ptr<ScreenAdapter> screen_;
  std::unique_ptr<game::Engine> engine_;
  std::unique_ptr<game::MusicControl> music_;
  std::unique_ptr<view::BoardView> view_;
  std::unique_ptr<view::Looks> looks_;
  view::HallPanel panel_;
  std::unique_ptr<DisplayMode> displayMode_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<game::GameKeeper> keeper_;
  bool keeping_ = false;
  QString gamesFolder_;  // where the game file dialogs open

  QTimer timer_;
  QWidget* central_ = nullptr;
  BoardArea* boardArea_ = nullptr;
  ToolBar* toolBar_ = nullptr;
  EditorPanel* editorPanel_ = nullptr;
  std::unique_ptr<EditorShell> editor_;
  PictureBox* game_ = nullptr;
  // What a screen reader hears of the board (a child of game_).
  BoardSpeech* speech_ = nullptr;
  PictureBox* hallPanelBox_ = nullptr;
  HelpWindow* help_ = nullptr;
  QStringList helpNotices_;  // what start-up reported of the help window's files
  StatusLine* statusLine_ = nullptr;
  // The pointer shape "TECHNO", once start-up has loaded it.
  std::optional<QCursor> techno_;
  bool technoApplied_ = false;

  // The command table, its menu entries (null for the toolbar's own
  // commands) and the command each toolbar button gives.
  std::vector<Command> commands_;
  std::map<CommandId, QAction*> commandEntries_;
  std::array<std::optional<CommandId>, ToolBar::kCount> buttonCommands_{};
  std::vector<BandMenu*> menus_;
  BandMenu* newGameMenu_ = nullptr;
  BandMenu* layoutMenu_ = nullptr;
  BandMenu* musicMenu_ = nullptr;
  std::vector<QAction*> layoutEntries_;
  std::vector<QAction*> musicEntries_;
};

}  // namespace app
