#include "audio/midi_file.h"

#include <gtest/gtest.h>

#include <bitset>

#include "audio_test_support.h"

namespace {

using audio::MidiFile;
using audio::MidiFileInfo;
using audio_test::MidiPiece;

bool Scan(const std::vector<unsigned char>& bytes, MidiFileInfo& info, std::string& error) {
  return MidiFile::Scan(bytes, info, error);
}

TEST(MidiFileTest, MeasuresTheLongestTrackAndFollowsRunningStatus) {
  MidiFileInfo info;
  std::string error;
  ASSERT_TRUE(Scan(MidiPiece(3), info, error)) << error;
  EXPECT_EQ(info.Format, 0);
  EXPECT_EQ(info.Tracks, 1);
  EXPECT_EQ(info.Division, 96);
  EXPECT_EQ(info.LengthTicks, 3 * 96);
  EXPECT_EQ(info.Channels, std::bitset<16>(0x0001));
  ASSERT_TRUE(Scan(MidiPiece(1, 38, -1, 9), info, error)) << error;
  EXPECT_EQ(info.Channels, std::bitset<16>(0x0200));

  // Format 1, two tracks (the second longer, written with running status,
  // a system exclusive message and a foreign chunk between the tracks).
  std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96};
  const std::vector<unsigned char> first = {0x00, 0xFF, 0x2F, 0x00};
  const std::vector<unsigned char> second = {0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x00, 0x90, 0x40, 0x64,
                                             0x81, 0x00, 0x40, 0x00, 0x10, 0xC1, 0x05, 0x00, 0xFF, 0x2F, 0x00};
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  audio_test::Put32(file, static_cast<std::uint32_t>(first.size()));
  file.insert(file.end(), first.begin(), first.end());
  file.insert(file.end(), {'X', 'x', 'x', 'x', 0, 0, 0, 2, 1, 2});
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  audio_test::Put32(file, static_cast<std::uint32_t>(second.size()));
  file.insert(file.end(), second.begin(), second.end());
  ASSERT_TRUE(Scan(file, info, error)) << error;
  EXPECT_EQ(info.Tracks, 2);
  EXPECT_EQ(info.LengthTicks, 128 + 16);
  // Notes on the first channel only: a note-on of velocity 0 ends a note,
  // and a program change alone plays nothing.
  EXPECT_EQ(info.Channels, std::bitset<16>(0x0001));
}

TEST(MidiFileTest, RefusesDamagedAndForeignFiles) {
  const std::vector<unsigned char> good = MidiPiece(2);
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  // The good file with one byte changed.
  const auto changed = [&good](std::size_t at, unsigned char byte) {
    std::vector<unsigned char> bytes = good;
    bytes[at] = byte;
    return bytes;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"a wave file", audio_test::WavePiece(8000, 1, 100)},
      {"cut short", std::vector<unsigned char>(good.begin(), good.end() - 6)},
      {"SMPTE timing", changed(12, 0xE7)},
      {"unknown format", changed(9, 3)},
      {"no tracks", changed(11, 0)},
      {"a missing track", changed(11, 2)},
      {"a chunk longer than the file", changed(20, 0x7F)},
      {"a tempo event of the wrong length", changed(25, 0x02)},  // tempo meta event claiming two bytes
      {"data without a status", changed(23, 0x40)},              // first event's status byte turned into data
  };

  for (const Case& c : cases) {
    MidiFileInfo info;
    std::string error;
    EXPECT_FALSE(Scan(c.bytes, info, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(MidiFileTest, LoadNamesTheFileItCannotUse) {
  audio_test::ScratchDir dir;
  std::vector<unsigned char> bytes;
  MidiFileInfo info;
  std::string error;

  EXPECT_FALSE(MidiFile::Load(dir.Dir() + "missing.mid", bytes, info, error));
  EXPECT_NE(error.find("missing.mid"), std::string::npos) << error;

  audio_test::WriteBytes(dir.Dir() + "text.mid", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_FALSE(MidiFile::Load(dir.Dir() + "text.mid", bytes, info, error));
  EXPECT_NE(error.find("text.mid"), std::string::npos) << error;
  EXPECT_TRUE(bytes.empty());

  audio_test::WriteBytes(dir.Dir() + "good.mid", MidiPiece(4));
  ASSERT_TRUE(MidiFile::Load(dir.Dir() + "good.mid", bytes, info, error)) << error;
  EXPECT_EQ(info.LengthTicks, 4 * 96);
  EXPECT_EQ(bytes, MidiPiece(4));
}

}  // namespace
