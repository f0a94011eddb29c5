#pragma once
// The layout editor's panel, shown in place of the toolbar while the editor
// is open: the "Tiles left" counter (the places still to set) and the
// "Layout Name" field.

#include <QLineEdit>
#include <QWidget>

#include <functional>

class QLabel;

namespace app {

// The "Layout Name" field: an ordinary line edit, except that a key the
// window uses as a shortcut (the editor's Ctrl+E, Ctrl+X...) goes to the
// window's command rather than to the text.
class LayoutNameField : public QLineEdit {
  Q_OBJECT

 public:
  using ShortcutTest = std::function<bool(const QKeySequence& key)>;
  explicit LayoutNameField(QWidget* parent = nullptr) : QLineEdit(parent) {}
  // Whether the window has a command on `key` right now.
  void SetWindowShortcutTest(ShortcutTest test) { taken_by_window_ = std::move(test); }

 protected:
  bool event(QEvent* event) override;

 private:
  ShortcutTest taken_by_window_;
};

class EditorPanel : public QWidget {
  Q_OBJECT

 public:
  // As high as the toolbar it replaces, so the window keeps its size.
  static constexpr int kHeight = 33;

  explicit EditorPanel(QWidget* parent = nullptr);

  void SetTilesLeft(int count);
  QString TilesLeft() const;
  void SetLayoutName(const QString& name);
  QString LayoutName() const;
  // Disables and enables the name field again: it lets go of the keyboard.
  void ResetNameField();

  // The parts, for tests.
  QLabel* Counter() const { return counter_; }
  LayoutNameField* NameField() const { return nameField_; }

 private:
  QLabel* counter_ = nullptr;
  LayoutNameField* nameField_ = nullptr;
};

}  // namespace app
