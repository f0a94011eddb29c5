// sorami-tool: the command-line companion for players who design layouts.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "command.h"

#include "board/layout_file.h"

namespace tool {
namespace {

struct Entry {
  const char* usage;
  Handler handler;
};

std::map<std::string, Entry>& Registry() {
  static std::map<std::string, Entry> registry;
  return registry;
}

void PrintUsage() {
  std::fprintf(stderr, "usage: sorami-tool COMMAND [ARGS]\n\ncommands:\n");
  for (const auto& [name, entry] : Registry()) std::fprintf(stderr, "  sorami-tool %s\n", entry.usage);
}

}  // namespace

Registration::Registration(const char* name, const char* usage, Handler handler) {
  Registry()[name] = Entry{usage, handler};
}

const std::string* FlagValue(const Args& args, const std::string& flag) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == flag) return &args[i + 1];
  return nullptr;
}

bool HasFlag(const Args& args, const std::string& flag) {
  for (const auto& a : args)
    if (a == flag) return true;
  return false;
}

bool ParseInt64(const std::string& text, long long& out) {
  if (text.empty() || text.size() > 20) return false;
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  for (std::size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && end && *end == '\0';
}

Args Positional(const Args& args, const std::vector<std::string>& valued) {
  Args out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool takes_value = false;
    for (const auto& v : valued)
      if (a == v) takes_value = true;
    if (takes_value) {
      ++i;
      continue;
    }
    if (a.rfind("--", 0) == 0) continue;
    out.push_back(a);
  }
  return out;
}

bool ParseSeed(const std::string& text, std::uint32_t& seed) {
  long long value = 0;
  if (!ParseInt64(text, value) || value < -2147483648LL || value > 4294967295LL) return false;
  seed = static_cast<std::uint32_t>(value);
  return true;
}

bool OnlyKnownOptions(const Args& args, std::initializer_list<const char*> known, const char* command,
                      const char* usage) {
  for (const auto& a : args) {
    if (a.rfind("--", 0) != 0) continue;
    bool ok = false;
    for (const char* k : known) ok = ok || a == k;
    if (!ok) {
      std::fprintf(stderr, "sorami-tool %s: unknown option %s\nusage: sorami-tool %s\n", command, a.c_str(), usage);
      return false;
    }
  }
  return true;
}

int Fail(const char* command, const std::string& text) {
  std::fprintf(stderr, "sorami-tool %s: %s\n", command, text.c_str());
  return 2;
}

std::optional<std::string> ReadLayout(const std::string& file, board::LayoutGrid& layout) {
  try {
    board::LoadLayout(file, layout);
  } catch (const board::LayoutFileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace tool

int main(int argc, char** argv) {
  if (argc < 2) {
    tool::PrintUsage();
    return 2;
  }
  auto it = tool::Registry().find(argv[1]);
  if (it == tool::Registry().end()) {
    std::fprintf(stderr, "sorami-tool: unknown command '%s'\n", argv[1]);
    tool::PrintUsage();
    return 2;
  }
  tool::Args args(argv + 2, argv + argc);
  return it->second.handler(args);
}
