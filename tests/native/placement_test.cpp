#include "console/placement.h"

#include <gtest/gtest.h>

namespace {

MonitorInfo monitor(int left, int top, int width, int height, bool primary, const char* device, int dpi = 96) {
  const PixelRect r{left, top, left + width, top + height};
  return MonitorInfo{r, PixelRect{r.left, r.top, r.right, r.bottom - 40}, primary, device, dpi};
}

const MonitorInfo kPrimary = monitor(0, 0, 1920, 1080, true, "\\\\.\\DISPLAY1");

OutputRequest firstShowing(int width = 1024, int height = 768) {
  return OutputRequest{width, height, false, false, {}};
}

OutputRequest at(int left, int top, int width = 1024, int height = 768) {
  return OutputRequest{width, height, false, true, PixelRect{left, top, left + width, top + height}};
}

OutputRequest filling(OutputRequest r) {
  r.fill = true;
  return r;
}

}  // namespace

TEST(Placement, FirstShowingThenTheDraggedCornerAtTheSettingsSize) {
  const MonitorList one = {kPrimary};
  EXPECT_EQ(placeForShowing(one, firstShowing()), (PixelRect{1343, 108, 2367, 876}));
  // A dragged window keeps its corner, also on a projector with another DPI: the frame is
  // never scaled, its pixels are the monitor's.
  const MonitorList two = {kPrimary, monitor(1920, 0, 1280, 720, false, "\\\\.\\DISPLAY2", 144)};
  EXPECT_EQ(placeForShowing(two, at(2000, 30, 640, 360)), (PixelRect{2000, 30, 2640, 390}));
  OutputRequest resized = at(100, 50, 640, 360);
  resized.width = 500;  // the settings changed since it was placed
  EXPECT_EQ(placeForShowing(one, resized), (PixelRect{100, 50, 600, 410}));
  // The primary listed second: the first place is still on it.
  const MonitorList primaryLast = {monitor(-1280, 0, 1280, 1024, false, "\\\\.\\DISPLAY2"), kPrimary};
  EXPECT_EQ(placeForShowing(primaryLast, firstShowing()).left, 1343);
}

TEST(Placement, SecondScreenWhereverTheOtherMonitorStands) {
  const MonitorList sideBySide = {kPrimary, monitor(1920, 0, 1280, 720, false, "\\\\.\\DISPLAY2")};
  const MonitorList projectorLeft = {kPrimary, monitor(-1280, 0, 1280, 720, false, "\\\\.\\DISPLAY2")};
  const MonitorList projectorAbove = {monitor(0, -768, 1024, 768, false, "\\\\.\\DISPLAY2"), kPrimary};
  const MonitorList bothNegative = {kPrimary, monitor(-1024, -768, 1024, 768, false, "\\\\.\\DISPLAY3", 120)};
  struct Case {
    const MonitorList& monitors;
    PixelRect expected;
  } cases[] = {
      {sideBySide, {1920, 0, 2944, 768}},
      {projectorLeft, {-1280, 0, -256, 768}},
      {projectorAbove, {0, -768, 1024, 0}},
      {bothNegative, {-1024, -768, 0, 0}},
  };
  for (const Case& c : cases) {
    for (const OutputRequest& r : {firstShowing(), at(300, 200)}) {
      const SecondScreenPlace p = placeOnNextScreen(c.monitors, r);
      EXPECT_TRUE(p.found);
      EXPECT_EQ(p.rect, c.expected) << c.expected.left << "," << c.expected.top;
    }
  }
}

TEST(Placement, RepeatedClicksGoRoundTheOtherMonitorsInSystemOrder) {
  const MonitorList three = {monitor(1920, 0, 1280, 1024, false, "\\\\.\\DISPLAY3"), kPrimary,
                             monitor(-800, 200, 800, 600, false, "\\\\.\\DISPLAY2")};
  OutputRequest r = firstShowing(640, 360);
  int lefts[4];
  for (int& left : lefts) {
    const SecondScreenPlace p = placeOnNextScreen(three, r);
    ASSERT_TRUE(p.found);
    left = p.rect.left;
    r = at(p.rect.left, p.rect.top, 640, 360);
  }
  EXPECT_EQ(lefts[0], 1920);
  EXPECT_EQ(lefts[1], -800);
  EXPECT_EQ(lefts[2], 1920);
  EXPECT_EQ(lefts[3], -800);
  // Dragged away from the corner it was put at: the next click starts again at the first.
  EXPECT_EQ(placeOnNextScreen(three, at(-700, 250, 640, 360)).rect.left, 1920);
}

TEST(Placement, SingleMonitorSecondScreenStaysWhereTheWindowIs) {
  const MonitorList one = {kPrimary};
  SecondScreenPlace p = placeOnNextScreen(one, firstShowing());
  EXPECT_FALSE(p.found);
  EXPECT_EQ(p.rect, (PixelRect{1343, 108, 2367, 876}));
  p = placeOnNextScreen(one, at(40, 60));
  EXPECT_FALSE(p.found);
  EXPECT_EQ(p.rect, (PixelRect{40, 60, 1064, 828}));
}

TEST(Placement, FillTakesTheWholeMonitorTheWindowIsOn) {
  const MonitorInfo projector = monitor(-1280, -100, 1280, 800, false, "\\\\.\\DISPLAY2", 144);
  const MonitorList two = {kPrimary, projector};
  EXPECT_EQ(placeForShowing(two, filling(firstShowing())), kPrimary.rect);
  EXPECT_EQ(placeForShowing(two, filling(at(-1000, 0))), projector.rect);   // mostly on the projector
  EXPECT_EQ(placeForShowing(two, filling(at(-300, 0))), kPrimary.rect);     // mostly on the primary
  EXPECT_EQ(placeForShowing(two, filling(at(5000, 5000))), kPrimary.rect);  // on none: the primary
  const SecondScreenPlace p = placeOnNextScreen(two, filling(at(0, 0, 1920, 1080)));
  EXPECT_TRUE(p.found);
  EXPECT_EQ(p.rect, projector.rect);  // the task bar's work area is covered too
  EXPECT_FALSE(placeOnNextScreen({kPrimary}, filling(firstShowing())).found);
}

TEST(Placement, NeverLessThanAHundredPixelsEachWayOnAMonitor) {
  const MonitorList one = {kPrimary};
  EXPECT_EQ(placeForShowing(one, at(1900, 1000)), (PixelRect{1820, 980, 2844, 1748}));
  EXPECT_EQ(placeForShowing(one, at(-1000, -700)), (PixelRect{-924, -668, 100, 100}));
  EXPECT_EQ(placeForShowing(one, at(1820, 980)), (PixelRect{1820, 980, 2844, 1748}));  // exactly enough
  // In the corner a shorter projector leaves free beside a taller primary: slid onto the
  // nearer one.
  const MonitorList uneven = {kPrimary, monitor(1920, 0, 1024, 600, false, "\\\\.\\DISPLAY2")};
  EXPECT_EQ(placeForShowing(uneven, at(2100, 700, 400, 300)), (PixelRect{2100, 500, 2500, 800}));
  // The first place on a very small primary screen still shows enough.
  const MonitorList tiny = {monitor(0, 0, 300, 200, true, "\\\\.\\DISPLAY1")};
  const PixelRect first = placeForShowing(tiny, firstShowing());
  EXPECT_EQ(first.left, 200);
  EXPECT_EQ(first.top, 20);
}

TEST(Placement, ADisplayChangeNeverLeavesTheWindowOffEveryScreen) {
  const MonitorList primaryOnly = {kPrimary};
  // Stranded on a projector that was unplugged: back whole on the primary, near the first place.
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, at(2000, 100)), (PixelRect{896, 108, 1920, 876}));
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, at(-1280, 0, 400, 300)), (PixelRect{1343, 108, 1743, 408}));
  // Only a sliver left on the primary counts as stranded too.
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, at(1880, 0, 640, 360)), (PixelRect{1280, 108, 1920, 468}));
  // Larger than the primary: its corner on the primary's.
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, at(-3000, 0, 2500, 1200)), (PixelRect{0, 0, 2500, 1200}));
  // Still well on a monitor: untouched.
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, at(1700, 900)), (PixelRect{1700, 900, 2724, 1668}));
  // A projector whose resolution changed: a filling window refills it; an unplugged one
  // leaves the filling window filling the primary.
  const MonitorList smaller = {kPrimary, monitor(1920, 0, 1024, 768, false, "\\\\.\\DISPLAY2")};
  EXPECT_EQ(placeAfterDisplayChange(smaller, filling(at(1920, 0, 1280, 1024))), (PixelRect{1920, 0, 2944, 768}));
  EXPECT_EQ(placeAfterDisplayChange(primaryOnly, filling(at(1920, 0, 1280, 1024))), kPrimary.rect);
}
