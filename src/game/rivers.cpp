// Mah-Jongg Rivers: the tiles lie flat in a block, any tile can be picked,
// and two tiles of one group go when they lie on one layer and a path of at
// most three straight segments through empty places joins them, also around
// the outside of the block.
#include <string>

#include "base/texts.h"
#include "game/engine.h"
#include "game/game_kind.h"

namespace game {
namespace {

// The lattice of Rivers places: x even 2..32, y odd 1..19, steps of 2.
bool CanStep(int x, int y, int dx, int dy) {
  if (dx > 0) return x < 32;
  if (dx < 0) return x > 2;
  if (dy > 0) return y < 18;
  return y > 2;
}

// The path search from one place towards the target (bx, by).
class PathSearch {
 public:
  PathSearch(const board::BoardState& board, int z, int bx, int by, RiverPath* path)
      : board_(board), z_(z), bx_(bx), by_(by), path_(path) {}

  // One segment from (x, y) in direction (dx, dy). An occupied place ends the
  // segment (found when it is the target); an empty place starts the next
  // segment. On success the places of this segment are added to the path,
  // from its end back towards its start without entering it.
  bool Segment(int level, int x, int y, int dx, int dy) {
    int px = x;
    int py = y;
    while (CanStep(px, py, dx, dy)) {
      px += dx;
      py += dy;
      bool found = false;
      if (board_.Board.At(px, py, z_) != 0) {
        if (px != bx_ || py != by_) return false;
        found = true;  // the target: it slides from here
      } else if (level < 3) {
        // Turn: after a horizontal segment down then up, after a vertical one
        // right then left.
        if (dx != 0)
          found = Segment(level + 1, px, py, 0, 2) || Segment(level + 1, px, py, 0, -2);
        else
          found = Segment(level + 1, px, py, 2, 0) || Segment(level + 1, px, py, -2, 0);
      }
      if (found) {
        for (int qx = px, qy = py; qx != x || qy != y; qx -= dx, qy -= dy) Add(qx, qy);
        return true;
      }
    }
    return false;
  }

 private:
  void Add(int x, int y) {
    if (path_ == nullptr || path_->Count >= static_cast<int>(path_->Steps.size())) return;
    path_->Steps[static_cast<std::size_t>(path_->Count++)] = {x, y};
  }

  const board::BoardState& board_;
  int z_, bx_, by_;
  RiverPath* path_;
};

}  // namespace

// Path search from the place A of `from` to the place B of `to`. Directions
// of the first segment: right, left, down, up; each later segment turns. The
// first path found in this order is used.
bool FindRiverPath(const board::BoardState& board, int from, int to, RiverPath* path) {
  if (path != nullptr) path->Count = 0;
  if (from < 1 || from > board::MaxTiles || to < 1 || to > board::MaxTiles) return false;
  const board::Cell a = board.TilePlaces[from];
  const board::Cell b = board.TilePlaces[to];
  if (a.z != b.z || !a.OnBoard() || !b.OnBoard()) return false;
  PathSearch search(board, a.z, b.x, b.y, path);
  static constexpr int kDirections[4][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}};
  for (const auto& d : kDirections)
    if (search.Segment(1, a.x, a.y, d[0], d[1])) return true;
  if (path != nullptr) path->Count = 0;
  return false;
}

class RiversRules : public GameRules {
 public:
  GameKind Kind() const override { return GameKind::Rivers; }

  void Start(Engine& engine, Difficulty level) const override {
    engine.EnterVariantTable(GameKind::Rivers, level);
    const bool easy = level == Difficulty::Easy;
    GameState& game = engine.game_;
    board::BoardState& state = game.Board;

    engine.SeedFromClock();
    state.ClearTiles();
    state.TilesLeft = easy ? 84 : 144;
    if (easy) {
      // One layer of 14 x 6 places (x 4..30, y 5..15).
      board::DealOntoBlock(state, game.Generator, board::FlatBlock{14, 2, 6, 2, 0, 1}, 1, 84);
    } else {
      // Two full layers of 12 x 6 places (x 6..28, y 5..15), one on the other;
      // tiles 1..72 below and 73..144 above, so no group spans the layers.
      for (int z = 1; z <= 2; ++z)
        board::DealOntoBlock(state, game.Generator, board::FlatBlock{12, 2, 6, 2, 2, z}, 1 + 72 * (z - 1), 72 * z);
    }
    engine.StartDealtVariant(GameKind::Rivers, base::Translate("Engine", "Mahjongg Rivers started."));
  }

  // Any tile may be picked; a pair of one group goes when a path joins it.
  void Click(Engine& engine, const BoardClick& click) const override {
    if (click.OverGrid && click.Tile > 0) engine.PickFreeTile(click.Tile);
    const Selection& picks = engine.game_.Picks;
    if (picks.First == 0 || picks.Second == 0) return;
    if (!GameRules::MayPair(engine.game_, picks.First, picks.Second))
      engine.KeepSecondPick();
    else
      engine.RiversPairResolution(picks.First, picks.Second);
  }

  bool TileFree(const GameState&, bool, int) const override { return true; }

  bool MayPair(const GameState& game, int first, int second) const override {
    return GameRules::MayPair(game, first, second) && FindRiverPath(game.Board, second, first, nullptr);
  }
};

const GameRules& RiversKind() {
  static const RiversRules rules;
  return rules;
}

void Engine::NewRiversGame(Difficulty level) { RiversKind().Start(*this, level); }

// A pair of one group in Rivers: taken when a path joins them. The history
// keeps the first tile's place from before its slide, so "Back" puts it back
// where it stood.
void Engine::RiversPairResolution(int s, int t) {
  board::BoardState& state = game_.Board;
  const board::Cell from = state.TilePlaces[s];
  if (!CanBeReached(t, s)) {
    game_.Picks.First = static_cast<std::uint8_t>(t);
    game_.Picks.Second = 0;
    RedrawTile(s);
    PlaySound("select");
    return;
  }
  const int e = state.TileCount - state.TilesLeft;
  const board::Cell to = state.TilePlaces[t];
  if (e >= 0 && e + 1 < board::MaxTiles) {
    game_.History[e] = {static_cast<std::uint8_t>(s), from.x, from.y, from.z};
    game_.History[e + 1] = {static_cast<std::uint8_t>(t), to.x, to.y, from.z};
  }
  state.TakeTile(game_.Slide.Tile);
  state.TakeTile(t);
  game_.Picks.First = game_.Picks.Second = 0;
  FullRedraw();
  state.TilesLeft -= 2;
  PlaySound("done");
}

bool Engine::CanBeReached(int t, int s) {
  game_.Slide.Active = false;
  RiverPath path;
  if (!FindRiverPath(game_.Board, t, s, &path)) return false;
  // The tile s slides from its place back along the path, shown step by step.
  const board::Cell b = game_.Board.TilePlaces[s];
  game_.Slide = RiverSlide{true, s, b.x, b.y};
  for (int i = 0; i < path.Count; ++i) {
    const RiverPath::Place& step = path.Steps[static_cast<std::size_t>(i)];
    MoveRiverTiles(step.x, step.y, b.z);
  }
  game_.Slide.Active = false;
  return true;
}

// One step of the slide, shown at once (only with "Animate Tile Rivers in
// Mahjongg Rivers" on).
void Engine::MoveRiverTiles(int x, int y, int z) {
  if (!options_.AnimateTileRivers) return;
  RiverSlide& slide = game_.Slide;
  if (x == slide.X && y == slide.Y) return;  // already there
  game_.Board.Board.Set(slide.X, slide.Y, z, 0);
  slide.X = x;
  slide.Y = y;
  RedrawTile(slide.Tile);  // the old place, now without the tile
  game_.Board.PutTile(slide.Tile, board::Cell{x, y, z});
  RedrawTile(slide.Tile);
  screen_.UpdateNow();
}

}  // namespace game
