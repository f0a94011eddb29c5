#pragma once
// Helpers for the audio tests: a scratch folder, small MIDI and wave files
// written on the spot, and rendering the output by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/audio_output.h"

namespace audio_test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "sorami-audio-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  // With a trailing separator, like the program's folder.
  std::string Dir() const { return path_.string() + "/"; }

 private:
  fs::path path_;
};

inline void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void Put32(std::vector<unsigned char>& v, std::uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<unsigned char>(x >> s));
}

// A one-track Standard MIDI File at 120 beats a minute, 96 ticks a beat: a
// program change, then `notes` quarter notes of `key` one after the other.
// Its length is notes * 96 ticks, half a second per note.
// A program below 0 leaves the channel's instrument as a reset sets it.
inline std::vector<unsigned char> MidiPiece(int notes, int key = 60, int program = 0, int channel = 0) {
  const auto status = [channel](unsigned kind) { return static_cast<unsigned char>(kind | unsigned(channel)); };
  std::vector<unsigned char> track = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};  // tempo
  if (program >= 0) track.insert(track.end(), {0x00, status(0xC0), static_cast<unsigned char>(program)});
  for (int i = 0; i < notes; ++i) {
    track.insert(track.end(), {0x00, status(0x90), static_cast<unsigned char>(key), 0x64});
    track.insert(track.end(), {0x60, status(0x80), static_cast<unsigned char>(key), 0x40});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
  Put32(file, static_cast<std::uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// A 16-bit PCM wave file of a square wave.
inline std::vector<unsigned char> WavePiece(int rate, int channels, int frames, int amplitude = 8000) {
  auto put16 = [](std::vector<unsigned char>& v, unsigned x) {
    v.push_back(static_cast<unsigned char>(x & 0xFF));
    v.push_back(static_cast<unsigned char>((x >> 8) & 0xFF));
  };
  auto put32 = [&](std::vector<unsigned char>& v, std::uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
  };
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
  std::vector<unsigned char> w = {'R', 'I', 'F', 'F'};
  put32(w, 36 + dataBytes);
  w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(w, 16);
  put16(w, 1);
  put16(w, static_cast<unsigned>(channels));
  put32(w, static_cast<std::uint32_t>(rate));
  put32(w, static_cast<std::uint32_t>(rate * channels * 2));
  put16(w, static_cast<unsigned>(channels * 2));
  put16(w, 16);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  put32(w, dataBytes);
  for (int i = 0; i < frames; ++i) {
    const int value = (i / 20) % 2 == 0 ? amplitude : -amplitude;
    for (int c = 0; c < channels; ++c) put16(w, static_cast<unsigned>(value) & 0xFFFF);
  }
  return w;
}

// Renders `frames` frames of the output (which must render by hand).
inline std::vector<float> Render(audio::AudioOutput& output, int frames) {
  std::vector<float> out(static_cast<std::size_t>(frames) * audio::AudioOutput::kChannels);
  output.Render(out.data(), frames);
  return out;
}

inline float Peak(const std::vector<float>& samples) {
  float peak = 0;
  for (float s : samples) peak = std::max(peak, s < 0 ? -s : s);
  return peak;
}

// Opens the output on SDL's dummy driver, rendering by hand.
inline void OpenManualOutput(audio::AudioOutput& output) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  output.SetManualRendering(true);
  ASSERT_TRUE(output.Open()) << output.ErrorText();
}

}  // namespace audio_test
