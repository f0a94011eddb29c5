#pragma once
// sorami-tool's subcommands. Each lives in its own cmd_*.cpp file and
// registers itself with a static Registration object:
//
//   static tool::Registration reg{"deal", "deal LAYOUT --seed N [--winnable]", &RunDeal};
//
// A subcommand gets its arguments without the program and subcommand names and
// returns the process exit status. Bad input: message on stderr, status 2.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "board/board.h"

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
// A seed option: any 32-bit value, 0 to 4294967295, or a negative one down to
// -2147483648 as the game stores a negative game number.
bool ParseSeed(const std::string& text, std::uint32_t& seed);
// Rejects options other than the known ones: "sorami-tool COMMAND: unknown
// option X" and the usage line on stderr, false.
bool OnlyKnownOptions(const Args& args, std::initializer_list<const char*> known, const char* command,
                      const char* usage);
// "sorami-tool COMMAND: text" on stderr; returns the bad-input status 2.
int Fail(const char* command, const std::string& text);
// Reads a layout file into `layout`; the reader's message when the file
// cannot be used.
std::optional<std::string> ReadLayout(const std::string& file, board::LayoutGrid& layout);

}  // namespace tool
