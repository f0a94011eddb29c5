// Saved games (".sorami-game"): read as the game does when it resumes or
// opens a game; what is accepted must be written and read back as the same
// game, in the same words.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "game/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const game::SavedGameRead read = game::ReadSavedGameText(text, "input");
  if (!read) {
    FUZZ_CHECK(!read.Error.Message.empty());
    return 0;
  }
  FUZZ_CHECK(game::IsResumable(read.Game->State));
  const std::string written = game::SavedGameText(*read.Game);
  const game::SavedGameRead again = game::ReadSavedGameText(written, "written");
  FUZZ_CHECK(again.Game.has_value(), written, again.Error.Message);
  FUZZ_CHECK(*again.Game == *read.Game, written, game::SavedGameText(*again.Game));
  const std::string rewritten = game::SavedGameText(*again.Game);
  FUZZ_CHECK(rewritten == written, written, rewritten);
  return 0;
}
