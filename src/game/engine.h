#pragma once
// The game engine: one object that owns the whole game state for the run and
// carries out every command a menu, a toolbar button, the pointer or the
// 50 ms timer triggers. It knows nothing of windows: it talks to the world
// only through the ports (time, screen, sound), and the window and the view
// read its public state to paint.
//
// Game modes (GameMode, one byte): 0 idle, 1 one-player solitaire,
// 2 two-player solitaire, 3 Rivers, 4 Memory, 5 layout editor, 6 finished,
// 7 stopped, 8 paused.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/texts.h"
#include "board/board.h"
#include "board/dealing.h"
#include "board/geometry.h"
#include "board/generator.h"
#include "board/layout_list.h"
#include "game/hall_of_fame.h"
#include "game/options.h"
#include "game/ports.h"
#include "game/time_text.h"
#include "game/winnability.h"

namespace game {

class MusicControl;

// GameMode codes.
inline constexpr std::uint8_t ModeIdle = 0;
inline constexpr std::uint8_t ModeSolitaire = 1;
inline constexpr std::uint8_t ModeTwoPlayer = 2;
inline constexpr std::uint8_t ModeRivers = 3;
inline constexpr std::uint8_t ModeMemory = 4;
inline constexpr std::uint8_t ModeEditor = 5;
inline constexpr std::uint8_t ModeFinished = 6;
inline constexpr std::uint8_t ModeStopped = 7;
inline constexpr std::uint8_t ModePaused = 8;

// BoardNumber values of the Rivers and Memory games: they are the numbers of
// those games' hall-of-fame tables.
inline constexpr int RiversEasyBoard = kRiversEasyTable;
inline constexpr int RiversHardBoard = kRiversHardTable;
inline constexpr int MemoryEasyBoard = kMemoryEasyTable;
inline constexpr int MemoryHardBoard = kMemoryHardTable;

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

enum class MouseButton { Left, Middle, Right };

// One removed tile: the pair of the k-th move is at entries 2k and 2k + 1.
struct HistoryEntry {
  std::uint8_t tile = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
};

class Engine : private board::DealObserver {
 public:
  Engine(TimePort& time, ScreenPort& screen, SoundPort& sound);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // ---------------------------------------------------------------- state
  // The board with its counters (Board, TilePlaces, TilesLeft, TileCount,
  // FreeCount, FreeTiles, MovesLeft).
  board::BoardState State;
  // The current layout's place flags.
  board::LayoutGrid Layout;
  // The one random source.
  board::Generator Generator;
  // Removal order of the last winnable deal (a complete solution of it),
  // and how that deal went.
  board::RemovalOrder LastRemovalOrder;
  board::DealOutcome LastDealOutcome = board::DealOutcome::Plain;

  // Layout list and the current layout.
  board::LayoutList Layouts;
  int BoardNumber = -1;          // 1..LayoutCount, or 100/101/110/111
  int SavedLayoutNumber = 1;     // the solitaire layout before a Rivers/Memory game
  std::string CurrentLayoutFile;
  std::string CurrentLayoutName = "External Layout";
  bool LoadingAtStartup = false;
  int LayoutCount() const { return Layouts.LayoutCount(); }
  // The captions of the layout list, layout i at index i - 1.
  std::vector<std::string> LayoutNames() const;
  // The layout whose menu item carries the check mark (also while a Rivers
  // or Memory game holds 100..111 in BoardNumber).
  int CheckedLayout() const { return BoardNumber < RiversEasyBoard ? BoardNumber : SavedLayoutNumber; }

  std::array<HistoryEntry, board::MaxTiles> MoveHistory{};

  // Mode and clock.
  std::uint8_t GameMode = ModeIdle;
  std::uint8_t ModeBeforePause = ModeStopped;
  std::uint32_t StartTick = 0;      // ms tick the running game is timed from
  std::uint32_t PausedElapsed = 0;  // ms of play at the moment of pausing
  std::int32_t ElapsedSeconds = 0;
  std::int32_t TimePenalty = 0;
  bool BoardFinished = false;
  bool GameOverHandled = false;
  std::int32_t GameSeed = 0;        // number of a specific game (<= 0: none)

  // Selection, hint and pointer.
  std::uint8_t SelectedTile1 = 0;
  std::uint8_t SelectedTile2 = 0;
  std::int32_t HintTile1 = 0;
  std::int32_t HintTile2 = 0;
  std::int32_t HintIndex = 0;
  bool NoMovesShown = false;
  std::uint8_t HoverTile = 0;
  std::int32_t PointedTile = 0;
  std::int32_t PreviousPointedTile = 0;
  board::Cell EditorCursor{-1, -1, -1};  // zero-based cell; (-1,-1,-1) = none
  // Where the pointer was last seen over the board image (its pixels);
  // -1 before it was.
  int PointerX = -1;
  int PointerY = -1;
  std::int32_t HighlightMode = 3;        // 0 none, 1 red, 2 coloured, 3 green, 4 blue
  int OriginX = board::Geometry::WideOrigin.OriginX;  // grid origin in the board picture
  int OriginY = board::Geometry::WideOrigin.OriginY;
  bool PanelRefreshPending = false;

  // Rivers slide.
  bool RiverSlideActive = false;
  int SlidingTile = 0;
  int SlideX = 0;
  int SlideY = 0;

  // Memory: ticks left before the two turned tiles are judged.
  std::int32_t RevealCountdown = 0;

  // Two-player solitaire (times in milliseconds).
  bool Player2ToMove = false;
  std::uint32_t Player1Time = 0;
  std::uint32_t Player2Time = 0;
  std::uint32_t Player1TurnStart = 0;
  std::uint32_t Player2TurnStart = 0;

  // Status line.
  std::string StatusMessage = " ";
  std::string StatusShown = " ";  // the caption on show
  int StatusPos = 0;
  int StatusLength = 0;
  int StatusDirection = 1;
  std::uint32_t TickCounter = 0;
  // The three counter fields as last shown (tiles left, moves left, time).
  std::string CounterTiles, CounterMoves, CounterTime;

  std::string CurrentPlayerName = "Player1";
  std::string ProgramDir;  // every data path is built from it (UTF-8)
  // Where the player's own files go (Folders::User): the hall of fame and the
  // layouts made in the editor. Empty, or ProgramDir, for a copy that keeps
  // them beside itself.
  std::string UserDir;
  // The player's own layouts folder when it lies apart from the shipped one;
  // empty otherwise.
  std::string UserLayoutsDir() const;

  Options Opt;

  // The music logic; its end-of-piece check runs in every tick while
  // "Play music" is on. Owned by the window.
  MusicControl* Music = nullptr;

  // The layout editor's side of a click in mode 5 (button, board-relative
  // pixel position, tile under it). Set by the editor.
  std::function<void(MouseButton, int, int, int)> EditorClick;

  // Tests and sorami-tool: when set, every "seed from the clock" sets the
  // generator to exactly this value instead.
  std::optional<std::uint32_t> ClockSeedOverride;

  HallOfFame& Hall() { return hall_; }
  const HallOfFame& Hall() const { return hall_; }
  // Raised while the help window shows a new record (its name field).
  bool NewRecordShown = false;

  // ---------------------------------------------------------------- game control
  void SetMode(std::uint8_t code) { GameMode = code; }
  // "New": a game of the kind last played.
  void NewGame();
  void BeginGame();
  void NewRandomGame();
  void NewNumberedGame();
  void NewRandomNumberedGame();
  void NewTwoPlayerGame();
  // caption: the invoking command's caption ("Mah-Jongg Rivers : New Game
  // (Hard)", "MJ Memory (Easy)", ...); any other text keeps the difficulty.
  void NewRiversGame(const std::string& caption);
  void NewMemoryGame(const std::string& caption);
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
  void ToggleWinnableDeals() { Opt.Winnable = !Opt.Winnable; }
  void ToggleWinnableShuffles() { Opt.Shuffable = !Opt.Shuffable; }
  void ToggleTellUnwinnable();
  void ToggleWinnableHints() { Opt.WinnableHints = !Opt.WinnableHints; }
  void ToggleAnimateDeal() { Opt.Animate = !Opt.Animate; }
  void ToggleAnimateRiverSlides() { Opt.AnimateTileRivers = !Opt.AnimateTileRivers; }
  void ToggleHallOfFameTiming() { Opt.EnableHall = !Opt.EnableHall; }
  void ToggleScrollingStatus() { Opt.ScrollingStatus = !Opt.ScrollingStatus; }
  void ToggleStartupGame() { Opt.StartupGame = !Opt.StartupGame; }
  void ToggleSwitchTo800x600() { Opt.SwitchTo800x600 = !Opt.SwitchTo800x600; }
  void ToggleInvertSelection() { Opt.Invert = !Opt.Invert; }
  void ToggleOnlyPossibleMoves() { Opt.OnlyPossibleMoves = !Opt.OnlyPossibleMoves; }
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
  // Start-up: load CurrentLayoutFile without starting a game.
  void LoadLayoutAtStartup();
  // A layout item of the menu (1-based layout number).
  void ChooseLayout(int item);
  void ChooseShpLayout(int item);
  // Read the layout file and start a game on it; false (the player told why,
  // the layout unchanged) when it cannot be read.
  bool StartLayoutFile(const std::string& file);
  bool StartShpLayout();

  // ---------------------------------------------------------------- pointer
  // Pixel positions of the board image as the window receives them.
  board::Geometry BoardGeometry() const { return board::Geometry(board::BoardOrigin{OriginX, OriginY}); }
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
  void PointerLeftBoard() { PointerX = PointerY = -1; }
  void AcknowledgeTile(int tile);

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
  // slide s along the path (SlidingTile) when the animation is on.
  bool CanBeReached(int t, int s);
  // Game time: elapsed seconds plus penalty.
  int GameTime() const { return ElapsedSeconds + TimePenalty; }

  // ---------------------------------------------------------------- hall of fame
  // Does a game time enter table BoardNumber (below its rank 10)?
  bool Qualifies(int seconds) const;
  // Enters the finished game into table BoardNumber.
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

  // Sets the generator from the clock (or from ClockSeedOverride).
  void SeedFromClock();
  std::uint32_t Now() { return time_.TickCount(); }

 private:
  // Deal animation.
  void ShowWholeBoard() override;
  void ShowTile(int t) override;

  board::SeedChoice DealSeed();
  void Deal(bool animateTiles);
  // True (with a status text) when the layout has no place to deal on.
  bool RefuseEmptyLayout();
  void ResetForNewGame();
  void TakeBackLayoutNumber();
  void ClearPausedCaptions();
  void StatusStep();
  void MemoryJudgement();
  void TwoPlayerEnd();
  void PassTurn();
  void PlainShuffle();
  void RiversPairResolution(int s, int t);
  void MoveRiverTiles(int x, int y, int z);
  bool RiverSegment(int level, int x, int y, int z, int dx, int dy, int bx, int by);
  void LayoutSelected();
  // Hands a new position to the worker and takes in its answers (every tick).
  void WatchWinnability();
  bool WinningHint();
  board::Solver& UiSolver();

  TimePort& time_;
  ScreenPort& screen_;
  SoundPort& sound_;
  HallOfFame hall_;
  int layoutsLeftOut_ = 0;  // layout files beyond the 99 the list holds

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
