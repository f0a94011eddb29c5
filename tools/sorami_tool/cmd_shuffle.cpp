// sorami-tool shuffle LAYOUT --seed N [--winnable] [--remove K] [--board-seed S]:
// the board after a shuffle in one-player solitaire. The deal's generator is
// set to N; the plain shuffle continues it, the winnable shuffle (with
// --board-seed) starts from S where the game would read the clock.
#include "game/autoplay.h"
#include "engine_session.h"

namespace tool {
namespace {

constexpr const char* Name = "shuffle";
constexpr const char* Usage = "shuffle LAYOUT --seed N [--winnable] [--remove K] [--board-seed S]";

int RunShuffle(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--winnable", "--remove", "--board-seed"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--seed", "--remove", "--board-seed"});
  const std::string* seedText = FlagValue(args, "--seed");
  if (files.size() != 1 || seedText == nullptr) return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  std::uint32_t seed = 0, boardSeed = 0;
  if (!ParseSeed(*seedText, seed)) return Fail(Name, "'" + *seedText + "' is not a 32-bit seed");
  const std::string* boardSeedText = FlagValue(args, "--board-seed");
  if (boardSeedText != nullptr && !ParseSeed(*boardSeedText, boardSeed))
    return Fail(Name, "'" + *boardSeedText + "' is not a 32-bit seed");
  const bool winnable = HasFlag(args, "--winnable");
  long long remove = 0;
  if (const std::string* removeText = FlagValue(args, "--remove")) {
    if (!winnable) return Fail(Name, "--remove needs --winnable (the pairs come from the removal order)");
    if (!ParseInt64(*removeText, remove) || remove < 0 || remove > board::MaxTiles / 2)
      return Fail(Name, "'" + *removeText + "' is not a number of pairs (0 to 72)");
  }

  Session session;
  game::Engine& engine = session.engine;
  if (!session.LoadLayout(Name, files[0])) return 2;
  engine.MutableOptions().Winnable = winnable;
  engine.SetClockSeedOverride(seed);
  engine.NewRandomGame();
  if (winnable && engine.LastDealOutcome() != board::DealOutcome::Winnable)
    return Fail(Name, "no removal order exists for this layout; the tiles were dealt at random");
  const board::RemovalOrder& order = engine.LastRemovalOrder();
  if (remove * 2 > order.Count) return Fail(Name, "the removal order has only " + std::to_string(order.Count / 2) + " pairs");
  for (int j = 0; j < remove; ++j) {
    const board::Cell a = order.RemovalPairs[2 * j];
    const board::Cell b = order.RemovalPairs[2 * j + 1];
    game::ClickTile(engine, engine.Game().Board.Board.At(a.x, a.y, a.z));
    game::ClickTile(engine, engine.Game().Board.Board.At(b.x, b.y, b.z));
  }
  engine.MutableOptions().Shuffable = boardSeedText != nullptr;
  engine.SetClockSeedOverride(boardSeed);
  engine.Shuffle();
  session.PrintTiles();
  return 0;
}

Registration reg{Name, Usage, &RunShuffle};

}  // namespace
}  // namespace tool
