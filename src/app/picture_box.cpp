#include "app/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/raster.h"

namespace app {

PictureBox::PictureBox(QSize size, QWidget* parent) : QWidget(parent) {
  setFixedSize(size);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  picture_ = QImage(size, view::PictureFormat);
  picture_.fill(Qt::black);
}

void PictureBox::SetPicture(const QImage& picture) {
  // The same pixels again (the bare background on every tick while paused).
  if (live_ == nullptr && picture.cacheKey() == picture_.cacheKey()) return;
  live_ = nullptr;
  picture_ = picture;
  update();
}

void PictureBox::ShowLive(const QImage& picture) {
  live_ = &picture;
  // Holding on to a copy would make the owner's next stroke copy the
  // whole picture.
  picture_ = QImage();
  update();
}

void PictureBox::SetPictureArea(const QImage& picture, const QRect& area) {
  const QRect clipped = area.intersected(picture.rect()).intersected(rect());
  if (clipped.isEmpty()) return;
  if (live_ == &picture) {
    update(clipped);
    return;
  }
  if (picture_.size() != picture.size() || picture_.format() != picture.format()) {
    SetPicture(picture);
    return;
  }
  QPainter painter(&picture_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(clipped.topLeft(), picture, clipped);
  painter.end();
  update(clipped);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.fillRect(area, Qt::black);
  painter.drawImage(area.topLeft(), Picture(), area);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit PointerMoved(at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit ButtonReleased(event->button(), at.x(), at.y());
}

void PictureBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit PointerLeft();
}

}  // namespace app
