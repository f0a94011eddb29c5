#include "texture_noise.h"

#include "asset_io.h"

#include <cmath>

namespace assets {

ValueNoise::ValueNoise(std::uint64_t seed, int cells) : cells_(cells), lattice_(static_cast<size_t>(cells * cells)) {
  Noise noise(seed);
  for (double& v : lattice_) v = noise.Uniform();
}

double ValueNoise::At(double x, double y) const {
  const double fx = std::floor(x), fy = std::floor(y);
  const int x0 = ((static_cast<int>(fx) % cells_) + cells_) % cells_;
  const int y0 = ((static_cast<int>(fy) % cells_) + cells_) % cells_;
  const int x1 = (x0 + 1) % cells_, y1 = (y0 + 1) % cells_;
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double tx = smooth(x - fx), ty = smooth(y - fy);
  auto v = [this](int i, int j) { return lattice_[static_cast<size_t>(j * cells_ + i)]; };
  const double top = v(x0, y0) + (v(x1, y0) - v(x0, y0)) * tx;
  const double bottom = v(x0, y1) + (v(x1, y1) - v(x0, y1)) * tx;
  return top + (bottom - top) * ty;
}

double ValueNoise::Fractal(double x, double y, int octaves) const {
  double sum = 0, weight = 1, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += At(x * scale, y * scale) * weight;
    total += weight;
    weight *= 0.5;
    scale *= 2;
  }
  return sum / total;
}

}  // namespace assets
