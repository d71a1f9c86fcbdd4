// The options dialog on its own (values, checks, persistence) and through the console.
#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "app/shared_state.h"
#include "console/console_dialog_win.h"
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
    OptionsDialog dialog;
    return runModal(dialog, script);
  }
  SettingsRun settings;
  const std::string& folder = settings.folder;
};

}  // namespace

TEST_F(OptionsFixture, OpensWithTheCurrentSettings) {
  app::xsw = 2;
  app::cols = 3;
  app::scoreinit = 5;
  app::title = " 决赛 ";
  app::scoresteps = "1,2";
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

TEST_F(OptionsFixture, AFailedCheckWarnsFocusesAndChangesNothing) {
  const std::string storeBefore = readFileBytes(folder + "Quillet.cfg");
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
  EXPECT_NE(app::title, "不该保存");
  EXPECT_EQ(app::xsw, 1);
  EXPECT_EQ(readFileBytes(folder + "Quillet.cfg"), storeBefore);
}

TEST_F(OptionsFixture, AcceptedSettingsArePersistedAndReadBackAtTheNextStart) {
  const INT_PTR result = run([](HWND dlg) {
    setText(dlg, IDC_OPT_XSW, "0");
    setText(dlg, IDC_OPT_COLS, "10");
    setText(dlg, IDC_OPT_SCOREINIT, "7");
    setText(dlg, IDC_OPT_WIDTH, "8000");
    setText(dlg, IDC_OPT_HEIGHT, "100");
    setText(dlg, IDC_OPT_STEPS, "1，2，3");
    setText(dlg, IDC_OPT_TITLE, "  第一届 决赛  ");
    postKey(GetDlgItem(dlg, IDC_OPT_TITLE), VK_RETURN);  // Enter accepts
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(app::scoresteps, "1，2，3");  // as typed in this run: one single piece
  EXPECT_EQ(app::title, "  第一届 决赛  ");
  EXPECT_EQ(app::cols, 10);
  app::xsw = app::cols = app::width = app::height = app::scoreinit = -1;
  app::title.clear();

  settings.restart();
  EXPECT_EQ(app::xsw, 0);
  EXPECT_EQ(app::cols, 10);
  EXPECT_EQ(app::scoreinit, 7);
  EXPECT_EQ(app::width, 8000);
  EXPECT_EQ(app::height, 100);
  EXPECT_EQ(app::title, "  第一届 决赛  ");
  EXPECT_EQ(app::scoresteps, "1,2,3");  // read with ASCII commas
  EXPECT_EQ(app::core->getConfigStr("scoresteps"), "1，2，3");
  const std::string store = readFileBytes(folder + "Quillet.cfg");
  for (const char* key :
       {"xsw=", "cols=", "scoreinit=", "width=", "height=", "scoresteps=", "title=", "clrtitle=", "clrteam="})
    EXPECT_NE(store.find(key), std::string::npos) << key;
}

TEST(OptionsThroughConsole, NewSizeKeepsTheDraggedCornerAndRedraws) {
  ConsoleRun run("A,1\r\n", "on=1\r\nwidth=400\r\nheight=300\r\n");
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    SetWindowPos(app::scoreboard->m_hWnd, nullptr, 120, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const int frames = app::scoreboard->framesPushed;
    WhenWindowAppears options(L"选项", [](HWND dlg) {
      setText(dlg, IDC_OPT_WIDTH, "640");
      setText(dlg, IDC_OPT_HEIGHT, "480");
      setText(dlg, IDC_OPT_TITLE, "新标题");
      clickButton(dlg, IDOK);
    });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_TRUE(options.ran());
    RECT r;
    app::scoreboard->GetWindowRect(&r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 70);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(app::scoreboard->framesPushed, frames + 1);
    EXPECT_EQ(app::title, "新标题");
    EXPECT_EQ(console.m_logList.GetCount(), 1);  // options are not logged

    // Cancelled: nothing happens to the window.
    WhenWindowAppears cancel(L"选项", [](HWND dlg) { clickButton(dlg, IDCANCEL); });
    clickButton(hwnd, IDC_OPTIONS);
    EXPECT_EQ(app::scoreboard->framesPushed, frames + 1);
  });
}
