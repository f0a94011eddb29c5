#pragma once
// The board painter: composes the stacked board into BoardBuffer.
//
// Tiles are painted layer by layer from the bottom, each layer from the right
// column to the left and each column from the top row down, so left and lower
// neighbours cover a tile's left and bottom edges and higher layers cover lower
// ones. Each tile is a ready-made 46 x 56 picture from TileTexture painted
// through the tileset's tile mask; marks recolour the face, and higher tiles
// cast grey dithered shadows.
//
// Every picture here is 24-bit RGB, the format the raster operations use.
//
// The window copies the rectangle a redraw returns from BoardBuffer to the
// screen; whether a redraw is due at all (paused, finished) is the engine's
// decision.

#include <QImage>
#include <QRgb>

#include "view/geometry.h"
#include "view/scene.h"

namespace view {

class BoardView {
 public:
  BoardView();
  BoardView(const BoardView&) = delete;
  BoardView& operator=(const BoardView&) = delete;

  QImage BackgroundBuffer;  // 704 x 468, the background alone
  QImage BoardBuffer;       // 704 x 468, background plus tiles
  QImage TilesetImage;      // the tileset picture as loaded (800 x 600 black before)
  QImage TileTexture;       // 414 x 280, one ready-made tile picture per face
  // Limits the next Redraw; WholeBoard except during one partial redraw.
  PixelRect DirtyRect = WholeBoard;

  // Rebuilds TileTexture from TilesetImage: for every face the blank tile with
  // the face set into its face area through the face's mask.
  void MakeTileTexture();

  // BoardBuffer := BackgroundBuffer (start of a game).
  void ClearBoardBuffer();

  // Recomposes the part of BoardBuffer that DirtyRect gives and returns the
  // rectangle to copy to the screen.
  PixelRect Redraw(const Scene& scene);
  PixelRect FullRedraw(const Scene& scene);
  // Redraws only the 46 x 56 picture area of the place TilePlaces gives for
  // the tile (which need not lie on the board any more). Empty when the tile
  // has no place.
  PixelRect RedrawTile(const Scene& scene, int tile);
  // Redraws one area (the editor cursor's old and new places).
  PixelRect RedrawArea(const Scene& scene, PixelRect area);

  // Paints one tile (zero-based anchor indices) when it touches DirtyRect.
  void DrawTileAt(const Scene& scene, int x, int y, int z, int tile);

  // The bare background shown in place of the board.
  const QImage& ShowBackground() const { return BackgroundBuffer; }

  // Paints the tile's ready-made picture, masked, with its top-left at (x, y).
  void PaintTilePicture(QImage& dst, int x, int y, int tile) const;

  // Pen of the pointer rectangle for a highlight mode (red, green or blue).
  static QRgb PenColour(int highlightMode);

 private:
  void PaintTiles(const Scene& scene);
  // The painting steps of one tile; (a, b) is the face's top-left in `canvas`.
  void PaintBody(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b, int tile);
  void PaintMarks(QImage& canvas, const Scene& scene, int a, int b, int tile);
  void PaintShadows(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b);
  void PointerRectangle(QImage& canvas, const Scene& scene, int a, int b);

  QImage filled_;   // 40 x 50 white: XOR inverts a face
  QImage scratch_;  // the area of a partial redraw
  // Where DrawTileAt paints: BoardBuffer, or the scratch picture whose top-left
  // is BoardBuffer's (shiftX_, shiftY_).
  QImage* canvas_ = &BoardBuffer;
  int shiftX_ = 0;
  int shiftY_ = 0;
};

}  // namespace view
