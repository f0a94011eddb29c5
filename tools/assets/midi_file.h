#pragma once
// Standard MIDI Files, format 1: a conductor track (name, time and key
// signature, tempo) and one track per instrument, 480 ticks per quarter note.

#include <QByteArray>
#include <QString>

#include <vector>

namespace assets {

constexpr int kTicksPerQuarter = 480;

struct MidiNote {
  int tick = 0;
  int length = 0;  // ticks
  int key = 60;    // MIDI key number, 60 = middle C
  int velocity = 80;
};

// One instrument on its own channel. `program` is the General MIDI program,
// counted from 0 (for example 107 = Koto).
struct MidiPart {
  QString name;
  int channel = 0;
  int program = 0;
  int volume = 100;  // controller 7
  int pan = 64;      // controller 10
  int reverb = 40;   // controller 91
  int chorus = 0;    // controller 93
  std::vector<MidiNote> notes;
};

struct MidiPiece {
  QString title;
  int bpm = 90;
  int beats_per_bar = 4;  // quarter-note beats
  int bars = 0;           // every track ends exactly after this many bars
  std::vector<MidiPart> parts;

  int BarTicks() const { return beats_per_bar * kTicksPerQuarter; }
  int EndTick() const { return bars * BarTicks(); }
};

// Encodes the piece. Notes are clipped to the piece's end so that a player
// looping the file finds nothing sounding past the last bar line.
QByteArray EncodeMidi(const MidiPiece& piece);

}  // namespace assets
