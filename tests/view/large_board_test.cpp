// A board drawn large holds no whole stretched background and no whole
// marked-face sheets: the background is stretched where it is painted, a
// full redraw paints it only between the tiles, and marked faces are made
// from one-byte face masks. These must look exactly as painting everything
// whole would.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "board/dealing.h"
#include "board/geometry.h"
#include "board/layout_file.h"
#include "view/board_view.h"
#include "view/raster.h"
#include "view/scaled_background.h"
#include "view/test_pictures.h"
#include "view/tile_art.h"
#include "view/tileset_layout.h"

namespace {

using view::BoardView;
using view::PixelRect;
using view::Scene;

const std::string kData = SORAMI_DATA_DIR;

const board::Scale kScales[] = {{3, 2}, {2, 1}, {7, 4}, {22, 5}};

// Any block of the stretched background, painted on its own at any place
// of a picture, is the same block of the whole; the plain one keeps its
// frame of one scale-1 pixel; pixels off the board are left alone.
TEST(ScaledBackground, AnyBlockIsTheSameBlockOfTheWhole) {
  testpics::EnsureGuiApp();
  QImage unit = testpics::MakeGradient(view::BoardWidth, view::BoardHeight);
  view::ToPictureFormat(unit);
  for (const board::Scale s : kScales) {
    for (const bool plain : {false, true}) {
      view::ScaledBackground background;
      background.Set(plain ? QImage() : unit, s);
      const board::Geometry g({0, 0}, s);
      ASSERT_EQ(background.Width(), g.Width());
      ASSERT_EQ(background.Height(), g.Height());
      const QImage whole = background.Whole();
      const std::vector<PixelRect> blocks{{0, 0, 7, 5},
                                          {g.Width() - 33, g.Height() - 20, g.Width() + 10, g.Height() + 4},
                                          {-5, -3, 40, 30},
                                          {101, 57, 300, 61}};
      for (const PixelRect& r : blocks) {
        QImage out = view::MakePicture(r.Width() + 6, r.Height() + 4, qRgb(255, 0, 255));
        background.Paint(out, 3, 2, r);
        for (int y = 0; y < out.height(); ++y)
          for (int x = 0; x < out.width(); ++x) {
            const int bx = r.left + x - 3, by = r.top + y - 2;
            const bool inBlock = x >= 3 && y >= 2 && bx < r.right && by < r.bottom;
            const bool onBoard = bx >= 0 && by >= 0 && bx < g.Width() && by < g.Height();
            const QRgb want = inBlock && onBoard ? whole.pixel(bx, by) : qRgb(255, 0, 255);
            ASSERT_EQ(out.pixel(x, y), want) << s.Numerator << "/" << s.Denominator << " plain " << plain << " at "
                                             << x << "," << y;
          }
      }
      if (plain) {
        EXPECT_EQ(whole.pixel(g.Scaled(1) - 1, g.Scaled(1) - 1), qRgb(0, 0, 0));
        EXPECT_EQ(whole.pixel(g.Scaled(1), g.Scaled(1)), qRgb(0, 128, 128));
        EXPECT_EQ(whole.pixel(g.Scaled(703) - 1, g.Scaled(467) - 1), qRgb(0, 128, 128));
        EXPECT_EQ(whole.pixel(g.Scaled(703), g.Scaled(467)), qRgb(0, 0, 0));
      }
    }
  }
}

// Stretched, a picture stays between its neighbouring pixels and keeps a
// flat colour flat: a smooth stretch, not a copy of pixels.
TEST(ScaledBackground, StretchesSmoothly) {
  testpics::EnsureGuiApp();
  QImage unit = view::MakePicture(view::BoardWidth, view::BoardHeight, qRgb(10, 20, 30));
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = view::BoardWidth / 2; x < view::BoardWidth; ++x) unit.setPixel(x, y, qRgb(210, 220, 230));
  view::ScaledBackground background;
  background.Set(unit, {4, 1});
  const QImage whole = background.Whole();
  EXPECT_EQ(whole.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(whole.pixel(whole.width() - 1, whole.height() - 1), qRgb(210, 220, 230));
  // Across the edge at x = 352 (1408 stretched) the red rises step by step.
  int previous = 0, steps = 0;
  for (int x = 1400; x < 1416; ++x) {
    const int red = qRed(whole.pixel(x, 100));
    EXPECT_GE(red, previous);
    if (red != previous && red != 10 && red != 210) ++steps;
    previous = red;
  }
  EXPECT_GE(steps, 2);
}

// A dealt board with a shipped tileset and background at several scales.
class LargeBoard : public ::testing::TestWithParam<board::Scale> {
 protected:
  void SetUp() override {
    testpics::EnsureGuiApp();
    board::LayoutGrid layout;
    ASSERT_TRUE(board::ReadLayFile(kData + "/Layouts/Traditional.lay", layout).HeaderOk);
    board::Generator generator;
    board::DealRequest request;
    request.Seed = board::SeedChoice::Exact(1618);
    board::Deal(state, layout, generator, request);
    const std::string tileset = kData + "/Tilesets/bluepai.bmp";
    view.TilesetImage = testpics::DecodeShipped(tileset);
    view.TilesetCopies = view::FindTilesetCopies(tileset);
    view.MakeTileTexture();
    view.SetBackgroundPicture(testpics::DecodeShipped(kData + "/Backgrounds/andromeda.jpg"));
    view.SetScale(GetParam());
    scene.Board = &state.Board;
    scene.TilePlaces = &state.TilePlaces;
    scene.Shadows = true;
  }
  int SomeTile(int k) const {
    int n = 0;
    for (int t = 1; t <= board::MaxTiles; ++t)
      if (state.TilePlaces[t].OnBoard() && ++n == k) return t;
    return 0;
  }
  // The board painted from a bare background, area by area: what a full
  // redraw must give whatever the board picture held before it.
  QImage PaintedFromScratch() {
    view.ClearBoardBuffer();
    for (int top = -30; top < view::BoardHeight + 30; top += 97)
      view.RedrawArea(scene, {-30, top, view::BoardWidth + 30, top + 97});
    return view.BoardBuffer.copy();
  }

  board::BoardState state;
  BoardView view;
  Scene scene;
};

// A full redraw skips the background under the tiles' solid parts; nothing
// of what the picture held before may show through, in any mode.
TEST_P(LargeBoard, AFullRedrawLeavesNothingOfTheOldPicture) {
  auto check = [&](const char* what) {
    const QImage want = PaintedFromScratch();
    view.BoardBuffer.fill(qRgb(255, 0, 255));
    view.FullRedraw(scene);
    ASSERT_TRUE(view.BoardBuffer == want) << what;
  };
  check("plain");
  scene.SelectedTile1 = SomeTile(30);
  scene.HintTile1 = SomeTile(90);
  scene.HoverTile = SomeTile(120);
  scene.HighlightMode = 2;
  check("marks");
  scene.MemoryMode = true;
  check("Memory");
  scene.MemoryMode = false;
  scene.EditorMode = true;
  scene.EditorCursor = {10, 6, 1};
  check("editor");
  scene.EditorMode = false;
  view.SetPlainBackground();
  check("plain background");
  // Half the tiles gone: more background, between fewer tiles.
  for (int t = 1; t <= board::MaxTiles; t += 2) {
    const board::Cell c = state.TilePlaces[t];
    if (c.OnBoard()) state.Board.Set(c.x, c.y, c.z, 0);
  }
  check("half the tiles");
}

INSTANTIATE_TEST_SUITE_P(Scales, LargeBoard, ::testing::ValuesIn(kScales), [](const auto& info) {
  return std::to_string(info.param.Numerator) + "_" + std::to_string(info.param.Denominator);
});

// At the sizes the tileset comes drawn in, a marked face is exactly the
// drawn tileset's marked face: its background on the mark's colour and its
// own drawing kept.
TEST(MarkedFaces, AtTheDrawnSizesTheyAreTheTilesetsOwn) {
  testpics::EnsureGuiApp();
  const std::string tileset = kData + "/Tilesets/bluepai.bmp";
  const std::vector<view::TilesetCopy> copies = view::FindTilesetCopies(tileset);
  ASSERT_EQ(copies.size(), 2u);
  for (const view::TilesetCopy& copy : copies) {
    const int k = copy.Factor;
    const QImage drawn = view::ReadTilesetCopy(copy);
    const view::TileArt art = view::ComposeTileArt(drawn, k);
    const int fw = view::FaceWidth * k, fh = view::FaceHeight * k;
    for (const int f : {1, 9, 27, 34, 42}) {
      const view::FaceCell cell = view::FaceCells(f);
      for (const bool selected : {true, false}) {
        // The tile's face as the painter lays it, then marked.
        QImage face = view::MakePicture(fw, fh);
        view::Blit(face, 0, 0, fw, fh, art.Tiles, art.CellX(cell) + view::EdgeSize * k, art.CellY(cell),
                   view::Rop::Copy);
        view::MarkFace(face, 0, 0, fw, fh, art, cell, selected ? art.SelectedFace : art.HintFace);
        // The marked face straight from the drawn tileset.
        const view::Region back = selected ? view::SelectedFace : view::HintFace;
        const view::Region mask = view::FaceMask(cell), picture = view::FacePicture(cell);
        QImage want = view::MakePicture(fw, fh);
        view::Blit(want, 0, 0, fw, fh, drawn, back.x * k, back.y * k, view::Rop::Copy);
        view::MaskedBlit(want, 0, 0, fw, fh, drawn, mask.x * k, mask.y * k, drawn, picture.x * k, picture.y * k);
        EXPECT_TRUE(face == want) << "face " << f << " at " << k << "x, selected " << selected;
      }
    }
  }
}

// Between the drawn sizes the face's background takes the mark's colour and
// its drawing stays as it was; a face painted partly off the picture is
// marked where it shows.
TEST(MarkedFaces, BetweenTheDrawnSizesTheBackgroundTakesTheMarksColour) {
  testpics::EnsureGuiApp();
  const std::string tileset = kData + "/Tilesets/bluepai.bmp";
  const view::TileArt art = view::ResampleTileArt(
      view::ComposeTileArt(view::ReadTilesetCopy(view::FindTilesetCopies(tileset).back()), 3), {22, 5});
  const view::FaceCell cell = view::FaceCells(12);
  const int fw = art.FaceCellWidth, fh = art.FaceCellHeight;
  QImage face = view::MakePicture(fw, fh);
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) face.setPixel(x, y, art.BlankFace.pixel(x, y));
  const int fx = art.FaceCellX(cell), fy = art.FaceCellY(cell);
  for (int y = 0; y < fh; y += 7)
    for (int x = 0; x < fw; x += 5)
      if (qGray(art.FaceMasks.pixel(fx + x, fy + y)) == 0) face.setPixel(x, y, qRgb(1, 2, 3));
  QImage marked = face.copy();
  view::MarkFace(marked, 0, 0, fw, fh, art, cell, art.HintFace);
  int background = 0, drawing = 0;
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      const int share = qGray(art.FaceMasks.pixel(fx + x, fy + y));
      if (share == 255) {
        ++background;
        ASSERT_EQ(marked.pixel(x, y), art.HintFace.pixel(x, y)) << x << "," << y;
      } else if (share == 0) {
        ++drawing;
        ASSERT_EQ(marked.pixel(x, y), face.pixel(x, y)) << x << "," << y;
      }
    }
  EXPECT_GT(background, fw * fh / 4);
  EXPECT_GT(drawing, 50);
  // Off the picture's left and top edges.
  QImage quarter = face.copy(fw / 2, fh / 2, fw - fw / 2, fh - fh / 2);
  view::MarkFace(quarter, -(fw / 2), -(fh / 2), fw, fh, art, cell, art.HintFace);
  EXPECT_TRUE(quarter == marked.copy(fw / 2, fh / 2, fw - fw / 2, fh - fh / 2));
}

}  // namespace
