// The venue server as the operator switches it: the log lines, a port in use, the board
// following the event, and the addresses offered to screens.  Traffic to 127.0.0.1 only.
#include "net/venue_service.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include "contest/event_model.h"
#include "tests/log_stamp.h"

namespace {

std::vector<NetworkAdapter> venueNetwork() {
  return {{"192.0.2.7", true, false, false}, {"127.0.0.1", true, false, true}, {"198.51.100.4", true, true, false}};
}

// A port nothing listens on, as the system hands one out.
int freePort() {
  VenueServer probe([](const std::string&, std::string*) { return false; });
  EventModel model(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 0, 0}; });
  probe.start("127.0.0.1", 0, model.snapshot());
  return probe.port();
}

}  // namespace

TEST(VenueAddresses, TheVenueNetworkFirstLoopbackLastNeverNone) {
  std::vector<NetworkAdapter> adapters = venueNetwork();
  adapters.push_back({"203.0.113.9", false, true, false});  // down
  EXPECT_EQ(venueAddresses(adapters), (std::vector<std::string>{"198.51.100.4", "192.0.2.7", "127.0.0.1"}));
  EXPECT_EQ(venueAddresses({}), std::vector<std::string>{"127.0.0.1"});
  EXPECT_EQ(boardLinkLine("198.51.100.4", 8080), "观众屏幕：http://198.51.100.4:8080/board");
}

TEST(VenueService, SwitchedOnAndOffLoggedAPortInUseRefusedTheBoardFollowing) {
  EventModel model(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 0, 0}; });
  model.reload("A,g1\r\nB,g1\r\n");
  VenueService service(
      model, [](const std::string&, std::string*) { return false; }, venueNetwork);
  const int port = freePort();
  ASSERT_GT(port, 0);
  auto lastLog = [&] { return textAfterStamp(model.logLines().back()); };

  EXPECT_EQ(service.apply(true, port), "");
  EXPECT_EQ(lastLog(), "开启网络服务 http://198.51.100.4:" + std::to_string(port) + "/");
  EXPECT_EQ(model.settings().net, 1);
  EXPECT_EQ(model.settings().port, port);

  model.applyScore(ScoreRequest{1, ScoreOp::Set, "42"});
  httplib::Client client("127.0.0.1", port);
  client.set_read_timeout(std::chrono::seconds(2));
  bool seen = false;  // the feed makes the event on its own thread: bounded wait
  for (int i = 0; i < 200 && !seen; ++i) {
    const auto res = client.Get("/api/state");
    seen = res && res->body.find("\"score\":\"42.0\"") != std::string::npos;
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(seen);

  // Another server holds a port: refused, the switch back off, nothing logged.
  VenueServer other([](const std::string&, std::string*) { return false; });
  ASSERT_EQ(other.start("0.0.0.0", 0, model.snapshot()), VenueServer::Start::Listening);
  const std::size_t lines = model.logLines().size();
  EXPECT_EQ(service.apply(true, other.port()), "端口 " + std::to_string(other.port()) + " 已被占用，请换一个端口。");
  EXPECT_FALSE(service.serving());
  EXPECT_EQ(model.settings().net, 0);
  EXPECT_EQ(model.logLines().size(), lines + 1);  // the old one's close
  EXPECT_EQ(lastLog(), "关闭网络服务");

  EXPECT_EQ(service.apply(true, port), "");
  service.shutdown();
  EXPECT_EQ(lastLog(), "关闭网络服务");
  EXPECT_EQ(model.settings().net, 1) << "a close keeps the switch for the next start";
  EXPECT_FALSE(client.Get("/api/state"));
}
