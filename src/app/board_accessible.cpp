#include "app/board_accessible.h"

#include <QCoreApplication>
#include <QWidget>

namespace app {

BoardSpeech::BoardSpeech(QWidget* board, Text name, Text description)
    : QObject(board), board_(board), nameOf_(std::move(name)), descriptionOf_(std::move(description)) {
  static const bool installed = [] {
    QAccessible::installFactory(&BoardSpeech::Factory);
    return true;
  }();
  (void)installed;
  name_ = nameOf_ ? nameOf_() : QString();
  description_ = descriptionOf_ ? descriptionOf_() : QString();
}

QString BoardSpeech::Name() const {
  return name_.isEmpty() ? QCoreApplication::translate("app::BoardAccessible", "Board") : name_;
}

void BoardSpeech::Update() {
  const QString name = nameOf_ ? nameOf_() : QString();
  const QString description = descriptionOf_ ? descriptionOf_() : QString();
  if (name != name_) {
    name_ = name;
    QAccessibleEvent changed(board_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
  if (description != description_) {
    description_ = description;
    QAccessibleEvent changed(board_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

QAccessibleInterface* BoardSpeech::Factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  const auto* speech = widget->findChild<BoardSpeech*>(QString(), Qt::FindDirectChildrenOnly);
  return speech != nullptr ? new BoardAccessible(widget, speech) : nullptr;
}

BoardAccessible::BoardAccessible(QWidget* board, const BoardSpeech* speech)
    : QAccessibleWidget(board, QAccessible::Canvas), speech_(speech) {}

QString BoardAccessible::text(QAccessible::Text t) const {
  if (speech_ && t == QAccessible::Name) return speech_->Name();
  if (speech_ && t == QAccessible::Description) return speech_->Description();
  return QAccessibleWidget::text(t);
}

}  // namespace app
