#pragma once
// Block transfers with raster operations on 24-bit RGB pictures.
//
// The board's pictures are QImage::Format_RGB888: three bytes a pixel (red,
// green, blue) and no alpha byte, a quarter less memory than 32-bit pixels.
// Every operation works per colour bit, exactly, so AND, OR and XOR are plain
// byte-wise loops over a row: AND and OR with a black and white mask cut and
// fill shapes, XOR with white inverts. Destination pixels outside the picture
// are skipped; source pixels outside the source picture read as black.
//
// A destination of another format is converted to RGB888 first (it keeps its
// pixels); a source of another format is read through an RGB888 copy. Colours
// are given as QRgb; their alpha byte is ignored.

#include <QImage>
#include <QRgb>
#include <vector>

namespace view {

enum class Rop { Copy, And, Or, Xor };

// The pixel format of every picture the board view paints.
inline constexpr QImage::Format PictureFormat = QImage::Format_RGB888;

inline constexpr QRgb Opaque = 0xFF000000u;

// Combines the w x h block of src at (sx, sy) into dst at (dx, dy).
void Blit(QImage& dst, int dx, int dy, int w, int h, const QImage& src, int sx, int sy, Rop op);

// The masked paint every tile uses: AND the mask block, then OR the picture
// block, in one pass (d := (d and m) or p).
void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& mask, int mx, int my,
                const QImage& pic, int px, int py);

// The run of pure black pixels [Begin, End) of one mask row (the longest,
// empty when there is none): there the masked paint is a plain copy.
struct MaskRun {
  int Begin = 0;
  int End = 0;
};
std::vector<MaskRun> BlackRuns(const QImage& mask);

// MaskedBlit for a mask whose rows' black runs are known: the same pixels,
// with the runs copied rather than combined.
void MaskedBlit(QImage& dst, int dx, int dy, int w, int h, const QImage& mask, int mx, int my,
                const std::vector<MaskRun>& runs, const QImage& pic, int px, int py);

// Fills a rectangle with one colour (clipped).
void FillRect(QImage& dst, int x, int y, int w, int h, QRgb colour);

// Draws a rectangle frame `thickness` pixels wide inside (x, y)-(x + w, y + h).
void FrameRect(QImage& dst, int x, int y, int w, int h, int thickness, QRgb colour);

// A blank picture of the pixel format the raster operations need.
QImage MakePicture(int w, int h, QRgb fill = Opaque);

// Converts `picture` to PictureFormat in place unless it already is.
void ToPictureFormat(QImage& picture);

}  // namespace view
