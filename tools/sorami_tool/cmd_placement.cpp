// sorami-tool rivers|memory easy|hard --seed N: the Rivers or Memory placement
// a seed gives, one line "tile x y z" per tile. N seeds the generator where
// the game would read the clock.
#include "engine_session.h"

namespace tool {
namespace {

constexpr const char* RiversUsage = "rivers easy|hard --seed N";
constexpr const char* MemoryUsage = "memory easy|hard --seed N";

int RunPlacement(const Args& args, const char* command, const char* usage, void (*start)(game::Engine&, bool)) {
  if (!OnlyKnownOptions(args, {"--seed"}, command, usage)) return 2;
  const Args words = Positional(args, {"--seed"});
  const std::string* seedText = FlagValue(args, "--seed");
  std::uint32_t seed = 0;
  if (words.size() != 1 || (words[0] != "easy" && words[0] != "hard") || seedText == nullptr) {
    std::fprintf(stderr, "usage: sorami-tool %s\n", usage);
    return 2;
  }
  if (!ParseSeed(*seedText, seed)) return Fail(command, "'" + *seedText + "' is not a 32-bit seed");
  Session session;
  session.engine.SetClockSeedOverride(seed);
  start(session.engine, words[0] == "easy");
  session.PrintTiles();
  return 0;
}

int RunRivers(const Args& args) { return RunPlacement(args, "rivers", RiversUsage, &StartRivers); }
int RunMemory(const Args& args) { return RunPlacement(args, "memory", MemoryUsage, &StartMemory); }

Registration rivers{"rivers", RiversUsage, &RunRivers};
Registration memory{"memory", MemoryUsage, &RunMemory};

}  // namespace
}  // namespace tool
