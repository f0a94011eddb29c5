// A game killed while it writes its saved game leaves a whole file behind:
// the one it had, or the new one, never a mix or a part.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/file_io.h"
#include "board/temp_dir.h"
#include "game/saved_game.h"
#include "game/saved_game_states.h"

namespace {

volatile sig_atomic_t killAtRename = 0;

}  // namespace

// The file replacement renames its finished temporary file through renameat;
// this program's own definition lets a child process die exactly there.
extern "C" int renameat(int oldFolder, const char* oldName, int newFolder, const char* newName) noexcept {
  if (killAtRename != 0) kill(getpid(), SIGKILL);
#ifdef SYS_renameat
  return static_cast<int>(syscall(SYS_renameat, oldFolder, oldName, newFolder, newName));
#else
  return static_cast<int>(syscall(SYS_renameat2, oldFolder, oldName, newFolder, newName, 0));
#endif
}

namespace game {
namespace {

SavedGame Saved(const GameState& state) {
  SavedGame saved;
  saved.State = state;
  saved.LayoutFileName = "Turtle.lay";
  return saved;
}

std::string Content(const std::string& path) {
  std::string text;
  EXPECT_EQ(base::ReadWholeFile(path, text), base::ReadStatus::Ok) << path;
  return text;
}

int WaitForChild(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return status;
}

TEST(SavedGameCrash, KilledBetweenWritingAndRenamingKeepsTheOldFile) {
  board::testing::TempDir dir;
  const std::string path = (dir.path() / CurrentGameFileName).string();
  const SavedGame before = Saved(testing::SolitaireGame(31, 2));
  const SavedGame after = Saved(testing::SolitaireGame(31, 5));
  ASSERT_FALSE(WriteSavedGameFile(path, before).has_value());

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    killAtRename = 1;
    WriteSavedGameFile(path, after);
    _exit(0);  // not reached: the rename kills it
  }
  const int status = WaitForChild(child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

  EXPECT_EQ(Content(path), SavedGameText(before));
  const SavedGameRead read = ReadSavedGameFile(path);
  ASSERT_TRUE(read) << read.Error.Message;
  EXPECT_EQ(read.Game->State.Board.TilePlaces, before.State.Board.TilePlaces);

  // The new game had been written whole beside it, under a hidden name.
  std::vector<base::FolderEntry> entries;
  ASSERT_TRUE(base::ListFolder(dir.path().string(), entries));
  int temporaries = 0;
  for (const base::FolderEntry& entry : entries) {
    if (entry.Name == CurrentGameFileName) continue;
    ++temporaries;
    EXPECT_EQ(entry.Name.front(), '.');
    EXPECT_EQ(Content(base::JoinPath(dir.path().string(), entry.Name)), SavedGameText(after));
  }
  EXPECT_EQ(temporaries, 1);
}

TEST(SavedGameCrash, KilledAtAnyMomentOfRepeatedWritesLeavesOneWholeGame) {
  board::testing::TempDir dir;
  const std::string path = (dir.path() / CurrentGameFileName).string();
  const SavedGame games[2] = {Saved(testing::SolitaireGame(8, 1)), Saved(testing::RiversGame(kRiversHardTable, 9))};
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeEnds[0]);
    // Writes the two games in turn, telling each finished write, until killed.
    for (unsigned n = 0;; ++n) {
      if (WriteSavedGameFile(path, games[n % 2]).has_value()) _exit(1);
      const char done = 'w';
      if (write(pipeEnds[1], &done, 1) != 1) _exit(1);
    }
  }
  close(pipeEnds[1]);
  // Kill it once it is well into its writes, at whatever step it is.
  char received[25];
  std::size_t got = 0;
  while (got < sizeof received) {
    const ssize_t n = read(pipeEnds[0], received + got, sizeof received - got);
    ASSERT_GT(n, 0);
    got += static_cast<std::size_t>(n);
  }
  kill(child, SIGKILL);
  const int status = WaitForChild(child);
  close(pipeEnds[0]);
  ASSERT_TRUE(WIFSIGNALED(status)) << status;

  const std::string text = Content(path);
  EXPECT_TRUE(text == SavedGameText(games[0]) || text == SavedGameText(games[1])) << text;
  EXPECT_TRUE(ReadSavedGameFile(path));
}

}  // namespace
}  // namespace game
