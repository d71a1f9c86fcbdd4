#include "dialogs/score_change.h"

#include <gtest/gtest.h>

TEST(ScoreChange, TextsOfTheWorkedExample) {
  const std::string label = "A01（一组）";
  const ScoreChange set = setScore(label, 10.0f, "12", 1);
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
  const ScoreChange set = setScore("B", 7.0f, "", 1);
  EXPECT_TRUE(set.accepted);
  EXPECT_EQ(set.newScore, 0.0f);
  EXPECT_EQ(set.text, "修改 B 分数 7.0 -> 0.0");
  const ScoreChange add = changeScore("B", 7.0f, "", true, 1);
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
  const ScoreChange sum = changeScore("C", 3e38f, "3e38", true, 1);
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

TEST(ScoreChange, ARequestCarriesWhatTheDialogShowsAndAppliesToTheSameScore) {
  ScoreRequest r{};
  ASSERT_TRUE(makeScoreRequest(4, "A01（一组）", 10.0f, ScoreOp::Subtract, " 2.5x", 1, r));
  EXPECT_EQ(r.row, 4);
  EXPECT_EQ(r.op, ScoreOp::Subtract);
  EXPECT_EQ(r.value, 2.5f);
  EXPECT_EQ(r.changeText, "A01（一组） -2.5");
  float after = 0.0f;
  ASSERT_TRUE(scoreAfter(10.0f, r.op, r.value, after));
  EXPECT_EQ(after, changeScore("A01（一组）", 10.0f, " 2.5x", false, 1).newScore);

  ASSERT_TRUE(makeScoreRequest(0, "B", 1.0f, ScoreOp::Set, "", 2, r));
  EXPECT_EQ(r.value, 0.0f);
  EXPECT_EQ(r.changeText, "修改 B 分数 1.00 -> 0.00");
  EXPECT_FALSE(makeScoreRequest(0, "B", 3e38f, ScoreOp::Add, "3e38", 1, r));
  EXPECT_FALSE(scoreAfter(3e38f, ScoreOp::Add, 3e38f, after));
}
