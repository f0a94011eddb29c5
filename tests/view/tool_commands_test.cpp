// sorami-tool's text commands (deal, check, shuffle, rivers, memory,
// autoplay) and the report lines of render and panel, run on the shipped
// layouts: what they print, and that bad input gets status 2 and a message.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "board/board.h"
#include "view/tool_run.h"

namespace {

namespace fs = std::filesystem;
using tool_testing::Quoted;
using tool_testing::Tool;
using tool_testing::ToolRun;

const fs::path kLayouts = fs::path(SORAMI_DATA_DIR) / "Layouts";
const std::string kTraditional = Quoted(kLayouts / "Traditional.lay");

struct TileLine {
  int tile, x, y, z;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Reads the numbers of a line made of exactly `out.size()` whole numbers;
// false on anything else (a word, a missing or an extra field).
template <std::size_t N>
bool Numbers(const std::string& line, std::array<int, N>& out) {
  std::istringstream in(line);
  for (int& n : out)
    if (!(in >> n)) return false;
  std::string rest;
  return !(in >> rest);
}

// The "tile x y z" lines of a placement. Every line must be one; each tile
// and each place appears once, every place lies on the board.
std::vector<TileLine> Tiles(const std::vector<std::string>& lines) {
  std::vector<TileLine> tiles;
  std::set<int> seen;
  std::set<std::tuple<int, int, int>> places;
  for (const std::string& line : lines) {
    std::array<int, 4> f{};
    EXPECT_TRUE(Numbers(line, f)) << "not a tile line: " << line;
    const TileLine t{f[0], f[1], f[2], f[3]};
    EXPECT_TRUE(t.tile >= 1 && t.tile <= board::MaxTiles) << line;
    EXPECT_TRUE(t.x >= 1 && t.x <= board::MaxX && t.y >= 1 && t.y <= board::MaxY && t.z >= 1 && t.z <= board::MaxZ)
        << line;
    EXPECT_TRUE(seen.insert(t.tile).second) << "tile twice: " << line;
    EXPECT_TRUE(places.insert({t.x, t.y, t.z}).second) << "place twice: " << line;
    tiles.push_back(t);
  }
  return tiles;
}

std::vector<TileLine> Tiles(const ToolRun& r) { return Tiles(Lines(r.output)); }

std::set<std::tuple<int, int, int>> Places(const std::vector<TileLine>& tiles) {
  std::set<std::tuple<int, int, int>> places;
  for (const TileLine& t : tiles) places.insert({t.x, t.y, t.z});
  return places;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool Mentions(const ToolRun& r, const std::string& part) { return Contains(r.output, part); }

std::string FileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ToolCommandsTest : public tool_testing::ToolsTest {
 protected:
  // Traditional with one place taken away: 143 places, unfit to play.
  fs::path ShortLayout() {
    std::string text = FileText(kLayouts / "Traditional.lay");
    const std::size_t flags = text.find('\n', text.find('\n') + 1) + 1;  // the third line
    text[text.find('1', flags)] = '0';
    const fs::path file = dir / "Short.lay";
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  // Traditional with its first two places moved to the corners (1, 1) and
  // (31, 19) of layer 1, whose tile pictures fall off the board.
  fs::path OutsideLayout() {
    std::string text = FileText(kLayouts / "Traditional.lay");
    const std::size_t flags = text.find('\n', text.find('\n') + 1) + 1;
    text[text.find('1', flags)] = '0';
    text[text.find('1', flags)] = '0';
    text[flags + board::LayoutGrid::Index(1, 1, 1)] = '1';
    text[flags + board::LayoutGrid::Index(31, 19, 1)] = '1';
    const fs::path file = dir / "Outside.lay";
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }
  fs::path DamagedLayout() {
    const fs::path file = dir / "Damaged.lay";
    std::ofstream(file, std::ios::binary) << "Sorami 3.0\r\nDamaged\r\n0101\r\n";
    return file;
  }
};

TEST_F(ToolCommandsTest, EveryShippedLayoutLiesWhollyOnTheBoard) {
  std::string args = "check";
  int layouts = 0;
  for (const auto& entry : fs::directory_iterator(kLayouts)) {
    args += " " + Quoted(entry.path());
    ++layouts;
  }
  const ToolRun r = Tool(args + " --deals 1");
  EXPECT_EQ(r.status, 0) << r.output;
  std::size_t outsideLines = 0;
  for (const std::string& line : Lines(r.output)) {
    if (line.rfind("  places outside the board: ", 0) != 0) continue;
    ++outsideLines;
    EXPECT_EQ(line, "  places outside the board: 0");
  }
  EXPECT_EQ(outsideLines, static_cast<std::size_t>(layouts));
  EXPECT_GE(layouts, 13);
}

TEST_F(ToolCommandsTest, WithoutACommandItListsTheCommands) {
  ToolRun r = Tool("");
  EXPECT_EQ(r.status, 2);
  for (const char* command : {"autoplay", "check", "deal", "memory", "panel", "render", "resume", "rivers", "shuffle"})
    EXPECT_TRUE(Mentions(r, std::string("sorami-tool ") + command + " ")) << command << "\n" << r.output;
  r = Tool("play");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "unknown command 'play'")) << r.output;
}

TEST_F(ToolCommandsTest, DealPrintsEveryTileOfTheGameNumberOnItsPlace) {
  const ToolRun r = Tool("deal " + kTraditional + " --seed 7");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<TileLine> tiles = Tiles(r);
  ASSERT_EQ(tiles.size(), 144u);
  for (std::size_t i = 0; i < tiles.size(); ++i) EXPECT_EQ(tiles[i].tile, static_cast<int>(i) + 1);  // ascending
  EXPECT_EQ(Tool("deal " + kTraditional + " --seed 7").output, r.output);  // a game number is one board
  const ToolRun other = Tool("deal " + kTraditional + " --seed 8");
  EXPECT_NE(other.output, r.output);
  EXPECT_EQ(Places(Tiles(other)), Places(tiles));  // the layout's places, other tiles on them
  // A negative game number is the 32-bit value the game stores for it.
  EXPECT_EQ(Tool("deal " + kTraditional + " --seed -7").output,
            Tool("deal " + kTraditional + " --seed 4294967289").output);
}

TEST_F(ToolCommandsTest, WinnableDealPrintsARemovalOrderOfItsOwnPlaces) {
  const ToolRun r = Tool("deal " + kTraditional + " --seed 7 --winnable");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<std::string> lines = Lines(r.output);
  ASSERT_EQ(lines.size(), 144u + 1 + 144u);
  EXPECT_EQ(lines[144], "order");
  const auto places = Places(Tiles(std::vector<std::string>(lines.begin(), lines.begin() + 144)));
  std::set<std::tuple<int, int, int>> removed;
  for (std::size_t i = 145; i < lines.size(); ++i) {
    std::array<int, 3> c{};
    ASSERT_TRUE(Numbers(lines[i], c)) << lines[i];
    EXPECT_TRUE(places.count({c[0], c[1], c[2]})) << "not a place of the deal: " << lines[i];
    EXPECT_TRUE(removed.insert({c[0], c[1], c[2]}).second) << "removed twice: " << lines[i];
  }

  // 143 places have no removal order: the tiles are dealt at random, status 1.
  const ToolRun fallBack = Tool("deal " + Quoted(ShortLayout()) + " --seed 7 --winnable");
  EXPECT_EQ(fallBack.status, 1);
  EXPECT_TRUE(Mentions(fallBack, "no removal order exists for this layout")) << fallBack.output;
  EXPECT_FALSE(Mentions(fallBack, "order\n"));
}

TEST_F(ToolCommandsTest, DealRefusesBadInput) {
  struct Case {
    std::string args, message;
  };
  const fs::path damaged = DamagedLayout();
  const std::vector<Case> cases = {
      {"deal " + Quoted(damaged) + " --seed 1", "Layout file \"" + damaged.string() + "\" is damaged: "},
      {"deal " + Quoted(dir / "None.lay") + " --seed 1",
       "Cannot open layout file \"" + (dir / "None.lay").string() + "\""},
      {"deal " + kTraditional, "usage: sorami-tool deal LAYOUT --seed N"},
      {"deal " + kTraditional + " --seed seven", "'seven' is not a 32-bit seed"},
      {"deal " + kTraditional + " --seed 4294967296", "'4294967296' is not a 32-bit seed"},
      {"deal " + kTraditional + " --seed 1 --bogus", "unknown option --bogus"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_EQ(r.output.rfind("sorami-tool deal: ", 0), 0u) << c.args << "\n" << r.output;
    EXPECT_TRUE(Mentions(r, c.message)) << c.args << "\n" << r.output;
  }
}

TEST_F(ToolCommandsTest, CheckReportsAFitLayoutAndAnUnfitOne) {
  const std::string traditional = (kLayouts / "Traditional.lay").string();
  ToolRun r = Tool("check " + kTraditional + " --deals 3");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, traditional +
                          "\n  places: 144\n  overlapping places: 0\n  floating places: 0\n"
                          "  places outside the board: 0\n  winnable deals finished: 3 of 3\n  ok\n");

  const fs::path shortLayout = ShortLayout();
  r = Tool("check " + Quoted(shortLayout) + " " + kTraditional + " --deals 2");
  EXPECT_EQ(r.status, 1);  // one layout failed
  EXPECT_TRUE(Mentions(r, shortLayout.string() + "\n  places: 143 (a layout needs 144)\n")) << r.output;
  EXPECT_TRUE(Mentions(r, "  winnable deals finished: 0 of 2 (first failing seed ")) << r.output;
  EXPECT_TRUE(Mentions(r, "  FAILED\n" + traditional + "\n")) << r.output;  // and went on
  EXPECT_TRUE(Mentions(r, "2 of 2\n  ok\n")) << r.output;

  // Tiles whose pictures leave the board are listed with their places.
  const fs::path outside = OutsideLayout();
  r = Tool("check " + Quoted(outside) + " --deals 0");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Mentions(r, "\n  places outside the board: 2 (1,1,1) (31,19,1)\n")) << r.output;
  EXPECT_TRUE(Mentions(r, "  FAILED\n")) << r.output;

  // A damaged file: a message and status 2, the other files still checked.
  r = Tool("check " + Quoted(DamagedLayout()) + " " + kTraditional + " --deals 1");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "sorami-tool check: ")) << r.output;
  EXPECT_TRUE(Mentions(r, traditional + "\n  places: 144\n")) << r.output;

  for (const std::string& bad : std::vector<std::string>{"check", "check " + kTraditional + " --deals", "check " + kTraditional + " --deals x",
                                 "check " + kTraditional + " --deals -1", "check " + kTraditional + " --fast"}) {
    r = Tool(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_FALSE(Mentions(r, "places:")) << bad;
  }
}

TEST_F(ToolCommandsTest, ShuffleMixesTheTilesLeftOnTheirPlaces) {
  const std::vector<TileLine> dealt = Tiles(Tool("deal " + kTraditional + " --seed 7"));
  const ToolRun r = Tool("shuffle " + kTraditional + " --seed 7");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<TileLine> shuffled = Tiles(r);
  ASSERT_EQ(shuffled.size(), 144u);
  EXPECT_EQ(Places(shuffled), Places(dealt));
  int moved = 0;
  for (std::size_t i = 0; i < shuffled.size(); ++i)
    moved += shuffled[i].x != dealt[i].x || shuffled[i].y != dealt[i].y || shuffled[i].z != dealt[i].z;
  EXPECT_GT(moved, 100);

  // Ten pairs of the removal order taken first, then a winnable shuffle.
  const std::string winnable = "shuffle " + kTraditional + " --seed 7 --winnable --remove 10 --board-seed 3";
  const ToolRun after = Tool(winnable);
  ASSERT_EQ(after.status, 0) << after.output;
  EXPECT_EQ(Tiles(after).size(), 124u);
  EXPECT_EQ(Tool(winnable).output, after.output);

  for (const std::string& bad : std::vector<std::string>{
           "shuffle " + kTraditional + " --seed 7 --remove 3", "shuffle " + kTraditional + " --seed 7 --winnable --remove 73",
        "shuffle " + kTraditional + " --seed 7 --board-seed x", "shuffle " + Quoted(DamagedLayout()) + " --seed 7",
        "shuffle " + kTraditional, "shuffle " + kTraditional + " --seed 7 --fast"}) {
    const ToolRun refused = Tool(bad);
    EXPECT_EQ(refused.status, 2) << bad;
    EXPECT_TRUE(Mentions(refused, "sorami-tool shuffle: ")) << bad << "\n" << refused.output;
  }
}

TEST_F(ToolCommandsTest, RiversAndMemoryPlaceTheirTilesInGroupsOfFour) {
  struct Case {
    const char* args;
    std::size_t tiles;
    int layers;
  };
  for (const Case& c : {Case{"rivers easy", 84, 1}, Case{"rivers hard", 144, 2}, Case{"memory easy", 32, 1},
                        Case{"memory hard", 84, 1}}) {
    const ToolRun r = Tool(std::string(c.args) + " --seed 3");
    ASSERT_EQ(r.status, 0) << c.args << "\n" << r.output;
    const std::vector<TileLine> tiles = Tiles(r);
    EXPECT_EQ(tiles.size(), c.tiles) << c.args;
    std::map<int, int> groups;
    std::map<int, std::set<std::pair<int, int>>> layers;
    for (const TileLine& t : tiles) {
      ++groups[board::Group(t.tile)];
      layers[t.z].insert({t.x, t.y});
    }
    for (const auto& [group, count] : groups) EXPECT_EQ(count, 4) << c.args << " group " << group;
    ASSERT_EQ(static_cast<int>(layers.size()), c.layers) << c.args;
    if (c.layers == 2) {
      EXPECT_EQ(layers[1], layers[2]) << "the upper layer lies exactly on the lower one";
    }
    EXPECT_EQ(Tool(std::string(c.args) + " --seed 3").output, r.output) << c.args;
    EXPECT_NE(Tool(std::string(c.args) + " --seed 4").output, r.output) << c.args;
  }
  for (const char* bad : {"rivers medium --seed 3", "memory easy", "memory easy hard --seed 3", "rivers easy --seed x",
                          "rivers easy --seed 3 --fast"}) {
    const ToolRun r = Tool(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_TRUE(Mentions(r, "sorami-tool ")) << bad;
    EXPECT_FALSE(Mentions(r, "\n1 ")) << bad;
  }
}

// autoplay wins every kind of game and reports its end.
class AutoplayTest : public ToolCommandsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AutoplayTest, PlaysTheGameToItsEnd) {
  const std::string mode = GetParam();
  const bool solitaire = mode == "solitaire" || mode == "two-player";
  const ToolRun r = Tool("autoplay --mode " + mode + " --seed 5" + (solitaire ? " " + kTraditional : ""));
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<std::string> lines = Lines(r.output);
  ASSERT_GE(lines.size(), 4u) << r.output;
  EXPECT_EQ(lines[0].rfind("status: ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "tiles left: 0");
  std::size_t next = 2;
  auto Clock = [&](const std::string& label) {
    ASSERT_LT(next, lines.size());
    const std::string& line = lines[next++];
    ASSERT_EQ(line.rfind(label, 0), 0u) << line;
    const std::string time = line.substr(label.size());
    EXPECT_TRUE(time.size() == 5 && time[2] == ':' && std::isdigit(static_cast<unsigned char>(time[0])) &&
                std::isdigit(static_cast<unsigned char>(time[4]))) << line;
  };
  if (mode == "two-player") {
    EXPECT_TRUE(Mentions(r, " WON ! Congratulations !")) << r.output;
    Clock("player 1: ");
    Clock("player 2: ");
  } else {
    EXPECT_TRUE(Mentions(r, "You WON ! Your time is : ")) << r.output;
    Clock("time: ");
  }
  ASSERT_LT(next, lines.size());
  EXPECT_EQ(lines[next++], "mode: 6");  // finished
  if (mode.rfind("rivers", 0) == 0) {
    int shuffles = -1;
    ASSERT_LT(next, lines.size());
    EXPECT_EQ(std::sscanf(lines[next++].c_str(), "shuffles: %d", &shuffles), 1);
    EXPECT_GE(shuffles, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, AutoplayTest,
                         ::testing::Values("solitaire", "two-player", "rivers-easy", "rivers-hard", "memory-easy",
                                           "memory-hard"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

// autoplay --keys plays the same game by key presses only: the same end, the
// same time, and the count of keys pressed.
TEST_P(AutoplayTest, PlaysTheSameGameByKeys) {
  const std::string mode = GetParam();
  const bool solitaire = mode == "solitaire" || mode == "two-player";
  const std::string command = "autoplay --mode " + mode + " --seed 5" + (solitaire ? " " + kTraditional : "");
  const ToolRun byPointer = Tool(command);
  const ToolRun byKeys = Tool(command + " --keys");
  ASSERT_EQ(byKeys.status, 0) << byKeys.output;
  const std::size_t at = byKeys.output.find("key presses: ");
  ASSERT_NE(at, std::string::npos) << byKeys.output;
  int presses = 0;
  EXPECT_EQ(std::sscanf(byKeys.output.c_str() + at, "key presses: %d", &presses), 1);
  EXPECT_GT(presses, 0);
  std::string withoutCount = byKeys.output;
  withoutCount.erase(at, withoutCount.find('\n', at) + 1 - at);
  EXPECT_EQ(withoutCount, byPointer.output);
}

// A game stopped part way and saved, then resumed, is played to its end.
class SaveAndResumeTest : public ToolCommandsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SaveAndResumeTest, AStoppedGameIsResumedToItsEnd) {
  const std::string mode = GetParam();
  const bool solitaire = mode == "solitaire" || mode == "two-player";
  const fs::path saved = dir / "part.sorami-game";
  ToolRun r = Tool("autoplay --mode " + mode + " --seed 5" + (solitaire ? " " + kTraditional : "") +
                   " --stop-after 4 --save " + Quoted(saved));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_FALSE(Mentions(r, "tiles left: 0\n")) << r.output;
  EXPECT_TRUE(Mentions(r, "mode: " + std::string(solitaire ? (mode == "two-player" ? "2" : "1")
                                                           : (mode.rfind("rivers", 0) == 0 ? "3" : "4")))) << r.output;
  // The layout is found by its name in the shipped Layouts folder.
  r = Tool("resume " + Quoted(saved));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, "tiles left: 0\n")) << r.output;
  EXPECT_TRUE(Mentions(r, "mode: 6\n")) << r.output;
  EXPECT_TRUE(Mentions(r, "WON !")) << r.output;
}

INSTANTIATE_TEST_SUITE_P(EveryMode, SaveAndResumeTest,
                         ::testing::Values("solitaire", "two-player", "rivers-hard", "memory-easy"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

TEST_F(ToolCommandsTest, ResumeRefusesWhatIsNoWholeSavedGame) {
  const fs::path saved = dir / "part.sorami-game";
  ASSERT_EQ(Tool("autoplay " + kTraditional + " --seed 8 --stop-after 3 --save " + Quoted(saved)).status, 0);
  std::string text = FileText(saved);
  const fs::path cut = dir / "cut.sorami-game";
  std::ofstream(cut) << text.substr(0, text.size() / 2);
  const fs::path damaged = dir / "damaged.sorami-game";
  std::ofstream(damaged) << text.replace(text.find("removed 6"), 9, "removed 7");
  for (const auto& [file, words] : std::vector<std::pair<fs::path, std::string>>{
           {cut, "incomplete"}, {damaged, "damaged"}, {dir / "none.sorami-game", "Cannot open"},
           {fs::path(kLayouts / "Traditional.lay"), "not a Sorami saved game"}}) {
    const ToolRun r = Tool("resume " + Quoted(file));
    EXPECT_EQ(r.status, 2) << file;
    EXPECT_TRUE(Mentions(r, "sorami-tool resume: ")) << r.output;
    EXPECT_TRUE(Mentions(r, words)) << r.output;
    EXPECT_FALSE(Mentions(r, "tiles left")) << r.output;
  }
  // Stopping needs a number of pairs; a finished game has nothing to save.
  EXPECT_EQ(Tool("autoplay " + kTraditional + " --seed 8 --stop-after x --save " + Quoted(saved)).status, 2);
  const ToolRun r = Tool("autoplay " + kTraditional + " --seed 8 --save " + Quoted(dir / "won.sorami-game"));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "no game in progress")) << r.output;
}

TEST_F(ToolCommandsTest, AutoplayWritesTheWinIntoTheHallOfFameFile) {
  const fs::path hall = dir / "Hallfame.ini";
  ToolRun r = Tool("autoplay " + kTraditional + " --seed 5 --hall " + Quoted(hall));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, "hall of fame: rank 1\n")) << r.output;
  int minutes = 0, seconds = 0;
  ASSERT_EQ(std::sscanf(r.output.substr(r.output.find("time: ")).c_str(), "time: %d:%d", &minutes, &seconds), 2);
  std::string text = FileText(hall);
  EXPECT_EQ(text.rfind("[Traditional]\r\nRank1=", 0), 0u) << text;
  EXPECT_TRUE(Contains(text, " " + std::to_string(minutes * 60 + seconds) + "    0\r\n")) << text;

  // A second game keeps the first table and adds its own.
  r = Tool("autoplay --mode memory-easy --seed 5 --hall " + Quoted(hall));
  ASSERT_EQ(r.status, 0) << r.output;
  text = FileText(hall);
  EXPECT_TRUE(Contains(text, "[Traditional]\r\nRank1=")) << text;
  EXPECT_TRUE(Contains(text, "[Memory]\r\nRank1=")) << text;

  // A hall of fame that cannot be read stops the command before it plays.
  r = Tool("autoplay " + kTraditional + " --seed 5 --hall " + Quoted(dir));
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(Mentions(r, "tiles left")) << r.output;
}

TEST_F(ToolCommandsTest, AutoplayRefusesBadInput) {
  for (const std::string& bad : std::vector<std::string>{
           "autoplay --mode chess --seed 5 " + kTraditional, "autoplay --seed 5", "autoplay --seed 0 " + kTraditional,
        "autoplay --seed 2147483648 " + kTraditional, "autoplay --mode rivers-easy --seed x",
        "autoplay --mode memory-easy --seed 5 " + kTraditional + " " + kTraditional,
        "autoplay --seed 5 " + Quoted(DamagedLayout()), "autoplay --seed 5 --fast " + kTraditional}) {
    const ToolRun r = Tool(bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_TRUE(Mentions(r, "sorami-tool autoplay: ")) << bad << "\n" << r.output;
    EXPECT_FALSE(Mentions(r, "tiles left")) << bad;
  }
}

TEST_F(ToolCommandsTest, RenderAndPanelReportWhatTheyWroteOrWhyNot) {
  const fs::path board = dir / "board.png";
  ToolRun r = Tool("render Traditional --seed 9 --winnable --background none --out " + Quoted(board));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, board.string() + ": 144 tiles, winnable deal\n")) << r.output;
  // A layout named without its extension is looked up in the Layouts folder, .shp files too.
  r = Tool("render Lantern --seed 9 --background none --out " + Quoted(board));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, board.string() + ": 144 tiles, plain deal\n")) << r.output;
  r = Tool("render " + Quoted(ShortLayout()) + " --seed 9 --winnable --background none --out " + Quoted(board));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, ": 143 tiles, plain (no winnable deal exists) deal\n")) << r.output;

  const fs::path hall = dir / "Hallfame.ini";
  std::ofstream(hall) << "[Rivers]\r\nRank1=Alice     123    0\r\n";
  const fs::path panel = dir / "panel.png";
  r = Tool("panel --hall " + Quoted(hall) + " --table 100 --rank 1 --out " + Quoted(panel));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Mentions(r, panel.string() + ": table 100\n")) << r.output;
  EXPECT_EQ(Tool("panel --hall " + Quoted(hall) + " --table 100 --rank 11 --out " + Quoted(panel)).status, 2);
  EXPECT_EQ(Tool("panel --hall " + Quoted(hall) + " --table x --out " + Quoted(panel)).status, 2);
  // A mistyped option is refused, not ignored.
  r = Tool("render Traditional --seed 9 --shadow off --out " + Quoted(board));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "sorami-tool render: unknown option --shadow\nusage: sorami-tool render LAYOUT")) << r.output;
  r = Tool("panel --hall " + Quoted(hall) + " --table 100 --two-players --out " + Quoted(panel));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "sorami-tool panel: unknown option --two-players\n")) << r.output;

  // A picture that cannot be written: status 2, and nothing left behind.
  const fs::path nowhere = dir / "missing" / "out.png";
  r = Tool("render Traditional --seed 9 --background none --out " + Quoted(nowhere));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "sorami-tool render: cannot write " + nowhere.string())) << r.output;
  r = Tool("panel --hall " + Quoted(hall) + " --table 100 --out " + Quoted(nowhere));
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Mentions(r, "sorami-tool panel: cannot write " + nowhere.string())) << r.output;
  const fs::path readOnly = dir / "taken.png";
  fs::create_directory(readOnly);  // a folder where the picture should go
  r = Tool("render Traditional --seed 9 --background none --out " + Quoted(readOnly));
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(readOnly.string() + ".part"));
  EXPECT_TRUE(fs::is_directory(readOnly));
}

}  // namespace

namespace {

TEST_F(ToolCommandsTest, SolvePrintsTheAnswerAndAnOrderThatClearsTheDeal) {
  const ToolRun r = Tool("solve " + kTraditional + " --seed 7 --winnable");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<std::string> lines = Lines(r.output);
  ASSERT_EQ(lines.size(), 2u + 72u) << r.output;
  EXPECT_EQ(lines[0], "winnable");
  EXPECT_EQ(lines[1].rfind("time: ", 0), 0u) << lines[1];
  EXPECT_TRUE(Contains(lines[1], " ms")) << lines[1];
  // Every tile once, two of one group a line.
  std::set<int> seen;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    std::array<int, 2> pair{};
    ASSERT_TRUE(Numbers(lines[i], pair)) << lines[i];
    EXPECT_EQ(board::Group(pair[0]), board::Group(pair[1])) << lines[i];
    EXPECT_TRUE(seen.insert(pair[0]).second && seen.insert(pair[1]).second) << lines[i];
  }
  EXPECT_EQ(seen.size(), 144u);
}

TEST_F(ToolCommandsTest, SolveTellsALostDealAndAnExhaustedBudgetByItsStatus) {
  // Among the first plain deals of Traditional, seed 49 cannot be won.
  const ToolRun lost = Tool("solve " + kTraditional + " --seed 49");
  EXPECT_EQ(lost.status, 1) << lost.output;
  EXPECT_EQ(Lines(lost.output).size(), 2u) << lost.output;
  EXPECT_EQ(Lines(lost.output)[0], "unwinnable");
  const ToolRun vertical = Tool("solve " + kTraditional + " --seed 7 --winnable --vertical --budget-ms 5000");
  EXPECT_TRUE(vertical.status == 0 || vertical.status == 1 || vertical.status == 3) << vertical.output;
  for (const char* bad : {"--seed x", "--seed 1 --budget-ms 0", "--seed 1 --budget-ms", "--seed 1 --fast", ""}) {
    const ToolRun r = Tool("solve " + kTraditional + " " + bad);
    EXPECT_EQ(r.status, 2) << bad << "\n" << r.output;
  }
  EXPECT_EQ(Tool("solve " + Quoted(dir / "none.lay") + " --seed 1").status, 2);
}

TEST_F(ToolCommandsTest, StatsCountsTheLostDealsWithTheirIntervalAndTimes) {
  const ToolRun r = Tool("stats " + kTraditional + " --deals 12 --first-seed 40 --threads 1");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(Contains(r.output, "deals: 12 (seeds 40 to 51")) << r.output;
  EXPECT_TRUE(Contains(r.output, "unwinnable: ")) << r.output;
  EXPECT_TRUE(Contains(r.output, "95 % interval")) << r.output;
  EXPECT_TRUE(Contains(r.output, "undecided: ")) << r.output;
  EXPECT_TRUE(Contains(r.output, "median ")) << r.output;
  EXPECT_TRUE(Contains(r.output, "99th percentile")) << r.output;
  EXPECT_TRUE(Contains(r.output, "processor time: median ")) << r.output;
  EXPECT_TRUE(Contains(r.output, "12/12")) << r.output;  // the progress bar at its end
  for (const char* bad : {"--deals 0", "--deals 5 --threads 0", "--deals 5 --first-seed -1", "--deals x", ""}) {
    const ToolRun b = Tool("stats " + kTraditional + " " + bad);
    EXPECT_EQ(b.status, 2) << bad << "\n" << b.output;
  }
}

}  // namespace
