// A whole event, end to end: Quillet.exe started from a fresh folder and driven only
// through its windows from this process, the way an operator does: output on, twenty score
// changes through the score entry dialog, every screen, a confirmed reload, more changes,
// new options, both exports, close, start again.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "kqcore/numbers.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "tests/win/test_support_win.h"

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 10000) {
  for (int waited = 0; waited < ms; waited += 25) {
    if (done()) return true;
    Sleep(25);
  }
  return done();
}

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

// The program under test, seen from outside.
class Program {
 public:
  explicit Program(const std::string& folder) : folder_(folder) {}
  ~Program() {
    if (pi_.hProcess) {
      TerminateProcess(pi_.hProcess, 99);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  bool start() {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    const std::wstring exe = gbkToWide(folder_) + L"Quillet.exe";
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, gbkToWide(folder_).c_str(), &si,
                        &pi_))
      return false;
    console = window(L"Quillet");
    return console && waitFor([&] { return logCount() >= 1; });
  }
  HWND window(const std::wstring& title, bool layered = false, int ms = 10000) {
    Found f{pi_.dwProcessId, title, layered, nullptr};
    waitFor([&] {
      f.hwnd = nullptr;
      EnumWindows(findWindow, reinterpret_cast<LPARAM>(&f));
      return f.hwnd != nullptr;
    }, ms);
    return f.hwnd;
  }
  bool gone(const std::wstring& title) { return window(title, false, 0) == nullptr; }
  int logCount() { return static_cast<int>(SendMessageW(GetDlgItem(console, IDC_LOG_LIST), LB_GETCOUNT, 0, 0)); }
  void click(HWND dlg, int id) { PostMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
  void setText(HWND dlg, int id, const std::string& text) {
    SendMessageW(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbkToWide(text).c_str()));
  }
  // Double-clicks a row of the roster list.
  void doubleClickRow(int row) {
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
  // Answers the save prompt the program shows with path.
  bool answerSave(const std::string& path) {
    HWND dlg = nullptr;
    waitFor([&] {
      dlg = nullptr;
      for (const wchar_t* t : {L"保存", L"Save As"}) {
        Found f{pi_.dwProcessId, t, false, nullptr};
        EnumWindows(findWindow, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd && GetDlgItem(f.hwnd, 0x47c)) dlg = f.hwnd;
      }
      return dlg != nullptr;
    });
    if (!dlg) return false;
    SendMessageW(GetDlgItem(dlg, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(gbkToWide(path).c_str()));
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
    return true;
  }
  DWORD close() {
    PostMessageW(console, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1234;
    if (WaitForSingleObject(pi_.hProcess, 15000) == WAIT_OBJECT_0) GetExitCodeProcess(pi_.hProcess, &code);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
    pi_ = PROCESS_INFORMATION{};
    return code;
  }
  HWND console = nullptr;

 private:
  std::string folder_;
  PROCESS_INFORMATION pi_ = {};
};


struct Team {
  std::string name, group;
  float score;
};

std::vector<std::string> logTexts(const std::string& file) {
  std::vector<std::string> texts;
  std::size_t start = 0;
  while (start < file.size()) {
    const std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) break;
    texts.push_back(file.substr(start, end - start).substr(20));
    start = end + 2;
  }
  return texts;
}

}  // namespace

TEST(WholeEvent, AnOperatorRunsAnEventThroughTheWindows) {
  const std::string folder = makeTempAppFolder();
  ASSERT_TRUE(CopyFileW(quilletBesideTests().c_str(), (gbkToWide(folder) + L"Quillet.exe").c_str(), FALSE));
  std::vector<Team> teams;
  std::string roster = "# 名单\r\n";
  for (int i = 0; i < 40; ++i) {
    teams.push_back(Team{"队" + std::to_string(i + 1), "组" + std::to_string(i % 8 + 1), 0.0f});
    roster += teams.back().name + "," + teams.back().group + "\r\n";
  }
  writeFileBytes(folder + "data\\_team.txt", roster);
  std::vector<std::string> expectedLog = {"-- 程序启动"};
  int decimals = 1;  // the default

  Program quillet(folder);
  ASSERT_TRUE(quillet.start());
  quillet.click(quillet.console, IDC_OUTPUT_ON);
  EXPECT_NE(quillet.window(L"", true), nullptr) << "the output window did not appear";

  auto label = [&](int row) { return teams[row].name + "（" + teams[row].group + "）"; };
  auto text = [&](float v) { return numbers::floatText(v, decimals); };
  // One score change through the dialog: kind 0 sets, 1 adds, 2 subtracts, 3 quick step 2 then adds.
  auto change = [&](int row, int kind, float value) {
    quillet.doubleClickRow(row);
    HWND dlg = quillet.window(L"计分");
    ASSERT_NE(dlg, nullptr) << "no score entry dialog for row " << row;
    const int before = quillet.logCount();
    Team& t = teams[row];
    if (kind == 0) {
      quillet.setText(dlg, IDC_SCORE, numbers::floatText(value, 2));
      quillet.click(dlg, IDC_SET_DIRECTLY);
      expectedLog.push_back("修改 " + label(row) + " 分数 " + text(t.score) + " -> " + text(value));
      t.score = value;
    } else if (kind == 3) {
      quillet.click(dlg, IDC_STEP2);  // the second quick step: 2
      Sleep(100);
      quillet.click(dlg, IDC_ADD);
      expectedLog.push_back(label(row) + " +" + text(2.0f));
      t.score += 2.0f;
    } else {
      quillet.setText(dlg, IDC_CHANGE, numbers::floatText(value, 2));
      quillet.click(dlg, kind == 1 ? IDC_ADD : IDC_SUBTRACT);
      expectedLog.push_back(label(row) + (kind == 1 ? " +" : " -") + text(value));
      t.score += kind == 1 ? value : -value;
    }
    EXPECT_TRUE(waitFor([&] { return quillet.logCount() == before + 1; })) << "row " << row;
  };
  for (int i = 0; i < 20; ++i) change(i % 12, i % 4, static_cast<float>(i % 5) + 0.5f);

  for (int mode = IDC_MODE_WELCOME; mode <= IDC_MODE_GROUP; ++mode) {
    quillet.click(quillet.console, mode);
    Sleep(150);
  }

  // Reload, confirmed: scores back to the start.
  quillet.click(quillet.console, IDC_RELOAD);
  {
    // The confirmation is a message box titled like the program, other than the console.
    HWND confirm = nullptr;
    waitFor([&] {
      for (HWND h = FindWindowW(L"#32770", L"Quillet"); h; h = FindWindowExW(nullptr, h, L"#32770", L"Quillet"))
        if (h != quillet.console && IsWindowVisible(h)) confirm = h;
      return confirm != nullptr;
    });
    ASSERT_NE(confirm, nullptr) << "no reload confirmation";
    PostMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  }
  const int beforeReload = static_cast<int>(expectedLog.size());
  expectedLog.push_back("重新加载 参赛队");
  EXPECT_TRUE(waitFor([&] { return quillet.logCount() == beforeReload + 1; }));
  for (Team& t : teams) t.score = 0.0f;
  for (int i = 0; i < 6; ++i) change(i, i % 4, 1.5f + i);

  // New options: title, columns, decimals, size.
  quillet.click(quillet.console, IDC_OPTIONS);
  HWND options = quillet.window(L"选项");
  ASSERT_NE(options, nullptr);
  quillet.setText(options, IDC_OPT_TITLE, "总决赛");
  quillet.setText(options, IDC_OPT_COLS, "4");
  quillet.setText(options, IDC_OPT_XSW, "2");
  quillet.setText(options, IDC_OPT_WIDTH, "800");
  quillet.setText(options, IDC_OPT_HEIGHT, "600");
  quillet.click(options, IDOK);
  EXPECT_TRUE(waitFor([&] { return quillet.gone(L"选项"); }));
  decimals = 2;
  change(3, 1, 0.25f);

  // Exports.
  const std::string results = folder + "results.csv";
  const std::string log = folder + "log.txt";
  quillet.click(quillet.console, IDC_EXPORT_RESULTS);
  ASSERT_TRUE(quillet.answerSave(results));
  expectedLog.push_back("导出计分结果");
  EXPECT_TRUE(waitFor([&] { return quillet.logCount() == static_cast<int>(expectedLog.size()); }));
  quillet.click(quillet.console, IDC_EXPORT_LOG);
  ASSERT_TRUE(quillet.answerSave(log));
  EXPECT_TRUE(waitFor([&] { return quillet.logCount() == static_cast<int>(expectedLog.size()) + 1; }));
  EXPECT_EQ(quillet.close(), 0u);

  std::string expectedResults = "分组,姓名,分数\r\n";
  for (const Team& t : teams) expectedResults += t.group + "," + t.name + "," + numbers::floatText(t.score, 2) + "\r\n";
  EXPECT_EQ(readFileBytes(results), expectedResults);
  EXPECT_EQ(logTexts(readFileBytes(log)), expectedLog);

  // The second start reads what the first one saved.
  const std::string settings = readFileBytes(folder + "Quillet.cfg");
  for (const char* line : {"on=1\r\n", "uityp=3\r\n", "cols=4\r\n", "xsw=2\r\n", "width=800\r\n", "height=600\r\n"})
    EXPECT_NE(settings.find(line), std::string::npos) << line << settings;
  Program again(folder);
  ASSERT_TRUE(again.start());
  EXPECT_EQ(SendMessageW(GetDlgItem(again.console, IDC_OUTPUT_ON), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(again.console, IDC_MODE_WELCOME), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(again.window(L"", true), nullptr);
  EXPECT_EQ(again.close(), 0u);
  removeFolder(folder);
}
