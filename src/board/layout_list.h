#pragma once
// The list of layouts offered in the "&Layout" menu: discovery of the Layouts
// folder at start-up, selecting a layout, and the file side of saving one.
//
// Numbers are 1-based like the menu: layout i is entry i of LayoutNames.
// The list never holds more than MaxLayouts entries, because numbers from 100
// name the Rivers and Memory tables.

#include <string>
#include <vector>

#include "board/board.h"
#include "base/file_io.h"  // HasExtensionNoCase

namespace board {

inline constexpr int MaxLayouts = 99;
inline constexpr const char* DefaultLayoutName = "Traditional";

struct LayoutEntry {
  std::string Name;             // menu caption: ".lay" name without extension, ".shp" name with it
  std::string File;             // the file itself (its real name, whatever the case of its extension)
  bool Shp = false;
};

class LayoutList {
 public:
  std::vector<LayoutEntry> Entries;  // entry i-1 is layout i

  int LayoutCount() const { return static_cast<int>(Entries.size()); }
  // Name of layout i (1-based); empty when i is out of range.
  const std::string& LayoutName(int i) const;
  const LayoutEntry* Entry(int i) const;
};

struct DiscoveryResult {
  LayoutList List;
  int BoardNumber = 1;
  std::string CurrentLayoutFile;
  bool NoLayouts = false;   // nothing found: the program closes
  bool TooMany = false;     // more than MaxLayouts files: the rest were left out
  int FilesFound = 0;       // layout files seen, those left out included
};

// Start-up discovery of `layoutsDir`. `storedBoardNumber` is the settings
// value (-1 = none chosen yet: "Traditional", else the first name). ".lay"
// names are sorted without regard to case; ".shp" files follow in directory
// order. Extensions match without regard to case.
// The player's own `userLayoutsDir` (when given) follows in the same way
// after the shipped layouts; a layout of the player's named like a shipped
// one takes that entry's place in the menu.
DiscoveryResult DiscoverLayouts(const std::string& layoutsDir, int storedBoardNumber,
                                const std::string& userLayoutsDir = {});

// Steps 6..8 of discovery (also used when the editor is left without saving):
// clamps boardNumber to 1..LayoutCount and returns the file of that layout,
// falling back to layout 1 when the file is missing.
std::string CurrentFileFor(const LayoutList& list, const std::string& layoutsDir, int& boardNumber);

struct Selection {
  int BoardNumber = 0;
  std::string CurrentLayoutFile;
  bool Shp = false;
};
// Selecting layout i of the menu (ChooseLayout / ChooseShpLayout).
Selection SelectLayout(const LayoutList& list, const std::string& layoutsDir, int i);

// The file side of SaveLayout.
struct SaveResult {
  std::string File;             // the file written (".lay" appended when missing)
  int BoardNumber = 0;          // the layout's number in the list
  bool Registered = false;      // a new entry was appended to the list
  bool ListFull = false;        // written, but the list already holds MaxLayouts
  std::string HallOfFameSection;  // for a new entry: its name without blanks
};
// Writes `layout` and `name` to `file` (".lay" appended when ".lay" occurs
// nowhere in it), then finds or registers the layout in `list`. Throws
// LayoutFileError when writing fails (the list is then unchanged).
SaveResult SaveLayoutFile(LayoutList& list, std::string file, const std::string& name, const LayoutGrid& layout);

// A layout name with every blank removed: its hall-of-fame section.
std::string HallOfFameSectionOf(const std::string& name);

}  // namespace board
