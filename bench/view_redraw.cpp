// Board painting speed: a full redraw of a dealt Traditional board with
// shadows (against a bare copy of the 704 x 468 picture), the same at scale 2
// (1408 x 936, target 1 ms) and filling a maximised 3840 x 2160 window
// (target 5 ms), a change of scale (target 50 ms), the redraw of one tile
// place, and rebuilding the tile pictures after a tileset load. Also the
// masked tile paint done with QPainter's raster-operation composition modes,
// the alternative to the plain pixel loops the painter uses (on the board's
// 24-bit pictures Qt takes its slow general path for these modes).
#include <benchmark/benchmark.h>

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "board/dealing.h"
#include "board/layout_file.h"
#include "view/board_view.h"
#include "view/looks.h"
#include "view/picture_file.h"
#include "view/raster.h"
#include "view/tileset_layout.h"

namespace {

struct Fixture {
  view::BoardView view;
  board::BoardState state;
  view::Scene scene;

  Fixture() {
    QImage picture;
    std::string error;
    const std::string tileset = std::string(SORAMI_DATA_DIR) + "/Tilesets/bluepai.bmp";
    if (view::DecodePicture(tileset, picture, error)) {
      view.TilesetImage = picture;
    } else {
      std::fprintf(stderr, "%s: %s (measuring with a blank tileset)\n", tileset.c_str(), error.c_str());
    }
    view.TilesetCopies = view::FindTilesetCopies(tileset);
    view.MakeTileTexture();
    if (view::DecodePicture(std::string(SORAMI_DATA_DIR) + "/Backgrounds/andromeda.jpg", picture, error))
      view.SetBackgroundPicture(picture);
    board::LayoutGrid layout;
    try {
      board::ReadLayFile(std::string(SORAMI_DATA_DIR) + "/Layouts/Traditional.lay", layout);
    } catch (const board::LayoutFileError& e) {
      std::fprintf(stderr, "%s\n", e.what());
    }
    board::Generator g;
    board::DealRequest request;
    request.Winnable = true;
    request.Seed = board::SeedChoice::Exact(42);
    board::Deal(state, layout, g, request);
    scene.Board = &state.Board;
    scene.TilePlaces = &state.TilePlaces;
    scene.Shadows = true;
    scene.HighlightMode = 3;
  }
};

template <typename F>
double MedianMicroseconds(F&& f, int reps) {
  std::vector<double> t(static_cast<std::size_t>(reps));
  for (double& v : t) {
    const auto a = std::chrono::steady_clock::now();
    f();
    v = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - a).count();
  }
  std::nth_element(t.begin(), t.begin() + reps / 2, t.end());
  return t[static_cast<std::size_t>(reps / 2)];
}

void BM_FullRedrawWithShadows(benchmark::State& st) {
  Fixture f;
  QImage copy = view::MakePicture(view::BoardWidth, view::BoardHeight);
  const double bare = MedianMicroseconds(
      [&] {
        std::copy_n(f.view.BoardBuffer.constBits(), f.view.BoardBuffer.sizeInBytes(), copy.bits());
        benchmark::DoNotOptimize(copy.constBits());
      },
      2001);
  const double redraw = MedianMicroseconds([&] { f.view.FullRedraw(f.scene); }, 501);
  for (auto _ : st) benchmark::DoNotOptimize(f.view.FullRedraw(f.scene));
  st.counters["median_us"] = redraw;
  st.counters["bare_copy_us"] = bare;
  st.counters["ratio"] = redraw / bare;
  st.counters["tiles"] = f.state.TilesLeft;
}
BENCHMARK(BM_FullRedrawWithShadows)->Unit(benchmark::kMicrosecond);

// The board at scale 2, and at the scale that fills a 3840 x 2160 screen
// (the board and the hall panel, 796 pixels wide at scale 1, in the height
// the menu bar, toolbar and status line leave: 11 / 5).
void BM_FullRedrawAtScale(benchmark::State& st) {
  Fixture f;
  f.view.SetScale({static_cast<int>(st.range(0)), static_cast<int>(st.range(1))});
  const double redraw = MedianMicroseconds([&] { f.view.FullRedraw(f.scene); }, 101);
  for (auto _ : st) benchmark::DoNotOptimize(f.view.FullRedraw(f.scene));
  st.counters["median_us"] = redraw;
  st.counters["width"] = f.view.BoardBuffer.width();
  st.counters["height"] = f.view.BoardBuffer.height();
}
BENCHMARK(BM_FullRedrawAtScale)->Args({2, 1})->Args({22, 5})->Unit(benchmark::kMicrosecond);

// The bare background stretched over the whole board, the part of a full
// redraw that the tiles do not take.
void BM_BackgroundAtScale(benchmark::State& st) {
  Fixture f;
  f.view.SetScale({static_cast<int>(st.range(0)), static_cast<int>(st.range(1))});
  const double clear = MedianMicroseconds([&] { f.view.ClearBoardBuffer(); }, 101);
  for (auto _ : st) {
    f.view.ClearBoardBuffer();
    benchmark::DoNotOptimize(f.view.BoardBuffer.constBits());
  }
  st.counters["median_us"] = clear;
}
BENCHMARK(BM_BackgroundAtScale)->Args({2, 1})->Args({22, 5})->Unit(benchmark::kMicrosecond);

// A change of scale as a window is resized: new art from the kept copy, the
// background and the buffers remade, and the board drawn again.
void BM_ChangeOfScale(benchmark::State& st) {
  Fixture f;
  f.view.SetScale({2, 1});
  int step = 0;
  const board::Scale scales[] = {{9, 4}, {5, 2}, {2, 1}, {11, 4}};
  for (auto _ : st) {
    f.view.SetScale(scales[step++ % 4]);
    benchmark::DoNotOptimize(f.view.FullRedraw(f.scene));
  }
}
BENCHMARK(BM_ChangeOfScale)->Unit(benchmark::kMillisecond);

void BM_BarePictureCopy(benchmark::State& st) {
  Fixture f;
  QImage copy = view::MakePicture(view::BoardWidth, view::BoardHeight);
  for (auto _ : st) {
    std::copy_n(f.view.BoardBuffer.constBits(), f.view.BoardBuffer.sizeInBytes(), copy.bits());
    benchmark::DoNotOptimize(copy.constBits());
  }
}
BENCHMARK(BM_BarePictureCopy)->Unit(benchmark::kMicrosecond);

void BM_RedrawTile(benchmark::State& st) {
  Fixture f;
  f.view.FullRedraw(f.scene);
  int t = 0;
  for (auto _ : st) {
    t = t % board::MaxTiles + 1;
    f.scene.HoverTile = t;  // a pointer move: the hovered tile gets its outline
    benchmark::DoNotOptimize(f.view.RedrawTile(f.scene, t));
  }
}
BENCHMARK(BM_RedrawTile)->Unit(benchmark::kMicrosecond);

void BM_ChangeTexture(benchmark::State& st) {
  Fixture f;
  for (auto _ : st) {
    f.view.MakeTileTexture();
    benchmark::DoNotOptimize(f.view.TileTexture.constBits());
  }
}
BENCHMARK(BM_ChangeTexture)->Unit(benchmark::kMicrosecond);

// 144 masked tile paints (AND mask, OR picture): the painter's pixel loops...
void BM_MaskedPaintLoops(benchmark::State& st) {
  Fixture f;
  for (auto _ : st)
    for (int t = 1; t <= board::MaxTiles; ++t)
      f.view.PaintTilePicture(f.view.BoardBuffer, (t % 14) * 46, (t / 14) * 40, t);
  benchmark::DoNotOptimize(f.view.BoardBuffer.constBits());
}
BENCHMARK(BM_MaskedPaintLoops)->Unit(benchmark::kMicrosecond);

// ...and the same with QPainter's raster-operation composition modes.
void BM_MaskedPaintQPainter(benchmark::State& st) {
  Fixture f;
  const QImage mask = f.view.TilesetImage.copy(view::TileMask.x, view::TileMask.y, 46, 56);
  for (auto _ : st) {
    QPainter p(&f.view.BoardBuffer);
    for (int t = 1; t <= board::MaxTiles; ++t) {
      const view::Region cell = view::TextureCell(view::FaceCells(board::Face(t)));
      const QPoint at((t % 14) * 46, (t / 14) * 40);
      p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
      p.drawImage(at, mask);
      p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
      p.drawImage(at, f.view.TileTexture, QRect(cell.x, cell.y, 46, 56));
    }
  }
  benchmark::DoNotOptimize(f.view.BoardBuffer.constBits());
}
BENCHMARK(BM_MaskedPaintQPainter)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
