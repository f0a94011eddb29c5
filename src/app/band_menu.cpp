#include "app/band_menu.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace app {

BandMenu::BandMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void BandMenu::SetBand(bool shown) {
  if (band_ == shown) return;
  band_ = shown;
  setContentsMargins(shown ? kBandWidth : 0, 0, 0, 0);
  // The menu measures its items again on the next showing.
  adjustSize();
  update();
}

void BandMenu::paintEvent(QPaintEvent* event) {
  QMenu::paintEvent(event);
  if (!band_) return;
  QPainter painter(this);
  const QRect band(0, 0, kBandWidth, height());
  QLinearGradient shade(band.bottomLeft(), band.topLeft());
  shade.setColorAt(0.0, QColor(0, 0, 128));
  shade.setColorAt(1.0, QColor(128, 0, 0));
  painter.fillRect(band, shade);

  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setItalic(true);
  font.setPixelSize(kBandWidth - 6);
  painter.setFont(font);
  painter.setPen(Qt::white);
  // Written upwards from the bottom edge.
  painter.translate(0, height());
  painter.rotate(-90);
  painter.drawText(QRect(6, 0, height() - 12, kBandWidth), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Sorami"));
}

}  // namespace app
