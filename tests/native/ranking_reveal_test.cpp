#include "contest/ranking_reveal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"
#include "scoreboard/ranking_screens.h"
#include "tests/native/test_roster.h"

namespace {

const BoardLayout k1024 = {167, 163, 861, 567, 200, 90, 20};

using Roster = TestRoster;

// The rank every run of a whole ranking belongs to, read from the labels: a label starts its
// rank, names follow it.
std::vector<int> ranksOfRuns(const FrameRuns& runs, int maxRank) {
  std::vector<int> ranks;
  int current = 0;
  for (const TextRun& run : runs.texts) {
    for (int r = 1; r <= maxRank; ++r)
      if (run.text == rankLabel(r)) current = r;
    ranks.push_back(current);
  }
  return ranks;
}

// Every step of a reveal draws exactly the whole ranking's runs of the ranks shown so far,
// at the same places; the last step draws the whole ranking, which is the screen's own.
void expectStepsRestrictTheWholeRanking(const RankedList& list, int cols, bool perEntry, const FrameRuns& screen) {
  FrameRuns whole;
  composeRankedList(list, cols, perEntry, 0xFF112233u, k1024, whole);
  ASSERT_EQ(whole.texts.size(), screen.texts.size());
  for (std::size_t i = 0; i < whole.texts.size(); ++i) {
    EXPECT_EQ(whole.texts[i].text, screen.texts[i].text) << i;
    EXPECT_EQ(whole.texts[i].x, screen.texts[i].x) << i;
    EXPECT_EQ(whole.texts[i].y, screen.texts[i].y) << i;
  }
  const std::vector<int> ranks = ranksOfRuns(whole, list.maxRank);

  RankingReveal reveal;
  ASSERT_TRUE(reveal.start(IndividualRanking, list));
  for (int step = 1; step <= list.maxRank; ++step) {
    ASSERT_EQ(reveal.step(), step);
    EXPECT_EQ(reveal.complete(), step == list.maxRank);
    FrameRuns shown;
    composeReveal(reveal, cols, perEntry, 0xFF112233u, k1024, shown);
    std::vector<TextRun> expected;
    for (std::size_t i = 0; i < whole.texts.size(); ++i)
      if (ranks[i] > list.maxRank - step) expected.push_back(whole.texts[i]);
    ASSERT_EQ(shown.texts.size(), expected.size()) << "step " << step;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(shown.texts[i].text, expected[i].text) << "step " << step << " run " << i;
      EXPECT_EQ(shown.texts[i].x, expected[i].x) << "step " << step << " run " << i;
      EXPECT_EQ(shown.texts[i].y, expected[i].y) << "step " << step << " run " << i;
      EXPECT_EQ(shown.texts[i].size, 20);
      EXPECT_EQ(shown.texts[i].colour, 0xFF112233u);
    }
    reveal.next();
  }
  EXPECT_FALSE(reveal.next()) << "no step beyond rank 1";
}

}  // namespace

TEST(RankingReveal, StepsShowTheWholeRankingsRunsFromTheBottomUpInBothLineModes) {
  Roster ties;  // ranks 1, 1, 2, 3, 3, 4, 5, 5, 5 and groups with tied totals
  const float scores[] = {10, 10, 9, 7, 7, 5, 2, 2, 2};
  for (int i = 0; i < 9; ++i) ties.add("队" + std::to_string(i), "组" + std::to_string(i % 3), scores[i]);
  Roster many;  // 50 entries with ties: 17 distinct scores, two digit ranks
  for (int i = 0; i < 50; ++i) many.add("n" + std::to_string(i), "g" + std::to_string(i % 7), (i * 7 % 17) * 1.5f);
  Roster single;  // one rank only: the first step is the whole ranking
  for (int i = 0; i < 4; ++i) single.add("s" + std::to_string(i), "g", 3.f);

  for (Roster* roster : {&ties, &many, &single})
    for (bool perEntry : {false, true}) {
      SCOPED_TRACE(std::to_string(roster->count) + (perEntry ? " one line per entry" : " one line per rank"));
      Roster copy = *roster;
      FrameRuns individual, group;
      composeIndividualRanking(copy.rows, copy.count, 3, perEntry, 0xFF112233u, k1024, individual);
      composeGroupRanking(copy.rows, copy.count, perEntry, 0xFF112233u, k1024, group);
      expectStepsRestrictTheWholeRanking(individualRanking(roster->rows, roster->count), 3, perEntry, individual);
      expectStepsRestrictTheWholeRanking(groupRanking(roster->rows, roster->count), 3, perEntry, group);
    }
  EXPECT_EQ(individualRanking(many.rows, many.count).maxRank, 17);
  EXPECT_EQ(groupRanking(ties.rows, ties.count).maxRank, 2);  // totals 19, 19, 16
}

TEST(RankingReveal, TiedEntriesAppearTogetherOnTheirRanksStep) {
  Roster r;
  r.add("A", "", 10.f);
  r.add("B", "", 10.f);
  r.add("C", "", 9.f);
  r.add("D", "", 7.f);
  r.add("E", "", 7.f);
  RankingReveal reveal;
  ASSERT_TRUE(reveal.start(IndividualRanking, individualRanking(r.rows, r.count)));
  FrameRuns first;
  composeReveal(reveal, 2, true, 0xFFFFFFFFu, k1024, first);
  ASSERT_EQ(first.texts.size(), 3u);  // rank 3's label, D and E on two lines
  EXPECT_EQ(first.texts[1].text, "D");
  EXPECT_EQ(first.texts[2].text, "E");
  reveal.next();
  reveal.next();
  FrameRuns last;
  composeReveal(reveal, 2, false, 0xFFFFFFFFu, k1024, last);
  EXPECT_EQ(last.texts[1].text, "A B ");
}

TEST(RankingReveal, StepsBackAndForthCaptionAndNothingToReveal) {
  Roster r;
  for (int i = 0; i < 7; ++i) r.add("x" + std::to_string(i), "", static_cast<float>(i));
  RankingReveal reveal;
  EXPECT_EQ(revealCaption(reveal), "揭晓");
  ASSERT_TRUE(reveal.start(GroupRanking, individualRanking(r.rows, r.count)));
  EXPECT_EQ(reveal.mode(), GroupRanking);
  EXPECT_EQ(revealCaption(reveal), "揭晓 1/7");
  EXPECT_EQ(reveal.firstRankShown(), 7);
  EXPECT_FALSE(reveal.back()) << "the first step is the lowest";
  EXPECT_TRUE(reveal.next());
  EXPECT_TRUE(reveal.next());
  EXPECT_EQ(revealCaption(reveal), "揭晓 3/7");
  EXPECT_TRUE(reveal.back());
  EXPECT_EQ(reveal.firstRankShown(), 6);
  while (reveal.next()) {
  }
  EXPECT_TRUE(reveal.complete());
  EXPECT_EQ(revealCaption(reveal), "揭晓 7/7");
  reveal.end();
  EXPECT_FALSE(reveal.running());
  EXPECT_EQ(revealCaption(reveal), "揭晓");
  FrameRuns none;
  composeReveal(reveal, 1, false, 0xFFFFFFFFu, k1024, none);
  EXPECT_TRUE(none.texts.empty());

  // No contestants, or no group of three: nothing to reveal, nothing starts.
  EXPECT_FALSE(reveal.start(IndividualRanking, individualRanking(r.rows, 0)));
  EXPECT_FALSE(reveal.start(GroupRanking, groupRanking(r.rows, 2)));
  EXPECT_FALSE(reveal.running());
  EXPECT_EQ(revealStartLine(false), "开始揭晓 个人排名");
  EXPECT_EQ(revealStartLine(true), "开始揭晓 小组排名");
}

TEST(RankingReveal, FrozenAgainstLaterScoreChanges) {
  Roster r;
  r.add("A", "g", 5.f);
  r.add("B", "g", 3.f);
  r.add("C", "g", 1.f);
  RankingReveal individual, group;
  ASSERT_TRUE(individual.start(IndividualRanking, individualRanking(r.rows, r.count)));
  ASSERT_TRUE(group.start(GroupRanking, groupRanking(r.rows, r.count)));
  EXPECT_EQ(r.rows[0].rank, 0) << "ranking works on copies, not the table";
  r.rows[2].score = 50.f;   // C would now lead
  r.rows[0].score = -50.f;  // and the group's total would drop below zero
  individual.next();
  individual.next();
  FrameRuns frozen;
  composeReveal(individual, 1, false, 0xFFFFFFFFu, k1024, frozen);
  ASSERT_EQ(frozen.texts.size(), 6u);
  EXPECT_EQ(frozen.texts[1].text, "A ");
  EXPECT_EQ(frozen.texts[5].text, "C ");
  FrameRuns groups;
  composeReveal(group, 1, false, 0xFFFFFFFFu, k1024, groups);
  ASSERT_EQ(groups.texts.size(), 2u);
  EXPECT_EQ(groups.texts[1].text, "g ");
  // The screen drawn normally shows the scores of now.
  FrameRuns live;
  composeIndividualRanking(r.rows, r.count, 1, false, 0xFFFFFFFFu, k1024, live);
  EXPECT_EQ(live.texts[1].text, "C ");
}
