// The built program as a player meets it: started under Xvfb from a program
// folder, a numbered game chosen from the "File" menu with the keyboard, a
// free pair clicked with xdotool, and the board region of the screen compared
// before and after. Skipped, with the reason, where Xvfb, xdotool, ImageMagick
// or the built program are missing.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <filesystem>

#include "board/board.h"
#include "board/dealing.h"
#include "board/layout_file.h"
#include "view/geometry.h"
#include "window_test_support.h"

namespace {

constexpr int kSeed = 1234;

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

// Runs a command to its end; its standard output.
QString RunTool(const QString& program, const QStringList& args, const QString& display) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), display);
  process.setProcessEnvironment(env);
  process.start(program, args);
  process.waitForFinished(10000);
  return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

class XvfbSmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::TestApp();
    for (const char* tool : {"Xvfb", "xdotool", "import"}) {
      if (Tool(tool).isEmpty()) GTEST_SKIP() << tool << " is not installed";
    }
    binary_ = QStringLiteral(SORAMI_STAGE_DIR "/sorami");
    if (!QFile::exists(binary_))
      GTEST_SKIP() << "the program is not built: " << binary_.toStdString();

    // A free display number.
    int number = 90 + static_cast<int>(QCoreApplication::applicationPid() % 100);
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
    display_ = QStringLiteral(":%1").arg(number);
    xvfb_.start(Tool("Xvfb"), {display_, QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
    for (int i = 0;
         i < 100 && !std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)); ++i) {
      QThread::msleep(20);
    }
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
      GTEST_SKIP() << "Xvfb did not start on " << display_.toStdString();
    }
  }

  void TearDown() override {
    for (QProcess* process : {&game_, &xvfb_}) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
      }
    }
  }

  QImage Screen() {
    const QString file = folder_.QPath() + QStringLiteral("screen.png");
    RunTool(Tool("import"), {QStringLiteral("-window"), QStringLiteral("root"), file}, display_);
    return QImage(file).convertToFormat(QImage::Format_RGB32);
  }

  QString binary_;
  QString display_;
  QProcess xvfb_;
  QProcess game_;
  apptest::ProgramFolder folder_;
};

TEST_F(XvfbSmokeTest, ClickingAFreePairRemovesItFromTheScreen) {
  // The program folder: the program beside its data, a numbered game waiting.
  std::filesystem::copy_file(binary_.toStdString(), folder_.Path() + "sorami");
  folder_.Write("Sorami.ini", "[Sorami]\r\nStartDirectly=0\r\nRandomSeed=" + std::to_string(kSeed) +
                                  "\r\nPlayMusic=0\r\nPlaySounds=0\r\n");

  // The deal of game number kSeed on "Traditional", and a free pair in it.
  board::LayoutGrid layout;
  board::ReadLayFile(folder_.Path() + "Layouts/Traditional.lay", layout);
  board::BoardState state;
  board::Generator generator;
  board::DealRequest request;
  request.Seed.NumberedGames = true;
  request.Seed.GameSeed = kSeed;
  board::Deal(state, layout, generator, request);
  int first = 0;
  int second = 0;
  for (int s = 1; s <= board::MaxTiles && second == 0; ++s) {
    for (int t = s + 1; t <= board::MaxTiles && second == 0; ++t) {
      if ((s - 1) / 4 == (t - 1) / 4 && board::IsTileFree(state, s) && board::IsTileFree(state, t)) {
        first = s;
        second = t;
      }
    }
  }
  ASSERT_NE(second, 0) << "no free pair in game " << kSeed;

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), display_);
  env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  game_.setProcessEnvironment(env);
  game_.start(folder_.QPath() + QStringLiteral("sorami"), {});
  ASSERT_TRUE(game_.waitForStarted(5000));

  const QString xdotool = Tool("xdotool");
  QString window;
  for (int i = 0; i < 200 && window.isEmpty(); ++i) {
    window = RunTool(xdotool,
                     {QStringLiteral("search"), QStringLiteral("--name"),
                      QStringLiteral("^Sorami 5.28 $")},
                     display_)
                 .section(QLatin1Char('\n'), 0, 0);
    if (window.isEmpty()) QThread::msleep(50);
  }
  ASSERT_FALSE(window.isEmpty()) << "the main window never appeared";
  QThread::msleep(500);

  // Where the board image lies: under the menu bar and the 33-pixel toolbar;
  // the window is as high as its parts, the status line 27 pixels of them.
  const QString geometry =
      RunTool(xdotool, {QStringLiteral("getwindowgeometry"), window}, display_);
  const QRegularExpression numbers(
      QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
      QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = numbers.match(geometry);
  ASSERT_TRUE(match.hasMatch()) << geometry.toStdString();
  const int height = match.captured(4).toInt();
  const QPoint board(match.captured(1).toInt(),
                     match.captured(2).toInt() + (height - 33 - 468 - 27) + 33);

  // "Mah-Jongg Solitaire : New Specific Game", the third entry of "File".
  RunTool(xdotool, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}, display_);
  RunTool(xdotool, {QStringLiteral("key"), QStringLiteral("alt+f")}, display_);
  QThread::msleep(300);
  RunTool(xdotool,
          {QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Down"),
           QStringLiteral("Return")},
          display_);
  QThread::msleep(700);
  const QRect boardArea(board, QSize(704, 468));
  const QImage before = Screen().copy(boardArea);
  ASSERT_FALSE(before.isNull());

  auto click = [&](int tile) {
    const board::Cell place = state.TilePlaces[tile];
    const QPoint at = board + QPoint(view::FaceLeft(place.x, place.z, 36) + 20,
                                     view::FaceTop(place.y, place.z, 25) + 25);
    RunTool(xdotool,
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")},
            display_);
    QThread::msleep(200);
  };
  click(first);
  click(second);
  QThread::msleep(300);
  const QImage after = Screen().copy(boardArea);

  // Both tiles' pictures changed: the pair is gone.
  for (int tile : {first, second}) {
    const board::Cell place = state.TilePlaces[tile];
    const view::PixelRect r = view::TilePictureRect(place.x, place.y, place.z, {36, 25});
    const QRect face(r.left + 6, r.top, 40, 50);
    EXPECT_NE(before.copy(face), after.copy(face)) << "tile " << tile << " still on screen";
  }
  // Nothing far from the pair moved.
  EXPECT_EQ(before.copy(0, 0, 40, 40), after.copy(0, 0, 40, 40));
}

}  // namespace
