// MainWindow as the engine's screen: painting through the board view and the
// side panel, the counters and status text, message boxes, file dialogs, and
// the notices of the music and of the tileset and background commands.

#include <QFileDialog>
#include <QMessageBox>

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

void MainWindow::PaintBoard() {
  view_->FullRedraw(view::SceneOf(*engine_));
  game_->ShowLive(view_->BoardBuffer);
}

void MainWindow::PaintTileArea(int x, int y, int z) {
  const view::Scene scene = view::SceneOf(*engine_);
  const view::PixelRect area =
      view_->RedrawArea(scene, view::TilePictureRect(x, y, z, scene.Origin()));
  if (!area.Empty()) game_->SetPictureArea(view_->BoardBuffer, ToQRect(area));
}

void MainWindow::ShowBackground() { game_->SetPicture(view_->ShowBackground()); }

void MainWindow::ClearBoardBuffer() { view_->ClearBoardBuffer(); }

void MainWindow::UpdateNow() {
  game_->repaint();
  hallPanelBox_->repaint();
}

void MainWindow::ShowHallPanel() {
  if (panel_.ShowHallPanel(view::PanelOf(*engine_))) hallPanelBox_->SetPicture(panel_.HallPanelPicture);
}

void MainWindow::PaintBanner() {
  if (!engine_->Opt().ShowHallOfFame) return;
  panel_.PaintBanner(view::BannerOf(*engine_));
  hallPanelBox_->SetPicture(panel_.HallPanelPicture);
}

void MainWindow::ShowCurrentTile(int tile) {
  if (!engine_->Opt().ShowHallOfFame) return;
  panel_.ShowCurrentTile(*view_, tile);
  hallPanelBox_->SetPicture(panel_.HallPanelPicture);
}

void MainWindow::ShowCounters(const std::string& tiles, const std::string& moves,
                           const std::string& time) {
  statusLine_->SetCounters(Q(tiles), Q(moves), Q(time));
}

void MainWindow::ShowStatusText(const std::string& text) { statusLine_->SetStatusText(Q(text)); }

void MainWindow::SetPauseCaptions(bool paused) {
  if (pauseEntry_ != nullptr) {
    pauseEntry_->setText(paused ? tr("&Continue") : tr("&Pause"));
    const QIcon play = toolBar_->PlayGlyph();
    pauseEntry_->setIcon(paused && !play.isNull() ? play : toolBar_->Glyph(ToolBar::Pause));
  }
  toolBar_->SetPaused(paused);
}

bool MainWindow::Ask(const std::string& title, const std::string& text) {
  return ShowMessage(this, QMessageBox::Question, Q(title), Q(text),
                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void MainWindow::Tell(const std::string& title, const std::string& text) {
  ShowMessage(this, QMessageBox::Information, Q(title), Q(text));
}

std::optional<std::string> MainWindow::OpenFileDialog(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& dir) {
  const QString chosen = QFileDialog::getOpenFileName(this, Q(title), Q(dir), QtFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

std::optional<std::string> MainWindow::SaveFileDialog(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& dir) {
  // The layout files are overwritten without a question, as the editor asks.
  const QString chosen = QFileDialog::getSaveFileName(this, Q(title), Q(dir), QtFilter(filter),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

void MainWindow::OpenHelp(game::HelpPage page) { Help()->RunModal(page); }

const QImage& MainWindow::HelpTileTexture() const { return view_->TileTexture; }

void MainWindow::ShowMusicStatus(const std::string& text) { engine_->ShowStatus(text); }

void MainWindow::TellMusicError(const std::string& text) { Tell("Sorami", text); }

void MainWindow::MusicStateChanged() {
  if (started_) RefreshFromEngine();
}

std::optional<std::string> MainWindow::OpenPictureDialog(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& dir) {
  return OpenFileDialog(title, filter, dir);
}

void MainWindow::ShowError(const std::string& text) {
  ShowMessage(this, QMessageBox::Critical, QStringLiteral("Sorami"), Q(text));
}

void MainWindow::RedrawUnlessIdle() {
  if (engine_->Game().Phase != game::GamePhase::Idle) engine_->FullRedraw();
}

}  // namespace app
