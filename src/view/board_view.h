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
// The board is drawn at a scale (SetScale): BoardBuffer is the board
// picture's size at it, and each tile lands in the rectangle the board
// geometry gives at that scale. At scale 1 the background is held whole in
// BackgroundBuffer; at other scales it is stretched where it is painted (see
// ScaledBackground), so that a board filling a large window is held once. The callers keep speaking in scale-1
// board pixels (DirtyRect, the areas to redraw); the rectangles a redraw
// returns are BoardBuffer's pixels. At scale 1 every picture is exactly what
// it has always been.
//
// The window copies the rectangle a redraw returns from BoardBuffer to the
// screen; whether a redraw is due at all (paused, finished) is the engine's
// decision.

#include <QImage>
#include <QRgb>
#include <string>
#include <vector>

#include "view/geometry.h"
#include "view/scaled_background.h"
#include "view/scene.h"
#include "view/tile_art.h"

namespace view {

class BoardView {
 public:
  BoardView();
  BoardView(const BoardView&) = delete;
  BoardView& operator=(const BoardView&) = delete;

  QImage BackgroundBuffer;  // the background alone at scale 1 (704 x 468); null at other scales
  QImage BoardBuffer;       // background plus tiles, the same size
  QImage TilesetImage;      // the tileset picture as loaded (800 x 600 black before)
  QImage TileTexture;       // 414 x 280, one ready-made tile picture per face, at scale 1
  // Larger copies of the tileset in TilesetImage, read when a scale needs one.
  std::vector<TilesetCopy> TilesetCopies;
  // Limits the next Redraw, in scale-1 pixels; WholeBoard except during one
  // partial redraw.
  PixelRect DirtyRect = WholeBoard;

  // Rebuilds TileTexture from TilesetImage (for every face the blank tile
  // with the face set into its face area through the face's mask) and the
  // art of the current scale from the best copy of the tileset.
  void MakeTileTexture();

  // Draws from now on at `scale`: resizes BoardBuffer, remakes the art and
  // the background for it. The next redraw must be a
  // full one.
  void SetScale(board::Scale scale);
  board::Scale DrawingScale() const { return scale_; }
  // The board geometry at the drawing scale with the scene's origin.
  board::Geometry GeometryOf(const Scene& scene) const { return board::Geometry(scene.Origin(), scale_); }
  // The art the board is painted with (TileTexture's faces at scale 1).
  const TileArt& Art() const { return art_; }

  // The background: a picture repeated from the top-left corner in rows when
  // it is smaller than the board, else drawn once, and smoothly scaled with
  // the board; or the plain teal one.
  void SetBackgroundPicture(const QImage& picture);
  void SetPlainBackground();

  // BoardBuffer := the bare background (start of a game).
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

  // The bare background shown in place of the board, at the drawing scale:
  // BackgroundBuffer at scale 1, else a picture made once and kept until the
  // board is drawn again (it is asked for on every tick while paused).
  QImage ShowBackground();

  // Paints the tile's ready-made picture, masked, with its top-left at (x, y).
  void PaintTilePicture(QImage& dst, int x, int y, int tile) const;
  // The same from the art of the drawing scale, the picture's top-left at
  // (x, y) of `dst`.
  void PaintScaledTilePicture(QImage& dst, int x, int y, int tile) const;

  // Pen of the pointer rectangle for a highlight mode (red, green or blue).
  static QRgb PenColour(int highlightMode);
  // Pen of the keyboard cursor: the highlight's rectangle colour, green when
  // the highlight is none or a coloured tile.
  static QRgb CursorColour(int highlightMode);

 private:
  void PaintTiles(const Scene& scene);
  // The painting steps of one tile; (a, b) is the face's top-left on the
  // board at scale 1.
  void PaintBody(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b, int tile);
  void PaintMarks(QImage& canvas, const Scene& scene, int a, int b, int tile);
  void PaintShadows(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b);
  void PointerRectangle(QImage& canvas, const Scene& scene, int a, int b);
  // A frame over the outer three pixels (at scale 1) of the face whose
  // top-left is the scale-1 board position (a, b).
  void FaceFrame(QImage& canvas, int a, int b, QRgb pen);
  // A scale-1 board position at the drawing scale, and a scale-1 board
  // rectangle at the drawing scale on the canvas.
  int Scaled(int p) const;
  PixelRect OnCanvas(PixelRect r) const;
  // Rebuilds art_ at the drawing scale, and the background.
  void MakeArt();
  void PaintBackground();
  // At a scale, a full redraw's background: only between the tiles' solid
  // parts, since the tiles cover the rest wholly.
  void PaintBackgroundBetweenTiles(const Scene& scene);
  // The background's pixels of `area` (at the drawing scale) into dst, the
  // area's top-left at (dx, dy).
  void PaintBackgroundArea(QImage& dst, int dx, int dy, PixelRect area) const;
  void PaintKeyboardCursor(const Scene& scene);

  board::Scale scale_;
  TileArt art_;
  // The art of the tileset copy last used, at its own size.
  TileArt sourceArt_;
  TilesetCopy sourceCopy_;
  QImage unitBackground_;  // the background at scale 1; null: the plain one
  ScaledBackground scaledBackground_;  // the background at other scales
  QImage shownBackground_;  // what ShowBackground last made, until the next redraw
  QImage filled_;   // a face of white: XOR inverts a face
  QImage scratch_;  // the area of a partial redraw
  // Where DrawTileAt paints: BoardBuffer, or the scratch picture whose top-left
  // is BoardBuffer's (shiftX_, shiftY_), in pixels at the drawing scale.
  QImage* canvas_ = &BoardBuffer;
  int shiftX_ = 0;
  int shiftY_ = 0;
};

}  // namespace view
