#include "app/help_pages.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "view/picture_file.h"
#include "view/tileset_layout.h"

namespace app {

// ---- LazyPicture -----------------------------------------------------------

const QImage& LazyPicture::Image() {
  if (!decoded_) {
    decoded_ = true;
    std::string error;
    if (!view::DecodePicture(path_.toStdString(), image_, error)) image_ = QImage();
  }
  return image_;
}

// ---- CentredPage -----------------------------------------------------------

CentredPage::CentredPage(QWidget* parent) : QWidget(parent) {}

void CentredPage::SetPanel(QWidget* panel) {
  panel_ = panel;
  panel_->setParent(this);
  CentrePanel(size());
}

void CentredPage::SetBackground(const QImage& picture) {
  lazy_background_.reset();
  background_ = picture;
  update();
}

void CentredPage::SetBackground(std::shared_ptr<LazyPicture> picture) {
  lazy_background_ = std::move(picture);
  background_ = QImage();
  update();
}

const QImage& CentredPage::Background() const {
  return lazy_background_ != nullptr ? lazy_background_->Image() : background_;
}

void CentredPage::CentrePanel(QSize area) {
  if (panel_ == nullptr) return;
  // Halving with truncation toward zero: a panel wider than the page starts
  // left of it by half the excess, like the centring of a window.
  panel_->move((area.width() - panel_->width()) / 2, (area.height() - panel_->height()) / 2);
}

void CentredPage::paintEvent(QPaintEvent*) {
  const QImage& background = Background();
  if (background.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), background);
}

void CentredPage::resizeEvent(QResizeEvent*) { CentrePanel(size()); }

// ---- TitleLabel --------------------------------------------------------------

namespace {

QFont TitleFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(32);
  font.setBold(true);
  return font;
}

}  // namespace

TitleLabel::TitleLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
  const QFontMetrics metrics(TitleFont());
  setFixedSize(metrics.horizontalAdvance(text_) + 2, metrics.height() + 2);
}

void TitleLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(TitleFont());
  const QRect box(0, 0, width() - 2, height() - 2);
  painter.setPen(QColor(128, 128, 128));
  painter.drawText(box.translated(2, 2), Qt::AlignLeft | Qt::AlignTop, text_);
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text_);
}

// ---- UrlLabel ----------------------------------------------------------------

UrlLabel::UrlLabel(int number, const QString& caption, const QString& url, QWidget* parent)
    : QLabel(caption, parent), number_(number), url_(url) {
  setObjectName(QStringLiteral("UrlLabel%1").arg(number));
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(palette);
  setToolTip(url);
}

void UrlLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked(number_);
  }
  QLabel::mouseReleaseEvent(event);
}

// ---- Fixed texts -------------------------------------------------------------

const std::array<AboutLink, 4>& AboutLinks() {
  static const std::array<AboutLink, 4> links = {{
      {QT_TRANSLATE_NOOP("app::HelpWindow", "Sorami home page: https://sorami.example/"), "https://sorami.example/"},
      {QT_TRANSLATE_NOOP("app::HelpWindow", "New layouts and tilesets: https://sorami.example/extras/"), "https://sorami.example/extras/"},
      {QT_TRANSLATE_NOOP("app::HelpWindow", "Write to the author: author@sorami.example"), "mailto:author@sorami.example"},
      {QT_TRANSLATE_NOOP("app::HelpWindow", "Report a problem: support@sorami.example"), "mailto:support@sorami.example"},
  }};
  return links;
}

QString AboutCredits() {
  return QCoreApplication::translate(
      "app::HelpWindow",
      "Mah-Jongg solitaire for one or two players, Mah-Jongg Rivers and Mah-Jongg Memory\n"
      "Programming, layouts, tiles, backgrounds and music: the Sorami team\n"
      "Sorami is free to play and to give away, as long as it stays whole and unchanged.\n"
      "Many thanks to every player who sent layouts, ideas and bug reports!");
}

QString FrenchText() {
  return QStringLiteral(
      "Sorami est une réussite jouée avec les 144 tuiles du Mah-Jongg, empilées selon une "
      "disposition que vous choisissez dans le menu Layout.\n\n"
      "Le but : vider le plateau en retirant les tuiles par paires identiques. Une tuile est "
      "libre quand aucune autre ne la recouvre et qu'elle n'est pas bloquée à la fois à gauche "
      "et à droite. Cliquez sur deux tuiles libres identiques pour les enlever. Les quatre "
      "Fleurs vont ensemble, de même que les quatre Saisons, bien que leurs dessins diffèrent.\n\n"
      "Bloqué ? Vous pouvez annuler vos coups, demander un indice (40 secondes de pénalité) ou "
      "mélanger les tuiles qui restent. À deux joueurs, chacun joue à son tour sur le même "
      "plateau.\n\n"
      "Dans les Rivières, les tuiles sont posées à plat : deux tuiles identiques partent "
      "ensemble quand un chemin d'au plus trois traits droits, passant par des cases vides, "
      "les relie. Dans le jeu de Mémoire, les tuiles sont face cachée : retournez-les deux par "
      "deux et retrouvez les paires ; chaque erreur coûte deux secondes.\n\n"
      "Sans souris : les flèches déplacent le curseur d'une tuile à l'autre, Tab parcourt les "
      "tuiles libres, Espace ou Entrée vaut un clic et Échap lâche la sélection.\n\n"
      "Les dix meilleurs temps de chaque disposition entrent au Tableau d'honneur "
      "(Hall of Fame). Bonne partie !");
}

// ---- Tile chart --------------------------------------------------------------

namespace {

struct ChartGroup {
  int firstFace;
  int lastFace;
  int x;  // position of the group's first face
  int y;
};

// Winds fill two rows of two: 39-40 under the caption, 41-42 below them.
constexpr std::array<ChartGroup, 8> kGroups = {{
    {1, 9, 10, 34},
    {10, 18, 10, 114},
    {19, 27, 10, 194},
    {28, 31, 10, 274},
    {32, 35, 235, 274},
    {36, 38, 440, 194},
    {39, 40, 440, 34},
    {41, 42, 440, 114},
}};

struct ChartCaption {
  const char* text;
  int x;
  int y;
};

constexpr std::array<ChartCaption, 7> kCaptions = {{
    {"Craks (4 times each)", 10, 14},
    {"Bamboos (4 times each)", 10, 92},
    {"Dots (4 times each)", 10, 172},
    {"Flowers (once each)", 10, 252},
    {"Seasons (once each)", 305, 252},
    {"Dragons (4 times each)", 440, 172},
    {"Winds (4 times each)", 440, 14},
}};

constexpr int kFaceSpacing = 45;
constexpr int kFaceWidth = view::FaceWidth;
constexpr int kFaceHeight = view::FaceHeight;

}  // namespace

QPoint TileChartFacePosition(int face) {
  for (const ChartGroup& group : kGroups) {
    if (face >= group.firstFace && face <= group.lastFace) {
      return {group.x + kFaceSpacing * (face - group.firstFace), group.y};
    }
  }
  return {};
}

QImage DrawTileChart(const QImage& tileTexture) {
  QImage chart(TileChartWidth, TileChartHeight, QImage::Format_ARGB32_Premultiplied);
  chart.fill(Qt::transparent);
  QPainter painter(&chart);

  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(TileChartDividerX, 0, TileChartDividerX, TileChartHeight - 1);

  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  for (const ChartCaption& caption : kCaptions) {
    const QString text = QString::fromLatin1(caption.text);
    const QRect box(caption.x, caption.y, metrics.horizontalAdvance(text) + 2, metrics.height());
    painter.fillRect(box, Qt::white);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
  }

  if (!tileTexture.isNull()) {
    for (int face = 1; face <= 42; ++face) {
      const view::Region cell = view::TextureCell(view::FaceCells(face));
      const QRect source(cell.x + view::EdgeSize, cell.y + 1, kFaceWidth, kFaceHeight);
      const QPoint at = TileChartFacePosition(face);
      painter.drawImage(QRect(at, QSize(kFaceWidth, kFaceHeight)), tileTexture, source);
    }
  }
  return chart;
}

// ---- Chooser items and table codes ---------------------------------------------

namespace {
constexpr std::array<int, 4> kVariantCodes = {100, 101, 110, 111};
}

int HallTableCode(int item, int layoutCount) {
  const int variant = item - layoutCount;
  if (variant >= 0 && variant < 4) return kVariantCodes[static_cast<std::size_t>(variant)];
  return item + 1;
}

int HallChooserItem(int code, int layoutCount) {
  for (std::size_t i = 0; i < kVariantCodes.size(); ++i) {
    if (kVariantCodes[i] == code) return layoutCount + static_cast<int>(i);
  }
  if (code >= 1 && code <= layoutCount) return code - 1;
  return -1;
}

std::optional<std::int32_t> ParseGameNumber(const QString& text) {
  qsizetype at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
    negative = text[at] == u'-';
    ++at;
  }
  if (at == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; at < text.size(); ++at) {
    const char16_t digit = text[at].unicode();
    if (digit < u'0' || digit > u'9') return std::nullopt;
    value = value * 10 + (digit - u'0');
    if (value > std::int64_t{2147483648}) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace app
