#include "console/monitors_win.h"

#include <windows.h>

#include "framework/dpi_win.h"
#include "kqcore/wide_win.h"

namespace {

PixelRect pixelRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  MONITORINFOEXW info;
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  MonitorList& list = *reinterpret_cast<MonitorList*>(param);
  list.push_back(MonitorInfo{pixelRect(info.rcMonitor), pixelRect(info.rcWork),
                             (info.dwFlags & MONITORINFOF_PRIMARY) != 0, wideToGbk(info.szDevice),
                             monitorDpi(monitor)});
  return TRUE;
}

}  // namespace

MonitorList gatherMonitors() {
  MonitorList list;
  ::EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.empty()) {
    const PixelRect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT work = {screen.left, screen.top, screen.right, screen.bottom};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    list.push_back(MonitorInfo{screen, pixelRect(work), true, std::string(), windowDpi(nullptr)});
  }
  return list;
}
