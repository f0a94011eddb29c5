#include "board/dealing.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace board {

namespace {

// After this many stuck removals the dealer asks whether the layout can be
// emptied at all (a search that draws no numbers, so going on afterwards
// deals exactly as if it had never been asked).
constexpr int RestartsBeforeSearch = 100;
// Where the search could not decide, the dealer gives up after this many.
constexpr int RestartsWhenUndecided = 20000;
// Pair removals the search may try before it gives up undecided.
constexpr long SearchBudget = 200000;

// Board := 155 on the places of the layout (running order z, y, x), else 0,
// listing the places in that order. A layout with more than 144 places (only
// possible from a damaged source) gets its first 144.
void FillFromLayout(Grid& board, const LayoutGrid& layout, PlaceList& pl) {
  board.Clear();
  pl.Count = 0;
  for (int k = 0; k < LayoutFlagCount && pl.Count < MaxTiles; ++k) {
    if (!layout.Flag(k)) continue;
    const int x = k % MaxX + 1, y = (k / MaxX) % MaxY + 1, z = k / (MaxX * MaxY) + 1;
    board.Set(x, y, z, PlaceMarker);
    pl.Places[pl.Count++] = Cell{x, y, z};
  }
}

void ClearTilePlaces(BoardState& s) {
  for (int t = 1; t <= MaxTiles; ++t) s.TilePlaces[t] = Cell{};
}

// The reset of the winnable dealer (also the board preparation).
void Reset(BoardState& s, const LayoutGrid& layout, PlaceList& pl) {
  FillFromLayout(s.Board, layout, pl);
  s.TilesLeft = pl.Count;
  s.TileCount = MaxTiles;
}

bool StillToEmpty(const Grid& g, const Cell& c) { return g.Near(c.x, c.y, c.z) == PlaceMarker; }

enum class Emptiable { Yes, No, Undecided };

// Can the places be emptied two free places at a time, to the last one?
// A depth-first search over pair removals on the board itself (restored on
// return). Places standing on the tallest piles go first: a pile left alone
// at the end is what makes a removal stuck. Exhausting every branch proves
// that no order exists.
Emptiable SearchRemovalOrder(Grid& g, const PlaceList& pl) {
  const int P = pl.Count;
  if (P == 0) return Emptiable::Yes;
  // Height of the pile under each place (1 on the floor).
  std::array<int, MaxTiles> depth{};
  for (int i = 0; i < P; ++i) {
    const Cell c = pl.Places[i];
    depth[i] = 1;
    for (int j = 0; j < i; ++j) {
      const Cell d = pl.Places[j];
      if (d.z == c.z - 1 && std::abs(d.x - c.x) <= 1 && std::abs(d.y - c.y) <= 1)
        depth[i] = std::max(depth[i], depth[j] + 1);
    }
  }
  struct Frame {
    std::array<std::uint8_t, MaxTiles> Free;
    int Count;
    int I, J;
  };
  std::array<Frame, MaxTiles / 2 + 1> stack;
  long budget = SearchBudget;
  int level = 0;
  auto collect = [&](Frame& f) {
    f.Count = 0;
    for (int i = 0; i < P; ++i) {
      const Cell c = pl.Places[i];
      if (StillToEmpty(g, c) && PlaceIsFree(g, c.x, c.y, c.z)) f.Free[f.Count++] = static_cast<std::uint8_t>(i);
    }
    // Tallest piles first (insertion sort: stable, and no allocation).
    for (int i = 1; i < f.Count; ++i) {
      const std::uint8_t v = f.Free[i];
      int j = i;
      for (; j > 0 && depth[f.Free[j - 1]] < depth[v]; --j) f.Free[j] = f.Free[j - 1];
      f.Free[j] = v;
    }
    f.I = 0;
    f.J = 0;
  };
  auto setPair = [&](const Frame& f, std::uint8_t v) {
    const Cell a = pl.Places[f.Free[f.I]], b = pl.Places[f.Free[f.J]];
    g.Set(a.x, a.y, a.z, v);
    g.Set(b.x, b.y, b.z, v);
  };
  collect(stack[0]);
  Emptiable result = Emptiable::No;
  while (level >= 0) {
    Frame& f = stack[level];
    if (f.J != 0) setPair(f, PlaceMarker);  // undo the pair tried last
    // Next pair (I, J), I < J.
    if (++f.J >= f.Count) {
      ++f.I;
      f.J = f.I + 1;
    }
    if (f.J >= f.Count) {
      f.J = 0;
      --level;
      continue;
    }
    if (--budget < 0) {
      result = Emptiable::Undecided;
      break;
    }
    setPair(f, 0);
    if (2 * (level + 1) == P) {
      result = Emptiable::Yes;
      break;
    }
    collect(stack[++level]);
  }
  // Put back every pair still removed on the path.
  for (int l = std::min(level, MaxTiles / 2); l >= 0; --l)
    if (stack[l].J != 0 && stack[l].J < stack[l].Count) setPair(stack[l], PlaceMarker);
  return result;
}

// The free places of the removal loop, kept up to date as pairs go: emptying
// a place can only free the places beside it (two columns away, rows y-1..y+1)
// and the places under it, so only those are asked again.
class FreePlaces {
 public:
  explicit FreePlaces(const PlaceList& pl) : pl_(pl) {
    // Place index + 1 of every anchor cell, to find the neighbours once.
    std::array<std::uint8_t, LayoutFlagCount> at{};
    for (int i = 0; i < pl.Count; ++i) {
      const Cell c = pl.Places[i];
      at[static_cast<std::size_t>(LayoutGrid::Index(c.x, c.y, c.z))] = static_cast<std::uint8_t>(i + 1);
    }
    auto lookup = [&](int x, int y, int z) {
      return Grid::InRange(x, y, z) ? at[static_cast<std::size_t>(LayoutGrid::Index(x, y, z))] : 0;
    };
    for (int i = 0; i < pl.Count; ++i) {
      const Cell c = pl.Places[i];
      int& n = neighbourCount_[i];
      n = 0;
      auto add = [&](int x, int y, int z) {
        if (const int j = lookup(x, y, z); j != 0 && n < MaxNeighbours) neighbours_[i][n++] = static_cast<std::uint8_t>(j - 1);
      };
      for (int dy = -1; dy <= 1; ++dy) {
        add(c.x - 2, c.y + dy, c.z);
        add(c.x + 2, c.y + dy, c.z);
        for (int dx = -1; dx <= 1; ++dx) add(c.x + dx, c.y + dy, c.z - 1);
      }
    }
  }

  // All places back (after a reset of the board).
  void Recount(const Grid& g) {
    count_ = 0;
    for (int i = 0; i < pl_.Count; ++i) {
      const Cell c = pl_.Places[i];
      free_[i] = StillToEmpty(g, c) && PlaceIsFree(g, c.x, c.y, c.z);
      count_ += free_[i];
    }
  }

  // Place i was just emptied on g.
  void Removed(const Grid& g, int i) {
    count_ -= free_[i];
    free_[i] = false;
    for (int k = 0; k < neighbourCount_[i]; ++k) {
      const int j = neighbours_[i][k];
      const Cell c = pl_.Places[j];
      const bool now = StillToEmpty(g, c) && PlaceIsFree(g, c.x, c.y, c.z);
      count_ += static_cast<int>(now) - static_cast<int>(free_[j]);
      free_[j] = now;
    }
  }

  int Count() const { return count_; }

  // Draws entries of Places until one is free and still to empty (and not
  // `reject`); returns its index.
  int Pick(Generator& gen, int reject) const {
    for (;;) {
      const int i = static_cast<int>(gen.NextRandom(static_cast<std::uint32_t>(pl_.Count)));
      if (free_[i] && i != reject) return i;
    }
  }

 private:
  // Six places beside, and at most four under (places on a layer never overlap).
  static constexpr int MaxNeighbours = 16;
  const PlaceList& pl_;
  std::array<bool, MaxTiles> free_{};
  int count_ = 0;
  std::array<std::array<std::uint8_t, MaxNeighbours>, MaxTiles> neighbours_{};
  std::array<int, MaxTiles> neighbourCount_{};
};

// Drops tile t on the first drawn cell the board takes.
template <class DrawCell, class Takes>
void DropTile(BoardState& s, int t, DrawCell&& draw, Takes&& takes) {
  Cell c;
  do {
    c = draw();
  } while (!takes(c));
  s.PutTile(t, c);
}

}  // namespace

PlaceList ListMarkedPlaces(const Grid& board) {
  PlaceList pl;
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x)
        if (board.At(x, y, z) == PlaceMarker && pl.Count < MaxTiles) pl.Places[pl.Count++] = Cell{x, y, z};
  return pl;
}

void MarkPlaces(Grid& board, const PlaceList& places) {
  board.Clear();
  for (int i = 0; i < places.Count; ++i) {
    const Cell c = places.Places[i];
    board.Set(c.x, c.y, c.z, PlaceMarker);
  }
}

int CountFreePlaces(const Grid& board, const PlaceList& places) {
  int n = 0;
  for (int i = 0; i < places.Count; ++i) {
    const Cell c = places.Places[i];
    n += StillToEmpty(board, c) && PlaceIsFree(board, c.x, c.y, c.z);
  }
  return n;
}

RemovalEnd DrawRemovalOrder(BoardState& s, const PlaceList& places, Generator& g, const RemovalLimits& limits,
                            RemovalOrder& order, int& restarts) {
  const int P = places.Count;
  order.Count = 0;
  FreePlaces free(places);
  free.Recount(s.Board);
  bool known = false;  // the places are known to be emptiable: no bound
  int k = 1;           // next entry of RemovalPairs (1-based)
  while (k <= P) {
    s.FreeCount = free.Count();
    if (s.FreeCount <= 1) {
      // Stuck at the very start: every restart would meet the same board.
      if (k == 1) return RemovalEnd::Impossible;
      ++restarts;
      if (!known && limits.SearchAfter > 0 && restarts == limits.SearchAfter) {
        MarkPlaces(s.Board, places);
        const Emptiable e = SearchRemovalOrder(s.Board, places);
        if (e == Emptiable::No) return RemovalEnd::Impossible;
        known = e == Emptiable::Yes;
      }
      if (!known && restarts >= limits.GiveUpAfter) return RemovalEnd::GaveUp;
      MarkPlaces(s.Board, places);
      free.Recount(s.Board);
      k = 1;
      continue;
    }
    const int first = free.Pick(g, -1);
    const int second = free.Pick(g, first);
    for (int i : {first, second}) {
      const Cell c = places.Places[i];
      order.RemovalPairs[k++ - 1] = c;
      s.Board.Set(c.x, c.y, c.z, 0);
    }
    free.Removed(s.Board, first);
    free.Removed(s.Board, second);
  }
  order.Count = P;
  return RemovalEnd::Complete;
}

void DealOntoBlock(BoardState& s, Generator& g, const FlatBlock& block, int first, int last) {
  auto cellAt = [&](int a, int b) { return Cell{2 * a + block.XShift, 2 * b + 1, block.Layer}; };
  int empty = 0;
  for (std::uint32_t i = 0; i < block.Columns; ++i)
    for (std::uint32_t j = 0; j < block.Rows; ++j) {
      const Cell c = cellAt(block.FirstColumn + static_cast<int>(i), block.FirstRow + static_cast<int>(j));
      empty += s.Board.At(c.x, c.y, c.z) == 0;
    }
  for (int t = first; t <= last && empty > 0; ++t, --empty)
    DropTile(
        s, t,
        [&] {
          const int a = static_cast<int>(g.NextRandom(block.Columns)) + block.FirstColumn;
          const int b = static_cast<int>(g.NextRandom(block.Rows)) + block.FirstRow;
          return cellAt(a, b);
        },
        [&](Cell c) { return s.Board.At(c.x, c.y, c.z) == 0; });
}

void ChooseSeed(Generator& g, const SeedChoice& choice) {
  if (choice.UseExact)
    g.GeneratorSeed = choice.ExactSeed;
  else if (choice.Seeded())
    g.GeneratorSeed = static_cast<std::uint32_t>(choice.GameSeed);
  else
    g.SeedFromClock(choice.Hour, choice.Minute, choice.Second, choice.Millisecond);
}

std::int32_t DrawGameNumber(Generator& g, int hour, int minute, int second, int millisecond) {
  g.SeedFromClock(hour, minute, second, millisecond);
  return static_cast<std::int32_t>(g.NextRandom(2147483647u));
}

int PrepareBoard(BoardState& s, const LayoutGrid& layout) {
  PlaceList pl;
  Reset(s, layout, pl);
  ClearTilePlaces(s);
  return pl.Count;
}

void PlainDeal(BoardState& s, Generator& g, DealObserver* perTile) {
  // Deal exactly as many tiles as there are places waiting, so the drawing
  // loop always ends even on a board prepared by hand.
  int waiting = 0;
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) waiting += s.Board.Near(x, y, z) == PlaceMarker;
  const int P = std::min({waiting, MaxTiles, std::max(0, static_cast<int>(s.TilesLeft))});
  for (int i = 1; i <= P; ++i) {
    DropTile(
        s, i,
        [&] {
          const int x = static_cast<int>(g.NextRandom(MaxX)) + 1;
          const int y = static_cast<int>(g.NextRandom(MaxY)) + 1;
          const int z = static_cast<int>(g.NextRandom(MaxZ)) + 1;
          return Cell{x, y, z};
        },
        [&](Cell c) { return s.Board.Near(c.x, c.y, c.z) == PlaceMarker; });
    if (perTile) perTile->ShowTile(i);
  }
}

DealResult DealLayout(BoardState& s, const LayoutGrid& layout, Generator& g, const SeedChoice& seed,
                       DealObserver* wholeBoard) {
  DealResult res;
  res.Outcome = DealOutcome::Winnable;
  if (wholeBoard) wholeBoard->ShowWholeBoard();
  ClearTilePlaces(s);
  PlaceList pl;
  Reset(s, layout, pl);
  const int P = pl.Count;
  ChooseSeed(g, seed);

  auto fallBack = [&](bool proven) {
    res.Outcome = DealOutcome::FellBack;
    res.ProvenImpossible = proven;
    res.Order.Count = 0;
    Reset(s, layout, pl);
    ClearTilePlaces(s);
    PlainDeal(s, g, nullptr);
    return res;
  };
  // An odd count always leaves one place alone at the end.
  if (P % 2 != 0) return fallBack(true);

  const RemovalLimits limits{RestartsBeforeSearch, RestartsWhenUndecided};
  switch (DrawRemovalOrder(s, pl, g, limits, res.Order, res.Restarts)) {
    case RemovalEnd::Complete: break;
    case RemovalEnd::Impossible: return fallBack(true);
    case RemovalEnd::GaveUp: return fallBack(false);
  }

  // Hand out matching pairs, the last emptied pair of places first. This loop
  // makes most of a deal's draws, so the generator works on a local copy.
  const auto n = static_cast<std::uint32_t>(P);
  Generator local = g;
  HandOutPairs(
      s, res.Order,
      [&]() -> std::pair<int, int> {
        const std::uint32_t r1 = local.NextRandom(n);  // tile r1 + 1
        const std::uint32_t r2 = local.NextRandom(n);
        // Two tiles of one match group.
        if ((r1 >> 2) != (r2 >> 2) || r1 == r2) return {0, 0};
        return {static_cast<int>(r1) + 1, static_cast<int>(r2) + 1};
      },
      wholeBoard);
  g = local;
  return res;
}

DealResult Deal(BoardState& s, const LayoutGrid& layout, Generator& g, const DealRequest& request) {
  PrepareBoard(s, layout);
  DealObserver* board = request.AnimateBoard ? request.Observer : nullptr;
  if (board) board->ShowWholeBoard();
  if (request.Winnable) return DealLayout(s, layout, g, request.Seed, board);
  ChooseSeed(g, request.Seed);
  PlainDeal(s, g, request.AnimateTiles ? request.Observer : nullptr);
  return DealResult{};
}

}  // namespace board
