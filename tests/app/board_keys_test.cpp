// The board by keys in the game window: which keys the board takes, the keys
// reaching the engine through the focused board, the cursor on the picture,
// and what a screen reader is told.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QKeyEvent>
#include <QTest>

#include <vector>

#include "app/board_keys.h"
#include "app/picture_box.h"
#include "game/autoplay.h"
#include "game/engine.h"
#include "game/tile_names.h"
#include "view/board_view.h"
#include "view/geometry.h"
#include "window_test_support.h"

namespace {

using game::BoardKey;

std::optional<BoardKey> KeyOf(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers);
  return app::BoardKeyOf(event);
}

TEST(BoardKeys, TheBoardTakesItsKeysWithoutCtrlOrAlt) {
  EXPECT_EQ(KeyOf(Qt::Key_Left), BoardKey::Left);
  EXPECT_EQ(KeyOf(Qt::Key_Right), BoardKey::Right);
  EXPECT_EQ(KeyOf(Qt::Key_Up), BoardKey::Up);
  EXPECT_EQ(KeyOf(Qt::Key_Down), BoardKey::Down);
  EXPECT_EQ(KeyOf(Qt::Key_Tab), BoardKey::NextFree);
  EXPECT_EQ(KeyOf(Qt::Key_Backtab, Qt::ShiftModifier), BoardKey::PreviousFree);
  EXPECT_EQ(KeyOf(Qt::Key_Tab, Qt::ShiftModifier), BoardKey::PreviousFree);
  EXPECT_EQ(KeyOf(Qt::Key_Home), BoardKey::First);
  EXPECT_EQ(KeyOf(Qt::Key_End), BoardKey::Last);
  EXPECT_EQ(KeyOf(Qt::Key_Space), BoardKey::Activate);
  EXPECT_EQ(KeyOf(Qt::Key_Return), BoardKey::Activate);
  EXPECT_EQ(KeyOf(Qt::Key_Enter, Qt::KeypadModifier), BoardKey::Activate);
  EXPECT_EQ(KeyOf(Qt::Key_Escape), BoardKey::Escape);
  EXPECT_EQ(KeyOf(Qt::Key_PageUp), BoardKey::LayerUp);
  EXPECT_EQ(KeyOf(Qt::Key_PageDown), BoardKey::LayerDown);
  EXPECT_EQ(KeyOf(Qt::Key_Delete), BoardKey::Delete);
  // The keypad's arrows are arrows.
  EXPECT_EQ(KeyOf(Qt::Key_Left, Qt::KeypadModifier), BoardKey::Left);
  // With Ctrl or Alt they are the menus'; other keys are never the board's.
  EXPECT_EQ(KeyOf(Qt::Key_Left, Qt::ControlModifier), std::nullopt);
  EXPECT_EQ(KeyOf(Qt::Key_Space, Qt::AltModifier), std::nullopt);
  EXPECT_EQ(KeyOf(Qt::Key_Z, Qt::ControlModifier), std::nullopt);
  EXPECT_EQ(KeyOf(Qt::Key_A), std::nullopt);
  EXPECT_EQ(KeyOf(Qt::Key_F2), std::nullopt);
}

// Every shortcut of the menus stays free of the board's keys.
TEST(BoardKeys, NoMenuShortcutIsABoardKey) {
  apptest::TestApp();
  apptest::ProgramFolder folder;
  auto w = apptest::MakeWindow(folder);
  ASSERT_TRUE(w->Started());
  int shortcuts = 0;
  for (QAction* action : w->findChildren<QAction*>()) {
    for (const QKeySequence& sequence : action->shortcuts()) {
      const QKeyCombination key = sequence[0];
      const QKeyEvent event(QEvent::KeyPress, key.key(), key.keyboardModifiers());
      EXPECT_EQ(app::BoardKeyOf(event), std::nullopt) << sequence.toString().toStdString();
      ++shortcuts;
    }
  }
  EXPECT_GT(shortcuts, 10);
}

class BoardKeysWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::TestApp();
    folder_.Write("Sorami.ini", "[Sorami]\r\nWinnable=1\r\nHighlight=0\r\n");
    w_ = apptest::MakeWindow(folder_, &sounds_);
    ASSERT_TRUE(w_->Started()) << w_->StartupError().toStdString();
    w_->show();
    QApplication::processEvents();
    ASSERT_TRUE(Engine().Game().Running(game::GameKind::Solitaire));
  }
  game::Engine& Engine() { return w_->Engine(); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(w_->Game(), static_cast<Qt::Key>(key), modifiers);
  }

  apptest::ProgramFolder folder_;
  std::vector<std::string> sounds_;
  std::unique_ptr<app::MainWindow> w_;
};

TEST_F(BoardKeysWindowTest, KeysOnTheBoardPlayAPairAndDrawTheCursor) {
  game::Engine& e = Engine();
  EXPECT_EQ(w_->Game()->focusPolicy(), Qt::StrongFocus);
  const board::RemovalOrder order = e.LastRemovalOrder();
  const int a = e.Game().Board.Board.At(order.RemovalPairs[0].x, order.RemovalPairs[0].y, order.RemovalPairs[0].z);
  const int b = e.Game().Board.Board.At(order.RemovalPairs[1].x, order.RemovalPairs[1].y, order.RemovalPairs[1].z);

  Key(Qt::Key_Home);
  const int home = e.CursorTileShown();
  ASSERT_NE(home, 0);
  // The frame is on the picture though the highlight is "None".
  const board::Cell c = e.Game().Board.TilePlaces[home];
  const int left = view::FaceLeft(c.x, c.z, e.OriginX()), top = view::FaceTop(c.y, c.z, e.OriginY());
  EXPECT_EQ(w_->Game()->Picture().pixel(left + 1, top + 25), view::BoardView::CursorColour(0));

  // Tab stays on the board: it steps through the free tiles.
  Key(Qt::Key_Tab);
  EXPECT_TRUE(w_->Game()->hasFocus() || QApplication::focusWidget() == nullptr);
  EXPECT_NE(e.CursorTileShown(), 0);

  for (int tile : {a, b}) {
    const auto keys = game::KeysToReach(e, tile);
    ASSERT_TRUE(keys.has_value());
    for (BoardKey k : *keys) {
      static constexpr int QtKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,  Qt::Key_Down,
                                       Qt::Key_Tab,  Qt::Key_Tab,   Qt::Key_Home, Qt::Key_End};
      Key(QtKeys[static_cast<int>(k)], k == BoardKey::PreviousFree ? Qt::ShiftModifier : Qt::NoModifier);
    }
    ASSERT_EQ(e.CursorTileShown(), tile);
    Key(Qt::Key_Space);
  }
  EXPECT_FALSE(e.Game().Board.TilePlaces[a].OnBoard());
  EXPECT_FALSE(e.Game().Board.TilePlaces[b].OnBoard());
  EXPECT_EQ(e.Game().Board.TilesLeft, 142);

  // Escape lets go of a selection.
  Key(Qt::Key_Home);
  Key(Qt::Key_Return);
  EXPECT_NE(e.Game().Picks.First, 0);
  Key(Qt::Key_Escape);
  EXPECT_EQ(e.Game().Picks.First, 0);
}

// The board's accessible interface names the cursor's tile and describes
// the latest status message. (The change notices themselves go out only
// where a screen reader's bridge is active, which the offscreen platform has
// not.)
TEST_F(BoardKeysWindowTest, AScreenReaderIsToldTheCursorsTileAndTheStatus) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w_->Game());
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->role(), QAccessible::Canvas);
  EXPECT_TRUE(face->state().focusable);
  EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Board"));

  Key(Qt::Key_Home);
  const int home = Engine().CursorTileShown();
  const std::string name = game::FaceName(board::Face(home));
  EXPECT_EQ(face->text(QAccessible::Name).toStdString(), name + ", free");
  Key(Qt::Key_Space);
  EXPECT_EQ(face->text(QAccessible::Name).toStdString(), name + ", free, selected");

  // A new status message becomes the description with the next tick.
  Engine().ShowStatus("  A message for the player ");
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return face->text(QAccessible::Description) == QStringLiteral("A message for the player"); }, 5000));
}

}  // namespace
