#include "board/layout_file.h"

#include <vector>

#include "board/file_io.h"

namespace board {

namespace {

// Layout files are small; anything bigger than this is not one.
constexpr std::uint64_t MaxLayoutFileSize = 1 << 20;

std::string Quoted(const std::string& p) { return "\"" + p + "\""; }

std::string ReadLayoutText(const std::string& file) {
  std::string content;
  switch (ReadWholeFile(file, content, MaxLayoutFileSize)) {
    case ReadStatus::Ok: return content;
    case ReadStatus::IsFolder: throw LayoutFileError("Cannot open layout file " + Quoted(file) + ": it is a folder.");
    case ReadStatus::NotAFile:
      throw LayoutFileError("Cannot open layout file " + Quoted(file) + ": it is not a regular file.");
    case ReadStatus::CannotOpen: throw LayoutFileError("Cannot open layout file " + Quoted(file) + ".");
    case ReadStatus::TooBig: throw LayoutFileError("Layout file " + Quoted(file) + " is too big to be a layout.");
    case ReadStatus::CannotRead: break;
  }
  throw LayoutFileError("Cannot read layout file " + Quoted(file) + ".");
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
    throw LayoutFileError("Layout file " + Quoted(file) + " is damaged: " + e.what());
  }
}

}  // namespace

LayReadResult ParseLay(const std::string& content, LayoutGrid& layout) {
  const std::vector<std::string> lines = SplitLines(content);
  LayReadResult r;
  if (lines.size() > 1) r.Name = lines[1];
  if (lines.empty() || lines[0] != LayHeader) return r;  // only the name is taken
  if (lines.size() < 3) throw LayoutFileError("the line of place flags is missing.");
  const std::string& data = lines[2];
  if (data.size() < static_cast<std::size_t>(LayoutFlagCount))
    throw LayoutFileError("the line of place flags holds " + std::to_string(data.size()) + " characters instead of " +
                          std::to_string(LayoutFlagCount) + ".");
  LayoutGrid read;
  int places = 0;
  for (int k = 0; k < LayoutFlagCount; ++k) {
    const char c = data[static_cast<std::size_t>(k)];
    if (c != '0' && c != '1')
      throw LayoutFileError("character " + std::to_string(k + 1) + " of the place flags is neither 0 nor 1.");
    read.SetFlag(k, c == '1');
    places += c == '1';
  }
  if (places > MaxTiles)
    throw LayoutFileError("it has " + std::to_string(places) + " places, more than the " + std::to_string(MaxTiles) +
                          " tiles of the game.");
  layout = read;
  r.HeaderOk = true;
  return r;
}

void ParseShp(const std::string& content, LayoutGrid& layout) {
  const std::vector<std::string> lines = SplitLines(content);
  if (lines.size() < static_cast<std::size_t>(MaxTiles))
    throw LayoutFileError("it has " + std::to_string(lines.size()) + " lines; a layout needs " +
                          std::to_string(MaxTiles) + ", one per place.");
  LayoutGrid read;
  for (int i = 0; i < MaxTiles; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    const std::string where = "line " + std::to_string(i + 1);
    if (line.size() < 9) throw LayoutFileError(where + " is shorter than 9 characters.");
    const int x = HexPair(line, 3) + 2, y = HexPair(line, 5) + 2, z = HexPair(line, 7) + 1;
    if (!Grid::InRange(x, y, z))
      throw LayoutFileError(where + " places a tile at column " + std::to_string(x) + ", row " + std::to_string(y) +
                            ", layer " + std::to_string(z) + ", outside the board.");
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
  const std::string ext = ExtensionOf(file);
  if (ext.size() == 4 && (ext[1] | 0x20) == 's' && (ext[2] | 0x20) == 'h' && (ext[3] | 0x20) == 'p') {
    ReadShpFile(file, layout);
    return file;
  }
  LayoutGrid read;
  const LayReadResult r = ReadLayFile(file, read);
  if (!r.HeaderOk)
    throw LayoutFileError("Layout file " + Quoted(file) + " does not start with \"" + std::string(LayHeader) + "\".");
  layout = read;
  return r.Name;
}

void WriteLayFile(const std::string& file, const std::string& name, const LayoutGrid& layout) {
  if (layout.Count() > MaxTiles)
    throw LayoutFileError("Cannot save layout " + Quoted(file) + ": it has more than " + std::to_string(MaxTiles) +
                          " places.");
  WriteFileAtomically(file, FormatLay(name, layout));
}

void WriteFileAtomically(const std::string& file, const std::string& content) {
  const ReplaceResult r = ReplaceFile(file, content);
  if (!r) throw LayoutFileError("Cannot write file " + Quoted(file) + (r.Reason.empty() ? "" : ": " + r.Reason) + ".");
}

}  // namespace board
