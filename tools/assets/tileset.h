#pragma once
// Tileset pictures in the game's tileset format (369 x 567 pixels):
//
//   faces band, rows 0-255: 9 x 5 cells of 41 x 51; the face of cell (c, r)
//     is the 40 x 50 rectangle at (41c + 1, 51r + 1), black where the blank
//     tile shows through;
//   special band, rows 256-311: four 46 x 56 cells: the blank tile (6-pixel
//     left edge, 40 x 50 face, 6-pixel bottom edge), the selected face at
//     (52, 256), the hint face at (98, 256) and the tile mask at (138, 256),
//     black inside the tile's shape and white outside;
//   masks band, rows 312-567: each face's mask 312 rows below the face,
//     black exactly where the face picture is not black, white elsewhere.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

namespace assets {

constexpr int kTilesetWidth = 369;
constexpr int kTilesetHeight = 567;
constexpr int kSpecialTop = 256;
constexpr int kMasksTop = 312;

// The cell (column, row) of face 1..42 in the faces band.
QPoint FaceCell(int face);

struct TilesetStyle {
  QString file;        // "Tilesets/pai.bmp", ...
  QColor border;       // colour of the tile's body (left and bottom edges)
  bool few_colours;    // written as an 8-bit palette picture
};

// The four built-in tilesets: orange, dark and blue borders, few colours.
const std::array<TilesetStyle, 4>& TilesetStyles();

// The tileset picture in 32-bit colour; with `factor` > 1 the same tileset
// drawn that many times larger (every region of the format multiplied), for
// screens that show the board at that size.
QImage BuildTileset(const TilesetStyle& style, int factor = 1);
// The sizes of the larger copies that ship beside each tileset.
constexpr int kCopyFactors[] = {2, 3};

// The complete 46 x 56 picture of face 1..42 as the game composes it (blank
// tile, face mask ANDed, face ORed), transparent outside the tile's shape.
QImage TilePicture(const QImage& tileset, int face);

// Reduces a tileset to at most 256 colours (median cut) without ever
// turning a non-black pixel black or a black one non-black, so the masks
// stay exact. Pure black and pure white keep palette entries of their own.
QImage ToPalette(const QImage& image);

}  // namespace assets
