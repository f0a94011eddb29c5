#pragma once
// The sound effects: ProgramDir + name + ".wav", read once, converted to the
// output's format and played asynchronously through the AudioOutput. A new
// effect cuts off the one still playing; a missing or unreadable wave file
// plays a short sound of our own in its place.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_output.h"
#include "game/ports.h"

namespace audio {

class WaveSounds : public game::SoundPort, private AudioSource {
 public:
  // Wave files larger than this are not read (effects last a moment).
  static constexpr std::size_t kMaxWaveBytes = 8u << 20;

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
