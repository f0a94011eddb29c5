// sorami-tool solve LAYOUT --seed N [--winnable] [--vertical] [--budget-ms T]:
// can game N be won, and how.
#include <chrono>
#include <cstdio>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "board/solver.h"
#include "command.h"

namespace tool {
namespace {

constexpr const char* Name = "solve";
constexpr const char* Usage = "solve LAYOUT --seed N [--winnable] [--vertical] [--budget-ms T]";
// Without --budget-ms a position gets this long before it is called undecided.
constexpr long long DefaultBudgetMs = 60000;

int RunSolve(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--winnable", "--vertical", "--budget-ms"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--seed", "--budget-ms"});
  const std::string* seedText = FlagValue(args, "--seed");
  if (files.size() != 1 || !seedText) return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  std::uint32_t seed = 0;
  if (!ParseSeed(*seedText, seed)) return Fail(Name, "'" + *seedText + "' is not a 32-bit seed");
  long long budget = DefaultBudgetMs;
  if (HasFlag(args, "--budget-ms")) {
    const std::string* text = FlagValue(args, "--budget-ms");
    if (!text || !ParseInt64(*text, budget) || budget < 1 || budget > 86400000)
      return Fail(Name, "--budget-ms takes a number of milliseconds from 1 to 86400000");
  }

  board::LayoutGrid layout;
  if (const auto error = ReadLayout(files[0], layout)) return Fail(Name, *error);
  board::BoardState s;
  board::Generator g;
  board::PrepareBoard(s, layout);
  const auto choice = board::SeedChoice::Exact(seed);
  if (HasFlag(args, "--winnable")) {
    board::DealLayout(s, layout, g, choice, nullptr);
  } else {
    board::ChooseSeed(g, choice);
    board::PlainDeal(s, g, nullptr);
  }

  board::Solver solver;
  board::SolveLimits limits;
  limits.MaxTime = std::chrono::milliseconds(budget);
  const auto start = std::chrono::steady_clock::now();
  const board::SolveResult r = solver.Solve(s, HasFlag(args, "--vertical"), limits);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s\ntime: %.3f ms\n", board::VerdictName(r.Answer), ms);
  for (const auto& [a, b] : r.Order) std::printf("%d %d\n", a, b);
  switch (r.Answer) {
    case board::Verdict::Winnable: return 0;
    case board::Verdict::Unwinnable: return 1;
    case board::Verdict::Undecided: return 3;
  }
  return 3;
}

Registration reg{Name, Usage, &RunSolve};

}  // namespace
}  // namespace tool
