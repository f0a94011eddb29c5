// "Sorami.ini": read every setting as the window does at start-up, change a
// few as a session would, write them back, save, read again and compare.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "fuzz_support.h"
#include "game/ini_file.h"

namespace {

// A text value read back: as it was, or as a one-line value can be stored
// (a line break inside it written as a blank, blanks at its ends dropped by
// the reader).
bool ReadsBack(const std::string& written, const std::string& read) {
  if (read == written) return true;
  std::string stored = written;
  for (char& c : stored)
    if (c == '\r' || c == '\n') c = ' ';
  const std::size_t first = stored.find_first_not_of(" \t");
  if (first == std::string::npos) return read.empty();
  stored = stored.substr(first, stored.find_last_not_of(" \t") - first + 1);
  return read == stored;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("Sorami.ini", data, size);
  game::IniFile ini;
  if (!ini.Open(path)) {
    FUZZ_CHECK(!ini.LoadError().empty());
    FUZZ_CHECK(ini.Save().has_value());  // a file that could not be read is never overwritten
    return 0;
  }
  app::Settings settings = app::ReadSettings(ini, 1920);

  // What a session changes: the window's place, the game number, a check mark.
  const std::uint8_t seed = size > 0 ? data[size - 1] : 0;
  settings.XPos += seed;
  settings.RandomSeed = settings.RandomSeed * 31 + seed;
  settings.Options.Shadows = !settings.Options.Shadows;
  settings.WPos = 800;
  settings.HPos = 600;
  app::WriteSettings(ini, settings);
  const std::string text = ini.Text();
  FUZZ_CHECK(!ini.Save().has_value());

  game::IniFile again;
  FUZZ_CHECK(again.Open(path));
  FUZZ_CHECK(again.Text() == text, text, again.Text());
  const app::Settings reread = app::ReadSettings(again, 1920);
  FUZZ_CHECK(reread.XPos == settings.XPos);
  FUZZ_CHECK(reread.RandomSeed == settings.RandomSeed);
  FUZZ_CHECK(reread.Options.Shadows == settings.Options.Shadows);
  FUZZ_CHECK(reread.Highlight == settings.Highlight);
  FUZZ_CHECK(reread.BoardNumber == settings.BoardNumber);
  FUZZ_CHECK(ReadsBack(settings.CurrentPlayer1, reread.CurrentPlayer1), settings.CurrentPlayer1,
             reread.CurrentPlayer1);
  FUZZ_CHECK(ReadsBack(settings.LastLoadedTileset, reread.LastLoadedTileset));
  FUZZ_CHECK(ReadsBack(settings.LastLoadedBackground, reread.LastLoadedBackground));
  FUZZ_CHECK(again.ReadInteger("Sorami", "WPos", 0) == 800);

  // Writing what was read back is a fixed point: the values come back
  // exactly, and writing them again changes nothing.
  app::Settings rewritten = reread;
  rewritten.WPos = settings.WPos;
  rewritten.HPos = settings.HPos;
  app::WriteSettings(again, rewritten);
  const std::string second = again.Text();
  app::Settings third = app::ReadSettings(again, 1920);
  FUZZ_CHECK(third.CurrentPlayer1 == reread.CurrentPlayer1, reread.CurrentPlayer1, third.CurrentPlayer1);
  FUZZ_CHECK(third.LastLoadedTileset == reread.LastLoadedTileset);
  FUZZ_CHECK(third.LastLoadedBackground == reread.LastLoadedBackground);
  third.WPos = settings.WPos;
  third.HPos = settings.HPos;
  app::WriteSettings(again, third);
  FUZZ_CHECK(again.Text() == second, second, again.Text());
  return 0;
}
