#include "app/help_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>
#include <QVBoxLayout>

#include <optional>

#include "app/help_pages.h"
#include "app/message_box.h"
#include "app/rtf_reader.h"
#include "game/engine.h"
#include "game/hall_of_fame.h"
#include "view/picture_file.h"

namespace app {

namespace {

// Sizes of the content panels of the centred pages.
constexpr QSize kAboutPanel(560, 330);
constexpr QSize kFrenchPanel(570, 370);
constexpr QSize kOptionsPanel(520, 250);
constexpr QSize kHallPanel(392, 330);

// Widths of the hall-of-fame list's columns "Rk", "Name", "Time", "Malus".
constexpr int kRankColumnWidth = 50;
constexpr int kNameColumnWidth = 150;
constexpr int kTimeColumnWidth = 100;
constexpr int kMalusColumnWidth = 70;

QWidget* FixedPanel(QSize size) {
  auto* panel = new QWidget;
  panel->setFixedSize(size);
  return panel;
}

}  // namespace

HelpWindow::HelpWindow(game::Engine& engine, HelpHost& host, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                  Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      engine_(engine),
      host_(host) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(tr("Sorami - Help"));
  setModal(true);
  setFixedSize(ClientWidth, ClientHeight);
  BuildPages();

  ask_ = [this](const QString& title, const QString& text) {
    return ShowMessage(this, QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Cancel) == QMessageBox::Ok;
  };
  tell_ = [this](const QString& text) {
    ShowMessage(this, QMessageBox::Warning, QApplication::applicationName(), text);
  };
  open_url_ = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };

  // Above every window while Sorami is the active program; when the player
  // switches to another program the window may drop below it.
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) { KeepOnTop(state == Qt::ApplicationActive); });

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::KeepOnTop(bool onTop) {
  // Changing a widget's flags re-creates its window and so would end the
  // modal run: change them on the platform window itself.
  if (QWindow* window = windowHandle()) window->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

// ---- Building the pages --------------------------------------------------------

void HelpWindow::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl"));
  pages_->setGeometry(0, 0, ClientWidth, ClientHeight - BottomBarHeight);

  pages_->addTab(BuildTextPage(help_text_, QStringLiteral("HelpText")), tr("Help"));
  pages_->addTab(BuildTextPage(whats_new_text_, QStringLiteral("WhatsNewText")),
                 tr("What's New"));

  const auto addCentred = [this](QWidget* panel, const char* caption, bool picture) {
    auto* page = new CentredPage;
    page->setObjectName(QString::fromLatin1(caption).remove(u' ') + QStringLiteral("Page"));
    page->SetPanel(panel);
    centred_pages_.append(page);
    if (picture) picture_pages_.append(page);
    pages_->addTab(page, tr(caption));
  };
  addCentred(BuildAboutPanel(), QT_TR_NOOP("About"), true);
  addCentred(BuildFrenchPanel(), QT_TR_NOOP("French"), true);
  addCentred(BuildTilesPanel(), QT_TR_NOOP("Tiles"), true);
  addCentred(BuildOptionsPanel(), QT_TR_NOOP("Options"), false);
  addCentred(BuildHallPanel(), QT_TR_NOOP("Hall of Fame"), false);

  bottom_bar_ = new QWidget(this);
  bottom_bar_->setGeometry(0, ClientHeight - BottomBarHeight, ClientWidth, BottomBarHeight);
  return_button_ = new QPushButton(tr("Return to Sorami"), bottom_bar_);
  return_button_->setObjectName(QStringLiteral("ReturnButton"));
  return_button_->setDefault(true);
  return_button_->setAutoDefault(true);
  return_button_->resize(return_button_->sizeHint().expandedTo(QSize(140, 25)));
  connect(return_button_, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* HelpWindow::BuildTextPage(QTextEdit*& box, const QString& name) {
  box = new QTextEdit;
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, QApplication::palette().color(QPalette::ToolTipText));
  box->setPalette(palette);
  return box;
}

QWidget* HelpWindow::BuildAboutPanel() {
  QWidget* panel = FixedPanel(kAboutPanel);
  auto* column = new QVBoxLayout(panel);
  column->setSpacing(8);
  column->addWidget(new TitleLabel(QStringLiteral("SORAMI 5.28")), 0, Qt::AlignHCenter);

  auto* credits = new QLabel(AboutCredits());
  credits->setObjectName(QStringLiteral("CreditLines"));
  credits->setAlignment(Qt::AlignHCenter);
  credits->setWordWrap(true);
  column->addWidget(credits);
  column->addSpacing(8);

  int number = 1;
  for (const AboutLink& link : AboutLinks()) {
    auto* label = new UrlLabel(number++, tr(link.caption),
                               QString::fromLatin1(link.url));
    connect(label, &UrlLabel::Clicked, this, &HelpWindow::OpenLink);
    column->addWidget(label, 0, Qt::AlignHCenter);
  }
  column->addStretch(1);
  return panel;
}

QWidget* HelpWindow::BuildFrenchPanel() {
  QWidget* panel = FixedPanel(kFrenchPanel);
  auto* column = new QVBoxLayout(panel);
  auto* title = new QLabel(QStringLiteral("Sorami : la règle du jeu"));
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  title->setFont(bold);
  column->addWidget(title);
  auto* text = new QLabel(FrenchText());
  text->setObjectName(QStringLiteral("FrenchText"));
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  column->addWidget(text);
  return panel;
}

QWidget* HelpWindow::BuildTilesPanel() {
  tile_view_ = new QLabel;
  tile_view_->setObjectName(QStringLiteral("TileChart"));
  tile_view_->setFixedSize(TileChartWidth, TileChartHeight);
  tile_view_->setAttribute(Qt::WA_TranslucentBackground);
  return tile_view_;
}

QWidget* HelpWindow::BuildOptionsPanel() {
  QWidget* panel = FixedPanel(kOptionsPanel);
  auto* column = new QVBoxLayout(panel);

  auto* nameGroup = new QGroupBox(tr("Player Name"));
  auto* nameRow = new QHBoxLayout(nameGroup);
  nameRow->addWidget(new QLabel(tr("Your name")));
  player_name_ = new QLineEdit;
  player_name_->setObjectName(QStringLiteral("PlayerName"));
  player_name_->setMaxLength(8);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::TypeWriter);
  player_name_->setFont(courier);
  player_name_->setFixedWidth(120);
  nameRow->addWidget(player_name_);
  nameRow->addStretch(1);
  column->addWidget(nameGroup);

  auto* seedGroup = new QGroupBox(tr("Random Seed"));
  auto* seedColumn = new QVBoxLayout(seedGroup);
  seedColumn->addWidget(
      new QLabel(tr("Choose a specific game number (from 1 to 2,147,483,647)")));
  random_seed_ = new QLineEdit;
  random_seed_->setObjectName(QStringLiteral("RandomSeed"));
  random_seed_->setFixedWidth(140);
  seedColumn->addWidget(random_seed_);
  auto* hint = new QLabel(
      tr("Activate the game by clicking File -> Mahjongg Solitaire : New Specific Game"));
  hint->setWordWrap(true);
  seedColumn->addWidget(hint);
  column->addWidget(seedGroup);
  column->addStretch(1);

  connect(player_name_, &QLineEdit::textChanged, this, &HelpWindow::OnPlayerNameEdited);
  connect(random_seed_, &QLineEdit::textChanged, this, &HelpWindow::OnGameNumberEdited);
  return panel;
}

QWidget* HelpWindow::BuildHallPanel() {
  QWidget* panel = FixedPanel(kHallPanel);
  auto* column = new QVBoxLayout(panel);

  hof_list_ = new QTreeWidget;
  hof_list_->setObjectName(QStringLiteral("HofList"));
  hof_list_->setRootIsDecorated(false);
  hof_list_->setItemsExpandable(false);
  hof_list_->setSelectionMode(QAbstractItemView::NoSelection);
  hof_list_->setFocusPolicy(Qt::NoFocus);
  hof_list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  hof_list_->setColumnCount(4);
  hof_list_->setHeaderLabels(
      {tr("Rk"), tr("Name"), tr("Time"), tr("Malus")});
  hof_list_->header()->setSectionsMovable(false);
  hof_list_->header()->setStretchLastSection(false);
  hof_list_->setColumnWidth(0, kRankColumnWidth);
  hof_list_->setColumnWidth(1, kNameColumnWidth);
  hof_list_->setColumnWidth(2, kTimeColumnWidth);
  hof_list_->setColumnWidth(3, kMalusColumnWidth);
  hof_list_->headerItem()->setTextAlignment(2, Qt::AlignCenter);
  hof_list_->headerItem()->setTextAlignment(3, Qt::AlignCenter);
  QFont times(QStringLiteral("Times New Roman"));
  times.setStyleHint(QFont::Serif);
  times.setPixelSize(21);
  hof_list_->setFont(times);
  hof_list_->header()->setFont(QApplication::font());
  QPalette lavender = hof_list_->palette();
  lavender.setColor(QPalette::Base, QColor(188, 188, 222));
  lavender.setColor(QPalette::Text, Qt::black);
  hof_list_->setPalette(lavender);
  column->addWidget(hof_list_, 1);

  auto* chooserRow = new QHBoxLayout;
  layout_combo_ = new QComboBox;
  layout_combo_->setObjectName(QStringLiteral("LayoutComboBox"));
  layout_combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  layout_combo_->setMinimumContentsLength(20);
  chooserRow->addWidget(layout_combo_, 1);
  reset_button_ = new QPushButton(tr("Reset High Scores"));
  reset_button_->setObjectName(QStringLiteral("DeleteHighscores"));
  reset_button_->setAutoDefault(false);
  chooserRow->addWidget(reset_button_);
  column->addLayout(chooserRow);

  auto* recordRow = new QHBoxLayout;
  record_label_ = new QLabel;
  record_label_->setObjectName(QStringLiteral("RecordLabel"));
  QFont bold = record_label_->font();
  bold.setBold(true);
  record_label_->setFont(bold);
  recordRow->addWidget(record_label_, 1);
  hall_edit_ = new QLineEdit;
  hall_edit_->setObjectName(QStringLiteral("HallEdit1"));
  hall_edit_->setMaxLength(8);
  hall_edit_->setFixedWidth(120);
  recordRow->addWidget(hall_edit_);
  column->addLayout(recordRow);
  record_label_->hide();
  hall_edit_->hide();

  connect(layout_combo_, &QComboBox::currentIndexChanged, this, &HelpWindow::OnHallLayoutChosen);
  connect(reset_button_, &QPushButton::clicked, this, &HelpWindow::DeleteHighScores);
  connect(hall_edit_, &QLineEdit::textChanged, this, &HelpWindow::OnRecordNameEdited);
  return panel;
}

// ---- Start-up ----------------------------------------------------------------------

namespace {

QString HelpTextPath(const QString& programDir, int text) {
  return programDir + (text == 0 ? QStringLiteral("sorami.rtf") : QStringLiteral("whatsnew.rtf"));
}

// What the page of a help text that could not be read shows.
QString UnreadableTextNote(const QString& reason) {
  return QCoreApplication::translate("app::HelpWindow", "The help text could not be read, so it cannot be shown here.\n\n%1")
      .arg(reason);
}

// The damaged page background's report, or nothing.
std::optional<QString> PictureProblem(const QString& path) {
  QImage picture;
  std::string error;
  if (view::DecodePicture(path.toStdString(), picture, error)) return std::nullopt;
  return QString::fromStdString(error);
}

}  // namespace

QStringList HelpWindow::CheckFiles(const QString& programDir) {
  QStringList problems;
  const QString orange = programDir + QStringLiteral("orange.jpg");
  if (QFile::exists(orange)) {
    if (std::optional<QString> problem = PictureProblem(orange)) problems << *problem;
  }
  for (int text = 0; text < 2; ++text) {
    // In RtfReader's words for a text it cannot read.
    const QString problem = RtfReader::FileProblem(HelpTextPath(programDir, text));
    if (!problem.isEmpty()) problems << problem;
  }
  return problems;
}

bool HelpWindow::LoadFiles(const QString& programDir, const QStringList& alreadyReported) {
  const auto report = [&](const QString& text) {
    if (!alreadyReported.contains(text)) tell_(text);
  };
  // The pages' background picture is optional: a missing one is skipped
  // silently, a damaged one is reported and skipped. A good one is decoded
  // again when a page first shows it, so its pixels take no memory until
  // the window is opened.
  const QString orange = programDir + QStringLiteral("orange.jpg");
  if (QFile::exists(orange)) {
    if (std::optional<QString> problem = PictureProblem(orange)) {
      report(*problem);
    } else {
      const auto lazy = std::make_shared<LazyPicture>(orange);
      for (CentredPage* page : picture_pages_) page->SetBackground(lazy);
    }
  }
  bool all = true;
  for (int text = 0; text < 2; ++text) {
    QTextEdit* box = text == 0 ? help_text_ : whats_new_text_;
    RtfReader reader;
    if (!reader.ReadFile(HelpTextPath(programDir, text), *box->document())) {
      report(reader.ErrorText());
      // The page says why it is empty.
      box->setPlainText(UnreadableTextNote(reader.ErrorText()));
      all = false;
      continue;
    }
    box->moveCursor(QTextCursor::Start);
  }
  return all;
}

// ---- Opening ---------------------------------------------------------------------

void HelpWindow::CentrePanels() {
  // Every page fills the page control's one page area. A page that has not
  // been shown yet still has the size it was built with, and the page shown
  // takes the area's size only when the window is laid out: so the panels
  // are centred in the area itself, and each page is given its size.
  const QWidget* current = pages_->currentWidget();
  const QSize area = current != nullptr && current->parentWidget() != nullptr
                         ? current->parentWidget()->contentsRect().size()
                         : QSize();
  if (!area.isEmpty()) {
    for (CentredPage* page : centred_pages_) {
      page->resize(area);
      page->CentrePanel(area);
    }
  }
  return_button_->move((bottom_bar_->width() - return_button_->width()) / 2,
                       (bottom_bar_->height() - return_button_->height()) / 2);
}

void HelpWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only now has the page control given its page area its size.
  CentrePanels();
}

void HelpWindow::DrawTiles() {
  tile_chart_ = DrawTileChart(host_.HelpTileTexture());
  tile_view_->setPixmap(QPixmap::fromImage(tile_chart_));
}

void HelpWindow::FillLayoutChooser() {
  const QSignalBlocker quiet(layout_combo_);
  layout_combo_->clear();
  const int count = engine_.LayoutCount();
  for (int i = 1; i <= count; ++i) {
    layout_combo_->addItem(tr("%1 Layout").arg(QString::fromStdString(engine_.Layouts().LayoutName(i))));
  }
  layout_combo_->addItem(tr("Mahjongg Rivers (Easy)"));
  layout_combo_->addItem(tr("Mahjongg Rivers (Hard)"));
  layout_combo_->addItem(tr("Mahjongg Memory (Easy)"));
  layout_combo_->addItem(tr("Mahjongg Memory (Hard)"));
  chooser_layouts_ = count;
  layout_combo_->setCurrentIndex(HallChooserItem(engine_.Game().BoardNumber, count));
}

void HelpWindow::OpenHelp(game::HelpPage page) {
  // The engine decides whether the window opens and holds the game paused
  // around it; it comes back through the screen port to RunModal.
  engine_.OpenHelp(page);
}

void HelpWindow::RunModal(game::HelpPage page) {
  if (running_) {
    // Already open (a Memory pair judged while the window is open can end
    // the game): show the page in the window that is open.
    ShowPage(page);
    return;
  }
  running_ = true;
  ShowPage(page);
  exec();
  hide();
  running_ = false;
}

void HelpWindow::ShowPage(game::HelpPage page) {
  // The layout list grows when the editor saves a new layout: keep the
  // chooser's items in step with it, or its Rivers and Memory items would
  // name the wrong tables.
  if (chooser_layouts_ != engine_.LayoutCount()) FillLayoutChooser();

  pages_->setCurrentIndex(static_cast<int>(page));
  player_name_->setText(QString::fromStdString(engine_.PlayerName()));
  random_seed_->setText(QString::number(engine_.Game().GameSeed));
  DrawTiles();
  FillHallTable(engine_.Game().BoardNumber);
  hall_edit_->setText(QString::fromStdString(engine_.PlayerName()));
  ShowRecordState();
  // A window not shown yet centres its panels as it is shown (showEvent).
  if (isVisible()) CentrePanels();
}

void HelpWindow::ShowRecordState() {
  const bool record = engine_.NewRecordShown();
  layout_combo_->setVisible(!record);
  reset_button_->setVisible(!record);
  record_label_->setVisible(record);
  hall_edit_->setVisible(record);
  if (record) {
    record_label_->setText(tr("You reached rank #%1, %2 !")
                               .arg(engine_.Hall().RankReached())
                               .arg(QString::fromStdString(engine_.PlayerName())));
  }
}

// ---- Hall of fame ----------------------------------------------------------------

void HelpWindow::FillHallTable(int code) {
  {
    const QSignalBlocker quiet(layout_combo_);
    layout_combo_->setCurrentIndex(HallChooserItem(code, chooser_layouts_));
  }
  hof_list_->clear();
  for (const game::HallRow& row : engine_.Hall().FillHallTable(code)) {
    auto* item = new QTreeWidgetItem(hof_list_);
    item->setText(0, QString::number(row.rank));
    item->setText(1, QString::fromStdString(row.name));
    item->setText(2, QString::fromStdString(row.time));
    item->setText(3, QString::fromStdString(row.malus));
    item->setTextAlignment(2, Qt::AlignCenter);
    item->setTextAlignment(3, Qt::AlignCenter);
  }
}

int HelpWindow::SelectedTable() const {
  const int item = layout_combo_->currentIndex();
  if (item < 0) return 0;
  return HallTableCode(item, chooser_layouts_);
}

void HelpWindow::OnHallLayoutChosen() {
  const int code = SelectedTable();
  if (code == 0) return;
  FillHallTable(code);
}

void HelpWindow::DeleteHighScores() {
  const int code = SelectedTable();
  if (code == 0) return;
  if (ask_(tr("Please confirm..."),
           tr("Do you really want to remove the Hall of Fame entries for this layout ?"))) {
    engine_.Hall().ResetTable(code);
  }
  host_.ShowHallPanel();
  FillHallTable(code);
  engine_.SetPanelRefreshPending(true);
}

void HelpWindow::OnRecordNameEdited() {
  const std::string text = hall_edit_->text().toStdString();
  if (text != engine_.PlayerName()) {
    engine_.SetPlayerName(text.empty() ? std::string("-") : text);
    engine_.Hall().RenameRecord(engine_.Game().BoardNumber, engine_.Hall().RankReached(),
                                engine_.PlayerName());
    FillHallTable(engine_.Game().BoardNumber);
  }
  host_.ShowHallPanel();
}

// ---- Options ----------------------------------------------------------------------

void HelpWindow::OnPlayerNameEdited() { engine_.SetPlayerName(player_name_->text().toStdString()); }

void HelpWindow::OnGameNumberEdited() {
  const QString text = random_seed_->text();
  if (text.isEmpty()) return;
  if (const std::optional<std::int32_t> number = ParseGameNumber(text)) {
    engine_.MutableGame().GameSeed = *number;
  } else {
    tell_(tr("'%1' is not a valid integer value").arg(text));
  }
}

void HelpWindow::OpenLink(int number) {
  const auto& links = AboutLinks();
  if (number < 1 || number > static_cast<int>(links.size())) return;
  open_url_(QString::fromLatin1(links[static_cast<std::size_t>(number - 1)].url));
}

}  // namespace app
