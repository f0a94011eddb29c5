// sorami-tool autoplay: plays a whole game through the engine's pointer
// input with a clock that moves 2 seconds per click, and reports the end.
//
//   autoplay LAYOUT --seed N [--hall FILE] [--keys]  one-player, winnable deal of game N
//   autoplay --mode MODE --seed N [LAYOUT] [--hall FILE] [--keys]
//     MODE: solitaire, two-player (LAYOUT needed), rivers-easy, rivers-hard,
//     memory-easy, memory-hard (N seeds the generator in place of the clock)
//   --keys: by key presses only, through the keys the window passes to the
//     engine: the arrows, Tab, Home and End move the cursor, Space picks.
//   ... --stop-after K --save FILE
//     stops once K pairs are taken and saves the game in progress to FILE
//     (sorami-tool resume plays it on)
//
// Exit status 0 when the game was won: board empty and its end handled (with
// the hall-of-fame entry made when the time qualifies); with --save, 0 once
// the game is saved.
#include <string>

#include "game/autoplay.h"
#include "engine_session.h"
#include "game/game_keeper.h"

namespace tool {
namespace {

constexpr const char* Name = "autoplay";
constexpr const char* Usage =
    "autoplay [--mode solitaire|two-player|rivers-easy|rivers-hard|memory-easy|memory-hard] --seed N [LAYOUT] "
    "[--hall FILE] [--keys] [--stop-after K --save FILE]";

int RunAutoplay(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--mode", "--hall", "--keys", "--stop-after", "--save"}, Name, Usage))
    return 2;
  const Args files = Positional(args, {"--seed", "--mode", "--hall", "--stop-after", "--save"});
  const std::string* seedText = FlagValue(args, "--seed");
  const std::string* modeText = FlagValue(args, "--mode");
  const std::string* hallFile = FlagValue(args, "--hall");
  const std::string* stopText = FlagValue(args, "--stop-after");
  const std::string* saveFile = FlagValue(args, "--save");
  const std::string mode = modeText ? *modeText : "solitaire";
  const bool solitaire = mode == "solitaire" || mode == "two-player";
  const bool rivers = mode == "rivers-easy" || mode == "rivers-hard";
  const bool memory = mode == "memory-easy" || mode == "memory-hard";
  if (!solitaire && !rivers && !memory) return Fail(Name, "unknown mode '" + mode + "'\nusage: sorami-tool " + Usage);
  if (seedText == nullptr || files.size() > 1 || (solitaire && files.size() != 1))
    return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  long long stopAfter = -1;
  if (stopText != nullptr && (!ParseInt64(*stopText, stopAfter) || stopAfter < 0 || stopAfter > board::MaxTiles / 2))
    return Fail(Name, "'" + *stopText + "' is not a number of pairs (0 to 72)");
  std::uint32_t seed = 0;
  long long gameNumber = 0;
  if (solitaire) {
    // A game number: 1 to 2147483647.
    if (!ParseInt64(*seedText, gameNumber) || gameNumber < 1 || gameNumber > 2147483647LL)
      return Fail(Name, "'" + *seedText + "' is not a game number (1 to 2147483647)");
  } else if (!ParseSeed(*seedText, seed)) {
    return Fail(Name, "'" + *seedText + "' is not a 32-bit seed");
  }

  Session session;
  game::Engine& engine = session.engine;
  if (!files.empty() && !session.LoadLayout(Name, files[0])) return 2;

  // The hall of fame: the layout's table and the four variant tables.
  base::IniFile hall;
  if (hallFile != nullptr) {
    if (!hall.Open(*hallFile)) return Fail(Name, hall.LoadError());
    engine.LoadHallOfFame(hall);
  }

  game::AutoplayHooks hooks = session.PlayHooks();
  if (HasFlag(args, "--keys")) hooks.Input = game::AutoplayInput::Keys;
  // --stop-after K: the game stops, in progress, once K pairs are taken.
  if (stopAfter >= 0) hooks.KeepPlaying = [&engine, stopAfter] { return engine.Game().MovesMade() < stopAfter; };

  game::AutoplayResult result;
  if (solitaire) {
    engine.MutableOptions().Winnable = true;
    engine.MutableOptions().NumberedGames = true;
    engine.MutableGame().GameSeed = static_cast<std::int32_t>(gameNumber);
    if (mode == "two-player")
      engine.NewTwoPlayerGame();
    else
      engine.BeginGame();
    if (engine.LastDealOutcome() != board::DealOutcome::Winnable)
      return Fail(Name, "no removal order exists for this layout; nothing to play");
    result = game::PlayRemovalOrder(engine, hooks);
  } else {
    engine.SetClockSeedOverride(seed);
    const bool easy = mode.ends_with("easy");
    if (rivers) {
      StartRivers(engine, easy);
      result = game::PlayRivers(engine, hooks);
    } else {
      StartMemory(engine, easy);
      result = game::PlayMemory(engine, hooks);
    }
  }
  const bool won = session.Report(result);
  if (saveFile != nullptr) {
    if (const auto error = game::SaveGameFile(engine, *saveFile)) return Fail(Name, *error);
  }
  std::printf("mode: %d\n", ModeCode(engine.Game()));
  if (rivers) std::printf("shuffles: %d\n", result.Shuffles);
  if (hooks.Input == game::AutoplayInput::Keys) std::printf("key presses: %d\n", result.KeyPresses);
  if (engine.Hall().RankReached() > 0) std::printf("hall of fame: rank %d\n", engine.Hall().RankReached());

  if (hallFile != nullptr) {
    engine.SaveHallOfFame(hall);
    if (const auto error = hall.Save()) return Fail(Name, *error);
  }
  return won || saveFile != nullptr ? 0 : 1;
}

Registration reg{Name, Usage, &RunAutoplay};

}  // namespace
}  // namespace tool
