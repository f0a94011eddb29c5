#pragma once
// The layout editor's panel, shown in place of the toolbar while the editor
// is open: the "Tiles left" counter (the places still to set) and the
// "Layout Name" field.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace app {

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
  QLineEdit* NameField() const { return nameField_; }

 private:
  QLabel* counter_ = nullptr;
  QLineEdit* nameField_ = nullptr;
};

}  // namespace app
