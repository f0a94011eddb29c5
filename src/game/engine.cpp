// The engine's frame: the 50 ms tick, the status line, the board redraw's
// own logic, sounds, focus changes and the help window around a game.
#include "game/engine.h"

#include <algorithm>

#include "game/music_control.h"

namespace game {

Engine::Engine(TimePort& time, ScreenPort& screen, SoundPort& sound)
    : time_(time), screen_(screen), sound_(sound) {}

// ---------------------------------------------------------------- the tick

void Engine::Tick() {
  // 1. A turned Memory pair is judged half a second after the second tile,
  //    in every mode, also while paused.
  MemoryJudgement();
  // 2. The status line.
  ++tickCounter_;
  StatusStep();
  // 3. The music: loop the piece or change it when it has ended.
  if (options_.PlayMusic && music_ != nullptr) music_->EndOfPieceCheck();
  // 4. The two-player banner.
  if (game_.Running(GameKind::TwoPlayer)) screen_.PaintBanner();
  // 5. The clock, the time limit and the counters.
  if (game_.Phase == GamePhase::Finished) return;
  if (game_.Playing()) {
    game_.Clock.ElapsedSeconds = static_cast<std::int32_t>((Now() - game_.Clock.StartTick) / 1000u);
    if (GameTime() >= TimeLimitSeconds) Stop();
  }
  ShowCounters();
  WatchWinnability();
  // Keep the board hidden while stopped or paused, whatever painted meanwhile.
  if (game_.Phase == GamePhase::Stopped || game_.Phase == GamePhase::Paused) ShowBackground();
}

// ---------------------------------------------------------------- status line

void Engine::ShowStatus(const std::string& text) {
  statusLength_ = static_cast<int>(text.size());
  statusMessage_ = text;
  statusPos_ = statusLength_;
}

// A new text shows first its last character and grows to the left by one
// character per tick ("Cool Status"), or whole at once; the dead-end notice
// then moves back and forth every other tick until a move exists again.
void Engine::StatusStep() {
  auto show = [this] {
    const std::size_t from = static_cast<std::size_t>(std::max(statusPos_, 1) - 1);
    if (from < statusMessage_.size())
      statusShown_.assign(statusMessage_, from, std::string::npos);
    else
      statusShown_.clear();
    screen_.ShowStatusText(statusShown_);
  };
  int s = statusPos_;
  const int length = statusLength_;
  if (game_.Picks.NoMovesShown) {
    // Only every other tick moves the notice; the ticks between leave it
    // standing, so it swings between its first and last character.
    if (tickCounter_ % 2 != 0) return;
    s += statusDirection_;
    if (s <= 0 || s >= length) {
      statusDirection_ = -statusDirection_;
      s += statusDirection_;
    }
    statusPos_ = std::max(s, 1);
    show();
    return;
  }
  if (s > 1) {
    statusPos_ = options_.ScrollingStatus ? std::max(s - 1, 1) : 1;
    show();
    return;
  }
  // Whole on show: the text is let go, the caption stays as it is.
  statusMessage_ = " ";
}

// ---------------------------------------------------------------- drawing

void Engine::FullRedraw() {
  // The redraw's own logic: panel refresh, the finished flag, and no drawing
  // at all once the game is over or while it is paused.
  if (panelRefreshPending_) screen_.ShowHallPanel();
  if (Rules().Ended(game_)) game_.BoardFinished = true;
  if (game_.BoardFinished || game_.Phase == GamePhase::Paused) {
    GameOver();
    return;
  }
  screen_.PaintBoard();
}

void Engine::RedrawArea(board::Cell place) {
  if (panelRefreshPending_) screen_.ShowHallPanel();
  if (Rules().Ended(game_)) game_.BoardFinished = true;
  if (game_.BoardFinished || game_.Phase == GamePhase::Paused) {
    GameOver();
    return;
  }
  // A tile already taken off the board has no place left to repaint.
  if (place.OnBoard()) screen_.PaintTileArea(place.x, place.y, place.z);
}

void Engine::RedrawTile(int tile) {
  if (tile < 1 || tile > board::MaxTiles) return;  // no tile: nothing changes on screen
  RedrawArea(game_.Board.TilePlaces[tile]);
}

// ---------------------------------------------------------------- the game as a value

void Engine::SetMode(GameKind kind, GamePhase phase) {
  game_.Kind = kind;
  game_.Phase = phase;
}

const GameRules& Engine::Rules() const {
  return game_.Phase == GamePhase::Running ? RulesOf(game_.Kind) : SolitaireKind();
}

GameState Engine::Snapshot() const {
  GameState game = game_;
  // Ticks of this run mean nothing to another: the clocks are kept as the
  // time played.
  game.Clock.StartTick = 0;
  game.Turns.FirstTurnStart = game.Turns.SecondTurnStart = 0;
  if (game.Phase != GamePhase::Running) return game;
  const std::uint32_t now = time_.TickCount();
  game.Clock.PausedElapsed = now - game_.Clock.StartTick;
  if (game.Kind == GameKind::TwoPlayer) {
    if (game.Turns.SecondToMove)
      game.Turns.SecondTime += now - game_.Turns.SecondTurnStart;
    else
      game.Turns.FirstTime += now - game_.Turns.FirstTurnStart;
  }
  return game;
}

void Engine::Restore(const GameState& game) {
  game_ = game;
  // What the pointer pointed at belongs to the board that was left.
  hoverTile_ = 0;
  pointedTile_ = previousPointedTile_ = 0;
  // The clock goes on from the play time the game was taken with.
  const std::uint32_t now = Now();
  game_.Clock.StartTick = now - game_.Clock.PausedElapsed;
  game_.Turns.FirstTurnStart = game_.Turns.SecondTurnStart = now;
  PositionChanged(true);
  screen_.SetPauseCaptions(game_.Phase == GamePhase::Paused);
  screen_.ShowHallPanel();
  ShowCounters();
  if (game_.Phase == GamePhase::Paused || game_.Phase == GamePhase::Stopped)
    ShowBackground();
  else
    FullRedraw();
}

void Engine::ShowBackground() { screen_.ShowBackground(); }

void Engine::PlaySound(const char* name) {
  if (options_.PlaySounds) sound_.PlaySound(name);
}

void Engine::AcknowledgeTile(int tile) {
  PlaySound("select");
  if (tile > 0) RedrawTile(tile);
}

void Engine::ShowWholeBoard() {
  FullRedraw();
  screen_.UpdateNow();
}

void Engine::ShowTile(int t) {
  RedrawTile(t);
  screen_.UpdateNow();
}

void Engine::SeedFromClock() {
  if (clockSeedOverride_) {
    game_.Generator.GeneratorSeed = *clockSeedOverride_;
    return;
  }
  const TimeOfDay now = time_.UtcTimeOfDay();
  game_.Generator.SeedFromClock(now.hour, now.minute, now.second, now.millisecond);
}

// ---------------------------------------------------------------- focus and help

void Engine::OnApplicationDeactivated() {
  if (game_.Phase != GamePhase::Paused) TogglePause();
}

void Engine::OnApplicationActivated() {
  if (game_.Phase == GamePhase::Paused) TogglePause();
}

void Engine::OpenHelp(HelpPage page) {
  if (game_.Running(GameKind::TwoPlayer)) return;
  const GamePhase before = game_.Phase;
  const bool running = game_.Playing();
  if (running) TogglePause();
  // The window holds the game paused while it is open.
  SetPhase(GamePhase::Paused);
  screen_.OpenHelp(page);
  if (running || before == GamePhase::Paused) {
    // Resume the paused game, whether opening paused it or the player had.
    if (game_.Phase == GamePhase::Paused) TogglePause();
  } else if (game_.Phase == GamePhase::Paused) {
    // Nothing was running (idle, stopped, finished, editor): back to that.
    SetPhase(before);
  }
}

}  // namespace game
