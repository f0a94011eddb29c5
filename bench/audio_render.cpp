// What the music and the effects cost the processor: 50 ms of sound (one
// timer tick's worth) rendered through the game's output on SDL's dummy
// driver. Each iteration stands for 50 ms of play, so 1 ms per iteration is
// 2 % of one core. A shipped piece from data/Musics is used when there is one,
// otherwise a small chord sequence written here.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/audio_output.h"
#include "audio/fluid_music_device.h"
#include "audio/wave_sounds.h"

namespace {

namespace fs = std::filesystem;

// A piece of four-note chords, one every half second, for a minute.
std::string WriteChordPiece() {
  std::vector<unsigned char> track = {0x00, 0xC0, 48, 0x00, 0xC1, 107};
  for (int bar = 0; bar < 120; ++bar) {
    const unsigned char root = static_cast<unsigned char>(48 + bar % 12);
    for (unsigned char k : {root, static_cast<unsigned char>(root + 4), static_cast<unsigned char>(root + 7)}) {
      track.insert(track.end(), {0x00, 0x90, k, 0x50});
    }
    track.insert(track.end(), {0x00, 0x91, static_cast<unsigned char>(root + 24), 0x60});
    track.insert(track.end(), {0x60, 0x80, root, 0x40, 0x00, 0x80, static_cast<unsigned char>(root + 4), 0x40,
                               0x00, 0x80, static_cast<unsigned char>(root + 7), 0x40, 0x00, 0x81,
                               static_cast<unsigned char>(root + 24), 0x40});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
  for (int s = 24; s >= 0; s -= 8) file.push_back(static_cast<unsigned char>(track.size() >> s));
  file.insert(file.end(), track.begin(), track.end());
  const std::string path = (fs::temp_directory_path() / "sorami-bench-chords.mid").string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
  return path;
}

std::string PieceToPlay() {
  const fs::path night = fs::path(SORAMI_DATA_DIR) / "Musics" / "Night.mid";
  std::error_code ec;
  return fs::is_regular_file(night, ec) ? night.string() : WriteChordPiece();
}

void BM_RenderOneTickOfMusic(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  audio::AudioOutput output;
  output.SetManualRendering(true);
  audio::FluidMusicDevice device(output);
  if (!device.Open() || !device.PlayFile(PieceToPlay())) {
    state.SkipWithError(device.ErrorText().c_str());
    return;
  }
  audio::WaveSounds sounds(output, std::string(SORAMI_DATA_DIR) + "/");
  const int frames = output.SampleRate() / 20;
  std::vector<float> out(static_cast<std::size_t>(frames) * audio::AudioOutput::kChannels);
  int tick = 0;
  for (auto _ : state) {
    if (tick++ % 10 == 0) sounds.PlaySound("select");  // an effect every half second
    output.Render(out.data(), frames);
    if (device.TakeEndNotice()) {
      device.SeekToStart();
      device.Play();
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_RenderOneTickOfMusic)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
