#include "audio/sound_font_subset.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "audio/fluid_music_device.h"
#include "audio/midi_file.h"
#include "audio_test_support.h"

namespace {

using audio::SoundFontSubset;

const std::string kFont = audio::FluidMusicDevice::kDefaultSoundFont;

// Renders `seconds` of a piece through a synthesiser holding either the
// whole font or only the presets the piece can select.
std::vector<float> RenderPiece(const std::string& piece, bool subsetOnly, double seconds) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", 44100);
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t* synth = new_fluid_synth(settings);
  std::vector<std::string> names;
  if (subsetOnly) {
    SoundFontSubset subset;
    std::string error;
    EXPECT_TRUE(subset.Open(kFont, error)) << error;
    fluid_synth_add_sfloader(synth, audio::VirtualFonts::NewLoader(settings));
    std::vector<unsigned char> bytes;
    audio::MidiFileInfo info;
    EXPECT_TRUE(audio::MidiFile::Load(piece, bytes, info, error)) << error;
    names.push_back(
        audio::VirtualFonts::Add(subset, subset.BuildPresetTables(audio::PresetsOfPiece(info, subset.Presets()))));
    EXPECT_NE(fluid_synth_sfload(synth, names.back().c_str(), 1), FLUID_FAILED);
  } else {
    EXPECT_NE(fluid_synth_sfload(synth, kFont.c_str(), 1), FLUID_FAILED);
  }
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add(player, piece.c_str());
  fluid_player_play(player);
  const int frames = static_cast<int>(seconds * 44100);
  std::vector<float> out(2 * static_cast<std::size_t>(frames));
  for (int done = 0; done < frames; done += 512)
    fluid_synth_write_float(synth, std::min(512, frames - done), out.data(), 2 * done, 2, out.data(),
                            2 * done + 1, 2);
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  for (const std::string& name : names) audio::VirtualFonts::Forget(name);
  return out;
}

TEST(SoundFontSubsetTest, ShippedPiecesSoundExactlyAsWithTheWholeFont) {
  if (!std::filesystem::exists(kFont)) GTEST_SKIP() << "no sound font at " << kFont;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(SORAMI_DATA_DIR) + "/Musics")) {
    const std::string piece = entry.path().string();
    const std::vector<float> whole = RenderPiece(piece, false, 6.0);
    const std::vector<float> cut = RenderPiece(piece, true, 6.0);
    EXPECT_GT(audio_test::Peak(whole), 0.01f) << piece;
    EXPECT_TRUE(whole == cut) << piece << " sounds different with the cut-down font";
  }
}

TEST(SoundFontSubsetTest, TheDeviceGivesEachPieceItsOwnInstruments) {
  if (!std::filesystem::exists(kFont)) GTEST_SKIP() << "no sound font at " << kFont;
  audio_test::ScratchDir dir;
  // The same notes on the piano, the violin (40) and the piano again: were
  // the violin missing, the synthesiser would fall back to the piano.
  const auto render = [&](int program) {
    audio::AudioOutput output;
    audio_test::OpenManualOutput(output);
    audio::FluidMusicDevice device(output);
    EXPECT_TRUE(device.Open()) << device.ErrorText();
    const std::string path = dir.Dir() + "p" + std::to_string(program) + ".mid";
    audio_test::WriteBytes(path, audio_test::MidiPiece(2, 60, program));
    EXPECT_TRUE(device.PlayFile(path)) << device.ErrorText();
    return audio_test::Render(output, 22050);
  };
  const std::vector<float> piano = render(0);
  const std::vector<float> violin = render(40);
  EXPECT_GT(audio_test::Peak(violin), 0.01f);
  EXPECT_TRUE(render(0) == piano);
  EXPECT_FALSE(violin == piano) << "the violin piece plays on the piano";
}

TEST(SoundFontSubsetTest, KeepsOnlyTheAskedPresetsAndTheirInstruments) {
  if (!std::filesystem::exists(kFont)) GTEST_SKIP() << "no sound font at " << kFont;
  SoundFontSubset subset;
  std::string error;
  ASSERT_TRUE(subset.Open(kFont, error)) << error;
  ASSERT_TRUE(subset.Has(SoundFontSubset::Key(0, 0)));
  ASSERT_TRUE(subset.Has(SoundFontSubset::Key(128, 0)));
  EXPECT_FALSE(subset.Has(SoundFontSubset::Key(5, 127)));

  // The piano alone: a font the synthesiser reads, holding one preset.
  fluid_settings_t* settings = new_fluid_settings();
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_add_sfloader(synth, audio::VirtualFonts::NewLoader(settings));
  const std::vector<unsigned char> tables = subset.BuildPresetTables({SoundFontSubset::Key(0, 0)});
  EXPECT_LT(tables.size(), subset.TablesEnd() - subset.TablesBegin());
  // Only the piano's own samples keep a header (plus the closing record):
  // the synthesiser holds a record for every header it reads.
  const auto shdr = std::search(tables.begin(), tables.end(), std::begin("shdr"), std::end("shdr") - 1);
  ASSERT_NE(shdr, tables.end());
  const std::size_t headers = (shdr[4] | shdr[5] << 8 | shdr[6] << 16) / 46;
  EXPECT_GE(headers, 2u);
  EXPECT_LT(headers, 40u);
  const std::string name = audio::VirtualFonts::Add(subset, tables);
  const int id = fluid_synth_sfload(synth, name.c_str(), 0);
  ASSERT_NE(id, FLUID_FAILED);
  fluid_sfont_t* font = fluid_synth_get_sfont_by_id(synth, id);
  ASSERT_NE(font, nullptr);
  EXPECT_NE(fluid_sfont_get_preset(font, 0, 0), nullptr);
  EXPECT_EQ(fluid_sfont_get_preset(font, 0, 1), nullptr);
  EXPECT_EQ(fluid_sfont_get_preset(font, 128, 0), nullptr);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  audio::VirtualFonts::Forget(name);

  // A forgotten name opens nothing.
  settings = new_fluid_settings();
  synth = new_fluid_synth(settings);
  fluid_synth_add_sfloader(synth, audio::VirtualFonts::NewLoader(settings));
  fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
  EXPECT_EQ(fluid_synth_sfload(synth, name.c_str(), 0), FLUID_FAILED);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
}

TEST(SoundFontSubsetTest, RefusesFilesThatAreNoSoundFont) {
  audio_test::ScratchDir dir;
  SoundFontSubset subset;
  std::string error;
  EXPECT_FALSE(subset.Open(dir.Dir() + "missing.sf2", error));
  EXPECT_NE(error.find("missing.sf2"), std::string::npos);

  audio_test::WriteBytes(dir.Dir() + "text.sf2", {'n', 'o', ' ', 's', 'o', 'u', 'n', 'd', ' ', 'f', 'o', 'n', 't'});
  EXPECT_FALSE(subset.Open(dir.Dir() + "text.sf2", error));
  EXPECT_NE(error.find("damaged"), std::string::npos);

  // The real font cut short inside its preset tables.
  if (!std::filesystem::exists(kFont)) return;
  std::ifstream in(kFont, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(bytes.size() - 1000);
  audio_test::WriteBytes(dir.Dir() + "short.sf2", bytes);
  EXPECT_FALSE(subset.Open(dir.Dir() + "short.sf2", error));
}

// A one-track file of `events` (delta time, then the message bytes).
std::vector<unsigned char> TrackFile(std::vector<unsigned char> events) {
  events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
  audio_test::Put32(file, static_cast<std::uint32_t>(events.size()));
  file.insert(file.end(), events.begin(), events.end());
  return file;
}

std::set<int> PresetsOf(const std::vector<unsigned char>& file, const std::set<int>& font) {
  audio::MidiFileInfo info;
  std::string error;
  EXPECT_TRUE(audio::MidiFile::Scan(file, info, error)) << error;
  return audio::PresetsOfPiece(info, font);
}

TEST(SoundFontSubsetTest, APieceSelectsItsProgramsInItsBanksAndTheResetPresetsWhenItCanPlayOnThem) {
  using K = SoundFontSubset;
  const int piano = K::Key(0, 0), kit = K::Key(128, 0);
  const std::set<int> font = {piano, kit, K::Key(0, 40), K::Key(128, 40)};
  EXPECT_TRUE(audio::PresetsOfPiece(audio::MidiFileInfo{}, font).empty());

  // Bank selects of 8 (controller 0) and 3 (controller 32, running status),
  // a program change to 40, then a note: no reset preset is played on.
  const std::vector<unsigned char> banks = TrackFile(
      {0x00, 0xB1, 0x00, 0x08, 0x00, 0x20, 0x03, 0x00, 0xC1, 40, 0x10, 0x91, 60, 0x64, 0x60, 0x81, 60, 0x40});
  EXPECT_EQ(PresetsOf(banks, font), (std::set<int>{K::Key(0, 40), K::Key(3, 40), K::Key(8, 40), K::Key(128, 40)}));

  // A note before the channel's first program change plays on the piano; a
  // note at the very tick of it may too.
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0x90, 60, 0x64, 0x10, 0xC0, 40}), font).count(piano), 1u);
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0xC0, 40, 0x00, 0x90, 60, 0x64}), font).count(piano), 1u);
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0x90, 60, 0x64}), font), (std::set<int>{piano}));
  // The drum channel without a program change plays the standard kit.
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0x99, 36, 0x64}), font), (std::set<int>{kit}));
  // Programs the font lacks fall back to the piano, kits to the standard kit.
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0xC0, 41, 0x10, 0x90, 60, 0x64}), font).count(piano), 1u);
  const std::set<int> drums = PresetsOf(TrackFile({0x00, 0xC9, 41, 0x10, 0x99, 36, 0x64}), font);
  EXPECT_EQ(drums.count(kit), 1u);
  EXPECT_EQ(drums.count(K::Key(128, 41)), 1u);
  // A kit the font holds needs no fallback.
  EXPECT_EQ(PresetsOf(TrackFile({0x00, 0xC9, 40, 0x10, 0x99, 36, 0x64}), font).count(kit), 0u);
  // System exclusive messages may reset the channels: both reset presets.
  const std::set<int> sysex =
      PresetsOf(TrackFile({0x00, 0xC0, 40, 0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x10, 0x90, 60, 0x64}), font);
  EXPECT_EQ(sysex.count(piano) + sysex.count(kit), 2u);
}

TEST(SoundFontSubsetTest, TheFirstNoteAcrossTracksCountsBeforeTheProgramChange) {
  // Track 1 changes the program at tick 0x20; track 2 plays at tick 0x10.
  const std::vector<unsigned char> one = {0x20, 0xC0, 40};
  const std::vector<unsigned char> two = {0x10, 0x90, 60, 0x64};
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96};
  for (std::vector<unsigned char> events : {one, two}) {
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    audio_test::Put32(file, static_cast<std::uint32_t>(events.size()));
    file.insert(file.end(), events.begin(), events.end());
  }
  audio::MidiFileInfo info;
  std::string error;
  ASSERT_TRUE(audio::MidiFile::Scan(file, info, error)) << error;
  EXPECT_TRUE(info.NotesBeforeProgram.test(0));
  EXPECT_EQ(info.NotesBeforeProgram.count(), 1u);
}

}  // namespace
