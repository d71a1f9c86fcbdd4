#include "framework/tooltips_win.h"

#include <commctrl.h>

#include "kqcore/wide_win.h"

ControlTips::~ControlTips() {
  if (tip_ && ::IsWindow(tip_)) ::DestroyWindow(tip_);
}

void ControlTips::set(HWND dialog, int id, const std::string& text) {
  HWND control = ::GetDlgItem(dialog, id);
  if (!control) return;
  if (!tip_ || !::IsWindow(tip_)) {
    tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;
    ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  std::wstring wide = gbkToWide(text);
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = dialog;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = &wide[0];
  ::SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::string ControlTips::text(HWND dialog, int id) const {
  if (!tip_) return std::string();
  wchar_t buffer[512] = L"";
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = dialog;
  info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, id));
  info.lpszText = buffer;
  ::SendMessageW(tip_, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
  return wideToGbk(buffer);
}
