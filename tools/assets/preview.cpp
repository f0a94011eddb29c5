// Contact sheets for a person to judge the artwork: every tileset's tiles at
// 1x and 3x, and a small board painted from the tileset file with the same
// mask-then-picture steps the game uses.

#include "board/geometry.h"
#include "generators.h"
#include "tile_faces.h"
#include "tileset.h"

#include <QPainter>

#include <stdexcept>

namespace assets {
namespace {

// Where the sample board's tiles go: as the game places them on a wide screen.
constexpr board::Geometry kGeometry;
constexpr int kEdge = kTileWidth - kFaceWidth;

void AndRect(QImage& dst, int dx, int dy, const QImage& src, QRect from) {
  for (int y = 0; y < from.height(); ++y) {
    for (int x = 0; x < from.width(); ++x) {
      if (!dst.rect().contains(dx + x, dy + y)) continue;
      dst.setPixel(dx + x, dy + y, dst.pixel(dx + x, dy + y) & src.pixel(from.x() + x, from.y() + y));
    }
  }
}

void OrRect(QImage& dst, int dx, int dy, const QImage& src, QRect from) {
  for (int y = 0; y < from.height(); ++y) {
    for (int x = 0; x < from.width(); ++x) {
      if (!dst.rect().contains(dx + x, dy + y)) continue;
      dst.setPixel(dx + x, dy + y, dst.pixel(dx + x, dy + y) | src.pixel(from.x() + x, from.y() + y));
    }
  }
}

void CopyRect(QImage& dst, int dx, int dy, const QImage& src, QRect from) {
  for (int y = 0; y < from.height(); ++y) {
    for (int x = 0; x < from.width(); ++x) {
      if (dst.rect().contains(dx + x, dy + y)) dst.setPixel(dx + x, dy + y, src.pixel(from.x() + x, from.y() + y));
    }
  }
}

// The ready-made tile pictures: blank tile, AND the face mask, OR the face.
QImage TileTexture(const QImage& tileset) {
  QImage texture(800, 600, QImage::Format_RGB32);
  texture.fill(Qt::black);
  for (int face = 1; face <= 42; ++face) {
    const QPoint cell = FaceCell(face);
    const int u = kTileWidth * cell.x(), v = kTileHeight * cell.y();
    CopyRect(texture, u, v, tileset, QRect(0, 256, kTileWidth, kTileHeight));
    AndRect(texture, u + 6, v, tileset, QRect(41 * cell.x() + 1, 51 * cell.y() + 313, 40, 50));
    OrRect(texture, u + 6, v, tileset, QRect(41 * cell.x() + 1, 51 * cell.y() + 1, 40, 50));
  }
  return texture;
}

QImage Load(const QString& path) {
  QImage image(path);
  if (image.isNull()) throw std::runtime_error("cannot read " + path.toStdString());
  return image.convertToFormat(QImage::Format_RGB32);
}

// A small three-layer board with one selected and one hint tile.
QImage SampleBoard(const QImage& tileset, const QImage& texture, const QImage& background) {
  QImage board = background.copy(0, 0, kGeometry.Width(), kGeometry.Height());
  struct Place { int x, y, z; };
  std::vector<Place> places;
  for (int z = 1; z <= 3; ++z) {
    const int w = 12 - 4 * (z - 1), h = 6 - 2 * (z - 1);
    for (int i = 0; i < w; ++i) {
      for (int j = 0; j < h; ++j) places.push_back({6 + 2 * (z - 1) + 2 * i, 3 + 2 * (z - 1) + 2 * j, z});
    }
  }
  // Painting order: layer up, column right to left, row top to bottom.
  std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
    if (a.z != b.z) return a.z < b.z;
    if (a.x != b.x) return a.x > b.x;
    return a.y < b.y;
  });
  int n = 0;
  for (const Place& p : places) {
    const int face = n % 42 + 1;
    ++n;
    const QPoint cell = FaceCell(face);
    const auto picture = kGeometry.TileFace({p.x, p.y, p.z});
    const int a = picture.left, b = picture.top;
    AndRect(board, a - kEdge, b, tileset, QRect(138, 256, kTileWidth, kTileHeight));
    OrRect(board, a - kEdge, b, texture, QRect(kTileWidth * cell.x(), kTileHeight * cell.y(), kTileWidth, kTileHeight));
    const bool selected = n == 5, hinted = n == 9 || n == 40;
    if (selected || hinted) {
      CopyRect(board, a, b, tileset, selected ? QRect(52, 256, 40, 50) : QRect(98, 256, 40, 50));
      AndRect(board, a, b, tileset, QRect(41 * cell.x() + 1, 51 * cell.y() + 313, 40, 50));
      OrRect(board, a, b, tileset, QRect(41 * cell.x() + 1, 51 * cell.y() + 1, 40, 50));
    }
  }
  return board;
}

// The side panel as the game fills it: title, ten names and times, and the
// current-tile preview (d = 10, "Show Current Tile" on).
QImage HallPreview(const QImage& panel, const QImage& tileset, const QImage& texture) {
  QImage image = panel.convertToFormat(QImage::Format_RGB32);
  const int d = 10;
  QPainter p(&image);
  QFont title("Comic Neue");
  title.setPointSize(10);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(255, 255, 0));
  const QFontMetrics tm(title);
  p.drawText(21, 50 - d + tm.ascent(), "HALL OF");
  p.drawText(31, 70 - d + tm.ascent(), "FAME");
  QFont list("DejaVu Sans");
  list.setPointSize(9);
  list.setBold(true);
  p.setFont(list);
  const QFontMetrics lm(list);
  for (int i = 1; i <= 10; ++i) {
    p.setPen(Qt::white);
    p.drawText(15, 27 * i + 81 - d + lm.ascent(), i == 3 ? "Sorami" : "---");
    p.setPen(QColor(0, 255, 255));
    p.drawText(39, 27 * i + 94 - d + lm.ascent(), QString("%1:00").arg(i + 4, 2, 10, QChar('0')));
  }
  p.end();
  AndRect(image, 24, 390, tileset, QRect(138, 256, kTileWidth, kTileHeight));
  const QPoint cell = FaceCell(36);
  OrRect(image, 24, 390, texture, QRect(kTileWidth * cell.x(), kTileHeight * cell.y(), kTileWidth, kTileHeight));
  return image.scaled(image.size() * 2);
}

}  // namespace

void WritePreviews(const QString& data_dir, const Output& preview) {
  const QString names[] = {"pai", "darkpai", "bluepai", "pai256"};
  QImage background = Load(data_dir + "/Backgrounds/kanji.bmp");
  for (const QString& name : names) {
    const QImage tileset = Load(data_dir + "/Tilesets/" + name + ".bmp");
    const QImage texture = TileTexture(tileset);
    const QImage used = texture.copy(0, 0, 414, 280);
    QImage sheet(414 * 4 + 20, 280 * 3 + 300, QImage::Format_RGB32);
    sheet.fill(QColor(60, 90, 80));
    QPainter p(&sheet);
    p.drawImage(0, 0, used);
    p.drawImage(430, 0, tileset);
    p.drawImage(0, 300, used.scaled(used.size() * 3));
    p.end();
    preview.Write(name + "-sheet.png", EncodePng(sheet));
    preview.Write(name + "-board.png", EncodePng(SampleBoard(tileset, texture, background)));
    if (name == "pai") preview.Write("hof-panel.png", EncodePng(HallPreview(Load(data_dir + "/hof.bmp"), tileset, texture)));
  }
}

}  // namespace assets
