// The audience screen decided from a snapshot alone: which scores each screen shows, the
// reveal's step, and the layout a frame without a fitting title keeps.
#include "scoreboard/screen_frame.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/native/fake_measure.h"

namespace {

EventSnapshot event(const float* scores, int count) {
  EventSnapshot s;
  s.settings = defaultSettings();
  s.settings.cols = 1;
  for (int i = 0; i < count; ++i) {
    ContestantRecord row{};
    std::snprintf(row.name, kTextField, "T%d", i);
    std::snprintf(row.group, kTextField, "g%d", i);
    row.score = scores[i];
    s.rows.push_back(row);
  }
  s.rankedRows = s.rows;
  return s;
}

ScreenPictures background() {
  ScreenPictures p;
  p.backgroundPath = "bg.jpg";
  p.backgroundExists = true;
  return p;
}

std::vector<std::string> texts(const ScreenFrame& frame) {
  std::vector<std::string> out;
  for (const TextRun& t : frame.runs.texts) out.push_back(t.text);
  return out;
}

}  // namespace

TEST(ScreenFrame, TheBoardShowsScoresOfNowAndARankingOnShowThoseOfWhenItWasDrawn) {
  const float drawn[] = {1, 2};
  EventSnapshot s = event(drawn, 2);
  s.rows[0].score = 5;  // changed since the ranking was drawn
  const FakeMeasure m;
  const BoardLayout none{};
  const ScreenFrame board = composeScreen(s, Scoring, 1024, 768, background(), none, m.fn());
  EXPECT_EQ(texts(board), (std::vector<std::string>{"知识竞赛", "T0（g0）", "5.0", "T1（g1）", "2.0"}));

  s.outputLive = s.outputVisible = true;
  const ScreenFrame onShow = composeScreen(s, IndividualRanking, 1024, 768, background(), none, m.fn());
  EXPECT_EQ(texts(onShow), (std::vector<std::string>{"知识竞赛", "第1名：", "T1 ", "第2名：", "T0 "}));
  // Not on show, a ranking is what showing it now would draw.
  s.outputVisible = false;
  const ScreenFrame hidden = composeScreen(s, IndividualRanking, 1024, 768, background(), none, m.fn());
  EXPECT_EQ(texts(hidden), (std::vector<std::string>{"知识竞赛", "第1名：", "T0 ", "第2名：", "T1 "}));
}

TEST(ScreenFrame, ARevealShowsItsStepOnItsOwnScreenOnly) {
  const float scores[] = {3, 2, 1};
  EventSnapshot s = event(scores, 3);
  ASSERT_TRUE(s.reveal.start(IndividualRanking, individualRanking(s.rows.data(), 3)));
  const FakeMeasure m;
  const ScreenFrame step = composeScreen(s, IndividualRanking, 1024, 768, background(), BoardLayout{}, m.fn());
  EXPECT_EQ(texts(step), (std::vector<std::string>{"知识竞赛", "第3名：", "T2 "}));
  const ScreenFrame other = composeScreen(s, GroupRanking, 1024, 768, background(), BoardLayout{}, m.fn());
  EXPECT_EQ(texts(other), (std::vector<std::string>{"知识竞赛"}));  // no group has three members
}

TEST(ScreenFrame, AFrameWithoutAFittingTitleKeepsTheLayoutItWasGiven) {
  const float scores[] = {1};
  EventSnapshot s = event(scores, 1);
  const FakeMeasure m;
  const ScreenFrame fits = composeScreen(s, Scoring, 1024, 768, background(), BoardLayout{}, m.fn());
  ASSERT_TRUE(fits.layoutComputed);
  EXPECT_EQ(fits.layout.contentLeft, 163);  // the worked example: 1024 x 768, no logo

  const BoardLayout remembered{1, 2, 3, 4, 50, 6, 5};
  s.settings.title = std::string(200, 'W');  // fits at no size
  const ScreenFrame kept = composeScreen(s, Scoring, 1024, 768, background(), remembered, m.fn());
  EXPECT_FALSE(kept.layoutComputed);
  EXPECT_EQ(kept.layout.contentLeft, 2);
  EXPECT_EQ(kept.runs.texts[1].x, 2);  // the entries are laid out in it
  const ScreenFrame bare = composeScreen(s, Scoring, 1024, 768, ScreenPictures(), remembered, m.fn());
  EXPECT_FALSE(bare.layoutComputed);
  EXPECT_TRUE(bare.runs.pictures.empty());
  EXPECT_EQ(bare.runs.texts[0].x, 2);
}
