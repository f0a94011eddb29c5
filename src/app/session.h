#pragma once
// A run of the game from start-up to exit, around the main window. Start
// builds the window's parts and reads, in order, the settings file, the
// display mode, the music and layout lists, the hall of fame, the tileset
// and background, the current layout and music; the first showing starts
// the first game. Close writes "Sorami.ini" and the hall of fame ("Hallfame.ini")
// and lets the window go, or keeps it open when a file refused to be written
// and the player chose to stay.

#include <QCoreApplication>
#include <QString>

#include <string>
#include <vector>

#include "app/settings.h"
#include "base/ini_file.h"

namespace app {

class MainWindow;

class Session {
  // The window's messages keep their place in the translation catalogue.
  Q_DECLARE_TR_FUNCTIONS(app::MainWindow)

 public:
  explicit Session(MainWindow& window) : window_(window) {}

  // Runs the start-up; Started() tells whether it finished.
  void Start();
  // The window shows for the first time: the first game, if one is wanted.
  void FirstShown();
  // The close sequence; false when the player chose to stay.
  bool Close();

  // False when the start-up could not finish (an empty music or layout
  // folder); the reason was shown to the player.
  bool Started() const { return started_; }
  const QString& StartupError() const { return startupError_; }
  // True when the start-up stopped on the command line's request (a layout
  // name that is in no menu); StartupError says why, no message box showed.
  bool CommandLineRefused() const { return commandLineRefused_; }

  // Settings as the file should hold them now.
  Settings CurrentSettings() const;

 private:
  void ReadSettingsFile();
  bool LoadFiles();
  // The command line's layout becomes the current one; false when no menu
  // entry has its name.
  bool ChooseStartLayout();
  void FailStartup(const QString& message);
  // The game kept from the last run back in play; false when there was
  // none, or it could not be (the player was told why).
  bool ResumeLastGame();
  // The layout list's names, which name the hall-of-fame tables.
  std::vector<std::string> LayoutNames() const;

  MainWindow& window_;
  base::IniFile settingsFile_;
  base::IniFile hallFile_;
  Settings loaded_;
  bool started_ = false;
  QString startupError_;
  bool commandLineRefused_ = false;
};

}  // namespace app
