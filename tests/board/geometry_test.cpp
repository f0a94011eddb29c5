// The board geometry: at scale 1 every picture and every hit is where it has
// always been (digests of the whole board pinned from the code before the
// geometry had a scale), and at other scales the pictures are the scale-1
// ones times the scale, with the hit test agreeing with them pixel for pixel.
#include "board/geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "board/dealing.h"
#include "board/layout_file.h"

namespace board {
namespace {

// FNV-1a over the bytes of a stream of ints.
struct Digest {
  std::uint64_t value = 1469598103934665603ull;
  void Add(int v) {
    for (int i = 0; i < 4; ++i) {
      value ^= (static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFFu;
      value *= 1099511628211ull;
    }
  }
  void Add(const PixelRect& r) {
    for (int v : {r.left, r.top, r.right, r.bottom}) Add(v);
  }
};

const BoardState& DealtTraditional() {
  static const BoardState dealt = [] {
    LayoutGrid layout;
    LoadLayout(std::string(SORAMI_DATA_DIR) + "/Layouts/Traditional.lay", layout);
    BoardState s;
    Generator g;
    PrepareBoard(s, layout);
    DealLayout(s, layout, g, SeedChoice::Exact(20261207u), nullptr);
    return s;
  }();
  return dealt;
}

constexpr BoardOrigin Wide{36, 25};
constexpr BoardOrigin Narrow{-5, 0};

TEST(Geometry, ScaleOneFigures) {
  const Geometry g;
  EXPECT_EQ(g.Origin(), Wide);
  EXPECT_EQ(g.Width(), 704);
  EXPECT_EQ(g.Height(), 468);
  EXPECT_EQ(Geometry::TileWidth, 46);
  EXPECT_EQ(Geometry::TileHeight, 56);
  EXPECT_EQ(Geometry::OriginForScreenWidth(1024), Wide);
  EXPECT_EQ(Geometry::OriginForScreenWidth(800), Wide);
  EXPECT_EQ(Geometry::OriginForScreenWidth(799), Narrow);
  EXPECT_EQ(g.TilePicture({10, 5, 2}), (PixelRect{196, 79, 242, 135}));
  EXPECT_EQ(g.TileFace({10, 5, 2}), (PixelRect{202, 79, 242, 129}));
  EXPECT_EQ(g.FaceCentre({10, 5, 2}), (PixelPoint{222, 104}));
  EXPECT_EQ(Geometry(Narrow).TilePicture({1, 1, 1}), (PixelRect{-31, -40, 15, 16}));
  // A scale that is not positive counts as 1.
  EXPECT_EQ(Geometry(Wide, Scale{0, 1}).ScaleFactor(), Scale{});
}

// Every cell's picture, face and face centre, at both origins.
TEST(Geometry, EveryPictureAtScaleOneAsBefore) {
  Digest d;
  for (const BoardOrigin o : {Wide, Narrow}) {
    const Geometry g(o);
    for (int z = 1; z <= MaxZ; ++z)
      for (int y = 1; y <= MaxY; ++y)
        for (int x = 1; x <= MaxX; ++x) {
          d.Add(g.TilePicture({x, y, z}));
          d.Add(g.TileFace({x, y, z}));
          d.Add(g.FaceCentre({x, y, z}).x);
          d.Add(g.FaceCentre({x, y, z}).y);
        }
  }
  EXPECT_EQ(d.value, 0x59a413417a5546e7ull);
}

// The tile hit, the grid test and the editor's add place over the board
// picture and around it, on a dealt Traditional board.
TEST(Geometry, HitTestsOverADealtBoardAsBefore) {
  const BoardState& s = DealtTraditional();
  ASSERT_EQ(s.TilesLeft, 144);
  Digest d;
  int hits = 0;
  for (const BoardOrigin o : {Wide, Narrow}) {
    const Geometry g(o);
    for (int y = -30; y < 500; y += 3)
      for (int x = -60 + (y & 3); x < 760; x += 4) {
        const int t = g.TileAt(s.Board, x, y);
        hits += t != 0;
        d.Add(t);
        d.Add(g.OverGrid(x, y));
        const Cell c = g.PlaceToAddAt(s.Board, x, y);
        d.Add(c.x);
        d.Add(c.y);
        d.Add(c.z);
      }
  }
  EXPECT_EQ(hits, 30265);
  EXPECT_EQ(d.value, 0x869c013f1278ae84ull);
}

TEST(Geometry, WholeScalesMultiplyEveryPicture) {
  for (const int k : {2, 3}) {
    const Geometry one(Wide), scaled(Wide, Scale{k, 1});
    EXPECT_EQ(scaled.Width(), 704 * k);
    EXPECT_EQ(scaled.Height(), 468 * k);
    for (int z = 1; z <= MaxZ; ++z)
      for (int y = 1; y <= MaxY; ++y)
        for (int x = 1; x <= MaxX; ++x) {
          const PixelRect r = one.TilePicture({x, y, z});
          ASSERT_EQ(scaled.TilePicture({x, y, z}), (PixelRect{k * r.left, k * r.top, k * r.right, k * r.bottom}));
        }
  }
}

TEST(Geometry, HalfScaleRoundsEdgesDown) {
  const Geometry one(Wide), scaled(Wide, Scale{3, 2});
  EXPECT_EQ(scaled.Width(), 1056);
  EXPECT_EQ(scaled.Height(), 702);
  auto down = [](int v) { return v >= 0 ? v * 3 / 2 : -((-v * 3 + 1) / 2); };
  for (int z = 1; z <= MaxZ; ++z)
    for (int y = 1; y <= MaxY; ++y)
      for (int x = 1; x <= MaxX; ++x) {
        const PixelRect r = one.TilePicture({x, y, z});
        ASSERT_EQ(scaled.TilePicture({x, y, z}),
                  (PixelRect{down(r.left), down(r.top), down(r.right), down(r.bottom)}));
      }
  // Neighbours on a layer still meet with no gap: a tile's face ends where
  // the face two columns on starts.
  EXPECT_EQ(scaled.TileFace({3, 4, 1}).right, scaled.TileFace({5, 4, 1}).left);
  EXPECT_EQ(scaled.TileFace({3, 4, 1}).bottom, scaled.TileFace({3, 6, 1}).top);
  // Back and forth: every scale-1 position comes back, negative ones too.
  for (int p = -100; p < 800; ++p) ASSERT_EQ(scaled.Unscaled(scaled.Scaled(p)), p) << p;
}

// At any scale a pixel hits the tile whose scaled picture holds it and is on
// top there, and a pixel no scaled picture holds hits nothing.
TEST(Geometry, ScaledHitTestAgreesWithScaledPictures) {
  const BoardState& s = DealtTraditional();
  for (const Scale scale : {Scale{3, 2}, Scale{2, 1}}) {
    const Geometry g(Narrow, scale);
    for (int y = 0; y < g.Height(); y += 5)
      for (int x = y % 7; x < g.Width(); x += 7) {
        const int t = g.TileAt(s.Board, x, y);
        if (t != 0) {
          ASSERT_TRUE(g.TilePicture(s.TilePlaces[t]).Contains(x, y)) << x << "," << y;
          // Every other picture holding the pixel is drawn before it: lower,
          // or on its layer further right, or in its column further up.
          const Cell c = s.TilePlaces[t];
          for (int u = 1; u <= s.TileCount; ++u) {
            const Cell e = s.TilePlaces[u];
            if (u == t || !e.OnBoard() || !g.TilePicture(e).Contains(x, y)) continue;
            ASSERT_TRUE(e.z < c.z || (e.z == c.z && (e.x > c.x || (e.x == c.x && e.y < c.y)))) << x << "," << y;
          }
        } else {
          for (int u = 1; u <= s.TileCount; ++u) {
            if (s.TilePlaces[u].OnBoard()) {
              ASSERT_FALSE(g.TilePicture(s.TilePlaces[u]).Contains(x, y));
            }
          }
        }
      }
  }
}

}  // namespace
}  // namespace board
