#pragma once
// The layout editor inside the main window: its menu bar ("Exit" with
// "Save", "Save as...", "Try it" and "Exit"; "Move Board" with the four
// moves), which stands in for the game's menu bar while the editor is open,
// and its panel, which stands in for the toolbar. It owns the editor's logic
// (editor::LayoutEditor) and answers the "Create Layout" and "Edit Layout"
// commands of the "&Layout" menu.

#include <QList>
#include <QObject>

#include <functional>
#include <string>

#include "editor/layout_editor.h"

class QAction;
class QMenu;

namespace app {

class BandMenu;
class EditorPanel;
class MainWindow;

class EditorShell : public QObject, public editor::EditorWindowPort {
  Q_OBJECT

 public:
  EditorShell(MainWindow& window, EditorPanel& panel);
  ~EditorShell() override;

  editor::LayoutEditor& Editor() { return editor_; }
  EditorPanel& Panel() { return panel_; }
  // The editor's two menus, and one of their entries by its caption (null
  // when there is none).
  QMenu* ExitMenu() const;
  QMenu* MoveMenu() const;
  QAction* Entry(const QString& caption) const;

  // editor::EditorWindowPort
  void ShowEditor() override;
  void HideEditor() override;
  void ShowTilesToPlace(int count) override;
  void SetLayoutNameField(const std::string& name) override;
  std::string LayoutNameField() const override;
  void ResetNameField() override;

 private:
  QAction* AddEntry(QMenu* menu, const QString& caption, const QKeySequence& key,
                    std::function<void()> command);
  // Runs an editor command, shows an error it raises, and lets the window
  // follow the engine's state.
  void Run(const std::function<void()>& command);

  MainWindow& window_;
  EditorPanel& panel_;
  BandMenu* exitMenu_ = nullptr;
  BandMenu* moveMenu_ = nullptr;
  // The game's menus, taken off the menu bar while the editor is open (their
  // shortcuts then rest: Ctrl+S moves the board instead of shuffling).
  QList<QAction*> gameMenus_;
  editor::LayoutEditor editor_;
};

}  // namespace app
