// A judge panel end to end, through Quillet.exe's windows only: the judges' scores entered
// in the dialog, the list and the log, the score sheet's bytes, and the three steps of the
// staged display on the output window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/win/program_driver_win.h"

TEST(JudgePanelEvent, ScoresEnteredExportedAndStagedOnTheOutput) {
  const EventFolder event("A01,一组\r\nB02,二组\r\n",
                          "on=1\r\nwidth=480\r\nheight=360\r\njudges=5\r\ntrim=1\r\nxsw=2\r\n");
  ASSERT_TRUE(event.hasProgram());
  ASSERT_TRUE(event.addDemoFile("bg.jpg"));
  Program quillet(event.path());
  const HWND output = quillet.startWithOutput();
  ASSERT_NE(output, nullptr);
  quillet.key(VK_DOWN);
  ASSERT_TRUE(pumpUntil([&] { return quillet.selectedRow() == 0; }));

  quillet.key(VK_F3);
  HWND dlg = quillet.window(L"评委打分");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(itemText(dlg, IDC_PANEL_CONTESTANT), "A01（一组）");
  const char* scores[] = {"9.50", "9.40", "9.45", "9.80", "8.90"};
  for (int k = 0; k < 5; ++k) setText(dlg, IDC_JUDGE_FIRST + k, scores[k]);
  EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_PANEL_RESULT).find("9.45") != std::string::npos; }));
  clickButton(dlg, IDOK);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));
  EXPECT_EQ(quillet.logText(1), "评委打分 A01（一组） 最后得分 9.45，去掉最高分 9.80，去掉最低分 8.90");
  EXPECT_EQ(quillet.listText(0, 2), "9.45");

  const std::string sheet = event.path() + "sheet.csv";
  clickButton(quillet.console, IDC_EXPORT_SHEET);
  ASSERT_TRUE(quillet.answerSave(sheet));
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 3; }));
  EXPECT_EQ(quillet.logText(2), "导出评分表");
  EXPECT_EQ(readFileBytes(sheet),
            "分组,姓名,评委1,评委2,评委3,评委4,评委5,去掉的分数,最后得分\r\n"
            "一组,A01,9.50,9.40,9.45,9.80,8.90,9.80、8.90,9.45\r\n"
            "二组,B02,,,,,,,\r\n");

  // Staged over the board: each cue changes the picture, nothing after the last step.  (The
  // window is small enough to lie wholly on the screen, where it is read back.)
  // A cue is a posted key: a step is read once the picture has changed and settled (a
  // settled picture alone can be the one from before the key arrived).
  auto stepShot = [&](const ScreenShot& before) {
    pumpUntil([&] { return !(shootWindow(output) == before); });
    return settledShot(output);
  };
  quillet.key(VK_F6);
  const ScreenShot board = settledShot(output);
  quillet.key(VK_F11);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 4; }));
  EXPECT_EQ(quillet.logText(3), "亮分 A01（一组）");
  const ScreenShot judges = stepShot(board);
  quillet.key(VK_F10);
  const ScreenShot dropped = stepShot(judges);
  quillet.key(VK_RIGHT);
  const ScreenShot final = stepShot(dropped);
  quillet.key(VK_RIGHT);
  EXPECT_FALSE(judges == board) << "step 1 did not show";
  EXPECT_FALSE(dropped == judges) << "step 2 did not show";
  EXPECT_FALSE(final == dropped) << "step 3 did not show";
  EXPECT_TRUE(settledShot(output) == final) << "something happened after the last step";
  quillet.key(VK_LEFT);
  EXPECT_TRUE(stepShot(final) == dropped) << "Left did not go back a step";
  quillet.key(VK_F6);  // another screen ends it
  EXPECT_TRUE(stepShot(dropped) == board);
  EXPECT_EQ(quillet.close(), 0u);
}
