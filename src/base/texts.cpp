#include "base/texts.h"

#include <atomic>
#include <vector>

namespace base {

namespace {

std::atomic<Translator> installed{nullptr};

}  // namespace

void SetTranslator(Translator translator) { installed.store(translator); }

std::string Translate(const char* context, const char* english) {
  const Translator translator = installed.load();
  if (translator == nullptr) return english;
  return translator(context, english);
}

std::string Format(const std::string& pattern, std::initializer_list<std::string> values) {
  const std::vector<std::string> list(values);
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < list.size()) {
        out += list[n];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace base
