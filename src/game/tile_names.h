#pragma once
// The words a player hears for the tiles: what a screen reader says of the
// tile under the keyboard cursor, in the player's language.

#include <string>

#include "board/board.h"

namespace game {

// "Crak 1" .. "Crak 9", "Bamboo 3", "Dot 7", "Plum flower", "Spring season",
// "Red dragon", "East wind"; empty for a number that is no face.
std::string FaceName(int face);

// What is known of a tile for its description.
struct TileMarks {
  bool FaceDown = false;  // Memory: the face is not told
  bool RuleApplies = false;  // solitaire: "free" or "not free" is told
  bool Free = false;
  bool Selected = false;
  bool Hinted = false;
};

// "Bamboo 3, free, selected", "Face down", "Dot 2, not free, hinted".
std::string TileDescription(int tile, const TileMarks& marks);

// The layout editor's place cursor: "Layer 2, column 17, row 10, place" or
// "..., empty".
std::string PlaceDescription(board::Cell cell, bool taken);

}  // namespace game
