// Buzzers end to end, through Quillet.exe's windows and its venue server only: a false start,
// arming, the first press winning (its name on the output, its log line, its row selected),
// a later press ignored, the reset.  The presses are keys typed into the console: the path a
// buzzer takes when the console has the focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/http_test_client.h"
#include "tests/win/program_driver_win.h"

namespace {

// Pixels in the title's gold (the winner's colour) in the band where the buzzers' line stands.
int goldInBand(const ScreenShot& shot, int top, int bottom) {
  int n = 0;
  for (int y = top; y < bottom && y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      const std::uint32_t p = shot.at(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r > 200 && g > 170 && g < 235 && b < 80) ++n;
    }
  return n;
}

}  // namespace

TEST(BuzzerEvent, TheFirstPressAfterArmingWinsIsShownLoggedAndSelected) {
  const int port = freePort();
  // A01 on key A, B02 on key B, learnt without device information.
  const EventFolder event("A01,一组\r\nB02,二组\r\n",
                          "on=1\r\nwidth=480\r\nheight=360\r\nnet=1\r\nport=" + std::to_string(port) +
                              "\r\nbuzzerkeys=A01\t\t65\\nB02\t\t66\r\n");
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  const HWND output = quillet.startWithOutput();
  ASSERT_NE(output, nullptr);
  quillet.key(VK_F6);
  const ScreenShot board = settledShot(output);

  // The keys go to the roster list, as the console leaves the focus there.
  ASSERT_TRUE(pumpUntil([&] { return quillet.focus() == GetDlgItem(quillet.console, IDC_ROSTER_LIST); }));
  quillet.key('B');
  ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "提前抢答 B02（二组）"; })) << quillet.lastLog();
  // Armed with the button: after a typed Ctrl+Enter the key posted next could be read while
  // the console still saw Ctrl held (posted messages overtake typed ones), as Ctrl+A.
  clickButton(quillet.console, IDC_BUZZ_ARM);
  ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "开始抢答"; }));
  quillet.key('A');
  ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "抢答 A01（一组）"; }));
  EXPECT_EQ(quillet.selectedRow(), 0);
  const ScreenShot won = settledShot(output);
  EXPECT_GT(goldInBand(won, 150, 290), 50);
  EXPECT_EQ(goldInBand(board, 150, 290), 0);

  httplib::Client pages("127.0.0.1", port);
  pages.set_connection_timeout(2);
  pages.set_read_timeout(2);
  const httplib::Result state = pages.Get("/api/state");
  ASSERT_TRUE(state) << httplib::to_string(state.error());
  EXPECT_NE(state->body.find("\"buzzer\":{\"colour\":\"#FFD700\",\"kind\":\"winner\",\"name\":\"A01\""),
            std::string::npos)
      << state->body;

  // Every later press is ignored until the reset, which takes the name off the screen.
  const int lines = quillet.logCount();
  quillet.key('B');
  pumpUntil([] { return false; }, 300);
  EXPECT_EQ(quillet.logCount(), lines);
  ctrlKey(quillet.console, VK_BACK);
  ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "抢答复位"; }));
  EXPECT_EQ(goldInBand(settledShot(output), 150, 290), 0) << "the winner stayed after the reset";
  EXPECT_EQ(quillet.close(), 0u);
}

// The set-up as an operator does it: each team asked in turn, a key taken refused with its
// team's name, a box typing Enter learnt rather than pressing OK; the options; OK saves them
// and the buzzers work at once.  A damaged stored list is said once at the start.
TEST(BuzzerEvent, TheSetUpLearnsEachTeamsKeyAndSavesItWithTheOptions) {
  const EventFolder event("A01,一组\r\nB02,二组\r\n", "buzzerkeys=A01\t\t999\r\n");
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start(IDOK));
  EXPECT_NE(quillet.question.find("抢答器设置已损坏"), std::string::npos) << quillet.question;
  HWND dlg = quillet.openWindow(IDC_BUZZ_SETTINGS, L"抢答器设置");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(itemText(dlg, IDC_BUZZ_PROMPT), "请按下 A01 的抢答键");
  quillet.key('A');
  ASSERT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_BUZZ_PROMPT) == "请按下 B02 的抢答键"; }));
  quillet.key('A');
  ASSERT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_BUZZ_STATUS) == "这个键已经是 A01 的抢答键，请换一个键。"; }));
  quillet.key(VK_RETURN);
  ASSERT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_BUZZ_PROMPT).rfind("都问过了", 0) == 0; }));
  EXPECT_TRUE(IsWindowVisible(dlg)) << "the buzzer's Enter pressed OK";
  SendMessageW(GetDlgItem(dlg, IDC_BUZZ_LOCKOUT), BM_SETCHECK, BST_CHECKED, 0);
  clickButton(dlg, IDOK);
  ASSERT_TRUE(pumpUntil([&] { return !IsWindow(dlg); }));
  // Written once the dialog has gone and the console has taken its result.
  std::string saved;
  EXPECT_TRUE(pumpUntil([&] {
    saved = readFileBytes(event.path() + "Quillet.cfg");
    return saved.find("buzzlockout=1") != std::string::npos;
  })) << saved;
  EXPECT_NE(saved.find("buzzerkeys=A01\t\t65\\nB02\t\t13"), std::string::npos) << saved;

  // Armed with the button: Ctrl+Enter typed here would let raw input report Enter, and the
  // Enter posted next (a key message alone) would be taken for its copy.
  clickButton(quillet.console, IDC_BUZZ_ARM);
  ASSERT_TRUE(pumpUntil([&] { return quillet.lastLog() == "开始抢答"; }));
  quillet.key(VK_RETURN);
  EXPECT_TRUE(pumpUntil([&] { return quillet.lastLog() == "抢答 B02（二组）"; }));
  EXPECT_EQ(quillet.close(), 0u);
}
