#pragma once
// The game's one sound output: an SDL2 audio device whose callback mixes every
// registered source (the music synthesiser, the current sound effect) into a
// stereo float stream. Without a sound device the output stays closed and the
// game runs silently.

#include <SDL2/SDL.h>

#include <string>
#include <vector>

namespace audio {

// Something that sounds through the output. MixInto runs with the output
// locked (on the audio thread, or on the caller's thread when rendering by
// hand) and adds `frames` frames of interleaved stereo samples into `out`.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void MixInto(float* out, int frames) = 0;
};

class AudioOutput {
 public:
  static constexpr int kChannels = 2;
  static constexpr int kWantedRate = 44100;

  AudioOutput() = default;
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the sound device (once; later calls return true at once). False,
  // with ErrorText() set to SDL's own text, when there is none.
  bool Open();
  void Close();
  bool IsOpen() const { return device_ != 0; }
  const std::string& ErrorText() const { return error_; }
  // Frames per second of the open device.
  int SampleRate() const { return rate_; }

  void AddSource(AudioSource* source);
  void RemoveSource(AudioSource* source);

  // Holds the audio callback off while the owner changes what a source
  // reads (a no-op while the output is closed).
  class Lock {
   public:
    explicit Lock(const AudioOutput& output);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    SDL_AudioDeviceID device_;
  };

  // Rendering by hand: the device stops pulling sound and Render mixes
  // `frames` frames into `out` on demand, so a test decides how far the
  // music has gone. Render works only in this mode.
  void SetManualRendering(bool manual);
  bool ManualRendering() const { return manual_; }
  void Render(float* out, int frames);

 private:
  static void Callback(void* self, Uint8* stream, int len);
  void Mix(float* out, int frames);

  SDL_AudioDeviceID device_ = 0;
  bool subsystemStarted_ = false;
  bool manual_ = false;
  int rate_ = kWantedRate;
  std::string error_;
  std::vector<AudioSource*> sources_;
};

}  // namespace audio
