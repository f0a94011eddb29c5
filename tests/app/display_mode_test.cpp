// The 800 x 600 switch: nothing changes unless the display accepts the size,
// and only a switch made at start-up is undone at exit.

#include <gtest/gtest.h>

#include <vector>

#include "app/display_mode.h"
#include "window_test_support.h"

namespace {

using app::DisplayMode;
using app::Resolution;
using apptest::FakeDisplay;

TEST(DisplayModeTest, SwitchesWhenTheDisplayAcceptsAndRestoresAtExit) {
  FakeDisplay display;
  DisplayMode mode(display);
  EXPECT_TRUE(mode.Switch800x600());
  ASSERT_EQ(display.applied.size(), 1u);
  EXPECT_EQ(display.applied[0], (Resolution{800, 600}));
  EXPECT_EQ(mode.ScreenWidth(), 800);
  mode.Restore();
  EXPECT_EQ(display.restored, 1);
  EXPECT_EQ(mode.ScreenWidth(), 1024);
  mode.Restore();  // only once
  EXPECT_EQ(display.restored, 1);
}

TEST(DisplayModeTest, ARefusingDisplayKeepsItsModeAndIsNotTouchedAtExit) {
  FakeDisplay display;
  display.accepts = false;
  DisplayMode mode(display);
  EXPECT_FALSE(mode.Switch800x600());
  EXPECT_FALSE(mode.DisplayModeChanged());
  EXPECT_TRUE(display.applied.empty());
  mode.Restore();
  EXPECT_EQ(display.restored, 0);
}

TEST(DisplayModeTest, ADisplayAlreadyAt800x600IsLeftAlone) {
  FakeDisplay display;
  display.current = {800, 600};
  DisplayMode mode(display);
  EXPECT_FALSE(mode.Switch800x600());
  EXPECT_TRUE(display.applied.empty());
  mode.Restore();
  EXPECT_EQ(display.restored, 0);
}

TEST(DisplayModeTest, WithoutXRandRNothingEverChanges) {
  auto display = app::MakeSystemDisplayBackend({1280, 1024}, false);
  DisplayMode mode(*display);
  EXPECT_EQ(mode.ScreenWidth(), 1280);
  EXPECT_FALSE(mode.Switch800x600());
  EXPECT_EQ(mode.ScreenWidth(), 1280);
}

}  // namespace
