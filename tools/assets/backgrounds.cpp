// Board backgrounds. They lie under the tiles all game long, so they are
// calm: mid tones, low contrast, no detail that competes with the faces.
//   kanji.bmp     704 x 468  brushed characters on tea-coloured paper
//   dragons.bmp   704 x 468  a golden dragon among clouds on lacquer red
//   andromeda.jpg 704 x 468  a spiral galaxy and stars
//   catpats.jpg   100 x 100  cat paw prints; a seamless tile the game repeats

#include "board/geometry.h"
#include "generators.h"
#include "texture_noise.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace assets {
namespace {

constexpr int kWidth = board::Geometry::BoardWidth;
constexpr int kHeight = board::Geometry::BoardHeight;

QImage Paper(std::uint64_t seed, const QColor& base) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const ValueNoise blotches(seed, 64);
  const ValueNoise fibres(seed + 1, 256);
  Noise grain(seed + 2);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double b = blotches.Fractal(x / 90.0, y / 90.0, 4) - 0.5;
      const double f = fibres.At(x / 1.5, y / 9.0) - 0.5;  // long vertical fibres
      const double g = grain.Uniform() - 0.5;
      const double k = 1.0 + 0.10 * b + 0.035 * f + 0.03 * g;
      image.setPixel(x, y, Shade(base, k).rgb());
    }
  }
  // Darker, worn edges.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double dx = std::min(x, kWidth - 1 - x) / 60.0, dy = std::min(y, kHeight - 1 - y) / 60.0;
      const double edge = std::clamp(std::min(dx, dy), 0.0, 1.0);
      if (edge < 1) image.setPixel(x, y, Shade(QColor(image.pixel(x, y)), 0.86 + 0.14 * edge).rgb());
    }
  }
  return image;
}

// Ink a character with a dry brush: the glyph's coverage is thinned by noise
// so the strokes look laid on paper, not printed.
void BrushCharacter(QImage& image, const QString& text, double size, QPointF centre, double angle,
                    const QColor& ink, double strength, std::uint64_t seed) {
  QImage layer(image.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(0, 0, CjkSerif(size), text);
    p.translate(centre);
    p.rotate(angle);
    p.translate(-path.boundingRect().center());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(path);
  }
  const ValueNoise dry(seed, 128);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int a = qAlpha(layer.pixel(x, y));
      if (a == 0) continue;
      const double streak = dry.At(x / 2.0 + y / 14.0, y / 3.0 + x / 30.0);
      const double cover = a / 255.0 * strength * (0.55 + 0.6 * streak);
      image.setPixel(x, y, Mix(QColor(image.pixel(x, y)), ink, std::min(cover, 1.0)).rgb());
    }
  }
}

QImage Kanji() {
  QImage image = Paper(11, QColor(200, 178, 136));
  const QColor ink(58, 40, 28);
  struct Mark { const char16_t* text; double size, x, y, angle, strength; };
  const Mark marks[] = {
      {u"龍", 250, 150, 170, -6, 0.30}, {u"雲", 170, 520, 120, 5, 0.24}, {u"風", 150, 420, 350, -3, 0.22},
      {u"山", 130, 640, 330, 8, 0.20},  {u"水", 120, 70, 390, 4, 0.20},  {u"夢", 110, 330, 60, -9, 0.18},
  };
  std::uint64_t seed = 100;
  for (const Mark& m : marks) {
    BrushCharacter(image, QString::fromUtf16(m.text), m.size, QPointF(m.x, m.y), m.angle, ink, m.strength, seed++);
  }
  // A faded red seal in the lower right corner.
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF seal(642, 404, 40, 40);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(170, 40, 30, 130));
  p.drawRoundedRect(seal, 4, 4);
  QPainterPath glyph;
  glyph.addText(0, 0, CjkSerif(28), QStringLiteral("空"));
  p.translate(seal.center() - glyph.boundingRect().center());
  p.setBrush(QColor(214, 190, 150, 200));
  p.drawPath(glyph);
  return image;
}

// The dragon's spine: an S-curve across the picture, head at t = 0.
QPointF Spine(double t) {
  return {110 + 540 * t, 236 + 120 * std::sin(2 * kPi * 1.55 * t + 0.5) * (0.75 + 0.25 * t)};
}

QPointF Normal(double t) {
  const QPointF a = Spine(t - 0.002), b = Spine(t + 0.002);
  const QPointF d = b - a;
  const double len = std::hypot(d.x(), d.y());
  return {-d.y() / len, d.x() / len};
}

double BodyWidth(double t) { return 32 * (1 - 0.8 * std::pow(t, 1.2)) + 3; }

void Cloud(QPainter& p, QPointF at, double size) {
  // A scrolling cloud: three curls on a shared base.
  QPainterPath path;
  for (int i = 0; i < 3; ++i) {
    const QPointF c(at.x() + (i - 1) * size * 0.9, at.y() - (i == 1 ? size * 0.45 : 0));
    const double r = size * (i == 1 ? 0.75 : 0.55);
    path.addEllipse(c, r, r * 0.8);
  }
  path.addRoundedRect(QRectF(at.x() - size * 1.6, at.y(), size * 3.2, size * 0.6), size * 0.3, size * 0.3);
  p.drawPath(path.simplified());
  for (int i = 0; i < 3; ++i) {
    const QPointF c(at.x() + (i - 1) * size * 0.9, at.y() - (i == 1 ? size * 0.45 : 0));
    QPainterPath curl;
    curl.moveTo(c.x() + size * 0.3, c.y());
    curl.arcTo(QRectF(c.x() - size * 0.3, c.y() - size * 0.3, size * 0.6, size * 0.6), 0, 270);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.drawPath(curl);
    p.restore();
  }
}

QImage Dragons() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const ValueNoise lacquer(21, 32);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double dx = (x - kWidth / 2.0) / kWidth, dy = (y - kHeight / 2.0) / kHeight;
      const double glow = 1.0 - 0.9 * (dx * dx + dy * dy);
      const double n = lacquer.Fractal(x / 70.0, y / 70.0, 3);
      image.setPixel(x, y, Shade(QColor(118, 26, 22), glow * (0.9 + 0.2 * n)).rgb());
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Clouds, a shade lighter than the ground.
  p.setPen(QPen(QColor(150, 52, 38), 2.5));
  p.setBrush(QColor(134, 40, 30));
  const QPointF clouds[] = {{110, 70}, {330, 110}, {600, 60}, {250, 420}, {520, 400}, {660, 220}, {40, 250}};
  for (size_t i = 0; i < std::size(clouds); ++i) Cloud(p, clouds[i], 24 + 6 * (i % 3));

  const QColor gold(204, 150, 62);
  const QColor gold_dark(150, 96, 40);
  const QColor gold_light(226, 182, 96);
  // Legs with three claws, under the body.
  p.setPen(QPen(gold_dark, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const double t : {0.16, 0.34, 0.58, 0.76}) {
    const QPointF root = Spine(t);
    const QPointF n = Normal(t);
    const double w = BodyWidth(t);
    const QPointF knee = root + n * (w + 22) + QPointF(-14, 0);
    const QPointF foot = knee + QPointF(-16, 12 * (n.y() > 0 ? 1 : -1));
    p.drawPolyline(QList<QPointF>{root, knee, foot});
    p.save();
    p.setPen(QPen(gold_light, 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int c = -1; c <= 1; ++c) p.drawLine(foot, foot + QPointF(-13, 8.0 * c));
    p.restore();
  }
  // Body as a ribbon around the spine.
  QPainterPath body;
  const int steps = 240;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const QPointF q = Spine(t) + Normal(t) * BodyWidth(t);
    if (i == 0) body.moveTo(q); else body.lineTo(q);
  }
  for (int i = steps; i >= 0; --i) {
    const double t = static_cast<double>(i) / steps;
    body.lineTo(Spine(t) - Normal(t) * BodyWidth(t));
  }
  body.closeSubpath();
  // Spines along the back.
  p.setPen(Qt::NoPen);
  p.setBrush(gold_dark);
  for (double t = 0.06; t < 0.95; t += 0.035) {
    const QPointF n = Normal(t);
    const QPointF base = Spine(t) - n * BodyWidth(t);
    const QPointF a = Spine(t - 0.012) - Normal(t - 0.012) * BodyWidth(t - 0.012);
    const QPointF tip = base - n * (10 * (1 - t) + 5) + QPointF(8, 0);
    p.drawPolygon(QPolygonF{a, tip, base});
  }
  p.setPen(QPen(gold_dark, 2));
  p.setBrush(gold);
  p.drawPath(body);
  // Scales: rows of arcs down the body, and a paler belly.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(gold_dark, 1.4));
  for (double t = 0.05; t < 0.97; t += 0.014) {
    const double w = BodyWidth(t);
    for (double s = -0.7; s <= 0.3; s += 0.33) {
      const QPointF c = Spine(t) + Normal(t) * (w * s);
      p.drawArc(QRectF(c.x() - 5, c.y() - 5, 10, 10), 200 * 16, 140 * 16);
    }
  }
  p.setPen(QPen(gold_light, 5, Qt::SolidLine, Qt::RoundCap));
  QPainterPath belly;
  for (int i = 6; i <= steps - 6; ++i) {
    const double t = static_cast<double>(i) / steps;
    const QPointF q = Spine(t) + Normal(t) * (BodyWidth(t) * 0.72);
    if (i == 6) belly.moveTo(q); else belly.lineTo(q);
  }
  p.drawPath(belly);
  // A flame-like tuft at the tail's end.
  {
    const QPointF end = Spine(1.0);
    const QPointF n = Normal(1.0);
    const QPointF along(n.y(), -n.x());
    p.setPen(QPen(gold_dark, 1.5));
    p.setBrush(gold_light);
    for (int i = -2; i <= 2; ++i) {
      QPainterPath tuft;
      tuft.moveTo(end + n * 7);
      tuft.quadTo(end + along * 20 + n * (i * 9.0), end + along * 34 + n * (i * 13.0));
      tuft.quadTo(end + along * 14 + n * (i * 4.0), end - n * 7);
      tuft.closeSubpath();
      p.drawPath(tuft);
    }
  }
  // The head, looking left towards the pearl, with a flaming mane.
  const QPointF h = Spine(0) + QPointF(-8, 0);
  p.save();
  p.translate(h);
  p.scale(1.45, 1.45);
  p.translate(-h);
  p.setPen(QPen(gold_dark, 1.5));
  p.setBrush(gold_light);
  for (int i = 0; i < 7; ++i) {
    const double a = -2.3 + i * 0.55;
    const QPointF root = h + QPointF(12, 0);
    QPainterPath flame;
    flame.moveTo(root + QPointF(std::cos(a - 0.35) * 20, std::sin(a - 0.35) * 20));
    flame.quadTo(root + QPointF(std::cos(a) * 36 + 14, std::sin(a) * 36),
                 root + QPointF(std::cos(a) * 48 + 22, std::sin(a) * 44));
    flame.quadTo(root + QPointF(std::cos(a + 0.2) * 30 + 6, std::sin(a + 0.2) * 30),
                 root + QPointF(std::cos(a + 0.35) * 20, std::sin(a + 0.35) * 20));
    flame.closeSubpath();
    p.drawPath(flame);
  }
  p.setPen(QPen(gold_dark, 2));
  p.setBrush(gold);
  QPainterPath head;
  head.moveTo(h + QPointF(18, -30));
  head.cubicTo(h + QPointF(-10, -42), h + QPointF(-40, -26), h + QPointF(-62, -14));
  head.cubicTo(h + QPointF(-70, -8), h + QPointF(-66, 2), h + QPointF(-56, 2));
  head.lineTo(h + QPointF(-30, 4));
  head.cubicTo(h + QPointF(-48, 12), h + QPointF(-56, 22), h + QPointF(-44, 26));
  head.cubicTo(h + QPointF(-20, 30), h + QPointF(6, 34), h + QPointF(22, 26));
  head.closeSubpath();
  p.drawPath(head);
  p.setBrush(gold_light);
  p.drawEllipse(h + QPointF(-20, -16), 7, 5.5);
  p.setBrush(QColor(90, 20, 16));
  p.drawEllipse(h + QPointF(-22, -16), 2.6, 2.6);
  // Horns and whiskers.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(gold_dark, 4, Qt::SolidLine, Qt::RoundCap));
  QPainterPath horns;
  horns.moveTo(h + QPointF(-4, -32));
  horns.cubicTo(h + QPointF(10, -56), h + QPointF(30, -60), h + QPointF(46, -52));
  horns.moveTo(h + QPointF(6, -30));
  horns.cubicTo(h + QPointF(20, -46), h + QPointF(36, -44), h + QPointF(50, -36));
  p.drawPath(horns);
  p.setPen(QPen(gold_light, 2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath whiskers;
  whiskers.moveTo(h + QPointF(-60, -6));
  whiskers.cubicTo(h + QPointF(-90, -30), h + QPointF(-70, -70), h + QPointF(-110, -84));
  whiskers.moveTo(h + QPointF(-52, 16));
  whiskers.cubicTo(h + QPointF(-86, 40), h + QPointF(-64, 80), h + QPointF(-104, 96));
  p.drawPath(whiskers);
  p.restore();
  // The flaming pearl it chases.
  const QPointF pearl(70, 92);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(214, 120, 50));
  for (int i = 0; i < 7; ++i) {
    const double a = -kPi / 2 + (i - 3) * 0.35;
    QPainterPath flame;
    flame.moveTo(pearl + QPointF(std::cos(a - 0.3) * 14, std::sin(a - 0.3) * 14));
    flame.quadTo(pearl + QPointF(std::cos(a) * 40, std::sin(a) * 40) + QPointF(6, 0),
                 pearl + QPointF(std::cos(a + 0.3) * 14, std::sin(a + 0.3) * 14));
    p.drawPath(flame);
  }
  QRadialGradient shine(pearl + QPointF(-4, -4), 16);
  shine.setColorAt(0, QColor(246, 226, 190));
  shine.setColorAt(1, QColor(200, 150, 96));
  p.setBrush(shine);
  p.drawEllipse(pearl, 14, 14);
  p.end();
  // Soften everything towards the ground so it stays in the background.
  const QImage drawn = image;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const QColor c(drawn.pixel(x, y));
      const QColor ground = Shade(QColor(112, 26, 22), 1.0);
      image.setPixel(x, y, Mix(c, ground, 0.32).rgb());
    }
  }
  return image;
}

QImage Andromeda() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const ValueNoise dust(31, 64);
  const ValueNoise haze(32, 32);
  const double cx = 360, cy = 230, tilt = -0.55, squash = 0.34;
  const double ct = std::cos(tilt), st = std::sin(tilt);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double dx = x - cx, dy = y - cy;
      const double u = dx * ct - dy * st;
      const double v = (dx * st + dy * ct) / squash;
      const double r = std::hypot(u, v) + 0.5;
      const double theta = std::atan2(v, u);
      const double arms = std::pow(0.5 + 0.5 * std::cos(2 * (theta - std::log(r) / 0.45)), 3);
      const double bulge = std::exp(-std::pow(r / 34, 0.9));
      const double disk = std::exp(-r / 120) * (0.35 + 0.65 * arms) * (r < 420 ? 1.0 : 0.0);
      // Dark dust lanes on the near side of the disk.
      const double lane = (v > 0 ? 0.55 : 0.25) * std::pow(0.5 + 0.5 * std::cos(2 * (theta - std::log(r) / 0.45) + 2.2), 6);
      const double clump = 0.7 + 0.6 * dust.Fractal(x / 18.0, y / 18.0, 3);
      const double lit = disk * clump * (1 - lane);
      const double sky = 0.05 * haze.Fractal(x / 120.0, y / 120.0, 3);
      const double r_ = 8 + 255 * (bulge * 0.80 + lit * 0.42) + 40 * sky;
      const double g_ = 10 + 255 * (bulge * 0.70 + lit * 0.44) + 30 * sky;
      const double b_ = 22 + 255 * (bulge * 0.52 + lit * 0.62) + 90 * sky;
      image.setPixel(x, y, qRgb(std::min(255, static_cast<int>(r_ * 0.78)), std::min(255, static_cast<int>(g_ * 0.78)),
                                std::min(255, static_cast<int>(b_ * 0.78))));
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Two small companion galaxies.
  for (const auto& [c, r] : {std::pair{QPointF(300, 290), 7.0}, std::pair{QPointF(470, 120), 12.0}}) {
    QRadialGradient g(c, r * 2.2);
    g.setColorAt(0, QColor(230, 220, 200, 170));
    g.setColorAt(1, QColor(230, 220, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r * 2.2, r * 1.6);
  }
  // Stars: many faint, a few bright with a soft halo.
  Noise noise(33);
  for (int i = 0; i < 900; ++i) {
    const QPointF at(noise.Range(0, kWidth), noise.Range(0, kHeight));
    const double b = std::pow(noise.Uniform(), 5.0);
    const int tint = static_cast<int>(noise.Next() % 3);
    const QColor colour = tint == 0 ? QColor(255, 236, 210) : (tint == 1 ? QColor(210, 225, 255) : QColor(255, 255, 255));
    QColor c = colour;
    c.setAlphaF(static_cast<float>(0.18 + 0.82 * b));
    p.setBrush(c);
    const double size = 0.45 + 1.2 * b;
    p.drawEllipse(at, size, size);
    if (b > 0.55) {
      QRadialGradient halo(at, 6 * b);
      QColor soft = colour;
      soft.setAlpha(70);
      halo.setColorAt(0, soft);
      soft.setAlpha(0);
      halo.setColorAt(1, soft);
      p.setBrush(halo);
      p.drawEllipse(at, 6 * b, 6 * b);
    }
  }
  return image;
}

void Paw(QPainter& p, QPointF at, double angle, double size) {
  p.save();
  p.translate(at);
  p.rotate(angle);
  p.scale(size, size);
  QPainterPath pad;  // the big pad: a rounded, three-lobed heart
  pad.moveTo(0, -4);
  pad.cubicTo(5, -6, 10, 0, 9, 5);
  pad.cubicTo(8, 9, 4, 8, 0, 8);
  pad.cubicTo(-4, 8, -8, 9, -9, 5);
  pad.cubicTo(-10, 0, -5, -6, 0, -4);
  p.drawPath(pad);
  const QPointF toes[] = {{-10, -8}, {-4, -13}, {4, -13}, {10, -8}};
  for (const QPointF t : toes) p.drawEllipse(t, 3.2, 4.0);
  p.restore();
}

QImage Catpats() {
  const int size = 100;
  QImage image(size, size, QImage::Format_RGB32);
  const ValueNoise felt(41, 8);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double n = felt.Fractal(x / 12.5, y / 12.5, 2);  // 8 cells across: wraps with the tile
      image.setPixel(x, y, Shade(QColor(112, 146, 150), 0.94 + 0.1 * n).rgb());
    }
  }
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(86, 116, 122));
  struct Print { QPointF at; double angle; };
  const Print prints[] = {{{26, 30}, -18}, {{76, 78}, 22}, {{82, 18}, 40}, {{22, 84}, -35}};
  for (size_t i = 0; i < std::size(prints); ++i) {
    const double scale = i < 2 ? 1.0 : 0.62;
    // Draw every print at the eight neighbouring offsets too, so prints that
    // cross an edge continue on the other side and the tile repeats seamlessly.
    for (int ox = -1; ox <= 1; ++ox) {
      for (int oy = -1; oy <= 1; ++oy) {
        Paw(p, prints[i].at + QPointF(ox * size, oy * size), prints[i].angle, scale);
      }
    }
  }
  return image;
}

}  // namespace

void WriteBackgrounds(const Output& out) {
  out.Write("Backgrounds/kanji.bmp", EncodeBmp24(Kanji()));
  out.Write("Backgrounds/dragons.bmp", EncodeBmp24(Dragons()));
  out.Write("Backgrounds/andromeda.jpg", EncodeJpeg(Andromeda(), 88));
  out.Write("Backgrounds/catpats.jpg", EncodeJpeg(Catpats(), 94));
}

}  // namespace assets
