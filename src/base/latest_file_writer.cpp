#include "base/latest_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/file_io.h"

namespace base {

LatestFileWriter::LatestFileWriter() : worker_([this] { Run(); }) {}

LatestFileWriter::~LatestFileWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void LatestFileWriter::Replace(const std::string& path, std::string content) { Hand(Job{path, std::move(content)}); }

void LatestFileWriter::Remove(const std::string& path) { Hand(Job{path, std::nullopt}); }

void LatestFileWriter::Hand(Job job) {
  {
    const std::lock_guard lock(mutex_);
    ++handed_;
    // A newer content for a file still waiting takes the older one's place.
    bool replaced = false;
    for (Job& waiting : waiting_) {
      if (waiting.Path != job.Path) continue;
      waiting = std::move(job);
      ++finished_;
      replaced = true;
      break;
    }
    if (!replaced) waiting_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void LatestFileWriter::Flush() {
  std::unique_lock lock(mutex_);
  const std::uint64_t target = handed_;
  done_.wait(lock, [&] { return finished_ >= target; });
}

std::optional<std::string> LatestFileWriter::TakeFailure() {
  const std::lock_guard lock(mutex_);
  return std::exchange(failure_, std::nullopt);
}

void LatestFileWriter::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [&] { return stopping_ || !waiting_.empty(); });
    if (waiting_.empty()) return;  // stopping, with nothing left to write
    Job job = std::move(waiting_.front());
    waiting_.erase(waiting_.begin());
    lock.unlock();
    std::optional<std::string> failure;
    if (job.Content) {
      const ReplaceResult result = ReplaceFile(job.Path, *job.Content);
      if (!result) failure = job.Path + ": " + result.Reason;
    } else if (std::remove(job.Path.c_str()) != 0 && errno != ENOENT) {
      failure = job.Path + ": " + std::strerror(errno);
    }
    lock.lock();
    if (failure) failure_ = std::move(failure);
    ++finished_;
    done_.notify_all();
  }
}

}  // namespace base
