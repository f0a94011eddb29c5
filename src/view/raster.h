#pragma once
// Block transfers with raster operations on 32-bit RGB pictures.
//
// Every operation works per colour bit, exactly: AND and OR with a black and
// white mask cut and fill shapes, XOR with white inverts. Destination pixels
// outside the picture are skipped; source pixels outside the source picture
// read as black. The pictures must be QImage::Format_RGB32, and the alpha byte
// of every written pixel stays 0xFF.

#include <QImage>
#include <QRgb>

namespace view {

enum class Rop { Copy, And, Or, Xor };

inline constexpr QRgb Opaque = 0xFF000000u;

// Combines the w x h block of src at (sx, sy) into dst at (dx, dy).
void Blit(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy, Rop op);

// The masked paint every tile uses: AND the mask block, then OR the picture
// block, in one pass (d := (d and m) or p).
void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& mask, int mx, int my,
                const QImage& pic, int px, int py);

// Fills a rectangle with one colour (clipped).
void FillRect(QImage& dst, int x, int y, int w, int h, QRgb colour);

// Draws a rectangle frame `thickness` pixels wide inside (x, y)-(x + w, y + h).
void FrameRect(QImage& dst, int x, int y, int w, int h, int thickness, QRgb colour);

// A blank picture of the pixel format the raster operations need.
QImage MakePicture(int w, int h, QRgb fill = Opaque);

}  // namespace view
