// The console with its journal, in-process: undo and redo through the buttons and keys, a
// reload ending the history, and the journal on disk replaying to what the console shows.
#include <gtest/gtest.h>

#include <string>

#include "console/console_dialog_win.h"
#include "contest/journal.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "tests/log_stamp.h"
#include "tests/win/test_support_win.h"

namespace {

bool enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }
std::string lastLogText(ConsoleDialog& c) { return textAfterStamp(c.m_logList.GetText(c.m_logList.GetCount() - 1)); }

}  // namespace

TEST(ConsoleJournal, UndoAndRedoThroughButtonsAndKeysAndAReloadEndsThem) {
  ConsoleRun run("A01,一组\r\nB02,二组\r\n", "xsw=1\r\nscoreinit=2\r\n");
  const std::string folder = run.folder;
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    EventModel& model = *console.model();
    EXPECT_EQ(run.program->journalPath(), folder + "Quillet.journal");
    EXPECT_FALSE(enabled(hwnd, IDC_UNDO));
    EXPECT_FALSE(enabled(hwnd, IDC_REDO));
    EXPECT_EQ(model.applyScore(ScoreRequest{0, ScoreOp::Set, "4.5"}), ScoreOutcome::Applied);
    EXPECT_EQ(model.applyScore(ScoreRequest{1, ScoreOp::Add, "0.1"}), ScoreOutcome::Applied);
    EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "2.1");
    EXPECT_TRUE(enabled(hwnd, IDC_UNDO));

    clickButton(hwnd, IDC_UNDO);
    EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "2.0");
    EXPECT_EQ(model.row(1).score, 2.0f);
    EXPECT_EQ(lastLogText(console), "撤销 B02（二组） +0.1");
    EXPECT_TRUE(enabled(hwnd, IDC_REDO));

    ctrlKey(console.m_rosterList.m_hWnd, 'Z');
    EXPECT_EQ(console.m_rosterList.GetItemText(0, 2), "2.0");
    EXPECT_EQ(lastLogText(console), "撤销 修改 A01（一组） 分数 2.0 -> 4.5");
    EXPECT_FALSE(enabled(hwnd, IDC_UNDO));

    ctrlKey(console.m_rosterList.m_hWnd, 'Y');
    EXPECT_EQ(console.m_rosterList.GetItemText(0, 2), "4.5");
    EXPECT_EQ(lastLogText(console), "重做 修改 A01（一组） 分数 2.0 -> 4.5");
    EXPECT_TRUE(enabled(hwnd, IDC_REDO));  // B's change can still be redone
    EXPECT_EQ(model.applyScore(ScoreRequest{1, ScoreOp::Subtract, "1"}), ScoreOutcome::Applied);
    EXPECT_FALSE(enabled(hwnd, IDC_REDO));  // a new change clears it

    {
      DialogAnswerer yes(std::string(), IDYES);
      clickButton(hwnd, IDC_RELOAD);
    }
    EXPECT_FALSE(enabled(hwnd, IDC_UNDO));
    EXPECT_FALSE(enabled(hwnd, IDC_REDO));
    EXPECT_EQ(model.applyScore(ScoreRequest{0, ScoreOp::Add, "1"}), ScoreOutcome::Applied);
    const std::string journalText = readFileBytes(folder + "Quillet.journal");  // written before it showed
    const journal::Replay live = journal::replay(journalText);
    EXPECT_EQ(live.status, journal::Replay::Ok);
    EXPECT_EQ(live.changes, 1);
    EXPECT_EQ(live.logLines.size(), static_cast<std::size_t>(console.m_logList.GetCount()));
    for (int i = 0; i < console.m_logList.GetCount(); ++i) EXPECT_EQ(live.logLines[i], console.m_logList.GetText(i));
  });
  const journal::Replay closed = journal::replay(readFileBytes(folder + "Quillet.journal"));
  EXPECT_TRUE(closed.closed);
  ASSERT_EQ(closed.rows.size(), 2u);
  EXPECT_EQ(closed.rows[0].score, 3.0f);
}
