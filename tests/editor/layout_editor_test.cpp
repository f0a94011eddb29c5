// The layout editor on the engine with fake ports and a temporary program
// folder: opening, placing and removing places, the four moves, saving,
// trying and leaving.

#include "editor/layout_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "board/layout_check.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "board/temp_dir.h"
#include "board/test_layouts.h"
#include "game/fakes.h"
#include "game/hall_of_fame.h"

namespace {

namespace fs = std::filesystem;
using board::Cell;
using editor::LayoutEditor;
using editor::SaveChoice;
using game::MouseButton;

// The window's side of the editor, recorded.
class FakeEditorWindow : public editor::EditorWindowPort {
 public:
  bool Shown = false;
  int ShowCalls = 0;
  int HideCalls = 0;
  int Counter = -1;
  std::string Name;
  int NameResets = 0;
  // The game mode the window saw when it switched (it lays itself out by it).
  game::GameState ModeAtShow;
  game::GameState ModeAtHide;
  const game::Engine* Engine = nullptr;

  void ShowEditor() override {
    Shown = true;
    ++ShowCalls;
    if (Engine) ModeAtShow = Engine->Game();
  }
  void HideEditor() override {
    Shown = false;
    ++HideCalls;
    if (Engine) ModeAtHide = Engine->Game();
  }
  void ShowTilesToPlace(int count) override { Counter = count; }
  void SetLayoutNameField(const std::string& name) override { Name = name; }
  std::string LayoutNameField() const override { return Name; }
  void ResetNameField() override { ++NameResets; }
};

// A screen that also keeps what the save dialog was asked with.
class DialogScreen : public game::testing::FakeScreen {
 public:
  struct Dialog {
    std::string title, filter, dir;
  };
  std::vector<Dialog> SaveDialogs;
  std::optional<std::string> SaveFileDialog(const std::string& title, const std::string& filter,
                                            const std::string& dir) override {
    SaveDialogs.push_back({title, filter, dir});
    return DialogAnswer;
  }
};

// A layout of 144 places on layer 1, in rows two cells apart, in the order
// a player clicks them (right to left, so that no click lands over a place
// already set, where the editor would stack it on layer 2).
std::vector<Cell> FlatCells() {
  std::vector<Cell> cells;
  for (int y = 1; y <= 19 && cells.size() < 144; y += 2)
    for (int x = 33; x >= 1 && cells.size() < 144; x -= 2) cells.push_back(Cell{x, y, 1});
  return cells;
}

class LayoutEditorTest : public ::testing::Test {
 protected:
  game::testing::FakeClock clock;
  DialogScreen screen;
  game::testing::FakeSound sound;
  game::Engine engine{clock, screen, sound};
  FakeEditorWindow window;
  LayoutEditor editor{engine, screen, window};
  board::testing::TempDir folder;

  LayoutEditorTest() {
    window.Engine = &engine;
    fs::create_directories(folder.path() / "Layouts");
    board::LayoutGrid flat;
    for (const Cell& c : FlatCells()) flat.Set(c.x, c.y, c.z, 1);
    board::WriteLayFile(folder.path() / "Layouts" / "Flat.lay", "Flat", flat);
    board::WriteLayFile(folder.path() / "Layouts" / "Traditional.lay", "Traditional", board::testing::Turtle());
    engine.SetProgramDir(folder.path());
    engine.SetClockSeedOverride(4242u);
    EXPECT_TRUE(engine.DiscoverLayouts(-1));
    engine.LoadLayoutAtStartup();
    engine.SetPhase(game::GamePhase::Stopped);
  }

  // The board pixel (as the window receives it) where CellToAddAt gives `c`.
  std::pair<int, int> PointFor(Cell c) const {
    const int left = 20 * c.x + 6 * c.z - 52;
    const int top = 25 * c.y - 6 * c.z - 59;
    return {left + 15 + engine.OriginX(), top + 17 + engine.OriginY()};
  }
  void ClickCell(Cell c, MouseButton button = MouseButton::Left) {
    const auto [x, y] = PointFor(c);
    engine.OnPointerReleased(button, x, y);
  }
  void RightClickTile(int tile) {
    const Cell c = engine.Game().Board.TilePlaces[tile];
    const int a = 20 * c.x + 6 * c.z + engine.OriginX() - 46;
    const int b = 25 * c.y - 6 * c.z + engine.OriginY() - 59;
    engine.OnPointerReleased(MouseButton::Right, a + 20, b + 25);
  }
  int TileAt(Cell c) const { return engine.Game().Board.Board.At(c.x, c.y, c.z); }

  void BuildFlat() {
    editor.CreateLayout();
    for (const Cell& c : FlatCells()) {
      const auto [x, y] = PointFor(c);
      ASSERT_EQ(board::CellToAddAt(engine.Game().Board.Board, x - engine.OriginX(), y - engine.OriginY()), c);
      ClickCell(c);
    }
  }

  // Board, TilePlaces and Layout tell the same story, and every place holds
  // a different tile.
  void ExpectConsistent() const {
    const board::BoardState& s = engine.Game().Board;
    std::set<int> seen;
    int anchors = 0;
    for (int z = 1; z <= board::MaxZ; ++z)
      for (int y = 1; y <= board::MaxY; ++y)
        for (int x = 1; x <= board::MaxX; ++x) {
          const int v = s.Board.At(x, y, z);
          EXPECT_EQ(engine.Game().Layout.Get(x, y, z) != 0, v != 0) << x << "," << y << "," << z;
          if (v == 0) continue;
          ++anchors;
          ASSERT_GE(v, 1);
          ASSERT_LE(v, 144);
          EXPECT_TRUE(seen.insert(v).second) << "tile " << v << " twice";
          EXPECT_EQ(s.TilePlaces[v], (Cell{x, y, z}));
        }
    for (int t = 1; t <= board::MaxTiles; ++t) {
      if (s.TilePlaces[t] != Cell{}) {
        EXPECT_EQ(TileAt(s.TilePlaces[t]), t);
      }
    }
    EXPECT_EQ(editor.TilesToPlace, 144 - anchors);
    EXPECT_EQ(window.Counter, editor.TilesToPlace);
  }

  std::vector<std::string> LayoutFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path() / "Layouts"))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// ---------------------------------------------------------------- opening

TEST_F(LayoutEditorTest, CreateLayoutOpensAnEmptyBoardNamedNewLayout) {
  const fs::path before = engine.Game().LayoutFile;
  engine.MutableOptions().NumberedGames = true;
  editor.CreateLayout();

  EXPECT_TRUE(engine.Game().Running(game::GameKind::Editor));
  EXPECT_TRUE(window.Shown);
  EXPECT_TRUE(window.ModeAtShow.Running(game::GameKind::Editor));
  EXPECT_EQ(engine.Game().Layout.Count(), 0);
  EXPECT_EQ(editor.TilesToPlace, 144);
  EXPECT_EQ(window.Counter, 144);
  EXPECT_EQ(window.Name, "New Layout");
  EXPECT_EQ(engine.Game().LayoutName, "New Layout");
  EXPECT_EQ(engine.StatusMessage(), "      ");
  EXPECT_EQ(engine.EditorCursor(), (Cell{-1, -1, -1}));
  // The fully random game dealt (nothing) and unticked "Random Seed".
  EXPECT_FALSE(engine.Opt().NumberedGames);
  EXPECT_EQ(engine.Game().LayoutFile, before);
  for (int t = 1; t <= 144; ++t) EXPECT_EQ(engine.Game().Board.TilePlaces[t], Cell{});
  // No clock runs in the editor and the counters stay empty.
  clock.AdvanceSeconds(30);
  for (int i = 0; i < 5; ++i) engine.Tick();
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Editor));
  EXPECT_EQ(engine.Game().Clock.ElapsedSeconds, 0);
  EXPECT_EQ(screen.Tiles, "");
}

TEST_F(LayoutEditorTest, EditLayoutNumbersEveryPlaceOfTheCurrentLayout) {
  const board::LayoutGrid turtle = engine.Game().Layout;
  editor.EditLayout();

  EXPECT_TRUE(engine.Game().Running(game::GameKind::Editor));
  EXPECT_EQ(engine.Game().Layout, turtle);
  EXPECT_EQ(window.Name, "Traditional");
  EXPECT_EQ(editor.TilesToPlace, 0);
  ExpectConsistent();
  // All 144 tile numbers are on the board.
  for (int t = 1; t <= 144; ++t) EXPECT_TRUE(engine.Game().Board.TilePlaces[t].OnBoard()) << t;
}

TEST_F(LayoutEditorTest, EditLayoutDropsThePlacesADamagedLayoutHasBeyond144) {
  board::LayoutGrid crowded = engine.Game().Layout;
  board::testing::Block(crowded, 1, 1, 1, 3, 1);  // three more places in the top-left corner
  ASSERT_EQ(crowded.Count(), 147);
  engine.MutableGame().Layout = crowded;
  editor.EditLayout();
  EXPECT_EQ(engine.Game().Layout.Count(), 144);
  ExpectConsistent();
}

// ---------------------------------------------------------------- placing and removing

TEST_F(LayoutEditorTest, PlacingTakesTheCellUnderThePointerAndTheLowestFreeNumber) {
  editor.CreateLayout();
  const int paints = screen.BoardPaints;
  ClickCell({10, 6, 1});
  EXPECT_EQ(TileAt({10, 6, 1}), 1);
  EXPECT_EQ(engine.Game().Layout.Get(10, 6, 1), 1);
  EXPECT_EQ(editor.TilesToPlace, 143);
  EXPECT_EQ(window.Counter, 143);
  EXPECT_GT(screen.BoardPaints, paints);  // the whole board redrawn

  ClickCell({14, 6, 1});
  EXPECT_EQ(TileAt({14, 6, 1}), 2);
  ExpectConsistent();

  // The middle button does nothing; neither does a click outside the grid.
  ClickCell({20, 6, 1}, MouseButton::Middle);
  engine.OnPointerReleased(MouseButton::Left, engine.OriginX() + 35 * 20 + 5, engine.OriginY() + 40);
  EXPECT_EQ(editor.TilesToPlace, 142);
}

TEST_F(LayoutEditorTest, APlaceOverlappingOneOfItsOwnLayerIsRefused) {
  editor.CreateLayout();
  // A stack up to the top layer, where nothing can climb higher.
  for (int z = 1; z <= 5; ++z) ClickCell({10, 6, z});
  ASSERT_EQ(TileAt({10, 6, 5}), 5);
  const int paints = screen.BoardPaints;
  // Half a tile beside the top tile, on its own layer: refused silently.
  for (Cell c : {Cell{11, 6, 5}, Cell{10, 7, 5}, Cell{9, 5, 5}}) {
    const auto [x, y] = PointFor(c);
    ASSERT_EQ(board::CellToAddAt(engine.Game().Board.Board, x - engine.OriginX(), y - engine.OriginY()), c);
    engine.OnPointerReleased(MouseButton::Left, x, y);
    EXPECT_EQ(TileAt(c), 0);
  }
  EXPECT_EQ(editor.TilesToPlace, 139);
  EXPECT_EQ(screen.BoardPaints, paints);
  EXPECT_TRUE(screen.Told.empty());
  ExpectConsistent();
}

TEST_F(LayoutEditorTest, LayerTwoStandsOnAnySingleTileButNeverOnNothing) {
  // Straight over the tile or half a tile off in any direction.
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      editor.CreateLayout();
      ClickCell({10, 6, 1});
      const Cell above{10 + dx, 6 + dy, 2};
      ClickCell(above);
      EXPECT_EQ(TileAt(above), 2) << dx << "," << dy;
    }
  // Where nothing lies beneath, the same spot of the screen gets layer 1.
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  ClickCell({30, 15, 2});
  EXPECT_EQ(TileAt({30, 15, 2}), 0);
  EXPECT_EQ(engine.Game().Board.TilePlaces[2].z, 1);
  EXPECT_EQ(editor.TilesToPlace, 142);
  EXPECT_TRUE(board::FloatingPlaces(engine.Game().Layout).empty());
  ExpectConsistent();
}

TEST_F(LayoutEditorTest, ACoveredTileStaysAndTheUpperOneGoes) {
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  ClickCell({11, 7, 2});
  ASSERT_EQ(editor.TilesToPlace, 142);
  const int lower = TileAt({10, 6, 1});
  const int upper = TileAt({11, 7, 2});

  EXPECT_FALSE(editor.RemovePlace(lower));
  EXPECT_EQ(TileAt({10, 6, 1}), lower);
  EXPECT_EQ(editor.TilesToPlace, 142);

  // The right button over the pair hits the upper tile.
  RightClickTile(upper);
  EXPECT_EQ(TileAt({11, 7, 2}), 0);
  EXPECT_EQ(engine.Game().Board.TilePlaces[upper], Cell{});
  EXPECT_EQ(engine.Game().Layout.Get(11, 7, 2), 0);
  EXPECT_EQ(editor.TilesToPlace, 143);
  EXPECT_EQ(window.Counter, 143);

  // Now the lower one is bare and goes too.
  RightClickTile(lower);
  EXPECT_EQ(editor.TilesToPlace, 144);
  ExpectConsistent();
  // Nothing left to remove: a right click on the empty board does nothing.
  ClickCell({10, 6, 1}, MouseButton::Right);
  EXPECT_EQ(editor.TilesToPlace, 144);
}

TEST_F(LayoutEditorTest, TheLowestFreeNumberComesBackAfterTile37IsRemoved) {
  editor.CreateLayout();
  const std::vector<Cell> cells = FlatCells();
  for (int i = 0; i < 40; ++i) ClickCell(cells[static_cast<std::size_t>(i)]);
  ASSERT_EQ(TileAt(cells[36]), 37);
  RightClickTile(37);
  EXPECT_FALSE(engine.Game().Board.TilePlaces[37].OnBoard());
  ClickCell(cells[40]);
  EXPECT_EQ(TileAt(cells[40]), 37);
  ClickCell(cells[41]);
  EXPECT_EQ(TileAt(cells[41]), 41);
  ExpectConsistent();
}

TEST_F(LayoutEditorTest, ThePointerMovesTheCursorAndRedrawsOnlyTheOldAndNewPlace) {
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  screen.TileAreas.clear();
  const int paints = screen.BoardPaints;
  const auto [x1, y1] = PointFor({20, 10, 1});
  engine.OnPointerMoved(x1, y1);
  EXPECT_EQ(engine.EditorCursor(), (Cell{19, 9, 0}));
  ASSERT_EQ(screen.TileAreas.size(), 1u);
  // Onto the tile: the cursor climbs to the layer above it.
  const auto [x2, y2] = PointFor({10, 6, 2});
  engine.OnPointerMoved(x2, y2);
  EXPECT_EQ(engine.EditorCursor(), (Cell{9, 5, 1}));
  ASSERT_EQ(screen.TileAreas.size(), 3u);
  EXPECT_EQ(screen.TileAreas[1].x, 20);  // the old place erased
  EXPECT_EQ(screen.TileAreas[2].z, 2);   // the new one drawn
  EXPECT_EQ(screen.BoardPaints, paints);
  // A click there places the tile where the cursor showed it.
  engine.OnPointerReleased(MouseButton::Left, x2, y2);
  EXPECT_EQ(TileAt({10, 6, 2}), 2);
}

TEST_F(LayoutEditorTest, ThePlaceCursorFollowsTheBoardChangedUnderAStillPointer) {
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  // The pointer rests on the tile: the cursor shows the place above it.
  const auto [x, y] = PointFor({10, 6, 2});
  engine.OnPointerMoved(x, y);
  ASSERT_EQ(engine.EditorCursor(), (Cell{9, 5, 1}));
  // Where the same pointer, moved by nothing, puts the cursor, redrawing
  // nothing when it is there already.
  const auto expectCursorWherePointerIs = [&, x = x, y = y](const char* after) {
    const Cell shown = engine.EditorCursor();
    screen.TileAreas.clear();
    engine.OnPointerMoved(x, y);
    EXPECT_EQ(shown, engine.EditorCursor()) << after;
    EXPECT_TRUE(screen.TileAreas.empty()) << after;
  };

  // The board moves from under it: half a tile, the pointer is still over
  // the tile; a whole tile, and it is over the empty layer 1.
  const int paints = screen.BoardPaints;
  ASSERT_TRUE(editor.MoveBoardLeft());
  EXPECT_GT(screen.BoardPaints, paints);
  expectCursorWherePointerIs("a move");
  ASSERT_TRUE(editor.MoveBoardLeft());
  EXPECT_EQ(engine.EditorCursor().z, 0);
  expectCursorWherePointerIs("two moves");
  ASSERT_TRUE(editor.MoveBoardRight());
  ASSERT_TRUE(editor.MoveBoardRight());
  EXPECT_EQ(engine.EditorCursor(), (Cell{9, 5, 1}));

  // The tile under it goes: the cursor drops to the layer below.
  engine.OnPointerReleased(MouseButton::Right, x, y);
  ASSERT_EQ(editor.TilesToPlace, 144);
  EXPECT_EQ(engine.EditorCursor().z, 0);
  expectCursorWherePointerIs("a removal");

  // With the pointer gone off the board, a move leaves no cursor behind.
  engine.PointerLeftBoard();
  ASSERT_TRUE(editor.MoveBoardRight());
  EXPECT_EQ(engine.EditorCursor(), (Cell{-1, -1, -1}));
}

// ---------------------------------------------------------------- moving the layout

TEST_F(LayoutEditorTest, MovingShiftsEveryPlaceAndKeepsBoardLayoutAndTilesTogether) {
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  ClickCell({11, 7, 2});
  ClickCell({20, 12, 1});
  const int a = TileAt({10, 6, 1}), b = TileAt({11, 7, 2}), c = TileAt({20, 12, 1});
  const int updates = screen.Updates;

  EXPECT_TRUE(editor.MoveBoardLeft());
  EXPECT_EQ(TileAt({9, 6, 1}), a);
  EXPECT_EQ(TileAt({10, 7, 2}), b);
  EXPECT_EQ(TileAt({19, 12, 1}), c);
  EXPECT_EQ(engine.Game().Board.TilePlaces[b], (Cell{10, 7, 2}));
  EXPECT_EQ(screen.Updates, updates + 1);  // shown at once
  ExpectConsistent();

  EXPECT_TRUE(editor.MoveBoardRight());
  EXPECT_TRUE(editor.MoveBoardUp());
  EXPECT_TRUE(editor.MoveBoardDown());
  EXPECT_TRUE(editor.MoveBoardDown());
  EXPECT_EQ(TileAt({10, 7, 1}), a);
  EXPECT_EQ(TileAt({11, 8, 2}), b);
  EXPECT_EQ(TileAt({20, 13, 1}), c);
  EXPECT_EQ(editor.TilesToPlace, 141);
  ExpectConsistent();
}

TEST_F(LayoutEditorTest, EachMoveIsRefusedWithAPlaceOnTheEdgeItMovesTowards) {
  editor.CreateLayout();
  ClickCell({1, 5, 1});
  const board::LayoutGrid before = engine.Game().Layout;
  const int paints = screen.BoardPaints;
  EXPECT_FALSE(editor.MoveBoardLeft());
  EXPECT_EQ(engine.Game().Layout, before);
  EXPECT_EQ(TileAt({1, 5, 1}), 1);
  EXPECT_EQ(screen.BoardPaints, paints);
  EXPECT_TRUE(editor.MoveBoardRight());

  // Right edge, top row, bottom row; a place on a higher layer counts too.
  editor.CreateLayout();
  ClickCell({33, 5, 1});
  ClickCell({34, 5, 2});
  EXPECT_FALSE(editor.MoveBoardRight());
  EXPECT_TRUE(editor.MoveBoardLeft());

  editor.CreateLayout();
  ClickCell({8, 1, 1});
  EXPECT_FALSE(editor.MoveBoardUp());
  EXPECT_TRUE(editor.MoveBoardDown());

  editor.CreateLayout();
  ClickCell({8, 20, 1});
  EXPECT_FALSE(editor.MoveBoardDown());
  EXPECT_TRUE(editor.MoveBoardUp());
  ExpectConsistent();
}

// ---------------------------------------------------------------- trying, saving, leaving

TEST_F(LayoutEditorTest, TryItWith144PlacesStartsAGameWithoutWritingAFile) {
  const std::vector<std::string> files = LayoutFiles();
  BuildFlat();
  // All 144 are set: a further click adds nothing.
  ClickCell({2, 20, 1});
  EXPECT_EQ(editor.TilesToPlace, 0);
  window.Name = "My Flat";
  editor.SaveAndExit(SaveChoice::TryIt);

  EXPECT_EQ(LayoutFiles(), files);
  EXPECT_TRUE(screen.SaveDialogs.empty());
  EXPECT_FALSE(window.Shown);
  EXPECT_FALSE(window.ModeAtHide.Running(game::GameKind::Editor));
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.EditorCursor(), (Cell{-1, -1, -1}));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(engine.Game().LayoutName, "My Flat");
  // The game is dealt on the layout just built.
  for (const Cell& c : FlatCells()) EXPECT_NE(TileAt(c), 0);
}

TEST_F(LayoutEditorTest, AnUnfinishedLayoutIsNeitherSavedNorTried) {
  const std::string flatFile = board::testing::ReadAll(engine.Game().LayoutFile);
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  for (SaveChoice choice : {SaveChoice::Save, SaveChoice::SaveAs, SaveChoice::TryIt}) {
    screen.Told.clear();
    editor.SaveAndExit(choice);
    ASSERT_EQ(screen.Told.size(), 1u);
    EXPECT_EQ(screen.Told[0].second, "You haven't finished building the layout yet !");
    EXPECT_TRUE(engine.Game().Running(game::GameKind::Editor));
    EXPECT_TRUE(window.Shown);
  }
  EXPECT_EQ(window.NameResets, 3);
  EXPECT_EQ(editor.TilesToPlace, 143);
  EXPECT_TRUE(screen.SaveDialogs.empty());
  EXPECT_EQ(board::testing::ReadAll(engine.Game().LayoutFile), flatFile);
}

TEST_F(LayoutEditorTest, SaveAfterCreateLayoutOverwritesTheFileThatWasCurrent) {
  const fs::path current = engine.Game().LayoutFile;
  const int number = engine.Game().BoardNumber;
  ASSERT_EQ(current.filename(), "Traditional.lay");
  BuildFlat();
  window.Name = "Rows";
  editor.SaveAndExit(SaveChoice::Save);

  EXPECT_TRUE(screen.SaveDialogs.empty());
  board::LayoutGrid read;
  EXPECT_EQ(board::LoadLayout(current, read), "Rows");
  EXPECT_EQ(read.Count(), 144);
  for (const Cell& c : FlatCells()) EXPECT_EQ(read.Get(c.x, c.y, c.z), 1);
  const std::string text = board::testing::ReadAll(current);
  EXPECT_EQ(text.substr(0, 18), "Sorami 3.0\r\nRows\r\n");
  EXPECT_EQ(text.size(), 12u + 6u + 3402u);
  // Still the same layout of the list; nothing was added.
  EXPECT_EQ(engine.Game().BoardNumber, number);
  EXPECT_EQ(engine.LayoutCount(), 2);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_FALSE(window.Shown);
  // No temporary file is left beside it.
  EXPECT_EQ(LayoutFiles(), (std::vector<std::string>{"Flat.lay", "Traditional.lay"}));
}

TEST_F(LayoutEditorTest, SaveAsAsksForANameAndListsTheNewLayoutLastWithItsHallOfFame) {
  // A record from an earlier run under this name waits in the file.
  const std::string record = "Ada       200    0";
  {
    std::ofstream(folder.path() / "Hallfame.ini", std::ios::binary) << "[MyBoard]\r\nRank1=" << record << "\r\n";
  }
  engine.Hall().SetEntry(3, 1, "stale entry       ");
  BuildFlat();
  window.Name = "My Board";
  screen.DialogAnswer = (folder.path() / "Layouts" / "My Board").string();
  editor.SaveAndExit(SaveChoice::SaveAs);

  ASSERT_EQ(screen.SaveDialogs.size(), 1u);
  EXPECT_EQ(screen.SaveDialogs[0].title, "Please choose a name for your layout file");
  EXPECT_EQ(screen.SaveDialogs[0].filter, "LAY Layout files (*.lay)|*.lay");
  EXPECT_EQ(screen.SaveDialogs[0].dir, (folder.path() / "Layouts").string() + "/");
  const fs::path saved = folder.path() / "Layouts" / "My Board.lay";
  EXPECT_EQ(engine.Game().LayoutFile, saved);
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_EQ(engine.LayoutCount(), 3);
  EXPECT_EQ(engine.Layouts().LayoutName(3), "My Board");
  EXPECT_EQ(engine.Game().BoardNumber, 3);
  EXPECT_EQ(engine.CheckedLayout(), 3);
  EXPECT_EQ(engine.Hall().Entry(3, 1), record);
  EXPECT_EQ(engine.Hall().Entry(3, 2), game::DefaultHallEntry(2));
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));

  // The saved layout deals winnable games that clear.
  board::LayoutGrid read;
  board::LoadLayout(saved, read);
  const board::LayoutCheck check = board::CheckLayout(read, 10);
  EXPECT_TRUE(check.Ok()) << check.DealsFinished << " of " << check.Deals;

  // Selecting another layout and back again finds the file.
  engine.ChooseLayout(1);
  engine.ChooseLayout(3);
  EXPECT_EQ(engine.Game().LayoutName, "My Board");
  EXPECT_EQ(engine.Game().Layout, read);
}

// An installed copy: the shipped layouts are not the player's to change.
TEST_F(LayoutEditorTest, AnEditedShippedLayoutIsSavedInThePlayersFolderAndTakesItsPlace) {
  const fs::path shipped = engine.Game().LayoutFile;
  const std::string before = board::testing::ReadAll(shipped);
  engine.SetUserDir((folder.path() / "player").string() + "/");
  BuildFlat();
  window.Name = "Traditional";
  editor.SaveAndExit(SaveChoice::Save);

  const fs::path own = folder.path() / "player" / "Layouts" / "Traditional.lay";
  ASSERT_TRUE(fs::exists(own));
  EXPECT_EQ(board::testing::ReadAll(shipped), before);
  EXPECT_EQ(engine.Game().LayoutFile, own);
  EXPECT_EQ(engine.LayoutCount(), 2);
  // Selecting it again, and the next start, play the player's copy.
  engine.ChooseLayout(1);
  engine.ChooseLayout(2);
  EXPECT_EQ(engine.Game().LayoutFile, own);
  EXPECT_EQ(engine.Game().Layout.Count(), 144);
  EXPECT_TRUE(engine.DiscoverLayouts(2));
  EXPECT_EQ(engine.Game().LayoutFile, own);
}

TEST_F(LayoutEditorTest, SaveAsOfAnInstalledCopyOpensInThePlayersLayoutsFolder) {
  engine.SetUserDir((folder.path() / "player").string() + "/");
  BuildFlat();
  window.Name = "Rows";
  screen.DialogAnswer = (folder.path() / "player" / "Layouts" / "Rows").string();
  editor.SaveAndExit(SaveChoice::SaveAs);
  ASSERT_EQ(screen.SaveDialogs.size(), 1u);
  EXPECT_EQ(screen.SaveDialogs[0].dir, (folder.path() / "player" / "Layouts").string() + "/");
  EXPECT_TRUE(fs::is_directory(folder.path() / "player" / "Layouts"));
  EXPECT_EQ(engine.Layouts().LayoutName(3), "Rows");
  // The next start lists it after the shipped layouts.
  EXPECT_TRUE(engine.DiscoverLayouts(3));
  EXPECT_EQ(engine.Layouts().LayoutName(3), "Rows");
  EXPECT_EQ(engine.Game().LayoutFile, folder.path() / "player" / "Layouts" / "Rows.lay");
}

TEST_F(LayoutEditorTest, ACancelledSaveDialogWritesNothingButPlaysTheLayout) {
  const std::vector<std::string> files = LayoutFiles();
  BuildFlat();
  screen.DialogAnswer.reset();
  editor.SaveAndExit(SaveChoice::SaveAs);
  EXPECT_EQ(screen.SaveDialogs.size(), 1u);
  EXPECT_EQ(LayoutFiles(), files);
  EXPECT_EQ(engine.LayoutCount(), 2);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_FALSE(window.Shown);
}

TEST_F(LayoutEditorTest, AFileThatCannotBeWrittenLeavesTheEditorOpenWithNothingLost) {
  BuildFlat();
  window.Name = "Rows";
  const fs::path current = engine.Game().LayoutFile;
  const std::string before = board::testing::ReadAll(current);
  const board::LayoutGrid built = engine.Game().Layout;
  const board::BoardState board = engine.Game().Board;
  screen.DialogAnswer = (folder.path() / "no such folder" / "Rows.lay").string();
  editor.SaveAndExit(SaveChoice::SaveAs);

  ASSERT_EQ(screen.Told.size(), 1u);
  EXPECT_NE(screen.Told[0].second.find("Rows.lay"), std::string::npos) << screen.Told[0].second;
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Editor));
  EXPECT_TRUE(window.Shown);
  EXPECT_EQ(engine.Game().Layout, built);
  EXPECT_EQ(engine.Game().Board.TilePlaces, board.TilePlaces);
  EXPECT_EQ(editor.TilesToPlace, 0);
  EXPECT_EQ(engine.Game().LayoutFile, current);  // "Save" still goes to the old file
  EXPECT_EQ(engine.LayoutCount(), 2);
  EXPECT_EQ(board::testing::ReadAll(current), before);

  // The player saves again, where it can be written.
  screen.DialogAnswer = (folder.path() / "Layouts" / "Rows.lay").string();
  editor.SaveAndExit(SaveChoice::SaveAs);
  EXPECT_TRUE(fs::exists(folder.path() / "Layouts" / "Rows.lay"));
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.LayoutCount(), 3);
}

TEST_F(LayoutEditorTest, ExitDiscardsEveryChangeAndPlaysTheTickedLayoutAgain) {
  const board::LayoutGrid turtle = engine.Game().Layout;
  const std::string file = board::testing::ReadAll(engine.Game().LayoutFile);
  editor.EditLayout();
  RightClickTile(engine.Game().Board.Board.At(16, 10, 5));
  EXPECT_TRUE(editor.MoveBoardDown());
  window.Name = "Changed";
  editor.CancelEditing();

  EXPECT_FALSE(window.Shown);
  EXPECT_TRUE(window.ModeAtHide.Running(game::GameKind::Solitaire));
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.EditorCursor(), (Cell{-1, -1, -1}));
  EXPECT_EQ(engine.Game().Layout, turtle);
  EXPECT_EQ(engine.Game().LayoutName, "Traditional");
  EXPECT_EQ(engine.StatusMessage(), "Layout TRADITIONAL selected.");
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_EQ(board::testing::ReadAll(engine.Game().LayoutFile), file);

  // The same after "Create Layout", which had emptied the layout and renamed it.
  editor.CreateLayout();
  ClickCell({10, 6, 1});
  editor.CancelEditing();
  EXPECT_EQ(engine.Game().Layout, turtle);
  EXPECT_EQ(engine.Game().LayoutName, "Traditional");
}

TEST_F(LayoutEditorTest, ExitWhenTheLayoutFileHasGoneStillEndsOnThePreviousLayout) {
  editor.EditLayout();
  RightClickTile(engine.Game().Board.Board.At(16, 10, 5));
  fs::remove(folder.path() / "Layouts" / "Traditional.lay");
  fs::remove(folder.path() / "Layouts" / "Flat.lay");
  editor.CancelEditing();
  // The loader told why; the game runs on the layout as it was before.
  EXPECT_FALSE(screen.Told.empty());
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(engine.Game().Layout, board::testing::Turtle());
  EXPECT_EQ(engine.Game().Board.TilesLeft, 144);
  EXPECT_FALSE(window.Shown);
}

TEST_F(LayoutEditorTest, EditorCommandsOutsideTheEditorDoNothing) {
  engine.NewRandomGame();
  const board::LayoutGrid layout = engine.Game().Layout;
  EXPECT_FALSE(editor.MoveBoardLeft());
  EXPECT_FALSE(editor.AddPlace(100, 100));
  editor.SaveAndExit(SaveChoice::Save);
  editor.CancelEditing();
  EXPECT_EQ(engine.Game().Layout, layout);
  EXPECT_TRUE(engine.Game().Running(game::GameKind::Solitaire));
  EXPECT_EQ(window.HideCalls, 0);
  EXPECT_TRUE(screen.Told.empty());
}

// The editor by keys: the arrows and Page Up and Down move the place cursor,
// Space adds a place there, Delete removes the one under it.
class EditorKeysTest : public LayoutEditorTest {
 protected:
  bool Press(game::BoardKey key) { return engine.OnBoardKey(key); }
  Cell CursorCell() const {
    return Cell{engine.EditorCursor().x + 1, engine.EditorCursor().y + 1, engine.EditorCursor().z + 1};
  }
};

TEST_F(EditorKeysTest, PlacesAndRemovesTilesByKeys) {
  using game::BoardKey;
  using game::PlaceCursorStart;
  editor.CreateLayout();
  ASSERT_TRUE(engine.Game().Running(game::GameKind::Editor));
  EXPECT_EQ(engine.EditorCursor(), (Cell{-1, -1, -1}));
  // The first key shows the place cursor in the middle of the floor.
  EXPECT_TRUE(Press(BoardKey::Right));
  EXPECT_EQ(CursorCell(), PlaceCursorStart);
  Press(BoardKey::Activate);
  const Cell first = PlaceCursorStart;
  EXPECT_NE(TileAt(first), 0);
  EXPECT_EQ(editor.TilesToPlace, 143);

  // Half a tile right: the place would overlap: refused, heard.
  Press(BoardKey::Right);
  Press(BoardKey::Activate);
  EXPECT_EQ(editor.TilesToPlace, 143);
  EXPECT_EQ(sound.Last(), "noway");
  // A whole tile right: a second place.
  Press(BoardKey::Right);
  Press(BoardKey::Activate);
  EXPECT_EQ(editor.TilesToPlace, 142);
  // Up a layer over the gap between them: carried by both.
  Press(BoardKey::Left);
  Press(BoardKey::LayerUp);
  EXPECT_EQ(CursorCell(), (Cell{first.x + 1, first.y, 2}));
  Press(BoardKey::Activate);
  EXPECT_EQ(editor.TilesToPlace, 141);
  // Nothing to stand on a layer higher and far off.
  Press(BoardKey::LayerUp);
  for (int i = 0; i < 4; ++i) Press(BoardKey::Down);
  Press(BoardKey::Activate);
  EXPECT_EQ(editor.TilesToPlace, 141);

  // A lower place with one on it stays; the upper one goes.
  Press(BoardKey::LayerDown);
  Press(BoardKey::LayerDown);
  for (int i = 0; i < 4; ++i) Press(BoardKey::Up);
  Press(BoardKey::Left);
  EXPECT_EQ(CursorCell(), first);
  Press(BoardKey::Delete);
  EXPECT_EQ(editor.TilesToPlace, 141);
  Press(BoardKey::LayerUp);
  Press(BoardKey::Delete);  // half a tile off, the place on layer 2 still goes
  EXPECT_EQ(editor.TilesToPlace, 142);
  Press(BoardKey::LayerDown);
  Press(BoardKey::Delete);
  EXPECT_EQ(editor.TilesToPlace, 143);
  EXPECT_EQ(TileAt(first), 0);
  // A key-moved cursor stays where the keys put it after a change.
  EXPECT_EQ(CursorCell(), first);
  EXPECT_EQ(engine.CursorDescription(), "Layer 1, column 17, row 10, empty");
  Press(BoardKey::Activate);
  EXPECT_EQ(engine.CursorDescription(), "Layer 1, column 17, row 10, place");
  // Tab, Home and Escape are not the editor's.
  EXPECT_FALSE(Press(BoardKey::NextFree));
  EXPECT_FALSE(Press(BoardKey::Escape));
}

}  // namespace
