#pragma once
// The "Tileset" and "&Background" menus: which choice is ticked, the files
// last chosen from disk, and the commands that load a tileset or a background
// into the board pictures.
//
// A command that cannot finish (a picture that does not decode, a tileset too
// small for its format, a "Load from disk" dialog cancelled with no usable
// file remembered) shows why, and leaves the pictures, the ticks and the
// remembered files as they were before it.

#include <array>
#include <optional>
#include <string>

#include "view/board_view.h"

namespace view {

// Menu items, numbered by their settings codes.
enum class TilesetItem { FromFile = 0, Classic = 1, Dark = 2, Blue = 3, LowColour = 4 };
enum class BackgroundItem { Kanji = 0, Dragons = 1, None = 2, FromFile = 3, Andromeda = 4, Catpats = 5 };

// What the window does for these commands.
class LooksHost {
 public:
  virtual ~LooksHost() = default;
  // The picture-open dialog; nullopt when cancelled. filter is "Desc (*.x)|*.x".
  virtual std::optional<std::string> OpenPictureDialog(const std::string& title, const std::string& filter,
                                                       const std::string& dir) = 0;
  // A message box with the error's text.
  virtual void ShowError(const std::string& text) = 0;
  // FullRedraw, unless the game mode is idle.
  virtual void RedrawUnlessIdle() = 0;
};

class Looks {
 public:
  // programDir ends with a separator; data paths are built from it.
  Looks(BoardView& view, LooksHost& host, std::string programDir);

  // The player's own folder holding Tilesets/ and Backgrounds/ (with a
  // trailing '/'); the file dialogs open there when the folder of that kind
  // exists. Empty: only the shipped folders.
  std::string UserDir;
  std::string LastTilesetFile;
  std::string LastBackgroundFile;

  bool Ticked(TilesetItem item) const { return tilesetTicks_[static_cast<int>(item)]; }
  bool Ticked(BackgroundItem item) const { return backgroundTicks_[static_cast<int>(item)]; }

  // Settings codes: the tileset is the first ticked of codes 0-3, else 4; the
  // background the first ticked of codes 0, 1, 2, 4, 5, else 3. Setting a code
  // ticks the item with that code (a code outside the table ticks nothing).
  int TilesetCode() const;
  int BackgroundCode() const;
  void SetTilesetCode(int code);
  void SetBackgroundCode(int code);

  // Tilesets.
  bool LoadTileset(const std::string& path);
  void MakeTileTexture() { view_.MakeTileTexture(); }
  void ChooseClassicTileset() { BuiltInTileset(TilesetItem::Classic); }
  void ChooseDarkTileset() { BuiltInTileset(TilesetItem::Dark); }
  void ChooseBlueTileset() { BuiltInTileset(TilesetItem::Blue); }
  void ChooseLowColourTileset() { BuiltInTileset(TilesetItem::LowColour); }
  void ChooseTilesetFile();

  // Backgrounds.
  bool LoadBackgroundFile(const std::string& path);
  void ChooseNoBackground();
  void ChooseKanjiBackground() { BuiltInBackground(BackgroundItem::Kanji); }
  void ChooseDragonsBackground() { BuiltInBackground(BackgroundItem::Dragons); }
  void ChooseAndromedaBackground() { BuiltInBackground(BackgroundItem::Andromeda); }
  void ChooseCatpatsBackground() { BuiltInBackground(BackgroundItem::Catpats); }
  void ChooseBackgroundFile();

  // Start-up: applies the ticked choices (background first, then tileset).
  void ActiveTilesetBackground();

  // Relative file of a built-in choice ("Tilesets/pai.bmp", ...); empty for
  // the items that have none.
  static const char* FileOf(TilesetItem item);
  static const char* FileOf(BackgroundItem item);

  // Fills BackgroundBuffer from a decoded picture: a picture smaller than the
  // board in either direction is repeated from the top-left corner in rows,
  // any other is drawn once at (0, 0). Never scaled.
  static void TileBackground(QImage& background, const QImage& picture);
  // Why a decoded picture cannot serve as a tileset (too small for the
  // format); empty when it can.
  static std::string TilesetProblem(const QImage& picture, const std::string& path);
  // The plain background: teal with a one-pixel black border.
  static void PaintPlainBackground(QImage& background);

 private:
  struct Snapshot {
    std::array<bool, 5> tilesetTicks;
    std::array<bool, 6> backgroundTicks;
    std::string lastTileset;
    std::string lastBackground;
  };
  Snapshot Take() const;
  void Restore(const Snapshot& s);

  void TickOnly(TilesetItem item);
  void TickOnly(BackgroundItem item);
  void BuiltInTileset(TilesetItem item);
  void BuiltInBackground(BackgroundItem item);
  // The steps of the commands; false when the command was abandoned.
  bool LoadTilesetSteps(const std::string& path);
  bool ChooseTilesetFileSteps();
  bool ApplyTileset(const std::string& path);
  bool LoadBackgroundFileSteps(const std::string& path);
  bool LoadBackgroundSteps();
  bool BuiltInTilesetSteps(TilesetItem item);
  bool BuiltInBackgroundSteps(BackgroundItem item);
  bool PlainBackgroundSteps();
  // Asks for a file until one that exists is remembered in `last`, the way
  // "Load from disk" does; false when the player cancels with nothing usable.
  bool ChooseFile(bool askFirst, std::string& last, const char* title, const char* filter, const char* folder);

  BoardView& view_;
  LooksHost& host_;
  std::string programDir_;
  std::array<bool, 5> tilesetTicks_{};
  std::array<bool, 6> backgroundTicks_{};
};

}  // namespace view
