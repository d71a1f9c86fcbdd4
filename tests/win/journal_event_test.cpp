// Nothing lost, seen from outside: score changes through the dialog and an undo, then the
// process killed as a crash would end it; the next start offers the journal, and Yes brings
// back the roster list, the log with its time stamps and the output window exactly.  A second
// round answers No: fresh scores, and the journal kept under a dated name.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "tests/log_stamp.h"
#include "tests/win/program_driver_win.h"

namespace {

const int kTeams = 6;

std::vector<std::string> listScores(Program& p) {
  std::vector<std::string> scores;
  for (int row = 0; row < kTeams; ++row) scores.push_back(p.listText(row, 2));
  return scores;
}

std::string exportFile(Program& p, int button, const std::string& path) {
  const int before = p.logCount();
  clickButton(p.console, button);
  if (!p.answerSave(path)) return std::string();
  pumpUntil([&] { return p.logCount() == before + 1; });
  return readFileBytes(path);
}

// The journals kept beside the store under a dated name.
std::vector<std::string> keptJournals(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((gbkToWide(folder) + L"Quillet-*.journal").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(wideToGbk(found.cFileName));
  while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

bool enabled(Program& p, int id) { return IsWindowEnabled(GetDlgItem(p.console, id)) != 0; }

}  // namespace

TEST(Journal, AKilledRunComesBackWithYesAndStartsFreshWithNo) {
  // Names and groups holding GBK characters whose trail bytes are 0x5C and 0x60.
  std::string roster;
  for (int i = 0; i < kTeams; ++i)
    roster += "队\x81\x5C" + std::to_string(i) + ",组\x81\x60" + std::to_string(i % 2) + "\r\n";
  const EventFolder event(roster, "on=1\r\nxsw=2\r\nscoreinit=3\r\nwidth=400\r\nheight=300\r\n");
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";
  const std::string& folder = event.path();

  Program first(folder);
  ASSERT_TRUE(first.start());
  const std::vector<std::string> startScores = listScores(first);
  EXPECT_FALSE(enabled(first, IDC_UNDO));
  EXPECT_FALSE(enabled(first, IDC_REDO));
  clickButton(first.console, IDC_MODE_SCORING);

  // Five changes through the score entry dialog, then one taken back.
  const struct {
    int row, button, field;
    const char* value;
  } changes[] = {{0, IDC_SET_DIRECTLY, IDC_SCORE, "12.34"},
                 {1, IDC_ADD, IDC_CHANGE, "0.1"},
                 {2, IDC_SUBTRACT, IDC_CHANGE, "7.7"},
                 {1, IDC_ADD, IDC_CHANGE, "0.2"},
                 {5, IDC_SET_DIRECTLY, IDC_SCORE, "-3.5"}};
  for (const auto& c : changes) {
    const int before = first.logCount();
    first.doubleClickRow(c.row);
    HWND dlg = first.window(L"计分");
    ASSERT_NE(dlg, nullptr) << "no score entry dialog for row " << c.row;
    setText(dlg, c.field, c.value);
    clickButton(dlg, c.button);
    ASSERT_TRUE(pumpUntil([&] { return first.logCount() == before + 1; })) << c.row;
  }
  EXPECT_TRUE(enabled(first, IDC_UNDO));
  const int beforeUndo = first.logCount();
  clickButton(first.console, IDC_UNDO);
  ASSERT_TRUE(pumpUntil([&] { return first.logCount() == beforeUndo + 1; }));
  EXPECT_TRUE(pumpUntil([&] { return enabled(first, IDC_REDO); }));
  EXPECT_EQ(first.listText(5, 2), startScores[5]);  // the last change taken back

  const std::vector<std::string> scores = listScores(first);
  const std::string results = exportFile(first, IDC_EXPORT_RESULTS, folder + "r1.csv");
  const std::string log = exportFile(first, IDC_EXPORT_LOG, folder + "l1.txt");
  ASSERT_FALSE(log.empty());
  Sleep(300);
  HWND output = first.window(L"", true);
  ASSERT_NE(output, nullptr);
  const std::vector<std::uint32_t> board = shootWindow(output).pixels;
  ASSERT_FALSE(board.empty());
  // A real frame: the board shows many colours (text, shadows), not a blank.
  std::vector<std::uint32_t> colours(board);
  std::sort(colours.begin(), colours.end());
  ASSERT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 10);
  first.kill();

  // Yes: everything as it was, time stamps included.
  Program second(folder);
  ASSERT_TRUE(second.start(IDYES));
  EXPECT_NE(second.question.find("发现上次比赛的计分记录（6 次改动，最后一次 "), std::string::npos) << second.question;
  EXPECT_NE(second.question.find("）。要恢复这些分数和操作日志吗？"), std::string::npos);
  EXPECT_EQ(listScores(second), scores);
  EXPECT_TRUE(enabled(second, IDC_UNDO));
  EXPECT_TRUE(enabled(second, IDC_REDO));
  // The new run starts on the welcome screen, which replaces whatever the screen still showed
  // of the killed run; then the scoring board must come back pixel for pixel.
  HWND output2 = second.window(L"", true);
  ASSERT_NE(output2, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return shootWindow(output2).pixels != board; })) << "the welcome screen never showed";
  clickButton(second.console, IDC_MODE_SCORING);
  EXPECT_TRUE(pumpUntil([&] { return shootWindow(output2).pixels == board; }, 5000))
      << "the scoring board differs after the restore";
  EXPECT_EQ(exportFile(second, IDC_EXPORT_RESULTS, folder + "r2.csv"), results);
  const std::string log2 = exportFile(second, IDC_EXPORT_LOG, folder + "l2.txt");
  ASSERT_EQ(log2.substr(0, log.size()), log);
  const std::string tail = log2.substr(log.size());
  const std::string expectedTail[] = {"导出操作日志", "恢复上次的计分（6 次改动）", "-- 程序启动", "导出计分结果"};
  std::size_t at = 0;
  for (const std::string& text : expectedTail) {
    const std::size_t end = tail.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(textAfterStamp(tail.substr(at, end - at)), text);
    at = end + 2;
  }
  EXPECT_EQ(at, tail.size());
  EXPECT_EQ(second.close(), 0u);

  // No: fresh scores, the journal kept under its dated name, a new one started.
  EXPECT_TRUE(keptJournals(folder).empty());
  Program third(folder);
  ASSERT_TRUE(third.start(IDNO));
  EXPECT_NE(third.question.find("（6 次改动"), std::string::npos) << third.question;
  EXPECT_EQ(listScores(third), startScores);
  EXPECT_EQ(third.logCount(), 1);
  EXPECT_FALSE(enabled(third, IDC_UNDO));
  const std::vector<std::string> kept = keptJournals(folder);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(readFileBytes(folder + kept[0]).find("恢复上次的计分"), std::string::npos);
  EXPECT_EQ(readFileBytes(folder + "Quillet.journal").substr(0, 15), "quillet-journal");
  EXPECT_EQ(third.close(), 0u);
}
