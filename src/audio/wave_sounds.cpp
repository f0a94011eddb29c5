#include "audio/wave_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "board/file_io.h"

namespace audio {

WaveSounds::WaveSounds(AudioOutput& output, std::string programDir, const bool* enabled)
    : output_(output), programDir_(std::move(programDir)), enabled_(enabled) {}

WaveSounds::~WaveSounds() {
  if (registered_) output_.RemoveSource(this);
}

bool WaveSounds::EnsureOutput() {
  if (!registered_) {
    // One attempt of our own: without a sound device every click would
    // otherwise wait for SDL to fail again. The music may open the output
    // later, when the player asks for it; the effects then sound too.
    if (!output_.IsOpen()) {
      if (outputFailed_) return false;
      if (!output_.Open()) {
        outputFailed_ = true;
        return false;
      }
    }
    output_.AddSource(this);
    registered_ = true;
  }
  return output_.IsOpen();
}

void WaveSounds::PlaySound(const std::string& name) {
  if (enabled_ != nullptr && !*enabled_) return;
  if (!EnsureOutput()) return;

  Samples sound;
  const std::string path = programDir_ + name + ".wav";
  const auto cached = cache_.find(path);
  if (cached != cache_.end()) {
    sound = cached->second;
  } else {
    sound = Load(path);
    if (sound) cache_[path] = sound;
  }
  if (!sound) {
    if (!default_) {
      default_ = std::make_shared<const std::vector<float>>(DefaultSound(output_.SampleRate()));
    }
    sound = default_;
  }

  // Swapped here, on this thread: the audio callback never frees a sound.
  AudioOutput::Lock lock(output_);
  current_ = std::move(sound);
  cursor_ = 0;
}

WaveSounds::Samples WaveSounds::Load(const std::string& path) {
  std::uint64_t size = 0;
  if (!board::FileSizeOf(path, size) || size > kMaxWaveBytes) return nullptr;

  ++filesOpened_;
  SDL_AudioSpec wav{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1, &wav, &data, &length) == nullptr) {
    return nullptr;
  }
  std::vector<float> samples;
  SDL_AudioStream* stream = SDL_NewAudioStream(wav.format, wav.channels, wav.freq, AUDIO_F32SYS,
                                               AudioOutput::kChannels, output_.SampleRate());
  // SDL's resampler keeps back the last stretch of its input even when
  // flushed, so the sound is followed by silence and cut to its length.
  const int frameBytes = std::max(1, SDL_AUDIO_BITSIZE(wav.format) / 8 * wav.channels);
  const std::size_t inFrames = length / static_cast<Uint32>(frameBytes);
  const std::size_t outFrames =
      static_cast<std::size_t>((static_cast<std::uint64_t>(inFrames) * output_.SampleRate() +
                                static_cast<std::uint64_t>(wav.freq) - 1) /
                               static_cast<std::uint64_t>(std::max(1, wav.freq)));
  const std::vector<Uint8> padding(static_cast<std::size_t>(frameBytes) * 4096,
                                   wav.format == AUDIO_U8 ? 0x80 : 0x00);
  bool ok = stream != nullptr && SDL_AudioStreamPut(stream, data, static_cast<int>(length)) == 0 &&
            SDL_AudioStreamPut(stream, padding.data(), static_cast<int>(padding.size())) == 0 &&
            SDL_AudioStreamFlush(stream) == 0;
  // The converter hands its output over in pieces.
  while (ok) {
    const int available = SDL_AudioStreamAvailable(stream);
    if (available <= 0) break;
    const std::size_t have = samples.size();
    samples.resize(have + static_cast<std::size_t>(available) / sizeof(float));
    const int got = SDL_AudioStreamGet(stream, samples.data() + have, available);
    ok = got > 0;
    samples.resize(have + static_cast<std::size_t>(std::max(got, 0)) / sizeof(float));
  }
  samples.resize(std::min(samples.size(), outFrames * AudioOutput::kChannels));
  if (stream != nullptr) SDL_FreeAudioStream(stream);
  SDL_FreeWAV(data);
  if (!ok || samples.empty()) return nullptr;
  return std::make_shared<const std::vector<float>>(std::move(samples));
}

std::vector<float> WaveSounds::DefaultSound(int rate) {
  // A soft two-tone chime, a tenth of a second: a quick rise, then a decay
  // that reaches silence at the end so it never clicks.
  const int frames = std::max(1, rate / 10);
  std::vector<float> samples(static_cast<std::size_t>(frames) * AudioOutput::kChannels);
  constexpr double kPi = 3.14159265358979323846;
  const double attack = 0.004 * rate;
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double rise = std::min(1.0, i / attack);
    const double fall = 1.0 - static_cast<double>(i) / frames;
    const double envelope = rise * fall * fall;
    const double tone = 0.7 * std::sin(2 * kPi * 880.0 * t) + 0.3 * std::sin(2 * kPi * 1320.0 * t);
    const float value = static_cast<float>(0.3 * envelope * tone);
    samples[static_cast<std::size_t>(i) * 2] = value;
    samples[static_cast<std::size_t>(i) * 2 + 1] = value;
  }
  return samples;
}

void WaveSounds::MixInto(float* out, int frames) {
  if (!current_) return;
  const std::vector<float>& samples = *current_;
  const std::size_t wanted = static_cast<std::size_t>(frames) * AudioOutput::kChannels;
  const std::size_t n = std::min(wanted, samples.size() - cursor_);
  for (std::size_t i = 0; i < n; ++i) out[i] += samples[cursor_ + i];
  cursor_ += n;
  // The finished effect stays referenced until the next one replaces it, so
  // nothing is freed on the audio thread.
}

}  // namespace audio
