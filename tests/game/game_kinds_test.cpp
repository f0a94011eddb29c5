// The rules of each game kind on their common interface: what may be picked,
// what pairs, when a game has ended and which table it enters; and the
// Rivers path the slide follows.
#include <optional>

#include "game/engine_fixture.h"
#include "game/game_kind.h"
#include "game/hall_of_fame.h"

namespace game::testing {
namespace {

constexpr GameKind kKinds[] = {GameKind::Solitaire, GameKind::TwoPlayer, GameKind::Rivers, GameKind::Memory,
                               GameKind::Editor};

// Tiles 1 and 2 (one group) on a row with tile 5 (another group) between
// them, and tile 3 alone on the layer above.
GameState RowOfThree() {
  GameState game;
  game.Board.PutTile(1, board::Cell{4, 3, 1});
  game.Board.PutTile(5, board::Cell{6, 3, 1});
  game.Board.PutTile(2, board::Cell{8, 3, 1});
  game.Board.PutTile(3, board::Cell{20, 3, 2});
  game.Board.TileCount = 144;
  game.Board.TilesLeft = 4;
  game.BoardNumber = 7;
  return game;
}

TEST(GameKindsTest, EveryKindAnswersForItselfAndNoKindPlaysByTheOnePlayerRules) {
  for (GameKind kind : kKinds) EXPECT_EQ(RulesOf(kind).Kind(), kind);
  EXPECT_EQ(RulesOf(GameKind::None).Kind(), GameKind::Solitaire);
}

TEST(GameKindsTest, OnlyTheSolitaireKindsKeepTheFreeRule) {
  const GameState game = RowOfThree();
  // Tile 5 has neighbours on both sides: not free by the one-player rule.
  EXPECT_FALSE(RulesOf(GameKind::Solitaire).TileFree(game, false, 5));
  EXPECT_FALSE(RulesOf(GameKind::TwoPlayer).TileFree(game, false, 5));
  EXPECT_TRUE(RulesOf(GameKind::Solitaire).TileFree(game, true, 5));  // the vertical rule
  for (GameKind kind : {GameKind::Rivers, GameKind::Memory, GameKind::Editor})
    EXPECT_TRUE(RulesOf(kind).TileFree(game, false, 5)) << static_cast<int>(kind);
}

TEST(GameKindsTest, WhatPairsInEachKind) {
  GameState game = RowOfThree();
  for (GameKind kind : {GameKind::Solitaire, GameKind::TwoPlayer, GameKind::Memory}) {
    const GameRules& rules = RulesOf(kind);
    EXPECT_TRUE(rules.MayPair(game, 1, 2)) << static_cast<int>(kind);
    EXPECT_FALSE(rules.MayPair(game, 1, 5)) << static_cast<int>(kind);  // other groups
    EXPECT_FALSE(rules.MayPair(game, 1, 1)) << static_cast<int>(kind);  // one tile twice
  }
  // Rivers: tile 5 stands between 1 and 2 on their row, but a path runs
  // around it; with walls above and below the row there is none.
  const GameRules& rivers = RulesOf(GameKind::Rivers);
  EXPECT_TRUE(rivers.MayPair(game, 1, 2));
  for (int x = 4; x <= 8; x += 2) {
    game.Board.Board.Set(x, 1, 1, 144);
    game.Board.Board.Set(x, 5, 1, 144);
  }
  EXPECT_FALSE(rivers.MayPair(game, 1, 2));
  EXPECT_FALSE(rivers.MayPair(game, 3, 4));  // 4 is not on the board
  EXPECT_FALSE(RulesOf(GameKind::Editor).MayPair(game, 1, 2));
}

TEST(GameKindsTest, AGameEndsWhenItsBoardIsClearedAfterPlayBegan) {
  GameState game = RowOfThree();
  game.Board.TilesLeft = 0;
  for (GameKind kind : {GameKind::Solitaire, GameKind::TwoPlayer, GameKind::Rivers, GameKind::Memory}) {
    game.Clock.ElapsedSeconds = 0;
    EXPECT_FALSE(RulesOf(kind).Ended(game)) << static_cast<int>(kind);
    game.Clock.ElapsedSeconds = 1;
    EXPECT_TRUE(RulesOf(kind).Ended(game)) << static_cast<int>(kind);
  }
  EXPECT_FALSE(RulesOf(GameKind::Editor).Ended(game));
  game.Board.TilesLeft = 2;
  EXPECT_FALSE(RulesOf(GameKind::Solitaire).Ended(game));
}

TEST(GameKindsTest, WhichHallOfFameTableAGameEnters) {
  GameState game = RowOfThree();
  EXPECT_EQ(RulesOf(GameKind::Solitaire).HallTable(game), std::optional<int>(7));
  EXPECT_EQ(RulesOf(GameKind::TwoPlayer).HallTable(game), std::nullopt);
  EXPECT_EQ(RulesOf(GameKind::Editor).HallTable(game), std::nullopt);
  for (GameKind kind : {GameKind::Rivers, GameKind::Memory})
    for (Difficulty level : {Difficulty::Easy, Difficulty::Hard}) {
      game.BoardNumber = HallTableOf(kind, level);
      EXPECT_EQ(RulesOf(kind).HallTable(game), std::optional<int>(game.BoardNumber));
      const std::optional<VariantGame> variant = VariantOfTable(game.BoardNumber);
      ASSERT_TRUE(variant.has_value());
      EXPECT_EQ(variant->Kind, kind);
      EXPECT_EQ(variant->Level, level);
    }
  EXPECT_EQ(HallTableOf(GameKind::Rivers, Difficulty::Easy), kRiversEasyTable);
  EXPECT_EQ(HallTableOf(GameKind::Memory, Difficulty::Hard), kMemoryHardTable);
  EXPECT_EQ(HallTableOf(GameKind::Solitaire, Difficulty::Hard), 0);
  EXPECT_FALSE(VariantOfTable(1).has_value());
  EXPECT_FALSE(VariantOfTable(99).has_value());
}

TEST(GameKindsTest, TheRiversPathListsTheSlideFromThePartnerBackwards) {
  GameState game;
  game.Board.PutTile(1, board::Cell{4, 3, 1});
  game.Board.PutTile(2, board::Cell{10, 3, 1});
  RiverPath path;
  // From 1 to 2 along the row: 2 starts on its own place and moves towards 1.
  ASSERT_TRUE(FindRiverPath(game.Board, 1, 2, &path));
  ASSERT_EQ(path.Count, 3);
  EXPECT_EQ(path.Steps[0].x, 10);
  EXPECT_EQ(path.Steps[1].x, 8);
  EXPECT_EQ(path.Steps[2].x, 6);
  for (int i = 0; i < path.Count; ++i) EXPECT_EQ(path.Steps[static_cast<std::size_t>(i)].y, 3);
  // Out-of-range tiles and tiles off the board find none, and leave no path.
  EXPECT_FALSE(FindRiverPath(game.Board, 1, 0, &path));
  EXPECT_EQ(path.Count, 0);
  EXPECT_FALSE(FindRiverPath(game.Board, 1, 145, nullptr));
  EXPECT_FALSE(FindRiverPath(game.Board, 1, 3, nullptr));
}

// The engine picks the rules from the kind in play: the same click on the
// same board selects a covered tile in Rivers but not in one-player solitaire.
TEST_F(EngineTest, TheClickFollowsTheRulesOfTheKindInPlay) {
  Lay(GameKind::Solitaire, {{1, 4, 4, 1}, {5, 6, 4, 1}, {2, 8, 4, 1}});
  Click(5);
  EXPECT_EQ(engine.Game().Picks.First, 0);
  EXPECT_EQ(sound.Last(), "noway");
  Lay(GameKind::Rivers, {{1, 4, 4, 1}, {5, 6, 4, 1}, {2, 8, 4, 1}});
  Click(5);
  EXPECT_EQ(engine.Game().Picks.First, 5);
  EXPECT_EQ(&engine.Rules(), &RulesOf(GameKind::Rivers));
  engine.TogglePause();
  EXPECT_EQ(&engine.Rules(), &RulesOf(GameKind::Solitaire));  // nothing runs while paused
}

}  // namespace
}  // namespace game::testing
