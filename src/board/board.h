#pragma once
// The board model: the cell grid, the tile-to-anchor table, the layout flags,
// tile faces and match groups, the counters kept with the board, the free
// rules. The pixel hit tests are in board/geometry.h.
//
// Coordinates and tile numbers are 1-based; 0 means none. A tile is stored at
// its anchor cell (its top-left cell) and covers (x..x+1, y..y+1) on layer z.

#include <array>
#include <cstdint>

namespace board {

inline constexpr int MaxX = 34;
inline constexpr int MaxY = 20;
inline constexpr int MaxZ = 5;
inline constexpr int MaxTiles = 144;
inline constexpr int FaceCount = 42;
inline constexpr int LayoutFlagCount = MaxX * MaxY * MaxZ;  // 3400
// A place still to be filled while a deal or a winnable shuffle is built.
inline constexpr std::uint8_t PlaceMarker = 155;

struct Cell {
  int x = 0;
  int y = 0;
  int z = 0;
  bool operator==(const Cell&) const = default;
  // A tile counts as on the board when its x or its y is non-zero.
  bool OnBoard() const { return x != 0 || y != 0; }
};

// One unsigned byte per cell, x 1..34, y 1..20, z 1..5. Every cell outside
// that range reads as empty and ignores writes; the storage carries a margin so
// that the rules' neighbour reads (x-2..x+2, y-2..y+2, z+1) need no branches.
class Grid {
 public:
  std::uint8_t At(int x, int y, int z) const {
    return InRange(x, y, z) ? cells_[Index(x, y, z)] : 0;
  }
  void Set(int x, int y, int z, std::uint8_t v) {
    if (InRange(x, y, z)) cells_[Index(x, y, z)] = v;
  }
  void Clear() { cells_.fill(0); }
  static bool InRange(int x, int y, int z) {
    return x >= 1 && x <= MaxX && y >= 1 && y <= MaxY && z >= 1 && z <= MaxZ;
  }
  // Unchecked read for the hot rules: valid for x -1..36, y -1..22, z 0..6.
  std::uint8_t Near(int x, int y, int z) const { return cells_[Index(x, y, z)]; }
  bool operator==(const Grid&) const = default;

 private:
  static constexpr int Margin = 2;
  static constexpr int StrideX = MaxX + 2 * Margin;   // 38
  static constexpr int StrideY = MaxY + 2 * Margin;   // 24
  static constexpr int Layers = MaxZ + 2;             // 0..6
  static constexpr int Index(int x, int y, int z) {
    return (z * StrideY + (y + Margin - 1)) * StrideX + (x + Margin - 1);
  }
  std::array<std::uint8_t, StrideX * StrideY * Layers> cells_{};
};

// Anchor of each tile 1..144; entry 0 is unused; (0, 0, 0) = not on the board.
using TilePlaceTable = std::array<Cell, MaxTiles + 1>;

// One flag (0 or 1) per anchor cell in running order
// k = (z-1)*680 + (y-1)*34 + (x-1).
class LayoutGrid {
 public:
  static constexpr int Index(int x, int y, int z) {
    return (z - 1) * (MaxX * MaxY) + (y - 1) * MaxX + (x - 1);
  }
  std::uint8_t Get(int x, int y, int z) const {
    return Grid::InRange(x, y, z) ? flags_[Index(x, y, z)] : 0;
  }
  void Set(int x, int y, int z, std::uint8_t v) {
    if (Grid::InRange(x, y, z)) flags_[Index(x, y, z)] = v ? 1 : 0;
  }
  std::uint8_t Flag(int k) const { return flags_[k]; }
  void SetFlag(int k, std::uint8_t v) { flags_[k] = v ? 1 : 0; }
  void Clear() { flags_.fill(0); }
  int Count() const;  // number of places (flags set)
  bool operator==(const LayoutGrid&) const = default;

 private:
  std::array<std::uint8_t, LayoutFlagCount> flags_{};
};

// Face 1..42 of tile 1..144 (0 for anything else).
constexpr int Face(int t) {
  if (t < 1 || t > MaxTiles) return 0;
  if (t <= 108) return (t - 1) / 4 + 1;
  if (t <= 116) return t - 109 + 28;
  return (t - 117) / 4 + 36;
}
// Match group 0..35 of a tile: two different tiles match when equal.
constexpr int Group(int t) { return (t - 1) / 4; }

// The board and the counters kept with it.
struct BoardState {
  Grid Board;
  TilePlaceTable TilePlaces{};
  std::int32_t TilesLeft = 0;
  std::int32_t TileCount = MaxTiles;
  std::int32_t FreeCount = 0;
  std::array<std::uint8_t, MaxTiles + 1> FreeTiles{};  // 1-based
  std::int32_t MovesLeft = 0;

  // Puts tile t at c (Board and TilePlaces together).
  void PutTile(int t, Cell c);
  // Takes tile t off the board (Board and TilePlaces together).
  void TakeTile(int t);
  // Empties the board: no tile anywhere (Board and TilePlaces together).
  void ClearTiles() {
    Board.Clear();
    TilePlaces.fill(Cell{});
  }

  bool operator==(const BoardState&) const = default;
};

// Free rules. These answer on the board alone; the engine answers "free" for
// every tile in the modes that have no free rule before asking them.
bool IsTileFree(const BoardState& s, int tile);           // normal rule
bool IsTileFreeVertical(const BoardState& s, int tile);  // vertical variation
bool PlaceIsFree(const Grid& g, int x, int y, int z); // while dealing (155 counts as occupied)
// Recomputes FreeCount, FreeTiles and MovesLeft (the engine calls it only in
// one- and two-player solitaire).
void RecountFreeTiles(BoardState& s, bool vertical);

}  // namespace board
