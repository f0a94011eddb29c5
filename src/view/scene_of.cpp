#include "view/scene_of.h"

#include "game/engine.h"

namespace view {

Scene SceneOf(const game::Engine& e) {
  Scene s;
  s.Board = &e.Game().Board.Board;
  s.TilePlaces = &e.Game().Board.TilePlaces;
  s.EditorMode = e.Game().Running(game::GameKind::Editor);
  s.MemoryMode = e.Game().Running(game::GameKind::Memory);
  s.SelectedTile1 = e.Game().Picks.First;
  s.SelectedTile2 = e.Game().Picks.Second;
  s.HintTile1 = e.Game().Picks.HintFirst;
  s.HintTile2 = e.Game().Picks.HintSecond;
  s.HoverTile = e.HoverTile();
  s.HighlightMode = e.HighlightMode();
  s.CursorTile = e.CursorTileShown();
  s.EditorCursor = e.EditorCursor();
  s.RiverSlideActive = e.Game().Slide.Active;
  s.Shadows = e.Opt().Shadows;
  s.Invert = e.Opt().Invert;
  s.OriginX = e.OriginX();
  s.OriginY = e.OriginY();
  return s;
}

PanelContent PanelOf(const game::Engine& e) {
  PanelContent c;
  c.ShowHallOfFame = e.Opt().ShowHallOfFame;
  c.EditorMode = e.Game().Running(game::GameKind::Editor);
  c.TwoPlayer = e.Game().Running(game::GameKind::TwoPlayer);
  c.ShowCurrentTile = e.Opt().ShowCurrentTile;
  for (int rank = 1; rank <= game::kHallRanks; ++rank) c.Entries[rank - 1] = e.Hall().Entry(e.Game().BoardNumber, rank);
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
