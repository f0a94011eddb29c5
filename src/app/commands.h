#pragma once
// The main window's command table: every command the player can give from
// the menu bar, the new-game pop-up, the toolbar or a shortcut, once, with
// its caption, shortcut, check mark, glyph and action. The menus, the pop-up,
// the toolbar's buttons and the shortcuts are all built from it, so one
// command behaves the same wherever it is reached.
//
// The captions are English source texts in the "app::MainWindow"
// translation context; the window shows them translated.

#include <QKeySequence>

#include <functional>
#include <optional>
#include <vector>

#include "app/tool_bar.h"

namespace game {
class Engine;
class MusicControl;
}  // namespace game
namespace view {
class Looks;
}

namespace app {

class MainWindow;

enum class CommandId {
  // File
  NewRandomGame,
  NewRandomNumberedGame,
  NewNumberedGame,
  NewTwoPlayerGame,
  NewRiversEasy,
  NewRiversHard,
  NewMemoryEasy,
  NewMemoryHard,
  OpenGame,
  SaveGameAs,
  Exit,
  // Play
  Back,
  BackToLastWinnable,
  Hint,
  Pause,
  Shuffle,
  Stop,
  Restart,
  PlayerName,
  RandomSeed,
  VerticalRule,
  // View
  InvertSelection,
  CoolMenu,
  CoolMouse,
  CoolToolbar,
  FlatButtons,
  ScrollingStatus,
  ShowTime,
  ShowMovesLeft,
  ShowHallOfFame,
  ShowStatusBar,
  ShowToolbar,
  ZoomIn,
  ZoomOut,
  ActualSize,
  FitToWindow,
  // Highlight
  HighlightNone,
  HighlightRed,
  HighlightGreen,
  HighlightBlue,
  HighlightColouredTile,
  ShowCurrentTile,
  OnlyPossibleMoves,
  // Configuration
  WinnableDeals,
  WinnableShuffles,
  TellUnwinnable,
  WinnableHints,
  HallOfFameTiming,
  Shadows,
  StartupGame,
  ResumeLastGame,
  SwitchTo800x600,
  AnimateDeal,
  AnimateRiverSlides,
  StartMusic,
  PlaySounds,
  PlayMusic,
  // Background
  BackgroundFromFile,
  BackgroundNone,
  BackgroundDragons,
  BackgroundAndromeda,
  BackgroundKanji,
  BackgroundCatpats,
  // Tileset
  TilesetFromFile,
  TilesetClassic,
  TilesetDark,
  TilesetBlue,
  TilesetLowColour,
  // Layout (the layouts themselves follow as a list)
  CreateLayout,
  EditLayout,
  // Music (the pieces follow as a list)
  RandomMusic,
  // Help
  HelpContents,
  WhatsNew,
  FrenchHelp,
  ViewTiles,
  HallOfFame,
  About,
  // The new-game pop-up of the toolbar's "New" button
  PopupOnePlayer,
  PopupTwoPlayer,
  PopupRiversEasy,
  PopupRiversHard,
  PopupMemoryEasy,
  PopupMemoryHard,
  // Toolbar only
  NewGame,
  PauseOrResumeMusic,
};

struct Command {
  CommandId Id;
  // The English caption, in the "app::MainWindow" context; empty for a
  // command reached only from the toolbar (whose buttons carry their own).
  const char* Caption = "";
  // The keys that give the command while the game's menus are on the bar.
  QKeySequence Shortcut;
  // The toolbar glyph shown beside the menu entry.
  std::optional<ToolBar::Button> Glyph;
  // The toolbar button that gives the command.
  std::optional<ToolBar::Button> Button;
  // Set for an entry with a check mark: whether it is ticked now.
  std::function<bool()> Checked;
  std::function<void()> Action;
};

// A second key for the same command, or none: "Zoom In" is on Ctrl++ and on
// Ctrl+=, the key the plus shares on many keyboards.
QKeySequence AlternateShortcut(CommandId id);

// The menus of the menu bar, in order, and the new-game pop-up.
enum class MenuId {
  File,
  Play,
  View,
  Highlight,
  Configuration,
  Background,
  Tileset,
  Layout,
  Music,
  Help,
  NewGamePopup,
};

struct MenuItem {
  // Unset: a separator.
  std::optional<CommandId> Command;
};

struct Menu {
  MenuId Id;
  // The English title, in the "app::MainWindow" context.
  const char* Title;
  std::vector<MenuItem> Entries;
};

// What the commands act on.
struct CommandTargets {
  MainWindow& Window;
  game::Engine& Engine;
  game::MusicControl& Music;
  view::Looks& Looks;
};

// Every command, each once, bound to its targets.
std::vector<Command> MakeCommands(const CommandTargets& targets);

// The menu bar's menus from left to right, then the new-game pop-up.
const std::vector<Menu>& Menus();

}  // namespace app
