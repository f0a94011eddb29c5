#include "app/commands.h"

#include <QtGlobal>

#include "app/main_window.h"
#include "game/engine.h"
#include "game/music_control.h"
#include "view/looks.h"

namespace app {

namespace {

// The engine is told the English caption; the menu shows it translated.
const char* const kRiversEasy = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Rivers : New Game (Easy)");
const char* const kRiversHard = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Rivers : New Game (Hard)");
const char* const kMemoryEasy = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Memory : New Game (Easy)");
const char* const kMemoryHard = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Memory : New Game (Hard)");

}  // namespace

std::vector<Command> MakeCommands(const CommandTargets& targets) {
  MainWindow& w = targets.Window;
  game::Engine& e = targets.Engine;
  game::MusicControl& music = targets.Music;
  view::Looks& looks = targets.Looks;
  game::Options& o = e.MutableOptions();
  using Id = CommandId;
  using B = ToolBar::Button;
  using BG = view::BackgroundItem;
  using TS = view::TilesetItem;
  auto option = [&o](bool game::Options::* flag) { return [&o, flag] { return o.*flag; }; };
  auto mode = [&e](int value) { return [&e, value] { return e.HighlightMode() == value; }; };
  auto ticked = [&looks](auto item) { return [&looks, item] { return looks.Ticked(item); }; };
  auto help = [&e](game::HelpPage page) { return [&e, page] { e.OpenHelp(page); }; };
  const QKeySequence none;

  return {
      // File
      {Id::NewRandomGame, QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Solitaire : New Fully Random Game"),
       Qt::Key_F2, B::New, {}, {}, [&e] { e.NewRandomGame(); }},
      {Id::NewRandomNumberedGame, QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Solitaire : New Random Specific Game"),
       none, B::New, {}, {}, [&e] { e.NewRandomNumberedGame(); }},
      {Id::NewNumberedGame, QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Solitaire : New Specific Game"),
       none, B::New, {}, {}, [&e] { e.NewNumberedGame(); }},
      {Id::NewTwoPlayerGame, QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Solitaire : New 2-Player Game"),
       Qt::SHIFT | Qt::Key_F2, B::New, {}, {}, [&e] { e.NewTwoPlayerGame(); }},
      {Id::NewRiversEasy, kRiversEasy, Qt::Key_F3, B::New, {}, {},
       [&e] { e.NewRiversGame(game::Difficulty::Easy); }},
      {Id::NewRiversHard, kRiversHard, Qt::SHIFT | Qt::Key_F3, B::New, {}, {},
       [&e] { e.NewRiversGame(game::Difficulty::Hard); }},
      {Id::NewMemoryEasy, kMemoryEasy, Qt::Key_F4, B::New, {}, {},
       [&e] { e.NewMemoryGame(game::Difficulty::Easy); }},
      {Id::NewMemoryHard, kMemoryHard, Qt::SHIFT | Qt::Key_F4, B::New, {}, {},
       [&e] { e.NewMemoryGame(game::Difficulty::Hard); }},
      {Id::OpenGame, QT_TRANSLATE_NOOP("app::MainWindow", "Open Game..."), Qt::CTRL | Qt::Key_O, {}, {}, {},
       [&w] { w.OpenGame(); }},
      {Id::SaveGameAs, QT_TRANSLATE_NOOP("app::MainWindow", "Save Game As..."), Qt::CTRL | Qt::SHIFT | Qt::Key_S, {},
       {}, {}, [&w] { w.SaveGameAs(); }},
      {Id::Exit, QT_TRANSLATE_NOOP("app::MainWindow", "E&xit"), Qt::CTRL | Qt::Key_C, B::Exit,
       B::Exit, {}, [&w] { w.Exit(); }},

      // Play
      {Id::Back, QT_TRANSLATE_NOOP("app::MainWindow", "&Back"), Qt::CTRL | Qt::Key_Z, B::Back,
       B::Back, {}, [&e] { e.Back(); }},
      {Id::BackToLastWinnable, QT_TRANSLATE_NOOP("app::MainWindow", "Back to Last Winnable Position"),
       Qt::CTRL | Qt::SHIFT | Qt::Key_Z, {}, {}, {}, [&e] { e.BackToLastWinnablePosition(); }},
      {Id::Hint, QT_TRANSLATE_NOOP("app::MainWindow", "&Hint"), Qt::CTRL | Qt::Key_H, B::Hint,
       B::Hint, {}, [&e] { e.Hint(); }},
      {Id::Pause, QT_TRANSLATE_NOOP("app::MainWindow", "&Pause"), Qt::Key_F12, B::Pause, B::Pause,
       {}, [&e] { e.TogglePause(); }},
      {Id::Shuffle, QT_TRANSLATE_NOOP("app::MainWindow", "Shu&ffle"), Qt::CTRL | Qt::Key_S,
       B::Shuffle, B::Shuffle, {}, [&e] { e.Shuffle(); }},
      {Id::Stop, QT_TRANSLATE_NOOP("app::MainWindow", "&Stop"), Qt::CTRL | Qt::Key_X, {}, {}, {},
       [&e] { e.Stop(); }},
      {Id::Restart, QT_TRANSLATE_NOOP("app::MainWindow", "&Restart"), Qt::CTRL | Qt::Key_R, {}, {},
       {}, [&e] { e.Restart(); }},
      {Id::PlayerName, QT_TRANSLATE_NOOP("app::MainWindow", "&Player Name"), none, {}, {}, {},
       help(game::HelpPage::Options)},
      {Id::RandomSeed, QT_TRANSLATE_NOOP("app::MainWindow", "Random Seed"), none, {}, {},
       option(&game::Options::NumberedGames), help(game::HelpPage::Options)},
      {Id::VerticalRule, QT_TRANSLATE_NOOP("app::MainWindow", "Vertical Variation"), none, {}, {},
       option(&game::Options::Vertical), [&e] { e.ToggleVerticalRule(); }},

      // View
      {Id::InvertSelection, QT_TRANSLATE_NOOP("app::MainWindow", "&Invert selection"), none, {},
       {}, option(&game::Options::Invert), [&e] { e.ToggleInvertSelection(); }},
      {Id::CoolMenu, QT_TRANSLATE_NOOP("app::MainWindow", "Cool Menu"), none, {}, {},
       option(&game::Options::CoolMenu), [&w] { w.ToggleCoolMenu(); }},
      {Id::CoolMouse, QT_TRANSLATE_NOOP("app::MainWindow", "Cool Mouse"), none, {}, {},
       option(&game::Options::CoolMouse), [&w] { w.ToggleCoolMouse(); }},
      {Id::CoolToolbar, QT_TRANSLATE_NOOP("app::MainWindow", "Cool Toolbar"), none, {}, {},
       option(&game::Options::CoolToolbar), [&w] { w.ToggleCoolToolbar(); }},
      {Id::FlatButtons, QT_TRANSLATE_NOOP("app::MainWindow", "Cool Buttons"), none, {}, {},
       option(&game::Options::FlatButtons), [&w] { w.ToggleFlatButtons(); }},
      {Id::ScrollingStatus, QT_TRANSLATE_NOOP("app::MainWindow", "Cool Status"), none, {}, {},
       option(&game::Options::ScrollingStatus), [&e] { e.ToggleScrollingStatus(); }},
      {Id::ShowTime, QT_TRANSLATE_NOOP("app::MainWindow", "&Show Time Left"), Qt::CTRL | Qt::Key_L,
       {}, {}, option(&game::Options::ShowTime), [&e] { e.ToggleShowTime(); }},
      {Id::ShowMovesLeft, QT_TRANSLATE_NOOP("app::MainWindow", "Show &Moves Left"),
       Qt::CTRL | Qt::Key_M, {}, {}, option(&game::Options::ShowMovesLeft),
       [&e] { e.ToggleShowMovesLeft(); }},
      {Id::ShowHallOfFame, QT_TRANSLATE_NOOP("app::MainWindow", "Show Hall of &Fame"),
       Qt::CTRL | Qt::Key_F, {}, {}, option(&game::Options::ShowHallOfFame),
       [&w] { w.ToggleHallOfFame(); }},
      {Id::ShowStatusBar, QT_TRANSLATE_NOOP("app::MainWindow", "Show Status Bar"),
       Qt::CTRL | Qt::Key_B, {}, {}, option(&game::Options::ShowStatusBar),
       [&w] { w.ToggleStatusBar(); }},
      {Id::ShowToolbar, QT_TRANSLATE_NOOP("app::MainWindow", "Show &Toolbar"), Qt::CTRL | Qt::Key_T,
       {}, {}, option(&game::Options::ShowToolbar), [&w] { w.ToggleToolbar(); }},
      {Id::ZoomIn, QT_TRANSLATE_NOOP("app::MainWindow", "Zoom In"), Qt::CTRL | Qt::Key_Plus, {}, {}, {},
       [&w] { w.ZoomIn(); }},
      {Id::ZoomOut, QT_TRANSLATE_NOOP("app::MainWindow", "Zoom Out"), Qt::CTRL | Qt::Key_Minus, {}, {}, {},
       [&w] { w.ZoomOut(); }},
      {Id::ActualSize, QT_TRANSLATE_NOOP("app::MainWindow", "Actual Size"), Qt::CTRL | Qt::Key_0, {}, {},
       {}, [&w] { w.ActualSize(); }},
      {Id::FitToWindow, QT_TRANSLATE_NOOP("app::MainWindow", "Fit to Window"), none, {}, {},
       [&w] { return w.FitsToWindow(); }, [&w] { w.ToggleFitToWindow(); }},

      // Highlight
      {Id::HighlightNone, QT_TRANSLATE_NOOP("app::MainWindow", "None"), none, {}, {}, mode(0),
       [&e] { e.SetHighlightNone(); }},
      {Id::HighlightRed, QT_TRANSLATE_NOOP("app::MainWindow", "Red Rectangle"), none, {}, {},
       mode(1), [&e] { e.SetHighlightRectangle(1); }},
      {Id::HighlightGreen, QT_TRANSLATE_NOOP("app::MainWindow", "Green Rectangle"), none, {}, {},
       mode(3), [&e] { e.SetHighlightRectangle(3); }},
      {Id::HighlightBlue, QT_TRANSLATE_NOOP("app::MainWindow", "Blue Rectangle"), none, {}, {},
       mode(4), [&e] { e.SetHighlightRectangle(4); }},
      {Id::HighlightColouredTile, QT_TRANSLATE_NOOP("app::MainWindow", "Colored Tile"), none, {},
       {}, mode(2), [&e] { e.SetHighlightColouredTile(); }},
      {Id::ShowCurrentTile, QT_TRANSLATE_NOOP("app::MainWindow", "Show Current Tile"), none, {},
       {}, option(&game::Options::ShowCurrentTile), [&e] { e.ToggleShowCurrentTile(); }},
      {Id::OnlyPossibleMoves, QT_TRANSLATE_NOOP("app::MainWindow", "Only Possible Moves"), none,
       {}, {}, option(&game::Options::OnlyPossibleMoves), [&e] { e.ToggleOnlyPossibleMoves(); }},

      // Configuration
      {Id::WinnableDeals, QT_TRANSLATE_NOOP("app::MainWindow", "Winnable Layouts (in at least one way)"),
       none, {}, {}, option(&game::Options::Winnable), [&e] { e.ToggleWinnableDeals(); }},
      {Id::WinnableShuffles, QT_TRANSLATE_NOOP("app::MainWindow", "Winnable Shuffles (in at least one way)"),
       none, {}, {}, option(&game::Options::Shuffable), [&e] { e.ToggleWinnableShuffles(); }},
      {Id::TellUnwinnable, QT_TRANSLATE_NOOP("app::MainWindow", "Tell when the game can no longer be won"),
       none, {}, {}, option(&game::Options::TellUnwinnable), [&e] { e.ToggleTellUnwinnable(); }},
      {Id::WinnableHints, QT_TRANSLATE_NOOP("app::MainWindow", "Hints keep the game winnable"),
       none, {}, {}, option(&game::Options::WinnableHints), [&e] { e.ToggleWinnableHints(); }},
      {Id::HallOfFameTiming, QT_TRANSLATE_NOOP("app::MainWindow", "Enable time tracking for the Hall of fame"),
       none, {}, {}, option(&game::Options::EnableHall), [&e] { e.ToggleHallOfFameTiming(); }},
      {Id::Shadows, QT_TRANSLATE_NOOP("app::MainWindow", "Enable 3D shadows on tilesets"), none,
       {}, {}, option(&game::Options::Shadows), [&e] { e.ToggleShadows(); }},
      {Id::StartupGame, QT_TRANSLATE_NOOP("app::MainWindow", "Begin game directly at startup"),
       none, {}, {}, option(&game::Options::StartupGame), [&e] { e.ToggleStartupGame(); }},
      {Id::ResumeLastGame, QT_TRANSLATE_NOOP("app::MainWindow", "Resume the last game at startup"), none, {}, {},
       option(&game::Options::ResumeLastGame), [&o] { o.ResumeLastGame = !o.ResumeLastGame; }},
      {Id::SwitchTo800x600, QT_TRANSLATE_NOOP("app::MainWindow", "Switch to 800x600 at startup"),
       none, {}, {}, option(&game::Options::SwitchTo800x600),
       [&e] { e.ToggleSwitchTo800x600(); }},
      {Id::AnimateDeal, QT_TRANSLATE_NOOP("app::MainWindow", "Animate Board while building the tiles"),
       none, {}, {}, option(&game::Options::Animate), [&e] { e.ToggleAnimateDeal(); }},
      {Id::AnimateRiverSlides, QT_TRANSLATE_NOOP("app::MainWindow", "Animate Tile Rivers in Mahjongg Rivers"),
       none, {}, {}, option(&game::Options::AnimateTileRivers),
       [&e] { e.ToggleAnimateRiverSlides(); }},
      {Id::StartMusic, QT_TRANSLATE_NOOP("app::MainWindow", "Run music automatically at startup"),
       none, {}, {}, option(&game::Options::StartMusic), [&music] { music.ToggleStartMusic(); }},
      {Id::PlaySounds, QT_TRANSLATE_NOOP("app::MainWindow", "Play sound effects"), none, {}, {},
       option(&game::Options::PlaySounds), [&music] { music.TogglePlaySounds(); }},
      {Id::PlayMusic, QT_TRANSLATE_NOOP("app::MainWindow", "Play music"), none, {}, {},
       option(&game::Options::PlayMusic), [&music] { music.TogglePlayMusic(); }},

      // Background
      {Id::BackgroundFromFile, QT_TRANSLATE_NOOP("app::MainWindow", "Load from disk"), none, {},
       {}, ticked(BG::FromFile), [&looks] { looks.ChooseBackgroundFile(); }},
      {Id::BackgroundNone, QT_TRANSLATE_NOOP("app::MainWindow", "None"), none, {}, {},
       ticked(BG::None), [&looks] { looks.ChooseNoBackground(); }},
      {Id::BackgroundDragons, QT_TRANSLATE_NOOP("app::MainWindow", "&Dragons"), none, {}, {},
       ticked(BG::Dragons), [&looks] { looks.ChooseDragonsBackground(); }},
      {Id::BackgroundAndromeda, QT_TRANSLATE_NOOP("app::MainWindow", "Andromeda"), none, {}, {},
       ticked(BG::Andromeda), [&looks] { looks.ChooseAndromedaBackground(); }},
      {Id::BackgroundKanji, QT_TRANSLATE_NOOP("app::MainWindow", "&Kanji (classic)"), none, {}, {},
       ticked(BG::Kanji), [&looks] { looks.ChooseKanjiBackground(); }},
      {Id::BackgroundCatpats, QT_TRANSLATE_NOOP("app::MainWindow", "Catpats"), none, {}, {},
       ticked(BG::Catpats), [&looks] { looks.ChooseCatpatsBackground(); }},

      // Tileset
      {Id::TilesetFromFile, QT_TRANSLATE_NOOP("app::MainWindow", "Load from disk"), none, {}, {},
       ticked(TS::FromFile), [&looks] { looks.ChooseTilesetFile(); }},
      {Id::TilesetClassic, QT_TRANSLATE_NOOP("app::MainWindow", "Orange borders"), none, {}, {},
       ticked(TS::Classic), [&looks] { looks.ChooseClassicTileset(); }},
      {Id::TilesetDark, QT_TRANSLATE_NOOP("app::MainWindow", "Dark borders"), none, {}, {},
       ticked(TS::Dark), [&looks] { looks.ChooseDarkTileset(); }},
      {Id::TilesetBlue, QT_TRANSLATE_NOOP("app::MainWindow", "Blue borders"), none, {}, {},
       ticked(TS::Blue), [&looks] { looks.ChooseBlueTileset(); }},
      {Id::TilesetLowColour, QT_TRANSLATE_NOOP("app::MainWindow", "Few Colors"), none, {}, {},
       ticked(TS::LowColour), [&looks] { looks.ChooseLowColourTileset(); }},

      // Layout
      {Id::CreateLayout, QT_TRANSLATE_NOOP("app::MainWindow", "Create Layout"), none, {}, {}, {},
       [&w] {
         if (w.CreateLayoutHandler) w.CreateLayoutHandler();
       }},
      {Id::EditLayout, QT_TRANSLATE_NOOP("app::MainWindow", "Edit Layout"), none, {}, {}, {},
       [&w] {
         if (w.EditLayoutHandler) w.EditLayoutHandler();
       }},

      // Music
      {Id::RandomMusic, QT_TRANSLATE_NOOP("app::MainWindow", "Random Music"), none, {}, {},
       option(&game::Options::RandomMusic), [&music] { music.ToggleRandomMusic(); }},

      // Help
      {Id::HelpContents, QT_TRANSLATE_NOOP("app::MainWindow", "&Contents"), Qt::Key_F1, {},
       B::Help, {}, help(game::HelpPage::Help)},
      {Id::WhatsNew, QT_TRANSLATE_NOOP("app::MainWindow", "What's New"), none, {}, {}, {},
       help(game::HelpPage::WhatsNew)},
      {Id::FrenchHelp, QT_TRANSLATE_NOOP("app::MainWindow", "French Help"), none, {}, {}, {},
       help(game::HelpPage::French)},
      {Id::ViewTiles, QT_TRANSLATE_NOOP("app::MainWindow", "View Tiles"), none, {}, {}, {},
       help(game::HelpPage::Tiles)},
      {Id::HallOfFame, QT_TRANSLATE_NOOP("app::MainWindow", "&Hall of Fame"), Qt::Key_F10,
       B::HallOfFame, B::HallOfFame, {}, help(game::HelpPage::HallOfFame)},
      {Id::About, QT_TRANSLATE_NOOP("app::MainWindow", "&About..."), Qt::Key_F11, B::About,
       B::About, {}, help(game::HelpPage::About)},

      // The new-game pop-up
      {Id::PopupOnePlayer, QT_TRANSLATE_NOOP("app::MainWindow", "Solitaire (1-player)"), none, {},
       {}, {}, [&e] { e.NewRandomGame(); }},
      {Id::PopupTwoPlayer, QT_TRANSLATE_NOOP("app::MainWindow", "Solitaire (2-player)"), none, {},
       {}, {}, [&e] { e.NewTwoPlayerGame(); }},
      {Id::PopupRiversEasy, QT_TRANSLATE_NOOP("app::MainWindow", "MJ Rivers (Easy)"), none, {},
       {}, {}, [&e] { e.NewRiversGame(game::Difficulty::Easy); }},
      {Id::PopupRiversHard, QT_TRANSLATE_NOOP("app::MainWindow", "MJ Rivers (Hard)"), none, {},
       {}, {}, [&e] { e.NewRiversGame(game::Difficulty::Hard); }},
      {Id::PopupMemoryEasy, QT_TRANSLATE_NOOP("app::MainWindow", "MJ Memory (Easy)"), none, {},
       {}, {}, [&e] { e.NewMemoryGame(game::Difficulty::Easy); }},
      {Id::PopupMemoryHard, QT_TRANSLATE_NOOP("app::MainWindow", "MJ Memory (Hard)"), none, {},
       {}, {}, [&e] { e.NewMemoryGame(game::Difficulty::Hard); }},

      // The toolbar's own commands
      {Id::NewGame, "", none, {}, B::New, {}, [&e] { e.NewGame(); }},
      {Id::PauseOrResumeMusic, "", none, {}, B::Music, {},
       [&music] { music.PauseOrResumeMusic(); }},
  };
}

QKeySequence AlternateShortcut(CommandId id) {
  return id == CommandId::ZoomIn ? QKeySequence(Qt::CTRL | Qt::Key_Equal) : QKeySequence();
}

const std::vector<Menu>& Menus() {
  using Id = CommandId;
  const MenuItem separator;
  static const std::vector<Menu> menus{
      {MenuId::File, QT_TRANSLATE_NOOP("app::MainWindow", "&File"),
       {{Id::NewRandomGame}, {Id::NewRandomNumberedGame}, {Id::NewNumberedGame}, separator,
        {Id::NewTwoPlayerGame}, separator, {Id::NewRiversEasy}, {Id::NewRiversHard}, separator,
        {Id::NewMemoryEasy}, {Id::NewMemoryHard}, separator, {Id::OpenGame}, {Id::SaveGameAs}, separator,
        {Id::Exit}}},
      {MenuId::Play, QT_TRANSLATE_NOOP("app::MainWindow", "&Play"),
       {{Id::Back}, {Id::BackToLastWinnable}, {Id::Hint}, separator, {Id::Pause}, {Id::Shuffle},
        {Id::Stop}, {Id::Restart}, separator, {Id::PlayerName}, {Id::RandomSeed},
        {Id::VerticalRule}}},
      {MenuId::View, QT_TRANSLATE_NOOP("app::MainWindow", "View"),
       {{Id::InvertSelection}, separator, {Id::CoolMenu}, {Id::CoolMouse}, {Id::CoolToolbar},
        {Id::FlatButtons}, {Id::ScrollingStatus}, separator, {Id::ShowTime}, {Id::ShowMovesLeft},
        separator, {Id::ShowHallOfFame}, {Id::ShowStatusBar}, {Id::ShowToolbar}, separator, {Id::ZoomIn},
        {Id::ZoomOut}, {Id::ActualSize}, {Id::FitToWindow}}},
      {MenuId::Highlight, QT_TRANSLATE_NOOP("app::MainWindow", "&Highlight"),
       {{Id::HighlightNone}, separator, {Id::HighlightRed}, {Id::HighlightGreen},
        {Id::HighlightBlue}, separator, {Id::HighlightColouredTile}, separator,
        {Id::ShowCurrentTile}, {Id::OnlyPossibleMoves}}},
      {MenuId::Configuration, QT_TRANSLATE_NOOP("app::MainWindow", "&Configuration"),
       {{Id::WinnableDeals}, {Id::WinnableShuffles}, {Id::TellUnwinnable}, {Id::WinnableHints},
        separator, {Id::HallOfFameTiming}, {Id::Shadows}, {Id::StartupGame}, {Id::ResumeLastGame},
        {Id::SwitchTo800x600}, separator, {Id::AnimateDeal}, {Id::AnimateRiverSlides}, separator,
        {Id::StartMusic}, {Id::PlaySounds}, {Id::PlayMusic}}},
      {MenuId::Background, QT_TRANSLATE_NOOP("app::MainWindow", "&Background"),
       {{Id::BackgroundFromFile}, separator, {Id::BackgroundNone}, {Id::BackgroundDragons},
        {Id::BackgroundAndromeda}, {Id::BackgroundKanji}, {Id::BackgroundCatpats}}},
      {MenuId::Tileset, QT_TRANSLATE_NOOP("app::MainWindow", "Tileset"),
       {{Id::TilesetFromFile}, separator, {Id::TilesetClassic}, {Id::TilesetDark},
        {Id::TilesetBlue}, {Id::TilesetLowColour}}},
      // The layouts follow, one entry each.
      {MenuId::Layout, QT_TRANSLATE_NOOP("app::MainWindow", "&Layout"),
       {{Id::CreateLayout}, {Id::EditLayout}, separator}},
      // The music pieces follow, one entry each.
      {MenuId::Music, QT_TRANSLATE_NOOP("app::MainWindow", "M&usic"),
       {{Id::RandomMusic}, separator}},
      {MenuId::Help, QT_TRANSLATE_NOOP("app::MainWindow", "&Help"),
       {{Id::HelpContents}, {Id::WhatsNew}, {Id::FrenchHelp}, {Id::ViewTiles}, separator,
        {Id::HallOfFame}, {Id::About}}},
      // Its title is the product's name, never translated.
      {MenuId::NewGamePopup, "Sorami",
       {{Id::PopupOnePlayer}, {Id::PopupTwoPlayer}, {Id::PopupRiversEasy}, {Id::PopupRiversHard},
        {Id::PopupMemoryEasy}, {Id::PopupMemoryHard}}},
  };
  return menus;
}

}  // namespace app
