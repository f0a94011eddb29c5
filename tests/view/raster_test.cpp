// The block transfers on 24-bit pictures, checked against a plain
// pixel-by-pixel model of the rules: clip the destination, read black outside
// the source, combine every colour bit.
#include <gtest/gtest.h>

#include <random>

#include "view/raster.h"

namespace {

using view::Rop;

QImage RandomPicture(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  QImage img = view::MakePicture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(rng() & 255, rng() & 255, rng() & 255));
  return img;
}

QRgb SourcePixel(const QImage& src, int x, int y) {
  return src.valid(x, y) ? src.pixel(x, y) : qRgb(0, 0, 0);
}

QRgb Apply(QRgb d, QRgb s, Rop op) {
  switch (op) {
    case Rop::Copy:
      return s | view::Opaque;
    case Rop::And:
      return d & s;
    case Rop::Or:
      return d | s;
    case Rop::Xor:
      return (d ^ s) | view::Opaque;
  }
  return d;
}

QImage ModelBlit(QImage dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy, Rop op) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (dst.valid(dx + i, dy + j))
        dst.setPixel(dx + i, dy + j, Apply(dst.pixel(dx + i, dy + j), SourcePixel(src, sx + i, sy + j), op));
  return dst;
}

// Placements that hang over each edge of a 13 x 11 destination and read past
// each edge of a 9 x 7 source, and some that miss altogether.
const int Offsets[] = {-12, -4, -1, 0, 2, 6, 11, 14};

TEST(RasterRgb888, PicturesAreThreeBytesAPixelAndKeepTheirFormat) {
  QImage img = view::MakePicture(5, 2, qRgb(1, 2, 3));
  EXPECT_EQ(img.format(), QImage::Format_RGB888);
  EXPECT_EQ(img.depth(), 24);
  const uchar* row = img.constScanLine(1);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(row[3 * x], 1);
    EXPECT_EQ(row[3 * x + 1], 2);
    EXPECT_EQ(row[3 * x + 2], 3);
  }
  // The fill colour's alpha byte does not matter.
  EXPECT_EQ(view::MakePicture(2, 2, 0x00405060u).pixel(1, 1), qRgb(0x40, 0x50, 0x60));
  const QImage src = RandomPicture(4, 4, 1);
  for (Rop op : {Rop::Copy, Rop::And, Rop::Or, Rop::Xor}) view::Blit(img, 0, 0, 4, 2, src, 0, 0, op);
  view::MaskedBlit(img, 1, 0, 3, 2, src, 0, 0, src, 1, 1);
  view::FrameRect(img, 0, 0, 5, 2, 1, qRgb(9, 9, 9));
  EXPECT_EQ(img.format(), QImage::Format_RGB888);
}

TEST(RasterRgb888, EveryOperationMatchesThePixelModelAtEveryEdge) {
  const QImage dst0 = RandomPicture(13, 11, 2);
  const QImage src = RandomPicture(9, 7, 3);
  for (Rop op : {Rop::Copy, Rop::And, Rop::Or, Rop::Xor})
    for (int dx : Offsets)
      for (int dy : Offsets)
        for (int s : {-3, 0, 4}) {
          const int sx = s, sy = 2 - s;
          QImage got = dst0;
          view::Blit(got, dx, dy, 9, 8, src, sx, sy, op);
          const QImage want = ModelBlit(dst0, dx, dy, 9, 8, src, sx, sy, op);
          ASSERT_TRUE(got == want) << "op " << static_cast<int>(op) << " at " << dx << "," << dy << " from "
                                   << sx << "," << sy;
        }
  // The original is shared with the copies and stays as it was.
  EXPECT_TRUE(dst0 == RandomPicture(13, 11, 2));
}

TEST(RasterRgb888, MaskedPaintMatchesThePixelModelAtEveryEdge) {
  const QImage dst0 = RandomPicture(13, 11, 4);
  const QImage mask = RandomPicture(9, 7, 5);
  const QImage pic = RandomPicture(8, 9, 6);
  for (int dx : Offsets)
    for (int dy : Offsets)
      for (int s : {-2, 0, 3}) {
        QImage got = dst0;
        view::MaskedBlit(got, dx, dy, 7, 6, mask, s, 1, pic, 1, s);
        QImage want = ModelBlit(dst0, dx, dy, 7, 6, mask, s, 1, Rop::And);
        want = ModelBlit(want, dx, dy, 7, 6, pic, 1, s, Rop::Or);
        ASSERT_TRUE(got == want) << "at " << dx << "," << dy << " source shift " << s;
      }
}

TEST(RasterRgb888, FillAndFrameWriteTheExactColourInsideThePicture) {
  const QRgb bg = qRgb(10, 20, 30), pen = qRgb(0xFE, 0x01, 0x80);
  QImage img = view::MakePicture(8, 6, bg);
  view::FillRect(img, -2, 4, 5, 9, pen);  // over the left and bottom edges
  view::FillRect(img, 6, -3, 9, 4, pen);  // over the top and right edges
  view::FillRect(img, 3, 3, 0, 2, pen);   // empty
  view::FillRect(img, 3, 3, 2, -1, pen);  // empty
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool in = (x < 3 && y >= 4) || (x >= 6 && y < 1);
      ASSERT_EQ(img.pixel(x, y), in ? pen : bg) << x << "," << y;
    }

  QImage framed = view::MakePicture(12, 10, bg);
  view::FrameRect(framed, 1, 2, 9, 7, 2, 0x00FF0000u);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inBox = x >= 1 && x < 10 && y >= 2 && y < 9;
      const bool inHole = x >= 3 && x < 8 && y >= 4 && y < 7;
      ASSERT_EQ(framed.pixel(x, y), inBox && !inHole ? qRgb(255, 0, 0) : bg) << x << "," << y;
    }
}

TEST(RasterRgb888, PicturesOfOtherFormatsGiveTheSameResult) {
  const QImage src = RandomPicture(6, 5, 7);
  const QImage wide = src.convertToFormat(QImage::Format_RGB32);
  QImage a = RandomPicture(7, 7, 8), b = a;
  view::Blit(a, 1, -1, 6, 6, src, 0, 0, Rop::Xor);
  view::Blit(b, 1, -1, 6, 6, wide, 0, 0, Rop::Xor);
  EXPECT_TRUE(a == b);
  view::MaskedBlit(a, 2, 2, 5, 5, src, 1, 0, src, 0, 1);
  view::MaskedBlit(b, 2, 2, 5, 5, wide, 1, 0, wide, 0, 1);
  EXPECT_TRUE(a == b);
  // A 32-bit destination becomes a 24-bit one with the same pixels.
  QImage d32 = RandomPicture(7, 7, 9).convertToFormat(QImage::Format_RGB32);
  const QImage before = d32.convertToFormat(QImage::Format_RGB888);
  view::FillRect(d32, 0, 0, 1, 1, qRgb(1, 1, 1));
  ASSERT_EQ(d32.format(), QImage::Format_RGB888);
  EXPECT_EQ(d32.pixel(0, 0), qRgb(1, 1, 1));
  EXPECT_TRUE(d32.copy(1, 0, 6, 7) == before.copy(1, 0, 6, 7));
}

TEST(RasterRgb888, BlockInsideOnePictureAndAnEmptySource) {
  // Copying a block onto an overlapping place in the same picture moves it intact.
  QImage img = RandomPicture(10, 4, 10);
  const QImage before = img.copy();
  view::Blit(img, 2, 0, 8, 4, img, 0, 0, Rop::Copy);
  EXPECT_TRUE(img.copy(2, 0, 8, 4) == before.copy(0, 0, 8, 4));
  // A null source reads black everywhere.
  QImage d = view::MakePicture(3, 3, qRgb(200, 100, 50));
  view::Blit(d, 0, 0, 3, 3, QImage(), 0, 0, Rop::Or);
  EXPECT_EQ(d.pixel(1, 1), qRgb(200, 100, 50));
  view::Blit(d, 0, 0, 2, 3, QImage(), 0, 0, Rop::Copy);
  EXPECT_EQ(d.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(d.pixel(2, 1), qRgb(200, 100, 50));
}

}  // namespace
