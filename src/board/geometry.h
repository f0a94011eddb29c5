#pragma once
// Where the board lies in pixels: cell to pixel, a tile's picture rectangle,
// the board size, the origin, and pixel to tile (the hit tests). Every other
// part of the program takes these figures from here.
//
// At scale 1 one cell is 20 pixels wide and 25 high; a tile covers 2 x 2 cells,
// so its face is 40 x 50. Each layer up moves a tile 6 pixels right and 6
// pixels up, which gives the stack its 3-D look. A tile's whole picture is its
// face plus a 6-pixel edge on the left and a 6-pixel edge below: 46 x 56. The
// board picture is 704 x 468, and the grid sits in it at an origin chosen from
// the screen width.
//
// A Geometry maps that picture to one drawn at a scale factor, a fraction
// such as 1, 3/2, 2 or 3. Rounding: a position p at scale 1 lands on
// floor(p * scale), and a rectangle's four edges are mapped that way, so
// rectangles that touch at scale 1 still touch at any scale, with no gap and
// no overlap, and at a whole-number scale every rectangle is the scale-1 one
// times the scale, exactly. The hit test maps a pixel back to the scale-1
// pixel whose scaled area holds it (the inverse of that rounding), so a pixel
// hits exactly the tile whose scaled picture rectangle holds it.

#include "board/board.h"

namespace board {

// A pixel rectangle, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Offset of the grid inside the board picture, at scale 1.
struct BoardOrigin {
  int OriginX = 36;
  int OriginY = 25;
  bool operator==(const BoardOrigin&) const = default;
};

// A scale factor Numerator / Denominator, both positive.
struct Scale {
  int Numerator = 1;
  int Denominator = 1;
  bool operator==(const Scale&) const = default;
};

class Geometry {
 public:
  // The board at scale 1.
  static constexpr int CellWidth = 20;
  static constexpr int CellHeight = 25;
  static constexpr int LayerShift = 6;  // each layer up: this many pixels right and up
  static constexpr int FaceWidth = 2 * CellWidth;
  static constexpr int FaceHeight = 2 * CellHeight;
  static constexpr int EdgeSize = LayerShift;
  static constexpr int TileWidth = FaceWidth + EdgeSize;    // the whole tile picture
  static constexpr int TileHeight = FaceHeight + EdgeSize;
  static constexpr int BoardWidth = 704;
  static constexpr int BoardHeight = 468;
  // Face top-left of the tile anchored at cell (1, 1, 1), from the origin.
  static constexpr PixelPoint FirstFace{-CellWidth, -40};
  // The layout editor's add box: the top-left 30 x 35 of a place's picture.
  static constexpr int AddBoxWidth = 30;
  static constexpr int AddBoxHeight = 35;
  // A screen at least this wide shows the board at the wide origin; a
  // narrower one 41 pixels further left and 25 higher.
  static constexpr int WideScreenWidth = 800;
  static constexpr BoardOrigin WideOrigin{36, 25};
  static constexpr BoardOrigin NarrowOrigin{-5, 0};

  static constexpr BoardOrigin OriginForScreenWidth(int screenWidth) {
    return screenWidth >= WideScreenWidth ? WideOrigin : NarrowOrigin;
  }

  // Scale 1 from the grid's origin: the face's top-left and the whole picture
  // of the tile anchored at the one-based cell (x, y, z).
  static constexpr int UnitFaceLeft(int x, int z) { return FirstFace.x + CellWidth * (x - 1) + LayerShift * (z - 1); }
  static constexpr int UnitFaceTop(int y, int z) { return FirstFace.y + CellHeight * (y - 1) - LayerShift * (z - 1); }
  static constexpr PixelRect UnitTilePicture(int x, int y, int z) {
    const int a = UnitFaceLeft(x, z), b = UnitFaceTop(y, z);
    return {a - EdgeSize, b, a + FaceWidth, b + TileHeight};
  }
  static constexpr PixelRect UnitAddBox(int x, int y, int z) {
    const PixelRect r = UnitTilePicture(x, y, z);
    return {r.left, r.top, r.left + AddBoxWidth, r.top + AddBoxHeight};
  }

  constexpr Geometry() = default;
  constexpr explicit Geometry(BoardOrigin origin, Scale scale = {}) : origin_(origin), scale_(Checked(scale)) {}

  constexpr BoardOrigin Origin() const { return origin_; }
  constexpr board::Scale ScaleFactor() const { return scale_; }

  // A scale-1 position of the board picture at this scale, and back: the
  // scale-1 position whose scaled pixels hold q.
  constexpr int Scaled(int p) const { return FloorDiv(p * scale_.Numerator, scale_.Denominator); }
  constexpr int Unscaled(int q) const { return FloorDiv((q + 1) * scale_.Denominator - 1, scale_.Numerator); }
  constexpr PixelRect Scaled(PixelRect r) const { return {Scaled(r.left), Scaled(r.top), Scaled(r.right), Scaled(r.bottom)}; }

  // The board picture's size at this scale.
  constexpr int Width() const { return Scaled(BoardWidth); }
  constexpr int Height() const { return Scaled(BoardHeight); }

  // The whole picture and the face of the tile anchored at the one-based cell.
  constexpr PixelRect TilePicture(Cell c) const { return Scaled(Placed(UnitTilePicture(c.x, c.y, c.z))); }
  constexpr PixelRect TileFace(Cell c) const {
    const int a = UnitFaceLeft(c.x, c.z), b = UnitFaceTop(c.y, c.z);
    return Scaled(Placed({a, b, a + FaceWidth, b + FaceHeight}));
  }
  // The middle of that face (where a click meant for the tile goes).
  constexpr PixelPoint FaceCentre(Cell c) const {
    return {Scaled(origin_.OriginX + UnitFaceLeft(c.x, c.z) + FaceWidth / 2),
            Scaled(origin_.OriginY + UnitFaceTop(c.y, c.z) + FaceHeight / 2)};
  }

  // A board picture pixel as a scale-1 point from the grid's origin: what the
  // scale-1 hit tests below take.
  constexpr PixelPoint ToGrid(int x, int y) const { return {Unscaled(x) - origin_.OriginX, Unscaled(y) - origin_.OriginY}; }
  // Whether the pixel lies over the grid's columns 0..34 and rows 0..20, the
  // cells counted by truncating division, so the part-cell left of and above
  // column and row 1 counts as 0.
  constexpr bool OverGrid(int x, int y) const {
    const PixelPoint p = ToGrid(x, y);
    const int column = p.x / CellWidth, row = p.y / CellHeight;
    return column >= 0 && column <= MaxX && row >= 0 && row <= MaxY;
  }
  // The tile whose picture is on top at the pixel, 0 for none.
  int TileAt(const Grid& g, int x, int y) const;
  // The place the layout editor adds at the pixel (z 0 for none).
  Cell PlaceToAddAt(const Grid& g, int x, int y) const;

 private:
  static constexpr Scale Checked(Scale s) {
    return s.Numerator > 0 && s.Denominator > 0 ? s : Scale{};
  }
  // Rounds towards minus infinity (b > 0).
  static constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
  constexpr PixelRect Placed(PixelRect r) const {
    return {r.left + origin_.OriginX, r.top + origin_.OriginY, r.right + origin_.OriginX, r.bottom + origin_.OriginY};
  }

  BoardOrigin origin_ = WideOrigin;
  board::Scale scale_;
};

// The scale-1 hit tests, on a point from the grid's origin (Geometry::ToGrid).
// The tile whose 46 x 56 picture is on top at the point, 0 for none.
int TileAtPixel(const Grid& g, int px, int py);
// The highest cell whose add box holds the point and that stands on the floor
// or on a place of the layer below (within one cell); z 0 for none.
Cell CellToAddAt(const Grid& g, int px, int py);

}  // namespace board
