#pragma once
// The hall of fame: the ten best times of every layout and of the Rivers and
// Memory variants, kept as fixed-width entry strings and stored in
// "Hallfame.ini".
//
// An entry is 18 characters:
//   1-8   player name, left-aligned, padded with blanks
//   9     a blank
//   10-13 game time in seconds (elapsed + penalty), right-aligned
//   14    a blank
//   15-18 the penalty part of that time, right-aligned
// A rank without a record holds its default entry: "---", blanks, the rank's
// default time ((rank + 4) minutes: 05:00 for rank 1 ... 14:00 for rank 10)
// and a penalty of 0. Positions count characters, so a name with accented
// letters (UTF-8) is cut and padded by characters, never inside one.
//
// Table numbers: 1..99 the layouts of the layout list, 100 / 101 Rivers easy /
// hard, 110 / 111 Memory easy / hard (the game's BoardNumber). Numbers outside
// 0..120 are ignored by every operation.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_state.h"

namespace base {
class IniFile;
}  // namespace base

namespace game {



inline constexpr int kHallTables = 121;  // table numbers 0..120
inline constexpr int kHallRanks = 10;
inline constexpr int kHallEntryLength = 18;
inline constexpr int kHallNameLength = 8;
inline constexpr int kRiversEasyTable = 100;
inline constexpr int kRiversHardTable = 101;
inline constexpr int kMemoryEasyTable = 110;
inline constexpr int kMemoryHardTable = 111;

// The table of a Rivers or Memory game of that difficulty; 0 for any other
// kind (the solitaire games enter their layout's table, two players none).
int HallTableOf(GameKind kind, Difficulty level);
// The Rivers or Memory game whose table this is; nothing for a layout's table.
struct VariantGame {
  GameKind Kind = GameKind::None;
  Difficulty Level = Difficulty::Easy;
};
std::optional<VariantGame> VariantOfTable(int table);

// The default entry of rank 1..10.
std::string DefaultHallEntry(int rank);
// A real record is any entry that does not contain "--- ".
bool IsRealRecord(std::string_view entry);
// The number in positions 10-13 (the time) and 15-18 (the penalty): leading
// blanks skipped, then the leading digits; 0 when there are none. A damaged
// field therefore never stops the end of a game or the drawing of a table.
int HallEntryTime(std::string_view entry);
int HallEntryPenalty(std::string_view entry);
// Positions 1-8.
std::string HallEntryName(std::string_view entry);
// A player name as it is stored in an entry: cut to 8 characters, control
// characters (line breaks, tabs) turned into blanks; a name that is then
// empty (stray bytes that start no character included) becomes "-", a blank
// first character becomes "-"; padded with blanks to 8.
std::string HallName(std::string_view player_name);
// The file section of a layout: its name with every blank removed.
std::string HallSectionName(std::string_view layout_name);
// The file section of a variant table ("Rivers", "Rivers2", "Memory",
// "Memory2"), empty for any other number.
std::string VariantSectionName(int table);

// One row of the help window's list.
struct HallRow {
  int rank = 0;
  std::string name;   // positions 1-8
  std::string time;   // TimeText of the time field
  std::string malus;  // TimeText of the penalty field
};

class HallOfFame {
 public:
  // Every table starts with its default entries.
  HallOfFame();

  // Entry of rank 1..10 in a table; empty for numbers out of range.
  const std::string& Entry(int table, int rank) const;
  // Stores any text as an entry (tests and tools; the game uses the commands
  // below). An empty entry is read as its rank's default everywhere.
  void SetEntry(int table, int rank, std::string entry);

  // A finished game of `seconds` (elapsed + penalty) earns a place when it is
  // below the time of rank 10 (equal does not qualify).
  bool Qualifies(int table, int seconds) const;
  // Enters a finished game: the new entry goes before every entry with a
  // longer time, and before an entry of the same time only when that one has
  // a larger penalty; at the same time and penalty the older entry stays
  // ahead. Lower entries move down and rank 10 falls out. Returns the rank
  // (also kept as RankReached), or 0 when the game does not earn a place,
  // which leaves the table and RankReached as they were. The penalty is the
  // part of `seconds` that hints, shuffles and mismatches added.
  int EnterHallOfFame(int table, int seconds, int penalty, std::string_view player_name);
  // The rank given to the last entry made, 0 when none. Loading a layout
  // clears it; a new game does not.
  int RankReached() const { return rank_reached_; }
  void ClearRankReached() { rank_reached_ = 0; }

  // True when any of the table's ten entries is a real record.
  bool HasRealRecord(int table) const;
  // Puts the ten default entries back.
  void ResetTable(int table);
  // The help window's list of a table. An empty entry is first replaced by
  // its default, which stays stored.
  std::vector<HallRow> FillHallTable(int table);
  // Replaces the name of the entry at `rank` by HallName(player_name) (the
  // record name field after a new record). Nothing happens for rank 0.
  void RenameRecord(int table, int rank, std::string_view player_name);

  // Start-up: every layout of the list (table i = layout_names[i - 1], at
  // most 99) and the four variants from their sections; a missing key, or one
  // with an empty value, gives the default entry; a value shorter than 18
  // characters is widened with "-" in front (reading drops leading blanks).
  void Load(const base::IniFile& ini, const std::vector<std::string>& layout_names);
  // A layout registered during the run: its ten ranks from its section, with
  // the same defaults but without the widening.
  void LoadSection(const base::IniFile& ini, int table, std::string_view layout_name);
  // Exit: the section of every layout with a real record gets all ten
  // entries, the sections of the others are erased; the four variant
  // sections are always written. The caller then saves the file.
  // Layouts whose names differ only in letter case or blanks (and a layout
  // named like a variant's section) share one section, loaded into each of
  // their tables. When any of them has a
  // record, the section gets the best ten (by time, then penalty, older
  // first) of the entries stored there and those each table added, so no
  // table overwrites the records of another.
  void Save(base::IniFile& ini, const std::vector<std::string>& layout_names) const;

 private:
  using Table = std::array<std::string, kHallRanks>;
  // The entry, or its default when it is empty.
  std::string EntryOrDefault(int table, int rank) const;
  static bool ValidTable(int table) { return table >= 0 && table < kHallTables; }
  static bool ValidRank(int rank) { return rank >= 1 && rank <= kHallRanks; }
  void ReadSection(const base::IniFile& ini, int table, std::string_view section, bool widen);
  static Table ReadTable(const base::IniFile& ini, std::string_view section, bool widen);
  static void WriteSection(base::IniFile& ini, std::string_view section, const Table& entries);
  Table TableOrDefaults(int table) const;
  static Table MergedTables(const Table& stored, const std::vector<Table>& tables);

  std::array<Table, kHallTables> tables_;
  int rank_reached_ = 0;
};

}  // namespace game
