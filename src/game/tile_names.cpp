#include "game/tile_names.h"

#include "base/texts.h"

namespace game {
namespace {

// Faces 28..42 by name, in face order.
constexpr const char* NamedFaces[] = {
    SORAMI_TEXT_NOOP("TileNames", "Plum flower"),   SORAMI_TEXT_NOOP("TileNames", "Orchid flower"),
    SORAMI_TEXT_NOOP("TileNames", "Chrysanthemum flower"), SORAMI_TEXT_NOOP("TileNames", "Bamboo flower"),
    SORAMI_TEXT_NOOP("TileNames", "Spring season"), SORAMI_TEXT_NOOP("TileNames", "Summer season"),
    SORAMI_TEXT_NOOP("TileNames", "Autumn season"), SORAMI_TEXT_NOOP("TileNames", "Winter season"),
    SORAMI_TEXT_NOOP("TileNames", "Red dragon"),    SORAMI_TEXT_NOOP("TileNames", "Green dragon"),
    SORAMI_TEXT_NOOP("TileNames", "White dragon"),  SORAMI_TEXT_NOOP("TileNames", "East wind"),
    SORAMI_TEXT_NOOP("TileNames", "South wind"),    SORAMI_TEXT_NOOP("TileNames", "West wind"),
    SORAMI_TEXT_NOOP("TileNames", "North wind"),
};

}  // namespace

std::string FaceName(int face) {
  if (face < 1 || face > board::FaceCount) return {};
  if (face <= 9) return base::Format(base::Translate("TileNames", "Crak %1"), {std::to_string(face)});
  if (face <= 18) return base::Format(base::Translate("TileNames", "Bamboo %1"), {std::to_string(face - 9)});
  if (face <= 27) return base::Format(base::Translate("TileNames", "Dot %1"), {std::to_string(face - 18)});
  return base::Translate("TileNames", NamedFaces[face - 28]);
}

std::string TileDescription(int tile, const TileMarks& marks) {
  if (board::Face(tile) == 0) return {};
  std::string text = marks.FaceDown ? base::Translate("TileNames", "Face down") : FaceName(board::Face(tile));
  if (marks.RuleApplies)
    text += ", " + (marks.Free ? base::Translate("TileNames", "free") : base::Translate("TileNames", "not free"));
  if (marks.Selected) text += ", " + base::Translate("TileNames", "selected");
  if (marks.Hinted) text += ", " + base::Translate("TileNames", "hinted");
  return text;
}

std::string PlaceDescription(board::Cell cell, bool taken) {
  return base::Format(base::Translate("TileNames", "Layer %1, column %2, row %3, %4"),
                      {std::to_string(cell.z), std::to_string(cell.x), std::to_string(cell.y),
                       taken ? base::Translate("TileNames", "place") : base::Translate("TileNames", "empty")});
}

}  // namespace game
