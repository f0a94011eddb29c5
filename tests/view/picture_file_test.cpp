// Reading tileset and background files: JPEG by name, bitmaps otherwise, and
// every kind of damaged or absurd file refused with a clear message.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "view/picture_file.h"
#include "view/raster.h"
#include "view/test_pictures.h"

namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> EncodeJpeg(const QImage& img) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(img.width());
  c.image_height = static_cast<JDIMENSION>(img.height());
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(img.width()) * 3);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, static_cast<int>(c.next_scanline));
      row[3 * x] = static_cast<unsigned char>(qRed(p));
      row[3 * x + 1] = static_cast<unsigned char>(qGreen(p));
      row[3 * x + 2] = static_cast<unsigned char>(qBlue(p));
    }
    JSAMPROW r[1] = {row.data()};
    jpeg_write_scanlines(&c, r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<unsigned char> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

class PictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("sorami_pictures_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static std::vector<unsigned char> BmpBytes(const QImage& img) {
    const std::string tmp = (fs::temp_directory_path() / "sorami_tmp_bmp.bmp").string();
    img.save(QString::fromStdString(tmp), "BMP");
    std::ifstream in(tmp, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(tmp);
    return bytes;
  }
  static void Put32(std::vector<unsigned char>& b, std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>((u >> (8 * i)) & 255);
  }
  // Expects failure with `text` at the start of the message and `out` untouched.
  void ExpectRefused(const std::string& path, const std::string& text) {
    QImage out = view::MakePicture(3, 3, 0xFF445566u);
    std::string error;
    EXPECT_FALSE(view::DecodePicture(path, out, error)) << path;
    // The reason, and the file it is about.
    EXPECT_NE(error.find(text), std::string::npos) << error;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(out.size(), QSize(3, 3));
    EXPECT_EQ(out.pixel(1, 1), 0xFF445566u);
  }

  fs::path dir;
};

TEST_F(PictureFileTest, JpegAndBitmapPicturesKeepTheirSize) {
  const QImage src = view::MakePicture(37, 23, qRgb(200, 40, 90));
  QImage out;
  std::string error;
  ASSERT_TRUE(view::DecodePicture(Write("paws.jpg", EncodeJpeg(src)), out, error)) << error;
  EXPECT_EQ(out.size(), QSize(37, 23));
  EXPECT_EQ(out.format(), view::PictureFormat);
  EXPECT_NEAR(qRed(out.pixel(18, 11)), 200, 4);
  EXPECT_NEAR(qGreen(out.pixel(18, 11)), 40, 4);
  // ".jpg" anywhere in the path picks the JPEG decoder.
  ASSERT_TRUE(view::DecodePicture(Write("paws.jpg.old", EncodeJpeg(src)), out, error)) << error;

  const QImage tiles = testpics::MakeTestTileset(400, 600);
  ASSERT_TRUE(view::DecodePicture(Write("tiles.bmp", BmpBytes(tiles)), out, error)) << error;
  EXPECT_TRUE(out == tiles);
  // Palette bitmaps come back as 24-bit pictures too.
  QImage indexed = tiles.convertToFormat(QImage::Format_Indexed8);
  ASSERT_TRUE(view::DecodePicture(Write("few.bmp", BmpBytes(indexed)), out, error)) << error;
  EXPECT_EQ(out.format(), view::PictureFormat);
  EXPECT_EQ(out.pixel(150, 300), indexed.pixel(150, 300));
}

TEST_F(PictureFileTest, UpperCaseJpgIsReadAsABitmapAndFails) {
  const std::string path = Write("ANDROMEDA.JPG", EncodeJpeg(view::MakePicture(16, 16)));
  ExpectRefused(path, "bitmap image is not valid");
}

TEST_F(PictureFileTest, DamagedJpegsReportTheDecodersCode) {
  const std::vector<unsigned char> good = EncodeJpeg(testpics::MakeGradient(64, 64));
  ExpectRefused(Write("empty.jpg", {}), "JPEG error #");
  ExpectRefused(Write("text.jpg", {'h', 'e', 'l', 'l', 'o', ' ', 'c', 'a', 't'}), "JPEG error #");
  // With the decoder's own words for its code.
  ExpectRefused(Write("text.jpg", {'h', 'e', 'l', 'l', 'o', ' ', 'c', 'a', 't'}), "(Not a JPEG file");
  ExpectRefused(Write("cut.jpg", std::vector<unsigned char>(good.begin(), good.begin() + good.size() / 2)),
                "JPEG error #");
  std::vector<unsigned char> flipped = good;
  for (std::size_t i = 2; i < 40 && i < flipped.size(); ++i) flipped[i] ^= 0x5A;
  ExpectRefused(Write("flipped.jpg", flipped), "JPEG error #");
}

TEST_F(PictureFileTest, JpegHeaderClaimingAHugePictureIsRefusedBeforeDecoding) {
  std::vector<unsigned char> bytes = EncodeJpeg(view::MakePicture(16, 16));
  // The frame header (FFC0): length, precision, height, width.
  for (std::size_t i = 0; i + 8 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      bytes[i + 5] = bytes[i + 6] = bytes[i + 7] = bytes[i + 8] = 0xEA;  // 60138 x 60138
      break;
    }
  ExpectRefused(Write("huge.jpg", bytes), "the picture is too large (60138 x 60138 pixels)");
}

TEST_F(PictureFileTest, DamagedAndAbsurdBitmapsAreRefused) {
  const std::vector<unsigned char> good = BmpBytes(testpics::MakeGradient(40, 30));
  ExpectRefused(Write("garbage.bmp", {'B', 'M', 1, 2, 3}), "bitmap image is not valid");
  ExpectRefused(Write("cut.bmp", std::vector<unsigned char>(good.begin(), good.begin() + 200)),
                "bitmap image is not valid");
  std::vector<unsigned char> huge = good;
  Put32(huge, 18, 100000);
  Put32(huge, 22, 100000);
  ExpectRefused(Write("huge.bmp", huge), "the picture is too large (100000 x 100000 pixels)");
  std::vector<unsigned char> empty = good;
  Put32(empty, 18, 0);
  Put32(empty, 22, 0);
  QImage out = view::MakePicture(3, 3, 0xFF445566u);
  std::string error;
  EXPECT_FALSE(view::DecodePicture(Write("empty.bmp", empty), out, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(out.size(), QSize(3, 3));
  ExpectRefused((dir / "nowhere.bmp").string(), "Cannot open the picture file");
  ExpectRefused((dir / "nowhere.jpg").string(), "Cannot open the picture file");
}

TEST(PictureSize, LimitsAreCheckedOnTheHeadersNumbers) {
  EXPECT_EQ(view::PictureSizeProblem(704, 468), "");
  EXPECT_EQ(view::PictureSizeProblem(8192, 4096), "");
  EXPECT_NE(view::PictureSizeProblem(8192, 8192), "");
  EXPECT_NE(view::PictureSizeProblem(8193, 10), "");
  EXPECT_NE(view::PictureSizeProblem(0, 0), "");
  EXPECT_NE(view::PictureSizeProblem(-5, 10), "");
}

}  // namespace
