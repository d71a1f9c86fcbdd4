// Rounds end to end, through Quillet.exe's windows only: what Numpad +, Numpad - and Ctrl+1
// give in each round, the keys and the box that choose it, the log, the round coming back
// with a resumed run, the rounds dialog's refusal, and a damaged stored list.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/win/program_driver_win.h"

namespace {

// 必答题 +10 / -0, 抢答题 +10 / -10, 风险题 with the quick steps 10,20,30.  The store writes the
// line break between rounds as "\n".
const char kSettings[] =
    "on=1\r\nwidth=480\r\nheight=360\r\nxsw=0\r\nscorestepdefault=1\r\nscoresteps=1,2\r\n"
    "rounds=必答题\t10\t0\t\t30\\n抢答题\t10\t10\t\t20\\n风险题\t10\t10\t10,20,30\t0\r\n";

}  // namespace

TEST(RoundsEvent, EachRoundGivesTheKeysItsValuesAndComesBackWithAResumedRun) {
  const EventFolder event("A01,一组\r\nB02,二组\r\n", kSettings);
  ASSERT_TRUE(event.hasProgram());
  {
    Program quillet(event.path());
    ASSERT_TRUE(quillet.start());
    EXPECT_EQ(itemText(quillet.console, IDC_ROUND), "不分轮次");
    quillet.key(VK_DOWN);
    ASSERT_TRUE(pumpUntil([&] { return quillet.selectedRow() == 0; }));
    auto pressed = [&](WPARAM key, bool ctrl, const std::string& line) {
      const int before = quillet.logCount();
      if (ctrl)
        ctrlKey(quillet.console, key);
      else
        quillet.key(key);
      return pumpUntil([&] { return quillet.logCount() == before + 1; }) ? quillet.logText(before) == line : false;
    };
    EXPECT_TRUE(pressed(VK_ADD, false, "A01（一组） +1"));
    EXPECT_TRUE(pressed(VK_NEXT, true, "进入 必答题"));
    EXPECT_EQ(itemText(quillet.console, IDC_ROUND), "必答题");
    EXPECT_TRUE(pressed(VK_ADD, false, "A01（一组） +10"));
    EXPECT_TRUE(pressed(VK_SUBTRACT, false, "A01（一组） -0"));
    EXPECT_TRUE(pressed(VK_NEXT, true, "进入 抢答题"));
    EXPECT_TRUE(pressed(VK_SUBTRACT, false, "A01（一组） -10"));
    EXPECT_TRUE(pressed('2', true, "A01（一组） +2"));  // no steps of its own: the options'
    EXPECT_TRUE(pressed(VK_NEXT, true, "进入 风险题"));
    EXPECT_TRUE(pressed('2', true, "A01（一组） +20"));
    EXPECT_TRUE(pressed('Z', true, "撤销 A01（一组） +20"));  // undo leaves the round alone
    EXPECT_EQ(itemText(quillet.console, IDC_ROUND), "风险题");
    EXPECT_TRUE(pressed(VK_PRIOR, true, "进入 抢答题"));
    EXPECT_EQ(quillet.listText(0, 2), "3");

    // The box: choosing in it is the same as the keys.
    HWND box = GetDlgItem(quillet.console, IDC_ROUND);
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(quillet.console, WM_COMMAND, MAKEWPARAM(IDC_ROUND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "进入 不分轮次"; }));
    EXPECT_TRUE(pressed(VK_ADD, false, "A01（一组） +1"));
    SendMessageW(box, CB_SETCURSEL, 2, 0);
    SendMessageW(quillet.console, WM_COMMAND, MAKEWPARAM(IDC_ROUND, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "进入 抢答题"; }));
    quillet.kill();  // a power cut in the middle of 抢答题
  }
  Program again(event.path());
  ASSERT_TRUE(again.start(IDYES));
  EXPECT_EQ(itemText(again.console, IDC_ROUND), "抢答题");
  EXPECT_EQ(again.listText(0, 2), "4");
  EXPECT_EQ(again.close(), 0u);
}

TEST(RoundsEvent, TheDialogNamesTheRoundAndFieldItRefusesAndSavesTheList) {
  const EventFolder event("A01,一组\r\n", kSettings);
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  HWND dlg = quillet.openWindow(IDC_ROUNDS, L"轮次");
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, IDC_ROUNDS_LIST);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_ROUNDS_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  ASSERT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_ROUND_NAME) == "抢答题"; }));
  setText(dlg, IDC_ROUND_SUBTRACT, "十");
  clickButton(dlg, IDOK);
  HWND warning = quillet.messageBox();
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(itemText(warning, 0xFFFF).rfind("第 2 轮“抢答题”的减分", 0), 0u) << itemText(warning, 0xFFFF);
  PostMessageW(warning, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(pumpUntil([&] { return !IsWindow(warning); }));
  EXPECT_TRUE(IsWindowVisible(dlg)) << "a refused list closed the dialog";

  setText(dlg, IDC_ROUND_SUBTRACT, "5");
  setText(dlg, IDC_ROUND_NAME, "抢答");
  clickButton(dlg, IDC_ROUND_UP);  // 抢答 first
  clickButton(dlg, IDOK);
  const std::string saved = "rounds=抢答\t10\t5\t\t20\\n必答题\t10\t0\t\t30\\n风险题";
  EXPECT_TRUE(pumpUntil([&] { return readFileBytes(event.path() + "Quillet.cfg").find(saved) != std::string::npos; }))
      << readFileBytes(event.path() + "Quillet.cfg");
  HWND box = GetDlgItem(quillet.console, IDC_ROUND);
  EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(quillet.close(), 0u);
}

TEST(RoundsEvent, ADamagedListIsSaidOnceAndTheRunGoesOnWithoutRounds) {
  const EventFolder event("A01,一组\r\n", "rounds=必答题\t10\r\n");
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start(IDOK));
  EXPECT_NE(quillet.question.find("轮次设置已损坏"), std::string::npos) << quillet.question;
  EXPECT_EQ(SendMessageW(GetDlgItem(quillet.console, IDC_ROUND), CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(quillet.close(), 0u);
  EXPECT_NE(readFileBytes(event.path() + "Quillet.cfg").find("rounds=必答题\t10"), std::string::npos)
      << "the damaged value was overwritten";
}
