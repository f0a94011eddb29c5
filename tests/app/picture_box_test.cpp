#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/picture_box.h"
#include "window_test_support.h"

namespace {

QRgb ShownAt(app::PictureBox& box, int x, int y) { return box.grab().toImage().pixel(x, y); }

TEST(PictureBoxTest, ALivePictureIsShownFromItsOwnersPixelsWithoutACopy) {
  apptest::TestApp();
  app::PictureBox box(QSize(40, 30));
  QImage board(40, 30, QImage::Format_RGB32);
  board.fill(Qt::blue);

  box.ShowLive(board);
  EXPECT_TRUE(board.isDetached()) << "the box holds no second reference to the board's pixels";
  EXPECT_EQ(ShownAt(box, 5, 5), QColor(Qt::blue).rgb());

  // The owner draws a stroke and reports its area.
  board.setPixel(10, 12, QColor(Qt::red).rgb());
  EXPECT_TRUE(board.isDetached()) << "drawing into the board copied it";
  box.SetPictureArea(board, QRect(10, 12, 1, 1));
  EXPECT_EQ(ShownAt(box, 10, 12), QColor(Qt::red).rgb());
  EXPECT_EQ(box.Picture().pixel(10, 12), QColor(Qt::red).rgb());
}

TEST(PictureBoxTest, ACopiedPictureStaysAsItWasWhenItsSourceChanges) {
  apptest::TestApp();
  app::PictureBox box(QSize(40, 30));
  QImage board(40, 30, QImage::Format_RGB32);
  board.fill(Qt::blue);
  box.ShowLive(board);

  // The bare background in place of the board (the game paused).
  QImage ground(40, 30, QImage::Format_RGB32);
  ground.fill(Qt::green);
  box.SetPicture(ground);
  board.fill(Qt::red);
  EXPECT_EQ(ShownAt(box, 5, 5), QColor(Qt::green).rgb()) << "the box no longer follows the board";

  ground.fill(Qt::white);
  EXPECT_EQ(ShownAt(box, 5, 5), QColor(Qt::green).rgb()) << "the box shows its own copy";

  // An area of another picture goes into the box's copy only.
  box.SetPictureArea(board, QRect(0, 0, 10, 10));
  EXPECT_EQ(ShownAt(box, 5, 5), QColor(Qt::red).rgb());
  EXPECT_EQ(ShownAt(box, 20, 20), QColor(Qt::green).rgb());

  // Back to the live board.
  box.ShowLive(board);
  EXPECT_EQ(ShownAt(box, 20, 20), QColor(Qt::red).rgb());
}

}  // namespace
