#include "app/score_app_win.h"

#include <gdiplus.h>

#include "console/console_dialog_win.h"

ScoreApp theApp;

BOOL ScoreApp::InitInstance() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread, codecs
  Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr);
  AfxEnableControlContainer();
  Enable3dControls();

  ConsoleDialog console;
  m_pMainWnd = &console;
  console.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

int ScoreApp::ExitInstance() {
  Gdiplus::GdiplusShutdown(gdiplusToken);
  return CWinApp::ExitInstance();
}
