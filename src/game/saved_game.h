#pragma once
// Saved games: a game in progress written to a small text file and read back
// exactly, for resuming the last game at start-up and for "Save Game As..." /
// "Open Game...".
//
// The file is plain UTF-8 text, one item a line, in a fixed order:
//
//   Sorami saved game 1                  magic and format version
//   layout-file Traditional.lay          the layout's file name in the Layouts folders
//   layout-name Traditional              its caption (escaped text, see below)
//   layout-number 1                      board number: layout 1..99, Rivers 100/101, Memory 110/111
//   solitaire-layout-number 1            the layout a Rivers or Memory game goes back to (<= 0: none)
//   game-number 0                        the number of a numbered game (<= 0: none)
//   kind solitaire                       solitaire | two-player | rivers | memory
//   phase running                        running | paused
//   phase-before-pause stopped           idle | running | finished | stopped
//   free-rule normal                     normal | vertical
//   generator 2882400001                 the random source's state
//   clock PLAYED ELAPSED PENALTY         ms of play, seconds shown, penalty seconds
//   selection FIRST SECOND               picked tiles (0: none)
//   hint FIRST SECOND INDEX              the hint on show and where the cycle is
//   no-moves-told 0                      "no more moves" already said (0 or 1)
//   slide ACTIVE TILE X Y                Rivers: a tile on its way (0 0 0 0: none)
//   reveal TICKS                         Memory: ticks before a turned pair is judged
//   turns SECOND-TO-MOVE FIRST-MS SECOND-MS   two players' times (ms)
//   layout-places N                      then N lines "X Y Z", in running order
//   tiles N                              then N lines "X Y Z" for tiles 1..N (0 0 0: removed)
//   removed N                            then N lines "TILE X Y Z", in the order taken
//   end
//
// Times are durations played, never the machine's tick counts: the game is
// written from the engine's snapshot (the time played so far, the mover's
// turn counted into the player's total), and the engine's Restore lets the
// clocks go on from there, so the time the program was closed does not
// count. Text values escape '\' as "\\", line breaks as "\n" and "\r", and
// other control characters as "\xHH". A reader refuses a version it does not
// know, and anything that does not describe one consistent game: every number
// is bounded, every tile is either on the board or among the removed tiles,
// removed tiles go in pairs of one group, no two tiles share a place, and every
// place is one of the layout's (Rivers and Memory: one of their blocks').

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/game_state.h"

namespace game {

inline constexpr int SavedGameVersion = 1;
inline constexpr const char* SavedGameMagic = "Sorami saved game ";
// The extension of saved games, and the file of the game in hand kept beside
// the hall of fame.
inline constexpr const char* SavedGameExtension = ".sorami-game";
inline constexpr const char* CurrentGameFileName = "Current.sorami-game";
// Bigger files are refused unread (a saved game is at most some 40 KB).
inline constexpr std::uint64_t MaxSavedGameSize = 256 * 1024;

// A game as the file holds it: the state, and what is needed to set it up
// again that is not part of the state.
struct SavedGame {
  GameState State;
  // The layout's file name as the Layouts folders know it ("Traditional.lay");
  // the opener looks it up there and compares its places with
  // State.Layout. May be empty for Rivers and Memory.
  std::string LayoutFileName;
  // The free rule the game is played by.
  bool VerticalRule = false;
  bool operator==(const SavedGame&) const = default;
};

// Whether a game is in progress that a saved game can hold: one- or
// two-player solitaire, Rivers or Memory, running or paused, not cleared.
bool IsResumable(const GameState& state);

// Why a saved game could not be read or written.
struct SavedGameError {
  enum class Kind {
    CannotRead,   // missing, unreadable, a folder, too big
    Foreign,      // not a saved game at all
    Newer,        // a format this version does not know
    Truncated,    // ends before it is complete
    Damaged,      // a bad line, or parts that do not agree
    CannotWrite,  // nothing to save, or the file could not be replaced
  };
  Kind What = Kind::Damaged;
  std::string Message;      // the player's language, naming the file
  std::string Detail = {};  // for a damaged file: what is wrong, without the file
};

struct SavedGameRead {
  std::optional<SavedGame> Game;
  SavedGameError Error;  // when Game is empty
  explicit operator bool() const { return Game.has_value(); }
};

// The file's text for `game` (which IsResumable, its state a snapshot).
std::string SavedGameText(const SavedGame& game);

// Reads a saved game's text; `name` names the file in messages. The state
// read holds the time played (Clock.PausedElapsed, the players' totals) and
// no tick counts: it is put back with the engine's Restore.
SavedGameRead ReadSavedGameText(std::string_view text, const std::string& name);
SavedGameRead ReadSavedGameFile(const std::string& path);

// The text of a game to be written: refused (an error returned) when the
// game is not in progress or does not read back as itself.
std::optional<SavedGameError> PrepareSavedGame(const SavedGame& game, std::string& text);

// Writes the game to `path` so that the file is always either the old one
// or the new one whole (a temporary file beside it, flushed, then renamed).
// Nothing is written, and an error returned, when the game is not in
// progress or does not read back as itself.
std::optional<SavedGameError> WriteSavedGameFile(const std::string& path, const SavedGame& game);

}  // namespace game
