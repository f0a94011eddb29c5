#include "app/screen_adapter.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/picture_box.h"
#include "app/status_line.h"
#include "game/engine.h"
#include "view/board_view.h"
#include "view/scene_of.h"

namespace app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QRect ToQRect(const view::PixelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// "Desc (*.x; *.y)|*.x;*.y" (pairs of description and pattern) as Qt's
// "Desc (*.x *.y)" filters, one per line.
QString QtFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    QString description = parts[i];
    const qsizetype open = description.indexOf(QLatin1Char('('));
    if (open >= 0) description = description.left(open).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(description, patterns.simplified());
  }
  if (filters.isEmpty()) filters << Q(filter);
  return filters.join(QStringLiteral(";;"));
}

}  // namespace

void ScreenAdapter::PaintBoard() {
  view::BoardView& view = window_.View();
  view.FullRedraw(view::SceneOf(window_.Engine()));
  window_.Game()->ShowLive(view.BoardBuffer);
}

void ScreenAdapter::PaintTileArea(int x, int y, int z) {
  view::BoardView& view = window_.View();
  const view::Scene scene = view::SceneOf(window_.Engine());
  const view::PixelRect area =
      view.RedrawArea(scene, view::TilePictureRect(x, y, z, scene.Origin()));
  if (!area.Empty()) window_.Game()->SetPictureArea(view.BoardBuffer, ToQRect(area));
}

void ScreenAdapter::ShowBackground() { window_.Game()->SetPicture(window_.View().ShowBackground()); }

void ScreenAdapter::ClearBoardBuffer() { window_.View().ClearBoardBuffer(); }

void ScreenAdapter::UpdateNow() {
  window_.Game()->repaint();
  window_.HallPanelBox()->repaint();
}

void ScreenAdapter::ShowHallPanel() {
  view::HallPanel& panel = window_.HallPanel();
  if (panel.ShowHallPanel(view::PanelOf(window_.Engine())))
    window_.HallPanelBox()->SetPicture(panel.HallPanelPicture);
}

void ScreenAdapter::PaintBanner() {
  if (!window_.Engine().Opt().ShowHallOfFame) return;
  view::HallPanel& panel = window_.HallPanel();
  panel.PaintBanner(view::BannerOf(window_.Engine()));
  window_.HallPanelBox()->SetPicture(panel.HallPanelPicture);
}

void ScreenAdapter::ShowCurrentTile(int tile) {
  if (!window_.Engine().Opt().ShowHallOfFame) return;
  view::HallPanel& panel = window_.HallPanel();
  panel.ShowCurrentTile(window_.View(), tile);
  window_.HallPanelBox()->SetPicture(panel.HallPanelPicture);
}

void ScreenAdapter::ShowCounters(const std::string& tiles, const std::string& moves,
                                 const std::string& time) {
  window_.Status()->SetCounters(Q(tiles), Q(moves), Q(time));
}

void ScreenAdapter::ShowStatusText(const std::string& text) {
  window_.Status()->SetStatusText(Q(text));
}

void ScreenAdapter::SetPauseCaptions(bool paused) {
  ToolBar* toolBar = window_.Tools();
  if (QAction* pauseEntry = window_.CommandEntry(CommandId::Pause)) {
    pauseEntry->setText(paused ? MainWindow::tr("&Continue") : MainWindow::tr("&Pause"));
    const QIcon play = toolBar->PlayGlyph();
    pauseEntry->setIcon(paused && !play.isNull() ? play : toolBar->Glyph(ToolBar::Pause));
  }
  toolBar->SetPaused(paused);
}

bool ScreenAdapter::Ask(const std::string& title, const std::string& text) {
  return ShowMessage(&window_, QMessageBox::Question, Q(title), Q(text),
                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void ScreenAdapter::Tell(const std::string& title, const std::string& text) {
  ShowMessage(&window_, QMessageBox::Information, Q(title), Q(text));
}

std::optional<std::string> ScreenAdapter::OpenFileDialog(const std::string& title,
                                                         const std::string& filter,
                                                         const std::string& dir) {
  const QString chosen =
      QFileDialog::getOpenFileName(&window_, Q(title), Q(dir), QtFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::optional<std::string> ScreenAdapter::SaveFileDialog(const std::string& title,
                                                         const std::string& filter,
                                                         const std::string& dir) {
  // The layout files are overwritten without a question, as the editor asks.
  const QString chosen = QFileDialog::getSaveFileName(&window_, Q(title), Q(dir), QtFilter(filter),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

void ScreenAdapter::OpenHelp(game::HelpPage page) { window_.Help()->RunModal(page); }

const QImage& ScreenAdapter::HelpTileTexture() const { return window_.View().TileTexture; }

void ScreenAdapter::ShowMusicStatus(const std::string& text) { window_.Engine().ShowStatus(text); }

void ScreenAdapter::TellMusicError(const std::string& text) { Tell("Sorami", text); }

void ScreenAdapter::MusicStateChanged() {
  if (window_.Started()) window_.RefreshFromEngine();
}

std::optional<std::string> ScreenAdapter::OpenPictureDialog(const std::string& title,
                                                            const std::string& filter,
                                                            const std::string& dir) {
  return OpenFileDialog(title, filter, dir);
}

void ScreenAdapter::ShowError(const std::string& text) {
  ShowMessage(&window_, QMessageBox::Critical, QStringLiteral("Sorami"), Q(text));
}

void ScreenAdapter::RedrawUnlessIdle() {
  if (window_.Engine().Game().Phase != game::GamePhase::Idle) window_.Engine().FullRedraw();
}

}  // namespace app
