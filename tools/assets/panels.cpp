// The program's smaller pictures:
//   hof.bmp                 92 x 468 hall-of-fame side panel background
//   orange.jpg              640 x 440 background of the help window's picture pages
//   splash.png              253 x 128 start-up picture
//   toolbar/tile.png        100 x 32 toolbar background tile (repeats both ways)
//   toolbar/<name>.png      24 x 24 glyphs of the toolbar buttons and menus: new, back,
//                           hint, shuffle, pause, play, music, help, about,
//                           hall_of_fame, exit
//   cursors/techno.png      32 x 32 pointer "TECHNO"; cursors/techno.hotspot
//                           holds its hot spot as "x y" (pixels from top left)
//   icons/sorami.png        application icon, 256 x 256, and
//   icons/sorami-<n>.png    the same drawn at n = 16, 22, 24, 32, 48, 64, 128

#include "board/geometry.h"
#include "generators.h"
#include "texture_noise.h"
#include "tileset.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace assets {
namespace {


QImage HallOfFamePanel() {
  const int w = 92, h = board::Geometry::BoardHeight;
  QImage image(w, h, QImage::Format_RGB32);
  const ValueNoise silk(51, 16);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double t = static_cast<double>(y) / h;
      const QColor base = Mix(QColor(40, 30, 92), QColor(16, 12, 46), t);
      const double n = silk.Fractal(x / 14.0, y / 14.0, 3);
      image.setPixel(x, y, Shade(base, 0.9 + 0.2 * n).rgb());
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // A faint lattice, like a paper window, behind the list.
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  for (int y = 12; y < h; y += 24) p.drawLine(QPointF(6, y + 0.5), QPointF(w - 6, y + 0.5));
  for (int x = 14; x < w; x += 32) p.drawLine(QPointF(x + 0.5, 6), QPointF(x + 0.5, h - 6));
  // Gold double frame, hugging the edges: the two-player banner writes
  // "PLAY 1" and "PLAY 2" from x = 4 to about x = 86, and its second time
  // near the foot, so the frame stays outside columns 4..87 and the foot
  // carries no ornament.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(196, 150, 60), 2));
  p.drawRect(QRectF(1, 1, w - 2, h - 2));
  p.setPen(QPen(QColor(140, 104, 40), 1));
  p.drawRect(QRectF(3.5, 3.5, w - 7, h - 7));
  // A little ornament on top.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(206, 160, 64));
  const double top = 12;
  p.drawPolygon(QPolygonF{{w / 2.0, top - 4}, {w / 2.0 + 5, top}, {w / 2.0, top + 4}, {w / 2.0 - 5, top}});
  // The lower area stays bare: the list moves down into it when neither the
  // "current tile" preview nor the two-player banner is shown, and the game
  // draws the preview's recess itself only while the preview is on.
  return image;
}

QImage OrangePaper() {
  const int w = 640, h = 440;
  QImage image(w, h, QImage::Format_RGB32);
  const ValueNoise fibre(61, 64);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double dx = (x - w * 0.4) / w, dy = (y - h * 0.35) / h;
      const double glow = std::clamp(1.0 - 1.6 * (dx * dx + dy * dy), 0.0, 1.0);
      const QColor base = Mix(QColor(232, 138, 44), QColor(255, 214, 150), glow);
      const double n = fibre.Fractal(x / 40.0, y / 40.0, 4);
      image.setPixel(x, y, Shade(base, 0.95 + 0.08 * n).rgb());
    }
  }
  // Soft rings, like ripples on a pond, very faint.
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 7; ++i) {
    p.setPen(QPen(QColor(255, 240, 210, 34), 6));
    p.drawEllipse(QPointF(w * 0.82, h * 0.8), 40.0 + 44 * i, 40.0 + 44 * i);
  }
  return image;
}

QImage Splash(const QImage& tileset) {
  const int w = 253, h = 128;
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(18, 26, 74));
  sky.setColorAt(0.7, QColor(70, 50, 120));
  sky.setColorAt(1, QColor(196, 96, 70));
  p.fillRect(image.rect(), sky);
  Noise noise(71);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const QPointF at(noise.Range(0, w), noise.Range(0, h * 0.6));
    p.setBrush(QColor(255, 255, 240, 60 + static_cast<int>(noise.Next() % 160)));
    const double r = 0.4 + noise.Uniform() * 0.9;
    p.drawEllipse(at, r, r);
  }
  // A fan of three tiles.
  const int faces[] = {19, 36, 39};
  const double angles[] = {-14, 0, 14};
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(50 + (i - 1) * 20, 68);
    p.rotate(angles[i]);
    p.drawImage(QPointF(-23, -28), TilePicture(tileset, faces[i]));
    p.restore();
  }
  // The name and the version.
  QPainterPath title;
  title.addText(0, 0, LatinSerif(33), QStringLiteral("Sorami"));
  const QRectF tb = title.boundingRect();
  p.translate(176 - tb.center().x(), 58 - tb.center().y());
  p.setBrush(QColor(0, 0, 0, 110));
  p.drawPath(title.translated(2, 2));
  QLinearGradient gold(0, tb.top(), 0, tb.bottom());
  gold.setColorAt(0, QColor(255, 232, 150));
  gold.setColorAt(1, QColor(214, 146, 40));
  p.setBrush(gold);
  p.setPen(QPen(QColor(110, 60, 10), 0.8));
  p.drawPath(title);
  p.resetTransform();
  p.setPen(QColor(240, 230, 255));
  p.setFont(LatinSans(11, false));
  p.drawText(QRectF(104, 80, 144, 16), Qt::AlignHCenter, QStringLiteral("Mah-Jongg  \u00B7  5.28"));
  p.setPen(QColor(255, 255, 255, 110));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  p.end();
  return image.convertToFormat(QImage::Format_RGB32);
}

// 100 x 32, repeating in both directions: every wave's period divides the
// tile's width and height.
QImage ToolbarTile() {
  const int w = 100, h = 32;
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double a = std::sin(2 * kPi * (x / 50.0 + y / 32.0));
      const double b = std::sin(2 * kPi * (3 * x / 100.0 - y / 16.0));
      const double c = std::sin(2 * kPi * (x / 20.0 + 2 * y / 32.0));
      const double k = 1.0 + 0.018 * a + 0.012 * b + 0.008 * c;
      image.setPixel(x, y, Shade(QColor(232, 222, 200), k).rgb());
    }
  }
  return image;
}

// ---- glyphs -------------------------------------------------------------

QImage Canvas(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Arrow(QPainter& p, const QPainterPath& shaft, QPointF tip, double angle, const QColor& colour, double width) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(shaft);
  p.save();
  p.translate(tip);
  p.rotate(angle);
  p.setPen(QPen(Shade(colour, 0.7), 0.8));
  p.setBrush(colour);
  p.drawPolygon(QPolygonF{{4.5, 0}, {-3.5, -4.8}, {-3.5, 4.8}});
  p.restore();
}

void MiniTile(QPainter& p, QRectF face, const QColor& edge) {
  p.setPen(QPen(Shade(edge, 0.6), 0.8));
  p.setBrush(edge);
  p.drawRoundedRect(face.translated(-2.5, 2.5), 2, 2);
  p.setBrush(QColor(248, 242, 226));
  p.setPen(QPen(QColor(130, 118, 96), 0.8));
  p.drawRoundedRect(face, 2, 2);
}

// A toolbar glyph, 24 x 24 times `factor` (drawn from the same shapes for
// screens at twice or three times the pixel density).
QImage Glyph(const QString& name, int factor = 1) {
  QImage image = Canvas(24 * factor);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (factor != 1) p.scale(factor, factor);
  const QColor navy(30, 50, 140), green(30, 140, 60), red(200, 40, 40), gold(236, 170, 30);
  if (name == "new") {
    MiniTile(p, QRectF(6, 3, 13, 17), QColor(224, 118, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(12.5, 11.5), 3.6, 3.6);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
      const double a = -kPi / 2 + i * kPi / 5, r = i % 2 ? 2.2 : 5.5;
      const QPointF q(18 + std::cos(a) * r, 6 + std::sin(a) * r);
      if (i == 0) star.moveTo(q); else star.lineTo(q);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(170, 110, 0), 0.7));
    p.setBrush(gold);
    p.drawPath(star);
  } else if (name == "back") {
    QPainterPath shaft;
    shaft.moveTo(18, 19);
    shaft.cubicTo(22, 10, 14, 5, 7, 9);
    Arrow(p, shaft, QPointF(6, 9.6), 160, navy, 2.6);
  } else if (name == "hint") {
    QRadialGradient glass(QPointF(10.5, 8), 9);
    glass.setColorAt(0, QColor(255, 250, 200));
    glass.setColorAt(1, gold);
    p.setPen(QPen(QColor(160, 110, 10), 0.9));
    p.setBrush(glass);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(12, 9.5), 6.5, 6.5);
    bulb.addRect(QRectF(9, 13, 6, 4));
    p.drawPath(bulb.simplified());
    p.setBrush(QColor(120, 120, 130));
    p.setPen(QPen(QColor(70, 70, 80), 0.7));
    p.drawRoundedRect(QRectF(8.8, 17, 6.4, 4.5), 1.2, 1.2);
    p.setPen(QPen(QColor(70, 70, 80), 0.7));
    p.drawLine(QPointF(9, 19.2), QPointF(15, 19.2));
  } else if (name == "shuffle") {
    QPainterPath a, b;
    a.moveTo(3, 17);
    a.cubicTo(10, 17, 12, 7, 18, 7);
    b.moveTo(3, 7);
    b.cubicTo(10, 7, 12, 17, 18, 17);
    Arrow(p, a, QPointF(19, 7), 0, green, 2.3);
    Arrow(p, b, QPointF(19, 17), 0, QColor(30, 110, 170), 2.3);
  } else if (name == "pause") {
    p.setPen(QPen(Shade(navy, 0.7), 0.8));
    p.setBrush(navy);
    p.drawRoundedRect(QRectF(6, 4, 4.5, 16), 1.2, 1.2);
    p.drawRoundedRect(QRectF(13.5, 4, 4.5, 16), 1.2, 1.2);
  } else if (name == "play") {
    p.setPen(QPen(Shade(green, 0.7), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(green);
    p.drawPolygon(QPolygonF{{7, 4}, {19.5, 12}, {7, 20}});
  } else if (name == "music") {
    const QColor violet(120, 50, 160);
    p.setPen(Qt::NoPen);
    p.setBrush(violet);
    p.drawEllipse(QPointF(7.5, 18), 3.4, 2.6);
    p.drawEllipse(QPointF(17.5, 16), 3.4, 2.6);
    p.drawPolygon(QPolygonF{{9.6, 18}, {9.6, 5}, {20, 3}, {20, 16}, {18.6, 16}, {18.6, 7}, {11, 8.5}, {11, 18}});
  } else if (name == "help" || name == "about") {
    const QColor ring = name == "help" ? QColor(40, 90, 190) : QColor(20, 130, 130);
    p.setPen(QPen(Shade(ring, 0.7), 0.9));
    p.setBrush(ring);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    QPainterPath text;
    text.addText(0, 0, LatinSerif(15), name == "help" ? QStringLiteral("?") : QStringLiteral("i"));
    p.translate(QPointF(12, 12) - text.boundingRect().center());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(text);
  } else if (name == "hall_of_fame") {
    QLinearGradient metal(4, 0, 20, 0);
    metal.setColorAt(0, QColor(200, 140, 20));
    metal.setColorAt(0.4, QColor(255, 226, 120));
    metal.setColorAt(1, QColor(190, 124, 10));
    p.setPen(QPen(QColor(130, 86, 0), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 5, 7, 8), 90 * 16, 180 * 16);
    p.drawArc(QRectF(14.5, 5, 7, 8), -90 * 16, 180 * 16);
    p.setBrush(metal);
    QPainterPath cup;
    cup.moveTo(6, 3.5);
    cup.lineTo(18, 3.5);
    cup.cubicTo(18, 12, 15, 15, 12, 15);
    cup.cubicTo(9, 15, 6, 12, 6, 3.5);
    p.drawPath(cup);
    p.drawRect(QRectF(10.8, 15, 2.4, 3));
    p.drawRoundedRect(QRectF(7, 18, 10, 3.5), 1, 1);
  } else if (name == "exit") {
    p.setPen(QPen(QColor(90, 60, 30), 0.9));
    p.setBrush(QColor(150, 100, 50));
    p.drawRect(QRectF(4, 3, 10, 18));
    p.setBrush(QColor(240, 200, 80));
    p.drawEllipse(QPointF(11.5, 12.5), 1.1, 1.1);
    QPainterPath shaft;
    shaft.moveTo(11, 12);
    shaft.lineTo(19, 12);
    Arrow(p, shaft, QPointF(19.5, 12), 0, red, 2.6);
  }
  p.end();
  return image;
}

// ---- pointer and icon ------------------------------------------------------

QImage TechnoPointer() {
  QImage image = Canvas(32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  arrow.moveTo(1.5, 1.5);
  arrow.lineTo(1.5, 22);
  arrow.lineTo(7, 17);
  arrow.lineTo(11, 26);
  arrow.lineTo(15, 24.3);
  arrow.lineTo(11.2, 15.6);
  arrow.lineTo(18.5, 15.6);
  arrow.closeSubpath();
  // A soft cyan glow, then a metallic body with a bright rim.
  p.setPen(QPen(QColor(0, 200, 255, 70), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arrow);
  QLinearGradient body(0, 0, 16, 24);
  body.setColorAt(0, QColor(120, 230, 255));
  body.setColorAt(0.5, QColor(20, 90, 200));
  body.setColorAt(1, QColor(10, 30, 90));
  p.setPen(QPen(QColor(8, 16, 40), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(body);
  p.drawPath(arrow);
  p.setPen(QPen(QColor(210, 250, 255), 0.9));
  p.drawLine(QPointF(3.2, 5), QPointF(3.2, 17));
  p.end();
  return image;
}

QImage Icon(int size) {
  QImage image = Canvas(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size / 32.0;
  p.scale(s, s);
  const QRectF face(7, 2, 22, 26);
  p.setPen(QPen(QColor(120, 60, 10), 1.0));
  p.setBrush(QColor(224, 118, 30));
  p.drawRoundedRect(face.translated(-4, 3.5), 3, 3);
  QLinearGradient ivory(face.topRight(), face.bottomLeft());
  ivory.setColorAt(0, QColor(255, 252, 242));
  ivory.setColorAt(1, QColor(232, 222, 198));
  p.setPen(QPen(QColor(120, 108, 86), size <= 22 ? 1.2 : 0.8));
  p.setBrush(ivory);
  p.drawRoundedRect(face, 3, 3);
  if (size < 24) {
    // Too small for a character: a sky-blue disc with a red sun.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QPointF(18, 15), 7, 7);
    p.setBrush(QColor(210, 40, 30));
    p.drawEllipse(QPointF(18, 15), 3, 3);
  } else {
    QPainterPath sky;
    sky.addText(0, 0, CjkSerif(60), QStringLiteral("空"));
    const QRectF b = sky.boundingRect();
    const double k = 17.0 / std::max(b.width(), b.height());
    p.save();
    p.translate(face.center() + QPointF(0, 1.2));
    p.scale(k, k);
    p.translate(-b.center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 70, 170));
    p.drawPath(sky);
    p.restore();
    p.setBrush(QColor(210, 40, 30));
    p.drawEllipse(QPointF(24.5, 6.5), 2.2, 2.2);
  }
  p.end();
  return image;
}

}  // namespace

void WritePanels(const Output& out) {
  out.Write("hof.bmp", EncodeBmp24(HallOfFamePanel()));
  out.Write("orange.jpg", EncodeJpeg(OrangePaper(), 90));
  out.Write("splash.png", EncodePng(Splash(BuildTileset(TilesetStyles()[0]))));
  out.Write("toolbar/tile.png", EncodePng(ToolbarTile()));
  for (const char* name : {"new", "back", "hint", "shuffle", "pause", "play", "music", "help", "about",
                           "hall_of_fame", "exit"}) {
    out.Write(QString("toolbar/%1.png").arg(name), EncodePng(Glyph(name)));
    for (const int factor : {2, 3}) {
      out.Write(QString("toolbar/%1@%2x.png").arg(name).arg(factor), EncodePng(Glyph(name, factor)));
    }
  }
  out.Write("cursors/techno.png", EncodePng(TechnoPointer()));
  out.Write("cursors/techno.hotspot", QByteArray("1 1\n"));
  // icons/sorami.png is the 256-pixel icon; the smaller sizes are drawn on
  // their own pixel grid so they stay sharp.
  out.Write("icons/sorami.png", EncodePng(Icon(256)));
  for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
    out.Write(QString("icons/sorami-%1.png").arg(size), EncodePng(Icon(size)));
  }
}

}  // namespace assets
