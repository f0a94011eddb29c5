#include "app/splash_window.h"

#include <QCoreApplication>
#include <QPainter>

namespace app {

SplashWindow::SplashWindow(const QImage& picture, QSize screen)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      picture_(picture) {
  setWindowTitle(tr("Welcome to Sorami..."));
  setAttribute(Qt::WA_OpaquePaintEvent);
  const int w = (picture_.isNull() ? kPictureWidth : picture_.width()) + 5;
  const int h = (picture_.isNull() ? kPictureHeight : picture_.height()) + 25;
  // The outer bounds are w x h; the frame takes what it needs of them.
  setFixedSize(w - 5, h - 25);
  move((screen.width() - w) / 2, (screen.height() - h) / 2);
}

void SplashWindow::ShowNow() {
  show();
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.fillRect(rect(), QColor(128, 0, 0));
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Sorami 5.28"));
    return;
  }
  painter.drawImage(0, 0, picture_);
}

}  // namespace app
