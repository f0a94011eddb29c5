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
  // Devices and pipes are refused unread, also through a link, and a pipe
  // without a writer never holds the reader.
  EXPECT_EQ(ReadWholeFile("/dev/zero", text), ReadStatus::NotAFile);
  EXPECT_TRUE(text.empty());
  std::filesystem::create_symlink("/dev/zero", dir.path() / "zero.ini");
  EXPECT_EQ(ReadWholeFile((dir.path() / "zero.ini").string(), text), ReadStatus::NotAFile);
  const std::string fifo = (dir.path() / "fifo.lay").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadWholeFile(fifo, text), ReadStatus::NotAFile);
  EXPECT_FALSE(InputFile(fifo).IsOpen());
  EXPECT_FALSE(InputFile("/dev/zero").IsOpen());
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

  // No folder to write in: the system's reason comes back.
  const ReplaceResult noFolder = ReplaceFile((dir.path() / "no" / "x").string(), "x");
  EXPECT_EQ(noFolder.Status, ReplaceResult::CannotWrite);
  EXPECT_EQ(noFolder.Reason, "No such file or directory");
  // The target is a folder, a pipe or a device: refused untouched.
  const auto folder = dir.path() / "full";
  std::filesystem::create_directories(folder / "inside");
  const ReplaceResult overFolder = ReplaceFile(folder.string(), "x");
  EXPECT_FALSE(overFolder);
  EXPECT_EQ(overFolder.Reason, "Is a directory");
  EXPECT_TRUE(IsFolder(folder.string()));
  const std::string fifo = (dir.path() / "fifo.ini").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReplaceFile(fifo, "x").Reason, "it is not a regular file");
  EXPECT_EQ(KindOf(fifo), PathKind::Other);
  // Nothing but the targets is left in the folder.
  EXPECT_EQ(testing::FolderNames(dir.path()),
            (std::vector<std::string>{"fifo.ini", "full", "r\xC3\xA9glages du jeu.ini"}));
}

TEST(FileIo, ReplaceFileTakesNamesUpToTheLongestTheSystemAllows) {
  TempDir dir;
  // 255 bytes, the longest name; "<name>.tmp" would not fit.
  std::string name;
  while (name.size() + 2 <= 251) name += "\xC3\xA9";
  name += "x.lay";
  ASSERT_EQ(name.size(), 255u);
  const std::string file = (dir.path() / name).string();
  const ReplaceResult r = ReplaceFile(file, "long");
  ASSERT_TRUE(r) << r.Reason;
  EXPECT_EQ(ReadAll(file), "long");
  ASSERT_TRUE(ReplaceFile(file, "longer"));
  EXPECT_EQ(ReadAll(file), "longer");
  EXPECT_EQ(testing::FolderNames(dir.path()), std::vector<std::string>{name});
  // A name too long for the system gives its reason.
  EXPECT_EQ(ReplaceFile(file + "x", "x").Reason, "File name too long");
}

TEST(FileIo, ReplaceFileFollowsTheTargetsLinksButNoOtherName) {
  TempDir dir;
  namespace fs = std::filesystem;
  const fs::path real = dir.Write("real.ini", "old");
  chmod(real.c_str(), 0640);
  fs::create_directory(dir.path() / "links");
  // A chain: links/Sorami.ini -> ../middle.ini -> real.ini (relative links).
  fs::create_symlink("../middle.ini", dir.path() / "links" / "Sorami.ini");
  fs::create_symlink("real.ini", dir.path() / "middle.ini");
  // Names a careless writer would open, planted as links to a victim.
  const fs::path victim = dir.Write("victim", "precious");
  for (const char* planted : {"links/Sorami.ini.tmp", "real.ini.tmp", "middle.ini.tmp"})
    fs::create_symlink(victim, dir.path() / planted);

  const ReplaceResult r = ReplaceFile((dir.path() / "links" / "Sorami.ini").string(), "new");
  ASSERT_TRUE(r) << r.Reason;
  EXPECT_EQ(ReadAll(real), "new");
  EXPECT_EQ(ReadAll(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "links" / "Sorami.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "middle.ini"));
  struct stat st{};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // A link to nothing yet: the file it names is created.
  fs::create_symlink("made.ini", dir.path() / "dangling.ini");
  ASSERT_TRUE(ReplaceFile((dir.path() / "dangling.ini").string(), "made"));
  EXPECT_EQ(ReadAll(dir.path() / "made.ini"), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling.ini"));

  // A loop of links is refused.
  fs::create_symlink("loop2", dir.path() / "loop1");
  fs::create_symlink("loop1", dir.path() / "loop2");
  EXPECT_EQ(ReplaceFile((dir.path() / "loop1").string(), "x").Reason, "Too many levels of symbolic links");

  EXPECT_EQ(testing::FolderNames(dir.path()),
            (std::vector<std::string>{"dangling.ini", "links", "loop1", "loop2", "made.ini", "middle.ini",
                                      "middle.ini.tmp", "real.ini", "real.ini.tmp", "victim"}));
}

TEST(FileIo, ReplaceFileRefusesAFileThatMayNotBeWritten) {
  TempDir dir;
  const auto file = dir.Write("locked.lay", "old");
  testing::Unwritable locked(file);
  if (!locked.Works()) GTEST_SKIP() << "cannot make a file read-only here";
  EXPECT_FALSE(IsWritable(file.string()));
  const ReplaceResult r = ReplaceFile(file.string(), "new");
  EXPECT_EQ(r.Status, ReplaceResult::CannotWrite);
  EXPECT_FALSE(r.Reason.empty());
  EXPECT_EQ(ReadAll(file), "old");
  EXPECT_EQ(testing::FolderNames(dir.path()), std::vector<std::string>{"locked.lay"});
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

  EXPECT_TRUE(IsWritable(file));
  EXPECT_FALSE(IsWritable((dir.path() / "none").string()));

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

  // Pipes and devices are listed as such, and ListFiles skips them.
  ASSERT_EQ(mkfifo((dir.path() / "pipe.lay").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/null", dir.path() / "device.lay");
  ASSERT_TRUE(ListFolder(dir.path().string(), entries));
  EXPECT_EQ(ListFiles(dir.path().string(), ".lay"), std::vector<std::string>{"one.lay"});

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
