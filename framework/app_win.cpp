#include "framework/app_win.h"

namespace {
CWinApp* g_app = nullptr;
}

const wchar_t kMessageCaption[] = L"Quillet";

CWinApp::CWinApp() { g_app = this; }
CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

BOOL AfxPreTranslateMessage(MSG* msg) {
  for (HWND h = msg->hwnd; h; h = (::GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? ::GetParent(h) : nullptr) {
    CWnd* object = CWnd::FromHandle(h);
    if (object && object->PreTranslateMessage(msg)) return TRUE;
  }
  return FALSE;
}

int AfxWinMain(HINSTANCE instance) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_hInstance = instance;
  if (!app->InitInstance()) return app->ExitInstance();
  // A program whose InitInstance keeps running would pump messages here; this one never does.
  return app->ExitInstance();
}
