#include "view/scene_of.h"

#include "game/engine.h"

namespace view {

Scene SceneOf(const game::Engine& e) {
  Scene s;
  s.Board = &e.State.Board;
  s.TilePlaces = &e.State.TilePlaces;
  s.EditorMode = e.GameMode == game::ModeEditor;
  s.MemoryMode = e.GameMode == game::ModeMemory;
  s.SelectedTile1 = e.SelectedTile1;
  s.SelectedTile2 = e.SelectedTile2;
  s.HintTile1 = e.HintTile1;
  s.HintTile2 = e.HintTile2;
  s.HoverTile = e.HoverTile;
  s.HighlightMode = e.HighlightMode;
  s.EditorCursor = e.EditorCursor;
  s.RiverSlideActive = e.RiverSlideActive;
  s.Shadows = e.Opt.Shadows;
  s.Invert = e.Opt.Invert;
  s.OriginX = e.OriginX;
  s.OriginY = e.OriginY;
  return s;
}

PanelContent PanelOf(const game::Engine& e) {
  PanelContent c;
  c.ShowHallOfFame = e.Opt.ShowHallOfFame;
  c.EditorMode = e.GameMode == game::ModeEditor;
  c.TwoPlayer = e.GameMode == game::ModeTwoPlayer;
  c.ShowCurrentTile = e.Opt.ShowCurrentTile;
  for (int rank = 1; rank <= game::kHallRanks; ++rank) c.Entries[rank - 1] = e.Hall().Entry(e.BoardNumber, rank);
  c.RankReached = e.Hall().RankReached();
  return c;
}

BannerContent BannerOf(game::Engine& e) { return BannerOf(e, e.Now()); }

BannerContent BannerOf(game::Engine& e, std::uint32_t tickMs) {
  BannerContent b;
  b.Player1LabelVisible = e.Player1LabelVisible(tickMs);
  b.Player2LabelVisible = e.Player2LabelVisible(tickMs);
  b.Player1Time = e.PlayerTimeText(1);
  b.Player2Time = e.PlayerTimeText(2);
  return b;
}

}  // namespace view
