#pragma once
// The hall-of-fame side panel at the right of the board: the title, the ten
// names and times of the current table, the two-player banner and the
// "Show Current Tile" preview box.
//
// The panel is composed in HallPanelPicture from its background picture HallPicture; the
// window shows HallPanelPicture (RedrawHallPanel) after each of the calls below.

#include <QImage>
#include <array>
#include <cstdint>
#include <string>

#include "view/geometry.h"

namespace view {

class BoardView;

// What the list shows.
struct PanelContent {
  bool ShowHallOfFame = true;     // "Show Hall of &Fame": nothing is drawn when off
  bool EditorMode = false;      // the layout editor shows the bare picture
  bool TwoPlayer = false;       // room for the banner
  bool ShowCurrentTile = false; // room for the preview
  std::array<std::string, 10> Entries;  // the 18-character entries of ranks 1..10
  int RankReached = 0;          // drawn in bold italic
};

// What the two-player banner shows at one tick.
struct BannerContent {
  bool Player1LabelVisible = true;
  bool Player2LabelVisible = true;
  std::string Player1Time;  // "mm:ss"
  std::string Player2Time;
};

class HallPanel {
 public:
  static constexpr int DefaultWidth = 92;
  static constexpr int DefaultHeight = BoardHeight;
  static constexpr PixelRect BannerArea{0, 380, 92, BoardHeight};
  static constexpr PixelRect PreviewArea{24, 390, 70, 446};
  // The recess framing the preview box, drawn only while the preview is on.
  static constexpr PixelRect RecessArea{21, 387, 74, 450};

  // Without a picture the panel is black, 92 wide and as high as the board.
  HallPanel();

  QImage HallPicture;   // the panel's background picture, at the drawing scale
  QImage HallPanelPicture;  // the composed panel, the size of HallPicture

  // Takes a new background picture ("hof.bmp"); HallPanelPicture takes its
  // size at the drawing scale.
  void SetHofPic(const QImage& picture);

  // Composes the panel from now on at `scale`, like the board: the picture
  // smoothly scaled, the texts drawn at that size. Positions below stay in
  // scale-1 pixels. The panel must be shown again after a change.
  void SetScale(board::Scale scale);
  board::Scale DrawingScale() const { return scale_; }
  // The panel's size at scale 1.
  QSize UnitSize() const { return unitPicture_.size(); }

  // How far the list moves up: 20 in two-player mode, else 10 with the
  // preview on, else -20 (down).
  static int Shift(const PanelContent& content);

  // Composes the panel. Returns false (and draws nothing) when the panel is
  // switched off. The preview's recess is drawn only when the preview is on
  // and the banner does not take its place.
  bool ShowHallPanel(const PanelContent& content);

  // Repaints the banner area (0, 380) to the bottom right of HallPanelPicture.
  void PaintBanner(const BannerContent& banner);

  // Paints the tile's picture into the preview box, or empties the box for
  // tile 0. Only called while the preview is on, so the recess is drawn too.
  void ShowCurrentTile(const BoardView& view, int tile);

 private:
  void RestoreFromPicture(PixelRect area);
  void PaintPreviewRecess();
  PixelRect Scaled(PixelRect area) const;
  void MakeScaledPicture();

  QImage unitPicture_;  // the background picture as given, at scale 1
  board::Scale scale_;
};

}  // namespace view
