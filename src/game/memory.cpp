// Mah-Jongg Memory: the tiles lie face down in a block; the player turns two
// of them, and half a second later they are judged: a pair of one group
// leaves the board, any other two turn face down again for two seconds of
// penalty.
#include <string>

#include "base/texts.h"
#include "game/engine.h"
#include "game/game_kind.h"

namespace game {

class MemoryRules : public GameRules {
 public:
  GameKind Kind() const override { return GameKind::Memory; }

  void Start(Engine& engine, Difficulty level) const override {
    engine.EnterVariantTable(GameKind::Memory, level);
    const bool easy = level == Difficulty::Easy;
    GameState& game = engine.game_;
    board::BoardState& state = game.Board;

    engine.SeedFromClock();
    state.ClearTiles();
    state.TilesLeft = easy ? 32 : 84;
    // Easy: 8 x 4 places in the middle (x 10..24, y 7..13), the first eight
    // groups. Hard: 14 x 6 places (x 4..30, y 5..15), 21 groups.
    const std::uint32_t columns = easy ? 8 : 14;
    const std::uint32_t rows = easy ? 4 : 6;
    const int firstColumn = easy ? 5 : 2;
    const int firstRow = easy ? 3 : 2;
    board::DealOntoBlock(state, game.Generator, board::FlatBlock{columns, firstColumn, rows, firstRow, 0, 1}, 1,
                         state.TilesLeft);
    engine.StartDealtVariant(GameKind::Memory, base::Translate("Engine", "Mahjongg Memory started."));
  }

  // A click turns a tile face up; the second one turned starts the reveal,
  // and the timer judges the pair (see MemoryJudgement). The turned tile
  // clicked again does nothing.
  void Click(Engine& engine, const BoardClick& click) const override {
    if (!click.OverGrid || click.Tile <= 0) return;
    Selection& picks = engine.game_.Picks;
    const int t = click.Tile;
    if (picks.First == 0) {
      picks.First = static_cast<std::uint8_t>(t);
      engine.AcknowledgeTile(t);
      return;
    }
    picks.Second = static_cast<std::uint8_t>(t);
    if (t != picks.First) {
      engine.AcknowledgeTile(t);
      engine.game_.Reveal.Countdown = RevealTicks;
    }
  }

  // Face down, any tile may be turned.
  bool TileFree(const GameState&, bool, int) const override { return true; }
};

const GameRules& MemoryKind() {
  static const MemoryRules rules;
  return rules;
}

void Engine::NewMemoryGame(Difficulty level) { MemoryKind().Start(*this, level); }

// First step of every tick: counts the reveal down and judges the two turned
// tiles when it runs out (also while paused: the board then stays hidden).
void Engine::MemoryJudgement() {
  if (game_.Reveal.Countdown <= 0) return;
  if (--game_.Reveal.Countdown != 0) return;
  const int a = game_.Picks.First;
  const int b = game_.Picks.Second;
  game_.Picks.First = game_.Picks.Second = 0;
  if (a == 0 || b == 0) return;
  board::BoardState& state = game_.Board;
  if (MemoryKind().MayPair(game_, a, b)) {
    // Written for the record only: Memory has no undo.
    const int e = state.TileCount - state.TilesLeft;
    if (e >= 0 && e + 1 < board::MaxTiles) {
      const board::Cell pa = state.TilePlaces[a];
      const board::Cell pb = state.TilePlaces[b];
      game_.History[e] = {static_cast<std::uint8_t>(a), pa.x, pa.y, pa.z};
      game_.History[e + 1] = {static_cast<std::uint8_t>(b), pb.x, pb.y, pb.z};
    }
    state.TakeTile(a);
    state.TakeTile(b);
    FullRedraw();
    state.TilesLeft -= 2;
    PlaySound("done");
  } else if (a != b) {
    FullRedraw();  // both face down again
    game_.Clock.Penalty += 2;
  }
}

}  // namespace game
