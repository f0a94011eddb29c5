// make-layouts SOURCE_DIR OUT_DIR: writes OUT_DIR/<stem>.lay (or .shp) for
// every SOURCE_DIR/<stem>.layout, after checking that it has 144 places.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "board/layout_file.h"
#include "layout_source.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-layouts SOURCE_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path srcDir = argv[1], outDir = argv[2];
  std::error_code ec;
  if (!fs::is_directory(srcDir, ec) || !fs::is_directory(outDir, ec)) {
    std::fprintf(stderr, "make-layouts: both folders must exist\n");
    return 2;
  }
  int failures = 0, written = 0;
  for (const auto& entry : fs::directory_iterator(srcDir)) {
    if (entry.path().extension() != ".layout") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    try {
      const layouts::LayoutSource src = layouts::ParseSource(text.str());
      if (src.Grid.Count() != board::MaxTiles)
        throw layouts::SourceError("it has " + std::to_string(src.Grid.Count()) + " places instead of 144");
      const std::string stem = entry.path().stem().string();
      if (src.Shp)
        board::WriteFileAtomically(outDir / (stem + ".shp"), layouts::FormatShp(src.Grid));
      else
        board::WriteLayFile(outDir / (stem + ".lay"), src.Name, src.Grid);
      ++written;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", entry.path().string().c_str(), e.what());
      ++failures;
    }
  }
  std::printf("%d layouts written\n", written);
  return failures ? 1 : 0;
}
