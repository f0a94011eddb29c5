#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <limits>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/audio_devices.h"
#include "app/band_menu.h"
#include "app/board_accessible.h"
#include "app/board_area.h"
#include "app/board_keys.h"
#include "app/board_zoom.h"
#include "app/editor_panel.h"
#include "app/editor_shell.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/pointer_shape.h"
#include "app/screen_adapter.h"
#include "app/session.h"
#include "app/status_line.h"
#include "game/engine.h"
#include "game/game_keeper.h"
#include "game/music_control.h"
#include "view/board_view.h"
#include "view/looks.h"
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

}  // namespace

MainWindow::MainWindow(Environment environment) : env_(std::move(environment)) {
  setWindowTitle(QStringLiteral("Sorami 5.28 "));
  // A border that resizes, with system menu, minimise and maximise buttons.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  folders_ = env_.Folders ? *env_.Folders
                          : game::ChooseFolders(WithSeparator(env_.ProgramDir).toStdString(),
                                                game::FolderEnvironment::FromProcess());
  programDir_ = WithSeparator(QString::fromStdString(folders_.Data));

  audio_ = std::make_unique<AudioDevices>(std::move(env_.Sound), std::move(env_.MusicDevice),
                                          programDir_.toStdString());
  screen_ = std::make_unique<ScreenAdapter>(*this);
  engine_ = std::make_unique<game::Engine>(time_, *screen_, audio_->Sound());
  music_ = std::make_unique<game::MusicControl>(audio_->Music(), engine_->MutableOptions(),
                                                engine_->MutableGame().Generator, screen_.get());
  engine_->SetMusic(music_.get());
  view_ = std::make_unique<view::BoardView>();
  looks_ = std::make_unique<view::Looks>(*view_, static_cast<view::LooksHost&>(*screen_),
                                         programDir_.toStdString());
  commands_ = MakeCommands({*this, *engine_, *music_, *looks_});

  session_ = std::make_unique<Session>(*this);
  session_->Start();
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

bool MainWindow::Started() const { return session_->Started(); }

const QString& MainWindow::StartupError() const { return session_->StartupError(); }

bool MainWindow::CommandLineRefused() const { return session_->CommandLineRefused(); }

HelpWindow* MainWindow::Help() {
  if (help_ == nullptr) {
    help_ = new HelpWindow(*engine_, *screen_, this);
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

// ---------------------------------------------------------------- building

void MainWindow::BuildParts() {
  game::Engine& e = *engine_;
  // 2. The parts of the window on a black ground; glyphs beside the menu
  // entries that have a toolbar twin.
  central_ = new QWidget(this);
  central_->setAutoFillBackground(true);
  QPalette black = central_->palette();
  black.setColor(QPalette::Window, Qt::black);
  central_->setPalette(black);
  setCentralWidget(central_);
  BuildToolBar();
  boardArea_ = new BoardArea(central_);
  game_ = new PictureBox(QSize(kBoardWidth, kBoardHeight), boardArea_);
  game_->setObjectName(QStringLiteral("Game"));
  // The board plays by keys too: it takes the focus and hands its keys to
  // the engine; a screen reader hears the cursor's tile and the status.
  new BoardKeyFilter(game_, [this](game::BoardKey key) {
    bool used = false;
    Run([this, key, &used] { used = engine_->OnBoardKey(key); });
    return used;
  });
  speech_ = new BoardSpeech(
      game_, [this] { return QString::fromStdString(engine_->CursorDescription()); },
      [this] { return QString::fromStdString(engine_->StatusMessage()).trimmed(); });
  game_->setFocus();

  // 3. The program's folder is the current directory.
  e.SetProgramDir(programDir_.toStdString());
  e.SetUserDir(folders_.User);
  looks_->UserDir = folders_.UserFolder("");
  QDir::setCurrent(programDir_);

  // 4. The hall-of-fame panel takes the size of its picture and starts hidden.
  const QImage hofPic = view::ReadImageFile(programDir_ + QStringLiteral("hof.bmp"), "bmp");
  if (!hofPic.isNull()) panel_.SetHofPic(hofPic);
  hallPanelBox_ = new PictureBox(panel_.HallPanelPicture.size(), boardArea_);
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
          [this] { RunCommand(CommandId::ShowMovesLeft); });
  connect(statusLine_, &StatusLine::TimeClicked, this,
          [this] { RunCommand(CommandId::ShowTime); });
  auto* column = new QVBoxLayout(central_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(toolBar_);
  editorPanel_ = new EditorPanel(central_);
  editorPanel_->hide();
  column->addWidget(editorPanel_);
  boardArea_->SetParts(game_, hallPanelBox_);
  column->addWidget(boardArea_, 1);
  column->addWidget(statusLine_);
  connect(boardArea_, &BoardArea::RoomChanged, this, [this] {
    if (fitToWindow_) ApplyZoom();
  });

  // 6. The status text is a blank; the board's pointer events reach the
  // engine (the application's focus changes do once start-up is done).
  screen_->ShowStatusText(" ");
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
}

void MainWindow::BuildEditor() { editor_ = std::make_unique<EditorShell>(*this, *editorPanel_); }

void MainWindow::SwitchDisplayMode() {
  if (!env_.Display) {
    const Resolution screen = ScreenSize();
    env_.Display = MakeSystemDisplayBackend(
        screen, engine_->Opt().SwitchTo800x600 && QGuiApplication::platformName() == QLatin1String("xcb"));
  }
  displayMode_ = std::make_unique<DisplayMode>(*env_.Display);
  if (engine_->Opt().SwitchTo800x600) displayMode_->Switch800x600();
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

void MainWindow::PlaceWindow(const Settings& stored) {
  const int screenWidth = ScreenWidth();
  const int screenHeight = ScreenSize().height;
  const QPoint place(stored.XPos, stored.YPos);
  // A stored place wholly off the screens (a monitor gone, a damaged file)
  // would leave the player without a window to reach: it is centred instead.
  if (screenWidth == stored.PreviousRes && TitleOnScreen(place)) {
    move(place);
  } else if (screenWidth == 640) {
    engine_->MutableOptions().ShowHallOfFame = false;
    engine_->MutableOptions().ShowToolbar = false;
    narrowScreen_ = true;
    move(0, 0);
  } else {
    move((screenWidth - kBoardWidth) / 2, (screenHeight - kBoardHeight) / 2);
  }
}

int MainWindow::BandsHeight() const {
  const game::Options& o = engine_->Opt();
  const bool editor = engine_->Game().Running(game::GameKind::Editor);
  int height = 0;
  if (o.ShowToolbar && !editor) height += ToolBar::kHeight;
  if (editor) height += EditorPanel::kHeight;
  if (o.ShowStatusBar) height += StatusLine::kHeight;
  return height;
}

QSize MainWindow::ContentAtActualSize() const {
  const int panel = engine_->Opt().ShowHallOfFame ? panel_.UnitSize().width() : 0;
  return {kBoardWidth + panel, kBoardHeight};
}

void MainWindow::LayOut() {
  const game::Options& o = engine_->Opt();
  const bool editor = engine_->Game().Running(game::GameKind::Editor);
  toolBar_->setVisible(o.ShowToolbar && !editor);
  editorPanel_->setVisible(editor);
  statusLine_->setVisible(o.ShowStatusBar);
  hallPanelBox_->setVisible(o.ShowHallOfFame);
  // A window at its parts' size (the first time, after a zoom command, or
  // not resized by the player since) takes their new size; one the player
  // has made larger, or maximised, keeps its size and the pictures fill it.
  const bool followParts = !fitToWindow_ || !playerSized_;
  if (followParts && !isMaximized() && !isFullScreen()) {
    central_->setFixedSize(CentralSizeAt(fitToWindow_ ? SmallestZoom : zoom_));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ApplyZoom();
    adjustSize();
    requestedSize_ = size();
  }
  // Free to be resized again, down to the parts at 100 % (or at the zoom
  // chosen).
  const QSize smallest = CentralSizeAt(fitToWindow_ ? SmallestZoom : zoom_);
  layout()->setSizeConstraint(QLayout::SetMinimumSize);
  central_->setMinimumSize(smallest);
  central_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  ApplyZoom();
  boardArea_->Arrange();
}

QSize MainWindow::CentralSizeAt(int zoom) const {
  const QSize content = Zoomed(ContentAtActualSize(), zoom);
  int width = content.width();
  int height = content.height() + BandsHeight();
  if (narrowScreen_ && zoom == SmallestZoom) {
    const int menuHeight = menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
    width = std::min(width, 640);
    height = std::min(height, 480 - StatusLine::kHeight - menuHeight);
  }
  return {width, height};
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A size the window system brings that the window did not ask for is the
  // player's (or the window manager's, on the player's behalf).
  if (event->spontaneous() && isVisible() && event->size() != requestedSize_ && !isMaximized() && !isFullScreen())
    playerSized_ = true;
}

int MainWindow::LargestZoomOnScreen() const {
  const QScreen* screen = this->screen();
  const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  // The frame the window manager adds around the window.
  const QSize frame = frameGeometry().size() - size();
  const int menuHeight = menuBar()->isHidden() ? 0 : menuBar()->height();
  const QSize free(room.width() - frame.width(), room.height() - frame.height() - menuHeight - BandsHeight());
  return LargestZoomStep(ContentAtActualSize(), free);
}

void MainWindow::ApplyZoom(bool force) {
  if (boardArea_ == nullptr) return;
  const qreal ratio = devicePixelRatioF();
  const int zoom = fitToWindow_ ? FitZoom(ContentAtActualSize(), boardArea_->size()) : zoom_;
  if (!force && zoom == zoomInEffect_ && ratio == ratioInEffect_) return;
  zoomInEffect_ = zoom;
  ratioInEffect_ = ratio;
  const board::Scale scale = DrawingScale(zoom, ratio);
  view_->SetScale(scale);
  panel_.SetScale(scale);
  game_->SetScaling(scale, ratio, QSize(kBoardWidth, kBoardHeight));
  hallPanelBox_->SetScaling(scale, ratio, panel_.UnitSize());
  boardArea_->Arrange();
  // The same pictures as before, at the new size.
  if (game_->ShowsLive()) {
    view_->FullRedraw(view::SceneOf(*engine_));
    game_->ShowLive(view_->BoardBuffer);
  } else {
    game_->SetPicture(view_->ShowBackground());
  }
  if (engine_->Opt().ShowHallOfFame) {
    screen_->ShowHallPanel();
    if (engine_->Game().Kind == game::GameKind::TwoPlayer) screen_->PaintBanner();
  }
#ifdef __GLIBC__
  // Making the pictures for a new size passes through large temporary
  // pictures (Qt scales them on worker threads, whose memory pools keep
  // what they held): hand that memory back.
  malloc_trim(0);
#endif
}

void MainWindow::SetChosenZoom(int zoom) {
  fitToWindow_ = false;
  zoom_ = CheckedZoom(zoom);
  // The window takes the zoom's size when the screen holds it.
  if (isMaximized() || isFullScreen()) showNormal();
  LayOut();
  ApplyZoom(true);
}

void MainWindow::ZoomIn() { SetChosenZoom(ZoomInStep(zoomInEffect_, LargestZoomOnScreen())); }

void MainWindow::ZoomOut() { SetChosenZoom(ZoomOutStep(zoomInEffect_)); }

void MainWindow::ActualSize() { SetChosenZoom(SmallestZoom); }

void MainWindow::ToggleFitToWindow() {
  fitToWindow_ = !fitToWindow_;
  // The window keeps the size it has: fitting fills it, and without fitting
  // the board keeps the zoom step it had.
  if (fitToWindow_) playerSized_ = true;
  if (!fitToWindow_) zoom_ = zoomInEffect_ / ZoomStep * ZoomStep;
  LayOut();
  ApplyZoom(true);
}

void MainWindow::RestoreWindowSize(const Settings& stored) {
  zoom_ = CheckedZoom(stored.Zoom);
  fitToWindow_ = stored.FitToWindow;
  if (!fitToWindow_) zoom_ = std::min(zoom_, LargestZoomOnScreen());
  LayOut();
  if (fitToWindow_ && stored.WindowWidth > 0 && stored.WindowHeight > 0) {
    QSize wanted(stored.WindowWidth, stored.WindowHeight);
    // A size kept from a larger screen, or from a larger scale factor, would
    // run off this one: the window gets at most the room the screen has,
    // less the window manager's title bar and borders (not known before the
    // window is first shown, so a generous guess stands in for them).
    if (const QScreen* screen = this->screen(); screen != nullptr && !screen->availableGeometry().isEmpty()) {
      const QSize room = screen->availableGeometry().size();
      if (wanted.width() > room.width() || wanted.height() > room.height()) {
        QSize frame = frameGeometry().size() - size();
        if (frame.width() <= 0 || frame.height() <= 0) frame = QSize(16, 64);
        wanted = wanted.boundedTo(room - frame);
      }
    }
    wanted = wanted.expandedTo(minimumSizeHint());
    if (wanted != size()) {
      playerSized_ = true;
      resize(wanted);
    }
  }
  if (stored.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
  ApplyZoom(true);
}

void MainWindow::ApplyLooks() {
  techno_ = LoadPointerShape(programDir_);
  ApplyCoolMenu();
  ApplyCoolMouse();
  toolBar_->SetTiled(engine_->Opt().CoolToolbar);
  toolBar_->SetFlat(engine_->Opt().FlatButtons);
}

void MainWindow::StartTimer() {
  connect(&timer_, &QTimer::timeout, this, &MainWindow::Tick);
  timer_.start(50);
  // A game pauses while another program has the focus.
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          &MainWindow::ApplicationStateChanged);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    // On a screen of another pixel ratio the pictures are drawn anew for it.
    if (QWindow* handle = windowHandle())
      connect(handle, &QWindow::screenChanged, this, [this] { ApplyZoom(); });
    emit FirstShown();
    session_->FirstShown();
  }
}

// ---------------------------------------------------------------- timer and focus

void MainWindow::Tick() {
  if (closing_) return;
  try {
    engine_->Tick();
  } catch (const std::exception& error) {
    timer_.stop();
    screen_->Tell("Sorami", error.what());
    timer_.start(50);
  }
  if (speech_ != nullptr) speech_->Update();
  KeepGame();
}

void MainWindow::ApplicationStateChanged(Qt::ApplicationState state) {
  if (!Started() || closing_) return;
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

void MainWindow::Exit() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (session_->Close()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::StopForExit() {
  closing_ = true;
  timer_.stop();
  audio_->Music().Stop();
  if (displayMode_) displayMode_->Restore();
}

}  // namespace app
