// The keyboard cursor on dealt boards: which tiles it can rest on, where the
// arrows, Tab, Home and End take it, and the layout editor's place cursor.
#include "game/keyboard_cursor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "game/engine_fixture.h"

namespace board {
// Cells read as (x, y, z) in failure messages.
[[maybe_unused]] static void PrintTo(const Cell& c, std::ostream* out) {
  *out << "(" << c.x << ", " << c.y << ", " << c.z << ")";
}
}  // namespace board

namespace game::testing {
namespace {

namespace fs = std::filesystem;
using board::Cell;
using D = CursorDirection;

board::BoardState DealtLayout(const fs::path& file, std::uint32_t seed) {
  board::LayoutGrid layout;
  board::LoadLayout(file.string(), layout);
  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, layout);
  board::DealLayout(s, layout, g, board::SeedChoice::Exact(seed), nullptr);
  board::RecountFreeTiles(s, false);
  return s;
}

const fs::path Shipped = fs::path(SORAMI_DATA_DIR) / "Layouts";

class TraditionalCursor : public ::testing::Test {
 protected:
  board::BoardState s = DealtLayout(Shipped / "Traditional.lay", 20261207u);

  int At(int x, int y, int z) const { return s.Board.At(x, y, z); }
  Cell Place(int tile) const { return s.TilePlaces[tile]; }
  // The places the arrow visits from a place until nothing lies that way.
  std::vector<Cell> Walk(const TileCursorMap& map, Cell from, D d) const {
    std::vector<Cell> out;
    for (int t = map.Nearest(from, d); t != 0 && out.size() < 200; t = map.Nearest(from, d)) {
      from = Place(t);
      out.push_back(from);
    }
    return out;
  }
};

// Traditional: 36 + 16 + 4 tiles lie exactly under others and cannot be
// reached; the four tiles of layer 4 show three quarters of their faces
// around the one on top and can.
TEST_F(TraditionalCursor, RestsOnTheTopOfEachStackAndOnTilesPartlyHidden) {
  const TileCursorMap map(s, FreeRule::Normal);
  EXPECT_EQ(map.Tiles().size(), 88u);
  for (int t : map.Tiles()) {
    const Cell c = Place(t);
    EXPECT_EQ(At(c.x, c.y, c.z + 1), 0) << "tile " << t << " lies under another";
    // A click aimed at the tile hits it, not the tile over part of it.
    const board::PixelPoint aim = map.Aim(t);
    EXPECT_EQ(board::TileAtPixel(s.Board, aim.x, aim.y), t) << "tile " << t;
  }
  // The face centre of a tile half under the cap would hit the cap.
  const int beside = At(15, 9, 4);
  const board::PixelPoint centre{board::Geometry::UnitFaceLeft(15, 4) + 20, board::Geometry::UnitFaceTop(9, 4) + 25};
  EXPECT_EQ(board::TileAtPixel(s.Board, centre.x, centre.y), At(16, 10, 5));
  EXPECT_NE(map.Aim(beside), centre);
  for (const Cell c : {Cell{15, 9, 4}, Cell{17, 9, 4}, Cell{15, 11, 4}, Cell{17, 11, 4}, Cell{16, 10, 5}})
    EXPECT_TRUE(map.Reachable(At(c.x, c.y, c.z))) << c.x << "," << c.y << "," << c.z;
  for (const Cell c : {Cell{11, 5, 1}, Cell{15, 9, 3}, Cell{17, 11, 1}})
    EXPECT_FALSE(map.Reachable(At(c.x, c.y, c.z))) << c.x << "," << c.y << "," << c.z;

  // Home: row 1's first tile; End: row 8's last.
  EXPECT_EQ(Place(map.First()), (Cell{5, 3, 1}));
  EXPECT_EQ(Place(map.Last()), (Cell{27, 17, 1}));
}

TEST_F(TraditionalCursor, ArrowsGoToTheNearestTileAsDrawn) {
  const TileCursorMap map(s, FreeRule::Normal);
  // Row 4 left to right climbs the pyramid, passes the tiles beside the cap
  // and ends on the two tiles far right.
  EXPECT_EQ(Walk(map, Cell{5, 9, 1}, D::Right),
            (std::vector<Cell>{{7, 9, 1},
                               {9, 9, 1},
                               {11, 9, 2},
                               {13, 9, 3},
                               {15, 9, 4},
                               {17, 9, 4},
                               {19, 9, 3},
                               {21, 9, 2},
                               {23, 9, 1},
                               {25, 9, 1},
                               {27, 9, 1},
                               {29, 10, 1},
                               {31, 10, 1}}));
  // And back: from the far right the row the cursor came along.
  EXPECT_EQ(Place(map.Nearest(Cell{29, 10, 1}, D::Left)), (Cell{27, 9, 1}));
  // The tile on top lies below the upper right tile of layer 4, and above
  // the lower right one; straight down from the upper left is the lower left.
  EXPECT_EQ(Place(map.Nearest(Cell{17, 9, 4}, D::Down)), (Cell{16, 10, 5}));
  EXPECT_EQ(Place(map.Nearest(Cell{16, 10, 5}, D::Down)), (Cell{17, 11, 4}));
  EXPECT_EQ(Place(map.Nearest(Cell{17, 11, 4}, D::Up)), (Cell{16, 10, 5}));
  EXPECT_EQ(Place(map.Nearest(Cell{15, 9, 4}, D::Down)), (Cell{15, 11, 4}));
  // Down the pyramid's side: the tile a layer lower beside it, drawn a few
  // pixels lower, is not below it.
  EXPECT_EQ(Place(map.Nearest(Cell{21, 9, 2}, D::Down)), (Cell{21, 11, 2}));
  EXPECT_EQ(Place(map.Nearest(Cell{21, 9, 2}, D::Right)), (Cell{23, 9, 1}));
  // Column 5 down: the lone tile far left lies between rows 4 and 5 and is
  // passed by, a shorter row is entered at its end nearest the column.
  EXPECT_EQ(Walk(map, Cell{5, 9, 1}, D::Down), (std::vector<Cell>{{5, 11, 1}, {7, 13, 1}, {9, 15, 1}, {9, 17, 1}}));
  EXPECT_EQ(Place(map.Nearest(Cell{5, 9, 1}, D::Left)), (Cell{3, 10, 1}));
  // Down from row 1's first tile: row 2 starts too far right; row 3's first
  // tile lies nearer than row 4's, straight down.
  EXPECT_EQ(Place(map.Nearest(Cell{5, 3, 1}, D::Down)), (Cell{7, 7, 1}));
  // Nothing above row 1, nothing left of the lone tile.
  EXPECT_EQ(map.Nearest(Cell{5, 3, 1}, D::Up), 0);
  EXPECT_EQ(map.Nearest(Cell{3, 10, 1}, D::Left), 0);
}

TEST_F(TraditionalCursor, TabStepsThroughTheFreeTilesInReadingOrder) {
  const TileCursorMap map(s, FreeRule::Normal);
  std::vector<Cell> stops;
  Cell at{};
  for (int i = 0; i < 6; ++i) {
    at = Place(map.NextFree(at, false));
    stops.push_back(at);
  }
  EXPECT_EQ(stops, (std::vector<Cell>{{5, 3, 1}, {27, 3, 1}, {9, 5, 1}, {11, 5, 2}, {21, 5, 2}, {23, 5, 1}}));
  // Shift+Tab from the first goes round to the last free tile, and back.
  EXPECT_EQ(Place(map.NextFree(Cell{5, 3, 1}, true)), (Cell{27, 17, 1}));
  EXPECT_EQ(Place(map.NextFree(Cell{27, 17, 1}, false)), (Cell{5, 3, 1}));
  // From a blocked tile, the next free one after it.
  EXPECT_EQ(Place(map.NextFree(Cell{7, 3, 1}, false)), (Cell{27, 3, 1}));
  EXPECT_EQ(Place(map.NextFree(Cell{7, 3, 1}, true)), (Cell{5, 3, 1}));

  // One round visits every free tile the board counts, each once.
  std::set<int> seen;
  int t = map.NextFree(Cell{}, false);
  do {
    EXPECT_TRUE(board::IsTileFree(s, t));
    EXPECT_TRUE(seen.insert(t).second);
    t = map.NextFree(Place(t), false);
  } while (t != map.NextFree(Cell{}, false) && seen.size() < 200);
  EXPECT_EQ(static_cast<int>(seen.size()), s.FreeCount);
}

TEST_F(TraditionalCursor, TheTopOfAStackIsReachedWhenTheTileAboveLeaves) {
  const int cap = At(16, 10, 5);
  const int under = At(15, 9, 3);
  s.TakeTile(At(15, 9, 4));
  const TileCursorMap map(s, FreeRule::Normal, {});
  EXPECT_TRUE(map.Reachable(under));
  EXPECT_TRUE(map.Reachable(cap));
  // Where the cursor goes when its tile left: the nearest face.
  EXPECT_EQ(map.Closest(Cell{15, 9, 4}), under);
}

// Every tile the cursor can rest on is reached by arrows from Home, on every
// shipped layout.
TEST(KeyboardCursor, ArrowsReachEveryVisibleTileOfEveryShippedLayout) {
  for (const auto& entry : fs::directory_iterator(Shipped)) {
    const board::BoardState s = DealtLayout(entry.path(), 7u);
    const TileCursorMap map(s, FreeRule::Normal);
    ASSERT_FALSE(map.Empty()) << entry.path();
    std::set<int> seen{map.First()};
    std::vector<int> todo{map.First()};
    while (!todo.empty()) {
      const int t = todo.back();
      todo.pop_back();
      for (D d : {D::Left, D::Right, D::Up, D::Down})
        if (const int n = map.Nearest(s.TilePlaces[t], d); n != 0 && seen.insert(n).second) todo.push_back(n);
    }
    EXPECT_EQ(seen.size(), map.Tiles().size()) << entry.path();
  }
}

class CursorInGames : public EngineTest {};

// Rivers: the cursor keeps to the rows and columns of the flat grid and
// passes over the empty places.
TEST_F(CursorInGames, RiversFlatGrid) {
  engine.NewRiversGame(Difficulty::Easy);
  board::BoardState& s = engine.MutableGame().Board;
  const TileCursorMap full(s, FreeRule::Every);
  EXPECT_EQ(full.Tiles().size(), 84u);
  EXPECT_EQ(s.TilePlaces[full.First()], (Cell{4, 5, 1}));
  EXPECT_EQ(s.TilePlaces[full.Nearest(Cell{4, 5, 1}, D::Right)], (Cell{6, 5, 1}));
  EXPECT_EQ(s.TilePlaces[full.Nearest(Cell{4, 5, 1}, D::Down)], (Cell{4, 7, 1}));
  s.TakeTile(s.Board.At(6, 5, 1));
  s.TakeTile(s.Board.At(8, 5, 1));
  const TileCursorMap gaps(s, FreeRule::Every);
  EXPECT_EQ(s.TilePlaces[gaps.Nearest(Cell{4, 5, 1}, D::Right)], (Cell{10, 5, 1}));
  // Below an empty place, Up goes to the nearest tile beside it.
  EXPECT_EQ(s.TilePlaces[gaps.Nearest(Cell{8, 7, 1}, D::Up)], (Cell{10, 5, 1}));
  // Every tile counts as free: Tab visits them all.
  EXPECT_EQ(s.TilePlaces[gaps.NextFree(Cell{4, 5, 1}, false)], (Cell{10, 5, 1}));
}

TEST_F(CursorInGames, RiversHardShowsTheUpperLayerOnly) {
  engine.NewRiversGame(Difficulty::Hard);
  board::BoardState& s = engine.MutableGame().Board;
  const TileCursorMap map(s, FreeRule::Every);
  EXPECT_EQ(map.Tiles().size(), 72u);
  for (int t : map.Tiles()) EXPECT_EQ(s.TilePlaces[t].z, 2);
  const int lower = s.Board.At(6, 5, 1);
  s.TakeTile(s.Board.At(6, 5, 2));
  EXPECT_TRUE(TileCursorMap(s, FreeRule::Every).Reachable(lower));
}

// Memory: the turned tiles are passed over.
TEST_F(CursorInGames, MemoryPassesOverTurnedTiles) {
  engine.NewMemoryGame(Difficulty::Easy);
  const board::BoardState& s = engine.MutableGame().Board;
  const int first = TileCursorMap(s, FreeRule::Every).First();
  const Cell home = s.TilePlaces[first];
  const int next = s.Board.At(home.x + 2, home.y, home.z);
  const TileCursorMap turned(s, FreeRule::Every, {first, next});
  EXPECT_EQ(turned.Tiles().size(), 30u);
  EXPECT_FALSE(turned.Reachable(first));
  EXPECT_EQ(s.TilePlaces[turned.Nearest(home, D::Right)], (Cell{home.x + 4, home.y, home.z}));
}

TEST(PlaceCursor, MovesOneCellAndOneLayerWithinTheGrid) {
  EXPECT_EQ(MovePlaceCursor(Cell{5, 5, 2}, D::Right), (Cell{6, 5, 2}));
  EXPECT_EQ(MovePlaceCursor(Cell{5, 5, 2}, D::Up), (Cell{5, 4, 2}));
  EXPECT_EQ(MovePlaceCursor(Cell{1, 1, 1}, D::Left), (Cell{1, 1, 1}));
  EXPECT_EQ(MovePlaceCursor(Cell{1, 1, 1}, D::Up), (Cell{1, 1, 1}));
  EXPECT_EQ(MovePlaceCursor(Cell{board::MaxX, board::MaxY, 1}, D::Right), (Cell{board::MaxX, board::MaxY, 1}));
  EXPECT_EQ(MovePlaceCursor(Cell{board::MaxX, board::MaxY, 1}, D::Down), (Cell{board::MaxX, board::MaxY, 1}));
  EXPECT_EQ(ChangePlaceLayer(Cell{5, 5, 1}, 1), (Cell{5, 5, 2}));
  EXPECT_EQ(ChangePlaceLayer(Cell{5, 5, 1}, -1), (Cell{5, 5, 1}));
  EXPECT_EQ(ChangePlaceLayer(Cell{5, 5, board::MaxZ}, 1), (Cell{5, 5, board::MaxZ}));
}

TEST(PlaceCursor, DeleteTakesThePlaceUnderTheCursorOnItsLayer) {
  board::BoardState s;
  s.PutTile(7, Cell{10, 10, 1});
  s.PutTile(8, Cell{12, 10, 1});
  s.PutTile(9, Cell{11, 10, 2});
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{10, 10, 1}), 7);
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{12, 10, 1}), 8);
  // Half a tile off: the one sharing cells, the one to the left first.
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{11, 10, 1}), 7);
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{11, 11, 1}), 7);
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{12, 10, 2}), 9);
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{10, 10, 2}), 9);
  // Nothing on the cursor's own layer: nothing, whatever lies below.
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{14, 10, 2}), 0);
  EXPECT_EQ(PlaceUnderCursor(s.Board, Cell{14, 12, 1}), 0);
}

}  // namespace
}  // namespace game::testing
