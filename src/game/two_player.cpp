// Two-player solitaire: two players take turns on one board, one removed pair
// per turn, each with a clock that runs only during that player's turns. The
// player who used less time wins.
#include <string>

#include "base/texts.h"
#include "game/engine.h"
#include "game/game_kind.h"

namespace game {

class TwoPlayerRules : public GameRules {
 public:
  GameKind Kind() const override { return GameKind::TwoPlayer; }

  void Start(Engine& engine, Difficulty) const override {
    if (engine.RefuseEmptyLayout()) return;
    engine.screen_.ClearBoardBuffer();
    engine.TakeBackLayoutNumber();
    engine.Deal(true);
    engine.ResetForNewGame();
    GameState& game = engine.game_;
    game.Turns.SecondToMove = false;
    game.Turns.FirstTime = 0;
    game.Turns.SecondTime = 0;
    engine.ClearPausedCaptions();
    engine.ShowStatus(base::Translate("Engine", "Two-Player Solitaire started."));
    engine.SetMode(GameKind::TwoPlayer, GamePhase::Running);
    if (game.GameSeed > 0 && engine.Opt().NumberedGames)
      engine.ShowStatus(base::Format(base::Translate("Engine", "Specific Board started. Random Seed #%1"),
                                     {std::to_string(game.GameSeed)}));
    engine.screen_.ShowHallPanel();
    engine.FullRedraw();
    if (engine.StatusPos() <= 1) engine.ShowStatus(base::Translate("Engine", "New game started."));
    game.Clock.StartTick = game.Turns.FirstTurnStart = game.Turns.SecondTurnStart = engine.Now();
  }

  // The one-player selection; every removed pair passes the turn.
  void Click(Engine& engine, const BoardClick& click) const override {
    if (click.OverGrid && click.Tile > 0) engine.PickFreeTile(click.Tile);
    const Selection& picks = engine.game_.Picks;
    if (picks.First == 0 || picks.Second == 0) return;
    if (!MayPair(engine.game_, picks.First, picks.Second)) {
      engine.KeepSecondPick();
      return;
    }
    engine.RemoveSelectedPair();
    engine.PassTurn();
  }

  // The cleared board: the player who used less time is told the winner.
  void Finish(Engine& engine) const override {
    const TwoPlayerTurns& turns = engine.game_.Turns;
    engine.game_.GameOverHandled = true;
    engine.ShowCounters();
    engine.Stop();
    if (turns.SecondTime < turns.FirstTime)
      engine.ShowStatus(base::Translate("Engine", "Player 2 WON ! Congratulations !"));
    else if (turns.SecondTime == turns.FirstTime)
      engine.ShowStatus(base::Translate("Engine", "Same score for both players !"));
    else
      engine.ShowStatus(base::Translate("Engine", "Player 1 WON ! Congratulations !"));
    engine.SetPhase(GamePhase::Finished);
  }

  // Two players share no table.
  std::optional<int> HallTable(const GameState&) const override { return std::nullopt; }
};

const GameRules& TwoPlayerKind() {
  static const TwoPlayerRules rules;
  return rules;
}

void Engine::NewTwoPlayerGame() { TwoPlayerKind().Start(*this, Difficulty::Easy); }

// After every removed pair the mover's turn time joins the mover's total and
// the other player's turn starts now.
void Engine::PassTurn() {
  const std::uint32_t now = Now();
  TwoPlayerTurns& turns = game_.Turns;
  if (!turns.SecondToMove) {
    turns.SecondToMove = true;
    turns.FirstTime += now - turns.FirstTurnStart;
    turns.SecondTurnStart = now;
  } else {
    turns.SecondToMove = false;
    turns.SecondTime += now - turns.SecondTurnStart;
    turns.FirstTurnStart = now;
  }
}

std::uint32_t Engine::PlayerShownTime(int player) {
  const bool second = player == 2;
  const TwoPlayerTurns& turns = game_.Turns;
  const std::uint32_t total = second ? turns.SecondTime : turns.FirstTime;
  if (!game_.Running(GameKind::TwoPlayer) || second != turns.SecondToMove) return total;
  return total + (Now() - (second ? turns.SecondTurnStart : turns.FirstTurnStart));
}

std::string Engine::PlayerTimeText(int player) {
  return TimeText(static_cast<int>(PlayerShownTime(player) / 1000u));
}

// The label of the player who has the turn blinks once a second; the other
// one stands still.
bool Engine::Player1LabelVisible(std::uint32_t tick) const { return game_.Turns.SecondToMove || tick % 1000u > 500u; }
bool Engine::Player2LabelVisible(std::uint32_t tick) const { return !game_.Turns.SecondToMove || tick % 1000u > 500u; }

}  // namespace game
