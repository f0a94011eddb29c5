#pragma once
// HelpWindow: the help and options window. One modal window with seven pages
// (help text, change notes, credits, a French page, the tile chart, the typed
// options and the hall-of-fame viewer), built when it is first wanted,
// hidden between uses and opened on a page by OpenHelp. While it is open a running
// game is held paused.

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

#include "game/ports.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;

namespace game {
class Engine;
}

namespace app {

class CentredPage;

// What only the main window can do for the help window.
class HelpHost {
 public:
  virtual ~HelpHost() = default;
  // Compose and show the hall-of-fame side panel for table BoardNumber (it
  // draws nothing while "Show Hall of Fame" is off).
  virtual void ShowHallPanel() = 0;
  // The ready-made tile pictures of the current tileset (TileTexture).
  virtual const QImage& HelpTileTexture() const = 0;
};

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int ClientWidth = 616;
  static constexpr int ClientHeight = 438;
  static constexpr int BottomBarHeight = 32;

  HelpWindow(game::Engine& engine, HelpHost& host, QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Start-up: the page background "orange.jpg" (skipped when missing) and the
  // texts "sorami.rtf" and "whatsnew.rtf" from `programDir` (which ends in a
  // separator). A missing or unreadable text is reported with
  // "Cannot open file %s", a file that is no RTF text with its own message;
  // its page then only says that the text could not be read, and why. The
  // rest still loads.
  // Returns false when a text could not be loaded. Problems named in
  // `alreadyReported` (by CheckFiles at start-up) are not reported again.
  bool LoadFiles(const QString& programDir, const QStringList& alreadyReported = {});
  // The same files checked without building anything: what LoadFiles would
  // report, in the same words and order.
  static QStringList CheckFiles(const QString& programDir);

  // Fills the layout chooser from the engine's layout list and selects the
  // item of the current table.
  void FillLayoutChooser();

  // The eight commands that open the window: through the engine, which does
  // nothing during a two-player game, holds a running game paused while the
  // window is open and then asks the screen port to open it (RunModal).
  void OpenHelp(game::HelpPage page);
  // The screen port's OpenHelp: fills the pages from the engine's state,
  // shows `page` and runs the window modally until it is closed. With the
  // engine's NewRecordShown raised, the "Hall of Fame" page offers the
  // record's name field instead of the chooser.
  void RunModal(game::HelpPage page);

  // Handlers (public so that the window's commands and the tests reach them).
  void FillHallTable(int code);
  void OnHallLayoutChosen();
  void DeleteHighScores();
  void OnPlayerNameEdited();
  void OnRecordNameEdited();
  void OnGameNumberEdited();
  void OpenLink(int number);

  // Modal questions and notices go through these, so that tests can answer
  // them. By default they are message boxes above this window.
  using AskFunction = std::function<bool(const QString& title, const QString& text)>;
  using TellFunction = std::function<void(const QString& text)>;
  using OpenUrlFunction = std::function<void(const QString& url)>;
  void SetAsk(AskFunction ask) { ask_ = std::move(ask); }
  void SetTell(TellFunction tell) { tell_ = std::move(tell); }
  void SetOpenUrl(OpenUrlFunction open) { open_url_ = std::move(open); }

  // Whether the window stays above other programs' windows: on while Sorami
  // is the active program, off while another program is.
  void KeepOnTop(bool onTop);

  // The picture of the "Tiles" page as last drawn by RunModal.
  const QImage& TileChart() const { return tile_chart_; }
  bool IsRunning() const { return running_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPages();
  QWidget* BuildTextPage(QTextEdit*& box, const QString& name);
  QWidget* BuildAboutPanel();
  QWidget* BuildFrenchPanel();
  QWidget* BuildTilesPanel();
  QWidget* BuildOptionsPanel();
  QWidget* BuildHallPanel();
  void ShowPage(game::HelpPage page);
  void ShowRecordState();
  int SelectedTable() const;
  void CentrePanels();
  void DrawTiles();

  game::Engine& engine_;
  HelpHost& host_;

  QTabWidget* pages_ = nullptr;
  QTextEdit* help_text_ = nullptr;
  QTextEdit* whats_new_text_ = nullptr;
  QList<CentredPage*> centred_pages_;
  QList<CentredPage*> picture_pages_;  // the pages with the orange ground
  QLabel* tile_view_ = nullptr;
  QLineEdit* player_name_ = nullptr;
  QLineEdit* random_seed_ = nullptr;
  QTreeWidget* hof_list_ = nullptr;
  QComboBox* layout_combo_ = nullptr;
  QPushButton* reset_button_ = nullptr;
  QLabel* record_label_ = nullptr;
  QLineEdit* hall_edit_ = nullptr;
  QWidget* bottom_bar_ = nullptr;
  QPushButton* return_button_ = nullptr;

  int chooser_layouts_ = 0;  // layouts in the chooser when it was filled
  QImage tile_chart_;
  bool running_ = false;

  AskFunction ask_;
  TellFunction tell_;
  OpenUrlFunction open_url_;
};

}  // namespace app
