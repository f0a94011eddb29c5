#pragma once
// Where the game reads its shipped data and where it keeps the player's own
// files. Every part of the program that reads or writes a file of the player
// asks the one Folders value chosen at start-up (ChooseFolders).
//
// A copy run from a folder it may write in (the build's stage folder, a
// portable copy) keeps everything beside itself, as it always has. A copy
// installed under a prefix (P/bin with its data in P/share/sorami), or one
// whose folder is read-only, keeps the settings in $XDG_CONFIG_HOME/sorami
// and the player's data (hall of fame, saved game, own layouts, music,
// tilesets, backgrounds) in $XDG_DATA_HOME/sorami.

#include <string>

namespace game {

// The parts of the process environment the choice depends on.
struct FolderEnvironment {
  std::string Home;           // $HOME (or the account's home folder)
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME, may be empty
  std::string XdgDataHome;    // $XDG_DATA_HOME, may be empty
  // Whether the process may write in a folder; null: ask the system
  // (access(2)). Tests stand in for a read-only folder with it, since the
  // system lets root write anywhere.
  bool (*CanWrite)(const std::string& folder) = nullptr;
  // The running process's values.
  static FolderEnvironment FromProcess();
};

struct Folders {
  // The shipped data: Layouts/, Musics/, Tilesets/, Backgrounds/, sounds,
  // pictures, help texts. Ends with '/'.
  std::string Data;
  // The folder of "Sorami.ini". Ends with '/'.
  std::string Settings;
  // Where the player's data goes: "Hallfame.ini", the saved game, layouts
  // made in the editor, and the player's own Musics/, Tilesets/ and
  // Backgrounds/. Ends with '/'.
  std::string User;
  // True for a copy installed under a prefix (data in ../share/sorami).
  bool Installed = false;

  // Whether the player's files live apart from the shipped data.
  bool Separate() const { return User != Data; }
  std::string SettingsFile() const;   // Settings + "Sorami.ini"
  std::string HallOfFameFile() const; // User + "Hallfame.ini"
  // The player's own folder of one kind ("Layouts", "Musics", ...), with a
  // trailing '/'; empty when the player's files are the shipped ones.
  std::string UserFolder(const std::string& kind) const;
};

// The choice for a program whose executable lies in `programDir`.
Folders ChooseFolders(const std::string& programDir, const FolderEnvironment& environment);

// Makes a folder and every missing folder above it; true when it exists
// afterwards.
bool MakeFolders(const std::string& path);

}  // namespace game
