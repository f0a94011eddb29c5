// The board painter at a scale: at scale 1 every picture stays exactly what it
// was before the painter learned to scale (pinned by checksums of whole
// boards in every mode), and at other scales the tiles land in the
// rectangles the one geometry gives and the pictures keep their looks.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "board/board.h"
#include "board/dealing.h"
#include "board/geometry.h"
#include "board/layout_file.h"
#include "view/board_view.h"
#include "view/looks.h"
#include "view/raster.h"
#include "view/shadow_pieces.h"
#include "view/test_pictures.h"
#include "view/tile_art.h"
#include "view/tool_run.h"

namespace {

using view::BoardView;
using view::Scene;

const std::string kData = SORAMI_DATA_DIR;

// SHA-256 of the picture's RGB bytes, row after row without padding (what
// `convert PICTURE -depth 8 rgb:- | sha256sum` prints).
std::string PixelHash(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (int y = 0; y < rgb.height(); ++y)
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3));
  return hash.result().toHex().toStdString();
}

// A dealt Traditional board painted with a shipped tileset and background.
class ShippedBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    board::LayoutGrid layout;
    ASSERT_TRUE(board::ReadLayFile(kData + "/Layouts/Traditional.lay", layout).HeaderOk);
    board::Generator generator;
    board::DealRequest request;
    request.Seed = board::SeedChoice::Exact(2718);
    board::Deal(state, layout, generator, request);
    view.TilesetImage = testpics::DecodeShipped(kData + "/Tilesets/bluepai.bmp");
    view.MakeTileTexture();
    view.SetBackgroundPicture(testpics::DecodeShipped(kData + "/Backgrounds/kanji.bmp"));
    scene.Board = &state.Board;
    scene.TilePlaces = &state.TilePlaces;
  }
  // The k-th tile on the board, counting by tile number.
  int SomeTile(int k) const {
    int n = 0;
    for (int t = 1; t <= board::MaxTiles; ++t)
      if (state.TilePlaces[t].OnBoard() && ++n == k) return t;
    return 0;
  }
  int TopTile() const {
    int top = 0;
    for (int t = 1; t <= board::MaxTiles; ++t)
      if (state.TilePlaces[t].OnBoard() && (top == 0 || state.TilePlaces[t].z > state.TilePlaces[top].z)) top = t;
    return top;
  }
  std::string Hash() {
    view.FullRedraw(scene);
    return PixelHash(view.BoardBuffer);
  }

  board::BoardState state;
  BoardView view;
  Scene scene;
};

// Checksums of the pictures painted before the painter learned to scale.
TEST_F(ShippedBoard, AtScaleOneEveryModePaintsThePicturesItAlwaysHas) {
  EXPECT_EQ(Hash(), "3fd6ba9eb0da0524a6d22c87bdaba340899a66b73d7cb5f25c00cf6dcc8d8d13") << "plain, shadows";
  scene.Shadows = false;
  scene.OriginX = board::Geometry::NarrowOrigin.OriginX;
  scene.OriginY = board::Geometry::NarrowOrigin.OriginY;
  EXPECT_EQ(Hash(), "b1133c83a6a31c07cf356b30b812cf330113cf470e80187d586c9a2e6f2b36a7") << "narrow origin, no shadows";
  scene = Scene{};
  scene.Board = &state.Board;
  scene.TilePlaces = &state.TilePlaces;
  scene.SelectedTile1 = SomeTile(40);
  scene.HintTile1 = SomeTile(70);
  scene.HintTile2 = SomeTile(100);
  scene.HoverTile = SomeTile(120);
  scene.HighlightMode = 1;
  EXPECT_EQ(Hash(), "692d458d50bce263465bc75af838366f1085f682d8c32127b8b5b17a9b6d1d01") << "selected, hints, red outline";
  scene.HighlightMode = 2;
  scene.HoverTile = SomeTile(130);
  EXPECT_EQ(Hash(), "73f9570ac1efd00dc38500495e64d6f123f10525bab8d6bf0e59bf0b6d700bb8") << "coloured hover";
  scene.Invert = true;
  EXPECT_EQ(Hash(), "07f6f8560533c866a24a224c602532fc6290f22328a39e0f87aabc728bd786b8") << "inverted marks";
  scene.Invert = false;
  scene.MemoryMode = true;
  scene.HighlightMode = 4;
  EXPECT_EQ(Hash(), "4860fbe2b924d78a11a988ceaf48a9185f903ece64f7dc3343df755a6cc6aef0") << "Memory";
  scene.MemoryMode = false;
  scene.EditorMode = true;
  scene.EditorCursor = {10, 6, 1};
  EXPECT_EQ(Hash(), "0a83d0e5ce0beb3d5055cead5a76a701c92e8a5f1b34afae780aea5183ce397c") << "editor with its cursor";
  scene.EditorMode = false;
  scene.EditorCursor = {-1, -1, -1};
  scene.RiverSlideActive = true;
  EXPECT_EQ(Hash(), "3fd6ba9eb0da0524a6d22c87bdaba340899a66b73d7cb5f25c00cf6dcc8d8d13") << "Rivers slide";
}

TEST_F(ShippedBoard, AtScaleOneAPartialRedrawPaintsWhatItAlwaysHas) {
  view.FullRedraw(scene);
  const int t = SomeTile(60);
  const board::Cell c = state.TilePlaces[t];
  state.Board.Set(c.x, c.y, c.z, 0);
  const board::PixelRect shown = view.RedrawTile(scene, t);
  EXPECT_EQ(shown, board::Geometry().TilePicture(c));
  EXPECT_EQ(PixelHash(view.BoardBuffer), "4d76f316260032f09c9fd66baf2cce9c5184e54ba31e2eac7ba84de350f2fdb3");
  // A selected tile on the top layer, and its neighbourhood.
  scene.SelectedTile1 = TopTile();
  const board::PixelRect near = board::Geometry().TilePicture(state.TilePlaces[scene.SelectedTile1]);
  const board::PixelRect area{near.left - 30, near.top - 20, near.right + 25, near.bottom + 40};
  EXPECT_EQ(view.RedrawArea(scene, area), area);
  EXPECT_EQ(PixelHash(view.BoardBuffer), "62f1bed12dd566babc9b479f7e3e30fa873c1df517e1258b237d29ed7544f3d8");
}

// Visible face pixels of every tile at a scale, found by inverting one face
// at a time: each must lie in the face rectangle the geometry gives at that
// scale, and a click there picks that tile, except where the rectangle rule
// gives another tile at scale 1 too (a higher tile's cut corner, the short
// bottom edge of a neighbour): those overlaps are the same at every scale.
class HitAtScale : public ShippedBoard, public ::testing::WithParamInterface<board::Scale> {};

TEST_P(HitAtScale, EveryVisibleTileIsPickedWhereItIsDrawn) {
  const board::Scale scale = GetParam();
  view.SetScale(scale);
  scene.Shadows = false;
  const board::Geometry at = view.GeometryOf(scene);
  const board::Geometry unit(scene.Origin());
  view.FullRedraw(scene);
  const QImage plain = view.BoardBuffer.copy();
  int samples = 0, exact = 0, tiles = 0;
  for (int t = 1; t <= board::MaxTiles; ++t) {
    const board::Cell c = state.TilePlaces[t];
    if (!c.OnBoard()) continue;
    scene.Invert = true;
    scene.SelectedTile1 = t;
    const board::PixelRect shown = view.RedrawTile(scene, t);
    const board::PixelRect face = at.TileFace(c);
    std::vector<board::PixelPoint> visible;
    for (int y = shown.top; y < shown.bottom; ++y)
      for (int x = shown.left; x < shown.right; ++x)
        if (view.BoardBuffer.pixel(x, y) != plain.pixel(x, y)) {
          ASSERT_TRUE(face.Contains(x, y)) << "tile " << t << " drawn at " << x << "," << y;
          visible.push_back({x, y});
        }
    scene.SelectedTile1 = 0;
    view.RedrawTile(scene, t);
    if (visible.empty()) continue;
    ++tiles;
    const std::size_t step = std::max<std::size_t>(1, visible.size() / 40);
    int hits = 0;
    for (std::size_t i = 0; i < visible.size(); i += step) {
      const board::PixelPoint q = visible[i];
      const int picked = at.TileAt(state.Board, q.x, q.y);
      ++samples;
      if (picked == t) {
        ++exact;
        ++hits;
        continue;
      }
      const int x1 = at.Unscaled(q.x), y1 = at.Unscaled(q.y);
      ASSERT_NE(unit.TileAt(state.Board, x1, y1), t) << "tile " << t << " at " << q.x << "," << q.y;
      ASSERT_EQ(picked, unit.TileAt(state.Board, x1, y1));
    }
    // A pixel or two of a face may peek past the cut corner of a covering
    // tile at a fractional scale, where the corner's slant is rounded: such a
    // peek belongs to the covering tile's rectangle, as at scale 1.
    if (visible.size() > 2) {
      EXPECT_GT(hits, 0) << "tile " << t;
    }
  }
  EXPECT_GT(tiles, 60);
  EXPECT_GT(exact, samples * 95 / 100);
}

INSTANTIATE_TEST_SUITE_P(Scales, HitAtScale,
                         ::testing::Values(board::Scale{1, 1}, board::Scale{5, 4}, board::Scale{3, 2},
                                           board::Scale{2, 1}, board::Scale{3, 1}, board::Scale{37, 16}),
                         [](const auto& info) {
                           return std::to_string(info.param.Numerator) + "_" + std::to_string(info.param.Denominator);
                         });

// The layout editor's place cursor and pointer at a scale: every pixel asks
// the scale-1 test at the scale-1 pixel it shows.
TEST(PlaceAtScale, ThePlaceToAddIsTheOneUnderTheScaledPixel) {
  board::LayoutGrid layout;
  ASSERT_TRUE(board::ReadLayFile(kData + "/Layouts/Traditional.lay", layout).HeaderOk);
  board::BoardState state;
  board::Generator generator;
  board::Deal(state, layout, generator, board::DealRequest{});
  for (const board::Scale s : {board::Scale{3, 2}, board::Scale{2, 1}, board::Scale{3, 1}}) {
    const board::Geometry at(board::Geometry::WideOrigin, s);
    for (int y = 0; y < at.Height(); y += 7)
      for (int x = 0; x < at.Width(); x += 5) {
        const board::Cell got = at.PlaceToAddAt(state.Board, x, y);
        const board::Cell want = board::CellToAddAt(state.Board, at.Unscaled(x) - 36, at.Unscaled(y) - 25);
        ASSERT_EQ(got, want) << x << "," << y;
        if (got.z != 0) {
          ASSERT_TRUE(at.Scaled(board::Geometry::WideOrigin.OriginX + board::Geometry::UnitAddBox(got.x, got.y, got.z).left) <= x);
        }
      }
  }
}

// A few tiles placed by hand on the plain background, painted with the
// tests' own tileset at a scale.
struct HandBoard {
  explicit HandBoard(board::Scale s) {
    testpics::EnsureGuiApp();
    view.SetScale(s);
    view.TilesetImage = testpics::MakeTestTileset();
    view.MakeTileTexture();
    view.SetPlainBackground();
    scene.Board = &grid;
    scene.TilePlaces = &places;
  }
  void Put(int tile, board::Cell c) {
    grid.Set(c.x, c.y, c.z, tile);
    places[tile] = c;
  }
  BoardView view;
  board::Grid grid;
  board::TilePlaceTable places{};
  Scene scene;
};

// One lone tile on the plain background at a scale: its picture fills exactly
// the geometry's rectangle, which at a whole or half scale is the scale-1
// rectangle times the scale.
TEST(BoardAtScale, ALoneTileFillsItsScaledRectangleAndTheBoardItsScaledSize) {
  for (const board::Scale s : {board::Scale{3, 2}, board::Scale{2, 1}, board::Scale{3, 1}, board::Scale{7, 4}}) {
    HandBoard hand(s);
    hand.Put(5, {12, 6, 2});
    BoardView& view = hand.view;
    const Scene& scene = hand.scene;
    view.FullRedraw(scene);
    const board::Geometry at(scene.Origin(), s);
    ASSERT_EQ(view.BoardBuffer.size(), QSize(at.Width(), at.Height()));
    const board::PixelRect unit = board::Geometry(scene.Origin()).TilePicture({12, 6, 2});
    const board::PixelRect want = at.TilePicture({12, 6, 2});
    if (s.Denominator <= 2) {
      EXPECT_EQ(want, (board::PixelRect{unit.left * s.Numerator / s.Denominator, unit.top * s.Numerator / s.Denominator,
                                        unit.right * s.Numerator / s.Denominator,
                                        unit.bottom * s.Numerator / s.Denominator}));
    }
    board::PixelRect drawn{at.Width(), at.Height(), 0, 0};
    const QRgb teal = qRgb(0, 128, 128);
    for (int y = 0; y < at.Height(); ++y)
      for (int x = 0; x < at.Width(); ++x) {
        const bool border = x < at.Scaled(1) || y < at.Scaled(1) || x >= at.Scaled(703) || y >= at.Scaled(467);
        const QRgb background = border ? qRgb(0, 0, 0) : teal;
        if (view.BoardBuffer.pixel(x, y) == background) continue;
        drawn = {std::min(drawn.left, x), std::min(drawn.top, y), std::max(drawn.right, x + 1),
                 std::max(drawn.bottom, y + 1)};
      }
    EXPECT_EQ(drawn, want) << s.Numerator << "/" << s.Denominator;
  }
}

// The keyboard cursor at scales 2 and 5/2: the frame covers the face's
// outer three scale-1 pixels at their scaled places, over the tile that
// half hides its tile.
TEST(BoardAtScale, TheKeyboardCursorIsFramedAtTheScaledFace) {
  for (const board::Scale s : {board::Scale{2, 1}, board::Scale{5, 2}}) {
    HandBoard hand(s);
    hand.Put(1, {10, 5, 1});
    hand.Put(2, {11, 5, 2});
    BoardView& view = hand.view;
    Scene& scene = hand.scene;
    scene.Shadows = false;
    scene.CursorTile = 1;
    view.FullRedraw(scene);
    const board::Geometry at({scene.OriginX, scene.OriginY}, s);
    const board::PixelRect face = at.TileFace({10, 5, 1});
    const int inner = at.Scaled(scene.OriginX + board::Geometry::UnitFaceLeft(10, 1) + 3) - face.left;
    const int middle = (face.top + face.bottom) / 2;
    const QRgb green = qRgb(0, 128, 0);
    for (int k = 0; k < inner; ++k) {
      EXPECT_EQ(view.BoardBuffer.pixel(face.left + k, middle), green) << k;
      EXPECT_EQ(view.BoardBuffer.pixel(face.right - 1 - k, middle), green) << "over the tile above, " << k;
    }
    EXPECT_NE(view.BoardBuffer.pixel(face.left + inner, middle), green);
  }
}

// Shadows at scale 2: the half dither band below a higher tile covers the
// scaled band with single-pixel dots, not doubled ones.
TEST(BoardAtScale, ShadowsKeepAFineDitherAtTheScaledPlace) {
  HandBoard hand({2, 1});
  hand.Put(1, {10, 5, 1});
  hand.Put(2, {10, 3, 2});
  BoardView& view = hand.view;
  Scene& scene = hand.scene;
  scene.Shadows = false;
  view.FullRedraw(scene);
  const QImage plain = view.BoardBuffer.copy();
  scene.Shadows = true;
  view.FullRedraw(scene);
  const int a = 2 * view::FaceLeft(10, 1, scene.OriginX), b = 2 * view::FaceTop(5, 1, scene.OriginY);
  int grey = 0;
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 80; ++i) {
      // A diagonal start over the first 20 pixels, then the band; the dots
      // fall where the scale-1 dots' checkerboard falls.
      const bool set = ((a + i + b + j) & 1) == ((a / 2 + b / 2) & 1) && (i >= 20 || i >= j);
      ASSERT_EQ(view.BoardBuffer.pixel(a + i, b + j), set ? view::ShadowGrey : plain.pixel(a + i, b + j)) << i << "," << j;
      grey += set;
    }
  EXPECT_EQ(grey, 10 * 60 + 100);
  for (int y = 0; y < view.BoardBuffer.height(); ++y)
    for (int x = 0; x < view.BoardBuffer.width(); ++x)
      if (x < a || x >= a + 80 || y < b || y >= b + 20) {
        ASSERT_EQ(view.BoardBuffer.pixel(x, y), plain.pixel(x, y));
      }
}

// The art: at scale 1 it is TileTexture; at 2 and 3 it comes untouched from
// the shipped copies drawn at that size; at other scales from the nearest
// larger copy; a copy that is too small is passed over.
TEST_F(ShippedBoard, TheArtComesFromTheCopyDrawnAtTheScale) {
  EXPECT_TRUE(view.Art().Tiles == view.TileTexture);
  const std::string classic = kData + "/Tilesets/bluepai.bmp";
  const std::vector<view::TilesetCopy> copies = view::FindTilesetCopies(classic);
  ASSERT_EQ(copies, (std::vector<view::TilesetCopy>{{2, kData + "/Tilesets/bluepai@2x.png"},
                                                     {3, kData + "/Tilesets/bluepai@3x.png"}}));
  view.TilesetCopies = copies;
  for (int k : {2, 3}) {
    view.SetScale({k, 1});
    const view::TileArt drawn = view::ComposeTileArt(view::ReadTilesetCopy(copies[k - 2]), k);
    EXPECT_TRUE(view.Art().Tiles == drawn.Tiles) << k;
    EXPECT_TRUE(view.Art().FaceMasks == drawn.FaceMasks) << k;
    EXPECT_EQ(view.Art().CellWidth, 46 * k);
  }
  view.SetScale({5, 2});
  const view::TileArt fromThree =
      view::ResampleTileArt(view::ComposeTileArt(view::ReadTilesetCopy(copies[1]), 3), {5, 2});
  EXPECT_TRUE(view.Art().Tiles == fromThree.Tiles);
  EXPECT_EQ(view.Art().CellWidth, 115);
  // Back at scale 1 the pictures are the ones of old again.
  view.SetScale({1, 1});
  EXPECT_TRUE(view.Art().Tiles == view.TileTexture);
  EXPECT_EQ(Hash(), "3fd6ba9eb0da0524a6d22c87bdaba340899a66b73d7cb5f25c00cf6dcc8d8d13");
}

TEST(TilesetCopies, AMissingOrTooSmallCopyIsPassedOver) {
  testpics::EnsureGuiApp();
  const std::string dir = ::testing::TempDir();
  const std::string classic = dir + "/own.bmp";
  testpics::WriteBmp(testpics::MakeTestTileset(), classic);
  EXPECT_TRUE(view::FindTilesetCopies(classic).empty());
  const std::string small = view::TilesetCopyFile(classic, 2);
  EXPECT_EQ(small, dir + "/own@2x.png");
  ASSERT_TRUE(testpics::MakeTestTileset().save(QString::fromStdString(small), "png"));
  const std::vector<view::TilesetCopy> found = view::FindTilesetCopies(classic);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_TRUE(view::ReadTilesetCopy(found[0]).isNull());
  // The board still draws at scale 2, from the classic picture.
  BoardView view;
  view.TilesetImage = testpics::MakeTestTileset();
  view.TilesetCopies = found;
  view.SetScale({2, 1});
  view.MakeTileTexture();
  EXPECT_EQ(view.Art().CellWidth, 92);
  EXPECT_EQ(view.Art().Tiles.pixel(6 * 2 + 2, 2 + 0), testpics::Ivory);
  std::remove(small.c_str());
  std::remove(classic.c_str());
}

// A background picture smaller than the board is repeated where its scale-1
// copies lie; the plain one keeps a border of one scale-1 pixel.
TEST(BoardAtScale, BackgroundsAreScaledSmoothlyAndRepeatedInPlace) {
  testpics::EnsureGuiApp();
  BoardView view;
  view.SetScale({2, 1});
  QImage small = view::MakePicture(100, 100, qRgb(200, 10, 10));
  view.SetBackgroundPicture(small);
  ASSERT_EQ(view.ShowBackground().size(), QSize(1408, 936));
  EXPECT_EQ(view.ShowBackground().pixel(0, 0), qRgb(200, 10, 10));
  EXPECT_EQ(view.ShowBackground().pixel(1407, 935), qRgb(200, 10, 10));
  view.SetPlainBackground();
  EXPECT_EQ(view.ShowBackground().pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(view.ShowBackground().pixel(2, 2), qRgb(0, 128, 128));
  EXPECT_EQ(view.ShowBackground().pixel(1405, 933), qRgb(0, 128, 128));
  EXPECT_EQ(view.ShowBackground().pixel(1406, 933), qRgb(0, 0, 0));
  // Scale 1 again gives the picture the way it always was.
  view.SetBackgroundPicture(testpics::MakeGradient(300, 200));
  view.SetScale({1, 1});
  QImage want = view::MakePicture(704, 468);
  view::Looks::TileBackground(want, testpics::MakeGradient(300, 200));
  EXPECT_TRUE(view.BackgroundBuffer == want);
}

// sorami-tool render --scale: the picture is the board's size times the
// scale, and a scale it cannot draw is refused with a message.
class RenderAtScale : public tool_testing::ToolsTest {};

TEST_F(RenderAtScale, ThePictureIsTheBoardTimesTheScale) {
  using tool_testing::Quoted;
  using tool_testing::Tool;
  const std::string out = (dir / "board.png").string();
  for (const auto& [text, w, h] : {std::tuple{"1.5", 1056, 702}, std::tuple{"2", 1408, 936}, std::tuple{"3", 2112, 1404}}) {
    const tool_testing::ToolRun r = Tool(std::string("render Traditional --seed 4 --scale ") + text + " --out " + Quoted(out));
    ASSERT_EQ(r.status, 0) << r.output;
    const QImage picture(QString::fromStdString(out));
    EXPECT_EQ(picture.size(), QSize(w, h)) << text;
  }
  // At scale 1 the picture is the one the painter has always made.
  ASSERT_EQ(Tool("render Traditional --seed 12345 --tileset " + Quoted(kData + "/Tilesets/pai.bmp") +
                 " --background " + Quoted(kData + "/Backgrounds/kanji.bmp") + " --scale 1 --out " + Quoted(out))
                .status,
            0);
  EXPECT_EQ(PixelHash(QImage(QString::fromStdString(out))),
            "0a22fbb43c29bb63fd5d3aa1a72aeb01448dbbdd3ea2ed5f1daf44a96c4f565b");
  for (const char* bad : {"0.5", "9", "1.255", "two", "1.", "-2"}) {
    const tool_testing::ToolRun r = Tool(std::string("render Traditional --seed 4 --scale ") + bad + " --out " + Quoted(out));
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.output.find("--scale wants a number from 1 to 8 with at most two decimals"), std::string::npos)
        << r.output;
  }
}

}  // namespace
