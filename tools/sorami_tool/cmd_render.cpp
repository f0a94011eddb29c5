// sorami-tool render: deals a layout and writes the board picture as the game
// would show it, for layout designers to preview.
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "board/layout_list.h"
#include "command.h"
#include "program_files.h"
#include "view/board_view.h"
#include "view/looks.h"
#include "view/picture_file.h"
#include "view/scene.h"

namespace tool {
namespace {

constexpr const char* Name = "render";
constexpr const char* Usage =
    "render LAYOUT --seed N [--winnable] [--tileset FILE] [--background FILE|none] [--shadows on|off] "
    "[--origin wide|narrow] [--scale S] --out board.png";

namespace fs = std::filesystem;

// A scale from 1 to 8 with at most two decimals ("1", "1.5", "2.25") as a
// fraction of hundredths; false for anything else.
bool ParseScale(const std::string& text, board::Scale& scale) {
  int whole = 0, hundredths = 0, digits = 0;
  std::size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 2; ++i) whole = whole * 10 + (text[i] - '0');
  if (i == 0) return false;
  if (i < text.size()) {
    if (text[i] != '.' || i + 1 == text.size()) return false;
    for (++i; i < text.size(); ++i, ++digits) {
      if (text[i] < '0' || text[i] > '9' || digits == 2) return false;
      hundredths = hundredths * 10 + (text[i] - '0');
    }
  }
  if (digits == 1) hundredths *= 10;
  const int n = whole * 100 + hundredths;
  if (n < 100 || n > 800) return false;
  const int d = std::gcd(n, 100);
  scale = {n / d, 100 / d};
  return true;
}

// A layout file, or the name of one in the program's Layouts folder.
fs::path FindLayout(const std::string& arg) {
  std::error_code ec;
  if (fs::is_regular_file(arg, ec)) return arg;
  const fs::path dir = ProgramDir() / "Layouts";
  for (const char* ext : {".lay", ".shp", ""})
    if (fs::is_regular_file(dir / (arg + ext), ec)) return dir / (arg + ext);
  return {};
}

int RunRender(const Args& args) {
  if (!OnlyKnownOptions(args, {"--seed", "--winnable", "--tileset", "--background", "--shadows", "--origin", "--scale", "--out"},
                        Name, Usage))
    return 2;
  const Args pos = Positional(args, {"--seed", "--tileset", "--background", "--shadows", "--origin", "--scale", "--out"});
  const std::string* seedText = FlagValue(args, "--seed");
  const std::string* out = FlagValue(args, "--out");
  if (pos.size() != 1 || seedText == nullptr || out == nullptr)
    return Fail(Name, std::string("usage: sorami-tool ") + Usage);
  long long seed = 0;
  if (!ParseInt64(*seedText, seed) || seed < 0 || seed > 0xFFFFFFFFLL)
    return Fail(Name, "--seed wants a whole number from 0 to 4294967295, not '" + *seedText + "'");
  const std::string* shadows = FlagValue(args, "--shadows");
  if (shadows != nullptr && *shadows != "on" && *shadows != "off")
    return Fail(Name, "--shadows wants on or off, not '" + *shadows + "'");
  const std::string* origin = FlagValue(args, "--origin");
  if (origin != nullptr && *origin != "wide" && *origin != "narrow")
    return Fail(Name, "--origin wants wide or narrow, not '" + *origin + "'");

  board::Scale scale;
  const std::string* scaleText = FlagValue(args, "--scale");
  if (scaleText != nullptr && !ParseScale(*scaleText, scale))
    return Fail(Name, "--scale wants a number from 1 to 8 with at most two decimals, not '" + *scaleText + "'");

  const fs::path layoutFile = FindLayout(pos[0]);
  if (layoutFile.empty()) return Fail(Name, "no layout file or layout named '" + pos[0] + "'");
  board::LayoutGrid layout;
  try {
    if (base::HasExtensionNoCase(layoutFile.filename().string(), ".shp")) {
      board::ReadShpFile(layoutFile, layout);
    } else if (!board::ReadLayFile(layoutFile, layout).HeaderOk) {
      return Fail(Name, layoutFile.string() + " is not a layout file (its first line is not \"" + board::LayHeader + "\")");
    }
  } catch (const board::LayoutFileError& e) {
    return Fail(Name, e.what());
  }

  view::BoardView view;
  const std::string tileset = FlagValue(args, "--tileset") ? *FlagValue(args, "--tileset")
                                                           : (ProgramDir() / "Tilesets/bluepai.bmp").string();
  QImage picture;
  std::string error;
  if (!view::DecodePicture(tileset, picture, error)) return Fail(Name, error);
  error = view::Looks::TilesetProblem(picture, tileset);
  if (!error.empty()) return Fail(Name, error);
  view.SetScale(scale);
  view.TilesetImage = picture;
  view.TilesetCopies = view::FindTilesetCopies(tileset);
  view.MakeTileTexture();

  const std::string* background = FlagValue(args, "--background");
  const std::string backgroundFile =
      background ? *background : (ProgramDir() / "Backgrounds/andromeda.jpg").string();
  if (background != nullptr && *background == "none") {
    view.SetPlainBackground();
  } else {
    if (!view::DecodePicture(backgroundFile, picture, error)) return Fail(Name, error);
    view.SetBackgroundPicture(picture);
  }

  board::BoardState state;
  board::Generator generator;
  board::DealRequest request;
  request.Winnable = HasFlag(args, "--winnable");
  request.Seed = board::SeedChoice::Exact(static_cast<std::uint32_t>(seed));
  const board::DealResult dealt = board::Deal(state, layout, generator, request);

  view::Scene scene;
  scene.Board = &state.Board;
  scene.TilePlaces = &state.TilePlaces;
  scene.Shadows = shadows == nullptr || *shadows == "on";
  const view::BoardOrigin o = view::OriginForScreenWidth(origin != nullptr && *origin == "narrow" ? 640 : 800);
  scene.OriginX = o.OriginX;
  scene.OriginY = o.OriginY;
  view.FullRedraw(scene);

  const fs::path target = *out;
  if (!WritePng(view.BoardBuffer, target)) return Fail(Name, "cannot write " + target.string());
  const char* kind = dealt.Outcome == board::DealOutcome::Winnable ? "winnable"
                     : dealt.Outcome == board::DealOutcome::FellBack ? "plain (no winnable deal exists)"
                                                                     : "plain";
  std::printf("%s: %d tiles, %s deal\n", target.string().c_str(), state.TilesLeft, kind);
  return 0;
}

Registration reg{Name, Usage, &RunRender};

}  // namespace
}  // namespace tool
