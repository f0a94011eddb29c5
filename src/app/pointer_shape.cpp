#include "app/pointer_shape.h"

#include <QFile>
#include <QPixmap>

#include "view/picture_file.h"

namespace app {

QCursor LoadPointerShape(const QString& programDir) {
  const QPixmap picture =
      QPixmap::fromImage(view::ReadImageFile(programDir + QStringLiteral("cursors/techno.png"), "png"));
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  int hotX = 0;
  int hotY = 0;
  QFile spot(programDir + QStringLiteral("cursors/techno.hotspot"));
  if (spot.open(QIODevice::ReadOnly | QIODevice::Text)) {
    const QList<QByteArray> numbers = spot.readLine(64).simplified().split(' ');
    bool okX = false;
    bool okY = false;
    const int x = numbers.value(0).toInt(&okX);
    const int y = numbers.value(1).toInt(&okY);
    if (okX && okY && x >= 0 && y >= 0 && x < picture.width() && y < picture.height()) {
      hotX = x;
      hotY = y;
    }
  }
  return QCursor(picture, hotX, hotY);
}

}  // namespace app
