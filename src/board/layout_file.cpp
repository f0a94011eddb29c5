#include "board/layout_file.h"

#include <vector>

#include "base/file_io.h"
#include "base/texts.h"

namespace board {

namespace {

// Layout files are small; anything bigger than this is not one.
constexpr std::uint64_t MaxLayoutFileSize = 1 << 20;

std::string Quoted(const std::string& p) { return "\"" + p + "\""; }

std::string ReadLayoutText(const std::string& file) {
  std::string content;
  switch (base::ReadWholeFile(file, content, MaxLayoutFileSize)) {
    case base::ReadStatus::Ok: return content;
    case base::ReadStatus::IsFolder: throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot open layout file %1: it is a folder."), {Quoted(file)}));
    case base::ReadStatus::NotAFile:
      throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot open layout file %1: it is not a regular file."), {Quoted(file)}));
    case base::ReadStatus::CannotOpen: throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot open layout file %1."), {Quoted(file)}));
    case base::ReadStatus::TooBig: throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Layout file %1 is too big to be a layout."), {Quoted(file)}));
    case base::ReadStatus::CannotRead: break;
  }
  throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot read layout file %1."), {Quoted(file)}));
}

// Lines as the game's files have them: a line runs up to its CR (or LF) and
// the next one starts after the following LF.
std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < content.size()) {
    std::size_t end = content.find_first_of("\r\n", i);
    if (end == std::string::npos) {
      lines.push_back(content.substr(i));
      break;
    }
    lines.push_back(content.substr(i, end - i));
    if (content[end] == '\r') {
      const std::size_t lf = content.find('\n', end);
      i = lf == std::string::npos ? content.size() : lf + 1;
    } else {
      i = end + 1;
    }
  }
  return lines;
}

// One hexadecimal digit as the external format reads it: "0".."9" are digits,
// every other character counts as its code minus 55 ("A".."F" give 10..15).
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return static_cast<unsigned char>(c) - 55;
}
int HexPair(const std::string& line, std::size_t at) { return HexDigit(line[at]) * 16 + HexDigit(line[at + 1]); }

template <typename Parse>
auto WithFileName(const std::string& file, Parse parse) {
  const std::string content = ReadLayoutText(file);
  try {
    return parse(content);
  } catch (const LayoutFileError& e) {
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Layout file %1 is damaged: %2"), {Quoted(file), e.what()}));
  }
}

}  // namespace

LayReadResult ParseLay(const std::string& content, LayoutGrid& layout) {
  const std::vector<std::string> lines = SplitLines(content);
  LayReadResult r;
  if (lines.size() > 1) r.Name = lines[1];
  if (lines.empty() || lines[0] != LayHeader) return r;  // only the name is taken
  if (lines.size() < 3) throw LayoutFileError(base::Translate("LayoutFile", "the line of place flags is missing."));
  const std::string& data = lines[2];
  if (data.size() < static_cast<std::size_t>(LayoutFlagCount))
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "the line of place flags holds %1 characters instead of %2."),
                               {std::to_string(data.size()), std::to_string(LayoutFlagCount)}));
  LayoutGrid read;
  int places = 0;
  for (int k = 0; k < LayoutFlagCount; ++k) {
    const char c = data[static_cast<std::size_t>(k)];
    if (c != '0' && c != '1')
      throw LayoutFileError(base::Format(base::Translate("LayoutFile", "character %1 of the place flags is neither 0 nor 1."), {std::to_string(k + 1)}));
    read.SetFlag(k, c == '1');
    places += c == '1';
  }
  if (places > MaxTiles)
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "it has %1 places, more than the %2 tiles of the game."),
                               {std::to_string(places), std::to_string(MaxTiles)}));
  layout = read;
  r.HeaderOk = true;
  return r;
}

void ParseShp(const std::string& content, LayoutGrid& layout) {
  const std::vector<std::string> lines = SplitLines(content);
  if (lines.size() < static_cast<std::size_t>(MaxTiles))
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "it has %1 lines; a layout needs %2, one per place."),
                               {std::to_string(lines.size()), std::to_string(MaxTiles)}));
  LayoutGrid read;
  for (int i = 0; i < MaxTiles; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    const std::string number = std::to_string(i + 1);
    if (line.size() < 9) throw LayoutFileError(base::Format(base::Translate("LayoutFile", "line %1 is shorter than 9 characters."), {number}));
    const int x = HexPair(line, 3) + 2, y = HexPair(line, 5) + 2, z = HexPair(line, 7) + 1;
    if (!Grid::InRange(x, y, z))
      throw LayoutFileError(base::Format(base::Translate("LayoutFile", "line %1 places a tile at column %2, row %3, layer %4, outside the board."),
                                 {number, std::to_string(x), std::to_string(y), std::to_string(z)}));
    read.Set(x, y, z, 1);
  }
  layout = read;
}

std::string FormatLay(const std::string& name, const LayoutGrid& layout) {
  std::string oneLine = name;
  for (char& c : oneLine)
    if (c == '\r' || c == '\n') c = ' ';
  std::string out;
  out.reserve(static_cast<std::size_t>(LayoutFlagCount) + oneLine.size() + 20);
  out += LayHeader;
  out += "\r\n";
  out += oneLine;
  out += "\r\n";
  for (int k = 0; k < LayoutFlagCount; ++k) out += static_cast<char>('0' + layout.Flag(k));
  out += "\r\n";
  return out;
}

LayReadResult ReadLayFile(const std::string& file, LayoutGrid& layout) {
  return WithFileName(file, [&](const std::string& content) { return ParseLay(content, layout); });
}

void ReadShpFile(const std::string& file, LayoutGrid& layout) {
  WithFileName(file, [&](const std::string& content) {
    ParseShp(content, layout);
    return 0;
  });
}

std::string LoadLayout(const std::string& file, LayoutGrid& layout) {
  const std::string ext = base::ExtensionOf(file);
  if (ext.size() == 4 && (ext[1] | 0x20) == 's' && (ext[2] | 0x20) == 'h' && (ext[3] | 0x20) == 'p') {
    ReadShpFile(file, layout);
    return file;
  }
  LayoutGrid read;
  const LayReadResult r = ReadLayFile(file, read);
  if (!r.HeaderOk)
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Layout file %1 does not start with \"%2\"."), {Quoted(file), LayHeader}));
  layout = read;
  return r.Name;
}

void WriteLayFile(const std::string& file, const std::string& name, const LayoutGrid& layout) {
  if (layout.Count() > MaxTiles)
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot save layout %1: it has more than %2 places."), {Quoted(file), std::to_string(MaxTiles)}));
  WriteFileAtomically(file, FormatLay(name, layout));
}

void WriteFileAtomically(const std::string& file, const std::string& content) {
  const base::ReplaceResult r = base::ReplaceFile(file, content);
  if (!r) {
    if (r.Reason.empty()) throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot write file %1."), {Quoted(file)}));
    throw LayoutFileError(base::Format(base::Translate("LayoutFile", "Cannot write file %1: %2."), {Quoted(file), r.Reason}));
  }
}

}  // namespace board
