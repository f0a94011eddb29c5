#pragma once
// Shared helpers of the asset generator: writing files safely, encoding
// pictures in the exact formats the game reads, a seeded noise source and the
// fonts every picture uses.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>

namespace assets {

constexpr double kPi = 3.14159265358979323846;

// Little-endian integers, as bitmap and wave headers store them.
void PutLe16(QByteArray& out, std::uint16_t v);
void PutLe32(QByteArray& out, std::uint32_t v);

// Writes every generated file below one data folder. Each file goes to a
// temporary name beside its target first and is renamed over it, so an
// interrupted run never leaves a half-written picture behind.
class Output {
 public:
  explicit Output(QString root) : root_(std::move(root)) {}
  // Throws std::runtime_error with a readable message when writing fails.
  void Write(const QString& relative_path, const QByteArray& bytes) const;
  QString Path(const QString& relative_path) const;

 private:
  QString root_;
};

// Device-independent bitmap files (BITMAPINFOHEADER, bottom-up rows).
// 24 bits per pixel, from any image.
QByteArray EncodeBmp24(const QImage& image);
// 8 bits per pixel with a palette; the image must be Format_Indexed8.
QByteArray EncodeBmp8(const QImage& image);
QByteArray EncodePng(const QImage& image);
// Baseline JPEG, which every libjpeg reads.
QByteArray EncodeJpeg(const QImage& image, int quality);

// A small, fast generator (xorshift64*) used for textures and stars. Its
// fixed seeds make every run draw the same pictures.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint32_t Next();
  double Uniform();                  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  double Gauss();                    // mean 0, deviation 1

 private:
  std::uint64_t state_;
};

// Fonts. The CJK faces come from Debian's fonts-noto-cjk; Latin text uses
// DejaVu (fonts-dejavu-core). Both are registered from their files so that
// the generator never depends on which fallback fontconfig would pick.
void RegisterFonts();
QFont CjkSerif(double pixel_size, bool bold = true);
QFont LatinSans(double pixel_size, bool bold = true);
QFont LatinSerif(double pixel_size, bool bold = true);

// Colour helpers.
QColor Mix(const QColor& a, const QColor& b, double t);  // t = 0 gives a
QColor Shade(const QColor& c, double factor);            // multiply RGB

}  // namespace assets
