// sorami-tool autoplay: plays a whole game through the engine's pointer
// input with a clock that moves 2 seconds per click, and reports the end.
//
//   autoplay LAYOUT --seed N [--hall FILE]          one-player, winnable deal of game N
//   autoplay --mode MODE --seed N [LAYOUT] [--hall FILE]
//     MODE: solitaire, two-player (LAYOUT needed), rivers-easy, rivers-hard,
//     memory-easy, memory-hard (N seeds the generator in place of the clock)
//
// Exit status 0 when the game was won: board empty and its end handled (with
// the hall-of-fame entry made when the time qualifies).
#include <string>

#include "game/autoplay.h"
#include "engine_session.h"

namespace tool {
namespace {

// The mode as the output has always numbered it: 0 idle, 1 one-player
// solitaire, 2 two players, 3 Rivers, 4 Memory, 5 the editor, 6 finished,
// 7 stopped, 8 paused.
int ModeCode(const game::GameState& game) {
  switch (game.Phase) {
    case game::GamePhase::Idle: return 0;
    case game::GamePhase::Finished: return 6;
    case game::GamePhase::Stopped: return 7;
    case game::GamePhase::Paused: return 8;
    case game::GamePhase::Running: break;
  }
  switch (game.Kind) {
    case game::GameKind::None: return 0;
    case game::GameKind::Solitaire: return 1;
    case game::GameKind::TwoPlayer: return 2;
    case game::GameKind::Rivers: return 3;
    case game::GameKind::Memory: return 4;
    case game::GameKind::Editor: return 5;
  }
  return 0;
}

constexpr const char* Name = "autoplay";
constexpr const char* Usage =
    "autoplay [--mode solitaire|two-player|rivers-easy|rivers-hard|memory-easy|memory-hard] --seed N [LAYOUT] "
    "[--hall FILE]";

int RunAutoplay(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--mode", "--hall"}, Name, Usage)) return 2;
  const Args files = Positional(args, {"--seed", "--mode", "--hall"});
  const std::string* seedText = FlagValue(args, "--seed");
  const std::string* modeText = FlagValue(args, "--mode");
  const std::string* hallFile = FlagValue(args, "--hall");
  const std::string mode = modeText ? *modeText : "solitaire";
  const bool solitaire = mode == "solitaire" || mode == "two-player";
  const bool rivers = mode == "rivers-easy" || mode == "rivers-hard";
  const bool memory = mode == "memory-easy" || mode == "memory-hard";
  if (!solitaire && !rivers && !memory) return Fail(Name, "unknown mode '" + mode + "'\nusage: sorami-tool " + Usage);
  if (seedText == nullptr || files.size() > 1 || (solitaire && files.size() != 1))
    return Fail(Name, std::string("usage: sorami-tool ") + Usage);
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

  game::AutoplayHooks hooks;
  hooks.AfterClick = [&session] {
    session.clock.Tick += 2000;
    session.engine.Tick();
  };
  hooks.Tick = [&session] { session.Tick(); };

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
  session.Tick();  // the timer notices the empty board
  session.SettleStatus();

  std::printf("status: %s\n", session.screen.Status.c_str());
  std::printf("tiles left: %d\n", engine.Game().Board.TilesLeft);
  if (engine.Game().Phase == game::GamePhase::Finished && mode == "two-player") {
    std::printf("player 1: %s\nplayer 2: %s\n", engine.PlayerTimeText(1).c_str(), engine.PlayerTimeText(2).c_str());
  } else {
    std::printf("time: %s\n", game::TimeText(engine.GameTime()).c_str());
  }
  std::printf("mode: %d\n", ModeCode(engine.Game()));
  if (rivers) std::printf("shuffles: %d\n", result.Shuffles);
  if (engine.Hall().RankReached() > 0) std::printf("hall of fame: rank %d\n", engine.Hall().RankReached());

  if (hallFile != nullptr) {
    engine.SaveHallOfFame(hall);
    if (const auto error = hall.Save()) return Fail(Name, *error);
  }
  const bool won = result.Cleared && engine.Game().Board.TilesLeft == 0 && engine.Game().GameOverHandled;
  return won ? 0 : 1;
}

Registration reg{Name, Usage, &RunAutoplay};

}  // namespace
}  // namespace tool
