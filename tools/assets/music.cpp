// The game's music: four pieces of our own, written as Standard MIDI Files
// (format 1) in Musics/:
//   Night.mid     the default: shakuhachi over koto and strings, D minor pentatonic
//   Garden.mid    flute and kalimba over koto and pizzicato, G major pentatonic
//   Temple.mid    shakuhachi, shamisen, taiko and temple bell, E "in" scale
//   Lanterns.mid  a waltz for music box, harp, strings and choir, C major pentatonic
//
// The pieces are composed here in code: each has a fixed form (intro,
// sections, outro), a chord for every bar and a melody grown from short
// motifs that return and vary. All choices come from a seeded generator, so
// every run writes the same notes. Each piece begins and ends on its home
// chord and every track stops exactly at the last bar line, so a piece
// loops without a gap or a jolt.
//
// The instruments are General MIDI programs chosen to sound well through the
// soundfont the game plays them with, Debian's timgm6mb-soundfont
// (/usr/share/sounds/sf2/TimGM6mb.sf2, about 6 MB). The game keeps the whole
// soundfont in memory and must stay under 45 MiB resident, which rules out
// the far larger fluid-soundfont-gm (about 140 MB).

#include "generators.h"
#include "midi_file.h"

#include <QStringList>

#include <cmath>
#include <map>
#include <optional>

namespace assets {
namespace {

// General MIDI programs, counted from 0.
enum Program {
  kCelesta = 8, kMusicBox = 10, kVibraphone = 11, kTubularBells = 14, kCello = 42, kPizzicato = 45,
  kHarp = 46, kStrings = 48, kSlowStrings = 49, kChoir = 52, kFlute = 73, kShakuhachi = 77,
  kWarmPad = 89, kShamisen = 106, kKoto = 107, kKalimba = 108, kTaiko = 116,
};

constexpr int kEighth = kTicksPerQuarter / 2;

// ---- harmony ---------------------------------------------------------------

struct Chord {
  int root = 0;                // pitch class
  std::vector<int> intervals;  // semitones above the root
  bool Has(int key) const {
    for (const int i : intervals) {
      if ((root + i) % 12 == ((key % 12) + 12) % 12) return true;
    }
    return false;
  }
};

Chord ParseChord(const QString& name) {
  static const std::map<QChar, int> kLetters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  static const std::map<QString, std::vector<int>> kQualities = {
      {"", {0, 4, 7}},         {"m", {0, 3, 7}},       {"7", {0, 4, 7, 10}},  {"m7", {0, 3, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"sus2", {0, 2, 7}},    {"sus4", {0, 5, 7}},   {"5", {0, 7}},
      {"add9", {0, 4, 7, 2}},  {"madd9", {0, 3, 7, 2}}, {"6", {0, 4, 7, 9}},
  };
  Chord chord;
  chord.root = kLetters.at(name[0]);
  int rest = 1;
  if (name.size() > 1 && name[1] == 'b') {
    chord.root = (chord.root + 11) % 12;
    rest = 2;
  } else if (name.size() > 1 && name[1] == '#') {
    chord.root = (chord.root + 1) % 12;
    rest = 2;
  }
  chord.intervals = kQualities.at(name.mid(rest));
  return chord;
}

std::vector<Chord> Progression(const QStringList& sections) {
  std::vector<Chord> chords;
  for (const QString& section : sections) {
    for (const QString& name : section.split(' ', Qt::SkipEmptyParts)) chords.push_back(ParseChord(name));
  }
  return chords;
}

// The key nearest to `near` whose pitch class is `pc`.
int Nearest(int pc, int near) {
  int best = pc;
  for (int k = pc; k < 128; k += 12) {
    if (std::abs(k - near) < std::abs(best - near)) best = k;
  }
  return best;
}

struct Scale {
  int tonic;               // key of degree 0
  std::vector<int> steps;  // semitones of the degrees within one octave

  int Key(int degree) const {
    const int n = static_cast<int>(steps.size());
    const int octave = degree >= 0 ? degree / n : -((-degree + n - 1) / n);
    return tonic + 12 * octave + steps[static_cast<size_t>(degree - octave * n)];
  }
  bool IsTonic(int degree) const { return degree % static_cast<int>(steps.size()) == 0; }
};

// ---- the parts a piece is made of ----------------------------------------

struct Context {
  int bar_ticks;
  int beats;
  const std::vector<Chord>* chords;
  Noise* noise;

  int Jitter(int amount) const { return static_cast<int>(noise->Next() % static_cast<unsigned>(2 * amount + 1)) - amount; }
};

// Sustained chords in close position: of the chord's inversions near
// `centre`, the one that moves the voices least from the previous chord; a
// tone that stays is held over the bar line instead of struck again.
void Pad(MidiPart& part, const Context& c, int from, int to, int centre, int velocity, int voices = 3) {
  std::vector<int> previous;
  for (int bar = from; bar < to; ++bar) {
    const Chord& chord = (*c.chords)[static_cast<size_t>(bar)];
    std::vector<int> pcs;
    for (size_t i = 0; i < chord.intervals.size() && static_cast<int>(pcs.size()) < voices; ++i) {
      pcs.push_back((chord.root + chord.intervals[i]) % 12);
    }
    std::vector<int> best;
    int best_cost = 1 << 30;
    for (size_t k = 0; k < pcs.size(); ++k) {
      for (int low = centre - 7; low <= centre + 4; ++low) {
        if (low % 12 != pcs[k]) continue;
        std::vector<int> keys = {low};
        for (size_t j = 1; j < pcs.size(); ++j) {
          int key = keys.back() + 1;
          while (key % 12 != pcs[(k + j) % pcs.size()]) ++key;
          keys.push_back(key);
        }
        int cost = 0;
        if (previous.size() == keys.size()) {
          for (size_t j = 0; j < keys.size(); ++j) cost += std::abs(keys[j] - previous[j]);
        } else {
          cost = std::abs(keys.front() - (centre - 2));
        }
        if (cost < best_cost) {
          best_cost = cost;
          best = keys;
        }
      }
    }
    const int start = bar * c.bar_ticks;
    for (const int key : best) {
      bool held = false;
      for (MidiNote& note : part.notes) {
        if (note.key == key && note.tick + note.length == start) {
          note.length += c.bar_ticks;
          held = true;
        }
      }
      if (!held) part.notes.push_back({start, c.bar_ticks, key, velocity + c.Jitter(4)});
    }
    previous = best;
  }
}

// Broken chords: `pattern` lists chord-tone indices (0 = root, counting up
// through the chord over several octaves), one per `step` ticks.
void Arpeggio(MidiPart& part, const Context& c, int from, int to, int low, const std::vector<int>& pattern, int step,
              int velocity, int ring) {
  for (int bar = from; bar < to; ++bar) {
    const Chord& chord = (*c.chords)[static_cast<size_t>(bar)];
    std::vector<int> tones;
    std::vector<int> ordered = chord.intervals;
    std::sort(ordered.begin(), ordered.end());
    const int base = Nearest(chord.root, low + 5) > low + 6 ? Nearest(chord.root, low + 5) - 12 : Nearest(chord.root, low + 5);
    for (int octave = 0; octave < 4; ++octave) {
      for (const int i : ordered) tones.push_back(base + 12 * octave + i);
    }
    const int count = c.bar_ticks / step;
    for (int i = 0; i < count; ++i) {
      const int index = pattern[static_cast<size_t>(i) % pattern.size()];
      if (index < 0) continue;  // a rest
      const int accent = (i * step) % kTicksPerQuarter == 0 ? (i == 0 ? 10 : 4) : 0;
      const int tick = bar * c.bar_ticks + i * step;
      part.notes.push_back({tick + (i > 0 ? std::abs(c.Jitter(6)) : 0), ring, tones[static_cast<size_t>(index)],
                            velocity + accent + c.Jitter(5)});
    }
  }
}

// Root on the first beat (and the fifth on a middle beat when `fifth`).
void Bass(MidiPart& part, const Context& c, int from, int to, int centre, int velocity, bool fifth, int length) {
  for (int bar = from; bar < to; ++bar) {
    const Chord& chord = (*c.chords)[static_cast<size_t>(bar)];
    const int root = Nearest(chord.root, centre);
    part.notes.push_back({bar * c.bar_ticks, length, root, velocity + c.Jitter(4)});
    if (fifth) {
      const int beat = 2;  // the third beat, in 3/4 as in 4/4
      part.notes.push_back({bar * c.bar_ticks + beat * kTicksPerQuarter, length, root + 7 > centre + 9 ? root - 5 : root + 7,
                            velocity - 8 + c.Jitter(4)});
    }
  }
}

// ---- melody ----------------------------------------------------------------

struct PhraseNote {
  int tick;    // from the phrase's start
  int length;  // ticks
  int degree;  // scale degree; ignored for rests
  bool rest;
};
using Phrase = std::vector<PhraseNote>;

struct MelodyStyle {
  Scale scale;
  int low, high;                              // key range
  std::vector<std::vector<int>> rhythms;      // bars, in eighths; negative = rest
  std::vector<std::vector<int>> endings;      // the last bar of a phrase
  int bars_per_phrase = 4;
  double legato = 0.92;
  int velocity = 84;
  double grace = 0;  // chance of a grace note before a long note (shakuhachi)
};

MelodyStyle Style(const Scale& scale, int low, int high, const std::vector<std::vector<int>>& rhythms,
                  const std::vector<std::vector<int>>& endings, double legato, int velocity, double grace) {
  MelodyStyle style;
  style.scale = scale;
  style.low = low;
  style.high = high;
  style.rhythms = rhythms;
  style.endings = endings;
  style.legato = legato;
  style.velocity = velocity;
  style.grace = grace;
  return style;
}

class MelodyWriter {
 public:
  MelodyWriter(MelodyStyle style, const Context& c) : s_(std::move(style)), c_(c) {}

  // Writes phrases from bar `from` on, one per letter of `plan`: a new letter
  // makes a new phrase, a letter seen before repeats that phrase, and a
  // letter followed by ' repeats its rhythm and first half with a new second
  // half. A '.' after a letter ends that phrase on the home note.
  void Write(MidiPart& part, int from, const QString& plan) {
    int bar = from;
    for (const QString& token : plan.split(' ', Qt::SkipEmptyParts)) {
      const QString name = token.left(1);
      const bool vary = token.contains('\'');
      const bool home = token.contains('.');
      Phrase phrase;
      const auto known = phrases_.find(name);
      if (known == phrases_.end()) {
        phrase = Fresh(bar, home);
        phrases_[name] = phrase;
      } else if (vary) {
        phrase = Varied(known->second, bar, home);
      } else {
        phrase = known->second;
        if (home) EndHome(phrase, bar);
      }
      Emit(part, phrase, bar);
      bar += s_.bars_per_phrase;
    }
  }

 private:
  const Chord& ChordAt(int bar, int tick) const {
    return (*c_.chords)[static_cast<size_t>(bar + tick / c_.bar_ticks)];
  }

  int Pick(int previous, int last_move, bool strong, const Chord& chord) {
    std::vector<std::pair<int, double>> options;
    for (int d = previous - 3; d <= previous + 3; ++d) {
      const int key = s_.scale.Key(d);
      if (key < s_.low || key > s_.high) continue;
      const int move = d - previous;
      static const double kStepWeight[] = {0.5, 4.0, 2.2, 0.8};
      double w = kStepWeight[std::abs(move)];
      if (strong) w *= chord.Has(key) ? 3.0 : 0.4;
      if (std::abs(last_move) >= 2 && move != 0 && (move > 0) != (last_move > 0)) w *= 2.0;  // leaps turn back
      // Keep to the middle of the range: the outer quarters are visited, not lived in.
      const double off_centre = std::abs(key - (s_.low + s_.high) / 2.0) / ((s_.high - s_.low) / 2.0);
      if (off_centre > 0.75) w *= 0.35;
      options.push_back({d, w});
    }
    double total = 0;
    for (const auto& o : options) total += o.second;
    double r = c_.noise->Uniform() * total;
    for (const auto& o : options) {
      if ((r -= o.second) <= 0) return o.first;
    }
    return options.empty() ? previous : options.back().first;
  }

  // The chord tone (or with `home` the tonic) nearest to degree `near`.
  int Landing(int near, const Chord& chord, bool home) const {
    int best = near;
    int best_distance = 1000;
    for (int d = near - 4; d <= near + 4; ++d) {
      const int key = s_.scale.Key(d);
      if (key < s_.low || key > s_.high) continue;
      const bool fits = home ? s_.scale.IsTonic(d) : chord.Has(key);
      if (fits && std::abs(d - near) < best_distance) {
        best = d;
        best_distance = std::abs(d - near);
      }
    }
    return best;
  }

  void Pitches(Phrase& phrase, int bar, size_t from_note, bool home) {
    int previous = last_degree_;
    int last_move = 0;
    for (size_t i = 0; i < phrase.size(); ++i) {
      PhraseNote& n = phrase[i];
      if (n.rest) continue;
      if (i < from_note) {
        last_move = n.degree - previous;
        previous = n.degree;
        continue;
      }
      const int in_bar = n.tick % c_.bar_ticks;
      const bool strong = in_bar == 0 || (c_.beats == 4 && in_bar == 2 * kTicksPerQuarter);
      n.degree = Pick(previous, last_move, strong, ChordAt(bar, n.tick));
      last_move = n.degree - previous;
      previous = n.degree;
    }
    EndHomeOrChord(phrase, bar, home);
    for (auto it = phrase.rbegin(); it != phrase.rend(); ++it) {
      if (!it->rest) {
        last_degree_ = it->degree;
        break;
      }
    }
  }

  void EndHomeOrChord(Phrase& phrase, int bar, bool home) {
    for (auto it = phrase.rbegin(); it != phrase.rend(); ++it) {
      if (it->rest) continue;
      it->degree = Landing(it->degree, ChordAt(bar, it->tick), home);
      return;
    }
  }

  void EndHome(Phrase& phrase, int bar) { EndHomeOrChord(phrase, bar, true); }

  Phrase Rhythm() {
    Phrase phrase;
    for (int b = 0; b < s_.bars_per_phrase; ++b) {
      const auto& pool = b + 1 == s_.bars_per_phrase ? s_.endings : s_.rhythms;
      const auto& cells = pool[c_.noise->Next() % pool.size()];
      int tick = b * c_.bar_ticks;
      for (const int cell : cells) {
        const int length = std::abs(cell) * kEighth;
        phrase.push_back({tick, length, 0, cell < 0});
        tick += length;
      }
    }
    return phrase;
  }

  Phrase Fresh(int bar, bool home) {
    Phrase phrase = Rhythm();
    Pitches(phrase, bar, 0, home);
    return phrase;
  }

  Phrase Varied(Phrase phrase, int bar, bool home) {
    size_t half = 0;
    while (half < phrase.size() && phrase[half].tick < c_.bar_ticks * s_.bars_per_phrase / 2) ++half;
    last_degree_ = phrase.empty() ? last_degree_ : phrase.front().degree;
    Pitches(phrase, bar, half, home);
    return phrase;
  }

  void Emit(MidiPart& part, const Phrase& phrase, int bar) {
    const int start = bar * c_.bar_ticks;
    const int span = c_.bar_ticks * s_.bars_per_phrase;
    for (const PhraseNote& n : phrase) {
      if (n.rest) continue;
      // Louder towards the middle of the phrase, softer at its end.
      const double arc = std::sin(3.14159 * (n.tick + n.length / 2.0) / span);
      const int velocity = s_.velocity - 10 + static_cast<int>(14 * arc) + (n.tick % c_.bar_ticks == 0 ? 6 : 0) + c_.Jitter(4);
      const int key = s_.scale.Key(n.degree);
      int tick = start + n.tick;
      int length = static_cast<int>(n.length * s_.legato);
      if (s_.grace > 0 && n.length >= 2 * kEighth && n.tick > 0 && c_.noise->Uniform() < s_.grace) {
        const int grace_key = s_.scale.Key(n.degree + 1);
        part.notes.push_back({tick, 60, grace_key, velocity - 12});
        tick += 60;
        length -= 60;
      }
      part.notes.push_back({tick, length, key, velocity});
    }
  }

  MelodyStyle s_;
  Context c_;
  std::map<QString, Phrase> phrases_;
  int last_degree_ = 2;
};

MidiPart NewPart(const char* name, int channel, int program, int volume, int pan, int reverb, int chorus = 0) {
  MidiPart part;
  part.name = QString::fromLatin1(name);
  part.channel = channel;
  part.program = program;
  part.volume = volume;
  part.pan = pan;
  part.reverb = reverb;
  part.chorus = chorus;
  return part;
}

const std::vector<std::vector<int>> kCalm = {{4, 4}, {6, 2}, {3, 1, 4}, {2, 2, 4}, {4, 2, 2}, {2, 6}, {-2, 2, 4}};
const std::vector<std::vector<int>> kCalmEnd = {{8}, {2, 6}, {4, 4}};
const std::vector<std::vector<int>> kLively = {{2, 2, 2, 2}, {3, 1, 2, 2}, {2, 2, 4}, {4, 2, 2},
                                               {2, 1, 1, 4}, {1, 1, 2, 2, 2}, {3, 1, 4}, {2, 4, 2}};
const std::vector<std::vector<int>> kLivelyEnd = {{2, 2, 4}, {2, 6}, {4, 4}};
const std::vector<std::vector<int>> kSparse = {{-4, 2, 2}, {-2, 2, -2, 2}, {4, 4}, {-4, 4}, {2, -2, 4}};
const std::vector<std::vector<int>> kSparseEnd = {{-4, 4}, {8}};
const std::vector<std::vector<int>> kWaltz = {{2, 2, 2}, {3, 1, 2}, {4, 2}, {2, 4}, {1, 1, 2, 2}};
const std::vector<std::vector<int>> kWaltzEnd = {{6}, {2, 4}};

// ---- the pieces --------------------------------------------------------------

// A piece's frame: its title, tempo and metre, a chord for every bar (the
// sections in order) and the seeded generator all its parts draw from.
struct Score {
  MidiPiece piece;
  std::vector<Chord> chords;
  Noise noise;
  Context c;
  int end;  // the number of bars

  Score(const char* title, int bpm, int beats, const QStringList& sections, std::uint64_t seed)
      : piece{title, bpm, beats, 0, {}},
        chords(Progression(sections)),
        noise(seed),
        c{piece.BarTicks(), beats, &chords, &noise},
        end(static_cast<int>(chords.size())) {
    piece.bars = end;
  }
  Score(const Score&) = delete;
  Score& operator=(const Score&) = delete;

  MidiPiece Finish(std::vector<MidiPart> parts) {
    piece.parts = std::move(parts);
    return piece;
  }
};

MidiPiece Night() {
  const QString a1 = "Dm Bb Gm Dm Bb C Dm Am", a2 = "Dm Bb Gm Dm Bb C Am Dm", b = "Gm Dm Bb F Gm Am Bb C";
  Score score("Night", 64, 4, {"Dm Dm", a1, a2, b, a2, "Dm Dm"}, 1001);
  const Context& c = score.c;
  const int end = score.end;

  MidiPart flute = NewPart("Shakuhachi", 0, kShakuhachi, 122, 52, 72);
  MelodyWriter melody(Style(Scale{62, {0, 3, 5, 7, 10}}, 62, 81, kCalm, kCalmEnd, 0.94, 82, 0.3), c);
  melody.Write(flute, 2, "A A' B A.");
  melody.Write(flute, 26, "A A'.");

  MidiPart bells = NewPart("Celesta", 4, kCelesta, 88, 90, 90);
  MelodyWriter counter(Style(Scale{74, {0, 3, 5, 7, 10}}, 72, 91, kCalm, kCalmEnd, 0.9, 76, 0), c);
  counter.Write(bells, 18, "X Y.");
  MelodyWriter echo(Style(Scale{74, {0, 3, 5, 7, 10}}, 74, 93, kSparse, kSparseEnd, 0.9, 64, 0), c);
  echo.Write(bells, 26, "Z Z'.");

  MidiPart koto = NewPart("Koto", 1, kKoto, 110, 82, 60);
  Arpeggio(koto, c, 0, 2, 50, {0, -1, 1, -1, 2, -1, 3, -1}, kEighth, 62, 900);
  Arpeggio(koto, c, 2, 18, 50, {0, 2, 3, 4, 5, 4, 3, 2}, kEighth, 56, 700);
  Arpeggio(koto, c, 18, 26, 50, {0, 3, 2, 4, 3, 5, 4, 2}, kEighth, 58, 700);
  Arpeggio(koto, c, 26, end - 2, 50, {0, 2, 3, 4, 5, 4, 3, 2}, kEighth, 56, 700);
  Arpeggio(koto, c, end - 2, end, 50, {0, -1, 1, -1, 2, -1, 3, -1}, kEighth, 54, 900);

  MidiPart strings = NewPart("Strings", 2, kSlowStrings, 90, 40, 85);
  Pad(strings, c, 0, end, 60, 52);
  MidiPart cello = NewPart("Cello", 3, kCello, 95, 60, 70);
  Bass(cello, c, 0, end, 43, 60, false, c.bar_ticks - 20);

  return score.Finish({flute, koto, strings, cello, bells});
}

MidiPiece Garden() {
  const QString a1 = "G Em C D G Em Am D", a2 = "G Em C D Em C D G", b = "C D Em G C D Am7 D";
  Score score("Garden", 96, 4, {"G Cadd9", a1, a2, b, a2, b, a2, "Cadd9 G"}, 2002);
  const Context& c = score.c;
  const int end = score.end;

  MidiPart flute = NewPart("Flute", 0, kFlute, 117, 56, 60);
  MelodyWriter melody(Style(Scale{67, {0, 2, 4, 7, 9}}, 67, 88, kLively, kLivelyEnd, 0.9, 86, 0.1), c);
  melody.Write(flute, 2, "A A' B A.");
  melody.Write(flute, 26, "A B'.");
  melody.Write(flute, 42, "A A'.");

  MidiPart kalimba = NewPart("Kalimba", 1, kKalimba, 112, 76, 55);
  MelodyWriter answer(Style(Scale{79, {0, 2, 4, 7, 9}}, 74, 93, kLively, kLivelyEnd, 0.8, 80, 0), c);
  answer.Write(kalimba, 18, "K K'");
  answer.Write(kalimba, 34, "K L.");

  MidiPart koto = NewPart("Koto", 2, kKoto, 102, 88, 50);
  Arpeggio(koto, c, 0, end, 52, {0, 2, 4, 2, 3, 4, 5, 4}, kEighth, 54, 480);
  MidiPart pizz = NewPart("Pizzicato", 3, kPizzicato, 112, 44, 45);
  Bass(pizz, c, 0, end, 43, 74, true, 400);
  MidiPart strings = NewPart("Strings", 4, kStrings, 71, 34, 80);
  Pad(strings, c, 0, end, 62, 46);

  return score.Finish({flute, kalimba, koto, pizz, strings});
}

MidiPiece Temple() {
  const QString a1 = "E5 F Am E5 F Am E5 E5", a2 = "E5 F Am E5 Fmaj7 Am F E5", b = "Am F Am E5 F F Am E5";
  Score score("Temple", 70, 4, {"E5 E5", a1, a2, b, a2, "E5 E5"}, 3003);
  const Context& c = score.c;
  const int end = score.end;
  const Scale in_scale{64, {0, 1, 5, 7, 8}};

  MidiPart flute = NewPart("Shakuhachi", 0, kShakuhachi, 122, 50, 80);
  MelodyWriter melody(Style(in_scale, 64, 83, kCalm, kCalmEnd, 0.95, 84, 0.35), c);
  melody.Write(flute, 2, "A A' B A.");
  melody.Write(flute, 26, "A' A.");

  MidiPart koto = NewPart("Koto", 2, kKoto, 107, 84, 65);
  MelodyWriter answer(Style(in_scale, 64, 84, kLively, kLivelyEnd, 0.85, 76, 0), c);
  answer.Write(koto, 18, "K K'.");

  MidiPart shamisen = NewPart("Shamisen", 1, kShamisen, 98, 70, 40);
  Arpeggio(shamisen, c, 0, end, 50, {0, -1, 1, 0, -1, 1, 2, -1}, kEighth, 62, 200);
  MidiPart taiko = NewPart("Taiko", 3, kTaiko, 102, 64, 50);
  for (int bar = 0; bar < end; ++bar) {
    const int t = bar * c.bar_ticks;
    taiko.notes.push_back({t, 400, 45, 70 + c.Jitter(4)});
    if (bar % 4 == 3) {  // a soft roll into each new phrase
      for (int i = 0; i < 4; ++i) taiko.notes.push_back({t + 3 * kTicksPerQuarter + i * 120, 110, 45, 40 + 8 * i});
    }
  }
  MidiPart bell = NewPart("Temple bell", 4, kTubularBells, 85, 96, 100);
  for (int bar = 0; bar < end - 2; bar += 4) bell.notes.push_back({bar * c.bar_ticks, 3 * c.bar_ticks, bar % 8 ? 71 : 64, 62});
  MidiPart drone = NewPart("Drone", 5, kWarmPad, 76, 30, 90);
  for (int bar = 0; bar < end; bar += 2) {
    drone.notes.push_back({bar * c.bar_ticks, 2 * c.bar_ticks, 40, 50});
    drone.notes.push_back({bar * c.bar_ticks, 2 * c.bar_ticks, 47, 44});
  }

  return score.Finish({flute, shamisen, koto, taiko, bell, drone});
}

MidiPiece Lanterns() {
  const QString a1 = "C Am F G C Em F G", a2 = "C Am F G Am F G C", b = "Am F C G Am F Dm7 G";
  Score score("Lanterns", 84, 3, {"C C Am G", a1, a2, b, a2, b, a2, "C C"}, 4004);
  const Context& c = score.c;
  const int end = score.end;
  const Scale pentatonic{72, {0, 2, 4, 7, 9}};

  MidiPart box = NewPart("Music box", 0, kMusicBox, 117, 58, 70);
  MelodyWriter melody(Style(pentatonic, 72, 91, kWaltz, kWaltzEnd, 0.9, 84, 0), c);
  melody.Write(box, 4, "A A' B A.");
  melody.Write(box, 28, "A A'.");
  melody.Write(box, 44, "B A.");

  MidiPart vibes = NewPart("Vibraphone", 1, kVibraphone, 105, 80, 70);
  MelodyWriter answer(Style(Scale{67, {0, 2, 4, 7, 9}}, 67, 86, kWaltz, kWaltzEnd, 0.9, 78, 0), c);
  answer.Write(vibes, 20, "V W.");
  answer.Write(vibes, 36, "V' W.");

  MidiPart harp = NewPart("Harp", 2, kHarp, 110, 70, 70);
  Arpeggio(harp, c, 0, end, 48, {0, 2, 3, 4, 3, 2}, kEighth, 58, 700);
  MidiPart strings = NewPart("Strings", 3, kStrings, 78, 40, 85);
  Pad(strings, c, 0, end, 60, 48);
  MidiPart choir = NewPart("Choir", 4, kChoir, 68, 50, 95);
  Pad(choir, c, 20, 28, 67, 44);
  Pad(choir, c, 36, 44, 67, 44);

  return score.Finish({box, vibes, harp, strings, choir});
}

}  // namespace

void WriteMusic(const Output& out) {
  for (const MidiPiece& piece : {Night(), Garden(), Temple(), Lanterns()}) {
    out.Write("Musics/" + piece.title + ".mid", EncodeMidi(piece));
  }
}

}  // namespace assets
