#include "tile_faces.h"

#include "asset_io.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace assets {
namespace {

// Inks of the set. The dark ink is a very dark navy, never pure black: a
// face pixel of RGB (0, 0, 0) would read as "let the tile show through".
const QColor kInk(24, 26, 52);
const QColor kRed(198, 28, 32);
const QColor kGreen(16, 122, 60);
const QColor kBlue(28, 68, 168);
const QColor kLight(250, 246, 234);  // the ivory inside rings, opaque
const QColor kBrown(112, 70, 36);
const QColor kGold(236, 166, 24);

// A shape's fill with a rim a shade darker (`shade` times its brightness).
void Outlined(QPainter& p, const QColor& colour, double width, double shade = 0.6) {
  p.setPen(QPen(Shade(colour, shade), width));
  p.setBrush(colour);
}

// A shape filled without a rim.
void Filled(QPainter& p, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
}

// Where one dot or one bamboo stick of a suit tile goes.
struct Spot {
  double x, y;
  QColor colour;
};

// Fills `text` in `font`, centred on `box`; shrunk to fit when the glyphs
// are larger than the box, never enlarged.
void Glyphs(QPainter& p, const QString& text, const QFont& font, const QRectF& box, const QColor& colour) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF bounds = path.boundingRect();
  const double scale = std::min({1.0, box.width() / bounds.width(), box.height() / bounds.height()});
  p.save();
  p.translate(box.center());
  p.scale(scale, scale);
  p.translate(-bounds.center());
  Filled(p, colour);
  p.drawPath(path);
  p.restore();
}

// One bamboo stick: a rounded green cane with a joint in the middle and
// darker rims at both ends. `angle` in degrees, clockwise.
void Stick(QPainter& p, double cx, double cy, double length, const QColor& colour, double angle = 0,
           double width = 5.6) {
  p.save();
  p.translate(cx, cy);
  p.rotate(angle);
  const double h = length / 2;
  const double w = width / 2;
  const QColor dark = Shade(colour, 0.55);
  p.setPen(QPen(dark, 0.9));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(-w, -h, width, length), w * 0.9, w * 0.9);
  // Rims and joint.
  Filled(p, dark);
  p.drawRect(QRectF(-w - 0.6, -h + 0.2, width + 1.2, 1.5));
  p.drawRect(QRectF(-w - 0.6, h - 1.7, width + 1.2, 1.5));
  p.drawRect(QRectF(-w - 0.8, -0.8, width + 1.6, 1.6));
  // A light stripe down the cane gives it roundness.
  p.setBrush(Mix(colour, Qt::white, 0.55));
  p.drawRect(QRectF(-w + 1.2, -h + 2.4, 1.1, h - 3.6));
  p.drawRect(QRectF(-w + 1.2, 1.4, 1.1, h - 3.6));
  p.restore();
}

// One circle of the dots suit: coloured rim, ivory ring, coloured heart.
void Dot(QPainter& p, double cx, double cy, double r, const QColor& colour) {
  const QPointF c(cx, cy);
  Outlined(p, colour, 0.8);
  p.drawEllipse(c, r, r);
  Filled(p, kLight);
  p.drawEllipse(c, r * 0.66, r * 0.66);
  p.setBrush(colour);
  p.drawEllipse(c, r * 0.46, r * 0.46);
  p.setBrush(kLight);
  p.drawEllipse(c, r * 0.15, r * 0.15);
}

// Dots of radius `r` at the spots, drawn in their order.
void DotsAt(QPainter& p, double r, std::initializer_list<Spot> spots) {
  for (const Spot& s : spots) Dot(p, s.x, s.y, r, s.colour);
}

// Upright bamboo sticks of one length at the spots, drawn in their order.
void SticksAt(QPainter& p, double length, std::initializer_list<Spot> spots) {
  for (const Spot& s : spots) Stick(p, s.x, s.y, length, s.colour);
}

void Craks(QPainter& p, int n) {
  static const char16_t* kNumerals = u"一二三四五六七八九";
  const QString numeral = QString(QChar(kNumerals[n - 1]));
  Glyphs(p, numeral, CjkSerif(22), QRectF(2, 1.5, 36, 19), kInk);
  Glyphs(p, QStringLiteral("萬"), CjkSerif(27), QRectF(2, 20, 36, 27), kRed);
}


void Bird(QPainter& p) {
  // The one of bamboo: a little bird perched on a cane.
  Stick(p, 20, 44, 30, kGreen, 90, 4.2);
  // Tail feathers fanning down to the left.
  const std::array<std::pair<QPointF, QColor>, 3> tail = {
      {{QPointF(4, 40), kBlue}, {QPointF(7, 45), kGreen}, {QPointF(12, 47), kBlue}}};
  for (const auto& [tip, colour] : tail) {
    QPainterPath feather;
    feather.moveTo(18, 31);
    feather.quadTo(QPointF((tip.x() + 18) / 2 - 3, (tip.y() + 31) / 2 - 2), tip);
    feather.quadTo(QPointF((tip.x() + 18) / 2 + 3, (tip.y() + 31) / 2 + 2), QPointF(20, 33));
    feather.closeSubpath();
    Outlined(p, colour, 0.7);
    p.drawPath(feather);
    Filled(p, kRed);
    p.drawEllipse(QPointF(tip.x() + (18 - tip.x()) * 0.25, tip.y() + (31 - tip.y()) * 0.25), 1.3, 1.3);
  }
  // Body.
  QPainterPath body;
  body.moveTo(17, 34);
  body.cubicTo(10, 26, 16, 14, 24, 15);
  body.cubicTo(31, 17, 32, 29, 26, 36);
  body.cubicTo(23, 39, 19, 37, 17, 34);
  Outlined(p, kGreen, 0.8, 0.5);
  p.drawPath(body);
  // Breast and wing.
  QPainterPath breast;
  breast.moveTo(26, 19);
  breast.cubicTo(31, 22, 30, 31, 25, 35);
  breast.cubicTo(26, 28, 26, 23, 26, 19);
  Filled(p, kGold);
  p.drawPath(breast);
  QPainterPath wing;
  wing.moveTo(15, 23);
  wing.cubicTo(20, 21, 24, 26, 22, 33);
  wing.cubicTo(18, 31, 15, 28, 15, 23);
  Outlined(p, kBlue, 0.7);
  p.drawPath(wing);
  // Head, crest, beak and eye.
  Outlined(p, kRed, 0.7);
  p.drawEllipse(QPointF(25, 11), 5.2, 5.0);
  QPainterPath crest;
  crest.moveTo(22, 7);
  crest.lineTo(19, 2.5);
  crest.lineTo(24, 6);
  crest.lineTo(24, 1.5);
  crest.lineTo(26.5, 6.2);
  crest.closeSubpath();
  p.drawPath(crest);
  QPainterPath beak;
  beak.moveTo(29.5, 9.5);
  beak.lineTo(36, 11.5);
  beak.lineTo(29.5, 13.2);
  beak.closeSubpath();
  Outlined(p, kGold, 0.6);
  p.drawPath(beak);
  Filled(p, kLight);
  p.drawEllipse(QPointF(26.6, 10.2), 1.8, 1.8);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(27.0, 10.2), 1.0, 1.0);
  // Feet gripping the cane.
  p.setPen(QPen(kBrown, 1.2));
  p.drawLine(QPointF(21, 37), QPointF(20, 42));
  p.drawLine(QPointF(24, 37), QPointF(25, 42));
}

void Bamboos(QPainter& p, int n) {
  const QColor g = kGreen;
  const QColor b = kBlue;
  const QColor r = kRed;
  switch (n) {
    case 1:
      Bird(p);
      break;
    case 2:
      SticksAt(p, 19, {{20, 14, b}, {20, 36, g}});
      break;
    case 3:
      SticksAt(p, 19, {{20, 14, b}, {13, 36, g}, {27, 36, g}});
      break;
    case 4:
      SticksAt(p, 19, {{13, 14, b}, {27, 14, g}, {13, 36, g}, {27, 36, b}});
      break;
    case 5:
      SticksAt(p, 19, {{10, 14, g}, {30, 14, b}, {10, 36, b}, {30, 36, g}, {20, 25, r}});
      break;
    case 6:
      for (const double x : {9.0, 20.0, 31.0}) {
        Stick(p, x, 14, 19, b);
        Stick(p, x, 36, 19, g);
      }
      break;
    case 7:
      Stick(p, 20, 9.5, 13, r);
      for (const double x : {9.0, 20.0, 31.0}) {
        Stick(p, x, 25.5, 13, g);
        Stick(p, x, 40, 13, b);
      }
      break;
    case 8:
      // Two rows of four: the inner canes lean together, an arch above and
      // a valley below.
      for (const auto& [y, lean] : {std::pair{14.0, 24.0}, std::pair{36.0, -24.0}}) {
        SticksAt(p, 19, {{6.5, y, g}, {33.5, y, g}});
        Stick(p, 15.2, y, 19.5, b, lean);
        Stick(p, 24.8, y, 19.5, b, -lean);
      }
      break;
    default:
      for (const double x : {9.0, 20.0, 31.0}) {
        const QColor colour = x < 10 ? g : (x < 21 ? r : b);
        for (const double y : {10.0, 25.0, 40.0}) Stick(p, x, y, 13, colour);
      }
      break;
  }
}

void BigDot(QPainter& p) {
  const QPointF c(20, 25);
  Outlined(p, kBlue, 0.9);
  p.drawEllipse(c, 16.5, 16.5);
  Filled(p, kLight);
  p.drawEllipse(c, 14.6, 14.6);
  // A ring of green petals.
  p.setBrush(kGreen);
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.translate(c);
    p.rotate(30.0 * i);
    p.drawEllipse(QPointF(0, -11), 1.9, 3.1);
    p.restore();
  }
  Outlined(p, kRed, 0.8);
  p.drawEllipse(c, 7.6, 7.6);
  Filled(p, kLight);
  p.drawEllipse(c, 5.3, 5.3);
  p.setBrush(kBlue);
  p.drawEllipse(c, 3.6, 3.6);
  p.setBrush(kLight);
  p.drawEllipse(c, 1.2, 1.2);
}

void Dots(QPainter& p, int n) {
  switch (n) {
    case 1:
      BigDot(p);
      break;
    case 2:
      DotsAt(p, 8.6, {{20, 14, kGreen}, {20, 36, kBlue}});
      break;
    case 3:
      DotsAt(p, 7, {{10.5, 11, kBlue}, {20, 25, kRed}, {29.5, 39, kGreen}});
      break;
    case 4:
      DotsAt(p, 7.4, {{12, 15, kBlue}, {28, 15, kGreen}, {12, 35, kGreen}, {28, 35, kBlue}});
      break;
    case 5:
      DotsAt(p, 6.8, {{11, 11.5, kBlue}, {29, 11.5, kGreen}, {20, 25, kRed}, {11, 38.5, kGreen}, {29, 38.5, kBlue}});
      break;
    case 6:
      for (const double x : {13.0, 27.0}) {
        Dot(p, x, 10, 6.4, kGreen);
        Dot(p, x, 25, 6.4, kRed);
        Dot(p, x, 40, 6.4, kRed);
      }
      break;
    case 7:
      DotsAt(p, 4.9, {{9, 7.5, kGreen}, {20, 12, kGreen}, {31, 16.5, kGreen}});
      for (const double x : {13.0, 27.0}) {
        Dot(p, x, 29.5, 5.6, kRed);
        Dot(p, x, 41.4, 5.6, kRed);
      }
      break;
    case 8:
      for (const double x : {13.0, 27.0}) {
        for (const double y : {8.6, 19.6, 30.5, 41.4}) Dot(p, x, y, 5.3, kBlue);
      }
      break;
    default: {
      const std::array<QColor, 3> rows = {kBlue, kRed, kGreen};
      for (int row = 0; row < 3; ++row) {
        for (const double x : {9.2, 20.0, 30.8}) Dot(p, x, 10 + 15.0 * row, 5.5, rows[row]);
      }
      break;
    }
  }
}

// Small index in the top-left corner and the flower's or season's name in
// the top-right one.
void Header(QPainter& p, int number, const QString& name, const QColor& colour) {
  Glyphs(p, QString::number(number), LatinSans(10), QRectF(2.5, 2, 8, 10), colour);
  Glyphs(p, name, CjkSerif(11), QRectF(26, 2, 11.5, 11), colour);
}

void Blossom(QPainter& p, QPointF c, double r, const QColor& petal) {
  Outlined(p, petal, 0.6);
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 - kPi / 2;
    p.drawEllipse(QPointF(c.x() + std::cos(a) * r * 0.62, c.y() + std::sin(a) * r * 0.62), r * 0.55, r * 0.55);
  }
  Filled(p, kGold);
  p.drawEllipse(c, r * 0.33, r * 0.33);
}

void Leaf(QPainter& p, QPointF base, double angle, double length, double width, const QColor& colour) {
  p.save();
  p.translate(base);
  p.rotate(angle);
  QPainterPath leaf;
  leaf.moveTo(0, 0);
  leaf.quadTo(width, -length * 0.5, 0, -length);
  leaf.quadTo(-width, -length * 0.5, 0, 0);
  Outlined(p, colour, 0.6);
  p.drawPath(leaf);
  p.restore();
}

void Plum(QPainter& p) {
  QPainterPath branch;
  branch.moveTo(5, 47);
  branch.cubicTo(12, 38, 20, 34, 34, 16);
  p.setPen(QPen(kBrown, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(branch);
  p.setPen(QPen(kBrown, 1.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 37), QPointF(10, 24));
  p.drawLine(QPointF(26, 28), QPointF(33, 36));
  const QColor pink(222, 54, 96);
  Blossom(p, QPointF(10.5, 23), 5.6, pink);
  Blossom(p, QPointF(31, 17), 5.2, pink);
  Blossom(p, QPointF(21, 31), 5.8, pink);
  Blossom(p, QPointF(32, 37), 4.6, pink);
}

void Orchid(QPainter& p) {
  const QColor leaf(34, 120, 48);
  p.setBrush(Qt::NoBrush);
  for (const auto& [end, ctrl] : std::array<std::pair<QPointF, QPointF>, 4>{
           {{QPointF(4, 18), QPointF(8, 34)},
            {QPointF(13, 15), QPointF(14, 30)},
            {QPointF(36, 20), QPointF(30, 30)},
            {QPointF(37, 40), QPointF(32, 38)}}}) {
    QPainterPath stroke;
    stroke.moveTo(20, 47);
    stroke.quadTo(ctrl, end);
    p.setPen(QPen(leaf, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stroke);
  }
  const QColor violet(128, 52, 168);
  for (const QPointF c : {QPointF(23, 22), QPointF(16, 33)}) {
    for (int i = 0; i < 5; ++i) {
      Leaf(p, c, -90 + i * 45, 7.5, 3.6, violet);
    }
    Filled(p, kGold);
    p.drawEllipse(c, 1.5, 1.5);
  }
}

void Chrysanthemum(QPainter& p) {
  p.setPen(QPen(QColor(40, 118, 50), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(20, 30), QPointF(21, 47));
  Leaf(p, QPointF(20.5, 42), -55, 10, 4.4, QColor(40, 118, 50));
  Leaf(p, QPointF(20.5, 39), 55, 10, 4.4, QColor(40, 118, 50));
  const QPointF c(20, 26);
  for (int ring = 0; ring < 2; ++ring) {
    const QColor petal = ring == 0 ? QColor(226, 128, 16) : kGold;
    for (int i = 0; i < 16; ++i) Leaf(p, c, i * 22.5 + ring * 11.25, ring == 0 ? 12.5 : 9, 2.6, petal);
  }
  Filled(p, kBrown);
  p.drawEllipse(c, 3.4, 3.4);
}

void BambooFlower(QPainter& p) {
  const QColor stalk(30, 110, 60);
  for (const auto& [x0, x1] : {std::pair{12.0, 16.0}, std::pair{26.0, 23.0}}) {
    p.setPen(QPen(stalk, 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, 47), QPointF(x1, 14));
    p.setPen(QPen(Shade(stalk, 0.5), 1.0));
    for (double t : {0.3, 0.62}) {
      const double x = x0 + (x1 - x0) * t;
      const double y = 47 - 33 * t;
      p.drawLine(QPointF(x - 2.2, y), QPointF(x + 2.2, y));
    }
  }
  const QColor leaf(50, 140, 60);
  Leaf(p, QPointF(15, 22), -60, 15, 4.0, leaf);
  Leaf(p, QPointF(15, 22), -105, 13, 3.8, leaf);
  Leaf(p, QPointF(24, 20), 55, 15, 4.0, leaf);
  Leaf(p, QPointF(24, 27), 100, 13, 3.8, leaf);
  Leaf(p, QPointF(13, 35), -80, 12, 3.6, leaf);
}

void Spring(QPainter& p) {
  Leaf(p, QPointF(20, 38), -140, 11, 4.6, QColor(60, 150, 60));
  Leaf(p, QPointF(20, 38), 140, 11, 4.6, QColor(60, 150, 60));
  const QColor petal(240, 130, 168);
  const QPointF c(20, 29);
  for (int i = 0; i < 5; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 72.0);
    QPainterPath shape;  // a cherry petal with its notch
    shape.moveTo(0, 0);
    shape.cubicTo(-9, -4, -6, -13, -1.6, -13.5);
    shape.lineTo(0, -11.6);
    shape.lineTo(1.6, -13.5);
    shape.cubicTo(6, -13, 9, -4, 0, 0);
    Outlined(p, petal, 0.7);
    p.drawPath(shape);
    p.restore();
  }
  p.setPen(QPen(kRed, 0.9));
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 + kPi / 5 - kPi / 2;
    p.drawLine(c, QPointF(c.x() + std::cos(a) * 5, c.y() + std::sin(a) * 5));
  }
  Filled(p, kGold);
  p.drawEllipse(c, 2.2, 2.2);
}

void Summer(QPainter& p) {
  const QPointF c(20, 25);
  const QColor sun(226, 70, 24);
  p.setPen(QPen(kGold, 1.8, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    p.drawLine(QPointF(c.x() + std::cos(a) * 9.5, c.y() + std::sin(a) * 9.5),
               QPointF(c.x() + std::cos(a) * 13, c.y() + std::sin(a) * 13));
  }
  Outlined(p, sun, 0.8, 0.7);
  p.drawEllipse(c, 7.5, 7.5);
  p.setBrush(Qt::NoBrush);
  for (int row = 0; row < 2; ++row) {
    QPainterPath wave;
    const double y = 41 + 4.5 * row;
    wave.moveTo(4, y);
    for (int k = 0; k < 4; ++k) wave.quadTo(QPointF(4 + 8 * k + 4, y - 3.2), QPointF(4 + 8 * (k + 1), y));
    p.setPen(QPen(kBlue, 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);
  }
}

void Autumn(QPainter& p) {
  const QColor leaf(212, 64, 20);
  // A maple leaf: seven pointed lobes around the stalk's top.
  QPainterPath shape;
  const QPointF c(20, 31);
  const std::array<double, 7> angles = {-90, -50, -130, -15, -165, 25, 155};
  const std::array<double, 7> reach = {18, 15.5, 15.5, 14, 14, 9, 9};
  std::array<std::pair<double, double>, 7> sorted;
  for (int i = 0; i < 7; ++i) sorted[i] = {angles[i], reach[i]};
  std::sort(sorted.begin(), sorted.end());
  bool first = true;
  for (int i = 0; i < 7; ++i) {
    const double a = sorted[i].first * kPi / 180;
    const double next = (i + 1 < 7 ? sorted[i + 1].first : sorted[0].first + 360) * kPi / 180;
    const QPointF tip(c.x() + std::cos(a) * sorted[i].second, c.y() + std::sin(a) * sorted[i].second);
    const double mid = (a + next) / 2;
    const double depth = 0.5 * std::min(sorted[i].second, sorted[(i + 1) % 7].second);
    const QPointF notch(c.x() + std::cos(mid) * depth, c.y() + std::sin(mid) * depth);
    if (first) {
      shape.moveTo(tip);
      first = false;
    } else {
      shape.lineTo(tip);
    }
    shape.lineTo(notch);
  }
  shape.closeSubpath();
  Outlined(p, leaf, 0.8);
  p.drawPath(shape);
  p.setPen(QPen(Shade(leaf, 0.55), 0.8));
  for (int i = 0; i < 5; ++i) {
    const double a = sorted[i + 1].first * kPi / 180;
    p.drawLine(c, QPointF(c.x() + std::cos(a) * sorted[i + 1].second * 0.8,
                          c.y() + std::sin(a) * sorted[i + 1].second * 0.8));
  }
  p.setPen(QPen(kBrown, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, QPointF(24, 46));
}

void Winter(QPainter& p) {
  const QPointF c(20, 29);
  const QColor ice(36, 104, 196);
  p.setPen(QPen(ice, 2.0, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 6; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 60.0);
    p.drawLine(QPointF(0, 0), QPointF(0, -15));
    for (double y : {-6.5, -11.0}) {
      const double s = y < -8 ? 3.0 : 4.0;
      p.drawLine(QPointF(0, y), QPointF(-s, y - s));
      p.drawLine(QPointF(0, y), QPointF(s, y - s));
    }
    p.restore();
  }
  Filled(p, ice);
  p.drawEllipse(c, 2.6, 2.6);
}

void Wind(QPainter& p, int index) {
  static const char16_t* kNames = u"東南西北";
  static const char* kLetters[] = {"E", "S", "W", "N"};
  Glyphs(p, QString(QChar(kNames[index])), CjkSerif(31), QRectF(3, 8, 34, 38), kInk);
  Glyphs(p, QString::fromLatin1(kLetters[index]), LatinSans(10), QRectF(2.5, 2, 8, 9.5), kRed);
}

void WhiteDragon(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlue, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawRect(QRectF(7.5, 7.5, 25, 35));
  p.setPen(QPen(kBlue, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawRect(QRectF(11.5, 11.5, 17, 27));
  // Small squares at the corners, as on carved tiles.
  Filled(p, kBlue);
  for (const QPointF corner : {QPointF(6, 6), QPointF(30, 6), QPointF(6, 40), QPointF(30, 40)}) {
    p.drawRect(QRectF(corner, QSizeF(4, 4)));
  }
}

}  // namespace

QImage DrawFace(int face, int factor) {
  QImage image(kFaceWidth * factor, kFaceHeight * factor, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  if (factor != 1) p.scale(factor, factor);
  if (face >= 1 && face <= 9) {
    Craks(p, face);
  } else if (face <= 18) {
    Bamboos(p, face - 9);
  } else if (face <= 27) {
    Dots(p, face - 18);
  } else if (face <= 31) {
    static const char16_t* kFlowers = u"梅蘭菊竹";
    const int n = face - 27;
    Header(p, n, QString(QChar(kFlowers[n - 1])), kRed);
    switch (n) {
      case 1: Plum(p); break;
      case 2: Orchid(p); break;
      case 3: Chrysanthemum(p); break;
      default: BambooFlower(p); break;
    }
  } else if (face <= 35) {
    static const char16_t* kSeasons = u"春夏秋冬";
    const int n = face - 31;
    Header(p, n, QString(QChar(kSeasons[n - 1])), kBlue);
    switch (n) {
      case 1: Spring(p); break;
      case 2: Summer(p); break;
      case 3: Autumn(p); break;
      default: Winter(p); break;
    }
  } else if (face == 36) {
    Glyphs(p, QStringLiteral("中"), CjkSerif(38), QRectF(3, 4, 34, 42), kRed);
  } else if (face == 37) {
    Glyphs(p, QStringLiteral("發"), CjkSerif(34), QRectF(3, 5, 34, 40), kGreen);
  } else if (face == 38) {
    WhiteDragon(p);
  } else if (face <= 42) {
    Wind(p, face - 39);
  }
  p.end();
  return image;
}

}  // namespace assets
