#include "board/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <ctime>

namespace board {

const char* VerdictName(Verdict v) {
  switch (v) {
    case Verdict::Winnable: return "winnable";
    case Verdict::Unwinnable: return "unwinnable";
    case Verdict::Undecided: return "undecided";
  }
  return "undecided";
}

namespace {

// The tiles of a position (and places that never leave) get indices 0..191;
// a set of them is three machine words.
constexpr int MaxItems = 192;
constexpr int GroupCount = MaxTiles / 4;  // 36 match groups of four tiles
// Pairings are probed one by one while at least this many tiles are left
// (on Traditional deals 90 needed fewer quick checks, in total and on the
// hardest deals, than 60, 80, 100 or 130).
constexpr int ProbeFromTiles = 90;
// Nodes of the first run on removals, of the second (its probes count as
// nodes too), and of the first run on pairings (one quick check each).
// Chosen on Traditional deals, by the 99th percentile of their checks'
// rounds; nearby values (2,000-3,500 and 2,000-4,000) did as well.
constexpr std::uint64_t FirstRunNodes = 100;
constexpr std::uint64_t SecondRunNodes = 2500;
constexpr std::uint64_t FirstPairingsNodes = 3000;
// Quick checks spent on changing a guess at every pairing, at the first node
// of each run on pairings.
constexpr int RepairChecks = 300;

struct Bits {
  std::array<std::uint64_t, 3> w{};
  void Set(int i) { w[static_cast<std::size_t>(i >> 6)] |= std::uint64_t{1} << (i & 63); }
  void Reset(int i) { w[static_cast<std::size_t>(i >> 6)] &= ~(std::uint64_t{1} << (i & 63)); }
  bool Has(int i) const { return (w[static_cast<std::size_t>(i >> 6)] >> (i & 63)) & 1u; }
  bool Meets(const Bits& o) const { return ((w[0] & o.w[0]) | (w[1] & o.w[1]) | (w[2] & o.w[2])) != 0; }
  bool Empty() const { return (w[0] | w[1] | w[2]) == 0; }
  void Add(const Bits& o) {
    w[0] |= o.w[0];
    w[1] |= o.w[1];
    w[2] |= o.w[2];
  }
  Bits And(const Bits& o) const { return Bits{{w[0] & o.w[0], w[1] & o.w[1], w[2] & o.w[2]}}; }
  int Count() const { return std::popcount(w[0]) + std::popcount(w[1]) + std::popcount(w[2]); }
  bool operator==(const Bits&) const = default;
};

// The six pairs of a group's four slots, and the three ways to split the
// four into two pairs: pair p and pair 5 - p always make one pairing.
constexpr std::array<std::array<int, 2>, 6> PairSlots{{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}}};
constexpr int PairOf(int a, int b) {
  if (a > b) std::swap(a, b);
  return a == 0 ? b - 1 : (a == 1 ? b + 1 : 5);
}

// Lost positions, keyed by the set still on the board. Open addressing with a
// short probe; the table doubles while it may, then overwrites. Only proven
// losses are stored and the whole key is compared, so a hit is always right.
class LostTable {
 public:
  static constexpr std::size_t SmallEntries = 1u << 10;  // 24 KiB
  explicit LostTable(std::size_t maxBytes) {
    maxEntries_ = SmallEntries;
    while (maxEntries_ * 2 * sizeof(Bits) <= maxBytes) maxEntries_ *= 2;
    Reset();
  }
  void Reset() {
    if (slots_.size() != SmallEntries) {
      slots_ = std::vector<Bits>(SmallEntries);
      slots_.shrink_to_fit();
    } else {
      std::fill(slots_.begin(), slots_.end(), Bits{});
    }
    stored_ = 0;
  }
  bool Contains(const Bits& k) const {
    if (k.Empty()) return false;  // the mark of a free slot, never stored
    const std::size_t mask = slots_.size() - 1;
    std::size_t h = Hash(k) & mask;
    for (int i = 0; i < Probe; ++i, h = (h + 1) & mask) {
      if (slots_[h] == k) return true;
      if (slots_[h].Empty()) return false;
    }
    return false;
  }
  void Insert(const Bits& k) {
    if (k.Empty()) return;  // the empty board is never lost
    if (stored_ * 2 >= slots_.size() && slots_.size() < maxEntries_) Grow();
    Place(k);
  }
  std::size_t Bytes() const { return slots_.size() * sizeof(Bits); }

 private:
  static constexpr int Probe = 4;
  static std::size_t Hash(const Bits& k) {
    std::uint64_t h = k.w[0] * 0x9E3779B97F4A7C15ull;
    h ^= (k.w[1] + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= (k.w[2] + 0x165667B19E3779F9ull) * 0xD6E8FEB86659FD93ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
  void Place(const Bits& k) {
    const std::size_t mask = slots_.size() - 1;
    const std::size_t start = Hash(k) & mask;
    std::size_t h = start;
    for (int i = 0; i < Probe; ++i, h = (h + 1) & mask) {
      if (slots_[h] == k) return;
      if (slots_[h].Empty()) {
        slots_[h] = k;
        ++stored_;
        return;
      }
    }
    slots_[start] = k;  // full neighbourhood: the newest loss wins
  }
  void Grow() {
    std::vector<Bits> old(slots_.size() * 2);
    old.swap(slots_);
    stored_ = 0;
    for (const Bits& k : old)
      if (!k.Empty()) Place(k);
  }
  std::vector<Bits> slots_;
  std::size_t stored_ = 0;
  std::size_t maxEntries_ = SmallEntries;
};

enum class Outcome { Win, Lost, Stopped };

// Processor time the calling thread has used.
std::chrono::nanoseconds ThreadTime() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// Which tiles of each match group may still pair, all groups at once: bit g
// of may[s][r] is set when the tiles in slots s and r of group g may pair.
struct Partners {
  std::array<std::array<std::uint64_t, 4>, 4> may{};
  void Clear(int g) {
    const std::uint64_t keep = ~(std::uint64_t{1} << g);
    for (auto& row : may)
      for (auto& w : row) w &= keep;
  }
  void Allow(int g, int a, int b) {
    may[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] |= std::uint64_t{1} << g;
    may[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)] |= std::uint64_t{1} << g;
  }
  // Group g's pairing q alone: pairs q and 5 - q.
  void Settle(int g, int q) {
    Clear(g);
    for (int p : {q, 5 - q}) Allow(g, PairSlots[static_cast<std::size_t>(p)][0], PairSlots[static_cast<std::size_t>(p)][1]);
  }
  // The slots the tile in slot s of group g may pair with.
  unsigned Mates(int g, int s) const {
    unsigned m = 0;
    for (int r = 0; r < 4; ++r)
      m |= static_cast<unsigned>((may[static_cast<std::size_t>(s)][static_cast<std::size_t>(r)] >> g) & 1u) << r;
    return m;
  }
};

// Where a quick check stands at the start of a round: the items on the
// board, the tiles free, and per slot the groups whose tile there is free or
// has left.
struct CheckState {
  Bits present, free;
  std::array<std::uint64_t, 4> freeSlot{}, goneSlot{};
};

// How one quick check went: the state at the start of each round, the round
// in which each tile first was free and the round in which it left (NotYet
// for neither), and the pairings it allowed.
struct Trace {
  static constexpr std::uint8_t NotYet = 255;
  static constexpr int MaxRounds = 250;
  std::array<std::uint8_t, MaxItems> freeAt{}, leftAt{};
  Partners partners;
  std::array<CheckState, MaxRounds> states{};
  int rounds = 0;         // states kept
  bool complete = false;  // the check passed, every round kept
};

}  // namespace

struct Solver::Impl {
  // Three quarters of the bound for lost positions, a quarter for lost
  // choices of pairings.
  explicit Impl(std::size_t maxBytes)
      : lost(std::min<std::size_t>(maxBytes, std::size_t{64} << 20) / 4 * 3),
        lostPairings(std::min<std::size_t>(maxBytes, std::size_t{64} << 20) / 4) {}

  // ---- the position, fixed for one solve
  int count = 0;                              // items (tiles and fixed places)
  std::array<int, MaxItems> tileOf{};         // tile number, 0 for a fixed place
  std::array<Bits, MaxItems> above{};         // items lying on it
  std::array<Bits, MaxItems> sideA{}, sideB{};  // left/right (or up/down) neighbours
  std::array<Bits, MaxItems> before{};        // items that must leave before it
  std::array<int, MaxItems> weight{};         // how much it holds up
  std::array<std::uint8_t, MaxItems> groupOf{}, slotOf{};  // of tiles: match group, (t - 1) % 4
  Bits tiles;                                 // the items that are tiles
  // Members of each match group by slot ((t - 1) % 4), -1 where absent.
  std::array<std::array<int, 4>, GroupCount> member{};
  std::array<std::uint8_t, GroupCount> usable{};  // pairs that are not stacked (6 bits)
  std::array<std::uint8_t, GroupCount> slotsHere{};  // slots present at the start (4 bits)
  int groupsUsed = 0;
  std::array<int, GroupCount> groupList{};

  // ---- the search
  LostTable lost;
  std::vector<std::array<int, 2>> path;
  SolveLimits limits;
  std::chrono::steady_clock::time_point deadline;
  std::chrono::nanoseconds cpuDeadline{0};  // with SolveLimits::ProcessorTime
  std::uint64_t nodes = 0;
  bool stopped = false;
  // Restarts: each run of the search may visit this many nodes before the
  // next run starts over with its choices shaken up (`run`). Losses proven
  // by earlier runs stay in the table, so no run repeats their work.
  std::uint64_t runEnd = 0;
  std::uint32_t run = 0;
  // The first run looks no step ahead: most positions need no more.
  static constexpr std::uint32_t lookaheadFrom = 1;

  bool Build(const BoardState& s, bool vertical);
  // `probe`: false for a node entered again after its probes ruled pairings out.
  Outcome Search(Bits present, std::array<std::uint8_t, GroupCount> denied, bool probe = true);
  // Partner slots each slot may still pair with, per group.
  void GroupPartners(int g, const Bits& present, std::uint8_t denied, Partners& out) const;
  Partners PartnersOf(const Bits& present, const std::array<std::uint8_t, GroupCount>& denied) const;
  // On a failure `stuck` gets the free tiles left and `left` the number of
  // tiles left; `trace` gets how the check went.
  bool CanAllLeave(Bits present, Bits free, const Partners& partners, Bits* stuck = nullptr,
                   Trace* trace = nullptr, int* left = nullptr) const;
  // The same check from the position `trace` was taken on, with `partners`
  // allowing no pairing the traced check did not: it starts from the first
  // round that can go differently.
  bool CanAllLeaveLike(const Trace& trace, const Partners& partners, Bits* stuck = nullptr, int* left = nullptr) const;
  bool ResumeCheck(const Trace& trace, const Partners& partners, Bits* stuck, int* left) const;
  // See Solver::CheckReuse.
  bool checkReuse = false;
  mutable std::uint64_t reuseMismatches = 0;
  // The rounds of a check from `round` on, `st` the state at its start.
  bool RunCheck(CheckState st, int round, const Partners& partners, Bits* stuck, Trace* trace, int* left) const {
    return trace != nullptr ? RunCheckKept<true>(st, round, partners, stuck, trace, left)
                            : RunCheckKept<false>(st, round, partners, stuck, nullptr, left);
  }
  // The same, made twice: most checks keep no trace, and lose nothing to it.
  template <bool Kept>
  bool RunCheckKept(CheckState st, int round, const Partners& partners, Bits* stuck, Trace* trace, int* left) const;
  bool OutOfBudget();

  // ---- the search on pairings alone
  // Nothing is removed: each node settles the pairing of one more group of
  // four, and every pairing still open is tried on its own with the quick
  // check, which rules out those that cannot win. With every pairing
  // settled the quick check is exact, and a removal order follows. The
  // group to settle next is the one whose tiles were found stuck most often
  // when a check failed, for its number of open pairings: deals that cannot
  // be won mostly fail on a few groups tangled together, and this finds
  // them where settling the groups that happen to be free would not.
  using Denied = std::array<std::uint8_t, GroupCount>;
  // At the first node (`atRoot`) the pairings ruled out hold for every line
  // of play: they go to `known`, for the later runs of both searches.
  // Choices of pairings proven lost are kept (LostPairingsKey) so that later
  // runs need not repeat them.
  Outcome Pairings(Denied denied, bool atRoot = false);
  Outcome SettlePairings(Denied denied, bool atRoot);
  Bits LostPairingsKey(const Denied& denied) const;
  LostTable lostPairings;
  Denied known{};
  // The pairings ruled out at the first node when it last changed its guess.
  std::optional<Denied> rootRepairedFor;
  // One quick check of the pairing search, counted as a node, kept in
  // `trace` or resumed from the check `like` traced. On a failure the groups
  // of the free tiles left stuck gain weight.
  bool PairingsCheck(const Partners& partners, Outcome& budget, Trace* trace = nullptr, const Trace* like = nullptr);
  // Settles every open group of four at once, each with its best pairing
  // (BestPairings), then for up to `checks` quick checks changes the pairing
  // of one group whose free tiles were left stuck, keeping the change that
  // leaves fewest tiles, or a fixed pseudo-random one when none helps. With
  // every pairing settled the check is exact: true once one passes, with
  // the removal order in `path`.
  bool Repair(const Denied& denied, const Partners& partners, const Trace& when, int checks);
  // With every pairing settled: the pairs in removal order into `path`.
  bool OrderFromPairings(const Partners& partners);
  int OpenPairings(int g, const Denied& denied) const;
  // The open pairings of group g as (cost, pairing), those whose pairs left
  // the quick check closest together first (pairing -1 past the last): a
  // tile kept waiting long for its partner holds others up.
  std::array<std::pair<int, int>, 3> BestPairings(int g, const Denied& denied, const Trace& when) const;
  Bits start, startFree;                    // the position being decided
  // Traces of the last check of a whole node, one per search: the checks
  // that follow there differ from it in a group or two.
  Trace nodeTrace, pairingsTrace;
  bool pairingsOnly = false;                // see Solver::UsePairingsOnly
  std::array<std::uint32_t, GroupCount> stuckCount{};

  // The tiles that may become free when this item leaves.
  std::array<Bits, MaxItems> affects{};
  // What a quick check needs of each item, side by side.
  struct Near {
    Bits above, sideA, sideB;
    std::uint8_t slot = 0, group = 0;
  };
  std::array<Near, MaxItems> near{};
  // What a quick check needs of the tile in each slot of each group as it
  // leaves, in one place.
  struct Leaver {
    Bits affects;
    std::uint64_t bit = 0;  // the tile's bit in its word of a set of items
    std::uint32_t word = 0, item = 0;
  };
  std::array<std::array<Leaver, GroupCount>, 4> leaver{};

  bool IsFree(int i, const Bits& present) const {
    return !above[static_cast<std::size_t>(i)].Meets(present) &&
           !(sideA[static_cast<std::size_t>(i)].Meets(present) && sideB[static_cast<std::size_t>(i)].Meets(present));
  }
  // The free tiles once `gone` has left, from those free before.
  Bits FreeAfter(const Bits& present, Bits free, const Bits& gone) const {
    Bits now = present;
    Bits check;
    for (int wi = 0; wi < 3; ++wi) {
      now.w[static_cast<std::size_t>(wi)] &= ~gone.w[static_cast<std::size_t>(wi)];
      free.w[static_cast<std::size_t>(wi)] &= ~gone.w[static_cast<std::size_t>(wi)];
      std::uint64_t word = gone.w[static_cast<std::size_t>(wi)];
      while (word) {
        check.Add(affects[static_cast<std::size_t>(wi * 64 + std::countr_zero(word))]);
        word &= word - 1;
      }
    }
    for (int wi = 0; wi < 3; ++wi) {
      std::uint64_t word = check.w[static_cast<std::size_t>(wi)] & now.w[static_cast<std::size_t>(wi)] &
                           tiles.w[static_cast<std::size_t>(wi)] & ~free.w[static_cast<std::size_t>(wi)];
      while (word) {
        const int i = wi * 64 + std::countr_zero(word);
        word &= word - 1;
        if (IsFree(i, now)) free.Set(i);
      }
    }
    return free;
  }

  Bits FreeOf(const Bits& present) const {
    Bits f;
    for (int wi = 0; wi < 3; ++wi) {
      std::uint64_t word = present.w[static_cast<std::size_t>(wi)] & tiles.w[static_cast<std::size_t>(wi)];
      while (word) {
        const int i = wi * 64 + std::countr_zero(word);
        word &= word - 1;
        if (above[i].Meets(present)) continue;
        if (sideA[i].Meets(present) && sideB[i].Meets(present)) continue;
        f.Set(i);
      }
    }
    return f;
  }
};

bool Solver::Impl::Build(const BoardState& s, bool vertical) {
  count = 0;
  tiles = Bits{};
  for (auto& m : member) m.fill(-1);
  usable.fill(0);
  slotsHere.fill(0);
  groupsUsed = 0;
  // Item index + 1 of every anchor cell (0: empty).
  std::array<std::uint8_t, LayoutFlagCount> at{};
  for (int t = 1; t <= MaxTiles; ++t) {
    const Cell c = s.TilePlaces[t];
    if (!c.OnBoard()) continue;
    // A table entry the grid does not agree with: this is no position.
    if (!Grid::InRange(c.x, c.y, c.z) || s.Board.At(c.x, c.y, c.z) != t) return false;
  }
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) {
        const int v = s.Board.At(x, y, z);
        if (v == 0) continue;
        if (count == MaxItems) return false;
        const bool tile = v >= 1 && v <= MaxTiles && s.TilePlaces[v] == Cell{x, y, z};
        tileOf[static_cast<std::size_t>(count)] = tile ? v : 0;
        at[static_cast<std::size_t>(LayoutGrid::Index(x, y, z))] = static_cast<std::uint8_t>(count + 1);
        ++count;
      }
  auto item = [&](int x, int y, int z) {
    return Grid::InRange(x, y, z) ? at[static_cast<std::size_t>(LayoutGrid::Index(x, y, z))] - 1 : -1;
  };
  // Items were numbered layer by layer, so an item's neighbours above have
  // larger numbers: walking down from the top gathers `before` in one pass.
  for (int x = 1; x <= MaxX; ++x)
    for (int y = 1; y <= MaxY; ++y)
      for (int z = 1; z <= MaxZ; ++z) {
        const int i = item(x, y, z);
        if (i < 0) continue;
        Bits a, l, r;
        for (int d = -1; d <= 1; ++d) {
          for (int e = -1; e <= 1; ++e)
            if (z < MaxZ)
              if (const int j = item(x + d, y + e, z + 1); j >= 0) a.Set(j);
          const int lj = vertical ? item(x + d, y - 2, z) : item(x - 2, y + d, z);
          const int rj = vertical ? item(x + d, y + 2, z) : item(x + 2, y + d, z);
          if (lj >= 0) l.Set(lj);
          if (rj >= 0) r.Set(rj);
        }
        above[static_cast<std::size_t>(i)] = a;
        sideA[static_cast<std::size_t>(i)] = l;
        sideB[static_cast<std::size_t>(i)] = r;
      }
  for (int i = 0; i < count; ++i) affects[static_cast<std::size_t>(i)] = Bits{};
  for (int i = 0; i < count; ++i)
    for (int j = 0; j < count; ++j) {
      const auto sj = static_cast<std::size_t>(j);
      if (above[sj].Has(i) || sideA[sj].Has(i) || sideB[sj].Has(i)) affects[static_cast<std::size_t>(i)].Set(j);
    }
  for (int i = count - 1; i >= 0; --i) {
    Bits b = above[static_cast<std::size_t>(i)];
    for (int j = i + 1; j < count; ++j)
      if (above[static_cast<std::size_t>(i)].Has(j)) b.Add(before[static_cast<std::size_t>(j)]);
    before[static_cast<std::size_t>(i)] = b;
  }
  for (int i = 0; i < count; ++i) {
    weight[static_cast<std::size_t>(i)] = 0;
    if (tileOf[static_cast<std::size_t>(i)] != 0) tiles.Set(i);
  }
  for (int j = 0; j < count; ++j)
    for (int i = j + 1; i < count; ++i)
      if (before[static_cast<std::size_t>(j)].Has(i)) ++weight[static_cast<std::size_t>(i)];
  for (int i = 0; i < count; ++i) {
    const int t = tileOf[static_cast<std::size_t>(i)];
    if (t == 0) continue;
    const int g = Group(t), slot = (t - 1) % 4;
    member[static_cast<std::size_t>(g)][static_cast<std::size_t>(slot)] = i;
    groupOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(g);
    slotOf[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(slot);
    slotsHere[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>(1u << slot);
  }
  for (int i = 0; i < count; ++i) {
    const auto si = static_cast<std::size_t>(i);
    near[si] = Near{above[si], sideA[si], sideB[si], slotOf[si], groupOf[si]};
    if (tileOf[si] != 0)
      leaver[slotOf[si]][groupOf[si]] = Leaver{affects[si], std::uint64_t{1} << (i & 63), static_cast<std::uint32_t>(i >> 6),
                                               static_cast<std::uint32_t>(i)};
  }
  for (int g = 0; g < GroupCount; ++g) {
    const auto& m = member[static_cast<std::size_t>(g)];
    if (slotsHere[static_cast<std::size_t>(g)] == 0) continue;
    groupList[static_cast<std::size_t>(groupsUsed++)] = g;
    for (int p = 0; p < 6; ++p) {
      const int a = m[static_cast<std::size_t>(PairSlots[static_cast<std::size_t>(p)][0])];
      const int b = m[static_cast<std::size_t>(PairSlots[static_cast<std::size_t>(p)][1])];
      if (a < 0 || b < 0) continue;
      if (before[static_cast<std::size_t>(a)].Has(b) || before[static_cast<std::size_t>(b)].Has(a)) continue;
      usable[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>(1u << p);
    }
  }
  return true;
}

bool Solver::Impl::OutOfBudget() {
  if (stopped || nodes > runEnd) return true;
  if (limits.MaxNodes != 0 && nodes > limits.MaxNodes) stopped = true;
  if ((nodes & 255) == 1) {
    if (limits.Stop != nullptr && limits.Stop->load(std::memory_order_relaxed)) stopped = true;
    if (limits.MaxTime && (limits.ProcessorTime ? ThreadTime() >= cpuDeadline : std::chrono::steady_clock::now() >= deadline))
      stopped = true;
  }
  return stopped;
}

// One node: settle everything that is forced, then branch on the pairing of
// one group. `denied` holds, per group, pairs shown to be part of no win from
// here: pairs already tried from an earlier position of this line (removals
// never block, so taking them later could only repeat that loss), and pairs
// whose pairing failed the quick check. A node that fails with them ruled out
// has no win at all, so the table may keep it.
Outcome Solver::Impl::Search(Bits present, std::array<std::uint8_t, GroupCount> denied, bool probe) {
  ++nodes;
  if (OutOfBudget()) return Outcome::Stopped;
  const std::size_t pathMark = path.size();
  auto lose = [&] {
    path.resize(pathMark);
    return Outcome::Lost;
  };
  auto take = [&](int a, int b) {
    path.push_back({a, b});
    present.Reset(a);
    present.Reset(b);
  };

  // Forced removals, until none is left.
  struct Choice {
    int group;
    int pair;  // pair index within the group
    int score;
    bool twoFree;  // the group has just these two tiles free
  };
  const bool lookahead = run >= lookaheadFrom;
  Bits lastFree;
  int branchGroup = -1;
  std::array<Choice, GroupCount * 3> choices{};
  int choiceCount = 0;
  for (;;) {
    if (!present.Meets(tiles)) return Outcome::Win;
    const Bits free = FreeOf(present);
    lastFree = free;
    bool progress = false;
    choiceCount = 0;
    for (int gi = 0; gi < groupsUsed; ++gi) {
      const int g = groupList[static_cast<std::size_t>(gi)];
      const auto& m = member[static_cast<std::size_t>(g)];
      unsigned here = 0, freeSlots = 0;
      for (int sl = 0; sl < 4; ++sl) {
        const int i = m[static_cast<std::size_t>(sl)];
        if (i >= 0 && present.Has(i)) {
          here |= 1u << sl;
          if (free.Has(i)) freeSlots |= 1u << sl;
        }
      }
      const int n = std::popcount(here);
      if (n == 0) continue;
      if (n % 2 != 0) return lose();  // one tile would stay behind
      const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~denied[static_cast<std::size_t>(g)];
      if (n == 2) {
        const int a = std::countr_zero(here), b = 31 - std::countl_zero(here);
        const int p = PairOf(a, b);
        if (!((allowed >> p) & 1u)) return lose();
        if (freeSlots == here) {
          take(m[static_cast<std::size_t>(a)], m[static_cast<std::size_t>(b)]);
          progress = true;
        }
        continue;
      }
      // Four tiles: which of the three pairings are still possible?
      unsigned pairings = 0;  // bit p (p < 3): pairs p and 5 - p
      for (int p = 0; p < 3; ++p)
        if (((allowed >> p) & 1u) && ((allowed >> (5 - p)) & 1u)) pairings |= 1u << p;
      if (pairings == 0) return lose();
      if (freeSlots == 0xFu) {
        // All four free: they go now, however they pair.
        take(m[0], m[1]);
        take(m[2], m[3]);
        progress = true;
        continue;
      }
      // Pairs that can be taken now, each standing for its pairing.
      int moves[3];
      int moveCount = 0;
      for (int p = 0; p < 6; ++p) {
        const int q = p < 3 ? p : 5 - p;
        if (!((pairings >> q) & 1u)) continue;
        const unsigned both = (1u << PairSlots[static_cast<std::size_t>(p)][0]) | (1u << PairSlots[static_cast<std::size_t>(p)][1]);
        if ((freeSlots & both) == both) moves[moveCount++] = p;
      }
      if (moveCount == 0) continue;
      // The moves cover every pairing when three tiles are free, or when only
      // one pairing is left: one move is then forced.
      const bool coversAll = std::popcount(freeSlots) == 3 || std::popcount(pairings) == 1;
      if (coversAll && moveCount == 1) {
        const auto& ps = PairSlots[static_cast<std::size_t>(moves[0])];
        take(m[static_cast<std::size_t>(ps[0])], m[static_cast<std::size_t>(ps[1])]);
        progress = true;
        continue;
      }
      if (std::popcount(freeSlots) == 3) {
        // Three free, the fourth held down. If one of the free three keeps no
        // tile on the board from being free, now or later, it may as well be
        // the one to wait for the fourth: a win that pairs it otherwise still
        // wins with the other two taken now and it kept for the fourth.
        const int held = std::countr_zero(~freeSlots & 0xFu);
        int keep = -1;
        for (int sl = 0; sl < 4 && keep < 0; ++sl) {
          if (sl == held || affects[static_cast<std::size_t>(m[static_cast<std::size_t>(sl)])].And(present).Meets(tiles)) continue;
          const int q = PairOf(sl, held);
          if ((pairings >> (q < 3 ? q : 5 - q)) & 1u) keep = sl;
        }
        if (keep >= 0) {
          int go[2] = {0, 0}, n2 = 0;
          for (int sl = 0; sl < 4; ++sl)
            if (sl != keep && sl != held && n2 < 2) go[n2++] = sl;
          take(m[static_cast<std::size_t>(go[0])], m[static_cast<std::size_t>(go[1])]);
          progress = true;
          continue;
        }
      }
      for (int k = 0; k < moveCount; ++k) {
        const auto& ps = PairSlots[static_cast<std::size_t>(moves[k])];
        const int a = m[static_cast<std::size_t>(ps[0])], b = m[static_cast<std::size_t>(ps[1])];
        // How much the pair holds up, how many tiles are free once it is
        // gone, and settling a group that has three tiles free first.
        Bits gone;
        gone.Set(a);
        gone.Set(b);
        int sc = weight[static_cast<std::size_t>(a)] + weight[static_cast<std::size_t>(b)] +
                 4 * FreeAfter(present, free, gone).Count();
        if (std::popcount(freeSlots) == 3) sc += 1000;
        if (run > 0) {
          // A fixed shake-up per run and pair: the same position always
          // gets the same answer.
          std::uint64_t h = (std::uint64_t{run} << 32 | static_cast<std::uint64_t>(a) << 16 | static_cast<std::uint64_t>(b)) * 0x9E3779B97F4A7C15ull;
          h ^= h >> 31;
          sc += static_cast<int>(h % 160);
        }
        choices[static_cast<std::size_t>(choiceCount++)] = Choice{g, moves[k], sc, std::popcount(freeSlots) == 2};
      }
    }
    if (!progress) break;
  }
  if (choiceCount == 0) return lose();  // nothing can be taken
  if (lost.Contains(present)) return lose();
  Partners partners = PartnersOf(present, denied);
  // The trace serves the checks of this node only, before it goes deeper.
  Trace& trace = nodeTrace;
  if (!CanAllLeave(present, lastFree, partners, nullptr, &trace)) {
    lost.Insert(present);
    return lose();
  }
  // Whether every pairing still open passed the check on its own here.
  bool probed = false;
  if (lookahead && probe && present.Count() >= ProbeFromTiles) {
    // Try each pairing still open for every group of four, settled on its
    // own: a pairing that fails the quick check can never win, so its pairs
    // are ruled out here and below. Ruling out may settle groups and bring
    // forced pairs, so the node then starts over. Further down, with most
    // groups settled, the probes cost more than they save.
    bool ruledOut = false;
    for (int gi = 0; gi < groupsUsed; ++gi) {
      const int g = groupList[static_cast<std::size_t>(gi)];
      const auto& m = member[static_cast<std::size_t>(g)];
      bool full = true;
      for (int sl = 0; sl < 4; ++sl) full = full && m[static_cast<std::size_t>(sl)] >= 0 && present.Has(m[static_cast<std::size_t>(sl)]);
      if (!full) continue;
      const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~denied[static_cast<std::size_t>(g)];
      int open = 0;
      for (int q = 0; q < 3; ++q) {
        if (!((allowed >> q) & 1u) || !((allowed >> (5 - q)) & 1u)) continue;
        Partners trial = partners;
        trial.Settle(g, q);
        ++nodes;  // each probe counts, as a check of the pairing search does
        if (CanAllLeaveLike(trace, trial)) {
          ++open;
          continue;
        }
        denied[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>(1u << q);
        ruledOut = true;
      }
      if (open == 0) {
        lost.Insert(present);
        return lose();
      }
      if (ruledOut) GroupPartners(g, present, denied[static_cast<std::size_t>(g)], partners);
    }
    if (ruledOut) {
      // Entered again, the node does not probe again: the probes that
      // follow rarely rule out more.
      const Outcome o = Search(present, denied, false);
      if (o == Outcome::Lost) return lose();
      return o;
    }
    probed = true;
  }

  // Branch on one group: each of its pairs that can be taken now, best
  // first, and with two free tiles also "these two do not pair" (the search
  // then goes on with that pair ruled out). Options whose next position
  // fails the quick check are dropped; the group with the fewest options
  // left goes first (one option left: no branching at all), the most
  // promising pair breaking ties.
  struct Option {
    int pair;    // pair index, or -1 - pair for "do not pair"
    int score;
  };
  std::array<Option, 4> bestOptions{};
  int bestCount = 99, bestScore = -1;
  for (int k = 0; k < choiceCount;) {
    const int g = choices[static_cast<std::size_t>(k)].group;
    std::array<Option, 4> opts{};
    int n = 0, top = -1;
    int first = k;
    for (; k < choiceCount && choices[static_cast<std::size_t>(k)].group == g; ++k) {
      const Choice& c = choices[static_cast<std::size_t>(k)];
      top = std::max(top, c.score);
      if (lookahead && !probed) {
        // Taking the pair now ends the check as settling its pairing does:
        // both its tiles are free, so they leave in the first round anyway.
        // (Probed, that pairing has passed already.)
        Partners after = partners;
        after.Settle(g, c.pair < 3 ? c.pair : 5 - c.pair);
        ++nodes;
        if (!CanAllLeaveLike(trace, after)) continue;
      }
      opts[static_cast<std::size_t>(n++)] = Option{c.pair, c.score};
    }
    if (k - first == 1 && choices[static_cast<std::size_t>(first)].twoFree) {
      std::array<std::uint8_t, GroupCount> more = denied;
      more[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>(1u << choices[static_cast<std::size_t>(first)].pair);
      bool alive = true;
      if (lookahead && !probed) {  // probed, another pairing has passed
        Partners after = partners;
        GroupPartners(g, present, more[static_cast<std::size_t>(g)], after);
        ++nodes;
        alive = CanAllLeaveLike(trace, after);
      }
      if (alive) opts[static_cast<std::size_t>(n++)] = Option{-1 - choices[static_cast<std::size_t>(first)].pair, -1};
    }
    if (n == 0) {
      lost.Insert(present);
      return lose();
    }
    if (n < bestCount || (n == bestCount && top > bestScore)) {
      bestCount = n;
      bestScore = top;
      bestOptions = opts;
      branchGroup = g;
    }
  }
  for (int k = 1; k < bestCount; ++k)  // best first (at most four)
    for (int j = k; j > 0 && bestOptions[static_cast<std::size_t>(j)].score > bestOptions[static_cast<std::size_t>(j - 1)].score; --j)
      std::swap(bestOptions[static_cast<std::size_t>(j)], bestOptions[static_cast<std::size_t>(j - 1)]);
  const auto& m = member[static_cast<std::size_t>(branchGroup)];
  for (int k = 0; k < bestCount; ++k) {
    const int pair = bestOptions[static_cast<std::size_t>(k)].pair;
    Outcome o;
    if (pair >= 0) {
      const auto& ps = PairSlots[static_cast<std::size_t>(pair)];
      const int a = m[static_cast<std::size_t>(ps[0])], b = m[static_cast<std::size_t>(ps[1])];
      Bits next = present;
      next.Reset(a);
      next.Reset(b);
      path.push_back({a, b});
      o = Search(next, denied);
      if (o == Outcome::Lost) path.pop_back();
    } else {
      // The two free tiles may yet pair with the two that are held down.
      std::array<std::uint8_t, GroupCount> more = denied;
      more[static_cast<std::size_t>(branchGroup)] |= static_cast<std::uint8_t>(1u << (-1 - pair));
      o = Search(present, more);
    }
    if (o != Outcome::Lost) return o;
  }
  lost.Insert(present);
  return lose();
}

// Which tiles of group g still on the board may pair: the pairs neither
// stacked nor ruled out, and in a group of four only those whose other two
// may pair as well.
void Solver::Impl::GroupPartners(int g, const Bits& present, std::uint8_t denied, Partners& out) const {
  const auto& m = member[static_cast<std::size_t>(g)];
  out.Clear(g);
  unsigned here = 0;
  for (int sl = 0; sl < 4; ++sl)
    if (m[static_cast<std::size_t>(sl)] >= 0 && present.Has(m[static_cast<std::size_t>(sl)])) here |= 1u << sl;
  const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied);
  for (int p = 0; p < 6; ++p) {
    const int a = PairSlots[static_cast<std::size_t>(p)][0], b = PairSlots[static_cast<std::size_t>(p)][1];
    if (!((here >> a) & 1u) || !((here >> b) & 1u) || !((allowed >> p) & 1u)) continue;
    if (std::popcount(here) == 4 && !((allowed >> (5 - p)) & 1u)) continue;
    out.Allow(g, a, b);
  }
}

Partners Solver::Impl::PartnersOf(const Bits& present,
                                                const std::array<std::uint8_t, GroupCount>& denied) const {
  Partners out;
  for (int gi = 0; gi < groupsUsed; ++gi) {
    const int g = groupList[static_cast<std::size_t>(gi)];
    GroupPartners(g, present, denied[static_cast<std::size_t>(g)], out);
  }
  return out;
}

// A quick necessary condition: let a tile leave on its own as soon as it is
// free and one of the partners it may still pair with is free too (or gone
// already). Every real line of play takes tiles no sooner than this does, so
// a tile that never gets to leave here can never leave at all.
bool Solver::Impl::CanAllLeave(Bits present, Bits free, const Partners& partners, Bits* stuck, Trace* trace,
                               int* left) const {
  CheckState st;
  st.present = present;
  st.free = free.And(present).And(tiles);
  for (int wi = 0; wi < 3; ++wi)
    for (std::uint64_t word = st.free.w[static_cast<std::size_t>(wi)]; word; word &= word - 1) {
      const int i = wi * 64 + std::countr_zero(word);
      st.freeSlot[slotOf[static_cast<std::size_t>(i)]] |= std::uint64_t{1} << groupOf[static_cast<std::size_t>(i)];
    }
  if (trace != nullptr) {
    trace->freeAt.fill(Trace::NotYet);
    trace->leftAt.fill(Trace::NotYet);
    trace->partners = partners;
    trace->complete = false;
    for (int wi = 0; wi < 3; ++wi)
      for (std::uint64_t word = st.free.w[static_cast<std::size_t>(wi)]; word; word &= word - 1)
        trace->freeAt[static_cast<std::size_t>(wi * 64 + std::countr_zero(word))] = 0;
  }
  return RunCheck(st, 0, partners, stuck, trace, left);
}

bool Solver::Impl::CanAllLeaveLike(const Trace& trace, const Partners& partners, Bits* stuck, int* left) const {
  if (!checkReuse) return ResumeCheck(trace, partners, stuck, left);
  Bits resumedStuck, fullStuck;
  int resumedLeft = 0, fullLeft = 0;
  const bool resumed = ResumeCheck(trace, partners, &resumedStuck, &resumedLeft);
  CheckState st = trace.states[0];
  const bool full = RunCheck(st, 0, partners, &fullStuck, nullptr, &fullLeft);
  if (resumed != full || (!full && (!(resumedStuck == fullStuck) || resumedLeft != fullLeft))) ++reuseMismatches;
  if (stuck != nullptr) *stuck = fullStuck;
  if (left != nullptr) *left = fullLeft;
  return full;
}

bool Solver::Impl::ResumeCheck(const Trace& trace, const Partners& partners, Bits* stuck, int* left) const {
  // The first round in which a tile of a group whose pairings changed left
  // without a partner it may still pair with free or gone: up to there the
  // check goes exactly as the traced one did (by induction over the rounds),
  // so it resumes from the state the trace kept of that round.
  int from = trace.rounds;
  std::uint64_t changed = 0, added = 0;
  for (std::size_t sl = 0; sl < 4; ++sl)
    for (std::size_t r = 0; r < 4; ++r) {
      changed |= trace.partners.may[sl][r] ^ partners.may[sl][r];
      added |= partners.may[sl][r] & ~trace.partners.may[sl][r];
    }
  if (added != 0) {  // a pairing the trace never allowed: from the start
    changed = 0;
    from = 0;
  }
  for (; changed; changed &= changed - 1) {
    const int g = std::countr_zero(changed);
    const auto& m = member[static_cast<std::size_t>(g)];
    for (int sl = 0; sl < 4; ++sl) {
      const int i = m[static_cast<std::size_t>(sl)];
      if (i < 0) continue;
      const int leaves = trace.leftAt[static_cast<std::size_t>(i)];
      if (leaves >= from) continue;  // later than a change already found, or never
      bool met = false;
      for (unsigned mates = partners.Mates(g, sl); mates != 0 && !met; mates &= mates - 1) {
        const int j = m[static_cast<std::size_t>(std::countr_zero(mates))];
        met = j >= 0 && trace.freeAt[static_cast<std::size_t>(j)] <= leaves;
      }
      if (!met) from = leaves;
    }
  }
  if (from >= trace.rounds) {
    // Every round goes as traced; a check that failed ends as that one did.
    if (trace.complete) return true;
    from = trace.rounds - 1;
  }
  CheckState st = trace.states[static_cast<std::size_t>(from)];
  return RunCheck(st, from, partners, stuck, nullptr, left);
}

template <bool Kept>
bool Solver::Impl::RunCheckKept(CheckState st, int round, const Partners& partners, Bits* stuck, Trace* trace,
                                int* left) const {
  // All groups at once, one machine word per slot: bit g of freeSlot[s] is
  // set while the tile in slot s of group g is on the board and free, of
  // goneSlot[s] once it has left here. The state and the partners are
  // copied, so that the compiler may keep them in registers: the trace's
  // bytes could otherwise overlap them.
  const auto mayPair = partners.may;
  // A tile leaves once it is free and a tile it may pair with is free too or
  // has left. Leaving only frees more, so all that may leave in a round go
  // together, and the rounds end when none may.
  for (;; ++round) {
    if (Kept && trace != nullptr) {
      if (round >= Trace::MaxRounds) {
        // More rounds than a trace keeps: only on boards far larger than
        // any layout; the trace then stays incomplete.
        trace->rounds = Trace::MaxRounds;
        trace = nullptr;
      } else {
        trace->states[static_cast<std::size_t>(round)] = st;
        trace->rounds = round + 1;
      }
    }
    std::array<std::uint64_t, 4> leaving{};
    std::uint64_t any = 0;
    for (std::size_t sl = 0; sl < 4; ++sl) {
      std::uint64_t met = 0;
      for (std::size_t r = 0; r < 4; ++r) met |= mayPair[sl][r] & (st.freeSlot[r] | st.goneSlot[r]);
      leaving[sl] = st.freeSlot[sl] & met;
      any |= leaving[sl];
    }
    if (any == 0) break;
    // Only the tiles beside and under those that left can have been freed.
    Bits check;
    for (std::size_t sl = 0; sl < 4; ++sl) {
      st.freeSlot[sl] &= ~leaving[sl];
      st.goneSlot[sl] |= leaving[sl];
      for (std::uint64_t word = leaving[sl]; word; word &= word - 1) {
        const Leaver& l = leaver[sl][static_cast<std::size_t>(std::countr_zero(word))];
        st.present.w[l.word] &= ~l.bit;
        check.Add(l.affects);
        if (Kept && trace != nullptr) trace->leftAt[l.item] = static_cast<std::uint8_t>(round);
      }
    }
    if (!st.present.Meets(tiles)) break;
    const std::uint64_t p0 = st.present.w[0], p1 = st.present.w[1], p2 = st.present.w[2];
    for (std::size_t wi = 0; wi < 3; ++wi) {
      std::uint64_t word = check.w[wi] & st.present.w[wi] & tiles.w[wi] & ~st.free.w[wi];
      for (; word; word &= word - 1) {
        const int k = static_cast<int>(wi * 64) + std::countr_zero(word);
        const auto& nb = near[static_cast<std::size_t>(k)];
        const std::uint64_t up = (nb.above.w[0] & p0) | (nb.above.w[1] & p1) | (nb.above.w[2] & p2);
        const std::uint64_t a = (nb.sideA.w[0] & p0) | (nb.sideA.w[1] & p1) | (nb.sideA.w[2] & p2);
        const std::uint64_t b = (nb.sideB.w[0] & p0) | (nb.sideB.w[1] & p1) | (nb.sideB.w[2] & p2);
        // Branch-free: whether a tile is freed is hard to foretell.
        const std::uint64_t freed = static_cast<std::uint64_t>((up == 0) & ((a == 0) | (b == 0)));
        st.free.w[wi] |= freed << (k & 63);
        st.freeSlot[nb.slot] |= freed << nb.group;
        if (Kept && trace != nullptr && freed != 0) trace->freeAt[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(round + 1);
      }
    }
  }
  if (!st.present.Meets(tiles)) {
    if (Kept && trace != nullptr) trace->complete = true;
    return true;
  }
  if (stuck != nullptr) *stuck = st.free.And(st.present);
  if (left != nullptr) *left = st.present.And(tiles).Count();
  return false;
}

int Solver::Impl::OpenPairings(int g, const Denied& denied) const {
  const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied[static_cast<std::size_t>(g)]);
  int open = 0;
  for (int q = 0; q < 3; ++q) open += ((allowed >> q) & 1u) && ((allowed >> (5 - q)) & 1u);
  return open;
}

bool Solver::Impl::PairingsCheck(const Partners& partners, Outcome& budget, Trace* trace, const Trace* like) {
  ++nodes;
  if (OutOfBudget()) {
    budget = Outcome::Stopped;
    return true;  // no conclusion: the caller stops
  }
  Bits stuck;
  if (like != nullptr ? CanAllLeaveLike(*like, partners, &stuck) : CanAllLeave(start, startFree, partners, &stuck, trace))
    return true;
  for (int wi = 0; wi < 3; ++wi) {
    std::uint64_t word = stuck.w[static_cast<std::size_t>(wi)];
    while (word) {
      const int i = wi * 64 + std::countr_zero(word);
      word &= word - 1;
      ++stuckCount[static_cast<std::size_t>(Group(tileOf[static_cast<std::size_t>(i)]))];
    }
  }
  return false;
}

std::array<std::pair<int, int>, 3> Solver::Impl::BestPairings(int g, const Denied& denied, const Trace& when) const {
  const auto& m = member[static_cast<std::size_t>(g)];
  const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied[static_cast<std::size_t>(g)]);
  std::array<std::pair<int, int>, 3> tries{{{0, -1}, {0, -1}, {0, -1}}};
  int tryCount = 0;
  for (int q = 0; q < 3; ++q) {
    if (!((allowed >> q) & 1u) || !((allowed >> (5 - q)) & 1u)) continue;
    int cost = 0;
    for (int p : {q, 5 - q}) {
      const auto& ps = PairSlots[static_cast<std::size_t>(p)];
      const int ta = when.leftAt[static_cast<std::size_t>(m[static_cast<std::size_t>(ps[0])])];
      const int tb = when.leftAt[static_cast<std::size_t>(m[static_cast<std::size_t>(ps[1])])];
      cost += std::max(ta, tb);
    }
    tries[static_cast<std::size_t>(tryCount++)] = {cost, q};
  }
  for (int k = 1; k < tryCount; ++k)
    for (int j = k; j > 0 && tries[static_cast<std::size_t>(j)] < tries[static_cast<std::size_t>(j - 1)]; --j)
      std::swap(tries[static_cast<std::size_t>(j)], tries[static_cast<std::size_t>(j - 1)]);
  return tries;
}

bool Solver::Impl::Repair(const Denied& denied, const Partners& partners, const Trace& when, int checks) {
  Partners guess = partners;
  std::array<std::int8_t, GroupCount> chosen{};
  chosen.fill(-1);
  for (int gi = 0; gi < groupsUsed; ++gi) {
    const int g = groupList[static_cast<std::size_t>(gi)];
    if (slotsHere[static_cast<std::size_t>(g)] != 0xFu || OpenPairings(g, denied) < 2) continue;
    const int q = BestPairings(g, denied, when)[0].second;
    chosen[static_cast<std::size_t>(g)] = static_cast<std::int8_t>(q);
    guess.Settle(g, q);
  }
  Bits stuck;
  int left = 0;
  ++nodes;
  if (CanAllLeaveLike(when, guess, &stuck, &left)) return OrderFromPairings(guess);
  for (int step = 1; checks > 0; ++step) {
    // The groups to change: those of the free tiles left stuck.
    std::uint64_t groups = 0;
    for (int wi = 0; wi < 3; ++wi)
      for (std::uint64_t word = stuck.w[static_cast<std::size_t>(wi)]; word; word &= word - 1) {
        const int g = groupOf[static_cast<std::size_t>(wi * 64 + std::countr_zero(word))];
        if (chosen[static_cast<std::size_t>(g)] >= 0) groups |= std::uint64_t{1} << g;
      }
    if (groups == 0) return false;
    int bestLeft = left, bestGroup = -1, bestPairing = -1;
    std::array<std::pair<int, int>, 8> moves{};  // (group, pairing), for the walk
    int moveCount = 0;
    Bits bestStuck;
    for (std::uint64_t word = groups; word && checks > 0; word &= word - 1) {
      const int g = std::countr_zero(word);
      const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied[static_cast<std::size_t>(g)]);
      for (int q = 0; q < 3 && checks > 0; ++q) {
        if (q == chosen[static_cast<std::size_t>(g)] || !((allowed >> q) & 1u) || !((allowed >> (5 - q)) & 1u)) continue;
        Partners trial = guess;
        trial.Settle(g, q);
        --checks;
        ++nodes;
        Bits s2;
        int l2 = 0;
        if (CanAllLeaveLike(when, trial, &s2, &l2)) return OrderFromPairings(trial);
        if (l2 < bestLeft) {
          bestLeft = l2;
          bestGroup = g;
          bestPairing = q;
          bestStuck = s2;
        }
        if (moveCount < static_cast<int>(moves.size())) moves[static_cast<std::size_t>(moveCount++)] = {g, q};
      }
    }
    if (bestGroup < 0) {
      if (moveCount == 0) return false;
      // No change helps: a step chosen by a fixed hash of the step number, so
      // that a position always gets the same answer.
      std::uint64_t h = static_cast<std::uint64_t>(step) * 0x9E3779B97F4A7C15ull;
      h ^= h >> 29;
      const auto [g, q] = moves[static_cast<std::size_t>(h % static_cast<std::uint64_t>(moveCount))];
      bestGroup = g;
      bestPairing = q;
      Partners trial = guess;
      trial.Settle(g, q);
      --checks;
      ++nodes;
      if (CanAllLeaveLike(when, trial, &bestStuck, &bestLeft)) return OrderFromPairings(trial);
    }
    chosen[static_cast<std::size_t>(bestGroup)] = static_cast<std::int8_t>(bestPairing);
    guess.Settle(bestGroup, bestPairing);
    left = bestLeft;
    stuck = bestStuck;
  }
  return false;
}

// The pairings still open of each group of four, three bits a group.
Bits Solver::Impl::LostPairingsKey(const Denied& denied) const {
  Bits key;
  for (int gi = 0; gi < groupsUsed; ++gi) {
    const int g = groupList[static_cast<std::size_t>(gi)];
    if (slotsHere[static_cast<std::size_t>(g)] != 0xFu) continue;
    const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied[static_cast<std::size_t>(g)]);
    for (int q = 0; q < 3; ++q)
      if (((allowed >> q) & 1u) && ((allowed >> (5 - q)) & 1u)) key.Set(3 * g + q);
  }
  return key;
}

Outcome Solver::Impl::Pairings(Denied denied, bool atRoot) {
  const Bits key = LostPairingsKey(denied);
  if (lostPairings.Contains(key)) return Outcome::Lost;
  const Outcome o = SettlePairings(denied, atRoot);
  if (o == Outcome::Lost) lostPairings.Insert(key);
  return o;
}

Outcome Solver::Impl::SettlePairings(Denied denied, bool atRoot) {
  Outcome budget = Outcome::Win;  // Stopped once the budget runs out
  Partners partners;
  // Kept for this node until it goes deeper.
  Trace& when = pairingsTrace;
  // Rule out every pairing that fails on its own, until none does.
  for (bool changed = true; changed;) {
    changed = false;
    partners = PartnersOf(start, denied);
    if (!PairingsCheck(partners, budget, &when)) return Outcome::Lost;
    if (budget == Outcome::Stopped) return budget;
    for (int gi = 0; gi < groupsUsed; ++gi) {
      const int g = groupList[static_cast<std::size_t>(gi)];
      if (slotsHere[static_cast<std::size_t>(g)] != 0xFu) continue;
      const int open = OpenPairings(g, denied);
      if (open == 0) return Outcome::Lost;
      if (open == 1) continue;
      const unsigned allowed = usable[static_cast<std::size_t>(g)] & ~static_cast<unsigned>(denied[static_cast<std::size_t>(g)]);
      bool narrowed = false;
      for (int q = 0; q < 3; ++q) {
        if (!((allowed >> q) & 1u) || !((allowed >> (5 - q)) & 1u)) continue;
        Partners trial = partners;
        trial.Settle(g, q);
        const bool passes = PairingsCheck(trial, budget, nullptr, &when);
        if (budget == Outcome::Stopped) return budget;
        if (passes) continue;
        denied[static_cast<std::size_t>(g)] |= static_cast<std::uint8_t>((1u << q) | (1u << (5 - q)));
        if (atRoot) known[static_cast<std::size_t>(g)] = denied[static_cast<std::size_t>(g)];
        narrowed = true;
      }
      if (OpenPairings(g, denied) == 0) return Outcome::Lost;
      if (narrowed) {
        GroupPartners(g, start, denied[static_cast<std::size_t>(g)], partners);
        // Only the first node goes on until no pairing fails (what it
        // rules out holds for every later run); deeper, one pass over the
        // groups rules out most of what more passes would, at a fraction
        // of their checks.
        changed = atRoot;
      }
    }
  }
  // A guess at every pairing still open often wins at once; at the first
  // node of a run it gets a few changes too.
  // At the first node the changes are made once for each set of pairings
  // ruled out there: with the same ones they would fail as they did.
  const bool repairAgain = !atRoot || rootRepairedFor != denied;
  if (atRoot) rootRepairedFor = denied;
  if (repairAgain && Repair(denied, partners, when, atRoot ? RepairChecks : 1)) return Outcome::Win;
  // The most often stuck group for its open pairings, ties to the first.
  int best = -1;
  double bestScore = -1;
  for (int gi = 0; gi < groupsUsed; ++gi) {
    const int g = groupList[static_cast<std::size_t>(gi)];
    if (slotsHere[static_cast<std::size_t>(g)] != 0xFu) continue;
    const int open = OpenPairings(g, denied);
    if (open < 2) continue;
    const double score = (stuckCount[static_cast<std::size_t>(g)] + 1.0) / open;
    if (score > bestScore) {
      bestScore = score;
      best = g;
    }
  }
  if (best < 0) return OrderFromPairings(partners) ? Outcome::Win : Outcome::Stopped;
  const auto tries = BestPairings(best, denied, when);
  int tryCount = 0;
  while (tryCount < 3 && tries[static_cast<std::size_t>(tryCount)].second >= 0) ++tryCount;
  for (int k = 0; k < tryCount; ++k) {
    const int q = tries[static_cast<std::size_t>(k)].second;
    Denied settled = denied;
    for (int r = 0; r < 3; ++r)
      if (r != q) settled[static_cast<std::size_t>(best)] |= static_cast<std::uint8_t>((1u << r) | (1u << (5 - r)));
    const Outcome o = Pairings(settled);
    if (o != Outcome::Lost) return o;
  }
  return Outcome::Lost;
}

// Every tile has one partner left, and the quick check has let them all
// leave: taking any pair whose two tiles are free, again and again, then
// clears the board.
bool Solver::Impl::OrderFromPairings(const Partners& partners) {
  path.clear();
  Bits present = start;
  for (bool progress = true; progress && present.Meets(tiles);) {
    progress = false;
    const Bits free = FreeOf(present);
    for (int wi = 0; wi < 3; ++wi) {
      std::uint64_t word = free.w[static_cast<std::size_t>(wi)];
      while (word) {
        const int i = wi * 64 + std::countr_zero(word);
        word &= word - 1;
        if (!present.Has(i)) continue;
        const int t = tileOf[static_cast<std::size_t>(i)];
        const int g = Group(t), slot = (t - 1) % 4;
        const unsigned mates = partners.Mates(g, slot);
        if (std::popcount(mates) != 1) return false;
        const int j = member[static_cast<std::size_t>(g)][static_cast<std::size_t>(std::countr_zero(mates))];
        if (j < 0 || !present.Has(j) || !free.Has(j)) continue;
        path.push_back({i, j});
        present.Reset(i);
        present.Reset(j);
        progress = true;
      }
    }
  }
  return !present.Meets(tiles);
}

Solver::Solver(std::size_t maxTableBytes) : impl_(std::make_unique<Impl>(maxTableBytes)) {}
Solver::~Solver() = default;

void Solver::UsePairingsOnly(bool on) { impl_->pairingsOnly = on; }

void Solver::CheckReuse(bool on) { impl_->checkReuse = on; }

std::uint64_t Solver::ReuseMismatches() const { return impl_->reuseMismatches; }

std::size_t Solver::TableBytes() const { return impl_->lost.Bytes() + impl_->lostPairings.Bytes(); }

SolveResult Solver::Solve(const BoardState& s, bool vertical, const SolveLimits& limits) {
  Impl& d = *impl_;
  SolveResult res;
  if (!d.Build(s, vertical)) return res;
  d.limits = limits;
  d.deadline = std::chrono::steady_clock::now() + limits.MaxTime.value_or(std::chrono::milliseconds(0));
  if (limits.ProcessorTime) d.cpuDeadline = ThreadTime() + limits.MaxTime.value_or(std::chrono::milliseconds(0));
  d.nodes = 0;
  d.stopped = false;
  d.path.clear();
  d.path.reserve(MaxTiles / 2 + 8);
  Bits all;
  for (int i = 0; i < d.count; ++i) all.Set(i);
  std::array<std::uint8_t, GroupCount> denied{};
  // A first short run of the search on removals settles most positions;
  // the rest alternate between runs of the search on pairings and further
  // runs on removals, each longer than the one before. The last runs have
  // no bound but the caller's.
  d.start = all;
  d.startFree = d.FreeOf(all);
  d.stuckCount.fill(0);
  d.known = denied;
  d.rootRepairedFor.reset();
  Outcome o = Outcome::Stopped;
  for (int gi = 0; gi < d.groupsUsed; ++gi)  // one tile of a group would stay behind
    if (std::popcount(d.slotsHere[static_cast<std::size_t>(d.groupList[static_cast<std::size_t>(gi)])]) % 2 != 0)
      o = Outcome::Lost;
  std::uint64_t runLength = FirstRunNodes, pairingsLength = FirstPairingsNodes;
  for (d.run = 0; o == Outcome::Stopped; ++d.run) {
    const bool last = d.run >= 40;
    if (!d.pairingsOnly) {
      // The first run looks no step ahead; the later ones probe, and count
      // each probe as a node.
      if (d.run == 1) runLength = SecondRunNodes;
      d.runEnd = last ? UINT64_MAX : d.nodes + runLength;
      d.path.clear();
      o = d.Search(all, d.known);
      if (o != Outcome::Stopped || d.stopped) break;
      if (d.run >= 1) runLength += runLength / 2;
    }
    d.runEnd = last ? UINT64_MAX : d.nodes + pairingsLength;
    o = d.Pairings(d.known, true);
    if (o != Outcome::Stopped || d.stopped) break;
    pairingsLength += pairingsLength / 2;
  }
  res.Nodes = d.nodes;
  if (o == Outcome::Win) {
    for (const auto& p : d.path)
      res.Order.emplace_back(d.tileOf[static_cast<std::size_t>(p[0])], d.tileOf[static_cast<std::size_t>(p[1])]);
    // Never hand out an order the free rule would not accept.
    if (OrderClearsBoard(s, vertical, res.Order))
      res.Answer = Verdict::Winnable;
    else
      res.Order.clear();
  } else if (o == Outcome::Lost) {
    res.Answer = Verdict::Unwinnable;
  }
  d.lost.Reset();
  d.lostPairings.Reset();
  d.path.clear();
  d.path.shrink_to_fit();
  return res;
}

bool OrderClearsBoard(const BoardState& s, bool vertical, const std::vector<TilePair>& order) {
  BoardState copy = s;
  for (const auto& [a, b] : order) {
    if (a == b || a < 1 || a > MaxTiles || b < 1 || b > MaxTiles) return false;
    if (Group(a) != Group(b)) return false;
    const bool free = vertical ? IsTileFreeVertical(copy, a) && IsTileFreeVertical(copy, b) : IsTileFree(copy, a) && IsTileFree(copy, b);
    if (!free) return false;
    copy.TakeTile(a);
    copy.TakeTile(b);
  }
  // Cells that hold no tile never leave; every tile must have.
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x)
        if (const int v = copy.Board.At(x, y, z); v >= 1 && v <= MaxTiles) return false;
  return true;
}

}  // namespace board
