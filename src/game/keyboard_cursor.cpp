#include "game/keyboard_cursor.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace game {
namespace {

using board::Geometry;

// The part of the scale-1 board picture any tile picture can cover, from the
// grid's origin.
constexpr int MapLeft = Geometry::UnitTilePicture(1, 1, 1).left;
constexpr int MapRight = Geometry::UnitTilePicture(board::MaxX, 1, board::MaxZ).right;
constexpr int MapTop = Geometry::UnitTilePicture(1, 1, board::MaxZ).top;
constexpr int MapBottom = Geometry::UnitTilePicture(1, board::MaxY, 1).bottom;
constexpr int MapWidth = MapRight - MapLeft;
constexpr int MapHeight = MapBottom - MapTop;

constexpr board::PixelRect UnitFace(board::Cell c) {
  const int left = Geometry::UnitFaceLeft(c.x, c.z), top = Geometry::UnitFaceTop(c.y, c.z);
  return {left, top, left + Geometry::FaceWidth, top + Geometry::FaceHeight};
}

// Which tile is on top at every pixel: the pictures painted in the order the
// board is drawn (layers up, columns right to left, rows top to bottom), so
// the last one painted at a pixel is the one the player sees there.
class TopTileMap {
 public:
  explicit TopTileMap(const board::Grid& grid) : pixels_(static_cast<std::size_t>(MapWidth) * MapHeight, 0) {
    for (int z = 1; z <= board::MaxZ; ++z)
      for (int x = board::MaxX; x >= 1; --x)
        for (int y = 1; y <= board::MaxY; ++y)
          if (const std::uint8_t t = grid.At(x, y, z)) Paint(Geometry::UnitTilePicture(x, y, z), t);
  }

  // The pixel of the rectangle that shows the tile nearest the rectangle's
  // middle; nothing when no pixel of it shows the tile.
  std::optional<board::PixelPoint> ShownNearestMiddle(const board::PixelRect& r, std::uint8_t tile) const {
    const int mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
    std::optional<board::PixelPoint> found;
    long best = std::numeric_limits<long>::max();
    for (int y = std::max(r.top, MapTop); y < std::min(r.bottom, MapBottom); ++y) {
      const std::uint8_t* row = &pixels_[Index(MapLeft, y)];
      for (int x = std::max(r.left, MapLeft); x < std::min(r.right, MapRight); ++x) {
        if (row[x - MapLeft] != tile) continue;
        const long d = static_cast<long>(x - mx) * (x - mx) + static_cast<long>(y - my) * (y - my);
        if (d < best) {
          best = d;
          found = board::PixelPoint{x, y};
        }
      }
    }
    return found;
  }

 private:
  static std::size_t Index(int x, int y) {
    return static_cast<std::size_t>(y - MapTop) * MapWidth + static_cast<std::size_t>(x - MapLeft);
  }
  void Paint(const board::PixelRect& r, std::uint8_t tile) {
    const int left = std::max(r.left, MapLeft), right = std::min(r.right, MapRight);
    if (left >= right) return;
    for (int y = std::max(r.top, MapTop); y < std::min(r.bottom, MapBottom); ++y)
      std::fill_n(&pixels_[Index(left, y)], right - left, tile);
  }

  std::vector<std::uint8_t> pixels_;
};

bool FreeByRule(const board::BoardState& state, int tile, FreeRule rule) {
  switch (rule) {
    case FreeRule::Normal:
      return board::IsTileFree(state, tile);
    case FreeRule::Vertical:
      return board::IsTileFreeVertical(state, tile);
    case FreeRule::Every:
      break;
  }
  return true;
}

}  // namespace

bool ReadsBefore(board::Cell a, board::Cell b) {
  if (a.y != b.y) return a.y < b.y;
  if (a.x != b.x) return a.x < b.x;
  return a.z < b.z;
}

TileCursorMap::TileCursorMap(const board::BoardState& state, FreeRule rule, std::array<int, 2> skipped) {
  const TopTileMap top(state.Board);
  for (int t = 1; t <= board::MaxTiles; ++t) {
    const board::Cell c = state.TilePlaces[t];
    // Only a tile that stands where the table says it does.
    if (!c.OnBoard() || !board::Grid::InRange(c.x, c.y, c.z) || state.Board.At(c.x, c.y, c.z) != t) continue;
    if (t == skipped[0] || t == skipped[1]) continue;
    const board::PixelRect face = UnitFace(c);
    const std::optional<board::PixelPoint> aim = top.ShownNearestMiddle(face, static_cast<std::uint8_t>(t));
    if (!aim) continue;
    spots_.push_back(Spot{t, c, face, FreeByRule(state, t, rule), *aim});
  }
  std::sort(spots_.begin(), spots_.end(), [](const Spot& a, const Spot& b) { return ReadsBefore(a.place, b.place); });
  order_.reserve(spots_.size());
  for (const Spot& s : spots_) order_.push_back(s.tile);
}

const TileCursorMap::Spot* TileCursorMap::SpotOf(int tile) const {
  for (const Spot& s : spots_)
    if (s.tile == tile) return &s;
  return nullptr;
}

bool TileCursorMap::Reachable(int tile) const { return tile != 0 && SpotOf(tile) != nullptr; }

bool TileCursorMap::IsFree(int tile) const {
  const Spot* s = SpotOf(tile);
  return s != nullptr && s->free;
}

board::PixelPoint TileCursorMap::Aim(int tile) const {
  const Spot* s = SpotOf(tile);
  return s != nullptr ? s->aim : board::PixelPoint{};
}

int TileCursorMap::First() const { return order_.empty() ? 0 : order_.front(); }

int TileCursorMap::Last() const { return order_.empty() ? 0 : order_.back(); }

// A tile lies that way when its face centre does; the tiles within 45
// degrees of the direction come first (so that a tile a layer lower, drawn
// a few pixels further down beside the cursor, is not "below" it), and only
// when there is none there the whole half of the board that way counts. The
// cost of a move is how far the tile lies along the direction plus how far
// it lies off to the side, the side counting twice for Left and Right so
// that the cursor keeps to its row. Centres are compared doubled, to stay in
// whole pixels. Ties go to the first tile in reading order.
int TileCursorMap::Nearest(board::Cell from, CursorDirection direction) const {
  const board::PixelRect f = UnitFace(from);
  const bool horizontal = direction == CursorDirection::Left || direction == CursorDirection::Right;
  const bool backwards = direction == CursorDirection::Left || direction == CursorDirection::Up;
  long best = std::numeric_limits<long>::max();
  long bestOutside = std::numeric_limits<long>::max();
  int found = 0, foundOutside = 0;
  for (const Spot& s : spots_) {
    if (s.place == from) continue;
    const int dx = (s.face.left + s.face.right) - (f.left + f.right);
    const int dy = (s.face.top + s.face.bottom) - (f.top + f.bottom);
    const int along = (horizontal ? dx : dy) * (backwards ? -1 : 1);
    if (along <= 0) continue;
    const int aside = std::abs(horizontal ? dy : dx);
    const long cost = along + static_cast<long>(aside) * (horizontal ? 2 : 1);
    if (aside <= along) {
      if (cost < best) {
        best = cost;
        found = s.tile;
      }
    } else if (cost < bestOutside) {
      bestOutside = cost;
      foundOutside = s.tile;
    }
  }
  return found != 0 ? found : foundOutside;
}

int TileCursorMap::NextFree(board::Cell from, bool backwards) const {
  const int n = static_cast<int>(spots_.size());
  if (n == 0) return 0;
  // Where the place falls in reading order: the first spot after it.
  int after = 0;
  while (after < n && !ReadsBefore(from, spots_[after].place)) ++after;
  // Forwards from `after`; backwards from the spot before the place itself.
  int start = after;
  if (backwards) {
    start = after - 1;
    if (start >= 0 && spots_[start].place == from) --start;
  }
  for (int i = 0; i < n; ++i) {
    const int k = backwards ? ((start - i) % n + n) % n : (start + i) % n;
    if (spots_[k].free) return spots_[k].tile;
  }
  return 0;
}

int TileCursorMap::Closest(board::Cell place) const {
  const board::PixelRect f = UnitFace(place);
  long best = std::numeric_limits<long>::max();
  int found = 0;
  for (const Spot& s : spots_) {
    const long dx = (s.face.left + s.face.right) - (f.left + f.right);
    const long dy = (s.face.top + s.face.bottom) - (f.top + f.bottom);
    if (dx * dx + dy * dy < best) {
      best = dx * dx + dy * dy;
      found = s.tile;
    }
  }
  return found;
}

int KeyTarget(const TileCursorMap& map, board::Cell from, BoardKey key) {
  const bool placed = from.OnBoard();
  switch (key) {
    case BoardKey::Left:
      return placed ? map.Nearest(from, CursorDirection::Left) : map.First();
    case BoardKey::Right:
      return placed ? map.Nearest(from, CursorDirection::Right) : map.First();
    case BoardKey::Up:
      return placed ? map.Nearest(from, CursorDirection::Up) : map.First();
    case BoardKey::Down:
      return placed ? map.Nearest(from, CursorDirection::Down) : map.First();
    case BoardKey::NextFree:
      return map.NextFree(from, false);
    case BoardKey::PreviousFree:
      return map.NextFree(from, true);
    case BoardKey::First:
      return map.First();
    case BoardKey::Last:
      return map.Last();
    default:
      return 0;
  }
}

board::Cell MovePlaceCursor(board::Cell cursor, CursorDirection direction) {
  switch (direction) {
    case CursorDirection::Left:
      cursor.x = std::max(1, cursor.x - 1);
      break;
    case CursorDirection::Right:
      cursor.x = std::min(board::MaxX, cursor.x + 1);
      break;
    case CursorDirection::Up:
      cursor.y = std::max(1, cursor.y - 1);
      break;
    case CursorDirection::Down:
      cursor.y = std::min(board::MaxY, cursor.y + 1);
      break;
  }
  return cursor;
}

board::Cell ChangePlaceLayer(board::Cell cursor, int layers) {
  cursor.z = std::clamp(cursor.z + layers, 1, board::MaxZ);
  return cursor;
}

int PlaceUnderCursor(const board::Grid& grid, board::Cell cursor) {
  // The anchor itself, then the four beside it, then the corners.
  static constexpr int Around[9][2] = {{0, 0},  {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                       {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (const auto& d : Around)
    if (const int t = grid.At(cursor.x + d[0], cursor.y + d[1], cursor.z)) return t;
  return 0;
}

}  // namespace game
