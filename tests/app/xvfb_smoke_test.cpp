// The built program as a player meets it: started under Xvfb from a program
// folder, a numbered game chosen from the "File" menu with the keyboard, a
// free pair clicked with xdotool, and the board region of the screen compared
// before and after. Skipped, with the reason, where Xvfb, xdotool, ImageMagick
// or the built program are missing.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <filesystem>
#include <functional>

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

    // Xvfb picks a free display itself and writes its number once it
    // accepts connections (a socket file alone may come before that).
    xvfb_.start(Tool("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                               QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.endsWith('\n') && !clock.hasExpired(20000) && xvfb_.state() != QProcess::NotRunning) {
      xvfb_.waitForReadyRead(1000);
      number += xvfb_.readAllStandardOutput();
    }
    if (!number.endsWith('\n')) GTEST_SKIP() << "Xvfb did not start: " << xvfb_.readAllStandardError().toStdString();
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
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
  // The program folder: the program beside its data; the numbered game is
  // asked for on the command line.
  std::filesystem::copy_file(binary_.toStdString(), folder_.Path() + "sorami");
  folder_.Write("Sorami.ini", "[Sorami]\r\nStartDirectly=0\r\nPlayMusic=0\r\nPlaySounds=0\r\n");

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
  game_.start(folder_.QPath() + QStringLiteral("sorami"), {QStringLiteral("--game"), QString::number(kSeed)});
  ASSERT_TRUE(game_.waitForStarted(5000));

  // Everything below waits for what it needs to see, with a deadline that a
  // busy machine never reaches.
  QElapsedTimer clock;
  clock.start();
  const auto waitFor = [&](const std::function<bool()>& seen) {
    while (!seen()) {
      if (clock.hasExpired(60000)) return false;
      // Waiting on the program (rather than sleeping) also notices its end
      // and collects what it writes, which nothing else here would do
      // without an event loop.
      if (game_.state() != QProcess::NotRunning)
        game_.waitForFinished(50);
      else
        QThread::msleep(50);
    }
    return true;
  };

  const QString xdotool = Tool("xdotool");
  QString window;
  waitFor([&] {
    window = RunTool(xdotool, {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Sorami 5.28 $")},
                     display_)
                 .section(QLatin1Char('\n'), 0, 0);
    return !window.isEmpty() || game_.state() == QProcess::NotRunning;
  });
  if (window.isEmpty()) {
    // What the display shows instead, kept for whoever reads the failure.
    const QString names = RunTool(xdotool,
                                  {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("."),
                                   QStringLiteral("getwindowname"), QStringLiteral("%@")},
                                  display_);
    const QString shot = QDir::tempPath() + QStringLiteral("/sorami-smoke-failure.png");
    Screen().save(shot);
    FAIL() << "the main window never appeared (program " << (game_.state() == QProcess::NotRunning ? "ended with " + std::to_string(game_.exitCode()) : std::string("running"))
           << "); windows on " << display_.toStdString() << ": [" << names.toStdString() << "]; screen in "
           << shot.toStdString() << "; the program said: " << game_.readAllStandardError().toStdString()
           << game_.readAllStandardOutput().toStdString();
  }

  // Where the board image lies: under the menu bar and the 33-pixel toolbar;
  // the window is as high as its parts, the status line 27 pixels of them.
  const QRegularExpression numbers(QStringLiteral("Position: (\\d+),(\\d+).*Geometry: (\\d+)x(\\d+)"),
                                   QRegularExpression::DotMatchesEverythingOption);
  QString geometry;
  ASSERT_TRUE(waitFor([&] {
    geometry = RunTool(xdotool, {QStringLiteral("getwindowgeometry"), window}, display_);
    return numbers.match(geometry).hasMatch();
  })) << geometry.toStdString();
  const QRegularExpressionMatch match = numbers.match(geometry);
  const int height = match.captured(4).toInt();
  const QPoint board(match.captured(1).toInt(), match.captured(2).toInt() + (height - 33 - 468 - 27) + 33);
  const QRect boardArea(board, QSize(704, 468));

  const auto faceOf = [&](const QImage& shot, int tile) {
    const board::Cell place = state.TilePlaces[tile];
    const view::PixelRect r = view::TilePictureRect(place.x, place.y, place.z, {36, 25});
    return shot.copy(r.left + 6, r.top, 40, 50);
  };
  // The dealt board is on show once the screen holds still with the first
  // tile's face drawn: mostly the light colour of a tile, where the bare
  // background of the window's first frame is dark.
  const auto mostlyLight = [](const QImage& face) {
    int light = 0;
    for (int y = 0; y < face.height(); ++y)
      for (int x = 0; x < face.width(); ++x) light += qGray(face.pixel(x, y)) > 180;
    return 2 * light > face.width() * face.height();
  };
  QImage before;
  ASSERT_TRUE(waitFor([&] {
    const QImage shot = Screen().copy(boardArea);
    const bool still = !shot.isNull() && shot == before;
    before = shot;
    return still && mostlyLight(faceOf(shot, first));
  })) << "the board never held still";

  auto click = [&](int tile) {
    const board::Cell place = state.TilePlaces[tile];
    const QPoint at = board + QPoint(view::FaceLeft(place.x, place.z, 36) + 20,
                                     view::FaceTop(place.y, place.z, 25) + 25);
    RunTool(xdotool,
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("1")},
            display_);
  };
  // The first click selects (its face changes colour); the second takes the pair.
  click(first);
  ASSERT_TRUE(waitFor([&] { return faceOf(Screen().copy(boardArea), first) != faceOf(before, first); }))
      << "the first tile was never selected";
  click(second);
  QImage after;
  waitFor([&] {
    after = Screen().copy(boardArea);
    return faceOf(after, second) != faceOf(before, second);
  });

  // Both tiles' pictures changed: the pair is gone.
  for (int tile : {first, second}) {
    EXPECT_NE(faceOf(before, tile), faceOf(after, tile)) << "tile " << tile << " still on screen";
  }
  // Nothing far from the pair moved.
  EXPECT_EQ(before.copy(0, 0, 40, 40), after.copy(0, 0, 40, 40));
}

}  // namespace
