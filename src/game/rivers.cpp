// Mah-Jongg Rivers: the tiles lie flat in a block, any tile can be picked,
// and two tiles of one group go when they lie on one layer and a path of at
// most three straight segments through empty places joins them, also around
// the outside of the block.
#include <string>

#include "base/texts.h"
#include "game/engine.h"

namespace game {
namespace {

// The lattice of Rivers places: x even 2..32, y odd 1..19, steps of 2.
bool CanStep(int x, int y, int dx, int dy) {
  if (dx > 0) return x < 32;
  if (dx < 0) return x > 2;
  if (dy > 0) return y < 18;
  return y > 2;
}

}  // namespace

void Engine::NewRiversGame(const std::string& caption) {
  if (BoardNumber < RiversEasyBoard) SavedLayoutNumber = BoardNumber;
  if (caption.find("Rivers") != std::string::npos)
    BoardNumber = caption.find("Easy") != std::string::npos ? RiversEasyBoard : RiversHardBoard;
  // "New" keeps the difficulty of the last Rivers game (Easy when there was none).
  if (BoardNumber != RiversEasyBoard && BoardNumber != RiversHardBoard) BoardNumber = RiversEasyBoard;
  const bool easy = BoardNumber == RiversEasyBoard;

  SeedFromClock();
  State.Board.Clear();
  for (auto& place : State.TilePlaces) place = board::Cell{};
  State.TilesLeft = easy ? 84 : 144;
  if (easy) {
    // One layer of 14 x 6 places (x 4..30, y 5..15).
    board::DealOntoBlock(State, Generator, board::FlatBlock{14, 2, 6, 2, 0, 1}, 1, 84);
  } else {
    // Two full layers of 12 x 6 places (x 6..28, y 5..15), one on the other;
    // tiles 1..72 below and 73..144 above, so no group spans the layers.
    for (int z = 1; z <= 2; ++z)
      board::DealOntoBlock(State, Generator, board::FlatBlock{12, 2, 6, 2, 2, z}, 1 + 72 * (z - 1), 72 * z);
  }
  State.TileCount = State.TilesLeft;
  ResetForNewGame();
  StartTick = Now();
  ClearPausedCaptions();
  ShowStatus(base::Translate("Engine", "Mahjongg Rivers started."));
  SetMode(ModeRivers);
  FullRedraw();
  screen_.ShowHallPanel();
}

// A pair of one group in Rivers: taken when a path joins them. The history
// keeps the first tile's place from before its slide, so "Back" puts it back
// where it stood.
void Engine::RiversPairResolution(int s, int t) {
  const board::Cell from = State.TilePlaces[s];
  if (!CanBeReached(t, s)) {
    SelectedTile1 = static_cast<std::uint8_t>(t);
    SelectedTile2 = 0;
    RedrawTile(s);
    PlaySound("select");
    return;
  }
  const int e = State.TileCount - State.TilesLeft;
  const board::Cell to = State.TilePlaces[t];
  if (e >= 0 && e + 1 < board::MaxTiles) {
    MoveHistory[e] = {static_cast<std::uint8_t>(s), from.x, from.y, from.z};
    MoveHistory[e + 1] = {static_cast<std::uint8_t>(t), to.x, to.y, from.z};
  }
  State.TakeTile(SlidingTile);
  State.TakeTile(t);
  SelectedTile1 = SelectedTile2 = 0;
  FullRedraw();
  State.TilesLeft -= 2;
  PlaySound("done");
}

// Path search from t's place A to s's place B. Directions of the first
// segment: right, left, down, up; each later segment turns: after a
// horizontal one it scans down then up, after a vertical one right then left.
// The first path found in this order is used.
bool Engine::CanBeReached(int t, int s) {
  RiverSlideActive = false;
  const board::Cell a = State.TilePlaces[t];
  const board::Cell b = State.TilePlaces[s];
  if (a.z != b.z || !a.OnBoard() || !b.OnBoard()) return false;
  static constexpr int kDirections[4][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}};
  for (const auto& d : kDirections)
    if (RiverSegment(1, a.x, a.y, a.z, d[0], d[1], b.x, b.y)) {
      RiverSlideActive = false;
      return true;
    }
  return false;
}

// One segment from (x, y) in direction (dx, dy). An occupied place ends the
// segment (found when it is the target B); an empty place starts the next
// segment. On success the sliding tile is moved back along this segment,
// towards its start without entering it.
bool Engine::RiverSegment(int level, int x, int y, int z, int dx, int dy, int bx, int by) {
  int px = x;
  int py = y;
  while (CanStep(px, py, dx, dy)) {
    px += dx;
    py += dy;
    bool found = false;
    if (State.Board.At(px, py, z) != 0) {
      if (px != bx || py != by) return false;
      // The target: it slides from here.
      RiverSlideActive = true;
      SlidingTile = State.Board.At(px, py, z);
      SlideX = px;
      SlideY = py;
      found = true;
    } else if (level < 3) {
      // Turn: after a horizontal segment down then up, after a vertical one
      // right then left.
      if (dx != 0)
        found = RiverSegment(level + 1, px, py, z, 0, 2, bx, by) ||
                RiverSegment(level + 1, px, py, z, 0, -2, bx, by);
      else
        found = RiverSegment(level + 1, px, py, z, 2, 0, bx, by) ||
                RiverSegment(level + 1, px, py, z, -2, 0, bx, by);
    }
    if (found) {
      for (int qx = px, qy = py; qx != x || qy != y; qx -= dx, qy -= dy) MoveRiverTiles(qx, qy, z);
      return true;
    }
  }
  return false;
}

// One step of the slide, shown at once (only with "Animate Tile Rivers in
// Mahjongg Rivers" on).
void Engine::MoveRiverTiles(int x, int y, int z) {
  if (!Opt.AnimateTileRivers) return;
  if (x == SlideX && y == SlideY) return;  // already there
  State.Board.Set(SlideX, SlideY, z, 0);
  SlideX = x;
  SlideY = y;
  RedrawTile(SlidingTile);  // the old place, now without the tile
  State.PutTile(SlidingTile, board::Cell{x, y, z});
  RedrawTile(SlidingTile);
  screen_.UpdateNow();
}

}  // namespace game
