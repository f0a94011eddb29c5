#include "game/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "board/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using game::IniFile;

class IniFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (dir_.path() / name).string(); }
  std::string WriteFile(const std::string& name, const std::string& bytes) const {
    return dir_.Write(name, bytes).string();
  }
  static std::string ReadFile(const std::string& path) { return board::testing::ReadAll(path); }

  board::testing::TempDir dir_;
};

TEST_F(IniFileTest, MissingFileIsEmptyAndIsCreatedOnSave) {
  IniFile ini(PathOf("Sorami.ini"));
  EXPECT_TRUE(ini.LoadError().empty());
  EXPECT_FALSE(ini.SectionExists("Sorami"));
  EXPECT_EQ(ini.ReadString("Sorami", "CurrentPlayer1", "Player1"), "Player1");
  EXPECT_EQ(ini.ReadInteger("Sorami", "Highlight", 3), 3);

  ini.WriteInteger("Sorami", "Highlight", 3);
  ini.WriteBool("Sorami", "Invert", true);
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(PathOf("Sorami.ini")), "[Sorami]\r\nHighlight=3\r\nInvert=1\r\n");
  EXPECT_FALSE(fs::exists(PathOf("Sorami.ini.tmp")));
}

TEST_F(IniFileTest, LookupIgnoresCaseAndBlanksAndTakesTheFirstOccurrence) {
  IniFile ini(WriteFile("a.ini",
                        "; top comment\n"
                        "stray=before any section\n"
                        "  [ SoRaMi ]  \n"
                        "  currentplayer1 =   Bob the Builder  \t\n"
                        "Tabbed\t=\tvalue\n"
                        "CurrentPlayer1=second\n"
                        "Empty=\n"
                        "Equals=a=b\n"
                        "[Sorami]\n"
                        "Later=from the duplicate section\n"));
  EXPECT_EQ(ini.ReadString("sorami", "CURRENTPLAYER1", "x"), "Bob the Builder");
  EXPECT_EQ(ini.ReadString("Sorami", "tabbed", "x"), "value");
  EXPECT_EQ(ini.ReadString("Sorami", "Empty", "default"), "");
  EXPECT_EQ(ini.ReadString("Sorami", "Equals", ""), "a=b");
  EXPECT_EQ(ini.ReadString("Sorami", "Later", ""), "from the duplicate section");
  EXPECT_EQ(ini.ReadString("Sorami", "stray", "none"), "none");
  EXPECT_EQ(ini.ReadString("Other", "CurrentPlayer1", "none"), "none");
  EXPECT_TRUE(ini.KeyExists("SORAMI", "empty"));
  EXPECT_FALSE(ini.KeyExists("Sorami", "; top comment"));
}

TEST_F(IniFileTest, LongValuesAreCutTo1023BytesWithoutSplittingACharacter) {
  std::string ascii(2000, 'a');
  std::string accented = std::string(1022, 'b') + "\xC3\xA9" + "tail";  // é straddles the cut
  IniFile ini(WriteFile("long.ini", "[S]\nA=" + ascii + "\nB=" + accented + "\n"));
  EXPECT_EQ(ini.ReadString("S", "A", ""), std::string(1023, 'a'));
  EXPECT_EQ(ini.ReadString("S", "B", ""), std::string(1022, 'b'));
}

TEST_F(IniFileTest, IntegersFollowTheSettingsRules) {
  IniFile ini(WriteFile("n.ini",
                        "[S]\n"
                        "Hex=0x10\nHexUpper=0XfF\nHexAlone=0x\nHexBad=0x1G\nHexAll=0xFFFFFFFF\n"
                        "HexLong=0x100000000\nWord=three\nEmpty=\nPadded=  704  \nNegative=-1\n"
                        "Plus=+5\nTrailing=12abc\nMinusAlone=-\nMax=2147483647\nMin=-2147483648\n"
                        "Over=2147483648\nHuge=99999999999999999999999\nSeven=7\nZero=0\n"));
  EXPECT_EQ(ini.ReadInteger("S", "Hex", 3), 16);
  EXPECT_EQ(ini.ReadInteger("S", "HexUpper", 3), 255);
  EXPECT_EQ(ini.ReadInteger("S", "HexAlone", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "HexBad", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "HexAll", 3), -1);
  EXPECT_EQ(ini.ReadInteger("S", "HexLong", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Word", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Empty", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Padded", 3), 704);
  EXPECT_EQ(ini.ReadInteger("S", "Negative", 3), -1);
  EXPECT_EQ(ini.ReadInteger("S", "Plus", 3), 5);
  EXPECT_EQ(ini.ReadInteger("S", "Trailing", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "MinusAlone", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Max", 3), 2147483647);
  EXPECT_EQ(ini.ReadInteger("S", "Min", 3), -2147483647 - 1);
  EXPECT_EQ(ini.ReadInteger("S", "Over", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Huge", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Missing", 3), 3);
  EXPECT_TRUE(ini.ReadBool("S", "Seven", false));
  EXPECT_FALSE(ini.ReadBool("S", "Zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "Word", true));
  EXPECT_FALSE(ini.ReadBool("S", "Empty", false));
}

TEST_F(IniFileTest, WritesKeepEveryUntouchedLineByteForByte) {
  const std::string original =
      "; Sorami settings\r\n"
      "\r\n"
      "[Sorami]\r\n"
      "Highlight = 3   ; the green one\r\n"
      "  Invert=0\r\n"
      "odd line without equals\r\n"
      "; note about the hall\r\n"
      "\r\n"
      "[Other]\r\n"
      "Key=Value\r\n";
  const std::string path = WriteFile("keep.ini", original);
  IniFile ini(path);
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(path), original);

  ini.WriteString("sorami", "INVERT", "1");       // existing key: only its line changes
  ini.WriteString("Sorami", "NewKey", "added");   // after the section's last entry
  ini.WriteString("Fresh", "Rank1", "  padded");  // new section at the end
  ini.WriteString("other", "Second", "2");
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(path),
            "; Sorami settings\r\n"
            "\r\n"
            "[Sorami]\r\n"
            "Highlight = 3   ; the green one\r\n"
            "Invert=1\r\n"
            "odd line without equals\r\n"
            "NewKey=added\r\n"
            "; note about the hall\r\n"
            "\r\n"
            "[Other]\r\n"
            "Key=Value\r\n"
            "Second=2\r\n"
            "\r\n"
            "[Fresh]\r\n"
            "Rank1=  padded\r\n");
  IniFile again(path);
  EXPECT_EQ(again.ReadString("Fresh", "Rank1", ""), "padded");
  EXPECT_EQ(again.ReadString("Sorami", "Highlight", ""), "3   ; the green one");
}

TEST_F(IniFileTest, ReadsLfFilesAndWritesCrLfKeepingTheMissingLastNewlineAndBom) {
  const std::string path = WriteFile("lf.ini", "\xEF\xBB\xBF[S]\nA=1\nB=2");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
  EXPECT_EQ(ini.ReadInteger("S", "B", 0), 2);
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2");
  ini.WriteString("S", "C", "3");
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\nC=3\r\n");
}

TEST_F(IniFileTest, EraseSectionRemovesEveryCopyAndNothingElse) {
  const std::string path = WriteFile("erase.ini",
                                     "[Keep]\r\nA=1\r\n\r\n[MyBoard]\r\nRank1=x\r\n; c\r\n"
                                     "[Keep2]\r\nB=2\r\n[myboard]\r\nRank2=y\r\n");
  IniFile ini(path);
  ini.EraseSection("MYBOARD");
  ini.EraseSection("NotThere");
  EXPECT_FALSE(ini.SectionExists("MyBoard"));
  EXPECT_EQ(ini.ReadString("MyBoard", "Rank2", "gone"), "gone");
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_EQ(ReadFile(path), "[Keep]\r\nA=1\r\n\r\n[Keep2]\r\nB=2\r\n");
}

TEST_F(IniFileTest, LineBreaksInWrittenTextCannotAddLines) {
  IniFile ini(PathOf("inject.ini"));
  ini.WriteString("S", "Name", "Bob\r\n[Evil]\nKey=1");
  ini.WriteString("S\n[X]", "K\nY", "v");
  EXPECT_FALSE(ini.SectionExists("Evil"));
  EXPECT_EQ(ini.ReadString("S", "Name", ""), "Bob  [Evil] Key=1");
  EXPECT_EQ(ini.ReadString("S [X]", "K Y", ""), "v");
  EXPECT_EQ(ini.Text(), "[S]\r\nName=Bob  [Evil] Key=1\r\n\r\n[S [X]]\r\nK Y=v\r\n");
}

// Random writes and erasures over a file with comments agree with a plain
// model, in memory and after a save and a fresh read.
TEST_F(IniFileTest, RandomEditsAgreeWithAModel) {
  const std::string path = WriteFile("model.ini", "; head\n[A]\nk0=start\n\n; about B\n[B]\n");
  IniFile ini(path);
  std::map<std::string, std::map<std::string, std::string>> model = {{"a", {{"k0", "start"}}},
                                                                     {"b", {}}};
  const std::vector<std::string> sections = {"A", "b", "C", "d", "MyBoard"};
  std::mt19937 random(7);
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  auto agree = [&](const IniFile& file) {
    for (const std::string& sec : sections) {
      EXPECT_EQ(file.SectionExists(sec), model.contains(lower(sec))) << sec;
      for (int k = 0; k < 6; ++k) {
        const std::string key = "K" + std::to_string(k);
        auto it = model.find(lower(sec));
        const bool present = it != model.end() && it->second.contains(lower(key));
        EXPECT_EQ(file.ReadString(sec, key, "<none>"),
                  present ? it->second.at(lower(key)) : std::string("<none>"))
            << sec << " " << key;
      }
    }
  };
  for (int step = 0; step < 400; ++step) {
    const std::string sec = sections[random() % sections.size()];
    if (random() % 10 == 0) {
      ini.EraseSection(sec);
      model.erase(lower(sec));
    } else {
      const std::string key = (random() % 2 ? "k" : "K") + std::to_string(random() % 6);
      const std::string value = "v" + std::to_string(step);
      ini.WriteString(sec, key, value);
      model[lower(sec)][lower(key)] = value;
    }
    agree(ini);
  }
  ASSERT_FALSE(ini.Save().has_value());
  agree(IniFile(path));
  EXPECT_TRUE(ReadFile(path).starts_with("; head\r\n"));
}

TEST_F(IniFileTest, KeysThatCouldNotReadBackAreNotWritten) {
  IniFile ini(PathOf("keys.ini"));
  ini.WriteString("S", "", "v");
  ini.WriteString("S", "a=b", "v");
  ini.WriteString("S", ";comment", "v");
  ini.WriteString("S", "[T]", "v");
  EXPECT_EQ(ini.Text(), "");
}

TEST_F(IniFileTest, SectionNamesHoldingBracketsReadBack) {
  IniFile ini(PathOf("br.ini"));
  ini.WriteString("A]B", "K", "1");
  ASSERT_FALSE(ini.Save().has_value());
  IniFile again(PathOf("br.ini"));
  EXPECT_EQ(again.ReadInteger("A]B", "K", 0), 1);
  EXPECT_FALSE(again.SectionExists("A"));
}

TEST_F(IniFileTest, RefusedWritesNameTheFullPathAndChangeNothing) {
  // A folder that does not exist.
  IniFile nowhere(PathOf("missing/Sorami.ini"));
  nowhere.WriteString("S", "K", "v");
  auto error = nowhere.Save();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, "Unable to write to " + PathOf("missing/Sorami.ini") + ": No such file or directory");

  // A relative path is reported in full.
  const fs::path old_dir = fs::current_path();
  fs::current_path(dir_.path());
  IniFile relative("missing/Hallfame.ini");
  auto relative_error = relative.Save();
  fs::current_path(old_dir);
  ASSERT_TRUE(relative_error.has_value());
  EXPECT_EQ(*relative_error, "Unable to write to " + PathOf("missing/Hallfame.ini") + ": No such file or directory");

  // A path that is a folder cannot be read, and is never overwritten.
  fs::create_directories(PathOf("folder.ini"));
  IniFile folder(PathOf("folder.ini"));
  EXPECT_FALSE(folder.LoadError().empty());
  folder.WriteString("S", "K", "v");
  EXPECT_TRUE(folder.Save().has_value());
  EXPECT_TRUE(fs::is_directory(PathOf("folder.ini")));
}

TEST_F(IniFileTest, ReadOnlyFileIsRefusedWithTheReasonAndKept) {
  const std::string path = WriteFile("ro.ini", "[S]\r\nK=old\r\n");
  board::testing::Unwritable locked(path);
  if (!locked.Works()) GTEST_SKIP() << "cannot make a file read-only here";
  IniFile ini(path);
  ini.WriteString("S", "K", "new");
  auto error = ini.Save();
  ASSERT_TRUE(error.has_value());
  EXPECT_TRUE(error->starts_with("Unable to write to " + path + ": ")) << *error;
  EXPECT_GT(error->size(), ("Unable to write to " + path + ": ").size());
  EXPECT_EQ(ReadFile(path), "[S]\r\nK=old\r\n");
  EXPECT_EQ(ini.ReadString("S", "K", ""), "new");
}

TEST_F(IniFileTest, OnlyRegularFilesUpTo1MiBAreReadAndNothingWaits) {
  const std::string fifo = PathOf("Sorami.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  IniFile from_fifo(fifo);
  EXPECT_EQ(from_fifo.LoadError(), "Unable to read " + fifo + ": it is not a regular file");
  EXPECT_TRUE(from_fifo.Save().has_value()) << "never replaced";

  fs::create_symlink("/dev/zero", PathOf("Hallfame.ini"));
  IniFile zero(PathOf("Hallfame.ini"));
  EXPECT_EQ(zero.LoadError(), "Unable to read " + PathOf("Hallfame.ini") + ": it is not a regular file");

  const std::string big = WriteFile("big.ini", "[S]\r\n" + std::string(IniFile::kMaxFileBytes, ';'));
  IniFile too_big(big);
  EXPECT_TRUE(too_big.LoadError().starts_with("Unable to read " + big + ": it is larger than 1 MiB"))
      << too_big.LoadError();
  EXPECT_FALSE(too_big.SectionExists("S"));
  const std::string most = WriteFile("most.ini", "[S]\r\n" + std::string(IniFile::kMaxFileBytes - 5, ';'));
  EXPECT_TRUE(IniFile(most).SectionExists("S"));
}

TEST_F(IniFileTest, ALinkKeepsPointingAtTheFileSaved) {
  const std::string real = WriteFile("real.ini", "[S]\r\nK=old\r\n");
  fs::create_symlink("real.ini", PathOf("Sorami.ini"));
  IniFile ini(PathOf("Sorami.ini"));
  ini.WriteString("S", "K", "new");
  ASSERT_FALSE(ini.Save().has_value());
  EXPECT_TRUE(fs::is_symlink(PathOf("Sorami.ini")));
  EXPECT_EQ(ReadFile(real), "[S]\r\nK=new\r\n");
}

TEST_F(IniFileTest, WhatIsReadIsWhatASaveWritesBack) {
  // A last line ending in CR alone keeps its CRs over any number of saves.
  for (const std::string text : {"[S]\r\nK=v\r", "[S]\r\nK=v\r\r", "[S]\r\nK=v\r\r\n"}) {
    const std::string path = WriteFile("cr.ini", text);
    std::string first;
    for (int round = 0; round < 3; ++round) {
      IniFile ini(path);
      EXPECT_EQ(ini.ReadString("S", "K", ""), text.starts_with("[S]\r\nK=v\r\r") ? "v\r" : "v");
      ASSERT_FALSE(ini.Save().has_value());
      if (round == 0) first = ReadFile(path);
      EXPECT_EQ(ReadFile(path), first) << "round " << round;
    }
  }
  // A section or key named with a line break reads back what was written.
  IniFile ini(PathOf("names.ini"));
  ini.WriteString("My\nBoard", "Rank\r1", "x");
  ini.WriteString("Other\r\n", "K", "y");
  ASSERT_FALSE(ini.Save().has_value());
  IniFile again(PathOf("names.ini"));
  EXPECT_EQ(again.ReadString("My\nBoard", "Rank\r1", ""), "x");
  EXPECT_EQ(again.ReadString("Other\r\n", "K", ""), "y");
  again.EraseSection("My\nBoard");
  EXPECT_FALSE(again.SectionExists("My Board"));
}

}  // namespace
