// The score entry dialog on its own and through the console's roster list.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "app/shared_state.h"
#include "console/console_dialog_win.h"
#include "dialogs/score_entry_dialog_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/win/test_support_win.h"

namespace {

class ScoreEntryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    app::core = new CCore();
    app::allocateTables();
    std::strcpy(app::contestantTable[0].name, "A01");
    std::strcpy(app::contestantTable[0].group, "一组");
    app::contestantTable[0].score = 10.0f;
    std::strcpy(app::contestantTable[1].name, "B02");
    app::contestantTable[1].score = 3.0f;
    app::contestantCount = 2;
    app::xsw = 1;
    app::scoresteps = "1, 5,-2,10,20";
    app::scorestepdefault = "2.5";
  }
  void TearDown() override {
    app::freeTables();
    delete app::core;
    app::core = nullptr;
  }
  // Runs the dialog for row with script and applies what it asked for, as the console
  // does; returns the result.  The dialog itself never writes the table.
  INT_PTR run(int row, const std::function<void(HWND)>& script, std::string* change = nullptr) {
    ScoreEntryDialog dialog;
    dialog.rowIndex = row;
    const float before = app::contestantTable[row].score;
    const INT_PTR result = runModal(dialog, script);
    EXPECT_EQ(app::contestantTable[row].score, before);
    app::scorestepdefault = dialog.changeField;
    if (change) *change = dialog.changeText;
    if (result == IDOK && dialog.hasRequest) {
      EXPECT_EQ(dialog.request.row, row);
      EXPECT_EQ(dialog.request.changeText, dialog.changeText);
      float after = 0.0f;
      EXPECT_TRUE(scoreAfter(before, dialog.request.op, dialog.request.value, after));
      app::contestantTable[row].score = after;
    }
    EXPECT_EQ(dialog.hasRequest, result == IDOK && !dialog.changeText.empty());
    return result;
  }
};

}  // namespace

TEST_F(ScoreEntryFixture, OpensWithTheLabelScoreChangeAndQuickSteps) {
  run(0, [](HWND dlg) {
    wchar_t caption[32];
    GetWindowTextW(dlg, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"计分");
    EXPECT_EQ(itemText(dlg, IDC_CONTESTANT), "A01（一组）");
    EXPECT_EQ(itemText(dlg, IDC_SCORE), "10.0");
    EXPECT_EQ(itemText(dlg, IDC_CHANGE), "2.5");
    const char* captions[] = {"1", " 5", "-2", "10"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP1 + i)));
      EXPECT_EQ(itemText(dlg, IDC_STEP1 + i), captions[i]);
    }
    clickButton(dlg, IDC_STEP2);
    EXPECT_EQ(itemText(dlg, IDC_CHANGE), " 5");  // as written, space included
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(app::scorestepdefault, " 5");  // kept after a cancel too

  app::scoresteps = "";
  run(1, [](HWND dlg) {
    EXPECT_EQ(itemText(dlg, IDC_CONTESTANT), "B02");
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP1 + i)));
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  app::scoresteps = "3,,7";
  run(1, [](HWND dlg) {
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP1)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP2)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP3)));
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
}

TEST_F(ScoreEntryFixture, SetAddAndSubtractAskForTheChangeWithItsText) {
  std::string change;
  EXPECT_EQ(run(
                0,
                [](HWND dlg) {
                  setText(dlg, IDC_SCORE, "12");
                  clickButton(dlg, IDC_SET_DIRECTLY);
                },
                &change),
            IDOK);
  EXPECT_EQ(app::contestantTable[0].score, 12.0f);
  EXPECT_EQ(change, "修改 A01（一组） 分数 10.0 -> 12.0");

  EXPECT_EQ(run(
                0, [](HWND dlg) { clickButton(dlg, IDC_ADD); }, &change),
            IDOK);
  EXPECT_EQ(app::contestantTable[0].score, 14.5f);
  EXPECT_EQ(change, "A01（一组） +2.5");

  EXPECT_EQ(run(
                0,
                [](HWND dlg) {
                  clickButton(dlg, IDC_STEP3);
                  clickButton(dlg, IDC_SUBTRACT);
                },
                &change),
            IDOK);
  EXPECT_EQ(app::contestantTable[0].score, 16.5f);
  EXPECT_EQ(change, "A01（一组） --2.0");
  EXPECT_EQ(app::scorestepdefault, "-2");
}

TEST_F(ScoreEntryFixture, EnterAcceptsUnchangedEscAndCloseBoxCancel) {
  std::string change = "x";
  EXPECT_EQ(run(
                0, [](HWND dlg) { postKey(GetDlgItem(dlg, IDC_CHANGE), VK_RETURN); }, &change),
            IDOK);
  EXPECT_EQ(change, "");
  EXPECT_EQ(app::contestantTable[0].score, 10.0f);
  EXPECT_EQ(run(0,
                [](HWND dlg) {
                  setText(dlg, IDC_SCORE, "99");
                  postKey(GetDlgItem(dlg, IDC_SCORE), VK_ESCAPE);
                }),
            IDCANCEL);
  EXPECT_EQ(run(0, [](HWND dlg) { PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
  EXPECT_EQ(app::contestantTable[0].score, 10.0f);
}

TEST_F(ScoreEntryFixture, AValueBeyondAFloatIsRefusedAndTheDialogStaysOpen) {
  std::string boxes;
  bool stillOpen = false;
  const INT_PTR result = run(0, [&](HWND dlg) {
    setText(dlg, IDC_SCORE, "1e39");
    {
      DialogAnswerer answer;
      clickButton(dlg, IDC_SET_DIRECTLY);
      boxes = answer.boxTexts();
    }
    stillOpen = IsWindow(dlg) && !static_cast<CDialog*>(CWnd::FromHandle(dlg))->IsEnding();
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(stillOpen);
  EXPECT_NE(boxes.find("超出"), std::string::npos) << boxes;
  EXPECT_EQ(app::contestantTable[0].score, 10.0f);
}

TEST(ScoreEntryThroughConsole, DoubleClickChangesListLogAndBoard) {
  ConsoleRun run("A01,一组\r\nB02,二组\r\n", "on=1\r\nxsw=1\r\nscorestepdefault=4\r\nwidth=400\r\nheight=300\r\n");
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    clickButton(hwnd, IDC_MODE_SCORING);
    const int framesBefore = app::scoreboard->framesPushed;

    // A double-click below the last row opens nothing.
    HWND list = console.m_rosterList.m_hWnd;
    RECT client;
    GetClientRect(list, &client);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, client.bottom - 5));
    EXPECT_EQ(console.m_logList.GetCount(), 1);

    // A double-click on row 1, then "加分" with the offered change value.
    RECT item = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    WhenWindowAppears dialog(L"计分", [](HWND dlg) { clickButton(dlg, IDC_ADD); });
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 3));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 3));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 3));
    pumpUntil([&] { return dialog.ran() && console.m_logList.GetCount() > 1; }, 3000);
    EXPECT_TRUE(dialog.ran());
    EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "4.0");
    ASSERT_EQ(console.m_logList.GetCount(), 2);
    EXPECT_EQ(console.m_logList.GetText(1).substr(20), "B02（二组） +4.0");
    EXPECT_EQ(app::scoreboard->framesPushed, framesBefore + 1);  // the board was redrawn

    // A ranking on show is left as it was.
    clickButton(hwnd, IDC_MODE_INDIVIDUAL);
    const int framesRanking = app::scoreboard->framesPushed;
    WhenWindowAppears again(L"计分", [](HWND dlg) { clickButton(dlg, IDC_ADD); });
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 3));
    pumpUntil([&] { return console.m_logList.GetCount() > 2; }, 3000);
    EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "8.0");
    EXPECT_EQ(app::scoreboard->framesPushed, framesRanking);
  });
  if (HasFatalFailure()) return;
  EXPECT_NE(run.settingsFile().find("scorestepdefault=4\r\n"), std::string::npos);
}

namespace {

// Holds Ctrl down in this thread's keyboard state while alive, as the keyboard would.
class CtrlHeld {
 public:
  CtrlHeld() { setCtrl(0x80); }
  ~CtrlHeld() { setCtrl(0); }

 private:
  static void setCtrl(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
    SetKeyboardState(keys);
  }
};

}  // namespace

TEST_F(ScoreEntryFixture, CtrlKeysPressTheButtonsAndTheirTipsSaySo) {
  // Each key is handled while Ctrl is held; the dialog ends through the key's button.
  auto press = [](HWND dlg, int field, std::initializer_list<WPARAM> keys) {
    ScoreEntryDialog* self = static_cast<ScoreEntryDialog*>(CWnd::FromHandle(dlg));
    CtrlHeld ctrl;
    for (WPARAM key : keys) postKey(GetDlgItem(dlg, field), key);
    pumpUntil([&] { return self->IsEnding(); }, 2000);
  };
  std::string change;
  EXPECT_EQ(run(
                0,
                [&](HWND dlg) {
                  ScoreEntryDialog* self = static_cast<ScoreEntryDialog*>(CWnd::FromHandle(dlg));
                  EXPECT_NE(self->tips().text(dlg, IDC_ADD).find("Ctrl+Enter"), std::string::npos);
                  EXPECT_NE(self->tips().text(dlg, IDC_STEP3).find("Ctrl+3"), std::string::npos);
                  press(dlg, IDC_CHANGE, {'2', VK_RETURN});  // quick step 2 (" 5"), then add
                },
                &change),
            IDOK);
  EXPECT_EQ(change, "A01（一组） +5.0");
  EXPECT_FLOAT_EQ(app::contestantTable[0].score, 15.0f);

  EXPECT_EQ(run(
                1, [&](HWND dlg) { press(dlg, IDC_CHANGE, {VK_OEM_MINUS}); }, &change),
            IDOK);
  EXPECT_EQ(change, "B02 -5.0");
  EXPECT_FLOAT_EQ(app::contestantTable[1].score, -2.0f);

  app::scoresteps = "1";
  EXPECT_EQ(run(
                1,
                [&](HWND dlg) {
                  setText(dlg, IDC_SCORE, "7");
                  press(dlg, IDC_SCORE, {'4', 'S'});  // no fourth step: only the set acts
                },
                &change),
            IDOK);
  EXPECT_EQ(change, "修改 B02 分数 -2.0 -> 7.0");
  EXPECT_EQ(app::scorestepdefault, " 5");
}
