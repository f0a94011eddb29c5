// sorami: the game. Shows the splash window, builds the main window (which
// runs the whole start-up) and runs the message loop until it closes.

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QScreen>

#include "app/main_window.h"
#include "app/splash_window.h"

int main(int argc, char** argv) {
  // The window paints with the raster engine only: keep Qt from loading a
  // GL stack it would never use.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) {
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  }
  QApplication application(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');

  // 1. The splash window, painted before anything else is built.
  QScreen* screen = QGuiApplication::primaryScreen();
  app::SplashWindow splash(QImage(programDir + QStringLiteral("splash.png")),
                           screen != nullptr ? screen->geometry().size() : QSize(800, 600));
  splash.ShowNow();

  // 2. The application's title.
  QCoreApplication::setApplicationName(QStringLiteral("Sorami 5.28"));
  QApplication::setWindowIcon(QIcon(programDir + QStringLiteral("icons/sorami.png")));

  // 3. The main window; building it runs the start-up.
  app::TSorami::Environment environment;
  environment.ProgramDir = programDir;
  app::TSorami window(std::move(environment));
  if (!window.Started()) return 1;
  QObject::connect(&window, &app::TSorami::FirstShown, &splash, &QWidget::close);
  window.show();

  // 4. The message loop.
  return QApplication::exec();
}
