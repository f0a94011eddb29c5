// The game window's fixed parts as the player meets them: every menu with its
// entries in order, separators, check marks and glyphs; the ten toolbar
// buttons; the status line's fields; the splash window and the captions.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <utility>

#include "app/band_menu.h"
#include "app/commands.h"
#include "app/help_window.h"
#include "app/message_box.h"
#include "app/splash_window.h"
#include "app/status_line.h"
#include "app/tool_bar.h"
#include "game/engine.h"
#include "window_test_support.h"

namespace {

using apptest::MakeWindow;
using apptest::ProgramFolder;

// A menu as a list of lines: "-" for a separator, "[x] " or "[ ] " before
// an entry that carries a check mark or can carry one.
QStringList Lines(const QMenu* menu) {
  QStringList lines;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      lines << QStringLiteral("-");
    } else if (action->isCheckable()) {
      lines << (action->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) +
                   action->text();
    } else {
      lines << action->text();
    }
  }
  return lines;
}

const QMenu* MenuNamed(app::MainWindow& w, const QString& title) {
  for (QAction* action : w.menuBar()->actions()) {
    if (action->text() == title) return action->menu();
  }
  return nullptr;
}

class WindowPartsTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::TestApp(); }
  ProgramFolder folder_;
};

TEST_F(WindowPartsTest, EveryMenuHoldsItsEntriesInOrderWithTheFirstStartsCheckMarks) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Sorami 5.28 "));

  struct Expected {
    const char* title;
    QStringList lines;
  };
  const Expected menus[] = {
      {"&File",
       {"Mah-Jongg Solitaire : New Fully Random Game",
        "Mah-Jongg Solitaire : New Random Specific Game", "Mah-Jongg Solitaire : New Specific Game",
        "-", "Mah-Jongg Solitaire : New 2-Player Game", "-", "Mah-Jongg Rivers : New Game (Easy)",
        "Mah-Jongg Rivers : New Game (Hard)", "-", "Mah-Jongg Memory : New Game (Easy)",
        "Mah-Jongg Memory : New Game (Hard)", "-", "Open Game...", "Save Game As...", "-", "E&xit"}},
      {"&Play",
       {"&Back", "Back to Last Winnable Position", "&Hint", "-", "&Pause", "Shu&ffle", "&Stop", "&Restart", "-", "&Player Name",
        "[ ] Random Seed", "[ ] Vertical Variation"}},
      {"View",
       {"[ ] &Invert selection", "-", "[x] Cool Menu", "[x] Cool Mouse", "[x] Cool Toolbar",
        "[x] Cool Buttons", "[x] Cool Status", "-", "[x] &Show Time Left", "[x] Show &Moves Left",
        "-", "[x] Show Hall of &Fame", "[x] Show Status Bar", "[x] Show &Toolbar", "-", "Zoom In",
        "Zoom Out", "Actual Size", "[x] Fit to Window"}},
      {"&Highlight",
       {"[ ] None", "-", "[ ] Red Rectangle", "[x] Green Rectangle", "[ ] Blue Rectangle", "-",
        "[ ] Colored Tile", "-", "[ ] Show Current Tile", "[ ] Only Possible Moves"}},
      {"&Configuration",
       {"[ ] Winnable Layouts (in at least one way)", "[x] Winnable Shuffles (in at least one way)",
        "[x] Tell when the game can no longer be won", "[ ] Hints keep the game winnable", "-", "[x] Enable time tracking for the Hall of fame", "[x] Enable 3D shadows on tilesets",
        "[x] Begin game directly at startup", "[x] Resume the last game at startup", "[ ] Switch to 800x600 at startup", "-",
        "[ ] Animate Board while building the tiles", "[x] Animate Tile Rivers in Mahjongg Rivers",
        "-", "[x] Run music automatically at startup", "[x] Play sound effects",
        "[x] Play music"}},
      {"&Background",
       {"[ ] Load from disk", "-", "[ ] None", "[ ] &Dragons", "[x] Andromeda",
        "[ ] &Kanji (classic)", "[ ] Catpats"}},
      {"Tileset",
       {"[ ] Load from disk", "-", "[ ] Orange borders", "[ ] Dark borders", "[x] Blue borders",
        "[ ] Few Colors"}},
      // The ".lay" layouts sorted by name, then the ".shp" ones.
      {"&Layout",
       {"Create Layout", "Edit Layout", "-", "[ ] Arena", "[ ] Brickwork", "[ ] Butterfly",
        "[ ] Cross", "[ ] Diamond", "[ ] Fortress", "[ ] Meadow", "[ ] Pyramid", "[ ] Staircase",
        "[ ] Tower", "[x] Traditional", "[ ] Twin Peaks", "[ ] Lantern.shp"}},
      {"M&usic",
       {"[ ] Random Music", "-", "[ ] Garden", "[ ] Lanterns", "[x] Night", "[ ] Temple"}},
      {"&Help",
       {"&Contents", "What's New", "French Help", "View Tiles", "-", "&Hall of Fame",
        "&About..."}},
  };
  QStringList titles;
  for (QAction* action : w->menuBar()->actions()) titles << action->text();
  QStringList expectedTitles;
  for (const Expected& menu : menus) expectedTitles << QString::fromLatin1(menu.title);
  EXPECT_EQ(titles, expectedTitles);
  for (const Expected& menu : menus) {
    const QMenu* found = MenuNamed(*w, QString::fromLatin1(menu.title));
    ASSERT_NE(found, nullptr) << menu.title;
    EXPECT_EQ(Lines(found), menu.lines) << menu.title;
  }

  // The entries with a toolbar twin show its glyph, and no other entry has one.
  QStringList withGlyph;
  for (QAction* title : w->menuBar()->actions()) {
    for (const QAction* action : title->menu()->actions()) {
      if (!action->icon().isNull()) withGlyph << action->text();
    }
  }
  EXPECT_EQ(withGlyph,
            (QStringList{"Mah-Jongg Solitaire : New Fully Random Game",
                         "Mah-Jongg Solitaire : New Random Specific Game",
                         "Mah-Jongg Solitaire : New Specific Game",
                         "Mah-Jongg Solitaire : New 2-Player Game",
                         "Mah-Jongg Rivers : New Game (Easy)", "Mah-Jongg Rivers : New Game (Hard)",
                         "Mah-Jongg Memory : New Game (Easy)", "Mah-Jongg Memory : New Game (Hard)",
                         "E&xit", "&Back", "&Hint", "&Pause", "Shu&ffle", "&Hall of Fame",
                         "&About..."}));

  // "Cool Menu" puts the title band on the drop-down menus; the new-game
  // pop-up keeps its band either way.
  auto* view = qobject_cast<const app::BandMenu*>(MenuNamed(*w, QStringLiteral("View")));
  auto* popup = qobject_cast<app::BandMenu*>(w->NewGameMenu());
  ASSERT_TRUE(view != nullptr && popup != nullptr);
  EXPECT_EQ(popup->title(), QStringLiteral("Sorami"));
  EXPECT_TRUE(view->BandShown());
  w->MenuEntry(QStringLiteral("View"), QStringLiteral("Cool Menu"))->trigger();
  EXPECT_FALSE(view->BandShown());
  EXPECT_TRUE(popup->BandShown());

  // "Cool Mouse" gives the whole program its own pointer shape, and takes it back.
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  w->MenuEntry(QStringLiteral("View"), QStringLiteral("Cool Mouse"))->trigger();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  w->MenuEntry(QStringLiteral("View"), QStringLiteral("Cool Mouse"))->trigger();
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowPartsTest, TheToolbarHoldsTenButtonsWithTheirCaptionsHintsAndInks) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  app::ToolBar* tools = w->Tools();
  EXPECT_EQ(tools->height(), app::ToolBar::kHeight);
  struct Expected {
    const char* caption;
    const char* hint;
  };
  const Expected buttons[app::ToolBar::kCount] = {
      {"New", "New game"},
      {"Back", "Undo move"},
      {"Hint", "Show possible moves"},
      {"Shuffle", "Shuffle tiles"},
      {"Pause", "Pause game"},
      {"Music", "Pause music"},
      {"Help", "Help :)"},
      {"About", "Who made Sorami"},
      {"Hall of Fame", "Best of the best :)"},
      {"Exit", "Don't leave me !! :("},
  };
  int left = -1;
  for (int i = 0; i < app::ToolBar::kCount; ++i) {
    const QToolButton* button = tools->ButtonAt(static_cast<app::ToolBar::Button>(i));
    EXPECT_EQ(button->text(), QString::fromLatin1(buttons[i].caption));
    EXPECT_EQ(button->toolTip(), QString::fromLatin1(buttons[i].hint));
    // Navy for the game's five, maroon for the rest; bold Arial for all.
    const QColor ink = i < 5 ? QColor(0, 0, 128) : QColor(128, 0, 0);
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), ink) << buttons[i].caption;
    EXPECT_EQ(button->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(button->font().bold());
    EXPECT_GT(button->x(), left) << buttons[i].caption;
    left = button->x();
  }
  // "Cool Toolbar" and "Cool Buttons" are on by default and switch off.
  EXPECT_TRUE(tools->Tiled());
  EXPECT_TRUE(tools->Flat());
  w->MenuEntry(QStringLiteral("View"), QStringLiteral("Cool Toolbar"))->trigger();
  w->MenuEntry(QStringLiteral("View"), QStringLiteral("Cool Buttons"))->trigger();
  EXPECT_FALSE(tools->Tiled());
  EXPECT_FALSE(tools->Flat());
  EXPECT_FALSE(tools->ButtonAt(app::ToolBar::New)->autoRaise());
}

TEST_F(WindowPartsTest, EveryNewGameEntryStartsItsKindOfGame) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  QApplication::processEvents();
  game::Engine& e = w->Engine();
  const int layout = e.Game().BoardNumber;
  e.MutableGame().GameSeed = 1234;
  struct Expected {
    const char* entry;
    game::GameKind kind;
    int board;  // the table the game plays on
    bool seeded;
  };
  const Expected file[] = {
      {"Mah-Jongg Solitaire : New Fully Random Game", game::GameKind::Solitaire, layout, false},
      {"Mah-Jongg Solitaire : New Specific Game", game::GameKind::Solitaire, layout, true},
      {"Mah-Jongg Solitaire : New 2-Player Game", game::GameKind::TwoPlayer, layout, true},
      {"Mah-Jongg Rivers : New Game (Easy)", game::GameKind::Rivers, game::kRiversEasyTable, true},
      {"Mah-Jongg Rivers : New Game (Hard)", game::GameKind::Rivers, game::kRiversHardTable, true},
      {"Mah-Jongg Memory : New Game (Easy)", game::GameKind::Memory, game::kMemoryEasyTable, true},
      {"Mah-Jongg Memory : New Game (Hard)", game::GameKind::Memory, game::kMemoryHardTable, true},
      {"Mah-Jongg Solitaire : New Random Specific Game", game::GameKind::Solitaire, layout, true},
  };
  for (const Expected& x : file) {
    w->MenuEntry(QStringLiteral("&File"), QString::fromLatin1(x.entry))->trigger();
    EXPECT_TRUE(e.Game().Running(x.kind)) << x.entry;
    EXPECT_EQ(e.Game().BoardNumber, x.board) << x.entry;
    EXPECT_EQ(e.Opt().NumberedGames, x.seeded) << x.entry;
  }
  // The specific game plays the chosen number; the random specific one draws one.
  EXPECT_NE(e.Game().GameSeed, 1234);

  const Expected popup[] = {
      {"MJ Rivers (Hard)", game::GameKind::Rivers, game::kRiversHardTable, true},
      {"Solitaire (1-player)", game::GameKind::Solitaire, layout, false},
      {"MJ Memory (Easy)", game::GameKind::Memory, game::kMemoryEasyTable, false},
      {"Solitaire (2-player)", game::GameKind::TwoPlayer, layout, false},
      {"MJ Rivers (Easy)", game::GameKind::Rivers, game::kRiversEasyTable, false},
  };
  for (const Expected& x : popup) {
    for (QAction* action : w->NewGameMenu()->actions()) {
      if (action->text() == QString::fromLatin1(x.entry)) action->trigger();
    }
    EXPECT_TRUE(e.Game().Running(x.kind)) << x.entry;
    EXPECT_EQ(e.Game().BoardNumber, x.board) << x.entry;
    EXPECT_EQ(e.Opt().NumberedGames, x.seeded) << x.entry;
  }
}

// Runs `open`, and reports the page the help window showed (empty when it
// did not open); the window is closed again at once.
QString PageOpenedBy(app::MainWindow& w, const std::function<void()>& open) {
  QString page;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!w.Help()->IsRunning()) return;
    closer.stop();
    const auto* tabs = w.Help()->findChild<QTabWidget*>();
    if (tabs != nullptr) page = tabs->tabText(tabs->currentIndex());
    w.Help()->close();
  });
  closer.start(5);
  open();
  return page;
}

TEST_F(WindowPartsTest, EveryHelpCommandOpensItsOwnPage) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  QApplication::processEvents();
  struct Expected {
    const char* menu;
    const char* entry;
    const char* page;
  };
  const Expected entries[] = {
      {"&Help", "&Contents", "Help"},
      {"&Help", "What's New", "What's New"},
      {"&Help", "French Help", "French"},
      {"&Help", "View Tiles", "Tiles"},
      {"&Help", "&Hall of Fame", "Hall of Fame"},
      {"&Help", "&About...", "About"},
      {"&Play", "&Player Name", "Options"},
      {"&Play", "Random Seed", "Options"},
  };
  for (const Expected& x : entries) {
    QAction* action = w->MenuEntry(QString::fromLatin1(x.menu), QString::fromLatin1(x.entry));
    ASSERT_NE(action, nullptr) << x.entry;
    EXPECT_EQ(PageOpenedBy(*w, [action] { action->trigger(); }), QString::fromLatin1(x.page))
        << x.entry;
  }
  const std::pair<app::ToolBar::Button, const char*> buttons[] = {
      {app::ToolBar::Help, "Help"},
      {app::ToolBar::About, "About"},
      {app::ToolBar::HallOfFame, "Hall of Fame"},
  };
  for (const auto& [button, page] : buttons) {
    QToolButton* tool = w->Tools()->ButtonAt(button);
    EXPECT_EQ(PageOpenedBy(*w, [tool] { tool->click(); }), QString::fromLatin1(page)) << page;
  }
}

TEST(StatusLineTest, FieldsStandInOrderWithTheirFirstTexts) {
  apptest::TestApp();
  app::StatusLine line;
  line.resize(704, app::StatusLine::kHeight);
  line.show();
  EXPECT_EQ(line.height(), app::StatusLine::kHeight);
  EXPECT_EQ(line.TilesText(), QStringLiteral("--"));
  EXPECT_EQ(line.MovesText(), QStringLiteral("--"));
  EXPECT_EQ(line.TimeText(), QStringLiteral("--:--"));
  EXPECT_EQ(line.StatusText(), QStringLiteral(" "));
  // Captions and value boxes from left to right.
  QList<QLabel*> labels = line.findChildren<QLabel*>();
  std::sort(labels.begin(), labels.end(),
            [](const QLabel* a, const QLabel* b) { return a->x() < b->x(); });
  QStringList texts;
  for (const QLabel* label : labels) texts << label->text();
  EXPECT_EQ(texts, (QStringList{"Tiles", "--", "Moves left", "--", "Time", "--:--", "Status", " "}));
  // The status text fills the rest of the line.
  EXPECT_GT(labels.back()->width(), 704 / 3);
}

TEST(SplashWindowTest, CaptionedAndCentredByItsOuterBounds) {
  apptest::TestApp();
  QImage picture(253, 128, QImage::Format_RGB32);
  picture.fill(Qt::darkRed);
  app::SplashWindow splash(picture, QSize(1024, 768));
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Welcome to Sorami..."));
  EXPECT_FALSE(splash.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(splash.windowFlags() & Qt::WindowMinimizeButtonHint);
  // The picture at its own size; outer bounds of picture + (5, 25).
  EXPECT_EQ(splash.size(), QSize(253, 128));
  EXPECT_EQ(splash.pos(), QPoint((1024 - 258) / 2, (768 - 153) / 2));
  // On a screen smaller than the window the halves truncate toward zero.
  app::SplashWindow tight(picture, QSize(255, 150));
  EXPECT_EQ(tight.pos(), QPoint(-1, -1));
}

}  // namespace

TEST(MessageTextTest, LongRunsGetPlacesToBreakAndLoseNothing) {
  const QChar zeroWidthSpace(0x200B);
  const QString shortText = QStringLiteral("Cannot open file /tmp/a.lay: no such file.");
  EXPECT_EQ(app::WithLineBreaks(shortText), shortText);

  const QString path = QStringLiteral("/home/player/") + QString(120, u'x') +
                       QStringLiteral("/\u00e9t\u00e9 \U0001F004 ") + QString(90, u'y') + QStringLiteral(".lay");
  const QString text = QStringLiteral("Cannot write file \"") + path + QStringLiteral("\": too long.");
  const QString shown = app::WithLineBreaks(text);
  EXPECT_EQ(QString(shown).remove(zeroWidthSpace), text);
  // No stretch without a blank or a place to break is longer than the limit,
  // and no pair of surrogates is split.
  int run = 0;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i].isSpace() || shown[i] == zeroWidthSpace) {
      EXPECT_FALSE(i > 0 && shown[i - 1].isHighSurrogate());
      run = 0;
    } else {
      EXPECT_LE(++run, app::kLongestUnbrokenRun + 1) << i;
    }
  }
  EXPECT_TRUE(shown.contains(QStringLiteral("home/") + zeroWidthSpace + QStringLiteral("player/")));
}

namespace {

// Every menu's entries and the new-game pop-up's, by the menu's title.
std::vector<std::pair<QString, const QAction*>> AllEntries(app::MainWindow& w) {
  std::vector<std::pair<QString, const QAction*>> entries;
  for (QAction* title : w.menuBar()->actions()) {
    for (const QAction* action : title->menu()->actions()) entries.emplace_back(title->text(), action);
  }
  for (const QAction* action : w.NewGameMenu()->actions()) entries.emplace_back("Sorami", action);
  return entries;
}

}  // namespace

TEST_F(WindowPartsTest, EveryCommandIsGivenFromOnePlaceAndNoTwoShareAKey) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  const std::vector<app::Command> commands =
      app::MakeCommands({*w, w->Engine(), w->Music(), w->Looks()});

  // Each command once in the table; each in at most one menu place, and
  // reached from a menu or a button.
  std::map<app::CommandId, int> inTable;
  std::map<app::CommandId, int> inMenus;
  for (const app::Command& command : commands) ++inTable[command.Id];
  for (const app::Menu& menu : app::Menus()) {
    for (const app::MenuItem& entry : menu.Entries) {
      if (entry.Command) ++inMenus[*entry.Command];
    }
  }
  const int last = static_cast<int>(app::CommandId::PauseOrResumeMusic);
  EXPECT_EQ(static_cast<int>(commands.size()), last + 1);
  std::array<int, app::ToolBar::kCount> buttonUses{};
  for (const app::Command& command : commands) {
    const int id = static_cast<int>(command.Id);
    EXPECT_EQ(inTable[command.Id], 1) << "command " << id;
    EXPECT_LE(inMenus[command.Id], 1) << "command " << id;
    EXPECT_TRUE(inMenus[command.Id] == 1 || command.Button) << "command " << id << " unreachable";
    if (command.Button) ++buttonUses[*command.Button];
    // A menu's entry shows its command's caption; a toolbar-only command has none.
    const QAction* entry = w->CommandEntry(command.Id);
    EXPECT_EQ(entry != nullptr, inMenus[command.Id] == 1) << "command " << id;
    if (entry != nullptr) {
      EXPECT_EQ(entry->text(), QString::fromLatin1(command.Caption)) << "command " << id;
      EXPECT_EQ(entry->isCheckable(), static_cast<bool>(command.Checked)) << "command " << id;
    }
  }
  for (int button = 0; button < app::ToolBar::kCount; ++button) {
    EXPECT_EQ(buttonUses[button], 1) << "toolbar button " << button;
  }

  // No key gives two entries, and the menus' entries are the table's and
  // the layout and music lists' only.
  std::set<QString> keys;
  int fromTable = 0;
  for (const auto& [menu, action] : AllEntries(*w)) {
    if (action->isSeparator()) continue;
    for (const app::Command& command : commands) {
      if (w->CommandEntry(command.Id) == action) ++fromTable;
    }
    for (const QKeySequence& key : action->shortcuts()) {
      EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString() << " twice";
    }
  }
  int placed = 0;
  for (const auto& [id, count] : inMenus) placed += count;
  EXPECT_EQ(fromTable, placed);
}

TEST_F(WindowPartsTest, TheToolbarsButtonsGiveTheirMenuTwinsCommands) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  QApplication::processEvents();
  game::Engine& e = w->Engine();
  app::ToolBar* tools = w->Tools();
  // "New" starts a game as the start-up does; "Pause" pauses it and its
  // menu twin's caption follows; "Back" takes back nothing on a fresh board.
  tools->ButtonAt(app::ToolBar::New)->click();
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  tools->ButtonAt(app::ToolBar::Pause)->click();
  EXPECT_EQ(e.Game().Phase, game::GamePhase::Paused);
  EXPECT_EQ(w->CommandEntry(app::CommandId::Pause)->text(), QStringLiteral("&Continue"));
  EXPECT_EQ(tools->ButtonAt(app::ToolBar::Pause)->text(), QStringLiteral("Play"));
  w->CommandEntry(app::CommandId::Pause)->trigger();
  EXPECT_TRUE(e.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(w->CommandEntry(app::CommandId::Pause)->text(), QStringLiteral("&Pause"));
  // "Exit" closes the window as the File menu's entry does.
  tools->ButtonAt(app::ToolBar::Exit)->click();
  EXPECT_FALSE(w->isVisible());
}

TEST_F(WindowPartsTest, EveryShortcutOfACheckedEntryFlipsItsOwnMarkAndNoOther) {
  auto w = MakeWindow(folder_);
  ASSERT_TRUE(w->Started());
  w->show();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get())) GTEST_SKIP() << "no window activation here";
  const std::vector<app::Command> commands =
      app::MakeCommands({*w, w->Engine(), w->Music(), w->Looks()});
  auto marks = [&] {
    QStringList ticked;
    for (const app::Command& command : commands) {
      if (command.Checked && command.Checked()) ticked << QString::fromLatin1(command.Caption);
    }
    return ticked;
  };
  int pressed = 0;
  for (const app::Command& command : commands) {
    if (!command.Checked || command.Shortcut.isEmpty()) continue;
    const QKeyCombination key = command.Shortcut[0];
    const QStringList before = marks();
    const bool was = command.Checked();
    QTest::keyClick(w.get(), key.key(), key.keyboardModifiers());
    EXPECT_NE(command.Checked(), was) << command.Caption;
    EXPECT_EQ(w->CommandEntry(command.Id)->isChecked(), command.Checked()) << command.Caption;
    QTest::keyClick(w.get(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(marks(), before) << command.Caption;
    ++pressed;
  }
  // "Show Time Left", "Show Moves Left", "Show Hall of Fame", "Show Status
  // Bar" and "Show Toolbar".
  EXPECT_EQ(pressed, 5);
}
