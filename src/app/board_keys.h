#pragma once
// The keys the board takes from the window: the arrows, Tab and Shift+Tab,
// Home and End, Space and Enter, Escape, Page Up and Page Down, and Delete,
// with neither Ctrl nor Alt held (those combinations stay the menus').

#include <QObject>

#include <functional>
#include <optional>

#include "game/keyboard_cursor.h"

class QKeyEvent;
class QWidget;

namespace app {

std::optional<game::BoardKey> BoardKeyOf(const QKeyEvent& event);

// Hands the board keys pressed on a widget to a handler before the widget
// sees them (Tab included, which would otherwise move the focus on). A key
// the handler does not use goes on as usual.
class BoardKeyFilter : public QObject {
 public:
  using Handler = std::function<bool(game::BoardKey)>;
  BoardKeyFilter(QWidget* board, Handler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Handler handler_;
};

}  // namespace app
