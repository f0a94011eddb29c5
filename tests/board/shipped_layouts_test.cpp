// The layouts shipped in data/Layouts: each is sound and every winnable deal
// of it can be cleared in its removal order.
#include <gtest/gtest.h>

#include <filesystem>

#include "board/layout_check.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "test_layouts.h"

namespace board {
namespace {

namespace fs = std::filesystem;
const fs::path Shipped = fs::path(SORAMI_DATA_DIR) / "Layouts";

TEST(ShippedLayouts, TraditionalIsTheClassicTurtleAndTheDefault) {
  LayoutGrid l;
  const LayReadResult r = ReadLayFile(Shipped / "Traditional.lay", l);
  EXPECT_TRUE(r.HeaderOk);
  EXPECT_EQ(r.Name, "Traditional");
  EXPECT_EQ(l, testing::Turtle());
  const DiscoveryResult d = DiscoverLayouts(Shipped, -1);
  EXPECT_EQ(d.List.LayoutName(d.BoardNumber), "Traditional");
  EXPECT_EQ(d.CurrentLayoutFile, Shipped / "Traditional.lay");
  EXPECT_FALSE(d.TooMany);
}

TEST(ShippedLayouts, EveryLayoutPassesTheChecksFor1000Deals) {
  int lay = 0, shp = 0;
  for (const auto& entry : fs::directory_iterator(Shipped)) {
    const std::string name = entry.path().filename().string();
    LayoutGrid l;
    if (base::HasExtensionNoCase(name, ".shp")) {
      ReadShpFile(entry.path(), l);
      ++shp;
    } else {
      ASSERT_TRUE(ReadLayFile(entry.path(), l).HeaderOk) << name;
      ++lay;
    }
    const LayoutCheck c = CheckLayout(l, 1000);
    EXPECT_EQ(c.Places, 144) << name;
    EXPECT_TRUE(c.Overlapping.empty()) << name;
    EXPECT_TRUE(c.Floating.empty()) << name;
    EXPECT_EQ(c.DealsFinished, 1000) << name << " first failing seed " << c.FirstFailedSeed;
  }
  EXPECT_GE(lay, 12);
  EXPECT_GE(shp, 1);
}

}  // namespace
}  // namespace board
