#pragma once
// The rules of each kind of game on one small interface: how a game of the
// kind starts, what a click on the board does, which two tiles may pair,
// when the game has come to its end and how it ends, and which hall-of-fame
// table it enters. The engine picks the rules from the game's kind and
// carries out the commands; each kind lives in a file of its own
// (solitaire.cpp, two_player.cpp, rivers.cpp, memory.cpp, editor_mode.cpp).

#include <array>
#include <optional>

#include "board/geometry.h"
#include "game/game_state.h"

namespace game {

class Engine;

enum class MouseButton { Left, Middle, Right };

// A click on the board as the rules see it.
struct BoardClick {
  MouseButton Button = MouseButton::Left;
  int Tile = 0;             // the tile under the pointer; 0: none
  bool OverGrid = false;    // the pointer is over the grid of places
  board::PixelPoint Grid;   // the pointer from the grid's origin
};

class GameRules {
 public:
  virtual ~GameRules() = default;

  virtual GameKind Kind() const = 0;
  // Deals and starts a game of this kind (Rivers and Memory of that size;
  // the other kinds have one).
  virtual void Start(Engine& engine, Difficulty level) const = 0;
  // What a click on the board does.
  virtual void Click(Engine& engine, const BoardClick& click) const = 0;
  // May the tile be picked? (The solitaire kinds: the free rule in force.)
  virtual bool TileFree(const GameState& game, bool verticalRule, int tile) const;
  // Do two picked tiles leave the board together?
  virtual bool MayPair(const GameState& game, int first, int second) const;
  // Has the game come to its end: the board cleared after play began.
  virtual bool Ended(const GameState& game) const;
  // Ends the game whose board was cleared: the won game enters the hall of
  // fame (two players: the winner is told).
  virtual void Finish(Engine& engine) const;
  // The hall-of-fame table a won game enters; nothing when none.
  virtual std::optional<int> HallTable(const GameState& game) const;
};

// The rules of a kind; no kind (nothing started yet) answers by the
// one-player rules.
const GameRules& RulesOf(GameKind kind);
const GameRules& SolitaireKind();
const GameRules& TwoPlayerKind();
const GameRules& RiversKind();
const GameRules& MemoryKind();
const GameRules& EditorKind();

// Rivers: the places a tile passes when it slides to its partner, in order.
struct RiverPath {
  struct Place {
    int x = 0;
    int y = 0;
  };
  int Count = 0;
  std::array<Place, 64> Steps{};  // three segments of at most 16 places
};
// Can tile `from` (clicked second) reach tile `to` (clicked first) through
// empty places on their layer, in at most three straight segments? The path
// found first fills `path` (when given) with the places the sliding tile
// `to` passes on its way back, the place it starts on first.
bool FindRiverPath(const board::BoardState& board, int from, int to, RiverPath* path);

}  // namespace game
