#pragma once
// The building blocks of the help window's pages that know nothing of the
// game's state: a page that centres its content panel over a stretched
// background picture, the "About" title, the link labels, the French text,
// the tile chart and the mapping between layout-chooser items and
// hall-of-fame table codes.

#include <QImage>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace app {

// A picture file decoded when it is first wanted, then kept. The help window
// checks its background picture at start-up but only holds the pixels once a
// page that shows it is drawn. A file that no longer decodes then gives an
// empty picture.
class LazyPicture {
 public:
  explicit LazyPicture(QString path) : path_(std::move(path)) {}
  const QImage& Image();
  bool Decoded() const { return decoded_; }

 private:
  QString path_;
  QImage image_;
  bool decoded_ = false;
};

// A page of the help window: an optional background picture stretched over
// the whole page, and one content panel of fixed size centred in it.
class CentredPage : public QWidget {
  Q_OBJECT

 public:
  explicit CentredPage(QWidget* parent = nullptr);

  // The panel is owned by the page; its size must be fixed before the call.
  void SetPanel(QWidget* panel);
  QWidget* Panel() const { return panel_; }
  // An empty picture leaves the page's own ground. Pages may share one
  // picture, decoded when the first of them is drawn.
  void SetBackground(const QImage& picture);
  void SetBackground(std::shared_ptr<LazyPicture> picture);
  const QImage& Background() const;
  // left = (area width - panel width) div 2, top = (area height - panel height) div 2.
  void CentrePanel(QSize area);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* panel_ = nullptr;
  std::shared_ptr<LazyPicture> lazy_background_;
  QImage background_;
};

// "SORAMI 5.28" in red 32-pixel bold Courier New over a grey copy of itself
// shifted 2 pixels right and down.
class TitleLabel : public QWidget {
  Q_OBJECT

 public:
  explicit TitleLabel(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// A link of the "About" page: underlined blue text, the hand pointer, and a
// click anywhere on it reports the label's number.
class UrlLabel : public QLabel {
  Q_OBJECT

 public:
  UrlLabel(int number, const QString& caption, const QString& url, QWidget* parent = nullptr);
  int Number() const { return number_; }
  const QString& Url() const { return url_; }

 signals:
  void Clicked(int number);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int number_;
  QString url_;
};

// The four links of the "About" page, numbered 1 to 4: two web pages and
// two mail addresses.
struct AboutLink {
  const char* caption;
  const char* url;
};
const std::array<AboutLink, 4>& AboutLinks();

// The credit lines of the "About" page, one per line.
QString AboutCredits();

// The "French" page: a short description of the game and its rules.
QString FrenchText();

// Size of the picture the tile chart is drawn on.
inline constexpr int TileChartWidth = 580;
inline constexpr int TileChartHeight = 334;
// The vertical line between the suits and the honours.
inline constexpr int TileChartDividerX = 424;

// Draws the chart of the 42 faces: each face is the 40 x 50 area of its
// 46 x 56 cell in `tileTexture` that starts 6 pixels right of and 1 pixel
// below the cell's corner, placed group by group under its caption; a
// caption is black on a white box. The picture is transparent wherever
// nothing is drawn.
QImage DrawTileChart(const QImage& tileTexture);

// Where face f (1..42) stands on the chart (its top-left corner).
QPoint TileChartFacePosition(int face);

// The layout chooser holds the layouts (items 0 .. layoutCount - 1) and then
// the four Rivers and Memory tables. Item -> table code, and back (-1 for a
// code without an item).
int HallTableCode(int item, int layoutCount);
int HallChooserItem(int code, int layoutCount);

// The game number typed in "Options": an optional sign and decimal digits
// that fit a signed 32-bit integer; nothing else.
std::optional<std::int32_t> ParseGameNumber(const QString& text);

}  // namespace app
