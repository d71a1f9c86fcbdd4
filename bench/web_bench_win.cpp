// The venue server's figures, in one process as the program runs it: the event model changed
// on this (the console's) thread, the server publishing each change, clients on 127.0.0.1
// following the event stream (one thread reads them all).
//   1. From a score change to its event at a client: the median with 1 and with 100 streams.
//   2. 100 streams held for 10,000 changes: every stream gets every seq in order, memory and
//      handles before and after, the change's time on this thread with and without clients.
//   3. GET /api/state: the median.
// Usage: web_bench [changes]   (10000 by default)
#define FD_SETSIZE 256  // a hundred streams in one select
#include <winsock2.h>
// (winsock2.h before windows.h, which the HTTP library includes)
#include <windows.h>
// (psapi.h after windows.h)
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "net/venue_service.h"
#include "tests/http_test_client.h"

namespace {

using Ms = std::chrono::duration<double, std::milli>;

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// When each published seq left this thread: the model tells this observer before the
// server's (it is added first).
class ChangeClock : public EventObserver {
 public:
  explicit ChangeClock(EventModel& m) : model_(m) {}
  void rowChanged(int) override { at[model_.snapshot()->seq] = Clock::now(); }
  std::vector<Clock::time_point> at = std::vector<Clock::time_point>(400000);

 private:
  EventModel& model_;
};

// The streams, read by one thread waiting on all their sockets at once: a venue's screens
// are other machines, and a hundred reading threads in this process would only measure
// Wine's server taking their calls in turn.  Each stream keeps the seqs it got, in order,
// and when; the events are found by their "id: " lines.
class Streams {
 public:
  Streams(int port, int count) : socks_(static_cast<std::size_t>(count)), got_(socks_.size()) {
    for (std::size_t i = 0; i < socks_.size(); ++i) {
      socks_[i] = ::socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_port = htons(static_cast<unsigned short>(port));
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      BOOL on = TRUE;
      ::setsockopt(socks_[i], IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
      ::connect(socks_[i], reinterpret_cast<sockaddr*>(&a), sizeof a);
      const char request[] = "GET /api/events HTTP/1.1\r\nHost: bench\r\n\r\n";
      ::send(socks_[i], request, sizeof request - 1, 0);
      got_[i].seqs.reserve(40000);
      got_[i].times.reserve(40000);
    }
    thread_ = std::thread([this] { read(); });
  }
  ~Streams() { stop(); }
  void stop() {
    quit_ = true;
    if (thread_.joinable()) thread_.join();
    for (SOCKET s : socks_) ::closesocket(s);
    socks_.clear();
  }
  struct Got {
    std::vector<std::uint64_t> seqs;
    std::vector<Clock::time_point> times;
    std::string pending;
  };
  const std::vector<Got>& got() const { return got_; }

 private:
  void read() {
    std::vector<char> buf(1 << 16);
    while (!quit_) {
      fd_set ready;
      FD_ZERO(&ready);
      for (SOCKET s : socks_) FD_SET(s, &ready);
      timeval wait{0, 100000};
      if (::select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
      const auto now = Clock::now();
      for (std::size_t i = 0; i < socks_.size(); ++i) {
        if (!FD_ISSET(socks_[i], &ready)) continue;
        const int n = ::recv(socks_[i], buf.data(), static_cast<int>(buf.size()), 0);
        if (n <= 0) continue;
        Got& g = got_[i];
        g.pending.append(buf.data(), static_cast<std::size_t>(n));
        std::size_t at = 0, id;
        while ((id = g.pending.find("id: ", at)) != std::string::npos) {
          const std::size_t end = g.pending.find('\n', id);
          if (end == std::string::npos) break;
          g.seqs.push_back(std::stoull(g.pending.substr(id + 4, end - id - 4)));
          g.times.push_back(now);
          at = end;
        }
        g.pending.erase(0, at);
      }
    }
  }

  std::vector<SOCKET> socks_;
  std::vector<Got> got_;
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

struct Event {
  Event() : model(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 0, 0}; }), clock(model) {
    model.addObserver(&clock);
    std::string roster;
    for (int i = 1; i <= 30; ++i) roster += "队" + std::to_string(i) + ",组" + std::to_string(i % 5) + "\r\n";
    model.reload(roster);
    model.setOutputLive(true);
    model.setOutputOn(true);
    model.setScreen(Scoring);
  }
  EventModel model;
  ChangeClock clock;
};

struct Usage {
  std::size_t privateBytes;
  DWORD handles;  // 0 where the system does not count them (Wine)
};
Usage usage() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
  DWORD handles = 0;
  ::GetProcessHandleCount(::GetCurrentProcess(), &handles);
  return Usage{pmc.PagefileUsage, handles};
}

// CPU time this thread has used, in ms: what a change costs the console, whatever else the
// machine's cores are doing.
double threadCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& f) {
    return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

struct Run {
  std::vector<double> latencies;  // ms, every event at every stream
  std::vector<double> pushes;     // ms, each change on this thread
  double cpuPerChange = 0;        // ms of this thread's CPU time
  Usage early{}, late{};          // a tenth of the way through, and at the end
  int streamsInOrder = 0, streamsComplete = 0;
};

// `changes` score changes `gap` apart with `streams` clients following.
Run run(int streams, int changes, std::chrono::microseconds gap) {
  Event e;
  VenueService service(
      e.model, [](const std::string&, std::string*) { return false; },
      [] {
        return std::vector<NetworkAdapter>{{"127.0.0.1", true, false, true}};
      });
  VenueServer probe([](const std::string&, std::string*) { return false; });
  probe.start("127.0.0.1", 0, e.model.snapshot());
  const int port = probe.port();
  probe.stop();
  if (!service.apply(true, port).empty()) {
    std::printf("cannot serve on %d\n", port);
    return Run();
  }
  Streams clients(port, streams);
  waitUntil([&] { return service.screens() == streams; }, 30000ms);
  std::fprintf(stderr, "[%d streams open: %d]\n", streams, service.screens());

  Run r;
  const double cpuBefore = threadCpuMs();
  for (int i = 0; i < changes; ++i) {
    const auto begin = Clock::now();
    e.model.applyScore(ScoreRequest{i % 30, ScoreOp::Set, std::to_string(i % 1000)});
    r.pushes.push_back(Ms(Clock::now() - begin).count());
    if (i == changes / 10) r.early = usage();
    std::this_thread::sleep_until(begin + gap);
  }
  r.cpuPerChange = (threadCpuMs() - cpuBefore) / changes;
  r.late = usage();
  const std::uint64_t last = e.model.snapshot()->seq;
  waitUntil([&] { return service.server().seqSent() >= last - 3; }, 30000ms);
  std::fprintf(stderr, "[changes done, sent %llu of %llu]\n", (unsigned long long)service.server().seqSent(),
               (unsigned long long)last);
  std::this_thread::sleep_for(500ms);
  clients.stop();
  std::fprintf(stderr, "[clients stopped]\n");

  for (const Streams::Got& g : clients.got()) {
    const Streams::Got* c = &g;
    bool ordered = std::is_sorted(c->seqs.begin(), c->seqs.end()) &&
                   std::adjacent_find(c->seqs.begin(), c->seqs.end()) == c->seqs.end();
    r.streamsInOrder += ordered;
    std::size_t got = 0;
    for (std::size_t k = 0; k < c->seqs.size(); ++k) {
      const std::uint64_t seq = c->seqs[k];
      if (seq >= e.clock.at.size() || e.clock.at[seq] == Clock::time_point()) continue;  // the first, whole board
      ++got;
      r.latencies.push_back(Ms(c->times[k] - e.clock.at[seq]).count());
    }
    r.streamsComplete += got == static_cast<std::size_t>(changes);
  }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int changes = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
  std::printf("web benchmark: 30 teams, loopback, %d changes for the soak\n", changes);

  for (int streams : {1, 100}) {
    const Run r = run(streams, 200, 20ms);
    std::printf("change to event, %3d stream(s): median %.2f ms, 95th %.2f ms (target <= 20 ms)\n", streams,
                median(r.latencies), [&] {
                  std::vector<double> v = r.latencies;
                  std::sort(v.begin(), v.end());
                  return v.empty() ? 0.0 : v[v.size() * 95 / 100];
                }());
  }

  const Run quiet = run(0, changes, 5ms);
  const Run held = run(100, changes, 5ms);
  std::printf("soak, 100 streams x %d changes 5 ms apart: %d streams got every change, %d in order\n", changes,
              held.streamsComplete, held.streamsInOrder);
  std::printf(
      "  change on the console's thread (wall clock, 2 cores shared with the clients): median %.3f ms without clients, "
      "%.3f ms with 100 (%+.1f %%)\n",
      median(quiet.pushes), median(held.pushes),
      100.0 * (median(held.pushes) - median(quiet.pushes)) / std::max(1e-9, median(quiet.pushes)));
  std::printf("  the console thread's CPU time a change: %.3f ms without clients, %.3f ms with 100 (%+.1f %%)\n",
              quiet.cpuPerChange, held.cpuPerChange,
              100.0 * (held.cpuPerChange - quiet.cpuPerChange) / std::max(1e-9, quiet.cpuPerChange));
  std::printf(
      "  memory in use from a tenth of the changes to the last: %zu KB -> %zu KB without clients, %zu KB -> %zu KB "
      "with 100; handles %lu -> %lu (0: not counted here)\n",
      quiet.early.privateBytes / 1024, quiet.late.privateBytes / 1024, held.early.privateBytes / 1024,
      held.late.privateBytes / 1024, held.early.handles, held.late.handles);

  {
    Event e;
    VenueServer server([](const std::string&, std::string*) { return false; });
    server.start("127.0.0.1", 0, e.model.snapshot());
    httplib::Client c("127.0.0.1", server.port());
    c.set_tcp_nodelay(true);
    std::vector<double> times;
    for (int i = 0; i < 500; ++i) {
      const auto begin = Clock::now();
      const auto res = c.Get("/api/state");
      if (res && res->status == 200) times.push_back(Ms(Clock::now() - begin).count());
    }
    std::printf("GET /api/state: median %.2f ms over %zu (target <= 5 ms)\n", median(times), times.size());
  }
  return 0;
}
