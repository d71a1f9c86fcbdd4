// Clients of the venue server for the tests, native and under Wine: an event stream read on a
// thread of its own, and a plain socket for what no well-behaved client sends.  Every wait
// is bounded; they connect to 127.0.0.1 only.
#pragma once
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "contest/event_model.h"
#include "net/venue_server.h"

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A port nothing listens on now, as the system hands one out.
inline int freePort() {
  EventModel model(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 0, 0}; });
  VenueServer probe([](const std::string&, std::string*) { return false; });
  probe.start("127.0.0.1", 0, model.snapshot());
  return probe.port();
}

// Waits until check() holds; false after `wait`.
template <class Check>
bool waitUntil(Check check, std::chrono::milliseconds wait = 2000ms) {
  const auto deadline = Clock::now() + wait;
  while (!check())
    if (Clock::now() > deadline)
      return false;
    else
      std::this_thread::sleep_for(5ms);
  return true;
}

// The status of one request to the server on 127.0.0.1 (-1: no answer), its body in *body.
inline int requestStatus(int port, const std::string& method, const std::string& target,
                         const httplib::Headers& headers = {}, const std::string& content = "",
                         std::string* body = nullptr) {
  httplib::Client c("127.0.0.1", port);
  c.set_read_timeout(3s);
  httplib::Request req;
  req.method = method;
  req.path = target;
  req.headers = headers;
  req.body = content;
  if (!content.empty()) req.set_header("Content-Type", "application/json");
  const auto res = c.send(req);
  if (res && body) *body = res->body;
  return res ? res->status : -1;
}

// The events a client has read from /api/events, on a thread of its own.
class EventReader {
 public:
  // quiet: how long the stream may stay silent before the reader gives it up.
  EventReader(int port, const std::string& lastEventId = "", std::chrono::seconds quiet = 5s) {
    thread_ = std::thread([this, port, lastEventId, quiet] {
      httplib::Client c("127.0.0.1", port);
      c.set_read_timeout(quiet);
      httplib::Headers headers;
      if (!lastEventId.empty()) headers.emplace("Last-Event-ID", lastEventId);
      c.Get("/api/events", headers, [this](const char* data, std::size_t n) {
        std::lock_guard<std::mutex> lock(mutex_);
        text_.append(data, n);
        return !quit_;
      });
      ended_ = true;
    });
  }
  ~EventReader() {
    quit_ = true;
    thread_.join();
  }
  std::string text() {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }
  // Waits until the stream holds `what`; false after two seconds.
  bool waitFor(const std::string& what) {
    const auto deadline = Clock::now() + 2s;
    while (text().find(what) == std::string::npos)
      if (Clock::now() > deadline)
        return false;
      else
        std::this_thread::sleep_for(5ms);
    return true;
  }
  bool ended() const { return ended_; }

 private:
  std::mutex mutex_;
  std::string text_;
  std::atomic<bool> quit_{false}, ended_{false};
  std::thread thread_;
};

// A plain socket to the server, for what no well-behaved client sends.
class RawClient {
 public:
  explicit RawClient(int port) {
    sock_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<unsigned short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(sock_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~RawClient() { httplib::detail::close_socket(sock_); }
  bool connected() const { return connected_; }
  void send(const std::string& text) { ::send(sock_, text.data(), static_cast<int>(text.size()), 0); }
  // What arrives until the server closes the connection (or, given `until`, until that has
  // arrived), or that with "(open)" after `wait`.
  std::string readToClose(std::chrono::milliseconds wait, const std::string& until = "") {
    std::string out;
    const auto deadline = Clock::now() + wait;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0 || httplib::detail::select_read(sock_, left / 1000, (left % 1000) * 1000) <= 0)
        return out + "(open)";
      char buf[4096];
      const auto n = ::recv(sock_, buf, sizeof buf, 0);
      if (n <= 0) return out;
      out.append(buf, static_cast<std::size_t>(n));
      if (!until.empty() && out.find(until) != std::string::npos) return out;
    }
  }

 private:
  socket_t sock_;
  bool connected_ = false;
};
