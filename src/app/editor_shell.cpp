#include "app/editor_shell.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <exception>

#include "app/band_menu.h"
#include "app/editor_panel.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/screen_adapter.h"
#include "game/engine.h"

namespace app {

EditorShell::EditorShell(MainWindow& window, EditorPanel& panel)
    : QObject(&window), window_(window), panel_(panel), editor_(window.Engine(), window.Screen(), *this) {
  using editor::SaveChoice;
  editor::LayoutEditor& e = editor_;
  exitMenu_ = new BandMenu(tr("Exit"), &window);
  AddEntry(exitMenu_, tr("Save"), {}, [&e] { e.SaveAndExit(SaveChoice::Save); });
  AddEntry(exitMenu_, tr("Save as..."), {}, [&e] { e.SaveAndExit(SaveChoice::SaveAs); });
  AddEntry(exitMenu_, tr("Try it"), {}, [&e] { e.SaveAndExit(SaveChoice::TryIt); });
  exitMenu_->addSeparator();
  AddEntry(exitMenu_, tr("Exit"), {}, [&e] { e.CancelEditing(); });

  moveMenu_ = new BandMenu(tr("Move Board"), &window);
  AddEntry(moveMenu_, tr("Move to left <"), Qt::CTRL | Qt::Key_S, [&e] { e.MoveBoardLeft(); });
  AddEntry(moveMenu_, tr("Move to right >"), Qt::CTRL | Qt::Key_D, [&e] { e.MoveBoardRight(); });
  AddEntry(moveMenu_, tr("Move to top /\\"), Qt::CTRL | Qt::Key_E, [&e] { e.MoveBoardUp(); });
  AddEntry(moveMenu_, tr("Move to bottom \\/"), Qt::CTRL | Qt::Key_X,
           [&e] { e.MoveBoardDown(); });

  // The name field leaves the keys of the menu bar's entries to them.
  panel_.NameField()->SetWindowShortcutTest([this](const QKeySequence& key) {
    for (QAction* menuAction : window_.menuBar()->actions()) {
      const QMenu* menu = menuAction->menu();
      if (menu == nullptr || !menuAction->isEnabled()) continue;
      for (const QAction* entry : menu->actions()) {
        if (entry->isEnabled() && entry->shortcuts().contains(key)) return true;
      }
    }
    return false;
  });

  // The "&Layout" menu's two editor commands (run through the window's own
  // command wrapper).
  window.CreateLayoutHandler = [&e] { e.CreateLayout(); };
  window.EditLayoutHandler = [&e] { e.EditLayout(); };
}

EditorShell::~EditorShell() {
  window_.CreateLayoutHandler = nullptr;
  window_.EditLayoutHandler = nullptr;
}

QMenu* EditorShell::ExitMenu() const { return exitMenu_; }

QMenu* EditorShell::MoveMenu() const { return moveMenu_; }

QAction* EditorShell::Entry(const QString& caption) const {
  for (QMenu* menu : {static_cast<QMenu*>(exitMenu_), static_cast<QMenu*>(moveMenu_)})
    for (QAction* action : menu->actions())
      if (action->text() == caption) return action;
  return nullptr;
}

QAction* EditorShell::AddEntry(QMenu* menu, const QString& caption, const QKeySequence& key,
                               std::function<void()> command) {
  QAction* action = menu->addAction(caption);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] { Run(command); });
  return action;
}

void EditorShell::Run(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    window_.Screen().Tell(editor::MessageTitle, error.what());
  }
  window_.RefreshFromEngine();
}

void EditorShell::ShowEditor() {
  QMenuBar* bar = window_.menuBar();
  if (gameMenus_.isEmpty()) {
    gameMenus_ = bar->actions();
    for (QAction* menu : gameMenus_) bar->removeAction(menu);
  }
  const bool band = window_.Engine().Opt().CoolMenu;
  exitMenu_->SetBand(band);
  moveMenu_->SetBand(band);
  if (!bar->actions().contains(exitMenu_->menuAction())) {
    bar->addMenu(exitMenu_);
    bar->addMenu(moveMenu_);
  }
  window_.LayOut();
}

void EditorShell::HideEditor() {
  // A hidden field that kept the keyboard would still take the keys of the
  // game's shortcuts (Ctrl+C, Ctrl+X, Ctrl+Z): the board takes it back, and
  // with it the keys that play.
  if (panel_.isAncestorOf(window_.focusWidget())) window_.Game()->setFocus(Qt::OtherFocusReason);
  QMenuBar* bar = window_.menuBar();
  bar->removeAction(exitMenu_->menuAction());
  bar->removeAction(moveMenu_->menuAction());
  bar->addActions(gameMenus_);
  gameMenus_.clear();
  window_.LayOut();
}

void EditorShell::ShowTilesToPlace(int count) { panel_.SetTilesLeft(count); }

void EditorShell::SetLayoutNameField(const std::string& name) {
  panel_.SetLayoutName(QString::fromStdString(name));
}

std::string EditorShell::LayoutNameField() const { return panel_.LayoutName().toStdString(); }

void EditorShell::ResetNameField() { panel_.ResetNameField(); }

}  // namespace app
