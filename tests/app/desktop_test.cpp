// The game as a desktop program: its command line, the French catalogue,
// the player's folders apart from the program's, and the command line's
// layout and game number.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>

#include <filesystem>
#include <fstream>

#include "app/command_line.h"
#include "app/status_line.h"
#include "app/translations.h"
#include "base/texts.h"
#include "game/engine.h"
#include "window_test_support.h"

namespace {

namespace fs = std::filesystem;
using apptest::MakeWindow;
using apptest::ProgramFolder;

app::CommandLine Parse(QStringList arguments) {
  apptest::TestApp();
  arguments.prepend(QStringLiteral("sorami"));
  return app::ParseCommandLine(arguments);
}

TEST(CommandLineTest, GameLayoutHelpVersionAndMistakes) {
  const app::CommandLine plain = Parse({});
  EXPECT_FALSE(plain.Exit);
  EXPECT_FALSE(plain.Game.has_value());
  EXPECT_TRUE(plain.Layout.isEmpty());

  const app::CommandLine both = Parse({"--game", "2147483647", "--layout", "Twin Peaks"});
  EXPECT_FALSE(both.Exit);
  EXPECT_EQ(both.Game, 2147483647);
  EXPECT_EQ(both.Layout, QStringLiteral("Twin Peaks"));
  EXPECT_EQ(Parse({"--game=7"}).Game, 7);

  const app::CommandLine help = Parse({"--help"});
  EXPECT_TRUE(help.Exit);
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_TRUE(help.Output.contains(QStringLiteral("--game <number>"))) << help.Output.toStdString();
  EXPECT_TRUE(help.Output.contains(QStringLiteral("--layout <name>")));
  QCoreApplication::setApplicationVersion(QStringLiteral("5.28"));
  const app::CommandLine version = Parse({"--version"});
  EXPECT_TRUE(version.Exit);
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_TRUE(version.Output.contains(QStringLiteral("5.28")));

  for (const QStringList& wrong : {QStringList{"--game", "0"}, QStringList{"--game", "12x"},
                                   QStringList{"--game", "2147483648"}, QStringList{"--game"},
                                   QStringList{"--layout", ""}, QStringList{"--colour"},
                                   QStringList{"stray"}}) {
    const app::CommandLine refused = Parse(wrong);
    EXPECT_TRUE(refused.Exit) << wrong.join(' ').toStdString();
    EXPECT_EQ(refused.ExitCode, 2) << wrong.join(' ').toStdString();
    EXPECT_FALSE(refused.Output.isEmpty());
  }
}

// The window in French: the catalogue as the build stages it, loaded the
// way the program loads it for LANG=fr_FR.UTF-8.
class FrenchWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    apptest::TestApp();
    previous_ = QLocale();
    QLocale::setDefault(QLocale(QStringLiteral("fr_FR")));
    ASSERT_TRUE(translator_.load(QLocale(), QStringLiteral("sorami"), QStringLiteral("_"),
                                 QStringLiteral(SORAMI_STAGE_DIR "/translations")));
    QCoreApplication::installTranslator(&translator_);
    base::SetTranslator(&app::TranslateCoreText);
  }
  void TearDown() override {
    QCoreApplication::removeTranslator(&translator_);
    base::SetTranslator(nullptr);
    QLocale::setDefault(previous_);
  }
  QLocale previous_;
  QTranslator translator_;
};

QStringList MenuTitles(const app::MainWindow& window) {
  QStringList titles;
  for (QAction* action : window.menuBar()->actions()) titles << action->text();
  return titles;
}

TEST_F(FrenchWindow, MenusToolbarStatusAndCoreTextsAreFrench) {
  ProgramFolder folder;
  auto w = MakeWindow(folder);
  ASSERT_TRUE(w->Started()) << w->StartupError().toStdString();
  const QStringList titles = MenuTitles(*w);
  EXPECT_TRUE(titles.contains(QStringLiteral("&Fichier"))) << titles.join(' ').toStdString();
  EXPECT_TRUE(titles.contains(QStringLiteral("&Aide")));
  EXPECT_FALSE(titles.contains(QStringLiteral("&File")));
  ASSERT_NE(w->MenuEntry(QStringLiteral("&Jeu"), QStringLiteral("&Indice")), nullptr);
  EXPECT_NE(w->MenuEntry(QStringLiteral("&Fichier"),
                         QStringLiteral("Mah-Jong Rivières : nouvelle partie (facile)")),
            nullptr);
  EXPECT_EQ(w->Tools()->ButtonAt(app::ToolBar::New)->text(), QStringLiteral("Nouveau"));
  EXPECT_EQ(w->Tools()->ButtonAt(app::ToolBar::Exit)->toolTip(), QStringLiteral("Ne me quittez pas !! :("));

  // The core's status text, translated before its number is put in.
  w->Engine().MutableGame().GameSeed = 4711;
  w->Engine().NewNumberedGame();
  EXPECT_EQ(w->Engine().StatusMessage(), "Partie numérotée commencée. Numéro de partie #4711");
  // Pausing renames the entry.
  w->Engine().TogglePause();
  w->RefreshFromEngine();
  EXPECT_NE(w->MenuEntry(QStringLiteral("&Jeu"), QStringLiteral("&Continuer")), nullptr);
  w->close();
}

TEST(EnglishWindow, TextsStayAsTheyWereWithoutACatalogue) {
  ProgramFolder folder;
  auto w = MakeWindow(folder);
  ASSERT_TRUE(w->Started());
  EXPECT_TRUE(MenuTitles(*w).contains(QStringLiteral("&File")));
  EXPECT_NE(w->MenuEntry(QStringLiteral("&File"), QStringLiteral("Mah-Jongg Rivers : New Game (Easy)")), nullptr);
  EXPECT_EQ(w->Tools()->ButtonAt(app::ToolBar::New)->text(), QStringLiteral("New"));
  w->Engine().MutableGame().GameSeed = 12;
  w->Engine().NewNumberedGame();
  EXPECT_EQ(w->Engine().StatusMessage(), "Specific Board started. Random Seed #12");
  w->close();
}

// A copy whose player files live apart: everything the close writes goes
// there, and the player's own layouts and music join the menus.
TEST(PlayerFolders, SettingsScoresAndOwnLayoutsLiveInThePlayersFolders) {
  ProgramFolder folder;
  QTemporaryDir home;
  game::Folders folders;
  folders.Data = folder.Path();
  folders.Settings = home.path().toStdString() + "/config/sorami/";
  folders.User = home.path().toStdString() + "/data/sorami/";
  fs::create_directories(folders.User + "Layouts");
  fs::copy_file(folder.Path() + "Layouts/Cross.lay", folders.User + "Layouts/Zigzag.lay");
  fs::create_directories(folders.User + "Musics");
  ProgramFolder::WriteTinyMidi(folders.User + "Musics/Aaa Mine.mid");

  apptest::TestApp();
  auto make = [&] {
    app::MainWindow::Environment environment;
    environment.ProgramDir = folder.QPath();
    environment.Folders = folders;
    environment.Sound = std::make_unique<apptest::QuietSound>();
    environment.MusicDevice = std::make_unique<apptest::QuietMusic>();
    return std::make_unique<app::MainWindow>(std::move(environment));
  };
  {
    auto w = make();
    ASSERT_TRUE(w->Started()) << w->StartupError().toStdString();
    const game::Engine& e = w->Engine();
    ASSERT_GE(e.LayoutCount(), 2);
    EXPECT_EQ(e.Layouts().LayoutName(e.LayoutCount()), "Zigzag");
    EXPECT_EQ(w->Files().HallOfFameFile(), folders.User + "Hallfame.ini");
    // The player's piece follows the shipped ones though its name sorts first.
    EXPECT_EQ(w->Engine().Music()->Pieces.back().Name, "Aaa Mine");
    w->Engine().SetPlayerName("Ada");
    EXPECT_TRUE(w->close());
  }
  EXPECT_TRUE(fs::exists(folders.Settings + "Sorami.ini"));
  EXPECT_TRUE(fs::exists(folders.User + "Hallfame.ini"));
  EXPECT_FALSE(fs::exists(folder.Path() + "Sorami.ini"));
  EXPECT_FALSE(fs::exists(folder.Path() + "Hallfame.ini"));
  {
    // The next start reads them back.
    auto w = make();
    ASSERT_TRUE(w->Started());
    EXPECT_EQ(w->Engine().PlayerName(), "Ada");
    w->close();
  }
}

TEST(CommandLineStart, TheLayoutByNameAndTheNumberedGame) {
  ProgramFolder folder;
  apptest::TestApp();
  auto make = [&](const QString& layout, std::optional<int> game) {
    app::MainWindow::Environment environment;
    environment.ProgramDir = folder.QPath();
    environment.Sound = std::make_unique<apptest::QuietSound>();
    environment.MusicDevice = std::make_unique<apptest::QuietMusic>();
    environment.StartLayout = layout;
    environment.StartGame = game;
    return std::make_unique<app::MainWindow>(std::move(environment));
  };
  {
    auto w = make(QStringLiteral("no such layout"), std::nullopt);
    EXPECT_FALSE(w->Started());
    EXPECT_TRUE(w->CommandLineRefused());
    EXPECT_TRUE(w->StartupError().contains(QStringLiteral("Traditional"))) << w->StartupError().toStdString();
  }
  {
    auto w = make(QStringLiteral("cross"), 31337);
    ASSERT_TRUE(w->Started()) << w->StartupError().toStdString();
    EXPECT_EQ(w->Engine().Game().LayoutName, "Cross");
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Engine().Game().GameSeed, 31337);
    EXPECT_TRUE(w->Engine().Opt().NumberedGames);
    EXPECT_EQ(w->Engine().StatusMessage(), "Specific Board started. Random Seed #31337");
    w->close();
  }
}

}  // namespace
