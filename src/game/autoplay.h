#pragma once
// Plays whole games through the engine's pointer input, clicking the middle
// of a tile's face the way a player does, or by key presses only, moving the
// keyboard cursor with the arrows, Tab, Home and End and pressing Space: the
// dealer's removal order in solitaire, any reachable pair in Rivers, pairs
// read off the board in Memory. Used by sorami-tool's autoplay, the tests
// and the benchmarks.

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "board/solver.h"
#include "game/engine.h"

namespace game {

// Pixel of the board image at the middle of a tile's face.
std::pair<int, int> TileFaceCentre(const Engine& engine, int tile);
void ClickTile(Engine& engine, int tile, MouseButton button = MouseButton::Left);

// The shortest run of cursor keys (arrows, Tab, Shift+Tab, Home, End) that
// takes the keyboard cursor from where it is onto the tile; empty when it is
// already there, nothing when no key sequence reaches the tile.
std::optional<std::vector<BoardKey>> KeysToReach(const Engine& engine, int tile);

enum class AutoplayInput : std::uint8_t { Pointer, Keys };

struct AutoplayHooks {
  // Clicks on the tiles, or key presses only.
  AutoplayInput Input = AutoplayInput::Pointer;
  // Runs after every click (the caller's clock moves on).
  std::function<void()> AfterClick;
  // One 50 ms timer tick (the caller moves its clock 50 ms and calls Tick).
  std::function<void()> Tick;
  // Asked before each pair: false stops the play there (unset: play on).
  std::function<bool()> KeepPlaying;
};

struct AutoplayResult {
  bool Cleared = false;  // the board was emptied
  int Clicks = 0;      // tiles picked (by a click or by Space)
  int KeyPresses = 0;
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
// One or two players: the pairs of `order`, as tile numbers, while both
// tiles are on the board. Stops at the first pair that is refused.
AutoplayResult PlayTilePairs(Engine& engine, const std::vector<board::TilePair>& order, const AutoplayHooks& hooks);
// Plays the game in hand on to its end, whatever its kind and wherever it
// stands (a resumed game): one or two players by a removal order the solver
// finds for the position (nothing is played when it finds none), Rivers and
// Memory as above.
AutoplayResult PlayToTheEnd(Engine& engine, const AutoplayHooks& hooks);

}  // namespace game
