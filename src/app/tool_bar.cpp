#include "app/tool_bar.h"

#include <QGuiApplication>

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
    {QT_TRANSLATE_NOOP("app::ToolBar", "New"), QT_TRANSLATE_NOOP("app::ToolBar", "New game"), "new"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Back"), QT_TRANSLATE_NOOP("app::ToolBar", "Undo move"), "back"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Hint"), QT_TRANSLATE_NOOP("app::ToolBar", "Show possible moves"), "hint"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Shuffle"), QT_TRANSLATE_NOOP("app::ToolBar", "Shuffle tiles"), "shuffle"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Pause"), QT_TRANSLATE_NOOP("app::ToolBar", "Pause game"), "pause"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Music"), QT_TRANSLATE_NOOP("app::ToolBar", "Pause music"), "music"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Help"), QT_TRANSLATE_NOOP("app::ToolBar", "Help :)"), "help"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "About"), QT_TRANSLATE_NOOP("app::ToolBar", "Who made Sorami"), "about"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Hall of Fame"), QT_TRANSLATE_NOOP("app::ToolBar", "Best of the best :)"), "hall_of_fame"},
    {QT_TRANSLATE_NOOP("app::ToolBar", "Exit"), QT_TRANSLATE_NOOP("app::ToolBar", "Don't leave me !! :("), "exit"},
}};

// The glyph, with its copies drawn at two and three times the size
// ("NAME@2x.png", "NAME@3x.png") when they are there and a screen has a
// pixel ratio above 1 or 2: such a screen shows them instead of an enlarged
// glyph (others never read them).
QIcon LoadGlyph(const QString& dir, const char* name) {
  const QString path = dir + QLatin1String(name) + QStringLiteral(".png");
  const QImage picture = view::ReadImageFile(path, "png");
  if (picture.isNull()) return {};
  QIcon icon(QPixmap::fromImage(picture));
  const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1;
  for (const int factor : {2, 3}) {
    if (ratio <= factor - 1) break;
    QImage larger = view::ReadImageFile(dir + QLatin1String(name) + QStringLiteral("@%1x.png").arg(factor), "png");
    if (larger.isNull() || larger.width() != picture.width() * factor) continue;
    larger.setDevicePixelRatio(factor);
    icon.addPixmap(QPixmap::fromImage(larger));
  }
  return icon;
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
    button->setText(tr(kButtons[i].caption));
    button->setToolTip(tr(kButtons[i].hint));
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
  button->setText(paused ? tr("Play") : tr("Pause"));
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
