#pragma once
// The grey dithered pieces that make up the shadows higher tiles cast.
//
// Every piece is a 50 % dither of one grey, RGB (120, 120, 120), on
// transparent: drawing it sets its set pixels to the grey and leaves the rest,
// so pieces that overlap never darken further.
//
//   Img 1 (10 x 20)  rows 0-9 where x + y is even
//   Img 2 (10 x 20)  all rows where x + y is odd
//   Img 3 (10 x 20)  rows 0-9 where x >= y and x + y is even (a diagonal start)
//   Img 4 (10 x 20)  rows 0-9 where x <= y and x + y is even (a diagonal end)
//   Img 5 (10 x 20)  rows 0-14 where x + y is odd
//   Horiz (20 x 10)  where x + y is even

#include <QImage>
#include <QRgb>
#include <array>
#include <cstdint>

namespace view {

inline constexpr QRgb ShadowGrey = 0xFF787878u;

enum class Piece : std::uint8_t { Img1, Img2, Img3, Img4, Img5, Horiz };

class ShadowPiece {
 public:
  static constexpr int MaxRows = 20;
  int width = 0;
  int height = 0;
  // Bit x of rows[y] is set where the piece is grey.
  std::array<std::uint32_t, MaxRows> rows{};

  bool IsSet(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && ((rows[y] >> x) & 1u) != 0;
  }
};

// The piece's pixels.
const ShadowPiece& PieceOf(Piece p);

// The same piece as a shape, for drawing it at any scale: the rows its grey
// covers (of its height), which end of it is cut on the slant (+1 where
// x >= y, -1 where x <= y, 0 neither) and whether the grey sits where x + y
// is odd.
struct PieceShape {
  int Rows = 0;
  int Slant = 0;
  int Odd = 0;
};
PieceShape ShapeOf(Piece p);

// Draws the piece transparently with its top-left at (x, y) (clipped).
void DrawPiece(QImage& dst, Piece p, int x, int y);

}  // namespace view
