// TSorami's menu bar, new-game pop-up, toolbar and option toggles: every
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
const char* const kRiversEasy = QT_TRANSLATE_NOOP("app::TSorami", "Mah-Jongg Rivers : New Game (Easy)");
const char* const kRiversHard = QT_TRANSLATE_NOOP("app::TSorami", "Mah-Jongg Rivers : New Game (Hard)");
const char* const kMemoryEasy = QT_TRANSLATE_NOOP("app::TSorami", "Mah-Jongg Memory : New Game (Easy)");
const char* const kMemoryHard = QT_TRANSLATE_NOOP("app::TSorami", "Mah-Jongg Memory : New Game (Hard)");

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

BandMenu* TSorami::AddMenu(const QString& caption) {
  auto* menu = new BandMenu(caption, this);
  menuBar()->addMenu(menu);
  menus_.push_back(menu);
  return menu;
}

QAction* TSorami::AddEntry(QMenu* menu, const QString& caption, const QKeySequence& key,
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

QAction* TSorami::AddToggle(QMenu* menu, const QString& caption, const QKeySequence& key,
                            std::function<void()> command, std::function<bool()> checked) {
  QAction* action = AddEntry(menu, caption, key, std::move(command));
  action->setCheckable(true);
  action->setChecked(checked());
  checks_.push_back({action, std::move(checked)});
  return action;
}

void TSorami::Run(const std::function<void()>& command, bool refresh) {
  try {
    command();
  } catch (const std::exception& error) {
    Tell("Sorami", error.what());
  }
  if (refresh && !closing_) RefreshFromEngine();
}

QMenu* TSorami::NewGameMenu() const { return newGameMenu_; }

QAction* TSorami::MenuEntry(const QString& menu, const QString& entry) const {
  for (BandMenu* candidate : menus_) {
    if (candidate->title() != menu) continue;
    for (QAction* action : candidate->actions()) {
      if (action->text() == entry) return action;
    }
  }
  return nullptr;
}

void TSorami::BuildMenus() {
  game::Engine& e = *engine_;
  game::Options& o = e.Opt;
  const QIcon newGlyph = toolBar_->Glyph(ToolBar::New);
  auto option = [&o](bool game::Options::* flag) { return [&o, flag] { return o.*flag; }; };

  BandMenu* file = AddMenu(tr("&File"));
  AddEntry(file, tr("Mah-Jongg Solitaire : New Fully Random Game"), Qt::Key_F2,
           [&e] { e.RandomSolitaireGame1Click(); })
      ->setIcon(newGlyph);
  AddEntry(file, tr("Mah-Jongg Solitaire : New Random Specific Game"), {},
           [&e] { e.NewRandomSpecificGame1Click(); })
      ->setIcon(newGlyph);
  AddEntry(file, tr("Mah-Jongg Solitaire : New Specific Game"), {},
           [&e] { e.NewSpecificGame1Click(); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr("Mah-Jongg Solitaire : New 2-Player Game"), Qt::SHIFT | Qt::Key_F2,
           [&e] { e.TwoPlayers(); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr(kRiversEasy), Qt::Key_F3, [&e] { e.FourRivers(kRiversEasy); })
      ->setIcon(newGlyph);
  AddEntry(file, tr(kRiversHard), Qt::SHIFT | Qt::Key_F3,
           [&e] { e.FourRivers(kRiversHard); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr(kMemoryEasy), Qt::Key_F4, [&e] { e.Memory(kMemoryEasy); })
      ->setIcon(newGlyph);
  AddEntry(file, tr(kMemoryHard), Qt::SHIFT | Qt::Key_F4,
           [&e] { e.Memory(kMemoryHard); })
      ->setIcon(newGlyph);
  file->addSeparator();
  AddEntry(file, tr("E&xit"), Qt::CTRL | Qt::Key_C, [this] { Exit1Click(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Exit));

  BandMenu* play = AddMenu(tr("&Play"));
  AddEntry(play, tr("&Back"), Qt::CTRL | Qt::Key_Z, [&e] { e.Back(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Back));
  AddEntry(play, tr("Back to Last Winnable Position"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
           [&e] { e.BackToLastWinnablePosition(); });
  AddEntry(play, tr("&Hint"), Qt::CTRL | Qt::Key_H, [&e] { e.Hint(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Hint));
  play->addSeparator();
  pauseEntry_ = AddEntry(play, tr("&Pause"), Qt::Key_F12, [&e] { e.PauseClick(); });
  pauseEntry_->setIcon(toolBar_->Glyph(ToolBar::Pause));
  AddEntry(play, tr("Shu&ffle"), Qt::CTRL | Qt::Key_S, [&e] { e.Shuffle1Click(); })
      ->setIcon(toolBar_->Glyph(ToolBar::Shuffle));
  AddEntry(play, tr("&Stop"), Qt::CTRL | Qt::Key_X, [&e] { e.Stop(); });
  AddEntry(play, tr("&Restart"), Qt::CTRL | Qt::Key_R, [&e] { e.Restart(); });
  play->addSeparator();
  AddEntry(play, tr("&Player Name"), {},
           [&e] { e.CallHelp(game::HelpPage::Options); });
  AddToggle(play, tr("Random Seed"), {}, [&e] { e.CallHelp(game::HelpPage::Options); },
            option(&game::Options::RandomSeed1));
  AddToggle(play, tr("Vertical Variation"), {}, [&e] { e.VerticalClick(); },
            option(&game::Options::Vertical));

  BandMenu* viewMenu = AddMenu(tr("View"));
  AddToggle(viewMenu, tr("&Invert selection"), {}, [&e] { e.InvertClick(); },
            option(&game::Options::Invert));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("Cool Menu"), {}, [this] { CoolMenu1Click(); },
            option(&game::Options::CoolMenu));
  AddToggle(viewMenu, tr("Cool Mouse"), {}, [this] { CoolMouseClick(); },
            option(&game::Options::CoolMouse));
  AddToggle(viewMenu, tr("Cool Toolbar"), {}, [this] { CoolToolbarClick(); },
            option(&game::Options::CoolToolbar));
  AddToggle(viewMenu, tr("Cool Buttons"), {}, [this] { FlatButtonsClick(); },
            option(&game::Options::FlatButtons));
  AddToggle(viewMenu, tr("Cool Status"), {}, [&e] { e.CoolStatusClick(); },
            option(&game::Options::CoolStatus));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("&Show Time Left"), Qt::CTRL | Qt::Key_L,
            [&e] { e.ShowTimeClick(); }, option(&game::Options::ShowTime));
  AddToggle(viewMenu, tr("Show &Moves Left"), Qt::CTRL | Qt::Key_M,
            [&e] { e.NStatus(); }, option(&game::Options::Moves));
  viewMenu->addSeparator();
  AddToggle(viewMenu, tr("Show Hall of &Fame"), Qt::CTRL | Qt::Key_F,
            [this] { ShowHallPanel(); }, option(&game::Options::ShowHallFame));
  AddToggle(viewMenu, tr("Show Status Bar"), Qt::CTRL | Qt::Key_B,
            [this] { ShowTitleClick(); }, option(&game::Options::ShowTitle));
  AddToggle(viewMenu, tr("Show &Toolbar"), Qt::CTRL | Qt::Key_T,
            [this] { Toolbar1Click(); }, option(&game::Options::Toolbar1));

  BandMenu* highlight = AddMenu(tr("&Highlight"));
  auto mode = [&e](int value) { return [&e, value] { return e.HighlightMode == value; }; };
  AddToggle(highlight, tr("None"), {}, [&e] { e.Highlight1Click(); }, mode(0));
  highlight->addSeparator();
  AddToggle(highlight, tr("Red Rectangle"), {}, [&e] { e.Highlight2Click(1); },
            mode(1));
  AddToggle(highlight, tr("Green Rectangle"), {}, [&e] { e.Highlight2Click(3); },
            mode(3));
  AddToggle(highlight, tr("Blue Rectangle"), {}, [&e] { e.Highlight2Click(4); },
            mode(4));
  highlight->addSeparator();
  AddToggle(highlight, tr("Colored Tile"), {}, [&e] { e.Highlight3Click(); }, mode(2));
  highlight->addSeparator();
  AddToggle(highlight, tr("Show Current Tile"), {}, [&e] { e.ShowCurrentTileClick(); },
            option(&game::Options::ShowCurrentTile));
  AddToggle(highlight, tr("Only Possible Moves"), {},
            [&e] { e.OnlyPossibleMovesClick(); }, option(&game::Options::OnlyPossibleMoves));

  BandMenu* configuration = AddMenu(tr("&Configuration"));
  AddToggle(configuration, tr("Winnable Layouts (in at least one way)"), {},
            [&e] { e.WinnableClick(); }, option(&game::Options::Winnable));
  AddToggle(configuration, tr("Winnable Shuffles (in at least one way)"), {},
            [&e] { e.ShuffableClick(); }, option(&game::Options::Shuffable));
  AddToggle(configuration, tr("Tell when the game can no longer be won"), {},
            [&e] { e.TellUnwinnableClick(); }, option(&game::Options::TellUnwinnable));
  AddToggle(configuration, tr("Hints keep the game winnable"), {}, [&e] { e.WinnableHintsClick(); },
            option(&game::Options::WinnableHints));
  configuration->addSeparator();
  AddToggle(configuration, tr("Enable time tracking for the Hall of fame"), {},
            [&e] { e.EnableHallClick(); }, option(&game::Options::EnableHall));
  AddToggle(configuration, tr("Enable 3D shadows on tilesets"), {},
            [&e] { e.ShadowsClick(); }, option(&game::Options::Shadows));
  AddToggle(configuration, tr("Begin game directly at startup"), {},
            [&e] { e.StartupGameClick(); }, option(&game::Options::StartupGame));
  AddToggle(configuration, tr("Switch to 800x600 at startup"), {},
            [&e] { e.Res800Click(); }, option(&game::Options::Res800));
  configuration->addSeparator();
  AddToggle(configuration, tr("Animate Board while building the tiles"), {},
            [&e] { e.AnimateClick(); }, option(&game::Options::Animate));
  AddToggle(configuration, tr("Animate Tile Rivers in Mahjongg Rivers"), {},
            [&e] { e.AnimateTileRiversClick(); }, option(&game::Options::AnimateTileRivers));
  configuration->addSeparator();
  AddToggle(configuration, tr("Run music automatically at startup"), {},
            [this] { music_->StartMusicClick(); }, option(&game::Options::StartMusic));
  AddToggle(configuration, tr("Play sound effects"), {},
            [this] { music_->PlaySoundsClick(); }, option(&game::Options::PlaySounds));
  AddToggle(configuration, tr("Play music"), {}, [this] { music_->PlayMusicClick(); },
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
  AddToggle(musicMenu_, tr("Random Music"), {}, [this] { music_->RandomMusicClick(); },
            option(&game::Options::RandomMusic));
  musicMenu_->addSeparator();

  BandMenu* help = AddMenu(tr("&Help"));
  AddEntry(help, tr("&Contents"), Qt::Key_F1,
           [&e] { e.CallHelp(game::HelpPage::Help); });
  AddEntry(help, tr("What's New"), {}, [&e] { e.CallHelp(game::HelpPage::WhatsNew); });
  AddEntry(help, tr("French Help"), {}, [&e] { e.CallHelp(game::HelpPage::French); });
  AddEntry(help, tr("View Tiles"), {}, [&e] { e.CallHelp(game::HelpPage::Tiles); });
  help->addSeparator();
  AddEntry(help, tr("&Hall of Fame"), Qt::Key_F10,
           [&e] { e.CallHelp(game::HelpPage::HallOfFame); })
      ->setIcon(toolBar_->Glyph(ToolBar::HallOfFame));
  AddEntry(help, tr("&About..."), Qt::Key_F11,
           [&e] { e.CallHelp(game::HelpPage::About); })
      ->setIcon(toolBar_->Glyph(ToolBar::About));

  BuildNewGameMenu();
}

void TSorami::BuildLookMenus() {
  view::Looks& looks = *looks_;
  using B = view::BackgroundItem;
  using T = view::TilesetItem;
  auto ticked = [&looks](auto item) { return [&looks, item] { return looks.Ticked(item); }; };

  BandMenu* background = AddMenu(tr("&Background"));
  AddToggle(background, tr("Load from disk"), {},
            [&looks] { looks.LoadBackgroundClick(); }, ticked(B::LoadBackground));
  background->addSeparator();
  AddToggle(background, tr("None"), {}, [&looks] { looks.None1Click(); },
            ticked(B::None1));
  AddToggle(background, tr("&Dragons"), {}, [&looks] { looks.Dragons1Click(); },
            ticked(B::Dragons1));
  AddToggle(background, tr("Andromeda"), {}, [&looks] { looks.AndromedaClick(); },
            ticked(B::Andromeda));
  AddToggle(background, tr("&Kanji (classic)"), {}, [&looks] { looks.Kanji1Click(); },
            ticked(B::Kanji1));
  AddToggle(background, tr("Catpats"), {}, [&looks] { looks.CatpatsClick(); },
            ticked(B::Catpats));

  BandMenu* tileset = AddMenu(tr("Tileset"));
  AddToggle(tileset, tr("Load from disk"), {}, [&looks] { looks.Load1Click(); },
            ticked(T::Load1));
  tileset->addSeparator();
  AddToggle(tileset, tr("Orange borders"), {}, [&looks] { looks.MahJongg1Click(); },
            ticked(T::MahJongg1));
  AddToggle(tileset, tr("Dark borders"), {}, [&looks] { looks.MahJongg2Click(); },
            ticked(T::MahJongg2));
  AddToggle(tileset, tr("Blue borders"), {}, [&looks] { looks.MahJongg3Click(); },
            ticked(T::MahJongg3));
  AddToggle(tileset, tr("Few Colors"), {}, [&looks] { looks.Lowcolor1Click(); },
            ticked(T::Lowcolor1));
}

void TSorami::BuildNewGameMenu() {
  game::Engine& e = *engine_;
  newGameMenu_ = new BandMenu(QStringLiteral("Sorami"), this);
  newGameMenu_->SetBand(true);
  auto entry = [this](const char* caption, std::function<void()> command) {
    QAction* action = newGameMenu_->addAction(tr(caption));
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { Run(command); });
  };
  entry(QT_TR_NOOP("Solitaire (1-player)"), [&e] { e.RandomSolitaireGame1Click(); });
  entry(QT_TR_NOOP("Solitaire (2-player)"), [&e] { e.TwoPlayers(); });
  entry(QT_TR_NOOP("MJ Rivers (Easy)"), [&e] { e.FourRivers("MJ Rivers (Easy)"); });
  entry(QT_TR_NOOP("MJ Rivers (Hard)"), [&e] { e.FourRivers("MJ Rivers (Hard)"); });
  entry(QT_TR_NOOP("MJ Memory (Easy)"), [&e] { e.Memory("MJ Memory (Easy)"); });
  entry(QT_TR_NOOP("MJ Memory (Hard)"), [&e] { e.Memory("MJ Memory (Hard)"); });
}

void TSorami::OpenNewGameMenu(QPoint at) { newGameMenu_->popup(at); }

void TSorami::BuildToolBar() {
  toolBar_ = new ToolBar(programDir_ + QStringLiteral("toolbar/"),
                         QPixmap::fromImage(view::ReadImageFile(programDir_ + QStringLiteral("toolbar/tile.png"), "png")), central_);
  connect(toolBar_, &ToolBar::Clicked, this, &TSorami::ToolButton);
  connect(toolBar_, &ToolBar::NewMenuRequested, this, &TSorami::OpenNewGameMenu);
}

void TSorami::ToolButton(ToolBar::Button which) {
  game::Engine& e = *engine_;
  switch (which) {
    case ToolBar::New: Run([&e] { e.NewGame(); }); break;
    case ToolBar::Back: Run([&e] { e.Back(); }); break;
    case ToolBar::Hint: Run([&e] { e.Hint(); }); break;
    case ToolBar::Shuffle: Run([&e] { e.Shuffle1Click(); }); break;
    case ToolBar::Pause: Run([&e] { e.PauseClick(); }); break;
    case ToolBar::Music: Run([this] { music_->SetMusicClick(); }); break;
    case ToolBar::Help: Run([&e] { e.CallHelp(game::HelpPage::Help); }); break;
    case ToolBar::About: Run([&e] { e.CallHelp(game::HelpPage::About); }); break;
    case ToolBar::HallOfFame: Run([&e] { e.CallHelp(game::HelpPage::HallOfFame); }); break;
    case ToolBar::Exit: Exit1Click(); break;
    case ToolBar::kCount: break;
  }
}

void TSorami::FillLayoutMenu() {
  game::Engine& e = *engine_;
  for (QAction* action : layoutEntries_) {
    layoutMenu_->removeAction(action);
    delete action;
  }
  layoutEntries_.clear();
  const int count = e.LayoutCount();
  for (int i = 1; i <= count; ++i) {
    const board::LayoutEntry* entry = e.Layouts.Entry(i);
    const bool shp = entry != nullptr && entry->Shp;
    QAction* action = layoutMenu_->addAction(Q(e.Layouts.LayoutName(i)));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, i, shp] {
      Run([this, i, shp] {
        if (shp) {
          engine_->LoadShplayoutClick(i);
        } else {
          engine_->LoadlayoutClick(i);
        }
      });
    });
    layoutEntries_.push_back(action);
  }
}

void TSorami::FillMusicMenu() {
  for (QAction* action : musicEntries_) {
    musicMenu_->removeAction(action);
    delete action;
  }
  musicEntries_.clear();
  for (int k = 1; k <= music_->MusicCount(); ++k) {
    QAction* action = musicMenu_->addAction(Q(music_->Pieces[k - 1].Name));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this,
            [this, k] { Run([this, k] { music_->LoadMidiClick(k); }); });
    musicEntries_.push_back(action);
  }
}

void TSorami::RefreshFromEngine() {
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
  const int checkedLayout =
      e.BoardNumber >= game::RiversEasyBoard ? e.SavedLayoutNumber : e.BoardNumber;
  for (int i = 0; i < static_cast<int>(layoutEntries_.size()); ++i) {
    layoutEntries_[i]->setChecked(i + 1 == checkedLayout);
  }
  for (int k = 0; k < static_cast<int>(musicEntries_.size()); ++k) {
    musicEntries_[k]->setChecked(k + 1 == music_->CheckedPiece);
  }
  toolBar_->ButtonAt(ToolBar::Music)->setEnabled(music_->MusicButtonEnabled);
}

// ---------------------------------------------------------------- option toggles

void TSorami::ShowHallPanel() {
  game::Engine& e = *engine_;
  e.Opt.ShowHallFame = !e.Opt.ShowHallFame;
  LayOut();
  if (e.Opt.ShowHallFame) {
    ShowPanelHOF();
    e.PanelRefreshPending = true;
  }
  e.FullRedraw();
}

void TSorami::Toolbar1Click() {
  engine_->Opt.Toolbar1 = !engine_->Opt.Toolbar1;
  LayOut();
  engine_->FullRedraw();
}

void TSorami::ShowTitleClick() {
  engine_->Opt.ShowTitle = !engine_->Opt.ShowTitle;
  LayOut();
}

void TSorami::CoolMenu1Click() {
  engine_->Opt.CoolMenu = !engine_->Opt.CoolMenu;
  ApplyCoolMenu();
}

void TSorami::CoolMouseClick() {
  engine_->Opt.CoolMouse = !engine_->Opt.CoolMouse;
  ApplyCoolMouse();
}

void TSorami::CoolToolbarClick() {
  engine_->Opt.CoolToolbar = !engine_->Opt.CoolToolbar;
  toolBar_->SetTiled(engine_->Opt.CoolToolbar);
}

void TSorami::FlatButtonsClick() {
  engine_->Opt.FlatButtons = !engine_->Opt.FlatButtons;
  toolBar_->SetFlat(engine_->Opt.FlatButtons);
}

void TSorami::ApplyCoolMenu() {
  for (BandMenu* menu : menus_) menu->SetBand(engine_->Opt.CoolMenu);
}

void TSorami::ApplyCoolMouse() {
  const bool wanted = engine_->Opt.CoolMouse && techno_.has_value();
  if (wanted && !technoApplied_) {
    QApplication::setOverrideCursor(*techno_);
  } else if (!wanted && technoApplied_) {
    QApplication::restoreOverrideCursor();
  }
  technoApplied_ = wanted;
}

}  // namespace app
