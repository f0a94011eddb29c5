// sorami-tool memory easy|hard --seed N: the Memory placement a seed gives.
#include "engine_session.h"

namespace tool {
namespace {

constexpr const char* Usage = "memory easy|hard --seed N";

int RunMemory(const Args& args) {
  return RunPlacement(args, "memory", Usage, [](game::Engine& engine, bool easy) {
    engine.Memory(easy ? "MJ Memory (Easy)" : "MJ Memory (Hard)");
  });
}

Registration reg{"memory", Usage, &RunMemory};

}  // namespace
}  // namespace tool
