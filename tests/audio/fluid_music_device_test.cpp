#include "audio/fluid_music_device.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "audio_test_support.h"

namespace {

using audio::AudioOutput;
using audio::FluidMusicDevice;
using audio_test::MidiPiece;
using audio_test::Render;

constexpr int kChunk = 4410;  // a tenth of a second

class FluidMusicDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    audio_test::OpenManualOutput(output);
    ASSERT_TRUE(device.Open()) << device.ErrorText();
  }

  std::string Piece(const std::string& name, int notes, int key = 60) {
    const std::string path = dir.Dir() + name;
    audio_test::WriteBytes(path, MidiPiece(notes, key));
    return path;
  }

  // Renders until the device reports the end, at most `seconds`; returns
  // the tenths of a second it took, or -1.
  int RenderToEnd(double seconds) {
    for (int tenth = 1; tenth <= seconds * 10; ++tenth) {
      Render(output, kChunk);
      if (device.TakeEndNotice()) return tenth;
    }
    return -1;
  }

  audio_test::ScratchDir dir;
  AudioOutput output;
  FluidMusicDevice device{output};
};

TEST_F(FluidMusicDeviceTest, PlaysAPieceToItsEndAndGivesOneNotice) {
  ASSERT_TRUE(device.PlayFile(Piece("two.mid", 2)));  // one second long
  EXPECT_TRUE(device.IsPlaying());
  EXPECT_EQ(device.StartPosition(), 0);
  EXPECT_EQ(device.Length(), 2 * 96);
  EXPECT_EQ(device.Position(), 0);

  const std::vector<float> first = Render(output, kChunk * 3);
  EXPECT_GT(audio_test::Peak(first), 0.01f) << "the piece should sound";
  EXPECT_GT(device.Position(), 0);
  EXPECT_LT(device.Position(), device.Length());

  const int tenths = RenderToEnd(3);
  ASSERT_GT(tenths, 0) << "no end notice";
  EXPECT_LE(tenths, 9);  // the rest of a one-second piece
  EXPECT_FALSE(device.IsPlaying());
  EXPECT_EQ(device.Position(), device.Length());
  EXPECT_EQ(RenderToEnd(1), -1) << "only one notice per end";

  // Back to the start and again to the end.
  device.SeekToStart();
  EXPECT_EQ(device.Position(), 0);
  device.Play();
  EXPECT_TRUE(device.IsPlaying());
  EXPECT_GT(RenderToEnd(2), 0);
}

TEST_F(FluidMusicDeviceTest, EveryChannelAPiecePlaysOnSoundsAcrossPieceChanges) {
  // The drum kit a reset gives the tenth channel, then the piano it gives
  // the others, then an instrument the piece selects; each piece in turn.
  const std::vector<std::vector<unsigned char>> pieces = {
      MidiPiece(8, 38, -1, 9), MidiPiece(8, 60, -1, 5), MidiPiece(8, 60, 0, 3), MidiPiece(8, 38, -1, 9)};
  int number = 0;
  for (const std::vector<unsigned char>& piece : pieces) {
    SCOPED_TRACE(number);
    const std::string path = dir.Dir() + "piece" + std::to_string(number++) + ".mid";
    audio_test::WriteBytes(path, piece);
    ASSERT_TRUE(device.PlayFile(path)) << device.ErrorText();
    Render(output, kChunk * 2);  // the last piece fades out
    EXPECT_GT(audio_test::Peak(Render(output, kChunk * 5)), 0.01f) << "the piece should sound";
  }
}

TEST_F(FluidMusicDeviceTest, PauseAndStopHoldThePositionAndAreNoEnd) {
  ASSERT_TRUE(device.PlayFile(Piece("two.mid", 2)));
  Render(output, kChunk * 4);
  device.Pause();
  EXPECT_TRUE(device.IsPaused());
  // The music fades out in a few milliseconds instead of clicking off.
  const std::vector<float> fade = Render(output, kChunk / 5);
  EXPECT_GT(audio_test::Peak(std::vector<float>(fade.begin(), fade.begin() + 40)), 0.0f);
  EXPECT_EQ(audio_test::Peak(std::vector<float>(fade.end() - 40, fade.end())), 0.0f);
  const std::int64_t held = device.Position();
  EXPECT_GT(held, 0);
  const std::vector<float> paused = Render(output, kChunk * 20);  // two seconds
  EXPECT_EQ(audio_test::Peak(paused), 0.0f) << "a paused piece is silent";
  EXPECT_EQ(device.Position(), held);
  EXPECT_FALSE(device.TakeEndNotice());

  device.Resume();
  EXPECT_TRUE(device.IsPlaying());
  const int tenths = RenderToEnd(2);
  EXPECT_GT(tenths, 0);
  EXPECT_LE(tenths, 7);  // only what was left after the pause

  // A stop (FluidSynth's player then says "done" too) is not an end.
  device.SeekToStart();
  device.Play();
  Render(output, kChunk * 2);
  device.Stop();
  EXPECT_FALSE(device.IsPlaying());
  EXPECT_EQ(RenderToEnd(2), -1);
}

TEST_F(FluidMusicDeviceTest, AFileThatCannotBeLoadedLeavesNothingLoaded) {
  ASSERT_TRUE(device.PlayFile(Piece("good.mid", 4)));
  Render(output, kChunk);

  EXPECT_FALSE(device.PlayFile(dir.Dir() + "missing.mid"));
  EXPECT_NE(device.ErrorText().find("missing.mid"), std::string::npos) << device.ErrorText();
  EXPECT_FALSE(device.IsPlaying());
  EXPECT_EQ(device.Length(), 0);
  EXPECT_EQ(device.Position(), 0);
  EXPECT_TRUE(device.LoadedFile().empty());
  EXPECT_EQ(RenderToEnd(3), -1) << "nothing loaded never ends";

  audio_test::WriteBytes(dir.Dir() + "broken.mid", {'M', 'T', 'h', 'd', 0, 0});
  EXPECT_FALSE(device.PlayFile(dir.Dir() + "broken.mid"));
  EXPECT_EQ(device.Length(), 0);
  device.Play();
  EXPECT_FALSE(device.IsPlaying());
}

// Renders a few seconds of music to a wave file and lets sox judge it.
TEST_F(FluidMusicDeviceTest, RenderedMusicIsNotSilentToSox) {
  if (std::system("sox --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "sox is not installed";
  ASSERT_TRUE(device.PlayFile(Piece("eight.mid", 8, 67)));
  const std::vector<float> music = Render(output, output.SampleRate() * 3);

  std::vector<unsigned char> wave = audio_test::WavePiece(output.SampleRate(), 2, 0);
  auto put32At = [&](std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) wave[at + i] = static_cast<unsigned char>(x >> (8 * i));
  };
  for (float s : music) {
    const int v = static_cast<int>(s * 32767.0f);
    wave.push_back(static_cast<unsigned char>(v & 0xFF));
    wave.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
  }
  put32At(4, static_cast<std::uint32_t>(wave.size() - 8));
  put32At(40, static_cast<std::uint32_t>(wave.size() - 44));
  const std::string wavePath = dir.Dir() + "music.wav";
  const std::string statPath = dir.Dir() + "stat.txt";
  audio_test::WriteBytes(wavePath, wave);

  ASSERT_EQ(std::system(("sox '" + wavePath + "' -n stat 2> '" + statPath + "'").c_str()), 0);
  std::ifstream stat(statPath);
  std::string line;
  double rms = -1;
  while (std::getline(stat, line)) {
    if (line.rfind("RMS     amplitude:", 0) == 0) rms = std::stod(line.substr(line.find(':') + 1));
  }
  EXPECT_GT(rms, 0.005) << "sox finds the music silent";
}

TEST(FluidMusicDeviceNoSoundTest, OpenFailsWithTheDevicesOwnText) {
  const char* before = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = before ? before : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioOutput output;
  FluidMusicDevice device(output);
  EXPECT_FALSE(device.Open());
  EXPECT_FALSE(device.IsOpen());
  EXPECT_NE(device.ErrorText().find("no-such-driver"), std::string::npos) << device.ErrorText();
  EXPECT_FALSE(device.PlayFile("/nonexistent.mid"));
  EXPECT_EQ(device.Length(), 0);
  if (before) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else unsetenv("SDL_AUDIODRIVER");
}

TEST(FluidMusicDeviceNoSoundTest, AMissingSoundFontIsReported) {
  AudioOutput output;
  audio_test::OpenManualOutput(output);
  FluidMusicDevice device(output, "/nonexistent/none.sf2");
  EXPECT_FALSE(device.Open());
  EXPECT_NE(device.ErrorText().find("none.sf2"), std::string::npos) << device.ErrorText();
}

}  // namespace
