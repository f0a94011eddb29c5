// Sound fonts (the General MIDI font the music plays with): read the preset
// tables, build the cut-down font of a few presets as the music device does,
// and read that font again: it must hold exactly those presets.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "audio/sound_font_subset.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("Font.sf2", data, size);
  audio::SoundFontSubset font;
  std::string error;
  if (!font.Open(path, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(font.TablesBegin() < font.TablesEnd() && font.TablesEnd() <= font.FileSize());
  FUZZ_CHECK(font.FileSize() == size);

  // Every other preset the font holds, and one it does not.
  std::set<int> wanted;
  bool take = true;
  for (int key : font.Presets()) {
    if (take) wanted.insert(key);
    take = !take;
  }
  wanted.insert(audio::SoundFontSubset::Key(200, 200));
  const std::vector<unsigned char> tables = font.BuildPresetTables(wanted);
  FUZZ_CHECK(!tables.empty());

  // The font the synthesiser is served: the original with the new tables in
  // place of the old ones, and the file's length adjusted.
  std::vector<unsigned char> cut(data, data + font.TablesBegin());
  cut.insert(cut.end(), tables.begin(), tables.end());
  cut.insert(cut.end(), data + font.TablesEnd(), data + size);
  const std::uint64_t riff = std::uint64_t{data[4]} | std::uint64_t{data[5]} << 8 | std::uint64_t{data[6]} << 16 |
                             std::uint64_t{data[7]} << 24;
  const std::uint64_t old_tables = font.TablesEnd() - font.TablesBegin();
  if (riff + 8 >= font.TablesEnd()) {
    const std::uint64_t new_riff = riff - old_tables + tables.size();
    if (new_riff > 0xFFFFFFFFu) return 0;
    for (int i = 0; i < 4; ++i) cut[4 + i] = static_cast<unsigned char>(new_riff >> (8 * i));
  }
  const std::string cut_path = fuzz::WriteScratchFile("Cut.sf2", cut.data(), cut.size());
  audio::SoundFontSubset reread;
  FUZZ_CHECK(reread.Open(cut_path, error), std::string("a readable font"), error);
  std::set<int> held;
  for (int key : wanted)
    if (font.Has(key)) held.insert(key);
  FUZZ_CHECK(reread.Presets() == held);
  return 0;
}
