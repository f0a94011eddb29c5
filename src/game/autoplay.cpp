// Automatic play through the engine's pointer input or its keys.
#include "game/autoplay.h"

#include <array>
#include <chrono>
#include <deque>

namespace game {
namespace {

void Press(Engine& engine, BoardKey key, AutoplayResult& result) {
  engine.OnBoardKey(key);
  ++result.KeyPresses;
}

// Moves the cursor onto the tile and presses Space. False when the keys
// cannot reach it.
bool PickByKeys(Engine& engine, int tile, AutoplayResult& result) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (engine.CursorTileShown() == tile) {
      Press(engine, BoardKey::Activate, result);
      return true;
    }
    const std::optional<std::vector<BoardKey>> keys = KeysToReach(engine, tile);
    if (!keys) return false;
    // On the tile but hidden: Space first shows the cursor.
    if (keys->empty()) Press(engine, BoardKey::Activate, result);
    for (BoardKey key : *keys) Press(engine, key, result);
  }
  return false;
}

void Click(Engine& engine, int tile, const AutoplayHooks& hooks, AutoplayResult& result) {
  if (hooks.Input == AutoplayInput::Keys) {
    if (!PickByKeys(engine, tile, result)) return;
  } else {
    ClickTile(engine, tile);
  }
  ++result.Clicks;
  if (hooks.AfterClick) hooks.AfterClick();
}

// The caller's limit on the pairs played.
bool Stopped(const AutoplayHooks& hooks) { return hooks.KeepPlaying && !hooks.KeepPlaying(); }

bool Uncovered(const Engine& engine, int tile) {
  const board::Cell c = engine.Game().Board.TilePlaces[tile];
  return c.OnBoard() && (c.z == board::MaxZ || engine.Game().Board.Board.At(c.x, c.y, c.z + 1) == 0);
}

}  // namespace

std::optional<std::vector<BoardKey>> KeysToReach(const Engine& engine, int tile) {
  const TileCursorMap map = engine.CursorMap();
  if (!map.Reachable(tile)) return std::nullopt;
  const KeyboardCursor& cursor = engine.Cursor();
  const bool placed = cursor.Tile != 0 && cursor.Place.OnBoard();
  if (placed && cursor.Tile == tile && engine.Game().Board.TilePlaces[tile] == cursor.Place) return std::vector<BoardKey>{};

  // Breadth first over the tiles, from the cursor's place (node 0).
  static constexpr BoardKey Moves[] = {BoardKey::Left,    BoardKey::Right,        BoardKey::Up,    BoardKey::Down,
                                       BoardKey::NextFree, BoardKey::PreviousFree, BoardKey::First, BoardKey::Last};
  std::array<int, board::MaxTiles + 1> cameFrom;
  cameFrom.fill(-1);
  std::array<BoardKey, board::MaxTiles + 1> keyTo{};
  std::deque<int> queue{0};
  while (!queue.empty()) {
    const int node = queue.front();
    queue.pop_front();
    const board::Cell from = node == 0 ? (placed ? cursor.Place : board::Cell{}) : engine.Game().Board.TilePlaces[node];
    for (BoardKey key : Moves) {
      const int next = KeyTarget(map, from, key);
      if (next == 0 || cameFrom[next] != -1) continue;
      cameFrom[next] = node;
      keyTo[next] = key;
      if (next == tile) {
        std::vector<BoardKey> keys;
        for (int at = tile; at != 0; at = cameFrom[at]) keys.insert(keys.begin(), keyTo[at]);
        return keys;
      }
      queue.push_back(next);
    }
  }
  return std::nullopt;
}

std::pair<int, int> TileFaceCentre(const Engine& engine, int tile) {
  const board::PixelPoint p = engine.BoardGeometry().FaceCentre(engine.Game().Board.TilePlaces[tile]);
  return {p.x, p.y};
}

void ClickTile(Engine& engine, int tile, MouseButton button) {
  const auto [x, y] = TileFaceCentre(engine, tile);
  engine.OnPointerReleased(button, x, y);
}

AutoplayResult PlayRemovalOrder(Engine& engine, const AutoplayHooks& hooks) {
  AutoplayResult result;
  const board::RemovalOrder& order = engine.LastRemovalOrder();
  for (int j = 0; 2 * j + 1 < order.Count && !Stopped(hooks); ++j) {
    const board::Cell pa = order.RemovalPairs[2 * j];
    const board::Cell pb = order.RemovalPairs[2 * j + 1];
    const int a = engine.Game().Board.Board.At(pa.x, pa.y, pa.z);
    const int b = engine.Game().Board.Board.At(pb.x, pb.y, pb.z);
    if (a == 0 || b == 0) break;
    Click(engine, a, hooks, result);
    Click(engine, b, hooks, result);
    if (engine.Game().Board.TilePlaces[a].OnBoard() || engine.Game().Board.TilePlaces[b].OnBoard()) break;
  }
  result.Cleared = engine.Game().Board.TilesLeft == 0;
  return result;
}

AutoplayResult PlayRivers(Engine& engine, const AutoplayHooks& hooks, int maxShuffles) {
  AutoplayResult result;
  while (engine.Game().Board.TilesLeft > 0 && engine.Game().Running(GameKind::Rivers) && !Stopped(hooks)) {
    // Probe with the slide off, so that probing moves nothing.
    const bool animate = engine.Opt().AnimateTileRivers;
    engine.MutableOptions().AnimateTileRivers = false;
    int first = 0, second = 0;
    for (int s = 1; s <= engine.Game().Board.TileCount && first == 0; ++s) {
      if (!Uncovered(engine, s)) continue;
      for (int t = s + 1; t <= engine.Game().Board.TileCount; ++t) {
        if (board::Group(t) != board::Group(s) || !Uncovered(engine, t)) continue;
        if (engine.CanBeReached(t, s)) {
          first = s;
          second = t;
          break;
        }
      }
    }
    engine.MutableOptions().AnimateTileRivers = animate;
    if (first == 0) {
      if (result.Shuffles >= maxShuffles) break;
      engine.Shuffle();
      ++result.Shuffles;
      continue;
    }
    Click(engine, first, hooks, result);
    Click(engine, second, hooks, result);
    if (engine.Game().Board.TilePlaces[second].OnBoard()) break;  // refused: give up
  }
  result.Cleared = engine.Game().Board.TilesLeft == 0;
  return result;
}

AutoplayResult PlayMemory(Engine& engine, const AutoplayHooks& hooks) {
  AutoplayResult result;
  while (engine.Game().Board.TilesLeft > 0 && engine.Game().Running(GameKind::Memory) && !Stopped(hooks)) {
    int first = 0, second = 0;
    for (int s = 1; s <= engine.Game().Board.TileCount && first == 0; ++s) {
      if (!engine.Game().Board.TilePlaces[s].OnBoard()) continue;
      for (int t = s + 1; t <= engine.Game().Board.TileCount; ++t)
        if (board::Group(t) == board::Group(s) && engine.Game().Board.TilePlaces[t].OnBoard()) {
          first = s;
          second = t;
          break;
        }
    }
    if (first == 0) break;
    Click(engine, first, hooks, result);
    Click(engine, second, hooks, result);
    for (int i = 0; i < RevealTicks && hooks.Tick; ++i) hooks.Tick();
    if (engine.Game().Board.TilePlaces[second].OnBoard()) break;
  }
  result.Cleared = engine.Game().Board.TilesLeft == 0;
  return result;
}

AutoplayResult PlayTilePairs(Engine& engine, const std::vector<board::TilePair>& order, const AutoplayHooks& hooks) {
  AutoplayResult result;
  const auto onBoard = [&engine](int tile) { return engine.Game().Board.TilePlaces[tile].OnBoard(); };
  for (const auto& [a, b] : order) {
    if (Stopped(hooks) || a < 1 || a > board::MaxTiles || b < 1 || b > board::MaxTiles) break;
    if (!onBoard(a) || !onBoard(b)) break;
    Click(engine, a, hooks, result);
    Click(engine, b, hooks, result);
    if (onBoard(a) || onBoard(b)) break;
  }
  result.Cleared = engine.Game().Board.TilesLeft == 0;
  return result;
}

AutoplayResult PlayToTheEnd(Engine& engine, const AutoplayHooks& hooks) {
  switch (engine.Game().Kind) {
    case GameKind::Rivers: return PlayRivers(engine, hooks);
    case GameKind::Memory: return PlayMemory(engine, hooks);
    default: break;
  }
  board::Solver solver;
  board::SolveLimits limits;
  limits.MaxTime = std::chrono::seconds(60);
  const board::SolveResult solved = solver.Solve(engine.Game().Board, engine.Opt().Vertical, limits);
  if (solved.Answer != board::Verdict::Winnable) return {};
  return PlayTilePairs(engine, solved.Order, hooks);
}

}  // namespace game
