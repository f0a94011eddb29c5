#pragma once
// The engine's sound port and the music's device, as the window hands them
// to the core: the ones a test or the program passes in, or else the audio
// library's wave effects and MIDI synthesiser sounding through one shared
// output.

#include <memory>
#include <string>

#include "game/ports.h"

namespace audio {
class AudioOutput;
}

namespace app {

class AudioDevices {
 public:
  // A null `sound` or `music` is replaced by the audio library's device;
  // the wave effects are read from `programDir`.
  AudioDevices(std::unique_ptr<game::SoundPort> sound, std::unique_ptr<game::MusicDevice> music,
               const std::string& programDir);
  ~AudioDevices();
  AudioDevices(const AudioDevices&) = delete;
  AudioDevices& operator=(const AudioDevices&) = delete;

  game::SoundPort& Sound() { return *sound_; }
  game::MusicDevice& Music() { return *music_; }

 private:
  // The sound device both the effects and the music sound through; it
  // outlives them.
  std::unique_ptr<audio::AudioOutput> output_;
  std::unique_ptr<game::SoundPort> sound_;
  std::unique_ptr<game::MusicDevice> music_;
};

}  // namespace app
