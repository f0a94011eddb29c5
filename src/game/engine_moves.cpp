// Moves on the board: taking a pair, the move history with "Back" and
// "Restart", hints, the two shuffles and the counters of the status bar.
#include <array>
#include <string>
#include <utility>

#include "base/texts.h"
#include "game/engine.h"

namespace game {
namespace {

bool IsSolitaire(std::uint8_t mode) { return mode == ModeSolitaire || mode == ModeTwoPlayer; }

// Restarts of the winnable shuffle's removal before it gives up on a shape
// that no removal order can clear and shuffles plainly instead.
constexpr int MaxShuffleRestarts = 200;

}  // namespace

// ---------------------------------------------------------------- rules

bool Engine::TileFree(int tile) const {
  // Rivers and the editor have no free rule.
  if (GameMode == ModeRivers || GameMode == ModeEditor) return true;
  return Opt.Vertical ? board::IsTileFreeVertical(State, tile) : board::IsTileFree(State, tile);
}

void Engine::RecountFreeTiles() {
  if (!IsSolitaire(GameMode)) return;
  board::RecountFreeTiles(State, Opt.Vertical);
}

// ---------------------------------------------------------------- pairs and history

void Engine::RemoveSelectedPair() {
  const int e = State.TileCount - State.TilesLeft;
  const int first = SelectedTile1;
  const int second = SelectedTile2;
  if (e >= 0 && e + 1 < board::MaxTiles) {
    const board::Cell a = State.TilePlaces[first];
    const board::Cell b = State.TilePlaces[second];
    MoveHistory[e] = {static_cast<std::uint8_t>(first), a.x, a.y, a.z};
    MoveHistory[e + 1] = {static_cast<std::uint8_t>(second), b.x, b.y, b.z};
  }
  SelectedTile1 = 0;
  SelectedTile2 = 0;
  State.TakeTile(first);
  State.TakeTile(second);
  FullRedraw();
  State.TilesLeft -= 2;
  PositionChanged(false);
  PlaySound("done");
  if (GameMode == ModeTwoPlayer) PassTurn();
}

void Engine::ReleaseSameTileClickedTwice() {
  const int clicked = SelectedTile2;
  if (SelectedTile1 == SelectedTile2) {
    // The selected tile clicked again: it is let go.
    SelectedTile1 = 0;
    SelectedTile2 = 0;
    PlaySound("select");
  }
  RedrawTile(clicked);
}

void Engine::PutBackLastPair() {
  if (State.TilesLeft >= State.TileCount) return;
  State.TilesLeft += 2;
  PositionChanged(false);
  SelectedTile1 = SelectedTile2 = 0;
  HintTile1 = HintTile2 = 0;
  const int e = State.TileCount - State.TilesLeft;
  if (e < 0 || e + 1 >= board::MaxTiles) return;
  for (int i = e; i <= e + 1; ++i) {
    const HistoryEntry& entry = MoveHistory[i];
    if (entry.tile >= 1 && entry.tile <= board::MaxTiles)
      State.PutTile(entry.tile, board::Cell{entry.x, entry.y, entry.z});
  }
}

void Engine::TakeBackMove() {
  if (GameMode != ModeSolitaire && GameMode != ModeRivers) return;
  PutBackLastPair();
  FullRedraw();
}

void Engine::Back() {
  if (GameMode != ModeSolitaire && GameMode != ModeRivers) return;
  if (State.TilesLeft == 0 || State.TilesLeft >= State.TileCount) return;
  TakeBackMove();
}

void Engine::Restart() {
  if (State.TilesLeft == 0 || State.TilesLeft >= State.TileCount) return;
  if (GameMode != ModeSolitaire && GameMode != ModeRivers) return;
  while (State.TilesLeft < State.TileCount) TakeBackMove();
  ElapsedSeconds = 0;
  TimePenalty = 0;
  PausedElapsed = 0;
  StartTick = Now();
  HoverTile = 0;
  ShowStatus(base::Translate("Engine", "Game restarted."));
}

// ---------------------------------------------------------------- hint

// Repeated hints step through the available pairs in ascending tile order and
// start again after the last; each costs 40 seconds.
void Engine::Hint() {
  if (GameMode != ModeSolitaire || State.MovesLeft == 0) return;
  if (Opt.WinnableHints && WinningHint()) return;
  HintTile1 = HintTile2 = 0;
  RecountFreeTiles();
  if (State.FreeCount < 2 || State.MovesLeft == 0) return;
  HintIndex = HintIndex % State.MovesLeft + 1;
  int count = 0;
  for (int k = 1; k < State.FreeCount; ++k) {
    const int a = State.FreeTiles[k];
    const int b = State.FreeTiles[k + 1];
    if (board::Group(a) != board::Group(b)) continue;
    if (++count == HintIndex) {
      HintTile1 = a;
      HintTile2 = b;
      break;
    }
  }
  TimePenalty += 40;
  FullRedraw();
}

// ---------------------------------------------------------------- shuffles

void Engine::Shuffle() {
  if (BoardFinished) return;
  if (GameMode != ModeSolitaire && GameMode != ModeTwoPlayer && GameMode != ModeRivers) return;
  HintTile1 = HintTile2 = 0;
  SelectedTile1 = SelectedTile2 = 0;
  if (Opt.Shuffable)
    ShuffleWinnably();
  else
    PlainShuffle();
  PositionChanged(true);
  if (GameMode != ModeRivers) {
    RecountFreeTiles();
    const int n = State.MovesLeft;
    if (n >= 2)
      ShowStatus(base::Format(base::Translate("Engine", "Tiles shuffled. %1 new moves found."), {std::to_string(n)}));
    else if (n == 1)
      ShowStatus(base::Translate("Engine", "Tiles shuffled. 1 new move found."));
    else
      ShowStatus(base::Translate("Engine", "No moves found. Try to press Back a few times."));
    if (GameMode != ModeTwoPlayer) TimePenalty += 10 * n;
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
          const int t = State.Board.At(x, y, z);
          if (t < 1 || t > board::MaxTiles) continue;
          int x2, y2, z2, t2;
          do {
            x2 = static_cast<int>(Generator.NextRandom(board::MaxX)) + 1;
            y2 = static_cast<int>(Generator.NextRandom(board::MaxY)) + 1;
            z2 = static_cast<int>(Generator.NextRandom(board::MaxZ)) + 1;
            t2 = State.Board.At(x2, y2, z2);
          } while (t2 < 1 || t2 > board::MaxTiles);
          State.PutTile(t, board::Cell{x2, y2, z2});
          State.PutTile(t2, board::Cell{x, y, z});
        }
    RecountFreeTiles();
    ++attempts;
  } while (State.MovesLeft <= 0 && attempts <= 100);
}

// The winnable shuffle keeps the occupied places and which tiles pair up,
// and deals the pairs again so that the board can be cleared: it empties the
// places two free ones at a time, then hands the pairs out in reverse order.
bool Engine::ShuffleWinnably() {
  if (Opt.Animate && !Opt.NumberedGames &&
      (GameMode == ModeSolitaire || GameMode == ModeTwoPlayer || GameMode == ModeRivers))
    FullRedraw();
  const int tileCount = State.TileCount;
  const board::TilePlaceTable saved = State.TilePlaces;
  auto restore = [&] {
    State.Board.Clear();
    for (int t = 1; t <= board::MaxTiles; ++t) State.TilePlaces[t] = board::Cell{};
    for (int t = 1; t <= tileCount; ++t)
      if (saved[t].x > 0 && saved[t].y > 0 && saved[t].z > 0) State.PutTile(t, saved[t]);
  };

  // The shape: every occupied cell becomes a place still to be filled.
  State.Board.Clear();
  for (int t = 1; t <= tileCount; ++t) {
    const board::Cell c = saved[t];
    if (c.x > 0 && c.y > 0 && c.z > 0) State.Board.Set(c.x, c.y, c.z, board::PlaceMarker);
  }
  const board::PlaceList places = board::ListMarkedPlaces(State.Board);
  for (int t = 1; t <= tileCount; ++t) State.TilePlaces[t] = board::Cell{};
  State.FreeCount = board::CountFreePlaces(State.Board, places);
  if (State.FreeCount < 2) {
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
  if (board::DrawRemovalOrder(State, places, Generator, limits, order, restarts) != board::RemovalEnd::Complete) {
    // No removal order clears this shape: shuffle plainly instead.
    restore();
    PlainShuffle();
    return false;
  }

  // The pairs dealt again, the last emptied pair of places first.
  State.Board.Clear();
  for (int t = 1; t <= tileCount; ++t) State.TilePlaces[t] = board::Cell{};
  const bool animate = Opt.Animate && GameMode != ModeIdle && GameMode != ModeEditor &&
                       GameMode != ModeFinished && GameMode != ModeStopped;
  board::HandOutPairs(
      State, order,
      [&]() -> std::pair<int, int> {
        const int r = static_cast<int>(Generator.NextRandom(static_cast<std::uint32_t>(m - 1)));
        const int partner = r % 2 == 0 ? r + 1 : r - 1;
        return {remaining[r], remaining[partner]};
      },
      animate ? this : nullptr);
  return true;
}

// ---------------------------------------------------------------- counters

void Engine::ShowCounters() {
  const bool shown = GameMode == ModeSolitaire || GameMode == ModeTwoPlayer || GameMode == ModeRivers ||
                     GameMode == ModeMemory || GameMode == ModePaused;
  if (!shown || BoardFinished) {
    CounterTiles.clear();
    CounterMoves.clear();
    CounterTime.clear();
    screen_.ShowCounters(CounterTiles, CounterMoves, CounterTime);
    return;
  }
  RecountFreeTiles();
  CounterTiles = std::to_string(State.TilesLeft);
  if (Opt.ShowMovesLeft && IsSolitaire(GameMode))
    CounterMoves = std::to_string(State.MovesLeft);
  else
    CounterMoves.clear();
  if (Opt.ShowTime && (GameMode == ModeSolitaire || GameMode == ModeRivers || GameMode == ModeMemory))
    CounterTime = TimeText(GameTime());
  else
    CounterTime.clear();
  screen_.ShowCounters(CounterTiles, CounterMoves, CounterTime);
  if (State.MovesLeft > 0) NoMovesShown = false;
  if (State.TilesLeft == 0) {
    if (!GameOverHandled) FullRedraw();
  } else if (State.MovesLeft == 0 && IsSolitaire(GameMode) && !NoMovesShown) {
    ShowStatus(base::Translate("Engine", NoMoreMovesText));
    StatusDirection = 1;
    NoMovesShown = true;
  }
}

}  // namespace game
