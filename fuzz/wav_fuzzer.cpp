// Wave files (the sound effects beside the program): read, convert and play
// through SDL's dummy output, as a click in the game does.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/audio_output.h"
#include "audio/wave_sounds.h"
#include "fuzz_support.h"

namespace {

audio::AudioOutput* output = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  output = new audio::AudioOutput;
  if (!output->Open()) {
    std::fprintf(stderr, "no audio output: %s\n", output->ErrorText().c_str());
    std::abort();
  }
  // The harness pulls the sound itself, so every sample is read on this thread.
  output->SetManualRendering(true);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("Effect.wav", data, size);
  audio::WaveSounds sounds(*output, fuzz::ScratchFolder() + "/");
  sounds.PlaySound("Effect");
  FUZZ_CHECK(sounds.FilesOpened() <= 1);
  // Play it out: a tenth of a second at a time, at most a few seconds.
  std::vector<float> buffer(4410 * audio::AudioOutput::kChannels);
  for (int i = 0; i < 40; ++i) output->Render(buffer.data(), 4410);
  return 0;
}
