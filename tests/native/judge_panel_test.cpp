#include "contest/judge_panel.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t N = kNoScore;
using Scores = std::vector<std::int32_t>;

}  // namespace

TEST(JudgePanel, JudgeFieldsAreDecimalsOfAtMostTwoPlacesInTheRange) {
  struct Case {
    const char* field;
    int lo, hi;
    bool ok;
    std::int32_t out;
  };
  const Case cases[] = {
      {"9.45", 0, 10, true, 945},
      {"  9.5 ", 0, 10, true, 950},
      {"+3", 0, 10, true, 300},
      {"009.50", 0, 10, true, 950},
      {"10", 0, 10, true, 1000},
      {"0", 0, 10, true, 0},
      {"10.01", 0, 10, false, 0},
      {"-0.01", 0, 10, false, 0},
      {"-0.05", -1, 1, true, -5},
      {"-10", -10, -5, true, -1000},
      {"-5", -10, -5, true, -500},
      {"-4.99", -10, -5, false, 0},
      {"-10.01", -10, -5, false, 0},
      {"", 0, 10, true, N},
      {"   ", 0, 10, true, N},
      {"9.", 0, 10, false, 0},
      {".5", 0, 10, false, 0},
      {"1e2", 0, 1000, false, 0},
      {"9.555", 0, 10, false, 0},
      {"+-1", -10, 10, false, 0},
      {"9,5", 0, 10, false, 0},
      {"9 5", 0, 100, false, 0},
      {"-", 0, 10, false, 0},
      {"9.4x", 0, 10, false, 0},
      {"99999999999999999999999", 0, 10, false, 0},
      {"-99999999999999999999999", -10, 10, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("field \"") + c.field + "\"");
    std::int32_t out = 12345;
    EXPECT_EQ(parseJudgeScore(c.field, c.lo, c.hi, out), c.ok);
    EXPECT_EQ(out, c.ok ? c.out : 12345);  // a refused field leaves the old value
  }
}

TEST(JudgePanel, SpreadIsANonNegativeDecimalOfAtMostTwoPlaces) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t out;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"1.5", true, 150},
      {" 2.25 ", true, 225},
      {"21474836.47", true, INT32_MAX},
      {"21474836.48", false, 0},
      {"", false, 0},
      {"  ", false, 0},
      {"-1", false, 0},
      {"-0.5", false, 0},
      {"1.234", false, 0},
      {"abc", false, 0},
      {"1.", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("spread \"") + c.text + "\"");
    std::int32_t out = -7;
    EXPECT_EQ(parseSpread(c.text, out), c.ok);
    EXPECT_EQ(out, c.ok ? c.out : -7);
  }
}

TEST(JudgePanel, HundredthsHaveExactlyTwoDecimals) {
  EXPECT_EQ(hundredthsText(945), "9.45");
  EXPECT_EQ(hundredthsText(9500), "95.00");
  EXPECT_EQ(hundredthsText(7), "0.07");
  EXPECT_EQ(hundredthsText(0), "0.00");
  EXPECT_EQ(hundredthsText(-5), "-0.05");
  EXPECT_EQ(hundredthsText(-1230), "-12.30");
  EXPECT_EQ(hundredthsText(INT64_MIN), "-92233720368547758.08");
}

TEST(JudgePanel, PanelsDropTheEndsAndRoundTheMeanHalfAwayFromZero) {
  struct Case {
    const char* what;
    Scores scores;
    int trim;
    std::int64_t final;
    Scores high, low;
    int missing;
    std::int32_t highest, lowest;
  };
  const Case cases[] = {
      {"one judge", {950}, 1, 950, {}, {}, 0, 950, 950},
      {"two, too few to trim", {700, 800}, 1, 750, {}, {}, 0, 800, 700},
      {"three, a tie at the top", {900, 900, 800}, 1, 900, {900}, {800}, 0, 900, 800},
      {"three, no trim", {100, 200, 200}, 0, 167, {}, {}, 0, 200, 100},
      {"five", {950, 940, 945, 980, 890}, 1, 945, {980}, {890}, 0, 980, 890},
      {"five, trim 2", {950, 940, 945, 980, 890}, 2, 945, {980, 950}, {890, 940}, 0, 980, 890},
      {"five, ties at the bottom", {700, 700, 700, 900, 800}, 1, 733, {900}, {700}, 0, 900, 700},
      {"five, ties at the top", {900, 900, 900, 700, 800}, 2, 900, {900, 900}, {700, 800}, 0, 900, 700},
      {"four of five, trim 2", {900, N, 700, 800, 1000}, 2, 850, {}, {}, 1, 1000, 700},
      {"seven, trim 3", {940, 910, 970, 920, 960, 930, 950}, 3, 940, {970, 960, 950}, {910, 920, 930}, 0, 970, 910},
      {"six of seven, trim 3", {910, 920, N, 940, 950, 960, 970}, 3, 942, {}, {}, 1, 970, 910},
      {"fifteen, trim 3",
       {990, 850, 920, 880, 970, 860, 940, 910, 950, 870, 930, 890, 980, 900, 960},
       3,
       920,
       {990, 980, 970},
       {850, 860, 870},
       0,
       990,
       850},
      {"eleven of fifteen, ties at both ends",
       {950, N, 1000, 940, 990, N, 1000, 960, 950, N, 980, 1000, 970, N, 950},
       3,
       970,
       {1000, 1000, 1000},
       {940, 950, 950},
       4,
       1000,
       940},
      {"nobody scored", {N, N, N}, 1, 0, {}, {}, 3, 0, 0},
      {"negative", {-100, -200}, 0, -150, {}, {}, 0, -100, -200},
      {"x.xx5 rounds up", {100, 101}, 0, 101, {}, {}, 0, 101, 100},
      {"-x.xx5 rounds down", {-100, -101}, 0, -101, {}, {}, 0, -100, -101},
      {"-x.xx5 after a trim", {-300, -500, -201, -100}, 1, -251, {-100}, {-500}, 0, -100, -500},
      {"a third stays", {100, 100, 101}, 0, 100, {}, {}, 0, 101, 100},
      {"two thirds go up", {100, 101, 101}, 0, 101, {}, {}, 0, 101, 100},
      {"minus a third stays", {-100, -100, -101}, 0, -100, {}, {}, 0, -100, -101},
      {"minus two thirds go down", {-100, -101, -101}, 0, -101, {}, {}, 0, -100, -101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PanelResult r = panelResult(c.scores, c.trim);
    EXPECT_EQ(r.any, c.missing < static_cast<int>(c.scores.size()));
    EXPECT_EQ(r.finalHundredths, c.final);
    EXPECT_EQ(r.droppedHigh, c.high);
    EXPECT_EQ(r.droppedLow, c.low);
    EXPECT_EQ(r.missing, c.missing);
    EXPECT_EQ(r.highest, c.highest);
    EXPECT_EQ(r.lowest, c.lowest);
  }
}

TEST(JudgePanel, Texts) {
  const PanelResult one = panelResult({950, 940, 945, 980, 890}, 1);
  EXPECT_EQ(panelLogText("A01（一组）", one), "评委打分 A01（一组） 最后得分 9.45，去掉最高分 9.80，去掉最低分 8.90");
  EXPECT_EQ(droppedText(one), "9.80、8.90");
  const PanelResult two = panelResult({950, 940, N, 945, 980, 890}, 2);
  EXPECT_EQ(panelLogText("A01", two),
            "评委打分 A01 最后得分 9.45，去掉最高分 9.80、9.50，去掉最低分 8.90、9.40，1 位评委未评分");
  EXPECT_EQ(droppedText(two), "9.80、9.50、8.90、9.40");
  const PanelResult none = panelResult({700, N, 800, N}, 1);
  EXPECT_EQ(panelLogText("B", none), "评委打分 B 最后得分 7.50，2 位评委未评分");
  EXPECT_EQ(droppedText(none), "");
  EXPECT_EQ(panelLogText("C", panelResult({-5}, 0)), "评委打分 C 最后得分 -0.05");

  EXPECT_EQ(correctionText(3, "A01", 945, N), "更正 评委3 A01 9.45 -> 无");
  EXPECT_EQ(correctionText(12, "A01（一组）", N, -5), "更正 评委12 A01（一组） 无 -> -0.05");
  EXPECT_EQ(spreadQuestion(150, 100), "评委分数最高和最低相差 1.50，超过了差异提醒 1.00。确定使用这些分数吗？");
  EXPECT_EQ(judgeFieldMessage(2, 0, 10), "评委2的分数必须是0到10之间的数，最多两位小数");
  EXPECT_EQ(judgeFieldMessage(15, -10, -5), "评委15的分数必须是-10到-5之间的数，最多两位小数");
}
