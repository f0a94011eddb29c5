// sorami-tool resume: opens a saved game and plays it to its end through
// the engine, as autoplay does, printing what autoplay prints.
//
//   resume FILE [--layouts DIR] [--hall FILE]
//
// The layout the game was played on is looked for by its file name in DIR,
// beside FILE, then in the game's own Layouts folder. Exit status 0 when the
// game was won, 1 when it was not, 2 for a file that cannot be opened (the
// reason on stderr).
#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "engine_session.h"
#include "game/autoplay.h"
#include "game/game_keeper.h"
#include "game/saved_game.h"
#include "program_files.h"

namespace tool {
namespace {

constexpr const char* Name = "resume";
constexpr const char* Usage = "resume FILE [--layouts DIR] [--hall FILE]";

int RunResume(const Args& args) {
  if (!OnlyKnownOptions(args, {"--layouts", "--hall"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--layouts", "--hall"});
  if (files.size() != 1) return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  const std::string* layoutsDir = FlagValue(args, "--layouts");
  const std::string* hallFile = FlagValue(args, "--hall");

  game::SavedGameRead read = game::ReadSavedGameFile(files[0]);
  if (!read) return Fail(Name, read.Error.Message);

  Session session;
  game::Engine& engine = session.engine;
  const std::string& layoutName = read.Game->LayoutFileName;
  if (!layoutName.empty()) {
    std::vector<std::string> folders;
    if (layoutsDir != nullptr) folders.push_back(*layoutsDir);
    folders.push_back(base::ParentOf(base::AbsolutePath(files[0])));
    folders.push_back((ProgramDir() / "Layouts").string());
    for (const std::string& folder : folders) {
      const std::string candidate = base::JoinPath(folder, layoutName);
      if (!base::IsFile(candidate)) continue;
      if (!session.LoadLayout(Name, candidate)) return 2;
      break;
    }
  }
  base::IniFile hall;
  if (hallFile != nullptr) {
    if (!hall.Open(*hallFile)) return Fail(Name, hall.LoadError());
    engine.LoadHallOfFame(hall);
  }
  if (const auto problem = game::OpenGame(engine, std::move(*read.Game), files[0])) return Fail(Name, *problem);
  // A paused game goes on as the player would go on with it.
  if (engine.Game().Phase == game::GamePhase::Paused) engine.TogglePause();

  const game::AutoplayResult result = game::PlayToTheEnd(engine, session.PlayHooks());
  const bool won = session.Report(result);
  if (hallFile != nullptr) {
    engine.SaveHallOfFame(hall);
    if (const auto error = hall.Save()) return Fail(Name, *error);
  }
  return won ? 0 : 1;
}

Registration reg{Name, Usage, &RunResume};

}  // namespace
}  // namespace tool
