#pragma once
// Where the keyboard cursor goes on the board, as the player sees it.
//
// The cursor rests on a tile the player can see: the top tile of a stack, or
// a tile partly hidden behind higher ones as long as some of its face shows
// (a tile whose only visible part is its edge under the tile above counts as
// covered). The arrow keys move to the nearest such tile in that direction
// as the faces are drawn; Tab and Shift+Tab step through the free tiles in
// reading order (rows top to bottom, each row left to right) and wrap round;
// Home and End go to the first and the last tile in reading order.
//
// All figures are the board picture at scale 1 from the grid's origin, so
// the same keys go to the same tiles at every scale and origin.
//
// The layout editor's place cursor is a cell, not a tile: the arrow keys move
// it one cell, Page Up and Page Down change its layer.

#include <array>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/geometry.h"

namespace game {

enum class CursorDirection : std::uint8_t { Left, Right, Up, Down };

// The keys that act on the board. Activate is Space or Enter; NextFree and
// PreviousFree are Tab and Shift+Tab; First and Last are Home and End;
// LayerUp and LayerDown are Page Up and Page Down.
enum class BoardKey : std::uint8_t {
  Left,
  Right,
  Up,
  Down,
  NextFree,
  PreviousFree,
  First,
  Last,
  Activate,
  Escape,
  LayerUp,
  LayerDown,
  Delete,
};

// Where the keyboard cursor stands. It keeps the place of its tile, so that
// when the tile leaves the board the cursor goes on from where it was.
struct KeyboardCursor {
  int Tile = 0;          // 0: not placed yet
  board::Cell Place;     // where that tile stands (or stood)
  bool Shown = false;    // hidden while the pointer is used, until a key moves it
  bool operator==(const KeyboardCursor&) const = default;
};

// Which tiles count as free for Tab: the normal rule, the vertical
// variation, or every tile the cursor can rest on (Rivers, Memory).
enum class FreeRule : std::uint8_t { Normal, Vertical, Every };

// The tiles the cursor can rest on, for one position of the board.
class TileCursorMap {
 public:
  // skipped: tiles the cursor passes over although they show (Memory's
  // turned tiles); 0 stands for none.
  TileCursorMap(const board::BoardState& state, FreeRule rule, std::array<int, 2> skipped = {});

  // Whether the cursor can rest on the tile.
  bool Reachable(int tile) const;
  // The tiles the cursor can rest on, in reading order.
  const std::vector<int>& Tiles() const { return order_; }
  bool Empty() const { return order_.empty(); }

  // Home and End: the first and the last tile in reading order (0: none).
  int First() const;
  int Last() const;
  // The nearest tile in the direction from a place (the cursor's tile, or
  // where it stood before it left the board); 0 when there is none that way.
  int Nearest(board::Cell from, CursorDirection direction) const;
  // Tab (forwards) and Shift+Tab: the next free tile after the place in
  // reading order, wrapping round; from a place with no tile, the first one
  // after where it would stand. 0 when no tile is free.
  int NextFree(board::Cell from, bool backwards) const;
  // The tile whose face centre lies nearest the place's (where the cursor
  // goes when its tile left the board); 0 when there is none.
  int Closest(board::Cell place) const;
  bool IsFree(int tile) const;
  // A point of the tile's face that shows, the one nearest the face's
  // middle (scale 1, from the grid's origin): where a click meant for the
  // tile lands on it and on nothing above it. (0, 0) for a tile the cursor
  // cannot rest on.
  board::PixelPoint Aim(int tile) const;

 private:
  struct Spot {
    int tile = 0;
    board::Cell place;
    board::PixelRect face;
    bool free = false;
    board::PixelPoint aim;
  };
  const Spot* SpotOf(int tile) const;

  std::vector<Spot> spots_;  // reading order
  std::vector<int> order_;
};

// Where a key that moves the cursor takes it from a place (Cell{} for a
// cursor not placed yet, which any arrow puts on the first tile): the
// arrows, Tab, Shift+Tab, Home and End. 0 when nothing lies that way or the
// key does not move the cursor.
int KeyTarget(const TileCursorMap& map, board::Cell from, BoardKey key);

// Reading order of two places: rows top to bottom, then columns left to
// right, then layers up.
bool ReadsBefore(board::Cell a, board::Cell b);

// The layout editor's place cursor (one-based cells). An arrow moves it one
// cell, staying on the grid; Page Up and Page Down move it one layer.
board::Cell MovePlaceCursor(board::Cell cursor, CursorDirection direction);
board::Cell ChangePlaceLayer(board::Cell cursor, int layers);
// Where the place cursor starts when no pointer placed it: the middle of the
// grid's floor.
inline constexpr board::Cell PlaceCursorStart{board::MaxX / 2, board::MaxY / 2, 1};
// The place on the cursor's layer that Delete removes: the one anchored at
// the cursor, else one sharing a cell with the tile the cursor shows, the
// nearest first; 0 for none.
int PlaceUnderCursor(const board::Grid& grid, board::Cell cursor);

}  // namespace game
