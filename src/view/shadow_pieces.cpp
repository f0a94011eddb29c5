#include "view/shadow_pieces.h"

#include <cstring>
#include <functional>

#include "view/raster.h"

namespace view {
namespace {

ShadowPiece Make(int w, int h, const std::function<bool(int, int)>& set) {
  ShadowPiece p;
  p.width = w;
  p.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (set(x, y)) p.rows[y] |= 1u << x;
  return p;
}

bool Even(int x, int y) { return (x + y) % 2 == 0; }

const std::array<ShadowPiece, 6>& Pieces() {
  static const std::array<ShadowPiece, 6> pieces = {
      Make(10, 20, [](int x, int y) { return y < 10 && Even(x, y); }),
      Make(10, 20, [](int x, int y) { return !Even(x, y); }),
      Make(10, 20, [](int x, int y) { return y < 10 && x >= y && Even(x, y); }),
      Make(10, 20, [](int x, int y) { return y < 10 && x <= y && Even(x, y); }),
      Make(10, 20, [](int x, int y) { return y < 15 && !Even(x, y); }),
      Make(20, 10, [](int x, int y) { return Even(x, y); }),
  };
  return pieces;
}

}  // namespace

const ShadowPiece& PieceOf(Piece p) { return Pieces()[static_cast<int>(p)]; }

PieceShape ShapeOf(Piece p) {
  switch (p) {
    case Piece::Img1:
      return {10, 0, 0};
    case Piece::Img2:
      return {20, 0, 1};
    case Piece::Img3:
      return {10, +1, 0};
    case Piece::Img4:
      return {10, -1, 0};
    case Piece::Img5:
      return {15, 0, 1};
    case Piece::Horiz:
      return {10, 0, 0};
  }
  return {};
}

void DrawPiece(QImage& dst, Piece p, int x, int y) {
  ToPictureFormat(dst);
  const ShadowPiece& piece = PieceOf(p);
  // The grey has equal red, green and blue bytes.
  static_assert(qRed(ShadowGrey) == qGreen(ShadowGrey) && qRed(ShadowGrey) == qBlue(ShadowGrey));
  const auto grey = static_cast<uchar>(qRed(ShadowGrey));
  for (int j = 0; j < piece.height; ++j) {
    const int py = y + j;
    std::uint32_t bits = piece.rows[j];
    if (py < 0 || py >= dst.height() || bits == 0) continue;
    uchar* row = dst.scanLine(py);
    for (int i = 0; bits != 0; ++i, bits >>= 1) {
      const int px = x + i;
      if ((bits & 1u) != 0 && px >= 0 && px < dst.width()) std::memset(row + 3 * px, grey, 3);
    }
  }
}

}  // namespace view
