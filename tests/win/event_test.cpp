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
#include "resources/resource.h"
#include "tests/log_stamp.h"
#include "tests/win/program_driver_win.h"

namespace {

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
    texts.push_back(textAfterStamp(file.substr(start, end - start)));
    start = end + 2;
  }
  return texts;
}

}  // namespace

TEST(WholeEvent, AnOperatorRunsAnEventThroughTheWindows) {
  std::vector<Team> teams;
  std::string roster = "# 名单\r\n";
  for (int i = 0; i < 40; ++i) {
    teams.push_back(Team{"队" + std::to_string(i + 1), "组" + std::to_string(i % 8 + 1), 0.0f});
    roster += teams.back().name + "," + teams.back().group + "\r\n";
  }
  const EventFolder event(roster);
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";
  const std::string& folder = event.path();
  std::vector<std::string> expectedLog = {"-- 程序启动"};
  int decimals = 1;  // the default

  Program quillet(folder);
  ASSERT_TRUE(quillet.start());
  clickButton(quillet.console, IDC_OUTPUT_ON);
  EXPECT_NE(quillet.window(L"", true), nullptr) << "the output window did not appear";

  auto label = [&](int row) { return teams[row].name + "（" + teams[row].group + "）"; };
  auto text = [&](float v) { return numbers::floatText(v, decimals); };
  // One score change through the dialog: kind 0 sets, 1 adds, 2 subtracts, 3 quick step 2 then
  // adds.  False when no dialog opened: the test cannot go on then (callers assert on it).
  auto change = [&](int row, int kind, float value) -> bool {
    quillet.doubleClickRow(row);
    HWND dlg = quillet.window(L"计分");
    if (!dlg) {
      ADD_FAILURE() << "no score entry dialog for row " << row;
      return false;
    }
    const int before = quillet.logCount();
    Team& t = teams[row];
    if (kind == 0) {
      setText(dlg, IDC_SCORE, numbers::floatText(value, 2));
      clickButton(dlg, IDC_SET_DIRECTLY);
      expectedLog.push_back("修改 " + label(row) + " 分数 " + text(t.score) + " -> " + text(value));
      t.score = value;
    } else if (kind == 3) {
      clickButton(dlg, IDC_STEP2);  // the second quick step: 2
      Sleep(100);
      clickButton(dlg, IDC_ADD);
      expectedLog.push_back(label(row) + " +" + text(2.0f));
      t.score += 2.0f;
    } else {
      setText(dlg, IDC_CHANGE, numbers::floatText(value, 2));
      clickButton(dlg, kind == 1 ? IDC_ADD : IDC_SUBTRACT);
      expectedLog.push_back(label(row) + (kind == 1 ? " +" : " -") + text(value));
      t.score += kind == 1 ? value : -value;
    }
    EXPECT_TRUE(pumpUntil([&] { return quillet.logCount() == before + 1; })) << "row " << row;
    return true;
  };
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(change(i % 12, i % 4, static_cast<float>(i % 5) + 0.5f));

  for (int mode = IDC_MODE_WELCOME; mode <= IDC_MODE_GROUP; ++mode) {
    clickButton(quillet.console, mode);
    Sleep(150);
  }

  // Reload, confirmed: scores back to the start.
  clickButton(quillet.console, IDC_RELOAD);
  {
    HWND confirm = quillet.messageBox();
    ASSERT_NE(confirm, nullptr) << "no reload confirmation";
    PostMessageW(confirm, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  }
  const int beforeReload = static_cast<int>(expectedLog.size());
  expectedLog.push_back("重新加载 参赛队");
  EXPECT_TRUE(pumpUntil([&] { return quillet.logCount() == beforeReload + 1; }));
  for (Team& t : teams) t.score = 0.0f;
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(change(i, i % 4, 1.5f + i));

  // New options: title, columns, decimals, size.
  HWND options = quillet.openWindow(IDC_OPTIONS, L"选项");
  ASSERT_NE(options, nullptr);
  setText(options, IDC_OPT_TITLE, "总决赛");
  setText(options, IDC_OPT_COLS, "4");
  setText(options, IDC_OPT_XSW, "2");
  setText(options, IDC_OPT_WIDTH, "800");
  setText(options, IDC_OPT_HEIGHT, "600");
  clickButton(options, IDOK);
  EXPECT_TRUE(pumpUntil([&] { return quillet.gone(L"选项"); }));
  decimals = 2;
  ASSERT_TRUE(change(3, 1, 0.25f));

  // Exports.
  const std::string results = folder + "results.csv";
  const std::string log = folder + "log.txt";
  clickButton(quillet.console, IDC_EXPORT_RESULTS);
  ASSERT_TRUE(quillet.answerSave(results));
  expectedLog.push_back("导出计分结果");
  EXPECT_TRUE(pumpUntil([&] { return quillet.logCount() == static_cast<int>(expectedLog.size()); }));
  clickButton(quillet.console, IDC_EXPORT_LOG);
  ASSERT_TRUE(quillet.answerSave(log));
  EXPECT_TRUE(pumpUntil([&] { return quillet.logCount() == static_cast<int>(expectedLog.size()) + 1; }));
  EXPECT_EQ(quillet.close(), 0u);

  std::string expectedResults = "分组,姓名,分数\r\n";
  for (const Team& t : teams) expectedResults += t.group + "," + t.name + "," + numbers::floatText(t.score, 2) + "\r\n";
  EXPECT_EQ(readFileBytes(results), expectedResults);
  EXPECT_EQ(logTexts(readFileBytes(log)), expectedLog);

  // The second start reads what the first one saved.
  const std::string settings = readFileBytes(folder + "Quillet.cfg");
  for (const char* line : {"on=1\r\n", "uityp=3\r\n", "cols=4\r\n", "xsw=2\r\n", "width=800\r\n", "height=600\r\n"})
    EXPECT_NE(settings.find(line), std::string::npos) << line << settings;
  // The changes since the reload are offered back; this time the crew starts afresh.
  Program again(folder);
  ASSERT_TRUE(again.start(IDNO));
  EXPECT_NE(again.question.find("（7 次改动"), std::string::npos) << again.question;
  EXPECT_EQ(SendMessageW(GetDlgItem(again.console, IDC_OUTPUT_ON), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(again.console, IDC_MODE_WELCOME), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(again.window(L"", true), nullptr);
  EXPECT_EQ(again.close(), 0u);
}
