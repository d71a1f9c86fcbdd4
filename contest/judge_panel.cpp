#include "contest/judge_panel.h"

#include <algorithm>
#include <functional>

#include "kqcore/numbers.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole part this large is outside every range a caller can ask for (an int's bounds are
// near 2^31), so reading stops growing there instead of overflowing on a long run of digits.
constexpr std::int64_t kBeyondAnyRange = std::int64_t{1} << 50;

// The text between leading and trailing spaces as a decimal with at most two decimals, in
// hundredths.  Digits are required before the point and after it, so that "9." and ".5" are
// refused as typing slips rather than guessed at.
bool readHundredths(const std::string& text, bool signAllowed, std::int64_t& out) {
  std::size_t i = text.find_first_not_of(' ');
  const std::size_t end = text.find_last_not_of(' ') + 1;
  if (i == std::string::npos) return false;
  bool negative = false;
  if (signAllowed && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  const std::size_t wholeStart = i;
  for (; i < end && isDigit(text[i]); ++i)
    if (value < kBeyondAnyRange) value = value * 10 + (text[i] - '0');
  if (i == wholeStart) return false;
  value = std::min(value, kBeyondAnyRange) * 100;
  if (i < end && text[i] == '.') {
    ++i;
    const std::size_t fractionStart = i;
    std::int64_t place = 10;
    for (; i < end && isDigit(text[i]); ++i, place /= 10)
      if (place > 0) value += place * (text[i] - '0');
    if (i == fractionStart || i - fractionStart > 2) return false;
  }
  if (i != end) return false;
  out = negative ? -value : value;
  return true;
}

std::string scoreText(std::int32_t score) { return score == kNoScore ? "无" : hundredthsText(score); }

std::string joined(const std::vector<std::int32_t>& scores) {
  std::string text;
  for (std::size_t i = 0; i < scores.size(); ++i) text += (i > 0 ? "、" : "") + hundredthsText(scores[i]);
  return text;
}

}  // namespace

bool parseJudgeScore(const std::string& field, int lo, int hi, std::int32_t& out) {
  if (field.find_first_not_of(' ') == std::string::npos) {
    out = kNoScore;
    return true;
  }
  std::int64_t value = 0;
  if (!readHundredths(field, true, value)) return false;
  if (value < std::int64_t{lo} * 100 || value > std::int64_t{hi} * 100) return false;
  // kNoScore itself is taken; a range reaching that far is no judge's range anyway.
  if (value <= INT32_MIN || value > INT32_MAX) return false;
  out = static_cast<std::int32_t>(value);
  return true;
}

std::string hundredthsText(std::int64_t hundredths) {
  // The magnitude unsigned, so that the most negative value has one too.
  const std::uint64_t magnitude = hundredths < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(hundredths)
                                                 : static_cast<std::uint64_t>(hundredths);
  const std::uint64_t cents = magnitude % 100;
  return (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + (cents < 10 ? ".0" : ".") +
         std::to_string(cents);
}

bool parseSpread(const std::string& text, std::int32_t& out) {
  std::int64_t value = 0;
  if (!readHundredths(text, false, value) || value > INT32_MAX) return false;
  out = static_cast<std::int32_t>(value);
  return true;
}

PanelResult panelResult(const std::vector<std::int32_t>& scores, int trim) {
  PanelResult r;
  std::vector<std::int32_t> present;
  for (std::int32_t s : scores) {
    if (s == kNoScore)
      ++r.missing;
    else
      present.push_back(s);
  }
  if (present.empty()) return r;
  r.any = true;
  std::sort(present.begin(), present.end(), std::greater<std::int32_t>());
  r.highest = present.front();
  r.lowest = present.back();
  const std::size_t m = present.size();
  const std::size_t t = trim > 0 && 2 * static_cast<std::size_t>(trim) + 1 <= m ? static_cast<std::size_t>(trim) : 0;
  r.droppedHigh.assign(present.begin(), present.begin() + t);
  r.droppedLow.assign(present.rbegin(), present.rbegin() + t);
  std::int64_t sum = 0;
  for (std::size_t i = t; i < m - t; ++i) sum += present[i];
  const std::int64_t count = static_cast<std::int64_t>(m - 2 * t);
  // Integer division truncates toward zero; a remainder of half the count or more moves the
  // mean one hundredth further from zero.
  std::int64_t mean = sum / count;
  const std::int64_t rest = sum % count;
  if (2 * (rest < 0 ? -rest : rest) >= count) mean += sum < 0 ? -1 : 1;
  r.finalHundredths = mean;
  return r;
}

std::string panelLogText(const std::string& label, const PanelResult& r) {
  std::string text = "评委打分 " + label + " 最后得分 " + hundredthsText(r.finalHundredths);
  if (!r.droppedHigh.empty() || !r.droppedLow.empty()) text += "，" + droppedLine(r);
  if (r.missing > 0) text += "，" + numbers::intText(r.missing) + " 位评委未评分";
  return text;
}

std::string correctionText(int judge, const std::string& label, std::int32_t oldScore, std::int32_t newScore) {
  return "更正 评委" + numbers::intText(judge) + " " + label + " " + scoreText(oldScore) + " -> " + scoreText(newScore);
}

std::string droppedText(const PanelResult& r) {
  std::vector<std::int32_t> all = r.droppedHigh;
  all.insert(all.end(), r.droppedLow.begin(), r.droppedLow.end());
  return joined(all);
}

std::string droppedLine(const PanelResult& r) {
  return "去掉最高分 " + joined(r.droppedHigh) + "，去掉最低分 " + joined(r.droppedLow);
}

std::vector<bool> struckJudges(const std::vector<std::int32_t>& scores, const PanelResult& r) {
  std::vector<bool> struck(scores.size(), false);
  auto strike = [&](std::int32_t value) {
    for (std::size_t k = 0; k < scores.size(); ++k)
      if (!struck[k] && scores[k] == value) {
        struck[k] = true;
        return;
      }
  };
  for (std::int32_t v : r.droppedHigh) strike(v);
  for (std::int32_t v : r.droppedLow) strike(v);
  return struck;
}

std::string spreadQuestion(std::int64_t difference, std::int32_t spread) {
  return "评委分数最高和最低相差 " + hundredthsText(difference) + "，超过了差异提醒 " + hundredthsText(spread) +
         "。确定使用这些分数吗？";
}

std::string judgeFieldMessage(int judge, int lo, int hi) {
  return "评委" + numbers::intText(judge) + "的分数必须是" + numbers::intText(lo) + "到" + numbers::intText(hi) +
         "之间的数，最多两位小数";
}
