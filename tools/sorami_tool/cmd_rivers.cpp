// sorami-tool rivers easy|hard --seed N: the Rivers placement a seed gives.
#include "engine_session.h"

namespace tool {
namespace {

constexpr const char* Usage = "rivers easy|hard --seed N";

int RunRivers(const Args& args) {
  return RunPlacement(args, "rivers", Usage, [](game::Engine& engine, bool easy) {
    engine.FourRivers(easy ? "MJ Rivers (Easy)" : "MJ Rivers (Hard)");
  });
}

Registration reg{"rivers", Usage, &RunRivers};

}  // namespace
}  // namespace tool
