#pragma once
// The tileset's pictures made ready for one drawing scale: every face's whole
// tile picture, how each face's background shows through it, the face-down
// and marked faces' backgrounds and the tile's mask.
//
// How the pictures stay sharp: a tileset comes in the classic format at scale
// 1, and may come with copies of the same format drawn at two and three times
// the size (the shipped tilesets do: the asset generator draws each face from
// shapes and fonts at every size; see TilesetFiles). The art for a scale is
// composed at the size of the nearest copy at least as large, exactly as the
// painter composes it at scale 1 (blank tile, face mask, face), and then
// resampled once to the scale in use, smoothly for pictures and to the
// nearest pixel for masks, which must stay black and white for the raster
// operations. Shipping sized copies, rather than drawing the faces as vector
// shapes when the scale changes, keeps the game free of the generator's font
// and drawing code, keeps a player's own tileset and ours on one path, and
// makes a change of scale a resampling of ready pictures: a few milliseconds
// where drawing 42 faces from fonts and paths would take far longer. A
// tileset from disk with no larger copies is resampled smoothly from scale 1.

#include <QImage>

#include <vector>

#include "board/geometry.h"
#include "view/raster.h"
#include "view/tileset_layout.h"

namespace view {

struct TileArt {
  board::Scale Scale;
  // One cell of Tiles and TileMask: room for the largest scaled tile picture.
  int CellWidth = TileWidth;
  int CellHeight = TileHeight;
  // One cell of FaceMasks: room for the largest scaled face.
  int FaceCellWidth = FaceWidth;
  int FaceCellHeight = FaceHeight;
  QImage Tiles;          // 9 x 5 cells: each face's whole tile, black outside the tile's shape
  QImage TileMask;       // one cell: black inside the tile's shape, white outside
  std::vector<MaskRun> TileMaskRuns;  // its rows' black runs
  // 9 x 5 face cells of one byte a pixel (Grayscale8): how much of the
  // face's background shows there, 255 for all of it and 0 where the face's
  // own drawing is. A marked face is painted from these rather than held
  // whole, twice over, at every scale.
  QImage FaceMasks;
  QImage BlankFace;      // the face-down face, which is also the face area of the blank tile
  QImage SelectedFace;   // the selected face's background, and the editor cursor's face
  QImage HintFace;       // the hinted face's background

  bool Empty() const { return Tiles.isNull(); }
  // Top-left of a face's cell in Tiles, and in the marked faces.
  int CellX(FaceCell c) const { return c.c * CellWidth; }
  int CellY(FaceCell c) const { return c.r * CellHeight; }
  int FaceCellX(FaceCell c) const { return c.c * FaceCellWidth; }
  int FaceCellY(FaceCell c) const { return c.r * FaceCellHeight; }
};

// The art of a classic-format tileset picture drawn at `factor` times the
// classic size (every region of the format multiplied by it), at scale
// factor / 1. At factor 1 Tiles is pixel for pixel BoardView::TileTexture.
// Without `faces` only the tiles and the mask are made (the painter takes
// the faces from the tileset itself at scale 1).
TileArt ComposeTileArt(const QImage& tileset, int factor, bool faces = true);

// The art resampled to `scale`; a copy when the scale is the art's own.
TileArt ResampleTileArt(const TileArt& art, board::Scale scale);

// Turns the face of `cell`'s tile, already painted in dst's w x h block at
// (x, y), into a marked face: where its background shows, the blank face
// becomes `background` (art.SelectedFace or art.HintFace); the face's own
// drawing stays. At a whole-number scale of the art this is exactly the
// tileset's marked face.
void MarkFace(QImage& dst, int x, int y, int w, int h, const TileArt& art, FaceCell cell, const QImage& background);

// The largest number of pixels a length of `length` pixels at scale 1 covers
// at `scale`, wherever it starts.
int ScaledSpan(int length, board::Scale scale);

}  // namespace view

#include <string>
#include <vector>

namespace view {

// A copy of a tileset drawn at Factor times the classic size, in the classic
// format with every region multiplied by Factor.
struct TilesetCopy {
  int Factor = 2;
  std::string File;
  bool operator==(const TilesetCopy&) const = default;
};

// The factors copies come in, and the file of a copy: "NAME@2x.png" beside
// "NAME.bmp" (any extension).
inline constexpr int TilesetCopyFactors[] = {2, 3};
std::string TilesetCopyFile(const std::string& tilesetFile, int factor);

// The copies that lie beside a tileset file, smallest first.
std::vector<TilesetCopy> FindTilesetCopies(const std::string& tilesetFile);

// Reads a copy; a null picture when it is missing, does not decode or is
// smaller than its factor times the classic format (such a copy is passed
// over and the art comes from the classic picture).
QImage ReadTilesetCopy(const TilesetCopy& copy);

}  // namespace view
