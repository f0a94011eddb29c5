// The layouts folder: discovery, the default layout, selection and saving.
#include <gtest/gtest.h>

#include "board/layout_file.h"
#include "board/layout_list.h"
#include "temp_dir.h"
#include "test_layouts.h"

namespace board {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

using testing::Names;

TEST(Discovery, SortsLayNamesWithoutCaseThenShp) {
  TempDir dir;
  for (const char* n : {"beta.lay", "Alpha.lay", "gamma.LAY", "Traditional.lay", "ext.shp", "readme.txt", "noext"})
    dir.Write(n, "x");
  fs::create_directory(dir.path() / "folder.lay");
  const DiscoveryResult r = DiscoverLayouts(dir.path(), -1);
  EXPECT_EQ(Names(r.List), (std::vector<std::string>{"Alpha", "beta", "gamma", "Traditional", "ext.shp"}));
  EXPECT_EQ(r.BoardNumber, 4);  // Traditional, the default
  EXPECT_EQ(r.CurrentLayoutFile, dir.path() / "Traditional.lay");
  EXPECT_TRUE(r.List.Entry(5)->Shp);
  EXPECT_FALSE(r.TooMany);
  EXPECT_FALSE(r.NoLayouts);
  // An upper-case extension: the file itself is used.
  int three = 3;
  EXPECT_EQ(CurrentFileFor(r.List, dir.path(), three), dir.path() / "gamma.LAY");
  int five = 5;
  EXPECT_EQ(CurrentFileFor(r.List, dir.path(), five), dir.path() / "ext.shp");
}

TEST(Discovery, DefaultIsCaseSensitiveAndStoredNumbersAreClamped) {
  TempDir dir;
  for (const char* n : {"traditional.lay", "Zen.lay", "Moon.lay"}) dir.Write(n, "x");
  EXPECT_EQ(DiscoverLayouts(dir.path(), -1).BoardNumber, 1);  // first sorted name: Moon
  EXPECT_EQ(DiscoverLayouts(dir.path(), -1).CurrentLayoutFile, dir.path() / "Moon.lay");
  EXPECT_EQ(DiscoverLayouts(dir.path(), 2).BoardNumber, 2);
  EXPECT_EQ(DiscoverLayouts(dir.path(), 50).BoardNumber, 3);
  EXPECT_EQ(DiscoverLayouts(dir.path(), 50).CurrentLayoutFile, dir.path() / "Zen.lay");
  EXPECT_EQ(DiscoverLayouts(dir.path(), 0).BoardNumber, 1);
  EXPECT_EQ(DiscoverLayouts(dir.path(), -7).BoardNumber, 1);
  EXPECT_EQ(DiscoverLayouts(dir.path(), 101).BoardNumber, 3);
}

TEST(Discovery, MissingFileFallsBackToTheFirstLayout) {
  TempDir dir;
  for (const char* n : {"A.lay", "B.lay"}) dir.Write(n, "x");
  DiscoveryResult r = DiscoverLayouts(dir.path(), 2);
  fs::remove(dir.path() / "B.lay");
  int board = 2;
  EXPECT_EQ(CurrentFileFor(r.List, dir.path(), board), dir.path() / "A.lay");
  EXPECT_EQ(board, 1);
}

TEST(Discovery, EmptyOrMissingFolderAndTooManyFiles) {
  TempDir dir;
  EXPECT_TRUE(DiscoverLayouts(dir.path(), -1).NoLayouts);
  EXPECT_TRUE(DiscoverLayouts(dir.path() / "none", -1).NoLayouts);
  for (int i = 0; i < 100; ++i) dir.Write("L" + std::to_string(1000 + i) + ".lay", "x");
  dir.Write("extra.shp", "x");
  const DiscoveryResult r = DiscoverLayouts(dir.path(), 200);
  EXPECT_EQ(r.List.LayoutCount(), MaxLayouts);
  EXPECT_TRUE(r.TooMany);
  EXPECT_EQ(r.FilesFound, 101);
  EXPECT_EQ(r.List.LayoutName(99), "L1098");  // ".lay" names come first
  EXPECT_EQ(r.BoardNumber, 99);
}

TEST(Selection, BuildsThePathOfTheItem) {
  TempDir dir;
  for (const char* n : {"A.lay", "B.shp"}) dir.Write(n, "x");
  const DiscoveryResult r = DiscoverLayouts(dir.path(), -1);
  const Selection a = SelectLayout(r.List, dir.path(), 1);
  EXPECT_EQ(a.CurrentLayoutFile, dir.path() / "A.lay");
  EXPECT_EQ(a.BoardNumber, 1);
  EXPECT_FALSE(a.Shp);
  const Selection b = SelectLayout(r.List, dir.path(), 2);
  EXPECT_EQ(b.CurrentLayoutFile, dir.path() / "B.shp");
  EXPECT_TRUE(b.Shp);
  EXPECT_EQ(SelectLayout(r.List, dir.path(), 3).BoardNumber, 0);
}

TEST(SaveLayout, RegistersNewNamesAndFindsKnownOnes) {
  TempDir dir;
  dir.Write("Moon.lay", "x");
  DiscoveryResult r = DiscoverLayouts(dir.path(), -1);
  const LayoutGrid turtle = testing::Turtle();
  // ".lay" appended; section without blanks; the new item is last.
  const SaveResult s = SaveLayoutFile(r.List, dir.path() / "My Board", "Board name", turtle);
  EXPECT_EQ(s.File, dir.path() / "My Board.lay");
  EXPECT_TRUE(s.Registered);
  EXPECT_EQ(s.BoardNumber, 2);
  EXPECT_EQ(s.HallOfFameSection, "MyBoard");
  EXPECT_EQ(r.List.LayoutName(2), "My Board");
  LayoutGrid read;
  EXPECT_EQ(ReadLayFile(s.File, read).Name, "Board name");
  EXPECT_EQ(read, turtle);
  // Saving under a known name: found, nothing registered.
  const SaveResult again = SaveLayoutFile(r.List, dir.path() / "Moon.lay", "Moon", turtle);
  EXPECT_FALSE(again.Registered);
  EXPECT_EQ(again.BoardNumber, 1);
  EXPECT_EQ(r.List.LayoutCount(), 2);
  // A ".shp" path gets ".lay" after it.
  const SaveResult shp = SaveLayoutFile(r.List, dir.path() / "Ext.shp", "E", turtle);
  EXPECT_EQ(shp.File, dir.path() / "Ext.shp.lay");
  EXPECT_EQ(r.List.LayoutName(3), "Ext.shp");
  // The last equal entry wins.
  r.List.Entries.push_back(r.List.Entries[0]);
  EXPECT_EQ(SaveLayoutFile(r.List, dir.path() / "Moon.lay", "Moon", turtle).BoardNumber, 4);
}

TEST(SaveLayout, FailureAndAFullList) {
  TempDir dir;
  LayoutList list;
  EXPECT_THROW(SaveLayoutFile(list, dir.path() / "no" / "X", "X", testing::Turtle()), LayoutFileError);
  EXPECT_EQ(list.LayoutCount(), 0);
  for (int i = 0; i < MaxLayouts; ++i) list.Entries.push_back({"L" + std::to_string(i), {}, false});
  const SaveResult s = SaveLayoutFile(list, dir.path() / "New", "New", testing::Turtle());
  EXPECT_TRUE(s.ListFull);
  EXPECT_FALSE(s.Registered);
  EXPECT_TRUE(fs::exists(dir.path() / "New.lay"));
  EXPECT_EQ(list.LayoutCount(), MaxLayouts);
}

TEST(LayoutNames, ExtensionsAndSections) {
  EXPECT_TRUE(base::HasExtensionNoCase("a.LaY", ".lay"));
  EXPECT_FALSE(base::HasExtensionNoCase("a.layx", ".lay"));
  EXPECT_FALSE(base::HasExtensionNoCase("ay", ".lay"));
  EXPECT_EQ(HallOfFameSectionOf(" A b  c "), "Abc");
}

}  // namespace
}  // namespace board
