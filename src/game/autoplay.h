#pragma once
// Plays whole games through the engine's pointer input, clicking the middle
// of a tile's face the way a player does: the dealer's removal order in
// solitaire, any reachable pair in Rivers, pairs read off the board in
// Memory. Used by sorami-tool's autoplay, the tests and the benchmarks.

#include <functional>
#include <utility>

#include "game/engine.h"

namespace game {

// Pixel of the board image at the middle of a tile's face.
std::pair<int, int> TileFaceCentre(const Engine& engine, int tile);
void ClickTile(Engine& engine, int tile, MouseButton button = MouseButton::Left);

struct AutoplayHooks {
  // Runs after every click (the caller's clock moves on).
  std::function<void()> AfterClick;
  // One 50 ms timer tick (the caller moves its clock 50 ms and calls Tick).
  std::function<void()> Tick;
};

struct AutoplayResult {
  bool Cleared = false;  // the board was emptied
  int Clicks = 0;
  int Shuffles = 0;
};

// Solitaire (one or two players) on a winnable deal: the pairs in the order
// the dealer emptied their places. Stops at the first pair that is refused.
AutoplayResult PlayRemovalOrder(Engine& engine, const AutoplayHooks& hooks);
// Rivers: any pair of one group, both tiles uncovered, that the path search
// accepts; a shuffle when none is left (at most maxShuffles).
AutoplayResult PlayRivers(Engine& engine, const AutoplayHooks& hooks, int maxShuffles = 200);
// Memory: turns the two tiles of a pair read off the board, then lets the
// reveal run out.
AutoplayResult PlayMemory(Engine& engine, const AutoplayHooks& hooks);

}  // namespace game
