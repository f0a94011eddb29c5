// The window's side of saved games: the file dialogs of "Open Game..." and
// "Save Game As...", and handing the game in hand to the keeper.
#include <QFileDialog>
#include <QFileInfo>

#include "app/main_window.h"
#include "app/screen_adapter.h"
#include "base/file_io.h"
#include "base/texts.h"
#include "game/engine.h"
#include "game/game_keeper.h"

namespace app {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void MainWindow::KeepGame() {
  if (!keeping_ || closing_ || !keeper_) return;
  keeper_->Update(*engine_);
  if (const auto failure = keeper_->TakeFailure())
    engine_->ShowStatus(
        base::Format(base::Translate("SavedGame", "The game in hand could not be kept: %1"), {*failure}));
}

void MainWindow::OpenGame() {
  // The editor owns the board while a layout is made.
  if (engine_->Game().Kind == game::GameKind::Editor) return;
  const QString folder = gamesFolder_.isEmpty() ? Q(folders_.User) : gamesFolder_;
  const QString chosen = QFileDialog::getOpenFileName(this, tr("Open a saved game"), folder,
                                                      tr("Sorami saved games (*.sorami-game);;All files (*)"));
  if (chosen.isEmpty()) return;
  gamesFolder_ = QFileInfo(chosen).absolutePath();
  OpenGameFile(chosen.toStdString());
}

bool MainWindow::OpenGameFile(const std::string& path) {
  if (const auto error = game::OpenGameFile(*engine_, path)) {
    screen_->Tell("Sorami", *error);
    return false;
  }
  engine_->ShowStatus(base::Format(base::Translate("SavedGame", "Game %1 opened."), {base::FileNameOf(path)}));
  return true;
}

void MainWindow::SaveGameAs() {
  if (!game::IsResumable(engine_->Game())) {
    screen_->Tell("Sorami", base::Translate("SavedGame", "There is no game in progress to save."));
    return;
  }
  QFileDialog dialog(this, tr("Save the game as"), gamesFolder_.isEmpty() ? Q(folders_.User) : gamesFolder_,
                     tr("Sorami saved games (*.sorami-game)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The extension is added before the dialog asks about a file already there.
  dialog.setDefaultSuffix(QStringLiteral("sorami-game"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString chosen = dialog.selectedFiles().constFirst();
  gamesFolder_ = QFileInfo(chosen).absolutePath();
  SaveGameFile(chosen.toStdString());
}

bool MainWindow::SaveGameFile(const std::string& path) {
  if (const auto error = game::SaveGameFile(*engine_, path)) {
    screen_->Tell("Sorami", *error);
    return false;
  }
  engine_->ShowStatus(base::Format(base::Translate("SavedGame", "Game saved as %1."), {base::FileNameOf(path)}));
  return true;
}

}  // namespace app
