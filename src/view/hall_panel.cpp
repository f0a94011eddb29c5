#include "view/hall_panel.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "game/hall_of_fame.h"
#include "game/time_text.h"
#include "view/board_view.h"
#include "view/raster.h"

namespace view {
namespace {

// Point sizes are meant at 96 dots per inch, whatever the screen says.
constexpr int DotsPerMeter96 = 3780;

QFont PanelFont(const char* family, int points, bool bold, bool italic = false) {
  QFont font(QString::fromLatin1(family));
  font.setPointSize(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

// Text with its cell's top-left at (x, y), on a transparent background.
void Text(QPainter& p, int x, int y, const QFont& font, QRgb colour, const std::string& text) {
  p.setFont(font);
  p.setPen(QColor(colour));
  p.drawText(x, y + QFontMetrics(font).ascent(), QString::fromStdString(text));
}

// A painter on a 32-bit copy of one area of a picture, copied back when it
// goes. Qt rounds the blended edges of smooth text and shapes a shade
// differently on 24-bit pictures; drawn this way the panel keeps exactly the
// colours it has always had.
// At a scale the painter draws in scale-1 units on the scaled picture.
class AreaPainter {
 public:
  AreaPainter(QImage& target, PixelRect area, board::Scale scale)
      : target_(target),
        area_(board::Geometry({0, 0}, scale).Scaled(area)),
        canvas_(target.copy(area_.left, area_.top, area_.Width(), area_.Height()).convertToFormat(QImage::Format_RGB32)),
        painter_(&canvas_) {
    painter_.translate(-area_.left, -area_.top);
    if (!(scale == board::Scale{})) painter_.scale(static_cast<double>(scale.Numerator) / scale.Denominator,
                                                   static_cast<double>(scale.Numerator) / scale.Denominator);
  }
  AreaPainter(const AreaPainter&) = delete;
  AreaPainter& operator=(const AreaPainter&) = delete;
  ~AreaPainter() {
    painter_.end();
    Blit(target_, area_.left, area_.top, area_.Width(), area_.Height(), canvas_, 0, 0, Rop::Copy);
  }
  QPainter& operator*() { return painter_; }

 private:
  QImage& target_;
  PixelRect area_;
  QImage canvas_;
  QPainter painter_;
};

}  // namespace

HallPanel::HallPanel() { SetHofPic(MakePicture(DefaultWidth, DefaultHeight)); }

void HallPanel::SetHofPic(const QImage& picture) {
  unitPicture_ = picture;
  ToPictureFormat(unitPicture_);
  MakeScaledPicture();
}

void HallPanel::SetScale(board::Scale scale) {
  if (scale.Numerator <= 0 || scale.Denominator <= 0) scale = {};
  if (scale == scale_) return;
  scale_ = scale;
  MakeScaledPicture();
}

void HallPanel::MakeScaledPicture() {
  if (scale_ == board::Scale{}) {
    HallPicture = unitPicture_;
  } else {
    const board::Geometry g({0, 0}, scale_);
    HallPicture = unitPicture_.scaled(g.Scaled(unitPicture_.width()), g.Scaled(unitPicture_.height()),
                                      Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ToPictureFormat(HallPicture);
  }
  HallPanelPicture = HallPicture.copy();
  HallPanelPicture.setDotsPerMeterX(DotsPerMeter96);
  HallPanelPicture.setDotsPerMeterY(DotsPerMeter96);
}

PixelRect HallPanel::Scaled(PixelRect area) const { return board::Geometry({0, 0}, scale_).Scaled(area); }

int HallPanel::Shift(const PanelContent& content) {
  if (content.TwoPlayer) return 20;
  return content.ShowCurrentTile ? 10 : -20;
}

void HallPanel::RestoreFromPicture(PixelRect unit) {
  const PixelRect area = Scaled(unit);
  Blit(HallPanelPicture, area.left, area.top, area.Width(), area.Height(), HallPicture, area.left, area.top, Rop::Copy);
}

bool HallPanel::ShowHallPanel(const PanelContent& content) {
  if (!content.ShowHallOfFame) return false;
  const int d = Shift(content);
  RestoreFromPicture({0, 0, unitPicture_.width(), unitPicture_.height()});
  if (content.EditorMode) return true;
  if (content.ShowCurrentTile && !content.TwoPlayer) PaintPreviewRecess();

  AreaPainter painter(HallPanelPicture, {0, 0, unitPicture_.width(), unitPicture_.height()}, scale_);
  QPainter& p = *painter;
  p.setRenderHint(QPainter::TextAntialiasing);
  const QFont title = PanelFont("Comic Sans MS", 10, true);
  Text(p, 21, 50 - d, title, qRgb(255, 255, 0), "HALL OF");
  Text(p, 31, 70 - d, title, qRgb(255, 255, 0), "FAME");

  const QFont plain = PanelFont("Verdana", 9, true);
  const QFont reached = PanelFont("Verdana", 9, true, true);
  for (int i = 1; i <= 10; ++i) {
    const std::string& entry = content.Entries[i - 1];
    const QFont& font = i == content.RankReached ? reached : plain;
    Text(p, 15, 27 * i + 81 - d, font, qRgb(255, 255, 255), game::HallEntryName(entry));
    Text(p, 39, 27 * i + 94 - d, font, qRgb(0, 255, 255), game::TimeText(game::HallEntryTime(entry)));
  }
  return true;
}

void HallPanel::PaintBanner(const BannerContent& banner) {
  RestoreFromPicture(BannerArea);
  AreaPainter painter(HallPanelPicture, BannerArea, scale_);
  QPainter& p = *painter;
  p.setRenderHint(QPainter::TextAntialiasing);
  const QFont label = PanelFont("Arial", 18, true);
  const QFont time = PanelFont("Arial", 10, true);
  if (banner.Player1LabelVisible) Text(p, 4, 380, label, qRgb(255, 255, 0), "PLAY 1");
  if (banner.Player2LabelVisible) Text(p, 4, 422, label, qRgb(0, 255, 255), "PLAY 2");
  Text(p, 30, 402, time, qRgb(255, 255, 255), banner.Player1Time);
  Text(p, 30, 444, time, qRgb(255, 255, 255), banner.Player2Time);
}

void HallPanel::PaintPreviewRecess() {
  RestoreFromPicture(RecessArea);
  AreaPainter painter(HallPanelPicture, RecessArea, scale_);
  QPainter& p = *painter;
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 58, 128), 1));
  p.setBrush(QColor(20, 16, 50));
  p.drawRoundedRect(QRectF(RecessArea.left + 0.5, RecessArea.top + 0.5, RecessArea.Width() - 2,
                           RecessArea.Height() - 2),
                    3, 3);
}

void HallPanel::ShowCurrentTile(const BoardView& view, int tile) {
  PaintPreviewRecess();
  if (tile <= 0) return;
  if (scale_ == board::Scale{}) {
    view.PaintTilePicture(HallPanelPicture, PreviewArea.left, PreviewArea.top, tile);
  } else if (view.DrawingScale() == scale_) {
    const PixelRect at = Scaled(PreviewArea);
    view.PaintScaledTilePicture(HallPanelPicture, at.left, at.top, tile);
  }
}

}  // namespace view
