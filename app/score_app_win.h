// ScoreApp: the one application object.  Starts GDI+, runs the console modally as the main
// window, and shuts GDI+ down once the console has closed.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/app_win.h"

class ScoreApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;

  ULONG_PTR gdiplusToken = 0;
};

extern ScoreApp theApp;
