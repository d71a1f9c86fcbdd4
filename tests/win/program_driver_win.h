// Quillet.exe seen from outside: started in a folder, its windows found by title, driven
// with the messages a user's clicks and typing cause, closed through its close box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Polls done() every 25 ms for up to ms milliseconds; its last value.
bool waitFor(const std::function<bool()>& done, int ms = 10000);

// The screen's pixels under a window (0x00RRGGBB), row by row.
std::vector<std::uint32_t> screenPixels(HWND window);

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
  void click(HWND dlg, int id);
  void setText(HWND dlg, int id, const std::string& text);
  void doubleClickRow(int row);
  // Answers the program's save prompt with path.
  bool answerSave(const std::string& path);
  // Closes the console through its close box; the exit code (1234 when it did not end).
  DWORD close();
  HWND console = nullptr;
  PROCESS_INFORMATION process() const { return pi_; }

 private:
  std::string folder_;
  PROCESS_INFORMATION pi_ = {};
};
