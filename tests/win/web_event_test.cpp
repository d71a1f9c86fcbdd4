// The venue's web server of Quillet.exe, from outside: started by the switch saved in the
// settings, a client following the board while the operator scores, switches screens,
// blacks out and reveals, the refusals and limits on a real port, and a close that ends every
// connection.  Every request goes to 127.0.0.1.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "net/venue_server.h"
#include "resources/resource.h"
#include "tests/http_test_client.h"
#include "tests/win/program_driver_win.h"

TEST(WebEvent, TheBoardFollowsTheOperatorAndTheServerKeepsItsLimits) {
  const int port = freePort();
  ASSERT_GT(port, 0);
  const EventFolder event("A01,一组\r\nB02,一组\r\nC03,一组\r\n",
                          "on=1\r\nwidth=480\r\nheight=360\r\nnet=1\r\nport=" + std::to_string(port) + "\r\n");
  ASSERT_TRUE(event.hasProgram());
  ASSERT_TRUE(event.addDemoFile("bg.jpg"));
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));
  const std::string serving = quillet.logText(1);
  EXPECT_EQ(serving.rfind("开启网络服务 http://", 0), 0u) << serving;
  EXPECT_NE(serving.find(":" + std::to_string(port) + "/"), std::string::npos) << serving;

  RawClient silent(port);  // says nothing: dropped 10 s after connecting
  ASSERT_TRUE(silent.connected());
  const auto silentSince = Clock::now();

  EventReader board(port);
  ASSERT_TRUE(board.waitFor("event: state"));
  ASSERT_TRUE(quillet.setScore(1, "9"));
  EXPECT_TRUE(board.waitFor("\"name\":\"B02\",\"score\":\"9.0\"")) << board.text().substr(0, 400);
  quillet.key(VK_F7);
  EXPECT_TRUE(board.waitFor("\"screen\":\"individual\""));
  ctrlKey(quillet.console, 'B');
  EXPECT_TRUE(board.waitFor("\"blackout\":true"));
  ctrlKey(quillet.console, 'B');
  EXPECT_TRUE(board.waitFor("\"blackout\":false"));
  ASSERT_TRUE(pumpUntil([&] { return IsWindowEnabled(GetDlgItem(quillet.console, IDC_REVEAL)) != FALSE; }));
  clickButton(quillet.console, IDC_REVEAL);
  // The ceremony's first step: the last places alone, no score anywhere.
  EXPECT_TRUE(board.waitFor("\"reveal\":{\"ranking\":\"individual\",\"step\":1"));
  const auto state = httplib::Client("127.0.0.1", port).Get("/api/state");
  ASSERT_TRUE(state);
  EXPECT_NE(state->body.find("\"rank\":2"), std::string::npos) << state->body;
  EXPECT_EQ(state->body.find("\"rank\":1"), std::string::npos) << "the winner before the host said it";
  EXPECT_EQ(state->body.find("\"score\":\"9.0\""), std::string::npos) << state->body;

  // Only its few paths, only GET, small heads.
  EXPECT_EQ(requestStatus(port, "GET", "/board?screen=group"), 200);
  EXPECT_EQ(requestStatus(port, "GET", "/data/bg.jpg"), 200);
  EXPECT_EQ(requestStatus(port, "GET", "/data/logo.png"), 404);
  EXPECT_EQ(requestStatus(port, "GET", "/data/../Quillet.exe"), 404);
  EXPECT_EQ(requestStatus(port, "GET", "/data/%2e%2e/Quillet.ini"), 404);
  EXPECT_EQ(requestStatus(port, "HEAD", "/board"), 405);
  EXPECT_EQ(requestStatus(port, "OPTIONS", "/api/state"), 405);
  EXPECT_EQ(requestStatus(port, "GET", "/api/state", {{"X-Long", std::string(9000, 'x')}}), 431);

  // 200 connections at once (the board's stream and the silent one among them); the next
  // one is refused.
  std::vector<std::unique_ptr<RawClient>> held;
  for (int i = 0; i < 198; ++i) {
    held.push_back(std::make_unique<RawClient>(port));
    ASSERT_TRUE(held.back()->connected()) << "connection " << i;
  }
  Sleep(300);  // each taken by a thread of the server
  RawClient over(port);
  over.send("GET /api/state HTTP/1.1\r\nHost: x\r\n\r\n");
  EXPECT_EQ(over.readToClose(3s).rfind("HTTP/1.1 503", 0), 0u);
  held.clear();

  const auto left = 11500ms - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - silentSince);
  EXPECT_EQ(silent.readToClose(left > 0ms ? left : 1ms), "") << "a silent client was kept";

  const auto closing = Clock::now();
  EXPECT_EQ(quillet.close(), 0u);
  EXPECT_TRUE(waitUntil([&] { return board.ended(); }, 1000ms)) << "the board's stream outlived the program";
  EXPECT_LT(Clock::now() - closing, 3s);
}
