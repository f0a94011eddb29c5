// MainWindow's menu bar, new-game pop-up and toolbar, built from the command
// table; the option toggles the window carries out itself; and the check
// marks, captions and enabled states that mirror the engine.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QToolButton>

#include <exception>

#include "app/band_menu.h"
#include "app/board_accessible.h"
#include "app/main_window.h"
#include "app/screen_adapter.h"
#include "game/engine.h"
#include "game/music_control.h"
#include "view/picture_file.h"

namespace app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

BandMenu* MainWindow::AddMenu(const QString& caption) {
  auto* menu = new BandMenu(caption, this);
  menuBar()->addMenu(menu);
  menus_.push_back(menu);
  return menu;
}

void MainWindow::AddCommandEntry(QMenu* menu, const Command& command) {
  QAction* action = menu->addAction(tr(command.Caption));
  if (!command.Shortcut.isEmpty()) {
    QList<QKeySequence> keys{command.Shortcut};
    if (const QKeySequence other = AlternateShortcut(command.Id); !other.isEmpty()) keys << other;
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  if (command.Glyph) action->setIcon(toolBar_->Glyph(*command.Glyph));
  if (command.Checked) {
    action->setCheckable(true);
    action->setChecked(command.Checked());
  }
  const CommandId id = command.Id;
  connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
  commandEntries_[id] = action;
}

void MainWindow::Run(const std::function<void()>& command, bool refresh) {
  try {
    command();
  } catch (const std::exception& error) {
    screen_->Tell("Sorami", error.what());
  }
  if (refresh && !closing_) RefreshFromEngine();
  if (speech_ != nullptr && !closing_) speech_->Update();
  KeepGame();
}

void MainWindow::RunCommand(CommandId id) {
  for (const Command& command : commands_) {
    if (command.Id == id) {
      Run(command.Action);
      return;
    }
  }
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

QAction* MainWindow::CommandEntry(CommandId id) const {
  const auto found = commandEntries_.find(id);
  return found == commandEntries_.end() ? nullptr : found->second;
}

void MainWindow::BuildMenus() {
  for (const Menu& plan : Menus()) {
    BandMenu* menu = nullptr;
    if (plan.Id == MenuId::NewGamePopup) {
      // The pop-up stands apart from the menu bar and always shows its band.
      newGameMenu_ = menu = new BandMenu(QString::fromLatin1(plan.Title), this);
      newGameMenu_->SetBand(true);
    } else {
      menu = AddMenu(tr(plan.Title));
    }
    if (plan.Id == MenuId::Layout) layoutMenu_ = menu;
    if (plan.Id == MenuId::Music) musicMenu_ = menu;
    for (const MenuItem& entry : plan.Entries) {
      if (!entry.Command) {
        menu->addSeparator();
        continue;
      }
      for (const Command& command : commands_) {
        if (command.Id == *entry.Command) AddCommandEntry(menu, command);
      }
    }
  }
}

void MainWindow::OpenNewGameMenu(QPoint at) { newGameMenu_->popup(at); }

void MainWindow::BuildToolBar() {
  toolBar_ = new ToolBar(programDir_ + QStringLiteral("toolbar/"),
                         QPixmap::fromImage(view::ReadImageFile(programDir_ + QStringLiteral("toolbar/tile.png"), "png")), central_);
  for (const Command& command : commands_) {
    if (command.Button) buttonCommands_[*command.Button] = command.Id;
  }
  connect(toolBar_, &ToolBar::Clicked, this, &MainWindow::ToolButton);
  connect(toolBar_, &ToolBar::NewMenuRequested, this, &MainWindow::OpenNewGameMenu);
}

void MainWindow::ToolButton(ToolBar::Button which) {
  if (which < 0 || which >= ToolBar::kCount) return;
  if (const std::optional<CommandId> id = buttonCommands_[which]) RunCommand(*id);
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
  for (const Command& command : commands_) {
    if (!command.Checked) continue;
    if (QAction* entry = CommandEntry(command.Id)) entry->setChecked(command.Checked());
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
    screen_->ShowHallPanel();
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
