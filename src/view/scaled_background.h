#pragma once
// The board's background at a scale, made where it is painted rather than
// held whole.
//
// A background is a 704 x 468 picture (or the plain teal one) stretched
// smoothly over the board. At the size of a large window the whole stretched
// picture would take as much memory as the board itself, yet it holds no
// more than the small picture does. So only the picture's rows stretched to
// the board's width are kept (one band as tall as the small picture), and
// each row of the board is blended from the two band rows nearest to it, in
// eighths: linear in both directions, and the same pixels whichever part of
// the board is painted.

#include <QImage>
#include <cstdint>
#include <vector>

#include "board/geometry.h"
#include "view/geometry.h"

namespace view {

class ScaledBackground {
 public:
  // Stretches `unit` (a BoardWidth x BoardHeight picture in PictureFormat,
  // or a null picture for the plain background) to the board at `scale`.
  void Set(const QImage& unit, board::Scale scale);

  // Paints the background's pixels of `area` (pixels of the board at the
  // scale) into dst with the area's top-left at (dx, dy); clipped to both.
  void Paint(QImage& dst, int dx, int dy, PixelRect area) const;

  // Paints pixels [from, to) of board row y into the same row of dst, a
  // picture of the board's size in PictureFormat.
  void PaintRowSpan(QImage& dst, int y, int from, int to) const;

  // The whole background as one picture.
  QImage Whole() const;

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  // Row y's pixels [from, to) at `out`, within the board.
  void RowSpan(uchar* out, int y, int from, int to) const;

  int width_ = BoardWidth;
  int height_ = BoardHeight;
  // The plain background's teal inside its one-pixel black frame.
  PixelRect inside_;
  bool plain_ = true;
  // The picture's rows stretched to the board's width.
  QImage band_;
  // Per board row: the band row above it and the weight (in eighths) of
  // the one below.
  std::vector<int> upper_;
  std::vector<std::uint16_t> lowerWeight_;
};

}  // namespace view
