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

// The two-player banner now (the engine's millisecond tick count decides
// which label blinks).
BannerContent BannerOf(game::Engine& engine);
// The same at a given millisecond tick count (Engine::Now(), not the count of
// 50 ms timer ticks).
BannerContent BannerOf(game::Engine& engine, std::uint32_t tickMs);

}  // namespace view
