#include <gtest/gtest.h>

#include "contest/score_request.h"

namespace {

// What a set or a change of a row holding `old` gives, as the model works it out.
struct Planned {
  bool accepted;
  float newScore;
  std::string text;
};
Planned plan(const std::string& label, float old, ScoreOp op, const std::string& field, int decimals) {
  ScoreStep step;
  step.newScore = old;
  const bool ok = planScore(ScoreRequest{0, op, field}, label, old, decimals, step);
  return Planned{ok, step.newScore, step.changeText};
}
Planned setScore(const std::string& label, float old, const std::string& field, int decimals) {
  return plan(label, old, ScoreOp::Set, field, decimals);
}
Planned changeScore(const std::string& label, float old, const std::string& field, bool add, int decimals) {
  return plan(label, old, add ? ScoreOp::Add : ScoreOp::Subtract, field, decimals);
}

}  // namespace

TEST(ScoreChange, TextsOfTheWorkedExample) {
  const std::string label = "A01（一组）";
  const Planned set = setScore(label, 10.0f, "12", 1);
  EXPECT_TRUE(set.accepted);
  EXPECT_EQ(set.newScore, 12.0f);
  EXPECT_EQ(set.text, "修改 A01（一组） 分数 10.0 -> 12.0");
  EXPECT_EQ(changeScore(label, 10.0f, "2.5", true, 1).text, "A01（一组） +2.5");
  EXPECT_EQ(changeScore(label, 10.0f, "2.5", true, 1).newScore, 12.5f);
  EXPECT_EQ(changeScore(label, 10.0f, "2.5", false, 1).text, "A01（一组） -2.5");
  EXPECT_EQ(changeScore(label, 10.0f, "2.5", false, 1).newScore, 7.5f);
  EXPECT_EQ(changeScore(label, 10.0f, "-3", true, 1).text, "A01（一组） +-3.0");
  EXPECT_EQ(changeScore(label, 10.0f, "-3", true, 1).newScore, 7.0f);
  // Other decimals and a label without a group.
  EXPECT_EQ(setScore("A01", 10.0f, "12", 0).text, "修改 A01 分数 10 -> 12");
  EXPECT_EQ(setScore("A01", 10.0f, "12.345", 2).text, "修改 A01 分数 10.00 -> 12.35");
  EXPECT_EQ(changeScore("A01", 1.0f, "0.5", false, 2).text, "A01 -0.50");
}

TEST(ScoreChange, EmptyFieldsCountAsZero) {
  const Planned set = setScore("B", 7.0f, "", 1);
  EXPECT_TRUE(set.accepted);
  EXPECT_EQ(set.newScore, 0.0f);
  EXPECT_EQ(set.text, "修改 B 分数 7.0 -> 0.0");
  const Planned add = changeScore("B", 7.0f, "", true, 1);
  EXPECT_TRUE(add.accepted);
  EXPECT_EQ(add.newScore, 7.0f);
  EXPECT_EQ(add.text, "B +0.0");
}

TEST(ScoreChange, NumbersAreReadAsDecimalsOnly) {
  EXPECT_EQ(readNumber(" 5"), 5.0);  // a quick step " 5" counts as 5
  EXPECT_EQ(readNumber("\t-2.5kg"), -2.5);
  EXPECT_EQ(readNumber("+.5"), 0.5);
  EXPECT_EQ(readNumber("3."), 3.0);
  EXPECT_EQ(readNumber("1e3"), 1000.0);
  EXPECT_EQ(readNumber("1e"), 1.0);
  EXPECT_EQ(readNumber("2E-1x"), 0.2);
  EXPECT_EQ(readNumber("abc"), 0.0);
  EXPECT_EQ(readNumber("-"), 0.0);
  EXPECT_EQ(readNumber("."), 0.0);
  EXPECT_EQ(readNumber("inf"), 0.0);
  EXPECT_EQ(readNumber("nan"), 0.0);
  EXPECT_EQ(readNumber("0x10"), 0.0);  // the 0 before the x, nothing more
  EXPECT_EQ(readNumber("１２"), 0.0);  // full-width digits are no digits
}

TEST(ScoreChange, ValuesThatAreNoFiniteFloatAreRefused) {
  EXPECT_FALSE(setScore("C", 1.0f, "1e39", 1).accepted);
  EXPECT_FALSE(setScore("C", 1.0f, "1e999", 1).accepted);
  EXPECT_FALSE(changeScore("C", 1.0f, "1e39", true, 1).accepted);
  // Each value fits, the sum does not.
  const Planned sum = changeScore("C", 3e38f, "3e38", true, 1);
  EXPECT_FALSE(sum.accepted);
  EXPECT_EQ(sum.newScore, 3e38f);
  EXPECT_TRUE(changeScore("C", -3e38f, "3e38", true, 1).accepted);
  EXPECT_TRUE(setScore("C", 1.0f, "-1e38", 0).accepted);
}

TEST(ScoreChange, QuickStepPieces) {
  EXPECT_TRUE(quickStepPieces("").empty());
  EXPECT_EQ(quickStepPieces("1,2,5,10,20"), (std::vector<std::string>{"1", "2", "5", "10"}));
  EXPECT_EQ(quickStepPieces("1,,5,10"), (std::vector<std::string>{"1"}));       // stops at the empty piece
  EXPECT_EQ(quickStepPieces(" 5,-1"), (std::vector<std::string>{" 5", "-1"}));  // as written
  EXPECT_EQ(quickStepPieces("1，2"), (std::vector<std::string>{"1，2"}));       // full-width: one piece
}
