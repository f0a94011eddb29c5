// Game control: starting, repeating, pausing, stopping and ending games, the
// option commands, and the layout commands.
#include <cctype>
#include <string>

#include "board/layout_file.h"
#include "base/texts.h"
#include "game/engine.h"

namespace game {
namespace {

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// ---------------------------------------------------------------- new games

void Engine::NewGame() {
  // A Rivers or Memory game is known by its table in BoardNumber, and
  // played again at its difficulty (Easy when there was none).
  const std::optional<VariantGame> variant = VariantOfTable(game_.BoardNumber);
  auto levelOf = [&](GameKind kind) {
    return variant && variant->Kind == kind ? variant->Level : Difficulty::Easy;
  };
  if (game_.Running(GameKind::Memory) || (variant && variant->Kind == GameKind::Memory))
    NewMemoryGame(levelOf(GameKind::Memory));
  else if (game_.Running(GameKind::Rivers) || (variant && variant->Kind == GameKind::Rivers))
    NewRiversGame(levelOf(GameKind::Rivers));
  else if (game_.Running(GameKind::TwoPlayer))
    NewTwoPlayerGame();
  else
    NewRandomGame();
}

void Engine::NewRandomGame() {
  options_.NumberedGames = false;
  BeginGame();
}

void Engine::NewNumberedGame() {
  options_.NumberedGames = true;
  BeginGame();
}

void Engine::NewRandomNumberedGame() {
  options_.NumberedGames = true;
  SeedFromClock();
  game_.GameSeed = static_cast<std::int32_t>(game_.Generator.NextRandom(2147483647u));
  BeginGame();
}

// After a Rivers or Memory game the number goes back to the ticked layout.
void Engine::TakeBackLayoutNumber() {
  if (!VariantOfTable(game_.BoardNumber)) return;
  if (game_.SavedLayoutNumber >= 1 && game_.SavedLayoutNumber <= LayoutCount())
    game_.BoardNumber = game_.SavedLayoutNumber;
  else if (LayoutCount() > 0)
    game_.BoardNumber = 1;
}

board::SeedChoice Engine::DealSeed() {
  board::SeedChoice choice;
  choice.NumberedGames = options_.NumberedGames;
  choice.GameSeed = game_.GameSeed;
  if (!choice.Seeded() && clockSeedOverride_) return board::SeedChoice::Exact(*clockSeedOverride_);
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
  request.Winnable = options_.Winnable;
  request.Seed = DealSeed();
  request.Observer = this;
  const bool previousShown = game_.Playing() || game_.Phase == GamePhase::Paused;
  request.AnimateBoard = options_.Animate && previousShown && !options_.NumberedGames;
  request.AnimateTiles =
      twoPlayer ? request.AnimateBoard : (options_.Animate && !options_.NumberedGames && !game_.Running(GameKind::Editor));
  const board::DealResult result = board::Deal(game_.Board, game_.Layout, game_.Generator, request);
  lastDealOutcome_ = result.Outcome;
  lastRemovalOrder_ = result.Order;
  if (result.Outcome != board::DealOutcome::Winnable) lastRemovalOrder_.Count = 0;
  if (result.Outcome == board::DealOutcome::FellBack) ShowStatus(base::Translate("Engine", board::FallbackStatusText));
  // The tile set of the game is the tiles dealt, so that undo and restart
  // stop at the dealt position on layouts with fewer than 144 places.
  game_.Board.TileCount = game_.Board.TilesLeft;
}

bool Engine::RefuseEmptyLayout() {
  // The editor deals through BeginGame only to number its places (and a new
  // layout starts with none); it starts no game.
  if (game_.Layout.Count() > 0 || game_.Running(GameKind::Editor)) return false;
  // The game in hand, if any, goes on untouched.
  ShowStatus(base::Translate("Engine", NoPlacesText));
  return true;
}

void Engine::ResetForNewGame() {
  PositionChanged(true);
  game_.BoardFinished = false;
  game_.GameOverHandled = false;
  game_.Picks.HintFirst = game_.Picks.HintSecond = game_.Picks.HintIndex = 0;
  game_.Picks.First = game_.Picks.Second = 0;
  hoverTile_ = 0;
  cursor_ = KeyboardCursor{};
  game_.Picks.NoMovesShown = false;
  // A Memory pair still waiting for its judgement belongs to the old game.
  game_.Reveal.Countdown = 0;
  game_.Slide.Active = false;
  game_.Clock.ElapsedSeconds = 0;
  game_.Clock.Penalty = 0;
  game_.Clock.PausedElapsed = 0;
}

void Engine::ClearPausedCaptions() {
  if (game_.Phase == GamePhase::Paused) screen_.SetPauseCaptions(false);
}

void Engine::StartDealtVariant(GameKind kind, const std::string& startedText) {
  game_.Board.TileCount = game_.Board.TilesLeft;
  ResetForNewGame();
  game_.Clock.StartTick = Now();
  ClearPausedCaptions();
  ShowStatus(startedText);
  SetMode(kind, GamePhase::Running);
  FullRedraw();
  screen_.ShowHallPanel();
}

void Engine::BeginGame() {
  if (RefuseEmptyLayout()) return;
  screen_.SetPauseCaptions(false);
  screen_.ClearBoardBuffer();
  TakeBackLayoutNumber();
  Deal(false);
  ResetForNewGame();
  if (!game_.Running(GameKind::Editor)) SetMode(GameKind::Solitaire, GamePhase::Running);
  if (game_.GameSeed > 0 && options_.NumberedGames)
    ShowStatus(base::Format(base::Translate("Engine", "Specific Board started. Random Seed #%1"), {std::to_string(game_.GameSeed)}));
  screen_.ShowHallPanel();
  FullRedraw();
  if (statusPos_ <= 1) ShowStatus(base::Translate("Engine", "New game started."));
  game_.Clock.StartTick = Now();
}

// ---------------------------------------------------------------- pause, stop, end

void Engine::TogglePause() {
  if (game_.Playing() && game_.Kind != GameKind::TwoPlayer) {
    game_.PhaseBeforePause = GamePhase::Running;
    SetPhase(GamePhase::Paused);
    game_.Clock.PausedElapsed = Now() - game_.Clock.StartTick;
    screen_.SetPauseCaptions(true);
    ShowBackground();
  } else if (game_.Phase == GamePhase::Paused) {
    SetPhase(game_.PhaseBeforePause);
    game_.Clock.StartTick = Now() - game_.Clock.PausedElapsed;
    screen_.SetPauseCaptions(false);
    FullRedraw();
  }
}

void Engine::Stop() {
  if (game_.Phase == GamePhase::Paused) {
    game_.Clock.StartTick = Now() - game_.Clock.PausedElapsed;
    screen_.SetPauseCaptions(false);
  }
  SetPhase(GamePhase::Stopped);
  ShowBackground();
}

void Engine::GameOver() {
  ShowBackground();
  if (game_.BoardFinished && !game_.GameOverHandled) Rules().Finish(*this);
  if (game_.BoardFinished) game_.PhaseBeforePause = GamePhase::Finished;
}

// ---------------------------------------------------------------- hall of fame

bool Engine::Qualifies(int seconds) const {
  const std::optional<int> table = RulesOf(game_.Kind).HallTable(game_);
  return table && hall_.Qualifies(*table, seconds);
}

void Engine::EnterHallOfFame() {
  const std::optional<int> table = RulesOf(game_.Kind).HallTable(game_);
  if (table) hall_.EnterHallOfFame(*table, GameTime(), game_.Clock.Penalty, playerName_);
}

void Engine::EnterVariantTable(GameKind kind, Difficulty level) {
  if (!VariantOfTable(game_.BoardNumber)) game_.SavedLayoutNumber = game_.BoardNumber;
  game_.BoardNumber = HallTableOf(kind, level);
}

// ---------------------------------------------------------------- options

void Engine::ToggleVerticalRule() {
  if (game_.Running(GameKind::Solitaire)) {
    if (screen_.Ask(base::Translate("Engine", "Vertical variation"),
                    base::Translate("Engine",
                                     "If you want to change the game mode, you'll have to restart your game. "
                                     "Do you wish to continue ?"))) {
      BeginGame();
      options_.Vertical = !options_.Vertical;
    }
  } else if (game_.Phase == GamePhase::Idle || game_.Phase == GamePhase::Finished ||
             game_.Phase == GamePhase::Stopped) {
    options_.Vertical = !options_.Vertical;
  }
}

void Engine::ToggleShowTime() {
  options_.ShowTime = !options_.ShowTime;
  if (!options_.ShowTime) {
    counterTime_.clear();
    screen_.ShowCounters(counterTiles_, counterMoves_, counterTime_);
  }
}

void Engine::ToggleShowMovesLeft() {
  options_.ShowMovesLeft = !options_.ShowMovesLeft;
  if (!options_.ShowMovesLeft) {
    counterMoves_.clear();
    screen_.ShowCounters(counterTiles_, counterMoves_, counterTime_);
  }
}

void Engine::ToggleShadows() {
  options_.Shadows = !options_.Shadows;
  FullRedraw();
}

void Engine::ToggleShowCurrentTile() {
  options_.ShowCurrentTile = !options_.ShowCurrentTile;
  screen_.ShowHallPanel();
}

void Engine::SetHighlightNone() {
  const int old = hoverTile_;
  hoverTile_ = 0;
  RedrawTile(old);
  highlightMode_ = 0;
}

void Engine::SetHighlightRectangle(int mode) {
  const int old = hoverTile_;
  hoverTile_ = 0;
  RedrawTile(old);
  if (mode == 1 || mode == 3 || mode == 4) highlightMode_ = mode;
}

void Engine::SetHighlightColouredTile() {
  const int old = hoverTile_;
  hoverTile_ = 0;
  RedrawTile(old);
  highlightMode_ = 2;
}

// ---------------------------------------------------------------- layouts

std::string Engine::UserLayoutsDir() const {
  if (userDir_.empty() || userDir_ == programDir_) return {};
  return base::JoinPath(userDir_, "Layouts");
}

std::vector<std::string> Engine::LayoutNames() const {
  std::vector<std::string> names;
  names.reserve(layouts_.Entries.size());
  for (const board::LayoutEntry& entry : layouts_.Entries) names.push_back(entry.Name);
  return names;
}

bool Engine::DiscoverLayouts(int storedBoardNumber) {
  board::DiscoveryResult found =
      board::DiscoverLayouts(base::JoinPath(programDir_, "Layouts"), storedBoardNumber, UserLayoutsDir());
  if (found.NoLayouts) return false;
  layouts_ = std::move(found.List);
  game_.BoardNumber = found.BoardNumber;
  game_.SavedLayoutNumber = game_.BoardNumber;
  game_.LayoutFile = found.CurrentLayoutFile;
  layoutsLeftOut_ = found.TooMany ? found.FilesFound - LayoutCount() : 0;
  return true;
}

void Engine::LoadLayoutAtStartup() {
  loadingAtStartup_ = true;
  if (game_.LayoutFile.find(".shp") != std::string::npos)
    StartShpLayout();
  else
    StartLayoutFile(game_.LayoutFile);
  loadingAtStartup_ = false;
}

void Engine::ChooseLayout(int item) {
  const board::Selection selection = board::SelectLayout(layouts_, base::JoinPath(programDir_, "Layouts"), item);
  if (selection.BoardNumber < 1) return;
  // A file that cannot be read leaves the layout on the board: its number
  // (the menu's check mark and the hall-of-fame table) and its file stay.
  const int boardBefore = game_.BoardNumber;
  const int savedBefore = game_.SavedLayoutNumber;
  std::string fileBefore = game_.LayoutFile;
  game_.BoardNumber = selection.BoardNumber;
  game_.SavedLayoutNumber = game_.BoardNumber;
  game_.LayoutFile = selection.CurrentLayoutFile;
  const bool loaded = selection.Shp ? StartShpLayout() : StartLayoutFile(game_.LayoutFile);
  if (!loaded) {
    game_.BoardNumber = boardBefore;
    game_.SavedLayoutNumber = savedBefore;
    game_.LayoutFile = std::move(fileBefore);
  }
}

void Engine::ChooseShpLayout(int item) { ChooseLayout(item); }

bool Engine::StartLayoutFile(const std::string& file) {
  try {
    const board::LayReadResult read = board::ReadLayFile(file, game_.Layout);
    game_.LayoutName = read.Name;
  } catch (const board::LayoutFileError& error) {
    screen_.Tell("Sorami", error.what());
    return false;
  }
  LayoutSelected();
  return true;
}

bool Engine::StartShpLayout() {
  try {
    board::ReadShpFile(game_.LayoutFile, game_.Layout);
  } catch (const board::LayoutFileError& error) {
    screen_.Tell("Sorami", error.what());
    return false;
  }
  game_.LayoutName = game_.LayoutFile;
  LayoutSelected();
  return true;
}

void Engine::LayoutSelected() {
  hall_.ClearRankReached();
  if (loadingAtStartup_) {
    if (layoutsLeftOut_ > 0)
      ShowStatus(base::Format(base::Translate("Engine", "Only the first %1 layouts are offered: %2 more in the Layouts folder were left out."),
                        {std::to_string(board::MaxLayouts), std::to_string(layoutsLeftOut_)}));
    else
      ShowStatus(base::Translate("Engine", StartupCreditText));
    return;
  }
  ShowStatus(base::Format(base::Translate("Engine", "Layout %1 selected."), {UpperCase(game_.LayoutName)}));
  BeginGame();
}

}  // namespace game
