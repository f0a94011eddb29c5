#include "audio/midi_file.h"

#include <algorithm>
#include <array>
#include <limits>

#include "base/file_io.h"
#include "base/texts.h"

namespace audio {

namespace {

// Reads big-endian numbers and variable-length quantities with bounds checks.
class ByteReader {
 public:
  ByteReader(const std::vector<unsigned char>& bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), pos_(begin), end_(end) {}

  bool AtEnd() const { return pos_ >= end_; }
  std::size_t Pos() const { return pos_; }

  bool Byte(unsigned& value) {
    if (pos_ >= end_) return false;
    value = bytes_[pos_++];
    return true;
  }
  bool Number(int size, std::uint32_t& value) {
    if (end_ - pos_ < static_cast<std::size_t>(size)) return false;
    value = 0;
    for (int i = 0; i < size; ++i) value = (value << 8) | bytes_[pos_++];
    return true;
  }
  // At most four bytes, seven bits each.
  bool Quantity(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      unsigned b = 0;
      if (!Byte(b)) return false;
      value = (value << 7) | (b & 0x7Fu);
      if ((b & 0x80u) == 0) return true;
    }
    return false;
  }
  bool Skip(std::uint32_t count) {
    if (end_ - pos_ < count) return false;
    pos_ += count;
    return true;
  }

 private:
  const std::vector<unsigned char>& bytes_;
  std::size_t pos_;
  std::size_t end_;
};

bool ChunkIs(const std::vector<unsigned char>& bytes, std::size_t at, const char* id) {
  return bytes.size() - at >= 4 && std::equal(id, id + 4, bytes.begin() + static_cast<long>(at));
}

// The meta events the player reads have fixed lengths: end of track, tempo,
// SMPTE offset, time and key signature.
bool MetaLengthFits(unsigned type, std::uint32_t length) {
  switch (type) {
    case 0x2F: return length == 0;
    case 0x51: return length == 3;
    case 0x54: return length == 5;
    case 0x58: return length == 4;
    case 0x59: return length == 2;
    default: return true;
  }
}

// The tick of each channel's first note and first program change, over all
// tracks; none yet is "never".
struct FirstTicks {
  static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
  std::array<std::int64_t, 16> note;
  std::array<std::int64_t, 16> program;
  FirstTicks() {
    note.fill(kNever);
    program.fill(kNever);
  }
};

// Walks one track's events; returns its length in ticks or an error.
bool ScanTrack(ByteReader& in, std::int64_t& ticks, MidiFileInfo& info, FirstTicks& first,
               std::string& error) {
  ticks = 0;
  unsigned running = 0;
  while (!in.AtEnd()) {
    std::uint32_t delta = 0;
    if (!in.Quantity(delta)) {
      error = base::Translate("MidiFile", "a track ends in the middle of an event");
      return false;
    }
    ticks += delta;
    unsigned status = 0;
    if (!in.Byte(status)) {
      error = base::Translate("MidiFile", "a track ends in the middle of an event");
      return false;
    }
    if (status == 0xFF) {  // meta event
      unsigned type = 0;
      std::uint32_t length = 0;
      if (!in.Byte(type) || !in.Quantity(length) || !in.Skip(length)) {
        error = base::Translate("MidiFile", "a meta event runs past its track");
        return false;
      }
      if (!MetaLengthFits(type, length)) {
        error = base::Translate("MidiFile", "a meta event has the wrong length");
        return false;
      }
      if (type == 0x2F) return true;  // end of track
      running = 0;
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {  // system exclusive
      info.SystemExclusive = true;
      std::uint32_t length = 0;
      if (!in.Quantity(length) || !in.Skip(length)) {
        error = base::Translate("MidiFile", "a system exclusive message runs past its track");
        return false;
      }
      running = 0;
      continue;
    }
    if (status >= 0xF0) {
      error = base::Translate("MidiFile", "a track holds a system message files cannot hold");
      return false;
    }
    unsigned dataBytes = 0;
    if (status & 0x80u) {
      running = status;
    } else {
      if (running == 0) {
        error = base::Translate("MidiFile", "a track starts without a status byte");
        return false;
      }
      dataBytes = 1;  // the byte just read was the first data byte
    }
    const unsigned kind = running & 0xF0u;
    const unsigned need = (kind == 0xC0u || kind == 0xD0u) ? 1u : 2u;
    unsigned data[2] = {status, 0};
    for (; dataBytes < need; ++dataBytes) {
      if (!in.Byte(data[dataBytes])) {
        error = base::Translate("MidiFile", "a track ends in the middle of an event");
        return false;
      }
    }
    // The presets the piece can select: its program changes and bank selects.
    const unsigned channel = running & 0x0Fu;
    if (kind == 0xC0u) {
      info.Programs.set(data[0] & 0x7Fu);
      first.program[channel] = std::min(first.program[channel], ticks);
    }
    if (kind == 0xB0u && (data[0] == 0 || data[0] == 32)) info.Banks.set(data[1] & 0x7Fu);
    // A note-on of velocity 0 is a note-off.
    if (kind == 0x90u && data[1] != 0) {
      info.Channels.set(channel);
      first.note[channel] = std::min(first.note[channel], ticks);
    }
  }
  // A track without its end marker: the player stops at its last event.
  return true;
}

}  // namespace

bool MidiFile::Scan(const std::vector<unsigned char>& bytes, MidiFileInfo& info,
                    std::string& error) {
  info = MidiFileInfo{};
  if (!ChunkIs(bytes, 0, "MThd")) {
    error = base::Translate("MidiFile", "it is not a Standard MIDI File");
    return false;
  }
  ByteReader header(bytes, 4, bytes.size());
  std::uint32_t headerLength = 0, format = 0, tracks = 0, division = 0;
  if (!header.Number(4, headerLength) || headerLength != 6 || !header.Number(2, format) ||
      !header.Number(2, tracks) || !header.Number(2, division)) {
    error = base::Translate("MidiFile", "its header is damaged");
    return false;
  }
  if (format > 2) {
    error = base::Format(base::Translate("MidiFile", "its format %1 is unknown"), {std::to_string(format)});
    return false;
  }
  if (tracks == 0 || tracks > static_cast<std::uint32_t>(kMaxTracks)) {
    error = base::Format(base::Translate("MidiFile", "it declares %1 tracks"), {std::to_string(tracks)});
    return false;
  }
  if (division == 0 || (division & 0x8000u) != 0) {
    error = base::Translate("MidiFile", "its time division is not in ticks per beat");
    return false;
  }
  info.Format = static_cast<int>(format);
  info.Division = static_cast<int>(division);

  std::size_t at = header.Pos();
  FirstTicks first;
  while (info.Tracks < static_cast<int>(tracks) && bytes.size() - at >= 8) {
    const bool isTrack = ChunkIs(bytes, at, "MTrk");
    ByteReader chunk(bytes, at + 4, bytes.size());
    std::uint32_t length = 0;
    chunk.Number(4, length);
    const std::size_t begin = at + 8;
    if (bytes.size() - begin < length) {
      error = base::Translate("MidiFile", "a chunk runs past the end of the file");
      return false;
    }
    if (isTrack) {
      ByteReader track(bytes, begin, begin + length);
      std::int64_t ticks = 0;
      if (!ScanTrack(track, ticks, info, first, error)) return false;
      info.LengthTicks = std::max(info.LengthTicks, ticks);
      ++info.Tracks;
    }
    at = begin + length;
  }
  if (info.Tracks < static_cast<int>(tracks)) {
    error = base::Translate("MidiFile", "some tracks its header declares are missing");
    return false;
  }
  for (std::size_t channel = 0; channel < 16; ++channel)
    if (first.note[channel] != FirstTicks::kNever && first.note[channel] <= first.program[channel])
      info.NotesBeforeProgram.set(channel);
  return true;
}

bool MidiFile::Load(const std::string& path, std::vector<unsigned char>& bytes, MidiFileInfo& info,
                    std::string& error) {
  // Every error reads "Cannot play the music file <path>: <reason>.", which
  // the status line shortens to the file's name and the reason.
  const auto cannot = [&path](const std::string& reason) {
    return base::Format(base::Translate("MidiFile", "Cannot play the music file %1: %2"), {path, reason});
  };
  switch (base::ReadWholeFile(path, bytes, kMaxBytes)) {
    case base::ReadStatus::Ok: break;
    case base::ReadStatus::CannotOpen: error = cannot(base::Translate("MidiFile", "it cannot be opened.")); return false;
    case base::ReadStatus::IsFolder: error = cannot(base::Translate("MidiFile", "it is a folder.")); return false;
    case base::ReadStatus::NotAFile: error = cannot(base::Translate("MidiFile", "it is not a regular file.")); return false;
    case base::ReadStatus::TooBig:
      error = cannot(base::Translate("MidiFile", "it is too large to be a piece of music."));
      return false;
    case base::ReadStatus::CannotRead: error = cannot(base::Translate("MidiFile", "it cannot be read.")); return false;
  }
  std::string why;
  if (!Scan(bytes, info, why)) {
    bytes.clear();
    error = cannot(why + ".");
    return false;
  }
  return true;
}

}  // namespace audio
