// Files written on the writer's own thread: what was handed over last is
// what the file holds once flushed, removals keep their turn, failures are
// told, and nothing handed over is lost when the writer goes.
#include "base/latest_file_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_io.h"
#include "board/temp_dir.h"

namespace base {
namespace {

using board::testing::TempDir;

std::string Content(const std::string& path) {
  std::string text;
  EXPECT_EQ(ReadWholeFile(path, text), ReadStatus::Ok) << path;
  return text;
}

TEST(LatestFileWriter, TheLastContentHandedOverIsWhatStays) {
  TempDir dir;
  const std::string game = (dir.path() / "Current.sorami-game").string();
  const std::string other = (dir.path() / "Other.txt").string();
  LatestFileWriter writer;
  for (int i = 0; i < 200; ++i) writer.Replace(game, "move " + std::to_string(i) + "\n");
  writer.Replace(other, "other\n");
  writer.Flush();
  EXPECT_EQ(Content(game), "move 199\n");
  EXPECT_EQ(Content(other), "other\n");

  // A removal after a write wins, and a write after a removal.
  writer.Replace(game, "again\n");
  writer.Remove(game);
  writer.Flush();
  EXPECT_FALSE(Exists(game));
  writer.Remove(game);
  writer.Replace(game, "back\n");
  writer.Flush();
  EXPECT_EQ(Content(game), "back\n");
  EXPECT_FALSE(writer.TakeFailure().has_value());
}

TEST(LatestFileWriter, FailuresAreToldOnce) {
  TempDir dir;
  LatestFileWriter writer;
  const std::string nowhere = (dir.path() / "no such folder" / "file").string();
  writer.Replace(nowhere, "x");
  writer.Remove((dir.path() / "never there").string());  // nothing to remove is fine
  writer.Flush();
  const auto failure = writer.TakeFailure();
  ASSERT_TRUE(failure.has_value());
  EXPECT_NE(failure->find(nowhere), std::string::npos) << *failure;
  EXPECT_FALSE(writer.TakeFailure().has_value());
}

TEST(LatestFileWriter, WhatWaitsIsWrittenBeforeTheWriterGoes) {
  TempDir dir;
  const std::string path = (dir.path() / "last").string();
  {
    LatestFileWriter writer;
    writer.Replace(path, "first");
    writer.Replace(path, "last words");
  }
  EXPECT_EQ(Content(path), "last words");
}

}  // namespace
}  // namespace base
