#pragma once
// A widget that shows one picture at its natural size and reports the
// pointer over it: moves (also without a button held) and button releases,
// in pixels of the picture, and its leaving. The board image `Game` and the side panel
// `HallPanelBox` are picture boxes.
//
// A box either keeps its own (shared) copy of a picture, or shows a picture
// its owner keeps drawing into (the board) straight from the owner's pixels,
// so the board is held once, not twice.

#include <QImage>
#include <QWidget>

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
  QImage picture_;                  // the box's own copy, unless live
  const QImage* live_ = nullptr;    // the owner's picture shown live
};

}  // namespace app
