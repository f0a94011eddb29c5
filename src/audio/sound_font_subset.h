#pragma once
// A sound font cut down to the presets a piece can use.
//
// The synthesiser keeps every zone of every preset it loads in memory (about
// 2 KiB each): the General MIDI font's 137 presets cost it over 4 MiB, while a
// piece plays with a handful of them. SoundFontSubset reads the font's preset
// tables once and builds, on demand, a smaller font holding only the presets
// asked for. The smaller font is never written to disk: it is served to the
// synthesiser's loader as a file whose preset tables come from memory and
// whose sample data is read from the original file at the same offsets, so
// every instrument sounds exactly as in the whole font.

#include <fluidsynth/types.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "audio/midi_file.h"
#include "base/file_io.h"

namespace audio {

class SoundFontSubset {
 public:
  // A preset's address: bank * 256 + program.
  static int Key(int bank, int program) { return bank * 256 + program; }

  // Reads the font's layout and preset tables. False, with `error` naming
  // the file, when it cannot be read or is not a sound font this class
  // understands.
  bool Open(const std::string& path, std::string& error);
  const std::string& Path() const { return path_; }

  // Whether the font holds the preset.
  bool Has(int key) const { return presets_.count(key) != 0; }
  const std::set<int>& Presets() const { return presets_; }

  // The preset tables ("pdta" list) of a font with the presets of `keys`
  // that the font holds and the instruments they use; the sample headers
  // stay as they are. Empty when the file no longer reads as it did.
  std::vector<unsigned char> BuildPresetTables(const std::set<int>& keys) const;

  // The number of bytes of the original file before and after its preset
  // tables ("pdta" list).
  std::uint64_t TablesBegin() const { return tablesBegin_; }
  std::uint64_t TablesEnd() const { return tablesEnd_; }
  std::uint64_t FileSize() const { return fileSize_; }

 private:
  struct Table {
    std::vector<unsigned char> bytes;
    std::size_t record = 0;
    std::size_t Count() const { return record == 0 ? 0 : bytes.size() / record; }
    const unsigned char* At(std::size_t i) const { return bytes.data() + i * record; }
  };

  // Reads and checks the nine tables (phdr, pbag, pmod, pgen, inst, ibag,
  // imod, igen, shdr) of the "pdta" list.
  bool ReadTables(base::InputFile& in, std::vector<Table>& tables) const;

  std::string path_;
  std::uint64_t fileSize_ = 0;
  std::uint64_t tablesBegin_ = 0;
  std::uint64_t tablesEnd_ = 0;
  std::set<int> presets_;
};

// The sound fonts built from subsets, served to FluidSynth's loader by name.
// A name stays valid until Forget; FluidSynth reopens it whenever it loads
// the samples of a preset.
class VirtualFonts {
 public:
  // Registers a font made of `subset`'s file with `tables` in place of its
  // preset tables; returns the name to give fluid_synth_sfload.
  static std::string Add(const SoundFontSubset& subset, std::vector<unsigned char> tables);
  static void Forget(const std::string& name);
  // A loader that opens the registered names (and nothing else).
  static fluid_sfloader_t* NewLoader(fluid_settings_t* settings);
};

// The presets a Standard MIDI File can select on the synthesiser from a font
// holding `fontPresets`, as keys of SoundFontSubset: every program it changes
// to in every bank it selects (and bank 0, and the percussion bank 128), and
// the presets a reset selects (the piano 0:0, the standard drum kit 128:0)
// when the piece can play on them: a channel sounding before its first
// program change, a program the font lacks (the synthesiser then falls back
// to them), or system exclusive messages (which may reset the channels).
std::set<int> PresetsOfPiece(const MidiFileInfo& piece, const std::set<int>& fontPresets);

}  // namespace audio
