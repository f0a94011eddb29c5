#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

#include "app/help_pages.h"
#include "window_test_support.h"

namespace {

TEST(LazyPictureTest, DecodesOnFirstUseOnlyAndIsSharedByItsPages) {
  apptest::TestApp();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("ground.bmp");
  QImage picture(24, 16, QImage::Format_RGB32);
  picture.fill(QColor(255, 160, 0));
  ASSERT_TRUE(picture.save(path, "BMP"));

  const auto lazy = std::make_shared<app::LazyPicture>(path);
  app::CentredPage first;
  app::CentredPage second;
  first.SetBackground(lazy);
  second.SetBackground(lazy);
  EXPECT_FALSE(lazy->Decoded()) << "nothing is decoded before a page needs the picture";

  EXPECT_EQ(first.Background().size(), QSize(24, 16));
  EXPECT_TRUE(lazy->Decoded());
  EXPECT_EQ(first.Background().pixel(3, 3), QColor(255, 160, 0).rgb());
  // The second page shows the same pixels, not a second copy.
  EXPECT_EQ(second.Background().cacheKey(), first.Background().cacheKey());

  // A plain picture set later replaces the shared one.
  QImage plain(8, 8, QImage::Format_RGB32);
  plain.fill(Qt::white);
  second.SetBackground(plain);
  EXPECT_EQ(second.Background().size(), QSize(8, 8));
}

TEST(LazyPictureTest, AFileThatNoLongerDecodesGivesThePagesTheirOwnGround) {
  apptest::TestApp();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("ground.bmp");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("damaged since start-up");
  file.close();

  app::CentredPage page;
  page.SetBackground(std::make_shared<app::LazyPicture>(path));
  EXPECT_TRUE(page.Background().isNull());

  app::CentredPage gone;
  gone.SetBackground(std::make_shared<app::LazyPicture>(dir.filePath("missing.bmp")));
  EXPECT_TRUE(gone.Background().isNull());
}

}  // namespace
