#include "view/raster.h"

#include <algorithm>
#include <cstdint>

namespace view {
namespace {

inline QRgb Combine(QRgb d, QRgb s, Rop op) {
  switch (op) {
    case Rop::Copy:
      return s | Opaque;
    case Rop::And:
      return (d & s) | Opaque;
    case Rop::Or:
      return d | s | Opaque;
    case Rop::Xor:
      return (d ^ s) | Opaque;
  }
  return d;
}

inline QRgb* Row(QImage& img, int y) { return reinterpret_cast<QRgb*>(img.scanLine(y)); }
inline const QRgb* Row(const QImage& img, int y) {
  return reinterpret_cast<const QRgb*>(img.constScanLine(y));
}

// Source pixel with black outside the picture.
inline QRgb SourceAt(const QImage& src, int x, int y) {
  if (x < 0 || y < 0 || x >= src.width() || y >= src.height()) return Opaque;
  return Row(src, y)[x];
}

// Clips the destination block to the picture. Returns false when nothing is left;
// otherwise shifts the source positions along.
bool ClipDestination(const QImage& dst, int& dx, int& dy, int& w, int& h, int& sx, int& sy) {
  if (dx < 0) {
    w += dx;
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    h += dy;
    sy -= dy;
    dy = 0;
  }
  w = std::min(w, dst.width() - dx);
  h = std::min(h, dst.height() - dy);
  return w > 0 && h > 0;
}

bool Inside(const QImage& src, int sx, int sy, int w, int h) {
  return sx >= 0 && sy >= 0 && sx + w <= src.width() && sy + h <= src.height();
}

template <Rop op>
void BlitRows(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy) {
  for (int j = 0; j < h; ++j) {
    QRgb* d = Row(dst, dy + j) + dx;
    const QRgb* s = Row(src, sy + j) + sx;
    if constexpr (op == Rop::Copy) {
      std::copy(s, s + w, d);
    } else {
      for (int i = 0; i < w; ++i) d[i] = Combine(d[i], s[i], op);
    }
  }
}

}  // namespace

void Blit(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy, Rop op) {
  if (!ClipDestination(dst, dx, dy, w, h, sx, sy)) return;
  if (Inside(src, sx, sy, w, h)) {
    switch (op) {
      case Rop::Copy:
        BlitRows<Rop::Copy>(dst, dx, dy, w, h, src, sx, sy);
        return;
      case Rop::And:
        BlitRows<Rop::And>(dst, dx, dy, w, h, src, sx, sy);
        return;
      case Rop::Or:
        BlitRows<Rop::Or>(dst, dx, dy, w, h, src, sx, sy);
        return;
      case Rop::Xor:
        BlitRows<Rop::Xor>(dst, dx, dy, w, h, src, sx, sy);
        return;
    }
  }
  // Part of the source lies outside its picture: go pixel by pixel.
  for (int j = 0; j < h; ++j) {
    QRgb* d = Row(dst, dy + j) + dx;
    for (int i = 0; i < w; ++i) d[i] = Combine(d[i], SourceAt(src, sx + i, sy + j), op);
  }
}

void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& mask, int mx, int my,
                const QImage& pic, int px, int py) {
  const int shiftX = dx, shiftY = dy;
  if (!ClipDestination(dst, dx, dy, w, h, mx, my)) return;
  px += dx - shiftX;
  py += dy - shiftY;
  if (!Inside(mask, mx, my, w, h) || !Inside(pic, px, py, w, h)) {
    Blit(dst, dx, dy, w, h, mask, mx, my, Rop::And);
    Blit(dst, dx, dy, w, h, pic, px, py, Rop::Or);
    return;
  }
  for (int j = 0; j < h; ++j) {
    QRgb* d = Row(dst, dy + j) + dx;
    const QRgb* m = Row(mask, my + j) + mx;
    const QRgb* p = Row(pic, py + j) + px;
    for (int i = 0; i < w; ++i) d[i] = (d[i] & m[i]) | p[i] | Opaque;
  }
}

void FillRect(QImage& dst, int x, int y, int w, int h, QRgb colour) {
  int sx = 0, sy = 0;
  if (!ClipDestination(dst, x, y, w, h, sx, sy)) return;
  for (int j = 0; j < h; ++j) {
    QRgb* d = Row(dst, y + j) + x;
    std::fill(d, d + w, colour | Opaque);
  }
}

void FrameRect(QImage& dst, int x, int y, int w, int h, int thickness, QRgb colour) {
  FillRect(dst, x, y, w, thickness, colour);
  FillRect(dst, x, y + h - thickness, w, thickness, colour);
  FillRect(dst, x, y + thickness, thickness, h - 2 * thickness, colour);
  FillRect(dst, x + w - thickness, y + thickness, thickness, h - 2 * thickness, colour);
}

QImage MakePicture(int w, int h, QRgb fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill | Opaque);
  return img;
}

}  // namespace view
