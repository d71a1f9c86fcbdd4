// The console window driven in-process: start-up, keys, shut-down saving, the log, reload
// and the two exports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console_dialog_win.h"
#include "console/output_controller_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/log_stamp.h"
#include "tests/win/test_support_win.h"

namespace {

const char kRoster[] = "A01,一组\r\nA02，二组\r\n# 注释,x\r\nA03\r\n";

std::vector<std::string> logLines(ConsoleDialog& c) {
  std::vector<std::string> lines;
  for (int i = 0; i < c.m_logList.GetCount(); ++i) lines.push_back(c.m_logList.GetText(i));
  return lines;
}

}  // namespace

TEST(Console, StartsWithTheRosterTheStartLineAndWelcomeChecked) {
  ConsoleRun run(kRoster, "on=1\r\nuityp=2\r\nxsw=2\r\n");
  int logCountLater = -1;
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    wchar_t caption[64];
    GetWindowTextW(hwnd, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Quillet");
    EXPECT_EQ(c.m_rosterList.GetColumnCount(), 3);
    EXPECT_EQ(c.m_rosterList.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(ListView_GetColumnWidth(c.m_rosterList.m_hWnd, 0), 100);
    EXPECT_EQ(ListView_GetColumnWidth(c.m_rosterList.m_hWnd, 1), 100);
    EXPECT_EQ(ListView_GetColumnWidth(c.m_rosterList.m_hWnd, 2), 80);
    ASSERT_EQ(c.m_rosterList.GetItemCount(), 3);
    EXPECT_EQ(c.m_rosterList.GetItemText(0, 0), "一组");
    EXPECT_EQ(c.m_rosterList.GetItemText(0, 1), "A01");
    EXPECT_EQ(c.m_rosterList.GetItemText(0, 2), "0.00");
    EXPECT_EQ(c.m_rosterList.GetItemText(1, 0), "二组");
    EXPECT_EQ(c.m_rosterList.GetItemText(2, 0), "");
    EXPECT_EQ(c.model()->count(), 3);

    EXPECT_EQ(IsDlgButtonChecked(hwnd, IDC_MODE_WELCOME), static_cast<UINT>(BST_CHECKED));  // whatever uityp says
    EXPECT_EQ(IsDlgButtonChecked(hwnd, IDC_OUTPUT_ON), static_cast<UINT>(BST_CHECKED));
    const std::vector<std::string> lines = logLines(c);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(looksStamped(lines[0])) << lines[0];
    EXPECT_EQ(textAfterStamp(lines[0]), "-- 程序启动");
    pumpUntil([] { return false; }, 500);  // the start timer fires once only
    logCountLater = c.m_logList.GetCount();
  });
  EXPECT_EQ(logCountLater, 1);
}

TEST(Console, EnterAndEscNeverCloseIt) {
  ConsoleRun run(kRoster);
  bool aliveAfterKeys = false;
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    postKey(c.m_rosterList.m_hWnd, VK_ESCAPE);
    postKey(c.m_logList.m_hWnd, VK_RETURN);
    postKey(GetDlgItem(hwnd, IDC_OPTIONS), VK_RETURN);
    postKey(hwnd, VK_ESCAPE);
    pumpUntil([] { return false; }, 300);
    aliveAfterKeys = IsWindow(hwnd) && !c.IsEnding();
  });
  EXPECT_TRUE(aliveAfterKeys);
}

TEST(Console, ClosingSavesTheSwitchTheModeAndTheLastChangeText) {
  ConsoleRun run(kRoster, "on=1\r\nscorestepdefault=3\r\nfuture=kept\r\n");
  run.run([&](ConsoleDialog&, HWND hwnd) {
    clickButton(hwnd, IDC_OUTPUT_ON);  // now clear
    clickButton(hwnd, IDC_MODE_INDIVIDUAL);
    run.model().setChangeValue(" -2.5");
  });
  const std::string file = run.settingsFile();
  EXPECT_NE(file.find("on=0\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("uityp=2\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("scorestepdefault= -2.5\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("future=kept\r\n"), std::string::npos) << file;
  // The output went with the console.
  EXPECT_EQ(run.program->output().window(), nullptr);
}

TEST(Console, LogKeepsTheNewestLineInViewAndNothingSelected) {
  ConsoleRun run(kRoster);
  run.run([&](ConsoleDialog& c, HWND) {
    EXPECT_EQ(c.m_logList.GetTopIndex(), 0);
    c.m_logList.SetCurSel(0);
    c.model()->appendLog("");
    EXPECT_EQ(c.m_logList.GetCurSel(), -1);
    EXPECT_EQ(logLines(c).back().size(), 20u);  // the stamp and one space
    for (int i = 0; i < 60; ++i) c.model()->appendLog("第" + std::to_string(i) + "行");
    const int count = c.m_logList.GetCount();
    const int top = c.m_logList.GetTopIndex();
    RECT client;
    GetClientRect(c.m_logList.m_hWnd, &client);
    const int visible = client.bottom / static_cast<int>(c.m_logList.SendMessage(LB_GETITEMHEIGHT, 0));
    EXPECT_GT(top, 0);
    EXPECT_GE(top + visible, count);  // the newest line is in view
    EXPECT_EQ(c.m_logList.GetCurSel(), -1);
    EXPECT_EQ(textAfterStamp(logLines(c).back()), "第59行");
  });
}

TEST(Console, ReloadAsksFirstThenLogsAndResetsScores) {
  ConsoleRun run(kRoster, "scoreinit=5\r\n");
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    c.model()->applyScore(ScoreRequest{1, ScoreOp::Set, "42"});
    {
      DialogAnswerer no(std::string(), IDNO);
      clickButton(hwnd, IDC_RELOAD);
      EXPECT_EQ(no.boxTexts(), "重新加载参赛队数据，会清空已有计分数据！确认要继续吗？\n");
    }
    EXPECT_EQ(c.m_logList.GetCount(), 2);
    EXPECT_EQ(c.model()->row(1).score, 42.0f);

    writeFileBytes(run.folder + "data\\_team.txt", "B01,x\r\nB02,y\r\n");
    {
      DialogAnswerer yes(std::string(), IDYES);
      clickButton(hwnd, IDC_RELOAD);
    }
    const std::vector<std::string> lines = logLines(c);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(textAfterStamp(lines[2]), "重新加载 参赛队");
    EXPECT_EQ(c.model()->count(), 2);
    EXPECT_EQ(c.m_rosterList.GetItemCount(), 2);
    EXPECT_EQ(c.m_rosterList.GetItemText(1, 1), "B02");
    EXPECT_EQ(c.m_rosterList.GetItemText(1, 2), "5.0");
    EXPECT_EQ(c.model()->row(1).score, 5.0f);
    EXPECT_EQ(c.model()->row(1).rank, 0);
    EXPECT_FALSE(c.model()->canUndo());
  });
}

TEST(Console, RostersBeyondTheTableWarnOnceAndHonestly) {
  std::string roster;
  for (int i = 0; i < 52; ++i) roster += "T" + std::to_string(i) + ",g\r\n";
  std::string warnings;
  {
    ConsoleRun run(roster);
    DialogAnswerer answer;
    run.run([&](ConsoleDialog& c, HWND) { EXPECT_EQ(c.m_rosterList.GetItemCount(), 50); });
    warnings = answer.boxTexts();
  }
  {
    std::string huge;  // far larger than a roster: only its start is read, and the box says so
    while (huge.size() <= (2u << 20)) huge += "T,g\r\n";
    ConsoleRun run(huge);
    DialogAnswerer answer;
    run.run([&](ConsoleDialog& c, HWND) { EXPECT_EQ(c.m_rosterList.GetItemCount(), 50); });
    warnings += answer.boxTexts();
  }
  EXPECT_EQ(warnings,
            "参赛队名单超过 50 队：只载入了前 50 队，另有 2 行未载入。\n"
            "名单文件大于 1 MB，不像参赛队名单：只读了它的前 1 MB，载入了 50 队。\n");
}

TEST(Console, ExportsWriteExactBytesAndLogAfterwards) {
  ConsoleRun run(kRoster, "xsw=0\r\nscoreinit=7\r\n");
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    const std::string results = run.folder + "结果.csv";
    writeFileBytes(results, std::string(5000, 'z'));  // an existing file is replaced whole
    {
      DialogAnswerer answer(results, IDYES);
      clickButton(hwnd, IDC_EXPORT_RESULTS);
    }
    EXPECT_EQ(readFileBytes(results), "分组,姓名,分数\r\n一组,A01,7\r\n二组,A02,7\r\n,A03,7\r\n");
    EXPECT_EQ(textAfterStamp(logLines(c).back()), "导出计分结果");

    const std::string log1 = run.folder + "log1.txt";
    const std::string log2 = run.folder + "log2.txt";
    {
      DialogAnswerer answer(log1);
      clickButton(hwnd, IDC_EXPORT_LOG);
    }
    {
      DialogAnswerer answer(log2);
      clickButton(hwnd, IDC_EXPORT_LOG);
    }
    const std::vector<std::string> lines = logLines(c);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(readFileBytes(log1), lines[0] + "\r\n" + lines[1] + "\r\n");
    EXPECT_EQ(readFileBytes(log2), lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n");
    EXPECT_EQ(textAfterStamp(lines[3]), "导出操作日志");

    // Cancelled: nothing written, nothing logged.
    {
      DialogAnswerer answer;
      answer.cancelSave = true;
      clickButton(hwnd, IDC_EXPORT_RESULTS);
      EXPECT_TRUE(answer.saveDialogSeen());
    }
    EXPECT_EQ(c.m_logList.GetCount(), 4);
  });
}

TEST(Console, AnExportThatCannotBeWrittenSaysSoAndLogsNothing) {
  ConsoleRun run(kRoster);
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    // Another program holds the file open without sharing: the write cannot start.
    const std::string target = run.folder + "结果.csv";
    writeFileBytes(target, "old");
    HANDLE lock = CreateFileW(gbkToWide(target).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    std::string boxes;
    {
      DialogAnswerer answer(target, IDYES);
      clickButton(hwnd, IDC_EXPORT_RESULTS);
      boxes = answer.boxTexts();
    }
    CloseHandle(lock);
    EXPECT_NE(boxes.find("无法写入文件"), std::string::npos) << boxes;
    EXPECT_EQ(c.m_logList.GetCount(), 1);
    EXPECT_EQ(readFileBytes(target), "old");

    // The console goes on working: the same export now succeeds.
    {
      DialogAnswerer answer(target, IDYES);
      clickButton(hwnd, IDC_EXPORT_RESULTS);
    }
    EXPECT_EQ(c.m_logList.GetCount(), 2);
    EXPECT_EQ(readFileBytes(target).substr(0, 14), "分组,姓名,分数");
  });
}

namespace {
ScoreboardWindow* outputWindow(ConsoleDialog& c) { return c.output().window(); }
RECT outputRect(ConsoleDialog& c) {
  RECT r = {0, 0, 0, 0};
  if (outputWindow(c)) outputWindow(c)->GetWindowRect(&r);
  return r;
}
int framesPushed(ConsoleDialog& c) { return outputWindow(c) ? outputWindow(c)->framesPushed : -1; }
}  // namespace

TEST(ConsoleOutput, SwitchPlacesKeepsADraggedCornerAndHides) {
  ConsoleRun run(kRoster, "on=0\r\nwidth=640\r\nheight=360\r\n");
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    ScoreboardWindow* window = outputWindow(c);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->IsWindowVisible());  // output off at start: hidden
    EXPECT_EQ(framesPushed(c), 0);

    clickButton(hwnd, IDC_MODE_SCORING);  // output off: the window is untouched
    EXPECT_EQ(framesPushed(c), 0);

    clickButton(hwnd, IDC_OUTPUT_ON);  // on: first placement at 70 % / 10 % of the screen
    RECT r = outputRect(c);
    EXPECT_EQ(r.left, static_cast<int>(GetSystemMetrics(SM_CXSCREEN) * static_cast<double>(0.7f)));
    EXPECT_EQ(r.top, static_cast<int>(GetSystemMetrics(SM_CYSCREEN) * static_cast<double>(0.1f)));
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 360);
    EXPECT_TRUE(window->IsWindowVisible());
    EXPECT_EQ(c.model()->screen(), Scoring);  // the screen chosen meanwhile
    const int afterOn = framesPushed(c);
    EXPECT_EQ(afterOn, 1);

    clickButton(hwnd, IDC_MODE_GROUP);  // on: redrawn at once
    EXPECT_EQ(framesPushed(c), afterOn + 1);
    EXPECT_EQ(c.model()->screen(), GroupRanking);

    // Dragged elsewhere; off and on again keeps the corner and takes the size setting.
    SetWindowPos(window->m_hWnd, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    clickButton(hwnd, IDC_OUTPUT_ON);
    EXPECT_FALSE(window->IsWindowVisible());
    Settings s = c.model()->settings();
    s.width = 500;
    c.model()->applySettings(s);
    clickButton(hwnd, IDC_OUTPUT_ON);
    r = outputRect(c);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(c.model()->place().rect, (PixelRect{100, 50, 600, 410}));
  });
}

TEST(ConsoleOutput, ButtonsBeforeTheOutputWindowExistsAreHarmless) {
  ConsoleRun run(kRoster);
  bool survived = false;
  ConsoleDialog& console = run.console();
  runModal(console, [&](HWND hwnd) {
    // The start timer has not fired yet: there is no output window.
    EXPECT_EQ(outputWindow(console), nullptr);
    clickButton(hwnd, IDC_OUTPUT_ON);
    clickButton(hwnd, IDC_MODE_SCORING);
    clickButton(hwnd, IDC_SECOND_SCREEN);
    clickButton(hwnd, IDC_BLACKOUT);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, IDC_BLACKOUT), static_cast<UINT>(BST_UNCHECKED));
    pumpUntil([&] { return console.m_logList.GetCount() > 0; });
    // The first tick applied the state the operator had chosen meanwhile.
    survived =
        outputWindow(console) && outputWindow(console)->IsWindowVisible() && console.model()->screen() == Scoring;
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_TRUE(survived);
}

namespace {

// Whether the console entered a menu loop (F10 passed on opens the system menu); a menu
// loop that starts anyway is ended at once so the test cannot hang in it.
bool g_menuEntered = false;
LRESULT CALLBACK watchMenu(int code, WPARAM wp, LPARAM lp) {
  const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && (m->message == WM_ENTERMENULOOP || m->message == WM_INITMENU ||
                            (m->message == WM_SYSCOMMAND && (m->wParam & 0xFFF0) == SC_KEYMENU))) {
    g_menuEntered = true;
    EndMenu();
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

std::string revealCaptionOf(HWND console) { return itemText(console, IDC_REVEAL); }

}  // namespace

TEST(ConsoleReveal, ButtonAndKeysStepTheRankingScreenOnShow) {
  ConsoleRun run("A,g\r\nB,g\r\nC,g\r\nD,g\r\nE,g\r\n", "on=1\r\n");
  run.run([&](ConsoleDialog& c, HWND hwnd) {
    const char* scores[] = {"4", "3", "3", "2", "1"};  // four ranks
    for (int i = 0; i < 5; ++i) c.model()->applyScore(ScoreRequest{i, ScoreOp::Set, scores[i]});
    HWND button = GetDlgItem(hwnd, IDC_REVEAL);
    HWND roster = c.m_rosterList.m_hWnd;
    EXPECT_FALSE(IsWindowEnabled(button)) << "the welcome screen has nothing to reveal";
    clickButton(hwnd, IDC_MODE_INDIVIDUAL);
    EXPECT_TRUE(IsWindowEnabled(button));
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓");
    const int logBefore = c.m_logList.GetCount();

    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchMenu, nullptr, GetCurrentThreadId());
    SetFocus(roster);
    postKey(roster, VK_F10);
    pumpUntil([] { return false; }, 200);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(g_menuEntered) << "F10 opened the system menu";
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓 1/4");
    EXPECT_EQ(c.model()->reveal().firstRankShown(), 4);

    postKey(roster, VK_RIGHT);
    postKey(roster, VK_RIGHT);
    pumpUntil([&] { return revealCaptionOf(hwnd) == "揭晓 3/4"; }, 1000);
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓 3/4");
    postKey(roster, VK_LEFT);
    pumpUntil([&] { return revealCaptionOf(hwnd) == "揭晓 2/4"; }, 1000);
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓 2/4");
    // Up and Down still move the roster selection.
    ListView_SetItemState(roster, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    postKey(roster, VK_DOWN);
    pumpUntil([&] { return ListView_GetNextItem(roster, -1, LVNI_SELECTED) == 1; }, 1000);
    EXPECT_EQ(ListView_GetNextItem(roster, -1, LVNI_SELECTED), 1);
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓 2/4");

    clickButton(hwnd, IDC_REVEAL);
    clickButton(hwnd, IDC_REVEAL);  // rank 1: complete
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓");
    EXPECT_FALSE(c.model()->reveal().running());
    postKey(roster, VK_LEFT);  // nothing runs: the key is the list's again
    pumpUntil([] { return false; }, 100);
    std::vector<std::string> lines = logLines(c);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(logBefore + 2));
    EXPECT_EQ(textAfterStamp(lines[logBefore]), "开始揭晓 个人排名");
    EXPECT_EQ(textAfterStamp(lines[logBefore + 1]), "揭晓完成");

    // Pressed again: a new reveal; another screen ends it at once.
    clickButton(hwnd, IDC_REVEAL);
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓 1/4");
    clickButton(hwnd, IDC_MODE_SCORING);
    EXPECT_FALSE(c.model()->reveal().running());
    EXPECT_EQ(revealCaptionOf(hwnd), "揭晓");
    EXPECT_FALSE(IsWindowEnabled(button));
    PostMessageW(roster, WM_SYSKEYDOWN, VK_F10, 1);
    pumpUntil([] { return false; }, 100);
    EXPECT_FALSE(c.model()->reveal().running()) << "F10 on the scoring board does nothing";

    // The group screen; switching the output off ends its reveal.
    clickButton(hwnd, IDC_MODE_GROUP);
    clickButton(hwnd, IDC_REVEAL);  // one group: one step, complete at once
    lines = logLines(c);
    EXPECT_EQ(textAfterStamp(lines[lines.size() - 2]), "开始揭晓 小组排名");
    EXPECT_EQ(textAfterStamp(lines.back()), "揭晓完成");
    clickButton(hwnd, IDC_MODE_INDIVIDUAL);
    clickButton(hwnd, IDC_REVEAL);
    EXPECT_TRUE(c.model()->reveal().running());
    clickButton(hwnd, IDC_OUTPUT_ON);
    EXPECT_FALSE(c.model()->reveal().running());
    EXPECT_FALSE(IsWindowEnabled(button));
  });
}
