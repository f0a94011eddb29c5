// The window keeps the game in hand between runs and saves and opens games
// by file: a game in progress comes back at the next start with "Game
// resumed.", the option turns that off, and a bad file is named in a
// message while the game in hand stays.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <filesystem>
#include <string>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "game/engine.h"
#include "game/game_keeper.h"
#include "game/saved_game.h"
#include "window_test_support.h"

namespace {

using apptest::MakeWindow;
using apptest::MessageBoxAnswer;
using apptest::ProgramFolder;

class SavedGamesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { apptest::TestApp(); }

  std::unique_ptr<app::MainWindow> StartShown() {
    auto window = MakeWindow(folder_);
    EXPECT_TRUE(window->Started()) << window->StartupError().toStdString();
    window->show();
    QApplication::processEvents();
    return window;
  }

  // Takes the first free pair of the board through the window's pointer
  // path, as a click does.
  static bool TakeAPair(app::MainWindow& w) {
    game::Engine& e = w.Engine();
    e.RecountFreeTiles();
    const board::BoardState& b = e.Game().Board;
    for (int k = 1; k < b.FreeCount; ++k) {
      const int first = b.FreeTiles[k], second = b.FreeTiles[k + 1];
      if (board::Group(first) != board::Group(second)) continue;
      for (const int tile : {first, second}) {
        const board::PixelPoint p = e.BoardGeometry().FaceCentre(b.TilePlaces[tile]);
        emit w.Game()->ButtonReleased(Qt::LeftButton, p.x, p.y);
      }
      return !b.TilePlaces[first].OnBoard();
    }
    return false;
  }

  std::string KeptFile() const { return folder_.Path() + game::CurrentGameFileName; }

  ProgramFolder folder_;
};

TEST_F(SavedGamesWindowTest, AGameInProgressComesBackAtTheNextStart) {
  board::TilePlaceTable played;
  {
    auto w = StartShown();
    ASSERT_EQ(w->Engine().Game().Phase, game::GamePhase::Running);
    ASSERT_TRUE(TakeAPair(*w));
    // Kept after the move, before any exit.
    w->Keeper().Flush();
    const game::SavedGameRead kept = game::ReadSavedGameFile(KeptFile());
    ASSERT_TRUE(kept) << kept.Error.Message;
    EXPECT_EQ(kept.Game->State.MovesMade(), 1);
    ASSERT_TRUE(TakeAPair(*w));
    played = w->Engine().Game().Board.TilePlaces;
    EXPECT_TRUE(w->close());
  }
  {
    auto w = StartShown();
    EXPECT_EQ(w->Engine().Game().Board.TilePlaces, played);
    EXPECT_EQ(w->Engine().Game().MovesMade(), 2);
    EXPECT_EQ(w->Engine().StatusMessage(), "Game resumed.");
    // "Back" goes on where the last run stopped.
    w->RunCommand(app::CommandId::Back);
    EXPECT_EQ(w->Engine().Game().MovesMade(), 1);
    // The option turns it off (and is kept in Sorami.ini).
    ASSERT_TRUE(w->CommandEntry(app::CommandId::ResumeLastGame)->isChecked());
    w->RunCommand(app::CommandId::ResumeLastGame);
    EXPECT_FALSE(w->CommandEntry(app::CommandId::ResumeLastGame)->isChecked());
    EXPECT_TRUE(w->close());
  }
  EXPECT_NE(folder_.Read("Sorami.ini").find("ResumeGame=0"), std::string::npos);
  auto w = StartShown();
  EXPECT_NE(w->Engine().StatusMessage(), "Game resumed.");
  EXPECT_EQ(w->Engine().Game().MovesMade(), 0);
}

TEST_F(SavedGamesWindowTest, AStoppedGameIsNotResumed) {
  {
    auto w = StartShown();
    ASSERT_TRUE(TakeAPair(*w));
    w->RunCommand(app::CommandId::Stop);
    EXPECT_TRUE(w->close());
  }
  EXPECT_FALSE(std::filesystem::exists(KeptFile()));
  auto w = StartShown();
  EXPECT_EQ(w->Engine().Game().MovesMade(), 0);
}

TEST_F(SavedGamesWindowTest, SavingAndOpeningByFile) {
  auto w = StartShown();
  EXPECT_EQ(w->CommandEntry(app::CommandId::SaveGameAs)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  EXPECT_EQ(w->CommandEntry(app::CommandId::OpenGame)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  ASSERT_TRUE(TakeAPair(*w));
  const std::string mine = folder_.Path() + "mine.sorami-game";
  ASSERT_TRUE(w->SaveGameFile(mine));
  const board::TilePlaceTable saved = w->Engine().Game().Board.TilePlaces;
  ASSERT_TRUE(TakeAPair(*w));
  ASSERT_TRUE(w->OpenGameFile(mine));
  EXPECT_EQ(w->Engine().Game().Board.TilePlaces, saved);
  EXPECT_EQ(w->Engine().StatusMessage(), "Game mine.sorami-game opened.");

  // A file that is no saved game: named in a message, the game stays.
  folder_.Write("other.sorami-game", "[Sorami]\nTileset=3\n");
  const game::GameState before = w->Engine().Game();
  {
    MessageBoxAnswer ok(QStringLiteral("OK"));
    EXPECT_FALSE(w->OpenGameFile(folder_.Path() + "other.sorami-game"));
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(ok.Text().contains(QStringLiteral("is not a Sorami saved game"))) << ok.Text().toStdString();
  }
  EXPECT_TRUE(w->Engine().Game() == before);
}

}  // namespace
