#pragma once
// Reading and writing files, and the little path handling the game needs, on
// plain UTF-8 path strings.
//
// Built on the C library and POSIX calls only: the stream and file-system
// parts of the C++ library bring in a good deal of code and locale data the
// first time they are used, and the game opens files from its very start.

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace board {

// What a path names, following symbolic links.
enum class PathKind {
  Missing,  // nothing there (or a link to nothing)
  File,     // a regular file
  Folder,
  Other,    // a device, pipe, socket...
  Unknown,  // it cannot be told (no permission to look, ...)
};
PathKind KindOf(const std::string& path);
inline bool Exists(const std::string& path) {
  const PathKind k = KindOf(path);
  return k != PathKind::Missing && k != PathKind::Unknown;
}
inline bool IsFile(const std::string& path) { return KindOf(path) == PathKind::File; }
inline bool IsFolder(const std::string& path) { return KindOf(path) == PathKind::Folder; }

// The size of a regular file; false when it is none or cannot be looked at.
bool FileSizeOf(const std::string& path, std::uint64_t& size);

inline constexpr std::uint64_t NoSizeLimit = std::numeric_limits<std::uint64_t>::max();

enum class ReadStatus {
  Ok,
  CannotOpen,  // missing, no permission...
  IsFolder,
  NotAFile,    // a pipe, a device, a socket: never read
  TooBig,      // more than the limit given: nothing is returned
  CannotRead,  // opened, but reading failed part way
};
// Reads a whole regular file. The opening never waits (a pipe without a
// writer, a device), and anything but a regular file is refused unread.
// With anything but Ok, `content` is left empty.
ReadStatus ReadWholeFile(const std::string& path, std::string& content, std::uint64_t maxBytes = NoSizeLimit);
ReadStatus ReadWholeFile(const std::string& path, std::vector<unsigned char>& content,
                         std::uint64_t maxBytes = NoSizeLimit);

// A file opened for reading at any offset.
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // False when the file could not be opened, or is no regular file.
  bool IsOpen() const { return file_ != nullptr; }
  std::uint64_t Size() const { return size_; }
  // Reads exactly `count` bytes from offset `at`; false when fewer are there.
  bool ReadAt(std::uint64_t at, void* to, std::size_t count);

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
};

// Replaces the file at `path` by `content` so that it is either wholly old
// or wholly new, even after a power cut:
//  - when `path` is a symbolic link (or a chain of them), the file it points
//    to is replaced and the link stays;
//  - an existing target that may not be written (read-only, immutable), or
//    that is no regular file, is refused untouched;
//  - the content goes to a new temporary file beside the target, created
//    under a fresh name that did not exist before (a name planted there,
//    link or not, is never opened), flushed to disk, given the target's
//    permissions and owner, and renamed over the target; the folder is then
//    flushed too;
//  - the temporary name is short whatever the target's name, and never
//    stays behind.
struct ReplaceResult {
  enum Step { Ok, CannotWrite, CannotRename };
  Step Status = Ok;
  std::string Reason;  // the system's words for the failure ("Permission denied")
  explicit operator bool() const { return Status == Ok; }
};
ReplaceResult ReplaceFile(const std::string& path, const std::string& content);

// Whether an existing file may be written to by this process (read-only,
// immutable and read-only mounted files may not). Nothing is opened.
bool IsWritable(const std::string& path);

bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

// The entries of a folder in the order the system gives them, without "."
// and "..". Kind follows symbolic links. False (and nothing listed) when the
// folder cannot be read.
struct FolderEntry {
  std::string Name;
  PathKind Kind = PathKind::Unknown;
};
bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries);
// The names of the entries of `folder` that are regular files (links
// followed; folders, pipes and devices skipped) and end in `ext`
// (".lay"), without regard to case, with a name before it; in the order the
// system gives them. A folder that cannot be read lists nothing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& ext);

// Path helpers. Paths use '/' between names.
// `folder` and `name` with one '/' between them (`name` alone when `folder`
// is empty).
std::string JoinPath(const std::string& folder, const std::string& name);
// The last name of the path ("" when it ends with '/').
std::string FileNameOf(const std::string& path);
// The last '.' and what follows it in the file name; "" when there is none
// or the name only starts with a dot ("dir/.hidden").
std::string ExtensionOf(const std::string& path);
// The path without its last name and the '/' before it ("/" stays "/").
std::string ParentOf(const std::string& path);
// Whether `name` ends with `ext` ("lay" or ".lay"), ignoring the case of
// ASCII letters.
bool HasExtensionNoCase(const std::string& name, const std::string& ext);
// The path made absolute (from the working folder) and tidied: no "." or
// empty names, and a name followed by ".." removed with it.
std::string AbsolutePath(const std::string& path);

}  // namespace board
