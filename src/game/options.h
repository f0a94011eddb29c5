#pragma once
// The player's options: one plain flag per check-marked menu item, named after
// the item's component name. The window mirrors its check marks from these
// fields and back; the settings file reads and writes them. The defaults are
// those of a first run without a settings file.

namespace game {

struct Options {
  // Dealing and shuffling.
  bool Winnable = false;           // "Winnable Layouts (in at least one way)"
  bool Shuffable = true;           // "Winnable Shuffles (in at least one way)"
  bool TellUnwinnable = true;      // "Tell when the game can no longer be won"
  bool WinnableHints = false;      // "Hints keep the game winnable"
  bool Animate = false;            // "Animate Board while building the tiles"
  bool NumberedGames = false;        // "Random Seed": the next deal is numbered
  bool Vertical = false;           // "Vertical Variation"
  bool AnimateTileRivers = true;   // "Animate Tile Rivers in Mahjongg Rivers"

  // Counters and status line.
  bool ShowMovesLeft = true;               // "Show &Moves Left"
  bool ShowTime = true;            // "&Show Time Left"
  bool ScrollingStatus = true;          // "Cool Status"

  // Music and sound effects.
  bool PlayMusic = true;           // "Play music"
  bool PlaySounds = true;          // "Play sound effects"
  bool RandomMusic = false;        // "Random Music"
  bool StartMusic = true;          // "Run music automatically at startup"

  // Hall of fame.
  bool EnableHall = true;          // "Enable time tracking for the Hall of fame"
  bool ShowHallOfFame = true;        // "Show Hall of &Fame"

  // Board drawing and pointer.
  bool Shadows = true;             // "Enable 3D shadows on tilesets"
  bool Invert = false;             // "&Invert selection"
  bool ShowCurrentTile = false;    // "Show Current Tile"
  bool OnlyPossibleMoves = false;  // "Only Possible Moves"

  // Start-up and the window's look.
  bool StartupGame = true;         // "Begin game directly at startup"
  bool ResumeLastGame = true;      // "Resume the last game at startup"
  bool SwitchTo800x600 = false;             // "Switch to 800x600 at startup"
  bool ShowToolbar = true;            // "Show &Toolbar"
  bool ShowStatusBar = true;           // "Show Status Bar"
  bool CoolMenu = true;            // "Cool Menu"
  bool CoolMouse = true;           // "Cool Mouse"
  bool CoolToolbar = true;         // "Cool Toolbar"
  bool FlatButtons = true;         // "Cool Buttons"
};

}  // namespace game
