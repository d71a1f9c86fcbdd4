#include "contest/ranking.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/native/test_roster.h"

namespace {

struct Table : TestRoster {
  GroupRecord groups[kGroupRows] = {};
  std::vector<int> ranks() {
    rankContestants(rows, count);
    std::vector<int> r;
    for (int i = 0; i < count; ++i) r.push_back(rows[i].rank);
    return r;
  }
};

}  // namespace

TEST(Ranking, DenseRanksHighestFirst) {
  Table t;
  for (float s : {10.f, 10.f, 9.f, 7.f, 7.f}) t.add("x", "g", s);
  EXPECT_EQ(t.ranks(), (std::vector<int>{1, 1, 2, 3, 3}));
  EXPECT_EQ(getMaxContestantRank(t.rows, t.count), 3);

  Table one;
  one.add("solo", "", 0.f);
  EXPECT_EQ(one.ranks(), (std::vector<int>{1}));

  Table negative;
  for (float s : {-8.f, -5.f, 0.f}) negative.add("x", "", s);
  EXPECT_EQ(negative.ranks(), (std::vector<int>{3, 2, 1}));

  // Rows past the live count hold what an earlier, longer roster left: no pass reads or
  // writes them.
  Table stale;
  stale.rows[0].rank = stale.rows[1].rank = 7;
  stale.rows[0].score = 99.0f;
  EXPECT_EQ(getMaxContestantRank(stale.rows, 0), 0);
  rankContestants(stale.rows, 0);
  EXPECT_EQ(stale.rows[0].rank, 7);
  stale.add("x", "", 1.0f);
  EXPECT_EQ(stale.ranks(), (std::vector<int>{1}));
  EXPECT_EQ(getMaxContestantRank(stale.rows, stale.count), 1);
  EXPECT_EQ(stale.rows[1].rank, 7);
}

TEST(Ranking, VeryLowScoresAreRankedAndThePassEnds) {
  Table t;
  for (float s : {-10000.f, 3.f, -20000.f, -10000.06f, -1e30f, -10000.f}) t.add("x", "", s);
  EXPECT_EQ(t.ranks(), (std::vector<int>{2, 1, 4, 3, 5, 2}));
  EXPECT_EQ(getMaxContestantRank(t.rows, t.count), 5);

  Table allLow;
  for (float s : {-50000.f, -50000.f}) allLow.add("x", "", s);
  EXPECT_EQ(allLow.ranks(), (std::vector<int>{1, 1}));
}

TEST(GroupTotals, ThreeBestMembers) {
  Table t;
  for (float s : {5.f, 9.f, 7.f, 3.f}) t.add("m", "一组", s);
  EXPECT_FLOAT_EQ(getGroupTotal(t.rows, t.count, "一组"), 21.f);
  Table three;
  for (float s : {1.f, 2.f, 4.f}) three.add("m", "g", s);
  EXPECT_FLOAT_EQ(getGroupTotal(three.rows, three.count, "g"), 7.f);
  Table ties;
  for (float s : {9.f, 2.f, 9.f, 9.f}) ties.add("m", "g", s);
  EXPECT_FLOAT_EQ(getGroupTotal(ties.rows, ties.count, "g"), 27.f);
  Table two;
  for (float s : {50.f, 60.f}) two.add("m", "g", s);
  EXPECT_FLOAT_EQ(getGroupTotal(two.rows, two.count, "g"), -0.1f);
}

TEST(GroupTable, WhichGroupsAreListedAndInWhatOrder) {
  Table t;
  t.add("a", "A", 9.f);   // A: 9 + 9 + 9 = 27
  t.add("b", "B", 10.f);  // B: 10 + 10 + 7 = 27
  t.add("c", "A", 9.f);
  t.add("d", "B", 10.f);
  t.add("e", "A ", 5.f);  // trailing space: another group, only two members
  t.add("f", "A", 9.f);
  t.add("g", "B", 7.f);
  t.add("h", "Ａ", 1.f);  // full-width A: yet another
  t.add("i", "C", 0.f);   // C totals 0: not listed
  t.add("j", "C", 0.f);
  t.add("k", "C", 0.f);
  t.add("l", "", 4.f);  // the empty group is a group like any other
  t.add("m", "", 4.f);
  t.add("n", "", 4.f);
  t.add("o", "A ", 5.f);
  t.add("p", "D", 1.f);  // D: 1 + 1 + 1 = 3
  t.add("q", "D", 1.f);
  t.add("r", "D", 1.f);
  const int n = buildGroupTable(t.rows, t.count, t.groups);
  ASSERT_EQ(n, 4);
  EXPECT_STREQ(t.groups[0].name, "A");
  EXPECT_STREQ(t.groups[1].name, "B");
  EXPECT_STREQ(t.groups[2].name, "");
  EXPECT_STREQ(t.groups[3].name, "D");
  EXPECT_EQ(t.groups[0].rank, 1);
  EXPECT_EQ(t.groups[1].rank, 1);
  EXPECT_EQ(t.groups[2].rank, 2);
  EXPECT_EQ(t.groups[3].rank, 3);
  EXPECT_EQ(getMaxGroupRank(t.groups, n), 3);
  EXPECT_EQ(t.groups[4].rank, 0);  // rows past the table are zero
  EXPECT_STREQ(t.groups[4].name, "");
}

TEST(GroupTable, FiftyInOneGroupAndNoneQualifying) {
  Table t;
  for (int i = 0; i < 50; ++i) t.add("m", "all", static_cast<float>(i));
  ASSERT_EQ(buildGroupTable(t.rows, t.count, t.groups), 1);
  EXPECT_FLOAT_EQ(t.groups[0].total, 49.f + 48.f + 47.f);

  Table pairs;
  pairs.add("a", "x", 5.f);
  pairs.add("b", "x", 5.f);
  pairs.add("c", "y", 5.f);
  EXPECT_EQ(buildGroupTable(pairs.rows, pairs.count, pairs.groups), 0);
  EXPECT_EQ(getMaxGroupRank(pairs.groups, 0), 0);
}
