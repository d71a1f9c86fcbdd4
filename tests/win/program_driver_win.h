// Quillet.exe seen from outside: started in a folder (an EventFolder), its windows found by
// title, driven with the messages a user's clicks and typing cause (window_driver_win.h:
// clickButton, setText, itemText, postKey, ctrlKey, pumpUntil work on its windows too),
// closed through its close box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/win/folders_win.h"
#include "tests/win/window_driver_win.h"

// What the screen shows in a window's rectangle (or its client area), as 0x00RRGGBB rows.
struct ScreenShot {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const ScreenShot& o) const { return width == o.width && height == o.height && pixels == o.pixels; }
};
ScreenShot shootWindow(HWND window, bool clientOnly = false);
// The window's pixels once two shots in a row agree (a push has settled), waiting 2 s at most.
ScreenShot settledShot(HWND window);
// Writes the picture as a 32-bit BMP file (for looking at a test's steps).
void saveBitmap(const ScreenShot& shot, const std::string& path);
// The bands of rows (first, last) in which two pictures of the same size differ.
std::vector<std::pair<int, int>> differingBands(const ScreenShot& a, const ScreenShot& b);

class Program {
 public:
  explicit Program(const std::string& folder);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Starts Quillet.exe of the folder and waits for the console and its start line.  With an
  // answer (IDYES, IDNO), the question the program asks first gets it; its text is kept.
  bool start(int answer = 0);
  std::string question;
  // Starts it and waits for its output window (for settings that switch the output on);
  // null when either did not come.
  HWND startWithOutput();
  // Ends the process at once, as a crash or a power cut would.
  void kill();
  // A visible window of the program titled title (or its layered output window).
  HWND window(const std::wstring& title, bool layered = false, int ms = 10000);
  bool gone(const std::wstring& title);
  int logCount();
  // The text of a roster list cell, read from the program's memory.
  std::string listText(int row, int column);
  // The program's message box (a dialog titled like the program other than the console).
  HWND messageBox(int ms = 10000);
  void doubleClickRow(int row);
  // Sets a row's score through the score entry dialog; true once the change is logged.
  bool setScore(int row, const std::string& value);
  // The texts of the operation log, time stamps cut off.
  std::vector<std::string> logTexts();
  // A key pressed on the window with the focus in the program (postKey: no modifier state).
  // With Ctrl held: ctrlKey(console, vk).
  void key(WPARAM vk);
  // The window of the program that has the keyboard focus.
  HWND focus();
  int selectedRow();
  // Log line i without its time stamp; the newest line.
  std::string logText(int index);
  std::string lastLog() { return logText(logCount() - 1); }
  // Clicks a console button and waits for the window it opens (null when none came).
  HWND openWindow(int button, const std::wstring& title);
  // Answers the program's save prompt with path.
  bool answerSave(const std::string& path);
  // Closes the console through its close box; the exit code (1234 when it did not end).
  DWORD close();
  HWND console = nullptr;
  PROCESS_INFORMATION process() const { return pi_; }
  DWORD threadId() const { return pi_.dwThreadId; }

 private:
  std::string folder_;
  PROCESS_INFORMATION pi_ = {};
};
