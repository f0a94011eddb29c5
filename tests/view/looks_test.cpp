// The "Tileset" and "&Background" menus: built-in choices, "Load from disk"
// with its remembered file, the tiling rule, the plain background, and
// failures that leave everything as it was.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "view/looks.h"
#include "view/raster.h"
#include "view/test_pictures.h"

namespace {

namespace fs = std::filesystem;
using view::BackgroundItem;
using view::TilesetItem;

struct FakeHost : view::LooksHost {
  std::deque<std::optional<std::string>> answers;  // dialog answers in order; empty = cancel
  std::vector<std::string> titles, filters, dirs, errors;
  int redraws = 0;
  std::optional<std::string> OpenPictureDialog(const std::string& title, const std::string& filter,
                                               const std::string& dir) override {
    titles.push_back(title);
    filters.push_back(filter);
    dirs.push_back(dir);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void RedrawUnlessIdle() override { ++redraws; }
};

// A tileset whose marker pixel (in the unused mask cell (8, 4)) tells it apart.
QImage Tileset(QRgb marker, int w = 369, int h = 567) {
  QImage t = testpics::MakeTestTileset(w, h);
  t.setPixel(w - 1, h - 1, marker);
  return t;
}

constexpr QRgb BlueMark = 0xFF0000FEu;
constexpr QRgb DarkMark = 0xFF010101u;
constexpr QRgb DiskMark = 0xFFABCDEFu;

class LooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("sorami_looks_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    fs::create_directories(root / "Tilesets");
    fs::create_directories(root / "Backgrounds");
    fs::create_directories(root / "Elsewhere");
    testpics::WriteBmp(Tileset(BlueMark), (root / "Tilesets/bluepai.bmp").string());
    testpics::WriteBmp(Tileset(DarkMark), (root / "Tilesets/darkpai.bmp").string());
    disk = testpics::WriteBmp(Tileset(DiskMark), (root / "Elsewhere/mine.bmp").string());
    looks.emplace(view, host, root.string() + "/");
  }
  void TearDown() override { fs::remove_all(root); }
  QRgb Mark() const { return view.TilesetImage.pixel(368, 566); }
  std::string Path(const std::string& rel) const { return (root / rel).string(); }

  fs::path root;
  std::string disk;
  view::BoardView view;
  FakeHost host;
  std::optional<view::Looks> looks;
};

TEST_F(LooksTest, BuiltInTilesetLoadsTicksAndRebuildsTheTexture) {
  looks->ChooseBlueTileset();
  EXPECT_TRUE(looks->Ticked(TilesetItem::Blue));
  EXPECT_FALSE(looks->Ticked(TilesetItem::FromFile));
  EXPECT_EQ(looks->TilesetCode(), 3);
  EXPECT_EQ(Mark(), BlueMark);
  EXPECT_EQ(view.TileTexture.pixel(8, 5), testpics::Ivory);
  EXPECT_EQ(host.redraws, 1);
  EXPECT_TRUE(host.titles.empty());
}

TEST_F(LooksTest, MissingBuiltInTilesetAsksForAFile) {
  host.answers.push_back(disk);
  looks->ChooseClassicTileset();  // pai.bmp is not there
  ASSERT_EQ(host.titles.size(), 1u);
  EXPECT_EQ(host.titles[0], "Please choose a Tileset bitmap file");
  EXPECT_EQ(host.filters[0], "Tileset files (*.bmp; *.jpg)|*.bmp;*.jpg");
  EXPECT_EQ(host.dirs[0], root.string() + "/Tilesets/");
  EXPECT_EQ(Mark(), DiskMark);
  EXPECT_TRUE(looks->Ticked(TilesetItem::FromFile));
  EXPECT_FALSE(looks->Ticked(TilesetItem::Classic));
  EXPECT_EQ(looks->LastTilesetFile, disk);
}

TEST_F(LooksTest, LoadFromDiskIsRememberedAcrossOtherChoices) {
  host.answers.push_back(disk);
  looks->ChooseTilesetFile();
  EXPECT_EQ(Mark(), DiskMark);
  looks->ChooseBlueTileset();
  EXPECT_EQ(Mark(), BlueMark);
  looks->ChooseTilesetFile();  // reloads the earlier file without a dialog
  EXPECT_EQ(host.titles.size(), 1u);
  EXPECT_EQ(Mark(), DiskMark);
  // While "Load from disk" is ticked, choosing it asks for a new file.
  host.answers.push_back(Path("Tilesets/darkpai.bmp"));
  looks->ChooseTilesetFile();
  EXPECT_EQ(host.titles.size(), 2u);
  EXPECT_EQ(Mark(), DarkMark);
  EXPECT_EQ(looks->LastTilesetFile, Path("Tilesets/darkpai.bmp"));
}

TEST_F(LooksTest, ADialogThatNamesAVanishedFileOpensAgain) {
  host.answers.push_back(Path("Elsewhere/gone.bmp"));
  host.answers.push_back(disk);
  looks->ChooseTilesetFile();
  EXPECT_EQ(host.titles.size(), 2u);
  EXPECT_EQ(Mark(), DiskMark);
}

TEST_F(LooksTest, CancellingWithNothingRememberedLeavesEverythingAsItWas) {
  looks->ChooseBlueTileset();
  const QImage texture = view.TileTexture;
  looks->ChooseTilesetFile();  // cancelled: no file remembered
  EXPECT_EQ(host.titles.size(), 1u);
  EXPECT_TRUE(looks->Ticked(TilesetItem::Blue));
  EXPECT_FALSE(looks->Ticked(TilesetItem::FromFile));
  EXPECT_EQ(Mark(), BlueMark);
  EXPECT_TRUE(view.TileTexture == texture);
  // Cancelling keeps a remembered file, which then loads.
  host.answers.push_back(disk);
  looks->ChooseTilesetFile();
  looks->ChooseTilesetFile();  // ticked: asks, cancelled, reloads the remembered file
  EXPECT_EQ(looks->LastTilesetFile, disk);
  EXPECT_EQ(Mark(), DiskMark);
}

TEST_F(LooksTest, BrokenOrTooSmallTilesetsAreRefusedWithTheirReason) {
  looks->ChooseBlueTileset();
  const QImage texture = view.TileTexture;
  std::ofstream(Path("Tilesets/darkpai.bmp"), std::ios::binary) << "BM not a picture";
  looks->ChooseDarkTileset();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "The picture file " + Path("Tilesets/darkpai.bmp") +
                                " cannot be used: bitmap image is not valid");
  EXPECT_TRUE(looks->Ticked(TilesetItem::Blue));
  EXPECT_FALSE(looks->Ticked(TilesetItem::Dark));
  EXPECT_EQ(Mark(), BlueMark);
  EXPECT_TRUE(view.TileTexture == texture);

  testpics::WriteBmp(Tileset(DarkMark, 300, 500), Path("Tilesets/darkpai.bmp"));
  looks->ChooseDarkTileset();
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_NE(host.errors[1].find("300 x 500"), std::string::npos) << host.errors[1];
  EXPECT_NE(host.errors[1].find("369 x 567"), std::string::npos) << host.errors[1];
  EXPECT_EQ(Mark(), BlueMark);
  EXPECT_EQ(host.redraws, 1);
}

TEST_F(LooksTest, SmallBackgroundsAreRepeatedFromTheCorner) {
  const QImage small = testpics::MakeGradient(100, 100);
  EXPECT_TRUE(looks->LoadBackgroundFile(testpics::WriteBmp(small, Path("Backgrounds/small.bmp"))));
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = 0; x < view::BoardWidth; ++x)
      ASSERT_EQ(view.BackgroundBuffer.pixel(x, y), small.pixel(x % 100, y % 100)) << x << "," << y;

  const QImage wide = testpics::MakeGradient(800, 300);
  EXPECT_TRUE(looks->LoadBackgroundFile(testpics::WriteBmp(wide, Path("Backgrounds/wide.bmp"))));
  for (int y = 0; y < view::BoardHeight; ++y)
    for (int x = 0; x < view::BoardWidth; ++x)
      ASSERT_EQ(view.BackgroundBuffer.pixel(x, y), wide.pixel(x, y % 300)) << x << "," << y;
}

TEST_F(LooksTest, BoardSizedOrLargerBackgroundsAreDrawnOnceUnscaled) {
  for (const QSize size : {QSize(704, 468), QSize(1000, 700)}) {
    const QImage pic = testpics::MakeGradient(size.width(), size.height());
    EXPECT_TRUE(looks->LoadBackgroundFile(testpics::WriteBmp(pic, Path("Backgrounds/big.bmp"))));
    EXPECT_TRUE(view.BackgroundBuffer == pic.copy(0, 0, 704, 468));
  }
}

TEST_F(LooksTest, NoneIsTealWithABlackBorder) {
  looks->ChooseNoBackground();
  EXPECT_TRUE(looks->Ticked(BackgroundItem::None));
  EXPECT_EQ(looks->BackgroundCode(), 2);
  const QImage& bg = view.BackgroundBuffer;
  for (int x = 0; x < 704; ++x) {
    EXPECT_EQ(bg.pixel(x, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bg.pixel(x, 467), qRgb(0, 0, 0));
  }
  for (int y = 0; y < 468; ++y) EXPECT_EQ(bg.pixel(0, y), qRgb(0, 0, 0));
  EXPECT_EQ(bg.pixel(1, 1), qRgb(0, 128, 128));
  EXPECT_EQ(bg.pixel(702, 466), qRgb(0, 128, 128));
  EXPECT_EQ(host.redraws, 1);
}

TEST_F(LooksTest, BackgroundsFromDiskAndBrokenBackgrounds) {
  const QImage pic = testpics::MakeGradient(704, 468);
  const std::string mine = testpics::WriteBmp(pic, Path("Elsewhere/bg.bmp"));
  looks->ChooseNoBackground();
  host.answers.push_back(mine);
  looks->ChooseBackgroundFile();
  EXPECT_EQ(host.titles.back(), "Please choose a Background bitmap file");
  EXPECT_EQ(host.filters.back(), "Background files (*.bmp; *.jpg)|*.bmp;*.jpg");
  EXPECT_EQ(host.dirs.back(), root.string() + "/Backgrounds/");
  EXPECT_TRUE(looks->Ticked(BackgroundItem::FromFile));
  EXPECT_EQ(looks->LastBackgroundFile, mine);
  EXPECT_TRUE(view.BackgroundBuffer == pic);

  // A JPEG named in upper case is read as a bitmap, and fails.
  std::ofstream(Path("Backgrounds/catpats.JPG"), std::ios::binary) << "\xFF\xD8\xFF\xE0 a JPEG start";
  EXPECT_FALSE(looks->LoadBackgroundFile(Path("Backgrounds/catpats.JPG")));
  EXPECT_EQ(host.errors.back(), "The picture file " + Path("Backgrounds/catpats.JPG") +
                                   " cannot be used: bitmap image is not valid");
  EXPECT_TRUE(view.BackgroundBuffer == pic);
  EXPECT_TRUE(looks->Ticked(BackgroundItem::FromFile));

  // A missing built-in background asks for a file; the remembered one is
  // forgotten first, so cancelling leaves the previous choice.
  const std::size_t asked = host.titles.size();
  looks->ChooseKanjiBackground();
  EXPECT_EQ(host.titles.size(), asked + 1);
  EXPECT_TRUE(looks->Ticked(BackgroundItem::FromFile));
  EXPECT_FALSE(looks->Ticked(BackgroundItem::Kanji));
  EXPECT_EQ(looks->LastBackgroundFile, mine);
  EXPECT_TRUE(view.BackgroundBuffer == pic);
}

TEST_F(LooksTest, SettingsCodesTickOneItemOrNone) {
  looks->SetTilesetCode(1);
  EXPECT_TRUE(looks->Ticked(TilesetItem::Classic));
  EXPECT_EQ(looks->TilesetCode(), 1);
  looks->SetTilesetCode(9);  // names no item
  EXPECT_FALSE(looks->Ticked(TilesetItem::Classic));
  EXPECT_EQ(looks->TilesetCode(), 4);
  looks->SetBackgroundCode(5);
  EXPECT_TRUE(looks->Ticked(BackgroundItem::Catpats));
  EXPECT_EQ(looks->BackgroundCode(), 5);
  looks->SetBackgroundCode(-1);
  EXPECT_EQ(looks->BackgroundCode(), 3);
}

TEST_F(LooksTest, StartUpAppliesTheTickedChoices) {
  // Nothing ticked: the plain background and "Dark borders".
  looks->SetTilesetCode(7);
  looks->SetBackgroundCode(7);
  looks->ActiveTilesetBackground();
  EXPECT_TRUE(looks->Ticked(BackgroundItem::None));
  EXPECT_TRUE(looks->Ticked(TilesetItem::Dark));
  EXPECT_EQ(Mark(), DarkMark);
  EXPECT_EQ(view.BackgroundBuffer.pixel(5, 5), qRgb(0, 128, 128));

  // "Load from disk" with a remembered file loads it without a dialog.
  const QImage pic = testpics::MakeGradient(704, 468);
  looks->LastBackgroundFile = testpics::WriteBmp(pic, Path("Elsewhere/bg.bmp"));
  looks->LastTilesetFile = disk;
  looks->SetTilesetCode(0);
  looks->SetBackgroundCode(3);
  looks->ActiveTilesetBackground();
  EXPECT_TRUE(host.titles.empty());
  EXPECT_EQ(Mark(), DiskMark);
  EXPECT_TRUE(view.BackgroundBuffer == pic);
  EXPECT_TRUE(looks->Ticked(TilesetItem::FromFile));
  EXPECT_TRUE(looks->Ticked(BackgroundItem::FromFile));
  EXPECT_TRUE(host.errors.empty());
}

}  // namespace
