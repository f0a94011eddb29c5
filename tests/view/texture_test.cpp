// The ready-made tile pictures and the raster operations beneath them.
#include <gtest/gtest.h>

#include "board/board.h"
#include "view/board_view.h"
#include "view/raster.h"
#include "view/shadow_pieces.h"
#include "view/test_pictures.h"
#include "view/tileset_layout.h"

namespace {

using namespace testpics;

TEST(FaceCells, EveryFaceHasItsOwnCellAndTheEmptyCellsStayEmpty) {
  EXPECT_EQ(view::FaceCells(1), (view::FaceCell{0, 2}));
  EXPECT_EQ(view::FaceCells(9), (view::FaceCell{8, 2}));
  EXPECT_EQ(view::FaceCells(10), (view::FaceCell{0, 1}));
  EXPECT_EQ(view::FaceCells(19), (view::FaceCell{0, 0}));
  EXPECT_EQ(view::FaceCells(28), (view::FaceCell{0, 4}));
  EXPECT_EQ(view::FaceCells(32), (view::FaceCell{0, 3}));
  EXPECT_EQ(view::FaceCells(36), (view::FaceCell{4, 4}));
  EXPECT_EQ(view::FaceCells(38), (view::FaceCell{6, 4}));
  EXPECT_EQ(view::FaceCells(39), (view::FaceCell{4, 3}));
  EXPECT_EQ(view::FaceCells(42), (view::FaceCell{7, 3}));
  bool used[9][5] = {};
  for (int f = 1; f <= 42; ++f) {
    const view::FaceCell c = view::FaceCells(f);
    ASSERT_FALSE(used[c.c][c.r]) << "face " << f;
    used[c.c][c.r] = true;
  }
  EXPECT_FALSE(used[8][3]);
  EXPECT_FALSE(used[7][4]);
  EXPECT_FALSE(used[8][4]);
}

TEST(MakeTileTexture, EachFaceIsSetIntoTheBlankTile) {
  view::BoardView v;
  v.TilesetImage = MakeTestTileset();
  v.MakeTileTexture();
  for (int f = 1; f <= 42; ++f) {
    const view::FaceCell cell = view::FaceCells(f);
    const view::Region t = view::TextureCell(cell);
    for (int y = 0; y < 56; ++y)
      for (int x = 0; x < 46; ++x) {
        QRgb want = BlankTilePixel(x, y);
        if (x >= 6 && y < 50 && InFaceSquare(x - 6, y)) want = FaceColour(cell.c, cell.r);
        ASSERT_EQ(v.TileTexture.pixel(t.x + x, t.y + y), want) << "face " << f << " at " << x << "," << y;
      }
  }
  // Nothing of the unused cell (8, 3), nor of the cells' first row and column, is read.
  ASSERT_EQ(v.TileTexture.size(), QSize(414, 280));
  for (int y = 0; y < v.TileTexture.height(); ++y)
    for (int x = 0; x < v.TileTexture.width(); ++x) ASSERT_NE(v.TileTexture.pixel(x, y), Junk);
}

TEST(Raster, OperationsAreExactPerBit) {
  QImage d = view::MakePicture(4, 1);
  QImage s = view::MakePicture(4, 1);
  const QRgb dv[4] = {0xFF123456u, 0xFFFFFFFFu, 0xFF000000u, 0xFFA5A5A5u};
  const QRgb sv[4] = {0xFF0F0F0Fu, 0xFF5A5A5Au, 0xFFFFFFFFu, 0xFF3C3C3Cu};
  auto reset = [&] {
    for (int i = 0; i < 4; ++i) {
      d.setPixel(i, 0, dv[i]);
      s.setPixel(i, 0, sv[i]);
    }
  };
  struct Case {
    view::Rop op;
    QRgb (*f)(QRgb, QRgb);
  };
  const Case cases[] = {
      {view::Rop::Copy, [](QRgb, QRgb b) { return b; }},
      {view::Rop::And, [](QRgb a, QRgb b) { return a & b; }},
      {view::Rop::Or, [](QRgb a, QRgb b) { return a | b; }},
      {view::Rop::Xor, [](QRgb a, QRgb b) { return (a ^ b) | 0xFF000000u; }},
  };
  for (const Case& c : cases) {
    reset();
    view::Blit(d, 0, 0, 4, 1, s, 0, 0, c.op);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d.pixel(i, 0), c.f(dv[i], sv[i])) << static_cast<int>(c.op) << " " << i;
  }
}

TEST(Raster, ClipsTheDestinationAndReadsBlackOutsideTheSource) {
  QImage d = view::MakePicture(10, 10, 0xFFFFFFFFu);
  const QImage s = view::MakePicture(4, 4, 0xFF112233u);
  view::Blit(d, -2, -2, 8, 8, s, 0, 0, view::Rop::Copy);
  EXPECT_EQ(d.pixel(0, 0), 0xFF112233u);  // source (2, 2)
  EXPECT_EQ(d.pixel(1, 1), 0xFF112233u);
  EXPECT_EQ(d.pixel(2, 2), 0xFF000000u);  // source (4, 4): outside, black
  EXPECT_EQ(d.pixel(5, 5), 0xFF000000u);
  EXPECT_EQ(d.pixel(6, 6), 0xFFFFFFFFu);  // beyond the block
  view::Blit(d, 8, 8, 20, 20, s, 0, 0, view::Rop::Or);
  EXPECT_EQ(d.pixel(9, 9), 0xFFFFFFFFu);
}

TEST(Raster, MaskedPaintEqualsAndThenOr) {
  const QImage tiles = MakeTestTileset();
  QImage one = MakeGradient(60, 70), two = one;
  view::MaskedBlit(one, -3, 20, 46, 56, tiles, 138, 256, tiles, 0, 256);
  view::Blit(two, -3, 20, 46, 56, tiles, 138, 256, view::Rop::And);
  view::Blit(two, -3, 20, 46, 56, tiles, 0, 256, view::Rop::Or);
  EXPECT_TRUE(one == two);
}

TEST(ShadowPieces, DitherPatternsFollowTheirRules) {
  using view::Piece;
  const auto count = [](Piece p) {
    int n = 0;
    const view::ShadowPiece& s = view::PieceOf(p);
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) n += s.IsSet(x, y);
    return n;
  };
  EXPECT_EQ(count(Piece::Img1), 50);
  EXPECT_EQ(count(Piece::Img2), 100);
  EXPECT_EQ(count(Piece::Img3), 30);
  EXPECT_EQ(count(Piece::Img4), 30);
  EXPECT_EQ(count(Piece::Img5), 75);
  EXPECT_EQ(count(Piece::Horiz), 100);
  EXPECT_TRUE(view::PieceOf(Piece::Img3).IsSet(9, 1));
  EXPECT_FALSE(view::PieceOf(Piece::Img3).IsSet(1, 9));
  EXPECT_TRUE(view::PieceOf(Piece::Img4).IsSet(1, 9));
  EXPECT_FALSE(view::PieceOf(Piece::Img2).IsSet(0, 0));
  EXPECT_TRUE(view::PieceOf(Piece::Img2).IsSet(0, 19));
  QImage d = view::MakePicture(10, 10, 0xFFFFFFFFu);
  view::DrawPiece(d, Piece::Horiz, -15, -5);  // only a corner lands
  EXPECT_EQ(d.pixel(0, 0), view::ShadowGrey);
  EXPECT_EQ(d.pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(d.pixel(5, 0), 0xFFFFFFFFu);
}

}  // namespace
