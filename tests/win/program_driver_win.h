// Quillet.exe seen from outside: started in a folder, its windows found by title, driven
// with the messages a user's clicks and typing cause, closed through its close box.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Polls done() every 25 ms for up to ms milliseconds; its last value.
bool waitFor(const std::function<bool()>& done, int ms = 10000);

class Program {
 public:
  explicit Program(const std::string& folder);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Starts Quillet.exe of the folder and waits for the console and its start line.
  bool start();
  // A visible window of the program titled title (or its layered output window).
  HWND window(const std::wstring& title, bool layered = false, int ms = 10000);
  bool gone(const std::wstring& title);
  int logCount();
  void click(HWND dlg, int id);
  void setText(HWND dlg, int id, const std::string& text);
  void doubleClickRow(int row);
  // Answers the program's save prompt with path.
  bool answerSave(const std::string& path);
  // Closes the console through its close box; the exit code (1234 when it did not end).
  DWORD close();
  HWND console = nullptr;

 private:
  std::string folder_;
  PROCESS_INFORMATION pi_ = {};
};
