// The score entry dialog on its own and through the console's roster list.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "console/console_dialog_win.h"
#include "console/output_controller_win.h"
#include "contest/contestant_text.h"
#include "dialogs/score_entry_dialog_win.h"
#include "kqcore/core_win.h"
#include "kqcore/numbers.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/log_stamp.h"
#include "tests/win/test_support_win.h"

namespace {

class ScoreEntryFixture : public ::testing::Test {
 protected:
  ScoreEntryFixture() : model(settings(), [] { return LocalTime{2024, 5, 1, 9, 30, 5}; }) {
    model.reload("A01,一组\r\nB02\r\n");
    model.applyScore(ScoreRequest{0, ScoreOp::Set, "10"});
    model.applyScore(ScoreRequest{1, ScoreOp::Set, "3"});
    model.setChangeValue("2.5");
  }
  static Settings settings() {
    Settings s = defaultSettings();
    s.xsw = 1;
    s.scoresteps = "1, 5,-2,10,20";
    return s;
  }
  void setSteps(const std::string& steps) {
    Settings s = model.settings();
    s.scoresteps = steps;
    model.applySettings(s);
  }
  float score(int row) const { return model.row(row).score; }
  // Runs the dialog for row with script, as the console opens it, and hands what it asked
  // for to the model; change gets the log text of the change ("" when accepted without
  // one).  The dialog itself never changes a score.
  INT_PTR run(int row, const std::function<void(HWND)>& script, std::string* change = nullptr) {
    const ContestantRecord record = model.row(row);
    const float before = record.score;
    ScoreEntryDialog dialog(row, contestantLabel(record), numbers::floatText(before, model.settings().xsw),
                            model.settings().scorestepdefault, model.settings().scoresteps, [&](const ScoreRequest& r) {
                              ScoreStep step;
                              return planScore(r, contestantLabel(record), before, model.settings().xsw, step);
                            });
    const INT_PTR result = runModal(dialog, script);
    EXPECT_EQ(score(row), before);
    model.setChangeValue(dialog.changeField);
    if (change) change->clear();
    if (result == IDOK && dialog.hasRequest) {
      EXPECT_EQ(dialog.request.row, row);
      EXPECT_EQ(model.applyScore(dialog.request), ScoreOutcome::Applied);
      if (change) *change = textAfterStamp(model.logLines().back());
    }
    return result;
  }
  EventModel model;
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
  EXPECT_EQ(model.settings().scorestepdefault, " 5");  // kept after a cancel too

  setSteps("");
  run(1, [](HWND dlg) {
    EXPECT_EQ(itemText(dlg, IDC_CONTESTANT), "B02");
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_STEP1 + i)));
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  setSteps("3,,7");
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
  EXPECT_EQ(score(0), 12.0f);
  EXPECT_EQ(change, "修改 A01（一组） 分数 10.0 -> 12.0");

  EXPECT_EQ(run(
                0, [](HWND dlg) { clickButton(dlg, IDC_ADD); }, &change),
            IDOK);
  EXPECT_EQ(score(0), 14.5f);
  EXPECT_EQ(change, "A01（一组） +2.5");

  EXPECT_EQ(run(
                0,
                [](HWND dlg) {
                  clickButton(dlg, IDC_STEP3);
                  clickButton(dlg, IDC_SUBTRACT);
                },
                &change),
            IDOK);
  EXPECT_EQ(score(0), 16.5f);
  EXPECT_EQ(change, "A01（一组） --2.0");
  EXPECT_EQ(model.settings().scorestepdefault, "-2");
}

TEST_F(ScoreEntryFixture, EnterAcceptsUnchangedEscAndCloseBoxCancel) {
  std::string change = "x";
  EXPECT_EQ(run(
                0, [](HWND dlg) { postKey(GetDlgItem(dlg, IDC_CHANGE), VK_RETURN); }, &change),
            IDOK);
  EXPECT_EQ(change, "");
  EXPECT_EQ(score(0), 10.0f);
  EXPECT_EQ(run(0,
                [](HWND dlg) {
                  setText(dlg, IDC_SCORE, "99");
                  postKey(GetDlgItem(dlg, IDC_SCORE), VK_ESCAPE);
                }),
            IDCANCEL);
  EXPECT_EQ(run(0, [](HWND dlg) { PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
  EXPECT_EQ(score(0), 10.0f);
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
  EXPECT_EQ(score(0), 10.0f);
}

TEST(ScoreEntryThroughConsole, DoubleClickChangesListLogAndBoard) {
  ConsoleRun run("A01,一组\r\nB02,二组\r\n", "on=1\r\nxsw=1\r\nscorestepdefault=4\r\nwidth=400\r\nheight=300\r\n");
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    clickButton(hwnd, IDC_MODE_SCORING);
    ScoreboardWindow& window = *console.output().window();
    const int framesBefore = window.framesPushed;

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
    EXPECT_EQ(textAfterStamp(console.m_logList.GetText(1)), "B02（二组） +4.0");
    EXPECT_EQ(window.framesPushed, framesBefore + 1);  // the board was redrawn

    // A ranking on show is left as it was.
    clickButton(hwnd, IDC_MODE_INDIVIDUAL);
    const int framesRanking = window.framesPushed;
    WhenWindowAppears again(L"计分", [](HWND dlg) { clickButton(dlg, IDC_ADD); });
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 3));
    pumpUntil([&] { return console.m_logList.GetCount() > 2; }, 3000);
    EXPECT_EQ(console.m_rosterList.GetItemText(1, 2), "8.0");
    EXPECT_EQ(window.framesPushed, framesRanking);
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
  EXPECT_FLOAT_EQ(score(0), 15.0f);

  EXPECT_EQ(run(
                1, [&](HWND dlg) { press(dlg, IDC_CHANGE, {VK_OEM_MINUS}); }, &change),
            IDOK);
  EXPECT_EQ(change, "B02 -5.0");
  EXPECT_FLOAT_EQ(score(1), -2.0f);

  setSteps("1");
  EXPECT_EQ(run(
                1,
                [&](HWND dlg) {
                  setText(dlg, IDC_SCORE, "7");
                  press(dlg, IDC_SCORE, {'4', 'S'});  // no fourth step: only the set acts
                },
                &change),
            IDOK);
  EXPECT_EQ(change, "修改 B02 分数 -2.0 -> 7.0");
  EXPECT_EQ(model.settings().scorestepdefault, " 5");
}
