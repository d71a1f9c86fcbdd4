// CWinApp: the one application object.  The program defines a global object of a class
// derived from it; the entry point (winmain_win.cpp) runs InitInstance and, when that
// returns FALSE, ends the process with ExitInstance's result.
#pragma once
#include "framework/wnd_win.h"

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance() { return m_exitCode; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
  // What ExitInstance returns; set when the program must report a failure.
  int m_exitCode = 0;
};

CWinApp* AfxGetApp();

// The caption of every message box of the program.
extern const wchar_t kMessageCaption[];

// Runs the application object: common controls, InitInstance, ExitInstance.
int AfxWinMain(HINSTANCE instance);

// Offers msg to PreTranslateMessage of the object of its window and of each parent up to the
// top-level window; true when one of them handled it.
BOOL AfxPreTranslateMessage(MSG* msg);

// Kept for the start-up sequence of the program; this framework hosts no ActiveX controls
// and draws controls with the common-controls 6 look, so both have nothing to do.
inline void AfxEnableControlContainer() {}
inline void Enable3dControls() {}
