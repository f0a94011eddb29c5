#pragma once
// The readable source of a layout: a picture of each layer, each tile drawn
// as a 2 x 2 block of "#" (one character per cell, 34 columns, 20 rows).
//
//   ; a comment
//   name Traditional          the name stored in the file
//   format shp                optional: write an external ".shp" file
//   layer 1
//   ..####....
//   ..####....
//   layer 2
//   ...
//
// Blocks on one layer never overlap, so the first "#" met reading row by row
// is always a tile's top-left cell.

#include <stdexcept>
#include <string>

#include "board/board.h"

namespace layouts {

struct LayoutSource {
  std::string Name;
  bool Shp = false;
  board::LayoutGrid Grid;
};

class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

LayoutSource ParseSource(const std::string& text);

// The ".shp" lines for a layout (one per place, upper-case hexadecimal).
std::string FormatShp(const board::LayoutGrid& grid);

}  // namespace layouts
