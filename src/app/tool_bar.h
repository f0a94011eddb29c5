#pragma once
// The toolbar under the menu bar, 33 pixels high, with its ten buttons from
// left to right: New, Back, Hint, Shuffle, Pause, Music, Help, About,
// Hall of Fame, Exit. Captions in bold Arial, the first five navy and the
// last five maroon. "Cool Toolbar" tiles the background with the toolbar
// picture; "Cool Buttons" draws the buttons flat (framed only under the
// pointer).

#include <QPixmap>
#include <QWidget>

#include <array>

class QToolButton;

namespace app {

class ToolBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 33;

  enum Button { New, Back, Hint, Shuffle, Pause, Music, Help, About, HallOfFame, Exit, kCount };

  // `glyphDir` holds the button glyphs, `tile` is the background picture
  // (either may be missing: the buttons then show their captions alone).
  ToolBar(const QString& glyphDir, const QPixmap& tile, QWidget* parent = nullptr);

  QToolButton* ButtonAt(Button which) const { return buttons_[which]; }
  // The glyph of a button ("Play" for the Pause button while paused).
  QIcon Glyph(Button which) const;
  QIcon PlayGlyph() const { return playGlyph_; }

  void SetPaused(bool paused);
  void SetTiled(bool tiled);
  bool Tiled() const { return tiled_; }
  void SetFlat(bool flat);
  bool Flat() const { return flat_; }

 signals:
  void Clicked(app::ToolBar::Button which);
  // A right-button release over "New"; `below` is the screen point under
  // the button's left edge.
  void NewMenuRequested(QPoint below);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QToolButton*, kCount> buttons_{};
  std::array<QIcon, kCount> glyphs_{};
  QIcon playGlyph_;
  QPixmap tile_;
  bool tiled_ = true;
  bool flat_ = true;
};

}  // namespace app
