// Saved games (".sorami-game"): read as the game does when it resumes or
// opens a game; what is accepted must be written and read back unchanged,
// and read again after the time the program was closed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "game/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The tick of reading, from the input's first bytes: clocks near the
  // 32-bit wrap are as good as any.
  std::uint32_t now = 0;
  for (std::size_t i = 0; i < size && i < 4; ++i) now = now << 8 | data[i];
  const game::SavedGameRead read = game::ReadSavedGameText(text, now, "input");
  if (!read) {
    FUZZ_CHECK(!read.Error.Message.empty());
    return 0;
  }
  FUZZ_CHECK(game::IsResumable(read.Game->State));
  const std::string written = game::SavedGameText(*read.Game, now);
  const game::SavedGameRead again = game::ReadSavedGameText(written, now + 86400000u, "written");
  FUZZ_CHECK(again.Game.has_value(), written, again.Error.Message);
  const std::string rewritten = game::SavedGameText(*again.Game, now + 86400000u);
  FUZZ_CHECK(rewritten == written, written, rewritten);
  return 0;
}
