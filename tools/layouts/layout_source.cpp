#include "layout_source.h"

#include <array>
#include <sstream>

namespace layouts {

using board::MaxX;
using board::MaxY;
using board::MaxZ;

LayoutSource ParseSource(const std::string& text) {
  LayoutSource src;
  std::array<std::array<std::string, MaxY>, MaxZ + 1> rows{};
  std::array<int, MaxZ + 1> rowCount{};
  std::istringstream in(text);
  std::string line;
  int layer = 0, lineNo = 0;
  auto fail = [&](const std::string& why) { throw SourceError("line " + std::to_string(lineNo) + ": " + why); };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line.rfind("name ", 0) == 0) {
      src.Name = line.substr(5);
    } else if (line == "format shp") {
      src.Shp = true;
    } else if (line.rfind("layer ", 0) == 0) {
      layer = std::atoi(line.c_str() + 6);
      if (layer < 1 || layer > MaxZ) fail("layers are 1 to 5");
    } else {
      if (layer == 0) fail("a row before the first layer line");
      if (rowCount[layer] == MaxY) fail("more than 20 rows on layer " + std::to_string(layer));
      if (line.size() > static_cast<std::size_t>(MaxX)) fail("more than 34 columns");
      for (char c : line)
        if (c != '#' && c != '.' && c != ' ') fail(std::string("unknown character '") + c + "'");
      rows[layer][rowCount[layer]++] = line;
    }
  }
  for (int z = 1; z <= MaxZ; ++z) {
    std::array<std::array<bool, MaxX + 2>, MaxY + 2> used{};
    auto cell = [&](int x, int y) {
      const std::string& r = rows[z][y - 1];
      return y >= 1 && y <= MaxY && x >= 1 && x <= static_cast<int>(r.size()) && r[x - 1] == '#';
    };
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) {
        if (!cell(x, y) || used[y][x]) continue;
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx)
            if (!cell(x + dx, y + dy) || used[y + dy][x + dx])
              throw SourceError("layer " + std::to_string(z) + ": the tile at column " + std::to_string(x) +
                                ", row " + std::to_string(y) + " is not a whole 2 x 2 block");
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) used[y + dy][x + dx] = true;
        src.Grid.Set(x, y, z, 1);
      }
  }
  if (src.Name.empty() && !src.Shp) throw SourceError("no name line");
  return src;
}

std::string FormatShp(const board::LayoutGrid& grid) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  int n = 0;
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) {
        if (!grid.Get(x, y, z)) continue;
        const int v[3] = {x - 2, y - 2, z - 1};
        // The first three characters are not read: a running place number.
        const std::string num = std::to_string(++n);
        out += std::string(3 - num.size(), '0') + num;
        for (int k : v) {
          out += hex[k / 16];
          out += hex[k % 16];
        }
        out += "\r\n";
      }
  return out;
}

}  // namespace layouts
