#include "game/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "base/file_io.h"

namespace game {

namespace {

std::string WithSeparator(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// An XDG base folder: the variable when it holds an absolute path (the
// standard says relative ones are to be ignored), else HOME + fallback.
std::string BaseFolder(const std::string& variable, const std::string& home, const char* fallback) {
  if (!variable.empty() && variable.front() == '/') return WithSeparator(variable);
  return WithSeparator(base::JoinPath(home.empty() ? std::string("/") : home, fallback));
}

bool HoldsData(const std::string& folder) { return base::IsFolder(folder + "Layouts"); }

bool Writable(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

}  // namespace

FolderEnvironment FolderEnvironment::FromProcess() {
  FolderEnvironment environment;
  environment.Home = Variable("HOME");
  if (environment.Home.empty()) {
    // A session without HOME still has an account with a home folder.
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr)
      environment.Home = found->pw_dir;
  }
  environment.XdgConfigHome = Variable("XDG_CONFIG_HOME");
  environment.XdgDataHome = Variable("XDG_DATA_HOME");
  return environment;
}

std::string Folders::SettingsFile() const { return Settings + "Sorami.ini"; }

std::string Folders::HallOfFameFile() const { return User + "Hallfame.ini"; }

std::string Folders::UserFolder(const std::string& kind) const {
  if (!Separate()) return {};
  return kind.empty() ? User : User + kind + "/";
}

Folders ChooseFolders(const std::string& programDir, const FolderEnvironment& environment) {
  Folders folders;
  const std::string program = WithSeparator(base::AbsolutePath(programDir.empty() ? "." : programDir));
  // An installed copy: P/bin/sorami with its data in P/share/sorami. A copy
  // that carries its data beside itself is never taken for one.
  const std::string shared = WithSeparator(base::AbsolutePath(program + "../share/sorami"));
  if (!HoldsData(program) && HoldsData(shared)) {
    folders.Data = shared;
    folders.Installed = true;
  } else {
    folders.Data = program;
  }
  const bool writable = environment.CanWrite != nullptr ? environment.CanWrite(program) : Writable(program);
  if (!folders.Installed && writable) {
    folders.Settings = program;
    folders.User = program;
    return folders;
  }
  folders.Settings = BaseFolder(environment.XdgConfigHome, environment.Home, ".config") + "sorami/";
  folders.User = BaseFolder(environment.XdgDataHome, environment.Home, ".local/share") + "sorami/";
  return folders;
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  std::string made;
  std::size_t at = 0;
  while (at <= path.size()) {
    const std::size_t next = path.find('/', at);
    const std::size_t end = next == std::string::npos ? path.size() : next;
    made = path.substr(0, end);
    if (!made.empty() && !base::IsFolder(made) && ::mkdir(made.c_str(), 0755) != 0 && errno != EEXIST)
      return false;
    if (next == std::string::npos) break;
    at = next + 1;
  }
  return base::IsFolder(path);
}

}  // namespace game
