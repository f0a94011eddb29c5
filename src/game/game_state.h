#pragma once
// A game as a value: everything that makes the game in hand what it is, and
// nothing of the window around it (pointer, status-line scrolling, options,
// folders). The engine holds one and changes it; the window and the view read
// it; a saved game writes it and reads it back; tests copy and compare it.

#include <array>
#include <cstdint>
#include <string>

#include "board/board.h"
#include "board/generator.h"

namespace game {

// What is being played. The editor is a kind of its own: it owns the board
// while a layout is made.
enum class GameKind : std::uint8_t { None, Solitaire, TwoPlayer, Rivers, Memory, Editor };

// Where the game of that kind stands. A finished game was cleared (or, in two
// players, decided); a stopped one was given up, ran out of time, or has no
// move left to make.
enum class GamePhase : std::uint8_t { Idle, Running, Paused, Finished, Stopped };

// The two sizes of Rivers and Memory.
enum class Difficulty : std::uint8_t { Easy, Hard };

// One removed tile: the pair of the k-th move is at entries 2k and 2k + 1.
struct HistoryEntry {
  std::uint8_t tile = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  bool operator==(const HistoryEntry&) const = default;
};

// The game clock. Times are the time port's milliseconds.
struct GameClock {
  std::uint32_t StartTick = 0;      // tick the running game is timed from
  std::uint32_t PausedElapsed = 0;  // ms of play at the moment of pausing
  std::int32_t ElapsedSeconds = 0;
  std::int32_t Penalty = 0;         // seconds added by hints, shuffles, "Back"
  bool operator==(const GameClock&) const = default;
};

// The player's two picks and the hint on show.
struct Selection {
  std::uint8_t First = 0;
  std::uint8_t Second = 0;
  std::int32_t HintFirst = 0;
  std::int32_t HintSecond = 0;
  std::int32_t HintIndex = 0;  // where the hint cycle is
  bool NoMovesShown = false;   // "no more moves" already told for this position
  bool operator==(const Selection&) const = default;
};

// Rivers: a tile sliding along its path to its partner.
struct RiverSlide {
  bool Active = false;
  int Tile = 0;
  int X = 0;  // board pixels of the sliding picture
  int Y = 0;
  bool operator==(const RiverSlide&) const = default;
};

// Memory: ticks left before the two turned tiles are judged (0: none turned).
struct MemoryReveal {
  std::int32_t Countdown = 0;
  bool operator==(const MemoryReveal&) const = default;
};

// Two-player solitaire: whose turn, and each player's time (ms).
struct TwoPlayerTurns {
  bool SecondToMove = false;
  std::uint32_t FirstTime = 0;
  std::uint32_t SecondTime = 0;
  std::uint32_t FirstTurnStart = 0;
  std::uint32_t SecondTurnStart = 0;
  bool operator==(const TwoPlayerTurns&) const = default;
};

struct GameState {
  // The board with its counters, and the layout's place flags.
  board::BoardState Board;
  board::LayoutGrid Layout;
  // The one random source: later shuffles draw from where the deal left it.
  board::Generator Generator;

  // Which layout: 1..layout count, or the Rivers/Memory table numbers.
  int BoardNumber = -1;
  int SavedLayoutNumber = 1;  // the solitaire layout before a Rivers/Memory game
  std::string LayoutFile;
  std::string LayoutName = "External Layout";
  std::int32_t GameSeed = 0;  // number of a numbered game (<= 0: none)

  std::array<HistoryEntry, board::MaxTiles> History{};

  GameKind Kind = GameKind::None;
  GamePhase Phase = GamePhase::Idle;
  // What pausing interrupted: resuming goes back to it.
  GamePhase PhaseBeforePause = GamePhase::Stopped;
  GameClock Clock;
  bool BoardFinished = false;
  bool GameOverHandled = false;

  Selection Picks;
  RiverSlide Slide;
  MemoryReveal Reveal;
  TwoPlayerTurns Turns;

  bool Running(GameKind k) const { return Phase == GamePhase::Running && Kind == k; }
  // A game of one of the four kinds is being played (not the editor).
  bool Playing() const { return Phase == GamePhase::Running && Kind != GameKind::None && Kind != GameKind::Editor; }
  // One- or two-player solitaire is being played: the kinds that count moves.
  bool SolitaireRunning() const { return Running(GameKind::Solitaire) || Running(GameKind::TwoPlayer); }
  int GameTime() const { return Clock.ElapsedSeconds + Clock.Penalty; }
  int MovesMade() const { return (Board.TileCount - Board.TilesLeft) / 2; }

  bool operator==(const GameState&) const = default;
};

}  // namespace game
