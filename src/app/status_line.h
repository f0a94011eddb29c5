#pragma once
// The status line under the board, 27 pixels high: "Tiles" and its value,
// "Moves left" and its value, "Time" and its value, then "Status" and the
// status text filling the rest. Clicking "Moves left" or "Time" (the label
// or its value) asks for the matching toggle.

#include <QWidget>

class QLabel;

namespace app {

class StatusLine : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 27;

  explicit StatusLine(QWidget* parent = nullptr);

  void SetCounters(const QString& tiles, const QString& moves, const QString& time);
  void SetStatusText(const QString& text);

  QString TilesText() const;
  QString MovesText() const;
  QString TimeText() const;
  QString StatusText() const;

 signals:
  void MovesLeftClicked();
  void TimeClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* tilesLabel_;
  QLabel* tilesLeftLine_;
  QLabel* movesLabel_;
  QLabel* movesLeftLine_;
  QLabel* timeLabel_;
  QLabel* timeLine_;
  QLabel* statusLabel_;
  QLabel* statusText_;
};

}  // namespace app
