#pragma once
// The game's command line: --game N starts numbered game N, --layout NAME
// plays the layout of that menu name; --help, --version and Qt's own options
// (-platform, -style, ...) come with QCommandLineParser.

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

struct CommandLine {
  std::optional<int> Game;  // a game number, 1 .. 2147483647
  QString Layout;           // a layout's menu name; empty: the stored one
  // --help, --version or a mistake: print Output and end with ExitCode.
  bool Exit = false;
  int ExitCode = 0;
  QString Output;
};

// Reads the arguments (the program's name first). Qt's own options have
// been taken out by QApplication already.
CommandLine ParseCommandLine(const QStringList& arguments);

// Whether the arguments ask for --help or --version, which need no display.
bool AsksOnlyForText(int argc, char** argv);

}  // namespace app
