#include "app/board_zoom.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace app {

int FitZoom(QSize content, QSize room) {
  if (content.width() <= 0 || content.height() <= 0) return SmallestZoom;
  const long long across = 100LL * room.width() / content.width();
  const long long down = 100LL * room.height() / content.height();
  return static_cast<int>(std::clamp<long long>(std::min(across, down), SmallestZoom, LargestZoom));
}

int LargestZoomStep(QSize content, QSize room) {
  const int fit = FitZoom(content, room);
  return std::max(SmallestZoom, fit / ZoomStep * ZoomStep);
}

int ZoomInStep(int zoom, int largest) {
  const int next = (std::max(zoom, SmallestZoom) / ZoomStep + 1) * ZoomStep;
  return std::max(SmallestZoom, std::min(next, std::max(largest, SmallestZoom)));
}

int ZoomOutStep(int zoom) {
  const int previous = (zoom + ZoomStep - 1) / ZoomStep * ZoomStep - ZoomStep;
  return std::clamp(previous, SmallestZoom, LargestZoom);
}

int CheckedZoom(int zoom) { return std::clamp(zoom, SmallestZoom, LargestZoom); }

board::Scale DrawingScale(int zoom, qreal ratio) {
  const long long hundredths = ratio > 0 ? std::max(1LL, std::llround(ratio * 100)) : 100;
  long long n = static_cast<long long>(CheckedZoom(zoom)) * hundredths, d = 10000;
  const long long g = std::gcd(n, d);
  n /= g;
  d /= g;
  return {static_cast<int>(n), static_cast<int>(d)};
}

QSize Zoomed(QSize size, int zoom) {
  return {static_cast<int>((static_cast<long long>(size.width()) * zoom + 99) / 100),
          static_cast<int>((static_cast<long long>(size.height()) * zoom + 99) / 100)};
}

}  // namespace app
