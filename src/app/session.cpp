#include "app/session.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/screen_adapter.h"
#include "base/file_io.h"
#include "board/layout_list.h"
#include "game/engine.h"
#include "game/game_keeper.h"
#include "game/hall_of_fame.h"
#include "game/music_control.h"
#include "game/user_folders.h"
#include "view/geometry.h"
#include "view/looks.h"

namespace app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A file that is there but cannot be read (no permission, a folder of that
// name) is named to the player at once; the run goes on with the defaults and
// the close will not overwrite the file.
void TellUnreadable(QWidget* parent, const base::IniFile& file, const QString& consequence) {
  if (file.LoadError().empty()) return;
  ShowMessage(parent, QMessageBox::Warning, QStringLiteral("Sorami"),
              Q(file.LoadError()) + QLatin1Char('\n') + consequence);
}

}  // namespace

// ---------------------------------------------------------------- start-up

void Session::Start() {
  MainWindow& w = window_;
  game::Engine& e = w.Engine();
  // 1. No game yet; a pause would return to "stopped".
  e.SetMode(game::GameKind::None, game::GamePhase::Idle);
  e.MutableGame().PhaseBeforePause = game::GamePhase::Stopped;

  // 2-6. The parts of the window; the program's folder is the current
  // directory.
  w.BuildParts();

  // 7. The settings file; the game kept from the last run lies beside the
  // hall of fame.
  ReadSettingsFile();
  w.keeper_ = std::make_unique<game::GameKeeper>(w.Files().User + game::CurrentGameFileName);
  w.BuildMenus();
  w.BuildEditor();

  // 8. The 800 x 600 switch. XRandR is only asked when the switch is on.
  w.SwitchDisplayMode();

  // 9. Where the grid sits in the board pictures.
  const view::BoardOrigin origin = view::OriginForScreenWidth(w.ScreenWidth());
  e.SetOrigin(origin.OriginX, origin.OriginY);

  // 10-12. Size and place the window; the panels then widen it without
  // moving it.
  w.PlaceWindow(loaded_);
  w.LayOut();
  w.RestoreWindowSize(loaded_);

  // 13. The music and layout lists and the hall of fame.
  if (!LoadFiles()) return;
  if (!ChooseStartLayout()) return;

  // 15. The pointer shape, the menus' title band, the toolbar's look.
  w.ApplyLooks();

  // 16. The hall-of-fame panel.
  if (e.Opt().ShowHallOfFame) w.Screen().ShowHallPanel();

  // 18. The counters of an empty game.
  e.MutableGame().Board.TilesLeft = board::MaxTiles;
  e.MutableGame().Board.TileCount = board::MaxTiles;
  e.MutableGame().Clock.ElapsedSeconds = 0;
  e.MutableGame().BoardFinished = false;
  e.MutableGame().GameOverHandled = false;
  e.MutableGame().Picks.NoMovesShown = false;
  e.SetPanelRefreshPending(false);

  // 19. The background and tileset entries of the stored choices.
  view::Looks& looks = w.Looks();
  looks.SetBackgroundCode(loaded_.Background);
  looks.SetTilesetCode(loaded_.Tileset);

  // 20. The current layout, without starting a game.
  e.LoadLayoutAtStartup();

  // 21-22. The music device and the current piece.
  w.Music().StartupMusic();

  // 24. The tileset and the background.
  looks.ActiveTilesetBackground();

  // 25. The game timer; the board image shows.
  w.StartTimer();
  started_ = true;
  w.RefreshFromEngine();
}

void Session::ReadSettingsFile() {
  MainWindow& w = window_;
  settingsFile_.Open(w.Files().SettingsFile());
  TellUnreadable(&w, settingsFile_,
                 tr("Sorami starts with its default settings and leaves the file as "
                                "it is."));
  loaded_ = ReadSettings(settingsFile_, w.ScreenWidth());
  game::Engine& e = w.Engine();
  e.MutableOptions() = loaded_.Options;
  e.SetHighlightMode(loaded_.Highlight);
  e.MutableGame().BoardNumber = loaded_.BoardNumber;
  e.MutableGame().GameSeed = loaded_.RandomSeed;
  e.SetPlayerName(loaded_.CurrentPlayer1);
  w.Music().MidiNumber = loaded_.MidiNumber;
  w.Looks().LastTilesetFile = loaded_.LastLoadedTileset;
  w.Looks().LastBackgroundFile = loaded_.LastLoadedBackground;
}

bool Session::LoadFiles() {
  MainWindow& w = window_;
  game::Engine& e = w.Engine();
  const QString& programDir = w.ProgramDir();
  // 1-3. The music pieces and their menu.
  if (w.Music().LoadMusicList(programDir.toStdString(), w.Files().UserFolder("Musics")) == 0) {
    FailStartup(
        tr("The folder %1 holds no music piece (*.mid), so Sorami cannot start.")
            .arg(QDir::toNativeSeparators(programDir + QStringLiteral("Musics"))));
    return false;
  }
  w.FillMusicMenu();
  // 4-5. The layouts and their menu.
  if (!e.DiscoverLayouts(loaded_.BoardNumber)) {
    FailStartup(
        tr("The folder %1 holds no layout (*.lay, *.shp), so Sorami cannot start.")
            .arg(QDir::toNativeSeparators(programDir + QStringLiteral("Layouts"))));
    return false;
  }
  w.FillLayoutMenu();
  // 6. The hall of fame.
  hallFile_.Open(w.Files().HallOfFameFile());
  TellUnreadable(&w, hallFile_,
                 tr("The hall of fame starts without records and leaves the file as it is."));
  e.Hall().Load(hallFile_, LayoutNames());
  // 7. Pictures loaded from disk that have gone since.
  for (std::string* last : {&w.Looks().LastTilesetFile, &w.Looks().LastBackgroundFile}) {
    if (!base::Exists(*last)) last->clear();
  }
  return true;
}

bool Session::ChooseStartLayout() {
  const QString& startLayout = window_.env_.StartLayout;
  if (startLayout.isEmpty()) return true;
  game::Engine& e = window_.Engine();
  const std::string wanted = startLayout.toStdString();
  int found = 0;
  for (int i = 1; i <= e.LayoutCount() && found == 0; ++i) {
    if (e.Layouts().LayoutName(i) == wanted) found = i;
  }
  // A name typed in another letter case still finds its layout.
  for (int i = 1; i <= e.LayoutCount() && found == 0; ++i) {
    if (QString::fromStdString(e.Layouts().LayoutName(i)).compare(startLayout, Qt::CaseInsensitive) == 0)
      found = i;
  }
  if (found == 0) {
    QStringList names;
    for (const std::string& name : LayoutNames()) names << Q(name);
    startupError_ = tr("No layout is named \"%1\". The layouts are: %2.")
                        .arg(startLayout, names.join(QStringLiteral(", ")));
    commandLineRefused_ = true;
    return false;
  }
  const board::Selection selection =
      board::SelectLayout(e.Layouts(), base::JoinPath(e.ProgramDir(), "Layouts"), found);
  e.MutableGame().BoardNumber = selection.BoardNumber;
  e.MutableGame().SavedLayoutNumber = selection.BoardNumber;
  e.MutableGame().LayoutFile = selection.CurrentLayoutFile;
  return true;
}

std::vector<std::string> Session::LayoutNames() const {
  std::vector<std::string> names;
  for (const auto& entry : window_.Engine().Layouts().Entries) names.push_back(entry.Name);
  return names;
}

void Session::FailStartup(const QString& message) {
  startupError_ = message;
  ShowMessage(nullptr, QMessageBox::Critical, QStringLiteral("Sorami"), message);
}

void Session::FirstShown() {
  MainWindow& w = window_;
  game::Engine& e = w.Engine();
  if (e.Game().Phase != game::GamePhase::Idle) return;
  e.SetPhase(game::GamePhase::Stopped);
  // The game of the last run comes back, unless the command line asks for
  // a game or a layout of its own.
  const bool resumed = w.env_.StartLayout.isEmpty() && !w.env_.StartGame && e.Opt().ResumeLastGame && ResumeLastGame();
  // From now on the game in hand is kept.
  if (w.Files().Separate()) game::MakeFolders(w.Files().User);
  w.keeping_ = true;
  if (resumed) {
    w.RefreshFromEngine();
  } else if (w.env_.StartGame) {
    // The numbered game of the command line, on the current layout.
    const int number = *w.env_.StartGame;
    w.Run([&e, number] {
      e.MutableGame().GameSeed = number;
      e.NewNumberedGame();
    });
  } else if (e.Opt().StartupGame) {
    w.Run([&e] { e.NewGame(); });
  }
}

bool Session::ResumeLastGame() {
  MainWindow& w = window_;
  game::Engine& e = w.Engine();
  std::string message;
  switch (w.Keeper().Resume(e, message)) {
    case game::GameKeeper::Resumed::Resumed:
      e.ShowStatus(base::Translate("SavedGame", game::GameResumedText));
      return true;
    case game::GameKeeper::Resumed::Refused:
      ShowMessage(&w, QMessageBox::Warning, QStringLiteral("Sorami"),
                  Q(base::Format(base::Translate("SavedGame", "The last game could not be resumed: %1"), {message})));
      return false;
    case game::GameKeeper::Resumed::Nothing: break;
  }
  return false;
}

// ---------------------------------------------------------------- closing

Settings Session::CurrentSettings() const {
  const MainWindow& w = window_;
  const game::Engine& e = window_.Engine();
  Settings s = loaded_;
  s.Highlight = e.HighlightMode();
  s.Options = e.Opt();
  s.CurrentPlayer1 = e.PlayerName();
  s.Background = window_.Looks().BackgroundCode();
  s.Tileset = window_.Looks().TilesetCode();
  // While a Rivers or Memory game is current the file still gets a layout.
  s.BoardNumber = e.CheckedLayout();
  s.MidiNumber = window_.Music().MidiNumber;
  s.LastLoadedTileset = window_.Looks().LastTilesetFile;
  s.LastLoadedBackground = window_.Looks().LastBackgroundFile;
  s.RandomSeed = e.Game().GameSeed;
  const QRect outer = w.frameGeometry();
  s.XPos = outer.x();
  s.YPos = outer.y();
  s.WPos = outer.width();
  s.HPos = outer.height();
  s.PreviousRes = w.ScreenWidth();
  s.Zoom = w.ChosenZoom();
  s.FitToWindow = w.FitsToWindow();
  s.Maximized = w.isMaximized();
  // The size of a window that is not maximised; a maximised one keeps the
  // size it had before, which it gets back when no longer maximised.
  const QSize size = w.isMaximized() ? w.normalGeometry().size() : w.size();
  s.WindowWidth = size.width();
  s.WindowHeight = size.height();
  return s;
}

bool Session::Close() {
  MainWindow& w = window_;
  if (w.closing_) return true;
  if (!started_) {
    w.closing_ = true;
    return true;
  }
  // 0. The game in hand, for the next run.
  if (w.keeping_) w.Keeper().Finish(w.Engine());
  // 1-2. The settings, then the hall of fame (in the player's folders, made
  // when first needed).
  const game::Folders& folders = w.Files();
  if (folders.Separate()) {
    game::MakeFolders(folders.Settings);
    game::MakeFolders(folders.User);
  }
  WriteSettings(settingsFile_, CurrentSettings());
  QStringList refused;
  if (auto error = settingsFile_.Save()) refused << Q(*error);
  w.Engine().Hall().Save(hallFile_, LayoutNames());
  if (auto error = hallFile_.Save()) refused << Q(*error);
  if (!refused.isEmpty()) {
    // The window stays open, but the player is never trapped: one button
    // leaves without the files.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Sorami"), refused.join(QLatin1Char('\n')),
                    QMessageBox::NoButton, &w);
    box.setInformativeText(
        tr("Your settings and the hall of fame are kept in memory. Make the file "
                       "writable and close again, or quit without saving them."));
    KeepWithinScreen(box);
    QPushButton* stay = box.addButton(tr("Stay in Sorami"), QMessageBox::RejectRole);
    QPushButton* quit =
        box.addButton(tr("Quit without saving"), QMessageBox::DestructiveRole);
    box.setDefaultButton(stay);
    box.exec();
    if (box.clickedButton() != quit) return false;
  }
  // 3-4. Stop the timer and the music, give the display its mode back.
  w.StopForExit();
  return true;
}

}  // namespace app
