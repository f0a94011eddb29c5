#include "app/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

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

void PictureBox::SetScaling(board::Scale scale, qreal ratio, QSize unitSize) {
  if (scale.Numerator <= 0 || scale.Denominator <= 0) scale = {};
  if (!(ratio > 0)) ratio = 1;
  scale_ = scale;
  ratio_ = ratio;
  const board::Geometry g({0, 0}, scale_);
  setFixedSize(static_cast<int>(std::ceil(g.Scaled(unitSize.width()) / ratio_)),
               static_cast<int>(std::ceil(g.Scaled(unitSize.height()) / ratio_)));
  update();
}

QPointF PictureBox::PictureOrigin() const {
  if (ratio_ == 1) return {0, 0};
  const QPointF at = mapTo(window(), QPointF(0, 0)) * ratio_;
  return {(std::floor(at.x()) - at.x()) / ratio_, (std::floor(at.y()) - at.y()) / ratio_};
}

QRect PictureBox::LogicalArea(const QRect& pixels) const {
  if (ratio_ == 1) return pixels;
  const QPointF o = PictureOrigin();
  const QRectF r(o.x() + pixels.x() / ratio_, o.y() + pixels.y() / ratio_, pixels.width() / ratio_,
                 pixels.height() / ratio_);
  return r.toAlignedRect().adjusted(-1, -1, 1, 1);
}

QPoint PictureBox::UnitPixelAt(QPointF position) const {
  int x = 0, y = 0;
  if (ratio_ == 1) {
    const QPoint at = position.toPoint();
    x = at.x();
    y = at.y();
  } else {
    // The device pixel under the position, counted from the picture's first.
    const QPointF at = mapTo(window(), QPointF(0, 0)) * ratio_;
    x = static_cast<int>(std::floor(at.x() + position.x() * ratio_) - std::floor(at.x()));
    y = static_cast<int>(std::floor(at.y() + position.y() * ratio_) - std::floor(at.y()));
  }
  const board::Geometry g({0, 0}, scale_);
  return {g.Unscaled(x), g.Unscaled(y)};
}

void PictureBox::SetPictureArea(const QImage& picture, const QRect& area) {
  const QRect clipped = area.intersected(picture.rect());
  if (clipped.isEmpty()) return;
  if (live_ == &picture) {
    update(LogicalArea(clipped));
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
  update(LogicalArea(clipped));
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.fillRect(area, Qt::black);
  if (ratio_ == 1) {
    painter.drawImage(area.topLeft(), Picture(), area);
    return;
  }
  // Device pixels for picture pixels, one to one: the painter's transform
  // takes the picture's rectangle divided by the ratio back to its pixels.
  const QImage& picture = Picture();
  const QPointF o = PictureOrigin();
  painter.drawImage(QRectF(o.x(), o.y(), picture.width() / ratio_, picture.height() / ratio_), picture,
                    QRectF(picture.rect()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = UnitPixelAt(event->position());
  emit PointerMoved(at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = UnitPixelAt(event->position());
  emit ButtonReleased(event->button(), at.x(), at.y());
}

void PictureBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit PointerLeft();
}

}  // namespace app
