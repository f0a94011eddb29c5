// The layout editor's mode: the board shows the layout's places numbered by
// a deal, no game runs and nothing pairs; a click on the grid goes to the
// editor (Engine::SetEditorClick), which adds or removes a place.
#include "game/engine.h"
#include "game/game_kind.h"

namespace game {

class EditorRules : public GameRules {
 public:
  GameKind Kind() const override { return GameKind::Editor; }

  // The editor's board: the layout dealt plainly, only to number its places.
  void Start(Engine& engine, Difficulty) const override {
    engine.SetMode(GameKind::Editor, GamePhase::Running);
    engine.NewRandomGame();
  }

  void Click(Engine& engine, const BoardClick& click) const override {
    if (click.OverGrid && engine.editorClick_) engine.editorClick_(click.Button, click.Grid.x, click.Grid.y, click.Tile);
  }

  // Every place may be taken away, and no two tiles pair.
  bool TileFree(const GameState&, bool, int) const override { return true; }
  bool MayPair(const GameState&, int, int) const override { return false; }
  // A layout being made is never a game won.
  bool Ended(const GameState&) const override { return false; }
  std::optional<int> HallTable(const GameState&) const override { return std::nullopt; }
};

const GameRules& EditorKind() {
  static const EditorRules rules;
  return rules;
}

}  // namespace game
