#include "app/status_line.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace app {

namespace {

QLabel* MakeCaption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignVCenter | Qt::AlignRight);
  return label;
}

// A sunken box holding one value.
QLabel* MakeValueBox(const QString& text, int width, QWidget* parent) {
  auto* box = new QLabel(text, parent);
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setAlignment(Qt::AlignCenter);
  box->setFixedSize(width, 21);
  return box;
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kHeight);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(212, 208, 200));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  tilesLabel_ = MakeCaption(tr("Tiles"), this);
  tilesLeftLine_ = MakeValueBox(QStringLiteral("--"), 40, this);
  movesLabel_ = MakeCaption(tr("Moves left"), this);
  movesLeftLine_ = MakeValueBox(QStringLiteral("--"), 40, this);
  timeLabel_ = MakeCaption(tr("Time"), this);
  timeLine_ = MakeValueBox(QStringLiteral("--:--"), 52, this);
  statusLabel_ = MakeCaption(tr("Status"), this);
  statusText_ = new QLabel(QStringLiteral(" "), this);
  statusText_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusText_->setFixedHeight(21);
  statusText_->setTextFormat(Qt::PlainText);
  statusText_->setMinimumWidth(40);
  statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  QFont bold = statusText_->font();
  bold.setBold(true);
  statusText_->setFont(bold);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(5);
  row->addWidget(tilesLabel_);
  row->addWidget(tilesLeftLine_);
  row->addSpacing(4);
  row->addWidget(movesLabel_);
  row->addWidget(movesLeftLine_);
  row->addSpacing(4);
  row->addWidget(timeLabel_);
  row->addWidget(timeLine_);
  row->addSpacing(4);
  row->addWidget(statusLabel_);
  row->addWidget(statusText_, 1);

  for (QLabel* clickable : {movesLabel_, movesLeftLine_, timeLabel_, timeLine_}) {
    clickable->installEventFilter(this);
    clickable->setCursor(Qt::PointingHandCursor);
  }
}

void StatusLine::SetCounters(const QString& tiles, const QString& moves, const QString& time) {
  if (tilesLeftLine_->text() != tiles) tilesLeftLine_->setText(tiles);
  if (movesLeftLine_->text() != moves) movesLeftLine_->setText(moves);
  if (timeLine_->text() != time) timeLine_->setText(time);
}

void StatusLine::SetStatusText(const QString& text) {
  if (statusText_->text() != text) statusText_->setText(text);
}

QString StatusLine::TilesText() const { return tilesLeftLine_->text(); }
QString StatusLine::MovesText() const { return movesLeftLine_->text(); }
QString StatusLine::TimeText() const { return timeLine_->text(); }
QString StatusLine::StatusText() const { return statusText_->text(); }

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
  const bool clickable = watched == movesLabel_ || watched == movesLeftLine_ ||
                         watched == timeLabel_ || watched == timeLine_;
  // Taking the press makes the field receive its release.
  if (clickable && event->type() == QEvent::MouseButtonPress) {
    event->accept();
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == movesLabel_ || watched == movesLeftLine_) {
      emit MovesLeftClicked();
      return true;
    }
    if (watched == timeLabel_ || watched == timeLine_) {
      emit TimeClicked();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace app
