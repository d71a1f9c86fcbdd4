// Pixels at any DPI.  The program declares itself per-monitor DPI aware, so the system never
// stretches its windows' bitmaps and whatever it sizes in pixels it sizes for the DPI
// itself.  The newer entry points are looked up at run time: older systems get the system
// DPI, which is what they scale everything to anyway.
#pragma once
#include <windows.h>

constexpr int kDefaultDpi = 96;  // 100 %

// The DPI a window is shown at (GetDpiForWindow where present, else the screen's).
int windowDpi(HWND hwnd);

// A monitor's effective DPI (GetDpiForMonitor from shcore.dll where present, else the
// screen's).
int monitorDpi(HMONITOR monitor);

// pixels, given for 96 DPI, at dpi (rounded).
inline int scaleForDpi(int pixels, int dpi) { return ::MulDiv(pixels, dpi, kDefaultDpi); }

// Keeps the system from resizing a dialog whose size the program sets in pixels when it
// moves to a monitor of another DPI (SetDialogDpiChangeBehavior where present).
void keepDialogPixelSize(HWND dialog);
