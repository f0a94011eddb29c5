#include "view/scaled_background.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "view/raster.h"

namespace view {
namespace {

// For each of `to` pixels stretched over `from`: the source pixel at or before
// its centre and the weight (0..256) of the next one, pixel centres aligned.
void StretchSteps(int from, int to, std::vector<int>& index, std::vector<std::uint16_t>& weight) {
  index.resize(static_cast<std::size_t>(to));
  weight.resize(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    const double at = (i + 0.5) * from / to - 0.5;
    double whole = std::floor(at);
    double part = at - whole;
    if (whole < 0) whole = 0, part = 0;
    if (whole >= from - 1) whole = from - 1, part = 0;
    index[static_cast<std::size_t>(i)] = static_cast<int>(whole);
    weight[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(std::lround(part * 256));
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
  StretchSteps(source.width(), width_, left, rightWeight);
  StretchSteps(source.height(), height_, upper_, lowerWeight_);
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
  if (plain_) {
    FillRect(dst, toX, toY, right - left, bottom - top, qRgb(0, 0, 0));
    const int l = std::max(left, inside_.left), t = std::max(top, inside_.top);
    const int r = std::min(right, inside_.right), b = std::min(bottom, inside_.bottom);
    if (l < r && t < b) FillRect(dst, toX + (l - left), toY + (t - top), r - l, b - t, qRgb(0, 128, 128));
    return;
  }
  const int bytes = 3 * (right - left);
  const int lastRow = band_.height() - 1;
  for (int y = top; y < bottom; ++y) {
    const int i = upper_[static_cast<std::size_t>(y)];
    const unsigned w = lowerWeight_[static_cast<std::size_t>(y)];
    const uchar* a = band_.constScanLine(i) + 3 * left;
    uchar* d = dst.scanLine(toY + (y - top)) + 3 * toX;
    if (w == 0) {
      std::memcpy(d, a, static_cast<std::size_t>(bytes));
      continue;
    }
    const uchar* b = band_.constScanLine(std::min(i + 1, lastRow)) + 3 * left;
    const unsigned v = 256 - w;
    for (int k = 0; k < bytes; ++k) d[k] = static_cast<uchar>((a[k] * v + b[k] * w + 128) >> 8);
  }
}

QImage ScaledBackground::Whole() const {
  QImage whole = MakePicture(width_, height_);
  Paint(whole, 0, 0, PixelRect{0, 0, width_, height_});
  return whole;
}

}  // namespace view
