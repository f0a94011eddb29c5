// sorami: the game. Shows the splash window, builds the main window (which
// runs the whole start-up) and runs the message loop until it closes.

#include <malloc.h>

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QScreen>
#include <QTimer>

#include <memory>

#include "app/main_window.h"
#include "app/splash_window.h"
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

}  // namespace

int main(int argc, char** argv) {
  KeepMallocSmall();
  // The window paints with the raster engine only: keep Qt from loading a
  // GL stack it would never use.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) {
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  }
  QApplication application(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');

  // 1. The splash window, painted before anything else is built.
  QScreen* screen = QGuiApplication::primaryScreen();
  auto splash = std::make_unique<app::SplashWindow>(
      view::ReadImageFile(programDir + QStringLiteral("splash.png"), "png"),
      screen != nullptr ? screen->geometry().size() : QSize(800, 600));
  splash->ShowNow();

  // 2. The application's title.
  QCoreApplication::setApplicationName(QStringLiteral("Sorami 5.28"));
  QApplication::setWindowIcon(WindowIcon(programDir + QStringLiteral("icons/")));

  // 3. The main window; building it runs the start-up.
  app::TSorami::Environment environment;
  environment.ProgramDir = programDir;
  app::TSorami window(std::move(environment));
  if (!window.Started()) return 1;
  // The splash window goes, with its picture and window, once the main
  // window shows.
  splash->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(&window, &app::TSorami::FirstShown, splash.release(), &QWidget::close);
  // Start-up reads and decodes many files and frees most of what it used:
  // once the window stands, hand the free heap back to the system.
  QObject::connect(&window, &app::TSorami::FirstShown, &window,
                   [] { QTimer::singleShot(500, [] { malloc_trim(0); }); });
  window.show();

  // 4. The message loop.
  return QApplication::exec();
}
