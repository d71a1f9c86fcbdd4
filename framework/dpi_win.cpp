#include "framework/dpi_win.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);
typedef HRESULT(WINAPI* GetDpiForMonitorFn)(HMONITOR, int, UINT*, UINT*);
typedef BOOL(WINAPI* SetDialogDpiChangeBehaviorFn)(HWND, int, int);

const int kMdtEffectiveDpi = 0;
const int kDdcDisableAll = 1;

template <class Fn>
Fn lookUp(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

HMODULE user32() { return ::GetModuleHandleW(L"user32.dll"); }

// shcore.dll exists from Windows 8.1 on; loaded once and kept for the process's life.
HMODULE shcore() {
  static const HMODULE module = ::LoadLibraryW(L"shcore.dll");
  return module;
}

int screenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int windowDpi(HWND hwnd) {
  static const GetDpiForWindowFn getDpiForWindow = lookUp<GetDpiForWindowFn>(user32(), "GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return screenDpi();
}

int monitorDpi(HMONITOR monitor) {
  static const GetDpiForMonitorFn getDpiForMonitor = lookUp<GetDpiForMonitorFn>(shcore(), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kMdtEffectiveDpi, &x, &y)) && x > 0)
    return static_cast<int>(x);
  return screenDpi();
}

void keepDialogPixelSize(HWND dialog) {
  static const SetDialogDpiChangeBehaviorFn setBehaviour =
      lookUp<SetDialogDpiChangeBehaviorFn>(user32(), "SetDialogDpiChangeBehavior");
  if (setBehaviour && dialog) setBehaviour(dialog, kDdcDisableAll, kDdcDisableAll);
}
