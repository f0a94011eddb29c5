#include "editor/layout_editor.h"

#include <optional>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "board/geometry.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "base/texts.h"
#include "base/ini_file.h"
#include "game/user_folders.h"

namespace editor {

namespace {

// Is any of the nine anchors (x-1..x+1, y-1..y+1) on layer z taken? A place
// anchored there would share cells with a tile at (x, y, z).
bool AnyAnchorAround(const board::Grid& g, int x, int y, int z) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (g.At(x + dx, y + dy, z) != 0) return true;
  return false;
}

bool IsShp(const std::string& file) { return file.find(".shp") != std::string::npos; }

}  // namespace

LayoutEditor::LayoutEditor(game::Engine& engine, game::ScreenPort& screen, EditorWindowPort& window)
    : engine_(engine), screen_(screen), window_(window) {
  engine_.SetEditorClick([this](game::MouseButton button, int px, int py, int tile) {
    Click(button, px, py, tile);
  });
  engine_.SetEditorKey([this](game::BoardKey key, board::Cell cursor) { KeyPressed(key, cursor); });
}

LayoutEditor::~LayoutEditor() {
  engine_.SetEditorClick(nullptr);
  engine_.SetEditorKey(nullptr);
}

// ---------------------------------------------------------------- opening

void LayoutEditor::CreateLayout() { OpenEditor(true); }

void LayoutEditor::EditLayout() { OpenEditor(false); }

void LayoutEditor::OpenEditor(bool create) {
  game::Engine& e = engine_;
  if (!Active()) {
    // What "Exit" goes back to. Opening again from inside the editor keeps
    // the layout the editor was first opened on.
    layoutBefore_ = e.Game().Layout;
    nameBefore_ = e.Game().LayoutName;
  }
  e.SetMode(game::GameKind::Editor, game::GamePhase::Running);
  e.SetEditorCursor(board::Cell{-1, -1, -1});
  if (create) e.MutableGame().Layout.Clear();
  for (int t = 1; t <= board::MaxTiles; ++t) e.MutableGame().Board.TilePlaces[t] = board::Cell{};
  window_.ShowEditor();
  if (create) e.MutableGame().LayoutName = NewLayoutName;
  window_.SetLayoutNameField(e.Game().LayoutName);

  // Deal tile numbers onto the places through the fully random game: in the
  // editor's mode the deal only numbers the places and the mode stays.
  e.NewRandomGame();

  // A damaged layout can hold more than 144 places; the deal numbers the
  // first 144 only. The rest would be places nobody can see or remove, so
  // they are dropped and the layout is exactly what the board shows.
  if (e.Game().Layout.Count() > LayoutTiles) {
    for (int k = 0; k < board::LayoutFlagCount; ++k) {
      if (!e.Game().Layout.Flag(k)) continue;
      const int x = k % board::MaxX + 1, y = (k / board::MaxX) % board::MaxY + 1,
                z = k / (board::MaxX * board::MaxY) + 1;
      if (e.Game().Board.Board.At(x, y, z) == 0) e.MutableGame().Layout.SetFlag(k, 0);
    }
  }
  TilesToPlace = LayoutTiles - e.Game().Layout.Count();
  ShowCounter();
  // After the deal, so that no deal notice stands in the editor's status line.
  e.ShowStatus(EditorStatusText);
}

void LayoutEditor::ShowCounter() { window_.ShowTilesToPlace(TilesToPlace); }

void LayoutEditor::CloseEditor() {
  engine_.SetEditorCursor(board::Cell{-1, -1, -1});
  window_.HideEditor();
}

// ---------------------------------------------------------------- placing and removing

void LayoutEditor::Click(game::MouseButton button, int px, int py, int tile) {
  if (!Active()) return;
  if (button == game::MouseButton::Left)
    AddPlace(px, py);
  else if (button == game::MouseButton::Right)
    RemovePlace(tile);
}

void LayoutEditor::KeyPressed(game::BoardKey key, board::Cell cursor) {
  if (!Active()) return;
  bool done = false;
  if (key == game::BoardKey::Activate)
    done = AddPlaceAt(cursor);
  else if (key == game::BoardKey::Delete)
    done = RemovePlace(game::PlaceUnderCursor(engine_.Game().Board.Board, cursor));
  else
    return;
  // Without the pointer to see where a place could go, a refusal is heard.
  if (!done) engine_.PlaySound("noway");
}

bool LayoutEditor::AddPlace(int px, int py) {
  if (!Active() || TilesToPlace <= 0) return false;
  // The highest cell under the point where a tile could stand: on layer 1,
  // or over at least one tile of the layer below.
  const board::Cell cell = board::CellToAddAt(engine_.Game().Board.Board, px, py);
  if (cell.z == 0) return false;
  return AddPlaceAt(cell);
}

bool LayoutEditor::AddPlaceAt(board::Cell cell) {
  if (!Active() || TilesToPlace <= 0) return false;
  if (!board::Grid::InRange(cell.x, cell.y, cell.z)) return false;
  board::BoardState& s = engine_.MutableGame().Board;
  // A tile stands on the floor or over at least one tile of the layer below.
  if (cell.z > 1 && !AnyAnchorAround(s.Board, cell.x, cell.y, cell.z - 1)) return false;
  if (AnyAnchorAround(s.Board, cell.x, cell.y, cell.z)) return false;
  // The lowest tile number not on the board.
  int t = 1;
  while (t <= board::MaxTiles && s.TilePlaces[t] != board::Cell{}) ++t;
  if (t > board::MaxTiles) return false;
  s.PutTile(t, cell);
  ++s.TilesLeft;
  engine_.MutableGame().Layout.Set(cell.x, cell.y, cell.z, 1);
  engine_.FullRedraw();
  --TilesToPlace;
  ShowCounter();
  return true;
}

bool LayoutEditor::RemovePlace(int tile) {
  if (!Active() || TilesToPlace >= LayoutTiles) return false;
  if (tile < 1 || tile > board::MaxTiles) return false;
  board::BoardState& s = engine_.MutableGame().Board;
  const board::Cell c = s.TilePlaces[tile];
  if (!c.OnBoard()) return false;
  // A place with a tile of the layer above on it stays.
  if (c.z < board::MaxZ && AnyAnchorAround(s.Board, c.x, c.y, c.z + 1)) return false;
  engine_.MutableGame().Layout.Set(c.x, c.y, c.z, 0);
  s.TakeTile(tile);
  if (s.TilesLeft > 0) --s.TilesLeft;
  engine_.FollowPointerInEditor();
  engine_.FullRedraw();
  ++TilesToPlace;
  ShowCounter();
  return true;
}

// ---------------------------------------------------------------- moving

bool LayoutEditor::Move(int dx, int dy) {
  if (!Active()) return false;
  game::Engine& e = engine_;
  board::BoardState& s = e.MutableGame().Board;
  // The line the layout moves towards must be empty on every layer, so that
  // shifting loses no place.
  const int edgeX = dx < 0 ? 1 : board::MaxX;
  const int edgeY = dy < 0 ? 1 : board::MaxY;
  for (int z = 1; z <= board::MaxZ; ++z) {
    if (dx != 0)
      for (int y = 1; y <= board::MaxY; ++y)
        if (e.Game().Layout.Get(edgeX, y, z) || s.Board.At(edgeX, y, z)) return false;
    if (dy != 0)
      for (int x = 1; x <= board::MaxX; ++x)
        if (e.Game().Layout.Get(x, edgeY, z) || s.Board.At(x, edgeY, z)) return false;
  }
  board::Grid board;
  board::LayoutGrid layout;
  for (int z = 1; z <= board::MaxZ; ++z)
    for (int y = 1; y <= board::MaxY; ++y)
      for (int x = 1; x <= board::MaxX; ++x) {
        if (const std::uint8_t v = s.Board.At(x, y, z)) board.Set(x + dx, y + dy, z, v);
        if (e.Game().Layout.Get(x, y, z)) layout.Set(x + dx, y + dy, z, 1);
      }
  s.Board = board;
  e.MutableGame().Layout = layout;
  for (int t = 1; t <= board::MaxTiles; ++t) {
    board::Cell& c = s.TilePlaces[t];
    if (c.x > 0) c.x += dx;
    if (c.y > 0) c.y += dy;
  }
  // The place cursor is where the pointer is, over the board as it is now.
  e.FollowPointerInEditor();
  e.FullRedraw();
  screen_.UpdateNow();
  return true;
}

// ---------------------------------------------------------------- leaving

void LayoutEditor::SaveAndExit(SaveChoice choice) {
  if (!Active()) return;
  game::Engine& e = engine_;
  TilesToPlace = LayoutTiles - e.Game().Layout.Count();
  ShowCounter();
  if (TilesToPlace != 0) {
    screen_.Tell(MessageTitle, base::Translate("LayoutEditor", UnfinishedText));
    window_.ResetNameField();
    return;
  }
  const std::string nameBefore = e.Game().LayoutName;
  const std::string fileBefore = e.Game().LayoutFile;
  e.MutableGame().LayoutName = window_.LayoutNameField();
  if (choice == SaveChoice::SaveAs) e.MutableGame().LayoutFile.clear();
  if (choice != SaveChoice::TryIt && SaveLayout() == SaveOutcome::Failed) {
    // Nothing was written: the editor stays open as it was, so the player
    // can choose another file or free the disk and save again.
    e.MutableGame().LayoutName = nameBefore;
    e.MutableGame().LayoutFile = fileBefore;
    return;
  }
  e.SetMode(game::GameKind::None, game::GamePhase::Idle);
  CloseEditor();
  // The player plays the layout just built.
  e.BeginGame();
}

SaveOutcome LayoutEditor::SaveLayout() {
  game::Engine& e = engine_;
  std::string file = e.Game().LayoutFile;
  // An installed copy's shipped layouts cannot be changed: an edited one is
  // saved under its own name in the player's layouts folder, where it takes
  // the shipped one's place.
  const std::string ownFolder = e.UserLayoutsDir();
  if (!file.empty() && !ownFolder.empty() &&
      base::AbsolutePath(base::ParentOf(file)) == base::AbsolutePath(base::JoinPath(e.ProgramDir(), "Layouts"))) {
    game::MakeFolders(ownFolder);
    file = base::JoinPath(ownFolder, base::FileNameOf(file));
  }
  if (file.empty()) {
    if (!ownFolder.empty()) game::MakeFolders(ownFolder);
    const std::string folder = ownFolder.empty() ? base::JoinPath(e.ProgramDir(), "Layouts/") : ownFolder + "/";
    const std::optional<std::string> chosen = screen_.SaveFileDialog(
        base::Translate("LayoutEditor", SaveDialogTitle), base::Translate("LayoutEditor", SaveDialogFilter), folder);
    if (!chosen || chosen->empty()) return SaveOutcome::Cancelled;
    file = *chosen;
  }
  board::SaveResult saved;
  try {
    saved = board::SaveLayoutFile(e.MutableLayouts(), file, e.MutableGame().LayoutName, e.MutableGame().Layout);
  } catch (const board::LayoutFileError& error) {
    screen_.Tell(MessageTitle,
                 base::Format(base::Translate("LayoutEditor",
                                  "%1\nThe layout stays open in the editor: choose \"Save as...\" to save it "
                                  "under another name."),
                     {error.what()}));
    return SaveOutcome::Failed;
  }
  e.MutableGame().LayoutFile = saved.File;
  e.SetMode(game::GameKind::None, game::GamePhase::Idle);
  if (saved.ListFull) {
    screen_.Tell(MessageTitle, base::Format(base::Translate("LayoutEditor", "The layout was saved in %1, but the Layout menu "
                                                     "already holds %2 layouts, so it is not listed."),
                                    {saved.File, std::to_string(board::MaxLayouts)}));
    return SaveOutcome::Saved;
  }
  // The saved layout becomes the current one; its menu item takes the check
  // mark (a new one is appended to the menu by the window).
  e.MutableGame().BoardNumber = saved.BoardNumber;
  e.MutableGame().SavedLayoutNumber = saved.BoardNumber;
  if (saved.Registered) LoadHallOfFame(saved.BoardNumber, e.Layouts().LayoutName(saved.BoardNumber));
  return SaveOutcome::Saved;
}

void LayoutEditor::LoadHallOfFame(int table, const std::string& layoutName) {
  // The hall-of-fame file is written only at exit, so the file on disk holds
  // what the game read at start-up; a layout saved under a name used before
  // gets its old records back. Nothing is written here.
  const base::IniFile hallFile(
      base::JoinPath(engine_.UserDir().empty() ? engine_.ProgramDir() : engine_.UserDir(), "Hallfame.ini"));
  engine_.Hall().LoadSection(hallFile, table, layoutName);
}

void LayoutEditor::CancelEditing() {
  if (!Active()) return;
  game::Engine& e = engine_;
  // The layout file of the ticked menu item, as at start-up.
  e.MutableGame().LayoutFile = board::CurrentFileFor(e.MutableLayouts(), base::JoinPath(e.ProgramDir(), "Layouts"), e.MutableGame().BoardNumber);
  e.MutableGame().SavedLayoutNumber = e.Game().BoardNumber;
  e.SetMode(game::GameKind::Solitaire, game::GamePhase::Running);
  CloseEditor();
  // Every change is discarded: the layout goes back to what it was, so that
  // a file that cannot be read (or holds another header) still leaves the
  // game on the layout the editor was opened on.
  e.MutableGame().Layout = layoutBefore_;
  e.MutableGame().LayoutName = nameBefore_;
  bool readable = true;
  try {
    board::LayoutGrid probe;
    if (IsShp(e.Game().LayoutFile))
      board::ReadShpFile(e.Game().LayoutFile, probe);
    else
      board::ReadLayFile(e.Game().LayoutFile, probe);
  } catch (const board::LayoutFileError&) {
    readable = false;
  }
  // Loading shows "Layout ... selected." and starts a game; a file that
  // cannot be read is reported by the loader, which starts nothing.
  if (IsShp(e.Game().LayoutFile))
    e.StartShpLayout();
  else
    e.StartLayoutFile(e.Game().LayoutFile);
  if (!readable) e.BeginGame();
}

}  // namespace editor
