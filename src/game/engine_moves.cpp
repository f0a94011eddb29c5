// Moves on the board: taking a pair, the move history with "Back" and
// "Restart", hints, the two shuffles and the counters of the status bar.
#include <array>
#include <string>
#include <utility>

#include "base/texts.h"
#include "game/engine.h"

namespace game {
namespace {

// Restarts of the winnable shuffle's removal before it gives up on a shape
// that no removal order can clear and shuffles plainly instead.
constexpr int MaxShuffleRestarts = 200;

}  // namespace

// ---------------------------------------------------------------- rules

bool Engine::TileFree(int tile) const {
  // Rivers, Memory and the editor have no free rule.
  return Rules().TileFree(game_, options_.Vertical, tile);
}

void Engine::RecountFreeTiles() {
  if (!game_.SolitaireRunning()) return;
  board::RecountFreeTiles(game_.Board, options_.Vertical);
}

// ---------------------------------------------------------------- pairs and history

void Engine::RemoveSelectedPair() {
  const int e = game_.Board.TileCount - game_.Board.TilesLeft;
  const int first = game_.Picks.First;
  const int second = game_.Picks.Second;
  if (e >= 0 && e + 1 < board::MaxTiles) {
    const board::Cell a = game_.Board.TilePlaces[first];
    const board::Cell b = game_.Board.TilePlaces[second];
    game_.History[e] = {static_cast<std::uint8_t>(first), a.x, a.y, a.z};
    game_.History[e + 1] = {static_cast<std::uint8_t>(second), b.x, b.y, b.z};
  }
  game_.Picks.First = 0;
  game_.Picks.Second = 0;
  game_.Board.TakeTile(first);
  game_.Board.TakeTile(second);
  FullRedraw();
  game_.Board.TilesLeft -= 2;
  PositionChanged(false);
  PlaySound("done");
}

void Engine::ReleaseSameTileClickedTwice() {
  const int clicked = game_.Picks.Second;
  if (game_.Picks.First == game_.Picks.Second) {
    // The selected tile clicked again: it is let go.
    game_.Picks.First = 0;
    game_.Picks.Second = 0;
    PlaySound("select");
  }
  RedrawTile(clicked);
}

void Engine::PutBackLastPair() {
  if (game_.Board.TilesLeft >= game_.Board.TileCount) return;
  game_.Board.TilesLeft += 2;
  PositionChanged(false);
  game_.Picks.First = game_.Picks.Second = 0;
  game_.Picks.HintFirst = game_.Picks.HintSecond = 0;
  const int e = game_.Board.TileCount - game_.Board.TilesLeft;
  if (e < 0 || e + 1 >= board::MaxTiles) return;
  for (int i = e; i <= e + 1; ++i) {
    const HistoryEntry& entry = game_.History[i];
    if (entry.tile >= 1 && entry.tile <= board::MaxTiles)
      game_.Board.PutTile(entry.tile, board::Cell{entry.x, entry.y, entry.z});
  }
}

void Engine::TakeBackMove() {
  if (!game_.Running(GameKind::Solitaire) && !game_.Running(GameKind::Rivers)) return;
  PutBackLastPair();
  FullRedraw();
}

void Engine::Back() {
  if (!game_.Running(GameKind::Solitaire) && !game_.Running(GameKind::Rivers)) return;
  if (game_.Board.TilesLeft == 0 || game_.Board.TilesLeft >= game_.Board.TileCount) return;
  TakeBackMove();
}

void Engine::Restart() {
  if (game_.Board.TilesLeft == 0 || game_.Board.TilesLeft >= game_.Board.TileCount) return;
  if (!game_.Running(GameKind::Solitaire) && !game_.Running(GameKind::Rivers)) return;
  while (game_.Board.TilesLeft < game_.Board.TileCount) TakeBackMove();
  game_.Clock.ElapsedSeconds = 0;
  game_.Clock.Penalty = 0;
  game_.Clock.PausedElapsed = 0;
  game_.Clock.StartTick = Now();
  hoverTile_ = 0;
  ShowStatus(base::Translate("Engine", "Game restarted."));
}

// ---------------------------------------------------------------- hint

// Repeated hints step through the available pairs in ascending tile order and
// start again after the last; each costs 40 seconds.
void Engine::Hint() {
  if (!game_.Running(GameKind::Solitaire) || game_.Board.MovesLeft == 0) return;
  if (options_.WinnableHints && WinningHint()) return;
  game_.Picks.HintFirst = game_.Picks.HintSecond = 0;
  RecountFreeTiles();
  if (game_.Board.FreeCount < 2 || game_.Board.MovesLeft == 0) return;
  game_.Picks.HintIndex = game_.Picks.HintIndex % game_.Board.MovesLeft + 1;
  int count = 0;
  for (int k = 1; k < game_.Board.FreeCount; ++k) {
    const int a = game_.Board.FreeTiles[k];
    const int b = game_.Board.FreeTiles[k + 1];
    if (board::Group(a) != board::Group(b)) continue;
    if (++count == game_.Picks.HintIndex) {
      game_.Picks.HintFirst = a;
      game_.Picks.HintSecond = b;
      break;
    }
  }
  game_.Clock.Penalty += 40;
  FullRedraw();
}

// ---------------------------------------------------------------- shuffles

void Engine::Shuffle() {
  if (game_.BoardFinished) return;
  if (!game_.SolitaireRunning() && !game_.Running(GameKind::Rivers)) return;
  game_.Picks.HintFirst = game_.Picks.HintSecond = 0;
  game_.Picks.First = game_.Picks.Second = 0;
  if (options_.Shuffable)
    ShuffleWinnably();
  else
    PlainShuffle();
  PositionChanged(true);
  if (!game_.Running(GameKind::Rivers)) {
    RecountFreeTiles();
    const int n = game_.Board.MovesLeft;
    if (n >= 2)
      ShowStatus(base::Format(base::Translate("Engine", "Tiles shuffled. %1 new moves found."), {std::to_string(n)}));
    else if (n == 1)
      ShowStatus(base::Translate("Engine", "Tiles shuffled. 1 new move found."));
    else
      ShowStatus(base::Translate("Engine", "No moves found. Try to press Back a few times."));
    if (!game_.Running(GameKind::TwoPlayer)) game_.Clock.Penalty += 10 * n;
  }
  FullRedraw();
  screen_.UpdateNow();
}

// Every tile swaps places with a tile on a random occupied cell; passes are
// repeated (at most 101) until a move exists. The generator goes on from the
// deal, so a numbered game shuffles the same way every time.
void Engine::PlainShuffle() {
  int attempts = 0;
  do {
    for (int x = 1; x <= board::MaxX; ++x)
      for (int y = 1; y <= board::MaxY; ++y)
        for (int z = 1; z <= board::MaxZ; ++z) {
          const int t = game_.Board.Board.At(x, y, z);
          if (t < 1 || t > board::MaxTiles) continue;
          int x2, y2, z2, t2;
          do {
            x2 = static_cast<int>(game_.Generator.NextRandom(board::MaxX)) + 1;
            y2 = static_cast<int>(game_.Generator.NextRandom(board::MaxY)) + 1;
            z2 = static_cast<int>(game_.Generator.NextRandom(board::MaxZ)) + 1;
            t2 = game_.Board.Board.At(x2, y2, z2);
          } while (t2 < 1 || t2 > board::MaxTiles);
          game_.Board.PutTile(t, board::Cell{x2, y2, z2});
          game_.Board.PutTile(t2, board::Cell{x, y, z});
        }
    RecountFreeTiles();
    ++attempts;
  } while (game_.Board.MovesLeft <= 0 && attempts <= 100);
}

// The winnable shuffle keeps the occupied places and which tiles pair up,
// and deals the pairs again so that the board can be cleared: it empties the
// places two free ones at a time, then hands the pairs out in reverse order.
bool Engine::ShuffleWinnably() {
  if (options_.Animate && !options_.NumberedGames &&
      (game_.SolitaireRunning() || game_.Running(GameKind::Rivers)))
    FullRedraw();
  const int tileCount = game_.Board.TileCount;
  const board::TilePlaceTable saved = game_.Board.TilePlaces;
  auto restore = [&] {
    game_.Board.Board.Clear();
    for (int t = 1; t <= board::MaxTiles; ++t) game_.Board.TilePlaces[t] = board::Cell{};
    for (int t = 1; t <= tileCount; ++t)
      if (saved[t].x > 0 && saved[t].y > 0 && saved[t].z > 0) game_.Board.PutTile(t, saved[t]);
  };

  // The shape: every occupied cell becomes a place still to be filled.
  game_.Board.Board.Clear();
  for (int t = 1; t <= tileCount; ++t) {
    const board::Cell c = saved[t];
    if (c.x > 0 && c.y > 0 && c.z > 0) game_.Board.Board.Set(c.x, c.y, c.z, board::PlaceMarker);
  }
  const board::PlaceList places = board::ListMarkedPlaces(game_.Board.Board);
  for (int t = 1; t <= tileCount; ++t) game_.Board.TilePlaces[t] = board::Cell{};
  game_.Board.FreeCount = board::CountFreePlaces(game_.Board.Board, places);
  if (game_.Board.FreeCount < 2) {
    restore();
    return true;
  }

  // The tiles on the board in ascending order: entries 2j and 2j+1 are always
  // one pair, because tiles leave the board in matching pairs.
  std::array<int, board::MaxTiles> remaining{};
  int m = 0;
  for (int t = 1; t <= tileCount; ++t)
    if (saved[t].x > 0 && saved[t].y > 0 && saved[t].z > 0 && m < board::MaxTiles) remaining[m++] = t;
  bool pairsHold = m == places.Count && m % 2 == 0;
  for (int j = 0; pairsHold && 2 * j + 1 < m; ++j)
    pairsHold = board::Group(remaining[2 * j]) == board::Group(remaining[2 * j + 1]);
  if (!pairsHold) {
    // An odd tile out (a layout with an odd number of places): no pairing
    // to keep, so the tiles are shuffled plainly.
    restore();
    PlainShuffle();
    return false;
  }

  // The dealer's removal, with the shuffle's own bound: no search, and a
  // plain shuffle after MaxShuffleRestarts restarts.
  SeedFromClock();
  board::RemovalOrder order;
  int restarts = 0;
  const board::RemovalLimits limits{0, MaxShuffleRestarts + 1};
  if (board::DrawRemovalOrder(game_.Board, places, game_.Generator, limits, order, restarts) != board::RemovalEnd::Complete) {
    // No removal order clears this shape: shuffle plainly instead.
    restore();
    PlainShuffle();
    return false;
  }

  // The pairs dealt again, the last emptied pair of places first.
  game_.Board.Board.Clear();
  for (int t = 1; t <= tileCount; ++t) game_.Board.TilePlaces[t] = board::Cell{};
  const bool animate = options_.Animate && (game_.Playing() || game_.Phase == GamePhase::Paused);
  board::HandOutPairs(
      game_.Board, order,
      [&]() -> std::pair<int, int> {
        const int r = static_cast<int>(game_.Generator.NextRandom(static_cast<std::uint32_t>(m - 1)));
        const int partner = r % 2 == 0 ? r + 1 : r - 1;
        return {remaining[r], remaining[partner]};
      },
      animate ? this : nullptr);
  return true;
}

// ---------------------------------------------------------------- counters

void Engine::ShowCounters() {
  const bool shown = game_.Playing() || game_.Phase == GamePhase::Paused;
  if (!shown || game_.BoardFinished) {
    counterTiles_.clear();
    counterMoves_.clear();
    counterTime_.clear();
    screen_.ShowCounters(counterTiles_, counterMoves_, counterTime_);
    return;
  }
  RecountFreeTiles();
  counterTiles_ = std::to_string(game_.Board.TilesLeft);
  if (options_.ShowMovesLeft && game_.SolitaireRunning())
    counterMoves_ = std::to_string(game_.Board.MovesLeft);
  else
    counterMoves_.clear();
  if (options_.ShowTime && game_.Playing() && game_.Kind != GameKind::TwoPlayer)
    counterTime_ = TimeText(GameTime());
  else
    counterTime_.clear();
  screen_.ShowCounters(counterTiles_, counterMoves_, counterTime_);
  if (game_.Board.MovesLeft > 0) game_.Picks.NoMovesShown = false;
  if (game_.Board.TilesLeft == 0) {
    if (!game_.GameOverHandled) FullRedraw();
  } else if (game_.Board.MovesLeft == 0 && game_.SolitaireRunning() && !game_.Picks.NoMovesShown) {
    ShowStatus(base::Translate("Engine", NoMoreMovesText));
    statusDirection_ = 1;
    game_.Picks.NoMovesShown = true;
  }
}

}  // namespace game
