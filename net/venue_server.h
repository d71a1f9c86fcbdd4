// The venue's web server: the live board for browsers, lobby TVs and streaming software.
// It runs on threads of its own and never touches the event: the console's thread publishes
// each new snapshot (cheap: a pointer into a queue) and the server reads only what was
// published.  Nothing here can block the console: publishing takes a lock held only for
// pointer moves, and the pages are written by the server's own threads.
//
// Portable (cpp-httplib on Winsock or BSD sockets), so the whole server, its limits included,
// is tested natively as well as inside the program under Wine.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"
#include "net/judge_desk.h"

// What the server allows each client.  The defaults are the product's; tests shorten them.
struct VenueLimits {
  int maxConnections = 200;  // open connections at once; past that a request is answered 503
  // A client must have sent its whole request head this long after connecting, or it is
  // dropped (an open event stream has, so this never ends one).
  std::chrono::milliseconds headDeadline{10000};
  std::chrono::milliseconds keepComment{15000};  // a comment on a quiet event stream
};

class VenueServer {
 public:
  // Reads one of the two pictures ("bg.jpg", "logo.png") from the data folder into *bytes
  // (or only tells whether it is there, bytes null), on a server thread; false when there is
  // none.  The program passes its own file reading (its paths are GBK).
  using ReadPicture = std::function<bool(const std::string& fileName, std::string* bytes)>;

  explicit VenueServer(ReadPicture readPicture, VenueLimits limits = VenueLimits());
  ~VenueServer();  // stops
  VenueServer(const VenueServer&) = delete;
  VenueServer& operator=(const VenueServer&) = delete;

  enum class Start { Listening, PortInUse, Failed };
  // Listens on address:port (0.0.0.0 for every IPv4 address; port 0 lets the system choose),
  // serving `first` until something newer is published.
  Start start(const std::string& address, int port, SnapshotPtr first);
  // Closes every connection (event streams included) and waits for the server's threads:
  // done within a second.
  void stop();
  bool listening() const;
  int port() const;  // the port listened on, 0 when not listening

  // From the console's thread after every change; snapshots come in seq order.
  void publish(SnapshotPtr snapshot);
  // Open event streams: the screens following the board.
  int screens() const;
  // The seq of the newest event the streams have been given (for tests and the benchmark).
  std::uint64_t seqSent() const;

  // Judges' scores.  The server never applies one: it queues what the judges' desk takes and
  // calls `notify` (on a server thread; set before start) so the console's thread comes to
  // take them.  Natively, tests take them by hand.
  void onJudgeScores(std::function<void()> notify);
  std::vector<JudgeScore> takeJudgeScores();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The pictures of a data folder (its path ends with a separator), read afresh for every
// request as the output reads them, at most 32 MB each.
VenueServer::ReadPicture picturesIn(const std::string& dataDir);
