#pragma once
// A widget that shows one picture at its natural size and reports the
// pointer over it: moves (also without a button held) and button releases,
// in pixels of the picture. The board image `Game` and the side panel
// `HofBox` are picture boxes.

#include <QImage>
#include <QWidget>

namespace app {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QSize size, QWidget* parent = nullptr);

  // Show `picture` (copied; Qt shares the pixels until either side writes).
  void SetPicture(const QImage& picture);
  // Show only `area` of `picture` anew, leaving the rest on screen.
  void SetPictureArea(const QImage& picture, const QRect& area);
  const QImage& Picture() const { return picture_; }

 signals:
  void PointerMoved(int x, int y);
  void ButtonReleased(Qt::MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace app
