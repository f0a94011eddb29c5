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
  ++TickCounter;
  StatusStep();
  // 3. The music: loop the piece or change it when it has ended.
  if (Opt.PlayMusic && Music != nullptr) Music->EndOfPieceCheck();
  // 4. The two-player banner.
  if (GameMode == ModeTwoPlayer) screen_.PaintBanner();
  // 5. The clock, the time limit and the counters.
  if (GameMode == ModeFinished) return;
  if (GameMode >= ModeSolitaire && GameMode <= ModeMemory) {
    ElapsedSeconds = static_cast<std::int32_t>((Now() - StartTick) / 1000u);
    if (GameTime() >= TimeLimitSeconds) Stop();
  }
  ShowCounters();
  WatchWinnability();
  // Keep the board hidden while stopped or paused, whatever painted meanwhile.
  if (GameMode == ModeStopped || GameMode == ModePaused) ShowBackground();
}

// ---------------------------------------------------------------- status line

void Engine::ShowStatus(const std::string& text) {
  StatusLength = static_cast<int>(text.size());
  StatusMessage = text;
  StatusPos = StatusLength;
}

// A new text shows first its last character and grows to the left by one
// character per tick ("Cool Status"), or whole at once; the dead-end notice
// then moves back and forth every other tick until a move exists again.
void Engine::StatusStep() {
  auto show = [this] {
    const std::size_t from = static_cast<std::size_t>(std::max(StatusPos, 1) - 1);
    if (from < StatusMessage.size())
      StatusShown.assign(StatusMessage, from, std::string::npos);
    else
      StatusShown.clear();
    screen_.ShowStatusText(StatusShown);
  };
  int s = StatusPos;
  const int length = StatusLength;
  if (NoMovesShown) {
    // Only every other tick moves the notice; the ticks between leave it
    // standing, so it swings between its first and last character.
    if (TickCounter % 2 != 0) return;
    s += StatusDirection;
    if (s <= 0 || s >= length) {
      StatusDirection = -StatusDirection;
      s += StatusDirection;
    }
    StatusPos = std::max(s, 1);
    show();
    return;
  }
  if (s > 1) {
    StatusPos = Opt.ScrollingStatus ? std::max(s - 1, 1) : 1;
    show();
    return;
  }
  // Whole on show: the text is let go, the caption stays as it is.
  StatusMessage = " ";
}

// ---------------------------------------------------------------- drawing

void Engine::FullRedraw() {
  // The redraw's own logic: panel refresh, the finished flag, and no drawing
  // at all once the game is over or while it is paused.
  if (PanelRefreshPending) screen_.ShowHallPanel();
  if (State.TilesLeft == 0 && GameMode != ModeEditor && ElapsedSeconds > 0) BoardFinished = true;
  if (BoardFinished || GameMode == ModePaused) {
    GameOver();
    return;
  }
  screen_.PaintBoard();
}

void Engine::RedrawArea(board::Cell place) {
  if (PanelRefreshPending) screen_.ShowHallPanel();
  if (State.TilesLeft == 0 && GameMode != ModeEditor && ElapsedSeconds > 0) BoardFinished = true;
  if (BoardFinished || GameMode == ModePaused) {
    GameOver();
    return;
  }
  // A tile already taken off the board has no place left to repaint.
  if (place.OnBoard()) screen_.PaintTileArea(place.x, place.y, place.z);
}

void Engine::RedrawTile(int tile) {
  if (tile < 1 || tile > board::MaxTiles) return;  // no tile: nothing changes on screen
  RedrawArea(State.TilePlaces[tile]);
}

void Engine::ShowBackground() { screen_.ShowBackground(); }

void Engine::PlaySound(const char* name) {
  if (Opt.PlaySounds) sound_.PlaySound(name);
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
  if (ClockSeedOverride) {
    Generator.GeneratorSeed = *ClockSeedOverride;
    return;
  }
  const TimeOfDay now = time_.UtcTimeOfDay();
  Generator.SeedFromClock(now.hour, now.minute, now.second, now.millisecond);
}

// ---------------------------------------------------------------- focus and help

void Engine::OnApplicationDeactivated() {
  if (GameMode != ModePaused) TogglePause();
}

void Engine::OnApplicationActivated() {
  if (GameMode == ModePaused) TogglePause();
}

void Engine::OpenHelp(HelpPage page) {
  if (GameMode == ModeTwoPlayer) return;
  const std::uint8_t before = GameMode;
  const bool running = before == ModeSolitaire || before == ModeRivers || before == ModeMemory;
  if (running) TogglePause();
  // The window holds the game paused while it is open.
  SetMode(ModePaused);
  screen_.OpenHelp(page);
  if (running || before == ModePaused) {
    // Resume the paused game, whether opening paused it or the player had.
    if (GameMode == ModePaused) TogglePause();
  } else if (GameMode == ModePaused) {
    // Nothing was running (idle, stopped, finished, editor): back to that.
    SetMode(before);
  }
}

}  // namespace game
