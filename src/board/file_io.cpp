#include "board/file_io.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace board {

namespace {

PathKind KindOfStat(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return PathKind::File;
  if (S_ISDIR(st.st_mode)) return PathKind::Folder;
  return PathKind::Other;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Closes a FILE when it goes out of scope.
struct Closer {
  std::FILE* file;
  ~Closer() {
    if (file) std::fclose(file);
  }
};

template <typename Bytes>
ReadStatus ReadInto(const std::string& path, Bytes& content, std::uint64_t maxBytes) {
  content.clear();
  Closer in{std::fopen(path.c_str(), "rb")};
  if (!in.file) return errno == EISDIR ? ReadStatus::IsFolder : ReadStatus::CannotOpen;
  struct stat st{};
  if (fstat(fileno(in.file), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return ReadStatus::IsFolder;
    if (S_ISREG(st.st_mode)) {
      // A regular file too big is refused unread.
      if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return ReadStatus::TooBig;
      content.reserve(static_cast<std::size_t>(st.st_size));
    }
  }
  // Read to the end whatever the size said: the file may be growing, or be
  // a pipe.
  char buf[16384];
  for (;;) {
    const std::size_t got = std::fread(buf, 1, sizeof buf, in.file);
    if (got > 0) {
      if (content.size() + got > maxBytes) {
        content.clear();
        return ReadStatus::TooBig;
      }
      content.insert(content.end(), buf, buf + got);
    }
    if (got < sizeof buf) break;
  }
  if (std::ferror(in.file)) {
    content.clear();
    return ReadStatus::CannotRead;
  }
  return ReadStatus::Ok;
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

InputFile::InputFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
  struct stat st{};
  if (file_ && (fstat(fileno(file_), &st) != 0 || S_ISDIR(st.st_mode))) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (file_) size_ = static_cast<std::uint64_t>(st.st_size);
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
  const std::string temp = path + ".tmp";
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (!out) return {ReplaceResult::CannotWrite, {}};
  bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
  written = std::fflush(out) == 0 && written;
  written = std::fclose(out) == 0 && written;
  if (!written) {
    std::remove(temp.c_str());
    return {ReplaceResult::CannotWrite, {}};
  }
  struct stat st{};
  if (stat(path.c_str(), &st) == 0) chmod(temp.c_str(), st.st_mode & 07777);
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    std::remove(temp.c_str());
    return {ReplaceResult::CannotRename, std::strerror(err)};
  }
  return {};
}

bool OpensForWriting(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return false;
  std::fclose(f);
  return true;
}

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
    if (entry.Kind == PathKind::Folder || !HasExtensionNoCase(name, ext)) continue;
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

}  // namespace board
