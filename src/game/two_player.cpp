// Two-player solitaire: two players take turns on one board, one removed pair
// per turn, each with a clock that runs only during that player's turns. The
// player who used less time wins.
#include <string>

#include "base/texts.h"
#include "game/engine.h"

namespace game {

void Engine::NewTwoPlayerGame() {
  if (RefuseEmptyLayout()) return;
  screen_.ClearBoardBuffer();
  TakeBackLayoutNumber();
  Deal(true);
  ResetForNewGame();
  Player2ToMove = false;
  Player1Time = 0;
  Player2Time = 0;
  ClearPausedCaptions();
  ShowStatus(base::Translate("Engine", "Two-Player Solitaire started."));
  SetMode(ModeTwoPlayer);
  if (GameSeed > 0 && Opt.NumberedGames)
    ShowStatus(base::Format(base::Translate("Engine", "Specific Board started. Random Seed #%1"), {std::to_string(GameSeed)}));
  screen_.ShowHallPanel();
  FullRedraw();
  if (StatusPos <= 1) ShowStatus(base::Translate("Engine", "New game started."));
  StartTick = Player1TurnStart = Player2TurnStart = Now();
}

// After every removed pair the mover's turn time joins the mover's total and
// the other player's turn starts now.
void Engine::PassTurn() {
  const std::uint32_t now = Now();
  if (!Player2ToMove) {
    Player2ToMove = true;
    Player1Time += now - Player1TurnStart;
    Player2TurnStart = now;
  } else {
    Player2ToMove = false;
    Player2Time += now - Player2TurnStart;
    Player1TurnStart = now;
  }
}

void Engine::TwoPlayerEnd() {
  GameOverHandled = true;
  ShowCounters();
  Stop();
  if (Player2Time < Player1Time)
    ShowStatus(base::Translate("Engine", "Player 2 WON ! Congratulations !"));
  else if (Player2Time == Player1Time)
    ShowStatus(base::Translate("Engine", "Same score for both players !"));
  else
    ShowStatus(base::Translate("Engine", "Player 1 WON ! Congratulations !"));
  SetMode(ModeFinished);
}

std::uint32_t Engine::PlayerShownTime(int player) {
  const bool second = player == 2;
  const std::uint32_t total = second ? Player2Time : Player1Time;
  if (GameMode != ModeTwoPlayer || second != Player2ToMove) return total;
  return total + (Now() - (second ? Player2TurnStart : Player1TurnStart));
}

std::string Engine::PlayerTimeText(int player) {
  return TimeText(static_cast<int>(PlayerShownTime(player) / 1000u));
}

// The label of the player who has the turn blinks once a second; the other
// one stands still.
bool Engine::Player1LabelVisible(std::uint32_t tick) const { return Player2ToMove || tick % 1000u > 500u; }
bool Engine::Player2LabelVisible(std::uint32_t tick) const { return !Player2ToMove || tick % 1000u > 500u; }

}  // namespace game
