#include "base/ini_file.h"

#include <climits>
#include <cstdint>
#include <utility>

#include "base/file_io.h"
#include "base/texts.h"

namespace base {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kEol = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  const std::string one_a = OneLine(a);
  const std::string one_b = OneLine(b);
  const std::string_view ta = Trim(one_a);
  const std::string_view tb = Trim(one_b);
  if (ta.size() != tb.size()) return false;
  for (std::size_t i = 0; i < ta.size(); ++i) {
    if (Fold(ta[i]) != Fold(tb[i])) return false;
  }
  return true;
}

// What one line of the file is.
enum class Kind { Blank, Comment, Header, Entry, Other };

struct ParsedLine {
  Kind kind = Kind::Other;
  std::string_view name;   // section name (Header) or key (Entry), trimmed
  std::string_view value;  // Entry only, trimmed
};

ParsedLine Parse(std::string_view line) {
  ParsedLine p;
  std::string_view t = Trim(line);
  if (t.empty()) {
    p.kind = Kind::Blank;
  } else if (t.front() == ';' || t.front() == '#') {
    p.kind = Kind::Comment;
  } else if (t.front() == '[') {
    // The name runs to the last "]" so that names holding "]" read back.
    p.kind = Kind::Header;
    std::string_view inner = t.substr(1);
    std::size_t close = inner.rfind(']');
    p.name = Trim(close == std::string_view::npos ? inner : inner.substr(0, close));
  } else if (std::size_t eq = t.find('='); eq != std::string_view::npos && eq > 0) {
    p.kind = Kind::Entry;
    p.name = Trim(t.substr(0, eq));
    p.value = Trim(t.substr(eq + 1));
    if (p.name.empty()) p.kind = Kind::Other;
  }
  return p;
}

// Cuts s to at most n bytes without splitting a UTF-8 character.
std::string_view CutUtf8(std::string_view s, std::size_t n) {
  if (s.size() <= n) return s;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

std::optional<int> ParseProfileInteger(std::string_view v) {
  if (v.empty()) return std::nullopt;
  if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
    std::string_view digits = v.substr(2);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t n = 0;
    for (char c : digits) {
      int d;
      if (c >= '0' && c <= '9') {
        d = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
      } else {
        return std::nullopt;
      }
      n = n * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<int>(n);  // two's complement wrap: 0xFFFFFFFF is -1
  }
  bool negative = false;
  if (v.front() == '+' || v.front() == '-') {
    negative = v.front() == '-';
    v.remove_prefix(1);
  }
  if (v.empty()) return std::nullopt;
  long long n = 0;
  for (char c : v) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) n = -n;
  if (n < INT_MIN || n > INT_MAX) return std::nullopt;
  return static_cast<int>(n);
}

std::string FullPath(const std::string& path) { return base::AbsolutePath(path); }

}  // namespace

IniFile::IniFile(std::string path) { Open(std::move(path)); }

bool IniFile::Open(std::string path) {
  path_ = std::move(path);
  load_error_.clear();
  lines_.clear();
  sections_.clear();
  bom_ = false;
  final_newline_ = false;

  const base::PathKind kind = base::KindOf(path_);
  if (kind == base::PathKind::Missing) return true;  // a missing file is an empty profile

  std::string text;
  const base::ReadStatus status = base::ReadWholeFile(path_, text, kMaxFileBytes);
  if (status != base::ReadStatus::Ok) {
    const std::string file = FullPath(path_);
    switch (status) {
      case base::ReadStatus::NotAFile:
        load_error_ = base::Format(base::Translate("Files", "Unable to read %1: it is not a regular file"), {file});
        break;
      case base::ReadStatus::IsFolder:
        load_error_ = base::Format(base::Translate("Files", "Unable to read %1: it is a folder"), {file});
        break;
      case base::ReadStatus::TooBig:
        load_error_ = base::Format(
            base::Translate("Files",
                             "Unable to read %1: it is larger than 1 MiB, far more than a settings or hall-of-fame "
                             "file holds"),
            {file});
        break;
      default: load_error_ = base::Format(base::Translate("Files", "Unable to read %1"), {file}); break;
    }
    return false;
  }

  std::string_view rest = text;
  if (rest.starts_with(kBom)) {
    bom_ = true;
    rest.remove_prefix(kBom.size());
  }
  // A line ends with LF or CR LF; a CR that ends the file ends its last line
  // too, so that the line and the CRs it holds are written back unchanged.
  while (!rest.empty()) {
    std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (nl == std::string_view::npos) {
      final_newline_ = line.size() < rest.size();
      break;
    }
    final_newline_ = true;
    rest.remove_prefix(nl + 1);
  }
  Reindex();
  return true;
}

std::string IniFile::Folded(std::string_view name) {
  // Written names have their line breaks turned into blanks, so lookups do
  // the same: a name holding one finds what was written under it.
  const std::string one_line = OneLine(name);
  std::string folded(Trim(one_line));
  for (char& c : folded) c = Fold(c);
  return folded;
}

void IniFile::Reindex() {
  sections_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    ParsedLine p = Parse(lines_[i]);
    if (p.kind != Kind::Header) continue;
    if (!sections_.empty()) sections_.back().end = i;
    sections_.push_back({Folded(p.name), i, lines_.size()});
  }
}

IniFile::Found IniFile::FindSection(std::string_view section) const {
  const std::string name = Folded(section);
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].name == name) return {s, true};
  }
  return {};
}

IniFile::Found IniFile::FindKey(std::string_view section, std::string_view key) const {
  const std::string name = Folded(section);
  for (const Span& span : sections_) {
    if (span.name != name) continue;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
      ParsedLine p = Parse(lines_[i]);
      if (p.kind == Kind::Entry && SameName(p.name, key)) return {i, true};
    }
  }
  return {};
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  Found f = FindKey(section, key);
  if (!f.found) return std::string(def);
  return std::string(CutUtf8(Parse(lines_[f.line]).value, kMaxValueLength));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  Found f = FindKey(section, key);
  if (!f.found) return def;
  return ParseProfileInteger(Parse(lines_[f.line]).value).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
  return FindKey(section, key).found;
}

bool IniFile::SectionExists(std::string_view section) const { return FindSection(section).found; }

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::string sec = OneLine(Trim(section));
  const std::string k = OneLine(Trim(key));
  const std::string v = OneLine(value);
  // Such a key would not read back as itself.
  if (k.empty() || k.find('=') != std::string::npos || k.front() == ';' || k.front() == '#' ||
      k.front() == '[') {
    return;
  }

  if (Found f = FindKey(sec, k); f.found) {
    // Keep the key as the file spells it; only the value changes.
    std::string spelled(Parse(lines_[f.line]).name);
    lines_[f.line] = spelled + "=" + v;
    return;
  }
  if (Found s = FindSection(sec); s.found) {
    Span& span = sections_[s.line];
    std::size_t insert_at = span.header + 1;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
      Kind kind = Parse(lines_[i]).kind;
      if (kind == Kind::Entry || kind == Kind::Other) insert_at = i + 1;
    }
    if (insert_at == lines_.size()) final_newline_ = true;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), k + "=" + v);
    span.end += 1;
    for (std::size_t later = s.line + 1; later < sections_.size(); ++later) {
      sections_[later].header += 1;
      sections_[later].end += 1;
    }
    return;
  }
  if (!lines_.empty() && Parse(lines_.back()).kind != Kind::Blank) lines_.emplace_back();
  lines_.push_back("[" + sec + "]");
  lines_.push_back(k + "=" + v);
  final_newline_ = true;
  if (!sections_.empty()) sections_.back().end = lines_.size() - 2;
  sections_.push_back({Folded(Parse(lines_[lines_.size() - 2]).name), lines_.size() - 2,
                       lines_.size()});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  std::vector<std::string> kept;
  kept.reserve(lines_.size());
  bool erasing = false;
  for (std::string& line : lines_) {
    ParsedLine p = Parse(line);
    if (p.kind == Kind::Header) erasing = SameName(p.name, section);
    if (!erasing) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
  Reindex();
}

std::string IniFile::Text() const {
  std::string out;
  if (bom_) out += kBom;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || final_newline_) out += kEol;
  }
  return out;
}

std::optional<std::string> IniFile::Save() const {
  const std::string refused = base::Format(base::Translate("Files", "Unable to write to %1"), {FullPath(path_)});
  if (path_.empty() || !load_error_.empty()) return refused;

  // A read-only file is refused (though renaming over it would work), with
  // the system's reason.
  const base::ReplaceResult result = base::ReplaceFile(path_, Text());
  if (!result) return refused + (result.Reason.empty() ? "" : ": " + result.Reason);
  return std::nullopt;
}

}  // namespace base
