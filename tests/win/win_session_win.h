// What every Windows test and benchmark program has running, as Quillet.exe has it: the
// common controls and GDI+, from the object's making to its end.  Header-only, so a program
// that includes it has nothing more to link.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

class WinSession {
 public:
  WinSession() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~WinSession() { Gdiplus::GdiplusShutdown(token_); }
  WinSession(const WinSession&) = delete;
  WinSession& operator=(const WinSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};
