// Pointer input: the selection state machine with its sounds, hit testing
// through the board origin, and the pointer highlight.
#include <string>
#include <vector>

#include "game/engine_fixture.h"

namespace game::testing {
namespace {

using Sounds = std::vector<std::string>;

class PointerTest : public EngineTest {
 protected:
  // 1, 2, 5 free side by side apart; 3 hemmed in between 9 and 13; 4 under 6.
  void SetUp() override {
    Lay(game::GameKind::Solitaire, {{1, 4, 2, 1},
                        {2, 10, 2, 1},
                        {5, 16, 2, 1},
                        {9, 4, 8, 1},
                        {3, 6, 8, 1},
                        {13, 8, 8, 1},
                        {4, 20, 8, 1},
                        {6, 20, 8, 2}});
  }
};

TEST_F(PointerTest, SelectionStateMachine) {
  Click(1);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  EXPECT_EQ(sound.Played, Sounds{"select"});
  Click(1);  // the same tile again: let go
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(engine.Game().Picks.Second, 0);
  EXPECT_EQ(sound.Last(), "select");

  Click(3);  // blocked on both sides
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "noway");

  Click(1);
  Click(3);  // blocked while one is selected: the selection stays
  EXPECT_EQ(engine.Game().Picks.First, 1);
  EXPECT_EQ(engine.Game().Picks.Second, 0);
  EXPECT_EQ(sound.Last(), "noway");

  Click(5);  // another group: it becomes the selection
  EXPECT_EQ(engine.Game().Picks.First, 5);
  EXPECT_EQ(engine.Game().Picks.Second, 0);
  EXPECT_EQ(sound.Last(), "select");

  Click(1);
  Click(2);  // a pair
  EXPECT_FALSE(OnBoard(1));
  EXPECT_FALSE(OnBoard(2));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 6);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "done");
}

TEST_F(PointerTest, TheReleasePointCountsAndTheOriginIsSubtracted) {
  // The same pixel with another origin hits nothing.
  const auto [x, y] = FaceCentre(engine, 1);
  engine.SetOrigin(-5, 0);
  engine.OnPointerReleased(MouseButton::Left, x, y);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_TRUE(sound.Played.empty());  // an empty spot: no sound
  Click(1);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  // Outside the grid: nothing.
  engine.OnPointerReleased(MouseButton::Left, -300, -300);
  EXPECT_EQ(engine.Game().Picks.First, 1);
}

TEST_F(PointerTest, HigherTileWinsAndTheLowerEdgeHitsTheLowerTile) {
  Click(6);  // 6 on 4: the face centre hits the upper tile
  EXPECT_EQ(engine.Game().Picks.First, 6);
  Click(6);
  // The lower tile's exposed bottom edge (6 px below the upper tile's picture).
  const board::Cell c = engine.Game().Board.TilePlaces[4];
  const int a = 20 * c.x + 6 * c.z + engine.OriginX() - 46;
  const int b = 25 * c.y - 6 * c.z + engine.OriginY() - 59;
  engine.OnPointerReleased(MouseButton::Left, a + 10, b + 53);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "noway");
}

TEST_F(PointerTest, MiddleSelectsAndRightClears) {
  Click(1, MouseButton::Middle);
  EXPECT_EQ(engine.Game().Picks.First, 1);
  Click(2, MouseButton::Right);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_TRUE(OnBoard(2));
}

TEST_F(PointerTest, ClicksAreIgnoredOutsideRunningGames) {
  for (GamePhase phase : {GamePhase::Idle, GamePhase::Finished, GamePhase::Stopped, GamePhase::Paused}) {
    engine.SetPhase(phase);
    Click(1);
    EXPECT_EQ(engine.Game().Picks.First, 0);
  }
  EXPECT_TRUE(sound.Played.empty());
}

TEST_F(PointerTest, VerticalVariationChangesWhatIsFree) {
  engine.MutableOptions().Vertical = true;
  Click(3);  // left and right neighbours do not block in this variation
  EXPECT_EQ(engine.Game().Picks.First, 3);
}

TEST_F(PointerTest, HoverFollowsThePointer) {
  const auto [x1, y1] = FaceCentre(engine, 1);
  const auto [x2, y2] = FaceCentre(engine, 2);
  engine.OnPointerMoved(x1, y1);
  EXPECT_EQ(engine.HoverTile(), 1);
  const std::size_t areas = screen.TileAreas.size();
  engine.OnPointerMoved(x1 + 1, y1);  // same tile: nothing repainted
  EXPECT_EQ(screen.TileAreas.size(), areas);
  engine.OnPointerMoved(x2, y2);
  EXPECT_EQ(engine.HoverTile(), 2);
  EXPECT_EQ(screen.TileAreas.size(), areas + 2);
  engine.OnPointerMoved(-300, -300);  // outside the grid: left where it is
  EXPECT_EQ(engine.HoverTile(), 2);
  const auto [ex, ey] = std::pair{x2 + 60, y2};  // an empty spot
  engine.OnPointerMoved(ex, ey);
  EXPECT_EQ(engine.HoverTile(), 0);

  engine.SetHighlightMode(0);  // "None": moves are not processed
  engine.OnPointerMoved(x1, y1);
  EXPECT_EQ(engine.HoverTile(), 0);
}

TEST_F(PointerTest, OnlyPossibleMovesSkipsBlockedTiles) {
  engine.MutableOptions().OnlyPossibleMoves = true;
  engine.MutableOptions().ShowCurrentTile = true;
  const auto [x1, y1] = FaceCentre(engine, 1);
  const auto [x3, y3] = FaceCentre(engine, 3);
  engine.OnPointerMoved(x1, y1);
  EXPECT_EQ(engine.HoverTile(), 1);
  EXPECT_EQ(screen.Previews.back(), 1);
  engine.OnPointerMoved(x3, y3);
  EXPECT_EQ(engine.HoverTile(), 0);
  EXPECT_EQ(screen.Previews.back(), 0);
  // Stopped: pointer moves are still tracked.
  engine.Stop();
  engine.OnPointerMoved(x1, y1);
  EXPECT_EQ(engine.HoverTile(), 1);
}

TEST_F(PointerTest, PreviewShowsOnlyUncoveredTiles) {
  engine.MutableOptions().ShowCurrentTile = true;
  const auto [x6, y6] = FaceCentre(engine, 6);
  engine.OnPointerMoved(x6, y6);
  EXPECT_EQ(screen.Previews.back(), 6);
  const board::Cell c = engine.Game().Board.TilePlaces[4];
  const int a = 20 * c.x + 6 * c.z + engine.OriginX() - 46;
  const int b = 25 * c.y - 6 * c.z + engine.OriginY() - 59;
  engine.OnPointerMoved(a + 10, b + 53);  // the covered tile's edge
  EXPECT_EQ(engine.HoverTile(), 4);
  EXPECT_EQ(screen.Previews.back(), 0);
}

TEST_F(PointerTest, EditorClicksGoToTheEditorAndMoveTheCursor) {
  engine.SetMode(game::GameKind::Editor, game::GamePhase::Running);
  std::vector<std::tuple<MouseButton, int, int, int>> clicks;
  engine.SetEditorClick([&](MouseButton b, int px, int py, int t) { clicks.emplace_back(b, px, py, t); });
  Click(1, MouseButton::Right);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(std::get<0>(clicks[0]), MouseButton::Right);
  EXPECT_EQ(std::get<3>(clicks[0]), 1);
  EXPECT_EQ(engine.Game().Picks.First, 0);

  engine.MutableGame().Board.Board.Clear();
  engine.SetHighlightMode(0);  // the editor cursor moves in every highlight mode
  engine.OnPointerMoved(engine.OriginX() + 100, engine.OriginY() + 100);
  const board::Cell cursor = engine.EditorCursor();
  EXPECT_GE(cursor.x, 0);
  EXPECT_EQ(cursor.z, 0);
  const std::size_t areas = screen.TileAreas.size();
  engine.OnPointerMoved(engine.OriginX() + 101, engine.OriginY() + 100);  // same cell
  EXPECT_EQ(engine.EditorCursor(), cursor);
  EXPECT_EQ(screen.TileAreas.size(), areas);
  engine.OnPointerMoved(engine.OriginX() + 160, engine.OriginY() + 100);
  EXPECT_NE(engine.EditorCursor(), cursor);
  EXPECT_EQ(screen.TileAreas.size(), areas + 2);  // old cursor off, new on
}

}  // namespace
}  // namespace game::testing
