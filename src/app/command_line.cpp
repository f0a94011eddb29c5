#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <limits>

namespace app {

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine result;
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QCoreApplication::translate("CommandLine", "Sorami, a Mah-Jongg game: solitaire, two players, Rivers and Memory."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption game(QStringList{QStringLiteral("game")},
                                QCoreApplication::translate("CommandLine", "Start the numbered game <number> on the layout."),
                                QCoreApplication::translate("CommandLine", "number"));
  const QCommandLineOption layout(QStringList{QStringLiteral("layout")},
                                  QCoreApplication::translate("CommandLine", "Play the layout named <name> in the Layout menu."),
                                  QCoreApplication::translate("CommandLine", "name"));
  parser.addOption(game);
  parser.addOption(layout);

  if (!parser.parse(arguments)) {
    result.Exit = true;
    result.ExitCode = 2;
    result.Output = parser.errorText() + QLatin1Char('\n');
    return result;
  }
  if (parser.isSet(help)) {
    result.Exit = true;
    result.Output = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.Exit = true;
    result.Output = QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n');
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.Exit = true;
    result.ExitCode = 2;
    result.Output = QCoreApplication::translate("CommandLine", "Unexpected argument: %1").arg(parser.positionalArguments().first()) +
                    QLatin1Char('\n');
    return result;
  }
  if (parser.isSet(game)) {
    bool ok = false;
    const qlonglong number = parser.value(game).toLongLong(&ok);
    if (!ok || number < 1 || number > std::numeric_limits<std::int32_t>::max()) {
      result.Exit = true;
      result.ExitCode = 2;
      result.Output = QCoreApplication::translate("CommandLine", "The game number must be a whole number from 1 to 2147483647, not \"%1\".")
                          .arg(parser.value(game)) +
                      QLatin1Char('\n');
      return result;
    }
    result.Game = static_cast<int>(number);
  }
  if (parser.isSet(layout)) {
    result.Layout = parser.value(layout);
    if (result.Layout.isEmpty()) {
      result.Exit = true;
      result.ExitCode = 2;
      result.Output = QCoreApplication::translate("CommandLine", "The layout name is empty.") + QLatin1Char('\n');
      return result;
    }
  }
  return result;
}

bool AsksOnlyForText(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QLatin1String argument(argv[i]);
    for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"}) {
      if (argument == QLatin1String(option)) return true;
    }
  }
  return false;
}

}  // namespace app
