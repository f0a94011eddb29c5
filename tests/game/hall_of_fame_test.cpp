#include "game/hall_of_fame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "board/temp_dir.h"
#include "base/ini_file.h"
#include "game/time_text.h"

namespace {

using game::HallOfFame;
using base::IniFile;

constexpr int kLayout = 1;

// Names of the entries of a table, rank 1 first.
std::vector<std::string> Names(const HallOfFame& hall, int table) {
  std::vector<std::string> names;
  for (int r = 1; r <= game::kHallRanks; ++r) names.push_back(game::HallEntryName(hall.Entry(table, r)));
  return names;
}

TEST(HallEntryTest, DefaultEntriesAndTheirFields) {
  EXPECT_EQ(game::DefaultHallEntry(1), "---       300    0");
  EXPECT_EQ(game::DefaultHallEntry(10), "---       840    0");
  EXPECT_EQ(game::DefaultHallEntry(1).size(), 18u);
  EXPECT_FALSE(game::IsRealRecord(game::DefaultHallEntry(5)));
  EXPECT_TRUE(game::IsRealRecord("Alexande  599   12"));
  EXPECT_EQ(game::HallEntryTime("Alexande  599   12"), 599);
  EXPECT_EQ(game::HallEntryPenalty("Alexande  599   12"), 12);
  EXPECT_EQ(game::HallEntryName("Alexande  599   12"), "Alexande");
}

TEST(HallEntryTest, DamagedFieldsReadAsTheirLeadingDigits) {
  EXPECT_EQ(game::HallEntryTime("Bob      abcd    0"), 0);
  EXPECT_EQ(game::HallEntryTime("Bob       12x    0"), 12);
  EXPECT_EQ(game::HallEntryTime("Bob      -599    0"), 0);
  EXPECT_EQ(game::HallEntryPenalty("Bob       600 zz"), 0);
  EXPECT_EQ(game::HallEntryTime("short"), 0);
  EXPECT_EQ(game::HallEntryTime(""), 0);
  // Positions count characters: an accented name keeps the fields in place.
  EXPECT_EQ(game::HallEntryTime("J\xC3\xBCrgen    420    5"), 420);
  EXPECT_EQ(game::HallEntryName("J\xC3\xBCrgen    420    5"), "J\xC3\xBCrgen  ");
}

TEST(HallEntryTest, NamesAndSections) {
  EXPECT_EQ(game::HallName("Alexander the Great"), "Alexande");
  EXPECT_EQ(game::HallName("Bob"), "Bob     ");
  EXPECT_EQ(game::HallName(" Bob"), "-Bob    ");
  EXPECT_EQ(game::HallName(""), "-       ");
  EXPECT_EQ(game::HallName("\xC3\x89lodie Dupont"), "\xC3\x89lodie D");
  // Stray bytes that start no character leave an empty name: the "-" rule.
  EXPECT_EQ(game::HallName("\x80\xBF"), "-       ");
  EXPECT_EQ(game::HallName("\x80\xBF" "Al"), "Al      ");
  // Control characters are blanks, a first one too.
  EXPECT_EQ(game::HallName("\rBob\tX"), "-Bob X  ");
  EXPECT_EQ(game::HallSectionName("My Board"), "MyBoard");
  EXPECT_EQ(game::HallSectionName(" A  B "), "AB");
  EXPECT_EQ(game::VariantSectionName(game::kRiversHardTable), "Rivers2");
  EXPECT_EQ(game::VariantSectionName(game::kMemoryEasyTable), "Memory");
  EXPECT_EQ(game::VariantSectionName(7), "");
}

TEST(TimeTextTest, MinutesAndSeconds) {
  EXPECT_EQ(game::TimeText(300), "05:00");
  EXPECT_EQ(game::TimeText(0), "00:00");
  EXPECT_EQ(game::TimeText(599), "09:59");
  EXPECT_EQ(game::TimeText(5999), "99:59");
  EXPECT_EQ(game::TimeText(6000), "100:00");
  EXPECT_EQ(game::TimeText(-5), "00:00");
}

TEST(HallOfFameTest, FirstGameIn599SecondsTakesRank6OfAFreshTable) {
  HallOfFame hall;
  ASSERT_TRUE(hall.Qualifies(kLayout, 599));
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 599, 0, "Player1"), 6);
  EXPECT_EQ(hall.RankReached(), 6);
  EXPECT_EQ(hall.Entry(kLayout, 5), game::DefaultHallEntry(5));
  EXPECT_EQ(hall.Entry(kLayout, 6), "Player1   599    0");
  for (int r = 7; r <= 10; ++r) EXPECT_EQ(hall.Entry(kLayout, r), game::DefaultHallEntry(r - 1));
  // Other tables are untouched.
  EXPECT_EQ(hall.Entry(kLayout + 1, 6), game::DefaultHallEntry(6));
}

TEST(HallOfFameTest, QualifyingIsStrictlyBelowRankTen) {
  HallOfFame hall;
  EXPECT_FALSE(hall.Qualifies(kLayout, 840));
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 840, 0, "Late"), 0);
  EXPECT_EQ(hall.RankReached(), 0);
  EXPECT_FALSE(hall.HasRealRecord(kLayout));

  EXPECT_TRUE(hall.Qualifies(kLayout, 839));
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 839, 0, "Just"), 10);
  EXPECT_EQ(hall.Entry(kLayout, 10), "Just      839    0");
  EXPECT_EQ(hall.Entry(kLayout, 9), game::DefaultHallEntry(9));

  EXPECT_FALSE(hall.Qualifies(-1, 1));
  EXPECT_FALSE(hall.Qualifies(121, 1));
  EXPECT_EQ(hall.EnterHallOfFame(121, 1, 0, "x"), 0);
}

TEST(HallOfFameTest, EqualTimesAreOrderedByPenaltyThenByAge) {
  HallOfFame hall;
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 350, 10, "First"), 2);
  // Smaller penalty goes ahead.
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 350, 5, "Second"), 2);
  // Equal penalty: the earlier entry stays ahead.
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 350, 5, "Third"), 3);
  // Larger than one and smaller than the other: lands between them.
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 350, 7, "Fourth"), 4);
  // Larger than all: after every game of that time.
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 350, 20, "Fifth"), 6);
  EXPECT_EQ(Names(hall, kLayout)[0], "---     ");
  EXPECT_EQ(Names(hall, kLayout)[1], "Second  ");
  EXPECT_EQ(Names(hall, kLayout)[2], "Third   ");
  EXPECT_EQ(Names(hall, kLayout)[3], "Fourth  ");
  EXPECT_EQ(Names(hall, kLayout)[4], "First   ");
  EXPECT_EQ(Names(hall, kLayout)[5], "Fifth   ");
}

TEST(HallOfFameTest, EqualToRankTenDoesNotQualifyWhateverThePenalty) {
  HallOfFame hall;
  for (int r = 1; r <= 10; ++r) hall.SetEntry(kLayout, r, "Old       500    3");
  EXPECT_FALSE(hall.Qualifies(kLayout, 500));
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 500, 0, "New"), 0);
  EXPECT_EQ(hall.Entry(kLayout, 1), "Old       500    3");
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 499, 100, "New"), 1);
  EXPECT_EQ(hall.Entry(kLayout, 10), "Old       500    3");
}

TEST(HallOfFameTest, LongNamesAreCutToEightCharacters) {
  HallOfFame hall;
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 200, 30, "Alexander the Great"), 1);
  EXPECT_EQ(hall.Entry(kLayout, 1), "Alexande  200   30");
}

TEST(HallOfFameTest, GarbageTimeFieldsNeverStopTheEndOfAGame) {
  HallOfFame hall;
  hall.SetEntry(kLayout, 3, "Cheater  abcd    0");
  hall.SetEntry(kLayout, 10, "Broken   99zz  x1");
  // Rank 10 reads as 99 seconds.
  EXPECT_TRUE(hall.Qualifies(kLayout, 98));
  EXPECT_FALSE(hall.Qualifies(kLayout, 99));
  EXPECT_EQ(hall.EnterHallOfFame(kLayout, 98, 0, "Quick"), 1);

  std::vector<game::HallRow> rows = hall.FillHallTable(kLayout);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[3].name, "Cheater ");
  EXPECT_EQ(rows[3].time, "00:00");

  // A table whose every entry is garbage qualifies nothing and still lists.
  for (int r = 1; r <= 10; ++r) hall.SetEntry(kLayout + 1, r, "????????????");
  EXPECT_FALSE(hall.Qualifies(kLayout + 1, 1));
  EXPECT_EQ(hall.FillHallTable(kLayout + 1).size(), 10u);
}

TEST(HallOfFameTest, EmptyRanksShowAndStayAsTheirDefaults) {
  HallOfFame hall;
  hall.SetEntry(kLayout, 1, "");
  hall.SetEntry(kLayout, 10, "");
  EXPECT_TRUE(hall.Qualifies(kLayout, 839));  // empty rank 10 reads as 14:00
  std::vector<game::HallRow> rows = hall.FillHallTable(kLayout);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0].rank, 1);
  EXPECT_EQ(rows[0].name, "---     ");
  EXPECT_EQ(rows[0].time, "05:00");
  EXPECT_EQ(rows[0].malus, "00:00");
  EXPECT_EQ(rows[9].time, "14:00");
  EXPECT_EQ(hall.Entry(kLayout, 1), game::DefaultHallEntry(1));
  EXPECT_EQ(hall.Entry(kLayout, 10), game::DefaultHallEntry(10));
  EXPECT_TRUE(hall.FillHallTable(-3).empty());
}

TEST(HallOfFameTest, RenamingARecordReplacesOnlyItsName) {
  HallOfFame hall;
  const int rank = hall.EnterHallOfFame(kLayout, 330, 15, "Player1");
  ASSERT_EQ(rank, 2);
  hall.RenameRecord(kLayout, rank, " Bob");
  EXPECT_EQ(hall.Entry(kLayout, 2), "-Bob      330   15");
  hall.RenameRecord(kLayout, rank, "");
  EXPECT_EQ(hall.Entry(kLayout, 2), "-         330   15");
  hall.RenameRecord(kLayout, rank, "Maximilian");
  EXPECT_EQ(hall.Entry(kLayout, 2), "Maximili  330   15");
  hall.RenameRecord(kLayout, 0, "Nobody");
  EXPECT_EQ(hall.Entry(kLayout, 2), "Maximili  330   15");
}

TEST(HallOfFameTest, ResetPutsTheDefaultsBack) {
  HallOfFame hall;
  hall.EnterHallOfFame(kLayout, 100, 0, "A");
  ASSERT_TRUE(hall.HasRealRecord(kLayout));
  hall.ResetTable(kLayout);
  EXPECT_FALSE(hall.HasRealRecord(kLayout));
  for (int r = 1; r <= 10; ++r) EXPECT_EQ(hall.Entry(kLayout, r), game::DefaultHallEntry(r));
}

class HallFileTest : public ::testing::Test {
 protected:
  board::testing::TempDir dir_;
  const std::string path_ = (dir_.path() / "Hallfame.ini").string();
  const std::vector<std::string> layouts_ = {"Traditional", "My Board", "Pyramid"};
};

TEST_F(HallFileTest, SaveWritesRecordSectionsAndTheFourVariantsAndLoadReadsThemBack) {
  HallOfFame hall;
  hall.EnterHallOfFame(2, 599, 0, "Alexander the Great");  // "My Board"
  hall.EnterHallOfFame(game::kRiversHardTable, 290, 20, "River");
  hall.EnterHallOfFame(game::kMemoryEasyTable, 100, 0, "Memo");
  IniFile ini(path_);
  hall.Save(ini, layouts_);
  ASSERT_FALSE(ini.Save().has_value());

  IniFile file(path_);
  EXPECT_TRUE(file.SectionExists("MyBoard"));
  EXPECT_FALSE(file.SectionExists("Traditional"));
  EXPECT_FALSE(file.SectionExists("Pyramid"));
  EXPECT_EQ(file.ReadString("MyBoard", "Rank6", ""), "Alexande  599    0");
  EXPECT_EQ(file.ReadString("MyBoard", "Rank1", ""), game::DefaultHallEntry(1));
  EXPECT_EQ(file.ReadString("Rivers2", "Rank1", ""), "River     290   20");
  EXPECT_EQ(file.ReadString("Memory", "Rank1", ""), "Memo      100    0");
  EXPECT_EQ(file.ReadString("Rivers", "Rank1", ""), game::DefaultHallEntry(1));
  EXPECT_EQ(file.ReadString("Memory2", "Rank10", ""), game::DefaultHallEntry(10));

  HallOfFame loaded;
  loaded.Load(file, layouts_);
  for (int table : {1, 2, 3, 100, 101, 110, 111}) {
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(loaded.Entry(table, r), hall.Entry(table, r));
  }
}

TEST_F(HallFileTest, ResetAndSaveErasesTheLayoutSection) {
  HallOfFame hall;
  hall.EnterHallOfFame(2, 500, 0, "Someone");
  IniFile ini(path_);
  hall.Save(ini, layouts_);
  ASSERT_FALSE(ini.Save().has_value());
  ASSERT_TRUE(IniFile(path_).SectionExists("MyBoard"));

  IniFile again(path_);
  HallOfFame next_run;
  next_run.Load(again, layouts_);
  next_run.ResetTable(2);
  next_run.Save(again, layouts_);
  ASSERT_FALSE(again.Save().has_value());
  IniFile after(path_);
  EXPECT_FALSE(after.SectionExists("MyBoard"));
  EXPECT_TRUE(after.SectionExists("Rivers"));
}

TEST_F(HallFileTest, LoadingWidensShortValuesAndDefaultsMissingOnes) {
  IniFile ini(path_);
  ini.WriteString("MyBoard", "Rank1", "   Bob  310    0");  // leading blanks are dropped on reading
  ini.WriteString("MyBoard", "Rank2", "");                  // damaged: empty
  ini.WriteString("MyBoard", "Rank3", "Looooooooooong name   350    0");
  ini.WriteString("Rivers", "Rank1", "Ann       250    5");
  HallOfFame hall;
  hall.Load(ini, layouts_);
  EXPECT_EQ(hall.Entry(2, 1), "-----Bob  310    0");
  EXPECT_EQ(hall.Entry(2, 2), game::DefaultHallEntry(2));
  EXPECT_EQ(hall.Entry(2, 3), "Looooooooooong name   350    0");
  EXPECT_EQ(hall.Entry(2, 4), game::DefaultHallEntry(4));
  EXPECT_EQ(hall.Entry(1, 1), game::DefaultHallEntry(1));
  EXPECT_EQ(hall.Entry(game::kRiversEasyTable, 1), "Ann       250    5");
  EXPECT_EQ(hall.Entry(game::kRiversHardTable, 1), game::DefaultHallEntry(1));
}

TEST_F(HallFileTest, AnAllBlankNameSurvivesTheRoundTrip) {
  HallOfFame hall;
  ASSERT_EQ(hall.EnterHallOfFame(1, 400, 0, "        "), 3);
  IniFile ini(path_);
  hall.Save(ini, layouts_);
  ASSERT_FALSE(ini.Save().has_value());
  HallOfFame loaded;
  loaded.Load(IniFile(path_), layouts_);
  EXPECT_EQ(loaded.Entry(1, 3), "-         400    0");
  EXPECT_EQ(game::HallEntryTime(loaded.Entry(1, 3)), 400);
}

TEST_F(HallFileTest, ANewlyRegisteredLayoutReadsItsSectionWithoutWidening) {
  IniFile ini(path_);
  ini.WriteString("MyNewBoard", "Rank1", "Zed       280    0");
  ini.WriteString("MyNewBoard", "Rank2", "  Bob  300    0");
  HallOfFame hall;
  hall.LoadSection(ini, 4, "My New Board");
  EXPECT_EQ(hall.Entry(4, 1), "Zed       280    0");
  EXPECT_EQ(hall.Entry(4, 2), "Bob  300    0");
  EXPECT_EQ(hall.Entry(4, 3), game::DefaultHallEntry(3));
}

TEST_F(HallFileTest, LayoutsWhoseNamesDifferOnlyInBlanksShareASectionSafely) {
  const std::vector<std::string> twins = {"My Board", "MyBoard", "my board"};
  HallOfFame hall;
  hall.EnterHallOfFame(1, 200, 0, "Keeper");
  IniFile ini(path_);
  hall.Save(ini, twins);
  EXPECT_EQ(ini.ReadString("MyBoard", "Rank1", ""), "Keeper    200    0");
}

TEST_F(HallFileTest, AStrayBytesNameEntersARecord) {
  HallOfFame hall;
  ASSERT_EQ(hall.EnterHallOfFame(1, 100, 0, "\x80\x80"), 1);
  EXPECT_EQ(hall.Entry(1, 1), "-         100    0");
  hall.RenameRecord(1, 1, "\xBF");
  EXPECT_EQ(hall.Entry(1, 1), "-         100    0");
}

TEST_F(HallFileTest, LayoutsSharingASectionLoseNoRecord) {
  // "Arena" and "arena", "My Board" and "MyBoard": one section each.
  const std::vector<std::string> names = {"Arena", "My Board", "arena", "MyBoard"};
  {
    HallOfFame first_run;
    first_run.EnterHallOfFame(1, 100, 0, "Old1");
    first_run.EnterHallOfFame(1, 200, 0, "Old2");
    IniFile ini(path_);
    first_run.Save(ini, names);
    ASSERT_FALSE(ini.Save().has_value());
  }
  IniFile ini(path_);
  HallOfFame hall;
  hall.Load(ini, names);
  // Loaded into both tables of the section.
  EXPECT_EQ(hall.Entry(3, 1), hall.Entry(1, 1));
  EXPECT_EQ(game::HallEntryName(hall.Entry(3, 2)), "Old2    ");
  // Both tables get new records; the later layout's table must not undo the
  // earlier one's.
  hall.EnterHallOfFame(1, 50, 0, "New1");
  hall.EnterHallOfFame(3, 150, 10, "New3");
  hall.EnterHallOfFame(3, 150, 5, "Fast3");
  hall.EnterHallOfFame(2, 250, 0, "Board2");
  hall.EnterHallOfFame(4, 250, 0, "Board4");
  hall.EnterHallOfFame(4, 250, 0, "Board2");  // equal in every character to table 2's record
  hall.Save(ini, names);
  ASSERT_FALSE(ini.Save().has_value());

  IniFile file(path_);
  HallOfFame loaded;
  loaded.Load(file, names);
  for (int table : {1, 3}) {
    EXPECT_EQ(Names(loaded, table), (std::vector<std::string>{"New1    ", "Old1    ", "Fast3   ", "New3    ",
                                                              "Old2    ", "---     ", "---     ", "---     ",
                                                              "---     ", "---     "}))
        << table;
  }
  EXPECT_EQ(loaded.Entry(1, 3), "Fast3     150    5");
  EXPECT_EQ(loaded.Entry(1, 6), game::DefaultHallEntry(1));
  EXPECT_EQ(loaded.Entry(1, 10), game::DefaultHallEntry(5));
  for (int table : {2, 4}) {
    EXPECT_EQ(Names(loaded, table), (std::vector<std::string>{"Board2  ", "Board4  ", "Board2  ", "---     ",
                                                              "---     ", "---     ", "---     ", "---     ",
                                                              "---     ", "---     "}))
        << table;
  }

  // Saved again unchanged: the section stays as it is.
  const std::string before = board::testing::ReadAll(path_);
  loaded.Save(file, names);
  ASSERT_FALSE(file.Save().has_value());
  EXPECT_EQ(board::testing::ReadAll(path_), before);
}

TEST_F(HallFileTest, ALayoutNamedLikeAVariantSharesItsSectionWithoutLoss) {
  const std::vector<std::string> memory = {"memory"};
  HallOfFame hall;
  hall.EnterHallOfFame(1, 100, 0, "Layout");
  hall.EnterHallOfFame(game::kMemoryEasyTable, 120, 0, "Variant");
  IniFile ini(path_);
  hall.Save(ini, memory);
  HallOfFame both;
  both.Load(ini, memory);
  for (int table : {1, game::kMemoryEasyTable}) {
    EXPECT_EQ(game::HallEntryName(both.Entry(table, 1)), "Layout  ");
    EXPECT_EQ(game::HallEntryName(both.Entry(table, 2)), "Variant ");
  }
}

TEST_F(HallFileTest, EntriesReadBackAsTheyWereLoaded) {
  // A CR inside an entry, at its start or in the player's name.
  IniFile ini(path_);
  ini.WriteString("Rivers", "Rank1", "x");
  ASSERT_FALSE(ini.Save().has_value());
  std::string text = board::testing::ReadAll(path_);
  const std::string rank1 = "Rank1=x";
  text.replace(text.find(rank1), rank1.size(), "Rank1=\rBob      200    0\r\nRank2=Al\rce     250    0\r\r\nRank3=Ann      300    0\r");
  std::ofstream(path_, std::ios::binary) << text;

  HallOfFame hall;
  hall.Load(IniFile(path_), layouts_);
  hall.EnterHallOfFame(1, 100, 0, "\rZed");
  std::vector<std::string> first;
  for (int table : {1, game::kRiversEasyTable})
    for (int r = 1; r <= 10; ++r) first.push_back(hall.Entry(table, r));
  EXPECT_EQ(first[0], "-Zed      100    0");
  EXPECT_EQ(first[10], "-Bob      200    0");
  EXPECT_EQ(first[11], "Al ce     250    0");
  EXPECT_EQ(first[12], "-Ann      300    0");
  for (int round = 0; round < 2; ++round) {
    IniFile file(path_);
    hall.Save(file, layouts_);
    ASSERT_FALSE(file.Save().has_value());
    HallOfFame again;
    again.Load(IniFile(path_), layouts_);
    std::vector<std::string> read;
    for (int table : {1, game::kRiversEasyTable})
      for (int r = 1; r <= 10; ++r) read.push_back(again.Entry(table, r));
    EXPECT_EQ(read, first) << "round " << round;
  }
}

TEST_F(HallFileTest, ALayoutNameWithALineBreakKeepsItsRecords) {
  const std::vector<std::string> names = {"Two\nLines"};
  HallOfFame hall;
  hall.EnterHallOfFame(1, 100, 0, "Liner");
  IniFile ini(path_);
  hall.Save(ini, names);
  ASSERT_FALSE(ini.Save().has_value());
  HallOfFame loaded;
  loaded.Load(IniFile(path_), names);
  EXPECT_EQ(loaded.Entry(1, 1), "Liner     100    0");
}

TEST_F(HallFileTest, AtMost99LayoutsAreLoadedAndSaved) {
  std::vector<std::string> many;
  for (int i = 1; i <= 120; ++i) many.push_back("Layout " + std::to_string(i));
  IniFile ini(path_);
  ini.WriteString("Layout100", "Rank1", "Intruder  100    0");
  HallOfFame hall;
  hall.Load(ini, many);
  EXPECT_EQ(hall.Entry(game::kRiversEasyTable, 1), game::DefaultHallEntry(1));
  hall.EnterHallOfFame(99, 100, 0, "Last");
  hall.Save(ini, many);
  EXPECT_TRUE(ini.SectionExists("Layout99"));
  EXPECT_TRUE(ini.SectionExists("Layout100"));  // not ours to erase
}

}  // namespace
