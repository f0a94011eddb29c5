#pragma once
// The layout editor: the player builds a new layout, or changes the current
// one, by placing and removing tile places with the mouse on the board, moves
// the whole layout by half a tile, and then saves it as a ".lay" file, tries
// it without saving, or leaves without keeping anything.
//
// The editor is a kind of game of its own (GameKind::Editor). While it runs the board holds
// real tile numbers: every place carries a tile (dealt when the editor opens,
// or the lowest free number when a place is added), TilePlaces always agrees
// with Board, and Layout holds a 1 at every anchor. The tiles are drawn face
// down and the place under the pointer (EditorCursor, moved by the engine's
// pointer handling) is drawn as a preview.
//
// The editor works on the engine's state and commands; what it needs of the
// window beyond the engine's screen (its own menu, its panel with the counter
// and the name field) it asks through EditorWindowPort.

#include <cstdint>
#include <string>

#include "board/board.h"
#include "base/texts.h"
#include "game/engine.h"
#include "game/ports.h"

namespace editor {

// Every layout has exactly this many places before it can be saved or tried.
inline constexpr int LayoutTiles = board::MaxTiles;

inline constexpr const char* UnfinishedText =
    SORAMI_TEXT_NOOP("LayoutEditor", "You haven't finished building the layout yet !");
inline constexpr const char* SaveDialogTitle =
    SORAMI_TEXT_NOOP("LayoutEditor", "Please choose a name for your layout file");
inline constexpr const char* SaveDialogFilter = SORAMI_TEXT_NOOP("LayoutEditor", "LAY Layout files (*.lay)|*.lay");
inline constexpr const char* NewLayoutName = "New Layout";
// The status line while the editor is open: a few blanks.
inline constexpr const char* EditorStatusText = "      ";
inline constexpr const char* MessageTitle = "Sorami";

// What the editor asks of the main window.
class EditorWindowPort {
 public:
  virtual ~EditorWindowPort() = default;
  // The editor menu in place of the menu bar, the editor panel in place of
  // the toolbar (the game mode is already the editor's).
  virtual void ShowEditor() = 0;
  // The menu bar and the toolbar back, the panel hidden (the game mode is
  // already another one).
  virtual void HideEditor() = 0;
  // The panel's "Tiles left" counter.
  virtual void ShowTilesToPlace(int count) = 0;
  // The panel's "Layout Name" field.
  virtual void SetLayoutNameField(const std::string& name) = 0;
  virtual std::string LayoutNameField() const = 0;
  // After the message about an unfinished layout: the name field is
  // disabled and enabled again (it lets go of the keyboard).
  virtual void ResetNameField() = 0;
};

// The three ways out through "Save", "Save as..." and "Try it".
enum class SaveChoice { Save, SaveAs, TryIt };

enum class SaveOutcome {
  Saved,      // written and registered in the layout list
  Cancelled,  // the player cancelled the file dialog: nothing written
  Failed,     // the file could not be written; the player was told why
};

class LayoutEditor {
 public:
  // Hooks itself into the engine's pointer handling (Engine::SetEditorClick).
  LayoutEditor(game::Engine& engine, game::ScreenPort& screen, EditorWindowPort& window);
  ~LayoutEditor();
  LayoutEditor(const LayoutEditor&) = delete;
  LayoutEditor& operator=(const LayoutEditor&) = delete;

  // Places still to set: 144 minus the places of the layout.
  std::int32_t TilesToPlace = 0;

  bool Active() const { return engine_.Game().Running(game::GameKind::Editor); }

  // "Create Layout": an empty board named "New Layout".
  void CreateLayout();
  // "Edit Layout": the current layout, ready to change.
  void EditLayout();

  // A click on the board in the editor, as the engine routes it: the button,
  // the board-relative pixel position and the tile under it (0 = none).
  // Left adds a place, right removes one, the middle button does nothing.
  void Click(game::MouseButton button, int px, int py, int tile);
  // Adds a place at the cell CellToAddAt gives for the point, with the lowest
  // free tile number. False when refused (no tile left to place, nothing to
  // stand on, or a place of the same layer in the way).
  bool AddPlace(int px, int py);
  // Adds a place at the one-based cell, on the same conditions.
  bool AddPlaceAt(board::Cell cell);
  // Activate and Delete at the place cursor (the engine routes them): adds a
  // place there, or removes the place under it; a refusal sounds "noway".
  void KeyPressed(game::BoardKey key, board::Cell cursor);
  // Removes the place of `tile`. False when refused (no such tile, or a
  // place of the layer above lies on it).
  bool RemovePlace(int tile);

  // "Move Board": shift every place by half a tile. Refused (false) when a
  // place is anchored on the edge the layout would be pushed over.
  bool MoveBoardLeft() { return Move(-1, 0); }
  bool MoveBoardRight() { return Move(1, 0); }
  bool MoveBoardUp() { return Move(0, -1); }
  bool MoveBoardDown() { return Move(0, 1); }

  // "Save", "Save as..." and "Try it": with all 144 places, write the layout
  // (not for "Try it"), leave the editor and start a game on the layout. A
  // file that cannot be written leaves the editor open with nothing changed.
  void SaveAndExit(SaveChoice choice);
  // Writes the game's Layout and LayoutName to its LayoutFile (asking for a
  // file name when there is none) and registers the layout in the list.
  SaveOutcome SaveLayout();
  // "Exit": leaves the editor, discarding every change, and plays the layout
  // of the ticked menu item again.
  void CancelEditing();

 private:
  void OpenEditor(bool create);
  // The window back to the game; the mode is already the next one.
  void CloseEditor();
  void ShowCounter();
  bool Move(int dx, int dy);
  // Loads the hall-of-fame table of a layout just registered.
  void LoadHallOfFame(int table, const std::string& layoutName);

  game::Engine& engine_;
  game::ScreenPort& screen_;
  EditorWindowPort& window_;
  // The layout and its name as they were when the editor opened; "Exit"
  // goes back to them.
  board::LayoutGrid layoutBefore_;
  std::string nameBefore_;
};

}  // namespace editor
