#pragma once
// Shared pieces of the fuzzing harnesses: a scratch folder for readers that
// take a path, and a check that stops the run when a round trip fails.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// A private folder under $TMPDIR (or /tmp), made once per process and left
// for the system to clean; every harness writes its one input file there.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/sorami-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    return pattern;
  }();
  return folder;
}

// Writes `size` bytes to `name` in the scratch folder and returns its path.
inline std::string WriteScratchFile(const std::string& name, const void* data, std::size_t size) {
  const std::string path = ScratchFolder() + "/" + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
  return path;
}

// A failed round trip is a finding like a crash: say what differed and stop
// (libFuzzer then saves the input as a crash).
[[noreturn]] inline void Fail(std::string_view what, std::string_view expected = {}, std::string_view got = {}) {
  std::fprintf(stderr, "round trip failed: %.*s\n", static_cast<int>(what.size()), what.data());
  if (!expected.empty() || !got.empty()) {
    // Where the two first differ, with a little before it.
    std::size_t at = 0;
    while (at < expected.size() && at < got.size() && expected[at] == got[at]) ++at;
    const std::size_t from = at > 60 ? at - 60 : 0;
    const auto show = [&](const char* label, std::string_view text) {
      std::fprintf(stderr, "  %s (%zu bytes), from byte %zu: \"", label, text.size(), from);
      for (std::size_t i = from; i < text.size() && i < at + 60; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
          std::fputc(c, stderr);
        } else {
          std::fprintf(stderr, "\\x%02X", c);
        }
      }
      std::fprintf(stderr, "\"\n");
    };
    show("expected", expected);
    show("got     ", got);
  }
  std::abort();
}

#define FUZZ_CHECK(condition, ...) \
  do {                             \
    if (!(condition)) ::fuzz::Fail(#condition __VA_OPT__(, ) __VA_ARGS__); \
  } while (false)

}  // namespace fuzz
