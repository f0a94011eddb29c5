#pragma once
// The game engine: one object that owns the whole game state for the run and
// carries out every command a menu, a toolbar button, the pointer or the
// 50 ms timer triggers. It knows nothing of windows: it talks to the world
// only through the ports (time, screen, sound). The game in hand is one
// GameState value; the window and the view read it, and the rest of what
// they show, through const access.
//
// The mode is the game's kind and phase: a kind in play is Running; a game
// paused, finished or stopped keeps its kind; the program starts Idle.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/ini_file.h"
#include "base/texts.h"
#include "board/board.h"
#include "board/dealing.h"
#include "board/geometry.h"
#include "board/generator.h"
#include "board/layout_list.h"
#include "game/game_kind.h"
#include "game/game_state.h"
#include "game/hall_of_fame.h"
#include "game/keyboard_cursor.h"
#include "game/options.h"
#include "game/ports.h"
#include "game/time_text.h"
#include "game/winnability.h"

namespace game {

class MusicControl;

// A game that reaches this many seconds (time plus penalty) is stopped.
inline constexpr int TimeLimitSeconds = 6000;
// Timer ticks a turned Memory pair stays on show before it is judged.
inline constexpr int RevealTicks = 10;

// The status texts the engine shows.
inline constexpr const char* NoMoreMovesText = SORAMI_TEXT_NOOP("Engine", "      SORRY, NO MORE MOVES !!");
// A layout without a single place (a file of zeros) gives no game: it would
// count as cleared, and won, a second after it began.
inline constexpr const char* NoPlacesText = SORAMI_TEXT_NOOP("Engine", "This layout has no tile places: no game was started.");
// What the solver tells (see engine_winnability.cpp).
inline constexpr const char* StillWinnableText = SORAMI_TEXT_NOOP("Engine", "This game can still be won.");
inline constexpr const char* NeverWinnableText =
    SORAMI_TEXT_NOOP("Engine", "This game can no longer be won: no earlier position could be won either.");
inline constexpr const char* WinnabilityUndecidedText =
    SORAMI_TEXT_NOOP("Engine", "It could not be decided in time whether this game can still be won.");
// "This game can no longer be won: N moves back it still could."
std::string NoLongerWinnableText(int movesBack);
inline constexpr const char* StartupCreditText = SORAMI_TEXT_NOOP("Engine", "Sorami 5.28 - Mah-Jongg solitaire, Rivers and Memory");

class Engine : private board::DealObserver {
 public:
  Engine(TimePort& time, ScreenPort& screen, SoundPort& sound);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // ---------------------------------------------------------------- the game in hand
  const GameState& Game() const { return game_; }
  // Direct changes to the game, outside the rules: the layout editor edits
  // the board and the layout in place, and tests set up positions. The
  // caller redraws.
  GameState& MutableGame() { return game_; }
  // A copy of the game in hand, and the way back to it. The copy holds the
  // time played so far (Clock.PausedElapsed, and the mover's turn counted
  // into its total); the tick fields of the clocks are 0, as ticks of this
  // run mean nothing to another. Restore puts a game back on the
  // board as it was taken (a paused game stays paused) with its clocks going
  // on from there, so that time spent away does not count.
  GameState Snapshot() const;
  void Restore(const GameState& game);
  // The mode: the game's kind and its phase. SetPhase keeps the kind.
  void SetMode(GameKind kind, GamePhase phase);
  void SetPhase(GamePhase phase) { game_.Phase = phase; }
  // The rules the board answers to now: those of the kind in play, or the
  // one-player rules while nothing runs (idle, paused, stopped, finished).
  const GameRules& Rules() const;

  // Removal order of the last winnable deal (a complete solution of it),
  // and how that deal went.
  const board::RemovalOrder& LastRemovalOrder() const { return lastRemovalOrder_; }
  board::DealOutcome LastDealOutcome() const { return lastDealOutcome_; }

  // The layout list.
  const board::LayoutList& Layouts() const { return layouts_; }
  board::LayoutList& MutableLayouts() { return layouts_; }
  int LayoutCount() const { return layouts_.LayoutCount(); }
  // The captions of the layout list, layout i at index i - 1.
  std::vector<std::string> LayoutNames() const;
  // The layout whose menu item carries the check mark (also while a Rivers
  // or Memory game holds its hall-of-fame table in BoardNumber).
  int CheckedLayout() const { return VariantOfTable(game_.BoardNumber) ? game_.SavedLayoutNumber : game_.BoardNumber; }

  // ---------------------------------------------------------------- pointer and highlight
  std::uint8_t HoverTile() const { return hoverTile_; }
  std::int32_t PointedTile() const { return pointedTile_; }
  std::int32_t PreviousPointedTile() const { return previousPointedTile_; }
  // The editor's place cursor: a zero-based cell; (-1,-1,-1) = none.
  board::Cell EditorCursor() const { return editorCursor_; }
  void SetEditorCursor(board::Cell cell) { editorCursor_ = cell; }
  // The keyboard cursor over the tiles (the editor's is EditorCursor).
  const KeyboardCursor& Cursor() const { return cursor_; }
  // Where the pointer was last seen over the board image (its pixels); -1
  // before it was.
  int PointerX() const { return pointerX_; }
  int PointerY() const { return pointerY_; }
  // 0 none, 1 red, 2 coloured, 3 green, 4 blue.
  std::int32_t HighlightMode() const { return highlightMode_; }
  void SetHighlightMode(std::int32_t mode) { highlightMode_ = mode; }
  // The grid origin in the board picture.
  int OriginX() const { return originX_; }
  int OriginY() const { return originY_; }
  void SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
  }
  // The hall-of-fame panel is redrawn with the next board redraw.
  bool PanelRefreshPending() const { return panelRefreshPending_; }
  void SetPanelRefreshPending(bool pending) { panelRefreshPending_ = pending; }

  // ---------------------------------------------------------------- status line and counters
  const std::string& StatusMessage() const { return statusMessage_; }
  const std::string& StatusShown() const { return statusShown_; }  // the caption on show
  int StatusPos() const { return statusPos_; }
  int StatusLength() const { return statusLength_; }
  int StatusDirection() const { return statusDirection_; }
  std::uint32_t TickCounter() const { return tickCounter_; }
  // The three counter fields as last shown (tiles left, moves left, time).
  const std::string& CounterTiles() const { return counterTiles_; }
  const std::string& CounterMoves() const { return counterMoves_; }
  const std::string& CounterTime() const { return counterTime_; }

  // ---------------------------------------------------------------- player, folders, options
  const std::string& PlayerName() const { return playerName_; }
  void SetPlayerName(std::string name) { playerName_ = std::move(name); }
  // Every data path is built from the program folder (UTF-8).
  const std::string& ProgramDir() const { return programDir_; }
  void SetProgramDir(std::string dir) { programDir_ = std::move(dir); }
  // Where the player's own files go (Folders::User): the hall of fame and the
  // layouts made in the editor. Empty, or ProgramDir, for a copy that keeps
  // them beside itself.
  const std::string& UserDir() const { return userDir_; }
  void SetUserDir(std::string dir) { userDir_ = std::move(dir); }
  // The player's own layouts folder when it lies apart from the shipped one;
  // empty otherwise.
  std::string UserLayoutsDir() const;

  const Options& Opt() const { return options_; }
  Options& MutableOptions() { return options_; }

  // The music logic; its end-of-piece check runs in every tick while
  // "Play music" is on. Owned by the window.
  MusicControl* Music() const { return music_; }
  void SetMusic(MusicControl* music) { music_ = music; }

  // The layout editor's side of a click in the editor (button, board-relative
  // pixel position, tile under it). Set by the editor.
  using EditorClickHandler = std::function<void(MouseButton, int, int, int)>;
  void SetEditorClick(EditorClickHandler handler) { editorClick_ = std::move(handler); }
  bool HasEditorClick() const { return static_cast<bool>(editorClick_); }
  // The layout editor's side of Activate (add a place) and Delete (remove
  // one) at the place cursor's one-based cell. Set by the editor.
  using EditorKeyHandler = std::function<void(BoardKey, board::Cell)>;
  void SetEditorKey(EditorKeyHandler handler) { editorKey_ = std::move(handler); }

  // Tests and sorami-tool: when set, every "seed from the clock" sets the
  // generator to exactly this value instead.
  const std::optional<std::uint32_t>& ClockSeedOverride() const { return clockSeedOverride_; }
  void SetClockSeedOverride(std::optional<std::uint32_t> seed) { clockSeedOverride_ = seed; }

  HallOfFame& Hall() { return hall_; }
  const HallOfFame& Hall() const { return hall_; }
  // Raised while the help window shows a new record (its name field).
  bool NewRecordShown() const { return newRecordShown_; }

  // ---------------------------------------------------------------- game control
  // "New": a game of the kind last played (Rivers and Memory of the last
  // difficulty).
  void NewGame();
  void BeginGame();
  void NewRandomGame();
  void NewNumberedGame();
  void NewRandomNumberedGame();
  void NewTwoPlayerGame();
  void NewRiversGame(Difficulty level);
  void NewMemoryGame(Difficulty level);
  void TogglePause();
  void Stop();
  void GameOver();
  // The 50 ms timer.
  void Tick();
  // Focus changes of the application.
  void OnApplicationActivated();
  void OnApplicationDeactivated();
  // Opens the help window on a page, pausing a running game around it.
  void OpenHelp(HelpPage page);

  // ---------------------------------------------------------------- moves
  void RemoveSelectedPair();
  void ReleaseSameTileClickedTwice();
  void PutBackLastPair();
  void TakeBackMove();
  void Back();
  void Restart();
  void Hint();
  // "Back to Last Winnable Position": takes moves back, as "Back" does, until
  // the position can be won again.
  void BackToLastWinnablePosition();
  void Shuffle();
  // The winnable shuffle; false when it fell back to the plain shuffle.
  bool ShuffleWinnably();
  void ShowCounters();

  // ---------------------------------------------------------------- options
  void ToggleVerticalRule();
  void ToggleShowTime();
  void ToggleShowMovesLeft();
  void ToggleWinnableDeals() { options_.Winnable = !options_.Winnable; }
  void ToggleWinnableShuffles() { options_.Shuffable = !options_.Shuffable; }
  void ToggleTellUnwinnable();
  void ToggleWinnableHints() { options_.WinnableHints = !options_.WinnableHints; }
  void ToggleAnimateDeal() { options_.Animate = !options_.Animate; }
  void ToggleAnimateRiverSlides() { options_.AnimateTileRivers = !options_.AnimateTileRivers; }
  void ToggleHallOfFameTiming() { options_.EnableHall = !options_.EnableHall; }
  void ToggleScrollingStatus() { options_.ScrollingStatus = !options_.ScrollingStatus; }
  void ToggleStartupGame() { options_.StartupGame = !options_.StartupGame; }
  void ToggleSwitchTo800x600() { options_.SwitchTo800x600 = !options_.SwitchTo800x600; }
  void ToggleInvertSelection() { options_.Invert = !options_.Invert; }
  void ToggleOnlyPossibleMoves() { options_.OnlyPossibleMoves = !options_.OnlyPossibleMoves; }
  void ToggleShadows();
  void ToggleShowCurrentTile();
  // "&Highlight": None; one of the rectangles (mode 1 red, 3 green, 4 blue);
  // Colored Tile.
  void SetHighlightNone();
  void SetHighlightRectangle(int mode);
  void SetHighlightColouredTile();

  // ---------------------------------------------------------------- layouts
  // Start-up discovery of ProgramDir/Layouts; false when no layout exists
  // (the program then closes). storedBoardNumber: the settings value.
  bool DiscoverLayouts(int storedBoardNumber);
  // Start-up: load the game's layout file without starting a game.
  void LoadLayoutAtStartup();
  bool LoadingAtStartup() const { return loadingAtStartup_; }
  // A layout item of the menu (1-based layout number).
  void ChooseLayout(int item);
  void ChooseShpLayout(int item);
  // Read the layout file and start a game on it; false (the player told why,
  // the layout unchanged) when it cannot be read.
  bool StartLayoutFile(const std::string& file);
  bool StartShpLayout();

  // ---------------------------------------------------------------- pointer
  // Pixel positions of the board image as the window receives them.
  board::Geometry BoardGeometry() const { return board::Geometry(board::BoardOrigin{originX_, originY_}); }
  void OnPointerReleased(MouseButton button, int x, int y);
  void ClickTileAt(int x, int y, MouseButton button);
  void OnPointerMoved(int x, int y);
  // The editor's place cursor for the pointer at board pixel (x, y): the
  // zero-based cell where a place could be added, or (-1, -1, -1).
  board::Cell EditorCursorAt(int x, int y) const;
  // After the editor changed the board under a pointer that has not moved:
  // the place cursor goes where the pointer now points. The caller redraws.
  void FollowPointerInEditor();
  // The pointer went off the board image: where it is is no longer known.
  void PointerLeftBoard() { pointerX_ = pointerY_ = -1; }
  void AcknowledgeTile(int tile);

  // ---------------------------------------------------------------- keyboard
  // A key on the board: the arrows, Tab and Shift+Tab, Home and End move the
  // cursor, Activate does what a left click on its tile does, Escape lets go
  // of the selection; in the editor the arrows and Page Up and Down move the
  // place cursor, Activate adds a place and Delete removes one. True when
  // the key did something (the window leaves other keys to the menus).
  bool OnBoardKey(BoardKey key);
  // The tiles the keyboard cursor can rest on now.
  TileCursorMap CursorMap() const;
  // The tile the keyboard cursor shows: 0 while it is hidden, or when its
  // tile has left the board.
  int CursorTileShown() const;
  // What a screen reader says of the cursor: the tile it shows ("Bamboo 3,
  // free, selected"), or the editor's place cursor; empty when none shows.
  std::string CursorDescription() const;

  // ---------------------------------------------------------------- status and drawing
  void ShowStatus(const std::string& text);
  void FullRedraw();
  void RedrawTile(int tile);
  // Redraw of the picture area of one place (one-based anchor).
  void RedrawArea(board::Cell place);
  void ShowBackground();
  void PlaySound(const char* name);

  // ---------------------------------------------------------------- rules
  // Free by the rule in force (always in Rivers and in the editor).
  bool TileFree(int tile) const;
  // Recounts FreeTiles and MovesLeft (only in one- and two-player solitaire).
  void RecountFreeTiles();
  // Rivers: can tile t (clicked second) reach tile s (clicked first)? May
  // slide s along the path (the game's Slide) when the animation is on.
  bool CanBeReached(int t, int s);
  // Game time: elapsed seconds plus penalty.
  int GameTime() const { return game_.GameTime(); }

  // ---------------------------------------------------------------- hall of fame
  // Does a game time enter the table of the game in hand (below its rank 10)?
  bool Qualifies(int seconds) const;
  // Enters the finished game into its table.
  void EnterHallOfFame();
  // "Hallfame.ini" at start-up (after the layout list is known) and at exit:
  // the tables of every layout of the list and of the four variants.
  void LoadHallOfFame(const base::IniFile& ini) { hall_.Load(ini, LayoutNames()); }
  void SaveHallOfFame(base::IniFile& ini) const { hall_.Save(ini, LayoutNames()); }

  // ---------------------------------------------------------------- two-player banner
  // Time used so far by player 1 or 2, in ms, as the banner shows it.
  std::uint32_t PlayerShownTime(int player);
  std::string PlayerTimeText(int player);
  // Is the label "PLAY 1" / "PLAY 2" on show at this tick count?
  bool Player1LabelVisible(std::uint32_t tick) const;
  bool Player2LabelVisible(std::uint32_t tick) const;

  // ---------------------------------------------------------------- winnability
  // The worker that decides each new position (tests and tools wait on it).
  WinnabilityWatch& Watch() { return watch_; }
  // What is known of the positions "Back" can return to (index: moves made).
  const LineKnowledge& KnownPositions() const { return lineKnown_; }
  // The current position and the moves "Back" would take back.
  PlayLine CurrentLine() const;
  // A move was made or taken back (newLine: the board was dealt, shuffled or
  // laid out anew, so nothing known of earlier positions holds any more).
  void PositionChanged(bool newLine);

  // Sets the generator from the clock (or from the clock-seed override).
  void SeedFromClock();
  std::uint32_t Now() { return time_.TickCount(); }

 private:
  // The kinds carry out their part of the game on the engine's state.
  friend class GameRules;
  friend class SolitaireRules;
  friend class TwoPlayerRules;
  friend class RiversRules;
  friend class MemoryRules;
  friend class EditorRules;

  // Deal animation.
  void ShowWholeBoard() override;
  void ShowTile(int t) override;

  board::SeedChoice DealSeed();
  void Deal(bool animateTiles);
  // True (with a status text) when the layout has no place to deal on.
  bool RefuseEmptyLayout();
  void ResetForNewGame();
  void TakeBackLayoutNumber();
  // Before a Rivers or Memory game: its table number goes into BoardNumber,
  // the solitaire layout is kept to come back to.
  void EnterVariantTable(GameKind kind, Difficulty level);
  void ClearPausedCaptions();
  // Starts the Rivers or Memory game just dealt onto the board: a fresh
  // clock and picks, `startedText` on the status line, the board shown.
  void StartDealtVariant(GameKind kind, const std::string& startedText);
  void StatusStep();
  void MemoryJudgement();
  void PassTurn();
  void PlainShuffle();
  void RiversPairResolution(int s, int t);
  void MoveRiverTiles(int x, int y, int z);
  // The selection step of the solitaire kinds and Rivers: the first and the
  // second pick, each taken only when the tile is free.
  void PickFreeTile(int tile);
  // Two picks of different groups: the second becomes the selection.
  void KeepSecondPick();
  void LayoutSelected();
  // Hands a new position to the worker and takes in its answers (every tick).
  void WatchWinnability();
  bool WinningHint();
  bool EditorKeyPressed(BoardKey key);
  // The cursor onto a tile (0: nowhere), shown or not, with the redraws.
  void PutCursor(int tile, bool shown);
  // The pointer moved over a tile: the cursor follows it, hidden.
  void CursorFollowsPointer(int tile);
  board::Solver& UiSolver();

  TimePort& time_;
  ScreenPort& screen_;
  SoundPort& sound_;
  HallOfFame hall_;
  int layoutsLeftOut_ = 0;  // layout files beyond the 99 the list holds

  GameState game_;
  board::RemovalOrder lastRemovalOrder_;
  board::DealOutcome lastDealOutcome_ = board::DealOutcome::Plain;
  board::LayoutList layouts_;
  bool loadingAtStartup_ = false;

  std::uint8_t hoverTile_ = 0;
  std::int32_t pointedTile_ = 0;
  std::int32_t previousPointedTile_ = 0;
  board::Cell editorCursor_{-1, -1, -1};
  KeyboardCursor cursor_;
  int pointerX_ = -1;
  int pointerY_ = -1;
  std::int32_t highlightMode_ = 3;
  int originX_ = board::Geometry::WideOrigin.OriginX;
  int originY_ = board::Geometry::WideOrigin.OriginY;
  bool panelRefreshPending_ = false;

  std::string statusMessage_ = " ";
  std::string statusShown_ = " ";
  int statusPos_ = 0;
  int statusLength_ = 0;
  int statusDirection_ = 1;
  std::uint32_t tickCounter_ = 0;
  std::string counterTiles_, counterMoves_, counterTime_;

  std::string playerName_ = "Player1";
  std::string programDir_;
  std::string userDir_;
  Options options_;
  MusicControl* music_ = nullptr;
  EditorClickHandler editorClick_;
  EditorKeyHandler editorKey_;
  std::optional<std::uint32_t> clockSeedOverride_;
  bool newRecordShown_ = false;

  // Winnability: positions change serial on every move; the worker's answer
  // counts only for the serial it was asked about.
  WinnabilityWatch watch_;
  std::unique_ptr<board::Solver> uiSolver_;
  std::uint64_t positionSerial_ = 1;
  std::uint64_t submittedSerial_ = 0;
  LineKnowledge lineKnown_{};
  bool unwinnableTold_ = false;
  std::vector<board::TilePair> winningOrder_;
  std::uint64_t winningOrderSerial_ = 0;
};

}  // namespace game
