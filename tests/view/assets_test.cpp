// The shipped data files, checked against what the program reads: the
// tileset picture format (bands, masks exact to the pixel, palette), the
// backgrounds and panel pictures, the wave effects, the MIDI pieces and the
// RTF help texts.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cctype>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "view/board_view.h"
#include "view/looks.h"
#include "view/picture_file.h"


namespace {

const QString kData = QStringLiteral(SORAMI_DATA_DIR) + "/";

QByteArray ReadAll(const QString& relative) {
  QFile file(kData + relative);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

unsigned U16(const QByteArray& b, int at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
unsigned U32(const QByteArray& b, int at) { return U16(b, at) | U16(b, at + 2) << 16; }
unsigned B16(const QByteArray& b, int at) {
  return static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]);
}
unsigned B32(const QByteArray& b, int at) { return B16(b, at) << 16 | B16(b, at + 2); }

struct BmpInfo {
  int width = 0, height = 0, bits = 0, palette = 0;
};

// The file header and BITMAPINFOHEADER of an uncompressed bitmap.
BmpInfo Bmp(const QByteArray& b) {
  BmpInfo info;
  if (b.size() < 54 || !b.startsWith("BM") || U32(b, 14) != 40 || U32(b, 30) != 0) return info;
  info.width = static_cast<int>(U32(b, 18));
  info.height = static_cast<int>(U32(b, 22));
  info.bits = static_cast<int>(U16(b, 28));
  info.palette = static_cast<int>(U32(b, 46));
  return info;
}

QImage LoadRgb(const QString& relative) {
  return QImage(kData + relative).convertToFormat(QImage::Format_RGB32);
}

// ---- tilesets ----------------------------------------------------------------

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QPoint FaceCell(int face) {
  if (face <= 9) return {face - 1, 2};
  if (face <= 18) return {face - 10, 1};
  if (face <= 27) return {face - 19, 0};
  if (face <= 31) return {face - 28, 4};
  if (face <= 35) return {face - 32, 3};
  if (face <= 38) return {face - 36 + 4, 4};
  return {face - 39 + 4, 3};
}

// The tile's shape in a 46 x 56 cell: the 40 x 50 face at (6, 0) pushed up
// to 6 pixels down and left.
bool InTileShape(int x, int y) {
  for (int k = 0; k <= 6; ++k) {
    if (x >= 6 - k && x <= 45 - k && y >= k && y <= 49 + k) return true;
  }
  return false;
}

QColor MeanColour(const QImage& image, QRect area) {
  double r = 0, g = 0, b = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      r += qRed(p), g += qGreen(p), b += qBlue(p);
    }
  }
  const double n = area.width() * area.height();
  return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

double Distance(const QColor& a, const QColor& b) {
  return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

class Tileset : public testing::TestWithParam<const char*> {};

TEST_P(Tileset, FileIsAnUncompressedBitmapOfTheRightDepth) {
  const QString name = QString("Tilesets/") + GetParam();
  const BmpInfo info = Bmp(ReadAll(name));
  EXPECT_GE(info.width, 369);
  EXPECT_GE(info.height, 567);
  if (name.endsWith("pai256.bmp")) {
    EXPECT_EQ(info.bits, 8) << "the few-colours tileset is an 8-bit palette picture";
    EXPECT_GT(info.palette, 2);
    EXPECT_LE(info.palette, 256);
  } else {
    EXPECT_EQ(info.bits, 24);
  }
  EXPECT_FALSE(QImage(kData + name).isNull()) << "Qt's bitmap reader, which the game uses, must read it";
}

TEST_P(Tileset, FaceMasksAreExactToThePixel) {
  const QImage t = LoadRgb(QString("Tilesets/") + GetParam());
  ASSERT_FALSE(t.isNull());
  std::set<std::pair<int, int>> used;
  for (int face = 1; face <= 42; ++face) {
    const QPoint cell = FaceCell(face);
    used.insert({cell.x(), cell.y()});
    int shown = 0;
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 40; ++x) {
        const int fx = 41 * cell.x() + 1 + x, fy = 51 * cell.y() + 1 + y;
        const QRgb face_pixel = t.pixel(fx, fy);
        const QRgb mask_pixel = t.pixel(fx, fy + 312);
        ASSERT_TRUE(mask_pixel == kBlack || mask_pixel == kWhite)
            << "face " << face << " mask at " << x << "," << y << " is neither black nor white";
        ASSERT_EQ(mask_pixel == kBlack, face_pixel != kBlack)
            << "face " << face << " at " << x << "," << y << ": the mask must be black exactly where the face shows";
        shown += face_pixel != kBlack;
      }
    }
    EXPECT_GT(shown, 60) << "face " << face << " has hardly anything drawn";
    EXPECT_LT(shown, 40 * 50 * 3 / 4) << "face " << face << " would hide the tile's own face colour";
  }
  // The three cells without a face stay empty: black face, white mask.
  for (const auto& [c, r] : {std::pair{8, 3}, std::pair{7, 4}, std::pair{8, 4}}) {
    ASSERT_EQ(used.count({c, r}), 0u);
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(t.pixel(41 * c + 1 + x, 51 * r + 1 + y), kBlack);
        ASSERT_EQ(t.pixel(41 * c + 1 + x, 51 * r + 313 + y), kWhite);
      }
    }
  }
}

TEST_P(Tileset, FacesAreAllDifferent) {
  const QImage t = LoadRgb(QString("Tilesets/") + GetParam());
  std::map<QByteArray, int> seen;
  for (int face = 1; face <= 42; ++face) {
    const QPoint cell = FaceCell(face);
    const QImage picture = t.copy(41 * cell.x() + 1, 51 * cell.y() + 1, 40, 50);
    const QByteArray bytes(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
    EXPECT_EQ(seen.count(bytes), 0u) << "face " << face << " looks exactly like face " << seen[bytes];
    seen[bytes] = face;
  }
}

TEST_P(Tileset, BlankTileAndTileMaskFollowTheTileShape) {
  const QImage t = LoadRgb(QString("Tilesets/") + GetParam());
  for (int y = 0; y < 56; ++y) {
    for (int x = 0; x < 46; ++x) {
      const bool inside = InTileShape(x, y);
      ASSERT_EQ(t.pixel(138 + x, 256 + y), inside ? kBlack : kWhite) << "TileMask at " << x << "," << y;
      ASSERT_EQ(t.pixel(x, 256 + y) != kBlack, inside) << "BlankTile at " << x << "," << y;
    }
  }
  // The 6-pixel edges are the border colour, clearly darker or more
  // saturated than the ivory face.
  const QColor face = MeanColour(t, QRect(6, 256, 40, 50));
  const QColor left_edge = MeanColour(t, QRect(1, 256 + 10, 4, 30));
  const QColor bottom_edge = MeanColour(t, QRect(12, 256 + 51, 25, 4));
  EXPECT_GT(Distance(face, left_edge), 60);
  EXPECT_GT(Distance(face, bottom_edge), 60);
  EXPECT_GT(face.lightness(), 200);
}

TEST_P(Tileset, SelectedAndHintFacesAreLightAndClearlyDifferent) {
  const QImage t = LoadRgb(QString("Tilesets/") + GetParam());
  const QColor blank = MeanColour(t, QRect(6, 256, 40, 50));
  const QColor selected = MeanColour(t, QRect(52, 256, 40, 50));
  const QColor hint = MeanColour(t, QRect(98, 256, 40, 50));
  EXPECT_GT(selected.lightness(), 150);
  EXPECT_GT(hint.lightness(), 150);
  EXPECT_GT(Distance(selected, hint), 80);
  EXPECT_GT(Distance(selected, blank), 50);
  EXPECT_GT(Distance(hint, blank), 50);
  for (int y = 256; y < 306; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_NE(t.pixel(52 + x, y), kBlack);
      ASSERT_NE(t.pixel(98 + x, y), kBlack);
    }
  }
}

// The game's own reader and texture builder on the shipped tileset: every
// ready-made tile is black exactly outside the tile's shape (so the mask-then-
// picture painting leaves its surroundings alone) and shows the face's pixels
// where the face mask is black, the blank face everywhere else.
TEST_P(Tileset, GameBuildsCleanTilePicturesFromIt) {
  view::BoardView board;
  std::string error;
  const std::string path = (kData + "Tilesets/" + GetParam()).toStdString();
  ASSERT_TRUE(view::DecodePicture(path, board.TilesetImage, error)) << error;
  EXPECT_TRUE(view::Looks::TilesetProblem(board.TilesetImage, path).empty());
  board.MakeTileTexture();
  const QImage& t = board.TilesetImage;
  for (int face = 1; face <= 42; ++face) {
    const QPoint cell = FaceCell(face);
    const int u = 46 * cell.x(), v = 56 * cell.y();
    for (int y = 0; y < 56; ++y) {
      for (int x = 0; x < 46; ++x) {
        const QRgb got = board.TileTexture.pixel(u + x, v + y) | 0xFF000000u;
        if (!InTileShape(x, y)) {
          ASSERT_EQ(got, kBlack) << "face " << face << " at " << x << "," << y;
          continue;
        }
        QRgb want = t.pixel(x, 256 + y) | 0xFF000000u;
        if (x >= 6 && y < 50) {
          const int fx = 41 * cell.x() + 1 + (x - 6), fy = 51 * cell.y() + 1 + y;
          if (t.pixel(fx, fy + 312) == kBlack) want = t.pixel(fx, fy) | 0xFF000000u;
        }
        ASSERT_EQ(got, want) << "face " << face << " at " << x << "," << y;
        ASSERT_NE(got, kBlack) << "face " << face << " has a black hole at " << x << "," << y;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Tileset, testing::Values("pai.bmp", "darkpai.bmp", "bluepai.bmp", "pai256.bmp"));

// ---- pictures ----------------------------------------------------------------

struct Jpeg {
  int width = 0, height = 0;
  QImage image;
  std::string error;
};

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

// Decodes with libjpeg, the decoder the game uses for ".jpg" files.
Jpeg DecodeJpeg(const QByteArray& bytes) {
  Jpeg out;
  jpeg_decompress_struct d{};
  JpegError err{};
  d.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegError*>(c->err)->jump, 1); };
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&d);
    out.error = "libjpeg refused the file";
    return out;
  }
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d);
  out.width = static_cast<int>(d.output_width);
  out.height = static_cast<int>(d.output_height);
  out.image = QImage(out.width, out.height, QImage::Format_RGB888);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = out.image.scanLine(static_cast<int>(d.output_scanline));
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return out;
}

TEST(BuiltInChoices, EveryMenuChoiceNamesAFileThatShipsAndDecodes) {
  using view::BackgroundItem;
  using view::TilesetItem;
  for (const TilesetItem item : {TilesetItem::Classic, TilesetItem::Dark, TilesetItem::Blue,
                                 TilesetItem::LowColour}) {
    QImage picture;
    std::string error;
    const std::string path = kData.toStdString() + view::Looks::FileOf(item);
    EXPECT_TRUE(view::DecodePicture(path, picture, error)) << path << ": " << error;
  }
  for (const BackgroundItem item : {BackgroundItem::Kanji, BackgroundItem::Dragons, BackgroundItem::Andromeda,
                                    BackgroundItem::Catpats}) {
    QImage picture;
    std::string error;
    const std::string path = kData.toStdString() + view::Looks::FileOf(item);
    ASSERT_TRUE(view::DecodePicture(path, picture, error)) << path << ": " << error;
    // Calm enough for the ivory tiles to stand out: no glaring white ground.
    const QColor mean = MeanColour(picture, picture.rect());
    EXPECT_LT(mean.lightness(), 200) << path;
  }
}

TEST(Backgrounds, FullSizeOnesFillTheBoardAndTheSmallOneRepeatsSeamlessly) {
  for (const char* name : {"Backgrounds/kanji.bmp", "Backgrounds/dragons.bmp"}) {
    const BmpInfo info = Bmp(ReadAll(name));
    EXPECT_EQ(info.width, 704) << name;
    EXPECT_EQ(info.height, 468) << name;
    EXPECT_EQ(info.bits, 24) << name;
  }
  const Jpeg andromeda = DecodeJpeg(ReadAll("Backgrounds/andromeda.jpg"));
  ASSERT_TRUE(andromeda.error.empty()) << andromeda.error;
  EXPECT_EQ(andromeda.width, 704);
  EXPECT_EQ(andromeda.height, 468);

  const Jpeg cat = DecodeJpeg(ReadAll("Backgrounds/catpats.jpg"));
  ASSERT_TRUE(cat.error.empty()) << cat.error;
  ASSERT_LT(cat.width, 704);
  ASSERT_LT(cat.height, 468);
  ASSERT_GE(cat.width, 32);
  // Across the wrap-around seam neighbouring columns (and rows) differ no
  // more than neighbours inside the picture do.
  auto step = [&](int x0, int y0, int x1, int y1, int count, bool columns) {
    double sum = 0;
    for (int i = 0; i < count; ++i) {
      const QRgb a = columns ? cat.image.pixel(x0, i) : cat.image.pixel(i, y0);
      const QRgb b = columns ? cat.image.pixel(x1, i) : cat.image.pixel(i, y1);
      sum += std::abs(qGray(a) - qGray(b));
    }
    return sum / count;
  };
  double inner_columns = 0, inner_rows = 0;
  for (int x = 0; x + 1 < cat.width; ++x) inner_columns += step(x, 0, x + 1, 0, cat.height, true);
  for (int y = 0; y + 1 < cat.height; ++y) inner_rows += step(0, y, 0, y + 1, cat.width, false);
  inner_columns /= cat.width - 1;
  inner_rows /= cat.height - 1;
  EXPECT_LT(step(cat.width - 1, 0, 0, 0, cat.height, true), 2.5 * inner_columns + 1);
  EXPECT_LT(step(0, cat.height - 1, 0, 0, cat.width, false), 2.5 * inner_rows + 1);
}

TEST(Panels, PicturesHaveTheSizesTheWindowExpects) {
  const BmpInfo hof = Bmp(ReadAll("hof.bmp"));
  EXPECT_EQ(hof.width, 92);
  EXPECT_EQ(hof.height, 468);
  const Jpeg orange = DecodeJpeg(ReadAll("orange.jpg"));
  EXPECT_TRUE(orange.error.empty()) << orange.error;
  EXPECT_GT(orange.width, 300);
  EXPECT_EQ(QImage(kData + "splash.png").size(), QSize(253, 128));
  EXPECT_EQ(QImage(kData + "toolbar/tile.png").size(), QSize(100, 32));
  // The side panel's texts are yellow, white and aqua: its ground is dark.
  const QImage panel = LoadRgb("hof.bmp");
  EXPECT_LT(MeanColour(panel, QRect(10, 20, 72, 360)).lightness(), 90);
  // The list runs down to y = 400 when neither the tile preview nor the
  // two-player banner is shown, so the picture draws no box there: the rows
  // and columns where a frame around the preview box would lie look like
  // their neighbours.
  const int ground = MeanColour(panel, QRect(24, 380, 46, 4)).lightness();
  for (const QRect& edge : {QRect(21, 387, 53, 2), QRect(21, 447, 53, 2), QRect(21, 387, 2, 63),
                            QRect(71, 387, 2, 63)})
    EXPECT_NEAR(MeanColour(panel, edge).lightness(), ground, 10) << edge.x() << "," << edge.y();
  // The two-player banner writes its labels from x = 4 to about x = 86 and
  // its second time down to about y = 460: no gold of the frame or of an
  // ornament lies under them.
  int gold = 0;
  for (int y = 380; y < 462; ++y)
    for (int x = 4; x < 88; ++x) {
      const QRgb c = panel.pixel(x, y);
      gold += qRed(c) > 100 && qRed(c) > qBlue(c) + 40;
    }
  EXPECT_EQ(gold, 0);
}

TEST(Panels, GlyphsPointerAndIconsHaveTransparency) {
  for (const char* name : {"new", "back", "hint", "shuffle", "pause", "play", "music", "help", "about",
                           "hall_of_fame", "exit"}) {
    const QImage glyph(kData + "toolbar/" + name + ".png");
    ASSERT_FALSE(glyph.isNull()) << name;
    EXPECT_EQ(glyph.size(), QSize(24, 24)) << name;
    ASSERT_TRUE(glyph.hasAlphaChannel()) << name;
    EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0) << name << " has no transparent corner";
    int drawn = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) drawn += qAlpha(glyph.pixel(x, y)) > 128;
    }
    EXPECT_GT(drawn, 60) << name << " shows hardly anything";
  }
  const QImage pointer(kData + "cursors/techno.png");
  ASSERT_FALSE(pointer.isNull());
  ASSERT_TRUE(pointer.hasAlphaChannel());
  const QList<QByteArray> spot = ReadAll("cursors/techno.hotspot").trimmed().split(' ');
  ASSERT_EQ(spot.size(), 2);
  bool ok_x = false, ok_y = false;
  const int hx = spot[0].toInt(&ok_x), hy = spot[1].toInt(&ok_y);
  ASSERT_TRUE(ok_x && ok_y);
  ASSERT_TRUE(pointer.rect().contains(hx, hy));
  EXPECT_GT(qAlpha(pointer.pixel(hx, hy)), 0) << "the hot spot lies on the arrow's tip";

  EXPECT_EQ(QImage(kData + "icons/sorami.png").size(), QSize(256, 256));
  for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
    EXPECT_EQ(QImage(kData + QString("icons/sorami-%1.png").arg(size)).size(), QSize(size, size));
  }
}

// ---- sounds --------------------------------------------------------------------

TEST(Sounds, EffectsAreShortCleanMonoPcm) {
  for (const char* name : {"select.wav", "done.wav", "noway.wav"}) {
    const QByteArray w = ReadAll(name);
    ASSERT_GT(w.size(), 44) << name;
    EXPECT_TRUE(w.startsWith("RIFF")) << name;
    EXPECT_EQ(w.mid(8, 8), QByteArray("WAVEfmt ")) << name;
    EXPECT_EQ(U32(w, 4), static_cast<unsigned>(w.size() - 8)) << name;
    EXPECT_EQ(U16(w, 20), 1u) << name << " is not PCM";
    EXPECT_EQ(U16(w, 22), 1u) << name << " is not mono";
    EXPECT_EQ(U32(w, 24), 44100u) << name;
    EXPECT_EQ(U16(w, 34), 16u) << name;
    ASSERT_EQ(w.mid(36, 4), QByteArray("data")) << name;
    const int samples = static_cast<int>(U32(w, 40)) / 2;
    ASSERT_EQ(44 + 2 * samples, w.size()) << name;
    EXPECT_LT(samples, 44100 / 2) << name << " lasts half a second or more";
    int peak = 0;
    auto sample = [&](int i) { return static_cast<int>(static_cast<short>(U16(w, 44 + 2 * i))); };
    for (int i = 0; i < samples; ++i) peak = std::max(peak, std::abs(sample(i)));
    EXPECT_GT(peak, 8000) << name << " is nearly silent";
    EXPECT_LT(peak, 32767) << name << " clips";
    // No click: the sound starts and ends at (almost) zero.
    EXPECT_LT(std::abs(sample(0)), 64) << name;
    EXPECT_LT(std::abs(sample(samples - 1)), 64) << name;
  }
  EXPECT_NE(ReadAll("select.wav"), ReadAll("done.wav"));
  EXPECT_NE(ReadAll("done.wav"), ReadAll("noway.wav"));
}

// ---- music -----------------------------------------------------------------------

struct MidiSummary {
  std::string error;
  int format = -1, tracks = 0, division = 0;
  double seconds = 0;
  int notes = 0, programs = 0;
  std::set<int> track_ends;
};

unsigned VarLen(const QByteArray& b, int& at) {
  unsigned v = 0;
  for (int i = 0; i < 4 && at < b.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(b[at++]);
    v = v << 7 | (c & 0x7F);
    if (!(c & 0x80)) return v;
  }
  return v;
}

// Walks every event of a Standard MIDI File, checking the chunk structure,
// that every note is released and that each track ends with End of Track.
MidiSummary ReadMidi(const QByteArray& b) {
  MidiSummary s;
  if (b.size() < 14 || !b.startsWith("MThd") || B32(b, 4) != 6) return s.error = "no MThd header", s;
  s.format = static_cast<int>(B16(b, 8));
  const int declared = static_cast<int>(B16(b, 10));
  s.division = static_cast<int>(B16(b, 12));
  int at = 14;
  unsigned tempo = 500000;
  for (int t = 0; t < declared; ++t) {
    if (at + 8 > b.size() || b.mid(at, 4) != "MTrk") return s.error = "missing MTrk chunk", s;
    const int end = at + 8 + static_cast<int>(B32(b, at + 4));
    if (end > b.size()) return s.error = "track runs past the file's end", s;
    at += 8;
    long tick = 0;
    int status = 0;
    bool ended = false;
    std::map<std::pair<int, int>, int> sounding;
    while (at < end) {
      tick += VarLen(b, at);
      if (ended) return s.error = "events after End of Track", s;
      int byte = static_cast<unsigned char>(b[at]);
      if (byte == 0xFF) {
        const int type = static_cast<unsigned char>(b[at + 1]);
        at += 2;
        const int length = static_cast<int>(VarLen(b, at));
        if (type == 0x51) tempo = static_cast<unsigned>(B16(b, at)) << 8 | static_cast<unsigned char>(b[at + 2]);
        if (type == 0x2F) ended = true;
        at += length;
        continue;
      }
      if (byte & 0x80) {
        status = byte;
        ++at;
      }
      const int kind = status & 0xF0, channel = status & 0x0F;
      if (kind == 0xC0 || kind == 0xD0) {
        s.programs += kind == 0xC0;
        ++at;
        continue;
      }
      const int key = static_cast<unsigned char>(b[at]), value = static_cast<unsigned char>(b[at + 1]);
      at += 2;
      if (kind == 0x90 && value > 0) {
        ++sounding[{channel, key}];
        ++s.notes;
      } else if (kind == 0x80 || kind == 0x90) {
        if (--sounding[{channel, key}] < 0) return s.error = "note released that was never struck", s;
      }
    }
    if (!ended) return s.error = "track without End of Track", s;
    for (const auto& [note, count] : sounding) {
      if (count != 0) return s.error = "note left sounding at the end of a track", s;
    }
    s.track_ends.insert(static_cast<int>(tick));
    ++s.tracks;
    at = end;
  }
  if (at != b.size()) return s.error = "bytes after the last track", s;
  // The pieces have one tempo, set at the start of the conductor track.
  if (s.division > 0) s.seconds = static_cast<double>(*s.track_ends.rbegin()) / s.division * tempo / 1e6;
  return s;
}

TEST(Music, PiecesAreFormatOneFilesOfOneToThreeMinutesThatLoopCleanly) {
  const QStringList pieces = QDir(kData + "Musics").entryList({"*.mid"}, QDir::Files, QDir::Name);
  EXPECT_GE(pieces.size(), 4);
  EXPECT_TRUE(pieces.contains("Night.mid")) << "the default piece";
  for (const QString& name : pieces) {
    const MidiSummary m = ReadMidi(ReadAll("Musics/" + name));
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(m.error.empty()) << m.error;
    EXPECT_EQ(m.format, 1);
    EXPECT_GE(m.tracks, 3) << "a conductor track and at least two instruments";
    EXPECT_GT(m.division, 0) << "ticks per quarter note";
    EXPECT_GE(m.programs, m.tracks - 1) << "every instrument track chooses its General MIDI instrument";
    EXPECT_GT(m.notes, 200);
    EXPECT_GE(m.seconds, 60);
    EXPECT_LE(m.seconds, 180);
    EXPECT_EQ(m.track_ends.size(), 1u) << "all tracks end together, on the last bar line";
  }
}

TEST(Music, ReaderRefusesBrokenFiles) {
  QByteArray good = ReadAll("Musics/Night.mid");
  ASSERT_TRUE(ReadMidi(good).error.empty());
  EXPECT_FALSE(ReadMidi(good.left(good.size() - 1)).error.empty());
  QByteArray hanging = good;
  hanging.chop(4);  // drop the End of Track of the last track
  EXPECT_FALSE(ReadMidi(hanging).error.empty());
}

// ---- help texts ------------------------------------------------------------------

// Control words of the RTF subset the help window's reader supports.
const std::set<QByteArray> kSubset = {"rtf", "ansi", "deff", "fonttbl", "f", "fswiss", "colortbl", "red", "green",
                                      "blue", "par", "b", "i", "ul", "fs", "cf", "u"};

TEST(HelpTexts, AreAsciiRtfInTheSupportedSubset) {
  for (const char* name : {"sorami.rtf", "whatsnew.rtf"}) {
    const QByteArray rtf = ReadAll(name);
    SCOPED_TRACE(name);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    int depth = 0;
    for (int i = 0; i < rtf.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(rtf[i]);
      ASSERT_LT(c, 0x80) << "byte " << i << " is not ASCII";
      if (c == '\\') {
        const char next = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
        if (next == '\\' || next == '{' || next == '}') {
          ++i;
          continue;
        }
        if (next == '\'') {
          ASSERT_TRUE(std::isxdigit(rtf[i + 2]) && std::isxdigit(rtf[i + 3])) << "bad \\' escape at " << i;
          i += 3;
          continue;
        }
        int j = i + 1;
        while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        EXPECT_EQ(kSubset.count(word), 1u) << "control word \\" << word.constData() << " is outside the subset";
        i = j - 1;
      } else if (c == '{') {
        ++depth;
      } else if (c == '}') {
        ASSERT_GT(depth, 0) << "unbalanced } at " << i;
        --depth;
      }
    }
    EXPECT_EQ(depth, 0);
  }
}

TEST(HelpTexts, HelpNamesEveryModeAndEveryShortcut) {
  const QByteArray help = ReadAll("sorami.rtf");
  for (const char* words : {"Vertical Variation", "Two-player", "Mah-Jongg Rivers", "Mah-Jongg Memory",
                            "hall of fame", "layout editor", "Free tiles"}) {
    EXPECT_TRUE(help.contains(words)) << words;
  }
  for (const char* key : {"F1", "F2", "Shift+F2", "F3", "Shift+F3", "F4", "Shift+F4", "F10", "F11", "F12",
                          "Ctrl+C", "Ctrl+Z", "Ctrl+H", "Ctrl+S", "Ctrl+X", "Ctrl+R", "Ctrl+L", "Ctrl+M",
                          "Ctrl+F", "Ctrl+B", "Ctrl+T", "Ctrl+D", "Ctrl+E"}) {
    EXPECT_TRUE(help.contains(QByteArray("{\\b\\cf3 ") + key + "}")) << key << " is not listed";
  }
}

}  // namespace
