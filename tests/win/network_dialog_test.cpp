// The network dialog through the console: its addresses and QR code, the port's check, the
// server switched on and off (logged, saved at once, serving on 127.0.0.1), a port another
// program holds.  Traffic to 127.0.0.1 only.
#include <gtest/gtest.h>

#include <string>

#include "console/console_dialog_win.h"
#include "net/venue_server.h"
#include "resources/resource.h"
#include "tests/http_test_client.h"
#include "tests/log_stamp.h"
#include "tests/win/program_driver_win.h"
#include "tests/win/test_support_win.h"

namespace {

// Dark and light pixels of a window as drawn on the screen.
std::pair<int, int> darkAndLight(HWND window) {
  const ScreenShot shot = shootWindow(window, true);
  int dark = 0, light = 0;
  for (std::uint32_t p : shot.pixels) ((p & 0xFF) < 64 ? dark : light) += 1;
  return {dark, light};
}

}  // namespace

TEST(NetworkDialog, SwitchesTheServerChecksThePortAndRefusesOneInUse) {
  EventModel probeModel(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 0, 0}; });
  VenueServer holder([](const std::string&, std::string*) { return false; });  // another program, on loopback
  ASSERT_EQ(holder.start("127.0.0.1", 0, probeModel.snapshot()), VenueServer::Start::Listening);
  VenueServer probe([](const std::string&, std::string*) { return false; });
  probe.start("127.0.0.1", 0, probeModel.snapshot());
  const int port = probe.port();
  probe.stop();

  ConsoleRun run("A,1\r\nB,1\r\n");
  run.run([&](ConsoleDialog& console, HWND hwnd) {
    std::string boxes, lines, status;
    std::pair<int, int> qr;
    WhenWindowAppears dialog(L"网络", [&](HWND dlg) {
      lines = itemText(dlg, IDC_NET_ADDRESSES);
      status = itemText(dlg, IDC_NET_STATUS);
      // Read once the code is on the screen whole (the first shots can catch it half drawn).
      pumpUntil([&] {
        qr = darkAndLight(GetDlgItem(dlg, IDC_NET_QR));
        return qr.first > 100;
      });
      setText(dlg, IDC_NET_PORT, "80");
      clickButton(dlg, IDC_NET_ON);
      {
        DialogAnswerer answer;
        clickButton(dlg, IDOK);  // checked whether the switch is on or not
        boxes = answer.boxTexts();
      }
      EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_NET_PORT));
      setText(dlg, IDC_NET_PORT, std::to_string(port));
      clickButton(dlg, IDOK);
    });
    clickButton(hwnd, IDC_NETWORK);
    ASSERT_TRUE(dialog.ran());
    EXPECT_EQ(boxes, "端口必须是1024到65535之间的整数\n");
    EXPECT_NE(lines.find("观众屏幕：http://"), std::string::npos) << lines;
    EXPECT_NE(lines.find("观众屏幕：http://127.0.0.1:8080/board"), std::string::npos) << "loopback last: " << lines;
    EXPECT_EQ(status, "网络服务未开启");
    EXPECT_GT(qr.first, 100) << "no QR code drawn";
    EXPECT_GT(qr.second, qr.first / 2);

    EventModel& m = *console.model();
    EXPECT_EQ(textAfterStamp(m.logLines().back()).rfind("开启网络服务 http://", 0), 0u);
    EXPECT_NE(run.settingsFile().find("port=" + std::to_string(port) + "\r\n"), std::string::npos);
    EXPECT_NE(run.settingsFile().find("net=1\r\n"), std::string::npos) << "saved at once";
    const auto state = httplib::Client("127.0.0.1", port).Get("/api/state");
    ASSERT_TRUE(state);
    EXPECT_NE(state->body.find("\"name\":\"B\""), std::string::npos);

    // A port another program holds: told, the switch back off.
    WhenWindowAppears taken(L"网络", [&](HWND dlg) {
      EXPECT_EQ(itemText(dlg, IDC_NET_STATUS), "已连接的屏幕：0");
      setText(dlg, IDC_NET_PORT, std::to_string(holder.port()));
      clickButton(dlg, IDOK);
    });
    {
      DialogAnswerer answer;
      clickButton(hwnd, IDC_NETWORK);
      boxes = answer.boxTexts();
    }
    EXPECT_EQ(boxes, "端口 " + std::to_string(holder.port()) + " 已被占用，请换一个端口。\n");
    EXPECT_EQ(m.settings().net, 0);
    EXPECT_EQ(textAfterStamp(m.logLines().back()), "关闭网络服务");
    EXPECT_NE(run.settingsFile().find("net=0\r\n"), std::string::npos);
  });
}
