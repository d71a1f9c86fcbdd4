// The console with its journal, in-process: undo and redo through the buttons and keys, a
// reload ending the history, and the journal on disk replaying to what the console shows.
#include <gtest/gtest.h>

#include <string>

#include "app/shared_state.h"
#include "console/console_dialog_win.h"
#include "contest/journal.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "tests/win/test_support_win.h"

namespace {

bool enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }
std::string lastLogText(ConsoleDialog& c) { return c.m_logList.GetText(c.m_logList.GetCount() - 1).substr(20); }

}  // namespace

TEST(ConsoleJournal, UndoAndRedoThroughButtonsAndKeysAndAReloadEndsThem) {
  const std::string folder = makeTempAppFolder();
  writeFileBytes(folder + "data\\_team.txt", "A01,一组\r\nB02,二组\r\n");
  writeFileBytes(folder + "Quillet.cfg", "xsw=1\r\nscoreinit=2\r\n");
  CCore::overrideAppPath(folder);
  std::string journalText;
  {
    ConsoleDialog console;
    runModal(console, [&](HWND hwnd) {
      ASSERT_TRUE(pumpUntil([&] { return console.m_logList.GetCount() > 0; }));
      EXPECT_EQ(console.journalPath(), folder + "Quillet.journal");
      EXPECT_FALSE(enabled(hwnd, IDC_UNDO));
      EXPECT_FALSE(enabled(hwnd, IDC_REDO));
      EXPECT_TRUE(console.applyScore(ScoreRequest{0, ScoreOp::Set, 4.5f, "A 4.5"}));
      EXPECT_TRUE(console.applyScore(ScoreRequest{1, ScoreOp::Add, 0.1f, "B +0.1"}));
      EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "2.1");
      EXPECT_TRUE(enabled(hwnd, IDC_UNDO));

      clickButton(hwnd, IDC_UNDO);
      EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "2.0");
      EXPECT_EQ(app::contestantTable[1].score, 2.0f);
      EXPECT_EQ(lastLogText(console), "撤销 B +0.1");
      EXPECT_TRUE(enabled(hwnd, IDC_REDO));

      ctrlKey(console.m_rosterList.m_hWnd, 'Z');
      EXPECT_EQ(console.m_rosterList.GetItemText(0, 2), "2.0");
      EXPECT_EQ(lastLogText(console), "撤销 A 4.5");
      EXPECT_FALSE(enabled(hwnd, IDC_UNDO));

      ctrlKey(console.m_rosterList.m_hWnd, 'Y');
      EXPECT_EQ(console.m_rosterList.GetItemText(0, 2), "4.5");
      EXPECT_EQ(lastLogText(console), "重做 A 4.5");
      EXPECT_TRUE(enabled(hwnd, IDC_REDO));  // B's change can still be redone
      EXPECT_TRUE(console.applyScore(ScoreRequest{1, ScoreOp::Subtract, 1.0f, "B -1"}));
      EXPECT_FALSE(enabled(hwnd, IDC_REDO));  // a new change clears it

      {
        DialogAnswerer yes(std::string(), IDYES);
        clickButton(hwnd, IDC_RELOAD);
      }
      EXPECT_FALSE(enabled(hwnd, IDC_UNDO));
      EXPECT_FALSE(enabled(hwnd, IDC_REDO));
      EXPECT_TRUE(console.applyScore(ScoreRequest{0, ScoreOp::Add, 1.0f, "A +1"}));
      journalText = readFileBytes(folder + "Quillet.journal");  // written before it showed
      const journal::Replay live = journal::replay(journalText);
      EXPECT_EQ(live.status, journal::Replay::Ok);
      EXPECT_EQ(live.changes, 1);
      EXPECT_EQ(live.logLines.size(), static_cast<std::size_t>(console.m_logList.GetCount()));
      for (int i = 0; i < console.m_logList.GetCount(); ++i) EXPECT_EQ(live.logLines[i], console.m_logList.GetText(i));
      PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
  }
  const journal::Replay closed = journal::replay(readFileBytes(folder + "Quillet.journal"));
  EXPECT_TRUE(closed.closed);
  ASSERT_EQ(closed.rows.size(), 2u);
  EXPECT_EQ(closed.rows[0].score, 3.0f);
  CCore::overrideAppPath(std::string());
  removeFolder(folder);
}
