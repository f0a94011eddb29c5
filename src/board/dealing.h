#pragma once
// The one dealer: board preparation, the plain deal (tiles dropped one by one
// on random places), the winnable deal `DealLayout` (the layout is emptied
// two free places at a time, then matching pairs are handed out to those place
// pairs in reverse order, so the emptying order is a complete solution), and
// the pieces the winnable shuffle and the flat games (Rivers, Memory) deal
// with: the removal order, the hand-out of pairs, and tiles dropped on a block.
//
// A deal never allocates: everything lives in fixed arrays.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "board/board.h"
#include "board/generator.h"
#include "base/texts.h"

namespace board {

// Redraws asked for while a deal is built (the deal animation). The engine
// implements it; pass nullptr for no animation.
class DealObserver {
 public:
  virtual ~DealObserver() = default;
  // Repaint the whole board now (empty table, or after each winnable pair).
  virtual void ShowWholeBoard() = 0;
  // Draw the one tile just placed by the plain deal and show it now.
  virtual void ShowTile(int t) = 0;
};

// How the generator is seeded for a deal. The seed is set at the moment the
// deal needs it (after the winnable dealer's reset), from the game number when
// "Random Seed" is on and the number is positive, else from the clock.
struct SeedChoice {
  bool NumberedGames = false;
  std::int32_t GameSeed = 0;
  // The UTC time of day read by the engine just before the deal.
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
  // Set the generator to exactly this value instead (sorami-tool, tests).
  bool UseExact = false;
  std::uint32_t ExactSeed = 0;

  static SeedChoice Exact(std::uint32_t seed) {
    SeedChoice c;
    c.UseExact = true;
    c.ExactSeed = seed;
    return c;
  }
  // True when the deal is a numbered ("specific") game.
  bool Seeded() const { return NumberedGames && GameSeed > 0; }
};

// Seeds g as the choice says.
void ChooseSeed(Generator& g, const SeedChoice& choice);

// "New Random Specific Game": seed from the clock, then draw the game number
// (0 to 2147483646; 0 then deals from the clock like an unnumbered game).
std::int32_t DrawGameNumber(Generator& g, int hour, int minute, int second, int millisecond);

// The places emptied by the winnable dealer, in order: entries 2j and 2j+1
// (0-based) form the j-th removed pair, so removing the dealt tiles pair by
// pair in this order clears the board.
struct RemovalOrder {
  std::array<Cell, MaxTiles> RemovalPairs{};
  int Count = 0;
};

// The places a removal order empties, in running order z, y, x.
struct PlaceList {
  std::array<Cell, MaxTiles> Places{};
  int Count = 0;
};

// The cells holding PlaceMarker, in running order z, y, x (at most 144).
PlaceList ListMarkedPlaces(const Grid& board);
// Board := PlaceMarker on every listed place, else 0.
void MarkPlaces(Grid& board, const PlaceList& places);
// How many listed places are still to empty and free.
int CountFreePlaces(const Grid& board, const PlaceList& places);

// How long the removal keeps trying when it gets stuck.
struct RemovalLimits {
  // Restarts before asking whether any complete order exists (a search that
  // draws no numbers); 0 never asks.
  int SearchAfter = 0;
  // Restarts after which a layout not known to be emptiable is given up.
  int GiveUpAfter = 0;
};

enum class RemovalEnd {
  Complete,    // every place emptied; the order is a complete solution
  Impossible,  // no complete order exists
  GaveUp,      // still stuck after GiveUpAfter restarts
};

// Empties the places, marked on s.Board, two free ones at a time: each pair is
// two draws of a place index until a free one still to empty comes up (the
// second not the first). When fewer than two are free it starts over from the
// marked places, up to the limits. Keeps s.FreeCount at the free count before
// each pair, as the counters show it. The order is complete only for
// RemovalEnd::Complete.
RemovalEnd DrawRemovalOrder(BoardState& s, const PlaceList& places, Generator& g, const RemovalLimits& limits,
                            RemovalOrder& order, int& restarts);

// Hands tiles out onto the order's place pairs, the last emptied pair first.
// `drawPair` draws two tile numbers (returned as a pair); a draw with a tile
// 0 or a tile already placed is drawn again. After each pair the observer, if
// any, shows the whole board. One pair is always drawn, even for an empty
// order, as the dealer always has.
template <class DrawPair>
void HandOutPairs(BoardState& s, const RemovalOrder& order, DrawPair&& drawPair, DealObserver* observer) {
  int k = order.Count - 2;
  do {
    const auto [t1, t2] = drawPair();
    if (t1 == 0 || t2 == 0 || s.TilePlaces[t1].OnBoard() || s.TilePlaces[t2].OnBoard()) continue;
    s.PutTile(t1, order.RemovalPairs[static_cast<std::size_t>(k)]);
    s.PutTile(t2, order.RemovalPairs[static_cast<std::size_t>(k) + 1]);
    if (observer) observer->ShowWholeBoard();
    k -= 2;
  } while (k >= 0);
}

// A block of places on one layer, for the flat games: the cells
// (2a + XShift, 2b + 1, Layer) for a from FirstColumn to FirstColumn +
// Columns - 1 and b from FirstRow to FirstRow + Rows - 1.
struct FlatBlock {
  std::uint32_t Columns = 1;
  int FirstColumn = 0;
  std::uint32_t Rows = 1;
  int FirstRow = 0;
  int XShift = 0;
  int Layer = 1;
};

// Tiles first..last, each dropped on a random empty cell of the block (a
// column drawn, then a row, until the cell is empty). Stops early if the
// block has no empty cell left.
void DealOntoBlock(BoardState& s, Generator& g, const FlatBlock& block, int first, int last);

enum class DealOutcome {
  Plain,         // plain deal (Winnable off)
  Winnable,      // winnable deal; RemovalPairs is a complete solution
  FellBack,      // Winnable on, but no complete removal order was found: plain deal
};

struct DealResult {
  DealOutcome Outcome = DealOutcome::Plain;
  RemovalOrder Order;    // filled for DealOutcome::Winnable
  int Restarts = 0;      // times the winnable removal got stuck and started over
  bool ProvenImpossible = false;  // FellBack because no order can exist (odd count, ...)
};

// The status text the engine shows when a winnable deal fell back.
inline constexpr const char* FallbackStatusText =
    SORAMI_TEXT_NOOP("Engine", "No winnable deal found for this layout: the tiles were dealt at random.");

struct DealRequest {
  bool Winnable = false;
  SeedChoice Seed;
  DealObserver* Observer = nullptr;
  // Whole-board redraws (the empty table and each winnable pair): the engine
  // sets it when "Animate" is on, the previous mode is not 0, 5, 6 or 7 and
  // "Random Seed" is off.
  bool AnimateBoard = false;
  // Tile-by-tile redraws of the plain deal: "Animate" on, "Random Seed" off
  // and not in the editor (the two-player start passes AnimateBoard's value).
  bool AnimateTiles = false;
};

// Preparation steps 1-3: Board := 155 on every place of the layout, else 0;
// TilesLeft := number of places; TileCount := 144; TilePlaces cleared.
// Returns the number of places.
int PrepareBoard(BoardState& s, const LayoutGrid& layout);

// The plain deal on a prepared board, generator already seeded: tiles 1..P in
// ascending order, each dropped on a random cell until it hits a place.
void PlainDeal(BoardState& s, Generator& g, DealObserver* perTile);

// The winnable deal on a prepared board: seeds the generator itself (after its
// reset) from `seed`. Ends on every layout: where no complete removal order
// exists (odd place count, a shape that always gets stuck) it falls back to
// the plain deal on the same board and says so in the result. On a layout
// that can be cleared it deals exactly as the unbounded algorithm does.
DealResult DealLayout(BoardState& s, const LayoutGrid& layout, Generator& g,
                       const SeedChoice& seed, DealObserver* wholeBoard);

// The whole deal of a new solitaire game: preparation, the empty-table redraw,
// then DealLayout or the seed choice and the plain deal.
DealResult Deal(BoardState& s, const LayoutGrid& layout, Generator& g, const DealRequest& request);

}  // namespace board
