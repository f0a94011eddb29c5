#include "audio/wave_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "board/file_io.h"

namespace audio {

namespace {

std::uint32_t Le16(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}
std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}
bool IdIs(const std::vector<unsigned char>& b, std::size_t at, const char* id) {
  return std::equal(id, id + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

bool CheckWave(const std::vector<unsigned char>& file, WaveFormat& format) {
  format = {};
  if (file.size() < 12 || !IdIs(file, 0, "RIFF") || !IdIs(file, 8, "WAVE")) return false;
  bool haveFormat = false;
  std::size_t at = 12;
  while (file.size() - at >= 8) {
    const std::size_t size = Le32(file, at + 4);
    const std::size_t body = at + 8;
    // A chunk that claims more than the file holds is damaged.
    if (size > file.size() - body) return false;
    if (IdIs(file, at, "fmt ")) {
      if (size < 16) return false;
      const std::uint32_t tag = Le16(file, body), channels = Le16(file, body + 2);
      const std::uint32_t rate = Le32(file, body + 4), blockAlign = Le16(file, body + 12);
      const std::uint32_t bits = Le16(file, body + 14);
      if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return false;
      if (rate < static_cast<std::uint32_t>(kMinWaveRate) || rate > static_cast<std::uint32_t>(kMaxWaveRate)) return false;
      if (blockAlign != channels * bits / 8) return false;
      format.Channels = static_cast<int>(channels);
      format.BitsPerSample = static_cast<int>(bits);
      format.Rate = static_cast<int>(rate);
      haveFormat = true;
    } else if (IdIs(file, at, "data")) {
      if (!haveFormat) return false;
      const std::size_t frameBytes = static_cast<std::size_t>(format.Channels * format.BitsPerSample / 8);
      format.DataOffset = body;
      format.DataBytes = size / frameBytes * frameBytes;
      return format.DataBytes > 0;
    }
    at = body + size + (size & 1);  // chunks are padded to an even size
    if (at > file.size()) break;
  }
  return false;
}

std::uint64_t ConvertedBytes(const WaveFormat& format, int outputRate) {
  if (format.Rate <= 0 || format.Channels <= 0 || format.BitsPerSample <= 0) return 0;
  const std::uint64_t frames = format.DataBytes / static_cast<std::uint64_t>(format.Channels * format.BitsPerSample / 8);
  const std::uint64_t outFrames =
      (frames * static_cast<std::uint64_t>(outputRate) + static_cast<std::uint64_t>(format.Rate) - 1) /
      static_cast<std::uint64_t>(format.Rate);
  return outFrames * AudioOutput::kChannels * sizeof(float);
}

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
  std::vector<unsigned char> file;
  if (board::ReadWholeFile(path, file, kMaxWaveBytes) != board::ReadStatus::Ok) return nullptr;
  // Only a format checked here reaches SDL's converter, which cannot be
  // trusted with odd rates or sizes.
  WaveFormat wav;
  if (!CheckWave(file, wav) || ConvertedBytes(wav, output_.SampleRate()) > kMaxConvertedBytes) return nullptr;

  const SDL_AudioFormat inFormat = wav.BitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  SDL_AudioStream* stream = SDL_NewAudioStream(inFormat, static_cast<Uint8>(wav.Channels), wav.Rate,
                                               AUDIO_F32SYS, AudioOutput::kChannels, output_.SampleRate());
  // SDL's resampler keeps back the last stretch of its input even when
  // flushed, so the sound is followed by silence and cut to its length.
  const std::size_t frameBytes = static_cast<std::size_t>(wav.Channels * wav.BitsPerSample / 8);
  const std::size_t outFrames =
      static_cast<std::size_t>(ConvertedBytes(wav, output_.SampleRate()) / (AudioOutput::kChannels * sizeof(float)));
  const std::vector<Uint8> padding(frameBytes * 4096, inFormat == AUDIO_U8 ? 0x80 : 0x00);
  bool ok = stream != nullptr &&
            SDL_AudioStreamPut(stream, file.data() + wav.DataOffset, static_cast<int>(wav.DataBytes)) == 0 &&
            SDL_AudioStreamPut(stream, padding.data(), static_cast<int>(padding.size())) == 0 &&
            SDL_AudioStreamFlush(stream) == 0;
  // The converter hands its output over in pieces.
  std::vector<float> samples;
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
