#pragma once
// The engine's state as the painters need it.

#include <cstdint>

#include "view/hall_panel.h"
#include "view/scene.h"

namespace game {
class Engine;
}

namespace view {

// The board, the marks and the drawing options of the engine.
Scene SceneOf(const game::Engine& engine);

// The side panel's list for the engine's current table.
PanelContent PanelOf(const game::Engine& engine);

// The two-player banner at the tick count `tick`.
BannerContent BannerOf(game::Engine& engine, std::uint32_t tick);

}  // namespace view
