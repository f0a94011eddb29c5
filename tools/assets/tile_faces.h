#pragma once
// The pictures of the 42 tile faces, drawn with antialiasing onto a
// transparent 40 x 50 canvas. The tileset builder turns the alpha channel
// into the exact face mask.

#include <QImage>

#include "board/geometry.h"

namespace assets {

// Faces as the game numbers them: 1-9 craks, 10-18 bamboos, 19-27 dots,
// 28-31 flowers (plum, orchid, chrysanthemum, bamboo), 32-35 seasons (spring,
// summer, autumn, winter), 36-38 dragons (red, green, white), 39-42 winds
// (east, south, west, north).
constexpr int kFaceWidth = board::Geometry::FaceWidth;
constexpr int kFaceHeight = board::Geometry::FaceHeight;
// A whole tile: the face with its left and bottom edges.
constexpr int kTileWidth = board::Geometry::TileWidth;
constexpr int kTileHeight = board::Geometry::TileHeight;

// A 40 x 50 ARGB32 (premultiplied) picture of face 1..42, transparent where
// the blank tile is to show through; `factor` times as large, drawn from the
// same shapes and glyphs, for the larger copies of the tilesets.
QImage DrawFace(int face, int factor = 1);

}  // namespace assets
