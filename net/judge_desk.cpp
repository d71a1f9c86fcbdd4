#include "net/judge_desk.h"

#include <limits>
#include <nlohmann/json.hpp>

#include "contest/judge_panel.h"
#include "kqcore/numbers.h"
#include "kqcore/text_codec.h"

namespace {

using Json = nlohmann::json;

const char kBase64Url[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::size_t kTokenLength = 22;
// The console never drains while no dialog is open only for so long; past this the oldest go.
constexpr std::size_t kMaxQueued = 4096;

const char kBadRequest[] = "请求格式不对。";
const char kInvalidLink[] = "评委链接无效，请向工作人员要新的链接。";
const char kTooMany[] = "提交太频繁，请稍后再试。";
const char kTooLarge[] = "请求内容太长。";
const char kPostOnly[] = "只接受 POST 请求。";
const char kNothingOpen[] = "现在没有正在评分的选手。";
const char kClosed[] = "这位选手的评分已经结束。";

bool tokenChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool wellFormed(const std::string& token) {
  if (token.size() != kTokenLength) return false;
  for (char c : token)
    if (!tokenChar(c)) return false;
  return true;
}

JudgeAnswer refusal(int status, const std::string& gbkText) {
  const Json body = {{"error", codec::gbkToUtf8(gbkText)}};
  return JudgeAnswer{status, body.dump(-1, ' ', false, Json::error_handler_t::replace), false};
}

JudgeAnswer accepted(bool taken) { return JudgeAnswer{200, "{\"accepted\":true}", taken}; }

// A whole number of JSON that fits `int` (not 1.0, not true).
template <class Int>
bool wholeNumber(const Json& j, Int& out) {
  if (!j.is_number_integer()) return false;
  if (j.is_number_unsigned()) {
    const auto v = j.get<std::uint64_t>();
    if (v > static_cast<std::uint64_t>(std::numeric_limits<Int>::max())) return false;
    out = static_cast<Int>(v);
    return true;
  }
  const auto v = j.get<std::int64_t>();
  if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max()) return false;
  out = static_cast<Int>(v);
  return true;
}

}  // namespace

std::string judgeToken(const std::array<std::uint8_t, 16>& random) {
  std::string out;
  std::uint32_t bits = 0;
  int held = 0;
  for (std::uint8_t byte : random) {
    bits = (bits << 8) | byte;
    held += 8;
    while (held >= 6) {
      held -= 6;
      out += kBase64Url[(bits >> held) & 63u];
    }
  }
  if (held > 0) out += kBase64Url[(bits << (6 - held)) & 63u];
  return out;
}

std::string joinTokens(const std::vector<std::string>& tokens) {
  std::string out;
  for (std::size_t i = 0; i < tokens.size(); ++i) out += (i ? "," : "") + tokens[i];
  return out;
}

std::vector<std::string> splitTokens(const std::string& list) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = list.find(',', start);
    out.push_back(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (out.size() != static_cast<std::size_t>(kMaxJudges)) return {};
  for (const std::string& t : out)
    if (!wellFormed(t)) return {};
  return out;
}

bool tokensEqual(const std::string& a, const std::string& b) {
  // Every byte of the longer is looked at whatever matches, so the time tells nothing.
  const std::size_t n = a.size() > b.size() ? a.size() : b.size();
  unsigned diff = a.size() == b.size() ? 0u : 1u;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    diff |= static_cast<unsigned>(x ^ y);
  }
  return diff == 0;
}

std::string judgeUrl(const std::string& address, int port, int seat, const std::string& token) {
  return "http://" + address + ":" + numbers::intText(port) + "/judge?seat=" + numbers::intText(seat) +
         "&token=" + token;
}

std::string judgeLinkLine(const std::string& address, int port, int seat, const std::string& token) {
  return "评委" + numbers::intText(seat) + "：" + judgeUrl(address, port, seat, token);
}

std::string invalidLinkText() { return codec::gbkToUtf8(kInvalidLink); }

bool parseJudgeBody(const std::string& body, JudgeSubmission& out) {
  const Json j = Json::parse(body, nullptr, false);
  if (j.is_discarded() || !j.is_object()) return false;
  const auto seat = j.find("seat"), token = j.find("token"), contestant = j.find("contestant"), score = j.find("score"),
             rev = j.find("rev");
  if (seat == j.end() || token == j.end() || contestant == j.end() || score == j.end() || rev == j.end()) return false;
  if (!token->is_string() || !score->is_string()) return false;
  JudgeSubmission s;
  if (!wholeNumber(*seat, s.seat) || !wholeNumber(*contestant, s.contestant) || !wholeNumber(*rev, s.rev)) return false;
  s.token = token->get<std::string>();
  s.score = score->get<std::string>();
  out = std::move(s);
  return true;
}

JudgingDoor judgingDoor(const EventSnapshot& s) {
  JudgingDoor d;
  const std::vector<std::string> all = splitTokens(s.settings.judgetokens);
  const std::size_t seats = static_cast<std::size_t>(s.settings.judges);
  if (all.size() >= seats) d.tokens.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(seats));
  d.lo = s.settings.judgemin;
  d.hi = s.settings.judgemax;
  d.open = s.judgingRow;
  d.opening = s.judgingOpening;
  return d;
}

JudgeAnswer JudgeDesk::submit(const JudgingDoor& door, const std::string& body, Clock::time_point now) {
  if (body.size() > kMaxJudgeBody) return refusal(413, kTooLarge);
  JudgeSubmission sub;
  if (!parseJudgeBody(body, sub)) return refusal(400, kBadRequest);
  // Every seat's token is compared, so neither the seat nor the token shows in the time taken.
  bool known = false;
  for (std::size_t k = 0; k < door.tokens.size(); ++k) {
    const bool match = tokensEqual(sub.token, door.tokens[k]);
    known = known || (match && sub.seat == static_cast<int>(k) + 1);
  }
  if (!known) return refusal(401, kInvalidLink);

  std::lock_guard<std::mutex> lock(mutex_);
  Seat& seat = seats_[static_cast<std::size_t>(sub.seat - 1)];
  if (seat.contestant == sub.contestant && seat.contestant >= 0 && sub.rev <= seat.rev &&
      (door.open != sub.contestant || seat.opening == door.opening))
    return accepted(false);
  while (!seat.recent.empty() && now - seat.recent.front() >= std::chrono::seconds(1)) seat.recent.pop_front();
  if (static_cast<int>(seat.recent.size()) >= kJudgeRate) return refusal(429, kTooMany);
  if (door.open < 0) return refusal(409, kNothingOpen);
  if (door.open != sub.contestant) return refusal(409, kClosed);
  std::int32_t hundredths = kNoScore;
  if (!parseJudgeScore(sub.score, door.lo, door.hi, hundredths) || hundredths == kNoScore)
    return refusal(
        400, "分数必须是" + numbers::intText(door.lo) + "到" + numbers::intText(door.hi) + "之间的数，最多两位小数");
  seat.opening = door.opening;
  seat.contestant = sub.contestant;
  seat.rev = sub.rev;
  seat.recent.push_back(now);
  if (queue_.size() >= kMaxQueued) queue_.erase(queue_.begin());
  queue_.push_back(JudgeScore{sub.seat, sub.contestant, door.opening, hundredths});
  return accepted(true);
}

std::string JudgeDesk::refusalBody(int status) {
  return refusal(status, status == 413 ? kTooLarge : status == 405 ? kPostOnly : kBadRequest).body;
}

std::vector<JudgeScore> JudgeDesk::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<JudgeScore> out;
  out.swap(queue_);
  return out;
}

std::string lateJudgeScoreLine(const JudgeScore& score, const std::string& contestantLabel) {
  return "评委" + std::to_string(score.seat) + " 手机提交的 " + hundredthsText(score.hundredths) + " 到达时 " +
         contestantLabel + " 的评委打分已关闭，没有计入";
}
