#include "tests/win/window_driver_win.h"

#include <algorithm>
#include <chrono>

#include "framework/app_win.h"
#include "kqcore/wide_win.h"

namespace {

bool onThisThread(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId(); }

}  // namespace

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  Clock::duration asking{};  // spent inside done(): not counted
  auto check = [&] {
    const Clock::time_point before = Clock::now();
    const bool result = done();
    asking += Clock::now() - before;
    return result;
  };
  while (!check()) {
    if (Clock::now() - start - asking >= std::chrono::milliseconds(timeoutMs)) return check();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!AfxPreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void postKey(HWND target, WPARAM key) {
  const bool system = key == VK_F10;
  PostMessageW(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
  PostMessageW(target, system ? WM_SYSKEYUP : WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void ctrlKey(HWND target, WPARAM key) {
  if (onThisThread(target)) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    postKey(target, key);
    pumpUntil([] { return false; }, 100);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return;
  }
  HWND front = GetAncestor(target, GA_ROOT);
  SetForegroundWindow(front);
  pumpUntil([&] { return GetForegroundWindow() == front; }, 2000);
  INPUT in[4] = {};
  const WORD keys[4] = {VK_CONTROL, static_cast<WORD>(key), static_cast<WORD>(key), VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, in, sizeof(INPUT));
}

std::string itemText(HWND dialog, int id) {
  // Asked with messages, as GetDlgItemText does: the text of another program's control too.
  HWND item = GetDlgItem(dialog, id);
  const LRESULT length = item ? SendMessageW(item, WM_GETTEXTLENGTH, 0, 0) : 0;
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(0, length)) + 1, L'\0');
  const LRESULT got = SendMessageW(item, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, std::min<LRESULT>(got, length))));
  return wideToGbk(text);
}

void setText(HWND dialog, int id, const std::string& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbkToWide(text).c_str()));
}

void clickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return;
  if (onThisThread(button)) {
    SendMessageW(button, BM_CLICK, 0, 0);
    return;
  }
  // Another program's push button: what its click does is the notification to its dialog.
  // BM_CLICK there is a mouse press and release under the button's capture, which Wine
  // sometimes loses to an activation in between (a message box just closed): the click then
  // never happened.  Check boxes and radio buttons still need BM_CLICK to change their state.
  const LONG_PTR kind = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
  if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
    if (IsWindowEnabled(button))
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
}
