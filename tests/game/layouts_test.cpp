// The layout commands: discovery at start-up, selecting a layout, and the
// messages of a damaged or missing file.
#include <string>

#include "board/layout_file.h"
#include "board/temp_dir.h"
#include "game/engine_fixture.h"

namespace game::testing {
namespace {

class LayoutsTest : public EngineTest {
 protected:
  board::testing::TempDir dir;

  LayoutsTest() {
    engine.MutableLayouts().Entries.clear();
    engine.SetProgramDir(dir.path());
    std::filesystem::create_directories(dir.path() / "Layouts");
  }
  void WriteLay(const std::string& file, const std::string& name, const board::LayoutGrid& layout) {
    dir.Write("Layouts/" + file, board::FormatLay(name, layout));
  }
};

TEST_F(LayoutsTest, StartupLoadsTheLayoutWithoutAGame) {
  board::LayoutGrid small;
  board::testing::Block(small, 4, 4, 1, 4, 2);
  WriteLay("Traditional.lay", "Traditional", board::testing::Turtle());
  WriteLay("My Board.lay", "My own board", small);
  ASSERT_TRUE(engine.DiscoverLayouts(-1));
  EXPECT_EQ(engine.LayoutCount(), 2);
  EXPECT_EQ(engine.LayoutNames(), (std::vector<std::string>{"My Board", "Traditional"}));
  EXPECT_EQ(engine.Game().BoardNumber, 2);
  engine.LoadLayoutAtStartup();
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Idle);
  EXPECT_EQ(engine.StatusMessage(), StartupCreditText);
  EXPECT_EQ(engine.Game().LayoutName, "Traditional");
  EXPECT_EQ(engine.Game().Layout, board::testing::Turtle());

  engine.Hall().EnterHallOfFame(1, 100, 0, "Ann");
  engine.ChooseLayout(1);
  EXPECT_EQ(engine.Game().BoardNumber, 1);
  EXPECT_EQ(engine.StatusMessage(), "Layout MY OWN BOARD selected.");
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 8);
  EXPECT_EQ(engine.Hall().RankReached(), 0);
}

TEST_F(LayoutsTest, AMissingOrDamagedFileIsReportedAndStartsNoGame) {
  WriteLay("Traditional.lay", "Traditional", board::testing::Turtle());
  ASSERT_TRUE(engine.DiscoverLayouts(1));
  engine.LoadLayoutAtStartup();
  std::filesystem::remove(dir.path() / "Layouts" / "Traditional.lay");
  engine.ChooseLayout(1);
  ASSERT_EQ(screen.Told.size(), 1u);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Idle);
  EXPECT_EQ(engine.Game().Layout, board::testing::Turtle());  // unchanged

  dir.Write("Layouts/Traditional.lay", "Sorami 3.0\r\nBroken\r\n01x1\r\n");
  engine.ChooseLayout(1);
  EXPECT_EQ(screen.Told.size(), 2u);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Idle);
  EXPECT_EQ(engine.Game().Layout, board::testing::Turtle());
}

TEST_F(LayoutsTest, AfterAFailedLoadTheLayoutOnTheBoardKeepsItsNumberAndTable) {
  board::LayoutGrid two;
  two.Set(4, 4, 1, 1);
  two.Set(10, 4, 1, 1);
  WriteLay("Butterfly.lay", "Butterfly", two);
  WriteLay("Traditional.lay", "Traditional", board::testing::Turtle());
  // A shape file cut to 10 of its 144 lines.
  std::string shp;
  for (int i = 0; i < 10; ++i) shp += "xxx0A0A00\r\n";
  dir.Write("Layouts/cut.shp", shp);
  ASSERT_TRUE(engine.DiscoverLayouts(-1));
  ASSERT_EQ(engine.LayoutNames(), (std::vector<std::string>{"Butterfly", "Traditional", "cut.shp"}));
  engine.ChooseLayout(1);
  const std::string butterflyFile = engine.Game().LayoutFile;
  ASSERT_EQ(engine.Game().Board.TilesLeft, 2);

  engine.ChooseShpLayout(3);
  EXPECT_EQ(screen.Told.size(), 1u);
  EXPECT_EQ(engine.Game().BoardNumber, 1);
  EXPECT_EQ(engine.Game().SavedLayoutNumber, 1);
  EXPECT_EQ(engine.CheckedLayout(), 1);
  EXPECT_EQ(engine.Game().LayoutFile, butterflyFile);
  EXPECT_EQ(engine.Game().LayoutName, "Butterfly");

  // "New" deals Butterfly again, and its win is filed under Butterfly.
  engine.NewGame();
  ASSERT_EQ(engine.Game().Board.TilesLeft, 2);
  clock.AdvanceSeconds(50);
  engine.Tick();
  ClickPair(1, 2);
  engine.Tick();
  EXPECT_EQ(engine.Hall().RankReached(), 1);
  EXPECT_TRUE(engine.Hall().HasRealRecord(1));
  EXPECT_FALSE(engine.Hall().HasRealRecord(3));

  // During a Rivers game the Rivers table stays, and so does the layout
  // that comes back after it.
  engine.ChooseLayout(2);
  engine.NewRiversGame(game::Difficulty::Easy);
  ASSERT_EQ(engine.Game().BoardNumber, game::kRiversEasyTable);
  engine.ChooseShpLayout(3);
  EXPECT_EQ(screen.Told.size(), 2u);
  EXPECT_EQ(engine.Game().BoardNumber, game::kRiversEasyTable);
  EXPECT_EQ(engine.Game().SavedLayoutNumber, 2);
  EXPECT_EQ(engine.CheckedLayout(), 2);
}

TEST_F(LayoutsTest, ExternalLayoutsAreNamedByTheirPath) {
  WriteLay("Traditional.lay", "Traditional", board::testing::Turtle());
  std::string shp;
  for (int i = 0; i < 144; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "xxx%02X%02X00\r\n", (i % 12) * 2, (i / 12) * 2 % 18);
    shp += line;
  }
  dir.Write("Layouts/flat.shp", shp);
  ASSERT_TRUE(engine.DiscoverLayouts(-1));
  ASSERT_EQ(engine.LayoutCount(), 2);
  engine.ChooseShpLayout(2);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.Game().LayoutName, engine.Game().LayoutFile);
  EXPECT_NE(engine.StatusMessage().find("FLAT.SHP"), std::string::npos);
}

TEST_F(LayoutsTest, MoreThanNinetyNineLayoutsAreCutAndSaidSo) {
  for (int i = 0; i < 101; ++i) WriteLay("L" + std::to_string(100 + i) + ".lay", "x", board::testing::Turtle());
  ASSERT_TRUE(engine.DiscoverLayouts(1));
  EXPECT_EQ(engine.LayoutCount(), 99);
  engine.LoadLayoutAtStartup();
  EXPECT_NE(engine.StatusMessage().find("2 more"), std::string::npos) << engine.StatusMessage();
}

TEST_F(LayoutsTest, RecordsOfMyBoardGoToTheSectionMyBoard) {
  board::LayoutGrid two;
  two.Set(4, 4, 1, 1);
  two.Set(10, 4, 1, 1);
  WriteLay("My Board.lay", "My Board", two);
  WriteLay("Traditional.lay", "Traditional", board::testing::Turtle());
  ASSERT_TRUE(engine.DiscoverLayouts(-1));
  engine.ChooseLayout(1);
  ASSERT_EQ(engine.Game().Board.TilesLeft, 2);
  clock.AdvanceSeconds(50);
  engine.Tick();
  ClickPair(1, 2);
  engine.Tick();
  ASSERT_EQ(engine.Hall().RankReached(), 1);

  base::IniFile ini((dir.path() / "Hallfame.ini").string());
  engine.SaveHallOfFame(ini);
  ASSERT_FALSE(ini.Save().has_value());
  base::IniFile back((dir.path() / "Hallfame.ini").string());
  EXPECT_EQ(back.ReadString("MyBoard", "Rank1", ""), "Player1    50    0");
  EXPECT_FALSE(back.SectionExists("Traditional"));  // no real record there

  // Read back at the next start.
  Engine next(clock, screen, sound);
  next.SetProgramDir(dir.path());
  ASSERT_TRUE(next.DiscoverLayouts(-1));
  next.LoadHallOfFame(back);
  EXPECT_EQ(next.Hall().Entry(1, 1), "Player1    50    0");
}

TEST_F(LayoutsTest, NoLayoutAtAll) { EXPECT_FALSE(engine.DiscoverLayouts(-1)); }

}  // namespace
}  // namespace game::testing
