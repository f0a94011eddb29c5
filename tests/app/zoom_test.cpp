// The window that grows: zoom steps, the drawing scale, "Fit to Window",
// the zoom commands, the settings that keep them, and clicks on a board
// drawn larger, which must pick the tile drawn under the pointer.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <string>

#include "app/board_zoom.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/window_test_support.h"
#include "base/ini_file.h"
#include "game/engine.h"
#include "view/board_view.h"
#include "view/geometry.h"

namespace {

using apptest::MakeWindow;
using apptest::ProgramFolder;

TEST(BoardZoom, StepsGoBy25FromActualSizeToWhatTheRoomHolds) {
  const QSize content(796, 468);
  EXPECT_EQ(app::FitZoom(content, content), 100);
  EXPECT_EQ(app::FitZoom(content, QSize(700, 400)), 100);  // never below 100 %
  EXPECT_EQ(app::FitZoom(content, QSize(1592, 2000)), 200);
  EXPECT_EQ(app::FitZoom(content, QSize(1591, 2000)), 199);
  EXPECT_EQ(app::FitZoom(content, QSize(100000, 100000)), app::LargestZoom);
  EXPECT_EQ(app::LargestZoomStep(content, QSize(1900, 1000)), 200);  // 213 % fits, 225 % does not
  EXPECT_EQ(app::ZoomInStep(100, 300), 125);
  EXPECT_EQ(app::ZoomInStep(130, 300), 150);
  EXPECT_EQ(app::ZoomInStep(300, 300), 300);
  EXPECT_EQ(app::ZoomInStep(100, 100), 100);
  EXPECT_EQ(app::ZoomOutStep(130), 125);
  EXPECT_EQ(app::ZoomOutStep(125), 100);
  EXPECT_EQ(app::ZoomOutStep(100), 100);
  EXPECT_EQ(app::CheckedZoom(-5), 100);
  EXPECT_EQ(app::CheckedZoom(100000), app::LargestZoom);
  EXPECT_EQ(app::Zoomed(QSize(796, 468), 125), QSize(995, 585));
}

TEST(BoardZoom, TheDrawingScaleIsTheZoomTimesThePixelRatioInLowestTerms) {
  EXPECT_EQ(app::DrawingScale(100, 1.0), (board::Scale{1, 1}));
  EXPECT_EQ(app::DrawingScale(100, 2.0), (board::Scale{2, 1}));
  EXPECT_EQ(app::DrawingScale(100, 1.5), (board::Scale{3, 2}));
  EXPECT_EQ(app::DrawingScale(125, 1.25), (board::Scale{25, 16}));
  EXPECT_EQ(app::DrawingScale(150, 2.0), (board::Scale{3, 1}));
  // A ratio that is no ratio draws at the zoom alone.
  EXPECT_EQ(app::DrawingScale(200, 0.0), (board::Scale{2, 1}));
}

class ZoomWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::TestApp(); }
  std::unique_ptr<app::MainWindow> Start() {
    auto window = MakeWindow(folder_, nullptr);
    EXPECT_TRUE(window->Started()) << window->StartupError().toStdString();
    window->show();
    QApplication::processEvents();
    return window;
  }
  ProgramFolder folder_;
};

TEST_F(ZoomWindowTest, AWindowMadeLargerDrawsTheBoardLargerAndAClickPicksTheTileDrawnThere) {
  auto w = Start();
  const QSize first = w->size();
  w->RunCommand(app::CommandId::NewRandomGame);
  // Twice the size: the board and the panel fill it at 200 %, centred.
  w->resize(first * 2);
  QApplication::processEvents();
  EXPECT_EQ(w->ZoomInEffect(), 200);
  EXPECT_EQ(w->View().BoardBuffer.size(), QSize(1408, 936));
  EXPECT_EQ(w->Game()->size(), QSize(1408, 936));
  EXPECT_EQ(w->HallPanelBox()->size(), QSize(184, 936));
  EXPECT_EQ(w->HallPanel().HallPanelPicture.size(), QSize(184, 936));

  // A click on the face of a free tile, on the larger picture, selects it.
  game::Engine& e = w->Engine();
  int tile = 0;
  const board::BoardState& b = e.Game().Board;
  for (int t = 1; t <= board::MaxTiles && tile == 0; ++t)
    if (b.TilePlaces[t].OnBoard() && board::IsTileFree(b, t)) tile = t;
  ASSERT_NE(tile, 0);
  const board::Geometry at(board::BoardOrigin{e.OriginX(), e.OriginY()}, {2, 1});
  const board::PixelRect face = at.TileFace(b.TilePlaces[tile]);
  // The face's bottom-right pixel: one more to the right is no longer it.
  QTest::mouseClick(w->Game(), Qt::LeftButton, Qt::NoModifier, QPoint(face.right - 1, face.bottom - 1));
  EXPECT_EQ(e.Game().Picks.First, tile);
  // The picture shows the selection at the scaled place.
  EXPECT_NE(w->Game()->Picture().pixel(face.left + 3, face.top + 3), w->View().BackgroundBuffer.pixel(face.left + 3, face.top + 3));

  // Back to the first size: 100 % again, the picture as at first.
  w->resize(first);
  QApplication::processEvents();
  EXPECT_EQ(w->ZoomInEffect(), 100);
  EXPECT_EQ(w->View().BoardBuffer.size(), QSize(704, 468));
}

TEST_F(ZoomWindowTest, ZoomCommandsTurnFitToWindowOffAndActualSizeGivesTheFirstSize) {
  auto w = Start();
  const QSize first = w->size();
  QAction* fit = w->CommandEntry(app::CommandId::FitToWindow);
  ASSERT_NE(fit, nullptr);
  EXPECT_TRUE(fit->isChecked());
  EXPECT_EQ(w->CommandEntry(app::CommandId::ZoomIn)->shortcuts(),
            (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}));
  EXPECT_EQ(w->CommandEntry(app::CommandId::ZoomOut)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
  EXPECT_EQ(w->CommandEntry(app::CommandId::ActualSize)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));

  w->RunCommand(app::CommandId::ZoomIn);
  EXPECT_FALSE(w->FitsToWindow());
  EXPECT_FALSE(fit->isChecked());
  // Whatever the screen holds, never less than 100 %, and the window
  // holds the board at that zoom.
  EXPECT_GE(w->ZoomInEffect(), 100);
  EXPECT_GE(w->Game()->width(), 704 * w->ZoomInEffect() / 100);
  w->RunCommand(app::CommandId::ActualSize);
  EXPECT_EQ(w->ZoomInEffect(), 100);
  QApplication::processEvents();
  EXPECT_EQ(w->size(), first);
  // With Fit to Window off a larger window keeps the board at its zoom.
  w->resize(first * 2);
  QApplication::processEvents();
  EXPECT_EQ(w->ZoomInEffect(), 100);
  w->RunCommand(app::CommandId::FitToWindow);
  EXPECT_TRUE(w->FitsToWindow());
  EXPECT_EQ(w->ZoomInEffect(), 200);
}

TEST_F(ZoomWindowTest, ZoomFitAndWindowSizeSurviveARestart) {
  // A size the screen holds comes back as it was, with the board fitted.
  const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
  const QSize kept(std::min(1300, room.width()), std::min(900, room.height()));
  folder_.Write("Sorami.ini", "[Sorami]\r\nZoom=100\r\nFitToWindow=1\r\nWindowWidth=" + std::to_string(kept.width()) +
                                  "\r\nWindowHeight=" + std::to_string(kept.height()) + "\r\n");
  {
    auto w = Start();
    EXPECT_EQ(w->size(), kept);
    EXPECT_TRUE(w->FitsToWindow());
    EXPECT_GE(w->ZoomInEffect(), 100);
    w->RunCommand(app::CommandId::ActualSize);
    w->close();
  }
  base::IniFile file(folder_.Path() + "Sorami.ini");
  EXPECT_EQ(file.ReadInteger("Sorami", "Zoom", 0), 100);
  EXPECT_FALSE(file.ReadBool("Sorami", "FitToWindow", true));
  EXPECT_FALSE(file.ReadBool("Sorami", "Maximized", true));
  // A damaged zoom starts at 100 %; a window size smaller than the parts
  // gives the parts' size.
  folder_.Write("Sorami.ini", "[Sorami]\r\nZoom=-7\r\nFitToWindow=0\r\nWindowWidth=10\r\nWindowHeight=10\r\n");
  auto w = Start();
  EXPECT_EQ(w->ZoomInEffect(), 100);
  EXPECT_FALSE(w->FitsToWindow());
  EXPECT_GE(w->Game()->width(), 704);
  EXPECT_GE(w->height(), 468 + 33 + 27);
}

// A size kept from a larger screen (or a larger scale factor) is bounded to
// the room this screen has, and the whole board still shows.
TEST_F(ZoomWindowTest, ASizeKeptFromALargerScreenIsBoundedToThisOne) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nZoom=100\r\nFitToWindow=1\r\nWindowWidth=7680\r\nWindowHeight=4320\r\n");
  auto w = Start();
  const QSize room = w->screen()->availableGeometry().size();
  EXPECT_LE(w->width(), std::max(room.width(), w->minimumSizeHint().width()));
  EXPECT_LE(w->height(), std::max(room.height(), w->minimumSizeHint().height()));
  EXPECT_GE(w->width(), w->minimumSizeHint().width());
  const QRect board(w->Game()->mapTo(w.get(), QPoint(0, 0)), w->Game()->size());
  EXPECT_TRUE(w->rect().contains(board)) << board.x() << "," << board.y() << " " << board.width() << "x"
                                         << board.height();
}

}  // namespace
