// sorami-tool panel: writes the hall-of-fame side panel of one table as the
// game would show it.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "board/layout_list.h"
#include "command.h"
#include "game/hall_of_fame.h"
#include "base/ini_file.h"
#include "program_files.h"
#include "view/hall_panel.h"
#include "view/picture_file.h"

namespace tool {
namespace {

constexpr const char* Name = "panel";
constexpr const char* Usage = "panel --hall FILE --table N [--rank R] [--two-player] [--show-tile] --out panel.png";

namespace fs = std::filesystem;

bool IsVariantTable(long long t) {
  return t == game::kRiversEasyTable || t == game::kRiversHardTable || t == game::kMemoryEasyTable ||
         t == game::kMemoryHardTable;
}

int RunPanel(const Args& args) {
  if (!OnlyKnownOptions(args, {"--hall", "--table", "--rank", "--two-player", "--show-tile", "--out"}, Name, Usage))
    return 2;
  const std::string* hall = FlagValue(args, "--hall");
  const std::string* tableText = FlagValue(args, "--table");
  const std::string* out = FlagValue(args, "--out");
  if (hall == nullptr || tableText == nullptr || out == nullptr)
    return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  std::error_code ec;
  if (!fs::is_regular_file(*hall, ec)) return Fail(Name, "no hall-of-fame file " + *hall);
  long long table = 0;
  if (!ParseInt64(*tableText, table)) return Fail(Name, "--table wants a number, not '" + *tableText + "'");

  // Table numbers below 100 are the layouts of the Layouts folder, in menu order.
  const board::DiscoveryResult found = board::DiscoverLayouts(ProgramDir() / "Layouts", -1);
  std::vector<std::string> names;
  for (const board::LayoutEntry& e : found.List.Entries) names.push_back(e.Name);
  if (!IsVariantTable(table) && (table < 1 || table > static_cast<long long>(names.size())))
    return Fail(Name, "table " + *tableText + " is neither a layout number (1.." +
                          std::to_string(names.size()) + ") nor 100, 101, 110 or 111");

  base::IniFile ini;
  if (!ini.Open(*hall)) return Fail(Name, ini.LoadError());
  game::HallOfFame fame;
  fame.Load(ini, names);

  view::PanelContent content;
  for (int rank = 1; rank <= game::kHallRanks; ++rank)
    content.Entries[rank - 1] = fame.Entry(static_cast<int>(table), rank);
  content.TwoPlayer = HasFlag(args, "--two-player");
  content.ShowCurrentTile = HasFlag(args, "--show-tile");
  if (const std::string* rank = FlagValue(args, "--rank")) {
    long long r = 0;
    if (!ParseInt64(*rank, r) || r < 0 || r > game::kHallRanks)
      return Fail(Name, "--rank wants 0 to 10, not '" + *rank + "'");
    content.RankReached = static_cast<int>(r);
  }

  // Text needs the font machinery; no screen is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "sorami-tool";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  view::HallPanel panel;
  const fs::path hof = ProgramDir() / "hof.bmp";
  if (fs::exists(hof, ec)) {
    QImage picture;
    std::string error;
    if (!view::DecodePicture(hof.string(), picture, error)) return Fail(Name, error);
    panel.SetHofPic(picture);
  }
  panel.ShowHallPanel(content);
  // The banner as it stands at the start of a two-player game.
  if (content.TwoPlayer) panel.PaintBanner({true, true, "00:00", "00:00"});

  const fs::path target = *out;
  if (!WritePng(panel.HallPanelPicture, target)) return Fail(Name, "cannot write " + target.string());
  std::printf("%s: table %lld\n", target.string().c_str(), table);
  return 0;
}

Registration reg{Name, Usage, &RunPanel};

}  // namespace
}  // namespace tool
