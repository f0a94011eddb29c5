// The game window on the offscreen platform with a temporary program folder:
// the first start, a whole game won with the mouse, options and position kept
// across a restart, a settings file that cannot be written, folders without
// music or layouts, the toolbar and the status line.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/picture_box.h"
#include "board/temp_dir.h"
#include "app/status_line.h"
#include "app/tool_bar.h"
#include "game/engine.h"
#include "game/hall_of_fame.h"
#include "view/geometry.h"
#include "view/looks.h"
#include "window_test_support.h"


namespace {

using apptest::MakeWindow;
using apptest::MessageBoxAnswer;
using apptest::ProgramFolder;

bool Checked(app::MainWindow& w, const char* menu, const char* entry) {
  QAction* action = w.MenuEntry(QString::fromLatin1(menu), QString::fromLatin1(entry));
  EXPECT_NE(action, nullptr) << menu << " / " << entry;
  return action != nullptr && action->isChecked();
}

void Trigger(app::MainWindow& w, const char* menu, const char* entry) {
  QAction* action = w.MenuEntry(QString::fromLatin1(menu), QString::fromLatin1(entry));
  ASSERT_NE(action, nullptr) << menu << " / " << entry;
  action->trigger();
}

// The middle of the face of the tile anchored at `place`, in board pixels.
QPoint FaceCentre(const game::Engine& e, board::Cell place) {
  return {view::FaceLeft(place.x, place.z, e.OriginX()) + view::FaceWidth / 2,
          view::FaceTop(place.y, place.z, e.OriginY()) + view::FaceHeight / 2};
}

void ClickPlace(app::MainWindow& w, board::Cell place) {
  QTest::mouseClick(w.Game(), Qt::LeftButton, Qt::NoModifier, FaceCentre(w.Engine(), place));
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::TestApp(); }

  std::unique_ptr<app::MainWindow> StartShown(std::vector<std::string>* sounds = nullptr) {
    auto window = MakeWindow(folder_, sounds);
    EXPECT_TRUE(window->Started()) << window->StartupError().toStdString();
    window->show();
    QApplication::processEvents();
    return window;
  }

  ProgramFolder folder_;
};

TEST_F(MainWindowTest, FirstStartWithoutSettingsGivesTheDefaultsAndARunningGame) {
  ASSERT_FALSE(std::filesystem::exists(folder_.Path() + "Sorami.ini"));
  auto w = StartShown();
  game::Engine& e = w->Engine();

  EXPECT_TRUE(Checked(*w, "&Highlight", "Green Rectangle"));
  EXPECT_FALSE(Checked(*w, "&Highlight", "None"));
  EXPECT_TRUE(Checked(*w, "&Background", "Andromeda"));
  EXPECT_TRUE(Checked(*w, "Tileset", "Blue borders"));
  EXPECT_TRUE(Checked(*w, "&Layout", "Traditional"));
  EXPECT_TRUE(Checked(*w, "M&usic", "Night"));
  EXPECT_TRUE(Checked(*w, "&Configuration", "Play music"));
  EXPECT_TRUE(Checked(*w, "&Configuration", "Play sound effects"));
  EXPECT_EQ(e.Layouts().LayoutName(e.Game().BoardNumber), "Traditional");
  // "PreviousRes" defaults to the screen's width: the stored position (0, 0).
  EXPECT_EQ(w->pos(), QPoint(0, 0));

  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(e.Game().Board.TilesLeft, 144);
  // The pictures were loaded and the dealt board is on screen.
  EXPECT_NE(w->Game()->Picture().pixel(352, 234), w->View().BackgroundBuffer.pixel(352, 234));

  // The window's size follows from its parts.
  EXPECT_EQ(w->centralWidget()->width(), 704 + w->HallPanelBox()->width());
  EXPECT_EQ(w->centralWidget()->height(), 33 + 468 + 27);
  EXPECT_TRUE(w->HallPanelBox()->isVisible());
  // It can be minimised and maximised; at its first size the board fills it
  // at 100 %.
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->FitsToWindow());
  EXPECT_EQ(w->ZoomInEffect(), 100);
  EXPECT_EQ(w->View().BoardBuffer.size(), QSize(704, 468));
}

TEST_F(MainWindowTest, AWinnableGameClickedThroughToTheWinEntersTheHallOfFame) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nWinnable=1\r\n");
  std::vector<std::string> sounds;
  auto w = StartShown(&sounds);
  game::Engine& e = w->Engine();
  ASSERT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  ASSERT_EQ(e.LastDealOutcome(), board::DealOutcome::Winnable);
  const board::RemovalOrder order = e.LastRemovalOrder();
  ASSERT_EQ(order.Count, 144);

  // The game's time must pass a second before the last pair goes.
  for (int j = 0; j + 1 < order.Count / 2; ++j) {
    ClickPlace(*w, order.RemovalPairs[2 * j]);
    ClickPlace(*w, order.RemovalPairs[2 * j + 1]);
    ASSERT_EQ(e.Game().Board.TilesLeft, 144 - 2 * (j + 1)) << "pair " << j;
  }
  QTest::qWait(1200);

  // The hall of fame opens on its page with the new record; close it.
  bool recordShown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!w->Help()->IsRunning()) return;
    for (QLabel* label : w->Help()->findChildren<QLabel*>()) {
      recordShown = recordShown || label->text().startsWith(QStringLiteral("You reached rank #1"));
    }
    closer.stop();
    w->Help()->close();
  });
  closer.start(5);
  ClickPlace(*w, order.RemovalPairs[order.Count - 2]);
  ClickPlace(*w, order.RemovalPairs[order.Count - 1]);
  EXPECT_EQ(e.Game().Board.TilesLeft, 0);
  // The next tick finds the board empty and ends the game.
  for (int i = 0; i < 100 && !e.Game().GameOverHandled; ++i) QTest::qWait(20);
  EXPECT_EQ(e.Game().Phase, game::GamePhase::Finished);
  EXPECT_TRUE(recordShown);
  EXPECT_EQ(e.Hall().RankReached(), 1);
  EXPECT_TRUE(game::IsRealRecord(e.Hall().Entry(e.Game().BoardNumber, 1)));
  EXPECT_EQ(e.StatusMessage().rfind("You WON ! Your time is : ", 0), 0u) << e.StatusMessage();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "done"), 72);

  // The record reaches "Hallfame.ini" when the window closes.
  w->close();
  EXPECT_NE(folder_.Read("Hallfame.ini").find("[Traditional]"), std::string::npos);
}

TEST_F(MainWindowTest, OptionsAndWindowPositionSurviveARestart) {
  {
    auto w = StartShown();
    Trigger(*w, "View", "&Invert selection");
    Trigger(*w, "View", "Cool Menu");
    Trigger(*w, "&Highlight", "Red Rectangle");
    Trigger(*w, "&Background", "&Dragons");
    Trigger(*w, "Tileset", "Orange borders");
    Trigger(*w, "&Configuration", "Begin game directly at startup");
    Trigger(*w, "&Configuration", "Resume the last game at startup");
    Trigger(*w, "View", "Show &Toolbar");
    w->Engine().SetPlayerName("Aiko");
    w->move(37, 41);
    EXPECT_TRUE(w->close());
  }
  ASSERT_TRUE(std::filesystem::exists(folder_.Path() + "Sorami.ini"));
  auto w = StartShown();
  EXPECT_EQ(w->pos(), QPoint(37, 41));
  EXPECT_TRUE(Checked(*w, "View", "&Invert selection"));
  EXPECT_FALSE(Checked(*w, "View", "Cool Menu"));
  EXPECT_TRUE(Checked(*w, "&Highlight", "Red Rectangle"));
  EXPECT_FALSE(Checked(*w, "&Highlight", "Green Rectangle"));
  EXPECT_TRUE(Checked(*w, "&Background", "&Dragons"));
  EXPECT_TRUE(Checked(*w, "Tileset", "Orange borders"));
  EXPECT_FALSE(Checked(*w, "View", "Show &Toolbar"));
  EXPECT_FALSE(w->Tools()->isVisible());
  EXPECT_EQ(w->Engine().PlayerName(), "Aiko");
  EXPECT_FALSE(Checked(*w, "&Configuration", "Resume the last game at startup"));
  // Without "Begin game directly at startup" (and nothing resumed) the
  // window waits, stopped.
  EXPECT_EQ(w->Engine().Game().Phase, game::GamePhase::Stopped);
}

TEST_F(MainWindowTest, QuittingDuringRiversStoresTheSolitaireLayout) {
  auto w = StartShown();
  const int layout = w->Engine().Game().BoardNumber;
  Trigger(*w, "&File", "Mah-Jongg Rivers : New Game (Hard)");
  ASSERT_EQ(w->Engine().Game().BoardNumber, game::kRiversHardTable);
  w->close();
  base::IniFile file(folder_.Path() + "Sorami.ini");
  EXPECT_EQ(file.ReadInteger("Sorami", "BoardNumber", 0), layout);
}

using board::testing::Unwritable;

TEST_F(MainWindowTest, AReadOnlySettingsFileKeepsTheWindowOpenUntilThePlayerQuitsWithoutSaving) {
  const std::string before = "[Sorami]\r\nInvert=0\r\n";
  folder_.Write("Sorami.ini", before);
  Unwritable guard(folder_.Path() + "Sorami.ini");
  if (!guard.Works()) GTEST_SKIP() << "cannot make a file read-only here";
  auto w = StartShown();
  Trigger(*w, "View", "&Invert selection");

  {
    MessageBoxAnswer stay(QStringLiteral("Stay in Sorami"));
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(stay.Answered());
    EXPECT_TRUE(stay.Text().contains(QStringLiteral("Unable to write to ") + folder_.QPath() +
                                     QStringLiteral("Sorami.ini")))
        << stay.Text().toStdString();
  }
  EXPECT_TRUE(w->isVisible());
  {
    MessageBoxAnswer quit(QStringLiteral("Quit without saving"));
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(quit.Answered());
  }
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(folder_.Read("Sorami.ini"), before);
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeReadIsNamedAtOnceAndLeftAlone) {
  // A folder in the file's place cannot be read, not even by root.
  std::filesystem::create_directory(folder_.Path() + "Sorami.ini");
  std::unique_ptr<app::MainWindow> w;
  {
    MessageBoxAnswer ok(QStringLiteral("OK"));
    w = MakeWindow(folder_);
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(ok.Text().startsWith(QStringLiteral("Unable to read ") + folder_.QPath() +
                                     QStringLiteral("Sorami.ini")))
        << ok.Text().toStdString();
  }
  ASSERT_TRUE(w->Started());
  EXPECT_TRUE(Checked(*w, "&Highlight", "Green Rectangle"));
  MessageBoxAnswer quit(QStringLiteral("Quit without saving"));
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(quit.Answered());
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() + "Sorami.ini"));
}

TEST_F(MainWindowTest, AFolderWithoutMusicOrLayoutsSaysWhichAndDoesNotStart) {
  std::filesystem::remove_all(folder_.Path() + "Musics");
  std::filesystem::create_directory(folder_.Path() + "Musics");
  {
    MessageBoxAnswer ok(QStringLiteral("OK"));
    auto w = MakeWindow(folder_);
    EXPECT_FALSE(w->Started());
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(ok.Text().contains(QStringLiteral("Musics"))) << ok.Text().toStdString();
  }
  ProgramFolder::WriteTinyMidi(folder_.Path() + "Musics/Night.mid");
  std::filesystem::remove_all(folder_.Path() + "Layouts");
  std::filesystem::create_directory(folder_.Path() + "Layouts");
  MessageBoxAnswer ok(QStringLiteral("OK"));
  auto w = MakeWindow(folder_);
  EXPECT_FALSE(w->Started());
  EXPECT_TRUE(ok.Text().contains(QStringLiteral("Layouts"))) << ok.Text().toStdString();
  // Nothing was written for a start that never happened.
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "Sorami.ini"));
}

TEST_F(MainWindowTest, AMissingHelpTextIsReportedAtStartAndTheHelpWindowBuiltOnlyWhenWanted) {
  std::filesystem::remove(folder_.Path() + "whatsnew.rtf");
  MessageBoxAnswer ok(QStringLiteral("OK"));
  auto w = MakeWindow(folder_);
  EXPECT_TRUE(w->Started());
  EXPECT_TRUE(ok.Answered());
  EXPECT_EQ(ok.Text(), folder_.QPath().prepend("Cannot open file ") + "whatsnew.rtf");
  EXPECT_EQ(w->findChild<app::HelpWindow*>(), nullptr) << "built before it was wanted";

  // Built now, with the texts there are and without a second notice.
  MessageBoxAnswer again(QStringLiteral("OK"));
  app::HelpWindow* help = w->Help();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(w->findChild<app::HelpWindow*>(), help);
  EXPECT_EQ(w->Help(), help) << "built once";
  QCoreApplication::processEvents();
  EXPECT_FALSE(again.Answered());
  EXPECT_FALSE(help->findChild<QTextEdit*>("HelpText")->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, TheNewButtonStartsAGameOnALeftClickAndOffersThePopUpOnARightClick) {
  auto w = StartShown();
  Trigger(*w, "&Play", "&Stop");
  ASSERT_EQ(w->Engine().Game().Phase, game::GamePhase::Stopped);
  QToolButton* newButton = w->Tools()->ButtonAt(app::ToolBar::New);
  QTest::mouseClick(newButton, Qt::LeftButton);
  EXPECT_TRUE(w->Engine().Game().Running(game::GameKind::Solitaire));

  QTest::mouseClick(newButton, Qt::RightButton);
  QMenu* popup = w->NewGameMenu();
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->pos(), newButton->mapToGlobal(QPoint(0, newButton->height())));
  QStringList captions;
  for (QAction* action : popup->actions()) captions << action->text();
  EXPECT_EQ(captions,
            (QStringList{"Solitaire (1-player)", "Solitaire (2-player)", "MJ Rivers (Easy)",
                         "MJ Rivers (Hard)", "MJ Memory (Easy)", "MJ Memory (Hard)"}));
  popup->actions()[5]->trigger();
  popup->close();
  EXPECT_TRUE(w->Engine().Game().Running(game::GameKind::Memory));
  EXPECT_EQ(w->Engine().Game().BoardNumber, game::kMemoryHardTable);
}

TEST_F(MainWindowTest, ToolbarAndStatusLineTogglesKeepTheWindowsHeight) {
  auto w = StartShown();
  const int height = w->height();
  Trigger(*w, "View", "Show &Toolbar");
  EXPECT_EQ(w->height(), height - 33);
  Trigger(*w, "View", "Show Status Bar");
  EXPECT_EQ(w->height(), height - 33 - 27);
  Trigger(*w, "View", "Show &Toolbar");
  Trigger(*w, "View", "Show Status Bar");
  EXPECT_EQ(w->height(), height);

  const int width = w->width();
  Trigger(*w, "View", "Show Hall of &Fame");
  EXPECT_EQ(w->width(), width - w->HallPanelBox()->width());
  EXPECT_FALSE(w->HallPanelBox()->isVisible());
  Trigger(*w, "View", "Show Hall of &Fame");
  EXPECT_EQ(w->width(), width);
}

TEST_F(MainWindowTest, ClicksOnTheStatusLineFieldsToggleTheirOptions) {
  auto w = StartShown();
  game::Engine& e = w->Engine();
  ASSERT_TRUE(e.Opt().ShowMovesLeft && e.Opt().ShowTime);
  for (QLabel* label : w->Status()->findChildren<QLabel*>()) {
    if (label->text() == QStringLiteral("Moves left")) QTest::mouseClick(label, Qt::LeftButton);
    if (label->text() == QStringLiteral("Time")) QTest::mouseClick(label, Qt::LeftButton);
  }
  EXPECT_FALSE(e.Opt().ShowMovesLeft);
  EXPECT_FALSE(e.Opt().ShowTime);
  EXPECT_FALSE(Checked(*w, "View", "Show &Moves Left"));
  EXPECT_FALSE(Checked(*w, "View", "&Show Time Left"));
  EXPECT_EQ(w->Status()->MovesText(), QString());
  EXPECT_EQ(w->Status()->TimeText(), QString());
}

TEST_F(MainWindowTest, CheckMarksFollowCommandsThatChangeOptions) {
  auto w = StartShown();
  game::Engine& e = w->Engine();
  Trigger(*w, "&File", "Mah-Jongg Solitaire : New Random Specific Game");
  EXPECT_TRUE(e.Opt().NumberedGames);
  EXPECT_TRUE(Checked(*w, "&Play", "Random Seed"));
  Trigger(*w, "&File", "Mah-Jongg Solitaire : New Fully Random Game");
  EXPECT_FALSE(Checked(*w, "&Play", "Random Seed"));

  Trigger(*w, "&Highlight", "None");
  EXPECT_EQ(e.HighlightMode(), 0);
  EXPECT_TRUE(Checked(*w, "&Highlight", "None"));
  EXPECT_FALSE(Checked(*w, "&Highlight", "Green Rectangle"));
  Trigger(*w, "&Highlight", "Colored Tile");
  EXPECT_EQ(e.HighlightMode(), 2);

  Trigger(*w, "&Play", "&Pause");
  EXPECT_EQ(e.Game().Phase, game::GamePhase::Paused);
  EXPECT_NE(w->MenuEntry("&Play", "&Continue"), nullptr);
  EXPECT_EQ(w->Tools()->ButtonAt(app::ToolBar::Pause)->text(), QStringLiteral("Play"));
  QTest::mouseClick(w->Tools()->ButtonAt(app::ToolBar::Pause), Qt::LeftButton);
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  EXPECT_NE(w->MenuEntry("&Play", "&Pause"), nullptr);

  // Music off: the "Music" button is disabled; on again: enabled.
  Trigger(*w, "&Configuration", "Play music");
  EXPECT_FALSE(w->Tools()->ButtonAt(app::ToolBar::Music)->isEnabled());
  Trigger(*w, "&Configuration", "Play music");
  EXPECT_TRUE(w->Tools()->ButtonAt(app::ToolBar::Music)->isEnabled());
}

TEST_F(MainWindowTest, StoredListNumbersAreBroughtIntoTheListsOnceTheyExist) {
  // Beyond the end: the last layout (the ".shp" one) and the last piece.
  folder_.Write("Sorami.ini", "[Sorami]\r\nBoardNumber=999\r\nMidiNumber=999\r\nStartDirectly=0\r\n");
  {
    auto w = StartShown();
    const game::Engine& e = w->Engine();
    EXPECT_EQ(e.Game().BoardNumber, e.LayoutCount());
    EXPECT_TRUE(Checked(*w, "&Layout", "Lantern.shp"));
    EXPECT_TRUE(Checked(*w, "M&usic", "Temple"));
    w->close();
  }
  base::IniFile written(folder_.Path() + "Sorami.ini");
  EXPECT_EQ(written.ReadInteger("Sorami", "MidiNumber", 0), 4);
  // Below the start: the first of each.
  folder_.Write("Sorami.ini", "[Sorami]\r\nBoardNumber=0\r\nMidiNumber=-7\r\nStartDirectly=0\r\n");
  auto w = StartShown();
  EXPECT_EQ(w->Engine().Game().BoardNumber, 1);
  EXPECT_TRUE(Checked(*w, "&Layout", "Arena"));
  EXPECT_TRUE(Checked(*w, "M&usic", "Garden"));
}

TEST_F(MainWindowTest, AHighlightNumberOutsideTheMenuTicksNothingAndIsKept) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nHighlight=0x10\r\nStartDirectly=0\r\n");
  auto w = StartShown();
  for (const char* entry :
       {"None", "Red Rectangle", "Colored Tile", "Green Rectangle", "Blue Rectangle"}) {
    EXPECT_FALSE(Checked(*w, "&Highlight", entry)) << entry;
  }
  // Without a game the board waits and the status line shows the credit line.
  EXPECT_EQ(w->Engine().Game().Phase, game::GamePhase::Stopped);
  EXPECT_EQ(w->Engine().StatusMessage(), game::StartupCreditText);
  w->close();
  base::IniFile written(folder_.Path() + "Sorami.ini");
  EXPECT_EQ(written.ReadInteger("Sorami", "Highlight", 0), 16);
}

// A window on a display of its own; `display` stays readable by the test.
std::unique_ptr<app::MainWindow> StartOnDisplay(const ProgramFolder& folder,
                                             apptest::FakeDisplay*& display, app::Resolution size) {
  auto owned = std::make_unique<apptest::FakeDisplay>();
  owned->current = owned->stored = size;
  display = owned.get();
  auto window = MakeWindow(folder, nullptr, std::move(owned));
  window->show();
  QApplication::processEvents();
  return window;
}

TEST_F(MainWindowTest, ANarrowScreenAfterAWiderOneDropsToolbarAndPanelAtTheCorner) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nXPos=200\r\nYPos=100\r\nPreviousRes=1024\r\n");
  apptest::FakeDisplay* display = nullptr;
  auto w = StartOnDisplay(folder_, display, {640, 480});
  EXPECT_EQ(w->pos(), QPoint(0, 0));
  EXPECT_EQ(w->width(), 640);
  EXPECT_FALSE(w->Tools()->isVisible());
  EXPECT_FALSE(w->HallPanelBox()->isVisible());
  EXPECT_FALSE(Checked(*w, "View", "Show &Toolbar"));
  // The board is drawn for a narrow screen.
  EXPECT_EQ(w->Engine().OriginX(), -5);
  EXPECT_EQ(w->Engine().OriginY(), 0);
  w->close();
  base::IniFile file(folder_.Path() + "Sorami.ini");
  EXPECT_FALSE(file.ReadBool("Sorami", "ShowToolbar", true));
  EXPECT_FALSE(file.ReadBool("Sorami", "ShowHallOfFame", true));
  EXPECT_EQ(file.ReadInteger("Sorami", "PreviousRes", 0), 640);
}

TEST_F(MainWindowTest, AStoredPlaceOffEveryScreenIsCentredInstead) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nXPos=5000\r\nYPos=-3000\r\nPreviousRes=1024\r\n");
  apptest::FakeDisplay* display = nullptr;
  auto w = StartOnDisplay(folder_, display, {1024, 768});
  EXPECT_EQ(w->pos(), QPoint((1024 - 704) / 2, (768 - 468) / 2));
  w.reset();
  // The far ends of the numbers a file can hold are off every screen too.
  folder_.Write("Sorami.ini",
                "[Sorami]\r\nXPos=2147483647\r\nYPos=2147483647\r\nPreviousRes=1024\r\n");
  w = StartOnDisplay(folder_, display, {1024, 768});
  EXPECT_EQ(w->pos(), QPoint((1024 - 704) / 2, (768 - 468) / 2));
}

TEST_F(MainWindowTest, AFirstStartOnANarrowScreenUsesTheStoredCornerWithToolbarAndPanel) {
  // No settings file: "PreviousRes" is the screen's own width, so the
  // stored-position branch wins over the narrow-screen one.
  apptest::FakeDisplay* display = nullptr;
  auto w = StartOnDisplay(folder_, display, {640, 480});
  EXPECT_EQ(w->pos(), QPoint(0, 0));
  EXPECT_TRUE(w->Tools()->isVisible());
  EXPECT_TRUE(w->HallPanelBox()->isVisible());
  EXPECT_EQ(w->centralWidget()->width(), 704 + w->HallPanelBox()->width());
  // The panel switched off and on again gives the window back its width,
  // also on a 640-pixel screen: it never grows by a panel at each round.
  const int width = w->width();
  for (int round = 0; round < 2; ++round) {
    Trigger(*w, "View", "Show Hall of &Fame");
    EXPECT_EQ(w->width(), width - w->HallPanelBox()->width());
    Trigger(*w, "View", "Show Hall of &Fame");
    EXPECT_EQ(w->width(), width);
  }
}

TEST_F(MainWindowTest, AnotherScreenWidthCentresTheWindow) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nXPos=200\r\nYPos=100\r\nPreviousRes=1280\r\n");
  apptest::FakeDisplay* display = nullptr;
  auto w = StartOnDisplay(folder_, display, {1024, 768});
  EXPECT_EQ(w->pos(), QPoint((1024 - 704) / 2, (768 - 468) / 2));
}

TEST_F(MainWindowTest, TheSwitchTo800x600IsUndoneAtExitAndRemembered) {
  folder_.Write("Sorami.ini", "[Sorami]\r\nSetRes800=1\r\nPreviousRes=800\r\nXPos=5\r\nYPos=6\r\n");
  apptest::FakeDisplay* display = nullptr;
  auto w = StartOnDisplay(folder_, display, {1024, 768});
  ASSERT_EQ(display->applied.size(), 1u);
  EXPECT_EQ(display->applied[0], (app::Resolution{800, 600}));
  // Placed at its stored position, read after the switch.
  EXPECT_EQ(w->pos(), QPoint(5, 6));
  EXPECT_EQ(w->Engine().OriginX(), 36);
  w->close();
  EXPECT_EQ(display->restored, 1);
  base::IniFile file(folder_.Path() + "Sorami.ini");
  EXPECT_EQ(file.ReadInteger("Sorami", "PreviousRes", 0), 800);
}

TEST_F(MainWindowTest, ADamagedLayoutLeavesTheTickOnTheLayoutOnTheBoard) {
  std::string cut;
  for (int i = 0; i < 10; ++i) cut += "xxx0A0A00\r\n";
  folder_.Write("Layouts/Broken.shp", cut);
  auto w = StartShown();
  Trigger(*w, "&Layout", "Butterfly");
  ASSERT_TRUE(Checked(*w, "&Layout", "Butterfly"));
  {
    MessageBoxAnswer answer(QStringLiteral("OK"));
    Trigger(*w, "&Layout", "Broken.shp");
    EXPECT_TRUE(answer.Answered());
  }
  EXPECT_TRUE(Checked(*w, "&Layout", "Butterfly"));
  EXPECT_FALSE(Checked(*w, "&Layout", "Broken.shp"));
  EXPECT_EQ(w->Engine().Layouts().LayoutName(w->Engine().Game().BoardNumber), "Butterfly");
}

TEST_F(MainWindowTest, AnotherProgramTakingTheFocusPausesTheGameAndGivingItBackResumes) {
  auto w = StartShown();
  ASSERT_TRUE(w->Engine().Game().Running(game::GameKind::Solitaire));
  // What the platform reports when the player switches to another program
  // and back.
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_EQ(w->Engine().Game().Phase, game::GamePhase::Paused);
  emit qApp->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_TRUE(w->Engine().Game().Running(game::GameKind::Solitaire));
}

TEST_F(MainWindowTest, SoramisOwnDialogsAndWindowsDoNotPauseTheGame) {
  auto w = StartShown();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get())) GTEST_SKIP() << "no window activation here";
  game::Engine& e = w->Engine();
  ASSERT_TRUE(e.Game().Running(game::GameKind::Solitaire));

  // The vertical-variation question: the box takes the focus from the main
  // window, and the game goes on behind it.
  bool solitaireWhileAsked = false;
  bool boxActive = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    answer.stop();
    boxActive = QTest::qWaitForWindowActive(box);
    solitaireWhileAsked = e.Game().Running(game::GameKind::Solitaire);
    box->button(QMessageBox::Cancel)->click();
  });
  answer.start(5);
  Trigger(*w, "&Play", "Vertical Variation");
  EXPECT_TRUE(boxActive);
  EXPECT_TRUE(solitaireWhileAsked);
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));

  // Another window of the program.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
}

TEST_F(MainWindowTest, TheHelpWindowHoldsTheGamePausedOnlyWhileItIsOpen) {
  auto w = StartShown();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get())) GTEST_SKIP() << "no window activation here";
  game::Engine& e = w->Engine();
  game::GamePhase phaseWhileOpen = game::GamePhase::Idle;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!w->Help()->IsRunning()) return;
    closer.stop();
    QTest::qWait(100);  // long enough for the activation to move
    phaseWhileOpen = e.Game().Phase;
    w->Help()->close();
  });
  closer.start(5);
  Trigger(*w, "&Help", "&Contents");
  // The main window gets the focus back, as a window manager gives it.
  w->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
  EXPECT_EQ(phaseWhileOpen, game::GamePhase::Paused);
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
}

TEST_F(MainWindowTest, TheMenuBarHoldsEveryEntryWithItsShortcut) {
  auto w = StartShown();
  struct Expected {
    const char* menu;
    const char* entry;
    const char* shortcut;
  };
  const Expected table[] = {
      {"&File", "Mah-Jongg Solitaire : New Fully Random Game", "F2"},
      {"&File", "Mah-Jongg Solitaire : New 2-Player Game", "Shift+F2"},
      {"&File", "Mah-Jongg Rivers : New Game (Easy)", "F3"},
      {"&File", "Mah-Jongg Rivers : New Game (Hard)", "Shift+F3"},
      {"&File", "Mah-Jongg Memory : New Game (Easy)", "F4"},
      {"&File", "Mah-Jongg Memory : New Game (Hard)", "Shift+F4"},
      {"&File", "E&xit", "Ctrl+C"},
      {"&Play", "&Back", "Ctrl+Z"},
      {"&Play", "&Hint", "Ctrl+H"},
      {"&Play", "&Pause", "F12"},
      {"&Play", "Shu&ffle", "Ctrl+S"},
      {"&Play", "&Stop", "Ctrl+X"},
      {"&Play", "&Restart", "Ctrl+R"},
      {"View", "&Show Time Left", "Ctrl+L"},
      {"View", "Show &Moves Left", "Ctrl+M"},
      {"View", "Show Hall of &Fame", "Ctrl+F"},
      {"View", "Show Status Bar", "Ctrl+B"},
      {"View", "Show &Toolbar", "Ctrl+T"},
      {"&Help", "&Contents", "F1"},
      {"&Help", "&Hall of Fame", "F10"},
      {"&Help", "&About...", "F11"},
  };
  for (const Expected& x : table) {
    QAction* action = w->MenuEntry(QString::fromLatin1(x.menu), QString::fromLatin1(x.entry));
    ASSERT_NE(action, nullptr) << x.entry;
    EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(x.shortcut)) << x.entry;
  }
  QStringList titles;
  for (QAction* action : w->menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Play", "View", "&Highlight", "&Configuration",
                                 "&Background", "Tileset", "&Layout", "M&usic", "&Help"}));
}

}  // namespace
