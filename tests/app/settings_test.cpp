// "Sorami.ini": defaults, the reading rules of its numbers, and the order in
// which a file written from scratch holds its keys.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "app/settings.h"
#include "base/ini_file.h"

namespace {

using app::ReadSettings;
using app::Settings;
using app::WriteSettings;

base::IniFile FileWith(const QTemporaryDir& dir, const std::string& text) {
  const std::string path = dir.path().toStdString() + "/Sorami.ini";
  std::ofstream(path, std::ios::binary) << text;
  return base::IniFile(path);
}

TEST(SettingsTest, MissingFileGivesEveryDefault) {
  QTemporaryDir dir;
  const base::IniFile file(dir.path().toStdString() + "/Sorami.ini");
  const Settings s = ReadSettings(file, 1280);
  EXPECT_EQ(s.Highlight, 3);
  EXPECT_EQ(s.Background, 4);
  EXPECT_EQ(s.Tileset, 3);
  EXPECT_EQ(s.BoardNumber, -1);
  EXPECT_EQ(s.MidiNumber, -1);
  EXPECT_EQ(s.CurrentPlayer1, "Player1");
  EXPECT_EQ(s.RandomSeed, 0);
  EXPECT_EQ(s.XPos, 0);
  EXPECT_EQ(s.YPos, 0);
  EXPECT_EQ(s.PreviousRes, 1280);
  EXPECT_TRUE(s.LastLoadedTileset.empty());
  const game::Options& o = s.Options;
  EXPECT_FALSE(o.Invert);
  EXPECT_TRUE(o.ShowMovesLeft && o.PlayMusic && o.PlaySounds && o.StartupGame && o.StartMusic);
  EXPECT_TRUE(o.ShowHallOfFame && o.ShowToolbar && o.ShowStatusBar && o.CoolMenu && o.CoolMouse);
  EXPECT_TRUE(o.ScrollingStatus && o.CoolToolbar && o.AnimateTileRivers && o.ShowTime);
  EXPECT_TRUE(o.FlatButtons && o.EnableHall && o.Shadows && o.Shuffable);
  EXPECT_FALSE(o.SwitchTo800x600 || o.Vertical || o.Winnable || o.Animate || o.ShowCurrentTile);
  EXPECT_FALSE(o.OnlyPossibleMoves || o.RandomMusic);
  EXPECT_TRUE(o.TellUnwinnable);
  EXPECT_FALSE(o.WinnableHints);
}

TEST(SettingsTest, NumbersFollowTheHexadecimalRule) {
  QTemporaryDir dir;
  EXPECT_EQ(ReadSettings(FileWith(dir, "[Sorami]\r\nHighlight=0x10\r\n"), 800).Highlight, 16);
  EXPECT_EQ(ReadSettings(FileWith(dir, "[Sorami]\r\nHighlight=0x\r\n"), 800).Highlight, 3);
  EXPECT_EQ(ReadSettings(FileWith(dir, "[Sorami]\r\nHighlight=green\r\n"), 800).Highlight, 3);
  EXPECT_EQ(ReadSettings(FileWith(dir, "[Sorami]\r\nXPos=-40\r\n"), 800).XPos, -40);
  // Keys and the section are found whatever their case.
  EXPECT_EQ(ReadSettings(FileWith(dir, "[SORAMI]\r\nboardnumber=7\r\n"), 800).BoardNumber, 7);
}

TEST(SettingsTest, EmptyOrUnreadableNumbersAndMarksTakeTheirDefaults) {
  QTemporaryDir dir;
  const Settings s = ReadSettings(
      FileWith(dir,
               "[Sorami]\r\nHighlight=\r\nBoardNumber=\r\nXPos=12abc\r\nTileset=0X2\r\n"
               "ShowMoves=\r\nInvert=\r\nShadows=yes\r\nVertical=on\r\nPreviousRes= \r\n"),
      1024);
  EXPECT_EQ(s.Highlight, 3);
  EXPECT_EQ(s.BoardNumber, -1);
  EXPECT_EQ(s.XPos, 0);
  EXPECT_EQ(s.Tileset, 2);  // "0X" in capitals is hexadecimal too
  EXPECT_TRUE(s.Options.ShowMovesLeft);
  EXPECT_FALSE(s.Options.Invert);
  EXPECT_TRUE(s.Options.Shadows);
  EXPECT_FALSE(s.Options.Vertical);
  EXPECT_EQ(s.PreviousRes, 1024);
}

TEST(SettingsTest, TextsAreReadUpTo1023Characters) {
  QTemporaryDir dir;
  const std::string longName(2000, 'n');
  const std::string longPath = "/" + std::string(1500, 'p') + ".bmp";
  const Settings s = ReadSettings(FileWith(dir, "[Sorami]\r\nCurrentPlayer1=" + longName +
                                                    "\r\nLastLoadedTileset=" + longPath + "\r\n"),
                                  800);
  EXPECT_EQ(s.CurrentPlayer1, longName.substr(0, 1023));
  EXPECT_EQ(s.LastLoadedTileset, longPath.substr(0, 1023));
}

TEST(SettingsTest, AnyNonZeroBooleanIsOnAndIsWrittenBackAsOne) {
  QTemporaryDir dir;
  base::IniFile file = FileWith(dir, "[Sorami]\r\nInvert=7\r\nShadows=0\r\n");
  const Settings s = ReadSettings(file, 800);
  EXPECT_TRUE(s.Options.Invert);
  EXPECT_FALSE(s.Options.Shadows);
  WriteSettings(file, s);
  EXPECT_EQ(file.ReadString("Sorami", "Invert", ""), "1");
  EXPECT_EQ(file.ReadString("Sorami", "Shadows", ""), "0");
}

TEST(SettingsTest, AnEmptyPlayerNameStaysEmpty) {
  QTemporaryDir dir;
  EXPECT_EQ(ReadSettings(FileWith(dir, "[Sorami]\r\nCurrentPlayer1=\r\n"), 800).CurrentPlayer1, "");
}

TEST(SettingsTest, AFileWrittenFromScratchHoldsTheKeysInOrder) {
  QTemporaryDir dir;
  base::IniFile file(dir.path().toStdString() + "/Sorami.ini");
  Settings s;
  s.Highlight = 1;
  s.BoardNumber = 5;
  s.MidiNumber = 2;
  s.XPos = 12;
  s.YPos = 34;
  s.WPos = 800;
  s.HPos = 560;
  s.PreviousRes = 1024;
  s.LastLoadedTileset = "/home/me/tiles.bmp";
  WriteSettings(file, s);
  const std::string expected =
      "[Sorami]\r\nHighlight=1\r\nInvert=0\r\nShowMoves=1\r\nPlayMusic=1\r\nPlaySounds=1\r\n"
      "CurrentPlayer1=Player1\r\nBackground=4\r\nBoardNumber=5\r\nMidiNumber=2\r\nTileset=3\r\n"
      "SetRes800=0\r\nLastLoadedTileset=/home/me/tiles.bmp\r\nLastLoadedBackground=\r\n"
      "StartDirectly=1\r\nResumeGame=1\r\nStartMusic=1\r\nShowHallOfFame=1\r\nShowToolbar=1\r\nShowStatus=1\r\n"
      "CoolMenu=1\r\nCoolMouse=1\r\nCoolStatus=1\r\nCoolToolbar=1\r\nTileRivers=1\r\n"
      "ShowTime=1\r\nFlatButtons=1\r\nEnableHall=1\r\nShadows=1\r\nVertical=0\r\nWinnable=0\r\n"
      "Shuffable=1\r\nTellUnwinnable=1\r\nWinnableHints=0\r\nAnimate=0\r\nShowTile=0\r\nOnlyPossible=0\r\nRandomMusic=0\r\n"
      "RandomSeed=0\r\nXPos=12\r\nYPos=34\r\nWPos=800\r\nHPos=560\r\nPreviousRes=1024\r\n"
      "Zoom=100\r\nFitToWindow=1\r\nWindowWidth=0\r\nWindowHeight=0\r\nMaximized=0\r\n";
  EXPECT_EQ(file.Text(), expected);
  // And it reads back as written ("WPos" and "HPos" are never read).
  const Settings back = ReadSettings(file, 640);
  EXPECT_EQ(back.Highlight, 1);
  EXPECT_EQ(back.BoardNumber, 5);
  EXPECT_EQ(back.PreviousRes, 1024);
  EXPECT_EQ(back.LastLoadedTileset, "/home/me/tiles.bmp");
  EXPECT_EQ(back.WPos, 0);
}

}  // namespace
