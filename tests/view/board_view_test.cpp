// Pixel facts of the board painter: where tiles land, how neighbours cover
// each other, marks, face-down tiles, shadows and partial redraws.
#include <gtest/gtest.h>

#include "board/board.h"
#include "view/board_view.h"
#include "view/raster.h"
#include "view/shadow_pieces.h"
#include "view/test_pictures.h"
#include "view/tileset_layout.h"

namespace {

using namespace testpics;
using view::BoardView;
using view::Scene;

class BoardViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.TilesetImage = MakeTestTileset();
    view.MakeTileTexture();
    view.BackgroundBuffer = MakeGradient(view::BoardWidth, view::BoardHeight);
    scene.Board = &grid;
    scene.TilePlaces = &places;
    scene.Shadows = false;
  }
  void Put(int t, int x, int y, int z) {
    grid.Set(x, y, z, static_cast<std::uint8_t>(t));
    places[t] = {x, y, z};
  }
  void Take(int t) {
    const board::Cell c = places[t];
    grid.Set(c.x, c.y, c.z, 0);
  }
  QImage Render() {
    view.FullRedraw(scene);
    return view.BoardBuffer.copy();
  }
  int A(int x, int z) const { return view::FaceLeft(x, z, scene.OriginX); }
  int B(int y, int z) const { return view::FaceTop(y, z, scene.OriginY); }
  QRgb At(int x, int y) const { return view.BoardBuffer.pixel(x, y); }
  // The colour of tile t's face square.
  static QRgb SquareOf(int t) {
    const view::FaceCell c = view::FaceCells(board::Face(t));
    return FaceColour(c.c, c.r);
  }
  // Checks the lone tile t's whole picture with its face at (a, b).
  void ExpectPlainTile(int t, int a, int b, const QImage& background) {
    for (int y = 0; y < 56; ++y)
      for (int x = 0; x < 46; ++x) {
        const int px = a - 6 + x, py = b + y;
        QRgb want = background.pixel(px, py);
        if (InTileShape(x, y)) {
          want = BlankTilePixel(x, y);
          if (x >= 6 && y < 50 && InFaceSquare(x - 6, y)) want = SquareOf(t);
        }
        ASSERT_EQ(At(px, py), want) << "tile pixel " << x << "," << y;
      }
  }

  BoardView view;
  board::Grid grid;
  board::TilePlaceTable places{};
  Scene scene;
};

TEST(Geometry, ATilePictureIsOnTheBoardOnlyWhenWhollyInside) {
  // Layers 1 and 2 reach from row 2 to row 18; higher tiles sit higher, so
  // layers 3 and 4 start at row 3 and layer 5 may use row 19.
  EXPECT_FALSE(view::TilePictureOnBoard(5, 1, 1));
  EXPECT_TRUE(view::TilePictureOnBoard(5, 2, 1));
  EXPECT_TRUE(view::TilePictureOnBoard(5, 2, 2));
  EXPECT_FALSE(view::TilePictureOnBoard(5, 2, 3));
  EXPECT_TRUE(view::TilePictureOnBoard(5, 18, 1));
  EXPECT_FALSE(view::TilePictureOnBoard(5, 19, 4));
  EXPECT_TRUE(view::TilePictureOnBoard(5, 19, 5));
  // Every layer reaches the left column; each layer shifts right, so the last
  // column is lost from layer 3 up.
  EXPECT_TRUE(view::TilePictureOnBoard(1, 5, 1));
  EXPECT_TRUE(view::TilePictureOnBoard(33, 5, 2));
  EXPECT_FALSE(view::TilePictureOnBoard(33, 5, 3));
  EXPECT_FALSE(view::TilePictureOnBoard(34, 5, 1));
  // The exact edges: (33, 18, 2) ends at pixel 702 across and 460 down.
  EXPECT_EQ(view::TilePictureRect(33, 18, 2, {}), (view::PixelRect{656, 404, 702, 460}));

  board::LayoutGrid layout;
  layout.Set(5, 1, 1, 1);
  layout.Set(7, 9, 1, 1);
  layout.Set(33, 5, 3, 1);
  EXPECT_EQ(view::PlacesOutsideBoard(layout), (std::vector<board::Cell>{{5, 1, 1}, {33, 5, 3}}));
}

TEST(Geometry, CellsToPixelsOnWideAndNarrowScreens) {
  const view::BoardOrigin wide = view::OriginForScreenWidth(1024);
  EXPECT_EQ(wide, (view::BoardOrigin{36, 25}));
  EXPECT_EQ(view::OriginForScreenWidth(800), wide);
  EXPECT_EQ(view::OriginForScreenWidth(640), (view::BoardOrigin{-5, 0}));
  EXPECT_EQ(view::FaceLeft(10, 2, 36), 202);
  EXPECT_EQ(view::FaceTop(5, 2, 25), 79);
  EXPECT_EQ(view::TilePictureRect(10, 5, 2, wide), (view::PixelRect{196, 79, 242, 135}));
  EXPECT_EQ(view::FaceLeft(10, 1, 36), 196);
  EXPECT_EQ(view::FaceTop(5, 1, 25), 85);
  // With the one-based anchor FaceLeftOfCell/FaceTopOfCell give the face moved by (+26, +19).
  EXPECT_EQ(view::FaceLeftOfCell(10, 2, 36) - 6, 196 + 26);
  EXPECT_EQ(view::FaceTopOfCell(5, 2, 25), 79 + 19);
}

TEST_F(BoardViewTest, TileAt10_5_2IsPaintedWithItsFaceAt202_79) {
  Put(5, 10, 5, 2);
  const QImage bg = view.BackgroundBuffer;
  Render();
  ExpectPlainTile(5, 202, 79, bg);
  // Nothing outside the picture rectangle changed.
  EXPECT_EQ(At(195, 100), bg.pixel(195, 100));
  EXPECT_EQ(At(242, 100), bg.pixel(242, 100));
  EXPECT_EQ(At(220, 135), bg.pixel(220, 135));
}

TEST_F(BoardViewTest, NarrowScreenDrawsEverything41LeftAnd25Up) {
  view.BackgroundBuffer = view::MakePicture(view::BoardWidth, view::BoardHeight, 0xFF203040u);
  for (int t = 1; t <= 20; ++t) Put(t, 2 + 2 * ((t - 1) % 5), 3 + 2 * ((t - 1) / 5), 1 + t % 3);
  scene.Shadows = true;
  const QImage wide = Render();
  scene.OriginX = -5;
  scene.OriginY = 0;
  const QImage narrow = Render();
  for (int y = 0; y + 25 < view::BoardHeight; ++y)
    for (int x = 0; x + 41 < view::BoardWidth; ++x)
      ASSERT_EQ(narrow.pixel(x, y), wide.pixel(x + 41, y + 25)) << x << "," << y;
}

TEST_F(BoardViewTest, LeftAndLowerNeighboursCoverEdgesAndHigherLayersCoverLower) {
  // The right neighbour is painted first, so this tile's face covers its left edge.
  Put(1, 10, 5, 1);
  Put(2, 12, 5, 1);
  Render();
  const int a = A(10, 1), b = B(5, 1);
  for (int x = a + 34; x < a + 40; ++x) EXPECT_EQ(At(x, b + 20), Ivory);
  // A tile one layer up on the same anchor hides the lower face whole; the
  // lower tile's edges still show below-left of it.
  Put(5, 10, 5, 2);
  Render();
  EXPECT_EQ(At(a - 3, b + 20), LeftEdge);    // lower tile's edge
  EXPECT_EQ(At(a + 3, b + 20), LeftEdge);    // upper tile's edge over the lower face
  EXPECT_EQ(At(a + 20, b + 20), SquareOf(5));
  EXPECT_EQ(At(a + 20, b + 46), BottomEdge);  // upper tile's bottom edge
  EXPECT_EQ(At(a + 20, b + 52), BottomEdge);  // lower tile's bottom edge
  for (int y = b; y < b + 50; ++y)
    for (int x = a; x < a + 40; ++x) ASSERT_NE(At(x, y), SquareOf(1));
}

TEST_F(BoardViewTest, BottomEdgeIsShortenedBesideALowerRightNeighbour) {
  Put(9, 11, 7, 1);  // lower-right neighbour of (10, 5, 1)
  const QImage alone = Render();
  Put(1, 10, 5, 1);
  Render();
  const int a = A(10, 1), b = B(5, 1);
  for (int y = 50; y < 56; ++y) {
    // The neighbour's face stays where the edge would otherwise run on.
    for (int x = a + 21; x < a + 40; ++x) ASSERT_EQ(At(x, b + y), alone.pixel(x, b + y)) << x << "," << y;
    // The 6 x 6 corner: tile pixels where the corner mask is black, the
    // neighbour's pixels elsewhere.
    for (int i = 0; i < 6; ++i) {
      const int cx = 40 + i;  // the tile's own bottom-right corner, moved left
      const QRgb want = InTileShape(cx, y) ? BlankTilePixel(cx, y) : alone.pixel(a + 15 + i, b + y);
      ASSERT_EQ(At(a + 15 + i, b + y), want) << "corner " << i << "," << y;
    }
    // The edge piece left of the corner is copied opaque.
    for (int x = 0; x < 21; ++x) ASSERT_EQ(At(a - 6 + x, b + y), BlankTilePixel(x, y)) << x << "," << y;
  }
  // Without the neighbour the same rows show the full bottom edge.
  Take(9);
  Render();
  EXPECT_EQ(At(a + 30, b + 52), BottomEdge);
}

TEST_F(BoardViewTest, ShadowOfALayerTwoTileTwoRowsUpIsAHalfDitherBand) {
  Put(1, 10, 5, 1);
  Put(2, 10, 3, 2);
  const QImage plain = Render();
  scene.Shadows = true;
  Render();
  const int a = A(10, 1), b = B(5, 1);
  int grey = 0;
  for (int j = 0; j < 10; ++j)
    for (int i = 0; i < 40; ++i) {
      const bool set = (i + j) % 2 == 0 && (i >= 10 || i >= j);
      ASSERT_EQ(At(a + i, b + j), set ? view::ShadowGrey : plain.pixel(a + i, b + j)) << i << "," << j;
      grey += set;
    }
  EXPECT_EQ(grey, 5 * 30 + 30);  // the band's half plus the diagonal start
  // Nothing else of the picture changed.
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = 0; x < view::BoardWidth; ++x)
      if (x < a || x >= a + 40 || y < b || y >= b + 10) {
        ASSERT_EQ(At(x, y), plain.pixel(x, y)) << x << "," << y;
      }
}

TEST_F(BoardViewTest, ShadowsNeverFallOnLayerFiveNorOnTheFirstRowOrColumnNorWhenOff) {
  // A layer-5 tile casts on the layer-4 tile below-left of it.
  Put(1, 10, 5, 4);
  Put(2, 10, 3, 5);
  Put(3, 20, 5, 5);  // layer 5: nothing can shade it
  const QImage off = Render();
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = 0; x < view::BoardWidth; ++x) ASSERT_NE(off.pixel(x, y), view::ShadowGrey);
  scene.Shadows = true;
  Render();
  EXPECT_EQ(At(A(10, 4) + 12, B(5, 4)), view::ShadowGrey);
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = A(20, 5) - 6; x < A(20, 5) + 40; ++x) ASSERT_EQ(At(x, y), off.pixel(x, y));

  // Anchors in column 1 or row 1 receive nothing.
  grid.Clear();
  Put(1, 1, 5, 1);
  Put(2, 1, 3, 2);
  Put(3, 5, 1, 1);
  Put(4, 6, 1, 2);
  scene.Shadows = false;
  const QImage edgeOff = Render();
  scene.Shadows = true;
  EXPECT_TRUE(Render() == edgeOff);
}

TEST_F(BoardViewTest, EachShadowRuleLaysItsPieces) {
  // The higher tile's offset for rules 14 (-1, 0): a vertical band in the middle.
  Put(1, 10, 5, 1);
  Put(2, 9, 5, 2);
  const QImage plain = Render();
  scene.Shadows = true;
  Render();
  const int a = A(10, 1), b = B(5, 1);
  // Img 4 at (20, 0), Img 2 at (20, 10) and (20, 30); the upper tile covers the
  // face left of its right border, which lies at a + 26.
  const view::ShadowPiece& img2 = view::PieceOf(view::Piece::Img2);
  for (int j = 10; j < 30; ++j)
    for (int i = 26; i < 30; ++i)
      ASSERT_EQ(At(a + i, b + j), img2.IsSet(i - 20, j - 10) ? view::ShadowGrey : plain.pixel(a + i, b + j));
  for (int i = 30; i < 40; ++i) EXPECT_EQ(At(a + i, b + 20), plain.pixel(a + i, b + 20));
}

TEST_F(BoardViewTest, SelectedAndHintTilesAreRecolouredAndInvertedWithEdgesUnchanged) {
  Put(5, 10, 5, 1);
  Put(9, 14, 5, 1);
  const QImage plain = Render();
  const int a = A(10, 1), b = B(5, 1), a2 = A(14, 1);
  scene.SelectedTile1 = 5;
  scene.HintTile1 = 9;
  Render();
  EXPECT_EQ(At(a + 2, b + 2), SelectedColour);
  EXPECT_EQ(At(a + 15, b + 20), SquareOf(5));
  EXPECT_EQ(At(a2 + 2, b + 2), HintColour);
  EXPECT_EQ(At(a2 + 15, b + 20), SquareOf(9));

  scene.Invert = true;
  Render();
  for (int y = 0; y < 56; ++y)
    for (int x = -6; x < 40; ++x) {
      const bool face = x >= 0 && y < 50;
      const QRgb p = plain.pixel(a + x, b + y);
      ASSERT_EQ(At(a + x, b + y), face ? ((p ^ 0x00FFFFFFu) | 0xFF000000u) : p) << x << "," << y;
    }
  // A slide hides every mark.
  scene.RiverSlideActive = true;
  EXPECT_TRUE(Render() == plain);
}

TEST_F(BoardViewTest, PointerHighlightFollowsTheMode) {
  Put(5, 10, 5, 1);
  const QImage plain = Render();
  const int a = A(10, 1), b = B(5, 1);
  scene.HoverTile = 5;
  scene.HighlightMode = 1;
  Render();
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(At(a + k, b + 25), qRgb(255, 0, 0));
    EXPECT_EQ(At(a + 39 - k, b + 25), qRgb(255, 0, 0));
    EXPECT_EQ(At(a + 20, b + k), qRgb(255, 0, 0));
    EXPECT_EQ(At(a + 20, b + 49 - k), qRgb(255, 0, 0));
  }
  EXPECT_EQ(At(a + 3, b + 25), plain.pixel(a + 3, b + 25));
  EXPECT_EQ(At(a - 1, b + 25), plain.pixel(a - 1, b + 25));
  scene.HighlightMode = 3;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), qRgb(0, 128, 0));
  scene.HighlightMode = 4;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), qRgb(0, 0, 255));
  // "Colored Tile" recolours like a hint and draws no outline.
  scene.HighlightMode = 2;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), HintColour);
  // A hint tile under the pointer in a rectangle mode gets both.
  scene.HighlightMode = 1;
  scene.HintTile2 = 5;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), qRgb(255, 0, 0));
  EXPECT_EQ(At(a + 5, b + 5), HintColour);
}

// The keyboard cursor: a frame in the highlight's colour even with the
// highlight off, drawn over the tile that half hides its tile, and the same
// after a partial redraw of a neighbour as after a full one.
TEST_F(BoardViewTest, KeyboardCursorIsFramedOverEverything) {
  Put(5, 10, 5, 1);
  Put(6, 11, 5, 2);  // half over tile 5
  Put(7, 12, 5, 1);
  const QImage plain = Render();
  const int a = A(10, 1), b = B(5, 1);
  scene.CursorTile = 5;
  scene.HighlightMode = 0;
  Render();
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(At(a + k, b + 25), qRgb(0, 128, 0));
    EXPECT_EQ(At(a + 39 - k, b + 25), qRgb(0, 128, 0)) << "over the tile above";
    EXPECT_EQ(At(a + 20, b + 49 - k), qRgb(0, 128, 0));
  }
  EXPECT_EQ(At(a + 3, b + 25), plain.pixel(a + 3, b + 25));
  scene.HighlightMode = 4;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), qRgb(0, 0, 255));
  scene.HighlightMode = 2;
  const QImage full = Render();
  EXPECT_EQ(At(a + 1, b + 25), qRgb(0, 128, 0));
  view.RedrawTile(scene, 7);
  EXPECT_TRUE(view.BoardBuffer == full);
  // No frame while a Rivers tile slides.
  scene.HighlightMode = 0;
  scene.RiverSlideActive = true;
  Render();
  EXPECT_EQ(At(a + 1, b + 25), plain.pixel(a + 1, b + 25));
}

TEST_F(BoardViewTest, MemoryTilesLieFaceDownUnlessTurned) {
  Put(5, 10, 5, 1);
  Put(9, 14, 5, 1);
  scene.MemoryMode = true;
  scene.SelectedTile1 = 9;
  Render();
  const int a = A(10, 1), b = B(5, 1), a2 = A(14, 1);
  for (int j = 0; j < 50; ++j)
    for (int i = 0; i < 40; ++i) ASSERT_EQ(At(a + i, b + j), Ivory);
  EXPECT_EQ(At(a2 + 15, b + 20), SquareOf(9));  // turned up, marked as selected
  EXPECT_EQ(At(a2 + 2, b + 2), SelectedColour);
  // The outline still shows on a face-down tile in a rectangle mode, nothing in "Colored Tile".
  scene.HoverTile = 5;
  scene.HighlightMode = 4;
  Render();
  EXPECT_EQ(At(a + 1, b + 20), qRgb(0, 0, 255));
  scene.HighlightMode = 2;
  Render();
  EXPECT_EQ(At(a + 1, b + 20), Ivory);
}

TEST_F(BoardViewTest, EditorShowsPlacesFaceDownAndItsCursorAsSelected) {
  Put(5, 10, 5, 1);
  scene.EditorMode = true;
  scene.EditorCursor = {15, 4, 0};  // empty cell (16, 5, 1)
  Render();
  EXPECT_EQ(At(A(10, 1) + 15, B(5, 1) + 20), Ivory);
  EXPECT_EQ(At(A(16, 1) + 15, B(5, 1) + 20), SelectedColour);
  EXPECT_EQ(At(A(16, 1) - 3, B(5, 1) + 20), LeftEdge);
}

TEST_F(BoardViewTest, PlacesStillBeingDealtAreNotPainted) {
  const QImage bg = view.BackgroundBuffer;
  grid.Set(10, 5, 1, board::PlaceMarker);
  EXPECT_TRUE(Render() == bg);
}

TEST_F(BoardViewTest, RedrawTileGivesTheSamePictureAsAFullRedraw) {
  // A crowded stack: neighbours on every side and layers above and below.
  int t = 1;
  for (int z = 1; z <= 3; ++z)
    for (int y = 3; y <= 13 - 2 * z; y += 2)
      for (int x = 3 + z; x <= 18; x += 2) Put(t++, x, y + (x % 3 == 0 ? 1 : 0), z);
  scene.Shadows = true;
  Render();
  for (int tile = 1; tile < t; tile += 3) {
    scene.SelectedTile1 = 0;
    Render();
    scene.SelectedTile1 = tile;
    const view::PixelRect r = view.RedrawTile(scene, tile);
    EXPECT_EQ(r.Width(), 46);
    EXPECT_TRUE(view.DirtyRect == view::WholeBoard);
    const QImage partial = view.BoardBuffer.copy();
    ASSERT_TRUE(Render() == partial) << "tile " << tile;
  }
  // A tile taken off the board (a Rivers slide step, on a flat board: a
  // shadow it cast would lie outside its area): its old place shows what now
  // lies there.
  scene.SelectedTile1 = 0;
  scene.Shadows = false;
  Render();
  Take(t - 1);
  view.RedrawTile(scene, t - 1);
  const QImage partial = view.BoardBuffer.copy();
  EXPECT_TRUE(Render() == partial);
  // No tile: nothing changes.
  EXPECT_TRUE(view.RedrawTile(scene, 0).Empty());
  EXPECT_TRUE(view.BoardBuffer == partial);
}

TEST_F(BoardViewTest, TilesReachingOutOfThePictureAreClipped) {
  scene.OriginX = -5;
  scene.OriginY = 0;
  Put(1, 1, 1, 1);
  Put(2, 33, 19, 1);
  Put(3, 1, 1, 5);
  scene.Shadows = true;
  Render();
  view.RedrawTile(scene, 1);
  view.RedrawTile(scene, 3);
  SUCCEED();
}

}  // namespace
