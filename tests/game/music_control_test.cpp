#include "game/music_control.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "base/file_io.h"

namespace {

namespace fs = std::filesystem;
using game::MusicControl;
using game::MusicPiece;

// A music device that only records: it plays nothing, and a test moves its
// position and sends its end notices.
class FakeMusicDevice : public game::MusicDevice {
 public:
  bool IsOpen() const override { return open; }
  bool Open() override {
    ++openAttempts;
    open = canOpen;
    return open;
  }
  bool PlayFile(const std::string& path) override {
    files.push_back(path);
    if (!loads || refused.contains(path)) {
      if (refused.contains(path)) error = "Cannot play the music file " + path + ": it is not a Standard MIDI File.";
      loaded.clear();
      length = 0;
      playing = false;
      return false;
    }
    loaded = path;
    length = 100;
    position = 0;
    playing = true;
    return true;
  }
  void Play() override { playing = !loaded.empty(); }
  void Pause() override { paused = playing; playing = false; }
  void Resume() override { playing = paused; paused = false; }
  void Stop() override { playing = paused = false; }
  void SeekToStart() override {
    ++seeks;
    position = 0;
    playing = false;
  }
  bool IsPlaying() const override { return playing; }
  bool IsPaused() const override { return paused; }
  std::int64_t StartPosition() const override { return 0; }
  std::int64_t Length() const override { return length; }
  std::int64_t Position() const override { return position; }
  bool TakeEndNotice() override { return std::exchange(endNotice, false); }
  std::string ErrorText() const override { return error; }

  // The piece runs to its end.
  void End() {
    position = length;
    playing = false;
    endNotice = true;
  }

  bool canOpen = true;
  bool loads = true;
  bool open = false;
  bool playing = false;
  bool paused = false;
  bool endNotice = false;
  int openAttempts = 0;
  int seeks = 0;
  std::int64_t length = 0;
  std::int64_t position = 0;
  std::string loaded;
  std::string error = "Audio target 'pulse' not available";
  std::vector<std::string> files;
  std::set<std::string> refused;  // files it cannot play
};

class RecordingNotices : public game::MusicNotices {
 public:
  void ShowMusicStatus(const std::string& text) override { statuses.push_back(text); }
  void TellMusicError(const std::string& text) override { messages.push_back(text); }
  void MusicStateChanged() override { ++changes; }
  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  int changes = 0;
};

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "sorami-music-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string Dir() const { return path_.string() + "/"; }
  void Touch(const std::string& name) const {
    fs::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name) << "MThd";
  }

 private:
  fs::path path_;
};

std::vector<std::string> Names(const std::vector<MusicPiece>& pieces) {
  std::vector<std::string> names;
  for (const MusicPiece& p : pieces) names.push_back(p.Name);
  return names;
}

TEST(MusicListTest, ListsMidiFilesSortedIgnoringLetterCase) {
  ScratchDir dir;
  for (const char* name : {"Musics/zen.mid", "Musics/Autumn.MID", "Musics/night.mid", "Musics/Bells.Mid",
                           "Musics/notes.txt", "Musics/.mid", "Musics/readme"}) {
    dir.Touch(name);
  }
  fs::create_directories(dir.Dir() + "Musics/folder.mid");
  const std::vector<MusicPiece> pieces = MusicControl::ListPieces(dir.Dir() + "Musics/");
  EXPECT_EQ(Names(pieces), (std::vector<std::string>{"Autumn", "Bells", "night", "zen"}));
  EXPECT_EQ(pieces[0].File, dir.Dir() + "Musics/Autumn.MID");
  EXPECT_TRUE(MusicControl::ListPieces(dir.Dir() + "NoSuchFolder/").empty());
}

TEST(MusicListTest, MidiNumberIsMadeValid) {
  const std::vector<MusicPiece> withNight = {{"Bamboo", ""}, {"Night", ""}, {"Rain", ""}};
  const std::vector<MusicPiece> lowerNight = {{"Bamboo", ""}, {"night", ""}};
  EXPECT_EQ(MusicControl::ValidMidiNumber(-1, withNight), 2);
  EXPECT_EQ(MusicControl::ValidMidiNumber(-1, lowerNight), 1) << "\"Night\" is matched exactly";
  EXPECT_EQ(MusicControl::ValidMidiNumber(3, withNight), 3);
  EXPECT_EQ(MusicControl::ValidMidiNumber(7, withNight), 3);
  EXPECT_EQ(MusicControl::ValidMidiNumber(0, withNight), 1);
  EXPECT_EQ(MusicControl::ValidMidiNumber(-5, withNight), 1);
  EXPECT_EQ(MusicControl::ValidMidiNumber(-1, {}), 0);
}

class MusicControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Touch("Musics/Bamboo.mid");
    dir.Touch("Musics/Night.mid");
    dir.Touch("Musics/Rain.mid");
    ASSERT_EQ(music.LoadMusicList(dir.Dir()), 3);
  }
  std::string File(int piece) const { return music.Pieces[static_cast<std::size_t>(piece - 1)].File; }

  ScratchDir dir;
  FakeMusicDevice device;
  game::Options options;
  board::Generator generator;
  RecordingNotices notices;
  MusicControl music{device, options, generator, &notices};
};

TEST_F(MusicControlTest, StartUpFollowsPlayMusicAlone) {
  options.PlayMusic = false;
  options.StartMusic = true;
  music.StartupMusic();
  EXPECT_EQ(device.openAttempts, 0);
  EXPECT_FALSE(music.MusicButtonEnabled);
  EXPECT_EQ(music.CheckedPiece, 2);
  EXPECT_TRUE(device.files.empty());

  music.TogglePlayMusic();
  EXPECT_TRUE(music.MusicButtonEnabled);
  EXPECT_EQ(device.files, std::vector<std::string>{File(2)});
}

TEST_F(MusicControlTest, WithoutADeviceTheErrorShowsOnceAndRequestsSayNoDevice) {
  device.canOpen = false;
  music.StartupMusic();
  EXPECT_EQ(notices.statuses, std::vector<std::string>{device.error});
  EXPECT_TRUE(notices.messages.empty()) << "no message box at start-up";
  EXPECT_TRUE(music.MusicButtonEnabled);
  EXPECT_EQ(music.CheckedPiece, 2);

  // The timer's check needs a device and says nothing.
  for (int i = 0; i < 10; ++i) music.EndOfPieceCheck();
  EXPECT_TRUE(notices.messages.empty());

  music.PauseOrResumeMusic();
  music.TogglePlayMusic();  // off
  music.TogglePlayMusic();  // on again: tries the device once more
  music.ChoosePiece(3);
  EXPECT_EQ(notices.messages, std::vector<std::string>(3, MusicControl::kNoDeviceText));
  EXPECT_EQ(notices.statuses.size(), 1u);
  EXPECT_EQ(music.CheckedPiece, 3);

  // The device comes back: the player's next request plays.
  device.canOpen = true;
  music.ChoosePiece(1);
  EXPECT_EQ(device.loaded, File(1));
}

TEST_F(MusicControlTest, MissingAndUnloadablePieces) {
  music.StartupMusic();
  ASSERT_EQ(device.loaded, File(2));

  // A missing file moves the check mark and plays nothing, silently.
  fs::remove(File(3));
  music.ChoosePiece(3);
  EXPECT_EQ(music.CheckedPiece, 3);
  EXPECT_EQ(music.MidiNumber, 3);
  EXPECT_EQ(device.files.size(), 1u);
  EXPECT_EQ(device.loaded, File(2));
  EXPECT_TRUE(notices.statuses.empty());

  // A file the device refuses at the player's command: its error, with the
  // whole path, in a message box; with nothing loaded there is no end to
  // act on, even with Random Music on.
  device.loads = false;
  device.error = "Cannot play the music file " + File(1) + ": it is not a Standard MIDI File.";
  music.ChoosePiece(1);
  EXPECT_EQ(notices.messages, std::vector<std::string>{device.error});
  EXPECT_TRUE(notices.statuses.empty());
  options.RandomMusic = true;
  for (int i = 0; i < 20; ++i) music.EndOfPieceCheck();
  EXPECT_EQ(generator.DrawCount, 0u);
  EXPECT_EQ(device.files.size(), 2u);

  // Entries outside the list do nothing.
  music.ChoosePiece(0);
  music.ChoosePiece(4);
  EXPECT_EQ(music.CheckedPiece, 1);
}

TEST_F(MusicControlTest, AnUnplayablePieceAtStartUpIsNamedShortlyInTheStatusLine) {
  device.refused = {File(2)};
  music.StartupMusic();
  EXPECT_EQ(notices.statuses,
            std::vector<std::string>{"Cannot play Night.mid: it is not a Standard MIDI File."});
  EXPECT_TRUE(notices.messages.empty());
  EXPECT_TRUE(device.loaded.empty());

  // "Play music" off and on is the player's command: a message box.
  music.TogglePlayMusic();
  music.TogglePlayMusic();
  EXPECT_EQ(notices.messages, std::vector<std::string>{device.error});
  EXPECT_NE(device.error.find(File(2)), std::string::npos);
}

TEST_F(MusicControlTest, RandomMusicSkipsAPieceThatCannotBePlayedAndGoesOn) {
  options.RandomMusic = true;
  music.StartupMusic();
  ASSERT_EQ(device.loaded, File(2));
  // The next draw lands on a damaged piece.
  board::Generator expected = generator;
  const int broken = static_cast<int>(expected.NextRandom(3)) + 1;
  device.refused = {File(broken)};
  device.End();
  music.EndOfPieceCheck();
  const int next = broken % 3 + 1;
  EXPECT_EQ(device.loaded, File(next));
  EXPECT_EQ(music.CheckedPiece, next);
  EXPECT_EQ(music.MidiNumber, next);
  const std::string skipped =
      "Cannot play " + base::FileNameOf(File(broken)) + ": it is not a Standard MIDI File.";
  EXPECT_EQ(notices.statuses, std::vector<std::string>{skipped});
  EXPECT_EQ(generator.GeneratorSeed, expected.GeneratorSeed) << "one draw per piece change";

  // The music goes on, piece after piece; the damaged one is never tried
  // again nor named again.
  const std::size_t tries = device.files.size();
  for (int i = 0; i < 30; ++i) {
    device.End();
    music.EndOfPieceCheck();
    EXPECT_FALSE(device.loaded.empty());
    EXPECT_TRUE(device.IsPlaying());
    EXPECT_NE(music.CheckedPiece, broken);
  }
  EXPECT_EQ(device.files.size(), tries + 30);
  EXPECT_EQ(notices.statuses.size(), 1u);
  EXPECT_TRUE(notices.messages.empty());

  // The player's own choice tries it again; once it plays, random play takes it again.
  device.refused.clear();
  music.ChoosePiece(broken);
  EXPECT_EQ(device.loaded, File(broken));
}

TEST_F(MusicControlTest, WhenNoPieceCanBePlayedTheMusicStopsWithOneMessage) {
  device.refused = {File(1), File(2), File(3)};
  options.RandomMusic = true;
  music.StartupMusic();
  ASSERT_EQ(notices.statuses.size(), 4u);
  EXPECT_EQ(notices.statuses.back(), MusicControl::kNothingPlayableText);
  EXPECT_TRUE(notices.messages.empty());
  EXPECT_EQ(device.files.size(), 3u);
  EXPECT_EQ(music.CheckedPiece, 2);
  for (int i = 0; i < 20; ++i) music.EndOfPieceCheck();
  EXPECT_EQ(device.files.size(), 3u);

  // The player turns random play off and on: one message box, nothing tried again.
  music.ToggleRandomMusic();
  music.ToggleRandomMusic();
  EXPECT_EQ(notices.messages, std::vector<std::string>{MusicControl::kNothingPlayableText});
  EXPECT_EQ(device.files.size(), 3u);
  EXPECT_EQ(notices.statuses.size(), 4u);
}

TEST_F(MusicControlTest, AnEndIsHandledOnceThroughTheNoticeOrThePosition) {
  music.StartupMusic();
  device.position = 99;
  music.EndOfPieceCheck();
  EXPECT_EQ(device.seeks, 0);

  // The notice and the position both tell of the end: one restart.
  device.End();
  music.EndOfPieceCheck();
  EXPECT_EQ(device.seeks, 1);
  EXPECT_TRUE(device.IsPlaying());

  // An end the position shows without a notice is caught by the check.
  device.position = device.length;
  music.EndOfPieceCheck();
  EXPECT_EQ(device.seeks, 2);

  // "Play music" off: the check does nothing at all.
  music.TogglePlayMusic();
  device.End();
  music.EndOfPieceCheck();
  EXPECT_EQ(device.seeks, 2);
}

TEST_F(MusicControlTest, RandomMusicWithMusicOffDrawsAndMovesOnlyTheCheckMark) {
  options.PlayMusic = false;
  music.StartupMusic();
  board::Generator expected = generator;
  const int next = static_cast<int>(expected.NextRandom(3)) + 1;
  const int changes = notices.changes;
  music.ToggleRandomMusic();
  EXPECT_TRUE(options.RandomMusic);
  EXPECT_EQ(music.CheckedPiece, next);
  EXPECT_GT(notices.changes, changes) << "the window moves its check mark";
  EXPECT_TRUE(device.files.empty());
  EXPECT_EQ(generator.GeneratorSeed, expected.GeneratorSeed);

  // Switching music on plays the piece the mark is on.
  music.TogglePlayMusic();
  EXPECT_EQ(device.files, std::vector<std::string>{File(next)});
}

}  // namespace
