// "Hallfame.ini": load every table as the game does at start-up, enter a
// record, save as the game does at exit, load again and compare.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "fuzz_support.h"
#include "game/hall_of_fame.h"

namespace {

// The shipped layouts and one of the player's own.
const std::vector<std::string> kLayouts = {
    "Traditional", "Arena",  "Brickwork", "Butterfly", "Cross",      "Diamond",  "Fortress",
    "Lantern",     "Meadow", "Pyramid",   "Staircase", "Twin Peaks", "My Board", "Tower"};
const int kVariants[] = {game::kRiversEasyTable, game::kRiversHardTable, game::kMemoryEasyTable,
                         game::kMemoryHardTable};

std::vector<int> Tables() {
  std::vector<int> tables;
  for (int t = 1; t <= static_cast<int>(kLayouts.size()); ++t) tables.push_back(t);
  tables.insert(tables.end(), std::begin(kVariants), std::end(kVariants));
  return tables;
}

// An entry the file holds exactly: no line break, and no blank at either end
// (the reader drops those).
bool StoredExactly(const std::string& entry) {
  return !entry.empty() && entry.find_first_of("\r\n") == std::string::npos && entry.front() != ' ' &&
         entry.front() != '\t' && entry.back() != ' ' && entry.back() != '\t';
}

// One exit and start-up: save `hall` into the file, read it back.
game::HallOfFame SaveAndLoad(const game::HallOfFame& hall, base::IniFile& ini, std::string& text) {
  hall.Save(ini, kLayouts);
  text = ini.Text();
  FUZZ_CHECK(!ini.Save().has_value());
  base::IniFile again;
  FUZZ_CHECK(again.Open(ini.Path()));
  FUZZ_CHECK(again.Text() == text, text, again.Text());
  ini = again;
  game::HallOfFame loaded;
  loaded.Load(ini, kLayouts);
  return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("Hallfame.ini", data, size);
  base::IniFile ini;
  if (!ini.Open(path)) return 0;
  game::HallOfFame hall;
  hall.Load(ini, kLayouts);

  // A finished game, chosen by the input's last bytes.
  const std::vector<int> tables = Tables();
  const std::uint8_t a = size > 0 ? data[size - 1] : 0, b = size > 1 ? data[size - 2] : 0;
  const int table = tables[a % tables.size()];
  const int seconds = 1 + (a * 256 + b) % 900;
  const int penalty = b % 2 == 0 ? 0 : seconds / 3;
  const int rank = hall.EnterHallOfFame(table, seconds, penalty, "Fuzzer");
  const std::string record = rank > 0 ? hall.Entry(table, rank) : std::string();

  std::string first_text, second_text;
  const game::HallOfFame first = SaveAndLoad(hall, ini, first_text);
  if (rank > 0) FUZZ_CHECK(first.Entry(table, rank) == record, record, first.Entry(table, rank));
  for (int t : tables) {
    for (int r = 1; r <= game::kHallRanks; ++r) {
      const std::string& entry = hall.Entry(t, r);
      // Every real record the file can hold comes back as it was.
      if (game::IsRealRecord(entry) && StoredExactly(entry) &&
          static_cast<int>(entry.size()) >= game::kHallEntryLength) {
        FUZZ_CHECK(first.Entry(t, r) == entry, entry, first.Entry(t, r));
      }
    }
  }

  // A second exit and start-up changes nothing.
  const game::HallOfFame second = SaveAndLoad(first, ini, second_text);
  FUZZ_CHECK(second_text == first_text, first_text, second_text);
  for (int t : tables) {
    for (int r = 1; r <= game::kHallRanks; ++r) {
      FUZZ_CHECK(second.Entry(t, r) == first.Entry(t, r), first.Entry(t, r), second.Entry(t, r));
    }
  }
  return 0;
}
