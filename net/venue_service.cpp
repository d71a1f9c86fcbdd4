#include "net/venue_service.h"

#include "kqcore/numbers.h"

namespace {

const char kServing[] = "开启网络服务 ";
const char kStopped[] = "关闭网络服务";

}  // namespace

std::vector<std::string> venueAddresses(const std::vector<NetworkAdapter>& adapters) {
  std::vector<std::string> out;
  auto add = [&](bool (*which)(const NetworkAdapter&)) {
    for (const NetworkAdapter& a : adapters)
      if (a.up && which(a) && !a.address.empty()) {
        bool known = false;
        for (const std::string& s : out) known = known || s == a.address;
        if (!known) out.push_back(a.address);
      }
  };
  add([](const NetworkAdapter& a) { return a.gateway && !a.loopback; });
  add([](const NetworkAdapter& a) { return !a.gateway && !a.loopback; });
  add([](const NetworkAdapter& a) { return a.loopback; });
  if (out.empty()) out.push_back("127.0.0.1");
  return out;
}

std::string serverUrl(const std::string& address, int port) {
  return "http://" + address + ":" + numbers::intText(port) + "/";
}

std::string boardUrl(const std::string& address, int port) { return serverUrl(address, port) + "board"; }

std::string boardLinkLine(const std::string& address, int port) { return "观众屏幕：" + boardUrl(address, port); }

VenueService::VenueService(EventModel& model, VenueServer::ReadPicture pictures, Adapters adapters, VenueLimits limits)
    : model_(model), adapters_(std::move(adapters)), server_(std::move(pictures), limits) {
  model_.addObserver(this);
}

VenueService::~VenueService() {
  model_.removeObserver(this);
  server_.stop();
}

bool VenueService::stop() {
  if (!server_.listening()) return false;
  server_.stop();
  model_.appendLog(kStopped);
  return true;
}

std::string VenueService::apply(bool on, int port) {
  if (!on) {
    stop();
    model_.applyNetwork(false, port);
    return std::string();
  }
  if (server_.listening() && server_.port() == port) {
    model_.applyNetwork(true, port);
    return std::string();
  }
  stop();
  // Every IPv4 address: screens on any of the venue's networks (and this machine) reach it.
  if (server_.start("0.0.0.0", port, model_.snapshot()) != VenueServer::Start::Listening) {
    model_.applyNetwork(false, port);
    return "端口 " + numbers::intText(port) + " 已被占用，请换一个端口。";
  }
  model_.appendLog(kServing + serverUrl(addresses().front(), port));
  model_.applyNetwork(true, port);
  return std::string();
}

void VenueService::shutdown() { stop(); }

void VenueService::publish() {
  if (server_.listening()) server_.publish(model_.snapshot());
}
