#pragma once
// The screen's resolution and the optional switch to 800 x 600 for the run.
//
// DisplayMode holds the game's side of the switch (ask, test, apply, and put
// the stored mode back at exit); a DisplayBackend talks to the display. On
// X11 the backend uses XRandR; elsewhere, or when XRandR is missing, it knows
// only the current size and every test fails, so nothing ever changes.

#include <memory>

namespace app {

struct Resolution {
  int width = 0;
  int height = 0;
  bool operator==(const Resolution&) const = default;
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;
  // The current horizontal and vertical resolution; {0, 0} when unknown.
  virtual Resolution Current() = 0;
  // Whether the display would accept this size (nothing changes).
  virtual bool Test(Resolution size) = 0;
  // Switch to this size for the run only (never stored as the default).
  virtual bool Apply(Resolution size) = 0;
  // Whether the stored default mode can be restored, and restore it.
  virtual bool TestDefault() = 0;
  virtual bool RestoreDefault() = 0;
};

// The backend for the running display: XRandR when `x11` is true and the
// program was built with it, otherwise one that only reports the size
// `fallback` and refuses every change.
std::unique_ptr<DisplayBackend> MakeSystemDisplayBackend(Resolution fallback, bool x11);

class DisplayMode {
 public:
  explicit DisplayMode(DisplayBackend& backend) : backend_(backend) {}

  // The 800 x 600 switch: nothing when the display is already 800 x 600;
  // otherwise test the size and apply it when the test passes. Returns
  // DisplayModeChanged.
  bool Switch800x600();
  // At exit: when the start-up switched the mode, test the stored default
  // and restore it when the test passes.
  void Restore();

  bool DisplayModeChanged() const { return changed_; }
  // The screen width as the game should see it now.
  int ScreenWidth();

 private:
  DisplayBackend& backend_;
  bool changed_ = false;
};

}  // namespace app
