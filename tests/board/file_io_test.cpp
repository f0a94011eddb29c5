// Files read and written through the C library: whole reads with a size cap,
// reads at an offset, replacing a file through a temporary one, folder
// listings and the path helpers.
#include "board/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "temp_dir.h"

namespace board {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(FileIo, ReadsWholeFilesWithAndWithoutALimit) {
  TempDir dir;
  const std::string data("a\0b\r\nc\xff", 7);
  const std::string file = dir.Write("bl\xC3\xA4tter mit Leerzeichen.bin", data).string();
  std::string text;
  EXPECT_EQ(ReadWholeFile(file, text), ReadStatus::Ok);
  EXPECT_EQ(text, data);
  std::vector<unsigned char> bytes;
  EXPECT_EQ(ReadWholeFile(file, bytes, 7), ReadStatus::Ok);  // exactly the limit is fine
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), data);
  EXPECT_EQ(ReadWholeFile(file, bytes, 6), ReadStatus::TooBig);
  EXPECT_TRUE(bytes.empty());

  EXPECT_EQ(ReadWholeFile(dir.Write("empty", "").string(), text), ReadStatus::Ok);
  EXPECT_TRUE(text.empty());

  // Bigger than one read buffer.
  const std::string big(100000, 'x');
  EXPECT_EQ(ReadWholeFile(dir.Write("big", big).string(), text), ReadStatus::Ok);
  EXPECT_EQ(text, big);
}

TEST(FileIo, ReadFailuresLeaveNothingBehind) {
  TempDir dir;
  std::string text = "old";
  EXPECT_EQ(ReadWholeFile((dir.path() / "missing").string(), text), ReadStatus::CannotOpen);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(ReadWholeFile(dir.path().string(), text), ReadStatus::IsFolder);
  EXPECT_EQ(ReadWholeFile("", text), ReadStatus::CannotOpen);
  // A file standing where a folder should be.
  const std::string file = dir.Write("plain", "x").string();
  EXPECT_EQ(ReadWholeFile(file + "/inside", text), ReadStatus::CannotOpen);
  // A file that opens but fails to read: the first page of the process's
  // memory is never mapped.
  text = "old";
  EXPECT_EQ(ReadWholeFile("/proc/self/mem", text), ReadStatus::CannotRead);
  EXPECT_TRUE(text.empty());
  // A device without end would be read for ever without the limit.
  EXPECT_EQ(ReadWholeFile("/dev/zero", text, 1000), ReadStatus::TooBig);
  EXPECT_TRUE(text.empty());
  if (geteuid() != 0) {  // the superuser reads everything
    const std::string locked = dir.Write("locked", "secret").string();
    chmod(locked.c_str(), 0);
    EXPECT_EQ(ReadWholeFile(locked, text), ReadStatus::CannotOpen);
  }
}

TEST(FileIo, InputFileReadsAtOffsets) {
  TempDir dir;
  InputFile in(dir.Write("data", "0123456789").string());
  ASSERT_TRUE(in.IsOpen());
  EXPECT_EQ(in.Size(), 10u);
  char part[4] = {};
  EXPECT_TRUE(in.ReadAt(6, part, 4));
  EXPECT_EQ(std::string(part, 4), "6789");
  EXPECT_TRUE(in.ReadAt(0, part, 2));  // backwards again
  EXPECT_EQ(std::string(part, 2), "01");
  EXPECT_FALSE(in.ReadAt(8, part, 4));   // runs past the end
  EXPECT_FALSE(in.ReadAt(1u << 31, part, 1));
  EXPECT_TRUE(in.ReadAt(3, part, 1));    // still usable after a short read
  EXPECT_EQ(part[0], '3');

  EXPECT_FALSE(InputFile((dir.path() / "missing").string()).IsOpen());
  EXPECT_FALSE(InputFile(dir.path().string()).IsOpen());
}

TEST(FileIo, ReplaceFileWritesWhollyOrNotAtAll) {
  TempDir dir;
  const std::string file = (dir.path() / "r\xC3\xA9glages du jeu.ini").string();
  ASSERT_TRUE(ReplaceFile(file, "first"));
  EXPECT_EQ(ReadAll(file), "first");
  ASSERT_TRUE(ReplaceFile(file, ""));
  EXPECT_EQ(ReadAll(file), "");

  // A replaced file keeps its permissions.
  chmod(file.c_str(), 0640);
  ASSERT_TRUE(ReplaceFile(file, "second"));
  struct stat st{};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadAll(file), "second");
  EXPECT_FALSE(Exists(file + ".tmp"));

  // No folder to write in.
  const ReplaceResult noFolder = ReplaceFile((dir.path() / "no" / "x").string(), "x");
  EXPECT_EQ(noFolder.Status, ReplaceResult::CannotWrite);
  // The target is a folder holding something: the rename fails, with the
  // system's reason, and neither it nor a temporary file is left changed.
  const auto folder = dir.path() / "full";
  std::filesystem::create_directories(folder / "inside");
  const ReplaceResult overFolder = ReplaceFile(folder.string(), "x");
  EXPECT_EQ(overFolder.Status, ReplaceResult::CannotRename);
  EXPECT_FALSE(overFolder.Reason.empty());
  EXPECT_TRUE(IsFolder(folder.string()));
  EXPECT_FALSE(Exists(folder.string() + ".tmp"));
}

TEST(FileIo, KindsAndSmallFileOperations) {
  TempDir dir;
  const std::string file = dir.Write("a file", "abc").string();
  EXPECT_EQ(KindOf(file), PathKind::File);
  EXPECT_EQ(KindOf(dir.path().string()), PathKind::Folder);
  EXPECT_EQ(KindOf("/dev/null"), PathKind::Other);
  EXPECT_EQ(KindOf((dir.path() / "none").string()), PathKind::Missing);
  EXPECT_EQ(KindOf(file + "/below"), PathKind::Missing);
  EXPECT_EQ(KindOf(""), PathKind::Missing);
  EXPECT_TRUE(Exists("/dev/null"));
  EXPECT_FALSE(IsFile("/dev/null"));
  std::uint64_t size = 0;
  EXPECT_TRUE(FileSizeOf(file, size));
  EXPECT_EQ(size, 3u);
  EXPECT_FALSE(FileSizeOf(dir.path().string(), size));

  EXPECT_TRUE(OpensForWriting(file));
  EXPECT_EQ(ReadAll(file), "abc");  // untouched
  EXPECT_FALSE(OpensForWriting(dir.path().string()));

  const std::string moved = (dir.path() / "moved \xE2\x98\x80").string();
  EXPECT_TRUE(RenameFile(file, moved));
  EXPECT_FALSE(Exists(file));
  EXPECT_EQ(ReadAll(moved), "abc");
  EXPECT_FALSE(RenameFile(file, moved));
  EXPECT_TRUE(RemoveFile(moved));
  EXPECT_FALSE(RemoveFile(moved));
}

TEST(FileIo, ListsFoldersFollowingLinks) {
  TempDir dir;
  dir.Write("one.lay", "");
  dir.Write("zw\xC3\xB6lf mit blank.MID", "");
  std::filesystem::create_directory(dir.path() / "sub.lay");
  std::filesystem::create_directory_symlink(dir.path() / "sub.lay", dir.path() / "link to folder");
  std::filesystem::create_symlink(dir.path() / "one.lay", dir.path() / "link to file");
  std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling");

  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(dir.path().string(), entries));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
  std::vector<std::pair<std::string, PathKind>> seen;
  for (const FolderEntry& e : entries) seen.emplace_back(e.Name, e.Kind);
  const std::vector<std::pair<std::string, PathKind>> expected = {
      {"dangling", PathKind::Missing},      {"link to file", PathKind::File}, {"link to folder", PathKind::Folder},
      {"one.lay", PathKind::File},          {"sub.lay", PathKind::Folder},
      {"zw\xC3\xB6lf mit blank.MID", PathKind::File}};
  EXPECT_EQ(seen, expected);

  EXPECT_FALSE(ListFolder((dir.path() / "none").string(), entries));
  EXPECT_TRUE(entries.empty());
  EXPECT_FALSE(ListFolder((dir.path() / "one.lay").string(), entries));
}

TEST(FileIo, PathHelpers) {
  EXPECT_EQ(JoinPath("a/b", "c.lay"), "a/b/c.lay");
  EXPECT_EQ(JoinPath("a/b/", "c"), "a/b/c");
  EXPECT_EQ(JoinPath("", "c"), "c");

  EXPECT_EQ(FileNameOf("/x/y/My Board.lay"), "My Board.lay");
  EXPECT_EQ(FileNameOf("plain"), "plain");
  EXPECT_EQ(FileNameOf("/x/y/"), "");

  EXPECT_EQ(ExtensionOf("/x.d/name.tar.SHP"), ".SHP");
  EXPECT_EQ(ExtensionOf("/x.d/name"), "");
  EXPECT_EQ(ExtensionOf("/x/.hidden"), "");
  EXPECT_EQ(ExtensionOf("/x/.."), "");
  EXPECT_EQ(ExtensionOf("trailing."), ".");

  EXPECT_EQ(ParentOf("/x/y/z.lay"), "/x/y");
  EXPECT_EQ(ParentOf("/z"), "/");
  EXPECT_EQ(ParentOf("z"), "");

  EXPECT_TRUE(HasExtensionNoCase("a.LaY", ".lay"));
  EXPECT_TRUE(HasExtensionNoCase("a.mid", "MID"));
  EXPECT_FALSE(HasExtensionNoCase("a.layx", ".lay"));
  EXPECT_FALSE(HasExtensionNoCase("ay", ".lay"));

  // Absolute paths agree with the standard library's tidy form.
  for (const char* p : {"/a/./b//c", "/a/b/../c", "/a/b/..", "/a/b/.", "/a/b/", "/..", "/../a", "/", "rel/x",
                        "./rel/../y", "..", "a/../.."}) {
    EXPECT_EQ(AbsolutePath(p), std::filesystem::absolute(p).lexically_normal().string()) << p;
  }
}

}  // namespace
}  // namespace board
