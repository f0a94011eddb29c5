#pragma once
// Smooth value noise for paper, clouds and nebulae: random values on a
// square lattice blended with a smooth curve, summed over octaves. Seeded,
// so every run gives the same texture; `period` > 0 makes it wrap around
// (for pictures that are tiled).

#include <cstdint>
#include <vector>

namespace assets {

class ValueNoise {
 public:
  // `cells` lattice cells across the period; with `period` 0 the lattice
  // simply covers `cells` x `cells` cells of `scale` pixels.
  ValueNoise(std::uint64_t seed, int cells);
  // Noise in [0, 1] at (x, y) measured in lattice cells; wraps every `cells`.
  double At(double x, double y) const;
  // Sum of `octaves` layers, each twice as fine and half as strong, in [0, 1].
  double Fractal(double x, double y, int octaves) const;

 private:
  int cells_;
  std::vector<double> lattice_;
};

}  // namespace assets
