// Where the settings, the hall of fame and the player's own files go: beside
// a copy that may write in its folder, in the XDG folders for an installed or
// read-only copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "game/user_folders.h"

namespace game {
namespace {

namespace fs = std::filesystem;

class FolderChoice : public ::testing::Test {
 protected:
  FolderChoice() {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("sorami-folders-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(root_);
    environment_.Home = (root_ / "home").string();
  }
  ~FolderChoice() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string Dir(const fs::path& p) const { return (root_ / p).string() + "/"; }

  fs::path root_;
  FolderEnvironment environment_;
};

bool NeverWritable(const std::string&) { return false; }
bool AlwaysWritable(const std::string&) { return true; }

TEST_F(FolderChoice, AWritableCopyWithItsDataKeepsEverythingBesideItself) {
  fs::create_directories(root_ / "stage" / "Layouts");
  environment_.CanWrite = &AlwaysWritable;
  const Folders f = ChooseFolders((root_ / "stage").string(), environment_);
  EXPECT_EQ(f.Data, Dir("stage"));
  EXPECT_EQ(f.Settings, Dir("stage"));
  EXPECT_EQ(f.User, Dir("stage"));
  EXPECT_FALSE(f.Installed);
  EXPECT_FALSE(f.Separate());
  EXPECT_EQ(f.SettingsFile(), Dir("stage") + "Sorami.ini");
  EXPECT_EQ(f.HallOfFameFile(), Dir("stage") + "Hallfame.ini");
  EXPECT_EQ(f.UserFolder("Layouts"), "");
  // The system's own answer for a folder this process made.
  environment_.CanWrite = nullptr;
  EXPECT_EQ(ChooseFolders((root_ / "stage").string() + "/", environment_).User, Dir("stage"));
}

TEST_F(FolderChoice, AReadOnlyCopyKeepsTheSettingsAndScoresInTheXdgFolders) {
  fs::create_directories(root_ / "portable" / "Layouts");
  environment_.CanWrite = &NeverWritable;
  const Folders f = ChooseFolders((root_ / "portable").string(), environment_);
  EXPECT_EQ(f.Data, Dir("portable"));
  EXPECT_FALSE(f.Installed);
  EXPECT_EQ(f.SettingsFile(), Dir("home/.config/sorami") + "Sorami.ini");
  EXPECT_EQ(f.HallOfFameFile(), Dir("home/.local/share/sorami") + "Hallfame.ini");
  EXPECT_EQ(f.UserFolder("Layouts"), Dir("home/.local/share/sorami/Layouts"));
  EXPECT_TRUE(f.Separate());
}

TEST_F(FolderChoice, AnInstalledCopyFindsItsDataUnderShareAndUsesTheXdgFoldersEvenWhenWritable) {
  fs::create_directories(root_ / "prefix" / "bin");
  fs::create_directories(root_ / "prefix" / "share" / "sorami" / "Layouts");
  environment_.CanWrite = &AlwaysWritable;
  environment_.XdgConfigHome = (root_ / "config").string();
  environment_.XdgDataHome = (root_ / "data").string() + "/";
  const Folders f = ChooseFolders((root_ / "prefix" / "bin").string() + "/", environment_);
  EXPECT_TRUE(f.Installed);
  EXPECT_EQ(f.Data, Dir("prefix/share/sorami"));
  EXPECT_EQ(f.Settings, Dir("config/sorami"));
  EXPECT_EQ(f.User, Dir("data/sorami"));
  EXPECT_EQ(f.UserFolder("Musics"), Dir("data/sorami/Musics"));
}

TEST_F(FolderChoice, RelativeXdgFoldersAreIgnoredAndDataBesideTheProgramWins) {
  // Data both beside the program and under ../share: the copy is portable.
  fs::create_directories(root_ / "bin" / "Layouts");
  fs::create_directories(root_ / "share" / "sorami" / "Layouts");
  environment_.CanWrite = &NeverWritable;
  environment_.XdgConfigHome = "relative/config";
  environment_.XdgDataHome = "relative/data";
  const Folders f = ChooseFolders((root_ / "bin").string(), environment_);
  EXPECT_FALSE(f.Installed);
  EXPECT_EQ(f.Data, Dir("bin"));
  EXPECT_EQ(f.Settings, Dir("home/.config/sorami"));
  EXPECT_EQ(f.User, Dir("home/.local/share/sorami"));
}

TEST_F(FolderChoice, MakeFoldersMakesEveryMissingLevelAndRefusesAFile) {
  const fs::path deep = root_ / "a" / "b" / "c";
  EXPECT_TRUE(MakeFolders(deep.string()));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(MakeFolders(deep.string() + "/"));
  { std::FILE* f = std::fopen((root_ / "plain").string().c_str(), "w"); std::fclose(f); }
  EXPECT_FALSE(MakeFolders((root_ / "plain" / "below").string()));
  EXPECT_FALSE(MakeFolders(""));
}

}  // namespace
}  // namespace game
