#pragma once
// A drop-down menu that can show a vertical title band along its left edge
// with the product name written upwards ("Cool Menu").

#include <QMenu>

namespace app {

class BandMenu : public QMenu {
  Q_OBJECT

 public:
  static constexpr int kBandWidth = 22;

  explicit BandMenu(const QString& title, QWidget* parent = nullptr);

  void SetBand(bool shown);
  bool BandShown() const { return band_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool band_ = false;
};

}  // namespace app
