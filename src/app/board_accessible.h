#pragma once
// What assistive technology learns of the board: a focusable picture whose
// name is what the keyboard cursor shows ("Bamboo 3, free, selected") and
// whose description is the status line's latest message. Both are told
// again (a name or description change) whenever they change, so a screen
// reader speaks the tile the cursor reached and every new status message.

#include <QAccessibleWidget>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace app {

class BoardSpeech : public QObject {
  Q_OBJECT

 public:
  using Text = std::function<QString()>;
  // Attaches itself to the board widget (and makes the widget's accessible
  // interface a BoardAccessible): name and description are asked for anew
  // on every Update.
  BoardSpeech(QWidget* board, Text name, Text description);

  QString Name() const;
  QString Description() const { return description_; }
  // Asks for the name and the description and tells assistive technology
  // of those that changed.
  void Update();

  // The factory Qt asks for accessible interfaces (installed once).
  static QAccessibleInterface* Factory(const QString& className, QObject* object);

 private:
  QWidget* board_;
  Text nameOf_;
  Text descriptionOf_;
  QString name_;
  QString description_;
};

class BoardAccessible : public QAccessibleWidget {
 public:
  BoardAccessible(QWidget* board, const BoardSpeech* speech);
  QString text(QAccessible::Text t) const override;

 private:
  QPointer<const BoardSpeech> speech_;
};

}  // namespace app
