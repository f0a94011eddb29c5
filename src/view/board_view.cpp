#include "view/board_view.h"

#include <algorithm>
#include <array>

#include "view/raster.h"
#include "view/shadow_pieces.h"
#include "view/tileset_layout.h"

namespace view {
namespace {

// Board values 1..154 are tiles; 155 marks a place still being dealt.
bool IsTile(int v) { return v >= 1 && v <= 154; }

struct PieceAt {
  Piece piece;
  int px;
  int py;
};

// A higher tile at (X + dX, Y + dY, Z + 1) lays these pieces on the face of the
// tile at (X, Y, Z). Rules 1-8 lay a band along the top of the face, or of its
// lower half, below a higher tile up and to the side; rules 9-16 lay a
// vertical band at the left or in the middle of the face beside a higher tile
// to the left. Some offsets appear twice with different pieces: each rule
// fires on its own.
struct ShadowRule {
  int dX;
  int dY;
  int count;
  std::array<PieceAt, 3> pieces;
};

constexpr std::array<ShadowRule, 16> ShadowRules{{
    {+1, -2, 2, {{{Piece::Img3, 20, 0}, {Piece::Img1, 30, 0}}}},
    {0, -2, 3, {{{Piece::Img3, 0, 0}, {Piece::Horiz, 10, 0}, {Piece::Img1, 30, 0}}}},
    {-1, -2, 2, {{{Piece::Horiz, 0, 0}, {Piece::Img4, 20, 0}}}},
    {-2, -2, 1, {{{Piece::Img4, 0, 0}}}},
    {+1, -1, 2, {{{Piece::Img3, 20, 25}, {Piece::Img1, 30, 25}}}},
    {0, -1, 3, {{{Piece::Img3, 0, 25}, {Piece::Horiz, 10, 25}, {Piece::Img1, 30, 25}}}},
    {-1, -1, 2, {{{Piece::Horiz, 0, 25}, {Piece::Img4, 20, 25}}}},
    {-2, -1, 1, {{{Piece::Img4, 0, 25}}}},
    {-2, +1, 2, {{{Piece::Img4, 0, 25}, {Piece::Img5, 0, 35}}}},
    {-2, 0, 3, {{{Piece::Img4, 0, 0}, {Piece::Img2, 0, 10}, {Piece::Img2, 0, 30}}}},
    {-2, -1, 3, {{{Piece::Img5, 0, 0}, {Piece::Img1, 0, 15}, {Piece::Img3, 0, 25}}}},
    {-2, -2, 1, {{{Piece::Img3, 0, 0}}}},
    {-1, +1, 2, {{{Piece::Img4, 20, 25}, {Piece::Img5, 20, 35}}}},
    {-1, 0, 3, {{{Piece::Img4, 20, 0}, {Piece::Img2, 20, 10}, {Piece::Img2, 20, 30}}}},
    {-1, -1, 3, {{{Piece::Img5, 20, 0}, {Piece::Img1, 20, 15}, {Piece::Img3, 20, 25}}}},
    {-1, -2, 1, {{{Piece::Img3, 20, 0}}}},
}};

bool IsSelected(const Scene& s, int t) { return t != 0 && (t == s.SelectedTile1 || t == s.SelectedTile2); }

bool IsHovered(const Scene& s, int t) { return t != 0 && t == s.HoverTile; }

// The outline modes: red, green and blue rectangles.
bool Outlined(const Scene& s, int t) {
  return IsHovered(s, t) && (s.HighlightMode == 1 || s.HighlightMode == 3 || s.HighlightMode == 4);
}

}  // namespace

BoardView::BoardView()
    : BackgroundBuffer(MakePicture(BoardWidth, BoardHeight)),
      BoardBuffer(MakePicture(BoardWidth, BoardHeight)),
      TilesetImage(MakePicture(800, 600)),
      TileTexture(MakePicture(TextureWidth, TextureHeight)),
      filled_(MakePicture(FaceWidth, FaceHeight, 0xFFFFFFFFu)) {}

void BoardView::MakeTileTexture() {
  for (int f = 1; f <= board::FaceCount; ++f) {
    const FaceCell cell = FaceCells(f);
    const Region t = TextureCell(cell);
    const Region mask = FaceMask(cell);
    const Region face = FacePicture(cell);
    Blit(TileTexture, t.x, t.y, BlankTile.w, BlankTile.h, TilesetImage, BlankTile.x, BlankTile.y, Rop::Copy);
    MaskedBlit(TileTexture, t.x + EdgeSize, t.y, FaceWidth, FaceHeight, TilesetImage, mask.x, mask.y,
               TilesetImage, face.x, face.y);
  }
}

void BoardView::ClearBoardBuffer() {
  if (BoardBuffer.size() == BackgroundBuffer.size() && BoardBuffer.format() == BackgroundBuffer.format()) {
    // A plain copy of the pixels, no reallocation.
    std::copy_n(BackgroundBuffer.constBits(), BackgroundBuffer.sizeInBytes(), BoardBuffer.bits());
  } else {
    Blit(BoardBuffer, 0, 0, BoardWidth, BoardHeight, BackgroundBuffer, 0, 0, Rop::Copy);
  }
}

PixelRect BoardView::Redraw(const Scene& scene) {
  const bool whole = DirtyRect == WholeBoard;
  if (whole) {
    ClearBoardBuffer();
    PaintTiles(scene);
    return {0, 0, BoardWidth, BoardHeight};
  }
  // A partial redraw is composed in a scratch picture of the area and copied
  // back, so tiles that reach outside the area leave the rest of BoardBuffer
  // as it was.
  const PixelRect area = DirtyRect;
  if (scratch_.width() != area.Width() || scratch_.height() != area.Height())
    scratch_ = MakePicture(area.Width(), area.Height());
  Blit(scratch_, 0, 0, area.Width(), area.Height(), BackgroundBuffer, area.left, area.top, Rop::Copy);
  canvas_ = &scratch_;
  shiftX_ = area.left;
  shiftY_ = area.top;
  PaintTiles(scene);
  canvas_ = &BoardBuffer;
  shiftX_ = shiftY_ = 0;
  Blit(BoardBuffer, area.left, area.top, area.Width(), area.Height(), scratch_, 0, 0, Rop::Copy);
  return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, BoardWidth),
          std::min(area.bottom, BoardHeight)};
}

void BoardView::PaintTiles(const Scene& scene) {
  if (scene.Board == nullptr) return;
  const board::Grid& g = *scene.Board;
  for (int z = 1; z <= board::MaxZ; ++z)
    for (int x = board::MaxX; x >= 1; --x)
      for (int y = 1; y <= board::MaxY; ++y) {
        const int v = g.At(x, y, z);
        if (IsTile(v) || scene.IsEditorCursor(x, y, z)) DrawTileAt(scene, x - 1, y - 1, z - 1, IsTile(v) ? v : 0);
      }
}

PixelRect BoardView::FullRedraw(const Scene& scene) {
  DirtyRect = WholeBoard;
  return Redraw(scene);
}

PixelRect BoardView::RedrawArea(const Scene& scene, PixelRect area) {
  if (area.Empty()) return {};
  DirtyRect = area;
  const PixelRect shown = Redraw(scene);
  DirtyRect = WholeBoard;
  return shown;
}

PixelRect BoardView::RedrawTile(const Scene& scene, int tile) {
  if (tile < 1 || tile > board::MaxTiles || scene.TilePlaces == nullptr) return {};
  const board::Cell c = (*scene.TilePlaces)[tile];
  if (!c.OnBoard()) return {};
  return RedrawArea(scene, TilePictureRect(c.x, c.y, c.z, scene.Origin()));
}

void BoardView::DrawTileAt(const Scene& scene, int x, int y, int z, int tile) {
  const int X = x + 1, Y = y + 1, Z = z + 1;
  const int a = FaceLeftOfCell(x, z, scene.OriginX);
  const int b = FaceTopOfCell(y, z, scene.OriginY);
  if (DirtyRect != WholeBoard) {
    const bool touches = a - EdgeSize < DirtyRect.right && a + FaceWidth > DirtyRect.left &&
                         b < DirtyRect.bottom && b + TileHeight > DirtyRect.top;
    if (!touches) return;
  }
  QImage& canvas = *canvas_;
  const int ca = a - shiftX_, cb = b - shiftY_;
  PaintBody(canvas, scene, X, Y, Z, ca, cb, tile);

  const bool faceDown = scene.EditorMode || (scene.MemoryMode && !IsSelected(scene, tile));
  if (faceDown) {
    // The editor's places and Memory's unturned tiles show the blank face.
    const Region& face = scene.IsEditorCursor(X, Y, Z) ? SelectedFace : BlankFace;
    Blit(canvas, ca, cb, FaceWidth, FaceHeight, TilesetImage, face.x, face.y, Rop::Copy);
    if (scene.MemoryMode && Outlined(scene, tile)) PointerRectangle(canvas, scene, ca, cb);
  } else if (!scene.RiverSlideActive) {
    PaintMarks(canvas, scene, ca, cb, tile);
    if (Outlined(scene, tile)) PointerRectangle(canvas, scene, ca, cb);
  }
  // Higher tiles cast shadows; the top layer and the first row and column get none.
  if (scene.Shadows && scene.Board != nullptr && Z < board::MaxZ && X >= 2 && Y >= 2)
    PaintShadows(canvas, scene, X, Y, Z, ca, cb);
}

void BoardView::PaintBody(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b, int tile) {
  const FaceCell cell = scene.EditorMode ? FaceCell{0, 0} : FaceCells(board::Face(tile));
  const Region t = TextureCell(cell);
  const int v = scene.Board != nullptr ? scene.Board->At(X + 1, Y + 2, Z) : 0;
  if (IsTile(v) || scene.IsEditorCursor(X + 1, Y + 2, Z)) {
    // The lower-right neighbour, already painted, shows its face where this
    // tile's bottom edge would end: paint the edge short, then its corner
    // through the corner mask.
    MaskedBlit(canvas, a - EdgeSize, b, TileWidth, FaceHeight, TilesetImage, TileMask.x, TileMask.y,
               TileTexture, t.x, t.y);
    Blit(canvas, a - EdgeSize, b + FaceHeight, 21, EdgeSize, TileTexture, t.x, t.y + FaceHeight, Rop::Copy);
    MaskedBlit(canvas, a + 15, b + FaceHeight, EdgeSize, EdgeSize, TilesetImage, CornerMask.x, CornerMask.y,
               TileTexture, t.x + FaceWidth, t.y + FaceHeight);
  } else {
    MaskedBlit(canvas, a - EdgeSize, b, TileWidth, TileHeight, TilesetImage, TileMask.x, TileMask.y,
               TileTexture, t.x, t.y);
  }
}

void BoardView::PaintMarks(QImage& canvas, const Scene& scene, int a, int b, int tile) {
  const bool selected = IsSelected(scene, tile);
  const bool marked = selected || (tile != 0 && (tile == scene.HintTile1 || tile == scene.HintTile2)) ||
                      (IsHovered(scene, tile) && scene.HighlightMode == 2);
  if (!marked) return;
  if (scene.Invert) {
    Blit(canvas, a, b, FaceWidth, FaceHeight, filled_, 0, 0, Rop::Xor);
    return;
  }
  // The face keeps its own pixels; its background takes the special face's colour.
  const Region& back = selected ? SelectedFace : HintFace;
  const FaceCell cell = FaceCells(board::Face(tile));
  const Region mask = FaceMask(cell);
  const Region face = FacePicture(cell);
  Blit(canvas, a, b, FaceWidth, FaceHeight, TilesetImage, back.x, back.y, Rop::Copy);
  MaskedBlit(canvas, a, b, FaceWidth, FaceHeight, TilesetImage, mask.x, mask.y, TilesetImage, face.x, face.y);
}

void BoardView::PointerRectangle(QImage& canvas, const Scene& scene, int a, int b) {
  // A 3-pixel pen centred on the outline (a + 1, b + 1)-(a + 39, b + 49):
  // the frame fills the face's outer three pixels.
  FrameRect(canvas, a, b, FaceWidth, FaceHeight, 3, PenColour(scene.HighlightMode));
}

void BoardView::PaintShadows(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b) {
  const board::Grid& g = *scene.Board;
  for (const ShadowRule& rule : ShadowRules) {
    if (!IsTile(g.At(X + rule.dX, Y + rule.dY, Z + 1))) continue;
    for (int i = 0; i < rule.count; ++i)
      DrawPiece(canvas, rule.pieces[i].piece, a + rule.pieces[i].px, b + rule.pieces[i].py);
  }
}

void BoardView::PaintTilePicture(QImage& dst, int x, int y, int tile) const {
  const Region t = TextureCell(FaceCells(board::Face(tile)));
  MaskedBlit(dst, x, y, TileWidth, TileHeight, TilesetImage, TileMask.x, TileMask.y, TileTexture, t.x, t.y);
}

QRgb BoardView::PenColour(int highlightMode) {
  switch (highlightMode) {
    case 3:
      return qRgb(0, 128, 0);
    case 4:
      return qRgb(0, 0, 255);
    default:
      return qRgb(255, 0, 0);
  }
}

}  // namespace view
