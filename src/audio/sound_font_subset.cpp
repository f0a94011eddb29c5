#include "audio/sound_font_subset.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace audio {

namespace {

// The preset tables of a SoundFont 2 file, in file order, with the size of
// one record each.
struct TableKind {
  const char* id;
  std::size_t record;
};
constexpr TableKind kTables[] = {{"phdr", 38}, {"pbag", 4},  {"pmod", 10}, {"pgen", 4}, {"inst", 22},
                                 {"ibag", 4},  {"imod", 10}, {"igen", 4},  {"shdr", 46}};
enum { Phdr, Pbag, Pmod, Pgen, Inst, Ibag, Imod, Igen, Shdr, TableCount };

// Generators that name an instrument (in a preset zone) and a sample (in an
// instrument zone).
constexpr unsigned kInstrumentGen = 41;
constexpr unsigned kSampleGen = 53;
// Where a sample header keeps the number of its stereo partner, and its type:
// a right, left or linked sample has a partner, a mono one none.
constexpr std::size_t kSampleLink = 42;
constexpr std::size_t kSampleType = 44;

unsigned U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
bool HasPartner(const unsigned char* header) { return (U16(header + kSampleType) & 0x0Eu) != 0; }
void PutU16(unsigned char* p, unsigned v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void PutU32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}
void AppendChunk(std::vector<unsigned char>& out, const char* id, const std::vector<unsigned char>& body) {
  const std::size_t at = out.size();
  out.resize(at + 8);
  std::memcpy(out.data() + at, id, 4);
  PutU32(out.data() + at + 4, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) out.push_back(0);
}

bool ReadAt(base::InputFile& in, std::uint64_t at, unsigned char* to, std::size_t count) {
  return in.ReadAt(at, to, count);
}

}  // namespace

bool SoundFontSubset::Open(const std::string& path, std::string& error) {
  path_ = path;
  presets_.clear();
  const std::string bad = "The sound font " + path + " is damaged";
  base::InputFile in(path);
  if (!in.IsOpen()) {
    error = "Cannot load the sound font " + path;
    return false;
  }
  fileSize_ = in.Size();
  unsigned char head[12];
  if (!ReadAt(in, 0, head, 12) || std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "sfbk", 4) != 0) {
    error = bad;
    return false;
  }
  const std::uint64_t riffEnd = std::min<std::uint64_t>(fileSize_, 8 + std::uint64_t{U32(head + 4)});
  // Find the "pdta" list among the top-level lists.
  std::uint64_t at = 12;
  tablesBegin_ = tablesEnd_ = 0;
  while (at + 12 <= riffEnd) {
    unsigned char list[12];
    if (!ReadAt(in, at, list, 12)) break;
    const std::uint64_t size = U32(list + 4);
    if (std::memcmp(list, "LIST", 4) == 0 && std::memcmp(list + 8, "pdta", 4) == 0) {
      tablesBegin_ = at;
      tablesEnd_ = at + 8 + size + (size % 2);
      break;
    }
    at += 8 + size + (size % 2);
  }
  if (tablesEnd_ == 0 || tablesEnd_ > fileSize_) {
    error = bad;
    return false;
  }
  std::vector<Table> tables;
  if (!ReadTables(in, tables)) {
    error = bad;
    return false;
  }
  for (std::size_t p = 0; p + 1 < tables[Phdr].Count(); ++p) {
    const unsigned char* r = tables[Phdr].At(p);
    presets_.insert(Key(U16(r + 22), U16(r + 20)));
  }
  return true;
}

bool SoundFontSubset::ReadTables(base::InputFile& in, std::vector<Table>& tables) const {
  // Read the nine tables, which must come in their order.
  tables.assign(TableCount, Table{});
  std::uint64_t at = tablesBegin_ + 12;
  for (int t = 0; t < TableCount; ++t) {
    unsigned char chunk[8];
    if (at + 8 > tablesEnd_ || !ReadAt(in, at, chunk, 8) || std::memcmp(chunk, kTables[t].id, 4) != 0)
      return false;
    const std::uint64_t size = U32(chunk + 4);
    if (at + 8 + size > tablesEnd_ || size % kTables[t].record != 0 || size < kTables[t].record)
      return false;
    tables[t].record = kTables[t].record;
    tables[t].bytes.resize(size);
    if (!ReadAt(in, at + 8, tables[t].bytes.data(), size)) return false;
    at += 8 + size + (size % 2);
  }
  // Every index must stay inside the table it points into, and rise: the
  // builder copies ranges between neighbouring records.
  const auto rising = [&](int table, std::size_t offset, int target) {
    const Table& t = tables[table];
    unsigned last = 0;
    for (std::size_t i = 0; i < t.Count(); ++i) {
      const unsigned v = U16(t.At(i) + offset);
      if (v < last || v >= tables[target].Count()) return false;
      last = v;
    }
    return true;
  };
  if (!rising(Phdr, 24, Pbag) || !rising(Pbag, 0, Pgen) || !rising(Pbag, 2, Pmod) || !rising(Inst, 20, Ibag) ||
      !rising(Ibag, 0, Igen) || !rising(Ibag, 2, Imod))
    return false;
  for (std::size_t g = 0; g + 1 < tables[Pgen].Count(); ++g) {
    const unsigned char* r = tables[Pgen].At(g);
    if (U16(r) == kInstrumentGen && U16(r + 2) + 1 >= tables[Inst].Count()) return false;
  }
  return true;
}

std::vector<unsigned char> SoundFontSubset::BuildPresetTables(const std::set<int>& keys) const {
  // The tables are read again: they are only needed while a font is built.
  base::InputFile in(path_);
  std::vector<Table> tables;
  if (!in.IsOpen() || !ReadTables(in, tables)) return {};
  std::vector<std::vector<unsigned char>> out(TableCount);
  const auto copy = [&](int table, std::size_t from, std::size_t to) {
    const Table& t = tables[table];
    out[table].insert(out[table].end(), t.At(from), t.At(to));
  };
  const auto count = [&](int table) { return static_cast<unsigned>(out[table].size() / kTables[table].record); };

  // The instruments the chosen presets use, numbered anew in their order.
  std::map<unsigned, unsigned> instruments;
  const Table& phdr = tables[Phdr];
  const Table& pbag = tables[Pbag];
  for (std::size_t p = 0; p + 1 < phdr.Count(); ++p) {
    if (keys.count(Key(U16(phdr.At(p) + 22), U16(phdr.At(p) + 20))) == 0) continue;
    for (unsigned b = U16(phdr.At(p) + 24); b < U16(phdr.At(p + 1) + 24); ++b)
      for (unsigned g = U16(pbag.At(b)); g < U16(pbag.At(b + 1)); ++g)
        if (U16(tables[Pgen].At(g)) == kInstrumentGen) instruments.emplace(U16(tables[Pgen].At(g) + 2), 0);
  }
  unsigned next = 0;
  for (auto& [old, renumbered] : instruments) renumbered = next++;

  // Presets, their zones, generators (instrument numbers rewritten) and modulators.
  for (std::size_t p = 0; p + 1 < phdr.Count(); ++p) {
    if (keys.count(Key(U16(phdr.At(p) + 22), U16(phdr.At(p) + 20))) == 0) continue;
    copy(Phdr, p, p + 1);
    PutU16(out[Phdr].data() + out[Phdr].size() - kTables[Phdr].record + 24, count(Pbag));
    for (unsigned b = U16(phdr.At(p) + 24); b < U16(phdr.At(p + 1) + 24); ++b) {
      copy(Pbag, b, b + 1);
      unsigned char* bag = out[Pbag].data() + out[Pbag].size() - 4;
      const unsigned gens = count(Pgen);
      copy(Pgen, U16(pbag.At(b)), U16(pbag.At(b + 1)));
      for (unsigned g = gens; g < count(Pgen); ++g) {
        unsigned char* r = out[Pgen].data() + 4 * g;
        if (U16(r) == kInstrumentGen) PutU16(r + 2, instruments.at(U16(r + 2)));
      }
      PutU16(bag, gens);
      PutU16(bag + 2, count(Pmod));
      copy(Pmod, U16(pbag.At(b) + 2), U16(pbag.At(b + 1) + 2));
    }
  }
  // The samples those instruments play (with their stereo partners), numbered
  // anew in file order: the synthesiser keeps a record for every sample header
  // of a font, so a font of a few instruments gets only their samples.
  const Table& inst = tables[Inst];
  const Table& ibag = tables[Ibag];
  const Table& shdr = tables[Shdr];
  const std::size_t sampleCount = shdr.Count() - 1;  // without the closing record
  std::map<unsigned, unsigned> samples;
  for (const auto& [i, renumbered] : instruments)
    for (unsigned b = U16(inst.At(i) + 20); b < U16(inst.At(i + 1) + 20); ++b)
      for (unsigned g = U16(ibag.At(b)); g < U16(ibag.At(b + 1)); ++g) {
        const unsigned char* r = tables[Igen].At(g);
        if (U16(r) != kSampleGen || U16(r + 2) >= sampleCount) continue;
        const unsigned sample = U16(r + 2);
        samples.emplace(sample, 0);
        const unsigned partner = U16(shdr.At(sample) + kSampleLink);
        if (HasPartner(shdr.At(sample)) && partner < sampleCount) samples.emplace(partner, 0);
      }
  next = 0;
  for (auto& [old, renumbered] : samples) renumbered = next++;
  const auto renumberedSample = [&](unsigned old) {
    const auto found = samples.find(old);
    return found != samples.end() ? found->second : old;
  };

  // Instruments with their zones and generators (sample numbers rewritten).
  for (const auto& [i, renumbered] : instruments) {
    copy(Inst, i, i + 1);
    PutU16(out[Inst].data() + out[Inst].size() - kTables[Inst].record + 20, count(Ibag));
    for (unsigned b = U16(inst.At(i) + 20); b < U16(inst.At(i + 1) + 20); ++b) {
      copy(Ibag, b, b + 1);
      unsigned char* bag = out[Ibag].data() + out[Ibag].size() - 4;
      const unsigned gens = count(Igen);
      PutU16(bag, gens);
      PutU16(bag + 2, count(Imod));
      copy(Igen, U16(ibag.At(b)), U16(ibag.At(b + 1)));
      for (unsigned g = gens; g < count(Igen); ++g) {
        unsigned char* r = out[Igen].data() + 4 * g;
        if (U16(r) == kSampleGen) PutU16(r + 2, renumberedSample(U16(r + 2)));
      }
      copy(Imod, U16(ibag.At(b) + 2), U16(ibag.At(b + 1) + 2));
    }
  }
  // The closing records, pointing past the last zone.
  copy(Phdr, phdr.Count() - 1, phdr.Count());
  PutU16(out[Phdr].data() + out[Phdr].size() - kTables[Phdr].record + 24, count(Pbag));
  copy(Pbag, pbag.Count() - 1, pbag.Count());
  PutU16(out[Pbag].data() + out[Pbag].size() - 4, count(Pgen));
  PutU16(out[Pbag].data() + out[Pbag].size() - 2, count(Pmod));
  copy(Pmod, tables[Pmod].Count() - 1, tables[Pmod].Count());
  copy(Pgen, tables[Pgen].Count() - 1, tables[Pgen].Count());
  copy(Inst, inst.Count() - 1, inst.Count());
  PutU16(out[Inst].data() + out[Inst].size() - kTables[Inst].record + 20, count(Ibag));
  copy(Ibag, ibag.Count() - 1, ibag.Count());
  PutU16(out[Ibag].data() + out[Ibag].size() - 4, count(Igen));
  PutU16(out[Ibag].data() + out[Ibag].size() - 2, count(Imod));
  copy(Imod, tables[Imod].Count() - 1, tables[Imod].Count());
  copy(Igen, tables[Igen].Count() - 1, tables[Igen].Count());
  for (const auto& [old, renumbered] : samples) {
    copy(Shdr, old, old + 1);
    unsigned char* header = out[Shdr].data() + out[Shdr].size() - kTables[Shdr].record;
    if (HasPartner(header)) PutU16(header + kSampleLink, renumberedSample(U16(header + kSampleLink)));
  }
  copy(Shdr, sampleCount, sampleCount + 1);

  std::vector<unsigned char> body = {'p', 'd', 't', 'a'};
  for (int t = 0; t < TableCount; ++t) AppendChunk(body, kTables[t].id, out[t]);
  std::vector<unsigned char> list;
  AppendChunk(list, "LIST", body);
  return list;
}

// ---- The fonts served to the loader -------------------------------------------------

namespace {

// A font file made of an original file with other preset tables: the bytes
// before the original tables come from the file (with the RIFF size
// corrected), then the new tables from memory, then the rest of the file.
struct VirtualFont {
  std::string source;
  std::uint64_t tablesBegin = 0;
  std::uint64_t tablesEnd = 0;
  std::uint64_t sourceSize = 0;
  std::vector<unsigned char> tables;
  std::uint64_t Size() const { return sourceSize - (tablesEnd - tablesBegin) + tables.size(); }
};

struct OpenFont {
  std::shared_ptr<const VirtualFont> font;
  std::FILE* file = nullptr;
  std::uint64_t pos = 0;
};

std::mutex registryMutex;
std::map<std::string, std::shared_ptr<const VirtualFont>>& Registry() {
  static std::map<std::string, std::shared_ptr<const VirtualFont>> fonts;
  return fonts;
}
std::atomic<unsigned> fontNumber{0};
constexpr const char* kNamePrefix = "sorami-font-subset:";

void* OpenVirtual(const char* name) {
  std::shared_ptr<const VirtualFont> font;
  {
    std::lock_guard<std::mutex> lock(registryMutex);
    const auto found = Registry().find(name);
    if (found == Registry().end()) return nullptr;
    font = found->second;
  }
  std::FILE* file = std::fopen(font->source.c_str(), "rb");
  if (file == nullptr) return nullptr;
  return new OpenFont{std::move(font), file, 0};
}

int ReadVirtual(void* buffer, fluid_long_long_t count, void* handle) {
  auto& open = *static_cast<OpenFont*>(handle);
  const VirtualFont& font = *open.font;
  if (count < 0 || open.pos + static_cast<std::uint64_t>(count) > font.Size()) return FLUID_FAILED;
  auto* to = static_cast<unsigned char*>(buffer);
  std::uint64_t left = static_cast<std::uint64_t>(count);
  const std::uint64_t tablesStop = font.tablesBegin + font.tables.size();
  while (left > 0) {
    std::uint64_t n = 0;
    if (open.pos < font.tablesBegin) {
      n = std::min(left, font.tablesBegin - open.pos);
      if (std::fseek(open.file, static_cast<long>(open.pos), SEEK_SET) != 0 ||
          std::fread(to, 1, n, open.file) != n)
        return FLUID_FAILED;
      // The RIFF header's size is the new file's.
      for (std::uint64_t i = open.pos; i < open.pos + n; ++i)
        if (i >= 4 && i < 8) {
          unsigned char size[4];
          PutU32(size, static_cast<std::uint32_t>(font.Size() - 8));
          to[i - open.pos] = size[i - 4];
        }
    } else if (open.pos < tablesStop) {
      n = std::min(left, tablesStop - open.pos);
      std::memcpy(to, font.tables.data() + (open.pos - font.tablesBegin), n);
    } else {
      n = left;
      const std::uint64_t from = open.pos - tablesStop + font.tablesEnd;
      if (std::fseek(open.file, static_cast<long>(from), SEEK_SET) != 0 || std::fread(to, 1, n, open.file) != n)
        return FLUID_FAILED;
    }
    to += n;
    open.pos += n;
    left -= n;
  }
  return FLUID_OK;
}

int SeekVirtual(void* handle, fluid_long_long_t offset, int origin) {
  auto& open = *static_cast<OpenFont*>(handle);
  const auto size = static_cast<fluid_long_long_t>(open.font->Size());
  fluid_long_long_t to = offset;
  if (origin == SEEK_CUR) to += static_cast<fluid_long_long_t>(open.pos);
  else if (origin == SEEK_END) to += size;
  else if (origin != SEEK_SET) return FLUID_FAILED;
  if (to < 0 || to > size) return FLUID_FAILED;
  open.pos = static_cast<std::uint64_t>(to);
  return FLUID_OK;
}

fluid_long_long_t TellVirtual(void* handle) {
  return static_cast<fluid_long_long_t>(static_cast<OpenFont*>(handle)->pos);
}

int CloseVirtual(void* handle) {
  auto* open = static_cast<OpenFont*>(handle);
  std::fclose(open->file);
  delete open;
  return FLUID_OK;
}

}  // namespace

std::string VirtualFonts::Add(const SoundFontSubset& subset, std::vector<unsigned char> tables) {
  auto font = std::make_shared<VirtualFont>();
  font->source = subset.Path();
  font->tablesBegin = subset.TablesBegin();
  font->tablesEnd = subset.TablesEnd();
  font->sourceSize = subset.FileSize();
  font->tables = std::move(tables);
  const std::string name = kNamePrefix + std::to_string(++fontNumber);
  std::lock_guard<std::mutex> lock(registryMutex);
  Registry()[name] = std::move(font);
  return name;
}

void VirtualFonts::Forget(const std::string& name) {
  std::lock_guard<std::mutex> lock(registryMutex);
  Registry().erase(name);
}

fluid_sfloader_t* VirtualFonts::NewLoader(fluid_settings_t* settings) {
  fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
  if (loader == nullptr) return nullptr;
  fluid_sfloader_set_callbacks(loader, OpenVirtual, ReadVirtual, SeekVirtual, TellVirtual, CloseVirtual);
  return loader;
}

std::set<int> PresetsOfPiece(const MidiFileInfo& piece, const std::set<int>& fontPresets) {
  constexpr std::size_t kDrumChannel = 9;
  constexpr int kDrumBank = 128;
  std::set<int> keys;
  bool melodicFallback = false;
  bool drumFallback = false;
  for (int program = 0; program < 128; ++program) {
    if (!piece.Programs.test(static_cast<std::size_t>(program))) continue;
    for (int bank = 0; bank <= kDrumBank; ++bank)
      if (bank == 0 || bank == kDrumBank || piece.Banks.test(static_cast<std::size_t>(bank)))
        keys.insert(SoundFontSubset::Key(bank, program));
    // A program missing from bank 0 falls back to the piano, a drum kit
    // missing from the percussion bank to the standard kit.
    melodicFallback |= fontPresets.count(SoundFontSubset::Key(0, program)) == 0;
    drumFallback |= fontPresets.count(SoundFontSubset::Key(kDrumBank, program)) == 0;
  }
  std::bitset<16> melodic = piece.NotesBeforeProgram;
  melodic.reset(kDrumChannel);
  if (melodic.any() || melodicFallback || piece.SystemExclusive) keys.insert(SoundFontSubset::Key(0, 0));
  if (piece.NotesBeforeProgram.test(kDrumChannel) || (piece.Channels.test(kDrumChannel) && drumFallback) ||
      piece.SystemExclusive)
    keys.insert(SoundFontSubset::Key(kDrumBank, 0));
  return keys;
}

}  // namespace audio
