#include "asset_io.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace assets {

void PutLe16(QByteArray& out, std::uint16_t v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>(v >> 8));
}

void PutLe32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

QString Output::Path(const QString& relative_path) const { return root_ + "/" + relative_path; }

void Output::Write(const QString& relative_path, const QByteArray& bytes) const {
  const QString target = Path(relative_path);
  const QFileInfo info(target);
  if (!QDir().mkpath(info.absolutePath())) {
    throw std::runtime_error("cannot create folder " + info.absolutePath().toStdString());
  }
  const QString temp = target + ".tmp";
  QFile file(temp);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
      !file.flush()) {
    file.remove();
    throw std::runtime_error("cannot write " + temp.toStdString() + ": " + file.errorString().toStdString());
  }
  file.close();
  // rename(2) replaces the target in one step; QFile::rename refuses to.
  if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
    QFile::remove(temp);
    throw std::runtime_error("cannot replace " + target.toStdString());
  }
}

namespace {

QByteArray BmpHeaders(int width, int height, int bits, int palette_entries) {
  const int row_bytes = ((width * bits + 31) / 32) * 4;
  const std::uint32_t data_offset = 14 + 40 + 4 * palette_entries;
  const std::uint32_t data_size = static_cast<std::uint32_t>(row_bytes) * static_cast<std::uint32_t>(height);
  QByteArray out;
  out.append("BM");
  PutLe32(out, data_offset + data_size);
  PutLe32(out, 0);
  PutLe32(out, data_offset);
  PutLe32(out, 40);  // BITMAPINFOHEADER
  PutLe32(out, static_cast<std::uint32_t>(width));
  PutLe32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
  PutLe16(out, 1);
  PutLe16(out, static_cast<std::uint16_t>(bits));
  PutLe32(out, 0);  // BI_RGB, no compression
  PutLe32(out, data_size);
  PutLe32(out, 2835);  // 72 dpi
  PutLe32(out, 2835);
  PutLe32(out, static_cast<std::uint32_t>(palette_entries));
  PutLe32(out, 0);
  return out;
}

}  // namespace

QByteArray EncodeBmp24(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width();
  const int h = image.height();
  QByteArray out = BmpHeaders(w, h, 24, 0);
  const int pad = (4 - (w * 3) % 4) % 4;
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      out.append(static_cast<char>(qBlue(line[x])));
      out.append(static_cast<char>(qGreen(line[x])));
      out.append(static_cast<char>(qRed(line[x])));
    }
    out.append(pad, '\0');
  }
  return out;
}

QByteArray EncodeBmp8(const QImage& image) {
  if (image.format() != QImage::Format_Indexed8) throw std::logic_error("EncodeBmp8 needs an indexed image");
  const QList<QRgb> table = image.colorTable();
  const int w = image.width();
  const int h = image.height();
  QByteArray out = BmpHeaders(w, h, 8, static_cast<int>(table.size()));
  for (const QRgb c : table) {
    out.append(static_cast<char>(qBlue(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qRed(c)));
    out.append('\0');
  }
  const int pad = (4 - w % 4) % 4;
  for (int y = h - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(image.constScanLine(y)), w);
    out.append(pad, '\0');
  }
  return out;
}

namespace {
QByteArray EncodeWith(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(image)) {
    throw std::runtime_error(std::string("cannot encode ") + format + ": " + writer.errorString().toStdString());
  }
  return bytes;
}
}  // namespace

QByteArray EncodePng(const QImage& image) { return EncodeWith(image, "png", -1); }

QByteArray EncodeJpeg(const QImage& image, int quality) {
  return EncodeWith(image.convertToFormat(QImage::Format_RGB32), "jpg", quality);
}

std::uint32_t Noise::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<std::uint32_t>((state_ * 2685821657736338717ull) >> 32);
}

double Noise::Uniform() { return Next() / 4294967296.0; }

double Noise::Gauss() {
  // Box-Muller; 1 - Uniform() is never 0.
  const double u = 1.0 - Uniform();
  const double v = Uniform();
  return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
}

namespace {
QString g_cjk_serif_bold = "Noto Serif CJK TC";
QString g_cjk_serif = "Noto Serif CJK TC";
QString g_sans = "DejaVu Sans";
QString g_serif = "DejaVu Serif";

QString FamilyOf(const QString& file, const QString& wanted, const QString& fallback) {
  const int id = QFontDatabase::addApplicationFont(file);
  if (id < 0) {
    std::fprintf(stderr, "warning: font file %s not found, using %s from the system\n", qPrintable(file),
                 qPrintable(fallback));
    return fallback;
  }
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  return families.contains(wanted) ? wanted : (families.isEmpty() ? fallback : families.first());
}
}  // namespace

void RegisterFonts() {
  g_cjk_serif_bold = FamilyOf("/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc", "Noto Serif CJK TC",
                              g_cjk_serif_bold);
  g_cjk_serif = FamilyOf("/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc", "Noto Serif CJK TC",
                         g_cjk_serif);
  g_sans = FamilyOf("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "DejaVu Sans", g_sans);
  FamilyOf("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans", g_sans);
  g_serif = FamilyOf("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf", "DejaVu Serif", g_serif);
  FamilyOf("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", "DejaVu Serif", g_serif);
}

namespace {
QFont MakeFont(const QString& family, double pixel_size, bool bold) {
  QFont font(family);
  font.setPixelSize(static_cast<int>(std::lround(pixel_size)));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}
}  // namespace

QFont CjkSerif(double pixel_size, bool bold) {
  return MakeFont(bold ? g_cjk_serif_bold : g_cjk_serif, pixel_size, bold);
}
QFont LatinSans(double pixel_size, bool bold) { return MakeFont(g_sans, pixel_size, bold); }
QFont LatinSerif(double pixel_size, bool bold) { return MakeFont(g_serif, pixel_size, bold); }

QColor Mix(const QColor& a, const QColor& b, double t) {
  const double s = 1.0 - t;
  return QColor::fromRgbF(static_cast<float>(a.redF() * s + b.redF() * t),
                          static_cast<float>(a.greenF() * s + b.greenF() * t),
                          static_cast<float>(a.blueF() * s + b.blueF() * t),
                          static_cast<float>(a.alphaF() * s + b.alphaF() * t));
}

QColor Shade(const QColor& c, double factor) {
  auto ch = [factor](int v) { return std::clamp(static_cast<int>(std::lround(v * factor)), 0, 255); };
  return QColor(ch(c.red()), ch(c.green()), ch(c.blue()), c.alpha());
}

}  // namespace assets
