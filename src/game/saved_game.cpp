#include "game/saved_game.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/file_io.h"
#include "base/texts.h"
#include "board/board.h"
#include "game/hall_of_fame.h"

namespace game {
namespace {

// The clock stops a game at 6000 seconds of time and penalty; twice that
// bounds every time a game in progress can hold.
constexpr std::int64_t MaxSeconds = 12000;
constexpr std::int64_t MaxMilliseconds = MaxSeconds * 1000;
// Ticks a turned Memory pair stays on show.
constexpr int MaxRevealTicks = 10;
constexpr int MaxLayoutNumber = 99;
constexpr std::size_t MaxTextLength = 4096;

constexpr int RiversEasy = kRiversEasyTable;
constexpr int RiversHard = kRiversHardTable;
constexpr int MemoryEasy = kMemoryEasyTable;
constexpr int MemoryHard = kMemoryHardTable;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// ---------------------------------------------------------------- names of values

const char* KindName(GameKind kind) {
  switch (kind) {
    case GameKind::Solitaire:
      return "solitaire";
    case GameKind::TwoPlayer:
      return "two-player";
    case GameKind::Rivers:
      return "rivers";
    case GameKind::Memory:
      return "memory";
    default:
      return "none";
  }
}

const char* PhaseName(GamePhase phase) {
  switch (phase) {
    case GamePhase::Idle:
      return "idle";
    case GamePhase::Running:
      return "running";
    case GamePhase::Paused:
      return "paused";
    case GamePhase::Finished:
      return "finished";
    case GamePhase::Stopped:
      return "stopped";
  }
  return "idle";
}

// ---------------------------------------------------------------- text values

void AppendEscaped(std::string& out, std::string_view text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += Hex[c >> 4];
      out += Hex[c & 15];
    } else {
      out += ch;
    }
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// ---------------------------------------------------------------- writing

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  Writer& Key(const char* key) {
    out_ += key;
    return *this;
  }
  Writer& Number(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_ += ' ';
    out_.append(buffer, result.ptr);
    return *this;
  }
  Writer& Word(std::string_view word) {
    out_ += ' ';
    out_ += word;
    return *this;
  }
  Writer& Text(std::string_view text) {
    out_ += ' ';
    AppendEscaped(out_, text);
    return *this;
  }
  void End() { out_ += '\n'; }

 private:
  std::string& out_;
};

// "X Y Z" of a place (no key before it).
void AppendPlace(std::string& out, int x, int y, int z) {
  char buffer[48];
  char* p = buffer;
  for (const int v : {x, y, z}) {
    if (p != buffer) *p++ = ' ';
    p = std::to_chars(p, buffer + sizeof buffer, v).ptr;
  }
  *p++ = '\n';
  out.append(buffer, p);
}

// ---------------------------------------------------------------- reading

// A reading failure, caught where the reading started.
struct Failure {
  Failure(SavedGameError::Kind what, std::string message, std::string detail = {})
      : What(what), Message(std::move(message)), Detail(std::move(detail)) {}
  SavedGameError::Kind What;
  std::string Message;
  std::string Detail;
};

SavedGameError WriteError(std::string message) {
  SavedGameError error;
  error.What = SavedGameError::Kind::CannotWrite;
  error.Message = std::move(message);
  return error;
}

class Reader {
 public:
  Reader(std::string_view text, const std::string& name) : text_(text), name_(name) {}

  int LineNumber() const { return line_; }
  bool AtEnd() const { return pos_ >= text_.size(); }

  // The next line without its end; a missing line means the file was cut.
  std::string_view NextLine() {
    if (AtEnd())
      throw Failure(
          SavedGameError::Kind::Truncated,
          base::Format(base::Translate("SavedGame", "The saved game %1 is incomplete: it ends after line %2."),
                       {Quoted(name_), std::to_string(line_)}));
    ++line_;
    std::size_t end = text_.find('\n', pos_);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) end = text_.size();
    std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = lastLine ? text_.size() : end + 1;
    // Every line ends with a line break: one without is what a cut file leaves.
    if (lastLine)
      throw Failure(
          SavedGameError::Kind::Truncated,
          base::Format(base::Translate("SavedGame", "The saved game %1 is incomplete: it ends after line %2."),
                       {Quoted(name_), std::to_string(line_ - 1)}));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  // The next line, which must start with `key`; its values follow, split at
  // single blanks.
  void KeyedLine(const char* key) {
    const std::string_view line = NextLine();
    const std::string_view k(key);
    if (line.size() < k.size() || line.substr(0, k.size()) != k || (line.size() > k.size() && line[k.size()] != ' '))
      Damaged(base::Format(base::Translate("SavedGame", "\"%1\" was expected."), {std::string(key)}));
    rest_ = line.size() > k.size() ? line.substr(k.size() + 1) : std::string_view();
    fields_.clear();
    SplitFields(rest_);
  }

  // The values of a line with no key ("X Y Z").
  void PlainLine() {
    rest_ = NextLine();
    fields_.clear();
    SplitFields(rest_);
  }

  void ExpectFields(std::size_t n) {
    if (fields_.size() != n)
      Damaged(base::Format(base::Translate("SavedGame", "%1 values were expected, %2 found."),
                           {std::to_string(n), std::to_string(fields_.size())}));
  }

  std::int64_t Integer(std::size_t field, std::int64_t low, std::int64_t high) {
    const std::string_view f = fields_[field];
    std::int64_t value = 0;
    const auto result = std::from_chars(f.data(), f.data() + f.size(), value);
    if (result.ec != std::errc() || result.ptr != f.data() + f.size() || value < low || value > high)
      Damaged(base::Format(base::Translate("SavedGame", "a number from %1 to %2 was expected, not %3."),
                           {std::to_string(low), std::to_string(high), Quoted(std::string(f))}));
    return value;
  }

  bool Flag(std::size_t field) { return Integer(field, 0, 1) == 1; }

  // One of `names` (index returned).
  template <std::size_t N>
  std::size_t Choice(std::size_t field, const std::array<const char*, N>& names) {
    for (std::size_t i = 0; i < N; ++i)
      if (fields_[field] == names[i]) return i;
    Damaged(base::Format(base::Translate("SavedGame", "%1 is not a known value here."),
                         {Quoted(std::string(fields_[field]))}));
  }

  // The whole rest of the line as an escaped text.
  std::string Text() {
    if (rest_.size() > MaxTextLength) Damaged(base::Translate("SavedGame", "the text is too long."));
    std::string out;
    for (std::size_t i = 0; i < rest_.size(); ++i) {
      const char c = rest_[i];
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
        Damaged(base::Translate("SavedGame", "the text holds a control character."));
      if (c != '\\') {
        out += c;
        continue;
      }
      const char e = i + 1 < rest_.size() ? rest_[i + 1] : '\0';
      if (e == '\\' || e == 'n' || e == 'r') {
        out += e == '\\' ? '\\' : e == 'n' ? '\n' : '\r';
        ++i;
      } else if (e == 'x' && i + 3 < rest_.size() && HexDigit(rest_[i + 2]) >= 0 && HexDigit(rest_[i + 3]) >= 0) {
        out += static_cast<char>(HexDigit(rest_[i + 2]) * 16 + HexDigit(rest_[i + 3]));
        i += 3;
      } else {
        Damaged(base::Translate("SavedGame", "the text holds a broken escape."));
      }
    }
    return out;
  }

  [[noreturn]] void Damaged(const std::string& detail) const {
    throw Failure(SavedGameError::Kind::Damaged,
                  base::Format(base::Translate("SavedGame", "The saved game %1 is damaged at line %2: %3"),
                               {Quoted(name_), std::to_string(line_), detail}),
                  detail);
  }

 private:
  void SplitFields(std::string_view rest) {
    if (rest.empty()) return;
    std::size_t from = 0;
    while (true) {
      const std::size_t blank = rest.find(' ', from);
      const std::string_view field =
          rest.substr(from, blank == std::string_view::npos ? std::string_view::npos : blank - from);
      fields_.push_back(field);
      if (blank == std::string_view::npos) break;
      from = blank + 1;
    }
  }

  std::string_view text_;
  const std::string& name_;
  std::size_t pos_ = 0;
  int line_ = 0;
  std::string_view rest_;
  std::vector<std::string_view> fields_;
};

[[noreturn]] void Inconsistent(const std::string& name, const std::string& detail) {
  throw Failure(SavedGameError::Kind::Damaged,
                base::Format(base::Translate("SavedGame", "The saved game %1 is damaged: %2"), {Quoted(name), detail}),
                detail);
}

// The places a Rivers or Memory game's tiles are dealt on (see the dealer's
// flat blocks): columns x = first, first + 2, ..., rows y likewise, layers.
struct Block {
  int FirstX, LastX, FirstY, LastY, Layers;
  bool Holds(const board::Cell& c) const {
    return c.x >= FirstX && c.x <= LastX && c.x % 2 == 0 && c.y >= FirstY && c.y <= LastY && c.y % 2 == 1 && c.z >= 1 &&
           c.z <= Layers;
  }
  int Count() const { return ((LastX - FirstX) / 2 + 1) * ((LastY - FirstY) / 2 + 1) * Layers; }
};

Block BlockOf(int boardNumber) {
  switch (boardNumber) {
    case RiversEasy:
      return {4, 30, 5, 15, 1};  // 14 x 6
    case RiversHard:
      return {6, 28, 5, 15, 2};  // 12 x 6, two layers
    case MemoryEasy:
      return {10, 24, 7, 13, 1};  // 8 x 4
    default:
      return {4, 30, 5, 15, 1};  // Memory hard: 14 x 6
  }
}

// The lattice a Rivers tile slides along, around the outside of the block too.
bool OnRiversLattice(const board::Cell& c, int layers) {
  return c.x >= 2 && c.x <= 32 && c.x % 2 == 0 && c.y >= 1 && c.y <= 19 && c.y % 2 == 1 && c.z >= 1 && c.z <= layers;
}

bool IsSolitaireKind(GameKind kind) { return kind == GameKind::Solitaire || kind == GameKind::TwoPlayer; }

// The checks that need the whole file: the parts of the game agree.
void CheckConsistency(const SavedGame& saved, const std::vector<HistoryEntry>& removed, const std::string& name) {
  const GameState& s = saved.State;
  const board::BoardState& b = s.Board;
  const auto damaged = [&](const char* english, std::initializer_list<std::string> values = {}) {
    Inconsistent(name, base::Format(base::Translate("SavedGame", english), values));
  };

  // The kind's board numbers and tile counts.
  const bool solitaire = IsSolitaireKind(s.Kind);
  if (solitaire) {
    if (s.BoardNumber < 1 || s.BoardNumber > MaxLayoutNumber)
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the layout number does not fit the kind of game."));
    if (saved.LayoutFileName.empty()) damaged(SORAMI_TEXT_NOOP("SavedGame", "it names no layout file."));
    if (b.TileCount != s.Layout.Count())
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the layout has %1 places for %2 tiles."),
              {std::to_string(s.Layout.Count()), std::to_string(b.TileCount)});
  } else {
    const bool rivers = s.Kind == GameKind::Rivers;
    const bool fits = rivers ? (s.BoardNumber == RiversEasy || s.BoardNumber == RiversHard)
                             : (s.BoardNumber == MemoryEasy || s.BoardNumber == MemoryHard);
    if (!fits) damaged(SORAMI_TEXT_NOOP("SavedGame", "the layout number does not fit the kind of game."));
    if (b.TileCount != BlockOf(s.BoardNumber).Count())
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the layout has %1 places for %2 tiles."),
              {std::to_string(BlockOf(s.BoardNumber).Count()), std::to_string(b.TileCount)});
  }

  // What only one kind of game has.
  if (s.Kind == GameKind::TwoPlayer && s.Phase == GamePhase::Paused)
    damaged(SORAMI_TEXT_NOOP("SavedGame", "a two-player game cannot be paused."));
  if (s.Phase == GamePhase::Paused && s.PhaseBeforePause != GamePhase::Running)
    damaged(SORAMI_TEXT_NOOP("SavedGame", "a paused game must go back to running."));
  const TwoPlayerTurns noTurns;
  if (s.Kind != GameKind::TwoPlayer && !(s.Turns == noTurns))
    damaged(SORAMI_TEXT_NOOP("SavedGame", "only a two-player game has turns."));
  if (s.Kind != GameKind::Rivers && s.Slide.Active)
    damaged(SORAMI_TEXT_NOOP("SavedGame", "only a Rivers game has sliding tiles."));
  if (s.Kind != GameKind::Memory && s.Reveal.Countdown != 0)
    damaged(SORAMI_TEXT_NOOP("SavedGame", "only a Memory game turns tiles over."));

  // Every place a tile stands on or was taken from: a place of the game, and
  // no two alike.
  const Block block = BlockOf(s.BoardNumber);
  const auto placeOfGame = [&](const board::Cell& c) {
    return solitaire ? s.Layout.Get(c.x, c.y, c.z) != 0 : block.Holds(c);
  };
  std::array<bool, board::LayoutFlagCount> used{};
  const auto use = [&](int tile, const board::Cell& c, bool sliding) {
    const bool inGame = placeOfGame(c) || (sliding && OnRiversLattice(c, block.Layers));
    if (!inGame)
      damaged(SORAMI_TEXT_NOOP("SavedGame", "tile %1 lies at %2, %3, %4, which is no place of this game."),
              {std::to_string(tile), std::to_string(c.x), std::to_string(c.y), std::to_string(c.z)});
    bool& taken = used[static_cast<std::size_t>(board::LayoutGrid::Index(c.x, c.y, c.z))];
    if (taken)
      damaged(SORAMI_TEXT_NOOP("SavedGame", "two tiles share the place %1, %2, %3."),
              {std::to_string(c.x), std::to_string(c.y), std::to_string(c.z)});
    taken = true;
  };
  for (int t = 1; t <= b.TileCount; ++t)
    if (b.TilePlaces[t].OnBoard()) use(t, b.TilePlaces[t], s.Slide.Active && s.Slide.Tile == t);

  // The removed tiles: each once, off the board, in pairs of one group.
  std::array<bool, board::MaxTiles + 1> gone{};
  for (std::size_t i = 0; i < removed.size(); ++i) {
    const HistoryEntry& e = removed[i];
    if (e.tile > b.TileCount)
      damaged(SORAMI_TEXT_NOOP("SavedGame", "tile %1 is not one of the game's %2 tiles."),
              {std::to_string(e.tile), std::to_string(b.TileCount)});
    if (b.TilePlaces[e.tile].OnBoard() || gone[e.tile])
      damaged(SORAMI_TEXT_NOOP("SavedGame", "tile %1 is removed twice or is still on the board."),
              {std::to_string(e.tile)});
    gone[e.tile] = true;
    use(e.tile, board::Cell{e.x, e.y, e.z}, false);
    if (i % 2 == 1 && board::Group(e.tile) != board::Group(removed[i - 1].tile))
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the removed tiles %1 and %2 are no pair."),
              {std::to_string(removed[i - 1].tile), std::to_string(e.tile)});
  }
  for (int t = 1; t <= b.TileCount; ++t)
    if (!b.TilePlaces[t].OnBoard() && !gone[t])
      damaged(SORAMI_TEXT_NOOP("SavedGame", "tile %1 is neither on the board nor removed."), {std::to_string(t)});

  // The tiles the player's picks, the hint and the slide name are on the board.
  const auto onBoardOrNone = [&](int tile) {
    return tile == 0 || (tile <= b.TileCount && b.TilePlaces[tile].OnBoard());
  };
  for (const int t : {static_cast<int>(s.Picks.First), static_cast<int>(s.Picks.Second), s.Picks.HintFirst,
                      s.Picks.HintSecond, s.Slide.Tile})
    if (!onBoardOrNone(t))
      damaged(SORAMI_TEXT_NOOP("SavedGame", "tile %1 is picked or shown but not on the board."), {std::to_string(t)});
  if (s.Slide.Active) {
    const board::Cell c = b.TilePlaces[s.Slide.Tile];
    if (s.Slide.Tile == 0 || c.x != s.Slide.X || c.y != s.Slide.Y)
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the sliding tile is not where the slide is."));
  } else if (s.Slide.Tile != 0 || s.Slide.X != 0 || s.Slide.Y != 0) {
    damaged(SORAMI_TEXT_NOOP("SavedGame", "the sliding tile is not where the slide is."));
  }
  // The clock shows whole seconds of the time played.
  if (static_cast<std::int64_t>(s.Clock.ElapsedSeconds) * 1000 > static_cast<std::int64_t>(s.Clock.PausedElapsed))
    damaged(SORAMI_TEXT_NOOP("SavedGame", "the clock shows more time than was played."));
  if (s.Reveal.Countdown > 0 && (s.Picks.First == 0 || s.Picks.Second == 0 || s.Picks.First == s.Picks.Second))
    damaged(SORAMI_TEXT_NOOP("SavedGame", "two turned tiles are to be judged, but not two are turned."));
  if (s.Kind == GameKind::TwoPlayer) {
    // The clock of the player to move runs; the other one's stands.
    if (static_cast<std::uint64_t>(s.Turns.FirstTime) + s.Turns.SecondTime >
        static_cast<std::uint64_t>(MaxMilliseconds))
      damaged(SORAMI_TEXT_NOOP("SavedGame", "the players' times are too long."));
  }
}

const std::array<const char*, 4> KindNames{"solitaire", "two-player", "rivers", "memory"};
const std::array<GameKind, 4> Kinds{GameKind::Solitaire, GameKind::TwoPlayer, GameKind::Rivers, GameKind::Memory};
const std::array<const char*, 2> PhaseNames{"running", "paused"};
const std::array<GamePhase, 2> Phases{GamePhase::Running, GamePhase::Paused};
const std::array<const char*, 4> PhaseBeforeNames{"idle", "running", "finished", "stopped"};
const std::array<GamePhase, 4> PhasesBefore{GamePhase::Idle, GamePhase::Running, GamePhase::Finished,
                                            GamePhase::Stopped};
const std::array<const char*, 2> RuleNames{"normal", "vertical"};

SavedGame Parse(std::string_view text, const std::string& name) {
  Reader in(text, name);
  // The magic line tells a saved game from any other file, and its version.
  {
    const std::string_view magic(SavedGameMagic);
    const std::size_t end = text.find('\n');
    std::string_view first = text.substr(0, std::min<std::size_t>(end, 64));
    if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
    if (first.size() <= magic.size() || first.substr(0, magic.size()) != magic)
      throw Failure(
          SavedGameError::Kind::Foreign,
          base::Format(base::Translate("SavedGame", "The file %1 is not a Sorami saved game."), {Quoted(name)}));
    const std::string_view number = first.substr(magic.size());
    std::uint32_t version = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), version);
    const bool digits = result.ptr == number.data() + number.size();
    if (digits && result.ec == std::errc::result_out_of_range)
      version = UINT32_MAX;
    else if (!digits || result.ec != std::errc() || version == 0)
      throw Failure(
          SavedGameError::Kind::Foreign,
          base::Format(base::Translate("SavedGame", "The file %1 is not a Sorami saved game."), {Quoted(name)}));
    if (version > static_cast<std::uint32_t>(SavedGameVersion))
      throw Failure(SavedGameError::Kind::Newer,
                    base::Format(base::Translate("SavedGame",
                                                 "The saved game %1 was written by a newer version of Sorami "
                                                 "(format %2); this version reads format %3."),
                                 {Quoted(name), std::string(number), std::to_string(SavedGameVersion)}));
    in.NextLine();
  }

  SavedGame saved;
  GameState& s = saved.State;

  in.KeyedLine("layout-file");
  saved.LayoutFileName = in.Text();
  if (saved.LayoutFileName.find('/') != std::string::npos || saved.LayoutFileName == "." ||
      saved.LayoutFileName == ".." || saved.LayoutFileName.find('\0') != std::string::npos ||
      saved.LayoutFileName.size() > 255)
    in.Damaged(base::Translate("SavedGame", "the layout file name is no plain file name."));
  s.LayoutFile = saved.LayoutFileName;
  in.KeyedLine("layout-name");
  s.LayoutName = in.Text();

  in.KeyedLine("layout-number");
  in.ExpectFields(1);
  s.BoardNumber = static_cast<int>(in.Integer(0, 1, MemoryHard));
  in.KeyedLine("solitaire-layout-number");
  in.ExpectFields(1);
  s.SavedLayoutNumber = static_cast<int>(in.Integer(0, -1, MaxLayoutNumber));
  in.KeyedLine("game-number");
  in.ExpectFields(1);
  s.GameSeed = static_cast<std::int32_t>(in.Integer(0, INT32_MIN, INT32_MAX));

  in.KeyedLine("kind");
  in.ExpectFields(1);
  s.Kind = Kinds[in.Choice(0, KindNames)];
  in.KeyedLine("phase");
  in.ExpectFields(1);
  s.Phase = Phases[in.Choice(0, PhaseNames)];
  in.KeyedLine("phase-before-pause");
  in.ExpectFields(1);
  s.PhaseBeforePause = PhasesBefore[in.Choice(0, PhaseBeforeNames)];
  in.KeyedLine("free-rule");
  in.ExpectFields(1);
  saved.VerticalRule = in.Choice(0, RuleNames) == 1;
  in.KeyedLine("generator");
  in.ExpectFields(1);
  s.Generator.GeneratorSeed = static_cast<std::uint32_t>(in.Integer(0, 0, UINT32_MAX));

  in.KeyedLine("clock");
  in.ExpectFields(3);
  s.Clock.PausedElapsed = static_cast<std::uint32_t>(in.Integer(0, 0, MaxMilliseconds));
  s.Clock.ElapsedSeconds = static_cast<std::int32_t>(in.Integer(1, 0, MaxSeconds));
  s.Clock.Penalty = static_cast<std::int32_t>(in.Integer(2, 0, MaxSeconds));

  in.KeyedLine("selection");
  in.ExpectFields(2);
  s.Picks.First = static_cast<std::uint8_t>(in.Integer(0, 0, board::MaxTiles));
  s.Picks.Second = static_cast<std::uint8_t>(in.Integer(1, 0, board::MaxTiles));
  in.KeyedLine("hint");
  in.ExpectFields(3);
  s.Picks.HintFirst = static_cast<std::int32_t>(in.Integer(0, 0, board::MaxTiles));
  s.Picks.HintSecond = static_cast<std::int32_t>(in.Integer(1, 0, board::MaxTiles));
  s.Picks.HintIndex = static_cast<std::int32_t>(in.Integer(2, 0, board::MaxTiles));
  in.KeyedLine("no-moves-told");
  in.ExpectFields(1);
  s.Picks.NoMovesShown = in.Flag(0);

  in.KeyedLine("slide");
  in.ExpectFields(4);
  s.Slide.Active = in.Flag(0);
  s.Slide.Tile = static_cast<int>(in.Integer(1, 0, board::MaxTiles));
  s.Slide.X = static_cast<int>(in.Integer(2, 0, board::MaxX));
  s.Slide.Y = static_cast<int>(in.Integer(3, 0, board::MaxY));
  in.KeyedLine("reveal");
  in.ExpectFields(1);
  s.Reveal.Countdown = static_cast<std::int32_t>(in.Integer(0, 0, MaxRevealTicks));

  in.KeyedLine("turns");
  in.ExpectFields(3);
  s.Turns.SecondToMove = in.Flag(0);
  s.Turns.FirstTime = static_cast<std::uint32_t>(in.Integer(1, 0, MaxMilliseconds));
  s.Turns.SecondTime = static_cast<std::uint32_t>(in.Integer(2, 0, MaxMilliseconds));

  // The layout's places, in running order (so none twice).
  in.KeyedLine("layout-places");
  in.ExpectFields(1);
  const auto placeCount = static_cast<int>(in.Integer(0, 0, board::MaxTiles));
  int lastIndex = -1;
  const auto readPlace = [&](std::size_t first, bool mayBeNone) {
    const int x = static_cast<int>(in.Integer(first, 0, board::MaxX));
    const int y = static_cast<int>(in.Integer(first + 1, 0, board::MaxY));
    const int z = static_cast<int>(in.Integer(first + 2, 0, board::MaxZ));
    const board::Cell c{x, y, z};
    const bool none = x == 0 && y == 0 && z == 0;
    if (!(none && mayBeNone) && !board::Grid::InRange(x, y, z))
      in.Damaged(base::Translate("SavedGame", "the place lies outside the board."));
    return c;
  };
  for (int i = 0; i < placeCount; ++i) {
    in.PlainLine();
    in.ExpectFields(3);
    const board::Cell c = readPlace(0, false);
    const int index = board::LayoutGrid::Index(c.x, c.y, c.z);
    if (index <= lastIndex) in.Damaged(base::Translate("SavedGame", "the layout places are out of order."));
    lastIndex = index;
    s.Layout.Set(c.x, c.y, c.z, 1);
  }

  // The tiles' places.
  board::BoardState& b = s.Board;
  in.KeyedLine("tiles");
  in.ExpectFields(1);
  b.TileCount = static_cast<std::int32_t>(in.Integer(0, 1, board::MaxTiles));
  b.Board.Clear();
  int onBoard = 0;
  for (int t = 1; t <= b.TileCount; ++t) {
    in.PlainLine();
    in.ExpectFields(3);
    const board::Cell c = readPlace(0, true);
    if (!c.OnBoard()) continue;
    if (b.Board.At(c.x, c.y, c.z) != 0)
      in.Damaged(base::Format(base::Translate("SavedGame", "two tiles share the place %1, %2, %3."),
                              {std::to_string(c.x), std::to_string(c.y), std::to_string(c.z)}));
    b.PutTile(t, c);
    ++onBoard;
  }
  b.TilesLeft = onBoard;

  // The removed tiles, two by two in the order they were taken.
  in.KeyedLine("removed");
  in.ExpectFields(1);
  const auto removedCount = static_cast<int>(in.Integer(0, 0, board::MaxTiles));
  if (removedCount % 2 != 0 || removedCount != b.TileCount - onBoard)
    in.Damaged(base::Format(base::Translate("SavedGame", "%1 tiles are off the board, but %2 are listed as removed."),
                            {std::to_string(b.TileCount - onBoard), std::to_string(removedCount)}));
  std::vector<HistoryEntry> removed;
  removed.reserve(static_cast<std::size_t>(removedCount));
  for (int i = 0; i < removedCount; ++i) {
    in.PlainLine();
    in.ExpectFields(4);
    const auto tile = static_cast<std::uint8_t>(in.Integer(0, 1, board::MaxTiles));
    const board::Cell c = readPlace(1, false);
    removed.push_back(HistoryEntry{tile, c.x, c.y, c.z});
    s.History[static_cast<std::size_t>(i)] = removed.back();
  }

  in.KeyedLine("end");
  in.ExpectFields(0);
  if (!in.AtEnd()) in.Damaged(base::Translate("SavedGame", "more follows the end."));

  CheckConsistency(saved, removed, name);

  // What follows from the rest: the free tiles and moves of solitaire.
  if (IsSolitaireKind(s.Kind)) board::RecountFreeTiles(b, saved.VerticalRule);
  return saved;
}

}  // namespace

bool IsResumable(const GameState& state) {
  const bool kind = state.Kind == GameKind::Solitaire || state.Kind == GameKind::TwoPlayer ||
                    state.Kind == GameKind::Rivers || state.Kind == GameKind::Memory;
  const bool phase = state.Phase == GamePhase::Running || state.Phase == GamePhase::Paused;
  return kind && phase && !state.BoardFinished && !state.GameOverHandled && state.Board.TilesLeft > 0;
}

std::string SavedGameText(const SavedGame& game) {
  const GameState& s = game.State;
  const board::BoardState& b = s.Board;
  std::string out;
  out.reserve(4096);
  Writer w(out);
  out += SavedGameMagic;
  out += std::to_string(SavedGameVersion);
  out += '\n';
  const std::string fileName = game.LayoutFileName.empty() ? base::FileNameOf(s.LayoutFile) : game.LayoutFileName;
  w.Key("layout-file").Text(fileName).End();
  w.Key("layout-name").Text(s.LayoutName).End();
  w.Key("layout-number").Number(s.BoardNumber).End();
  w.Key("solitaire-layout-number").Number(s.SavedLayoutNumber).End();
  w.Key("game-number").Number(s.GameSeed).End();
  w.Key("kind").Word(KindName(s.Kind)).End();
  w.Key("phase").Word(PhaseName(s.Phase)).End();
  w.Key("phase-before-pause").Word(PhaseName(s.PhaseBeforePause)).End();
  w.Key("free-rule").Word(game.VerticalRule ? "vertical" : "normal").End();
  w.Key("generator").Number(s.Generator.GeneratorSeed).End();
  // Durations only: the tick counts mean nothing to the next run.
  w.Key("clock").Number(s.Clock.PausedElapsed).Number(s.Clock.ElapsedSeconds).Number(s.Clock.Penalty).End();
  // A hint stays named after its tiles were taken: only tiles still on the
  // board are picked or shown.
  const auto onBoard = [&b](int tile) {
    return tile >= 1 && tile <= b.TileCount && tile <= board::MaxTiles && b.TilePlaces[tile].OnBoard() ? tile : 0;
  };
  w.Key("selection").Number(onBoard(s.Picks.First)).Number(onBoard(s.Picks.Second)).End();
  w.Key("hint").Number(onBoard(s.Picks.HintFirst)).Number(onBoard(s.Picks.HintSecond)).Number(s.Picks.HintIndex).End();
  w.Key("no-moves-told").Number(s.Picks.NoMovesShown ? 1 : 0).End();
  if (s.Slide.Active)
    w.Key("slide").Number(1).Number(s.Slide.Tile).Number(s.Slide.X).Number(s.Slide.Y).End();
  else
    w.Key("slide").Number(0).Number(0).Number(0).Number(0).End();
  w.Key("reveal").Number(s.Reveal.Countdown).End();
  if (s.Kind == GameKind::TwoPlayer)
    w.Key("turns").Number(s.Turns.SecondToMove ? 1 : 0).Number(s.Turns.FirstTime).Number(s.Turns.SecondTime).End();
  else
    w.Key("turns").Number(0).Number(0).Number(0).End();

  w.Key("layout-places").Number(s.Layout.Count()).End();
  for (int k = 0; k < board::LayoutFlagCount; ++k)
    if (s.Layout.Flag(k))
      AppendPlace(out, k % board::MaxX + 1, (k / board::MaxX) % board::MaxY + 1, k / (board::MaxX * board::MaxY) + 1);

  w.Key("tiles").Number(b.TileCount).End();
  for (int t = 1; t <= b.TileCount && t <= board::MaxTiles; ++t) {
    const board::Cell c = b.TilePlaces[static_cast<std::size_t>(t)];
    if (c.OnBoard())
      AppendPlace(out, c.x, c.y, c.z);
    else
      out += "0 0 0\n";
  }

  const int removed = std::max(0, std::min(board::MaxTiles, b.TileCount - b.TilesLeft));
  w.Key("removed").Number(removed).End();
  for (int i = 0; i < removed; ++i) {
    const HistoryEntry& e = s.History[static_cast<std::size_t>(i)];
    out += std::to_string(e.tile);
    out += ' ';
    AppendPlace(out, e.x, e.y, e.z);
  }
  out += "end\n";
  return out;
}

SavedGameRead ReadSavedGameText(std::string_view text, const std::string& name) {
  SavedGameRead result;
  try {
    result.Game = Parse(text, name);
  } catch (const Failure& failure) {
    result.Error.What = failure.What;
    result.Error.Message = failure.Message;
    result.Error.Detail = failure.Detail;
  }
  return result;
}

SavedGameRead ReadSavedGameFile(const std::string& path) {
  std::string text;
  const base::ReadStatus status = base::ReadWholeFile(path, text, MaxSavedGameSize);
  if (status == base::ReadStatus::Ok) return ReadSavedGameText(text, path);
  SavedGameRead result;
  result.Error.What = SavedGameError::Kind::CannotRead;
  const char* problem = SORAMI_TEXT_NOOP("SavedGame", "Cannot read the saved game %1.");
  switch (status) {
    case base::ReadStatus::CannotOpen:
      problem = SORAMI_TEXT_NOOP("SavedGame", "Cannot open the saved game %1.");
      break;
    case base::ReadStatus::IsFolder:
      problem = SORAMI_TEXT_NOOP("SavedGame", "Cannot open the saved game %1: it is a folder.");
      break;
    case base::ReadStatus::NotAFile:
      problem = SORAMI_TEXT_NOOP("SavedGame", "Cannot open the saved game %1: it is not a regular file.");
      break;
    case base::ReadStatus::TooBig:
      result.Error.What = SavedGameError::Kind::Foreign;
      problem = SORAMI_TEXT_NOOP("SavedGame", "The file %1 is too big to be a saved game.");
      break;
    default:
      break;
  }
  result.Error.Message = base::Format(base::Translate("SavedGame", problem), {Quoted(path)});
  return result;
}

std::optional<SavedGameError> PrepareSavedGame(const SavedGame& game, std::string& text) {
  if (!IsResumable(game.State))
    return WriteError(base::Translate("SavedGame", "There is no game in progress to save."));
  text = SavedGameText(game);
  // What is written must read back as itself: a game the reader would refuse
  // is never put in place of a good file.
  const SavedGameRead back = ReadSavedGameText(text, "");
  if (!back)
    return WriteError(base::Format(base::Translate("SavedGame", "The game in hand cannot be saved: %1"),
                                   {back.Error.Detail.empty() ? back.Error.Message : back.Error.Detail}));
  if (SavedGameText(*back.Game) != text)
    return WriteError(
        base::Translate("SavedGame", "The game in hand cannot be saved: it does not read back the same."));
  return std::nullopt;
}

std::optional<SavedGameError> WriteSavedGameFile(const std::string& path, const SavedGame& game) {
  std::string text;
  if (auto error = PrepareSavedGame(game, text)) return error;
  const base::ReplaceResult written = base::ReplaceFile(path, text);
  if (!written)
    return WriteError(base::Format(base::Translate("SavedGame", "Cannot write the saved game %1: %2"),
                                   {Quoted(path), written.Reason}));
  return std::nullopt;
}

}  // namespace game
