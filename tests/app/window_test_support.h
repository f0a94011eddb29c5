#pragma once
// Shared helpers of the game-window tests: the application object on the
// offscreen platform, a temporary program folder holding a copy of data/,
// quiet sound and music devices, and answering message boxes.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/display_mode.h"
#include "app/main_window.h"
#include "game/ports.h"

namespace apptest {

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "sorami_app_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  return *qobject_cast<QApplication*>(QApplication::instance());
}

// Records the effects asked for; plays nothing.
class QuietSound final : public game::SoundPort {
 public:
  explicit QuietSound(std::vector<std::string>* played = nullptr) : played_(played) {}
  void PlaySound(const std::string& name) override {
    if (played_ != nullptr) played_->push_back(name);
  }

 private:
  std::vector<std::string>* played_;
};

// A music device that opens, loads and plays without a sound.
class QuietMusic final : public game::MusicDevice {
 public:
  bool IsOpen() const override { return open_; }
  bool Open() override { return open_ = true; }
  bool PlayFile(const std::string& path) override {
    file_ = path;
    playing_ = std::filesystem::exists(path);
    return playing_;
  }
  void Play() override { playing_ = true; }
  void Pause() override {
    paused_ = playing_;
    playing_ = false;
  }
  void Resume() override {
    playing_ = paused_;
    paused_ = false;
  }
  void Stop() override { playing_ = paused_ = false; }
  void SeekToStart() override {}
  bool IsPlaying() const override { return playing_; }
  bool IsPaused() const override { return paused_; }
  std::int64_t StartPosition() const override { return 0; }
  std::int64_t Length() const override { return 1000; }
  std::int64_t Position() const override { return 0; }
  bool TakeEndNotice() override { return false; }
  std::string ErrorText() const override { return {}; }

 private:
  bool open_ = false;
  bool playing_ = false;
  bool paused_ = false;
  std::string file_;
};

// A display of a chosen size that accepts 800 x 600 when asked to.
class FakeDisplay final : public app::DisplayBackend {
 public:
  app::Resolution current{1024, 768};
  app::Resolution stored{1024, 768};
  bool accepts = true;
  std::vector<app::Resolution> applied;
  int restored = 0;

  app::Resolution Current() override { return current; }
  bool Test(app::Resolution) override { return accepts; }
  bool Apply(app::Resolution size) override {
    applied.push_back(size);
    current = size;
    return true;
  }
  bool TestDefault() override { return true; }
  bool RestoreDefault() override {
    ++restored;
    current = stored;
    return true;
  }
};

// A temporary program folder: a copy of data/, plus the few files a test
// run needs when data/ lacks them (a music piece, the two help texts).
class ProgramFolder {
 public:
  ProgramFolder() {
    namespace fs = std::filesystem;
    fs::copy(SORAMI_DATA_DIR, Path(), fs::copy_options::recursive);
    fs::create_directories(Path() + "Musics");
    bool anyPiece = false;
    for (const auto& entry : fs::directory_iterator(Path() + "Musics")) {
      anyPiece = anyPiece || entry.path().extension() == ".mid";
    }
    if (!anyPiece) WriteTinyMidi(Path() + "Musics/Night.mid");
    for (const char* text : {"sorami.rtf", "whatsnew.rtf"}) {
      if (!fs::exists(Path() + text)) Write(text, "{\\rtf1 Sorami}");
    }
  }

  // With its trailing separator.
  std::string Path() const { return dir_.path().toStdString() + "/"; }
  QString QPath() const { return QString::fromStdString(Path()); }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path() + name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path() + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static void WriteTinyMidi(const std::string& path) {
    const unsigned char bytes[] = {'M', 'T',  'h',  'd',  0,    0,   0, 6,    0,    0,   0,    1,
                                   1,   0xE0, 'M',  'T',  'r',  'k', 0, 0,    0,    12,  0x00, 0x90,
                                   60,  100,  0x83, 0x60, 0x80, 60,  0, 0x00, 0xFF, 0x2F};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  }

 private:
  QTemporaryDir dir_;
};

// Builds a window on a program folder with quiet devices.
inline std::unique_ptr<app::MainWindow> MakeWindow(const ProgramFolder& folder,
                                                std::vector<std::string>* sounds = nullptr,
                                                std::unique_ptr<app::DisplayBackend> display = {}) {
  TestApp();
  app::MainWindow::Environment environment;
  environment.ProgramDir = folder.QPath();
  environment.Sound = std::make_unique<QuietSound>(sounds);
  environment.MusicDevice = std::make_unique<QuietMusic>();
  environment.Display = std::move(display);
  return std::make_unique<app::MainWindow>(std::move(environment));
}

// Answers the next message box that opens (within the next event loop
// runs) by clicking the button whose text is `button`, and keeps its text.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(QString button) : button_(std::move(button)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      // As the player reads it: without the invisible places to break a line.
      text_ = box->text().remove(QChar(0x200B));
      for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == button_) {
          timer_.stop();
          answered_ = true;
          candidate->click();
          return;
        }
      }
    });
    timer_.start();
  }
  bool Answered() const { return answered_; }
  const QString& Text() const { return text_; }

 private:
  QString button_;
  QString text_;
  bool answered_ = false;
  QTimer timer_;
};

}  // namespace apptest
