// Game control: starting, repeating, pausing, stopping and ending games, the
// option commands, and the layout commands.
#include <cctype>
#include <string>

#include "board/layout_file.h"
#include "base/texts.h"
#include "game/engine.h"

namespace game {
namespace {

bool IsRunningMode(std::uint8_t mode) {
  return mode == ModeSolitaire || mode == ModeRivers || mode == ModeMemory;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// ---------------------------------------------------------------- new games

void Engine::NewGame() {
  if (GameMode == ModeMemory || BoardNumber == MemoryEasyBoard || BoardNumber == MemoryHardBoard)
    NewMemoryGame("");
  else if (GameMode == ModeRivers || BoardNumber == RiversEasyBoard || BoardNumber == RiversHardBoard)
    NewRiversGame("");
  else if (GameMode == ModeTwoPlayer)
    NewTwoPlayerGame();
  else
    NewRandomGame();
}

void Engine::NewRandomGame() {
  Opt.NumberedGames = false;
  BeginGame();
}

void Engine::NewNumberedGame() {
  Opt.NumberedGames = true;
  BeginGame();
}

void Engine::NewRandomNumberedGame() {
  Opt.NumberedGames = true;
  SeedFromClock();
  GameSeed = static_cast<std::int32_t>(Generator.NextRandom(2147483647u));
  BeginGame();
}

// After a Rivers or Memory game the number goes back to the ticked layout.
void Engine::TakeBackLayoutNumber() {
  if (BoardNumber < RiversEasyBoard) return;
  if (SavedLayoutNumber >= 1 && SavedLayoutNumber <= LayoutCount())
    BoardNumber = SavedLayoutNumber;
  else if (LayoutCount() > 0)
    BoardNumber = 1;
}

board::SeedChoice Engine::DealSeed() {
  board::SeedChoice choice;
  choice.NumberedGames = Opt.NumberedGames;
  choice.GameSeed = GameSeed;
  if (!choice.Seeded() && ClockSeedOverride) return board::SeedChoice::Exact(*ClockSeedOverride);
  const TimeOfDay now = time_.UtcTimeOfDay();
  choice.Hour = now.hour;
  choice.Minute = now.minute;
  choice.Second = now.second;
  choice.Millisecond = now.millisecond;
  return choice;
}

// Prepares the board from the layout and deals it; the animation looks at
// the mode of the previous game, which is still set.
void Engine::Deal(bool twoPlayer) {
  board::DealRequest request;
  request.Winnable = Opt.Winnable;
  request.Seed = DealSeed();
  request.Observer = this;
  const bool previousShown = GameMode != ModeIdle && GameMode != ModeEditor &&
                             GameMode != ModeFinished && GameMode != ModeStopped;
  request.AnimateBoard = Opt.Animate && previousShown && !Opt.NumberedGames;
  request.AnimateTiles =
      twoPlayer ? request.AnimateBoard : (Opt.Animate && !Opt.NumberedGames && GameMode != ModeEditor);
  const board::DealResult result = board::Deal(State, Layout, Generator, request);
  LastDealOutcome = result.Outcome;
  LastRemovalOrder = result.Order;
  if (result.Outcome != board::DealOutcome::Winnable) LastRemovalOrder.Count = 0;
  if (result.Outcome == board::DealOutcome::FellBack) ShowStatus(base::Translate("Engine", board::FallbackStatusText));
  // The tile set of the game is the tiles dealt, so that undo and restart
  // stop at the dealt position on layouts with fewer than 144 places.
  State.TileCount = State.TilesLeft;
}

bool Engine::RefuseEmptyLayout() {
  // The editor deals through BeginGame only to number its places (and a new
  // layout starts with none); it starts no game.
  if (Layout.Count() > 0 || GameMode == ModeEditor) return false;
  // The game in hand, if any, goes on untouched.
  ShowStatus(base::Translate("Engine", NoPlacesText));
  return true;
}

void Engine::ResetForNewGame() {
  PositionChanged(true);
  BoardFinished = false;
  GameOverHandled = false;
  HintTile1 = HintTile2 = HintIndex = 0;
  SelectedTile1 = SelectedTile2 = 0;
  HoverTile = 0;
  NoMovesShown = false;
  // A Memory pair still waiting for its judgement belongs to the old game.
  RevealCountdown = 0;
  RiverSlideActive = false;
  ElapsedSeconds = 0;
  TimePenalty = 0;
  PausedElapsed = 0;
}

void Engine::ClearPausedCaptions() {
  if (GameMode == ModePaused) screen_.SetPauseCaptions(false);
}

void Engine::BeginGame() {
  if (RefuseEmptyLayout()) return;
  screen_.SetPauseCaptions(false);
  screen_.ClearBoardBuffer();
  TakeBackLayoutNumber();
  Deal(false);
  ResetForNewGame();
  if (GameMode != ModeEditor) SetMode(ModeSolitaire);
  if (GameSeed > 0 && Opt.NumberedGames)
    ShowStatus(base::Format(base::Translate("Engine", "Specific Board started. Random Seed #%1"), {std::to_string(GameSeed)}));
  screen_.ShowHallPanel();
  FullRedraw();
  if (StatusPos <= 1) ShowStatus(base::Translate("Engine", "New game started."));
  StartTick = Now();
}

// ---------------------------------------------------------------- pause, stop, end

void Engine::TogglePause() {
  if (IsRunningMode(GameMode)) {
    ModeBeforePause = GameMode;
    SetMode(ModePaused);
    PausedElapsed = Now() - StartTick;
    screen_.SetPauseCaptions(true);
    ShowBackground();
  } else if (GameMode == ModePaused) {
    SetMode(ModeBeforePause);
    StartTick = Now() - PausedElapsed;
    screen_.SetPauseCaptions(false);
    FullRedraw();
  }
}

void Engine::Stop() {
  if (GameMode == ModePaused) {
    StartTick = Now() - PausedElapsed;
    screen_.SetPauseCaptions(false);
  }
  SetMode(ModeStopped);
  ShowBackground();
}

void Engine::GameOver() {
  ShowBackground();
  if (GameMode == ModeTwoPlayer) {
    if (BoardFinished && !GameOverHandled) TwoPlayerEnd();
  } else if (BoardFinished && !GameOverHandled) {
    GameOverHandled = true;
    ShowCounters();
    Stop();
    ModeBeforePause = ModeFinished;
    const int seconds = GameTime();
    std::string message = base::Translate("Engine", "Congratulations !! You WON !");
    if (Opt.EnableHall) {
      message = base::Format(base::Translate("Engine", "You WON ! Your time is : %1"), {TimeText(seconds)});
      SetMode(ModeFinished);
      if (Qualifies(seconds)) {
        EnterHallOfFame();
        screen_.ShowHallPanel();
        NewRecordShown = true;
        OpenHelp(HelpPage::HallOfFame);
        NewRecordShown = false;
      }
    }
    ShowStatus(message);
  }
  if (BoardFinished) ModeBeforePause = ModeFinished;
}

// ---------------------------------------------------------------- hall of fame

bool Engine::Qualifies(int seconds) const { return hall_.Qualifies(BoardNumber, seconds); }

void Engine::EnterHallOfFame() { hall_.EnterHallOfFame(BoardNumber, GameTime(), TimePenalty, CurrentPlayerName); }

// ---------------------------------------------------------------- options

void Engine::ToggleVerticalRule() {
  if (GameMode == ModeSolitaire) {
    if (screen_.Ask(base::Translate("Engine", "Vertical variation"),
                    base::Translate("Engine",
                                     "If you want to change the game mode, you'll have to restart your game. "
                                     "Do you wish to continue ?"))) {
      BeginGame();
      Opt.Vertical = !Opt.Vertical;
    }
  } else if (GameMode == ModeIdle || GameMode == ModeFinished || GameMode == ModeStopped) {
    Opt.Vertical = !Opt.Vertical;
  }
}

void Engine::ToggleShowTime() {
  Opt.ShowTime = !Opt.ShowTime;
  if (!Opt.ShowTime) {
    CounterTime.clear();
    screen_.ShowCounters(CounterTiles, CounterMoves, CounterTime);
  }
}

void Engine::ToggleShowMovesLeft() {
  Opt.ShowMovesLeft = !Opt.ShowMovesLeft;
  if (!Opt.ShowMovesLeft) {
    CounterMoves.clear();
    screen_.ShowCounters(CounterTiles, CounterMoves, CounterTime);
  }
}

void Engine::ToggleShadows() {
  Opt.Shadows = !Opt.Shadows;
  FullRedraw();
}

void Engine::ToggleShowCurrentTile() {
  Opt.ShowCurrentTile = !Opt.ShowCurrentTile;
  screen_.ShowHallPanel();
}

void Engine::SetHighlightNone() {
  const int old = HoverTile;
  HoverTile = 0;
  RedrawTile(old);
  HighlightMode = 0;
}

void Engine::SetHighlightRectangle(int mode) {
  const int old = HoverTile;
  HoverTile = 0;
  RedrawTile(old);
  if (mode == 1 || mode == 3 || mode == 4) HighlightMode = mode;
}

void Engine::SetHighlightColouredTile() {
  const int old = HoverTile;
  HoverTile = 0;
  RedrawTile(old);
  HighlightMode = 2;
}

// ---------------------------------------------------------------- layouts

std::string Engine::UserLayoutsDir() const {
  if (UserDir.empty() || UserDir == ProgramDir) return {};
  return base::JoinPath(UserDir, "Layouts");
}

std::vector<std::string> Engine::LayoutNames() const {
  std::vector<std::string> names;
  names.reserve(Layouts.Entries.size());
  for (const board::LayoutEntry& entry : Layouts.Entries) names.push_back(entry.Name);
  return names;
}

bool Engine::DiscoverLayouts(int storedBoardNumber) {
  board::DiscoveryResult found =
      board::DiscoverLayouts(base::JoinPath(ProgramDir, "Layouts"), storedBoardNumber, UserLayoutsDir());
  if (found.NoLayouts) return false;
  Layouts = std::move(found.List);
  BoardNumber = found.BoardNumber;
  SavedLayoutNumber = BoardNumber;
  CurrentLayoutFile = found.CurrentLayoutFile;
  layoutsLeftOut_ = found.TooMany ? found.FilesFound - LayoutCount() : 0;
  return true;
}

void Engine::LoadLayoutAtStartup() {
  LoadingAtStartup = true;
  if (CurrentLayoutFile.find(".shp") != std::string::npos)
    StartShpLayout();
  else
    StartLayoutFile(CurrentLayoutFile);
  LoadingAtStartup = false;
}

void Engine::ChooseLayout(int item) {
  const board::Selection selection = board::SelectLayout(Layouts, base::JoinPath(ProgramDir, "Layouts"), item);
  if (selection.BoardNumber < 1) return;
  // A file that cannot be read leaves the layout on the board: its number
  // (the menu's check mark and the hall-of-fame table) and its file stay.
  const int boardBefore = BoardNumber;
  const int savedBefore = SavedLayoutNumber;
  std::string fileBefore = CurrentLayoutFile;
  BoardNumber = selection.BoardNumber;
  SavedLayoutNumber = BoardNumber;
  CurrentLayoutFile = selection.CurrentLayoutFile;
  const bool loaded = selection.Shp ? StartShpLayout() : StartLayoutFile(CurrentLayoutFile);
  if (!loaded) {
    BoardNumber = boardBefore;
    SavedLayoutNumber = savedBefore;
    CurrentLayoutFile = std::move(fileBefore);
  }
}

void Engine::ChooseShpLayout(int item) { ChooseLayout(item); }

bool Engine::StartLayoutFile(const std::string& file) {
  try {
    const board::LayReadResult read = board::ReadLayFile(file, Layout);
    CurrentLayoutName = read.Name;
  } catch (const board::LayoutFileError& error) {
    screen_.Tell("Sorami", error.what());
    return false;
  }
  LayoutSelected();
  return true;
}

bool Engine::StartShpLayout() {
  try {
    board::ReadShpFile(CurrentLayoutFile, Layout);
  } catch (const board::LayoutFileError& error) {
    screen_.Tell("Sorami", error.what());
    return false;
  }
  CurrentLayoutName = CurrentLayoutFile;
  LayoutSelected();
  return true;
}

void Engine::LayoutSelected() {
  hall_.ClearRankReached();
  if (LoadingAtStartup) {
    if (layoutsLeftOut_ > 0)
      ShowStatus(base::Format(base::Translate("Engine", "Only the first %1 layouts are offered: %2 more in the Layouts folder were left out."),
                        {std::to_string(board::MaxLayouts), std::to_string(layoutsLeftOut_)}));
    else
      ShowStatus(base::Translate("Engine", StartupCreditText));
    return;
  }
  ShowStatus(base::Format(base::Translate("Engine", "Layout %1 selected."), {UpperCase(CurrentLayoutName)}));
  BeginGame();
}

}  // namespace game
