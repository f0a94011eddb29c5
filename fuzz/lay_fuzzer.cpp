// ".lay" layout files: read, change a few places as the editor does, write,
// read again and compare.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/layout_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("input.lay", data, size);
  board::LayoutGrid read;
  board::LayReadResult result;
  try {
    result = board::ReadLayFile(path, read);
  } catch (const board::LayoutFileError& e) {
    FUZZ_CHECK(e.what()[0] != '\0');
    return 0;
  }
  FUZZ_CHECK(read.Count() <= board::MaxTiles);
  if (!result.HeaderOk) {
    FUZZ_CHECK(read.Count() == 0);  // another header leaves the grid untouched
    return 0;
  }

  // The editor's change: places added or removed, never past the 144 tiles.
  board::LayoutGrid changed = read;
  for (std::size_t i = 0; i + 1 < size && i < 32; i += 2) {
    const int k = ((data[i] << 8) | data[i + 1]) % board::LayoutFlagCount;
    if (changed.Flag(k) != 0 || changed.Count() < board::MaxTiles) changed.SetFlag(k, changed.Flag(k) == 0);
  }
  const std::string name = result.Name + (size % 2 == 0 ? "" : " 2");

  const std::string saved = fuzz::ScratchFolder() + "/saved.lay";
  board::WriteLayFile(saved, name, changed);
  board::LayoutGrid again;
  const board::LayReadResult reread = board::ReadLayFile(saved, again);
  FUZZ_CHECK(reread.HeaderOk);
  FUZZ_CHECK(reread.Name == name, name, reread.Name);
  for (int k = 0; k < board::LayoutFlagCount; ++k) FUZZ_CHECK(again.Flag(k) == changed.Flag(k));
  return 0;
}
