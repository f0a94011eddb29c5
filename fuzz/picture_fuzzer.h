#pragma once
// The body of the two picture harnesses: tileset and background files are
// decoded by the path's name (".jpg" through libjpeg, anything else as a
// bitmap).

#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "view/picture_file.h"

namespace fuzz {

inline void StartPictures(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication application(*argc, *argv);
}

inline void DecodeOne(const char* name, const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteScratchFile(name, data, size);
  QImage picture;
  std::string error;
  if (!view::DecodePicture(path, picture, error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(picture.isNull());
    return;
  }
  FUZZ_CHECK(!picture.isNull());
  FUZZ_CHECK(picture.format() == QImage::Format_RGB888);
  FUZZ_CHECK(view::PictureSizeProblem(picture.width(), picture.height()).empty());
  // Every row is there to be read.
  const int last = picture.height() - 1;
  volatile std::uint8_t sum = 0;
  for (int x = 0; x < picture.width() * 3; ++x) sum = sum + picture.constScanLine(last)[x];
}

}  // namespace fuzz
