#pragma once
// Layouts built in code for the tests.
#include <string>
#include <vector>

#include "board/board.h"
#include "board/layout_list.h"

namespace board::testing {

// The classic turtle: layer 1 rows of 12, 8, 10, 12, 12, 10, 8, 12 tiles, one
// tile far left and two far right between rows 4 and 5; 6 x 6, 4 x 4 and
// 2 x 2 above; one tile on top.
inline LayoutGrid Turtle() {
  LayoutGrid l;
  const int widths[8] = {12, 8, 10, 12, 12, 10, 8, 12};
  for (int r = 0; r < 8; ++r)
    for (int i = 0; i < widths[r]; ++i) l.Set(5 + (12 - widths[r]) + 2 * i, 3 + 2 * r, 1, 1);
  l.Set(3, 10, 1, 1);
  l.Set(29, 10, 1, 1);
  l.Set(31, 10, 1, 1);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) l.Set(11 + 2 * c, 5 + 2 * r, 2, 1);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) l.Set(13 + 2 * c, 7 + 2 * r, 3, 1);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) l.Set(15 + 2 * c, 9 + 2 * r, 4, 1);
  l.Set(16, 10, 5, 1);
  return l;
}

// A flat block of w x h tiles on layer 1 starting at (x, y).
inline void Block(LayoutGrid& l, int x, int y, int z, int w, int h) {
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) l.Set(x + 2 * c, y + 2 * r, z, 1);
}

// The captions of a layout list, in menu order.
inline std::vector<std::string> Names(const LayoutList& l) {
  std::vector<std::string> out;
  for (int i = 1; i <= l.LayoutCount(); ++i) out.push_back(l.LayoutName(i));
  return out;
}

}  // namespace board::testing
