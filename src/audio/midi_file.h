#pragma once
// A Standard MIDI File checked and measured before it reaches the
// synthesiser's player, so that a damaged or foreign file is refused with a
// clear reason instead of looking like a piece that plays (or ends) at once.

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace audio {

struct MidiFileInfo {
  int Format = 0;                 // 0, 1 or 2
  int Tracks = 0;                 // track chunks read
  int Division = 0;               // ticks per quarter note
  std::int64_t LengthTicks = 0;   // tick of the last event of the longest track
  std::bitset<128> Programs;      // the programs of its program changes
  std::bitset<128> Banks;         // the values of its bank selects (controllers 0 and 32)
  std::bitset<16> Channels;       // the channels its notes sound on
  // The channels that sound a note before (or at the tick of) their first
  // program change: those play with whatever a reset selects.
  std::bitset<16> NotesBeforeProgram;
  bool SystemExclusive = false;   // it sends system exclusive messages
};

class MidiFile {
 public:
  // Largest file the game reads; real pieces are a few kilobytes.
  static constexpr std::size_t kMaxBytes = 4u << 20;
  // The synthesiser's player holds at most this many tracks.
  static constexpr int kMaxTracks = 128;

  // Reads and checks a file. On failure returns false with `error` set to a
  // sentence that names the file.
  static bool Load(const std::string& path, std::vector<unsigned char>& bytes,
                   MidiFileInfo& info, std::string& error);
  // Checks bytes already in memory; `error` says what is wrong.
  static bool Scan(const std::vector<unsigned char>& bytes, MidiFileInfo& info,
                   std::string& error);
};

}  // namespace audio
