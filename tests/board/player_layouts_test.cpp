// The player's own layouts folder beside the shipped one (an installed copy),
// and the core's text templates.
#include <gtest/gtest.h>

#include "board/layout_file.h"
#include "board/layout_list.h"
#include "base/texts.h"
#include "temp_dir.h"
#include "test_layouts.h"

namespace board {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

using testing::Names;

TEST(PlayerLayouts, FollowTheShippedOnesAndReplaceAShippedOneOfTheirName) {
  TempDir shipped;
  TempDir own;
  for (const char* n : {"Traditional.lay", "Cross.lay", "Old.shp"}) shipped.Write(n, "x");
  for (const char* n : {"mine.lay", "Alpha.lay", "Traditional.lay", "Ext.shp"}) own.Write(n, "x");
  const DiscoveryResult r = DiscoverLayouts(shipped.path(), -1, own.path());
  EXPECT_EQ(Names(r.List),
            (std::vector<std::string>{"Cross", "Traditional", "Old.shp", "Alpha", "mine", "Ext.shp"}));
  // The default is still found among the shipped names, and plays the
  // player's edited copy.
  EXPECT_EQ(r.BoardNumber, 2);
  EXPECT_EQ(r.CurrentLayoutFile, own.path() / "Traditional.lay");
  EXPECT_EQ(SelectLayout(r.List, shipped.path(), 2).CurrentLayoutFile, own.path() / "Traditional.lay");
  EXPECT_EQ(SelectLayout(r.List, shipped.path(), 5).CurrentLayoutFile, own.path() / "mine.lay");
  EXPECT_EQ(SelectLayout(r.List, shipped.path(), 1).CurrentLayoutFile, shipped.path() / "Cross.lay");
  // A stored number past the shipped layouts keeps pointing at the player's.
  EXPECT_EQ(DiscoverLayouts(shipped.path(), 6, own.path()).CurrentLayoutFile, own.path() / "Ext.shp");
}

TEST(PlayerLayouts, CountTowardsTheMenuLimitAndAMissingFolderIsNone) {
  TempDir shipped;
  TempDir own;
  for (int i = 0; i < MaxLayouts - 1; ++i) shipped.Write("S" + std::to_string(100 + i) + ".lay", "x");
  for (const char* n : {"A.lay", "B.lay"}) own.Write(n, "x");
  const DiscoveryResult r = DiscoverLayouts(shipped.path(), -1, own.path());
  EXPECT_EQ(r.List.LayoutCount(), MaxLayouts);
  EXPECT_TRUE(r.TooMany);
  EXPECT_EQ(r.FilesFound, MaxLayouts + 1);
  EXPECT_EQ(r.List.LayoutName(MaxLayouts), "A");

  const DiscoveryResult none = DiscoverLayouts(shipped.path(), -1, (own.path() / "gone").string());
  EXPECT_EQ(none.List.LayoutCount(), MaxLayouts - 1);
  EXPECT_FALSE(none.TooMany);
}

TEST(PlayerLayouts, SavingAShippedNameElsewhereMakesTheEntryThatFile) {
  TempDir shipped;
  TempDir own;
  shipped.Write("Moon.lay", "x");
  DiscoveryResult r = DiscoverLayouts(shipped.path(), -1, own.path());
  const SaveResult s = SaveLayoutFile(r.List, own.path() / "Moon.lay", "Moon", testing::Turtle());
  EXPECT_FALSE(s.Registered);
  EXPECT_EQ(s.BoardNumber, 1);
  EXPECT_EQ(SelectLayout(r.List, shipped.path(), 1).CurrentLayoutFile, own.path() / "Moon.lay");
  int number = 1;
  EXPECT_EQ(CurrentFileFor(r.List, shipped.path(), number), own.path() / "Moon.lay");
  // The next start finds it the same way.
  EXPECT_EQ(DiscoverLayouts(shipped.path(), 1, own.path()).CurrentLayoutFile, own.path() / "Moon.lay");
}

TEST(Texts, FormatFillsNumberedPlacesOnceAndTranslateUsesTheInstalledTranslator) {
  EXPECT_EQ(base::Format("Layout %1 selected.", {"CROSS"}), "Layout CROSS selected.");
  EXPECT_EQ(base::Format("%2 before %1", {"a", "b"}), "b before a");
  // A value that holds a place marker stays as it is; a place with no value
  // and a lone percent sign stay as written.
  EXPECT_EQ(base::Format("%1 and %2", {"100%2", "x"}), "100%2 and x");
  EXPECT_EQ(base::Format("%1 of %3, 50%", {"one"}), "one of %3, 50%");

  EXPECT_EQ(base::Translate("Engine", "New game started."), "New game started.");
  base::SetTranslator([](const char* context, const char* english) {
    return std::string(context) + ":" + english;
  });
  EXPECT_EQ(base::Translate("Engine", "Game restarted."), "Engine:Game restarted.");
  // The core's own messages pass through it.
  TempDir dir;
  try {
    LayoutGrid grid;
    ReadLayFile((dir.path() / "none.lay").string(), grid);
    ADD_FAILURE() << "a missing file was read";
  } catch (const LayoutFileError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("LayoutFile:Cannot open layout file", 0), 0u) << error.what();
  }
  base::SetTranslator(nullptr);
  EXPECT_EQ(base::Translate("Engine", "Game restarted."), "Game restarted.");
}

}  // namespace
}  // namespace board
