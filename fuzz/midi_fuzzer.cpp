// Standard MIDI files (the "Musics" folder): read and check as the music
// device does before a piece reaches the synthesiser, then work out the
// presets the piece needs from the General MIDI font.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "audio/midi_file.h"
#include "audio/sound_font_subset.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("Piece.mid", data, size);
  std::vector<unsigned char> bytes;
  audio::MidiFileInfo info;
  std::string error;
  if (!audio::MidiFile::Load(path, bytes, info, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(bytes.size() == size);
  FUZZ_CHECK(info.Format >= 0 && info.Format <= 2);
  FUZZ_CHECK(info.Tracks >= 1 && info.Tracks <= audio::MidiFile::kMaxTracks);
  FUZZ_CHECK(info.Division > 0);
  FUZZ_CHECK(info.LengthTicks >= 0);

  // The same bytes from memory give the same answer.
  audio::MidiFileInfo again;
  FUZZ_CHECK(audio::MidiFile::Scan(bytes, again, error));
  FUZZ_CHECK(again.LengthTicks == info.LengthTicks && again.Programs == info.Programs &&
             again.Channels == info.Channels);

  std::set<int> font;
  for (int program = 0; program < 128; ++program) font.insert(audio::SoundFontSubset::Key(0, program));
  font.insert(audio::SoundFontSubset::Key(128, 0));
  for (int key : audio::PresetsOfPiece(info, font)) FUZZ_CHECK(key >= 0 && key < 129 * 256);
  return 0;
}
