#include "tileset.h"

#include "asset_io.h"
#include "generators.h"
#include "tile_faces.h"

#include <algorithm>
#include <map>
#include <vector>

namespace assets {
namespace {

constexpr int kEdge = 6;  // width of the tile's left and bottom edges
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

// Is (x, y) of a tile cell drawn `k` times the size of 46 x 56 inside the
// tile's shape? The shape is the face (6..45, 0..49 at size 1) pushed 0..6
// pixels down and to the left, which cuts a small triangle off the top-left
// and the bottom-right corners.
bool InShape(int x, int y, int k = 1) {
  for (int t = 0; t <= kEdge * k; ++t) {
    if (x >= kEdge * k - t && x <= kTileWidth * k - 1 - t && y >= t && y <= kFaceHeight * k - 1 + t) return true;
  }
  return false;
}

// The face of a tile with base colour `base`: a soft diagonal gradient, a
// thin outline (which separates neighbouring tiles on the board) and a
// one-pixel bevel; (x, y) at `k` times the size, the lines `k` pixels wide.
QRgb FacePixel(int x, int y, const QColor& base, int k = 1) {
  const int u = x / k, v = y / k;
  if (u == 0 || v == 0 || u == 39 || v == 49) return QColor(138, 126, 104).rgb();
  if (u == 1 || v == 1) return Mix(base, Qt::white, 0.75).rgb();
  if (u == 38 || v == 48) return Shade(base, 0.9).rgb();
  const double fx = static_cast<double>(x) / k, fy = static_cast<double>(y) / k;
  const double t = (fx / 39.0 + (49 - fy) / 49.0) / 2;  // brighter towards the top right
  return Mix(Shade(base, 0.95), Mix(base, Qt::white, 0.35), t).rgb();
}

const QColor kIvory(246, 240, 222);
const QColor kSelected(255, 214, 96);  // warm gold
const QColor kHint(150, 212, 255);     // sky blue

void PaintFaceArea(QImage& image, int left, int top, const QColor& base, int k) {
  for (int y = 0; y < kFaceHeight * k; ++y) {
    for (int x = 0; x < kFaceWidth * k; ++x) image.setPixel(left + x, top + y, FacePixel(x, y, base, k));
  }
}

// Whether (x, y) lies on the tile's outline, `k` pixels wide.
bool OnOutline(int x, int y, int k) {
  if (x < k || y >= kTileHeight * k - k) return true;
  for (int j = 1; j <= k; ++j) {
    if (!InShape(x - j, y, k) || !InShape(x + j, y, k) || !InShape(x, y - j, k) || !InShape(x, y + j, k)) return true;
  }
  return false;
}

void PaintBlankTile(QImage& image, int left, int top, const QColor& border, int k) {
  const QColor rim = Mix(border, kIvory, 0.45);
  for (int y = 0; y < kTileHeight * k; ++y) {
    for (int x = 0; x < kTileWidth * k; ++x) {
      if (!InShape(x, y, k)) continue;
      if (x >= kEdge * k && y < kFaceHeight * k) continue;  // the face, painted below
      const int depth_left = kEdge * k - x;              // 1..6k on the left side
      const int depth_bottom = y - (kFaceHeight * k - 1);  // 1..6k on the bottom side
      QColor c;
      if (depth_left - depth_bottom >= 0 && depth_left - depth_bottom < k) {
        c = Shade(border, 0.62);  // the body's lower-left corner line
      } else {
        const bool left_side = depth_left > depth_bottom;
        const int depth = ((left_side ? depth_left : depth_bottom) + k - 1) / k;
        c = depth == 1 ? rim : Shade(border, 1.0 - 0.045 * (depth - 2));
        if (!left_side) c = Shade(c, 0.8);  // the bottom lies in shadow
      }
      if (OnOutline(x, y, k)) c = Shade(c, 0.62);
      image.setPixel(left + x, top + y, c.rgb());
    }
  }
  PaintFaceArea(image, left + kEdge * k, top, kIvory, k);
}

}  // namespace

QPoint FaceCell(int face) {
  if (face <= 9) return {face - 1, 2};
  if (face <= 18) return {face - 10, 1};
  if (face <= 27) return {face - 19, 0};
  if (face <= 31) return {face - 28, 4};
  if (face <= 35) return {face - 32, 3};
  if (face <= 38) return {face - 36 + 4, 4};
  return {face - 39 + 4, 3};
}

const std::array<TilesetStyle, 4>& TilesetStyles() {
  static const std::array<TilesetStyle, 4> styles = {{
      {"Tilesets/pai.bmp", QColor(224, 118, 30), false},
      {"Tilesets/darkpai.bmp", QColor(84, 72, 66), false},
      {"Tilesets/bluepai.bmp", QColor(40, 92, 196), false},
      {"Tilesets/pai256.bmp", QColor(22, 136, 98), true},
  }};
  return styles;
}

QImage BuildTileset(const TilesetStyle& style, int k) {
  QImage image(kTilesetWidth * k, kTilesetHeight * k, QImage::Format_RGB32);
  image.fill(kBlack);
  // Masks band: white, with black punched in where each face shows.
  for (int y = kMasksTop * k; y < kTilesetHeight * k; ++y) {
    for (int x = 0; x < kTilesetWidth * k; ++x) image.setPixel(x, y, kWhite);
  }
  for (int face = 1; face <= 42; ++face) {
    const QPoint cell = FaceCell(face);
    const int left = (41 * cell.x() + 1) * k;
    const int top = (51 * cell.y() + 1) * k;
    const QImage art = DrawFace(face, k);
    for (int y = 0; y < kFaceHeight * k; ++y) {
      for (int x = 0; x < kFaceWidth * k; ++x) {
        const QRgb src = art.pixel(x, y);  // premultiplied alpha, unpacked
        const int alpha = qAlpha(src);
        // Edge pixels that are mostly tile stay tile: a crisp mask keeps the
        // selected and hint colours from leaving pale fringes around marks.
        if (alpha < 100) continue;
        const QColor under = QColor::fromRgb(FacePixel(x, y, kIvory, k));
        const double a = alpha / 255.0;
        auto channel = [a](int s, int u) {
          return std::clamp(static_cast<int>(s * a + u * (1 - a) + 0.5), 0, 255);
        };
        const QColor sc = QColor::fromRgba(src);
        int r = channel(sc.red(), under.red());
        int g = channel(sc.green(), under.green());
        int b = channel(sc.blue(), under.blue());
        if (r == 0 && g == 0 && b == 0) b = 1;  // never black: black means "no face here"
        image.setPixel(left + x, top + y, qRgb(r, g, b));
        image.setPixel(left + x, top + y + kMasksTop * k, kBlack);
      }
    }
  }
  // Special band.
  PaintBlankTile(image, 0, kSpecialTop * k, style.border, k);
  PaintFaceArea(image, 52 * k, kSpecialTop * k, kSelected, k);
  PaintFaceArea(image, 98 * k, kSpecialTop * k, kHint, k);
  for (int y = 0; y < kTileHeight * k; ++y) {
    for (int x = 0; x < kTileWidth * k; ++x)
      image.setPixel(138 * k + x, kSpecialTop * k + y, InShape(x, y, k) ? kBlack : kWhite);
  }
  return image;
}

QImage TilePicture(const QImage& tileset, int face) {
  const QPoint cell = FaceCell(face);
  QImage tile(kTileWidth, kTileHeight, QImage::Format_ARGB32);
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if (tileset.pixel(138 + x, kSpecialTop + y) != kBlack) {
        tile.setPixel(x, y, 0u);
        continue;
      }
      QRgb c = tileset.pixel(x, kSpecialTop + y);
      if (x >= kEdge && y < kFaceHeight) {
        const int fx = 41 * cell.x() + 1 + x - kEdge, fy = 51 * cell.y() + 1 + y;
        c = (c & tileset.pixel(fx, fy + kMasksTop)) | tileset.pixel(fx, fy);
      }
      tile.setPixel(x, y, c | 0xFF000000u);
    }
  }
  return tile;
}

namespace {

struct Box {
  std::vector<std::pair<QRgb, int>> colours;  // colour and pixel count
};

int Channel(QRgb c, int axis) { return axis == 0 ? qRed(c) : (axis == 1 ? qGreen(c) : qBlue(c)); }

// The channel with the widest spread and that spread.
std::pair<int, int> WidestAxis(const Box& box) {
  int best_axis = 0;
  int best_range = -1;
  for (int axis = 0; axis < 3; ++axis) {
    int lo = 255;
    int hi = 0;
    for (const auto& [c, n] : box.colours) {
      lo = std::min(lo, Channel(c, axis));
      hi = std::max(hi, Channel(c, axis));
    }
    if (hi - lo > best_range) {
      best_range = hi - lo;
      best_axis = axis;
    }
  }
  return {best_axis, best_range};
}

}  // namespace

QImage ToPalette(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  std::map<QRgb, int> histogram;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) | 0xFF000000u;
      if (c != kBlack && c != kWhite) ++histogram[c];
    }
  }
  // Median cut: split the box whose colours spread widest, weighted by how
  // many pixels it holds, at its pixel median, until 254 boxes are made.
  std::vector<Box> boxes;
  if (!histogram.empty()) boxes.push_back(Box{{histogram.begin(), histogram.end()}});
  while (boxes.size() < 254) {
    int pick = -1;
    double best = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].colours.size() < 2) continue;
      long pixels = 0;
      for (const auto& entry : boxes[i].colours) pixels += entry.second;
      const double score = WidestAxis(boxes[i]).second * std::sqrt(static_cast<double>(pixels));
      if (score > best) {
        best = score;
        pick = static_cast<int>(i);
      }
    }
    if (pick < 0) break;
    Box& box = boxes[static_cast<size_t>(pick)];
    const int axis = WidestAxis(box).first;
    std::stable_sort(box.colours.begin(), box.colours.end(),
                     [axis](const auto& a, const auto& b) { return Channel(a.first, axis) < Channel(b.first, axis); });
    long total = 0;
    for (const auto& entry : box.colours) total += entry.second;
    long running = 0;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < box.colours.size(); ++i) {
      running += box.colours[i].second;
      cut = i + 1;
      if (running * 2 >= total) break;
    }
    Box upper{{box.colours.begin() + static_cast<long>(cut), box.colours.end()}};
    box.colours.resize(cut);
    boxes.push_back(std::move(upper));
  }
  QList<QRgb> table = {kBlack, kWhite};
  for (const Box& box : boxes) {
    double r = 0, g = 0, b = 0, n = 0;
    for (const auto& [c, count] : box.colours) {
      r += qRed(c) * count;
      g += qGreen(c) * count;
      b += qBlue(c) * count;
      n += count;
    }
    int ri = static_cast<int>(r / n + 0.5), gi = static_cast<int>(g / n + 0.5), bi = static_cast<int>(b / n + 0.5);
    if (ri == 0 && gi == 0 && bi == 0) bi = 1;
    table.push_back(qRgb(ri, gi, bi));
  }
  while (table.size() < 256) table.push_back(kBlack);
  const int used = 2 + static_cast<int>(boxes.size());
  std::map<QRgb, int> index_of;
  for (const auto& [c, count] : histogram) {
    int best = 2;
    long best_distance = -1;
    for (int i = 2; i < used; ++i) {
      const long dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]), db = qBlue(c) - qBlue(table[i]);
      const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (best_distance < 0 || distance < best_distance) {
        best_distance = distance;
        best = i;
      }
    }
    index_of[c] = best;
  }
  QImage out(image.size(), QImage::Format_Indexed8);
  out.setColorTable(table);
  for (int y = 0; y < image.height(); ++y) {
    uchar* line = out.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) | 0xFF000000u;
      line[x] = static_cast<uchar>(c == kBlack ? 0 : (c == kWhite ? 1 : index_of[c]));
    }
  }
  return out;
}

}  // namespace assets

namespace assets {

void WriteTilesets(const Output& out) {
  for (const TilesetStyle& style : TilesetStyles()) {
    const QImage image = BuildTileset(style);
    out.Write(style.file, style.few_colours ? EncodeBmp8(ToPalette(image)) : EncodeBmp24(image));
    // The copies for screens drawn at two and three times the size, beside
    // the classic picture as NAME@2x.png and NAME@3x.png.
    for (int k : kCopyFactors) {
      const QImage copy = BuildTileset(style, k);
      QString file = style.file;
      file.replace(QStringLiteral(".bmp"), QStringLiteral("@%1x.png").arg(k));
      out.Write(file, EncodePng(style.few_colours ? ToPalette(copy) : copy));
    }
  }
}

}  // namespace assets
