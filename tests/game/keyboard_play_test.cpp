// Playing by keys through the engine: the cursor keys, Space as a left click
// on the cursor's tile, Escape, the pointer and the keys sharing one
// selection, and whole games won from keys alone.
#include <string>
#include <vector>

#include "game/autoplay.h"
#include "game/engine_fixture.h"
#include "game/tile_names.h"

namespace game::testing {
namespace {

using board::Cell;
using Sounds = std::vector<std::string>;

class KeyboardPlayTest : public EngineTest {
 protected:
  AutoplayHooks KeyHooks() {
    AutoplayHooks hooks;
    hooks.Input = AutoplayInput::Keys;
    hooks.AfterClick = [this] {
      clock.AdvanceSeconds(2);
      engine.Tick();
    };
    hooks.Tick = [this] { Ticks(1); };
    return hooks;
  }
  void DealTraditional(int gameNumber) {
    engine.MutableOptions().Winnable = true;
    engine.MutableOptions().NumberedGames = true;
    engine.MutableGame().GameSeed = gameNumber;
    engine.BeginGame();
    ASSERT_EQ(engine.LastDealOutcome(), board::DealOutcome::Winnable);
  }
  bool Press(BoardKey key) { return engine.OnBoardKey(key); }
  // Presses keys until the cursor shows the tile.
  void MoveCursorTo(int tile) {
    const auto keys = KeysToReach(engine, tile);
    ASSERT_TRUE(keys.has_value()) << "tile " << tile;
    for (BoardKey k : *keys) Press(k);
    if (engine.CursorTileShown() != tile) Press(BoardKey::Activate);  // on it, hidden: shown
    ASSERT_EQ(engine.CursorTileShown(), tile);
  }
  int At(int x, int y, int z) const { return engine.Game().Board.Board.At(x, y, z); }
};

TEST_F(KeyboardPlayTest, WinnableSolitaireIsWonFromKeysAlone) {
  DealTraditional(2024);
  const AutoplayResult result = PlayRemovalOrder(engine, KeyHooks());
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(result.Clicks, 144);
  EXPECT_GT(result.KeyPresses, 144);
  EXPECT_EQ(engine.PointerX(), -1) << "no pointer was used";
  EXPECT_TRUE(engine.Game().GameOverHandled);
  EXPECT_EQ(engine.Game().Phase, GamePhase::Finished);
  // The same 2 s per pick as by the pointer: the same time.
  EXPECT_EQ(engine.StatusMessage(), "You WON ! Your time is : 04:48");
}

TEST_F(KeyboardPlayTest, RiversAndMemoryAreClearedByKeys) {
  engine.NewRiversGame(Difficulty::Easy);
  AutoplayResult result = PlayRivers(engine, KeyHooks());
  EXPECT_TRUE(result.Cleared) << "shuffles " << result.Shuffles;
  EXPECT_TRUE(engine.Game().GameOverHandled);

  engine.NewMemoryGame(Difficulty::Easy);
  result = PlayMemory(engine, KeyHooks());
  EXPECT_TRUE(result.Cleared);
  EXPECT_EQ(result.Clicks, 32);
  EXPECT_EQ(engine.Game().Clock.Penalty, 0);
  EXPECT_EQ(engine.Game().Phase, GamePhase::Finished);
}

TEST_F(KeyboardPlayTest, SpaceSelectsPairsAndEscapeLetsGo) {
  DealTraditional(7);
  // Hidden at the start; the first arrow shows the cursor on the first tile.
  EXPECT_EQ(engine.CursorTileShown(), 0);
  EXPECT_TRUE(Press(BoardKey::Right));
  const int home = At(5, 3, 1);
  EXPECT_EQ(engine.CursorTileShown(), home);

  // A blocked tile refuses, as a click does.
  EXPECT_TRUE(Press(BoardKey::Right));
  EXPECT_EQ(engine.CursorTileShown(), At(7, 3, 1));
  EXPECT_TRUE(Press(BoardKey::Activate));
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "noway");

  // Escape with nothing selected is left to the window.
  EXPECT_FALSE(Press(BoardKey::Escape));
  EXPECT_TRUE(Press(BoardKey::First));
  EXPECT_TRUE(Press(BoardKey::Activate));
  EXPECT_EQ(engine.Game().Picks.First, home);
  EXPECT_TRUE(Press(BoardKey::Escape));
  EXPECT_EQ(engine.Game().Picks.First, 0);

  // The first pair of the removal order, picked by keys.
  const board::Cell pa = engine.LastRemovalOrder().RemovalPairs[0];
  const board::Cell pb = engine.LastRemovalOrder().RemovalPairs[1];
  const int a = At(pa.x, pa.y, pa.z), b = At(pb.x, pb.y, pb.z);
  MoveCursorTo(a);
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.First, a);
  MoveCursorTo(b);
  Press(BoardKey::Activate);
  EXPECT_FALSE(OnBoard(a));
  EXPECT_FALSE(OnBoard(b));
  EXPECT_EQ(sound.Last(), "done");
  // The cursor went on to the nearest tile and shows it.
  EXPECT_EQ(engine.CursorTileShown(), engine.CursorMap().Closest(pb));
  EXPECT_NE(engine.CursorTileShown(), 0);
}

// Space clicks where the tile shows: on a tile half under the tile on top it
// reaches that tile (blocked, so refused), where a click in the middle of its
// face would pick the free tile above.
TEST_F(KeyboardPlayTest, SpaceClicksTheTileUnderTheCursorNotTheOneAboveIt) {
  DealTraditional(7);
  const int beside = At(15, 9, 4);
  MoveCursorTo(beside);
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "noway");
  Click(beside);  // the pointer in the middle of its face hits the cap
  EXPECT_EQ(engine.Game().Picks.First, At(16, 10, 5));
}

TEST_F(KeyboardPlayTest, PointerAndKeysShareTheCursorAndTheSelection) {
  DealTraditional(7);
  const int home = At(5, 3, 1);
  const int next = At(7, 3, 1);
  // The pointer moves the cursor, hidden.
  const auto [x, y] = FaceCentre(engine, next);
  engine.OnPointerMoved(x, y);
  EXPECT_EQ(engine.Cursor().Tile, next);
  EXPECT_EQ(engine.CursorTileShown(), 0);
  // An arrow shows it again and moves on from where the pointer was.
  Press(BoardKey::Left);
  EXPECT_EQ(engine.CursorTileShown(), home);
  EXPECT_EQ(engine.HoverTile(), 0) << "the pointer's highlight gives way";
  // A tile selected by the pointer pairs with one picked by keys.
  Click(home);
  EXPECT_EQ(engine.Game().Picks.First, home);
  EXPECT_EQ(engine.CursorTileShown(), 0) << "hidden while the mouse is used";
  // Space on a hidden cursor only shows it; the second Space clicks.
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.CursorTileShown(), home);
  EXPECT_EQ(engine.Game().Picks.First, home);
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.First, 0) << "the same tile again lets go";
  EXPECT_EQ(engine.CursorTileShown(), home);
}

TEST_F(KeyboardPlayTest, KeysDoNothingWithoutAGameInHand) {
  EXPECT_FALSE(Press(BoardKey::Right));
  DealTraditional(7);
  engine.TogglePause();
  EXPECT_FALSE(Press(BoardKey::Right));
  EXPECT_FALSE(Press(BoardKey::Activate));
  EXPECT_EQ(engine.CursorTileShown(), 0);
  engine.TogglePause();
  EXPECT_TRUE(Press(BoardKey::Right));
  // Keys of the editor are not the game's.
  EXPECT_FALSE(Press(BoardKey::LayerUp));
  EXPECT_FALSE(Press(BoardKey::Delete));
}

TEST_F(KeyboardPlayTest, MemoryTurnsByKeysAndSkipsTheTurnedTile) {
  engine.NewMemoryGame(Difficulty::Easy);
  Press(BoardKey::First);
  const int first = engine.CursorTileShown();
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.First, first);  // turned face up
  // The turned tile is passed over.
  Press(BoardKey::Right);
  const int second = engine.CursorTileShown();
  EXPECT_NE(second, first);
  Press(BoardKey::Left);
  EXPECT_NE(engine.CursorTileShown(), first);
  EXPECT_NE(engine.CursorTileShown(), 0);
  MoveCursorTo(second);
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.Second, second);
  // While the pair is on show Space waits, as a click does.
  Press(BoardKey::Right);
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.Game().Picks.Second, second);
  Ticks(RevealTicks);
  EXPECT_EQ(engine.Game().Picks.First, 0);
}

// What a screen reader is told of the cursor's tile.
TEST_F(KeyboardPlayTest, TheCursorTileIsDescribed) {
  EXPECT_EQ(FaceName(12), "Bamboo 3");
  EXPECT_EQ(FaceName(1), "Crak 1");
  EXPECT_EQ(FaceName(27), "Dot 9");
  EXPECT_EQ(FaceName(28), "Plum flower");
  EXPECT_EQ(FaceName(35), "Winter season");
  EXPECT_EQ(FaceName(36), "Red dragon");
  EXPECT_EQ(FaceName(42), "North wind");
  EXPECT_EQ(FaceName(0), "");
  EXPECT_EQ(FaceName(43), "");

  DealTraditional(7);
  EXPECT_EQ(engine.CursorDescription(), "") << "no cursor shown yet";
  const int home = At(5, 3, 1);
  const std::string face = FaceName(board::Face(home));
  Press(BoardKey::First);
  EXPECT_EQ(engine.CursorDescription(), face + ", free");
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.CursorDescription(), face + ", free, selected");
  Press(BoardKey::Right);
  EXPECT_EQ(engine.CursorDescription(), FaceName(board::Face(At(7, 3, 1))) + ", not free");
  engine.MutableGame().Picks.HintFirst = At(7, 3, 1);
  EXPECT_EQ(engine.CursorDescription(), FaceName(board::Face(At(7, 3, 1))) + ", not free, hinted");

  // Memory tells no face before the tile is turned.
  engine.NewMemoryGame(Difficulty::Easy);
  Press(BoardKey::First);
  EXPECT_EQ(engine.CursorDescription(), "Face down");
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.CursorDescription(), FaceName(board::Face(engine.Game().Picks.First)));
}

}  // namespace
}  // namespace game::testing
