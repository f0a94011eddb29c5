#pragma once
// A widget that shows one picture and reports the pointer over it: moves
// (also without a button held) and button releases, in pixels of the
// picture at scale 1, and its leaving. The board image `Game` and the side
// panel `HallPanelBox` are picture boxes.
//
// The picture may be drawn at a scale (SetScaling) for a screen whose device
// pixel ratio may be fractional: each of its pixels then lands on one device
// pixel (never resampled), and a pointer position maps to the scale-1 pixel
// whose scaled pixels hold the device pixel under it, through the board
// geometry's own rounding, so that a click picks exactly what is drawn
// there.
//
// A box either keeps its own (shared) copy of a picture, or shows a picture
// its owner keeps drawing into (the board) straight from the owner's pixels,
// so the board is held once, not twice.

#include <QImage>
#include <QWidget>

#include "board/geometry.h"

namespace app {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QSize size, QWidget* parent = nullptr);

  // Show `picture` (copied; Qt shares the pixels until either side writes).
  void SetPicture(const QImage& picture);
  // Show `picture` itself, painted from its owner's pixels, which must live
  // as long as the box shows it; the owner reports each change it wants on
  // screen with SetPictureArea (or repaints the whole box).
  void ShowLive(const QImage& picture);
  // Show only `area` of `picture` anew, leaving the rest on screen.
  void SetPictureArea(const QImage& picture, const QRect& area);
  const QImage& Picture() const { return live_ != nullptr ? *live_ : picture_; }
  // Whether it shows its owner's picture live (ShowLive).
  bool ShowsLive() const { return live_ != nullptr; }

  // The picture comes drawn at `scale` times `unitSize` in device pixels of
  // a screen with device pixel ratio `ratio`; the box takes the size that
  // holds it. Scale 1 and ratio 1 show it as it is.
  void SetScaling(board::Scale scale, qreal ratio, QSize unitSize);
  board::Scale Scale() const { return scale_; }
  // The scale-1 pixel of the picture under a position of the box, in the
  // box's own (logical) coordinates.
  QPoint UnitPixelAt(QPointF position) const;

 signals:
  void PointerMoved(int x, int y);
  void ButtonReleased(Qt::MouseButton button, int x, int y);
  // The pointer went off the box.
  void PointerLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Where the picture's first pixel lands: the device pixel at or before
  // the box's top-left, as a position of the box.
  QPointF PictureOrigin() const;
  QRect LogicalArea(const QRect& pixels) const;

  QImage picture_;                  // the box's own copy, unless live
  const QImage* live_ = nullptr;    // the owner's picture shown live
  board::Scale scale_;
  qreal ratio_ = 1;
};

}  // namespace app
