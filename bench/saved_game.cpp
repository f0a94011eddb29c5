// Cost of keeping the game in hand on disk. It is written after every move:
// what the move pays (its text, the check that it reads back, handing it to
// the writer's thread) must stay well under a millisecond; the replacement
// of the file, flushed to the disk, happens on that thread. Also the reading
// done at start-up.
#include "game/saved_game.h"

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "../tests/board/test_layouts.h"
#include "base/file_io.h"
#include "base/latest_file_writer.h"
#include "board/dealing.h"

namespace {

// Game 2024 on the turtle, thirty pairs in.
game::SavedGame MidGame() {
  game::SavedGame saved;
  game::GameState& s = saved.State;
  s.Layout = board::testing::Turtle();
  s.BoardNumber = s.SavedLayoutNumber = 1;
  s.Kind = game::GameKind::Solitaire;
  s.Phase = game::GamePhase::Running;
  s.Clock.PausedElapsed = 300000;
  board::DealRequest request;
  request.Seed = board::SeedChoice::Exact(2024);
  request.Winnable = true;
  const board::DealResult dealt = board::Deal(s.Board, s.Layout, s.Generator, request);
  s.Board.TileCount = s.Board.TilesLeft;
  for (int i = 0; i < 60 && i < dealt.Order.Count; ++i) {
    const board::Cell c = dealt.Order.RemovalPairs[i];
    const int t = s.Board.Board.At(c.x, c.y, c.z);
    s.History[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(t), c.x, c.y, c.z};
    s.Board.TakeTile(t);
    --s.Board.TilesLeft;
  }
  saved.LayoutFileName = "Turtle.lay";
  return saved;
}

// A folder beside the build's programs (the disk the player's files are on
// is what counts; $SORAMI_BENCH_DIR chooses another one).
std::string BenchFolder() {
  const char* chosen = std::getenv("SORAMI_BENCH_DIR");
  std::string folder = chosen != nullptr && *chosen != '\0' ? chosen : "saved-game-bench";
  if (!base::IsFolder(folder)) mkdir(folder.c_str(), 0755);
  return folder;
}

void BM_SavedGameText(benchmark::State& state) {
  const game::SavedGame saved = MidGame();
  for (auto _ : state) benchmark::DoNotOptimize(game::SavedGameText(saved));
}
BENCHMARK(BM_SavedGameText);

// What a move costs the game: the checked text handed to the writer.
void BM_KeepGameAfterMove(benchmark::State& state) {
  const game::SavedGame saved = MidGame();
  const std::string path = base::JoinPath(BenchFolder(), game::CurrentGameFileName);
  base::LatestFileWriter writer;
  std::string text;
  for (auto _ : state) {
    if (game::PrepareSavedGame(saved, text).has_value()) state.SkipWithError("refused");
    writer.Replace(path, text);
  }
  writer.Flush();
}
BENCHMARK(BM_KeepGameAfterMove)->Unit(benchmark::kMicrosecond);

// The writer's part, and "Save Game As...": the checked text and the
// replacement of the file through a temporary file flushed to the disk.
void BM_WriteSavedGameFile(benchmark::State& state) {
  const game::SavedGame saved = MidGame();
  const std::string path = base::JoinPath(BenchFolder(), game::CurrentGameFileName);
  for (auto _ : state) {
    if (game::WriteSavedGameFile(path, saved).has_value()) state.SkipWithError("not written");
  }
}
BENCHMARK(BM_WriteSavedGameFile)->Unit(benchmark::kMicrosecond);

void BM_ReadSavedGameText(benchmark::State& state) {
  const std::string text = game::SavedGameText(MidGame());
  for (auto _ : state) benchmark::DoNotOptimize(game::ReadSavedGameText(text, "bench"));
}
BENCHMARK(BM_ReadSavedGameText);

}  // namespace

BENCHMARK_MAIN();
