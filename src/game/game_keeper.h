#pragma once
// The game in hand kept on disk. It is written to "Current.sorami-game" in
// the player's folder after every move (and when it is paused, loses the
// focus or the program ends) and brought back at the next start; the
// player's own copies are written and read by "Save Game As..." and "Open
// Game...".

#include <optional>
#include <string>

#include "base/latest_file_writer.h"
#include "base/texts.h"
#include "board/board.h"
#include "game/saved_game.h"

namespace game {

class Engine;

// The game in hand as a saved game: the engine's snapshot, with a turned
// Memory pair judged as the timer would judge it, the layout's file name and
// the free rule. Nothing when no game is in progress.
std::optional<SavedGame> SaveableGame(const Engine& engine);

// Puts a saved game in the engine's hands. Its layout is looked up in the
// layout list by its file name and must still have the places it was played
// on (a Rivers or Memory game keeps the layout in hand when its own is gone).
// On failure the message naming `shownName`, and the game in hand stays as
// it was.
std::optional<std::string> OpenGame(Engine& engine, SavedGame saved, const std::string& shownName);

// "Open Game..." and "Save Game As...": the message of a failure.
std::optional<std::string> OpenGameFile(Engine& engine, const std::string& path);
std::optional<std::string> SaveGameFile(const Engine& engine, const std::string& path);

// The status texts.
inline constexpr const char* GameResumedText = SORAMI_TEXT_NOOP("SavedGame", "Game resumed.");

class GameKeeper {
 public:
  explicit GameKeeper(std::string path);
  const std::string& Path() const { return path_; }

  // After anything that may have changed the game (a move, a hint, a pause,
  // a new game): writes it when it changed since it was last kept, and
  // removes the file once no game is in progress. The clock running on
  // alone writes nothing. Costs well under a millisecond: the file is
  // replaced on the writer's own thread.
  void Update(const Engine& engine);
  // The program ends: the game is kept and on the disk before it returns.
  void Finish(const Engine& engine);
  // Returns once what Update handed to the writer is on the disk.
  void Flush() { writer_.Flush(); }

  enum class Resumed { Nothing, Resumed, Refused };
  // Start-up: brings the kept game back (a finished or stopped game never
  // is: it is not kept). Refused: `message` says why, and the file stays for
  // the player to look at until the next game replaces it.
  Resumed Resume(Engine& engine, std::string& message);

  // A write that failed since the last call, for the status line.
  std::optional<std::string> TakeFailure();

 private:
  // Whether the layout in hand is the one its file holds (a game begun by
  // the editor's "Try it" on an unsaved layout is not kept).
  bool LayoutMatchesItsFile(const GameState& game);

  std::string path_;
  base::LatestFileWriter writer_;
  std::optional<std::string> failure_;  // a game that could not be written
  bool kept_ = false;                   // a game was handed to the writer
  std::string keptKey_;                 // its text without the clocks
  bool fileMayExist_ = true;
  // The last layout compared with its file.
  std::string checkedFile_;
  board::LayoutGrid checkedLayout_;
  bool checkedMatches_ = false;
};

}  // namespace game
