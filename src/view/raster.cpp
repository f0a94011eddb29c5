#include "view/raster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace view {
namespace {

constexpr int BytesPerPixel = 3;

// `src` itself when it is in the picture format, else an RGB888 copy of it
// kept in `holder`.
const QImage& AsPicture(const QImage& src, QImage& holder) {
  if (src.format() == PictureFormat) return src;
  holder = src.convertToFormat(PictureFormat);
  return holder;
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

uchar* PixelAt(QImage& img, int x, int y) {
  return img.bits() + static_cast<qsizetype>(y) * img.bytesPerLine() + x * BytesPerPixel;
}

const uchar* PixelAt(const QImage& img, int x, int y) {
  return img.constBits() + static_cast<qsizetype>(y) * img.bytesPerLine() + x * BytesPerPixel;
}

// Combines n bytes of d with the same bytes of s, eight at a time while
// they last (the operations are bit-wise, so byte boundaries do not matter).
template <typename F>
inline void ForBytes(uchar* d, const uchar* s, int n, F f) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t a, b;
    std::memcpy(&a, d + i, 8);
    std::memcpy(&b, s + i, 8);
    a = f(a, b);
    std::memcpy(d + i, &a, 8);
  }
  for (; i < n; ++i) d[i] = static_cast<uchar>(f(std::uint64_t{d[i]}, std::uint64_t{s[i]}));
}

template <Rop op>
void CombineBytes(uchar* d, const uchar* s, int n) {
  if constexpr (op == Rop::Copy) {
    std::memmove(d, s, static_cast<std::size_t>(n));
  } else if constexpr (op == Rop::And) {
    ForBytes(d, s, n, [](std::uint64_t a, std::uint64_t b) { return a & b; });
  } else if constexpr (op == Rop::Or) {
    ForBytes(d, s, n, [](std::uint64_t a, std::uint64_t b) { return a | b; });
  } else {
    ForBytes(d, s, n, [](std::uint64_t a, std::uint64_t b) { return a ^ b; });
  }
}

// d := (d and m) or p over n bytes, eight at a time while they last.
void MaskBytes(uchar* d, const uchar* m, const uchar* p, int n) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t a, b, c;
    std::memcpy(&a, d + i, 8);
    std::memcpy(&b, m + i, 8);
    std::memcpy(&c, p + i, 8);
    a = (a & b) | c;
    std::memcpy(d + i, &a, 8);
  }
  for (; i < n; ++i) d[i] = static_cast<uchar>((d[i] & m[i]) | p[i]);
}

// n bytes of d combined with black: copying or ANDing it clears them, OR
// and XOR leave them as they are.
template <Rop op>
void CombineBlack(uchar* d, int n) {
  if constexpr (op == Rop::Copy || op == Rop::And) {
    if (n > 0) std::memset(d, 0, static_cast<std::size_t>(n));
  }
}

// The clipped block; rows and columns whose source lies outside src combine
// with black.
template <Rop op>
void BlitBlock(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy) {
  // Columns i0 <= i < i1 of the block read from inside the source.
  const int i0 = std::clamp(-sx, 0, w);
  const int i1 = std::clamp(src.width() - sx, i0, w);
  uchar* d = PixelAt(dst, dx, dy);
  const qsizetype stride = dst.bytesPerLine();
  for (int j = 0; j < h; ++j, d += stride) {
    const int y = sy + j;
    if (y < 0 || y >= src.height() || i0 == i1) {
      CombineBlack<op>(d, w * BytesPerPixel);
      continue;
    }
    CombineBlack<op>(d, i0 * BytesPerPixel);
    CombineBytes<op>(d + i0 * BytesPerPixel, PixelAt(src, sx + i0, y), (i1 - i0) * BytesPerPixel);
    CombineBlack<op>(d + i1 * BytesPerPixel, (w - i1) * BytesPerPixel);
  }
}

}  // namespace

void ToPictureFormat(QImage& picture) {
  if (picture.format() != PictureFormat && !picture.isNull()) picture = picture.convertToFormat(PictureFormat);
}

void Blit(QImage& dst, int dx, int dy, int w, int h, const QImage& source, int sx, int sy, Rop op) {
  if (!ClipDestination(dst, dx, dy, w, h, sx, sy)) return;
  ToPictureFormat(dst);
  QImage holder;
  const QImage& src = AsPicture(source, holder);
  switch (op) {
    case Rop::Copy:
      BlitBlock<Rop::Copy>(dst, dx, dy, w, h, src, sx, sy);
      return;
    case Rop::And:
      BlitBlock<Rop::And>(dst, dx, dy, w, h, src, sx, sy);
      return;
    case Rop::Or:
      BlitBlock<Rop::Or>(dst, dx, dy, w, h, src, sx, sy);
      return;
    case Rop::Xor:
      BlitBlock<Rop::Xor>(dst, dx, dy, w, h, src, sx, sy);
      return;
  }
}

void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& maskSource, int mx, int my,
                const QImage& picSource, int px, int py) {
  const int shiftX = dx, shiftY = dy;
  if (!ClipDestination(dst, dx, dy, w, h, mx, my)) return;
  px += dx - shiftX;
  py += dy - shiftY;
  ToPictureFormat(dst);
  QImage maskHolder, picHolder;
  const QImage& mask = AsPicture(maskSource, maskHolder);
  const QImage& pic = AsPicture(picSource, picHolder);
  if (!Inside(mask, mx, my, w, h) || !Inside(pic, px, py, w, h)) {
    Blit(dst, dx, dy, w, h, mask, mx, my, Rop::And);
    Blit(dst, dx, dy, w, h, pic, px, py, Rop::Or);
    return;
  }
  const int n = w * BytesPerPixel;
  uchar* d = PixelAt(dst, dx, dy);
  const uchar* m = PixelAt(mask, mx, my);
  const uchar* p = PixelAt(pic, px, py);
  const qsizetype ds = dst.bytesPerLine(), ms = mask.bytesPerLine(), ps = pic.bytesPerLine();
  for (int j = 0; j < h; ++j, d += ds, m += ms, p += ps) MaskBytes(d, m, p, n);
}

std::vector<MaskRun> BlackRuns(const QImage& source) {
  QImage holder;
  const QImage& mask = AsPicture(source, holder);
  std::vector<MaskRun> runs(static_cast<std::size_t>(std::max(mask.height(), 0)));
  for (int y = 0; y < mask.height(); ++y) {
    const uchar* row = mask.constScanLine(y);
    MaskRun best, current;
    for (int x = 0; x <= mask.width(); ++x) {
      const bool black = x < mask.width() && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0;
      if (black) {
        if (current.End != x) current.Begin = x;
        current.End = x + 1;
      } else if (current.End - current.Begin > best.End - best.Begin) {
        best = current;
      }
    }
    runs[static_cast<std::size_t>(y)] = best;
  }
  return runs;
}

void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& mask, int mx, int my,
                const std::vector<MaskRun>& runs, const QImage& pic, int px, int py) {
  const int shiftX = dx, shiftY = dy;
  if (!ClipDestination(dst, dx, dy, w, h, mx, my)) return;
  px += dx - shiftX;
  py += dy - shiftY;
  if (dst.format() != PictureFormat || mask.format() != PictureFormat || pic.format() != PictureFormat ||
      !Inside(mask, mx, my, w, h) || !Inside(pic, px, py, w, h) || my + h > static_cast<int>(runs.size())) {
    MaskedBlit(dst, dx, dy, w, h, mask, mx, my, pic, px, py);
    return;
  }
  uchar* d = PixelAt(dst, dx, dy);
  const uchar* m = PixelAt(mask, mx, my);
  const uchar* p = PixelAt(pic, px, py);
  const qsizetype ds = dst.bytesPerLine(), ms = mask.bytesPerLine(), ps = pic.bytesPerLine();
  for (int j = 0; j < h; ++j, d += ds, m += ms, p += ps) {
    // The run in the block's columns: before it combine, in it copy, after it combine.
    const MaskRun r = runs[static_cast<std::size_t>(my + j)];
    const int a = std::clamp(r.Begin - mx, 0, w), b = std::clamp(r.End - mx, a, w);
    MaskBytes(d, m, p, a * BytesPerPixel);
    std::memcpy(d + a * BytesPerPixel, p + a * BytesPerPixel, static_cast<std::size_t>(b - a) * BytesPerPixel);
    MaskBytes(d + b * BytesPerPixel, m + b * BytesPerPixel, p + b * BytesPerPixel, (w - b) * BytesPerPixel);
  }
}

void FillRect(QImage& dst, int x, int y, int w, int h, QRgb colour) {
  int sx = 0, sy = 0;
  if (!ClipDestination(dst, x, y, w, h, sx, sy)) return;
  ToPictureFormat(dst);
  const uchar rgb[BytesPerPixel] = {static_cast<uchar>(qRed(colour)), static_cast<uchar>(qGreen(colour)),
                                    static_cast<uchar>(qBlue(colour))};
  // The first row pixel by pixel, the others copied from it.
  uchar* first = PixelAt(dst, x, y);
  for (int i = 0; i < w; ++i) std::memcpy(first + i * BytesPerPixel, rgb, BytesPerPixel);
  const std::size_t n = static_cast<std::size_t>(w) * BytesPerPixel;
  const qsizetype stride = dst.bytesPerLine();
  for (int j = 1; j < h; ++j) std::memcpy(first + j * stride, first, n);
}

void FrameRect(QImage& dst, int x, int y, int w, int h, int thickness, QRgb colour) {
  FillRect(dst, x, y, w, thickness, colour);
  FillRect(dst, x, y + h - thickness, w, thickness, colour);
  FillRect(dst, x, y + thickness, thickness, h - 2 * thickness, colour);
  FillRect(dst, x + w - thickness, y + thickness, thickness, h - 2 * thickness, colour);
}

QImage MakePicture(int w, int h, QRgb fill) {
  QImage img(w, h, PictureFormat);
  FillRect(img, 0, 0, w, h, fill);
  return img;
}

}  // namespace view
