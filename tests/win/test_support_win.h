// Helpers for driving real windows in-process under Wine.  The folders and files, the keys,
// texts and clicks and the waiting come from the two headers below, shared with the
// end-to-end driver.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/program_shell_win.h"
#include "console/console_dialog_win.h"
#include "contest/settings.h"
#include "framework/dialog_win.h"
#include "tests/win/folders_win.h"
#include "tests/win/window_driver_win.h"

// Runs dialog modally; script runs once from inside the modal loop, as soon as the dialog
// window exists, and whatever it leaves to do (posting WM_CLOSE, clicking) ends the dialog.
// The run always ends: at once when a fatal failure stopped the script (callers check
// HasFatalFailure() afterwards), and with a failure when it is still open after limitMs.
// Either way everything open on top of it is closed first; the result is then IDABORT.
INT_PTR runModal(CDialog& dialog, const std::function<void(HWND)>& script, int limitMs = 20000);

// Answers the next system dialogs of this thread while pumping: a save prompt gets path and
// OK; a message box gets the button `boxAnswer` (IDYES, IDNO, IDOK).  Returns the text of
// every message box it answered, one per line.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::string savePath = std::string(), int boxAnswer = IDYES);
  ~DialogAnswerer();
  std::string boxTexts() const { return boxTexts_; }
  bool saveDialogSeen() const { return saveSeen_; }
  bool cancelSave = false;

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  void poll();
  std::string savePath_;
  int boxAnswer_;
  std::string boxTexts_;
  bool saveSeen_ = false;
  UINT_PTR timer_;
};

// Runs action once, from the message loop of whatever runs next on this thread, as soon as a
// visible window titled `title` exists.
class WhenWindowAppears {
 public:
  WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action);
  ~WhenWindowAppears();
  bool ran() const { return ran_; }

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  std::wstring title_;
  std::function<void(HWND)> action_;
  bool ran_ = false;
  UINT_PTR timer_;
};

// A console over its own program folder (data\_team.txt holding roster, and a settings store
// when settings is not empty), the program's folder pointed there for the test's length.
class ConsoleRun {
 public:
  explicit ConsoleRun(const std::string& roster, const std::string& settings = "");
  ~ConsoleRun();
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;
  // Runs the console; script starts once the start line is in the log (a failure when it
  // never comes).  The console is closed through its close box afterwards unless the script
  // closed it.
  INT_PTR run(const std::function<void(ConsoleDialog&, HWND)>& script);
  std::string settingsFile() const { return readFileBytes(folder + "Quillet.cfg"); }
  ConsoleDialog& console() { return program->console(); }
  EventModel& model() { return program->model(); }

  std::string folder;
  std::unique_ptr<ProgramShell> program;
};

// The settings as a start reads them, from a store in a folder of the test's own: a core
// made, the store chosen and read; restart() does it again as the next start would.
// Everything is undone at the end.
class SettingsRun {
 public:
  SettingsRun();
  ~SettingsRun();
  SettingsRun(const SettingsRun&) = delete;
  SettingsRun& operator=(const SettingsRun&) = delete;
  void restart();

  std::string folder;
  std::unique_ptr<CCore> core;
  Settings settings;
};
