#include "console/output_placement_win.h"

#include "app/shared_state.h"
#include "console/monitors_win.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

void remember(const PixelRect& rect) {
  app::outputPlaced = rect.left != 0 ? rect.left : 1;  // only zero or not is ever asked
  app::outputRect = app::ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

OutputRequest outputRequest(ScoreboardWindow& window) {
  RECT now = {0, 0, 0, 0};
  window.GetWindowRect(&now);
  return OutputRequest{app::width, app::height, app::fill != 0, app::outputPlaced != 0,
                       PixelRect{now.left, now.top, now.right, now.bottom}};
}

void showOutputAt(ScoreboardWindow& window, const PixelRect& rect) {
  remember(rect);
  window.placeAndShow(rect.left, rect.top, rect.right, rect.bottom);
}

void followDisplayChange(ScoreboardWindow& window) {
  if (!window.m_hWnd || !app::outputPlaced) return;  // never shown: its first showing places it
  const OutputRequest request = outputRequest(window);
  const PixelRect rect = placeAfterDisplayChange(gatherMonitors(), request);
  if (rect == request.current) return;
  if (window.IsWindowVisible()) {
    showOutputAt(window, rect);
  } else {
    remember(rect);
    ::SetWindowPos(window.m_hWnd, nullptr, rect.left, rect.top, rect.width(), rect.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
