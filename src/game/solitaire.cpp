// One-player solitaire: pairs of free tiles of one group leave the board,
// until it is cleared or no move is left. Its selection step and its end of
// game (the hall of fame) are shared by the other kinds; the interface's
// common answers live here too.
#include <string>

#include "base/texts.h"
#include "game/engine.h"
#include "game/game_kind.h"

namespace game {

// ---------------------------------------------------------------- common answers

bool GameRules::TileFree(const GameState& game, bool verticalRule, int tile) const {
  return verticalRule ? board::IsTileFreeVertical(game.Board, tile) : board::IsTileFree(game.Board, tile);
}

bool GameRules::MayPair(const GameState&, int first, int second) const {
  return first != second && board::Group(first) == board::Group(second);
}

bool GameRules::Ended(const GameState& game) const {
  // The clock has run: a layout cleared by its deal is no win.
  return game.Board.TilesLeft == 0 && game.Clock.ElapsedSeconds > 0;
}

std::optional<int> GameRules::HallTable(const GameState& game) const { return game.BoardNumber; }

void GameRules::Finish(Engine& engine) const {
  GameState& game = engine.game_;
  game.GameOverHandled = true;
  engine.ShowCounters();
  engine.Stop();
  game.PhaseBeforePause = GamePhase::Finished;
  const int seconds = engine.GameTime();
  std::string message = base::Translate("Engine", "Congratulations !! You WON !");
  if (engine.Opt().EnableHall) {
    message = base::Format(base::Translate("Engine", "You WON ! Your time is : %1"), {TimeText(seconds)});
    engine.SetPhase(GamePhase::Finished);
    if (engine.Qualifies(seconds)) {
      engine.EnterHallOfFame();
      engine.screen_.ShowHallPanel();
      engine.newRecordShown_ = true;
      engine.OpenHelp(HelpPage::HallOfFame);
      engine.newRecordShown_ = false;
    }
  }
  engine.ShowStatus(message);
}

const GameRules& RulesOf(GameKind kind) {
  switch (kind) {
    case GameKind::TwoPlayer: return TwoPlayerKind();
    case GameKind::Rivers: return RiversKind();
    case GameKind::Memory: return MemoryKind();
    case GameKind::Editor: return EditorKind();
    case GameKind::None:
    case GameKind::Solitaire: break;
  }
  return SolitaireKind();
}

// ---------------------------------------------------------------- the selection step

void Engine::PickFreeTile(int t) {
  Selection& picks = game_.Picks;
  if (picks.First == 0) {
    picks.First = static_cast<std::uint8_t>(t);
    if (TileFree(t)) {
      AcknowledgeTile(t);
    } else {
      picks.First = 0;
      PlaySound("noway");
    }
    return;
  }
  const std::uint8_t oldSecond = picks.Second;
  picks.Second = static_cast<std::uint8_t>(t);
  if (!TileFree(t)) {
    picks.Second = oldSecond;
    PlaySound("noway");
  } else {
    ReleaseSameTileClickedTwice();
  }
}

void Engine::KeepSecondPick() {
  const int first = game_.Picks.First;
  game_.Picks.First = game_.Picks.Second;
  game_.Picks.Second = 0;
  RedrawTile(first);
  PlaySound("select");
}

// ---------------------------------------------------------------- the kind

class SolitaireRules : public GameRules {
 public:
  GameKind Kind() const override { return GameKind::Solitaire; }

  void Start(Engine& engine, Difficulty) const override { engine.BeginGame(); }

  void Click(Engine& engine, const BoardClick& click) const override {
    if (click.OverGrid && click.Tile > 0) engine.PickFreeTile(click.Tile);
    const Selection& picks = engine.game_.Picks;
    if (picks.First == 0 || picks.Second == 0) return;
    if (!MayPair(engine.game_, picks.First, picks.Second))
      engine.KeepSecondPick();
    else
      engine.RemoveSelectedPair();
  }
};

const GameRules& SolitaireKind() {
  static const SolitaireRules rules;
  return rules;
}

}  // namespace game
