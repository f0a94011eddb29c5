// The layout editor in the game window on the offscreen platform: the menu
// bar and the panel swapped in and out, a layout clicked together with the
// mouse, tried, saved through the file dialog into the "&Layout" menu, and the
// refusals a player meets on the way.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/editor_panel.h"
#include "app/editor_shell.h"
#include "app/picture_box.h"
#include "app/tool_bar.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "game/engine.h"
#include "window_test_support.h"

namespace {

namespace fs = std::filesystem;
using apptest::MakeWindow;
using apptest::MessageBoxAnswer;
using apptest::ProgramFolder;

// Answers the next file dialog with `path` and keeps what it showed.
class SaveDialogAnswer {
 public:
  explicit SaveDialogAnswer(QString path) : path_(std::move(path)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      timer_.stop();
      title_ = dialog->windowTitle();
      directory_ = dialog->directory().absolutePath();
      filters_ = dialog->nameFilters();
      dialog->selectFile(path_);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the Save button does
    });
    timer_.start();
  }
  const QString& Title() const { return title_; }
  const QString& Directory() const { return directory_; }
  const QStringList& Filters() const { return filters_; }

 private:
  QString path_;
  QString title_, directory_;
  QStringList filters_;
  QTimer timer_;
};

QStringList MenuTitles(app::MainWindow& w) {
  QStringList titles;
  for (QAction* action : w.menuBar()->actions()) titles << action->text();
  return titles;
}

class LayoutEditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::TestApp();
    w_ = MakeWindow(folder_);
    ASSERT_TRUE(w_->Started()) << w_->StartupError().toStdString();
    w_->show();
    QApplication::processEvents();
    shell_ = w_->Editor();
    ASSERT_NE(shell_, nullptr);
  }

  game::Engine& E() { return w_->Engine(); }
  app::EditorPanel& Panel() { return shell_->Panel(); }

  void TriggerMain(const char* menu, const char* entry) {
    QAction* action = w_->MenuEntry(QString::fromLatin1(menu), QString::fromLatin1(entry));
    ASSERT_NE(action, nullptr) << entry;
    action->trigger();
  }
  void TriggerEditor(const QString& entry) {
    QAction* action = shell_->Entry(entry);
    ASSERT_NE(action, nullptr) << entry.toStdString();
    action->trigger();
  }

  // A click on the board image where the editor offers the cell `c`.
  void ClickCell(board::Cell c, Qt::MouseButton button = Qt::LeftButton) {
    const int left = 20 * c.x + 6 * c.z - 52;
    const int top = 25 * c.y - 6 * c.z - 59;
    QTest::mouseClick(w_->Game(), button, Qt::NoModifier,
                      QPoint(left + 15 + E().OriginX(), top + 17 + E().OriginY()));
  }

  // 144 places on layer 1 in rows two cells apart, clicked right to left.
  // 144 tiles on layer 1, rows 2 to 18: all of them on the visible board.
  void ClickFlatLayout() {
    int placed = 0;
    for (int y = 2; y <= 18 && placed < 144; y += 2)
      for (int x = 33; x >= 1 && placed < 144; x -= 2, ++placed) ClickCell({x, y, 1});
  }

  int LayoutFileCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_.Path() + "Layouts")) ++n;
    return n;
  }

  ProgramFolder folder_;
  std::unique_ptr<app::MainWindow> w_;
  app::EditorShell* shell_ = nullptr;
};

TEST_F(LayoutEditorWindowTest, TheEditorTakesThePlaceOfTheMenuBarAndTheToolbarAndGivesThemBack) {
  const QStringList gameMenus = MenuTitles(*w_);
  const QSize size = w_->size();
  ASSERT_TRUE(w_->Tools()->isVisible());
  TriggerMain("&Layout", "Create Layout");

  EXPECT_TRUE(E().Game().Running(game::GameKind::Editor));
  EXPECT_EQ(MenuTitles(*w_), (QStringList{"Exit", "Move Board"}));
  QStringList exitEntries;
  for (QAction* action : shell_->ExitMenu()->actions()) exitEntries << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(exitEntries, (QStringList{"Save", "Save as...", "Try it", "-", "Exit"}));
  const std::pair<const char*, const char*> moves[] = {{"Move to left <", "Ctrl+S"},
                                                       {"Move to right >", "Ctrl+D"},
                                                       {"Move to top /\\", "Ctrl+E"},
                                                       {"Move to bottom \\/", "Ctrl+X"}};
  for (const auto& [caption, key] : moves) {
    QAction* action = shell_->Entry(QString::fromLatin1(caption));
    ASSERT_NE(action, nullptr) << caption;
    EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(key));
  }
  EXPECT_FALSE(w_->Tools()->isVisible());
  EXPECT_TRUE(Panel().isVisible());
  EXPECT_EQ(Panel().TilesLeft(), "144");
  EXPECT_EQ(Panel().LayoutName(), "New Layout");
  EXPECT_EQ(w_->size(), size);  // the panel stands where the toolbar stood

  TriggerEditor(QStringLiteral("Exit"));
  EXPECT_TRUE(E().Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(MenuTitles(*w_), gameMenus);
  EXPECT_TRUE(w_->Tools()->isVisible());
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_EQ(w_->size(), size);
  EXPECT_EQ(E().Game().LayoutName, "Traditional");
}

TEST_F(LayoutEditorWindowTest, WithoutTheToolbarThePanelStillShowsAndTheBoardKeepsItsSize) {
  w_->ToggleToolbar();
  ASSERT_FALSE(w_->Tools()->isVisible());
  TriggerMain("&Layout", "Edit Layout");
  EXPECT_TRUE(Panel().isVisible());
  EXPECT_EQ(Panel().TilesLeft(), "0");
  EXPECT_EQ(Panel().LayoutName(), "Traditional");
  EXPECT_EQ(w_->Game()->height(), app::MainWindow::kBoardHeight);
  TriggerEditor(QStringLiteral("Exit"));
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_FALSE(w_->Tools()->isVisible());
}

TEST_F(LayoutEditorWindowTest, ALayoutClickedTogetherIsTriedWithoutWritingAFile) {
  const int files = LayoutFileCount();
  TriggerMain("&Layout", "Create Layout");
  ClickFlatLayout();
  EXPECT_EQ(Panel().TilesLeft(), "0");
  EXPECT_EQ(E().Game().Layout.Count(), 144);
  // The board shows the places face down.
  const QImage board = w_->Game()->Picture();
  EXPECT_FALSE(board.isNull());

  TriggerEditor(QStringLiteral("Try it"));
  EXPECT_TRUE(E().Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(E().Game().Board.TilesLeft, 144);
  EXPECT_EQ(LayoutFileCount(), files);
  EXPECT_TRUE(w_->Tools()->isVisible());
  EXPECT_FALSE(Panel().isVisible());
  EXPECT_NE(w_->Game()->Picture(), board);  // now face up
}

TEST_F(LayoutEditorWindowTest, RightClicksRemoveOnlyUncoveredPlaces) {
  TriggerMain("&Layout", "Create Layout");
  ClickCell({10, 6, 1});
  ClickCell({11, 7, 2});
  EXPECT_EQ(Panel().TilesLeft(), "142");
  // The lower tile's exposed left edge: it lies under the other one.
  const int left = 20 * 10 + 6 - 52 + E().OriginX();
  const int top = 25 * 6 - 6 - 59 + E().OriginY();
  QTest::mouseClick(w_->Game(), Qt::RightButton, Qt::NoModifier, QPoint(left + 2, top + 10));
  EXPECT_EQ(Panel().TilesLeft(), "142");
  ClickCell({11, 7, 2}, Qt::RightButton);
  EXPECT_EQ(Panel().TilesLeft(), "143");
  EXPECT_EQ(E().Game().Board.Board.At(11, 7, 2), 0);
}

TEST_F(LayoutEditorWindowTest, MoveToLeftIsRefusedWithAPlaceInColumnOne) {
  TriggerMain("&Layout", "Create Layout");
  ClickCell({1, 5, 1});
  ClickCell({6, 5, 1});
  TriggerEditor(QStringLiteral("Move to left <"));
  EXPECT_EQ(E().Game().Board.Board.At(1, 5, 1), 1);
  EXPECT_EQ(E().Game().Board.Board.At(6, 5, 1), 2);
  TriggerEditor(QStringLiteral("Move to right >"));
  TriggerEditor(QStringLiteral("Move to left <"));
  TriggerEditor(QStringLiteral("Move to left <"));
  EXPECT_EQ(E().Game().Board.Board.At(1, 5, 1), 1);
  EXPECT_EQ(E().Game().Board.Board.At(6, 5, 1), 2);
}

TEST_F(LayoutEditorWindowTest, TheEditorsShortcutsReplaceTheGamesWhileItIsOpen) {
  w_->activateWindow();
  if (!QTest::qWaitForWindowActive(w_.get())) GTEST_SKIP() << "no window activation here";
  TriggerMain("&Layout", "Create Layout");
  ClickCell({5, 5, 1});
  const int shuffles = E().Game().Clock.Penalty;
  // Ctrl+S moves the board instead of shuffling.
  QTest::keyClick(w_.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(E().Game().Board.Board.At(4, 5, 1), 1);
  QTest::keyClick(w_.get(), Qt::Key_X, Qt::ControlModifier);  // down, not "Stop"
  EXPECT_EQ(E().Game().Board.Board.At(4, 6, 1), 1);
  EXPECT_TRUE(E().Game().Running(game::GameKind::Editor));
  EXPECT_EQ(E().Game().Clock.Penalty, shuffles);
  TriggerEditor(QStringLiteral("Exit"));
  // And back in the game Ctrl+X stops it again.
  QTest::keyClick(w_.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(E().Game().Phase, game::GamePhase::Stopped);
}

TEST_F(LayoutEditorWindowTest, TheNameFieldLeavesTheBoardsKeysToTheBoard) {
  w_->activateWindow();
  if (!QTest::qWaitForWindowActive(w_.get())) GTEST_SKIP() << "no window activation here";
  TriggerMain("&Layout", "Create Layout");
  ClickCell({5, 5, 1});
  QLineEdit* field = Panel().NameField();
  field->setFocus();
  QTest::keyClicks(field, QStringLiteral(" 2"));
  ASSERT_EQ(field->text(), QStringLiteral("New Layout 2"));
  // Inside the editor Ctrl+E and Ctrl+X move the board, and leave the name
  // as it was.
  QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(E().Game().Board.Board.At(5, 4, 1), 1);
  QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(E().Game().Board.Board.At(5, 5, 1), 1);
  EXPECT_EQ(field->text(), QStringLiteral("New Layout 2"));
  // Keys the window has no use for still edit the name.
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, QStringLiteral("Mine"));
  EXPECT_EQ(field->text(), QStringLiteral("Mine"));

  // Back in the game, the game's shortcuts work, whatever had the focus.
  TriggerEditor(QStringLiteral("Exit"));
  ASSERT_TRUE(E().Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(QApplication::focusWidget(), w_->Game()) << "the board has the keys that play again";
  QTest::keyClick(w_.get(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(E().Game().Phase, game::GamePhase::Stopped);
  QTest::keyClick(w_.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_FALSE(w_->isVisible());  // "Exit" closed the window
}

TEST_F(LayoutEditorWindowTest, SavingAnUnfinishedLayoutSaysSoAndStaysInTheEditor) {
  TriggerMain("&Layout", "Create Layout");
  ClickCell({10, 6, 1});
  MessageBoxAnswer answer(QStringLiteral("OK"));
  TriggerEditor(QStringLiteral("Save"));
  EXPECT_TRUE(answer.Answered());
  EXPECT_EQ(answer.Text(), "You haven't finished building the layout yet !");
  EXPECT_TRUE(E().Game().Running(game::GameKind::Editor));
  EXPECT_EQ(MenuTitles(*w_), (QStringList{"Exit", "Move Board"}));
  EXPECT_TRUE(Panel().NameField()->isEnabled());
}

TEST_F(LayoutEditorWindowTest, SaveAfterCreateLayoutOverwritesTheFileThatWasCurrent) {
  const std::string current = E().Game().LayoutFile;
  const int count = E().LayoutCount();
  TriggerMain("&Layout", "Create Layout");
  ClickFlatLayout();
  Panel().NameField()->setText(QStringLiteral("Rows"));
  TriggerEditor(QStringLiteral("Save"));
  board::LayoutGrid read;
  EXPECT_EQ(board::LoadLayout(current, read), "Rows");
  EXPECT_EQ(read, E().Game().Layout);
  EXPECT_EQ(E().LayoutCount(), count);
  EXPECT_TRUE(E().Game().Running(game::GameKind::Solitaire));
}

TEST_F(LayoutEditorWindowTest, ASavedLayoutIsListedLastWithTheCheckMarkAndDealsWinnable) {
  TriggerMain("&Layout", "Create Layout");
  ClickFlatLayout();
  Panel().NameField()->setText(QStringLiteral("My Rows"));
  const QString file = folder_.QPath() + QStringLiteral("Layouts/My Rows");
  SaveDialogAnswer dialog(file);
  TriggerEditor(QStringLiteral("Save as..."));

  EXPECT_EQ(dialog.Title(), "Please choose a name for your layout file");
  EXPECT_EQ(dialog.Directory(), QDir(folder_.QPath() + QStringLiteral("Layouts")).absolutePath());
  EXPECT_EQ(dialog.Filters(), (QStringList{"LAY Layout files (*.lay)"}));
  const std::string saved = file.toStdString() + ".lay";
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_TRUE(E().Game().Running(game::GameKind::Solitaire));

  QAction* last = nullptr;
  int checked = 0;
  for (QAction* action : w_->menuBar()->actions()) {
    if (action->text() != QStringLiteral("&Layout")) continue;
    for (QAction* entry : action->menu()->actions()) {
      if (entry->isChecked()) ++checked;
      last = entry;
    }
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->text(), "My Rows");
  EXPECT_TRUE(last->isChecked());
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(E().Game().BoardNumber, E().LayoutCount());

  // sorami-tool check deals it winnable and clears every deal.
  const std::string tool = std::string(SORAMI_TOOLS_DIR) + "/sorami-tool";
  if (!fs::exists(tool)) GTEST_SKIP() << "sorami-tool not built";
  const std::string command = "\"" + tool + "\" check \"" + saved + "\" --deals 20";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  EXPECT_EQ(pclose(pipe), 0) << output;
  EXPECT_NE(output.find("winnable deals finished: 20 of 20"), std::string::npos) << output;
  EXPECT_NE(output.find("  ok"), std::string::npos) << output;
}

TEST_F(LayoutEditorWindowTest, AFileThatCannotBeWrittenIsReportedAndTheEditorStaysOpen) {
  TriggerMain("&Layout", "Create Layout");
  ClickFlatLayout();
  const fs::path before = E().Game().LayoutFile;
  E().MutableGame().LayoutFile = folder_.Path() + "missing folder/Rows.lay";
  MessageBoxAnswer answer(QStringLiteral("OK"));
  TriggerEditor(QStringLiteral("Save"));
  EXPECT_TRUE(answer.Answered());
  EXPECT_TRUE(answer.Text().contains(QStringLiteral("Rows.lay"))) << answer.Text().toStdString();
  EXPECT_TRUE(E().Game().Running(game::GameKind::Editor));
  EXPECT_EQ(MenuTitles(*w_), (QStringList{"Exit", "Move Board"}));
  EXPECT_EQ(E().Game().Layout.Count(), 144);
  EXPECT_EQ(Panel().TilesLeft(), "0");
  E().MutableGame().LayoutFile = before;
}

TEST_F(LayoutEditorWindowTest, AMessageAboutAVeryLongFileNameStaysOnTheScreenAndSaysWhy) {
  TriggerMain("&Layout", "Create Layout");
  ClickFlatLayout();
  const std::string file =
      folder_.Path() + "missing folder/" + std::string(200, 'L') + " of a very long name.lay";
  E().MutableGame().LayoutFile = file;
  // What the file layer says of that file, which the box must show whole.
  std::string reason;
  try {
    board::LayoutList list;
    board::SaveLayoutFile(list, file, "Rows", E().Game().Layout);
  } catch (const board::LayoutFileError& error) {
    reason = error.what();
  }
  ASSERT_FALSE(reason.empty());

  QRect box, screen;
  QString text;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (shown == nullptr || !QTest::qWaitForWindowExposed(shown)) return;
    answer.stop();
    box = shown->frameGeometry();
    screen = shown->screen()->availableGeometry();
    text = shown->text().remove(QChar(0x200B));
    shown->button(QMessageBox::Ok)->click();
  });
  answer.start(5);
  TriggerEditor(QStringLiteral("Save"));
  ASSERT_FALSE(text.isEmpty());
  EXPECT_TRUE(screen.contains(box)) << box.width() << " x " << box.height() << " on "
                                    << screen.width() << " x " << screen.height();
  EXPECT_TRUE(text.contains(QString::fromStdString(reason))) << text.toStdString();
  EXPECT_TRUE(E().Game().Running(game::GameKind::Editor));
}

}  // namespace
