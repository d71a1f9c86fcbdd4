// The one application object: starts GDI+, runs the program (the console is its main
// window), and shuts GDI+ down once the console has closed.
#include <windows.h>

#include <gdiplus.h>

#include "app/program_shell_win.h"
#include "console/console_dialog_win.h"
#include "framework/app_win.h"

namespace {

class QuilletApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread, codecs
    Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
    AfxEnableControlContainer();
    Enable3dControls();
    {
      ProgramShell program;
      m_pMainWnd = &program.console();
      program.run();
      m_pMainWnd = nullptr;
    }
    return FALSE;
  }
  int ExitInstance() override {
    Gdiplus::GdiplusShutdown(gdiplusToken_);
    return CWinApp::ExitInstance();
  }

 private:
  ULONG_PTR gdiplusToken_ = 0;
};

QuilletApp theApp;

}  // namespace
