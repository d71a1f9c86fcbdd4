// The venue server on 127.0.0.1: the board as JSON and as an event stream that follows every
// published change, the refusals, and the limits on clients (shortened here).  Every wait is
// bounded; no traffic leaves 127.0.0.1.
#include "net/venue_server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include "contest/event_model.h"
#include "tests/http_test_client.h"

namespace {

class VenueServerTest : public testing::Test {
 protected:
  VenueServerTest()
      : model_(defaultSettings(), [] { return LocalTime{2024, 5, 1, 9, 30, 5}; }),
        server_(
            [](const std::string& name, std::string* bytes) {
              if (name != "bg.jpg") return false;  // a background without a logo
              if (bytes) *bytes = "JPEG";
              return true;
            },
            limits()) {
    model_.reload("A,g1\r\nB,g1\r\nC,g2\r\n");
  }
  static VenueLimits limits() {
    VenueLimits l;
    l.maxConnections = 4;
    l.headDeadline = 300ms;
    l.keepComment = 200ms;
    return l;
  }
  void SetUp() override { ASSERT_EQ(server_.start("127.0.0.1", 0, model_.snapshot()), VenueServer::Start::Listening); }
  void score(int row, const char* text) {
    model_.applyScore(ScoreRequest{row, ScoreOp::Set, text});
    server_.publish(model_.snapshot());
  }
  httplib::Result get(const std::string& path, const httplib::Headers& headers = {}) {
    httplib::Client c("127.0.0.1", server_.port());
    c.set_read_timeout(2s);
    return c.Get(path, headers);
  }
  std::string seqId() const { return "id: " + std::to_string(model_.snapshot()->seq) + "\n"; }

  EventModel model_;
  VenueServer server_;
};

}  // namespace

TEST_F(VenueServerTest, StreamsFollowEveryChangeInOrderAndAnswerTheState) {
  score(0, "7");
  EventReader reader(server_.port());
  ASSERT_TRUE(reader.waitFor(seqId())) << "the whole board at once";
  EXPECT_NE(reader.text().find("event: state\ndata: {"), std::string::npos);
  EXPECT_TRUE(waitUntil([&] { return server_.screens() == 1; }));

  const std::size_t seen = reader.text().size();
  std::string ids;
  for (int i = 1; i <= 20; ++i) {
    score(i % 3, std::to_string(i).c_str());
    ids += seqId();
  }
  ASSERT_TRUE(reader.waitFor(seqId()));
  std::string got;  // the ids in the order they came
  const std::string text = reader.text();
  for (std::size_t at = text.find("id: ", seen); at != std::string::npos; at = text.find("id: ", at + 1))
    got += text.substr(at, text.find('\n', at) + 1 - at);
  EXPECT_EQ(got, ids);
  EXPECT_TRUE(reader.waitFor(": keep-alive\n\n")) << "a quiet stream is kept open";

  const auto state = get("/api/state");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->status, 200);
  EXPECT_EQ(state->get_header_value("Content-Type"), "application/json; charset=utf-8");
  EXPECT_NE(state->body.find("\"seq\":" + std::to_string(model_.snapshot()->seq)), std::string::npos);

  // A reconnect with the last id it saw gets the whole board again at once.
  EventReader again(server_.port(), "3");
  EXPECT_TRUE(again.waitFor(seqId()));

  const auto begin = Clock::now();
  server_.stop();
  EXPECT_LT(Clock::now() - begin, 1s);
  EXPECT_TRUE(reader.ended() || (std::this_thread::sleep_for(100ms), reader.ended()));
  EXPECT_EQ(server_.screens(), 0);
}

TEST_F(VenueServerTest, AnswersOnlyItsPathsToGetAndRefusesTheRest) {
  struct Case {
    const char* method;
    const char* target;
    int status;
  } cases[] = {
      {"GET", "/", 200},
      {"GET", "/board?screen=group&transparent=1", 200},
      {"GET", "/data/bg.jpg", 200},
      {"GET", "/data/logo.png", 404},  // a logo is drawn only over a background
      {"GET", "/nothing", 404},
      {"GET", "/data/../data/bg.jpg", 404},
      {"GET", "/%2e%2e/x", 404},
      {"HEAD", "/api/state", 405},
      {"OPTIONS", "/board", 405},
      {"POST", "/api/state", 405},
      {"GET", "/board?screen=x", 400},
  };
  httplib::Client c("127.0.0.1", server_.port());
  c.set_read_timeout(2s);
  for (const Case& k : cases) {
    httplib::Request req;
    req.method = k.method;
    req.path = k.target;
    const auto res = c.send(req);
    ASSERT_TRUE(res) << k.method << " " << k.target;
    EXPECT_EQ(res->status, k.status) << k.method << " " << k.target;
  }
  const auto refused = get("/nothing");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->get_header_value("Content-Type"), "text/plain; charset=utf-8");
  EXPECT_EQ(refused->body, "\xE6\xB2\xA1\xE6\x9C\x89\xE8\xBF\x99\xE4\xB8\xAA\xE9\xA1\xB5\xE9\x9D\xA2\xE3\x80\x82")
      << "没有这个页面。 in UTF-8";
  const auto picture = get("/data/bg.jpg");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->body, "JPEG");
  EXPECT_EQ(picture->get_header_value("Content-Type"), "image/jpeg");

  // The head's limit counts request line and headers together.
  const auto fits = get("/api/state", {{"X-A", std::string(4000, 'a')}, {"X-B", std::string(4000, 'b')}});
  ASSERT_TRUE(fits);
  EXPECT_EQ(fits->status, 200);
  const auto longHead = get("/api/state", {{"X-A", std::string(5000, 'a')}, {"X-B", std::string(5000, 'b')}});
  ASSERT_TRUE(longHead);
  EXPECT_EQ(longHead->status, 431);
  const auto longLine = get("/api/state?" + std::string(9000, 'q'));
  ASSERT_TRUE(longLine);
  EXPECT_EQ(longLine->status, 431);

  // A body is refused and never read as the next request.
  RawClient raw(server_.port());
  ASSERT_TRUE(raw.connected());
  raw.send("GET /api/state HTTP/1.1\r\nHost: x\r\nContent-Length: 27\r\n\r\nGET /board HTTP/1.1\r\n\r\n");
  const std::string answer = raw.readToClose(2s);
  EXPECT_EQ(answer.rfind("HTTP/1.1 413", 0), 0u) << answer;
  EXPECT_EQ(answer.find("HTTP/1.1", 5), std::string::npos) << answer;
}

TEST_F(VenueServerTest, SilentClientsAreDroppedAndConnectionsPastTheLimitRefused) {
  RawClient silent(server_.port());
  ASSERT_TRUE(silent.connected());
  silent.send("GET /api/state HTTP/1.1\r\n");  // and never the rest
  EXPECT_EQ(silent.readToClose(2s), "") << "dropped after the deadline, unanswered";

  // Streams count against the limit and are never dropped for quiet.
  EventReader a(server_.port()), b(server_.port()), c(server_.port());
  for (EventReader* r : {&a, &b, &c}) ASSERT_TRUE(r->waitFor("event: state"));
  std::this_thread::sleep_for(400ms);  // past the deadline
  EXPECT_EQ(server_.screens(), 3);
  const auto fourth = get("/api/state");
  ASSERT_TRUE(fourth);
  EXPECT_EQ(fourth->status, 200);  // the limit's last connection
  RawClient held(server_.port());
  held.send("GET /api/state HTTP/1.1\r\nHost: x\r\n\r\n");
  ASSERT_EQ(held.readToClose(2s, "}").rfind("HTTP/1.1 200", 0), 0u);  // answered, kept open
  RawClient over(server_.port());
  over.send("GET /api/state HTTP/1.1\r\nHost: x\r\n\r\n");
  EXPECT_EQ(over.readToClose(2s).rfind("HTTP/1.1 503", 0), 0u);

  // A stop does not wait for clients that are half-way through a request.
  RawClient half(server_.port());
  half.send("GET /api/state HTTP/1.1\r\n");
  std::this_thread::sleep_for(50ms);
  const auto begin = Clock::now();
  server_.stop();
  EXPECT_LT(Clock::now() - begin, 1s);
  ASSERT_EQ(server_.start("127.0.0.1", 0, model_.snapshot()), VenueServer::Start::Listening);

  // A second server cannot take the port.
  VenueServer other([](const std::string&, std::string*) { return false; });
  EXPECT_EQ(other.start("127.0.0.1", server_.port(), model_.snapshot()), VenueServer::Start::PortInUse);
}

TEST_F(VenueServerTest, JudgesLinksAndScoresGoThroughTheDeskToTheQueueOnly) {
  std::atomic<int> told{0};
  server_.onJudgeScores([&] { ++told; });
  Settings s = model_.settings();
  s.judges = 2;
  s.judgemax = 10;
  model_.applySettings(s);
  const std::vector<std::string> tokens(kMaxJudges, "0123456789abcdefghij-_");
  model_.setJudgeTokens(joinTokens(tokens));
  server_.publish(model_.snapshot());

  EXPECT_EQ(get("/judge?seat=2&token=" + tokens[1])->status, 200);
  const auto old = get("/judge?seat=2&token=" + std::string(22, 'A'));
  EXPECT_EQ(old->status, 401);
  EXPECT_NE(old->body.find(invalidLinkText()), std::string::npos);
  EXPECT_EQ(get("/judge?seat=3&token=" + tokens[2])->status, 401);  // a seat past the panel

  httplib::Client c("127.0.0.1", server_.port());
  c.set_read_timeout(2s);
  auto post = [&](const std::string& body) { return c.Post("/api/judge", body, "application/json"); };
  const std::string first = "{\"seat\":1,\"token\":\"" + tokens[0] + "\",\"contestant\":1,\"score\":\"9.5\",\"rev\":1}";
  EXPECT_EQ(post(first)->status, 409);
  model_.openJudging(1);
  server_.publish(model_.snapshot());
  auto answer = post(first);
  EXPECT_EQ(answer->status, 200);
  EXPECT_EQ(answer->body, "{\"accepted\":true}");
  EXPECT_EQ(post(first)->status, 200);
  const auto large = post(std::string(kMaxJudgeBody + 1, ' '));
  EXPECT_EQ(large->status, 413);
  EXPECT_EQ(large->body.rfind("{\"error\":", 0), 0u);
  EXPECT_EQ(post("")->status, 400);
  EXPECT_EQ(get("/api/judge")->status, 405);
  const std::vector<JudgeScore> taken = server_.takeJudgeScores();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].contestant, 1);
  EXPECT_EQ(taken[0].hundredths, 950);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(model_.row(1).score, 0.0f);  // the server changes nothing itself
}
