// The audience screen decided from a snapshot alone: which scores each screen shows, the
// reveal's step, and the layout a frame without a fitting title keeps.
#include "scoreboard/screen_frame.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "scoreboard/frame_change.h"
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

TEST(ScreenFrame, EveryStepOfAStagedPanelHasTheSameRunsOnlyItsOwnCellsChange) {
  const float scores[] = {1};
  EventSnapshot s = event(scores, 1);
  s.panelShow.running = true;
  s.panelShow.name = "A01";
  s.panelShow.group = "一组";
  s.panelShow.entry.scores = {950, 980, 890, 980, kNoScore};
  s.panelShow.entry.result = panelResult(s.panelShow.entry.scores, 1);
  const FakeMeasure m;
  std::vector<ScreenFrame> steps;
  for (int step = 1; step <= 3; ++step) {
    s.panelShow.step = step;
    steps.push_back(composeScreen(s, Scoring, 1024, 768, background(), BoardLayout{}, m.fn()));
  }
  const std::vector<std::string> first = texts(steps[0]);
  ASSERT_EQ(first.size(), 1u + 1u + 10u + 2u);  // title, label, caption and score a judge, two lines
  EXPECT_EQ(first[1], "A01（一组）");
  EXPECT_EQ(first[3], "9.50");
  EXPECT_EQ(first[11], "—");  // a judge without a score
  EXPECT_EQ(first[12], "");
  EXPECT_EQ(texts(steps[1])[12], "去掉最高分 9.80，去掉最低分 8.90");
  EXPECT_EQ(texts(steps[2])[13], "最后得分 9.65");
  // Of two 9.80s only the first is struck, and only from step 2 on.
  const std::vector<TextRun>& struck = steps[1].runs.texts;
  EXPECT_FALSE(steps[0].runs.texts[5].style & kStruck);
  EXPECT_TRUE(struck[5].style & kStruck);   // judge 2: 9.80
  EXPECT_FALSE(struck[9].style & kStruck);  // judge 4: the other 9.80
  EXPECT_TRUE(struck[7].style & kStruck);   // judge 3: 8.90
  // Between steps only cells change: the partial path takes them.
  for (int i = 0; i + 1 < 3; ++i) {
    const FrameChange change = frameChange(steps[i].runs, steps[i + 1].runs, 1024, 768, m.fn());
    EXPECT_FALSE(change.whole) << i;
    EXPECT_FALSE(change.dirty.empty()) << i;
  }
}

TEST(ScreenFrame, TheClockStandsInItsCornerOverEveryScreenAndATickDirtiesOnlyItsCells) {
  const float scores[] = {1, 2, 3};
  EventSnapshot s = event(scores, 3);
  const FakeMeasure m;
  const BoardLayout none{};
  const std::size_t boardRuns = composeScreen(s, Scoring, 1000, 900, background(), none, m.fn()).runs.texts.size();
  s.timer.face = TimerFace{true, "12", 12, TimerColour::Team};
  const ScreenFrame at12 = composeScreen(s, Scoring, 1000, 900, background(), none, m.fn());
  ASSERT_EQ(at12.runs.texts.size(), boardRuns + 1);
  const TextRun& clock = at12.runs.texts.back();
  // 1000 / 9 = 111 high, "12" 111 wide, the frame's 3 % margins (29 and 26: the float 0.03
  // is a little less): right-aligned.
  EXPECT_EQ(clock.size, 111);
  EXPECT_EQ(clock.x, 1000 - 29 - 111);
  EXPECT_EQ(clock.y, 26);
  EXPECT_EQ(clock.colour, s.settings.clrteam);

  // A tick: the clock's digits, place and colour change; only its cells are redrawn.
  s.timer.face = TimerFace{true, "01:05", 65, TimerColour::Red};
  const ScreenFrame later = composeScreen(s, Scoring, 1000, 900, background(), none, m.fn());
  EXPECT_EQ(later.runs.texts.back().colour, 0xFFFF3030u);
  const FrameChange tick = frameChange(at12.runs, later.runs, 1000, 900, m.fn());
  EXPECT_FALSE(tick.whole);
  EXPECT_EQ(tick.dirty, unite(runRect(clock, m.fn()), runRect(later.runs.texts.back(), m.fn())));
  EXPECT_LE(tick.dirty.bottom, 140);

  // A long title leaves less room beside it: the clock, "时间到" too, stays clear of it.
  s.settings.title = "一二三四五六七八";  // 480 wide at 60, from 221
  const TextRun small = composeScreen(s, Scoring, 1000, 900, background(), none, m.fn()).runs.texts.back();
  EXPECT_EQ(small.size, 111 * (1000 - 29 - 701 - 29) / 333);
  EXPECT_GE(1000 - 29 - 3 * small.size, 701);
  s.settings.title = defaultSettings().title;

  // Bottom right; full screen instead of the board.
  s.settings.timerplace = kClockBottomRight;
  EXPECT_EQ(composeScreen(s, Scoring, 1000, 900, background(), none, m.fn()).runs.texts.back().y, 900 - 26 - 111);
  s.settings.timerplace = kClockFullScreen;
  const ScreenFrame full = composeScreen(s, Scoring, 1000, 900, background(), none, m.fn());
  ASSERT_EQ(full.runs.texts.size(), 2u);  // the title, the clock
  EXPECT_EQ(full.runs.texts[1].text, "01:05");
  EXPECT_EQ(full.runs.texts[1].size, 360);

  // Not started or reset: no clock.
  s.timer.face = TimerFace();
  EXPECT_EQ(composeScreen(s, Scoring, 1000, 900, background(), none, m.fn()).runs.texts.size(), boardRuns);
}
