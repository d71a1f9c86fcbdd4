// A panel of judges scores one entry; its final score is the mean of the scores kept after
// the highest and lowest few are dropped.  Scores are exact decimals held as integer
// hundredths (9.45 is 945): a panel's mean has to come out the same on every machine and in
// every replay of the journal, which binary floating point cannot promise.  Here are the
// reading of a judge's field, the arithmetic and the texts (log, sheet, questions); the event
// model, the journal and the dialogs build on them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxJudges = 15;
constexpr std::int32_t kNoScore = INT32_MIN;  // a judge who gave no score

// A judge's field: only spaces (or nothing) is no score (out = kNoScore); otherwise an
// optional sign, digits, and optionally "." with one or two digits, spaces allowed around it.
// "9.", ".5", "1e2", "9.555", "+-1" and "9,5" are refused, and so is a value outside
// [lo, hi] (whole numbers).  False leaves out untouched.
bool parseJudgeScore(const std::string& field, int lo, int hi, std::int32_t& out);

// With exactly two decimals: 945 is "9.45", -5 is "-0.05", 9500 is "95.00".
std::string hundredthsText(std::int64_t hundredths);

// The spread setting's text: a non-negative decimal with at most two decimals (spaces around
// it allowed, no sign), as hundredths.  Empty, negative, junk or more decimals are false.
bool parseSpread(const std::string& text, std::int32_t& out);

struct PanelResult {
  bool any = false;                       // at least one score present
  std::int64_t finalHundredths = 0;       // mean of the kept scores, rounded half away from zero
  std::vector<std::int32_t> droppedHigh;  // highest first
  std::vector<std::int32_t> droppedLow;   // lowest first
  int missing = 0;                        // judges without a score
  std::int32_t highest = 0, lowest = 0;   // of the scores present
};

// scores: one per judge in judge order, kNoScore for none.  With m scores present and
// m >= 2*trim+1, the trim highest and the trim lowest are dropped (of scores tied at an end
// only as many as needed); with fewer present nothing is dropped, so a short panel still
// gets a score.  The mean is exact: the sum of hundredths over the count, rounded half away
// from zero to a hundredth.
PanelResult panelResult(const std::vector<std::int32_t>& scores, int trim);

// The log line of an applied panel entry: "评委打分 <label> 最后得分 <final>", then when
// anything was dropped "，去掉最高分 <high、…>，去掉最低分 <low、…>", then when judges gave
// no score "，<N> 位评委未评分".
std::string panelLogText(const std::string& label, const PanelResult& r);
// "更正 评委<judge> <label> <old> -> <new>", a missing score written "无"; judge is 1-based.
std::string correctionText(int judge, const std::string& label, std::int32_t oldScore, std::int32_t newScore);
// The score sheet's dropped scores: the high ones (highest first), then the low ones (lowest
// first), joined by "、"; empty when nothing was dropped.
std::string droppedText(const PanelResult& r);
// The staged display's line of dropped scores: "去掉最高分 <high、…>，去掉最低分 <low、…>".
std::string droppedLine(const PanelResult& r);
// Which judges' scores are struck on the staged display: for each dropped score the first
// judge, in judge order, who gave it and is not struck yet.
std::vector<bool> struckJudges(const std::vector<std::int32_t>& scores, const PanelResult& r);
// Asked before scores whose highest and lowest differ by more than the spread are used.
std::string spreadQuestion(std::int64_t difference, std::int32_t spread);
// The refusal of judge `judge`'s field (1-based).
std::string judgeFieldMessage(int judge, int lo, int hi);
