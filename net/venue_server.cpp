// The server itself is cpp-httplib; what is here is what it does not decide for us: which
// requests are answered (routeRequest), the limits on clients, the feed of published
// snapshots turned into events once for every stream, and a stop that does not wait on a
// silent client.
#include <httplib.h>
// (httplib.h first: on Windows it brings winsock2.h, which must come before windows.h.)
#include <atomic>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

#include "kqcore/file_io.h"
#include "kqcore/text_codec.h"
#include "net/board_json.h"
#include "net/venue_server.h"
#include "net/web_pages.h"
#include "net/web_routes.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using Text = std::shared_ptr<const std::string>;

// A connection's thread runs its requests start to end, so what the server knows of the
// connection is kept per thread while it is served.
struct Connection {
  socket_t sock;
  Clock::time_point since;
  std::atomic<bool> requested{false};  // a whole request head has arrived
  bool shut = false;                   // shut down from outside (deadline or stop)
  bool over = false;                   // one connection too many: answered 503
  bool closeAfter = false;             // the connection must not serve another request
};
thread_local Connection* currentConnection = nullptr;

// An event as every stream sends it, made once from a published snapshot.
struct Event {
  std::uint64_t seq;
  Text json;    // /api/state's answer
  Text stream;  // "id: SEQ\nevent: state\ndata: JSON\n\n"
};

constexpr std::size_t kKeptEvents = 1024;             // a stream this far behind gets the newest alone
constexpr std::size_t kMaxPending = 4096;             // snapshots published but not yet made events
constexpr std::size_t kPoolSpare = 8;                 // threads beyond the connection limit, to refuse
constexpr std::size_t kMaxQueued = 64;                // connections waiting for a thread
const std::chrono::milliseconds kStreamWake = 500ms;  // how often a quiet stream checks its client
// How long one read or write may wait.  Shutting a socket down from another thread does not
// wake a wait on it everywhere (not under Wine), so these bound how long a stop can take; a
// client that stalls this long in the middle of a request, or does not take what is sent,
// is dropped (browsers reconnect).  The whole request head still has its own deadline.
const std::chrono::milliseconds kSocketWait = 500ms;

constexpr std::size_t kBatchBytes = 64 * 1024;  // what one send of a stream carries at most

const char* const kTextType = "text/plain; charset=utf-8";
const char* const kJsonType = "application/json; charset=utf-8";
const char* const kHtmlType = "text/html; charset=utf-8";

std::string statusGbk(int status) {
  switch (status) {
    case 400:
      return "请求格式不对。";
    case 404:
      return "没有这个页面。";
    case 405:
      return "只接受 GET 请求。";
    case 413:
      return "这里不收请求内容。";
    case 431:
      return "请求头太长。";
    case 503:
      return "连接太多，请稍后再试。";
    default:
      return "出错了。";
  }
}

// The refusal's text as the pages read it: UTF-8 (the program's own texts are GBK).
std::string statusText(int status) { return codec::gbkToUtf8(statusGbk(status)); }

}  // namespace

struct VenueServer::Impl {
  // cpp-httplib's server with the connection bookkeeping the limits need.  Its
  // process_and_close_socket is replaced by the same steps with the connection registered
  // around them, so a connection can be shut from outside until the moment it is closed (and
  // never after: its socket's number may be reused).
  class Http : public httplib::Server {
   public:
    explicit Http(Impl& impl) : impl_(impl) {}

   protected:
    bool process_and_close_socket(socket_t sock) override {
      Connection* c = impl_.enter(sock);
      currentConnection = c;
      std::string remoteAddr, localAddr;
      int remotePort = 0, localPort = 0;
      httplib::detail::get_remote_ip_and_port(sock, remoteAddr, remotePort);
      httplib::detail::get_local_ip_and_port(sock, localAddr, localPort);
      const bool ret = httplib::detail::process_server_socket(
          svr_sock_, sock, keep_alive_max_count_, keep_alive_timeout_sec_, read_timeout_sec_, read_timeout_usec_,
          write_timeout_sec_, write_timeout_usec_,
          [&](httplib::Stream& strm, bool closeConnection, bool& connectionClosed) {
            const bool served = process_request(strm, remoteAddr, remotePort, localAddr, localPort, closeConnection,
                                                connectionClosed, [c](httplib::Request&) { c->requested = true; });
            if (c->closeAfter) connectionClosed = true;
            return served;
          });
      currentConnection = nullptr;
      impl_.leave(c);
      httplib::detail::shutdown_socket(sock);
      httplib::detail::close_socket(sock);
      return ret;
    }

   private:
    Impl& impl_;
  };

  Impl(ReadPicture read, VenueLimits l) : readPicture(std::move(read)), limits(l) {}

  // --- connections -------------------------------------------------------------------
  Connection* enter(socket_t sock) {
    std::lock_guard<std::mutex> lock(connectionsMutex);
    connections.emplace_back();
    Connection* c = &connections.back();
    c->sock = sock;
    c->since = Clock::now();
    c->over = static_cast<int>(connections.size()) > limits.maxConnections;
    if (closing) {
      httplib::detail::shutdown_socket(sock);
      c->shut = true;
    }
    return c;
  }
  void leave(Connection* c) {
    std::lock_guard<std::mutex> lock(connectionsMutex);
    for (auto it = connections.begin(); it != connections.end(); ++it)
      if (&*it == c) {
        connections.erase(it);
        return;
      }
  }
  // Shuts every connection that missed its deadline, or all of them once closing.
  void shutLate() {
    std::lock_guard<std::mutex> lock(connectionsMutex);
    const Clock::time_point now = Clock::now();
    for (Connection& c : connections)
      if (!c.shut && (closing || (!c.requested && now - c.since > limits.headDeadline))) {
        httplib::detail::shutdown_socket(c.sock);
        c.shut = true;
      }
  }
  void watchConnections() {
    std::unique_lock<std::mutex> lock(watchMutex);
    while (!watchStop) {
      watchWake.wait_for(lock, 100ms);
      lock.unlock();
      shutLate();
      lock.lock();
    }
  }

  // --- judges' scores ------------------------------------------------------------------
  void judgeScore(const httplib::Request& req, httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    const JudgeAnswer a = desk.submit(judgingDoor(*latestSnapshot()), req.body, JudgeDesk::Clock::now());
    res.status = a.status;
    res.set_content(a.body, kJsonType);
    if (a.taken && judgeNotify) judgeNotify();
  }
  SnapshotPtr latestSnapshot() {
    std::lock_guard<std::mutex> lock(feedMutex);
    return newest;
  }

  // --- the feed ------------------------------------------------------------------------
  void publish(SnapshotPtr s) {
    if (!s) return;
    {
      std::lock_guard<std::mutex> lock(feedMutex);
      if (!feeding || s->seq <= lastPublished) return;
      lastPublished = s->seq;
      newest = s;
      if (pending.size() >= kMaxPending) pending.pop_front();
      pending.push_back(std::move(s));
    }
    feedWork.notify_one();
  }
  static Event eventOf(const EventSnapshot& s) {
    auto json = std::make_shared<const std::string>(boardJson(boardState(s)));
    auto stream =
        std::make_shared<const std::string>("id: " + std::to_string(s.seq) + "\nevent: state\ndata: " + *json + "\n\n");
    return Event{s.seq, std::move(json), std::move(stream)};
  }
  void runFeed() {
    std::unique_lock<std::mutex> lock(feedMutex);
    for (;;) {
      feedWork.wait(lock, [this] { return !feeding || !pending.empty(); });
      if (!feeding) return;
      std::deque<SnapshotPtr> work;
      work.swap(pending);
      lock.unlock();
      // The JSON is made here, once per change, outside every lock the streams wait on.
      std::vector<Event> made;
      for (const SnapshotPtr& s : work) made.push_back(eventOf(*s));
      lock.lock();
      for (Event& e : made) {
        events.push_back(std::move(e));
        if (events.size() > kKeptEvents) events.pop_front();
      }
      news.notify_all();
    }
  }
  Event latest() {
    std::lock_guard<std::mutex> lock(feedMutex);
    return events.back();
  }
  // The events after `seq`: those still kept, or the newest alone when `seq` is no longer
  // among them (a stream that fell behind gets a whole snapshot, which every event is).
  // Waits up to `wait` for news; empty when there is none or the server stops.
  std::vector<Event> eventsAfter(std::uint64_t seq, std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(feedMutex);
    news.wait_for(lock, wait, [&] { return !feeding || events.back().seq > seq; });
    std::vector<Event> out;
    if (!feeding || events.back().seq <= seq) return out;
    auto it = events.end();
    while (it != events.begin() && std::prev(it)->seq > seq) --it;
    if (it == events.begin() || std::prev(it)->seq != seq) {
      out.push_back(events.back());
      return out;
    }
    out.assign(it, events.end());
    return out;
  }

  // --- requests ------------------------------------------------------------------------
  static std::size_t headBytes(const httplib::Request& req) {
    std::size_t n = req.method.size() + 1 + req.target.size() + 1 + req.version.size() + 2 + 2;
    for (const auto& h : req.headers) {
      // The library adds these four itself.
      if (h.first == "REMOTE_ADDR" || h.first == "REMOTE_PORT" || h.first == "LOCAL_ADDR" || h.first == "LOCAL_PORT")
        continue;
      n += h.first.size() + 2 + h.second.size() + 2;
    }
    return n;
  }
  static void refuse(httplib::Response& res, int status, Route route = Route::None) {
    res.status = status;
    if (status == 405) res.set_header("Allow", route == Route::JudgeScore ? "POST" : "GET");
    if (route == Route::JudgeScore)
      res.set_content(JudgeDesk::refusalBody(status), kJsonType);
    else
      res.set_content(statusText(status), kTextType);
  }
  httplib::Server::HandlerResponse answer(const httplib::Request& req, httplib::Response& res) {
    Connection* c = currentConnection;
    if (c && c->over) {
      c->closeAfter = true;
      refuse(res, 503);
      return httplib::Server::HandlerResponse::Handled;
    }
    const bool body = (req.has_header("Content-Length") && req.get_header_value("Content-Length") != "0") ||
                      req.has_header("Transfer-Encoding");
    const RouteResult route = routeRequest(req.method, req.target, headBytes(req), body);
    if (route.status != 200) {
      // An unread body must not be taken for the next request.
      if (c && (body || route.status == 431)) c->closeAfter = true;
      refuse(res, route.status, route.route);
      return httplib::Server::HandlerResponse::Handled;
    }
    if (route.route == Route::JudgeScore) {
      // A body announced too large is refused unread; the library reads the rest (a chunked
      // body too, refused past the same size) and hands it to judgeScore().
      const std::string length = req.get_header_value("Content-Length");
      if (!length.empty() && (length.size() > 9 || length.find_first_not_of("0123456789") != std::string::npos ||
                              std::stoul(length) > kMaxJudgeBody)) {
        if (c) c->closeAfter = true;
        refuse(res, 413, route.route);
        return httplib::Server::HandlerResponse::Handled;
      }
      return httplib::Server::HandlerResponse::Unhandled;
    }
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Content-Type-Options", "nosniff");
    switch (route.route) {
      case Route::Index:
        res.set_content(indexPage(), "text/html; charset=utf-8");
        break;
      case Route::Board:
        res.set_content(boardPage(route.board), kHtmlType);
        break;
      case Route::Judge: {
        // An old or wrong link gets the notice alone: the page itself needs a seat that holds.
        const JudgingDoor door = judgingDoor(*latestSnapshot());
        const std::size_t seat = static_cast<std::size_t>(route.judge.seat);
        if (seat < 1 || seat > door.tokens.size() || !tokensEqual(route.judge.token, door.tokens[seat - 1])) {
          res.status = 401;
          res.set_content(invalidLinkPage(), kHtmlType);
          break;
        }
        res.set_content(judgePage(), kHtmlType);
        break;
      }
      case Route::State:
        // Overlays made elsewhere (a local file in streaming software) may read the board.
        res.set_header("Access-Control-Allow-Origin", "*");
        res.set_content(*latest().json, "application/json; charset=utf-8");
        break;
      case Route::Events:
        res.set_header("Access-Control-Allow-Origin", "*");
        stream(res);
        break;
      case Route::Background:
      case Route::Logo: {
        // The output draws the logo only over a background; the pages show what it shows.
        std::string bytes;
        const bool background = route.route == Route::Background;
        const bool found = background ? readPicture("bg.jpg", &bytes)
                                      : readPicture("bg.jpg", nullptr) && readPicture("logo.png", &bytes);
        if (!found) {
          refuse(res, 404);
          break;
        }
        res.set_content(std::move(bytes), background ? "image/jpeg" : "image/png");
        break;
      }
      case Route::JudgeScore:
      case Route::None:
        refuse(res, 404);
        break;
    }
    return httplib::Server::HandlerResponse::Handled;
  }

  // One event stream: the whole board at once, then every event in order, a comment when
  // quiet.  It ends when the client goes, a write fails or the server stops.
  struct Stream {
    explicit Stream(std::atomic<int>& count) : screens(count) { ++screens; }
    ~Stream() { --screens; }
    std::atomic<int>& screens;
    std::uint64_t seq = 0;
  };
  // The library writes the status line and headers, and the first event through its own
  // path; the stream's body is then sent here, straight on the connection's socket, for as
  // long as the stream lasts.  Through the library each event would cost two waits for the
  // socket and a peek besides the send (it checks the socket before every write), and under
  // Wine every one of those is a trip to its server: a hundred screens made an event take
  // a tenth of a second to leave.  The body has no length and no chunks (it ends when the
  // connection does), so there is no framing to write: only the events' own text.
  void stream(httplib::Response& res) {
    Connection* c = currentConnection;
    if (c) c->closeAfter = true;
    auto st = std::make_shared<Stream>(screensOpen);
    res.set_header("Connection", "close");
    res.set_content_provider("text/event-stream", [this, st, c](std::size_t, httplib::DataSink& sink) {
      const Event first = latest();
      st->seq = first.seq;
      noteSent(first.seq);
      // The client's retry: quick, so a screen is back soon after the server is.
      if (!sink.write("retry: 1000\n", 12) || !sink.write(first.stream->data(), first.stream->size())) return false;
      Clock::time_point lastWrite = Clock::now();
      auto send = [&](const std::string& text) {
        lastWrite = Clock::now();
        for (std::size_t at = 0; at < text.size();) {
          // A client that takes nothing for the socket's send timeout is given up.
          const auto n = httplib::detail::send_socket(c->sock, text.data() + at, text.size() - at, 0);
          if (n <= 0) return false;
          at += static_cast<std::size_t>(n);
        }
        return true;
      };
      while (c && !stopping) {
        const std::vector<Event> due = eventsAfter(st->seq, kStreamWake);
        if (stopping) break;
        if (!due.empty()) {
          // Everything due in one send: a stream that fell behind catches up at once.
          // (In pieces of a bounded size: a hundred screens far behind must not each hold
          // a thousand events at once.)
          std::string batch;
          bool sent = true;
          for (const Event& e : due) {
            batch += *e.stream;
            if (batch.size() >= kBatchBytes) {
              sent = send(batch);
              if (!sent) break;
              batch.clear();
            }
          }
          if (!sent || (!batch.empty() && !send(batch))) break;
          st->seq = due.back().seq;
          noteSent(st->seq);
        } else if (Clock::now() - lastWrite >= limits.keepComment) {
          if (!send(": keep-alive\n\n")) break;
        } else if (!httplib::detail::is_socket_alive(c->sock)) {
          break;  // the screen went away
        }
      }
      return false;  // the stream is over: the connection closes
    });
  }
  void noteSent(std::uint64_t seq) {
    std::uint64_t seen = sent.load();
    while (seen < seq && !sent.compare_exchange_weak(seen, seq)) {
    }
  }

  ReadPicture readPicture;
  VenueLimits limits;
  JudgeDesk desk;
  std::function<void()> judgeNotify;
  std::unique_ptr<Http> http;
  std::thread listener, feedThread, watcher;
  int boundPort = 0;
  std::atomic<bool> stopping{false};
  std::atomic<bool> listenDone{false};
  std::atomic<int> screensOpen{0};
  std::atomic<std::uint64_t> sent{0};

  std::mutex connectionsMutex;
  std::list<Connection> connections;
  bool closing = false;

  std::mutex watchMutex;
  std::condition_variable watchWake;
  bool watchStop = false;

  std::mutex feedMutex;
  std::condition_variable feedWork, news;
  bool feeding = false;
  std::uint64_t lastPublished = 0;
  SnapshotPtr newest;  // the judges' desk decides by the newest published, not the newest sent
  std::deque<SnapshotPtr> pending;
  std::deque<Event> events;
};

VenueServer::VenueServer(ReadPicture readPicture, VenueLimits limits)
    : impl_(std::make_unique<Impl>(std::move(readPicture), limits)) {}

VenueServer::~VenueServer() { stop(); }

VenueServer::Start VenueServer::start(const std::string& address, int port, SnapshotPtr first) {
  if (listening() || !first) return Start::Failed;
  Impl& m = *impl_;
  m.http = std::make_unique<Impl::Http>(m);
  const std::size_t threads = static_cast<std::size_t>(m.limits.maxConnections) + kPoolSpare;
  m.http->new_task_queue = [threads] { return new httplib::ThreadPool(threads, kMaxQueued); };
  m.http->set_pre_routing_handler(
      [&m](const httplib::Request& req, httplib::Response& res) { return m.answer(req, res); });
  m.http->Post("/api/judge", [&m](const httplib::Request& req, httplib::Response& res) { m.judgeScore(req, res); });
  m.http->set_payload_max_length(kMaxJudgeBody);
  // What the library refuses on its own (a malformed request) gets a text like ours.
  m.http->set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (res.status == 414) res.status = 431;  // a request line past the head's limit
    if (!res.body.empty()) return;
    if (req.path == "/api/judge")
      res.set_content(JudgeDesk::refusalBody(res.status), kJsonType);
    else
      res.set_content(statusText(res.status), kTextType);
  });
  m.http->set_read_timeout(kSocketWait);
  m.http->set_write_timeout(kSocketWait);
  m.http->set_keep_alive_timeout(5);
  // An event is one small write: sent at once, not held back for the previous one's ACK.
  m.http->set_tcp_nodelay(true);
  // The library's default lets a second program share the port (SO_REUSEPORT, or
  // SO_REUSEADDR on Windows); a port another program holds must be refused instead.  Only a
  // port left in TIME_WAIT by our own last run may be taken again at once.
  m.http->set_socket_options([](socket_t sock) {
    int yes = 1;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
#else
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
  });

  {
    std::lock_guard<std::mutex> lock(m.feedMutex);
    m.events.assign(1, Impl::eventOf(*first));
    m.pending.clear();
    m.lastPublished = first->seq;
    m.newest = first;
    m.feeding = true;
  }
  m.stopping = false;
  {
    std::lock_guard<std::mutex> lock(m.connectionsMutex);
    m.closing = false;
  }
  const int bound = port == 0 ? m.http->bind_to_any_port(address) : (m.http->bind_to_port(address, port) ? port : -1);
  if (bound <= 0) {
    {
      std::lock_guard<std::mutex> lock(m.feedMutex);
      m.feeding = false;
    }
    m.http.reset();
    // Binding fails for a port in use far more than for anything else; the address is ours.
    return port == 0 ? Start::Failed : Start::PortInUse;
  }
  m.boundPort = bound;
  m.feedThread = std::thread([&m] { m.runFeed(); });
  {
    std::lock_guard<std::mutex> lock(m.watchMutex);
    m.watchStop = false;
  }
  m.watcher = std::thread([&m] { m.watchConnections(); });
  m.listenDone = false;
  m.listener = std::thread([&m] {
    m.http->listen_after_bind();
    m.listenDone = true;
  });
  // stop() can only end a listen that has begun.
  const Clock::time_point deadline = Clock::now() + 2s;
  while (!m.http->is_running() && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
  if (!m.http->is_running()) {
    stop();
    return Start::Failed;
  }
  return Start::Listening;
}

void VenueServer::stop() {
  Impl& m = *impl_;
  if (!m.http) return;
  m.stopping = true;
  {
    std::lock_guard<std::mutex> lock(m.feedMutex);
    m.feeding = false;
  }
  m.feedWork.notify_all();
  m.news.notify_all();
  // No more connections accepted.  The library's stop only ends a listen that has begun.
  while (m.listener.joinable() && !m.listenDone && !m.http->is_running()) std::this_thread::sleep_for(1ms);
  if (!m.listenDone) m.http->stop();
  {
    std::lock_guard<std::mutex> lock(m.connectionsMutex);
    m.closing = true;
  }
  m.shutLate();                                  // every connection, silent or streaming, ends now
  if (m.listener.joinable()) m.listener.join();  // the pool's threads end with it
  {
    std::lock_guard<std::mutex> lock(m.watchMutex);
    m.watchStop = true;
  }
  m.watchWake.notify_all();
  if (m.watcher.joinable()) m.watcher.join();
  if (m.feedThread.joinable()) m.feedThread.join();
  m.http.reset();
  m.boundPort = 0;
}

bool VenueServer::listening() const { return impl_->http != nullptr; }

int VenueServer::port() const { return impl_->boundPort; }

void VenueServer::publish(SnapshotPtr snapshot) { impl_->publish(std::move(snapshot)); }

int VenueServer::screens() const { return impl_->screensOpen.load(); }

std::uint64_t VenueServer::seqSent() const { return impl_->sent.load(); }

void VenueServer::onJudgeScores(std::function<void()> notify) { impl_->judgeNotify = std::move(notify); }

std::vector<JudgeScore> VenueServer::takeJudgeScores() { return impl_->desk.take(); }

VenueServer::ReadPicture picturesIn(const std::string& dataDir) {
  return [dataDir](const std::string& fileName, std::string* bytes) {
    const std::string path = dataDir + fileName;
    if (!bytes) return fileio::exists(path);
    bool cut = false;
    return fileio::readPrefix(path, 32u << 20, *bytes, &cut) && !cut;
  };
}
