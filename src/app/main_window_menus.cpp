// MainWindow's menu bar, new-game pop-up, toolbar and option toggles: every
// entry bound to its engine command, every check mark mirroring its option.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolButton>

#include <exception>

#include "app/band_menu.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/status_line.h"
#include "game/engine.h"
#include "view/looks.h"
#include "view/picture_file.h"

namespace app {

namespace {

// The engine is told the English caption; the menu shows it translated.
const char* const kRiversEasy = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Rivers : New Game (Easy)");
const char* const kRiversHard = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Rivers : New Game (Hard)");
const char* const kMemoryEasy = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Memory : New Game (Easy)");
const char* const kMemoryHard = QT_TRANSLATE_NOOP("app::MainWindow", "Mah-Jongg Memory : New Game (Hard)");

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

BandMenu* MainWindow::AddMenu(const QString& caption) {
  auto* menu = new BandMenu(caption, this);
  menuBar()->addMenu(menu);
  menus_.push_back(menu);
  return menu;
}

QAction* MainWindow::AddEntry(QMenu* menu, const QString& caption, const QKeySequence& key,
                           std::function<void()> command) {
  QAction* action = menu->addAction(caption);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  connect(action, &QAction::triggered, this,
          [this, command = std::move(command)] { Run(command); });
  return action;
}

QAction* MainWindow::AddToggle(QMenu* menu, const QString& caption, const QKeySequence& key,
                            std::function<void()> command, std::function<bool()> checked) {
  QAction* action = AddEntry(menu, caption, key, std::move(command));
  action->setCheckable(true);
  action->setChecked(checked());
  checks_.push_back({action, std::move(checked)});
  return action;
}

void MainWindow::Run(const std::function<void()>& command, bool refresh) {
  try {
    command();
  } catch (const std::exception& error) {
    Tell("Sorami", error.what());
  }
  if (refresh && !closing_) RefreshFromEngine();
}

QMenu* MainWindow::NewGameMenu() const { return newGameMenu_; }

QAction* MainWindow::MenuEntry(const QString& menu, const QString& entry) const {
  for (BandMenu* candidate : menus_) {
    if (candidate->title() != menu) continue;
    for (QAction* action : candidate->actions()) {
      if (action->text() == entry) return action;
    }
  }
  return nullptr;
}

void MainWindow::BuildMenus() {
  game::Engine& e = *engine_;
  game::Options& o = e.MutableOptions();
  const QIcon newGlyph = toolBar_->Glyph(ToolBar::New);
  auto option = [&o](bool game::Options::* flag) { return [&o, flag] { return o.*flag; }; };

  BandMenu* file = AddMenu(tr("&File"));
  AddEntry(file, tr("Mah-Jongg Solitaire : New Fully Random Game"), Qt::Key_F2,
           [&e] { e.NewRandomGame(); })
      ->setIcon(newGlyph);
  AddEntry(file, tr("Mah-Jongg Solitaire : New Random Specific Game"), {},
           [&e] { e.NewRandomNumberedGame(); })
      ->setIcon(newGlyph);
  AddEntry(file, tr("Mah-Jongg Solitaire : New Specific Game"), {},
           [&e] { e.NewNumberedGame(); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr("Mah-Jongg Solitaire : New 2-Player Game"), Qt::SHIFT | Qt::Key_F2,
           [&e] { e.NewTwoPlayerGame(); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr(kRiversEasy), Qt::Key_F3, [&e] { e.NewRiversGame(game::Difficulty::Easy); })
      ->setIcon(newGlyph);
  AddEntry(file, tr(kRiversHard), Qt::SHIFT | Qt::Key_F3,
           [&e] { e.NewRiversGame(game::Difficulty::Hard); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr(kMemoryEasy), Qt::Key_F4, [&e] { e.NewMemoryGame(game::Difficulty::Easy); })
      ->setIcon(newGlyph);
  AddEntry(file, tr(kMemoryHard), Qt::SHIFT | Qt::Key_F4,
           [&e] { e.NewMemoryGame(game::Difficulty::Hard); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr("E&xit"), Qt::CTRL | Qt::Key_C, [this] { Exit(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Exit));

  BandMenu* play = AddMenu(tr("&Play"));
  AddEntry(play, tr("&Back"), Qt::CTRL | Qt::Key_Z, [&e] { e.Back(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Back));
  AddEntry(play, tr("Back to Last Winnable Position"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
           [&e] { e.BackToLastWinnablePosition(); });
  AddEntry(play, tr("&Hint"), Qt::CTRL | Qt::Key_H, [&e] { e.Hint(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Hint));
  play->addSeparator();
  pauseEntry_ = AddEntry(play, tr("&Pause"), Qt::Key_F12, [&e] { e.TogglePause(); });
  pauseEntry_->setIcon(toolBar_->Glyph(ToolBar::Pause));
  AddEntry(play, tr("Shu&ffle"), Qt::CTRL | Qt::Key_S, [&e] { e.Shuffle(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Shuffle));
  AddEntry(play, tr("&Stop"), Qt::CTRL | Qt::Key_X, [&e] { e.Stop(); });
  AddEntry(play, tr("&Restart"), Qt::CTRL | Qt::Key_R, [&e] { e.Restart(); });
  play->addSeparator();
  AddEntry(play, tr("&Player Name"), {},
           [&e] { e.OpenHelp(game::HelpPage::Options); });
  AddToggle(play, tr("Random Seed"), {}, [&e] { e.OpenHelp(game::HelpPage::Options); },
            option(&game::Options::NumberedGames));
  AddToggle(play, tr("Vertical Variation"), {}, [&e] { e.ToggleVerticalRule(); },
            option(&game::Options::Vertical));

  BandMenu* viewMenu = AddMenu(tr("View"));
  AddToggle(viewMenu, tr("&Invert selection"), {}, [&e] { e.ToggleInvertSelection(); },
            option(&game::Options::Invert));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("Cool Menu"), {}, [this] { ToggleCoolMenu(); },
            option(&game::Options::CoolMenu));
  AddToggle(viewMenu, tr("Cool Mouse"), {}, [this] { ToggleCoolMouse(); },
            option(&game::Options::CoolMouse));
  AddToggle(viewMenu, tr("Cool Toolbar"), {}, [this] { ToggleCoolToolbar(); },
            option(&game::Options::CoolToolbar));
  AddToggle(viewMenu, tr("Cool Buttons"), {}, [this] { ToggleFlatButtons(); },
            option(&game::Options::FlatButtons));
  AddToggle(viewMenu, tr("Cool Status"), {}, [&e] { e.ToggleScrollingStatus(); },
            option(&game::Options::ScrollingStatus));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("&Show Time Left"), Qt::CTRL | Qt::Key_L,
            [&e] { e.ToggleShowTime(); }, option(&game::Options::ShowTime));
  AddToggle(viewMenu, tr("Show &Moves Left"), Qt::CTRL | Qt::Key_M,
            [&e] { e.ToggleShowMovesLeft(); }, option(&game::Options::ShowMovesLeft));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("Show Hall of &Fame"), Qt::CTRL | Qt::Key_F,
            [this] { ToggleHallOfFame(); }, option(&game::Options::ShowHallOfFame));
  AddToggle(viewMenu, tr("Show Status Bar"), Qt::CTRL | Qt::Key_B,
            [this] { ToggleStatusBar(); }, option(&game::Options::ShowStatusBar));
  AddToggle(viewMenu, tr("Show &Toolbar"), Qt::CTRL | Qt::Key_T,
            [this] { ToggleToolbar(); }, option(&game::Options::ShowToolbar));

  BandMenu* highlight = AddMenu(tr("&Highlight"));
  auto mode = [&e](int value) { return [&e, value] { return e.HighlightMode() == value; }; };
  AddToggle(highlight, tr("None"), {}, [&e] { e.SetHighlightNone(); }, mode(0));
  highlight->addSeparator();
  AddToggle(highlight, tr("Red Rectangle"), {}, [&e] { e.SetHighlightRectangle(1); },
            mode(1));
  AddToggle(highlight, tr("Green Rectangle"), {}, [&e] { e.SetHighlightRectangle(3); },
            mode(3));
  AddToggle(highlight, tr("Blue Rectangle"), {}, [&e] { e.SetHighlightRectangle(4); },
            mode(4));
  highlight->addSeparator();
  AddToggle(highlight, tr("Colored Tile"), {}, [&e] { e.SetHighlightColouredTile(); }, mode(2));
  highlight->addSeparator();
  AddToggle(highlight, tr("Show Current Tile"), {}, [&e] { e.ToggleShowCurrentTile(); },
            option(&game::Options::ShowCurrentTile));
  AddToggle(highlight, tr("Only Possible Moves"), {},
            [&e] { e.ToggleOnlyPossibleMoves(); }, option(&game::Options::OnlyPossibleMoves));

  BandMenu* configuration = AddMenu(tr("&Configuration"));
  AddToggle(configuration, tr("Winnable Layouts (in at least one way)"), {},
            [&e] { e.ToggleWinnableDeals(); }, option(&game::Options::Winnable));
  AddToggle(configuration, tr("Winnable Shuffles (in at least one way)"), {},
            [&e] { e.ToggleWinnableShuffles(); }, option(&game::Options::Shuffable));
  AddToggle(configuration, tr("Tell when the game can no longer be won"), {},
            [&e] { e.ToggleTellUnwinnable(); }, option(&game::Options::TellUnwinnable));
  AddToggle(configuration, tr("Hints keep the game winnable"), {}, [&e] { e.ToggleWinnableHints(); },
            option(&game::Options::WinnableHints));
  configuration->addSeparator();
  AddToggle(configuration, tr("Enable time tracking for the Hall of fame"), {},
            [&e] { e.ToggleHallOfFameTiming(); }, option(&game::Options::EnableHall));
  AddToggle(configuration, tr("Enable 3D shadows on tilesets"), {},
            [&e] { e.ToggleShadows(); }, option(&game::Options::Shadows));
  AddToggle(configuration, tr("Begin game directly at startup"), {},
            [&e] { e.ToggleStartupGame(); }, option(&game::Options::StartupGame));
  AddToggle(configuration, tr("Switch to 800x600 at startup"), {},
            [&e] { e.ToggleSwitchTo800x600(); }, option(&game::Options::SwitchTo800x600));
  configuration->addSeparator();
  AddToggle(configuration, tr("Animate Board while building the tiles"), {},
            [&e] { e.ToggleAnimateDeal(); }, option(&game::Options::Animate));
  AddToggle(configuration, tr("Animate Tile Rivers in Mahjongg Rivers"), {},
            [&e] { e.ToggleAnimateRiverSlides(); }, option(&game::Options::AnimateTileRivers));
  configuration->addSeparator();
  AddToggle(configuration, tr("Run music automatically at startup"), {},
            [this] { music_->ToggleStartMusic(); }, option(&game::Options::StartMusic));
  AddToggle(configuration, tr("Play sound effects"), {},
            [this] { music_->TogglePlaySounds(); }, option(&game::Options::PlaySounds));
  AddToggle(configuration, tr("Play music"), {}, [this] { music_->TogglePlayMusic(); },
            option(&game::Options::PlayMusic));

  BuildLookMenus();

  layoutMenu_ = AddMenu(tr("&Layout"));
  AddEntry(layoutMenu_, tr("Create Layout"), {}, [this] {
    if (CreateLayoutHandler) CreateLayoutHandler();
  });
  AddEntry(layoutMenu_, tr("Edit Layout"), {}, [this] {
    if (EditLayoutHandler) EditLayoutHandler();
  });
  layoutMenu_->addSeparator();

  musicMenu_ = AddMenu(tr("M&usic"));
  AddToggle(musicMenu_, tr("Random Music"), {}, [this] { music_->ToggleRandomMusic(); },
            option(&game::Options::RandomMusic));
  musicMenu_->addSeparator();

  BandMenu* help = AddMenu(tr("&Help"));
  AddEntry(help, tr("&Contents"), Qt::Key_F1,
           [&e] { e.OpenHelp(game::HelpPage::Help); });
  AddEntry(help, tr("What's New"), {}, [&e] { e.OpenHelp(game::HelpPage::WhatsNew); });
  AddEntry(help, tr("French Help"), {}, [&e] { e.OpenHelp(game::HelpPage::French); });
  AddEntry(help, tr("View Tiles"), {}, [&e] { e.OpenHelp(game::HelpPage::Tiles); });
  help->addSeparator();
  AddEntry(help, tr("&Hall of Fame"), Qt::Key_F10,
           [&e] { e.OpenHelp(game::HelpPage::HallOfFame); })
      ->setIcon(toolBar_->Glyph(ToolBar::HallOfFame));
  AddEntry(help, tr("&About..."), Qt::Key_F11,
           [&e] { e.OpenHelp(game::HelpPage::About); })
      ->setIcon(toolBar_->Glyph(ToolBar::About));

  BuildNewGameMenu();
}

void MainWindow::BuildLookMenus() {
  view::Looks& looks = *looks_;
  using B = view::BackgroundItem;
  using T = view::TilesetItem;
  auto ticked = [&looks](auto item) { return [&looks, item] { return looks.Ticked(item); }; };

  BandMenu* background = AddMenu(tr("&Background"));
  AddToggle(background, tr("Load from disk"), {},
            [&looks] { looks.ChooseBackgroundFile(); }, ticked(B::FromFile));
  background->addSeparator();
  AddToggle(background, tr("None"), {}, [&looks] { looks.ChooseNoBackground(); },
            ticked(B::None));
  AddToggle(background, tr("&Dragons"), {}, [&looks] { looks.ChooseDragonsBackground(); },
            ticked(B::Dragons));
  AddToggle(background, tr("Andromeda"), {}, [&looks] { looks.ChooseAndromedaBackground(); },
            ticked(B::Andromeda));
  AddToggle(background, tr("&Kanji (classic)"), {}, [&looks] { looks.ChooseKanjiBackground(); },
            ticked(B::Kanji));
  AddToggle(background, tr("Catpats"), {}, [&looks] { looks.ChooseCatpatsBackground(); },
            ticked(B::Catpats));

  BandMenu* tileset = AddMenu(tr("Tileset"));
  AddToggle(tileset, tr("Load from disk"), {}, [&looks] { looks.ChooseTilesetFile(); },
            ticked(T::FromFile));
  tileset->addSeparator();
  AddToggle(tileset, tr("Orange borders"), {}, [&looks] { looks.ChooseClassicTileset(); },
            ticked(T::Classic));
  AddToggle(tileset, tr("Dark borders"), {}, [&looks] { looks.ChooseDarkTileset(); },
            ticked(T::Dark));
  AddToggle(tileset, tr("Blue borders"), {}, [&looks] { looks.ChooseBlueTileset(); },
            ticked(T::Blue));
  AddToggle(tileset, tr("Few Colors"), {}, [&looks] { looks.ChooseLowColourTileset(); },
            ticked(T::LowColour));
}

void MainWindow::BuildNewGameMenu() {
  game::Engine& e = *engine_;
  newGameMenu_ = new BandMenu(QStringLiteral("Sorami"), this);
  newGameMenu_->SetBand(true);
  auto entry = [this](const char* caption, std::function<void()> command) {
    QAction* action = newGameMenu_->addAction(tr(caption));
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { Run(command); });
  };
  entry(QT_TR_NOOP("Solitaire (1-player)"), [&e] { e.NewRandomGame(); });
  entry(QT_TR_NOOP("Solitaire (2-player)"), [&e] { e.NewTwoPlayerGame(); });
  entry(QT_TR_NOOP("MJ Rivers (Easy)"), [&e] { e.NewRiversGame(game::Difficulty::Easy); });
  entry(QT_TR_NOOP("MJ Rivers (Hard)"), [&e] { e.NewRiversGame(game::Difficulty::Hard); });
  entry(QT_TR_NOOP("MJ Memory (Easy)"), [&e] { e.NewMemoryGame(game::Difficulty::Easy); });
  entry(QT_TR_NOOP("MJ Memory (Hard)"), [&e] { e.NewMemoryGame(game::Difficulty::Hard); });
}

void MainWindow::OpenNewGameMenu(QPoint at) { newGameMenu_->popup(at); }

void MainWindow::BuildToolBar() {
  toolBar_ = new ToolBar(programDir_ + QStringLiteral("toolbar/"),
                         QPixmap::fromImage(view::ReadImageFile(programDir_ + QStringLiteral("toolbar/tile.png"), "png")), central_);
  connect(toolBar_, &ToolBar::Clicked, this, &MainWindow::ToolButton);
  connect(toolBar_, &ToolBar::NewMenuRequested, this, &MainWindow::OpenNewGameMenu);
}

void MainWindow::ToolButton(ToolBar::Button which) {
  game::Engine& e = *engine_;
  switch (which) {
    case ToolBar::New: Run([&e] { e.NewGame(); }); break;
    case ToolBar::Back: Run([&e] { e.Back(); }); break;
    case ToolBar::Hint: Run([&e] { e.Hint(); }); break;
    case ToolBar::Shuffle: Run([&e] { e.Shuffle(); }); break;
    case ToolBar::Pause: Run([&e] { e.TogglePause(); }); break;
    case ToolBar::Music: Run([this] { music_->PauseOrResumeMusic(); }); break;
    case ToolBar::Help: Run([&e] { e.OpenHelp(game::HelpPage::Help); }); break;
    case ToolBar::About: Run([&e] { e.OpenHelp(game::HelpPage::About); }); break;
    case ToolBar::HallOfFame: Run([&e] { e.OpenHelp(game::HelpPage::HallOfFame); }); break;
    case ToolBar::Exit: Exit(); break;
    case ToolBar::kCount: break;
  }
}

void MainWindow::FillLayoutMenu() {
  game::Engine& e = *engine_;
  for (QAction* action : layoutEntries_) {
    layoutMenu_->removeAction(action);
    delete action;
  }
  layoutEntries_.clear();
  const int count = e.LayoutCount();
  for (int i = 1; i <= count; ++i) {
    const board::LayoutEntry* entry = e.Layouts().Entry(i);
    const bool shp = entry != nullptr && entry->Shp;
    QAction* action = layoutMenu_->addAction(Q(e.Layouts().LayoutName(i)));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, i, shp] {
      Run([this, i, shp] {
        if (shp) {
          engine_->ChooseShpLayout(i);
        } else {
          engine_->ChooseLayout(i);
        }
      });
    });
    layoutEntries_.push_back(action);
  }
}

void MainWindow::FillMusicMenu() {
  for (QAction* action : musicEntries_) {
    musicMenu_->removeAction(action);
    delete action;
  }
  musicEntries_.clear();
  for (int k = 1; k <= music_->MusicCount(); ++k) {
    QAction* action = musicMenu_->addAction(Q(music_->Pieces[k - 1].Name));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this,
            [this, k] { Run([this, k] { music_->ChoosePiece(k); }); });
    musicEntries_.push_back(action);
  }
}

void MainWindow::RefreshFromEngine() {
  const game::Engine& e = *engine_;
  for (const CheckBinding& binding : checks_) {
    if (binding.action) binding.action->setChecked(binding.checked());
  }
  // A layout count that grew (the editor saved a new layout) gets its entry.
  if (static_cast<int>(layoutEntries_.size()) != e.LayoutCount() && layoutMenu_ != nullptr) {
    FillLayoutMenu();
  }
  // While a Rivers or Memory game runs, the layout played before it keeps
  // the check mark.
  const int checkedLayout = e.CheckedLayout();
  for (int i = 0; i < static_cast<int>(layoutEntries_.size()); ++i) {
    layoutEntries_[i]->setChecked(i + 1 == checkedLayout);
  }
  for (int k = 0; k < static_cast<int>(musicEntries_.size()); ++k) {
    musicEntries_[k]->setChecked(k + 1 == music_->CheckedPiece);
  }
  toolBar_->ButtonAt(ToolBar::Music)->setEnabled(music_->MusicButtonEnabled);
}

// ---------------------------------------------------------------- option toggles

void MainWindow::ToggleHallOfFame() {
  game::Engine& e = *engine_;
  e.MutableOptions().ShowHallOfFame = !e.Opt().ShowHallOfFame;
  LayOut();
  if (e.Opt().ShowHallOfFame) {
    ShowHallPanel();
    e.SetPanelRefreshPending(true);
  }
  e.FullRedraw();
}

void MainWindow::ToggleToolbar() {
  engine_->MutableOptions().ShowToolbar = !engine_->Opt().ShowToolbar;
  LayOut();
  engine_->FullRedraw();
}

void MainWindow::ToggleStatusBar() {
  engine_->MutableOptions().ShowStatusBar = !engine_->Opt().ShowStatusBar;
  LayOut();
}

void MainWindow::ToggleCoolMenu() {
  engine_->MutableOptions().CoolMenu = !engine_->Opt().CoolMenu;
  ApplyCoolMenu();
}

void MainWindow::ToggleCoolMouse() {
  engine_->MutableOptions().CoolMouse = !engine_->Opt().CoolMouse;
  ApplyCoolMouse();
}

void MainWindow::ToggleCoolToolbar() {
  engine_->MutableOptions().CoolToolbar = !engine_->Opt().CoolToolbar;
  toolBar_->SetTiled(engine_->Opt().CoolToolbar);
}

void MainWindow::ToggleFlatButtons() {
  engine_->MutableOptions().FlatButtons = !engine_->Opt().FlatButtons;
  toolBar_->SetFlat(engine_->Opt().FlatButtons);
}

void MainWindow::ApplyCoolMenu() {
  for (BandMenu* menu : menus_) menu->SetBand(engine_->Opt().CoolMenu);
}

void MainWindow::ApplyCoolMouse() {
  const bool wanted = engine_->Opt().CoolMouse && techno_.has_value();
  if (wanted && !technoApplied_) {
    QApplication::setOverrideCursor(*techno_);
  } else if (!wanted && technoApplied_) {
    QApplication::restoreOverrideCursor();
  }
  technoApplied_ = wanted;
}

}  // namespace app
