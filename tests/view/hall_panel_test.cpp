// The side panel: what is drawn where, the shift of the list, the rank
// reached, the two-player banner and the tile preview. Text pixels depend on
// the fonts, so these tests look at colours and positions, not at glyphs.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>

#include "board/board.h"
#include "game/hall_of_fame.h"
#include "view/board_view.h"
#include "view/hall_panel.h"
#include "view/raster.h"
#include "view/test_pictures.h"
#include "view/tileset_layout.h"

namespace {

using view::HallPanel;
using view::PanelContent;

constexpr QRgb Yellow = 0xFFFFFF00u;
constexpr QRgb Aqua = 0xFF00FFFFu;
constexpr QRgb White = 0xFFFFFFFFu;

// Rows (top, bottom exclusive) in which pixels of exactly `colour` occur.
struct Rows {
  int top = -1;
  int bottom = -1;
};
Rows RowsOf(const QImage& img, QRgb colour, int x0 = 0, int x1 = -1, int y0 = 0, int y1 = -1) {
  if (x1 < 0) x1 = img.width();
  if (y1 < 0) y1 = img.height();
  Rows r;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (img.pixel(x, y) == colour) {
        if (r.top < 0) r.top = y;
        r.bottom = y + 1;
      }
  return r;
}

class HallPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testpics::EnsureGuiApp();
    panel.SetHofPic(view::MakePicture(92, 468, 0xFF101030u));
    for (int r = 1; r <= 10; ++r) content.Entries[r - 1] = game::DefaultHallEntry(r);
  }
  HallPanel panel;
  PanelContent content;
};

TEST_F(HallPanelTest, NamedFontsResolveToTheirNearestInstalledMatch) {
  // The project's set-up installs Comic Neue, DejaVu and Liberation for the
  // families the panel names.
  const struct {
    const char* family;
    const char* nearest;
  } fonts[] = {{"Comic Sans MS", "Comic Neue"}, {"Verdana", "DejaVu Sans"}, {"Arial", "Liberation Sans"}};
  for (const auto& f : fonts) {
    QFont font{QString::fromLatin1(f.family)};
    font.setBold(true);
    const QString got = QFontInfo(font).family();
    EXPECT_TRUE(got == QLatin1String(f.family) || got == QLatin1String(f.nearest)) << f.family << " -> "
                                                                                    << got.toStdString();
  }
}

TEST_F(HallPanelTest, ListMovesWithTheShift) {
  EXPECT_EQ(HallPanel::Shift(content), -20);
  content.ShowCurrentTile = true;
  EXPECT_EQ(HallPanel::Shift(content), 10);
  content.TwoPlayer = true;
  EXPECT_EQ(HallPanel::Shift(content), 20);

  content.TwoPlayer = content.ShowCurrentTile = false;
  ASSERT_TRUE(panel.ShowHallPanel(content));
  const Rows title = RowsOf(panel.HallPanelPicture, Yellow);
  const Rows times = RowsOf(panel.HallPanelPicture, Aqua);
  // "HALL OF" starts at y = 70, the last time at 27 * 10 + 94 + 20 = 384.
  EXPECT_GE(title.top, 70);
  EXPECT_LT(title.top, 80);
  EXPECT_GE(times.top, 27 + 94 + 20);
  EXPECT_LT(times.bottom, 384 + 20);
  content.ShowCurrentTile = true;  // the list moves up 30 pixels
  ASSERT_TRUE(panel.ShowHallPanel(content));
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Yellow).top, title.top - 30);
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Aqua).bottom, times.bottom - 30);
  // Names in white start at x = 15, times in aqua at x = 39.
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, White, 0, 15).top, -1);
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Aqua, 0, 39).top, -1);
  EXPECT_NE(RowsOf(panel.HallPanelPicture, White, 15, 40).top, -1);
}

TEST_F(HallPanelTest, TheRankReachedIsSetApartAndNothingElseChanges) {
  ASSERT_TRUE(panel.ShowHallPanel(content));
  const QImage plain = panel.HallPanelPicture.copy();
  content.RankReached = 4;
  ASSERT_TRUE(panel.ShowHallPanel(content));
  const int d = HallPanel::Shift(content);
  const int top = 27 * 4 + 81 - d, bottom = 27 * 5 + 81 - d;
  bool differs = false;
  for (int y = 0; y < panel.HallPanelPicture.height(); ++y)
    for (int x = 0; x < panel.HallPanelPicture.width(); ++x)
      if (panel.HallPanelPicture.pixel(x, y) != plain.pixel(x, y)) {
        differs = true;
        ASSERT_GE(y, top);
        ASSERT_LT(y, bottom);
      }
  EXPECT_TRUE(differs);
}

TEST_F(HallPanelTest, ADamagedTimeFieldShowsItsLeadingDigits) {
  content.Entries[0] = std::string("Bob     ") + " " + "   0" + " " + "   0";
  ASSERT_TRUE(panel.ShowHallPanel(content));
  const QImage zero = panel.HallPanelPicture.copy();
  content.Entries[0] = std::string("Bob     ") + " " + "abc " + " " + "   0";
  ASSERT_TRUE(panel.ShowHallPanel(content));
  EXPECT_TRUE(panel.HallPanelPicture == zero);
}

TEST_F(HallPanelTest, HiddenPanelDrawsNothingAndTheEditorShowsTheBarePicture) {
  panel.HallPanelPicture.fill(0xFF00FF00u);
  content.ShowHallOfFame = false;
  EXPECT_FALSE(panel.ShowHallPanel(content));
  EXPECT_EQ(panel.HallPanelPicture.pixel(40, 100), 0xFF00FF00u);
  content.ShowHallOfFame = true;
  content.EditorMode = true;
  EXPECT_TRUE(panel.ShowHallPanel(content));
  EXPECT_TRUE(panel.HallPanelPicture == panel.HallPicture);
}

TEST_F(HallPanelTest, BannerLabelsBlinkForThePlayerWhoseTurnItIs) {
  content.TwoPlayer = true;
  ASSERT_TRUE(panel.ShowHallPanel(content));
  const QImage list = panel.HallPanelPicture.copy();
  panel.PaintBanner({true, false, "00:30", "00:10"});
  EXPECT_NE(RowsOf(panel.HallPanelPicture, Yellow, 0, 92, 380, 422).top, -1);
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Aqua, 0, 92, 380, 468).top, -1);
  EXPECT_NE(RowsOf(panel.HallPanelPicture, White, 30, 92, 402, 422).top, -1);
  EXPECT_NE(RowsOf(panel.HallPanelPicture, White, 30, 92, 444, 468).top, -1);
  panel.PaintBanner({false, true, "00:30", "00:10"});
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Yellow, 0, 92, 380, 468).top, -1);
  EXPECT_NE(RowsOf(panel.HallPanelPicture, Aqua, 0, 92, 422, 468).top, -1);
  // Nothing above the banner area changes.
  for (int y = 0; y < 380; ++y)
    for (int x = 0; x < 92; ++x) ASSERT_EQ(panel.HallPanelPicture.pixel(x, y), list.pixel(x, y));
}

TEST_F(HallPanelTest, PreviewShowsTheTilePictureOrTheEmptyBox) {
  view::BoardView board;
  board.TilesetImage = testpics::MakeTestTileset();
  board.MakeTileTexture();
  panel.ShowCurrentTile(board, 5);
  const QRgb recess = panel.HallPanelPicture.pixel(24, 390);
  EXPECT_NE(recess, 0xFF101030u);
  const view::FaceCell cell = view::FaceCells(board::Face(5));
  for (int y = 0; y < 56; ++y)
    for (int x = 0; x < 46; ++x) {
      QRgb want = testpics::InTileShape(x, y) ? testpics::BlankTilePixel(x, y) : recess;
      if (x >= 6 && y < 50 && testpics::InFaceSquare(x - 6, y)) want = testpics::FaceColour(cell.c, cell.r);
      ASSERT_EQ(panel.HallPanelPicture.pixel(24 + x, 390 + y), want) << x << "," << y;
    }
  // The empty box is the bare recess, and nothing outside the recess changes.
  panel.ShowCurrentTile(board, 0);
  for (int y = 390; y < 446; ++y)
    for (int x = 24; x < 70; ++x) ASSERT_EQ(panel.HallPanelPicture.pixel(x, y), recess) << x << "," << y;
  for (int y = 0; y < 468; ++y)
    for (int x = 0; x < 92; ++x)
      if (!QRect(21, 387, 53, 63).contains(x, y)) {
        ASSERT_EQ(panel.HallPanelPicture.pixel(x, y), 0xFF101030u) << x << "," << y;
      }
}

// The recess of the preview box belongs to the preview: without it the list
// moves down over that place (the rank-10 time reaches y = 384), and the
// two-player banner takes the whole lower area.
TEST_F(HallPanelTest, PreviewRecessIsDrawnOnlyWhileThePreviewIsShown) {
  // Pixels of the recess's own ground colour.
  const auto recessPixels = [this] {
    int n = 0;
    for (int y = 387; y < 450; ++y)
      for (int x = 21; x < 74; ++x) n += panel.HallPanelPicture.pixel(x, y) == qRgb(20, 16, 50);
    return n;
  };
  ASSERT_TRUE(panel.ShowHallPanel(content));
  EXPECT_EQ(recessPixels(), 0);
  EXPECT_NE(RowsOf(panel.HallPanelPicture, Aqua, 0, 92, 384, 400).top, -1);

  content.ShowCurrentTile = true;
  ASSERT_TRUE(panel.ShowHallPanel(content));
  EXPECT_GT(recessPixels(), 46 * 56);
  EXPECT_EQ(RowsOf(panel.HallPanelPicture, Aqua, 0, 92, 370, 468).top, -1);

  content.TwoPlayer = true;
  ASSERT_TRUE(panel.ShowHallPanel(content));
  EXPECT_EQ(recessPixels(), 0);
}

}  // namespace
