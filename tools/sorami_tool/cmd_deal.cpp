// sorami-tool deal LAYOUT --seed N [--winnable]: the board a game number gives.
#include <cstdio>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "command.h"

namespace tool {
namespace {

constexpr const char* Usage = "deal LAYOUT --seed N [--winnable]";

int Fail(const std::string& text) {
  std::fprintf(stderr, "sorami-tool deal: %s\n", text.c_str());
  return 2;
}

int RunDeal(const Args& args) {
  for (const auto& a : args)
    if (a.rfind("--", 0) == 0 && a != "--seed" && a != "--winnable") return Fail("unknown option " + a + "\nusage: sorami-tool " + Usage);
  const Args files = Positional(args, {"--seed"});
  const std::string* seedText = FlagValue(args, "--seed");
  if (files.size() != 1 || !seedText) return Fail(std::string("usage: sorami-tool ") + Usage);
  long long seed = 0;
  // Any 32-bit value: 0..4294967295, or a negative game number as the game stores it.
  if (!ParseInt64(*seedText, seed) || seed < -2147483648LL || seed > 4294967295LL)
    return Fail("'" + *seedText + "' is not a 32-bit seed");

  board::LayoutGrid layout;
  try {
    board::LoadLayout(files[0], layout);
  } catch (const board::LayoutFileError& e) {
    return Fail(e.what());
  }

  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, layout);
  const auto choice = board::SeedChoice::Exact(static_cast<std::uint32_t>(seed));
  board::DealResult result;
  const bool winnable = HasFlag(args, "--winnable");
  if (winnable) {
    result = board::CreateBoard(s, layout, g, choice, nullptr);
  } else {
    board::ChooseSeed(g, choice);
    board::PlainDeal(s, g, nullptr);
  }
  for (int t = 1; t <= board::MaxTiles; ++t) {
    const board::Cell c = s.TilePlaces[t];
    if (c.OnBoard()) std::printf("%d %d %d %d\n", t, c.x, c.y, c.z);
  }
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

Registration reg{"deal", Usage, &RunDeal};

}  // namespace
}  // namespace tool
