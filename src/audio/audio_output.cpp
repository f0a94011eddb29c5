#include "audio/audio_output.h"

#include <algorithm>
#include <cstring>

#include "base/texts.h"

namespace audio {

AudioOutput::~AudioOutput() { Close(); }

bool AudioOutput::Open() {
  if (device_ != 0) return true;
  // The game owns its signals and names itself to the sound server.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Sorami");
  if (!subsystemStarted_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error_ = SDL_GetError();
      return false;
    }
    subsystemStarted_ = true;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kWantedRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kChannels;
  wanted.samples = 1024;
  wanted.callback = &AudioOutput::Callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the hardware wants.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device_ == 0) {
    error_ = SDL_GetError();
    if (error_.empty()) error_ = base::Translate("Music", "No sound device");
    // Let a later attempt start SDL's audio afresh (another driver, a
    // device that has become free).
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
    return false;
  }
  rate_ = obtained.freq;
  error_.clear();
  SDL_PauseAudioDevice(device_, manual_ ? 1 : 0);
  return true;
}

void AudioOutput::Close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  if (subsystemStarted_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemStarted_ = false;
  }
}

void AudioOutput::AddSource(AudioSource* source) {
  Lock lock(*this);
  if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) {
    sources_.push_back(source);
  }
}

void AudioOutput::RemoveSource(AudioSource* source) {
  Lock lock(*this);
  sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

AudioOutput::Lock::Lock(const AudioOutput& output) : device_(output.device_) {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

AudioOutput::Lock::~Lock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void AudioOutput::SetManualRendering(bool manual) {
  manual_ = manual;
  if (device_ != 0) SDL_PauseAudioDevice(device_, manual ? 1 : 0);
}

void AudioOutput::Render(float* out, int frames) {
  if (!manual_ || frames <= 0) return;
  Lock lock(*this);
  Mix(out, frames);
}

void AudioOutput::Callback(void* self, Uint8* stream, int len) {
  const int frames = len / static_cast<int>(sizeof(float) * kChannels);
  static_cast<AudioOutput*>(self)->Mix(reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::Mix(float* out, int frames) {
  const std::size_t samples = static_cast<std::size_t>(frames) * kChannels;
  std::memset(out, 0, samples * sizeof(float));
  for (AudioSource* source : sources_) source->MixInto(out, frames);
  for (std::size_t i = 0; i < samples; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace audio
