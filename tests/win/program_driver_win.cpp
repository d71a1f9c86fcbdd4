#include "tests/win/program_driver_win.h"

#include <commctrl.h>

#include "framework/gdi_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "tests/log_stamp.h"

namespace {

struct Found {
  DWORD pid;
  std::wstring title;
  bool layered;
  HWND hwnd;
};

BOOL CALLBACK findWindow(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != f->pid || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t title[128] = L"";
  GetWindowTextW(hwnd, title, 128);
  const bool layered = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  if (f->layered ? layered : f->title == title) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

Program::Program(const std::string& folder) : folder_(folder) {}
Program::~Program() {
  if (pi_.hProcess) {
    TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

bool Program::start(int answer) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  const std::wstring exe = gbkToWide(folder_) + L"Quillet.exe";
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, gbkToWide(folder_).c_str(), &si, &pi_))
    return false;
  console = window(L"Quillet");
  if (!console) return false;
  if (answer) {
    HWND box = messageBox();
    if (!box) return false;
    question = itemText(box, 0xFFFF);  // the message box's text
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }
  return pumpUntil([&] { return logCount() >= 1; });
}

HWND Program::startWithOutput() { return start() ? window(L"", true) : nullptr; }

void Program::kill() {
  if (!pi_.hProcess) return;
  TerminateProcess(pi_.hProcess, 99);
  WaitForSingleObject(pi_.hProcess, 15000);
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = PROCESS_INFORMATION{};
  console = nullptr;
}

HWND Program::messageBox(int ms) {
  HWND box = nullptr;
  pumpUntil(
      [&] {
        for (HWND h = FindWindowW(L"#32770", L"Quillet"); h; h = FindWindowExW(nullptr, h, L"#32770", L"Quillet")) {
          DWORD pid = 0;
          GetWindowThreadProcessId(h, &pid);
          if (pid == pi_.dwProcessId && h != console && IsWindowVisible(h)) box = h;
        }
        return box != nullptr;
      },
      ms);
  return box;
}

std::string Program::listText(int row, int column) {
  // List view messages are not carried across processes: the item and its text buffer
  // live in the program's memory.
  const SIZE_T textChars = 256;
  char* remote = static_cast<char*>(
      VirtualAllocEx(pi_.hProcess, nullptr, sizeof(LVITEMW) + textChars * 2, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!remote) return std::string();
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = static_cast<int>(textChars);
  item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  WriteProcessMemory(pi_.hProcess, remote, &item, sizeof item, nullptr);
  const LRESULT length =
      SendMessageW(GetDlgItem(console, IDC_ROSTER_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
  wchar_t text[textChars] = L"";
  ReadProcessMemory(pi_.hProcess, item.pszText, text, sizeof text, nullptr);
  VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
  return wideToGbk(std::wstring(text, length > 0 && length < static_cast<LRESULT>(textChars) ? length : 0));
}

ScreenShot settledShot(HWND window) {
  ScreenShot last = shootWindow(window);
  for (int i = 0; i < 40; ++i) {
    Sleep(50);
    ScreenShot now = shootWindow(window);
    if (now == last) return now;
    last = now;
  }
  return last;
}

ScreenShot shootWindow(HWND window, bool clientOnly) {
  RECT r = {0, 0, 0, 0};
  if (clientOnly) {
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  } else {
    GetWindowRect(window, &r);
  }
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  void* bits = nullptr;
  const GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.get() || !bits) return {};
  SelectedObject selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  GdiFlush();
  const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
  ScreenShot shot;
  shot.width = width;
  shot.height = height;
  shot.pixels.assign(p, p + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& v : shot.pixels) v &= 0xFFFFFFu;
  return shot;
}

HWND Program::window(const std::wstring& title, bool layered, int ms) {
  Found f{pi_.dwProcessId, title, layered, nullptr};
  pumpUntil(
      [&] {
        f.hwnd = nullptr;
        EnumWindows(findWindow, reinterpret_cast<LPARAM>(&f));
        return f.hwnd != nullptr;
      },
      ms);
  return f.hwnd;
}

bool Program::gone(const std::wstring& title) { return window(title, false, 0) == nullptr; }
int Program::logCount() { return static_cast<int>(SendMessageW(GetDlgItem(console, IDC_LOG_LIST), LB_GETCOUNT, 0, 0)); }
// Double-clicks a row of the roster list.
void Program::doubleClickRow(int row) {
  HWND list = GetDlgItem(console, IDC_ROSTER_LIST);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT hr;
  GetWindowRect(header, &hr);
  const int one = HIWORD(SendMessageW(list, LVM_APPROXIMATEVIEWRECT, 1, MAKELPARAM(-1, -1)));
  const int two = HIWORD(SendMessageW(list, LVM_APPROXIMATEVIEWRECT, 2, MAKELPARAM(-1, -1)));
  const int itemHeight = two - one;
  const LPARAM at = MAKELPARAM(30, (hr.bottom - hr.top) + row * itemHeight + itemHeight / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
}
bool Program::setScore(int row, const std::string& value) {
  const int before = logCount();
  doubleClickRow(row);
  HWND dlg = window(L"计分");
  if (!dlg) return false;
  setText(dlg, IDC_SCORE, value);
  clickButton(dlg, IDC_SET_DIRECTLY);
  return pumpUntil([&] { return logCount() == before + 1; });
}

std::vector<std::string> Program::logTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < logCount(); ++i) texts.push_back(logText(i));
  return texts;
}

void saveBitmap(const ScreenShot& shot, const std::string& path) {
  const DWORD imageBytes = static_cast<DWORD>(shot.pixels.size() * 4);
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageBytes;
  info.biSize = sizeof info;
  info.biWidth = shot.width;
  info.biHeight = -shot.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(reinterpret_cast<const char*>(shot.pixels.data()), imageBytes);
  HANDLE h = CreateFileW(gbkToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::vector<std::pair<int, int>> differingBands(const ScreenShot& a, const ScreenShot& b) {
  std::vector<std::pair<int, int>> bands;
  if (a.width != b.width || a.height != b.height) return bands;
  for (int y = 0; y < a.height; ++y) {
    bool differs = false;
    for (int x = 0; x < a.width && !differs; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * a.width + x;
      differs = a.pixels[i] != b.pixels[i];
    }
    if (!differs) continue;
    if (!bands.empty() && bands.back().second == y - 1)
      bands.back().second = y;
    else
      bands.push_back({y, y});
  }
  return bands;
}

void Program::key(WPARAM vk) {
  HWND target = focus();
  postKey(target ? target : console, vk);
}

HWND Program::focus() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(pi_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

int Program::selectedRow() {
  return static_cast<int>(
      SendMessageW(GetDlgItem(console, IDC_ROSTER_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

HWND Program::openWindow(int button, const std::wstring& title) {
  clickButton(console, button);
  return window(title);
}

std::string Program::logText(int index) {
  HWND log = GetDlgItem(console, IDC_LOG_LIST);
  const LRESULT len = SendMessageW(log, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (len < 0) return "<no line>";
  std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
  SendMessageW(log, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<std::size_t>(len));
  return textAfterStamp(wideToGbk(text));
}

// Answers the save prompt the program shows with path.
bool Program::answerSave(const std::string& path) {
  HWND dlg = nullptr;
  pumpUntil([&] {
    dlg = nullptr;
    for (const wchar_t* t : {L"保存", L"Save As"}) {
      Found f{pi_.dwProcessId, t, false, nullptr};
      EnumWindows(findWindow, reinterpret_cast<LPARAM>(&f));
      if (f.hwnd && GetDlgItem(f.hwnd, 0x47c)) dlg = f.hwnd;
    }
    return dlg != nullptr;
  });
  if (!dlg) return false;
  setText(dlg, 0x47c, path);
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
  return true;
}

DWORD Program::close() {
  PostMessageW(console, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 1234;
  if (WaitForSingleObject(pi_.hProcess, 15000) == WAIT_OBJECT_0) GetExitCodeProcess(pi_.hProcess, &code);
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = PROCESS_INFORMATION{};
  return code;
}
