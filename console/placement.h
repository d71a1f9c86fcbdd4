// Where the output window goes.  The Win32 side lists the monitors as the system orders
// them; these rules choose the rectangle: the first showing in a run, the dragged corner
// kept on later showings, the cycle over the other monitors, filling a monitor, and the way
// back onto the primary monitor when a monitor goes away.  Sizes are pixels of the monitors
// (the program is per-monitor DPI aware), so a frame is never scaled by the system.
#pragma once
#include <string>
#include <vector>

#include "kqcore/pixel_rect.h"

struct ScreenPoint {
  int x, y;
};

// 70 % across and 10 % down the primary screen (single-precision factors, products truncated
// toward zero): the first showing of the output window in a run.
inline ScreenPoint firstPlacement(int screenWidth, int screenHeight) {
  const double across = static_cast<double>(0.7f);
  const double down = static_cast<double>(0.1f);
  return ScreenPoint{static_cast<int>(screenWidth * across), static_cast<int>(screenHeight * down)};
}

struct MonitorInfo {
  PixelRect rect;      // the whole monitor, in virtual-screen pixels
  PixelRect workArea;  // the monitor less its task bar
  bool primary;
  std::string device;  // the system's name for it, e.g. \\.\DISPLAY2
  int dpi;             // 96 at 100 %
};
using MonitorList = std::vector<MonitorInfo>;

// However a placement comes about, at least this much of the window stays on one monitor,
// so the operator can always see it and drag it back.
constexpr int kMinVisible = 100;

// What a placement starts from.
struct OutputRequest {
  int width, height;  // the settings
  bool fill;          // the window covers the whole monitor it is on
  bool placed;        // the window has been given a position in this run
  PixelRect current;  // where it is now (meaningful once placed)
};

// The primary monitor (the first listed when none is marked); null for an empty list.
const MonitorInfo* primaryMonitor(const MonitorList& monitors);

// The monitor holding the largest part of rect; null when rect touches none.
const MonitorInfo* monitorUnder(const MonitorList& monitors, const PixelRect& rect);

// rect itself when some monitor shows kMinVisible x kMinVisible of it; otherwise rect moved
// by the smallest distance that makes one do so.
PixelRect keepVisible(const MonitorList& monitors, const PixelRect& rect);

// The output switched on or re-applied: the first showing at the first place on the primary
// monitor, every later one at the current corner; the settings' size, or the whole monitor
// the window is on when filling.
PixelRect placeForShowing(const MonitorList& monitors, const OutputRequest& request);

// "Place on the second screen": the top-left corner of the first monitor that is not the
// primary one, or of the next one after the monitor whose corner the window sits at now, so
// that repeated clicks go round all of them.  Without another monitor `found` is false and
// rect is where the window is shown anyway (as placeForShowing would put it).
struct SecondScreenPlace {
  bool found;
  PixelRect rect;
};
SecondScreenPlace placeOnNextScreen(const MonitorList& monitors, const OutputRequest& request);

// The monitors changed under a placed window.  A window no monitor shows enough of goes back
// whole onto the primary monitor, as near the first place as it fits; a filling window fills
// the monitor it is on now; any other window stays where it is.
PixelRect placeAfterDisplayChange(const MonitorList& monitors, const OutputRequest& request);
