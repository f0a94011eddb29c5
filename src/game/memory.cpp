// Mah-Jongg Memory: the tiles lie face down in a block; the player turns two
// of them, and half a second later they are judged: a pair of one group
// leaves the board, any other two turn face down again for two seconds of
// penalty.
#include <string>

#include "base/texts.h"
#include "game/engine.h"

namespace game {

void Engine::NewMemoryGame(const std::string& caption) {
  if (BoardNumber < RiversEasyBoard) SavedLayoutNumber = BoardNumber;
  if (caption.find("Memory") != std::string::npos)
    BoardNumber = caption.find("Easy") != std::string::npos ? MemoryEasyBoard : MemoryHardBoard;
  // "New" keeps the difficulty of the last Memory game (Easy when there was none).
  if (BoardNumber != MemoryEasyBoard && BoardNumber != MemoryHardBoard) BoardNumber = MemoryEasyBoard;
  const bool easy = BoardNumber == MemoryEasyBoard;

  SeedFromClock();
  State.Board.Clear();
  for (auto& place : State.TilePlaces) place = board::Cell{};
  State.TilesLeft = easy ? 32 : 84;
  // Easy: 8 x 4 places in the middle (x 10..24, y 7..13), the first eight
  // groups. Hard: 14 x 6 places (x 4..30, y 5..15), 21 groups.
  const std::uint32_t columns = easy ? 8 : 14;
  const std::uint32_t rows = easy ? 4 : 6;
  const int firstColumn = easy ? 5 : 2;
  const int firstRow = easy ? 3 : 2;
  board::DealOntoBlock(State, Generator, board::FlatBlock{columns, firstColumn, rows, firstRow, 0, 1}, 1,
                       State.TilesLeft);
  State.TileCount = State.TilesLeft;
  ResetForNewGame();
  StartTick = Now();
  ClearPausedCaptions();
  ShowStatus(base::Translate("Engine", "Mahjongg Memory started."));
  SetMode(ModeMemory);
  FullRedraw();
  screen_.ShowHallPanel();
}

// First step of every tick: counts the reveal down and judges the two turned
// tiles when it runs out (also while paused: the board then stays hidden).
void Engine::MemoryJudgement() {
  if (RevealCountdown <= 0) return;
  if (--RevealCountdown != 0) return;
  const int a = SelectedTile1;
  const int b = SelectedTile2;
  SelectedTile1 = SelectedTile2 = 0;
  if (a == 0 || b == 0 || a == b) return;
  if (board::Group(a) == board::Group(b)) {
    // Written for the record only: Memory has no undo.
    const int e = State.TileCount - State.TilesLeft;
    if (e >= 0 && e + 1 < board::MaxTiles) {
      const board::Cell pa = State.TilePlaces[a];
      const board::Cell pb = State.TilePlaces[b];
      MoveHistory[e] = {static_cast<std::uint8_t>(a), pa.x, pa.y, pa.z};
      MoveHistory[e + 1] = {static_cast<std::uint8_t>(b), pb.x, pb.y, pb.z};
    }
    State.TakeTile(a);
    State.TakeTile(b);
    FullRedraw();
    State.TilesLeft -= 2;
    PlaySound("done");
  } else {
    FullRedraw();  // both face down again
    TimePenalty += 2;
  }
}

}  // namespace game
