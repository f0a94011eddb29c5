#pragma once
// The music device: FluidSynth's synthesiser and MIDI player, sounding
// through the game's AudioOutput. The player is timed by the samples the
// output renders, so the music moves exactly as far as it has been heard and
// stands still while it is paused. Pauses and changes of piece fade over a
// few milliseconds; a piece that starts again lets its last notes ring on.

#include <fluidsynth/types.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "audio/audio_output.h"
#include "audio/midi_file.h"
#include "audio/sound_font_subset.h"
#include "game/ports.h"

namespace audio {

class FluidMusicDevice : public game::MusicDevice, private AudioSource {
 public:
  static constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  // The most notes the synthesiser sounds at once (a note beyond them cuts
  // off one still sounding). The game's pieces need at most 68; each voice
  // costs memory whether it sounds or not.
  static constexpr int kPolyphony = 72;

  explicit FluidMusicDevice(AudioOutput& output, std::string soundFont = kDefaultSoundFont);
  ~FluidMusicDevice() override;
  FluidMusicDevice(const FluidMusicDevice&) = delete;
  FluidMusicDevice& operator=(const FluidMusicDevice&) = delete;

  bool IsOpen() const override { return synth_ != nullptr; }
  // Opens the sound output and the synthesiser with its sound font.
  bool Open() override;
  void Close();
  bool PlayFile(const std::string& path) override;
  void Play() override;
  void Pause() override;
  void Resume() override;
  void Stop() override;
  void SeekToStart() override;
  bool IsPlaying() const override;
  bool IsPaused() const override;
  std::int64_t StartPosition() const override { return 0; }
  std::int64_t Length() const override { return loaded_ ? info_.LengthTicks : 0; }
  std::int64_t Position() const override;
  bool TakeEndNotice() override { return endNotice_.exchange(false); }
  std::string ErrorText() const override { return error_; }

  // The voices sounding now (0 while closed).
  int ActiveVoices() const;

  // The file of the loaded piece; empty when none is loaded.
  const std::string& LoadedFile() const { return file_; }

 private:
  enum class State {
    Empty,      // nothing loaded: silent
    Stopped,    // the player stands (stopped, or back at the start); what
                // still sounds rings out
    Playing,
    Pausing,    // fading out, then Paused
    Paused,     // nothing is rendered: the music stands exactly where it is
    Switching,  // fading out the last piece before the next one starts
    Ended,      // the last event has played (never after a stop or pause);
                // what still sounds rings out
  };

  void MixInto(float* out, int frames) override;
  // A player on the loaded piece, at its start and not yet playing; null
  // when FluidSynth refuses it.
  fluid_player_t* NewPlayer();
  // Resets the synthesiser (programs, controllers, sounding notes) and sets
  // the new player going (with the output locked).
  void StartLoadedPiece();
  // Resets the synthesiser for the loaded piece. A reset gives every channel
  // the piano and the tenth the drum kit; the channels the piece plays no
  // note on are left without an instrument instead, so that instruments no
  // note of the piece uses let go of their samples (about 0.6 MiB for the
  // piano and the drums). Those channels are silent either way.
  void ResetForPiece();
  bool PieceAtEnd();
  void DeletePlayer();
  void Unload();
  // Loads the presets of `keys` that the sound font holds and the
  // synthesiser lacks, as one more (small) font. Without a subset (a font
  // this device cannot cut down) the whole font is loaded once.
  bool LoadPresets(const std::set<int>& keys);
  void ForgetFonts();

  AudioOutput& output_;
  std::string soundFont_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  // The sound font's presets are loaded as pieces need them: the synthesiser
  // holds every zone of a loaded preset in memory, the whole font about
  // 5 MiB of them. Fonts stay loaded until the device closes.
  std::unique_ptr<SoundFontSubset> subset_;
  std::set<int> loadedPresets_;
  std::vector<std::string> fontNames_;
  bool wholeFontLoaded_ = false;
  std::vector<unsigned char> bytes_;
  MidiFileInfo info_;
  std::string file_;
  bool loaded_ = false;
  std::atomic<State> state_{State::Empty};
  std::atomic<bool> endNotice_{false};
  std::string error_;
  // The synthesiser's output is scaled by gain_, which moves towards
  // target_ in a few milliseconds: pausing, resuming and changing pieces
  // fade instead of clicking.
  float gain_ = 1.0f;
  float target_ = 1.0f;
  float gainStep_ = 1.0f;
  // Frames rendered while stopped with no voice sounding.
  int quietFrames_ = 0;
  // The synthesiser renders into this block before it is mixed in.
  static constexpr int kBlockFrames = 256;
  std::array<float, kBlockFrames * AudioOutput::kChannels> block_{};
};

}  // namespace audio
