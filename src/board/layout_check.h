#pragma once
// Checks of a layout for designers (sorami-tool check, the shipped-layout
// test): place count, overlapping places on a layer, floating places, and
// whether the winnable deal finishes without falling back.

#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/dealing.h"

namespace board {

struct LayoutCheck {
  int Places = 0;
  std::vector<Cell> Overlapping;  // places overlapping another place of their layer
  std::vector<Cell> Floating;     // places above layer 1 with nothing beneath them
  int Deals = 0;                  // winnable deals tried
  int DealsFinished = 0;          // of those, deals that finished without fallback and clear
  std::uint32_t FirstFailedSeed = 0;  // valid when DealsFinished < Deals

  bool Ok() const {
    return Places == MaxTiles && Overlapping.empty() && Floating.empty() && DealsFinished == Deals;
  }
};

// Places that float: no place of the layer below is anchored on any of the
// nine cells (x-1..x+1, y-1..y+1) under the anchor (the editor's rule).
std::vector<Cell> FloatingPlaces(const LayoutGrid& layout);
std::vector<Cell> OverlappingPlaces(const LayoutGrid& layout);

// Runs the checks with winnable deals for seeds firstSeed .. firstSeed+deals-1;
// each finished deal is also cleared pair by pair in its removal order.
LayoutCheck CheckLayout(const LayoutGrid& layout, int deals, std::uint32_t firstSeed = 1);

// Removes the dealt tiles pair by pair in the given order, checking that each
// pair is free and matching at its turn; true when the board ends empty.
bool ClearsInOrder(BoardState s, const RemovalOrder& order);

}  // namespace board
