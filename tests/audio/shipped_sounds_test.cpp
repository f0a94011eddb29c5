// The music pieces and wave files that ship in data/ are ones the game can
// actually play (a piece it refused would leave the game silent).

#include <gtest/gtest.h>

#include <algorithm>

#include "audio/fluid_music_device.h"
#include "audio/midi_file.h"
#include "audio/wave_sounds.h"
#include "audio_test_support.h"
#include "game/music_control.h"

namespace {

TEST(ShippedSoundsTest, EveryPieceIsAPlayableMidiFile) {
  const std::vector<game::MusicPiece> pieces =
      game::MusicControl::ListPieces(std::string(SORAMI_DATA_DIR) + "/Musics/");
  if (pieces.empty()) GTEST_SKIP() << "no music in data/Musics yet";
  const int night = game::MusicControl::ValidMidiNumber(-1, pieces);
  EXPECT_EQ(pieces[static_cast<std::size_t>(night - 1)].Name, "Night") << "the default piece ships";
  for (const game::MusicPiece& piece : pieces) {
    std::vector<unsigned char> bytes;
    audio::MidiFileInfo info;
    std::string error;
    EXPECT_TRUE(audio::MidiFile::Load(piece.File, bytes, info, error)) << error;
    EXPECT_GT(info.LengthTicks, 0) << piece.Name;
  }
}

// The synthesiser holds a fixed number of voices; a piece that needed more
// would lose notes, cut off while still sounding.
TEST(ShippedSoundsTest, EveryPieceFitsInTheSynthesisersVoices) {
  const std::vector<game::MusicPiece> pieces =
      game::MusicControl::ListPieces(std::string(SORAMI_DATA_DIR) + "/Musics/");
  if (pieces.empty()) GTEST_SKIP() << "no music in data/Musics yet";
  audio::AudioOutput output;
  audio_test::OpenManualOutput(output);
  audio::FluidMusicDevice device(output);
  ASSERT_TRUE(device.Open()) << device.ErrorText();
  const int tenth = output.SampleRate() / 10;
  for (const game::MusicPiece& piece : pieces) {
    ASSERT_TRUE(device.PlayFile(piece.File)) << device.ErrorText();
    int most = 0;
    bool ended = false;
    for (int tenths = 0; tenths < 20 * 60 * 10 && !ended; ++tenths) {
      audio_test::Render(output, tenth);
      most = std::max(most, device.ActiveVoices());
      ended = device.TakeEndNotice();
    }
    EXPECT_TRUE(ended) << piece.Name << " plays for more than 20 minutes";
    EXPECT_GT(most, 0) << piece.Name;
    EXPECT_LT(most, audio::FluidMusicDevice::kPolyphony) << piece.Name;
  }
}

TEST(ShippedSoundsTest, EveryEffectIsReadFromItsOwnWaveFile) {
  audio::AudioOutput output;
  audio_test::OpenManualOutput(output);
  audio::WaveSounds sounds(output, std::string(SORAMI_DATA_DIR) + "/");
  const std::vector<float> chime = audio::WaveSounds::DefaultSound(output.SampleRate());
  for (const char* name : {"select", "done", "noway"}) {
    sounds.PlaySound(name);
    const std::vector<float> out = audio_test::Render(output, output.SampleRate() / 2);
    EXPECT_GT(audio_test::Peak(out), 0.05f) << name;
    EXPECT_NE(std::vector<float>(out.begin(), out.begin() + static_cast<long>(chime.size())), chime)
        << name << " plays the stand-in chime";
  }
  EXPECT_EQ(sounds.FilesOpened(), 3);
}

}  // namespace
