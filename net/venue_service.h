// The venue server as a service of the event: the operator switches it on and off (the
// network dialog, or the switch saved by the last run), it logs what it does, and it
// publishes the board after every change of the event.  Portable: the program gives it the
// network's addresses and the pictures' reader.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "net/venue_server.h"

struct NetworkAdapter {
  std::string address;  // IPv4, dotted
  bool up = false;
  bool gateway = false;  // has a default gateway: the venue network
  bool loopback = false;
};

// The addresses screens can reach the server at: adapters that are up, the one with a
// default gateway first, then the others, loopback last.  Never empty (127.0.0.1 at least).
std::vector<std::string> venueAddresses(const std::vector<NetworkAdapter>& adapters);
// "观众屏幕：http://ADDRESS:PORT/board"
std::string boardLinkLine(const std::string& address, int port);
std::string boardUrl(const std::string& address, int port);
// "http://ADDRESS:PORT/"
std::string serverUrl(const std::string& address, int port);

class VenueService : private EventObserver {
 public:
  using Adapters = std::function<std::vector<NetworkAdapter>()>;
  VenueService(EventModel& model, VenueServer::ReadPicture pictures, Adapters adapters,
               VenueLimits limits = VenueLimits());
  ~VenueService() override;
  VenueService(const VenueService&) = delete;
  VenueService& operator=(const VenueService&) = delete;

  // The operator's choice, applied: serves on every IPv4 address at `port` (logged "开启网络
  // 服务 http://ADDRESS:PORT/"), or stops (logged "关闭网络服务").  Returns what to tell the
  // operator: empty, or "端口 PORT 已被占用，请换一个端口。" (the switch then goes back off).
  std::string apply(bool on, int port);
  // At the program's close: stops, logged, the saved switch left as it is.
  void shutdown();

  bool serving() const { return server_.listening(); }
  int screens() const { return server_.screens(); }
  std::vector<std::string> addresses() const { return venueAddresses(adapters_()); }
  VenueServer& server() { return server_; }

 private:
  bool stop();
  void publish();
  void rowChanged(int) override { publish(); }
  void rowsReset() override { publish(); }
  void settingsChanged(unsigned) override { publish(); }
  void audienceChanged() override { publish(); }
  void roundChanged() override { publish(); }
  void timerChanged() override { publish(); }
  void buzzerChanged() override { publish(); }
  void judgingChanged() override { publish(); }

  EventModel& model_;
  Adapters adapters_;
  VenueServer server_;
};
