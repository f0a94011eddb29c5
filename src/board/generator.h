#pragma once
// The one random source of the game: a linear congruential generator whose
// every step is part of a game's identity. A game number seeds it, and the
// deal then draws from it in a fixed order, so the same number gives the same
// board on any machine. Never add another source or an extra draw in between.

#include <cstdint>

namespace board {

class Generator {
 public:
  std::uint32_t GeneratorSeed = 0;
  // Number of NextRandom calls since construction (measurements and checks;
  // it plays no part in the numbers drawn).
  std::uint64_t DrawCount = 0;

  // A number 0..n-1: step the state (mod 2^32), then scale it to n by taking
  // the upper half of the 64-bit product.
  std::uint32_t NextRandom(std::uint32_t n) {
    GeneratorSeed = GeneratorSeed * 134775813u + 1u;
    ++DrawCount;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(GeneratorSeed) * n) >> 32);
  }

  // Seeds from the UTC time of day: milliseconds since midnight.
  void SeedFromClock(int hour, int minute, int second, int millisecond) {
    GeneratorSeed = static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
  }

  // Two generators are the same when they draw the same numbers from now on.
  bool operator==(const Generator& other) const { return GeneratorSeed == other.GeneratorSeed; }
};

}  // namespace board
