// Windows driven as a user drives them -- keys, texts, clicks -- and waiting for what they
// do.  The same calls serve the in-process tests (windows of this thread) and the
// end-to-end driver (windows of Quillet.exe started from outside); where the two must
// differ, the window's owner decides.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Pumps this thread's messages until done() is true or timeoutMs have passed, checking about
// every 10 ms; done()'s last value.  The time done() itself takes (a call into another
// process, a screen shot) is not counted, so a slow check does not shorten the wait.  With no
// windows of its own the thread just waits.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// A key press (key down, then key up) posted to target, as a keyboard sends it: F10 as a
// system key.  Posted, so a modal loop's pre-translation sees it.
void postKey(HWND target, WPARAM key);

// A key pressed with Ctrl held.  On this thread's window: posted with the thread's keyboard
// state showing Ctrl down while it is handled (100 ms of pumping).  On another program's:
// through the system's input with target's top-level window brought to the front first.
void ctrlKey(HWND target, WPARAM key);

// A dialog item's text, and setting it (WM_SETTEXT), in GBK.
std::string itemText(HWND dialog, int id);
void setText(HWND dialog, int id, const std::string& text);

// Clicks a dialog button (BM_CLICK).  On this thread's window the click is sent and done
// when this returns; on another program's it is posted, because a click that opens a modal
// dialog would not return before that dialog closed.
void clickButton(HWND dialog, int id);
