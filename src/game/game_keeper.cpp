#include "game/game_keeper.h"

#include <string_view>
#include <utility>

#include "base/file_io.h"
#include "base/texts.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "game/engine.h"

namespace game {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsSolitaireKind(GameKind kind) { return kind == GameKind::Solitaire || kind == GameKind::TwoPlayer; }

// What the timer does half a second after a Memory pair was turned: a pair
// leaves the board, two tiles of different groups turn back for two seconds
// of penalty.
void JudgeTurnedPair(GameState& game) {
  if (game.Kind != GameKind::Memory || game.Reveal.Countdown <= 0) return;
  game.Reveal.Countdown = 0;
  const int a = game.Picks.First;
  const int b = game.Picks.Second;
  game.Picks.First = game.Picks.Second = 0;
  if (a == 0 || b == 0 || a == b) return;
  board::BoardState& board = game.Board;
  if (board::Group(a) != board::Group(b)) {
    game.Clock.Penalty += 2;
    return;
  }
  const int e = board.TileCount - board.TilesLeft;
  if (e >= 0 && e + 1 < board::MaxTiles) {
    const board::Cell pa = board.TilePlaces[a];
    const board::Cell pb = board.TilePlaces[b];
    game.History[static_cast<std::size_t>(e)] = {static_cast<std::uint8_t>(a), pa.x, pa.y, pa.z};
    game.History[static_cast<std::size_t>(e + 1)] = {static_cast<std::uint8_t>(b), pb.x, pb.y, pb.z};
  }
  board.TakeTile(a);
  board.TakeTile(b);
  board.TilesLeft -= 2;
}

// The layout file holds the places the game is played on.
bool LayoutIsItsFile(const GameState& game) {
  board::LayoutGrid onDisk;
  try {
    board::LoadLayout(game.LayoutFile, onDisk);
  } catch (const board::LayoutFileError&) {
    return false;
  }
  return onDisk == game.Layout;
}

// What tells two keepings of one game apart, whatever its clocks say: the
// text without its "clock" and "turns" lines.
std::string WithoutClocks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + from, end - from);
    if (!line.starts_with("clock ") && !line.starts_with("turns ")) out += line;
    from = end;
  }
  return out;
}

}  // namespace

std::optional<SavedGame> SaveableGame(const Engine& engine) {
  SavedGame saved;
  saved.State = engine.Snapshot();
  JudgeTurnedPair(saved.State);
  if (!IsResumable(saved.State)) return std::nullopt;
  saved.LayoutFileName = base::FileNameOf(saved.State.LayoutFile);
  saved.VerticalRule = engine.Opt().Vertical;
  return saved;
}

std::optional<std::string> OpenGame(Engine& engine, SavedGame saved, const std::string& shownName) {
  GameState& s = saved.State;
  // The layout of the list whose file has the saved name.
  const board::LayoutList& list = engine.Layouts();
  const std::string layoutsDir = base::JoinPath(engine.ProgramDir(), "Layouts");
  int number = 0;
  std::string file;
  for (int i = 1; i <= list.LayoutCount() && number == 0 && !saved.LayoutFileName.empty(); ++i) {
    const board::Selection selection = board::SelectLayout(list, layoutsDir, i);
    if (base::FileNameOf(selection.CurrentLayoutFile) != saved.LayoutFileName) continue;
    number = i;
    file = selection.CurrentLayoutFile;
  }
  board::LayoutGrid places;
  std::string name;
  std::string problem;
  if (number > 0) {
    try {
      name = board::LoadLayout(file, places);
    } catch (const board::LayoutFileError& error) {
      problem = error.what();
    }
  }
  const bool sameLayout = number > 0 && problem.empty() && places == s.Layout;

  if (IsSolitaireKind(s.Kind)) {
    if (number == 0)
      return base::Format(base::Translate("SavedGame",
                                          "The game %1 was played on the layout %2, which is no longer in the "
                                          "Layout menu."),
                          {Quoted(shownName), Quoted(saved.LayoutFileName)});
    if (!problem.empty())
      return base::Format(base::Translate("SavedGame", "The game %1 cannot be opened: %2"),
                          {Quoted(shownName), problem});
    if (!sameLayout)
      return base::Format(base::Translate("SavedGame",
                                          "The layout %2 has changed since the game %1 was saved: the game cannot "
                                          "go on on it."),
                          {Quoted(shownName), Quoted(saved.LayoutFileName)});
    s.BoardNumber = number;
    s.SavedLayoutNumber = number;
  } else if (sameLayout) {
    s.SavedLayoutNumber = number;
  } else {
    // Rivers and Memory need no layout: the one in hand stays for the next
    // solitaire game.
    const GameState& inHand = engine.Game();
    s.Layout = inHand.Layout;
    file = inHand.LayoutFile;
    name = inHand.LayoutName;
    s.SavedLayoutNumber = engine.CheckedLayout();
  }
  s.LayoutFile = file;
  s.LayoutName = name;
  engine.MutableOptions().Vertical = saved.VerticalRule;
  engine.Restore(s);
  return std::nullopt;
}

std::optional<std::string> OpenGameFile(Engine& engine, const std::string& path) {
  SavedGameRead read = ReadSavedGameFile(path);
  if (!read) return read.Error.Message;
  return OpenGame(engine, std::move(*read.Game), path);
}

std::optional<std::string> SaveGameFile(const Engine& engine, const std::string& path) {
  const std::optional<SavedGame> saved = SaveableGame(engine);
  if (!saved) return base::Translate("SavedGame", "There is no game in progress to save.");
  if (IsSolitaireKind(saved->State.Kind) && !LayoutIsItsFile(saved->State))
    return base::Translate("SavedGame",
                           "This game is played on a layout that has not been saved: save the layout in the editor "
                           "first.");
  if (const auto error = WriteSavedGameFile(path, *saved)) return error->Message;
  return std::nullopt;
}

// ---------------------------------------------------------------- the keeper

GameKeeper::GameKeeper(std::string path) : path_(std::move(path)) {}

std::optional<std::string> GameKeeper::TakeFailure() {
  if (failure_) return std::exchange(failure_, std::nullopt);
  return writer_.TakeFailure();
}

bool GameKeeper::LayoutMatchesItsFile(const GameState& game) {
  if (game.LayoutFile != checkedFile_ || !(game.Layout == checkedLayout_)) {
    checkedFile_ = game.LayoutFile;
    checkedLayout_ = game.Layout;
    checkedMatches_ = LayoutIsItsFile(game);
  }
  return checkedMatches_;
}

void GameKeeper::Update(const Engine& engine) {
  std::optional<SavedGame> saved = SaveableGame(engine);
  if (saved && IsSolitaireKind(saved->State.Kind) && !LayoutMatchesItsFile(saved->State)) saved.reset();
  if (saved) {
    std::string key = WithoutClocks(SavedGameText(*saved));
    if (kept_ && key == keptKey_) return;
    std::string text;
    const std::optional<SavedGameError> refused = PrepareSavedGame(*saved, text);
    if (!refused) {
      writer_.Replace(path_, std::move(text));
      kept_ = true;
      keptKey_ = std::move(key);
      fileMayExist_ = true;
      return;
    }
    failure_ = refused->Message;
  }
  // No game to keep (or one that would not read back): no file, rather than
  // an older game that would come back in its place.
  if (!kept_ && !fileMayExist_) return;
  writer_.Remove(path_);
  kept_ = false;
  keptKey_.clear();
  fileMayExist_ = false;
}

void GameKeeper::Finish(const Engine& engine) {
  // The clocks as they stand now, even when nothing else changed.
  kept_ = false;
  Update(engine);
  writer_.Flush();
}

GameKeeper::Resumed GameKeeper::Resume(Engine& engine, std::string& message) {
  if (!base::Exists(path_)) {
    fileMayExist_ = false;
    return Resumed::Nothing;
  }
  SavedGameRead read = ReadSavedGameFile(path_);
  std::optional<std::string> problem = read ? OpenGame(engine, std::move(*read.Game), path_) : read.Error.Message;
  if (problem) {
    // Set aside, so that the next game does not write over it.
    base::RenameFile(path_, path_ + ".refused");
    fileMayExist_ = false;
    message = *problem;
    return Resumed::Refused;
  }
  // What was read is on the disk already.
  if (const std::optional<SavedGame> resumed = SaveableGame(engine)) {
    kept_ = true;
    keptKey_ = WithoutClocks(SavedGameText(*resumed));
  }
  fileMayExist_ = true;
  return Resumed::Resumed;
}

}  // namespace game
