#include "program_files.h"

#include <QString>
#include <system_error>

namespace tool {

namespace fs = std::filesystem;

fs::path ProgramDir() {
  std::error_code ec;
  const fs::path exe = fs::canonical("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

bool WritePng(const QImage& picture, const fs::path& target) {
  const fs::path temp = target.string() + ".part";
  std::error_code ec;
  if (!picture.save(QString::fromStdString(temp.string()), "PNG")) {
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace tool
