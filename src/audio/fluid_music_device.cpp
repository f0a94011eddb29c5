#include "audio/fluid_music_device.h"

#include <fluidsynth.h>

#include <algorithm>
#include <utility>

#include "base/texts.h"

namespace audio {

namespace {

constexpr const char* kNoDeviceText = SORAMI_TEXT_NOOP("Music", "No MCI device open");

// The synthesiser's messages stay off the terminal: the device reports its
// own errors to the game, which shows them.
void QuietSynthLog() {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
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
    error_ = base::Translate("Music", "Cannot start the music synthesiser");
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
  fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
  // The device resets the synthesiser itself when a new piece starts.
  fluid_settings_setint(settings, "player.reset-synth", 0);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (synth == nullptr) {
    delete_fluid_settings(settings);
    error_ = base::Translate("Music", "Cannot start the music synthesiser");
    return false;
  }
  settings_ = settings;
  synth_ = synth;
  // Each piece brings the presets it can play on (see PresetsOfPiece); a
  // font this device cannot cut down is loaded whole, at once.
  subset_ = std::make_unique<SoundFontSubset>();
  std::string ignored;
  fluid_sfloader_t* loader = subset_->Open(soundFont_, ignored) ? VirtualFonts::NewLoader(settings) : nullptr;
  if (loader != nullptr) {
    fluid_synth_add_sfloader(synth, loader);
  } else {
    subset_.reset();
  }
  if (subset_ == nullptr && !LoadPresets({})) {
    synth_ = nullptr;
    settings_ = nullptr;
    ForgetFonts();
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    error_ = base::Format(base::Translate("Music", "Cannot load the sound font %1"), {soundFont_});
    return false;
  }
  // Fades take 15 ms from full to silent.
  gainStep_ = 1.0f / (0.015f * static_cast<float>(output_.SampleRate()));
  error_.clear();
  output_.AddSource(this);
  return true;
}

void FluidMusicDevice::Close() {
  if (!IsOpen()) return;
  output_.RemoveSource(this);
  Unload();
  delete_fluid_synth(synth_);
  synth_ = nullptr;
  delete_fluid_settings(settings_);
  settings_ = nullptr;
  ForgetFonts();
}

void FluidMusicDevice::ForgetFonts() {
  for (const std::string& name : fontNames_) VirtualFonts::Forget(name);
  fontNames_.clear();
  loadedPresets_.clear();
  subset_.reset();
  wholeFontLoaded_ = false;
}

bool FluidMusicDevice::LoadPresets(const std::set<int>& keys) {
  if (wholeFontLoaded_) return true;
  if (subset_ != nullptr) {
    std::set<int> missing;
    for (int key : keys)
      if (subset_->Has(key) && loadedPresets_.count(key) == 0) missing.insert(key);
    if (missing.empty()) return true;
    std::vector<unsigned char> tables = subset_->BuildPresetTables(missing);
    if (!tables.empty()) {
      const std::string name = VirtualFonts::Add(*subset_, std::move(tables));
      // Channels get their presets from the reset at the start of each piece.
      if (fluid_synth_sfload(synth_, name.c_str(), 0) != FLUID_FAILED) {
        fontNames_.push_back(name);
        loadedPresets_.insert(missing.begin(), missing.end());
        return true;
      }
      VirtualFonts::Forget(name);
    }
  }
  // The whole font, on top of whatever was loaded before.
  if (fluid_synth_sfload(synth_, soundFont_.c_str(), 0) == FLUID_FAILED) return false;
  wholeFontLoaded_ = true;
  return true;
}

bool FluidMusicDevice::PlayFile(const std::string& path) {
  if (!IsOpen()) {
    error_ = base::Translate("Music", kNoDeviceText);
    return false;
  }
  std::vector<unsigned char> bytes;
  MidiFileInfo info;
  std::string error;
  const bool readable = MidiFile::Load(path, bytes, info, error);
  // The presets the piece can select are loaded before it starts; a font
  // the synthesiser refuses leaves the piece to play with what is loaded.
  if (readable && subset_ != nullptr) LoadPresets(PresetsOfPiece(info, subset_->Presets()));

  AudioOutput::Lock lock(output_);
  const State before = state_;
  const bool sounding = before != State::Empty && before != State::Paused;
  // Whatever happens next, the piece that was loaded is gone.
  Unload();
  if (!readable) {
    fluid_synth_all_sounds_off(synth_, -1);
    error_ = error;
    return false;
  }
  bytes_ = std::move(bytes);
  info_ = info;
  file_ = path;
  loaded_ = true;
  player_ = NewPlayer();
  if (player_ == nullptr) {
    Unload();
    fluid_synth_all_sounds_off(synth_, -1);
    error_ = base::Format(base::Translate("Music", "Cannot play the music file %1: the synthesiser cannot load it."), {path});
    return false;
  }
  error_.clear();
  if (sounding) {
    // The last piece fades out first; the audio callback then starts this one.
    fluid_synth_all_notes_off(synth_, -1);
    target_ = 0.0f;
    state_ = State::Switching;
  } else {
    StartLoadedPiece();
  }
  return true;
}

void FluidMusicDevice::Play() {
  AudioOutput::Lock lock(output_);
  switch (state_.load()) {
    case State::Ended:
      DeletePlayer();
      player_ = NewPlayer();
      if (player_ == nullptr) {
        Unload();
        return;
      }
      [[fallthrough]];
    case State::Stopped:
      fluid_player_play(player_);
      target_ = 1.0f;
      state_ = State::Playing;
      break;
    case State::Pausing:
    case State::Paused:
      target_ = 1.0f;
      state_ = State::Playing;
      break;
    case State::Empty:
    case State::Playing:
    case State::Switching:
      break;
  }
}

void FluidMusicDevice::Pause() {
  AudioOutput::Lock lock(output_);
  if (state_ == State::Playing) {
    target_ = 0.0f;
    state_ = State::Pausing;
  } else if (state_ == State::Switching) {
    // Paused before it began: the new piece waits at its start.
    StartLoadedPiece();
    gain_ = target_ = 0.0f;
    state_ = State::Paused;
  }
}

void FluidMusicDevice::Resume() {
  AudioOutput::Lock lock(output_);
  if (state_ == State::Pausing || state_ == State::Paused) {
    target_ = 1.0f;
    state_ = State::Playing;
  }
}

void FluidMusicDevice::Stop() {
  AudioOutput::Lock lock(output_);
  switch (state_.load()) {
    case State::Playing:
      // The player stands and lets its notes go; they ring out.
      fluid_player_stop(player_);
      break;
    case State::Pausing:
    case State::Paused:
      fluid_player_stop(player_);
      fluid_synth_all_sounds_off(synth_, -1);
      break;
    case State::Switching:
      // The new piece never began: it waits at its start.
      ResetForPiece();
      break;
    case State::Empty:
      return;
    case State::Stopped:
    case State::Ended:
      break;
  }
  target_ = 1.0f;
  state_ = State::Stopped;
  // A stop is not an end: a notice still pending is dropped.
  endNotice_ = false;
}

void FluidMusicDevice::SeekToStart() {
  AudioOutput::Lock lock(output_);
  const State before = state_;
  if (before == State::Empty) return;
  endNotice_ = false;
  if (before == State::Switching) {
    ResetForPiece();
  } else {
    DeletePlayer();
    player_ = NewPlayer();
    if (player_ == nullptr) {
      Unload();
      return;
    }
    // What sounds rings out, unless it stood paused.
    fluid_synth_all_notes_off(synth_, -1);
    if (before == State::Pausing || before == State::Paused) fluid_synth_all_sounds_off(synth_, -1);
  }
  target_ = 1.0f;
  state_ = State::Stopped;
}

int FluidMusicDevice::ActiveVoices() const {
  return synth_ != nullptr ? fluid_synth_get_active_voice_count(synth_) : 0;
}

bool FluidMusicDevice::IsPlaying() const {
  const State s = state_;
  return s == State::Playing || s == State::Switching;
}

bool FluidMusicDevice::IsPaused() const {
  const State s = state_;
  return s == State::Pausing || s == State::Paused;
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
  for (int done = 0; done < frames;) {
    const State state = state_;
    if (state == State::Empty || state == State::Paused) return;
    // Stopped, with the last notes and their echo long gone: nothing to
    // render (music switched off costs nothing).
    if (state == State::Stopped && fluid_synth_get_active_voice_count(synth_) == 0) {
      if (quietFrames_ >= output_.SampleRate() * 3) return;
    } else {
      quietFrames_ = 0;
    }
    const int n = std::min(kBlockFrames, frames - done);
    quietFrames_ += n;
    fluid_synth_write_float(synth_, n, block_.data(), 0, 2, block_.data(), 1, 2);
    float* dst = out + static_cast<std::ptrdiff_t>(done) * AudioOutput::kChannels;
    for (int i = 0; i < n; ++i) {
      if (gain_ < target_) gain_ = std::min(target_, gain_ + gainStep_);
      else if (gain_ > target_) gain_ = std::max(target_, gain_ - gainStep_);
      dst[2 * i] += gain_ * block_[2 * i];
      dst[2 * i + 1] += gain_ * block_[2 * i + 1];
    }
    done += n;
    if (gain_ == 0.0f && target_ == 0.0f) {
      if (state == State::Pausing) {
        state_ = State::Paused;
        return;
      }
      if (state == State::Switching) StartLoadedPiece();
    }
    if (state == State::Playing && PieceAtEnd()) {
      // Only a playing piece gets here, so this is the real end.
      state_ = State::Ended;
      endNotice_ = true;
    }
  }
}

fluid_player_t* FluidMusicDevice::NewPlayer() {
  if (!loaded_ || synth_ == nullptr) return nullptr;
  fluid_player_t* player = new_fluid_player(synth_);
  if (player == nullptr) return nullptr;
  if (fluid_player_add_mem(player, bytes_.data(), bytes_.size()) != FLUID_OK) {
    delete_fluid_player(player);
    return nullptr;
  }
  return player;
}

void FluidMusicDevice::ResetForPiece() {
  fluid_synth_system_reset(synth_);
  const int channels = fluid_synth_count_midi_channels(synth_);
  for (int channel = 0; channel < channels; ++channel) {
    const auto bit = static_cast<std::size_t>(channel);
    if (bit >= info_.Channels.size() || !info_.Channels.test(bit)) fluid_synth_unset_program(synth_, channel);
  }
}

void FluidMusicDevice::StartLoadedPiece() {
  ResetForPiece();
  fluid_player_play(player_);
  target_ = 1.0f;
  state_ = State::Playing;
}

bool FluidMusicDevice::PieceAtEnd() {
  // The piece ends when its last event has played. FluidSynth's player says
  // "done" only seconds later, once the last notes have faded; a piece that
  // loops must not wait for that.
  return fluid_player_get_current_tick(player_) >= info_.LengthTicks ||
         fluid_player_get_status(player_) == FLUID_PLAYER_DONE;
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
