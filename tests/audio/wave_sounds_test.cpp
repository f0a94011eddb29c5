#include "audio/wave_sounds.h"

#include <gtest/gtest.h>

#include "audio_test_support.h"

namespace {

using audio::AudioOutput;
using audio::WaveSounds;
using audio_test::Peak;
using audio_test::Render;

class WaveSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override { audio_test::OpenManualOutput(output); }

  // Frames until the output falls silent for good (within `limit`).
  int SoundingFrames(int limit) {
    const std::vector<float> out = Render(output, limit);
    int last = 0;
    for (int i = 0; i < limit; ++i) {
      if (out[static_cast<std::size_t>(i) * 2] != 0.0f) last = i + 1;
    }
    return last;
  }

  audio_test::ScratchDir dir;
  AudioOutput output;
  bool enabled = true;
  WaveSounds sounds{output, dir.Dir(), &enabled};
};

TEST_F(WaveSoundsTest, PlaysAWaveFileConvertedToTheOutput) {
  // Half a second of 22050 Hz mono becomes half a second at the output.
  audio_test::WriteBytes(dir.Dir() + "select.wav", audio_test::WavePiece(22050, 1, 11025));
  sounds.PlaySound("select");
  EXPECT_EQ(sounds.FilesOpened(), 1);
  const int frames = SoundingFrames(output.SampleRate());
  EXPECT_NEAR(frames, output.SampleRate() / 2, output.SampleRate() / 50);

  // Played again: the same sound, read once.
  sounds.PlaySound("select");
  EXPECT_GT(Peak(Render(output, 1000)), 0.1f);
  EXPECT_EQ(sounds.FilesOpened(), 1);
}

TEST_F(WaveSoundsTest, ANewEffectCutsOffTheOneStillPlaying) {
  audio_test::WriteBytes(dir.Dir() + "long.wav", audio_test::WavePiece(44100, 2, 44100, 8000));
  audio_test::WriteBytes(dir.Dir() + "short.wav", audio_test::WavePiece(44100, 2, 4410, 16000));
  sounds.PlaySound("long");
  Render(output, 4410);
  sounds.PlaySound("short");
  const std::vector<float> out = Render(output, 8820);
  // The short, louder effect plays from its start and nothing of the long
  // one is left after it.
  EXPECT_NEAR(out[0], 16000.0f / 32768.0f, 0.01f);
  EXPECT_EQ(Peak(std::vector<float>(out.begin() + 2 * 4420, out.end())), 0.0f);
}

TEST_F(WaveSoundsTest, AMissingOrDamagedFilePlaysOurDefaultSound) {
  const std::vector<float> chime = WaveSounds::DefaultSound(output.SampleRate());
  sounds.PlaySound("noway");
  const std::vector<float> out = Render(output, output.SampleRate() / 2);
  EXPECT_GT(Peak(out), 0.05f);
  EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + static_cast<long>(chime.size())), chime);
  EXPECT_EQ(Peak(std::vector<float>(out.begin() + static_cast<long>(chime.size()), out.end())), 0.0f);
  // The chime starts and ends at silence.
  EXPECT_EQ(chime.front(), 0.0f);
  EXPECT_NEAR(chime.back(), 0.0f, 1e-4f);

  audio_test::WriteBytes(dir.Dir() + "done.wav", {'R', 'I', 'F', 'F', 1, 2, 3});
  sounds.PlaySound("done");
  EXPECT_EQ(Render(output, static_cast<int>(chime.size() / 2)), chime);
}

TEST_F(WaveSoundsTest, NothingIsOpenedOrPlayedWhileEffectsAreOff) {
  audio_test::WriteBytes(dir.Dir() + "select.wav", audio_test::WavePiece(44100, 1, 4410));
  enabled = false;
  sounds.PlaySound("select");
  sounds.PlaySound("missing");
  EXPECT_EQ(sounds.FilesOpened(), 0);
  EXPECT_EQ(Peak(Render(output, 8820)), 0.0f);

  enabled = true;
  sounds.PlaySound("select");
  EXPECT_EQ(sounds.FilesOpened(), 1);
  EXPECT_GT(Peak(Render(output, 4410)), 0.1f);
}

}  // namespace
