#include "base/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/texts.h"

namespace base {

namespace {

PathKind KindOfStat(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return PathKind::File;
  if (S_ISDIR(st.st_mode)) return PathKind::Folder;
  return PathKind::Other;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Closes a file descriptor when it goes out of scope.
struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) close(fd);
  }
};

// Opens an existing file for reading without waiting: a pipe without a writer
// or a device must not hold the game. Returns the descriptor (or -1) and
// tells what it names.
int OpenForReading(const std::string& path, ReadStatus& status, struct stat& st) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    status = errno == EISDIR ? ReadStatus::IsFolder : ReadStatus::CannotOpen;
    return -1;
  }
  status = ReadStatus::Ok;
  if (fstat(fd, &st) != 0) {
    status = ReadStatus::CannotOpen;
  } else if (S_ISDIR(st.st_mode)) {
    status = ReadStatus::IsFolder;
  } else if (!S_ISREG(st.st_mode)) {
    status = ReadStatus::NotAFile;
  }
  if (status != ReadStatus::Ok) {
    close(fd);
    return -1;
  }
  // Regular files never block; the flag only mattered for the opening.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

template <typename Bytes>
ReadStatus ReadInto(const std::string& path, Bytes& content, std::uint64_t maxBytes) {
  content.clear();
  struct stat st{};
  ReadStatus status = ReadStatus::Ok;
  const FdCloser in{OpenForReading(path, status, st)};
  if (in.fd < 0) return status;
  // A file too big is refused unread.
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return ReadStatus::TooBig;
  content.reserve(static_cast<std::size_t>(st.st_size));
  // Read to the end whatever the size said: the file may be growing.
  char buf[16384];
  for (;;) {
    const ssize_t got = read(in.fd, buf, sizeof buf);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      content.clear();
      return ReadStatus::CannotRead;
    }
    if (got == 0) break;
    if (content.size() + static_cast<std::size_t>(got) > maxBytes) {
      content.clear();
      return ReadStatus::TooBig;
    }
    content.insert(content.end(), buf, buf + got);
  }
  return ReadStatus::Ok;
}

std::string SystemReason(int err) { return std::strerror(err); }

// Follows the symbolic links of `path` to the name that is not one (it may
// not exist). False with `err` set for a loop or an unreadable link.
bool FollowLinks(std::string path, std::string& target, int& err) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = path;
      return true;
    }
    std::vector<char> buf(static_cast<std::size_t>(std::max<off_t>(st.st_size, 255)) + 1);
    const ssize_t n = readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buf.size()) {
      err = n < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    const std::string link(buf.data(), static_cast<std::size_t>(n));
    path = !link.empty() && link.front() == '/' ? link : JoinPath(ParentOf(path), link);
  }
  err = ELOOP;
  return false;
}

// At most `n` bytes of s, never splitting a UTF-8 character.
std::string CutUtf8(const std::string& s, std::size_t n) {
  if (s.size() <= n) return s;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

// Six letters or digits that differ from call to call and from process to
// process (a clash only costs another try).
std::string UniqueTag() {
  static std::uint64_t counter = 0;
  struct timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::uint64_t x = (static_cast<std::uint64_t>(getpid()) << 32) ^ static_cast<std::uint64_t>(now.tv_nsec) ^
                    (static_cast<std::uint64_t>(now.tv_sec) << 20) ^ (++counter * 0x9E3779B97F4A7C15ull);
  // SplitMix64's finaliser spreads every bit over the letters.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string tag;
  for (int i = 0; i < 6; ++i) {
    tag += kLetters[x % 62];
    x /= 62;
  }
  return tag;
}

bool WriteAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

PathKind KindOf(const std::string& path) {
  struct stat st{};
  if (path.empty()) return PathKind::Missing;
  if (stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Unknown;
  return KindOfStat(st);
}

bool FileSizeOf(const std::string& path, std::uint64_t& size) {
  struct stat st{};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& content, std::uint64_t maxBytes) {
  return ReadInto(path, content, maxBytes);
}

ReadStatus ReadWholeFile(const std::string& path, std::vector<unsigned char>& content, std::uint64_t maxBytes) {
  return ReadInto(path, content, maxBytes);
}

InputFile::InputFile(const std::string& path) {
  struct stat st{};
  ReadStatus status = ReadStatus::Ok;
  const int fd = OpenForReading(path, status, st);
  if (fd < 0) return;
  file_ = fdopen(fd, "rb");
  if (!file_) {
    close(fd);
    return;
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

bool InputFile::ReadAt(std::uint64_t at, void* to, std::size_t count) {
  if (!file_ || at > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  if (fseeko(file_, static_cast<off_t>(at), SEEK_SET) != 0) return false;
  return std::fread(to, 1, count, file_) == count;
}

ReplaceResult ReplaceFile(const std::string& path, const std::string& content) {
  auto refused = [](ReplaceResult::Step step, int err) { return ReplaceResult{step, SystemReason(err)}; };
  std::string target;
  int err = 0;
  if (path.empty()) return refused(ReplaceResult::CannotWrite, ENOENT);
  if (!FollowLinks(path, target, err)) return refused(ReplaceResult::CannotWrite, err);
  const std::string name = FileNameOf(target);
  if (name.empty() || name == "." || name == "..") return refused(ReplaceResult::CannotWrite, EISDIR);

  struct stat old{};
  const bool replacing = stat(target.c_str(), &old) == 0;
  if (replacing) {
    if (S_ISDIR(old.st_mode)) return refused(ReplaceResult::CannotWrite, EISDIR);
    if (!S_ISREG(old.st_mode)) return {ReplaceResult::CannotWrite, Translate("Files", "it is not a regular file")};
    // Renaming over a read-only file would work; writing to it must not.
    if (!IsWritable(target)) return refused(ReplaceResult::CannotWrite, errno);
  }

  const std::string folderPath = target.find('/') == std::string::npos ? "." : ParentOf(target);
  const FdCloser folder{open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (folder.fd < 0) return refused(ReplaceResult::CannotWrite, errno);

  // A hidden name that fits any folder, opened only if it is new: whatever
  // already stands under it (a link planted there) is never followed.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = "." + CutUtf8(name, 64) + "." + UniqueTag() + ".tmp";
    fd = openat(folder.fd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                replacing ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return refused(ReplaceResult::CannotWrite, errno);

  errno = 0;
  bool ok = WriteAll(fd, content);
  if (ok && replacing) {
    // Best effort, as some file systems keep neither: the owner first, as
    // changing it may clear the set-id bits the mode sets. Only the superuser
    // may give a file away; the file is otherwise ours anyway.
    const bool owned = fchown(fd, old.st_uid, old.st_gid) == 0;
    const bool moded = fchmod(fd, old.st_mode & 07777) == 0;
    if (!owned || !moded) errno = 0;
  }
  // A file system that cannot flush says so with EINVAL; any other failure
  // means the content may not be on the disk.
  ok = ok && (fsync(fd) == 0 || errno == EINVAL);
  err = errno;
  ok = close(fd) == 0 && ok;
  if (!ok) {
    unlinkat(folder.fd, temp.c_str(), 0);
    return refused(ReplaceResult::CannotWrite, err != 0 ? err : EIO);
  }
  if (renameat(folder.fd, temp.c_str(), folder.fd, name.c_str()) != 0) {
    err = errno;
    unlinkat(folder.fd, temp.c_str(), 0);
    return refused(ReplaceResult::CannotRename, err);
  }
  // The rename itself reaches the disk with the folder.
  fsync(folder.fd);
  return {};
}

bool IsWritable(const std::string& path) { return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  errno = 0;
  while (const dirent* d = readdir(dir)) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    PathKind kind;
    switch (d->d_type) {
      case DT_REG: kind = PathKind::File; break;
      case DT_DIR: kind = PathKind::Folder; break;
      case DT_LNK:
      case DT_UNKNOWN: kind = KindOf(JoinPath(folder, name)); break;
      default: kind = PathKind::Other; break;
    }
    entries.push_back({name, kind});
    errno = 0;
  }
  const bool ok = errno == 0;
  closedir(dir);
  if (!ok) entries.clear();
  return ok;
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& ext) {
  std::vector<std::string> out;
  std::vector<FolderEntry> entries;
  ListFolder(folder, entries);
  for (const FolderEntry& entry : entries) {
    const std::string& name = entry.Name;
    if (entry.Kind != PathKind::File || !HasExtensionNoCase(name, ext)) continue;
    if (name.size() <= ext.size()) continue;  // no name before the extension
    out.push_back(name);
  }
  return out;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || name == "..") return {};
  return name.substr(dot);
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool HasExtensionNoCase(const std::string& name, const std::string& ext) {
  if (name.size() < ext.size()) return false;
  return std::equal(ext.begin(), ext.end(), name.end() - static_cast<std::ptrdiff_t>(ext.size()),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

std::string AbsolutePath(const std::string& path) {
  std::string full = path;
  if (full.empty() || full.front() != '/') {
    std::vector<char> cwd(4096);
    while (!getcwd(cwd.data(), cwd.size())) {
      if (errno != ERANGE) return path;
      cwd.resize(cwd.size() * 2);
    }
    full = JoinPath(cwd.data(), path);
  }
  // Tidy the names; a path that ends in a folder name keeps its closing '/'.
  std::vector<std::string> names;
  bool closingSlash = false;
  std::size_t at = 1;
  while (at <= full.size()) {
    std::size_t end = full.find('/', at);
    if (end == std::string::npos) end = full.size();
    const std::string name = full.substr(at, end - at);
    closingSlash = name.empty() || name == "." || name == "..";
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    at = end + 1;
  }
  std::string out = "/";
  for (std::size_t i = 0; i < names.size(); ++i) out += (i ? "/" : "") + names[i];
  if (closingSlash && !names.empty()) out += '/';
  return out;
}

}  // namespace base
