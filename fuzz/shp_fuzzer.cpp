// ".shp" layout files (read only): read, save as ".lay" as the editor's
// "Save" does, read that back and compare.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/layout_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("input.shp", data, size);
  board::LayoutGrid read;
  std::string name;
  try {
    name = board::LoadLayout(path, read);
  } catch (const board::LayoutFileError& e) {
    FUZZ_CHECK(e.what()[0] != '\0');
    return 0;
  }
  // 144 lines name at most 144 places (several lines may name the same one).
  FUZZ_CHECK(read.Count() >= 1 && read.Count() <= board::MaxTiles);

  const std::string saved = fuzz::ScratchFolder() + "/saved.lay";
  board::WriteLayFile(saved, name, read);
  board::LayoutGrid again;
  FUZZ_CHECK(board::LoadLayout(saved, again) == name);
  for (int k = 0; k < board::LayoutFlagCount; ++k) FUZZ_CHECK(again.Flag(k) == read.Flag(k));
  return 0;
}
