#include "app/board_keys.h"

#include <QKeyEvent>
#include <QWidget>

namespace app {

std::optional<game::BoardKey> BoardKeyOf(const QKeyEvent& event) {
  using game::BoardKey;
  // Shift matters only to Tab; the keypad's keys count as the others.
  const Qt::KeyboardModifiers held = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (held != Qt::NoModifier) return std::nullopt;
  const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
  switch (event.key()) {
    case Qt::Key_Left:
      return BoardKey::Left;
    case Qt::Key_Right:
      return BoardKey::Right;
    case Qt::Key_Up:
      return BoardKey::Up;
    case Qt::Key_Down:
      return BoardKey::Down;
    case Qt::Key_Tab:
      return shift ? BoardKey::PreviousFree : BoardKey::NextFree;
    case Qt::Key_Backtab:
      return BoardKey::PreviousFree;
    case Qt::Key_Home:
      return BoardKey::First;
    case Qt::Key_End:
      return BoardKey::Last;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return BoardKey::Activate;
    case Qt::Key_Escape:
      return BoardKey::Escape;
    case Qt::Key_PageUp:
      return BoardKey::LayerUp;
    case Qt::Key_PageDown:
      return BoardKey::LayerDown;
    case Qt::Key_Delete:
      return BoardKey::Delete;
    default:
      return std::nullopt;
  }
}

BoardKeyFilter::BoardKeyFilter(QWidget* board, Handler handler) : QObject(board), handler_(std::move(handler)) {
  board->setFocusPolicy(Qt::StrongFocus);
  board->installEventFilter(this);
}

bool BoardKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const std::optional<game::BoardKey> key = BoardKeyOf(*static_cast<QKeyEvent*>(event));
  return key && handler_ && handler_(*key);
}

}  // namespace app
