// The answer timer end to end, through Quillet.exe's windows and its venue server only: F4
// with a short answer time, the clock's cells on the output turning yellow and red while the
// board stays as it was, "时间到" and the log lines, and the pages' timer at /api/state.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/http_test_client.h"
#include "tests/win/program_driver_win.h"

namespace {

// How many pixels of the shot's right half, above row `bottom`, have the clock's yellow or
// red where the board without the clock has something else.
struct ClockColours {
  int yellow = 0, red = 0;
};
ClockColours clockColours(const ScreenShot& shot, const ScreenShot& board, int bottom) {
  ClockColours c;
  for (int y = 0; y < bottom && y < shot.height; ++y)
    for (int x = shot.width / 2; x < shot.width; ++x) {
      const std::uint32_t p = shot.at(x, y);
      if (p == board.at(x, y)) continue;
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r > 200 && g > 190 && b < 90) ++c.yellow;
      if (r > 200 && g < 90 && b < 90) ++c.red;
    }
  return c;
}

}  // namespace

TEST(TimerEvent, AShortAnswerTimeTurnsTheClockYellowThenRedThenTimeUpAndThePagesSeeIt) {
  const int port = freePort();
  const EventFolder event(
      "A01,一组\r\nB02,二组\r\n",
      "on=1\r\nwidth=480\r\nheight=360\r\ntimersecs=7\r\nnet=1\r\nport=" + std::to_string(port) + "\r\n");
  ASSERT_TRUE(event.hasProgram());
  ASSERT_TRUE(event.addDemoFile("bg.jpg"));
  Program quillet(event.path());
  const HWND output = quillet.startWithOutput();
  ASSERT_NE(output, nullptr);
  quillet.key(VK_F6);
  const ScreenShot board = settledShot(output);
  const int band = 360 / 8 + 40;  // the clock's corner: its height and the margin, and some
  auto lastLog = [&] { return quillet.lastLog(); };

  quillet.key(VK_F4);
  ASSERT_TRUE(pumpUntil([&] { return lastLog() == "计时开始 7 秒"; }));
  EXPECT_EQ(itemText(quillet.console, IDC_TIMER), "暂停");
  // The last 10 s are yellow: "07" and "06".
  const ScreenShot yellow = settledShot(output);
  EXPECT_GT(clockColours(yellow, board, band).yellow, 20);
  EXPECT_EQ(clockColours(yellow, board, band).red, 0);
  for (const auto& rows : differingBands(board, yellow))
    EXPECT_LT(rows.second, band) << "the board changed below the clock, rows " << rows.first << "-" << rows.second;

  httplib::Client pages("127.0.0.1", port);
  pages.set_connection_timeout(2);
  pages.set_read_timeout(2);
  const httplib::Result state = pages.Get("/api/state");
  ASSERT_TRUE(state) << httplib::to_string(state.error());
  EXPECT_NE(state->body.find(
                "\"timer\":{\"colour\":\"#FFE000\",\"mode\":\"countdown\",\"place\":\"top-right\",\"remaining_ms\":"),
            std::string::npos)
      << state->body;
  EXPECT_NE(state->body.find("\"running\":true"), std::string::npos) << state->body;

  // The last 5 s are red.
  ASSERT_TRUE(pumpUntil([&] { return itemText(quillet.console, IDC_TIMER_TEXT) == "04"; }, 6000));
  const ScreenShot red = settledShot(output);
  EXPECT_GT(clockColours(red, board, band).red, 20);
  EXPECT_EQ(clockColours(red, board, band).yellow, 0);
  for (const auto& rows : differingBands(yellow, red)) EXPECT_LT(rows.second, band);

  ASSERT_TRUE(pumpUntil([&] { return lastLog() == "时间到"; }, 8000));
  EXPECT_EQ(itemText(quillet.console, IDC_TIMER_TEXT), "时间到");
  ctrlKey(quillet.console, 'R');
  ASSERT_TRUE(pumpUntil([&] { return lastLog() == "计时复位"; }));
  EXPECT_TRUE(settledShot(output) == board) << "the clock stayed after the reset";
  const httplib::Result after = pages.Get("/api/state");
  ASSERT_TRUE(after);
  EXPECT_NE(after->body.find("\"timer\":null"), std::string::npos) << after->body;
  EXPECT_EQ(quillet.close(), 0u);
}

TEST(TimerEvent, TheTimerSettingsAreWrittenAtTheDialogsOK) {
  const EventFolder event("A01,一组\r\n", "");
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  HWND dlg = quillet.openWindow(IDC_TIMER_SETTINGS, L"计时设置");
  ASSERT_NE(dlg, nullptr);
  setText(dlg, IDC_TIMER_SECS, "45");
  clickButton(dlg, IDC_TIMER_FULL_SCREEN);
  clickButton(dlg, IDOK);
  // Not at the close: a power cut after the OK keeps them too.
  EXPECT_TRUE(pumpUntil([&] {
    const std::string saved = readFileBytes(event.path() + "Quillet.cfg");
    return saved.find("timersecs=45") != std::string::npos && saved.find("timerplace=2") != std::string::npos;
  })) << readFileBytes(event.path() + "Quillet.cfg");
  quillet.kill();
}
