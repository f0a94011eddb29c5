#include "app/editor_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace app {

bool LayoutNameField::event(QEvent* event) {
  // A line edit claims every key it has an editing use for (Ctrl+E ends the
  // line, Ctrl+X cuts, Ctrl+Z undoes), which would keep the window's own
  // shortcut from running. The window's commands come first.
  if (event->type() == QEvent::ShortcutOverride && taken_by_window_) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (taken_by_window_(QKeySequence(key->keyCombination()))) {
      event->ignore();
      return true;
    }
  }
  return QLineEdit::event(event);
}

EditorPanel::EditorPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EditorPanel"));
  setFixedHeight(kHeight);
  // The light ground of the toolbar it stands in for.
  setAutoFillBackground(true);
  QPalette ground = palette();
  ground.setColor(QPalette::Window, QColor(212, 208, 200));
  ground.setColor(QPalette::WindowText, Qt::black);
  setPalette(ground);

  QFont bold = font();
  bold.setBold(true);

  auto* tilesLabel = new QLabel(tr("Tiles left"), this);
  tilesLabel->setFont(bold);
  counter_ = new QLabel(QStringLiteral("0"), this);
  counter_->setObjectName(QStringLiteral("TilesLeftCounter"));
  counter_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  counter_->setAlignment(Qt::AlignCenter);
  counter_->setFixedSize(44, 21);
  counter_->setFont(bold);
  counter_->setAutoFillBackground(true);
  QPalette box = counter_->palette();
  box.setColor(QPalette::Window, Qt::white);
  counter_->setPalette(box);

  auto* nameLabel = new QLabel(tr("Layout Name"), this);
  nameLabel->setFont(bold);
  nameField_ = new LayoutNameField(this);
  nameField_->setObjectName(QStringLiteral("LayoutNameField"));
  nameField_->setFixedSize(260, 21);
  nameLabel->setBuddy(nameField_);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 4, 8, 4);
  row->setSpacing(6);
  row->addWidget(tilesLabel);
  row->addWidget(counter_);
  row->addSpacing(24);
  row->addWidget(nameLabel);
  row->addWidget(nameField_);
  row->addStretch(1);
}

void EditorPanel::SetTilesLeft(int count) { counter_->setText(QString::number(count)); }

QString EditorPanel::TilesLeft() const { return counter_->text(); }

void EditorPanel::SetLayoutName(const QString& name) { nameField_->setText(name); }

QString EditorPanel::LayoutName() const { return nameField_->text(); }

void EditorPanel::ResetNameField() {
  nameField_->setEnabled(false);
  nameField_->setEnabled(true);
}

}  // namespace app
