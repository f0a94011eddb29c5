// sorami-tool deal LAYOUT --seed N [--winnable]: the board a game number gives.
#include <cstdio>

#include "board/dealing.h"
#include "engine_session.h"

namespace tool {
namespace {

constexpr const char* Name = "deal";
constexpr const char* Usage = "deal LAYOUT --seed N [--winnable]";

int RunDeal(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--winnable"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--seed"});
  const std::string* seedText = FlagValue(args, "--seed");
  if (files.size() != 1 || !seedText) return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  std::uint32_t seed = 0;
  if (!ParseSeed(*seedText, seed)) return Fail(Name, "'" + *seedText + "' is not a 32-bit seed");

  board::LayoutGrid layout;
  if (const auto error = ReadLayout(files[0], layout)) return Fail(Name, *error);

  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, layout);
  const auto choice = board::SeedChoice::Exact(seed);
  board::DealResult result;
  const bool winnable = HasFlag(args, "--winnable");
  if (winnable) {
    result = board::DealLayout(s, layout, g, choice, nullptr);
  } else {
    board::ChooseSeed(g, choice);
    board::PlainDeal(s, g, nullptr);
  }
  PrintTiles(s);
  if (!winnable) return 0;
  if (result.Outcome == board::DealOutcome::FellBack) {
    std::fprintf(stderr, "sorami-tool deal: no removal order exists for this layout%s; the tiles were dealt at random\n",
                 result.ProvenImpossible ? "" : " (none found)");
    return 1;
  }
  std::printf("order\n");
  for (int i = 0; i < result.Order.Count; ++i) {
    const board::Cell c = result.Order.RemovalPairs[i];
    std::printf("%d %d %d\n", c.x, c.y, c.z);
  }
  return 0;
}

Registration reg{Name, Usage, &RunDeal};

}  // namespace
}  // namespace tool
