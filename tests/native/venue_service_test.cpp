// The venue server as the operator switches it: the log lines, a port in use, the board
// following the event, and the addresses offered to screens.  Traffic to 127.0.0.1 only.
#include "net/venue_service.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include "contest/event_model.h"
#include "tests/http_test_client.h"
#include "tests/log_stamp.h"

namespace {

// Adapters by made-up names: the order is what counts, and no address but loopback is used.
std::vector<NetworkAdapter> venueNetwork() {
  return {{"wired.venue", true, false, false}, {"127.0.0.1", true, false, true}, {"hall.venue", true, true, false}};
}

}  // namespace

TEST(VenueAddresses, TheVenueNetworkFirstLoopbackLastNeverNone) {
  std::vector<NetworkAdapter> adapters = venueNetwork();
  adapters.push_back({"down.venue", false, true, false});  // down
  EXPECT_EQ(venueAddresses(adapters), (std::vector<std::string>{"hall.venue", "wired.venue", "127.0.0.1"}));
  EXPECT_EQ(venueAddresses({}), std::vector<std::string>{"127.0.0.1"});
  EXPECT_EQ(boardLinkLine("hall.venue", 8080), "观众屏幕：http://hall.venue:8080/board");
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
  EXPECT_EQ(lastLog(), "开启网络服务 http://hall.venue:" + std::to_string(port) + "/");
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
  ASSERT_EQ(other.start("127.0.0.1", 0, model.snapshot()), VenueServer::Start::Listening);
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
