#pragma once
// Runs the built sorami-tool as a layout designer would, from a shell, in a
// fresh temporary folder per test.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace tool_testing {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string output;  // what it wrote on stdout and stderr
};

inline std::string ToolPath() { return std::string(SORAMI_TOOLS_DIR) + "/sorami-tool"; }

// `args` is a shell command line: quote file names with Quoted().
inline ToolRun Tool(const std::string& args) {
  ToolRun r;
  FILE* p = popen((ToolPath() + " " + args + " 2>&1").c_str(), "r");
  if (p == nullptr) return r;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p) != nullptr) r.output += buf;
  const int status = pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

inline std::string Quoted(const fs::path& file) { return "'" + file.string() + "'"; }

class ToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(ToolPath())) GTEST_SKIP() << "sorami-tool not built";
    dir = fs::temp_directory_path() / ("sorami_tools_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

}  // namespace tool_testing
