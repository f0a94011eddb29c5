// Saved games: what is written reads back as the same game, and what is not
// a whole, consistent saved game of this version is refused with a message.
#include "game/saved_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/dealing.h"
#include "board/temp_dir.h"
#include "board/test_layouts.h"
#include "game/saved_game_states.h"

namespace game {
namespace {

using testing::CanonicalAfterReading;
using testing::MemoryGame;
using testing::RiversGame;
using testing::SolitaireGame;
using Kind = SavedGameError::Kind;

SavedGame Saved(const GameState& state, bool vertical = false) {
  SavedGame saved;
  saved.State = state;
  saved.LayoutFileName = "Turtle.lay";
  saved.VerticalRule = vertical;
  return saved;
}

// Writes a snapshot, reads it back, and checks the game is the same one.
void ExpectRoundTrip(const SavedGame& saved) {
  const std::string text = SavedGameText(saved);
  const SavedGameRead read = ReadSavedGameText(text, "game");
  ASSERT_TRUE(read) << read.Error.Message << "\n" << text;
  SavedGame expected = saved;
  expected.State = CanonicalAfterReading(saved.State, saved.VerticalRule);
  expected.State.LayoutFile = saved.LayoutFileName;
  EXPECT_TRUE(read.Game->State == expected.State) << text;
  EXPECT_EQ(read.Game->LayoutFileName, saved.LayoutFileName);
  EXPECT_EQ(read.Game->VerticalRule, saved.VerticalRule);
  // And it writes the same text again.
  EXPECT_EQ(SavedGameText(*read.Game), text);
}

// ---------------------------------------------------------------- round trips

TEST(SavedGameRoundTrip, EveryKindAtAwkwardMoments) {
  {
    SCOPED_TRACE("solitaire, a few pairs in, a hint on show, vertical rule");
    GameState s = SolitaireGame(101, 5, /*vertical=*/true);
    s.Picks.HintFirst = s.Board.FreeTiles[1];
    s.Picks.HintIndex = 3;
    s.Picks.First = static_cast<std::uint8_t>(s.Board.FreeTiles[2]);
    s.Clock.Penalty = 80;
    ExpectRoundTrip(Saved(s, true));
  }
  {
    SCOPED_TRACE("solitaire, paused after Back: the pair taken back leaves its history behind");
    GameState s = SolitaireGame(202, 6);
    testing::TakeBackPair(s);
    s.PhaseBeforePause = GamePhase::Running;
    s.Phase = GamePhase::Paused;
    s.Clock.PausedElapsed = 125400;
    s.Clock.ElapsedSeconds = 125;
    ExpectRoundTrip(Saved(s));
  }
  {
    SCOPED_TRACE("two-player, second player to move");
    GameState s = SolitaireGame(303, 3);
    s.Kind = GameKind::TwoPlayer;
    s.Turns = {true, 41000, 17000, 0, 0};
    ExpectRoundTrip(Saved(s));
  }
  {
    SCOPED_TRACE("Rivers hard, a tile mid-way on its slide outside the block");
    GameState s = RiversGame(kRiversHardTable, 4);
    const int tile = testing::FirstTileOnBoard(s);
    s.Board.TakeTile(tile);
    s.Board.PutTile(tile, board::Cell{32, 19, 1});
    s.Slide = {true, tile, 32, 19};
    s.Picks.First = static_cast<std::uint8_t>(tile);
    ExpectRoundTrip(Saved(s));
  }
  {
    SCOPED_TRACE("Memory easy, a turned pair waiting for its judgement");
    GameState s = MemoryGame(kMemoryEasyTable, 2);
    const int a = testing::FirstTileOnBoard(s);
    int b = a + 1;
    while (!s.Board.TilePlaces[b].OnBoard()) ++b;
    s.Picks.First = static_cast<std::uint8_t>(a);
    s.Picks.Second = static_cast<std::uint8_t>(b);
    s.Reveal.Countdown = 7;
    s.Clock.Penalty = 6;
    ExpectRoundTrip(Saved(s));
  }
  {
    SCOPED_TRACE("Memory hard, just dealt; Rivers easy, paused");
    ExpectRoundTrip(Saved(MemoryGame(kMemoryHardTable, 0)));
    GameState s = RiversGame(kRiversEasyTable, 10);
    s.PhaseBeforePause = GamePhase::Running;
    s.Phase = GamePhase::Paused;
    ExpectRoundTrip(Saved(s));
  }
}

// A hint still names its tiles after they were taken; the file shows none.
TEST(SavedGameRoundTrip, AHintOnTilesTakenSinceIsNotShown) {
  GameState s = SolitaireGame(404, 3);
  s.Picks.HintFirst = s.History[4].tile;
  s.Picks.HintSecond = s.History[5].tile;
  s.Picks.HintIndex = 2;
  const SavedGameRead read = ReadSavedGameText(SavedGameText(Saved(s)), "hint");
  ASSERT_TRUE(read) << read.Error.Message;
  EXPECT_EQ(read.Game->State.Picks.HintFirst, 0);
  EXPECT_EQ(read.Game->State.Picks.HintSecond, 0);
  EXPECT_EQ(read.Game->State.Picks.HintIndex, 2);
}

TEST(SavedGameRoundTrip, TextValuesOfAnyBytesComeBack) {
  GameState s = SolitaireGame(7, 1);
  s.LayoutName = std::string("Zoë \\n\t\x01\x7F line\nbreak\r\\x41", 27);
  SavedGame saved = Saved(s);
  saved.LayoutFileName = "My Board\\.lay";
  ExpectRoundTrip(saved);
}

TEST(SavedGameRoundTrip, OnlyGamesInProgressAreWritten) {
  board::testing::TempDir dir;
  const std::string path = (dir.path() / "Current.sorami-game").string();
  GameState s = SolitaireGame(9, 2);
  for (const GamePhase phase : {GamePhase::Finished, GamePhase::Stopped, GamePhase::Idle}) {
    s.Phase = phase;
    const auto error = WriteSavedGameFile(path, Saved(s));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->What, Kind::CannotWrite);
  }
  s.Phase = GamePhase::Running;
  s.Kind = GameKind::Editor;
  EXPECT_TRUE(WriteSavedGameFile(path, Saved(s)).has_value());
  EXPECT_FALSE(base::Exists(path));

  // A game the reader would refuse is not written over a good file.
  s = SolitaireGame(9, 2);
  ASSERT_FALSE(WriteSavedGameFile(path, Saved(s)).has_value());
  std::string before;
  ASSERT_EQ(base::ReadWholeFile(path, before), base::ReadStatus::Ok);
  GameState broken = s;
  broken.Board.PutTile(1, broken.Board.TilePlaces[2]);  // two tiles, one place
  const auto error = WriteSavedGameFile(path, Saved(broken));
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->Message.find("cannot be saved"), std::string::npos) << error->Message;
  std::string after;
  ASSERT_EQ(base::ReadWholeFile(path, after), base::ReadStatus::Ok);
  EXPECT_EQ(after, before);

  const SavedGameRead read = ReadSavedGameFile(path);
  ASSERT_TRUE(read) << read.Error.Message;
  EXPECT_EQ(read.Game->State.Board.TilePlaces, s.Board.TilePlaces);
}

// ---------------------------------------------------------------- refusals

std::string GoodText() { return SavedGameText(Saved(SolitaireGame(55, 4))); }

TEST(SavedGameRefusal, ForeignNewerAndTruncatedFiles) {
  const auto kindOf = [](const std::string& text) { return ReadSavedGameText(text, "f").Error.What; };
  EXPECT_EQ(kindOf(""), Kind::Foreign);
  EXPECT_EQ(kindOf("[Sorami]\nTileset=3\n"), Kind::Foreign);
  EXPECT_EQ(kindOf("Sorami 3.0\r\nTraditional\r\n"), Kind::Foreign);
  EXPECT_EQ(kindOf("Sorami saved game 0\n"), Kind::Foreign);
  EXPECT_EQ(kindOf("Sorami saved game one\n"), Kind::Foreign);

  std::string text = GoodText();
  const std::string body = text.substr(text.find('\n'));
  for (const std::string version : {"2", "17", "99999999999999999999"}) {
    const SavedGameRead read = ReadSavedGameText("Sorami saved game " + version + body, "next.sorami-game");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.Error.What, Kind::Newer) << version;
    EXPECT_NE(read.Error.Message.find("newer version"), std::string::npos);
    EXPECT_NE(read.Error.Message.find("next.sorami-game"), std::string::npos);
  }
  // Whatever a newer file holds after its first line is not looked at.
  EXPECT_EQ(kindOf("Sorami saved game 2\nsomething new\n"), Kind::Newer);

  // Every cut refuses the file; past the first line it is told as cut short.
  const std::size_t firstLine = text.find('\n') + 1;
  for (std::size_t n = 0; n < text.size(); ++n) {
    const SavedGameRead read = ReadSavedGameText(std::string_view(text).substr(0, n), "cut");
    ASSERT_FALSE(read) << n;
    if (n >= firstLine) {
      ASSERT_EQ(read.Error.What, Kind::Truncated) << n << ": " << read.Error.Message;
    }
  }
  EXPECT_TRUE(ReadSavedGameText(text, "whole"));
  EXPECT_EQ(ReadSavedGameText(text + "more\n", "long").Error.What, Kind::Damaged);
}

// Every single byte changed, and every byte dropped: the reader never
// fails to answer, and what it accepts is a game that writes and reads
// back as itself.
TEST(SavedGameRefusal, ByteByByteDamage) {
  const std::string text = GoodText();
  int accepted = 0;
  const auto check = [&](const std::string& damaged) {
    const SavedGameRead read = ReadSavedGameText(damaged, "d");
    if (!read) {
      EXPECT_FALSE(read.Error.Message.empty());
      return;
    }
    ++accepted;
    const std::string again = SavedGameText(*read.Game);
    const SavedGameRead reread = ReadSavedGameText(again, "again");
    ASSERT_TRUE(reread) << reread.Error.Message;
    ASSERT_EQ(SavedGameText(*reread.Game), again);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char c : {'0', '1', '9', ' ', '\n', 'x', '\0', '\\', '-'}) {
      if (text[i] == c) continue;
      std::string damaged = text;
      damaged[i] = c;
      check(damaged);
    }
    check(text.substr(0, i) + text.substr(i + 1));
  }
  // Most damage is caught; a changed digit of a time may well be a game too.
  EXPECT_LT(accepted, static_cast<int>(text.size()));
}

// Each kind of inconsistency, made on purpose.
TEST(SavedGameRefusal, PartsThatDisagree) {
  const GameState good = SolitaireGame(66, 4);
  const auto refusedFor = [](const GameState& s, const std::string& words) {
    const SavedGameRead read = ReadSavedGameText(SavedGameText(Saved(s)), "bad.sorami-game");
    ASSERT_FALSE(read) << words;
    EXPECT_EQ(read.Error.What, Kind::Damaged) << words;
    EXPECT_NE(read.Error.Message.find(words), std::string::npos) << read.Error.Message;
    EXPECT_NE(read.Error.Message.find("bad.sorami-game"), std::string::npos);
  };
  GameState s = good;
  s.Board.TakeTile(testing::FirstTileOnBoard(s));  // gone, but not among the removed
  refusedFor(s, "off the board");

  s = good;
  ASSERT_NE(board::Group(s.History[0].tile), board::Group(s.History[2].tile));
  std::swap(s.History[0], s.History[2]);  // pairs of different groups
  refusedFor(s, "no pair");

  s = good;
  s.History[1].tile = s.History[0].tile;
  refusedFor(s, "removed twice");

  s = good;
  s.Layout.Set(s.History[0].x, s.History[0].y, s.History[0].z, 0);  // the layout lost a place
  s.Layout.Set(1, 1, 5, 1);
  refusedFor(s, "no place of this game");

  {
    // A hand-made file picking a tile that was taken.
    std::string text = SavedGameText(Saved(good));
    const std::size_t at = text.find("\nselection ") + 1;
    text.replace(at, text.find('\n', at) - at, "selection " + std::to_string(good.History[0].tile) + " 0");
    const SavedGameRead read = ReadSavedGameText(text, "bad.sorami-game");
    ASSERT_FALSE(read);
    EXPECT_NE(read.Error.Message.find("not on the board"), std::string::npos) << read.Error.Message;
  }

  s = good;
  s.Reveal.Countdown = 3;
  refusedFor(s, "only a Memory game");

  s = good;
  s.Slide = {true, testing::FirstTileOnBoard(s), 2, 1};
  refusedFor(s, "only a Rivers game");

  s = good;
  s.Phase = GamePhase::Paused;
  s.PhaseBeforePause = GamePhase::Finished;
  refusedFor(s, "paused game");

  s = good;
  s.Clock.ElapsedSeconds = 500;
  s.Clock.PausedElapsed = 20000;
  refusedFor(s, "more time than was played");

  s = good;
  s.BoardNumber = kRiversEasyTable;
  refusedFor(s, "layout number");

  s = RiversGame(kRiversEasyTable, 2);
  const int tile = testing::FirstTileOnBoard(s);
  s.Board.TakeTile(tile);
  s.Board.PutTile(tile, board::Cell{2, 1, 1});  // outside the block, and not sliding
  refusedFor(s, "no place of this game");
}

TEST(SavedGameRefusal, BoundsOfEveryLine) {
  const std::string text = GoodText();
  const auto withLine = [&](const std::string& key, const std::string& line) {
    const std::size_t at = text.find("\n" + key + " ") + 1;
    const std::size_t end = text.find('\n', at);
    return text.substr(0, at) + line + text.substr(end);
  };
  for (const auto& [key, line] : std::vector<std::pair<std::string, std::string>>{
           {"layout-number", "layout-number 0"},
           {"layout-number", "layout-number 112"},
           {"layout-number", "layout-number +1"},
           {"layout-number", "layout-number 1 "},
           {"layout-number", "layout-number  1"},
           {"game-number", "game-number 2147483648"},
           {"kind", "kind editor"},
           {"phase", "phase finished"},
           {"free-rule", "free-rule diagonal"},
           {"generator", "generator 4294967296"},
           {"generator", "generator -1"},
           {"clock", "clock 1 2"},
           {"clock", "clock 99999999999 0 0"},
           {"selection", "selection 145 0"},
           {"hint", "hint 0 0 -1"},
           {"no-moves-told", "no-moves-told 2"},
           {"reveal", "reveal 11"},
           {"turns", "turns 2 0 0"},
           {"layout-file", "layout-file ../Turtle.lay"},
           {"layout-name", "layout-name broken \\q escape"},
           {"layout-places", "layout-places 145"},
           {"tiles", "tiles 0"},
       }) {
    const SavedGameRead read = ReadSavedGameText(withLine(key, line), "bounds");
    EXPECT_FALSE(read) << line;
    EXPECT_EQ(read.Error.What, Kind::Damaged) << line;
    EXPECT_NE(read.Error.Message.find("line"), std::string::npos) << read.Error.Message;
  }
  // Places out of order or off the board.
  std::string swapped = text;
  const std::size_t places = swapped.find("layout-places");
  const std::size_t p1 = swapped.find('\n', places) + 1, p2 = swapped.find('\n', p1) + 1,
                    p3 = swapped.find('\n', p2) + 1;
  swapped = swapped.substr(0, p1) + swapped.substr(p2, p3 - p2) + swapped.substr(p1, p2 - p1) + swapped.substr(p3);
  EXPECT_NE(ReadSavedGameText(swapped, "s").Error.Message.find("out of order"), std::string::npos);
}

TEST(SavedGameFile, ReadingRefusesWhatIsNoFile) {
  board::testing::TempDir dir;
  EXPECT_EQ(ReadSavedGameFile((dir.path() / "missing.sorami-game").string()).Error.What, Kind::CannotRead);
  EXPECT_EQ(ReadSavedGameFile(dir.path().string()).Error.What, Kind::CannotRead);
  const auto big = dir.Write("big.sorami-game", std::string(MaxSavedGameSize + 1, 'x'));
  const SavedGameRead read = ReadSavedGameFile(big.string());
  EXPECT_EQ(read.Error.What, Kind::Foreign);
  EXPECT_NE(read.Error.Message.find("big.sorami-game"), std::string::npos);
}

}  // namespace
}  // namespace game

namespace game {
namespace {

// The fuzzing seeds are games of every kind that read, and the two that
// must not.
TEST(SavedGameFile, SeedFilesOfTheFuzzer) {
  const std::string folder = std::string(SORAMI_SOURCE_DIR) + "/fuzz/corpus/saved_game/";
  for (const char* name : {"solitaire", "vertical-paused", "two-player", "memory", "rivers-hard", "crlf"}) {
    const SavedGameRead read = ReadSavedGameFile(folder + name + ".sorami-game");
    EXPECT_TRUE(read) << name << ": " << read.Error.Message;
  }
  EXPECT_EQ(ReadSavedGameFile(folder + "cut.sorami-game").Error.What, SavedGameError::Kind::Truncated);
  EXPECT_EQ(ReadSavedGameFile(folder + "newer.sorami-game").Error.What, SavedGameError::Kind::Newer);
}

}  // namespace
}  // namespace game
