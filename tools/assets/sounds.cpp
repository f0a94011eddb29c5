// The three sound effects, synthesised sample by sample: 16-bit PCM, 44100 Hz,
// mono, each under half a second. Every sound starts and ends at exactly zero
// with a short raised-cosine fade, so nothing clicks.
//   select.wav  a light wooden tick        (a tile is picked up)
//   done.wav    a two-note bell chime      (a pair is taken away)
//   noway.wav   a dull, falling double bump (the tile is not free)

#include "generators.h"

#include <cmath>
#include <vector>

namespace assets {
namespace {

constexpr int kRate = 44100;

// Fades both ends, scales the loudest sample to `peak` (of full scale) and
// writes a canonical 44-byte-header wave file.
QByteArray EncodeWave(std::vector<double> samples, double peak, double fade_in_ms, double fade_out_ms) {
  const size_t n = samples.size();
  const size_t in = static_cast<size_t>(kRate * fade_in_ms / 1000), out_len = static_cast<size_t>(kRate * fade_out_ms / 1000);
  for (size_t i = 0; i < n; ++i) {
    double g = 1;
    if (i < in) g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(in));
    if (i + out_len >= n) g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(n - 1 - i) / static_cast<double>(out_len));
    samples[i] *= g;
  }
  double loudest = 1e-9;
  for (const double s : samples) loudest = std::max(loudest, std::abs(s));
  QByteArray data;
  for (const double s : samples) {
    const long v = std::lround(s / loudest * peak * 32767.0);
    PutLe16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32767L, 32767L))));
  }
  QByteArray wav("RIFF");
  PutLe32(wav, static_cast<std::uint32_t>(36 + data.size()));
  wav.append("WAVEfmt ");
  PutLe32(wav, 16);
  PutLe16(wav, 1);  // PCM
  PutLe16(wav, 1);  // mono
  PutLe32(wav, kRate);
  PutLe32(wav, kRate * 2);
  PutLe16(wav, 2);
  PutLe16(wav, 16);
  wav.append("data");
  PutLe32(wav, static_cast<std::uint32_t>(data.size()));
  wav.append(data);
  return wav;
}

std::vector<double> Silence(double seconds) { return std::vector<double>(static_cast<size_t>(kRate * seconds), 0.0); }

// A struck partial: sine with an exponential decay, starting at `start` s.
void Partial(std::vector<double>& s, double start, double freq, double amp, double decay) {
  const size_t first = static_cast<size_t>(start * kRate);
  for (size_t i = first; i < s.size(); ++i) {
    const double t = static_cast<double>(i - first) / kRate;
    const double attack = t < 0.0015 ? std::sin(kPi / 2 * t / 0.0015) : 1.0;  // a soft strike
    s[i] += amp * attack * std::exp(-t / decay) * std::sin(2 * kPi * freq * t);
  }
}

QByteArray Select() {
  std::vector<double> s = Silence(0.09);
  // A small wooden block: a few inharmonic partials that die within tens of
  // milliseconds, plus a breath of filtered noise for the contact.
  Partial(s, 0, 1850, 1.0, 0.012);
  Partial(s, 0, 2960, 0.55, 0.008);
  Partial(s, 0, 4420, 0.3, 0.005);
  Partial(s, 0, 920, 0.35, 0.02);
  Noise noise(81);
  double low = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    low += 0.35 * (noise.Gauss() - low);
    s[i] += 0.25 * low * std::exp(-t / 0.004);
  }
  return EncodeWave(s, 0.5, 1.5, 12);
}

QByteArray Done() {
  std::vector<double> s = Silence(0.46);
  // Two bell strokes a fourth apart (A5 then D6), each with the bright,
  // slightly inharmonic overtones of a small bell.
  for (const auto& [start, f, amp] : {std::tuple{0.0, 880.0, 1.0}, std::tuple{0.085, 1174.66, 0.9}}) {
    Partial(s, start, f, amp, 0.16);
    Partial(s, start, f * 2.0, amp * 0.35, 0.09);
    Partial(s, start, f * 2.76, amp * 0.22, 0.05);
    Partial(s, start, f * 5.4, amp * 0.08, 0.02);
  }
  return EncodeWave(s, 0.7, 2, 60);
}

QByteArray NoWay() {
  std::vector<double> s = Silence(0.32);
  // "Uh-uh": two soft, low, muffled bumps, the second lower.
  for (const auto& [start, f] : {std::pair{0.0, 196.0}, std::pair{0.15, 147.0}}) {
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t length = static_cast<size_t>(0.13 * kRate);
    for (size_t i = 0; i < length && first + i < s.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double left = static_cast<double>(length - 1 - i) / kRate;
      const double release = left < 0.02 ? 0.5 - 0.5 * std::cos(kPi * left / 0.02) : 1.0;
      const double env = std::sin(kPi * std::min(1.0, t / 0.012) / 2) * std::exp(-t / 0.05) * release;
      const double glide = f * (1 - 0.08 * t / 0.13);
      const double phase = 2 * kPi * glide * t;
      // A rounded square: odd harmonics, softly rolled off.
      const double tone = std::sin(phase) + 0.3 * std::sin(3 * phase) + 0.1 * std::sin(5 * phase);
      s[first + i] += env * tone;
    }
  }
  return EncodeWave(s, 0.6, 2, 25);
}

}  // namespace

void WriteSounds(const Output& out) {
  out.Write("select.wav", Select());
  out.Write("done.wav", Done());
  out.Write("noway.wav", NoWay());
}

}  // namespace assets
