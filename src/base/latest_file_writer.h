#pragma once
// Files written on a thread of their own, for files that are written often
// and must never hold up the caller (the game in hand, after every move).
// Each file is replaced as ReplaceFile does (whole or not at all, flushed to
// disk); of several contents handed over for one file while an earlier
// write is going on, only the newest is written.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace base {

class LatestFileWriter {
 public:
  LatestFileWriter();
  // Writes what was handed over and has not been written yet, then stops.
  ~LatestFileWriter();
  LatestFileWriter(const LatestFileWriter&) = delete;
  LatestFileWriter& operator=(const LatestFileWriter&) = delete;

  // The file at `path` is to hold `content`.
  void Replace(const std::string& path, std::string content);
  // The file at `path` is to go (a missing file is no failure).
  void Remove(const std::string& path);
  // Returns once everything handed over so far is done.
  void Flush();
  // The failure of the latest write that failed since the last call ("path:
  // reason"), if any.
  std::optional<std::string> TakeFailure();

 private:
  struct Job {
    std::string Path;
    std::optional<std::string> Content;  // none: remove the file
  };
  void Hand(Job job);
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::vector<Job> waiting_;
  std::uint64_t handed_ = 0;    // jobs handed over so far
  std::uint64_t finished_ = 0;  // jobs done or replaced by a newer one
  bool stopping_ = false;
  std::optional<std::string> failure_;
  std::thread worker_;
};

}  // namespace base
