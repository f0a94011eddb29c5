#pragma once
// "Sorami.ini", section "Sorami": every option, the player's name, the last
// layout, music piece, tileset and background, and the window's position.
// Read once while the main window is built and written once when it closes.
//
// Settings is the file's content as plain values; ReadSettings and
// WriteSettings walk the keys in the file's order with their types and
// defaults. Turning the stored numbers into valid list numbers, and working
// out "Background", "Tileset" and "BoardNumber" from the menus before a
// write, is the window's part.

#include <string>

#include "base/ini_file.h"
#include "game/options.h"

namespace app {

inline constexpr const char* kSettingsFile = "Sorami.ini";
inline constexpr const char* kSettingsSection = "Sorami";

struct Settings {
  int Highlight = 3;                    // 0 None .. 4 Blue Rectangle
  game::Options Options;                // the check-marked entries
  std::string CurrentPlayer1 = "Player1";
  int Background = 4;                   // Andromeda
  int BoardNumber = -1;                 // -1: the layout named "Traditional"
  int MidiNumber = -1;                  // -1: the piece named "Night"
  int Tileset = 3;                      // Blue borders
  std::string LastLoadedTileset;
  std::string LastLoadedBackground;
  int RandomSeed = 0;                   // the game number of specific games
  int XPos = 0;
  int YPos = 0;
  int WPos = 0;                         // written only
  int HPos = 0;                         // written only
  int PreviousRes = 0;                  // screen width at the last exit
  // The board's size: a zoom in percent, or filling the window; the
  // window's size (0: the size of its parts at 100 %) and whether it was
  // maximised. A file without these keys starts as the game always has.
  int Zoom = 100;
  bool FitToWindow = true;
  int WindowWidth = 0;
  int WindowHeight = 0;
  bool Maximized = false;
};

// Reads every key (without "WPos" and "HPos"); a missing key or a number
// that cannot be read takes its default, and "PreviousRes" defaults to
// `screenWidth`.
Settings ReadSettings(const base::IniFile& file, int screenWidth);

// Writes every key in the file's order into `file` (in memory; the caller
// saves the file).
void WriteSettings(base::IniFile& file, const Settings& settings);

}  // namespace app
