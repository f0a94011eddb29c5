#include "app/tool_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "view/picture_file.h"

namespace app {

namespace {

struct ButtonText {
  const char* caption;
  const char* hint;
  const char* glyph;  // file name without ".png"
};

constexpr std::array<ButtonText, ToolBar::kCount> kButtons{{
    {"New", "New game", "new"},
    {"Back", "Undo move", "back"},
    {"Hint", "Show possible moves", "hint"},
    {"Shuffle", "Shuffle tiles", "shuffle"},
    {"Pause", "Pause game", "pause"},
    {"Music", "Pause music", "music"},
    {"Help", "Help :)", "help"},
    {"About", "Who made Sorami", "about"},
    {"Hall of Fame", "Best of the best :)", "hall_of_fame"},
    {"Exit", "Don't leave me !! :(", "exit"},
}};

QIcon LoadGlyph(const QString& dir, const char* name) {
  const QString path = dir + QLatin1String(name) + QStringLiteral(".png");
  const QImage picture = view::ReadImageFile(path, "png");
  if (picture.isNull()) return {};
  return QIcon(QPixmap::fromImage(picture));
}

}  // namespace

ToolBar::ToolBar(const QString& glyphDir, const QPixmap& tile, QWidget* parent)
    : QWidget(parent), tile_(tile) {
  setFixedHeight(kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Without the tiled picture the toolbar is a plain light ground.
  QPalette ground = palette();
  ground.setColor(QPalette::Window, QColor(212, 208, 200));
  ground.setColor(QPalette::Button, QColor(212, 208, 200));
  setPalette(ground);

  QFont captionFont(QStringLiteral("Arial"));
  captionFont.setPointSize(8);
  captionFont.setBold(true);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(1);
  for (int i = 0; i < kCount; ++i) {
    auto* button = new QToolButton(this);
    button->setText(QString::fromLatin1(kButtons[i].caption));
    button->setToolTip(QString::fromLatin1(kButtons[i].hint));
    button->setFont(captionFont);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(20, 20));
    button->setFixedHeight(kHeight - 4);
    glyphs_[i] = LoadGlyph(glyphDir, kButtons[i].glyph);
    button->setIcon(glyphs_[i]);
    QPalette colours = button->palette();
    const QColor ink = i < 5 ? QColor(0, 0, 128) : QColor(128, 0, 0);
    colours.setColor(QPalette::ButtonText, ink);
    colours.setColor(QPalette::WindowText, ink);
    button->setPalette(colours);
    const auto which = static_cast<Button>(i);
    connect(button, &QToolButton::clicked, this, [this, which] { emit Clicked(which); });
    buttons_[i] = button;
    row->addWidget(button);
  }
  row->addStretch(1);
  playGlyph_ = LoadGlyph(glyphDir, "play");
  buttons_[New]->installEventFilter(this);
  SetFlat(true);
}

QIcon ToolBar::Glyph(Button which) const { return glyphs_[which]; }

void ToolBar::SetPaused(bool paused) {
  QToolButton* button = buttons_[Pause];
  button->setText(paused ? QStringLiteral("Play") : QStringLiteral("Pause"));
  button->setIcon(paused && !playGlyph_.isNull() ? playGlyph_ : glyphs_[Pause]);
}

void ToolBar::SetTiled(bool tiled) {
  tiled_ = tiled;
  update();
}

void ToolBar::SetFlat(bool flat) {
  flat_ = flat;
  for (QToolButton* button : buttons_) button->setAutoRaise(flat);
}

void ToolBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (tiled_ && !tile_.isNull()) {
    painter.drawTiledPixmap(rect(), tile_);
  } else {
    painter.fillRect(rect(), palette().color(QPalette::Window));
  }
}

bool ToolBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buttons_[New] && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    QToolButton* button = buttons_[New];
    emit NewMenuRequested(button->mapToGlobal(QPoint(0, button->height())));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace app
