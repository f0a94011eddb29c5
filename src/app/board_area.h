#pragma once
// The part of the main window between the toolbar and the status line: the
// board picture and, at its right, the hall-of-fame panel, centred together
// in whatever room the window gives, on black. It tells the window when its
// room changes, so that "Fit to Window" can scale the pictures to fill it.

#include <QWidget>

namespace app {

class BoardArea : public QWidget {
  Q_OBJECT

 public:
  explicit BoardArea(QWidget* parent = nullptr);

  // The two boxes it centres; the panel may be hidden.
  void SetParts(QWidget* board, QWidget* panel);
  // Places the parts anew (after either changes size or shows).
  void Arrange();

 signals:
  void RoomChanged(QSize room);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* board_ = nullptr;
  QWidget* panel_ = nullptr;
};

}  // namespace app
