#include "view/picture_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QString>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

// libjpeg's headers need FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "base/file_io.h"
#include "base/texts.h"
#include "view/raster.h"

namespace view {
namespace {

// No picture file the game takes is larger than this (a bitmap of the largest
// accepted size); anything bigger is refused unread.
constexpr std::uint64_t MaxFileBytes = 4 * MaxPicturePixels + 64 * 1024;

// Qt's built-in reader for `format` alone, never a plugin (see ReadImageFile).
QImage ReadImage(QIODevice& device, const char* format) {
  QImageReader reader(&device, format);
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

std::string Sprintf(const char* format, long long a, long long b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// Everything the JPEG decoder touches lives here, on the heap, so a longjmp
// out of libjpeg leaves no half-built local object behind.
struct JpegJob {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  std::jmp_buf jump{};
  bool created = false;
  std::vector<unsigned char> data;
  QImage image;
  std::string error;
};

[[noreturn]] void JpegFail(j_common_ptr cinfo) {
  auto* job = static_cast<JpegJob*>(cinfo->client_data);
  std::longjmp(job->jump, 1);
}

// Warnings are ignored except a file that ends too early: libjpeg would pad
// the missing rows with grey and call it a success.
void JpegMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegFail(cinfo);
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& data, std::string& error) {
  switch (base::ReadWholeFile(path, data, MaxFileBytes)) {
    case base::ReadStatus::Ok: return true;
    case base::ReadStatus::CannotOpen:
    case base::ReadStatus::NotAFile:
    case base::ReadStatus::IsFolder: error = base::Format(base::Translate("Pictures", "Cannot open the picture file %1"), {path}); return false;
    case base::ReadStatus::TooBig:
      error = base::Format(
          base::Translate("Pictures", "The picture file %1 is too large to be a picture the game can use"), {path});
      return false;
    case base::ReadStatus::CannotRead: break;
  }
  error = base::Format(base::Translate("Pictures", "Cannot read the picture file %1"), {path});
  return false;
}

// The part that may longjmp back. Only touches the job through its pointer.
bool DecodeJpegData(JpegJob* job) {
  job->cinfo.err = jpeg_std_error(&job->err);
  job->err.error_exit = JpegFail;
  job->err.emit_message = JpegMessage;
  job->cinfo.client_data = job;
  if (setjmp(job->jump) != 0) {
    // The decoder's code, and its own words for it.
    char words[JMSG_LENGTH_MAX] = {};
    job->err.format_message(reinterpret_cast<j_common_ptr>(&job->cinfo), words);
    job->error = Sprintf("JPEG error #%lld", job->err.msg_code);
    if (words[0] != '\0') job->error += std::string(" (") + words + ")";
    return false;
  }
  jpeg_create_decompress(&job->cinfo);
  job->created = true;
  jpeg_mem_src(&job->cinfo, job->data.data(), static_cast<unsigned long>(job->data.size()));
  jpeg_read_header(&job->cinfo, TRUE);
  job->error = PictureSizeProblem(job->cinfo.image_width, job->cinfo.image_height);
  if (!job->error.empty()) return false;
  job->cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job->cinfo);
  const int w = static_cast<int>(job->cinfo.output_width);
  const int h = static_cast<int>(job->cinfo.output_height);
  if (job->cinfo.output_components != 3) {
    job->error = "JPEG error #" + std::to_string(JERR_CONVERSION_NOTIMPL);
    return false;
  }
  // libjpeg's RGB rows are the picture's rows byte for byte.
  static_assert(PictureFormat == QImage::Format_RGB888);
  job->image = QImage(w, h, PictureFormat);
  if (job->image.isNull()) {
    job->error = base::Translate("Pictures", "Not enough memory for the picture");
    return false;
  }
  while (job->cinfo.output_scanline < job->cinfo.output_height) {
    JSAMPROW rows[1] = {job->image.scanLine(static_cast<int>(job->cinfo.output_scanline))};
    jpeg_read_scanlines(&job->cinfo, rows, 1);
  }
  jpeg_finish_decompress(&job->cinfo);
  return true;
}

bool DecodeJpeg(const std::string& path, QImage& out, std::string& error) {
  auto job = std::make_unique<JpegJob>();
  if (!ReadFile(path, job->data, error)) return false;
  const bool ok = DecodeJpegData(job.get());
  if (job->created) jpeg_destroy_decompress(&job->cinfo);
  if (!ok) {
    error = job->error;
    return false;
  }
  out = std::move(job->image);
  return true;
}

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

// Checks a bitmap's headers before Qt's reader sees it: the size, and for
// uncompressed pictures that every row of pixels is really in the file (the
// reader would fill a cut file's missing rows silently).
std::string BitmapHeaderProblem(const std::vector<unsigned char>& b) {
  constexpr const char* Invalid = "Bitmap image is not valid";
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return Invalid;
  const std::uint32_t offset = Le(b, 10, 4);
  const std::uint32_t infoSize = Le(b, 14, 4);
  long long w = 0, h = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  if (infoSize == 12) {
    w = static_cast<std::int16_t>(Le(b, 18, 2));
    h = static_cast<std::int16_t>(Le(b, 20, 2));
    bits = static_cast<int>(Le(b, 24, 2));
  } else if (infoSize >= 40 && b.size() >= 34) {
    w = static_cast<std::int32_t>(Le(b, 18, 4));
    h = static_cast<std::int32_t>(Le(b, 22, 4));
    bits = static_cast<int>(Le(b, 28, 2));
    compression = Le(b, 30, 4);
  } else {
    return Invalid;
  }
  if (h < 0) h = -h;  // top-down rows
  std::string problem = PictureSizeProblem(w, h);
  if (!problem.empty()) return problem;
  const bool uncompressed = compression == 0 || compression == 3;  // plain rows, or bit fields
  if (uncompressed) {
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return Invalid;
    const long long stride = (w * bits + 31) / 32 * 4;
    if (static_cast<long long>(offset) + stride * h > static_cast<long long>(b.size())) return Invalid;
  }
  return {};
}

bool DecodeBitmap(const std::string& path, QImage& out, std::string& error) {
  std::vector<unsigned char> bytes;
  if (!ReadFile(path, bytes, error)) return false;
  error = BitmapHeaderProblem(bytes);
  if (!error.empty()) return false;
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer device(&data);
  const QImage image = device.open(QIODevice::ReadOnly) ? ReadImage(device, "bmp") : QImage();
  if (image.isNull()) {
    error = base::Translate("Pictures", "Bitmap image is not valid");
    return false;
  }
  out = image;
  ToPictureFormat(out);
  return true;
}

// "The picture file <path> cannot be used: <reason>", the reason's first
// letter in lower case unless it starts a word in capitals ("JPEG").
std::string NamingTheFile(const std::string& path, std::string reason) {
  if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' && reason[1] >= 'a' && reason[1] <= 'z')
    reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
  return base::Format(base::Translate("Pictures", "The picture file %1 cannot be used: %2"), {path, reason});
}

}  // namespace

std::string PictureSizeProblem(long long width, long long height) {
  if (width <= 0 || height <= 0)
    return Sprintf("The picture is empty (%lld x %lld pixels)", width, height);
  if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels)
    return Sprintf("The picture is too large (%lld x %lld pixels); the game takes pictures of at most "
                   "8192 pixels a side and 32 million pixels in all",
                   width, height);
  return {};
}

QImage ReadImageFile(const QString& path, const char* format) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ReadImage(file, format);
}

bool DecodePicture(const std::string& path, QImage& out, std::string& error) {
  error.clear();
  const bool decoded = path.find(".jpg") != std::string::npos ? DecodeJpeg(path, out, error)
                                                              : DecodeBitmap(path, out, error);
  if (!decoded && error.find(path) == std::string::npos) error = NamingTheFile(path, error);
  return decoded;
}

}  // namespace view
