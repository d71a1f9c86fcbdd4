// The program's message boxes: GBK text, shown with the W call under the program's caption.
#pragma once
#include <windows.h>

#include <string>

// IDYES when the operator confirms.
int messageConfirm(HWND owner, const std::string& text);
void messageWarning(HWND owner, const std::string& text);
void messageInfo(HWND owner, const std::string& text);
