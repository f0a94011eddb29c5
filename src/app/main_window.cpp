#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <limits>

#include "app/band_menu.h"
#include "app/editor_panel.h"
#include "app/editor_shell.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/pointer_shape.h"
#include "app/status_line.h"
#include "audio/audio_output.h"
#include "audio/fluid_music_device.h"
#include "audio/wave_sounds.h"
#include "base/file_io.h"
#include "board/layout_list.h"
#include "game/engine.h"
#include "game/hall_of_fame.h"
#include "view/board_view.h"
#include "view/geometry.h"
#include "view/picture_file.h"
#include "view/scene_of.h"

namespace app {

namespace {

QString WithSeparator(QString dir) {
  if (dir.isEmpty()) dir = QDir::currentPath();
  dir = QDir(dir).absolutePath();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

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

MainWindow::MainWindow(Environment environment) : env_(std::move(environment)) {
  setWindowTitle(QStringLiteral("Sorami 5.28 "));
  // A fixed border: system menu and minimise button, no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  folders_ = env_.Folders ? *env_.Folders
                          : game::ChooseFolders(WithSeparator(env_.ProgramDir).toStdString(),
                                                game::FolderEnvironment::FromProcess());
  programDir_ = WithSeparator(QString::fromStdString(folders_.Data));

  if (!env_.Sound || !env_.MusicDevice) audioOutput_ = std::make_unique<audio::AudioOutput>();
  sound_ = env_.Sound
               ? std::move(env_.Sound)
               : std::make_unique<audio::WaveSounds>(*audioOutput_, programDir_.toStdString());
  musicDevice_ = env_.MusicDevice ? std::move(env_.MusicDevice)
                                  : std::make_unique<audio::FluidMusicDevice>(*audioOutput_);
  engine_ = std::make_unique<game::Engine>(time_, *this, *sound_);
  music_ =
      std::make_unique<game::MusicControl>(*musicDevice_, engine_->MutableOptions(), engine_->MutableGame().Generator, this);
  engine_->SetMusic(music_.get());
  view_ = std::make_unique<view::BoardView>();
  looks_ = std::make_unique<view::Looks>(*view_, static_cast<view::LooksHost&>(*this),
                                         programDir_.toStdString());

  Init();
}

MainWindow::~MainWindow() {
  // No event may reach the engine while the window comes down.
  closing_ = true;
  timer_.stop();
  if (technoApplied_) QApplication::restoreOverrideCursor();
  // The engine and the music logic hold references into each other and to
  // this window: take them down before the widgets go.
  editor_.reset();
  engine_->SetMusic(nullptr);
  music_.reset();
  engine_.reset();
}

HelpWindow* MainWindow::Help() {
  if (help_ == nullptr) {
    help_ = new HelpWindow(*engine_, *this, this);
    // Start-up reported what was wrong with the files then; only what has
    // gone wrong since is reported now.
    help_->LoadFiles(programDir_, helpNotices_);
    help_->FillLayoutChooser();
  }
  return help_;
}

Resolution MainWindow::ScreenSize() const {
  if (env_.Display) return env_.Display->Current();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {800, 600};
  return {screen->geometry().width(), screen->geometry().height()};
}

int MainWindow::ScreenWidth() const { return ScreenSize().width; }

// ---------------------------------------------------------------- start-up

void MainWindow::Init() {
  game::Engine& e = *engine_;
  // 1. No game yet; a pause would return to "stopped".
  e.SetMode(game::GameKind::None, game::GamePhase::Idle);
  e.MutableGame().PhaseBeforePause = game::GamePhase::Stopped;

  // 2. The parts of the window on a black ground; glyphs beside the menu
  // entries that have a toolbar twin.
  central_ = new QWidget(this);
  central_->setAutoFillBackground(true);
  QPalette black = central_->palette();
  black.setColor(QPalette::Window, Qt::black);
  central_->setPalette(black);
  setCentralWidget(central_);
  BuildToolBar();
  game_ = new PictureBox(QSize(kBoardWidth, kBoardHeight), central_);
  game_->setObjectName(QStringLiteral("Game"));

  // 3. The program's folder is the current directory.
  e.SetProgramDir(programDir_.toStdString());
  e.SetUserDir(folders_.User);
  looks_->UserDir = folders_.UserFolder("");
  QDir::setCurrent(programDir_);

  // 4. The hall-of-fame panel takes the size of its picture and starts hidden.
  const QImage hofPic = view::ReadImageFile(programDir_ + QStringLiteral("hof.bmp"), "bmp");
  if (!hofPic.isNull()) panel_.SetHofPic(hofPic);
  hallPanelBox_ = new PictureBox(panel_.HallPanelPicture.size(), central_);
  hallPanelBox_->setObjectName(QStringLiteral("HofBox"));
  hallPanelBox_->SetPicture(panel_.HallPanelPicture);
  hallPanelBox_->hide();

  // 5. The help window's files: a missing text is reported (its page stays
  // empty), as is a damaged page background. The window itself, with its
  // seven pages of widgets, is built when first opened (about 2.4 MiB less
  // until then).
  helpNotices_ = HelpWindow::CheckFiles(programDir_);
  for (const QString& notice : helpNotices_) {
    ShowMessage(this, QMessageBox::Warning, QApplication::applicationName(), notice);
  }

  statusLine_ = new StatusLine(central_);
  connect(statusLine_, &StatusLine::MovesLeftClicked, this,
          [this] { Run([this] { engine_->ToggleShowMovesLeft(); }); });
  connect(statusLine_, &StatusLine::TimeClicked, this,
          [this] { Run([this] { engine_->ToggleShowTime(); }); });
  auto* column = new QVBoxLayout(central_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(toolBar_);
  editorPanel_ = new EditorPanel(central_);
  editorPanel_->hide();
  column->addWidget(editorPanel_);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(game_, 0, Qt::AlignTop);
  row->addWidget(hallPanelBox_, 0, Qt::AlignTop);
  row->addStretch(1);
  column->addLayout(row);
  column->addWidget(statusLine_);
  column->addStretch(1);

  // 6. The status text is a blank; the board's pointer events reach the
  // engine (the application's focus changes do once start-up is done).
  ShowStatusText(" ");
  // A pointer move changes no option: the menus need no refresh after it.
  connect(game_, &PictureBox::PointerMoved, this,
          [this](int x, int y) { Run([this, x, y] { engine_->OnPointerMoved(x, y); }, false); });
  connect(game_, &PictureBox::PointerLeft, this, [this] { engine_->PointerLeftBoard(); });
  connect(game_, &PictureBox::ButtonReleased, this, [this](Qt::MouseButton button, int x, int y) {
    const game::MouseButton which = button == Qt::RightButton    ? game::MouseButton::Right
                                    : button == Qt::MiddleButton ? game::MouseButton::Middle
                                                                 : game::MouseButton::Left;
    Run([this, which, x, y] { engine_->OnPointerReleased(which, x, y); });
  });

  // 7. The settings file.
  ReadSettingsFile();
  BuildMenus();
  editor_ = std::make_unique<EditorShell>(*this, *editorPanel_);

  // 8. The 800 x 600 switch. XRandR is only asked when the switch is on.
  if (!env_.Display) {
    const Resolution screen = ScreenSize();
    env_.Display = MakeSystemDisplayBackend(
        screen, e.Opt().SwitchTo800x600 && QGuiApplication::platformName() == QLatin1String("xcb"));
  }
  displayMode_ = std::make_unique<DisplayMode>(*env_.Display);
  if (e.Opt().SwitchTo800x600) displayMode_->Switch800x600();

  // 9. Where the grid sits in the board pictures.
  const view::BoardOrigin origin = view::OriginForScreenWidth(ScreenWidth());
  e.SetOrigin(origin.OriginX, origin.OriginY);

  // 10-12. Size and place the window; the panels then widen it without
  // moving it.
  PlaceWindow();
  LayOut();

  // 13. The music and layout lists and the hall of fame.
  if (!LoadFiles()) return;
  if (!ChooseStartLayout()) return;

  // 15. The pointer shape, the menus' title band, the toolbar's look.
  techno_ = LoadPointerShape(programDir_);
  ApplyCoolMenu();
  ApplyCoolMouse();
  toolBar_->SetTiled(e.Opt().CoolToolbar);
  toolBar_->SetFlat(e.Opt().FlatButtons);

  // 16. The hall-of-fame panel.
  if (e.Opt().ShowHallOfFame) ShowHallPanel();

  // 18. The counters of an empty game.
  e.MutableGame().Board.TilesLeft = board::MaxTiles;
  e.MutableGame().Board.TileCount = board::MaxTiles;
  e.MutableGame().Clock.ElapsedSeconds = 0;
  e.MutableGame().BoardFinished = false;
  e.MutableGame().GameOverHandled = false;
  e.MutableGame().Picks.NoMovesShown = false;
  e.SetPanelRefreshPending(false);

  // 19. The background and tileset entries of the stored choices.
  looks_->SetBackgroundCode(loaded_.Background);
  looks_->SetTilesetCode(loaded_.Tileset);

  // 20. The current layout, without starting a game.
  e.LoadLayoutAtStartup();

  // 21-22. The music device and the current piece.
  music_->StartupMusic();

  // 24. The tileset and the background.
  looks_->ActiveTilesetBackground();

  // 25. The game timer; the board image shows.
  connect(&timer_, &QTimer::timeout, this, &MainWindow::Tick);
  timer_.start(50);
  // A game pauses while another program has the focus.
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          &MainWindow::ApplicationStateChanged);
  started_ = true;
  RefreshFromEngine();
}

void MainWindow::ReadSettingsFile() {
  settingsFile_.Open(folders_.SettingsFile());
  TellUnreadable(this, settingsFile_,
                 tr("Sorami starts with its default settings and leaves the file as "
                                "it is."));
  loaded_ = ReadSettings(settingsFile_, ScreenWidth());
  game::Engine& e = *engine_;
  e.MutableOptions() = loaded_.Options;
  e.SetHighlightMode(loaded_.Highlight);
  e.MutableGame().BoardNumber = loaded_.BoardNumber;
  e.MutableGame().GameSeed = loaded_.RandomSeed;
  e.SetPlayerName(loaded_.CurrentPlayer1);
  music_->MidiNumber = loaded_.MidiNumber;
  looks_->LastTilesetFile = loaded_.LastLoadedTileset;
  looks_->LastBackgroundFile = loaded_.LastLoadedBackground;
}

bool MainWindow::TitleOnScreen(QPoint at) const {
  // The top of the window, where its title bar is grabbed.
  constexpr int kTitleHeight = 40;
  // A damaged file may hold any number: a place this far right or down is on
  // no screen, and its rectangle would not fit in an int.
  constexpr int kMax = std::numeric_limits<int>::max();
  if (at.x() > kMax - kBoardWidth || at.y() > kMax - kTitleHeight) return false;
  const QRect title(at, QSize(kBoardWidth, kTitleHeight));
  const Resolution size = ScreenSize();
  if (title.intersects(QRect(0, 0, size.width, size.height))) return true;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (title.intersects(screen->geometry())) return true;
  }
  return false;
}

void MainWindow::PlaceWindow() {
  const int screenWidth = ScreenWidth();
  const int screenHeight = ScreenSize().height;
  const QPoint stored(loaded_.XPos, loaded_.YPos);
  // A stored place wholly off the screens (a monitor gone, a damaged file)
  // would leave the player without a window to reach: it is centred instead.
  if (screenWidth == loaded_.PreviousRes && TitleOnScreen(stored)) {
    move(stored);
  } else if (screenWidth == 640) {
    engine_->MutableOptions().ShowHallOfFame = false;
    engine_->MutableOptions().ShowToolbar = false;
    narrowScreen_ = true;
    move(0, 0);
  } else {
    move((screenWidth - kBoardWidth) / 2, (screenHeight - kBoardHeight) / 2);
  }
}

void MainWindow::LayOut() {
  const game::Options& o = engine_->Opt();
  const bool editor = engine_->Game().Running(game::GameKind::Editor);
  toolBar_->setVisible(o.ShowToolbar && !editor);
  editorPanel_->setVisible(editor);
  statusLine_->setVisible(o.ShowStatusBar);
  hallPanelBox_->setVisible(o.ShowHallOfFame);
  int width = kBoardWidth;
  int height = kBoardHeight;
  if (o.ShowToolbar && !editor) height += ToolBar::kHeight;
  if (editor) height += EditorPanel::kHeight;
  if (o.ShowStatusBar) height += StatusLine::kHeight;
  if (o.ShowHallOfFame) width += hallPanelBox_->width();
  if (narrowScreen_) {
    const int menuHeight = menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
    width = std::min(width, 640);
    height = std::min(height, 480 - StatusLine::kHeight - menuHeight);
  }
  // The window takes the size of the menu bar and these parts, and keeps it.
  central_->setFixedSize(width, height);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
}

bool MainWindow::LoadFiles() {
  game::Engine& e = *engine_;
  // 1-3. The music pieces and their menu.
  if (music_->LoadMusicList(programDir_.toStdString(), folders_.UserFolder("Musics")) == 0) {
    FailStartup(
        tr("The folder %1 holds no music piece (*.mid), so Sorami cannot start.")
            .arg(QDir::toNativeSeparators(programDir_ + QStringLiteral("Musics"))));
    return false;
  }
  FillMusicMenu();
  // 4-5. The layouts and their menu.
  if (!e.DiscoverLayouts(loaded_.BoardNumber)) {
    FailStartup(
        tr("The folder %1 holds no layout (*.lay, *.shp), so Sorami cannot start.")
            .arg(QDir::toNativeSeparators(programDir_ + QStringLiteral("Layouts"))));
    return false;
  }
  FillLayoutMenu();
  // 6. The hall of fame.
  hallFile_.Open(folders_.HallOfFameFile());
  TellUnreadable(this, hallFile_,
                 tr("The hall of fame starts without records and leaves the file as it is."));
  e.Hall().Load(hallFile_, LayoutNames());
  // 7. Pictures loaded from disk that have gone since.
  for (std::string* last : {&looks_->LastTilesetFile, &looks_->LastBackgroundFile}) {
    if (!base::Exists(*last)) last->clear();
  }
  return true;
}

bool MainWindow::ChooseStartLayout() {
  if (env_.StartLayout.isEmpty()) return true;
  game::Engine& e = *engine_;
  const std::string wanted = env_.StartLayout.toStdString();
  int found = 0;
  for (int i = 1; i <= e.LayoutCount() && found == 0; ++i) {
    if (e.Layouts().LayoutName(i) == wanted) found = i;
  }
  // A name typed in another letter case still finds its layout.
  for (int i = 1; i <= e.LayoutCount() && found == 0; ++i) {
    if (QString::fromStdString(e.Layouts().LayoutName(i)).compare(env_.StartLayout, Qt::CaseInsensitive) == 0)
      found = i;
  }
  if (found == 0) {
    QStringList names;
    for (const std::string& name : LayoutNames()) names << Q(name);
    startupError_ = tr("No layout is named \"%1\". The layouts are: %2.")
                        .arg(env_.StartLayout, names.join(QStringLiteral(", ")));
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

std::vector<std::string> MainWindow::LayoutNames() const {
  std::vector<std::string> names;
  for (const auto& entry : engine_->Layouts().Entries) names.push_back(entry.Name);
  return names;
}

void MainWindow::FailStartup(const QString& message) {
  startupError_ = message;
  ShowMessage(nullptr, QMessageBox::Critical, QStringLiteral("Sorami"), message);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    FormShow();
  }
}

void MainWindow::FormShow() {
  emit FirstShown();
  game::Engine& e = *engine_;
  if (e.Game().Phase != game::GamePhase::Idle) return;
  e.SetPhase(game::GamePhase::Stopped);
  if (env_.StartGame) {
    // The numbered game of the command line, on the current layout.
    const int number = *env_.StartGame;
    Run([this, number] {
      engine_->MutableGame().GameSeed = number;
      engine_->NewNumberedGame();
    });
  } else if (e.Opt().StartupGame) {
    Run([this] { engine_->NewGame(); });
  }
}

// ---------------------------------------------------------------- timer and focus

void MainWindow::Tick() {
  if (closing_) return;
  try {
    engine_->Tick();
  } catch (const std::exception& error) {
    timer_.stop();
    Tell("Sorami", error.what());
    timer_.start(50);
  }
}

void MainWindow::ApplicationStateChanged(Qt::ApplicationState state) {
  if (!started_ || closing_) return;
  // The help window holds the game paused itself and resumes it when it
  // closes.
  if (help_ != nullptr && help_->IsRunning()) return;
  // Sorami's own dialogs and message boxes keep the application active: only
  // another program taking the focus pauses the game.
  if (state == Qt::ApplicationActive) {
    Run([this] { engine_->OnApplicationActivated(); });
  } else {
    Run([this] { engine_->OnApplicationDeactivated(); });
  }
}

// ---------------------------------------------------------------- closing

Settings MainWindow::CurrentSettings() const {
  const game::Engine& e = *engine_;
  Settings s = loaded_;
  s.Highlight = e.HighlightMode();
  s.Options = e.Opt();
  s.CurrentPlayer1 = e.PlayerName();
  s.Background = looks_->BackgroundCode();
  s.Tileset = looks_->TilesetCode();
  // While a Rivers or Memory game is current the file still gets a layout.
  s.BoardNumber = e.CheckedLayout();
  s.MidiNumber = music_->MidiNumber;
  s.LastLoadedTileset = looks_->LastTilesetFile;
  s.LastLoadedBackground = looks_->LastBackgroundFile;
  s.RandomSeed = e.Game().GameSeed;
  const QRect outer = frameGeometry();
  s.XPos = outer.x();
  s.YPos = outer.y();
  s.WPos = outer.width();
  s.HPos = outer.height();
  s.PreviousRes = ScreenWidth();
  return s;
}

void MainWindow::Exit() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool MainWindow::FormCloseQuery() {
  if (closing_) return true;
  if (!started_) {
    closing_ = true;
    return true;
  }
  // 1-2. The settings, then the hall of fame (in the player's folders, made
  // when first needed).
  if (folders_.Separate()) {
    game::MakeFolders(folders_.Settings);
    game::MakeFolders(folders_.User);
  }
  WriteSettings(settingsFile_, CurrentSettings());
  QStringList refused;
  if (auto error = settingsFile_.Save()) refused << Q(*error);
  engine_->Hall().Save(hallFile_, LayoutNames());
  if (auto error = hallFile_.Save()) refused << Q(*error);
  if (!refused.isEmpty()) {
    // The window stays open, but the player is never trapped: one button
    // leaves without the files.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Sorami"), refused.join(QLatin1Char('\n')),
                    QMessageBox::NoButton, this);
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
  closing_ = true;
  timer_.stop();
  musicDevice_->Stop();
  if (displayMode_) displayMode_->Restore();
  return true;
}

}  // namespace app
