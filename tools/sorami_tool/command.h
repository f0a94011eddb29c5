#pragma once
// sorami-tool's subcommands. Each lives in its own cmd_*.cpp file and
// registers itself with a static Registration object:
//
//   static tool::Registration reg{"deal", "deal LAYOUT --seed N [--winnable]", &RunDeal};
//
// A subcommand gets its arguments without the program and subcommand names and
// returns the process exit status. Bad input: message on stderr, status 2.

#include <string>
#include <vector>

namespace tool {

using Args = std::vector<std::string>;
using Handler = int (*)(const Args& args);

struct Registration {
  Registration(const char* name, const char* usage, Handler handler);
};

// Small helpers shared by the subcommands.
// The value following `flag` in args, or nullptr when absent.
const std::string* FlagValue(const Args& args, const std::string& flag);
bool HasFlag(const Args& args, const std::string& flag);
// Parses a whole decimal number (optionally signed); false on anything else.
bool ParseInt64(const std::string& text, long long& out);
// Arguments that are neither flags nor flag values; `valued` lists the flags
// that take a value.
Args Positional(const Args& args, const std::vector<std::string>& valued);

}  // namespace tool
