#include "view/board_view.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "view/looks.h"
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


// The shadow pieces' grey, for DrawPiece's scaled twin below.
constexpr uchar ShadowByte = static_cast<uchar>(qRed(ShadowGrey));

// Calls f(x, y, z, tile) for every place the painter paints, in painting
// order (layer by layer from the bottom, columns from the right, rows from
// the top): the tiles, and the editor's cursor (tile 0) where no tile is.
template <typename F>
void ForEachPaintedPlace(const Scene& scene, F&& f) {
  if (scene.Board == nullptr) return;
  const board::Grid& g = *scene.Board;
  for (int z = 1; z <= board::MaxZ; ++z)
    for (int x = board::MaxX; x >= 1; --x)
      for (int y = 1; y <= board::MaxY; ++y) {
        const int v = g.At(x, y, z);
        if (IsTile(v) || scene.IsEditorCursor(x, y, z)) f(x, y, z, IsTile(v) ? v : 0);
      }
}

}  // namespace

BoardView::BoardView()
    : BackgroundBuffer(MakePicture(BoardWidth, BoardHeight)),
      BoardBuffer(MakePicture(BoardWidth, BoardHeight)),
      TilesetImage(MakePicture(800, 600)),
      TileTexture(MakePicture(TextureWidth, TextureHeight)),
      filled_(MakePicture(FaceWidth, FaceHeight, 0xFFFFFFFFu)) {
  // Before a tileset: the black texture through an all-black mask.
  art_.Tiles = TileTexture;
  art_.TileMask = MakePicture(TileWidth, TileHeight);
  art_.TileMaskRuns = BlackRuns(art_.TileMask);
}

void BoardView::MakeTileTexture() {
  // At scale 1 the faces come from the tileset itself, as they always have.
  TileArt unit = ComposeTileArt(TilesetImage, 1, false);
  TileTexture = unit.Tiles;
  sourceArt_ = TileArt();
  sourceCopy_ = TilesetCopy();
  if (scale_ == board::Scale{}) {
    art_ = std::move(unit);
  } else {
    MakeArt();
  }
}

void BoardView::MakeArt() {
  // From the smallest copy at least as large as the scale, else the largest;
  // the classic picture when no copy is larger than it. The copy's art is
  // composed once and kept, so a change of scale only resamples it.
  const long long n = scale_.Numerator, d = scale_.Denominator;
  const TilesetCopy* best = nullptr;
  for (const TilesetCopy& copy : TilesetCopies) {
    const bool enough = copy.Factor * d >= n;
    const bool bestEnough = best != nullptr && best->Factor * d >= n;
    if (best == nullptr || (enough && (!bestEnough || copy.Factor < best->Factor)) ||
        (!enough && !bestEnough && copy.Factor > best->Factor))
      best = &copy;
  }
  if (best == nullptr || n <= d) {
    art_ = ResampleTileArt(ComposeTileArt(TilesetImage, 1), scale_);
    return;
  }
  if (sourceArt_.Empty() || !(sourceCopy_ == *best)) {
    const QImage picture = ReadTilesetCopy(*best);
    sourceArt_ = picture.isNull() ? ComposeTileArt(TilesetImage, 1) : ComposeTileArt(picture, best->Factor);
    sourceCopy_ = *best;
  }
  art_ = ResampleTileArt(sourceArt_, scale_);
}

void BoardView::SetScale(board::Scale scale) {
  if (scale.Numerator <= 0 || scale.Denominator <= 0) scale = {};
  if (scale == scale_) return;
  scale_ = scale;
  const board::Geometry g({0, 0}, scale_);
  BoardBuffer = MakePicture(g.Width(), g.Height());
  scratch_ = QImage();
  filled_ = MakePicture(ScaledSpan(FaceWidth, scale_), ScaledSpan(FaceHeight, scale_), 0xFFFFFFFFu);
  if (scale_ == board::Scale{}) {
    art_ = ComposeTileArt(TilesetImage, 1, false);
    art_.Tiles = TileTexture;
  } else {
    MakeArt();
  }
  PaintBackground();
  ClearBoardBuffer();
}

void BoardView::SetBackgroundPicture(const QImage& picture) {
  // The background at scale 1 is kept: the pictures at other scales are
  // made from it (a picture larger than the board shows only its top-left
  // part, and a small one its copies, so nothing else of it is needed).
  QImage unit = MakePicture(BoardWidth, BoardHeight);
  Looks::TileBackground(unit, picture);
  unitBackground_ = std::move(unit);
  PaintBackground();
}

void BoardView::SetPlainBackground() {
  unitBackground_ = QImage();
  PaintBackground();
}

void BoardView::PaintBackground() {
  shownBackground_ = QImage();
  if (scale_ != board::Scale{}) {
    BackgroundBuffer = QImage();
    scaledBackground_.Set(unitBackground_, scale_);
    return;
  }
  if (!unitBackground_.isNull()) {
    BackgroundBuffer = unitBackground_;  // shared, not copied
    return;
  }
  if (BackgroundBuffer.width() != BoardWidth || BackgroundBuffer.height() != BoardHeight)
    BackgroundBuffer = MakePicture(BoardWidth, BoardHeight);
  Looks::PaintPlainBackground(BackgroundBuffer);
}

void BoardView::PaintBackgroundArea(QImage& dst, int dx, int dy, PixelRect area) const {
  if (scale_ != board::Scale{}) {
    // Off the board the background reads as black, as a copy from the whole
    // picture would.
    if (area.left < 0 || area.top < 0 || area.right > scaledBackground_.Width() ||
        area.bottom > scaledBackground_.Height())
      FillRect(dst, dx, dy, area.Width(), area.Height(), qRgb(0, 0, 0));
    scaledBackground_.Paint(dst, dx, dy, area);
    return;
  }
  Blit(dst, dx, dy, area.Width(), area.Height(), BackgroundBuffer, area.left, area.top, Rop::Copy);
}

void BoardView::PaintBackgroundBetweenTiles(const Scene& scene) {
  // Every painted tile's picture replaces what lies under the longest black
  // run of each row of the tile mask, over the face's rows at least (below
  // them a tile may be painted in parts). Each row gets the background
  // between the rectangles crossing it.
  const int rows = BoardBuffer.height(), columns = BoardBuffer.width();
  struct Rect {
    int top, bottom, left, right;
  };
  // The runs of the mask's face rows as a few rectangles of a tile at
  // (0, 0), eight rows each, within every run of its rows (the slanted
  // edges leave a sliver outside them, which is painted and then covered).
  std::vector<Rect> shape;
  const int faceRows = std::min(ScaledSpan(FaceHeight, scale_) - 1, static_cast<int>(art_.TileMaskRuns.size()));
  constexpr int RowsPerPart = 8;
  for (int r = 0; r < faceRows; r += RowsPerPart) {
    Rect part{r, std::min(r + RowsPerPart, faceRows), 0, columns};
    for (int i = part.top; i < part.bottom; ++i) {
      const MaskRun run = art_.TileMaskRuns[static_cast<std::size_t>(i)];
      part.left = std::max(part.left, run.Begin);
      part.right = std::min(part.right, run.End);
    }
    if (part.left < part.right) shape.push_back(part);
  }
  std::vector<Rect> covered;
  // Rows where a rectangle starts or ends, and how many start at each row.
  std::vector<int> starts(static_cast<std::size_t>(rows) + 1, 0);
  std::vector<std::uint8_t> cut(static_cast<std::size_t>(rows) + 1, 0);
  ForEachPaintedPlace(scene, [&](int x, int y, int z, int) {
    const int a = FaceLeftOfCell(x - 1, z - 1, scene.OriginX), b = FaceTopOfCell(y - 1, z - 1, scene.OriginY);
    const PixelRect tile = OnCanvas({a - EdgeSize, b, a - EdgeSize + TileWidth, b + TileHeight});
    for (const Rect& part : shape) {
      const Rect r{std::max(tile.top + part.top, 0), std::min(tile.top + part.bottom, rows),
                   std::max(tile.left + part.left, 0), std::min({tile.left + part.right, tile.right, columns})};
      if (r.top >= r.bottom || r.left >= r.right) continue;
      covered.push_back(r);
      ++starts[static_cast<std::size_t>(r.top) + 1];
      cut[static_cast<std::size_t>(r.top)] = cut[static_cast<std::size_t>(r.bottom)] = 1;
    }
  });
  // The rectangles by the row they start at (a counting sort).
  for (int r = 0; r < rows; ++r) starts[static_cast<std::size_t>(r) + 1] += starts[static_cast<std::size_t>(r)];
  std::vector<Rect> byTop(covered.size());
  {
    std::vector<int> next(starts.begin(), starts.end() - 1);
    for (const Rect& r : covered) byTop[static_cast<std::size_t>(next[static_cast<std::size_t>(r.top)]++)] = r;
  }
  std::vector<Rect> crossing;
  for (int y = 0; y < rows; ++y) {
    if (y == 0 || cut[static_cast<std::size_t>(y)] != 0) {
      // Rectangles start and end only at cuts: the set crossing a row
      // changes only there.
      std::erase_if(crossing, [y](const Rect& r) { return r.bottom <= y; });
      crossing.insert(crossing.end(), byTop.begin() + starts[static_cast<std::size_t>(y)],
                      byTop.begin() + starts[static_cast<std::size_t>(y) + 1]);
      std::sort(crossing.begin(), crossing.end(), [](const Rect& p, const Rect& q) { return p.left < q.left; });
    }
    int x = 0;
    for (const Rect& r : crossing) {
      if (r.left > x) scaledBackground_.PaintRowSpan(BoardBuffer, y, x, r.left);
      x = std::max(x, r.right);
    }
    if (x < columns) scaledBackground_.PaintRowSpan(BoardBuffer, y, x, columns);
  }
}

QImage BoardView::ShowBackground() {
  if (scale_ == board::Scale{}) return BackgroundBuffer;
  if (shownBackground_.isNull()) shownBackground_ = scaledBackground_.Whole();
  return shownBackground_;
}

int BoardView::Scaled(int p) const { return board::Geometry({0, 0}, scale_).Scaled(p); }

PixelRect BoardView::OnCanvas(PixelRect r) const {
  const PixelRect s = board::Geometry({0, 0}, scale_).Scaled(r);
  return {s.left - shiftX_, s.top - shiftY_, s.right - shiftX_, s.bottom - shiftY_};
}

void BoardView::ClearBoardBuffer() {
  if (scale_ != board::Scale{}) {
    PaintBackgroundArea(BoardBuffer, 0, 0, PixelRect{0, 0, BoardBuffer.width(), BoardBuffer.height()});
    return;
  }
  if (BoardBuffer.size() == BackgroundBuffer.size() && BoardBuffer.format() == BackgroundBuffer.format()) {
    // A plain copy of the pixels, no reallocation.
    std::copy_n(BackgroundBuffer.constBits(), BackgroundBuffer.sizeInBytes(), BoardBuffer.bits());
  } else {
    Blit(BoardBuffer, 0, 0, BoardBuffer.width(), BoardBuffer.height(), BackgroundBuffer, 0, 0, Rop::Copy);
  }
}

PixelRect BoardView::Redraw(const Scene& scene) {
  const bool whole = DirtyRect == WholeBoard;
  shownBackground_ = QImage();
  if (whole) {
    if (scale_ != board::Scale{})
      PaintBackgroundBetweenTiles(scene);
    else
      ClearBoardBuffer();
    PaintTiles(scene);
    return {0, 0, BoardBuffer.width(), BoardBuffer.height()};
  }
  // A partial redraw is composed in a scratch picture of the area and copied
  // back, so tiles that reach outside the area leave the rest of BoardBuffer
  // as it was.
  const PixelRect area = board::Geometry({0, 0}, scale_).Scaled(DirtyRect);
  if (scratch_.width() != area.Width() || scratch_.height() != area.Height())
    scratch_ = MakePicture(area.Width(), area.Height());
  PaintBackgroundArea(scratch_, 0, 0, area);
  canvas_ = &scratch_;
  shiftX_ = area.left;
  shiftY_ = area.top;
  PaintTiles(scene);
  canvas_ = &BoardBuffer;
  shiftX_ = shiftY_ = 0;
  Blit(BoardBuffer, area.left, area.top, area.Width(), area.Height(), scratch_, 0, 0, Rop::Copy);
  return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, BoardBuffer.width()),
          std::min(area.bottom, BoardBuffer.height())};
}

void BoardView::PaintTiles(const Scene& scene) {
  ForEachPaintedPlace(scene, [&](int x, int y, int z, int tile) { DrawTileAt(scene, x - 1, y - 1, z - 1, tile); });
  if (scene.CursorTile != 0 && !scene.RiverSlideActive) PaintKeyboardCursor(scene);
}

// Over every tile, so that the frame shows whole around a tile partly hidden
// by higher ones; clipped to the area being redrawn.
void BoardView::PaintKeyboardCursor(const Scene& scene) {
  if (scene.TilePlaces == nullptr || scene.CursorTile < 1 || scene.CursorTile > board::MaxTiles) return;
  const board::Cell c = (*scene.TilePlaces)[scene.CursorTile];
  if (!c.OnBoard()) return;
  FaceFrame(*canvas_, FaceLeftOfCell(c.x - 1, c.z - 1, scene.OriginX), FaceTopOfCell(c.y - 1, c.z - 1, scene.OriginY),
            CursorColour(scene.HighlightMode));
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
  PaintBody(canvas, scene, X, Y, Z, a, b, tile);

  const bool faceDown = scene.EditorMode || (scene.MemoryMode && !IsSelected(scene, tile));
  if (faceDown) {
    // The editor's places and Memory's unturned tiles show the blank face.
    const bool cursor = scene.IsEditorCursor(X, Y, Z);
    const PixelRect r = OnCanvas({a, b, a + FaceWidth, b + FaceHeight});
    if (scale_ == board::Scale{}) {
      const Region& face = cursor ? SelectedFace : BlankFace;
      Blit(canvas, r.left, r.top, FaceWidth, FaceHeight, TilesetImage, face.x, face.y, Rop::Copy);
    } else {
      Blit(canvas, r.left, r.top, r.Width(), r.Height(), cursor ? art_.SelectedFace : art_.BlankFace, 0, 0,
           Rop::Copy);
    }
    if (scene.MemoryMode && Outlined(scene, tile)) PointerRectangle(canvas, scene, a, b);
  } else if (!scene.RiverSlideActive) {
    PaintMarks(canvas, scene, a, b, tile);
    if (Outlined(scene, tile)) PointerRectangle(canvas, scene, a, b);
  }
  // Higher tiles cast shadows; the top layer and the first row and column get none.
  if (scene.Shadows && scene.Board != nullptr && Z < board::MaxZ && X >= 2 && Y >= 2)
    PaintShadows(canvas, scene, X, Y, Z, a, b);
}

void BoardView::PaintBody(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b, int tile) {
  const FaceCell cell = scene.EditorMode ? FaceCell{0, 0} : FaceCells(board::Face(tile));
  const int tx = art_.CellX(cell), ty = art_.CellY(cell);
  // Parts of the tile's picture are painted from the same place of its cell:
  // (sx, sy) from the picture's top-left at scale 1.
  const int left = a - EdgeSize, top = b;
  const PixelRect whole = OnCanvas({left, top, left + TileWidth, top + TileHeight});
  auto part = [&](PixelRect r, int sx, int sy, bool masked) {
    const PixelRect d = OnCanvas(r);
    const int cx = Scaled(left + sx) - Scaled(left), cy = Scaled(top + sy) - Scaled(top);
    if (masked)
      MaskedBlit(canvas, d.left, d.top, d.Width(), d.Height(), art_.TileMask, cx, cy, art_.TileMaskRuns, art_.Tiles,
                 tx + cx, ty + cy);
    else
      Blit(canvas, d.left, d.top, d.Width(), d.Height(), art_.Tiles, tx + cx, ty + cy, Rop::Copy);
  };
  const int v = scene.Board != nullptr ? scene.Board->At(X + 1, Y + 2, Z) : 0;
  if (IsTile(v) || scene.IsEditorCursor(X + 1, Y + 2, Z)) {
    // The lower-right neighbour, already painted, shows its face where this
    // tile's bottom edge would end: paint the edge short, then its corner
    // through the corner mask.
    part({left, top, left + TileWidth, top + FaceHeight}, 0, 0, true);
    part({left, top + FaceHeight, left + 21, top + TileHeight}, 0, FaceHeight, false);
    part({a + 15, top + FaceHeight, a + 15 + EdgeSize, top + TileHeight}, FaceWidth, FaceHeight, true);
  } else {
    MaskedBlit(canvas, whole.left, whole.top, whole.Width(), whole.Height(), art_.TileMask, 0, 0, art_.TileMaskRuns,
               art_.Tiles, tx, ty);
  }
}

void BoardView::PaintMarks(QImage& canvas, const Scene& scene, int a, int b, int tile) {
  const bool selected = IsSelected(scene, tile);
  const bool marked = selected || (tile != 0 && (tile == scene.HintTile1 || tile == scene.HintTile2)) ||
                      (IsHovered(scene, tile) && scene.HighlightMode == 2);
  if (!marked) return;
  const PixelRect r = OnCanvas({a, b, a + FaceWidth, b + FaceHeight});
  if (scene.Invert) {
    Blit(canvas, r.left, r.top, r.Width(), r.Height(), filled_, 0, 0, Rop::Xor);
    return;
  }
  // The face keeps its own pixels; its background takes the special face's colour.
  const FaceCell cell = FaceCells(board::Face(tile));
  if (scale_ == board::Scale{}) {
    const Region& back = selected ? SelectedFace : HintFace;
    const Region mask = FaceMask(cell);
    const Region face = FacePicture(cell);
    Blit(canvas, r.left, r.top, FaceWidth, FaceHeight, TilesetImage, back.x, back.y, Rop::Copy);
    MaskedBlit(canvas, r.left, r.top, FaceWidth, FaceHeight, TilesetImage, mask.x, mask.y, TilesetImage, face.x,
               face.y);
    return;
  }
  MarkFace(canvas, r.left, r.top, r.Width(), r.Height(), art_, cell, selected ? art_.SelectedFace : art_.HintFace);
}

void BoardView::PointerRectangle(QImage& canvas, const Scene& scene, int a, int b) {
  FaceFrame(canvas, a, b, PenColour(scene.HighlightMode));
}

void BoardView::FaceFrame(QImage& canvas, int a, int b, QRgb pen) {
  // A 3-pixel pen centred on the outline (a + 1, b + 1)-(a + 39, b + 49):
  // the frame fills the face's outer three pixels.
  const PixelRect o = OnCanvas({a, b, a + FaceWidth, b + FaceHeight});
  const PixelRect i = OnCanvas({a + 3, b + 3, a + FaceWidth - 3, b + FaceHeight - 3});
  FillRect(canvas, o.left, o.top, o.Width(), i.top - o.top, pen);
  FillRect(canvas, o.left, i.bottom, o.Width(), o.bottom - i.bottom, pen);
  FillRect(canvas, o.left, i.top, i.left - o.left, i.Height(), pen);
  FillRect(canvas, i.right, i.top, o.right - i.right, i.Height(), pen);
}

void BoardView::PaintShadows(QImage& canvas, const Scene& scene, int X, int Y, int Z, int a, int b) {
  const board::Grid& g = *scene.Board;
  const bool unit = scale_ == board::Scale{};
  for (const ShadowRule& rule : ShadowRules) {
    if (!IsTile(g.At(X + rule.dX, Y + rule.dY, Z + 1))) continue;
    for (int i = 0; i < rule.count; ++i) {
      const PieceAt& p = rule.pieces[i];
      if (unit) {
        DrawPiece(canvas, p.piece, a + p.px - shiftX_, b + p.py - shiftY_);
        continue;
      }
      // At a scale the piece covers its scaled rectangle with a dither of
      // single pixels, in the same phase of the board's checkerboard as at
      // scale 1, and its slanted ends stay at 45 degrees.
      const int x0 = a + p.px, y0 = b + p.py;
      const ShadowPiece& piece = PieceOf(p.piece);
      const PieceShape shape = ShapeOf(p.piece);
      const int phase = (shape.Odd + x0 + y0) & 1;
      const int left = Scaled(x0), top = Scaled(y0);
      const int right = Scaled(x0 + piece.width), bottom = Scaled(y0 + shape.Rows);
      for (int py = std::max(top, shiftY_); py < std::min(bottom, shiftY_ + canvas.height()); ++py) {
        uchar* row = canvas.scanLine(py - shiftY_);
        int from = std::max(left, shiftX_), to = std::min(right, shiftX_ + canvas.width());
        // The slant: x - left >= y - top (a start) or x - left <= y - top (an end).
        if (shape.Slant > 0) from = std::max(from, left + (py - top));
        if (shape.Slant < 0) to = std::min(to, left + (py - top) + 1);
        if (((from + py) & 1) != phase) ++from;
        for (uchar *d = row + 3 * (from - shiftX_), *end = row + 3 * (to - shiftX_); d < end; d += 6)
          d[0] = d[1] = d[2] = ShadowByte;
      }
    }
  }
}

void BoardView::PaintTilePicture(QImage& dst, int x, int y, int tile) const {
  const Region t = TextureCell(FaceCells(board::Face(tile)));
  MaskedBlit(dst, x, y, TileWidth, TileHeight, TilesetImage, TileMask.x, TileMask.y, TileTexture, t.x, t.y);
}

void BoardView::PaintScaledTilePicture(QImage& dst, int x, int y, int tile) const {
  const FaceCell cell = FaceCells(board::Face(tile));
  MaskedBlit(dst, x, y, art_.CellWidth, art_.CellHeight, art_.TileMask, 0, 0, art_.Tiles, art_.CellX(cell),
             art_.CellY(cell));
}

QRgb BoardView::CursorColour(int highlightMode) {
  return highlightMode == 1 || highlightMode == 4 ? PenColour(highlightMode) : PenColour(3);
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
