#include "scoreboard/scoreboard_window_win.h"

#include "app/shared_state.h"
#include "resources/resource.h"

ScoreboardWindow::ScoreboardWindow()
    : CDialog(IDD_SCOREBOARD), placement{0, 0, 0, 0}, user32Module(nullptr), updateLayeredWindow(nullptr),
      blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA} {}

const MessageMap* ScoreboardWindow::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onMessage(WM_CREATE, &ScoreboardWindow::OnCreate),
      onMessage(WM_LBUTTONDOWN, &ScoreboardWindow::OnLButtonDown),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

LRESULT ScoreboardWindow::OnCreate(WPARAM, LPARAM) {
  user32Module = ::LoadLibraryA("User32.DLL");
  if (user32Module) updateLayeredWindow = ::GetProcAddress(user32Module, "UpdateLayeredWindow");
  blend = BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return 0;
}

LRESULT ScoreboardWindow::OnLButtonDown(WPARAM, LPARAM) {
  SendMessage(WM_SYSCOMMAND, 0xF012, 0);
  return Default();
}

void ScoreboardWindow::placeAndShow(int left, int top, int right, int bottom) {
  placement = RECT{left, top, right, bottom};
  ::SetWindowPos(m_hWnd, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER);
  showScreen(app::displayMode);
  ShowWindow(SW_SHOW);
}

void ScoreboardWindow::showScreen(int mode) {
  app::displayMode = mode;
  // Frame composition arrives with the output window's drawing.
}

void ScoreboardWindow::onScoreChanged(int) {
  if (app::displayMode == Scoring) showScreen(Scoring);
}
