#include "audio/fluid_music_device.h"

#include <fluidsynth.h>

#include <algorithm>
#include <utility>

namespace audio {

namespace {

constexpr const char* kNoDeviceText = "No MCI device open";

// The synthesiser's messages stay off the terminal: the device reports its
// own errors to the game, which shows them.
void QuietSynthLog() {
  static const bool done = [] {
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    return true;
  }();
  (void)done;
}

}  // namespace

FluidMusicDevice::FluidMusicDevice(AudioOutput& output, std::string soundFont)
    : output_(output), soundFont_(std::move(soundFont)) {}

FluidMusicDevice::~FluidMusicDevice() { Close(); }

bool FluidMusicDevice::Open() {
  if (IsOpen()) return true;
  if (!output_.Open()) {
    error_ = output_.ErrorText();
    return false;
  }
  QuietSynthLog();
  fluid_settings_t* settings = new_fluid_settings();
  if (settings == nullptr) {
    error_ = "Cannot start the music synthesiser";
    return false;
  }
  fluid_settings_setnum(settings, "synth.sample-rate", output_.SampleRate());
  // The player moves with the samples the output renders: it stands still
  // while nothing is rendered, and a test can render to the end at once.
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setnum(settings, "synth.gain", 0.7);
  // The game has to stay small: only the instruments a piece selects are
  // held in memory, and the quiet pieces never need hundreds of voices.
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(settings, "synth.polyphony", 96);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (synth == nullptr) {
    delete_fluid_settings(settings);
    error_ = "Cannot start the music synthesiser";
    return false;
  }
  if (fluid_synth_sfload(synth, soundFont_.c_str(), 1) == FLUID_FAILED) {
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    error_ = "Cannot load the sound font " + soundFont_;
    return false;
  }
  settings_ = settings;
  synth_ = synth;
  error_.clear();
  output_.AddSource(this);
  return true;
}

void FluidMusicDevice::Close() {
  if (!IsOpen()) return;
  output_.RemoveSource(this);
  DeletePlayer();
  Unload();
  delete_fluid_synth(synth_);
  synth_ = nullptr;
  delete_fluid_settings(settings_);
  settings_ = nullptr;
}

bool FluidMusicDevice::PlayFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  MidiFileInfo info;
  std::string error;
  const bool readable = MidiFile::Load(path, bytes, info, error);

  AudioOutput::Lock lock(output_);
  // Whatever happens next, the piece that was loaded is gone.
  DeletePlayer();
  Unload();
  if (!IsOpen()) {
    error_ = kNoDeviceText;
    return false;
  }
  if (!readable) {
    error_ = error;
    return false;
  }
  bytes_ = std::move(bytes);
  info_ = info;
  file_ = path;
  loaded_ = true;
  if (!RestartPlayer()) {
    Unload();
    error_ = "Cannot play the music file " + path;
    return false;
  }
  error_.clear();
  state_ = State::Playing;
  return true;
}

void FluidMusicDevice::Play() {
  AudioOutput::Lock lock(output_);
  switch (state_.load()) {
    case State::Stopped:
    case State::Paused:
      state_ = State::Playing;
      break;
    case State::Ended:
      if (RestartPlayer()) state_ = State::Playing;
      break;
    case State::Empty:
    case State::Playing:
      break;
  }
}

void FluidMusicDevice::Pause() {
  AudioOutput::Lock lock(output_);
  if (state_ == State::Playing) state_ = State::Paused;
}

void FluidMusicDevice::Resume() {
  AudioOutput::Lock lock(output_);
  if (state_ == State::Paused) state_ = State::Playing;
}

void FluidMusicDevice::Stop() {
  AudioOutput::Lock lock(output_);
  if (state_ != State::Empty) state_ = State::Stopped;
  // A stop is not an end: a notice still pending is dropped.
  endNotice_ = false;
}

void FluidMusicDevice::SeekToStart() {
  AudioOutput::Lock lock(output_);
  if (state_ == State::Empty) return;
  if (RestartPlayer()) {
    state_ = State::Stopped;
  } else {
    Unload();
  }
  endNotice_ = false;
}

std::int64_t FluidMusicDevice::Position() const {
  switch (state_.load()) {
    case State::Empty:
      return 0;
    case State::Ended:
      return Length();
    default:
      break;
  }
  AudioOutput::Lock lock(output_);
  if (player_ == nullptr) return 0;
  const std::int64_t tick = fluid_player_get_current_tick(player_);
  return std::clamp<std::int64_t>(tick, 0, Length());
}

void FluidMusicDevice::MixInto(float* out, int frames) {
  if (state_ != State::Playing || player_ == nullptr) return;
  for (int done = 0; done < frames;) {
    const int n = std::min(kBlockFrames, frames - done);
    fluid_synth_write_float(synth_, n, block_.data(), 0, 2, block_.data(), 1, 2);
    float* dst = out + static_cast<std::ptrdiff_t>(done) * AudioOutput::kChannels;
    for (int i = 0; i < n * AudioOutput::kChannels; ++i) dst[i] += block_[i];
    done += n;
    // The piece ends when its last event has been played. FluidSynth's
    // player says "done" only seconds later, once the last notes have
    // faded; a piece that loops must not wait for that.
    if (fluid_player_get_current_tick(player_) >= info_.LengthTicks ||
        fluid_player_get_status(player_) == FLUID_PLAYER_DONE) {
      // Only a playing piece gets here, so this is the real end.
      state_ = State::Ended;
      endNotice_ = true;
      return;
    }
  }
}

bool FluidMusicDevice::RestartPlayer() {
  DeletePlayer();
  if (!loaded_ || synth_ == nullptr) return false;
  // Silence what the last piece left sounding and reset the channels.
  fluid_synth_system_reset(synth_);
  player_ = new_fluid_player(synth_);
  if (player_ == nullptr) return false;
  if (fluid_player_add_mem(player_, bytes_.data(), bytes_.size()) != FLUID_OK ||
      fluid_player_play(player_) != FLUID_OK) {
    DeletePlayer();
    return false;
  }
  return true;
}

void FluidMusicDevice::DeletePlayer() {
  if (player_ == nullptr) return;
  delete_fluid_player(player_);
  player_ = nullptr;
}

void FluidMusicDevice::Unload() {
  DeletePlayer();
  bytes_.clear();
  info_ = MidiFileInfo{};
  file_.clear();
  loaded_ = false;
  state_ = State::Empty;
  endNotice_ = false;
}

}  // namespace audio
