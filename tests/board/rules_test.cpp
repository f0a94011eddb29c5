// The free rules, the counters and the hit tests of the board.
#include <gtest/gtest.h>

#include "board/board.h"
#include "board/geometry.h"

namespace board {
namespace {

// A board with tile t at each given cell, numbered from first.
BoardState With(std::initializer_list<std::pair<int, Cell>> tiles) {
  BoardState s;
  for (const auto& [t, c] : tiles) s.PutTile(t, c);
  return s;
}

TEST(Grid, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  Grid g;
  g.Set(0, 1, 1, 7);
  g.Set(35, 1, 1, 7);
  g.Set(1, 21, 1, 7);
  g.Set(1, 1, 6, 7);
  g.Set(-5, 100, 9, 7);
  for (int z = 0; z <= 6; ++z)
    for (int y = -1; y <= 22; ++y)
      for (int x = -1; x <= 36; ++x) ASSERT_EQ(g.Near(x, y, z), 0) << x << "," << y << "," << z;
  EXPECT_EQ(g.At(1000, -1000, 3), 0);
  g.Set(34, 20, 5, 9);
  EXPECT_EQ(g.At(34, 20, 5), 9);
  EXPECT_EQ(g.Near(34, 20, 5), 9);
}

TEST(Tiles, FacesAndGroups) {
  EXPECT_EQ(Face(1), 1);
  EXPECT_EQ(Face(36), 9);
  EXPECT_EQ(Face(37), 10);
  EXPECT_EQ(Face(108), 27);
  EXPECT_EQ(Face(109), 28);
  EXPECT_EQ(Face(112), 31);
  EXPECT_EQ(Face(113), 32);
  EXPECT_EQ(Face(116), 35);
  EXPECT_EQ(Face(117), 36);
  EXPECT_EQ(Face(128), 38);
  EXPECT_EQ(Face(129), 39);
  EXPECT_EQ(Face(144), 42);
  EXPECT_EQ(Face(0), 0);
  EXPECT_EQ(Face(145), 0);
  // Flowers match each other although their faces differ; never a season.
  EXPECT_EQ(Group(110), Group(112));
  EXPECT_NE(Group(112), Group(113));
  EXPECT_EQ(Group(113), Group(116));
  EXPECT_EQ(Group(144), 35);
}

TEST(PutAndTake, KeepBoardAndTablesInStep) {
  BoardState s;
  s.PutTile(5, {10, 4, 2});
  EXPECT_EQ(s.Board.At(10, 4, 2), 5);
  EXPECT_EQ(s.TilePlaces[5], (Cell{10, 4, 2}));
  s.TakeTile(5);
  EXPECT_EQ(s.Board.At(10, 4, 2), 0);
  EXPECT_FALSE(s.TilePlaces[5].OnBoard());
  s.PutTile(0, {1, 1, 1});
  s.PutTile(145, {1, 1, 1});
  EXPECT_EQ(s.Board.At(1, 1, 1), 0);
}

TEST(IsTileFree, SideNeighbours) {
  // Alone, left only, right only: free. Both sides: blocked.
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}}), 1));
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}, {2, {8, 10, 1}}}), 1));
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}, {2, {12, 10, 1}}}), 1));
  EXPECT_FALSE(IsTileFree(With({{1, {10, 10, 1}}, {2, {8, 10, 1}}, {3, {12, 10, 1}}}), 1));
  // Half a row up or down still blocks; a full row away does not.
  EXPECT_FALSE(IsTileFree(With({{1, {10, 10, 1}}, {2, {8, 9, 1}}, {3, {12, 11, 1}}}), 1));
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}, {2, {8, 8, 1}}, {3, {12, 10, 1}}}), 1));
  // Neighbours on another layer do not block sideways.
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 2}}, {2, {8, 10, 1}}, {3, {12, 10, 1}}}), 1));
}

TEST(IsTileFree, TilesAbove) {
  // Any tile anchored within one cell on the layer above covers, corners too.
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      EXPECT_FALSE(IsTileFree(With({{1, {10, 10, 1}}, {2, {10 + dx, 10 + dy, 2}}}), 1)) << dx << "," << dy;
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}, {2, {12, 10, 2}}}), 1));
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 1}}, {2, {10, 10, 3}}}), 1));
  // Layer 5 is free whenever its sides allow it.
  EXPECT_TRUE(IsTileFree(With({{1, {10, 10, 5}}}), 1));
  EXPECT_FALSE(IsTileFree(With({{1, {10, 10, 5}}, {2, {8, 10, 5}}, {3, {12, 10, 5}}}), 1));
}

TEST(IsTileFree, EdgesOfTheGridAndTilesOffTheBoard) {
  EXPECT_TRUE(IsTileFree(With({{1, {1, 1, 1}}, {2, {3, 1, 1}}}), 1));
  EXPECT_TRUE(IsTileFree(With({{1, {34, 20, 5}}, {2, {32, 20, 5}}}), 1));
  BoardState s = With({{1, {10, 10, 1}}});
  EXPECT_FALSE(IsTileFree(s, 2));
  EXPECT_FALSE(IsTileFree(s, 0));
  EXPECT_FALSE(IsTileFree(s, 200));
  s.TilePlaces[3] = {99, 99, 99};  // a damaged entry is never free
  EXPECT_FALSE(IsTileFree(s, 3));
  EXPECT_FALSE(IsTileFreeVertical(s, 3));
}

TEST(IsTileFreeVertical, LooksUpAndDownInstead) {
  // Left and right neighbours do not block; nothing two rows above: free.
  EXPECT_TRUE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {8, 10, 1}}, {3, {12, 10, 1}}}), 1));
  EXPECT_TRUE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {10, 12, 1}}}), 1));
  EXPECT_FALSE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {10, 8, 1}}, {3, {10, 12, 1}}}), 1));
  // Half a column offset still blocks.
  EXPECT_FALSE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {9, 8, 1}}, {3, {11, 12, 1}}}), 1));
  EXPECT_TRUE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {8, 8, 1}}, {3, {10, 12, 1}}}), 1));
  EXPECT_FALSE(IsTileFreeVertical(With({{1, {10, 10, 1}}, {2, {11, 11, 2}}}), 1));
}

TEST(PlaceIsFree, CountsPlacesStillToFill) {
  Grid g;
  g.Set(10, 10, 1, PlaceMarker);
  g.Set(8, 10, 1, PlaceMarker);
  EXPECT_TRUE(PlaceIsFree(g, 10, 10, 1));
  g.Set(12, 11, 1, 7);
  EXPECT_FALSE(PlaceIsFree(g, 10, 10, 1));
  g.Set(12, 11, 1, 0);
  g.Set(11, 9, 2, PlaceMarker);
  EXPECT_FALSE(PlaceIsFree(g, 10, 10, 1));
  EXPECT_TRUE(PlaceIsFree(g, 11, 9, 2));
  EXPECT_FALSE(PlaceIsFree(g, 0, 10, 1));
  EXPECT_FALSE(PlaceIsFree(g, 10, 0, 1));
  EXPECT_FALSE(PlaceIsFree(g, 10, 10, 0));
  // Never the vertical variation.
  Grid v;
  v.Set(10, 8, 1, PlaceMarker);
  v.Set(10, 12, 1, PlaceMarker);
  EXPECT_TRUE(PlaceIsFree(v, 10, 10, 1));
}

TEST(RecountFreeTiles, ListsFreeTilesAndCountsMoves) {
  // Three free crak-1 tiles and two free flowers: 2 + 1 moves.
  BoardState s = With({{1, {1, 1, 1}}, {2, {5, 1, 1}}, {3, {9, 1, 1}}, {110, {13, 1, 1}}, {112, {17, 1, 1}},
                       {113, {21, 1, 1}}, {5, {25, 1, 1}}});
  RecountFreeTiles(s, false);
  EXPECT_EQ(s.FreeCount, 7);
  EXPECT_EQ(s.MovesLeft, 3);
  EXPECT_EQ(s.FreeTiles[1], 1);
  EXPECT_EQ(s.FreeTiles[4], 5);
  EXPECT_EQ(s.FreeTiles[7], 113);
  // Cover one crak and the count drops.
  s.PutTile(9, {2, 2, 2});
  RecountFreeTiles(s, false);
  EXPECT_EQ(s.MovesLeft, 2);
  // The vertical rule is used when asked.
  BoardState v = With({{1, {10, 10, 1}}, {2, {10, 8, 1}}, {3, {10, 12, 1}}, {4, {8, 10, 1}}});
  RecountFreeTiles(v, true);
  EXPECT_EQ(v.FreeCount, 3);  // 2, 3, 4
  RecountFreeTiles(v, false);
  EXPECT_EQ(v.FreeCount, 4);
  // A damaged TileCount never reads past the table.
  v.TileCount = 1000;
  RecountFreeTiles(v, false);
  EXPECT_EQ(v.FreeCount, 4);
}

TEST(TileAtPixel, TopmostTileWins) {
  Grid g;
  g.Set(10, 10, 1, 1);  // box left 154, top 185, 46 x 56
  EXPECT_EQ(TileAtPixel(g, 154, 185), 1);
  EXPECT_EQ(TileAtPixel(g, 199, 240), 1);
  EXPECT_EQ(TileAtPixel(g, 200, 240), 0);
  EXPECT_EQ(TileAtPixel(g, 199, 241), 0);
  EXPECT_EQ(TileAtPixel(g, 153, 185), 0);
  g.Set(10, 10, 2, 2);  // one layer up: left 160, top 179
  EXPECT_EQ(TileAtPixel(g, 170, 200), 2);
  EXPECT_EQ(TileAtPixel(g, 155, 230), 1);
  // On one layer the smaller x wins, then the larger y.
  Grid h;
  h.Set(10, 10, 1, 1);
  h.Set(11, 10, 1, 2);
  h.Set(10, 11, 1, 3);
  EXPECT_EQ(TileAtPixel(h, 180, 215), 3);
}

TEST(CellToAddAt, HighestSupportedCell) {
  Grid g;
  // Over an empty board: a layer-1 cell (box 30 x 35, neighbours overlap by 10).
  EXPECT_EQ(CellToAddAt(g, 170, 200), (Cell{10, 10, 1}));
  EXPECT_EQ(CellToAddAt(g, -100, -100), (Cell{}));
  // Nothing underneath: never above layer 1.
  for (int px = 0; px < 700; px += 7)
    for (int py = 0; py < 500; py += 7) ASSERT_LE(CellToAddAt(g, px, py).z, 1);
  g.Set(10, 10, 1, 1);
  EXPECT_EQ(CellToAddAt(g, 175, 195), (Cell{10, 10, 2}));
  EXPECT_EQ(CellToAddAt(g, 195, 220), (Cell{11, 11, 2}));  // a corner still carries it
  EXPECT_EQ(CellToAddAt(g, 215, 195), (Cell{12, 10, 1}));  // two columns away: not carried
  // Where boxes overlap, the last in scan order wins (smaller x).
  EXPECT_EQ(CellToAddAt(g, 161, 180), (Cell{9, 10, 2}));
}

}  // namespace
}  // namespace board
