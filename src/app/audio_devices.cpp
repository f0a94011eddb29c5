#include "app/audio_devices.h"

#include "audio/audio_output.h"
#include "audio/fluid_music_device.h"
#include "audio/wave_sounds.h"

namespace app {

AudioDevices::AudioDevices(std::unique_ptr<game::SoundPort> sound,
                           std::unique_ptr<game::MusicDevice> music,
                           const std::string& programDir) {
  if (!sound || !music) output_ = std::make_unique<audio::AudioOutput>();
  sound_ = sound ? std::move(sound) : std::make_unique<audio::WaveSounds>(*output_, programDir);
  music_ = music ? std::move(music) : std::make_unique<audio::FluidMusicDevice>(*output_);
}

AudioDevices::~AudioDevices() = default;

}  // namespace app
