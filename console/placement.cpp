#include "console/placement.h"

#include <cstdlib>

namespace {

struct Overlap {
  long long width, height;
};

Overlap overlap(const PixelRect& a, const PixelRect& b) {
  const long long left = a.left > b.left ? a.left : b.left;
  const long long right = a.right < b.right ? a.right : b.right;
  const long long top = a.top > b.top ? a.top : b.top;
  const long long bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
  return Overlap{right > left ? right - left : 0, bottom > top ? bottom - top : 0};
}

// Enough of rect on monitor m: kMinVisible each way, or all of a side that is shorter.
bool showsEnough(const MonitorInfo& m, const PixelRect& rect) {
  const Overlap o = overlap(m.rect, rect);
  const long long needX = rect.width() < kMinVisible ? rect.width() : kMinVisible;
  const long long needY = rect.height() < kMinVisible ? rect.height() : kMinVisible;
  return o.width > 0 && o.height > 0 && o.width >= needX && o.height >= needY;
}

int clampInt(int value, int lo, int hi) { return value < lo ? lo : (value > hi ? hi : value); }

PixelRect sized(int left, int top, int width, int height) { return PixelRect{left, top, left + width, top + height}; }

PixelRect moved(const PixelRect& r, int left, int top) { return sized(left, top, r.width(), r.height()); }

// The first place on the primary monitor with the settings' size.
PixelRect firstPlace(const MonitorInfo* primary, const OutputRequest& request) {
  if (!primary) return sized(0, 0, request.width, request.height);
  const ScreenPoint p = firstPlacement(primary->rect.width(), primary->rect.height());
  return sized(primary->rect.left + p.x, primary->rect.top + p.y, request.width, request.height);
}

// rect pulled left and up just enough to lie whole on area; a rect larger than area keeps
// its top-left corner on area's.
PixelRect inside(const PixelRect& rect, const PixelRect& area) {
  int left = rect.left, top = rect.top;
  if (rect.right > area.right) left = area.right - rect.width();
  if (rect.bottom > area.bottom) top = area.bottom - rect.height();
  if (left < area.left) left = area.left;
  if (top < area.top) top = area.top;
  return moved(rect, left, top);
}

// The placement without the visibility rule.
PixelRect showingPlace(const MonitorList& monitors, const OutputRequest& request) {
  const MonitorInfo* primary = primaryMonitor(monitors);
  const PixelRect place = request.placed
                              ? sized(request.current.left, request.current.top, request.width, request.height)
                              : firstPlace(primary, request);
  if (request.fill) {
    const MonitorInfo* on = monitorUnder(monitors, place);
    if (!on) on = primary;
    if (on) return on->rect;
  }
  return place;
}

}  // namespace

const MonitorInfo* primaryMonitor(const MonitorList& monitors) {
  for (const MonitorInfo& m : monitors)
    if (m.primary) return &m;
  return monitors.empty() ? nullptr : &monitors.front();
}

const MonitorInfo* monitorUnder(const MonitorList& monitors, const PixelRect& rect) {
  const MonitorInfo* best = nullptr;
  long long bestArea = 0;
  for (const MonitorInfo& m : monitors) {
    const Overlap o = overlap(m.rect, rect);
    const long long area = o.width * o.height;
    if (area > bestArea) {
      best = &m;
      bestArea = area;
    }
  }
  return best;
}

PixelRect keepVisible(const MonitorList& monitors, const PixelRect& rect) {
  for (const MonitorInfo& m : monitors)
    if (showsEnough(m, rect)) return rect;
  // Slide the window onto each monitor in turn and take the shortest slide.
  const int needX = rect.width() < kMinVisible ? rect.width() : kMinVisible;
  const int needY = rect.height() < kMinVisible ? rect.height() : kMinVisible;
  PixelRect best = rect;
  long long bestDistance = -1;
  for (const MonitorInfo& m : monitors) {
    const int left = clampInt(rect.left, m.rect.left + needX - rect.width(), m.rect.right - needX);
    const int top = clampInt(rect.top, m.rect.top + needY - rect.height(), m.rect.bottom - needY);
    const long long distance =
        std::llabs(static_cast<long long>(left) - rect.left) + std::llabs(static_cast<long long>(top) - rect.top);
    if (bestDistance < 0 || distance < bestDistance) {
      best = moved(rect, left, top);
      bestDistance = distance;
    }
  }
  return best;
}

PixelRect placeForShowing(const MonitorList& monitors, const OutputRequest& request) {
  return keepVisible(monitors, showingPlace(monitors, request));
}

SecondScreenPlace placeOnNextScreen(const MonitorList& monitors, const OutputRequest& request) {
  std::vector<const MonitorInfo*> others;
  const MonitorInfo* primary = primaryMonitor(monitors);
  for (const MonitorInfo& m : monitors)
    if (&m != primary) others.push_back(&m);
  if (others.empty()) return SecondScreenPlace{false, placeForShowing(monitors, request)};

  std::size_t next = 0;
  if (request.placed) {
    for (std::size_t i = 0; i < others.size(); ++i)
      if (others[i]->rect.left == request.current.left && others[i]->rect.top == request.current.top)
        next = (i + 1) % others.size();
  }
  const MonitorInfo& target = *others[next];
  const PixelRect rect =
      request.fill ? target.rect : sized(target.rect.left, target.rect.top, request.width, request.height);
  return SecondScreenPlace{true, keepVisible(monitors, rect)};
}

PixelRect placeAfterDisplayChange(const MonitorList& monitors, const OutputRequest& request) {
  const MonitorInfo* primary = primaryMonitor(monitors);
  if (!primary) return request.current;
  if (request.fill) {
    const MonitorInfo* on = monitorUnder(monitors, request.current);
    return (on ? on : primary)->rect;
  }
  for (const MonitorInfo& m : monitors)
    if (showsEnough(m, request.current)) return request.current;
  return inside(firstPlace(primary, request), primary->rect);
}
