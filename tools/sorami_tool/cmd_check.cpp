// sorami-tool check LAYOUT... [--deals N]: is a layout fit to play? Besides
// the board's own checks, every tile picture must lie wholly on the board as
// the game shows it on a wide screen.
#include <cstdio>
#include <string>
#include <vector>

#include "board/layout_check.h"
#include "board/layout_file.h"
#include "command.h"
#include "view/geometry.h"

namespace tool {
namespace {

constexpr const char* Name = "check";
constexpr const char* Usage = "check LAYOUT... [--deals N]";

std::string CellList(const std::vector<board::Cell>& cells) {
  std::string out;
  for (const auto& c : cells)
    out += " (" + std::to_string(c.x) + "," + std::to_string(c.y) + "," + std::to_string(c.z) + ")";
  return out;
}

int RunCheck(const Args& args) {
  if (!OnlyKnownOptions(args, {"--deals"}, Name, Usage)) return 2;
  long long deals = 100;
  if (const std::string* text = FlagValue(args, "--deals")) {
    if (!ParseInt64(*text, deals) || deals < 0 || deals > 1000000)
      return Fail(Name, "'" + *text + "' is not a number of deals (0 to 1000000)");
  } else if (HasFlag(args, "--deals")) {
    return Fail(Name, "--deals needs a number");
  }
  const Args files = Positional(args, {"--deals"});
  if (files.empty()) {
    std::fprintf(stderr, "usage: sorami-tool %s\n", Usage);
    return 2;
  }
  int status = 0;
  for (const std::string& file : files) {
    board::LayoutGrid layout;
    if (const auto error = ReadLayout(file, layout)) {
      status = Fail(Name, *error);
      continue;
    }
    const board::LayoutCheck c = board::CheckLayout(layout, static_cast<int>(deals));
    const std::vector<board::Cell> outside = view::PlacesOutsideBoard(layout);
    std::printf("%s\n", file.c_str());
    std::printf("  places: %d%s\n", c.Places, c.Places == board::MaxTiles ? "" : " (a layout needs 144)");
    std::printf("  overlapping places: %zu%s\n", c.Overlapping.size(), CellList(c.Overlapping).c_str());
    std::printf("  floating places: %zu%s\n", c.Floating.size(), CellList(c.Floating).c_str());
    std::printf("  places outside the board: %zu%s\n", outside.size(), CellList(outside).c_str());
    std::printf("  winnable deals finished: %d of %d", c.DealsFinished, c.Deals);
    if (c.DealsFinished < c.Deals) std::printf(" (first failing seed %u)", c.FirstFailedSeed);
    const bool ok = c.Ok() && outside.empty();
    std::printf("\n  %s\n", ok ? "ok" : "FAILED");
    if (!ok && status == 0) status = 1;
  }
  return status;
}

Registration reg{Name, Usage, &RunCheck};

}  // namespace
}  // namespace tool
