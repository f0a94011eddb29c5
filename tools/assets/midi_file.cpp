#include "midi_file.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace assets {
namespace {

void PutVarLen(QByteArray& out, std::uint32_t value) {
  char bytes[5];
  int n = 0;
  bytes[n++] = static_cast<char>(value & 0x7F);
  while ((value >>= 7) != 0) bytes[n++] = static_cast<char>((value & 0x7F) | 0x80);
  while (n > 0) out.append(bytes[--n]);
}

void PutBig(QByteArray& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct Event {
  int tick;
  int order;  // at one tick: meta and controllers first, then note-offs, then note-ons
  QByteArray bytes;
};

QByteArray Meta(int type, const QByteArray& data) {
  QByteArray out;
  out.append(static_cast<char>(0xFF));
  out.append(static_cast<char>(type));
  PutVarLen(out, static_cast<std::uint32_t>(data.size()));
  out.append(data);
  return out;
}

QByteArray Channel(int status, int channel, int a, int b) {
  QByteArray out;
  out.append(static_cast<char>(status | channel));
  out.append(static_cast<char>(a & 0x7F));
  out.append(static_cast<char>(b & 0x7F));
  return out;
}

QByteArray Program(int channel, int program) {
  QByteArray out;
  out.append(static_cast<char>(0xC0 | channel));
  out.append(static_cast<char>(program & 0x7F));
  return out;
}

QByteArray Track(std::vector<Event> events, int end_tick) {
  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return std::tie(a.tick, a.order) < std::tie(b.tick, b.order); });
  QByteArray body;
  int now = 0;
  for (const Event& e : events) {
    PutVarLen(body, static_cast<std::uint32_t>(e.tick - now));
    body.append(e.bytes);
    now = e.tick;
  }
  PutVarLen(body, static_cast<std::uint32_t>(end_tick - now));
  body.append(Meta(0x2F, {}));
  QByteArray chunk("MTrk");
  PutBig(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.append(body);
  return chunk;
}

}  // namespace

QByteArray EncodeMidi(const MidiPiece& piece) {
  const int end = piece.EndTick();
  if (end <= 0 || piece.parts.empty()) throw std::logic_error("a piece needs bars and parts");
  QByteArray file("MThd");
  PutBig(file, 6, 4);
  PutBig(file, 1, 2);  // format 1
  PutBig(file, static_cast<std::uint32_t>(piece.parts.size() + 1), 2);
  PutBig(file, kTicksPerQuarter, 2);

  std::vector<Event> conductor;
  conductor.push_back({0, 0, Meta(0x03, piece.title.toLatin1())});
  conductor.push_back({0, 0, Meta(0x02, QByteArray("Sorami, our own composition"))});
  QByteArray time_signature;
  time_signature.append(static_cast<char>(piece.beats_per_bar));
  time_signature.append(static_cast<char>(2));  // denominator 2^2 = quarter
  time_signature.append(static_cast<char>(24));
  time_signature.append(static_cast<char>(8));
  conductor.push_back({0, 0, Meta(0x58, time_signature)});
  QByteArray tempo;
  PutBig(tempo, static_cast<std::uint32_t>(60000000 / piece.bpm), 3);
  conductor.push_back({0, 0, Meta(0x51, tempo)});
  file.append(Track(conductor, end));

  for (const MidiPart& part : piece.parts) {
    std::vector<Event> events;
    const int ch = part.channel;
    events.push_back({0, 0, Meta(0x03, part.name.toLatin1())});
    events.push_back({0, 0, Channel(0xB0, ch, 121, 0)});  // reset controllers
    events.push_back({0, 0, Program(ch, part.program)});
    events.push_back({0, 0, Channel(0xB0, ch, 7, part.volume)});
    events.push_back({0, 0, Channel(0xB0, ch, 10, part.pan)});
    events.push_back({0, 0, Channel(0xB0, ch, 91, part.reverb)});
    events.push_back({0, 0, Channel(0xB0, ch, 93, part.chorus)});
    // A key struck again while it still sounds would be cut short by the
    // first note's release: end every note before the next of the same key.
    std::vector<MidiNote> notes = part.notes;
    std::stable_sort(notes.begin(), notes.end(),
                     [](const MidiNote& a, const MidiNote& b) { return std::tie(a.key, a.tick) < std::tie(b.key, b.tick); });
    for (size_t i = 0; i + 1 < notes.size(); ++i) {
      if (notes[i + 1].key == notes[i].key) notes[i].length = std::min(notes[i].length, notes[i + 1].tick - notes[i].tick);
    }
    for (const MidiNote& n : notes) {
      if (n.tick < 0 || n.tick >= end || n.length <= 0) continue;
      const int off = std::min(n.tick + n.length, end);
      const int velocity = std::clamp(n.velocity, 1, 127);
      events.push_back({n.tick, 2, Channel(0x90, ch, n.key, velocity)});
      events.push_back({off, 1, Channel(0x80, ch, n.key, 64)});
    }
    file.append(Track(std::move(events), end));
  }
  return file;
}

}  // namespace assets
