#include "app/board_area.h"

#include <QResizeEvent>
#include <algorithm>

namespace app {

BoardArea::BoardArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BoardArea"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BoardArea::SetParts(QWidget* board, QWidget* panel) {
  board_ = board;
  panel_ = panel;
  board_->setParent(this);
  panel_->setParent(this);
  Arrange();
}

void BoardArea::Arrange() {
  if (board_ == nullptr) return;
  const QSize b = board_->size();
  const int panelWidth = panel_ != nullptr && !panel_->isHidden() ? panel_->width() : 0;
  // The pair centred; a room too small for it keeps its top-left corner.
  const int left = std::max(0, (width() - b.width() - panelWidth) / 2);
  const int top = std::max(0, (height() - b.height()) / 2);
  board_->move(left, top);
  if (panel_ != nullptr) panel_->move(left + b.width(), top);
}

void BoardArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
  emit RoomChanged(event->size());
}

}  // namespace app
