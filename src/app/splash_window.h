#pragma once
// The splash window shown while the main window is being built: a small
// dialog-style window without title-bar buttons, captioned
// "Welcome to Sorami...", holding the 253 x 128 splash picture, centred on
// the screen by the rule width = picture + 5, height = picture + 25.

#include <QImage>
#include <QWidget>

namespace app {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPictureWidth = 253;
  static constexpr int kPictureHeight = 128;

  // `picture` may be null: the window then shows a plain ground of the
  // picture's size.
  SplashWindow(const QImage& picture, QSize screen);

  // Show and paint at once, before anything else is created.
  void ShowNow();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace app
