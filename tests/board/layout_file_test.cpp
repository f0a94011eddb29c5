// The ".lay" and ".shp" files: round trips, line ends, and damaged files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "board/layout_file.h"
#include "temp_dir.h"
#include "test_layouts.h"

namespace board {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::Turtle;

std::string Flags(const LayoutGrid& l) {
  std::string s;
  for (int k = 0; k < LayoutFlagCount; ++k) s += static_cast<char>('0' + l.Flag(k));
  return s;
}

TEST(LayFile, RoundTripWithCrLf) {
  TempDir dir;
  const LayoutGrid turtle = Turtle();
  const auto file = dir.path() / "Turtle.lay";
  WriteLayFile(file, "My Turtle", turtle);
  const std::string content = ReadAll(file);
  EXPECT_EQ(content, "Sorami 3.0\r\nMy Turtle\r\n" + Flags(turtle) + "\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Turtle.lay.tmp"));
  LayoutGrid read;
  const LayReadResult r = ReadLayFile(file, read);
  EXPECT_TRUE(r.HeaderOk);
  EXPECT_EQ(r.Name, "My Turtle");
  EXPECT_EQ(read, turtle);
  // Flag k is (x, y, z) in running order.
  EXPECT_EQ(content[23 + LayoutGrid::Index(16, 10, 5)], '1');
  // Overwriting keeps one file; a line break in a name cannot split the file.
  WriteLayFile(file, "Two\r\nLines", LayoutGrid{});
  EXPECT_EQ(ReadLayFile(file, read).Name, "Two  Lines");
  EXPECT_EQ(read.Count(), 0);
}

TEST(LayFile, ReadsBareLfAndLinesEndingAtCr) {
  const LayoutGrid turtle = Turtle();
  LayoutGrid read;
  EXPECT_TRUE(ParseLay("Sorami 3.0\nName\n" + Flags(turtle) + "\n", read).HeaderOk);
  EXPECT_EQ(read, turtle);
  read.Clear();
  EXPECT_TRUE(ParseLay("Sorami 3.0\r\nName\r\n" + Flags(turtle), read).HeaderOk);  // no final line end
  EXPECT_EQ(read, turtle);
  // A line ends at its CR; what stands between it and the LF is skipped.
  read.Clear();
  EXPECT_EQ(ParseLay("Sorami 3.0\rjunk\nName\r\n" + Flags(turtle) + "\r\n", read).Name, "Name");
  EXPECT_EQ(read, turtle);
}

TEST(LayFile, WrongHeaderTakesOnlyTheName) {
  const LayoutGrid turtle = Turtle();
  LayoutGrid layout = turtle;
  const LayReadResult r = ParseLay("sorami 3.0\r\nOther\r\n" + std::string(3400, '0') + "\r\n", layout);
  EXPECT_FALSE(r.HeaderOk);
  EXPECT_EQ(r.Name, "Other");
  EXPECT_EQ(layout, turtle);
  // With a wrong header the data is never looked at.
  EXPECT_FALSE(ParseLay("Sorami 2.0\r\nX\r\nshort\r\n", layout).HeaderOk);
  EXPECT_FALSE(ParseLay("", layout).HeaderOk);
  EXPECT_EQ(layout, turtle);
}

TEST(LayFile, DamagedDataLeavesTheLayoutAlone) {
  const LayoutGrid turtle = Turtle();
  std::string bad = Flags(turtle);
  bad[100] = '2';
  std::string tooMany(3400, '0');
  for (int k = 0; k < 145; ++k) tooMany[static_cast<std::size_t>(k * 2)] = '1';
  const std::string cases[] = {
      "Sorami 3.0\r\nName\r\n" + Flags(turtle).substr(0, 3399) + "\r\n",
      "Sorami 3.0\r\nName\r\n",
      "Sorami 3.0\r\nName\r\n" + bad + "\r\n",
      "Sorami 3.0\r\nName\r\n" + tooMany + "\r\n",
  };
  for (const std::string& c : cases) {
    LayoutGrid layout = turtle;
    EXPECT_THROW(ParseLay(c, layout), LayoutFileError);
    EXPECT_EQ(layout, turtle);
  }
  TempDir dir;
  LayoutGrid layout = turtle;
  try {
    ReadLayFile(dir.Write("bad.lay", cases[2]), layout);
    FAIL();
  } catch (const LayoutFileError& e) {
    EXPECT_NE(std::string(e.what()).find("bad.lay"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("character 101"), std::string::npos);
  }
  EXPECT_THROW(ReadLayFile(dir.path() / "missing.lay", layout), LayoutFileError);
  EXPECT_THROW(ReadLayFile(dir.path(), layout), LayoutFileError);
  EXPECT_EQ(layout, turtle);
}

TEST(LayFile, WriterRefusesMoreThan144PlacesAndUnwritableFolders) {
  TempDir dir;
  LayoutGrid big;
  testing::Block(big, 1, 1, 1, 17, 10);
  EXPECT_THROW(WriteLayFile(dir.path() / "big.lay", "Big", big), LayoutFileError);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "big.lay"));
  EXPECT_THROW(WriteLayFile(dir.path() / "no" / "such" / "x.lay", "X", Turtle()), LayoutFileError);
}

TEST(LayFile, AReadOnlyLayoutIsRefusedWithTheReasonAndKept) {
  TempDir dir;
  const auto file = dir.Write("Kept.lay", "old");
  testing::Unwritable locked(file);
  if (!locked.Works()) GTEST_SKIP() << "cannot make a file read-only here";
  try {
    WriteLayFile(file, "Kept", Turtle());
    FAIL() << "a read-only layout was overwritten";
  } catch (const LayoutFileError& e) {
    const std::string what = e.what();
    EXPECT_TRUE(what.starts_with("Cannot write file \"" + file.string() + "\": ")) << what;
    EXPECT_GT(what.size(), ("Cannot write file \"" + file.string() + "\": .").size()) << "the reason is given";
  }
  EXPECT_EQ(testing::ReadAll(file), "old");
}

TEST(LayFile, PipesAndDevicesAreRefusedWithoutWaiting) {
  TempDir dir;
  const auto fifo = dir.path() / "fifo.lay";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  LayoutGrid layout = Turtle();
  try {
    LoadLayout(fifo, layout);
    FAIL();
  } catch (const LayoutFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open layout file \"" + fifo.string() + "\": it is not a regular file.");
  }
  std::filesystem::create_symlink("/dev/zero", dir.path() / "zero.shp");
  EXPECT_THROW(ReadShpFile(dir.path() / "zero.shp", layout), LayoutFileError);
  EXPECT_EQ(layout, Turtle());
}

// A ".shp" text: each place as "   " + column, row, layer in hex + a tail.
std::string Shp(const std::vector<Cell>& cells, const char* tail = "xx") {
  static const char* hex = "0123456789ABCDEF";
  std::string s;
  for (const Cell& c : cells) {
    const int v[3] = {c.x - 2, c.y - 2, c.z - 1};
    s += "abc";
    for (int n : v) {
      s += hex[n / 16];
      s += hex[n % 16];
    }
    s += tail;
    s += "\r\n";
  }
  return s;
}

std::vector<Cell> Places(const LayoutGrid& l) {
  std::vector<Cell> out;
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x)
        if (l.Get(x, y, z)) out.push_back({x, y, z});
  return out;
}

TEST(ShpFile, ReadsHexCoordinates) {
  const LayoutGrid turtle = Turtle();
  LayoutGrid read;
  read.Set(1, 1, 1, 1);  // cleared first
  ParseShp(Shp(Places(turtle)) + "extra lines are not read\r\n", read);
  EXPECT_EQ(read, turtle);
  // 0A0300 anchors a place at (12, 5, 1); lines without a tail are enough.
  std::vector<Cell> cells = Places(turtle);
  ParseShp("   0A0300\r\n" + Shp({cells.begin() + 1, cells.end()}, ""), read);
  EXPECT_EQ(read.Get(12, 5, 1), 1);
  // Two lines naming one cell give one place.
  cells[1] = cells[0];
  ParseShp(Shp(cells), read);
  EXPECT_EQ(read.Count(), 143);
  // Bare LF line ends.
  std::string lf = Shp(Places(turtle));
  std::erase(lf, '\r');
  ParseShp(lf, read);
  EXPECT_EQ(read, turtle);
}

TEST(ShpFile, DamagedFilesLeaveTheLayoutAlone) {
  const LayoutGrid turtle = Turtle();
  std::vector<Cell> cells = Places(turtle);
  const std::string good = Shp(cells);
  std::string shortLine = good;
  shortLine.replace(shortLine.find("\r\n") - 3, 3, "");  // line 1 cut to 8 characters
  std::string lower = "abc0a0300\r\n" + Shp({cells.begin() + 1, cells.end()});  // "a" reads as 42
  std::string outside = "abc200000\r\n" + Shp({cells.begin() + 1, cells.end()});  // column 0x20 + 2 = 34: fine
  LayoutGrid ok;
  ParseShp(outside, ok);
  EXPECT_EQ(ok.Get(34, 2, 1), 1);
  const std::string cases[] = {
      Shp({cells.begin(), cells.begin() + 143}),        // 143 lines
      shortLine,                                        // a line of 8 characters
      lower,                                            // outside the grid
      "abc210000\r\n" + Shp({cells.begin() + 1, cells.end()}),  // column 35
      "abc001400\r\n" + Shp({cells.begin() + 1, cells.end()}),  // row 22
      "abc000005\r\n" + Shp({cells.begin() + 1, cells.end()}),  // layer 6
      "abc0 0000\r\n" + Shp({cells.begin() + 1, cells.end()}),  // a blank reads as -23
      "",
  };
  for (const std::string& c : cases) {
    LayoutGrid layout = turtle;
    EXPECT_THROW(ParseShp(c, layout), LayoutFileError);
    EXPECT_EQ(layout, turtle);
  }
  TempDir dir;
  LayoutGrid layout = turtle;
  EXPECT_THROW(ReadShpFile(dir.Write("x.shp", cases[0]), layout), LayoutFileError);
  EXPECT_THROW(ReadShpFile(dir.path() / "none.shp", layout), LayoutFileError);
  EXPECT_EQ(layout, turtle);
  ReadShpFile(dir.Write("y.shp", good), layout);
  EXPECT_EQ(layout, turtle);
}

}  // namespace
}  // namespace board
