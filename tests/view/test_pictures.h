#pragma once
// A small tileset drawn by the tests themselves, and helpers for pixel checks.
//
// Tile shape: the 40 x 50 face at x 6-45, y 0-49 of the 46 x 56 cell, joined to
// the same face moved 6 left and 6 down by diagonal edges, as a real tile's
// 3-D block. Face pictures are black with one coloured square (x 10-29,
// y 15-34) whose colour tells the cell; the face masks are black exactly there.

#include <QImage>
#include <QRgb>
#include <string>

namespace testpics {

inline constexpr QRgb Ivory = 0xFFF0E0C0u;     // face area of the blank tile
inline constexpr QRgb LeftEdge = 0xFF806040u;  // 6-pixel left edge
inline constexpr QRgb BottomEdge = 0xFF604020u;
inline constexpr QRgb SelectedColour = 0xFF80FF80u;
inline constexpr QRgb HintColour = 0xFF8080FFu;
inline constexpr QRgb Junk = 0xFFFF00FFu;      // where the tileset is never read

// Is (x, y) of a 46 x 56 tile cell inside the tile's shape?
bool InTileShape(int x, int y);
// Part of a 46 x 56 tile cell: the face area, the left or bottom edge.
QRgb BlankTilePixel(int x, int y);
// Colour of the square of the face in tileset cell (c, r).
QRgb FaceColour(int c, int r);
// Is (i, j) of a 40 x 50 face inside the coloured square?
bool InFaceSquare(int i, int j);

// The tileset picture, at least 369 x 567 (extra pixels of `Junk` beyond).
QImage MakeTestTileset(int width = 369, int height = 567);
// A background with a colour that depends on the position (no two
// neighbouring pixels alike).
QImage MakeGradient(int width, int height);

// Decodes a picture file the game ships (a test failure, and a null
// picture, when it does not decode).
QImage DecodeShipped(const std::string& path);

// Writes a picture as BMP; returns the path.
std::string WriteBmp(const QImage& img, const std::string& path);

// Makes sure a QGuiApplication exists (fonts need one).
void EnsureGuiApp();

}  // namespace testpics
