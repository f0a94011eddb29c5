// sorami: the game. Shows the splash window, builds the main window (which
// runs the whole start-up) and runs the message loop until it closes.

#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/translations.h"
#include "game/user_folders.h"
#include "view/picture_file.h"

namespace {

// The game runs a few threads (X events, audio) that allocate little: one
// malloc arena serves them all, instead of one idle arena per thread. Large
// blocks (pictures, decoders' buffers) always get their own mapping, so the
// memory of a freed picture goes back to the system at once.
void KeepMallocSmall() {
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}

// The window icon at the sizes title bars, task bars and window switchers
// show, each drawn for its size; the whole set goes to the window manager,
// so the large picture (256 pixels, a quarter of a MiB) stands in only when
// none of them is there.
QIcon WindowIcon(const QString& folder) {
  QIcon icon;
  for (const int size : {16, 32, 48, 64}) {
    const QString file = folder + QStringLiteral("sorami-%1.png").arg(size);
    const QImage picture = view::ReadImageFile(file, "png");
    if (!picture.isNull()) icon.addPixmap(QPixmap::fromImage(picture));
  }
  if (icon.isNull()) {
    const QImage large = view::ReadImageFile(folder + QStringLiteral("sorami.png"), "png");
    if (!large.isNull()) icon.addPixmap(QPixmap::fromImage(large));
  }
  return icon;
}

// A request to end (SIGTERM from a session's logout, SIGINT from a terminal,
// SIGHUP) closes the game the way its Exit command does, so the settings and
// the hall of fame are written. The handler only writes a byte to a pipe;
// the message loop reads it.
int endPipe[2] = {-1, -1};

void OnEndSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(endPipe[1], &byte, 1);
}

void CatchEndSignals() {
  // Non-blocking, so a burst of signals can never stall the handler.
  if (::pipe2(endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = &OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

// The shipped data's folder, beside the program or under ../share/sorami.
QString DataFolder() {
  const std::string programDir = QCoreApplication::applicationDirPath().toStdString() + "/";
  return QString::fromStdString(game::ChooseFolders(programDir, game::FolderEnvironment::FromProcess()).Data);
}

// The player's language, then the command line (whose help is translated
// too). Prints the answer to --help, --version or a mistake and returns the
// exit status; -1 when the game is to start as `command` says.
int AnswerCommandLine(QCoreApplication& application, app::CommandLine& command) {
  QCoreApplication::setApplicationVersion(QStringLiteral("5.28"));
  app::InstallTranslations(application, DataFolder());
  command = app::ParseCommandLine(application.arguments());
  if (!command.Exit) return -1;
  std::fputs(command.Output.toLocal8Bit().constData(), command.ExitCode == 0 ? stdout : stderr);
  return command.ExitCode;
}

}  // namespace

int main(int argc, char** argv) {
  KeepMallocSmall();
  CatchEndSignals();
  // The window paints with the raster engine only: keep Qt from loading a
  // GL stack it would never use.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) {
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  }
  // --help and --version answer without a display: only they are read
  // before the window system is reached.
  if (app::AsksOnlyForText(argc, argv)) {
    QCoreApplication text(argc, argv);
    app::CommandLine command;
    return AnswerCommandLine(text, command);
  }
  QApplication application(argc, argv);
  app::CommandLine command;
  if (const int answered = AnswerCommandLine(application, command); answered >= 0) return answered;
  const game::Folders folders =
      game::ChooseFolders(QCoreApplication::applicationDirPath().toStdString() + "/",
                          game::FolderEnvironment::FromProcess());
  const QString dataDir = QString::fromStdString(folders.Data);

  // 1. The splash window, painted before anything else is built.
  QScreen* screen = QGuiApplication::primaryScreen();
  auto splash = std::make_unique<app::SplashWindow>(
      view::ReadImageFile(dataDir + QStringLiteral("splash.png"), "png"),
      screen != nullptr ? screen->geometry().size() : QSize(800, 600));
  splash->ShowNow();

  // 2. The application's title.
  QCoreApplication::setApplicationName(QStringLiteral("Sorami 5.28"));
  QApplication::setWindowIcon(WindowIcon(dataDir + QStringLiteral("icons/")));
  // The desktop entry that started the game, so that docks group its window.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.sorami.Sorami"));

  // 3. The main window; building it runs the start-up.
  app::MainWindow::Environment environment;
  environment.ProgramDir = QCoreApplication::applicationDirPath();
  environment.Folders = folders;
  environment.StartLayout = command.Layout;
  environment.StartGame = command.Game;
  app::MainWindow window(std::move(environment));
  if (!window.Started()) {
    if (window.CommandLineRefused()) {
      std::fputs((window.StartupError() + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
      return 2;
    }
    return 1;
  }
  // The splash window goes, with its picture and window, once the main
  // window shows.
  splash->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(&window, &app::MainWindow::FirstShown, splash.release(), &QWidget::close);
  // Start-up reads and decodes many files and frees most of what it used:
  // once the window stands, hand the free heap back to the system.
  QObject::connect(&window, &app::MainWindow::FirstShown, &window,
                   [] { QTimer::singleShot(500, [] { malloc_trim(0); }); });
  if (endPipe[0] >= 0) {
    auto* ending = new QSocketNotifier(endPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(ending, &QSocketNotifier::activated, &window, [&window] {
      char byte = 0;
      [[maybe_unused]] const ssize_t read = ::read(endPipe[0], &byte, 1);
      window.close();
    });
  }
  window.show();

  // 4. The message loop.
  return QApplication::exec();
}
