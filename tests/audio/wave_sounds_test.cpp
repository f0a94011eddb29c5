#include "audio/wave_sounds.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "audio_test_support.h"

namespace {

using audio::AudioOutput;
using audio::CheckWave;
using audio::WaveFormat;

// A wave file with every header field given; `data` bytes of samples
// follow a "data" chunk that claims `claimed` bytes (data.size() when -1).
struct WaveFields {
  unsigned tag = 1, channels = 1, rate = 22050, bits = 16;
  int blockAlign = -1;  // channels * bits / 8 when -1
  std::vector<unsigned char> before;  // chunks between "WAVE" and "fmt "
  std::size_t data = 400;
  long long claimed = -1;

  WaveFields& Tag(unsigned v) { return tag = v, *this; }
  WaveFields& Channels(unsigned v) { return channels = v, *this; }
  WaveFields& Rate(unsigned v) { return rate = v, *this; }
  WaveFields& Bits(unsigned v) { return bits = v, *this; }
  WaveFields& BlockAlign(int v) { return blockAlign = v, *this; }
  WaveFields& Before(std::vector<unsigned char> v) { return before = std::move(v), *this; }
  WaveFields& Data(std::size_t v) { return data = v, *this; }
  WaveFields& Claimed(long long v) { return claimed = v, *this; }
};

std::vector<unsigned char> Wave(const WaveFields& f) {
  std::vector<unsigned char> w;
  auto put = [&w](std::string_view bytes) { w.insert(w.end(), bytes.begin(), bytes.end()); };
  auto put16 = [&w](unsigned x) {
    w.push_back(static_cast<unsigned char>(x & 0xFF));
    w.push_back(static_cast<unsigned char>((x >> 8) & 0xFF));
  };
  auto put32 = [&](std::uint32_t x) {
    put16(x & 0xFFFF);
    put16(x >> 16);
  };
  put("RIFF");
  put32(0);
  put("WAVE");
  for (unsigned char c : f.before) w.push_back(c);
  put("fmt ");
  put32(16);
  put16(f.tag);
  put16(f.channels);
  put32(f.rate);
  put32(f.rate * f.channels * f.bits / 8);
  put16(f.blockAlign < 0 ? f.channels * f.bits / 8 : static_cast<unsigned>(f.blockAlign));
  put16(f.bits);
  put("data");
  put32(static_cast<std::uint32_t>(f.claimed < 0 ? static_cast<long long>(f.data) : f.claimed));
  for (std::size_t i = 0; i < f.data; ++i) w.push_back(static_cast<unsigned char>(i * 37));
  return w;
}

TEST(CheckWaveTest, OnlyPlainPcmOfSaneRatesAndSizesPasses) {
  WaveFormat format;
  ASSERT_TRUE(CheckWave(Wave(WaveFields()), format));
  EXPECT_EQ(format.Channels, 1);
  EXPECT_EQ(format.BitsPerSample, 16);
  EXPECT_EQ(format.Rate, 22050);
  EXPECT_EQ(format.DataOffset, 44u);
  EXPECT_EQ(format.DataBytes, 400u);
  // An odd chunk before the format is skipped with its padding byte; a
  // partial frame at the end is dropped.
  ASSERT_TRUE(CheckWave(Wave(WaveFields().Channels(2).Bits(8).Before({'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0}).Data(401)),
                        format));
  EXPECT_EQ(format.DataOffset, 56u);
  EXPECT_EQ(format.DataBytes, 400u);
  EXPECT_TRUE(CheckWave(Wave(WaveFields().Rate(4000)), format));
  EXPECT_TRUE(CheckWave(Wave(WaveFields().Rate(192000)), format));

  const struct {
    const char* what;
    WaveFields fields;
  } refused[] = {
      {"floating point", WaveFields().Tag(3).Bits(32)},
      {"extensible", WaveFields().Tag(0xFFFE)},
      {"ADPCM", WaveFields().Tag(2).Bits(4)},
      {"no channel", WaveFields().Channels(0)},
      {"three channels", WaveFields().Channels(3)},
      {"24 bits", WaveFields().Bits(24)},
      {"1 Hz", WaveFields().Rate(1).Bits(8).Data(65536)},
      {"100 Hz", WaveFields().Rate(100)},
      {"3999 Hz", WaveFields().Rate(3999)},
      {"192001 Hz", WaveFields().Rate(192001)},
      {"16 MHz", WaveFields().Rate(16000000)},
      {"wrong frame size", WaveFields().BlockAlign(4)},
      {"data past the end", WaveFields().Claimed(401)},
      {"data of 4 GiB", WaveFields().Claimed(0xFFFFFFFFll)},
      {"no whole frame", WaveFields().Data(1)},
  };
  for (const auto& c : refused) EXPECT_FALSE(CheckWave(Wave(c.fields), format)) << c.what;

  std::vector<unsigned char> noData = Wave(WaveFields());
  noData.resize(36);
  EXPECT_FALSE(CheckWave(noData, format));
  std::vector<unsigned char> dataFirst = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 2, 0, 0, 0, 1, 2};
  EXPECT_FALSE(CheckWave(dataFirst, format));
  EXPECT_FALSE(CheckWave({'R', 'I', 'F', 'F'}, format));
  EXPECT_FALSE(CheckWave({}, format));
}

TEST(CheckWaveTest, ConvertedSizeFollowsTheOutputRate) {
  WaveFormat format;
  ASSERT_TRUE(CheckWave(Wave(WaveFields().Rate(24000).Data(48000)), format));  // one second
  EXPECT_EQ(audio::ConvertedBytes(format, 48000), 48000u * 2 * sizeof(float));
}
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

TEST_F(WaveSoundsTest, FormatsTheEffectsDoNotTakePlayTheChime) {
  const std::vector<float> chime = WaveSounds::DefaultSound(output.SampleRate());
  const struct {
    const char* name;
    WaveFields fields;
  } cases[] = {
      // 64 KiB of 8-bit mono at 1 Hz: SDL's converter overruns its buffer.
      {"onehertz", WaveFields().Rate(1).Bits(8).Data(65536)},
      // 500 KB at 100 Hz: 5000 seconds once converted.
      {"slow", WaveFields().Rate(100).Data(500000)},
      {"fast", WaveFields().Rate(16000000)},
      // The longest file at the lowest rate: far beyond the converted cap.
      {"long", WaveFields().Rate(4000).Bits(8).Data(WaveSounds::kMaxWaveBytes - 100)},
      {"float", WaveFields().Tag(3).Bits(32)},
      {"cut", WaveFields().Claimed(1000000)},
  };
  for (const auto& c : cases) {
    audio_test::WriteBytes(dir.Dir() + c.name + ".wav", Wave(c.fields));
    sounds.PlaySound(c.name);
    EXPECT_EQ(Render(output, static_cast<int>(chime.size() / 2)), chime) << c.name;
  }
  // A sound at the lowest rate still plays as itself.
  audio_test::WriteBytes(dir.Dir() + "low.wav", audio_test::WavePiece(4000, 1, 400));
  sounds.PlaySound("low");
  EXPECT_NE(Render(output, static_cast<int>(chime.size() / 2)), chime);
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
