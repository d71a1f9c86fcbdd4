// The judges' desk: tokens, the order of the refusals, repeats counted once, the seat's rate.
#include "net/judge_desk.h"

#include <gtest/gtest.h>

#include "kqcore/text_codec.h"

namespace {

using namespace std::chrono_literals;

const std::string kSeat1(22, 'A');
const std::string kSeat2 = "abcdefghijklmnopqrstu_";

JudgingDoor openDoor(int contestant = 3, std::uint64_t opening = 1) {
  JudgingDoor d;
  d.tokens = {kSeat1, kSeat2};
  d.lo = 0;
  d.hi = 10;
  d.open = contestant;
  d.opening = opening;
  return d;
}

std::string body(int seat, const std::string& token, int contestant, const std::string& score, long long rev) {
  return "{\"seat\":" + std::to_string(seat) + ",\"token\":\"" + token +
         "\",\"contestant\":" + std::to_string(contestant) + ",\"score\":\"" + score +
         "\",\"rev\":" + std::to_string(rev) + "}";
}

std::string error(const char* gbk) { return "{\"error\":\"" + codec::gbkToUtf8(gbk) + "\"}"; }

const JudgeDesk::Clock::time_point t0{};

}  // namespace

TEST(JudgeDesk, TokensAreUrlSafeKeptForEverySeatAndComparedWhole) {
  std::array<std::uint8_t, 16> bytes{};
  EXPECT_EQ(judgeToken(bytes), std::string(22, 'A'));
  bytes.fill(0xFF);
  EXPECT_EQ(judgeToken(bytes), std::string(21, '_') + "w");
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 17);
  EXPECT_EQ(judgeToken(bytes), "ABEiM0RVZneImaq7zN3u_w");

  const std::vector<std::string> seats(kMaxJudges, kSeat2);
  EXPECT_EQ(splitTokens(joinTokens(seats)), seats);
  EXPECT_TRUE(splitTokens("").empty());
  EXPECT_TRUE(splitTokens(joinTokens(std::vector<std::string>(kMaxJudges - 1, kSeat2))).empty());
  std::vector<std::string> damaged = seats;
  damaged[7][3] = '+';
  EXPECT_TRUE(splitTokens(joinTokens(damaged)).empty());

  EXPECT_TRUE(tokensEqual(kSeat2, kSeat2));
  EXPECT_FALSE(tokensEqual(kSeat2, kSeat2.substr(0, 21)));
  EXPECT_FALSE(tokensEqual(kSeat2.substr(0, 21) + "x", kSeat2));
  EXPECT_FALSE(tokensEqual("", kSeat2));
  EXPECT_EQ(judgeLinkLine("hall.venue", 8080, 2, kSeat2), "评委2：http://hall.venue:8080/judge?seat=2&token=" + kSeat2);
}

TEST(JudgeDesk, RefusesInTheOrderTheJudgesPageExpects) {
  struct Case {
    std::string body;
    JudgingDoor door;
    int status;
    std::string answer;
  };
  JudgingDoor closed = openDoor();
  closed.open = -1;
  const Case cases[] = {
      // Each case is wrong in its own way and in every later one, so only the order picks the answer.
      {"{\"seat\":1,\"pad\":\"" + std::string(kMaxJudgeBody, 'x') + "\"}", openDoor(), 413, ""},
      {"{\"seat\":1,\"token\":\"" + kSeat1 + "\"}", openDoor(), 400, error("请求格式不对。")},
      {"[1,2]", openDoor(), 400, error("请求格式不对。")},
      {"{\"seat\":1.0,\"token\":\"x\",\"contestant\":3,\"score\":\"1\",\"rev\":1}", openDoor(), 400, ""},
      {"{\"seat\":1,\"token\":\"x\",\"contestant\":3,\"score\":9,\"rev\":1}", openDoor(), 400, ""},
      {"{\"seat\":1,\"token\":\"x\",\"contestant\":3,\"score\":\"1\",\"rev\":99999999999999999999}", openDoor(), 400,
       ""},
      {body(2, kSeat1, 4, "x", 1), closed, 401, error("评委链接无效，请向工作人员要新的链接。")},
      {body(3, kSeat1, 4, "x", 1), closed, 401, ""},
      {body(0, kSeat1, 4, "x", 1), closed, 401, ""},
      {body(1, kSeat1, 4, "x", 1), closed, 409, error("现在没有正在评分的选手。")},
      {body(1, kSeat1, 4, "x", 1), openDoor(3), 409, error("这位选手的评分已经结束。")},
      {body(1, kSeat1, 3, "", 1), openDoor(3), 400, error("分数必须是0到10之间的数，最多两位小数")},
      {body(1, kSeat1, 3, "10.01", 1), openDoor(3), 400, ""},
      {body(1, kSeat1, 3, "9.555", 1), openDoor(3), 400, ""},
      {body(2, kSeat2, 3, " 9.5 ", 1), openDoor(3), 200, "{\"accepted\":true}"},
  };
  for (const Case& c : cases) {
    JudgeDesk desk;
    const JudgeAnswer a = desk.submit(c.door, c.body, t0);
    EXPECT_EQ(a.status, c.status) << c.body.substr(0, 80);
    if (!c.answer.empty()) {
      EXPECT_EQ(a.body, c.answer) << c.body.substr(0, 80);
    }
    EXPECT_EQ(desk.take().size(), a.status == 200 ? 1u : 0u) << c.body.substr(0, 80);
  }
}

TEST(JudgeDesk, ARepeatCountsOnceALowerRevIsIgnoredAndANewOpeningStartsAfresh) {
  JudgeDesk desk;
  const JudgingDoor door = openDoor(3, 1);
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "8", 2), t0).status, 200);
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "9", 2), t0).status, 200);  // a resend: the first is kept
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "7", 1), t0).status, 200);  // older than what was taken
  EXPECT_EQ(desk.submit(door, body(2, kSeat2, 3, "6", 2), t0).status, 200);  // another seat's own counter
  std::vector<JudgeScore> taken = desk.take();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].seat, 1);
  EXPECT_EQ(taken[0].hundredths, 800);
  EXPECT_EQ(taken[1].seat, 2);

  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "9.25", 3), t0).status, 200);  // a change of mind
  taken = desk.take();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].hundredths, 925);

  // Closed: a late resend of what was taken is still acknowledged, so the page stops sending.
  JudgingDoor closed = door;
  closed.open = -1;
  EXPECT_EQ(desk.submit(closed, body(1, kSeat1, 3, "9.25", 3), t0).status, 200);
  EXPECT_EQ(desk.submit(closed, body(1, kSeat1, 3, "9.25", 4), t0).status, 409);
  // Opened again (a correction): a phone starting its counter anew is heard.
  EXPECT_EQ(desk.submit(openDoor(3, 2), body(1, kSeat1, 3, "5", 1), t0).status, 200);
  taken = desk.take();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].opening, 2u);
  EXPECT_EQ(taken[0].hundredths, 500);
  // Had the entry closed before the console took it, the operator is told what to enter.
  EXPECT_EQ("评委1 手机提交的 5.00 到达时 A01（一组） 的评委打分已关闭，没有计入",
            lateJudgeScoreLine(taken[0], "A01（一组）"));
}

TEST(JudgeDesk, TenScoresASecondFromOneSeatRefusalsNotCounted) {
  JudgeDesk desk;
  const JudgingDoor door = openDoor();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "11", 100 + i), t0).status, 400);
  for (int rev = 1; rev <= kJudgeRate; ++rev)
    EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "5", rev), t0 + rev * 10ms).status, 200);
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "5", 11), t0 + 999ms).status, 429);
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "5", 10), t0 + 999ms).status, 200);   // a repeat still answered
  EXPECT_EQ(desk.submit(door, body(2, kSeat2, 3, "5", 1), t0 + 999ms).status, 200);    // another seat
  EXPECT_EQ(desk.submit(door, body(1, kSeat1, 3, "5", 11), t0 + 1010ms).status, 200);  // the first left the second
  EXPECT_EQ(desk.take().size(), static_cast<std::size_t>(kJudgeRate + 2));
}
