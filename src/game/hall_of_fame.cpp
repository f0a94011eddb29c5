#include "game/hall_of_fame.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/ini_file.h"
#include "game/time_text.h"

namespace game {

int HallTableOf(GameKind kind, Difficulty level) {
  const bool easy = level == Difficulty::Easy;
  switch (kind) {
    case GameKind::Rivers: return easy ? kRiversEasyTable : kRiversHardTable;
    case GameKind::Memory: return easy ? kMemoryEasyTable : kMemoryHardTable;
    default: return 0;
  }
}

std::optional<VariantGame> VariantOfTable(int table) {
  switch (table) {
    case kRiversEasyTable: return VariantGame{GameKind::Rivers, Difficulty::Easy};
    case kRiversHardTable: return VariantGame{GameKind::Rivers, Difficulty::Hard};
    case kMemoryEasyTable: return VariantGame{GameKind::Memory, Difficulty::Easy};
    case kMemoryHardTable: return VariantGame{GameKind::Memory, Difficulty::Hard};
    default: return std::nullopt;
  }
}

namespace {

const std::string kEmpty;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Characters of a UTF-8 string: every byte that does not continue a
// character starts one, so damaged text is still counted safely.
int CharCount(std::string_view s) {
  int n = 0;
  for (char c : s) {
    if (!IsContinuation(c)) ++n;
  }
  return n;
}

// Byte offset where character `index` (from 0) starts; s.size() past the end.
std::size_t CharOffset(std::string_view s, int index) {
  int seen = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (IsContinuation(s[i])) continue;
    if (seen == index) return i;
    ++seen;
  }
  return s.size();
}

// `count` characters from character `first` on (fewer at the end of s).
std::string_view Chars(std::string_view s, int first, int count) {
  std::size_t from = CharOffset(s, first);
  std::size_t to = CharOffset(s, first + count);
  return s.substr(from, to - from);
}

std::string RightAligned(int value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

int LeadingNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  int value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + (field[i] - '0');  // at most 4 digits
  }
  return value;
}

int LayoutTables(const std::vector<std::string>& layout_names) {
  // Table numbers from 100 on belong to Rivers and Memory.
  return static_cast<int>(std::min<std::size_t>(layout_names.size(), 99));
}

constexpr int kVariantTables[] = {kRiversEasyTable, kRiversHardTable, kMemoryEasyTable,
                                  kMemoryHardTable};

}  // namespace

std::string DefaultHallEntry(int rank) {
  return "---      " + RightAligned((rank + 4) * 60, 4) + "    0";
}

bool IsRealRecord(std::string_view entry) { return entry.find("--- ") == std::string_view::npos; }

int HallEntryTime(std::string_view entry) { return LeadingNumber(Chars(entry, 9, 4)); }

int HallEntryPenalty(std::string_view entry) { return LeadingNumber(Chars(entry, 14, 4)); }

std::string HallEntryName(std::string_view entry) {
  return std::string(Chars(entry, 0, kHallNameLength));
}

std::string HallName(std::string_view player_name) {
  std::string name(Chars(player_name, 0, kHallNameLength));
  // The file cannot keep control characters (a line break, a tab at the
  // start) as they are: they are blanks from the start.
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  // Stray bytes that start no character leave nothing.
  if (name.empty()) name = "-";
  if (name.front() == ' ') name.front() = '-';
  name.append(static_cast<std::size_t>(kHallNameLength - CharCount(name)), ' ');
  return name;
}

std::string HallSectionName(std::string_view layout_name) {
  std::string section;
  for (char c : layout_name) {
    if (c != ' ') section += c;
  }
  return section;
}

std::string VariantSectionName(int table) {
  switch (table) {
    case kRiversEasyTable: return "Rivers";
    case kRiversHardTable: return "Rivers2";
    case kMemoryEasyTable: return "Memory";
    case kMemoryHardTable: return "Memory2";
    default: return {};
  }
}

HallOfFame::HallOfFame() {
  for (int t = 0; t < kHallTables; ++t) ResetTable(t);
}

const std::string& HallOfFame::Entry(int table, int rank) const {
  if (!ValidTable(table) || !ValidRank(rank)) return kEmpty;
  return tables_[static_cast<std::size_t>(table)][static_cast<std::size_t>(rank - 1)];
}

void HallOfFame::SetEntry(int table, int rank, std::string entry) {
  if (!ValidTable(table) || !ValidRank(rank)) return;
  tables_[static_cast<std::size_t>(table)][static_cast<std::size_t>(rank - 1)] = std::move(entry);
}

std::string HallOfFame::EntryOrDefault(int table, int rank) const {
  const std::string& entry = Entry(table, rank);
  return entry.empty() ? DefaultHallEntry(rank) : entry;
}

bool HallOfFame::Qualifies(int table, int seconds) const {
  if (!ValidTable(table)) return false;
  return seconds < HallEntryTime(EntryOrDefault(table, kHallRanks));
}

int HallOfFame::EnterHallOfFame(int table, int seconds, int penalty, std::string_view player_name) {
  if (!Qualifies(table, seconds)) return 0;
  // Both numbers must fit their four-character fields.
  seconds = std::max(seconds, 0);
  penalty = std::clamp(penalty, 0, seconds);
  // The best rank whose time is not better than ours...
  int r = kHallRanks;
  for (int i = kHallRanks; i >= 1; --i) {
    if (HallEntryTime(EntryOrDefault(table, i)) >= seconds) r = i;
  }
  // ...then past every entry of the same time whose penalty is not larger.
  while (r <= kHallRanks && HallEntryTime(EntryOrDefault(table, r)) == seconds &&
         HallEntryPenalty(EntryOrDefault(table, r)) <= penalty) {
    ++r;
  }
  if (r > kHallRanks) return 0;

  for (int a = kHallRanks; a > r; --a) SetEntry(table, a, EntryOrDefault(table, a - 1));
  SetEntry(table, r, HallName(player_name) + " " + RightAligned(seconds, 4) + " " +
                         RightAligned(penalty, 4));
  rank_reached_ = r;
  return r;
}

bool HallOfFame::HasRealRecord(int table) const {
  for (int r = 1; r <= kHallRanks; ++r) {
    if (IsRealRecord(EntryOrDefault(table, r))) return true;
  }
  return false;
}

void HallOfFame::ResetTable(int table) {
  for (int r = 1; r <= kHallRanks; ++r) SetEntry(table, r, DefaultHallEntry(r));
}

std::vector<HallRow> HallOfFame::FillHallTable(int table) {
  std::vector<HallRow> rows;
  if (!ValidTable(table)) return rows;
  for (int r = 1; r <= kHallRanks; ++r) {
    if (Entry(table, r).empty()) SetEntry(table, r, DefaultHallEntry(r));
    const std::string& entry = Entry(table, r);
    rows.push_back({r, HallEntryName(entry), TimeText(HallEntryTime(entry)),
                    TimeText(HallEntryPenalty(entry))});
  }
  return rows;
}

void HallOfFame::RenameRecord(int table, int rank, std::string_view player_name) {
  if (!ValidTable(table) || !ValidRank(rank)) return;
  const std::string entry = EntryOrDefault(table, rank);
  SetEntry(table, rank, HallName(player_name) + entry.substr(CharOffset(entry, kHallNameLength)));
}

HallOfFame::Table HallOfFame::ReadTable(const base::IniFile& ini, std::string_view section, bool widen) {
  Table read;
  for (int r = 1; r <= kHallRanks; ++r) {
    std::string entry = ini.ReadString(section, "Rank" + std::to_string(r), "");
    // A line break inside a value is written back as a blank; it is one at
    // once, so that the entry reads the same after the next save.
    for (char& c : entry) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    // A blank that ends the entry would be dropped by the next reading.
    entry.erase(entry.find_last_not_of(" \t") + 1);
    if (widen) {
      // Reading drops the blanks in front; the widening below makes up for them.
      const std::size_t first = entry.find_first_not_of(" \t");
      entry.erase(0, first == std::string::npos ? entry.size() : first);
    }
    if (entry.empty()) {
      entry = DefaultHallEntry(r);
    } else if (widen) {
      const int length = CharCount(entry);
      if (length < kHallEntryLength) {
        entry.insert(0, static_cast<std::size_t>(kHallEntryLength - length), '-');
      }
    }
    read[static_cast<std::size_t>(r - 1)] = std::move(entry);
  }
  return read;
}

void HallOfFame::ReadSection(const base::IniFile& ini, int table, std::string_view section,
                             bool widen) {
  const Table read = ReadTable(ini, section, widen);
  for (int r = 1; r <= kHallRanks; ++r) SetEntry(table, r, read[static_cast<std::size_t>(r - 1)]);
}

void HallOfFame::Load(const base::IniFile& ini, const std::vector<std::string>& layout_names) {
  const int layouts = LayoutTables(layout_names);
  for (int i = 1; i <= layouts; ++i) {
    ReadSection(ini, i, HallSectionName(layout_names[static_cast<std::size_t>(i - 1)]), true);
  }
  for (int table : kVariantTables) ReadSection(ini, table, VariantSectionName(table), true);
}

void HallOfFame::LoadSection(const base::IniFile& ini, int table, std::string_view layout_name) {
  if (!ValidTable(table)) return;
  ReadSection(ini, table, HallSectionName(layout_name), false);
}

void HallOfFame::WriteSection(base::IniFile& ini, std::string_view section, const Table& entries) {
  for (int r = 1; r <= kHallRanks; ++r) {
    ini.WriteString(section, "Rank" + std::to_string(r), entries[static_cast<std::size_t>(r - 1)]);
  }
}

HallOfFame::Table HallOfFame::TableOrDefaults(int table) const {
  Table entries;
  for (int r = 1; r <= kHallRanks; ++r) entries[static_cast<std::size_t>(r - 1)] = EntryOrDefault(table, r);
  return entries;
}

HallOfFame::Table HallOfFame::MergedTables(const Table& stored, const std::vector<Table>& tables) {
  // Every table was loaded from the stored section: what a table holds beyond
  // it (counting equal entries) is new. The stored entries come first so that
  // at equal time and penalty the older entry stays ahead.
  std::vector<std::string> candidates(stored.begin(), stored.end());
  for (const Table& table : tables) {
    std::multiset<std::string> old(stored.begin(), stored.end());
    for (const std::string& entry : table) {
      if (const auto it = old.find(entry); it != old.end()) {
        old.erase(it);
      } else {
        candidates.push_back(entry);
      }
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(), [](const std::string& a, const std::string& b) {
    const int ta = HallEntryTime(a), tb = HallEntryTime(b);
    return ta != tb ? ta < tb : HallEntryPenalty(a) < HallEntryPenalty(b);
  });
  Table merged;
  std::copy_n(candidates.begin(), kHallRanks, merged.begin());
  return merged;
}

void HallOfFame::Save(base::IniFile& ini, const std::vector<std::string>& layout_names) const {
  const int layouts = LayoutTables(layout_names);
  // Sections are matched without regard to case and line breaks, and the
  // blanks of the names are dropped, so "MyBoard", "My board" and "myboard"
  // share one section, as does a layout named "memory" with Memory's table.
  // The tables that share one are grouped, layouts first, in list order.
  struct Group {
    std::string section;  // as its first table spells it
    std::vector<int> tables;
    bool variant = false;
  };
  std::vector<Group> groups;
  std::map<std::string, std::size_t> byKey;
  auto add = [&](int table, const std::string& section, bool variant) {
    const auto [at, added] = byKey.try_emplace(base::IniFile::Folded(section), groups.size());
    if (added) groups.push_back({section, {}, false});
    Group& group = groups[at->second];
    group.tables.push_back(table);
    group.variant = group.variant || variant;
  };
  for (int i = 1; i <= layouts; ++i) add(i, HallSectionName(layout_names[static_cast<std::size_t>(i - 1)]), false);
  for (int table : kVariantTables) add(table, VariantSectionName(table), true);

  for (const Group& group : groups) {
    bool anyRecord = false;
    for (int table : group.tables) anyRecord = anyRecord || HasRealRecord(table);
    // A layout's section without records is erased; a variant's is always written.
    if (!anyRecord && !group.variant) {
      ini.EraseSection(group.section);
    } else if (group.tables.size() == 1) {
      WriteSection(ini, group.section, TableOrDefaults(group.tables.front()));
    } else {
      // No table may overwrite the records of another: the section gets the
      // best ten of what is stored and what each table added.
      std::vector<Table> tables;
      for (int table : group.tables) tables.push_back(TableOrDefaults(table));
      WriteSection(ini, group.section, MergedTables(ReadTable(ini, group.section, true), tables));
    }
  }
}

}  // namespace game
