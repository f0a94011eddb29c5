// The engine's state reaches the painter: a click through the engine selects
// a tile and the next redraw shows it marked; Memory and the editor turn
// tiles face down; the banner follows the turn.
#include <gtest/gtest.h>

#include "game/engine.h"
#include "game/fakes.h"
#include "view/board_view.h"
#include "view/scene_of.h"
#include "view/test_pictures.h"

namespace {

using namespace testpics;

class SceneOfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.TilesetImage = MakeTestTileset();
    view.MakeTileTexture();
    // Two free tiles of different groups, one blocked pair member beside.
    engine.MutableGame().Board.PutTile(1, {4, 4, 1});
    engine.MutableGame().Board.PutTile(5, {10, 4, 1});
    engine.MutableGame().Board.PutTile(9, {12, 4, 1});
    engine.MutableGame().Board.TilesLeft = 3;
    engine.SetMode(game::GameKind::Solitaire, game::GamePhase::Running);
    engine.RecountFreeTiles();
  }
  QRgb FacePixel(int tile, int i, int j) {
    const board::Cell c = engine.Game().Board.TilePlaces[tile];
    return view.BoardBuffer.pixel(view::FaceLeft(c.x, c.z, engine.OriginX()) + i,
                                  view::FaceTop(c.y, c.z, engine.OriginY()) + j);
  }
  void Click(int tile) {
    const board::Cell c = engine.Game().Board.TilePlaces[tile];
    engine.OnPointerReleased(game::MouseButton::Left, view::FaceLeft(c.x, c.z, engine.OriginX()) + 20,
                      view::FaceTop(c.y, c.z, engine.OriginY()) + 25);
  }

  game::testing::FakeClock clock;
  game::testing::FakeScreen screen;
  game::testing::FakeSound sound;
  game::Engine engine{clock, screen, sound};
  view::BoardView view;
};

TEST_F(SceneOfTest, AClickThroughTheEngineShowsTheSelectedTile) {
  Click(1);
  ASSERT_EQ(engine.Game().Picks.First, 1);
  view.FullRedraw(view::SceneOf(engine));
  EXPECT_EQ(FacePixel(1, 2, 2), SelectedColour);
  EXPECT_EQ(FacePixel(5, 2, 2), Ivory);
  engine.MutableOptions().Invert = true;
  view.FullRedraw(view::SceneOf(engine));
  EXPECT_EQ(FacePixel(1, 2, 2), (Ivory ^ 0x00FFFFFFu));
}

TEST_F(SceneOfTest, MemoryAndEditorTilesLieFaceDown) {
  engine.SetMode(game::GameKind::Memory, game::GamePhase::Running);
  view.FullRedraw(view::SceneOf(engine));
  EXPECT_EQ(FacePixel(1, 15, 20), Ivory);
  engine.SetMode(game::GameKind::Editor, game::GamePhase::Running);
  engine.SetEditorCursor({3, 3, 1});  // on top of tile 1's place
  view.FullRedraw(view::SceneOf(engine));
  EXPECT_EQ(FacePixel(9, 15, 20), Ivory);
  EXPECT_EQ(view.BoardBuffer.pixel(view::FaceLeft(4, 2, engine.OriginX()) + 15,
                                   view::FaceTop(4, 2, engine.OriginY()) + 20),
            SelectedColour);
}

TEST_F(SceneOfTest, BannerFollowsTheTurnAndTheMillisecondClock) {
  engine.SetMode(game::GameKind::TwoPlayer, game::GamePhase::Running);
  engine.MutableGame().Turns.SecondToMove = false;
  clock.Tick = 10200;  // in the first half of a second: the mover's label is off
  view::BannerContent b = view::BannerOf(engine);
  EXPECT_FALSE(b.Player1LabelVisible);
  EXPECT_TRUE(b.Player2LabelVisible);
  clock.Tick = 10700;
  b = view::BannerOf(engine);
  EXPECT_TRUE(b.Player1LabelVisible);
  EXPECT_EQ(b.Player2Time, "00:00");
}

}  // namespace
