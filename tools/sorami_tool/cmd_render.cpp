// sorami-tool render: deals a layout and writes the board picture as the game
// would show it, for layout designers to preview.
#include <cstdio>
#include <filesystem>
#include <string>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "command.h"
#include "view/board_view.h"
#include "view/looks.h"
#include "view/picture_file.h"
#include "view/scene.h"

namespace tool {
namespace {

namespace fs = std::filesystem;

int Fail(const std::string& text) {
  std::fprintf(stderr, "sorami-tool render: %s\n", text.c_str());
  return 2;
}

fs::path ProgramDir() {
  std::error_code ec;
  const fs::path exe = fs::canonical("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
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

bool IsShp(const fs::path& file) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".shp";
}

int RunRender(const Args& args) {
  const Args pos = Positional(args, {"--seed", "--tileset", "--background", "--shadows", "--origin", "--out"});
  const std::string* seedText = FlagValue(args, "--seed");
  const std::string* out = FlagValue(args, "--out");
  if (pos.size() != 1 || seedText == nullptr || out == nullptr)
    return Fail("usage: render LAYOUT --seed N [--winnable] [--tileset FILE] [--background FILE] "
                "[--shadows on|off] [--origin wide|narrow] --out board.png");
  long long seed = 0;
  if (!ParseInt64(*seedText, seed) || seed < 0 || seed > 0xFFFFFFFFLL)
    return Fail("--seed wants a whole number from 0 to 4294967295, not '" + *seedText + "'");
  const std::string* shadows = FlagValue(args, "--shadows");
  if (shadows != nullptr && *shadows != "on" && *shadows != "off")
    return Fail("--shadows wants on or off, not '" + *shadows + "'");
  const std::string* origin = FlagValue(args, "--origin");
  if (origin != nullptr && *origin != "wide" && *origin != "narrow")
    return Fail("--origin wants wide or narrow, not '" + *origin + "'");

  const fs::path layoutFile = FindLayout(pos[0]);
  if (layoutFile.empty()) return Fail("no layout file or layout named '" + pos[0] + "'");
  board::LayoutGrid layout;
  try {
    if (IsShp(layoutFile)) {
      board::ReadShpFile(layoutFile, layout);
    } else if (!board::ReadLayFile(layoutFile, layout).HeaderOk) {
      return Fail(layoutFile.string() + " is not a layout file (its first line is not \"" + board::LayHeader + "\")");
    }
  } catch (const board::LayoutFileError& e) {
    return Fail(e.what());
  }

  view::BoardView view;
  const std::string tileset = FlagValue(args, "--tileset") ? *FlagValue(args, "--tileset")
                                                           : (ProgramDir() / "Tilesets/bluepai.bmp").string();
  QImage picture;
  std::string error;
  if (!view::DecodePicture(tileset, picture, error)) return Fail(tileset + ": " + error);
  error = view::Looks::TilesetProblem(picture, tileset);
  if (!error.empty()) return Fail(error);
  view.TilesetImage = picture;
  view.ChangeTexture();

  const std::string* background = FlagValue(args, "--background");
  const std::string backgroundFile =
      background ? *background : (ProgramDir() / "Backgrounds/andromeda.jpg").string();
  if (background != nullptr && *background == "none") {
    view::Looks::PaintPlainBackground(view.BackgroundBuffer);
  } else {
    if (!view::DecodePicture(backgroundFile, picture, error)) return Fail(backgroundFile + ": " + error);
    view::Looks::TileBackground(view.BackgroundBuffer, picture);
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

  // Written beside the target first, so a failed write leaves no half picture.
  const fs::path target = *out;
  const fs::path temp = target.string() + ".part";
  std::error_code ec;
  if (!view.BoardBuffer.save(QString::fromStdString(temp.string()), "PNG")) {
    fs::remove(temp, ec);
    return Fail("cannot write " + target.string());
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return Fail("cannot write " + target.string());
  }
  const char* kind = dealt.Outcome == board::DealOutcome::Winnable ? "winnable"
                     : dealt.Outcome == board::DealOutcome::FellBack ? "plain (no winnable deal exists)"
                                                                     : "plain";
  std::printf("%s: %d tiles, %s deal\n", target.string().c_str(), state.TilesLeft, kind);
  return 0;
}

Registration reg{"render",
                 "render LAYOUT --seed N [--winnable] [--tileset FILE] [--background FILE|none] "
                 "[--shadows on|off] [--origin wide|narrow] --out board.png",
                 &RunRender};

}  // namespace
}  // namespace tool
