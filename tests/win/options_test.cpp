// The options dialog on its own (values, checks, what it returns) and through the console
// (applied, persisted, read back at the next start).
#include <gtest/gtest.h>

#include <string>

#include "console/console_dialog_win.h"
#include "console/output_controller_win.h"
#include "dialogs/options_dialog_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"
#include "tests/win/test_support_win.h"

namespace {

class OptionsFixture : public ::testing::Test {
 protected:
  INT_PTR run(const std::function<void(HWND)>& script) {
    dialog.reset(new OptionsDialog(store.settings, *store.core));
    return runModal(*dialog, script);
  }
  SettingsRun store;
  std::unique_ptr<OptionsDialog> dialog;
};

}  // namespace

TEST_F(OptionsFixture, OpensWithTheSettingsItWasGiven) {
  store.settings.xsw = 2;
  store.settings.cols = 3;
  store.settings.scoreinit = 5;
  store.settings.title = " 决赛 ";
  store.settings.scoresteps = "1,2";
  run([](HWND dlg) {
    wchar_t caption[32];
    GetWindowTextW(dlg, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"选项");
    EXPECT_EQ(itemText(dlg, IDC_OPT_XSW), "2");
    EXPECT_EQ(itemText(dlg, IDC_OPT_COLS), "3");
    EXPECT_EQ(itemText(dlg, IDC_OPT_SCOREINIT), "5");
    EXPECT_EQ(itemText(dlg, IDC_OPT_WIDTH), "1024");
    EXPECT_EQ(itemText(dlg, IDC_OPT_HEIGHT), "768");
    EXPECT_EQ(itemText(dlg, IDC_OPT_STEPS), "1,2");
    EXPECT_EQ(itemText(dlg, IDC_OPT_TITLE), " 决赛 ");
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dlg, IDC_OPT_WIDTH), GWL_STYLE) & ES_NUMBER);
    EXPECT_FALSE(GetWindowLongW(GetDlgItem(dlg, IDC_OPT_TITLE), GWL_STYLE) & ES_NUMBER);
    PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(OptionsFixture, AFailedCheckWarnsFocusesAndReturnsNothing) {
  const std::string storeBefore = readFileBytes(store.folder + "Quillet.cfg");
  std::string boxes;
  HWND focusAfterDecimals = nullptr, focusAfterColumns = nullptr, decimals = nullptr, columns = nullptr;
  const INT_PTR result = run([&](HWND dlg) {
    decimals = GetDlgItem(dlg, IDC_OPT_XSW);
    columns = GetDlgItem(dlg, IDC_OPT_COLS);
    setText(dlg, IDC_OPT_XSW, "3");
    setText(dlg, IDC_OPT_COLS, "0");
    setText(dlg, IDC_OPT_TITLE, "不该保存");
    {
      DialogAnswerer answer;
      clickButton(dlg, IDOK);
      boxes = answer.boxTexts();
    }
    focusAfterDecimals = GetFocus();
    setText(dlg, IDC_OPT_XSW, "1");
    {
      DialogAnswerer answer;
      clickButton(dlg, IDOK);
      boxes += answer.boxTexts();
    }
    focusAfterColumns = GetFocus();
    clickButton(dlg, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(boxes, "小数位数必须是0到2之间的整数\n显示列数必须是1到10之间的整数\n");
  EXPECT_EQ(focusAfterDecimals, decimals);
  EXPECT_EQ(focusAfterColumns, columns);
  EXPECT_EQ(dialog->result, store.settings);
  EXPECT_EQ(readFileBytes(store.folder + "Quillet.cfg"), storeBefore);  // a dialog writes nothing
}

TEST_F(OptionsFixture, AcceptedItReturnsWhatWasTypedAndWritesNothing) {
  const std::string storeBefore = readFileBytes(store.folder + "Quillet.cfg");
  const INT_PTR result = run([](HWND dlg) {
    setText(dlg, IDC_OPT_XSW, "0");
    setText(dlg, IDC_OPT_COLS, "10");
    setText(dlg, IDC_OPT_SCOREINIT, "7");
    setText(dlg, IDC_OPT_WIDTH, "8000");
    setText(dlg, IDC_OPT_HEIGHT, "100");
    setText(dlg, IDC_OPT_STEPS, "1，2，3");
    setText(dlg, IDC_OPT_TITLE, "  第一届 决赛  ");
    clickButton(dlg, IDC_OPT_FILL);
    postKey(GetDlgItem(dlg, IDC_OPT_TITLE), VK_RETURN);  // Enter accepts
  });
  EXPECT_EQ(result, IDOK);
  const Settings& s = dialog->result;
  EXPECT_EQ(s.scoresteps, "1，2，3");  // as typed in this run: one single piece
  EXPECT_EQ(s.title, "  第一届 决赛  ");
  EXPECT_EQ(s.xsw, 0);
  EXPECT_EQ(s.cols, 10);
  EXPECT_EQ(s.scoreinit, 7);
  EXPECT_EQ(s.width, 8000);
  EXPECT_EQ(s.height, 100);
  EXPECT_EQ(s.fill, 1);
  EXPECT_EQ(s.clrteam, store.settings.clrteam);
  EXPECT_EQ(readFileBytes(store.folder + "Quillet.cfg"), storeBefore);
}

TEST(OptionsThroughConsole, AppliedSavedReadBackAndTheWindowKeepsItsDraggedCorner) {
  ConsoleRun run("A,1\r\n", "on=1\r\nwidth=400\r\nheight=300\r\n");
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    ScoreboardWindow& window = *console.output().window();
    SetWindowPos(window.m_hWnd, nullptr, 120, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const int frames = window.framesPushed;
    WhenWindowAppears options(L"选项", [](HWND dlg) {
      setText(dlg, IDC_OPT_WIDTH, "640");
      setText(dlg, IDC_OPT_HEIGHT, "480");
      setText(dlg, IDC_OPT_TITLE, "新标题");
      setText(dlg, IDC_OPT_STEPS, "1，2，3");
      clickButton(dlg, IDOK);
    });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_TRUE(options.ran());
    RECT r;
    window.GetWindowRect(&r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 70);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(window.framesPushed, frames + 1);
    EXPECT_EQ(console.model()->settings().title, "新标题");
    EXPECT_EQ(console.m_logList.GetCount(), 1);    // options are not logged
    const std::string saved = run.settingsFile();  // saved at once, not at the close
    EXPECT_NE(saved.find("title=新标题\r\n"), std::string::npos) << saved;
    for (const char* key : {"xsw=", "cols=", "scoreinit=", "width=640", "height=480", "scoresteps=1，2，3",
                            "clrtitle=", "clrteam=", "fill=0"})
      EXPECT_NE(saved.find(key), std::string::npos) << key;

    // Cancelled: nothing happens to the window.
    WhenWindowAppears cancel(L"选项", [](HWND dlg) { clickButton(dlg, IDCANCEL); });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_EQ(window.framesPushed, frames + 1);
  });
  // The next start reads them back, the quick steps with ASCII commas.
  ConfigStore next(settingsDefaults());
  next.parse(run.settingsFile());
  const Settings s = readSettings(next);
  EXPECT_EQ(s.width, 640);
  EXPECT_EQ(s.title, "新标题");
  EXPECT_EQ(s.scoresteps, "1,2,3");
}
