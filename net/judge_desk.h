// The judges' desk: what the venue server decides about a score sent from a judge's phone.
// A judge's link carries a seat and that seat's token; a submission names the contestant it
// is for and the page's counter of submissions for that contestant (rev), so a page that
// sends again after a lost answer is acknowledged without the score counting twice.  The
// desk never touches the event: what it takes is queued for the console's thread, which puts
// it into the open "评委打分" dialog.  Portable and thread-safe, so every rule is tested
// natively and fuzzed; the server feeds it the published snapshot's view of the judging.
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"
#include "contest/judge_panel.h"

constexpr std::size_t kMaxJudgeBody = 4096;  // bytes of a submission's body
constexpr int kJudgeRate = 10;               // scores taken from one seat within any one second

// A token: 16 random bytes written URL-safe (base64url without padding: 22 characters).
std::string judgeToken(const std::array<std::uint8_t, 16>& random);
// The settings' list of every seat's token ("," between them) and back.  A list that does not
// hold a well-formed token for every seat reads as empty: the program then makes new ones.
std::string joinTokens(const std::vector<std::string>& tokens);
std::vector<std::string> splitTokens(const std::string& list);
// Equal texts, in a time that does not depend on where they differ.
bool tokensEqual(const std::string& a, const std::string& b);
// "评委K：http://ADDRESS:PORT/judge?seat=K&token=TOKEN" and the link alone.
std::string judgeUrl(const std::string& address, int port, int seat, const std::string& token);
std::string judgeLinkLine(const std::string& address, int port, int seat, const std::string& token);

// A submission's body: {"seat": int, "token": text, "contestant": int, "score": text, "rev":
// int}; other keys are ignored.  False for anything else.
struct JudgeSubmission {
  int seat = 0;
  std::string token;
  int contestant = -1;
  std::string score;
  std::int64_t rev = 0;
};
bool parseJudgeBody(const std::string& body, JudgeSubmission& out);

// The judging as a snapshot shows it: who may send (the tokens of the panel's seats), the
// range, and the contestant open (-1: none) in its opening (each opening counts up, so what a
// seat sent for an earlier opening of the same contestant does not hide a new one).
struct JudgingDoor {
  std::vector<std::string> tokens;  // seat K's at K-1
  int lo = 0, hi = 100;
  int open = -1;
  std::uint64_t opening = 0;
};
JudgingDoor judgingDoor(const EventSnapshot& s);

// A score taken, for the console's thread.
struct JudgeScore {
  int seat;  // 1-based
  int contestant;
  std::uint64_t opening;
  std::int32_t hundredths;
};

// The log line (GBK) for a score a judge's page was told was taken but that reached the
// console after the contestant's entry had closed: it counts nowhere, and the operator has
// to know so as to enter it by hand.
std::string lateJudgeScoreLine(const JudgeScore& score, const std::string& contestantLabel);

// An answer to the page: the status and its JSON body (UTF-8).
struct JudgeAnswer {
  int status;
  std::string body;
  bool taken = false;  // a new score went into the queue
};

// The seat's link is no longer valid (also what GET /judge says for one), UTF-8.
std::string invalidLinkText();

class JudgeDesk {
 public:
  using Clock = std::chrono::steady_clock;
  // Decides one submission, in this order: 413 a body too large, 400 not the JSON, 401 a
  // wrong seat or token, 429 past the seat's rate, 409 nothing or another contestant open,
  // 400 a score that is no number in the range (at most two decimals), else 200.  A repeat
  // of a (seat, contestant, rev) already taken, or a lower rev, is acknowledged (200) as soon
  // as the seat is known, whatever else holds: it was taken once, and the page must stop
  // sending it.
  JudgeAnswer submit(const JudgingDoor& door, const std::string& body, Clock::time_point now);
  // The scores taken since the last call, in the order they were taken (console's thread).
  std::vector<JudgeScore> take();
  // The JSON of a refusal the server makes before the desk sees the body (405, 413, 400...).
  static std::string refusalBody(int status);

 private:
  struct Seat {
    std::uint64_t opening = 0;
    int contestant = -1;
    std::int64_t rev = -1;  // the highest taken for that contestant in that opening
    std::deque<Clock::time_point> recent;
  };
  std::mutex mutex_;
  std::array<Seat, kMaxJudges> seats_{};
  std::vector<JudgeScore> queue_;
};
