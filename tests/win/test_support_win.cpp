#include "tests/win/test_support_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/app_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"

namespace {
struct ModalScript {
  CDialog* dialog;
  std::function<void(HWND)> script;
  bool ran;
  int limitMs;
};
ModalScript* g_script = nullptr;

BOOL CALLBACK collectVisible(HWND hwnd, LPARAM lp) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

// Ends the run whatever is open on top of it: the program's own dialogs end with IDCANCEL,
// system boxes and prompts get Cancel and No, then the dialog under test ends.
void endEverything(CDialog& dialog) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), collectVisible, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows) {
    if (hwnd == dialog.m_hWnd) continue;
    if (auto* own = dynamic_cast<CDialog*>(CWnd::FromHandle(hwnd))) {
      if (own->IsModal()) own->EndDialog(IDCANCEL);
      continue;
    }
    wchar_t cls[16] = L"";
    GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) != L"#32770") continue;
    PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(hwnd, WM_COMMAND, IDNO, 0);
  }
  if (dialog.IsModal()) dialog.EndDialog(IDABORT);
}

void CALLBACK modalTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!g_script || g_script->ran || !g_script->dialog->m_hWnd) return;
  g_script->ran = true;
  KillTimer(nullptr, id);
  g_script->script(g_script->dialog->m_hWnd);
  // A fatal failure left the script early, before it could close anything.
  if (testing::Test::HasFatalFailure()) endEverything(*g_script->dialog);
}

void CALLBACK watchdogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!g_script) return;
  ADD_FAILURE() << "the modal run was still open after " << g_script->limitMs << " ms; closed by force";
  endEverything(*g_script->dialog);
}
}  // namespace

INT_PTR runModal(CDialog& dialog, const std::function<void(HWND)>& script, int limitMs) {
  ModalScript state{&dialog, script, false, limitMs};
  ModalScript* saved = g_script;
  g_script = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &modalTimer);
  const UINT_PTR watchdog = SetTimer(nullptr, 0, static_cast<UINT>(limitMs), &watchdogTimer);
  const INT_PTR result = dialog.DoModal();
  KillTimer(nullptr, timer);
  KillTimer(nullptr, watchdog);
  g_script = saved;
  return result;
}

namespace {
DialogAnswerer* g_answerer = nullptr;

BOOL CALLBACK collectDialogs(HWND hwnd, LPARAM lp) {
  wchar_t cls[64] = L"";
  GetClassNameW(hwnd, cls, 64);
  if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770")
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::string windowText(HWND hwnd) {
  wchar_t buf[2048] = L"";
  GetWindowTextW(hwnd, buf, 2048);
  return wideToGbk(buf);
}
}  // namespace

DialogAnswerer::DialogAnswerer(std::string savePath, int boxAnswer)
    : savePath_(std::move(savePath)), boxAnswer_(boxAnswer) {
  g_answerer = this;
  timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::onTimer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  g_answerer = nullptr;
}

void CALLBACK DialogAnswerer::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (g_answerer) g_answerer->poll();
}

void DialogAnswerer::poll() {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), collectDialogs, reinterpret_cast<LPARAM>(&dialogs));
  for (HWND dlg : dialogs) {
    if (CWnd::FromHandle(dlg)) continue;     // one of the program's own dialogs
    HWND fileName = GetDlgItem(dlg, 0x47c);  // cmb13: the file name box of the save prompt
    if (!fileName) fileName = GetDlgItem(dlg, 0x480);
    if (fileName) {
      saveSeen_ = true;
      if (cancelSave) {
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
      } else {
        SetWindowTextW(fileName, gbkToWide(savePath_).c_str());
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
      }
      continue;
    }
    // A message box: its text is the static control 0xFFFF.
    HWND text = GetDlgItem(dlg, 0xFFFF);
    boxTexts_ += (text ? windowText(text) : std::string()) + "\n";
    HWND button = GetDlgItem(dlg, boxAnswer_);
    if (!button) button = GetDlgItem(dlg, IDOK);
    const int id = button ? GetDlgCtrlID(button) : IDCANCEL;
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }
}

namespace {
WhenWindowAppears* g_watch = nullptr;

struct TitleSearch {
  const std::wstring* title;
  HWND found;
};

BOOL CALLBACK findTitled(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TitleSearch*>(lp);
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  if (IsWindowVisible(hwnd) && *s->title == text) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

WhenWindowAppears::WhenWindowAppears(const std::wstring& title, std::function<void(HWND)> action)
    : title_(title), action_(std::move(action)) {
  g_watch = this;
  timer_ = SetTimer(nullptr, 0, 30, &WhenWindowAppears::onTimer);
}

WhenWindowAppears::~WhenWindowAppears() {
  KillTimer(nullptr, timer_);
  if (g_watch == this) g_watch = nullptr;
}

void CALLBACK WhenWindowAppears::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  WhenWindowAppears* self = g_watch;
  if (!self || self->ran_) return;
  TitleSearch search{&self->title_, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), findTitled, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  self->ran_ = true;
  self->action_(search.found);
}

ConsoleRun::ConsoleRun(const std::string& roster, const std::string& settings) {
  folder = makeTempAppFolder();
  writeFileBytes(folder + "data\\_team.txt", roster);
  if (!settings.empty()) writeFileBytes(folder + "Quillet.cfg", settings);
  CCore::overrideAppPath(folder);
  program.reset(new ProgramShell());
}

ConsoleRun::~ConsoleRun() {
  program.reset();
  CCore::overrideAppPath(std::string());
  removeFolder(folder);
}

INT_PTR ConsoleRun::run(const std::function<void(ConsoleDialog&, HWND)>& script) {
  ConsoleDialog& console = program->console();
  return runModal(console, [&](HWND hwnd) {
    const bool started = pumpUntil([&] { return console.m_logList.m_hWnd && console.m_logList.GetCount() > 0; });
    EXPECT_TRUE(started) << "the console never logged its start line";
    if (started) script(console, hwnd);
    if (IsWindow(hwnd)) PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

SettingsRun::SettingsRun() : folder(makeTempAppFolder()) {
  CCore::overrideAppPath(folder);
  restart();
}

SettingsRun::~SettingsRun() {
  core.reset();
  CCore::overrideAppPath(std::string());
  removeFolder(folder);
}

void SettingsRun::restart() {
  core.reset();
  core.reset(new CCore(settingsDefaults()));
  core->autoFileConfig();
  settings = readSettings(core->settingsStore());
}
