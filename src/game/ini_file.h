#pragma once
// A profile (INI) text file with the lookup rules the game's two files rely on.
//
// The whole file is held in memory line by line. Reads look it up there,
// writes change it there, and Save() writes it back in one piece: to a
// temporary file beside the target, which is then renamed over it, so a crash
// mid-write never leaves half a file. Every line the writes did not touch is
// written back exactly as it was read (comments, blank lines, spacing, order,
// unknown lines); only the line ending becomes CR LF.
//
// Lookup rules:
//  - section and key names are matched without regard to letter case (ASCII)
//    and without the blanks around them;
//  - the value is the text after the first "=", with the blanks (spaces and
//    tabs) around it dropped, cut to at most 1023 bytes;
//  - when a section or key occurs twice, the first occurrence wins;
//  - lines starting with ";" or "#" are comments; a line "[name]" opens the
//    section "name"; lines before the first section belong to no section.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game {

class IniFile {
 public:
  // Longest value ReadString returns, in bytes (never splitting a UTF-8
  // character).
  static constexpr std::size_t kMaxValueLength = 1023;
  // Larger files are not read (the game's files hold a few kilobytes).
  static constexpr std::uint64_t kMaxFileBytes = 1u << 20;

  IniFile() = default;
  // Same as Open(path), ignoring its result.
  explicit IniFile(std::string path);

  // Reads the file at `path`. A missing file is an empty profile and not an
  // error. A file that exists but cannot be read (no permission, a folder, a
  // pipe or a device, more than kMaxFileBytes) leaves the profile empty and
  // returns false with LoadError() set ("Unable to read <full path>", then
  // the reason); Save() then refuses to overwrite it.
  bool Open(std::string path);
  const std::string& Path() const { return path_; }
  const std::string& LoadError() const { return load_error_; }

  // The value of `key` in `section`, or `def` when the key is missing. A key
  // present with an empty value gives the empty string.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // The value read as a 32-bit integer: a value longer than two characters
  // that begins with "0x" or "0X" is hexadecimal (up to 8 digits, "0xFFFFFFFF"
  // reads as -1), otherwise an optionally signed decimal number. A missing
  // key, an empty value, a value that is not such a number (trailing text
  // included) or one out of range gives `def`.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // ReadInteger with 1 or 0 as default; any non-zero number is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  bool SectionExists(std::string_view section) const;

  // Sets `key` in `section` to `value`. An existing key keeps its line's
  // place; a new key goes after the last entry of its section; a new section
  // goes at the end of the file. Line breaks in any argument are turned into
  // blanks so that a value can never add lines to the file. A key that could
  // not be read back (empty, holding "=", or starting with ";", "#" or "[")
  // is not written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every section of that name with all its lines.
  void EraseSection(std::string_view section);

  // Writes the whole file (see above); a file that is a symbolic link has the
  // file it points to replaced. Returns the error text
  // "Unable to write to <full path>: <the system's reason>" when the system
  // refuses (a read-only file included); nothing on success. The profile in
  // memory is unchanged either way.
  [[nodiscard]] std::optional<std::string> Save() const;

  // The file's text as Save() would write it.
  std::string Text() const;

  // A section name as lookups compare it: line breaks as blanks, trimmed,
  // in lower case. Two names with the same key are the same section.
  static std::string Folded(std::string_view name);

 private:
  // The lines of one section: its header and the lines up to the next one.
  struct Span {
    std::string name;  // as Folded() gives it
    std::size_t header = 0;
    std::size_t end = 0;  // one past its last line
  };
  struct Found {
    std::size_t line = 0;  // FindSection: the index into sections_
    bool found = false;
  };
  // Rebuilds sections_ from lines_.
  void Reindex();
  // First line of the key in any section of that name.
  Found FindKey(std::string_view section, std::string_view key) const;
  // First section of that name.
  Found FindSection(std::string_view section) const;

  std::string path_;
  std::string load_error_;
  std::vector<std::string> lines_;  // without their line endings
  std::vector<Span> sections_;      // in file order
  bool bom_ = false;                // the file began with a UTF-8 byte order mark
  bool final_newline_ = false;      // the last line had a line ending
};

}  // namespace game
