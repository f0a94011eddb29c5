// The help and options window: opening it around a game, the hall-of-fame
// viewer with its chooser, the record name field, the reset and the typed
// options, driven on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/help_window.h"
#include "app/help_pages.h"
#include "game/engine.h"
#include "game/fakes.h"
#include "game/hall_of_fame.h"
#include "view/tileset_layout.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "sorami_help_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app =
      QApplication::instance() ? qobject_cast<QApplication*>(QApplication::instance())
                               : new QApplication(argc, argv);
  return *app;
}

// Writes `bytes` as the whole file `path`; false when that fails.
bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class FakeHost : public app::HelpHost {
 public:
  FakeHost() : texture(view::TextureWidth, view::TextureHeight, QImage::Format_RGB32) {
    texture.fill(Qt::black);
  }
  void ShowHallPanel() override { ++panelRedraws; }
  const QImage& HelpTileTexture() const override { return texture; }
  int panelRedraws = 0;
  QImage texture;
};

class HelpFormTest : public ::testing::Test {
 protected:
  HelpFormTest() : engine(time, screen, sound) {
    App();
    for (const char* name : {"Traditional", "My Board", "Pyramid"}) {
      engine.MutableLayouts().Entries.push_back({name, std::string(name) + ".lay", false});
    }
    engine.MutableGame().BoardNumber = 1;
    engine.SetPlayerName("Alice");
    form = std::make_unique<app::HelpWindow>(engine, host);
    form->SetAsk([this](const QString& title, const QString& text) {
      questions.push_back(title + "|" + text);
      return answer;
    });
    form->SetTell([this](const QString& text) { notices.push_back(text); });
    form->SetOpenUrl([this](const QString& url) { urls.push_back(url); });
    form->FillLayoutChooser();
    screen.OnHelp = [this](game::HelpPage page) { form->RunModal(page); };
  }

  // Opens the window on `page`; `whileOpen` runs inside the modal run, which
  // is then closed with "Return to Sorami".
  void Open(game::HelpPage page, const std::function<void()>& whileOpen = {}) {
    OpenBy([this, page] { form->OpenHelp(page); }, whileOpen);
  }
  // The same, for the window opened by `command`.
  void OpenBy(const std::function<void()>& command, const std::function<void()>& whileOpen) {
    opened = false;
    QTimer::singleShot(0, form.get(), [this, whileOpen] {
      opened = form->isVisible();
      if (whileOpen) whileOpen();
      form->findChild<QPushButton*>("ReturnButton")->click();
    });
    command();
    // A window that never opened leaves the timer pending: run it out.
    QApplication::processEvents();
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = form->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  std::vector<std::vector<QString>> ListRows() {
    std::vector<std::vector<QString>> rows;
    auto* list = Child<QTreeWidget>("HofList");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      rows.push_back({item->text(0), item->text(1), item->text(2), item->text(3)});
    }
    return rows;
  }

  // A running one-player game that has been played for `seconds`.
  void RunningGame(game::GameKind kind, int seconds) {
    engine.SetMode(kind, game::GamePhase::Running);
    engine.MutableGame().Clock.StartTick = time.Tick;
    time.Tick += static_cast<std::uint32_t>(seconds) * 1000;
  }
  int ClockSeconds() const { return static_cast<int>((time.Tick - engine.Game().Clock.StartTick) / 1000); }

  game::testing::FakeClock time;
  game::testing::FakeScreen screen;
  game::testing::FakeSound sound;
  game::Engine engine;
  FakeHost host;
  std::unique_ptr<app::HelpWindow> form;
  bool answer = false;
  bool opened = false;
  std::vector<QString> questions;
  std::vector<QString> notices;
  std::vector<QString> urls;
};

// ---- Window and pages ------------------------------------------------------------

TEST_F(HelpFormTest, WindowHasItsCaptionSizeAndPagesInTabOrder) {
  EXPECT_EQ(form->windowTitle(), "Sorami - Help");
  EXPECT_EQ(form->size(), QSize(616, 438));
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  auto* pages = Child<QTabWidget>("PageControl");
  const QStringList expected = {"Help", "What's New", "About", "French",
                                "Tiles", "Options", "Hall of Fame"};
  ASSERT_EQ(pages->count(), expected.size());
  for (int i = 0; i < pages->count(); ++i) EXPECT_EQ(pages->tabText(i), expected[i]);
  auto* button = Child<QPushButton>("ReturnButton");
  EXPECT_EQ(button->text(), "Return to Sorami");
  EXPECT_TRUE(button->isDefault());
}

TEST_F(HelpFormTest, DropsBelowOtherProgramsOnlyWhileSoramiIsInactive) {
  Qt::WindowFlags whileInactive, whileActive;
  Open(game::HelpPage::Help, [&] {
    form->KeepOnTop(false);
    whileInactive = form->windowHandle()->flags();
    form->KeepOnTop(true);
    whileActive = form->windowHandle()->flags();
    EXPECT_TRUE(form->isVisible());
  });
  EXPECT_TRUE(opened);
  EXPECT_FALSE(whileInactive & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(whileActive & Qt::WindowStaysOnTopHint);
}

TEST_F(HelpFormTest, OpensOnTheAskedPageWithItsPanelsCentred) {
  auto* pages = Child<QTabWidget>("PageControl");
  int shownPage = -1;
  Open(game::HelpPage::Options, [&] {
    shownPage = pages->currentIndex();
    QWidget* page = pages->currentWidget();
    auto* panel = Child<QLineEdit>("PlayerName")->parentWidget();
    while (panel->parentWidget() != page) panel = panel->parentWidget();
    EXPECT_EQ(panel->x(), (page->width() - panel->width()) / 2);
    EXPECT_EQ(panel->y(), (page->height() - panel->height()) / 2);
    auto* button = Child<QPushButton>("ReturnButton");
    EXPECT_EQ(button->x(), (616 - button->width()) / 2);
  });
  EXPECT_TRUE(opened);
  EXPECT_EQ(shownPage, static_cast<int>(game::HelpPage::Options));
  EXPECT_FALSE(form->isVisible());
}

// Where the panel of the page shown sits in the window, and the page area
// it is shown in.
struct PanelPlace {
  QRect panel;
  QRect area;
};

TEST_F(HelpFormTest, EveryPageSitsInTheSamePlaceAtEveryOpeningWhateverWasShownBefore) {
  const std::vector<game::HelpPage> pages = {game::HelpPage::About, game::HelpPage::French,
                                             game::HelpPage::Tiles, game::HelpPage::Options,
                                             game::HelpPage::HallOfFame};
  const auto shownPanel = [this] {
    QWidget* page = Child<QTabWidget>("PageControl")->currentWidget();
    auto* centred = qobject_cast<app::CentredPage*>(page);
    EXPECT_NE(centred, nullptr);
    if (centred == nullptr) return PanelPlace{};
    const QWidget* panel = centred->Panel();
    return PanelPlace{QRect(panel->mapTo(form.get(), QPoint(0, 0)), panel->size()),
                      QRect(page->parentWidget()->mapTo(form.get(), QPoint(0, 0)),
                            page->parentWidget()->size())};
  };
  // Twice through the pages, then backwards, so that each page is opened
  // first, again, and after every other one.
  std::vector<game::HelpPage> order = pages;
  order.insert(order.end(), pages.begin(), pages.end());
  order.insert(order.end(), pages.rbegin(), pages.rend());
  std::map<int, PanelPlace> first;
  for (game::HelpPage page : order) {
    PanelPlace place;
    Open(page, [&] { place = shownPanel(); });
    ASSERT_TRUE(opened);
    const int key = static_cast<int>(page);
    if (!first.count(key)) {
      first[key] = place;
      // Centred in the page area, wholly inside it, above the bottom bar.
      EXPECT_EQ(place.panel.x() - place.area.x(), (place.area.width() - place.panel.width()) / 2) << key;
      EXPECT_EQ(place.panel.y() - place.area.y(), (place.area.height() - place.panel.height()) / 2) << key;
      EXPECT_TRUE(place.area.contains(place.panel)) << key;
      EXPECT_LE(place.area.bottom(), app::HelpWindow::ClientHeight - app::HelpWindow::BottomBarHeight) << key;
    } else {
      EXPECT_EQ(place.panel, first[key].panel) << key;
      EXPECT_EQ(place.area, first[key].area) << key;
    }
  }
}

TEST_F(HelpFormTest, LoadsTheHelpTextsAndReportsAMissingOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString programDir = dir.path() + "/";
  ASSERT_TRUE(
      WriteFile(programDir + "sorami.rtf", "{\\rtf1\\ansi {\\b How to play} Remove pairs of free tiles.\\par}"));

  EXPECT_FALSE(form->LoadFiles(programDir));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], "Cannot open file " + programDir + "whatsnew.rtf");
  EXPECT_TRUE(Child<QTextEdit>("HelpText")->toPlainText().contains("Remove pairs of free tiles."));
  // The empty page says why it is empty.
  const QString whatsNew = Child<QTextEdit>("WhatsNewText")->toPlainText();
  EXPECT_TRUE(whatsNew.startsWith("The help text could not be read")) << whatsNew.toStdString();
  EXPECT_TRUE(whatsNew.contains(notices[0]));
  EXPECT_TRUE(Child<QTextEdit>("HelpText")->isReadOnly());
}

TEST_F(HelpFormTest, AHelpTextThatIsNoRtfIsRefusedAtStartAndItsPageSaysSo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString programDir = dir.path() + "/";
  ASSERT_TRUE(WriteFile(programDir + "sorami.rtf", "Sorami help, typed as plain text.\n"));
  ASSERT_TRUE(WriteFile(programDir + "whatsnew.rtf", "{\\rtf1 Faster start.}"));

  const QStringList checked = app::HelpWindow::CheckFiles(programDir);
  ASSERT_EQ(checked.size(), 1);
  EXPECT_TRUE(checked[0].startsWith("Cannot show file " + programDir + "sorami.rtf: it is not an RTF text"))
      << checked[0].toStdString();
  EXPECT_FALSE(form->LoadFiles(programDir));
  EXPECT_EQ(QStringList(notices.begin(), notices.end()), checked);
  const QString page = Child<QTextEdit>("HelpText")->toPlainText();
  EXPECT_TRUE(page.startsWith("The help text could not be read")) << page.toStdString();
  EXPECT_TRUE(page.contains(checked[0]));
  EXPECT_FALSE(page.contains("typed as plain text"));
  EXPECT_EQ(Child<QTextEdit>("WhatsNewText")->toPlainText(), "Faster start.");
}

TEST_F(HelpFormTest, PageBackgroundIsOptionalAndADamagedOneIsReported) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString programDir = dir.path() + "/";
  for (const char* text : {"sorami.rtf", "whatsnew.rtf"}) ASSERT_TRUE(WriteFile(programDir + text, "{\\rtf1 Text.}"));
  const auto background = [this](const char* page) {
    return Child<app::CentredPage>(page)->Background();
  };

  EXPECT_TRUE(form->LoadFiles(programDir));  // no picture at all: nothing said
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(background("AboutPage").isNull());

  ASSERT_TRUE(WriteFile(programDir + "orange.jpg", "this is no picture"));
  EXPECT_TRUE(form->LoadFiles(programDir));
  ASSERT_EQ(notices.size(), 1u);
  // The report names the picture and says what is wrong with it.
  EXPECT_TRUE(notices[0].contains(programDir + "orange.jpg")) << notices[0].toStdString();
  EXPECT_TRUE(notices[0].contains("JPEG error #")) << notices[0].toStdString();
  EXPECT_TRUE(background("AboutPage").isNull());

  QImage orange(64, 48, QImage::Format_RGB32);
  orange.fill(QColor(255, 160, 0));
  ASSERT_TRUE(orange.save(programDir + "orange.jpg", "JPG"));
  EXPECT_TRUE(form->LoadFiles(programDir));
  EXPECT_EQ(notices.size(), 1u);
  for (const char* page : {"AboutPage", "FrenchPage", "TilesPage"}) {
    EXPECT_EQ(background(page).size(), QSize(64, 48)) << page;
  }
  EXPECT_TRUE(background("OptionsPage").isNull());
  EXPECT_TRUE(background("HallofFamePage").isNull());
}

TEST_F(HelpFormTest, StartUpCheckSaysWhatLoadingWouldAndLoadingSaysOnlyWhatIsNew) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString programDir = dir.path() + "/";
  ASSERT_TRUE(WriteFile(programDir + "orange.jpg", "this is no picture"));
  ASSERT_TRUE(WriteFile(programDir + "whatsnew.rtf", "{\\rtf1 Faster start.}"));

  // The check builds nothing and names the damaged picture and the missing
  // text in the words and order of loading.
  const QStringList checked = app::HelpWindow::CheckFiles(programDir);
  EXPECT_FALSE(form->LoadFiles(programDir));
  ASSERT_EQ(checked.size(), 2);
  EXPECT_EQ(checked, QStringList(notices.begin(), notices.end()));
  EXPECT_EQ(checked[1], "Cannot open file " + programDir + "sorami.rtf");

  // Loaded later (the window first opened), what the check reported is not
  // said again; a text gone since is.
  notices.clear();
  ASSERT_TRUE(QFile::remove(programDir + "whatsnew.rtf"));
  EXPECT_FALSE(form->LoadFiles(programDir, checked));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], "Cannot open file " + programDir + "whatsnew.rtf");

  // All well: nothing to say.
  ASSERT_TRUE(WriteFile(programDir + "sorami.rtf", "{\\rtf1 Text.}"));
  ASSERT_TRUE(WriteFile(programDir + "whatsnew.rtf", "{\\rtf1 Text.}"));
  ASSERT_TRUE(QFile::remove(programDir + "orange.jpg"));
  EXPECT_TRUE(app::HelpWindow::CheckFiles(programDir).isEmpty());
}

TEST_F(HelpFormTest, LinkLabelsOpenTheirAddresses) {
  for (int n = 1; n <= 4; ++n) form->OpenLink(n);
  form->OpenLink(5);
  ASSERT_EQ(urls.size(), 4u);
  EXPECT_TRUE(urls[0].startsWith("https://"));
  EXPECT_TRUE(urls[1].startsWith("https://"));
  EXPECT_TRUE(urls[2].startsWith("mailto:"));
  EXPECT_TRUE(urls[3].startsWith("mailto:"));
}

// ---- Pausing around the window ----------------------------------------------------

TEST_F(HelpFormTest, OpenTimeDoesNotCountOnTheClock) {
  RunningGame(game::GameKind::Solitaire, 42);
  game::GamePhase phaseWhileOpen = game::GamePhase::Idle;
  Open(game::HelpPage::Help, [&] {
    phaseWhileOpen = engine.Game().Phase;
    time.Tick += 5 * 60 * 1000;  // five minutes of reading
  });
  EXPECT_TRUE(opened);
  EXPECT_EQ(phaseWhileOpen, game::GamePhase::Paused);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(ClockSeconds(), 42);
}

TEST_F(HelpFormTest, RiversAndMemoryGamesArePausedToo) {
  for (game::GameKind kind : {game::GameKind::Rivers, game::GameKind::Memory}) {
    RunningGame(kind, 10);
    Open(game::HelpPage::About, [&] { time.Tick += 60000; });
    EXPECT_TRUE(engine.Game().Running(kind));
    EXPECT_EQ(ClockSeconds(), 10);
  }
}

TEST_F(HelpFormTest, AGamePausedByHandIsResumedOnClosing) {
  RunningGame(game::GameKind::Solitaire, 20);
  engine.TogglePause();
  time.Tick += 30000;
  Open(game::HelpPage::Help, [&] { time.Tick += 30000; });
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(ClockSeconds(), 20);
}

TEST_F(HelpFormTest, WithNoGameRunningTheEarlierModeComesBack) {
  // Right after start-up: stopped, nothing paused yet.
  engine.SetPhase(game::GamePhase::Stopped);
  Open(game::HelpPage::Help);
  EXPECT_TRUE(opened);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Stopped);

  // A finished game, even when the last pause saved another mode.
  engine.SetPhase(game::GamePhase::Finished);
  engine.MutableGame().PhaseBeforePause = game::GamePhase::Running;
  Open(game::HelpPage::HallOfFame);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);

  engine.SetMode(game::GameKind::None, game::GamePhase::Idle);
  Open(game::HelpPage::Tiles);
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Idle);
}

TEST_F(HelpFormTest, NothingOpensDuringATwoPlayerGame) {
  engine.SetMode(game::GameKind::TwoPlayer, game::GamePhase::Running);
  Open(game::HelpPage::Help);
  EXPECT_FALSE(opened);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::TwoPlayer));
}

// ---- Hall of fame -----------------------------------------------------------------

TEST_F(HelpFormTest, ChooserCodesCoverLayoutsAndTheFourVariants) {
  EXPECT_EQ(app::HallTableCode(0, 3), 1);
  EXPECT_EQ(app::HallTableCode(2, 3), 3);
  EXPECT_EQ(app::HallTableCode(3, 3), 100);
  EXPECT_EQ(app::HallTableCode(4, 3), 101);
  EXPECT_EQ(app::HallTableCode(5, 3), 110);
  EXPECT_EQ(app::HallTableCode(6, 3), 111);
  for (int item = 0; item < 7; ++item) {
    EXPECT_EQ(app::HallChooserItem(app::HallTableCode(item, 3), 3), item);
  }
  EXPECT_EQ(app::HallChooserItem(0, 3), -1);
  EXPECT_EQ(app::HallChooserItem(4, 3), -1);

  auto* chooser = Child<QComboBox>("LayoutComboBox");
  ASSERT_EQ(chooser->count(), 7);
  EXPECT_EQ(chooser->itemText(1), "My Board Layout");
  EXPECT_EQ(chooser->itemText(3), "Mahjongg Rivers (Easy)");
  EXPECT_EQ(chooser->itemText(6), "Mahjongg Memory (Hard)");
  EXPECT_EQ(chooser->currentIndex(), 0);
}

TEST_F(HelpFormTest, RiversHardTableIsShownDuringARiversHardGame) {
  engine.Hall().EnterHallOfFame(game::kRiversHardTable, 123, 4, "River");
  engine.MutableGame().BoardNumber = game::kRiversHardTable;
  RunningGame(game::GameKind::Rivers, 5);
  std::vector<std::vector<QString>> rows;
  int item = -1;
  bool chooserShown = false;
  Open(game::HelpPage::HallOfFame, [&] {
    rows = ListRows();
    item = Child<QComboBox>("LayoutComboBox")->currentIndex();
    chooserShown = Child<QComboBox>("LayoutComboBox")->isVisible();
  });
  EXPECT_EQ(item, engine.LayoutCount() + 1);
  EXPECT_TRUE(chooserShown);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], (std::vector<QString>{"1", "River   ", "02:03", "00:04"}));
}

TEST_F(HelpFormTest, AnEmptyRankIsShownAndStoredAsItsDefault) {
  engine.Hall().SetEntry(2, 1, "");
  engine.Hall().SetEntry(2, 10, "");
  form->FillHallTable(2);
  const auto rows = ListRows();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], (std::vector<QString>{"1", "---     ", "05:00", "00:00"}));
  EXPECT_EQ(rows[9], (std::vector<QString>{"10", "---     ", "14:00", "00:00"}));
  EXPECT_EQ(engine.Hall().Entry(2, 1), game::DefaultHallEntry(1));
  EXPECT_EQ(engine.Hall().Entry(2, 10), game::DefaultHallEntry(10));
  EXPECT_EQ(Child<QComboBox>("LayoutComboBox")->currentIndex(), 1);
}

TEST_F(HelpFormTest, ChoosingATableShowsItWithoutChangingTheLayout) {
  engine.Hall().EnterHallOfFame(game::kMemoryEasyTable, 200, 6, "Memo");
  Child<QComboBox>("LayoutComboBox")->setCurrentIndex(engine.LayoutCount() + 2);
  EXPECT_EQ(ListRows()[0][1], "Memo    ");
  EXPECT_EQ(engine.Game().BoardNumber, 1);
}

class RecordTest : public HelpFormTest {
 protected:
  // A one-player game on layout 1 ends in 200 s (10 of them penalty) and
  // takes rank 2; the end of the game opens the window, where `typed` goes
  // into the record's name field.
  void Record(const QString& typed) {
    engine.Hall().EnterHallOfFame(1, 100, 0, "First");
    RunningGame(game::GameKind::Solitaire, 190);
    engine.MutableGame().Clock.ElapsedSeconds = 190;
    engine.MutableGame().Clock.Penalty = 10;
    engine.MutableGame().BoardFinished = true;
    OpenBy([this] { engine.GameOver(); }, [&] {
      rank = engine.Hall().RankReached();
      newRecordWhileOpen = engine.NewRecordShown();
      label = Child<QLabel>("RecordLabel")->text();
      recordShown = Child<QLineEdit>("HallEdit1")->isVisible();
      chooserShown = Child<QComboBox>("LayoutComboBox")->isVisible() ||
                     Child<QPushButton>("DeleteHighscores")->isVisible();
      nameInField = Child<QLineEdit>("HallEdit1")->text();
      QWidget* field = Child<QLineEdit>("HallEdit1");
      QWidget* area = Child<QTabWidget>("PageControl")->currentWidget()->parentWidget();
      fieldInside = QRect(area->mapTo(form.get(), QPoint(0, 0)), area->size())
                        .contains(QRect(field->mapTo(form.get(), QPoint(0, 0)), field->size()));
      Child<QLineEdit>("HallEdit1")->setText(typed);
      rowName = ListRows()[1][1];
    });
  }
  int rank = 0;
  bool newRecordWhileOpen = false;
  QString label, nameInField, rowName;
  bool recordShown = false;
  bool chooserShown = true;
  bool fieldInside = false;
};

TEST_F(RecordTest, TheNameFieldShowsAfterTheHallOfFameWasOpenedBefore) {
  Open(game::HelpPage::HallOfFame);
  Open(game::HelpPage::About);
  Record("Bob");
  EXPECT_TRUE(recordShown);
  EXPECT_TRUE(fieldInside);
}

TEST_F(RecordTest, NewRecordOffersTheNameFieldInsteadOfTheChooser) {
  Record("Bob");
  EXPECT_TRUE(opened);
  EXPECT_TRUE(newRecordWhileOpen);
  EXPECT_FALSE(engine.NewRecordShown());
  EXPECT_EQ(engine.Game().Phase, game::GamePhase::Finished);
  EXPECT_EQ(rank, 2);
  EXPECT_EQ(label, "You reached rank #2, Alice !");
  EXPECT_TRUE(recordShown);
  EXPECT_FALSE(chooserShown);
  EXPECT_EQ(nameInField, "Alice");
  EXPECT_EQ(engine.PlayerName(), "Bob");
  EXPECT_EQ(engine.Hall().Entry(1, 2), "Bob       200   10");
  EXPECT_EQ(rowName, "Bob     ");
  EXPECT_GT(host.panelRedraws, 0);

  // The next ordinary opening shows the chooser again.
  Open(game::HelpPage::HallOfFame, [&] {
    EXPECT_TRUE(Child<QComboBox>("LayoutComboBox")->isVisible());
    EXPECT_FALSE(Child<QLineEdit>("HallEdit1")->isVisible());
  });
}

TEST_F(RecordTest, ABlankFirstCharacterIsStoredAsADash) {
  Record(" Bo");
  EXPECT_EQ(engine.PlayerName(), " Bo");
  EXPECT_EQ(engine.Hall().Entry(1, 2), "-Bo       200   10");
  EXPECT_EQ(engine.Hall().Entry(1, 1).substr(0, 8), "First   ");
}

TEST_F(RecordTest, AClearedNameFieldStoresADash) {
  Record("");
  EXPECT_EQ(engine.PlayerName(), "-");
  EXPECT_EQ(engine.Hall().Entry(1, 2), "-         200   10");
}

TEST_F(HelpFormTest, CancelledResetChangesNothingButRedraws) {
  engine.Hall().EnterHallOfFame(3, 250, 0, "Keeper");
  Child<QComboBox>("LayoutComboBox")->setCurrentIndex(2);
  Child<QTreeWidget>("HofList")->clear();
  engine.SetPanelRefreshPending(false);
  answer = false;
  Child<QPushButton>("DeleteHighscores")->click();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0],
            "Please confirm...|Do you really want to remove the Hall of Fame entries for this layout ?");
  EXPECT_EQ(engine.Hall().Entry(3, 1).substr(0, 8), "Keeper  ");
  EXPECT_EQ(ListRows().size(), 10u);
  EXPECT_EQ(host.panelRedraws, 1);
  EXPECT_TRUE(engine.PanelRefreshPending());
}

TEST_F(HelpFormTest, ConfirmedResetPutsTheDefaultsBack) {
  engine.Hall().EnterHallOfFame(game::kMemoryHardTable, 250, 0, "Keeper");
  engine.Hall().EnterHallOfFame(1, 250, 0, "Other");
  Child<QComboBox>("LayoutComboBox")->setCurrentIndex(engine.LayoutCount() + 3);
  answer = true;
  form->DeleteHighScores();
  EXPECT_FALSE(engine.Hall().HasRealRecord(game::kMemoryHardTable));
  EXPECT_TRUE(engine.Hall().HasRealRecord(1));
  EXPECT_EQ(ListRows()[0][1], "---     ");
}

TEST_F(HelpFormTest, ResetWithoutASelectionDoesNothing) {
  Child<QComboBox>("LayoutComboBox")->setCurrentIndex(-1);
  answer = true;
  form->DeleteHighScores();
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(host.panelRedraws, 0);
}

TEST_F(HelpFormTest, ChooserFollowsLayoutsAddedDuringTheRun) {
  engine.MutableLayouts().Entries.push_back({"Fresh", "Fresh.lay", false});
  engine.MutableGame().BoardNumber = game::kMemoryEasyTable;
  int item = -1;
  int count = 0;
  Open(game::HelpPage::HallOfFame, [&] {
    item = Child<QComboBox>("LayoutComboBox")->currentIndex();
    count = Child<QComboBox>("LayoutComboBox")->count();
  });
  EXPECT_EQ(count, 8);
  EXPECT_EQ(item, 6);
}

// ---- Options ------------------------------------------------------------------------

TEST_F(HelpFormTest, OptionsFieldsShowAndSetNameAndGameNumber) {
  engine.MutableGame().GameSeed = 777;
  QString name, seed;
  Open(game::HelpPage::Options, [&] {
    name = Child<QLineEdit>("PlayerName")->text();
    seed = Child<QLineEdit>("RandomSeed")->text();
    Child<QLineEdit>("PlayerName")->setText("Zoe");
    Child<QLineEdit>("RandomSeed")->setText("-12");
  });
  EXPECT_EQ(name, "Alice");
  EXPECT_EQ(seed, "777");
  EXPECT_EQ(engine.PlayerName(), "Zoe");
  EXPECT_EQ(engine.Game().GameSeed, -12);
  EXPECT_EQ(Child<QLineEdit>("PlayerName")->maxLength(), 8);
  EXPECT_EQ(Child<QLineEdit>("HallEdit1")->maxLength(), 8);
  EXPECT_TRUE(notices.empty());
}

TEST_F(HelpFormTest, AGameNumberThatIsNoIntegerIsReported) {
  auto* field = Child<QLineEdit>("RandomSeed");
  field->setText("2147483647");
  EXPECT_EQ(engine.Game().GameSeed, 2147483647);
  for (const char* bad : {"12a", "-", "2147483648", "1 2", "0x10"}) {
    field->setText(bad);
    EXPECT_EQ(engine.Game().GameSeed, 2147483647) << bad;
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back(), QString("'%1' is not a valid integer value").arg(bad));
  }
  const std::size_t reported = notices.size();
  field->setText("");
  EXPECT_EQ(engine.Game().GameSeed, 2147483647);
  field->setText("-2147483648");
  EXPECT_EQ(engine.Game().GameSeed, -2147483647 - 1);
  field->setText("0");
  EXPECT_EQ(engine.Game().GameSeed, 0);
  EXPECT_EQ(notices.size(), reported);
}

// ---- Tile chart ---------------------------------------------------------------------

TEST_F(HelpFormTest, TileChartCopiesEveryFaceFromItsTextureCell) {
  // Each face cell of the texture gets its own colour; the row above the
  // face area and the left edge get another, which must not show.
  QImage& texture = host.texture;
  texture.fill(Qt::black);
  for (int face = 1; face <= 42; ++face) {
    const view::Region cell = view::TextureCell(view::FaceCells(face));
    for (int y = cell.y; y < cell.y + 56; ++y) {
      for (int x = cell.x; x < cell.x + 46; ++x) {
        const bool inFace = x >= cell.x + 6 && y >= cell.y + 1;
        texture.setPixel(x, y, inFace ? qRgb(face, 100, 200) : qRgb(255, 0, 255));
      }
    }
  }
  Open(game::HelpPage::Tiles);
  const QImage& chart = form->TileChart();
  ASSERT_EQ(chart.size(), QSize(app::TileChartWidth, app::TileChartHeight));
  for (int face = 1; face <= 42; ++face) {
    const QPoint at = app::TileChartFacePosition(face);
    EXPECT_EQ(chart.pixel(at), qRgb(face, 100, 200)) << face;
    EXPECT_EQ(chart.pixel(at + QPoint(39, 49)), qRgb(face, 100, 200)) << face;
  }
  EXPECT_EQ(app::TileChartFacePosition(1), QPoint(10, 34));
  EXPECT_EQ(app::TileChartFacePosition(35), QPoint(235 + 135, 274));
  EXPECT_EQ(app::TileChartFacePosition(41), QPoint(440, 114));
  EXPECT_EQ(chart.pixel(424, 5), qRgb(0, 0, 0));
  EXPECT_EQ(chart.pixel(10, 14), qRgb(255, 255, 255));  // corner of a caption box
  EXPECT_EQ(qAlpha(chart.pixel(210, 300)), 0);            // nothing drawn there
}

}  // namespace
