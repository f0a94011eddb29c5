#include "app/display_mode.h"

#include <vector>

#ifdef SORAMI_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

namespace app {

namespace {

constexpr Resolution k800x600{800, 600};

// No way to change the mode: report the size we were given, refuse the rest.
class FixedDisplay final : public DisplayBackend {
 public:
  explicit FixedDisplay(Resolution size) : size_(size) {}
  Resolution Current() override { return size_; }
  bool Test(Resolution) override { return false; }
  bool Apply(Resolution) override { return false; }
  bool TestDefault() override { return false; }
  bool RestoreDefault() override { return false; }

 private:
  Resolution size_;
};

#ifdef SORAMI_HAVE_XRANDR
// XRandR's screen-size interface: the sizes the screen offers, the current
// one, and a switch that keeps the rotation and, when it can, the refresh rate.
// The mode found at the first contact is the "stored default" put back at exit.
class XRandrDisplay final : public DisplayBackend {
 public:
  XRandrDisplay(Display* display, Resolution fallback) : display_(display), fallback_(fallback) {
    root_ = DefaultRootWindow(display_);
    int eventBase = 0;
    int errorBase = 0;
    usable_ = XRRQueryExtension(display_, &eventBase, &errorBase) != 0;
    if (usable_) {
      if (XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_)) {
        Rotation rotation = 0;
        defaultIndex_ = XRRConfigCurrentConfiguration(config, &rotation);
        defaultRate_ = XRRConfigCurrentRate(config);
        XRRFreeScreenConfigInfo(config);
      } else {
        usable_ = false;
      }
    }
  }
  ~XRandrDisplay() override { XCloseDisplay(display_); }

  Resolution Current() override {
    if (!usable_) return fallback_;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return fallback_;
    Rotation rotation = 0;
    const SizeID index = XRRConfigCurrentConfiguration(config, &rotation);
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    Resolution result = fallback_;
    if (static_cast<int>(index) < count) result = {sizes[index].width, sizes[index].height};
    XRRFreeScreenConfigInfo(config);
    return result;
  }

  bool Test(Resolution size) override { return IndexOf(size) >= 0; }

  bool Apply(Resolution size) override {
    const int index = IndexOf(size);
    return index >= 0 && SetIndex(index, 0);
  }

  bool TestDefault() override { return usable_ && defaultIndex_ >= 0; }
  bool RestoreDefault() override { return TestDefault() && SetIndex(defaultIndex_, defaultRate_); }

 private:
  int IndexOf(Resolution size) {
    if (!usable_) return -1;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return -1;
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
      if (sizes[i].width == size.width && sizes[i].height == size.height) found = i;
    }
    XRRFreeScreenConfigInfo(config);
    return found;
  }

  // rate 0 keeps the current rate when the new size offers it.
  bool SetIndex(int index, short rate) {
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return false;
    Rotation rotation = 0;
    XRRConfigCurrentConfiguration(config, &rotation);
    if (rate == 0) rate = XRRConfigCurrentRate(config);
    int rateCount = 0;
    const short* rates = XRRConfigRates(config, index, &rateCount);
    bool rateOffered = false;
    for (int i = 0; i < rateCount; ++i) rateOffered = rateOffered || rates[i] == rate;
    const Status status =
        rateOffered
            ? XRRSetScreenConfigAndRate(display_, config, root_, index, rotation, rate, CurrentTime)
            : XRRSetScreenConfig(display_, config, root_, index, rotation, CurrentTime);
    XRRFreeScreenConfigInfo(config);
    XSync(display_, False);
    return status == Success;
  }

  Display* display_;
  Window root_ = 0;
  Resolution fallback_;
  bool usable_ = false;
  int defaultIndex_ = -1;
  short defaultRate_ = 0;
};
#endif

}  // namespace

std::unique_ptr<DisplayBackend> MakeSystemDisplayBackend(Resolution fallback, bool x11) {
#ifdef SORAMI_HAVE_XRANDR
  if (Display* display = x11 ? XOpenDisplay(nullptr) : nullptr) {
    return std::make_unique<XRandrDisplay>(display, fallback);
  }
#else
  (void)x11;
#endif
  return std::make_unique<FixedDisplay>(fallback);
}

bool DisplayMode::Switch800x600() {
  if (backend_.Current() == k800x600) {
    changed_ = false;
    return changed_;
  }
  changed_ = true;
  if (!backend_.Test(k800x600)) {
    changed_ = false;
    return changed_;
  }
  changed_ = backend_.Apply(k800x600);
  return changed_;
}

void DisplayMode::Restore() {
  if (!changed_) return;
  if (backend_.TestDefault()) backend_.RestoreDefault();
  changed_ = false;
}

int DisplayMode::ScreenWidth() { return backend_.Current().width; }

}  // namespace app
