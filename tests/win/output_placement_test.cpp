// The output window placed through the console on Wine's one monitor: the second-screen
// button without a second monitor, filling the monitor, a display change, and the whole
// program at 144 DPI (run in a child process, since the DPI is read when a process starts).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "console/console_dialog_win.h"
#include "console/output_controller_win.h"
#include "dialogs/options_dialog_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/win/test_support_win.h"

namespace {

// The console over its own program folder, run until script has done its part.
void runConsole(const std::string& settings, const std::function<void(ConsoleDialog&, HWND)>& script) {
  ConsoleRun run("A01,一组\r\nA02,二组\r\n", settings);
  run.run(script);
}

ScoreboardWindow& outputWindow(ConsoleDialog& c) { return *c.output().window(); }

RECT outputWindowRect(ConsoleDialog& c) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(outputWindow(c).m_hWnd, &r);
  return r;
}

}  // namespace

TEST(OutputPlacement, SecondScreenWithoutOneSaysSoAndStillShowsTheWindow) {
  runConsole("on=0\r\nwidth=300\r\nheight=200\r\n", [](ConsoleDialog& c, HWND hwnd) {
    std::string boxes;
    {
      DialogAnswerer answer(std::string(), IDOK);
      clickButton(hwnd, IDC_SECOND_SCREEN);
      boxes = answer.boxTexts();
    }
    EXPECT_EQ(boxes, "没有检测到第二个显示器。请连接投影仪或第二个显示器后再试。\n");
    const RECT r = outputWindowRect(c);
    EXPECT_EQ(r.left, 1343);  // never placed before: the first place on the 1920 x 1080 screen
    EXPECT_EQ(r.top, 108);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_TRUE(outputWindow(c).IsWindowVisible());
    EXPECT_EQ(IsDlgButtonChecked(hwnd, IDC_OUTPUT_ON), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(c.model()->outputOn());

    // Dragged, then clicked again: it stays where the operator put it.
    SetWindowPos(outputWindow(c).m_hWnd, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    {
      DialogAnswerer answer(std::string(), IDOK);
      clickButton(hwnd, IDC_SECOND_SCREEN);
    }
    EXPECT_EQ(outputWindowRect(c).left, 200);
    EXPECT_EQ(outputWindowRect(c).top, 150);
  });
}

TEST(OutputPlacement, FillGivesAFrameOfTheWholeMonitorUntilItIsCleared) {
  runConsole("on=1\r\nfill=1\r\nwidth=640\r\nheight=360\r\n", [](ConsoleDialog& c, HWND hwnd) {
    RECT r = outputWindowRect(c);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.bottom, 1080);
    EXPECT_EQ(outputWindow(c).frameWidth(), 1920);
    EXPECT_EQ(outputWindow(c).frameHeight(), 1080);
    EXPECT_EQ(outputWindow(c).boardLayout().contentLeft, 307);  // laid out for 1920, not 640
    EXPECT_EQ(c.model()->settings().width, 640);                // the stored size stays

    WhenWindowAppears options(L"选项", [](HWND dlg) {
      EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_OPT_FILL), static_cast<UINT>(BST_CHECKED));
      clickButton(dlg, IDC_OPT_FILL);
      clickButton(dlg, IDOK);
    });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_TRUE(options.ran());
    EXPECT_EQ(c.model()->settings().fill, 0);
    r = outputWindowRect(c);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 360);
    EXPECT_EQ(outputWindow(c).boardLayout().contentLeft, 102);
  });
}

TEST(OutputPlacement, ADisplayChangeBringsAStrandedWindowBackWhole) {
  runConsole("on=1\r\nwidth=640\r\nheight=360\r\n", [](ConsoleDialog& c, HWND hwnd) {
    // As if the projector it stood on had been unplugged.
    SetWindowPos(outputWindow(c).m_hWnd, nullptr, 2500, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const int frames = outputWindow(c).framesPushed;
    SendMessageW(hwnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1920, 1080));
    RECT r = outputWindowRect(c);
    EXPECT_EQ(r.left, 1280);  // the first place, pulled left so that all of it is on screen
    EXPECT_EQ(r.top, 108);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(outputWindow(c).framesPushed, frames + 1);

    // A window still on the screen stays where it is, without a redraw.
    SetWindowPos(outputWindow(c).m_hWnd, nullptr, 1700, 900, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(hwnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1920, 1080));
    r = outputWindowRect(c);
    EXPECT_EQ(r.left, 1700);
    EXPECT_EQ(r.top, 900);
    EXPECT_EQ(outputWindow(c).framesPushed, frames + 1);

    // A filling window refills its monitor.
    Settings filling = c.model()->settings();
    filling.fill = 1;
    c.model()->applySettings(filling);
    SetWindowPos(outputWindow(c).m_hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(hwnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1920, 1080));
    r = outputWindowRect(c);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.bottom, 1080);
  });
}

TEST(OutputPlacement, FillCheckBoxSitsInTheDisplayGroupBelowTheColoursAndIsSaved) {
  SettingsRun run;
  EXPECT_EQ(run.settings.fill, 0);  // never saved: off
  OptionsDialog dialog(run.settings, *run.core);
  runModal(dialog, [](HWND dlg) {
    HWND box = GetDlgItem(dlg, IDC_OPT_FILL);
    ASSERT_NE(box, nullptr);
    wchar_t caption[32] = L"";
    GetWindowTextW(box, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"铺满显示器");
    EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_OPT_FILL), static_cast<UINT>(BST_UNCHECKED));
    RECT mine, group = {190, 7, 190 + 241, 7 + 209}, colours = {0, 82, 438, 97};
    MapDialogRect(dlg, &group);
    MapDialogRect(dlg, &colours);
    GetWindowRect(box, &mine);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&mine), 2);
    EXPECT_GE(mine.top, colours.bottom);
    EXPECT_GT(mine.left, group.left);
    EXPECT_LT(mine.right, group.right);
    EXPECT_LT(mine.bottom, group.bottom);
    for (HWND other = GetWindow(dlg, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
      wchar_t cls[32] = L"";
      GetClassNameW(other, cls, 32);
      const bool groupBox =
          std::wstring(cls) == L"Button" && (GetWindowLongW(other, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
      if (other == box || groupBox) continue;
      RECT r, overlap;
      GetWindowRect(other, &r);
      MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_FALSE(IntersectRect(&overlap, &r, &mine)) << GetDlgCtrlID(other);
    }
    clickButton(dlg, IDC_OPT_FILL);
    clickButton(dlg, IDOK);
  });
  EXPECT_EQ(dialog.result.fill, 1);
}

namespace {

// Every control of dlg lies inside its client area, and every caption fits its control in
// the control's own font: nothing is clipped.
void expectNothingCut(HWND dlg, int dpi) {
  RECT client;
  GetClientRect(dlg, &client);
  for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
        << "control " << id << " outside the window";

    wchar_t cls[32] = L"", caption[128] = L"";
    GetClassNameW(child, cls, 32);
    const int length = GetWindowTextW(child, caption, 128);
    const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
    const bool button = std::wstring(cls) == L"Button";
    if (length == 0 || (!button && std::wstring(cls) != L"Static")) continue;
    if (button && (type == BS_GROUPBOX || type == BS_OWNERDRAW)) continue;

    HDC dc = GetDC(child);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    SIZE text = {0, 0};
    GetTextExtentPoint32W(dc, caption, length, &text);
    SelectObject(dc, old);
    ReleaseDC(child, dc);
    const bool mark = button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    const int needed = text.cx + (mark ? MulDiv(16, dpi, 96) : 0);
    EXPECT_LE(needed, r.right - r.left) << "caption of control " << id << " cut: " << wideToGbk(caption);
    EXPECT_LE(text.cy, r.bottom - r.top) << "caption of control " << id << " cut: " << wideToGbk(caption);
  }
}

const char kDpiVariable[] = "QUILLET_TEST_DPI";

// Sets the prefix's screen DPI for processes started from now on, and restores it.
class ScreenDpiSetting {
 public:
  explicit ScreenDpiSetting(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    DWORD size = sizeof old_;
    hadOld_ =
        RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  ~ScreenDpiSetting() {
    if (hadOld_)
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
      RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadOld_ = false;
};

}  // namespace

// The process reads the DPI when it starts, so the checks run in a child process of this
// test program (HighDpiChild below) started after the setting is made.
TEST(HighDpi, At144TheFrameKeepsItsPixelSizeAndNoControlIsCut) {
  ScreenDpiSetting setting(144);
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = std::wstring(L"\"") + self + L"\" --gtest_filter=HighDpiChild.*";
  SetEnvironmentVariableW(gbkToWide(kDpiVariable).c_str(), L"144");
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const BOOL started =
      CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(gbkToWide(kDpiVariable).c_str(), nullptr);
  ASSERT_TRUE(started);
  const DWORD waited = WaitForSingleObject(process.hProcess, 180000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_EQ(code, 0u) << "HighDpiChild failed: its output is above";
}

TEST(HighDpiChild, FrameAndControlsAtTheScreenDpi) {
  const char* wanted = std::getenv(kDpiVariable);
  if (!wanted) GTEST_SKIP() << "started by HighDpi in a process of its own";
  const int dpi = std::atoi(wanted);
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(screenDpi, dpi);  // the prefix's setting is in force
  // The manifest made the process per-monitor aware (where the system can tell).
  typedef HANDLE(WINAPI * ContextFn)();
  typedef int(WINAPI * AwarenessFn)(HANDLE);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const ContextFn context =
      reinterpret_cast<ContextFn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const AwarenessFn awareness = reinterpret_cast<AwarenessFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  if (context && awareness) {
    EXPECT_EQ(awareness(context()), 2);  // DPI_AWARENESS_PER_MONITOR_AWARE
  }

  runConsole("on=1\r\nwidth=1024\r\nheight=768\r\n", [dpi](ConsoleDialog& c, HWND hwnd) {
    const RECT r = outputWindowRect(c);
    EXPECT_EQ(r.right - r.left, 1024);
    EXPECT_EQ(r.bottom - r.top, 768);
    EXPECT_EQ(outputWindow(c).frameWidth(), 1024);
    EXPECT_EQ(outputWindow(c).frameHeight(), 768);
    EXPECT_EQ(outputWindow(c).boardLayout().contentLeft, 163);  // laid out in pixels, not scaled
    expectNothingCut(hwnd, dpi);
    EXPECT_EQ(ListView_GetColumnWidth(c.m_rosterList.m_hWnd, 0), MulDiv(100, dpi, 96));
    EXPECT_EQ(ListView_GetColumnWidth(c.m_rosterList.m_hWnd, 2), MulDiv(80, dpi, 96));

    WhenWindowAppears options(L"选项", [dpi](HWND dlg) {
      expectNothingCut(dlg, dpi);
      clickButton(dlg, IDCANCEL);
    });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_TRUE(options.ran());

    // For a screenshot: QUILLET_TEST_HOLD_MS keeps everything on screen that long.
    if (const char* hold = std::getenv("QUILLET_TEST_HOLD_MS")) pumpUntil([] { return false; }, std::atoi(hold));
  });
}
