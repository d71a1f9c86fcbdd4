// End to end: Quillet.exe started from a fresh folder with its own data\, found by its
// window, watched until it has started, and closed through its close box.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "tests/win/test_support_win.h"

namespace {


struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findConsole(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t title[64] = L"";
  GetWindowTextW(hwnd, title, 64);
  if (pid == s->pid && std::wstring(title) == L"Quillet" && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

bool waitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

}  // namespace

TEST(EndToEnd, StartsFromAFreshFolderAndClosesCleanly) {
  const std::string folder = makeTempAppFolder();
  const std::wstring exe = gbkToWide(folder) + L"Quillet.exe";
  ASSERT_TRUE(CopyFileW(quilletBesideTests().c_str(), exe.c_str(), FALSE)) << "no Quillet.exe beside the tests";
  writeFileBytes(folder + "data\\_team.txt", "甲队,一组\r\n乙队,一组\r\n丙队,二组\r\n");

  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                             gbkToWide(folder).c_str(), &si, &pi));

  Search search = {pi.dwProcessId, nullptr};
  const bool found = waitFor([&] {
    EnumWindows(findConsole, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  }, 20000);
  EXPECT_TRUE(found) << "no window titled Quillet";
  if (found) {
    HWND log = GetDlgItem(search.found, IDC_LOG_LIST);
    HWND roster = GetDlgItem(search.found, IDC_ROSTER_LIST);
    EXPECT_TRUE(waitFor([&] { return SendMessageW(log, LB_GETCOUNT, 0, 0) == 1; }, 10000)) << "no start line";
    EXPECT_EQ(SendMessageW(roster, LVM_GETITEMCOUNT, 0, 0), 3);
    PostMessageW(search.found, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  const DWORD waited = WaitForSingleObject(pi.hProcess, 15000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
  EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 1234;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  // The close saved the switch, the mode and the change text beside the program.
  const std::string settings = readFileBytes(folder + "Quillet.cfg");
  EXPECT_NE(settings.find("on=0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("uityp=0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("scorestepdefault="), std::string::npos) << settings;
  removeFolder(folder);
}
