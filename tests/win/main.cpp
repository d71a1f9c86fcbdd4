// Test runner for the Win32 tests: common controls and GDI+ as the program has them,
// unbuffered output (a pipe under Wine is fully buffered).
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  std::fflush(stdout);
  return result;
}
