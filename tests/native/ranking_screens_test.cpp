#include "scoreboard/ranking_screens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const int w = 90;  // rankLabelWidth
const BoardLayout k1024 = {167, 163, 861, 567, 200, w, 20};

struct Screen {
  ContestantRecord rows[kContestantRows] = {};
  int count = 0;
  void add(const char* name, const char* group, float score) {
    std::strcpy(rows[count].name, name);
    std::strcpy(rows[count].group, group);
    rows[count].score = score;
    ++count;
  }
  FrameRuns individual(int cols, bool perEntry) {
    FrameRuns runs;
    composeIndividualRanking(rows, count, cols, perEntry, 0xFFFFFFFFu, k1024, runs);
    return runs;
  }
  FrameRuns group(bool perEntry) {
    FrameRuns runs;
    composeGroupRanking(rows, count, perEntry, 0xFFFFFFFFu, k1024, runs);
    return runs;
  }
};

struct Expect {
  std::string text;
  int x, y;
};

void expectRuns(const FrameRuns& runs, const std::vector<Expect>& expected) {
  ASSERT_EQ(runs.texts.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(runs.texts[i].text, expected[i].text) << i;
    EXPECT_EQ(runs.texts[i].x, expected[i].x) << i;
    EXPECT_EQ(runs.texts[i].y, expected[i].y) << i;
    EXPECT_EQ(runs.texts[i].size, 20);
  }
}

}  // namespace

TEST(RankingScreens, IndividualOneLinePerRank) {
  Screen s;
  s.add("A", "", 10.f);
  s.add("B", "", 10.f);
  s.add("C", "", 9.f);
  s.add("D", "", 7.f);
  s.add("E", "", 5.f);
  expectRuns(s.individual(2, false), {{"第1名：", 163, 167},
                                      {"A B ", 163 + w, 167},
                                      {"第2名：", 163, 450},
                                      {"C ", 163 + w, 450},
                                      {"第3名：", 593, 167},
                                      {"D ", 593 + w, 167},
                                      {"第4名：", 593, 450},
                                      {"E ", 593 + w, 450}});
}

TEST(RankingScreens, IndividualOneLinePerEntry) {
  Screen s;
  s.add("A", "", 10.f);
  s.add("B", "", 10.f);
  s.add("C", "", 9.f);
  s.add("D", "", 7.f);
  s.add("E", "", 5.f);
  expectRuns(s.individual(2, true), {{"第1名：", 163, 167},
                                     {"A", 163 + w, 167},
                                     {"B", 163 + w, 356},
                                     {"第2名：", 163, 545},
                                     {"C", 163 + w, 545},
                                     {"第3名：", 593, 167},
                                     {"D", 593 + w, 167},
                                     {"第4名：", 593, 356},
                                     {"E", 593 + w, 356}});
}

TEST(RankingScreens, GroupScreenUsesOneColumn) {
  Screen s;
  for (const char* g : {"G1", "G2", "G3"})
    for (int i = 0; i < 3; ++i) s.add("m", g, std::string(g) == "G3" ? 20.f / 3 : 9.f);
  const FrameRuns runs = s.group(false);
  ASSERT_EQ(groupRanking(s.rows, s.count).entries.size(), 3u);
  expectRuns(runs, {{"第1名：", 163, 167}, {"G1 G2 ", 163 + w, 167}, {"第2名：", 163, 450}, {"G3 ", 163 + w, 450}});
}

TEST(RankingScreens, ThreeColumnsTwoDigitRanksEmptyAndDuplicateNames) {
  Screen s;
  for (int i = 0; i < 7; ++i) s.add(i == 2 ? "" : (i == 3 ? "dup" : (i == 4 ? "dup" : "n")), "", 100.f - i);
  const FrameRuns runs = s.individual(3, false);  // 7 lines in 3 columns: 3 rows
  ASSERT_EQ(runs.texts.size(), 14u);
  EXPECT_EQ(runs.texts[4].text, "第3名：");
  EXPECT_EQ(runs.texts[5].text, " ");          // an empty name adds just a space
  EXPECT_EQ(runs.texts[12].x, 163 + 2 * 287);  // the seventh line alone in the third column
  EXPECT_EQ(runs.texts[12].y, 167);
  EXPECT_EQ(runs.texts[7].text, "dup ");
  EXPECT_EQ(runs.texts[9].text, "dup ");

  Screen many;
  for (int i = 0; i < 12; ++i) many.add("x", "", static_cast<float>(i));
  const FrameRuns two = many.individual(1, false);
  EXPECT_EQ(two.texts[22].text, "第12名：");
  EXPECT_EQ(two.texts[23].x, 163 + w);  // names line up whatever the label's length
}

TEST(RankingScreens, NothingToList) {
  Screen empty;
  EXPECT_TRUE(empty.individual(2, false).texts.empty());
  EXPECT_TRUE(empty.group(true).texts.empty());
  Screen noGroup;
  noGroup.add("a", "x", 5.f);
  noGroup.add("b", "x", 5.f);
  EXPECT_TRUE(noGroup.group(false).texts.empty());
  EXPECT_TRUE(groupRanking(noGroup.rows, noGroup.count).entries.empty());
  // Scores change between drawings: the screen always ranks afresh.
  Screen s;
  s.add("a", "", 1.f);
  s.add("b", "", 2.f);
  EXPECT_EQ(s.individual(1, false).texts[1].text, "b ");
  s.rows[0].score = 3.f;
  EXPECT_EQ(s.individual(1, false).texts[1].text, "a ");
}
