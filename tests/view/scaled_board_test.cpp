// The board painter at a scale: at scale 1 every picture stays exactly what it
// was before the painter learned to scale (pinned by checksums of whole
// boards in every mode), and at other scales the tiles land in the
// rectangles the one geometry gives and the pictures keep their looks.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <string>

#include "board/board.h"
#include "board/dealing.h"
#include "board/geometry.h"
#include "board/layout_file.h"
#include "view/board_view.h"
#include "view/looks.h"
#include "view/picture_file.h"
#include "view/raster.h"

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

QImage Decode(const std::string& path) {
  QImage picture;
  std::string error;
  EXPECT_TRUE(view::DecodePicture(path, picture, error)) << error;
  return picture;
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
    view.TilesetImage = Decode(kData + "/Tilesets/bluepai.bmp");
    view.MakeTileTexture();
    view::Looks::TileBackground(view.BackgroundBuffer, Decode(kData + "/Backgrounds/kanji.bmp"));
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

}  // namespace
