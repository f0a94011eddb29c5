#pragma once
// Games in progress made without an engine, for the saved-game tests: dealt
// as the engine deals them, with a few pairs taken.

#include <gtest/gtest.h>

#include <cstdint>

#include "board/board.h"
#include "board/dealing.h"
#include "board/test_layouts.h"
#include "game/game_state.h"
#include "game/hall_of_fame.h"

namespace game::testing {

inline void RecordPair(GameState& s, int a, int b) {
  board::BoardState& board = s.Board;
  const int e = board.TileCount - board.TilesLeft;
  for (const int t : {a, b}) {
    const board::Cell c = board.TilePlaces[t];
    s.History[static_cast<std::size_t>(t == a ? e : e + 1)] = {static_cast<std::uint8_t>(t), c.x, c.y, c.z};
  }
  board.TakeTile(a);
  board.TakeTile(b);
  board.TilesLeft -= 2;
}

inline GameState Started(GameKind kind, int boardNumber) {
  GameState s;
  s.Layout = board::testing::Turtle();
  s.LayoutFile = "/games/Layouts/Turtle.lay";
  s.LayoutName = "Turtle";
  s.BoardNumber = boardNumber;
  s.SavedLayoutNumber = 1;
  s.Kind = kind;
  s.Phase = GamePhase::Running;
  s.PhaseBeforePause = GamePhase::Stopped;
  // As the engine's snapshot holds it: the time played, not ticks.
  s.Clock.PausedElapsed = 61500;
  s.Clock.ElapsedSeconds = 61;
  return s;
}

// Numbered game `seed` on the turtle, `pairs` free pairs taken.
inline GameState SolitaireGame(std::int32_t seed, int pairs, bool vertical = false) {
  GameState s = Started(GameKind::Solitaire, 1);
  s.GameSeed = seed;
  board::DealRequest request;
  request.Seed = board::SeedChoice::Exact(static_cast<std::uint32_t>(seed));
  board::Deal(s.Board, s.Layout, s.Generator, request);
  s.Board.TileCount = s.Board.TilesLeft;
  for (int p = 0; p < pairs; ++p) {
    board::RecountFreeTiles(s.Board, vertical);
    bool taken = false;
    for (int k = 1; k < s.Board.FreeCount && !taken; ++k) {
      const int a = s.Board.FreeTiles[k], b = s.Board.FreeTiles[k + 1];
      if (board::Group(a) != board::Group(b)) continue;
      RecordPair(s, a, b);
      taken = true;
    }
    EXPECT_TRUE(taken) << "game " << seed << " is stuck after " << p << " pairs";
  }
  board::RecountFreeTiles(s.Board, vertical);
  return s;
}

// A Rivers or Memory game on its block, the first `pairs` groups' first two
// tiles taken.
inline GameState FlatGame(GameKind kind, int boardNumber, int pairs) {
  GameState s = Started(kind, boardNumber);
  s.Generator.GeneratorSeed = 77u + static_cast<std::uint32_t>(boardNumber);
  board::BoardState& b = s.Board;
  if (boardNumber == kRiversHardTable) {
    b.TilesLeft = 144;
    for (int z = 1; z <= 2; ++z)
      board::DealOntoBlock(b, s.Generator, board::FlatBlock{12, 2, 6, 2, 2, z}, 1 + 72 * (z - 1), 72 * z);
  } else if (boardNumber == kMemoryEasyTable) {
    b.TilesLeft = 32;
    board::DealOntoBlock(b, s.Generator, board::FlatBlock{8, 5, 4, 3, 0, 1}, 1, 32);
  } else {
    b.TilesLeft = 84;
    board::DealOntoBlock(b, s.Generator, board::FlatBlock{14, 2, 6, 2, 0, 1}, 1, 84);
  }
  b.TileCount = b.TilesLeft;
  for (int p = 0; p < pairs; ++p) RecordPair(s, 4 * p + 1, 4 * p + 2);
  return s;
}

inline GameState RiversGame(int boardNumber, int pairs) { return FlatGame(GameKind::Rivers, boardNumber, pairs); }
inline GameState MemoryGame(int boardNumber, int pairs) { return FlatGame(GameKind::Memory, boardNumber, pairs); }

// "Back": the last pair goes back; its history entries stay behind.
inline void TakeBackPair(GameState& s) {
  board::BoardState& b = s.Board;
  b.TilesLeft += 2;
  const int e = b.TileCount - b.TilesLeft;
  for (int i = e; i <= e + 1; ++i) {
    const HistoryEntry& h = s.History[static_cast<std::size_t>(i)];
    b.PutTile(h.tile, board::Cell{h.x, h.y, h.z});
  }
}

inline int FirstTileOnBoard(const GameState& s) {
  for (int t = 1; t <= s.Board.TileCount; ++t)
    if (s.Board.TilePlaces[t].OnBoard()) return t;
  return 0;
}

// The state a saved game of the snapshot `s` reads back as: no tick counts
// (Restore sets them), and what the game no longer needs (the history past
// the moves made, the free-tile counts outside solitaire, turns outside
// two-player) cleared.
inline GameState CanonicalAfterReading(const GameState& s, bool vertical) {
  GameState c = s;
  c.Clock.StartTick = 0;
  c.Turns.FirstTurnStart = c.Turns.SecondTurnStart = 0;
  if (c.Kind != GameKind::TwoPlayer) c.Turns = TwoPlayerTurns{};
  if (!c.Slide.Active) c.Slide = RiverSlide{};
  for (int i = c.Board.TileCount - c.Board.TilesLeft; i < board::MaxTiles; ++i)
    c.History[static_cast<std::size_t>(i)] = HistoryEntry{};
  // The free tiles are counted afresh (a count leaves older entries past
  // its end as they were).
  c.Board.FreeCount = 0;
  c.Board.FreeTiles.fill(0);
  c.Board.MovesLeft = 0;
  if (c.Kind == GameKind::Solitaire || c.Kind == GameKind::TwoPlayer) board::RecountFreeTiles(c.Board, vertical);
  return c;
}

}  // namespace game::testing
