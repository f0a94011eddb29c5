#include "view/test_pictures.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

#include "view/picture_file.h"
#include "view/raster.h"
#include "view/tileset_layout.h"

namespace testpics {

bool InTileShape(int x, int y) {
  // Inside when the face moved t pixels left and down (0 <= t <= 6) covers it.
  const int lo = std::max({0, 6 - x, y - 49});
  const int hi = std::min({6, 45 - x, y});
  return lo <= hi;
}

QRgb BlankTilePixel(int x, int y) {
  if (!InTileShape(x, y)) return 0xFF000000u;
  if (x >= 6 && y < 50) return Ivory;
  return y >= 50 ? BottomEdge : LeftEdge;
}

QRgb FaceColour(int c, int r) { return qRgb(40 + 20 * c, 40 + 40 * r, 200); }

bool InFaceSquare(int i, int j) { return i >= 10 && i < 30 && j >= 15 && j < 35; }

QImage MakeTestTileset(int width, int height) {
  QImage t = view::MakePicture(width, height, Junk);
  auto set = [&](int x, int y, QRgb v) {
    if (x < width && y < height) t.setPixel(x, y, v);
  };
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 5; ++r) {
      const view::Region face = view::FacePicture({c, r});
      const view::Region mask = view::FaceMask({c, r});
      for (int j = 0; j < 50; ++j)
        for (int i = 0; i < 40; ++i) {
          const bool in = InFaceSquare(i, j);
          set(face.x + i, face.y + j, in ? FaceColour(c, r) : 0xFF000000u);
          set(mask.x + i, mask.y + j, in ? 0xFF000000u : 0xFFFFFFFFu);
        }
    }
  // Cell (8, 3) holds no face: scribble on it.
  for (int j = 0; j < 50; ++j)
    for (int i = 0; i < 40; ++i) set(view::FacePicture({8, 3}).x + i, view::FacePicture({8, 3}).y + j, Junk);
  for (int y = 0; y < 56; ++y)
    for (int x = 0; x < 46; ++x) {
      set(x, 256 + y, BlankTilePixel(x, y));
      set(138 + x, 256 + y, InTileShape(x, y) ? 0xFF000000u : 0xFFFFFFFFu);
    }
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 40; ++x) {
      set(52 + x, 256 + y, SelectedColour);
      set(98 + x, 256 + y, HintColour);
    }
  return t;
}

QImage MakeGradient(int width, int height) {
  QImage img = view::MakePicture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) img.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 127));
  return img;
}

std::string WriteBmp(const QImage& img, const std::string& path) {
  img.save(QString::fromStdString(path), "BMP");
  return path;
}

void EnsureGuiApp() {
  if (QGuiApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "sorami_view_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

QImage DecodeShipped(const std::string& path) {
  QImage picture;
  std::string error;
  if (!view::DecodePicture(path, picture, error)) ADD_FAILURE() << path << ": " << error;
  return picture;
}

}  // namespace testpics
