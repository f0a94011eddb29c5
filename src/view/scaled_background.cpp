#include "view/scaled_background.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "view/raster.h"

namespace view {
namespace {

// For each of `to` pixels stretched over `from`: the source pixel at or before
// its centre and the weight of the next one in 1/`steps`, pixel centres
// aligned.
void StretchSteps(int from, int to, int steps, std::vector<int>& index, std::vector<std::uint16_t>& weight) {
  index.resize(static_cast<std::size_t>(to));
  weight.resize(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    const double at = (i + 0.5) * from / to - 0.5;
    double whole = std::floor(at);
    double part = at - whole;
    if (whole < 0) whole = 0, part = 0;
    if (whole >= from - 1) whole = from - 1, part = 0;
    long step = std::lround(part * steps);
    if (step == steps) whole += 1, step = 0;
    index[static_cast<std::size_t>(i)] = static_cast<int>(whole);
    weight[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(step);
  }
}

// Eighths of the way from a to b, byte by byte: k/8 = k2/2 + k1/4 + k0/8
// for the bits of k, so three rounded averages get there, each with either
// end: avg(c2, avg(c1, avg(c0, a))) with c = b for a set bit, else a. The
// stretched background is blurred anyway; eighths are all a row needs.
std::uint8_t Average(std::uint8_t x, std::uint8_t y) { return static_cast<std::uint8_t>((x + y + 1) >> 1); }

void BlendRows(uchar* d, const uchar* a, const uchar* b, int bytes, unsigned eighths) {
  const uchar* c0 = (eighths & 1) != 0 ? b : a;
  const uchar* c1 = (eighths & 2) != 0 ? b : a;
  const uchar* c2 = (eighths & 4) != 0 ? b : a;
  int k = 0;
#if defined(__SSE2__)
  for (; k + 16 <= bytes; k += 16) {
    auto load = [k](const uchar* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)); };
    const __m128i t = _mm_avg_epu8(load(c1), _mm_avg_epu8(load(c0), load(a)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_avg_epu8(load(c2), t));
  }
#endif
  for (; k < bytes; ++k) d[k] = Average(c2[k], Average(c1[k], Average(c0[k], a[k])));
}

// n pixels of one colour, the first written and then copied in doubling
// blocks.
void FillPixels(uchar* out, int n, uchar r, uchar g, uchar b) {
  if (n <= 0) return;
  out[0] = r;
  out[1] = g;
  out[2] = b;
  std::size_t done = 3;
  const std::size_t all = static_cast<std::size_t>(n) * 3;
  while (done < all) {
    const std::size_t step = std::min(done, all - done);
    std::memcpy(out + done, out, step);
    done += step;
  }
}

}  // namespace

void ScaledBackground::Set(const QImage& unit, board::Scale scale) {
  const board::Geometry g({0, 0}, scale);
  width_ = g.Width();
  height_ = g.Height();
  inside_ = g.Scaled(PixelRect{1, 1, BoardWidth - 1, BoardHeight - 1});
  plain_ = unit.isNull();
  band_ = QImage();
  upper_.clear();
  lowerWeight_.clear();
  if (plain_) return;
  QImage source = unit;
  ToPictureFormat(source);
  std::vector<int> left;
  std::vector<std::uint16_t> rightWeight;
  StretchSteps(source.width(), width_, 256, left, rightWeight);
  StretchSteps(source.height(), height_, 8, upper_, lowerWeight_);
  band_ = MakePicture(width_, source.height());
  const int last = source.width() - 1;
  for (int y = 0; y < source.height(); ++y) {
    const uchar* s = source.constScanLine(y);
    uchar* d = band_.scanLine(y);
    for (int x = 0; x < width_; ++x, d += 3) {
      const int i = left[static_cast<std::size_t>(x)], w = rightWeight[static_cast<std::size_t>(x)];
      const uchar* a = s + 3 * i;
      const uchar* b = s + 3 * std::min(i + 1, last);
      for (int c = 0; c < 3; ++c) d[c] = static_cast<uchar>((a[c] * (256 - w) + b[c] * w + 128) >> 8);
    }
  }
}

void ScaledBackground::Paint(QImage& dst, int dx, int dy, PixelRect area) const {
  ToPictureFormat(dst);
  // Clip the area to the board, then to the destination.
  int left = std::max(area.left, 0), top = std::max(area.top, 0);
  int right = std::min(area.right, width_), bottom = std::min(area.bottom, height_);
  left = std::max(left, area.left - dx);
  top = std::max(top, area.top - dy);
  right = std::min(right, area.left - dx + dst.width());
  bottom = std::min(bottom, area.top - dy + dst.height());
  if (left >= right || top >= bottom) return;
  const int toX = dx + (left - area.left), toY = dy + (top - area.top);
  for (int y = top; y < bottom; ++y) RowSpan(dst.scanLine(toY + (y - top)) + 3 * toX, y, left, right);
}

void ScaledBackground::PaintRowSpan(QImage& dst, int y, int from, int to) const {
  from = std::max(from, 0);
  to = std::min({to, width_, dst.width()});
  if (y < 0 || y >= height_ || y >= dst.height() || from >= to || dst.format() != PictureFormat) return;
  RowSpan(dst.scanLine(y) + 3 * from, y, from, to);
}

void ScaledBackground::RowSpan(uchar* out, int y, int from, int to) const {
  if (plain_) {
    // Black, the teal inside the frame, black.
    const bool teal = y >= inside_.top && y < inside_.bottom;
    const int tealFrom = teal ? std::clamp(inside_.left, from, to) : to;
    const int tealTo = teal ? std::clamp(inside_.right, tealFrom, to) : to;
    FillPixels(out, tealFrom - from, 0, 0, 0);
    FillPixels(out + 3 * (tealFrom - from), tealTo - tealFrom, 0, 128, 128);
    FillPixels(out + 3 * (tealTo - from), to - tealTo, 0, 0, 0);
    return;
  }
  const int i = upper_[static_cast<std::size_t>(y)];
  const unsigned w = lowerWeight_[static_cast<std::size_t>(y)];
  const uchar* a = band_.constScanLine(i) + 3 * from;
  const int bytes = 3 * (to - from);
  if (w == 0) {
    std::memcpy(out, a, static_cast<std::size_t>(bytes));
    return;
  }
  BlendRows(out, a, band_.constScanLine(std::min(i + 1, band_.height() - 1)) + 3 * from, bytes, w);
}

QImage ScaledBackground::Whole() const {
  QImage whole = MakePicture(width_, height_);
  Paint(whole, 0, 0, PixelRect{0, 0, width_, height_});
  return whole;
}

}  // namespace view
