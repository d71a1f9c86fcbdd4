// cpp-httplib as built here, on Winsock: a server on 127.0.0.1 on a port the system picks, a
// client asking it, and a stop that ends the listening thread within a second.  Every wait is
// bounded; no traffic leaves 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class HttpLoopbackTest : public testing::Test {
 protected:
  void TearDown() override { stop(); }

  // Binds 127.0.0.1 on a free port and listens on a thread of its own; false when the server
  // is not listening after two seconds.
  bool start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return false;
    listener_ = std::thread([this] { server_.listen_after_bind(); });
    const auto deadline = Clock::now() + 2s;
    while (!server_.is_running() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
    return server_.is_running();
  }

  // Stops the server and waits for its thread; how long that took.
  Clock::duration stop() {
    const auto begin = Clock::now();
    server_.stop();
    if (listener_.joinable()) listener_.join();
    return Clock::now() - begin;
  }

  httplib::Client client() {
    httplib::Client c("127.0.0.1", port_);
    c.set_connection_timeout(2s);
    c.set_read_timeout(2s);
    c.set_write_timeout(2s);
    return c;
  }

  httplib::Server server_;
  int port_ = 0;
  std::thread listener_;
};

}  // namespace

TEST_F(HttpLoopbackTest, ServesARouteAndStopsWithinASecond) {
  server_.Get("/board", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(R"({"teams":3})", "application/json");
  });
  ASSERT_TRUE(start());
  EXPECT_GT(port_, 0);

  auto c = client();
  const auto res = c.Get("/board");
  ASSERT_TRUE(res) << httplib::to_string(res.error());
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->body, R"({"teams":3})");
  EXPECT_EQ(res->get_header_value("Content-Type"), "application/json");
  const auto missing = c.Get("/nothing");
  ASSERT_TRUE(missing) << httplib::to_string(missing.error());
  EXPECT_EQ(missing->status, 404);

  EXPECT_LT(stop(), 1s);
  EXPECT_FALSE(server_.is_running());
  EXPECT_FALSE(c.Get("/board")) << "answered after stop()";
}

TEST_F(HttpLoopbackTest, StreamsEventsInChunks) {
  server_.Get("/events", [](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("text/event-stream", [](size_t, httplib::DataSink& sink) {
      const std::string events[] = {"data: 1\n\n", "event: score\ndata: {\"id\":7}\n\n"};
      for (const auto& e : events) {
        if (!sink.write(e.data(), e.size())) return false;
      }
      sink.done();
      return true;
    });
  });
  ASSERT_TRUE(start());

  std::string received;
  auto c = client();
  const auto res = c.Get("/events", [&](const char* data, size_t length) {
    received.append(data, length);
    return true;
  });
  ASSERT_TRUE(res) << httplib::to_string(res.error());
  EXPECT_EQ(res->status, 200);
  EXPECT_EQ(res->get_header_value("Content-Type"), "text/event-stream");
  EXPECT_EQ(res->get_header_value("Transfer-Encoding"), "chunked");
  EXPECT_EQ(received, "data: 1\n\nevent: score\ndata: {\"id\":7}\n\n");
  EXPECT_LT(stop(), 1s);
}
