#include "framework/message_box_win.h"

#include "framework/app_win.h"
#include "kqcore/wide_win.h"

int messageConfirm(HWND owner, const std::string& text) {
  return ::MessageBoxW(owner, gbkToWide(text).c_str(), kMessageCaption, MB_YESNO | MB_ICONQUESTION);
}

void messageWarning(HWND owner, const std::string& text) {
  ::MessageBoxW(owner, gbkToWide(text).c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
}

void messageInfo(HWND owner, const std::string& text) {
  ::MessageBoxW(owner, gbkToWide(text).c_str(), kMessageCaption, MB_OK | MB_ICONINFORMATION);
}
