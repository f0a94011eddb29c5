// The music logic driving the real FluidSynth device on SDL's dummy driver.
// The output renders by hand and the player is timed by rendered samples, so
// each "tick" below is 50 ms of music followed by the timer's music check.

#include <gtest/gtest.h>

#include "audio/fluid_music_device.h"
#include "audio_test_support.h"
#include "game/music_control.h"

namespace {

using audio_test::MidiPiece;
using audio_test::Render;

class RecordingNotices : public game::MusicNotices {
 public:
  void ShowMusicStatus(const std::string& text) override { statuses.push_back(text); }
  void TellMusicError(const std::string& text) override { messages.push_back(text); }
  void MusicStateChanged() override {}
  std::vector<std::string> statuses;
  std::vector<std::string> messages;
};

class MusicPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Three one-second pieces (two half-second notes each).
    audio_test::WriteBytes(dir.Dir() + "Musics/Bamboo.mid", MidiPiece(2, 60));
    audio_test::WriteBytes(dir.Dir() + "Musics/Night.mid", MidiPiece(2, 64));
    audio_test::WriteBytes(dir.Dir() + "Musics/Rain.mid", MidiPiece(2, 67));
    audio_test::OpenManualOutput(output);
    music.MidiNumber = -1;
    ASSERT_EQ(music.LoadMusicList(dir.Dir()), 3);
    ASSERT_EQ(music.MidiNumber, 2);  // "Night"
    generator.GeneratorSeed = 4242;
    music.StartupMusic();
    ASSERT_TRUE(device.IsPlaying()) << device.ErrorText();
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      Render(output, output.SampleRate() / 20);
      if (options.PlayMusic) music.EndOfPieceCheck();
    }
  }

  std::string File(int piece) const { return music.Pieces[static_cast<std::size_t>(piece - 1)].File; }

  audio_test::ScratchDir dir;
  audio::AudioOutput output;
  audio::FluidMusicDevice device{output};
  game::Options options;
  board::Generator generator;
  RecordingNotices notices;
  game::MusicControl music{device, options, generator, &notices};
};

TEST_F(MusicPlaybackTest, APieceThatEndsStartsAgainWithRandomMusicOff) {
  Ticks(10);
  const std::int64_t halfway = device.Position();
  EXPECT_GT(halfway, 0);
  Ticks(15);  // past the end of the one-second piece
  EXPECT_EQ(device.LoadedFile(), File(2));
  EXPECT_TRUE(device.IsPlaying());
  EXPECT_LT(device.Position(), halfway) << "the piece should have started again";
  EXPECT_EQ(generator.DrawCount, 0u);
  EXPECT_EQ(music.CheckedPiece, 2);
  EXPECT_TRUE(notices.statuses.empty());
}

TEST_F(MusicPlaybackTest, APieceThatEndsMovesToARandomOneWithRandomMusicOn) {
  options.RandomMusic = true;
  for (int round = 0; round < 3; ++round) {
    board::Generator expected = generator;
    const int next = static_cast<int>(expected.NextRandom(3)) + 1;
    Ticks(21);  // one second and a tick: the end, and the choice
    EXPECT_EQ(generator.GeneratorSeed, expected.GeneratorSeed) << "one draw per end";
    EXPECT_EQ(music.MidiNumber, next);
    EXPECT_EQ(music.CheckedPiece, next);
    EXPECT_EQ(device.LoadedFile(), File(next));
    EXPECT_TRUE(device.IsPlaying());
  }
}

TEST_F(MusicPlaybackTest, RandomMusicSwitchedOnChangesThePieceAtOnce) {
  Ticks(8);
  board::Generator expected = generator;
  const int next = static_cast<int>(expected.NextRandom(3)) + 1;
  music.ToggleRandomMusic();
  EXPECT_TRUE(options.RandomMusic);
  EXPECT_EQ(music.CheckedPiece, next);
  EXPECT_EQ(device.LoadedFile(), File(next));
  EXPECT_EQ(device.Position(), 0);
  EXPECT_TRUE(device.IsPlaying());

  // Switched off, the piece goes on and then loops.
  music.ToggleRandomMusic();
  EXPECT_EQ(device.LoadedFile(), File(next));
  Ticks(25);
  EXPECT_EQ(device.LoadedFile(), File(next));
  EXPECT_EQ(generator.GeneratorSeed, expected.GeneratorSeed);
}

TEST_F(MusicPlaybackTest, PlayMusicOffAndOnRestartsThePiece) {
  Ticks(12);
  music.TogglePlayMusic();
  EXPECT_FALSE(options.PlayMusic);
  EXPECT_FALSE(music.MusicButtonEnabled);
  EXPECT_FALSE(device.IsPlaying());
  const std::int64_t held = device.Position();
  Ticks(40);  // silent: no check runs and the piece does not move
  EXPECT_EQ(device.Position(), held);

  music.TogglePlayMusic();
  EXPECT_TRUE(options.PlayMusic);
  EXPECT_TRUE(music.MusicButtonEnabled);
  EXPECT_TRUE(device.IsPlaying());
  EXPECT_EQ(device.LoadedFile(), File(2));
  EXPECT_EQ(device.Position(), 0);
}

TEST_F(MusicPlaybackTest, ChoosingAPieceWithMusicOffOnlyMovesTheCheckMark) {
  music.TogglePlayMusic();
  music.ChoosePiece(3);
  EXPECT_EQ(music.CheckedPiece, 3);
  EXPECT_EQ(music.MidiNumber, 3);
  EXPECT_EQ(device.LoadedFile(), File(2));
  EXPECT_FALSE(device.IsPlaying());

  music.TogglePlayMusic();
  EXPECT_EQ(device.LoadedFile(), File(3));
  EXPECT_TRUE(device.IsPlaying());
}

TEST_F(MusicPlaybackTest, TheMusicButtonPausesAndResumesWithoutAnEndMeanwhile) {
  Ticks(10);
  music.PauseOrResumeMusic();
  EXPECT_TRUE(device.IsPaused());
  Ticks(1);  // the music fades out
  const std::int64_t held = device.Position();
  Ticks(60);  // three seconds, far beyond the piece's end
  EXPECT_TRUE(device.IsPaused());
  EXPECT_EQ(device.Position(), held);

  music.PauseOrResumeMusic();
  EXPECT_TRUE(device.IsPlaying());
  Ticks(9);
  EXPECT_GT(device.Position(), held) << "still the first time through";
  Ticks(3);
  EXPECT_LT(device.Position(), held) << "ended and started again";
  EXPECT_TRUE(notices.messages.empty());
}

}  // namespace
