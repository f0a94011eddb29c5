#pragma once
// The sound effects: ProgramDir + name + ".wav", read once, converted to the
// output's format and played asynchronously through the AudioOutput. A new
// effect cuts off the one still playing; a missing or unreadable wave file,
// or one in a format the effects do not take (see CheckWave), plays a short
// sound of our own in its place.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_output.h"
#include "game/ports.h"

namespace audio {

// The sound of a wave file the effects can play, as CheckWave finds it.
struct WaveFormat {
  int Channels = 0;       // 1 or 2
  int BitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  int Rate = 0;           // frames per second, kMinWaveRate..kMaxWaveRate
  std::size_t DataOffset = 0;  // where the samples start in the file
  std::size_t DataBytes = 0;   // whole frames only, within the file
};
inline constexpr int kMinWaveRate = 4000;
inline constexpr int kMaxWaveRate = 192000;

// Checks the bytes of a wave file before any converter sees them: a RIFF
// "WAVE" file whose "fmt " chunk says plain PCM, 1 or 2 channels of 8 or 16
// bits at kMinWaveRate..kMaxWaveRate frames per second, followed by a "data"
// chunk that lies wholly in the file and holds at least one frame. False for
// anything else.
bool CheckWave(const std::vector<unsigned char>& file, WaveFormat& format);
// The bytes of float samples (stereo) the sound becomes at `outputRate`.
std::uint64_t ConvertedBytes(const WaveFormat& format, int outputRate);

class WaveSounds : public game::SoundPort, private AudioSource {
 public:
  // Wave files larger than this are not read (effects last a moment).
  static constexpr std::size_t kMaxWaveBytes = 8u << 20;
  // Nor are those that would take more than this once converted to the
  // output (about 40 seconds at 48 kHz).
  static constexpr std::uint64_t kMaxConvertedBytes = 16u << 20;

  // `enabled` points at the "Play sound effects" option: while it is off
  // nothing is opened and nothing plays, whoever calls.
  WaveSounds(AudioOutput& output, std::string programDir, const bool* enabled = nullptr);
  ~WaveSounds() override;
  WaveSounds(const WaveSounds&) = delete;
  WaveSounds& operator=(const WaveSounds&) = delete;

  void PlaySound(const std::string& name) override;
  // Points the guard at the "Play sound effects" option (null: always on).
  void SetEnabledFlag(const bool* enabled) { enabled_ = enabled; }

  // How many times a wave file has been opened for reading.
  int FilesOpened() const { return filesOpened_; }
  // The sound played in place of a missing file, at `rate` frames per second.
  static std::vector<float> DefaultSound(int rate);

 private:
  using Samples = std::shared_ptr<const std::vector<float>>;

  void MixInto(float* out, int frames) override;
  // Reads and converts a wave file; null when it cannot be used.
  Samples Load(const std::string& path);
  bool EnsureOutput();

  AudioOutput& output_;
  std::string programDir_;
  const bool* enabled_;
  bool registered_ = false;
  bool outputFailed_ = false;
  int filesOpened_ = 0;
  std::map<std::string, Samples> cache_;
  Samples default_;
  // What the audio callback plays; swapped with the output locked.
  Samples current_;
  std::size_t cursor_ = 0;
};

}  // namespace audio
