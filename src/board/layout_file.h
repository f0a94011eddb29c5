#pragma once
// Layout files: the game's own ".lay" format (read and written) and the
// external ".shp" format (read only).
//
// ".lay": line 1 "Sorami 3.0", line 2 the layout name, line 3 3400 characters
// "0"/"1", the place flags in running order. Lines end with CR LF; the reader
// also takes bare LF.
// ".shp": at least 144 lines, one per place; characters 4..9 hold column,
// row and layer as pairs of upper-case hexadecimal digits; the place is
// anchored at (column + 2, row + 2, layer + 1).
//
// A reader that fails throws LayoutFileError and leaves the layout as it was.

#include <stdexcept>
#include <string>

#include "board/board.h"

namespace board {

inline constexpr const char* LayHeader = "Sorami 3.0";

// A file that cannot be read or written, or that is damaged. what() is the
// text the window shows in its message box.
class LayoutFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LayReadResult {
  std::string Name;       // line 2, taken even when the header is wrong
  bool HeaderOk = false;  // false: the layout was left unchanged
};

// Reads a ".lay" file. With the right header the flags replace `layout`; with
// another header only the name is taken (the layout stays as it was).
LayReadResult ReadLayFile(const std::string& file, LayoutGrid& layout);

// Reads a ".shp" file into `layout` (all flags cleared first).
void ReadShpFile(const std::string& file, LayoutGrid& layout);

// Writes a ".lay" file (CR LF lines) through a temporary file beside it that
// is renamed over the target. Line breaks in the name become blanks.
void WriteLayFile(const std::string& file, const std::string& name, const LayoutGrid& layout);

// Reads a layout for the tools: ".shp" (any case) as external, else ".lay".
// Unlike the game, which keeps its previous grid, a ".lay" with another header
// is an error here. Returns the layout's display name.
std::string LoadLayout(const std::string& file, LayoutGrid& layout);

// Parses ".lay" / ".shp" content already in memory (the readers use these).
LayReadResult ParseLay(const std::string& content, LayoutGrid& layout);
void ParseShp(const std::string& content, LayoutGrid& layout);
// The ".lay" content WriteLayFile writes.
std::string FormatLay(const std::string& name, const LayoutGrid& layout);

// Writes `content` to `file` through a temporary file and a rename (see
// ReplaceFile: a read-only file is refused, a link has its file replaced).
// LayoutFileError names the file and gives the system's reason.
void WriteFileAtomically(const std::string& file, const std::string& content);

}  // namespace board
