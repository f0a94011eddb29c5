#pragma once
// The tileset picture format and where each tile face sits in it.
//
// A tileset picture is at least 369 x 567 pixels, in three bands:
//  - faces, rows 0-254: 9 x 5 cells of 41 x 51; the face of cell (c, r) is the
//    40 x 50 rectangle (41c + 1, 51r + 1)-(41c + 41, 51r + 51), black wherever
//    the blank tile is to show through;
//  - special cells, rows 256-311: the blank tile (x 0-45, with its 6-pixel left
//    and bottom edges), the face area of the "selected" face, the face area of
//    the "hint" face, and the tile mask (black inside the tile's shape);
//  - face masks, rows 312-567: each face's mask is its face rectangle moved
//    312 rows down, black where the face picture shows.
// The ready-made tile pictures (TileTexture) use the same (c, r) at (46c, 56r).

#include "view/geometry.h"

namespace view {

inline constexpr int TilesetMinWidth = 369;
inline constexpr int TilesetMinHeight = 567;
// TileTexture holds the 9 x 5 cells of ready-made tile pictures and no more.
inline constexpr int TextureWidth = 9 * TileWidth;
inline constexpr int TextureHeight = 5 * TileHeight;

// A rectangle of a picture: top-left and size.
struct Region {
  int x;
  int y;
  int w;
  int h;
};

inline constexpr Region BlankTile{0, 256, TileWidth, TileHeight};
inline constexpr Region BlankFace{6, 256, FaceWidth, FaceHeight};
inline constexpr Region SelectedFace{52, 256, FaceWidth, FaceHeight};
inline constexpr Region HintFace{98, 256, FaceWidth, FaceHeight};
inline constexpr Region TileMask{138, 256, TileWidth, TileHeight};
inline constexpr Region CornerMask{178, 306, EdgeSize, EdgeSize};
inline constexpr int FaceMaskOffset = 312;

struct FaceCell {
  int c = 0;
  int r = 0;
  bool operator==(const FaceCell&) const = default;
};

// The tileset cell of face 1..42. Dots 1-9 are row 2, bamboos 10-18 row 1,
// characters 19-27 row 0, winds and dragons below; anything else gives (0, 0).
constexpr FaceCell FaceCells(int f) {
  if (f >= 1 && f <= 9) return {f - 1, 2};
  if (f >= 10 && f <= 18) return {f - 10, 1};
  if (f >= 19 && f <= 27) return {f - 19, 0};
  if (f >= 28 && f <= 31) return {f - 28, 4};
  if (f >= 32 && f <= 35) return {f - 32, 3};
  if (f >= 36 && f <= 38) return {f - 36 + 4, 4};
  if (f >= 39 && f <= 42) return {f - 39 + 4, 3};
  return {0, 0};
}

// The face picture of a cell in the tileset, and its mask.
constexpr Region FacePicture(FaceCell cell) {
  return {41 * cell.c + 1, 51 * cell.r + 1, FaceWidth, FaceHeight};
}
constexpr Region FaceMask(FaceCell cell) {
  return {41 * cell.c + 1, 51 * cell.r + 1 + FaceMaskOffset, FaceWidth, FaceHeight};
}
// The cell's ready-made tile picture in TileTexture.
constexpr Region TextureCell(FaceCell cell) {
  return {TileWidth * cell.c, TileHeight * cell.r, TileWidth, TileHeight};
}

}  // namespace view
