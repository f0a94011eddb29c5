#include "view/tile_art.h"

#include <QImageReader>
#include <algorithm>
#include <filesystem>

#include "base/file_io.h"
#include "view/picture_file.h"
#include "view/raster.h"

namespace view {
namespace {

constexpr int Columns = 9;
constexpr int Rows = 5;

Region Times(Region r, int k) { return {r.x * k, r.y * k, r.w * k, r.h * k}; }

bool SameScale(board::Scale a, board::Scale b) {
  return static_cast<long long>(a.Numerator) * b.Denominator == static_cast<long long>(b.Numerator) * a.Denominator;
}

// The w x h block of `src` at (x, y) resampled smoothly to tw x th.
QImage Smooth(const QImage& src, int x, int y, int w, int h, int tw, int th) {
  QImage block = src.copy(x, y, w, h);
  if (w == tw && h == th) return block;
  return block.scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Every cell of a 9 x 5 sheet resampled on its own, so that no cell's pixels
// bleed into its neighbour's.
QImage ResampleSheet(const QImage& sheet, int cw, int ch, int tw, int th) {
  QImage out = MakePicture(Columns * tw, Rows * th);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Columns; ++c)
      Blit(out, c * tw, r * th, tw, th, Smooth(sheet, c * cw, r * ch, cw, ch, tw, th), 0, 0, Rop::Copy);
  return out;
}

// The mask resampled to the nearest pixel and made black and white again.
QImage ResampleMask(const QImage& mask, int tw, int th) {
  QImage out = mask.scaled(tw, th, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  ToPictureFormat(out);
  for (int y = 0; y < out.height(); ++y) {
    uchar* p = out.scanLine(y);
    for (int x = 0; x < out.width(); ++x, p += 3) {
      const uchar v = p[0] + p[1] + p[2] >= 3 * 128 ? 0xFF : 0x00;
      p[0] = p[1] = p[2] = v;
    }
  }
  return out;
}

// Every face cell of a one-byte mask sheet resampled smoothly on its own:
// the edges of a face's drawing keep their blend when it is marked.
QImage ResampleMasks(const QImage& masks, int cw, int ch, int tw, int th) {
  QImage out(Columns * tw, Rows * th, QImage::Format_Grayscale8);
  out.fill(0);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Columns; ++c) {
      QImage cell = masks.copy(c * cw, r * ch, cw, ch);
      if (cw != tw || ch != th) cell = cell.scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      cell.convertTo(QImage::Format_Grayscale8);
      for (int y = 0; y < th; ++y) std::copy_n(cell.constScanLine(y), tw, out.scanLine(r * th + y) + c * tw);
    }
  return out;
}

// Clears every tile pixel outside the tile's shape, where smoothing left a
// blend of the outline and the black around it: the painter ORs the tile
// picture in wherever the mask is white.
void CutToShape(QImage& tiles, const QImage& mask, int cw, int ch) {
  for (int y = 0; y < tiles.height(); ++y) {
    uchar* p = tiles.scanLine(y);
    const uchar* m = mask.constScanLine(y % ch);
    for (int x = 0; x < tiles.width(); ++x)
      for (int i = 0; i < 3; ++i) p[3 * x + i] &= static_cast<uchar>(~m[3 * (x % cw) + i]);
  }
}

}  // namespace

int ScaledSpan(int length, board::Scale scale) {
  const long long n = static_cast<long long>(length) * scale.Numerator;
  return static_cast<int>((n + scale.Denominator - 1) / scale.Denominator);
}

TileArt ComposeTileArt(const QImage& source, int k, bool faces) {
  QImage holder = source;
  ToPictureFormat(holder);
  const QImage& tileset = holder;
  TileArt art;
  art.Scale = {k, 1};
  art.CellWidth = TileWidth * k;
  art.CellHeight = TileHeight * k;
  art.FaceCellWidth = FaceWidth * k;
  art.FaceCellHeight = FaceHeight * k;
  art.Tiles = MakePicture(Columns * art.CellWidth, Rows * art.CellHeight);
  if (faces) {
    art.FaceMasks = QImage(Columns * art.FaceCellWidth, Rows * art.FaceCellHeight, QImage::Format_Grayscale8);
    art.FaceMasks.fill(0);
  }
  const Region blank = Times(BlankTile, k);
  const int fw = FaceWidth * k, fh = FaceHeight * k;
  for (int f = 1; f <= board::FaceCount; ++f) {
    const FaceCell cell = FaceCells(f);
    const Region mask = Times(FaceMask(cell), k);
    const Region face = Times(FacePicture(cell), k);
    const int tx = art.CellX(cell), ty = art.CellY(cell);
    Blit(art.Tiles, tx, ty, blank.w, blank.h, tileset, blank.x, blank.y, Rop::Copy);
    MaskedBlit(art.Tiles, tx + EdgeSize * k, ty, fw, fh, tileset, mask.x, mask.y, tileset, face.x, face.y);
    if (!faces) continue;
    // The mask's white is where the face's background shows; the masked
    // paint keeps exactly those pixels of whatever lies under the face.
    const int fx = art.FaceCellX(cell), fy = art.FaceCellY(cell);
    for (int y = 0; y < fh; ++y) {
      if (mask.y + y >= tileset.height()) break;
      const uchar* m = tileset.constScanLine(mask.y + y);
      uchar* out = art.FaceMasks.scanLine(fy + y) + fx;
      for (int x = 0; x < fw && mask.x + x < tileset.width(); ++x)
        out[x] = m[3 * (mask.x + x)] == 0xFF && m[3 * (mask.x + x) + 1] == 0xFF && m[3 * (mask.x + x) + 2] == 0xFF
                     ? 0xFF
                     : 0x00;
    }
  }
  const Region tileMask = Times(TileMask, k);
  art.TileMask = MakePicture(tileMask.w, tileMask.h);
  Blit(art.TileMask, 0, 0, tileMask.w, tileMask.h, tileset, tileMask.x, tileMask.y, Rop::Copy);
  art.TileMaskRuns = BlackRuns(art.TileMask);
  if (!faces) return art;
  auto faceOf = [&](Region r) {
    const Region at = Times(r, k);
    QImage picture = MakePicture(fw, fh);
    Blit(picture, 0, 0, fw, fh, tileset, at.x, at.y, Rop::Copy);
    return picture;
  };
  art.BlankFace = faceOf(BlankFace);
  art.SelectedFace = faceOf(SelectedFace);
  art.HintFace = faceOf(HintFace);
  return art;
}

TileArt ResampleTileArt(const TileArt& art, board::Scale scale) {
  if (SameScale(art.Scale, scale)) {
    TileArt same = art;
    same.Scale = scale;
    return same;
  }
  TileArt out;
  out.Scale = scale;
  out.CellWidth = ScaledSpan(TileWidth, scale);
  out.CellHeight = ScaledSpan(TileHeight, scale);
  out.FaceCellWidth = ScaledSpan(FaceWidth, scale);
  out.FaceCellHeight = ScaledSpan(FaceHeight, scale);
  out.TileMask = ResampleMask(art.TileMask, out.CellWidth, out.CellHeight);
  out.TileMaskRuns = BlackRuns(out.TileMask);
  out.Tiles = ResampleSheet(art.Tiles, art.CellWidth, art.CellHeight, out.CellWidth, out.CellHeight);
  CutToShape(out.Tiles, out.TileMask, out.CellWidth, out.CellHeight);
  out.FaceMasks = ResampleMasks(art.FaceMasks, art.FaceCellWidth, art.FaceCellHeight, out.FaceCellWidth,
                                out.FaceCellHeight);
  const int fw = art.BlankFace.width(), fh = art.BlankFace.height();
  out.BlankFace = Smooth(art.BlankFace, 0, 0, fw, fh, out.FaceCellWidth, out.FaceCellHeight);
  out.SelectedFace = Smooth(art.SelectedFace, 0, 0, fw, fh, out.FaceCellWidth, out.FaceCellHeight);
  out.HintFace = Smooth(art.HintFace, 0, 0, fw, fh, out.FaceCellWidth, out.FaceCellHeight);
  ToPictureFormat(out.BlankFace);
  ToPictureFormat(out.SelectedFace);
  ToPictureFormat(out.HintFace);
  return out;
}

void MarkFace(QImage& dst, int x, int y, int w, int h, const TileArt& art, FaceCell cell, const QImage& background) {
  // Painted, the face is the blank face where its background shows and its
  // own drawing elsewhere, blended by the mask along the edges; adding the
  // mask's share of (background - blank face) swaps the one for the other.
  const QImage& blank = art.BlankFace;
  const int fx = art.FaceCellX(cell), fy = art.FaceCellY(cell);
  w = std::min({w, art.FaceCellWidth, blank.width(), background.width()});
  h = std::min({h, art.FaceCellHeight, blank.height(), background.height()});
  ToPictureFormat(dst);
  for (int j = std::max(0, -y); j < h && y + j < dst.height(); ++j) {
    uchar* d = dst.scanLine(y + j);
    const uchar* m = art.FaceMasks.constScanLine(fy + j) + fx;
    const uchar* b = background.constScanLine(j);
    const uchar* k = blank.constScanLine(j);
    for (int i = std::max(0, -x); i < w && x + i < dst.width(); ++i) {
      const int share = m[i];
      if (share == 0) continue;
      for (int c = 0; c < 3; ++c) {
        uchar& p = d[3 * (x + i) + c];
        // Rounded to the nearest, either side of zero: at a share of 255
        // the shift is the whole difference.
        const int v = share * (b[3 * i + c] - k[3 * i + c]);
        const int shift = (v >= 0 ? v + 127 : v - 127) / 255;
        p = static_cast<uchar>(std::clamp(p + shift, 0, 255));
      }
    }
  }
}

}  // namespace view

namespace view {

std::string TilesetCopyFile(const std::string& tilesetFile, int factor) {
  const std::filesystem::path file(tilesetFile);
  std::filesystem::path copy = file;
  copy.replace_filename(file.stem().string() + "@" + std::to_string(factor) + "x.png");
  return copy.string();
}

std::vector<TilesetCopy> FindTilesetCopies(const std::string& tilesetFile) {
  std::vector<TilesetCopy> copies;
  if (tilesetFile.empty()) return copies;
  for (int factor : TilesetCopyFactors) {
    const std::string file = TilesetCopyFile(tilesetFile, factor);
    if (base::Exists(file)) copies.push_back({factor, file});
  }
  return copies;
}

QImage ReadTilesetCopy(const TilesetCopy& copy) {
  QImageReader reader(QString::fromStdString(copy.File), "png");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() < TilesetMinWidth * copy.Factor ||
      size.height() < TilesetMinHeight * copy.Factor || !PictureSizeProblem(size.width(), size.height()).empty())
    return {};
  QImage picture = reader.read();
  ToPictureFormat(picture);
  return picture;
}

}  // namespace view
