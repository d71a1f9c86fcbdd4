#include "scoreboard/frame_change.h"

#include <gtest/gtest.h>

#include <cstring>

#include "scoreboard/scoring_board.h"
#include "tests/native/fake_measure.h"

namespace {

TextRun run(const std::string& text, int x, int y) { return TextRun{text, x, y, 20, kEntryStyle, 0xFFFFFFFFu}; }

FrameRuns frame(std::vector<TextRun> texts) {
  FrameRuns f;
  f.pictures.push_back(PictureRun{"bg.jpg", 0, 0, 1});
  f.texts = std::move(texts);
  return f;
}

}  // namespace

TEST(FrameChange, ChangedTextsDirtyWhatTheyCoveredAndCoverNow) {
  FakeMeasure fake;
  const MeasureText m = fake.fn();
  // "1.0" at size 20 measures 30 x 20; its image reaches 2 px out, plus 20 / 4 for bold.
  EXPECT_EQ(runRect(run("1.0", 100, 50), m), (PixelRect{98, 48, 98 + 30 + 4 + 5, 48 + 24}));
  EXPECT_TRUE(runRect(run("", 100, 50), m).empty());

  const FrameRuns before = frame({run("A", 10, 10), run("1.0", 100, 50), run("B", 10, 200), run("7", 100, 200)});
  FrameRuns after = before;
  after.texts[1].text = "10.0";  // wider now: the new extent counts
  FrameChange c = frameChange(before, after, 400, 300, m);
  EXPECT_FALSE(c.whole);
  EXPECT_EQ(c.dirty, (PixelRect{98, 48, 98 + 40 + 4 + 5, 72}));
  c = frameChange(after, before, 400, 300, m);  // narrower: the old extent counts
  EXPECT_EQ(c.dirty, (PixelRect{98, 48, 98 + 40 + 4 + 5, 72}));

  after.texts[3].text = "";  // a second cell: one rectangle holding both
  c = frameChange(before, after, 400, 300, m);
  EXPECT_EQ(c.dirty, (PixelRect{98, 48, 98 + 40 + 4 + 5, 198 + 24}));

  c = frameChange(before, before, 400, 300, m);  // nothing changed: nothing to push
  EXPECT_FALSE(c.whole);
  EXPECT_TRUE(c.dirty.empty());

  after = before;
  after.texts[1] = run("99999999", 380, 290);  // moved: whole
  EXPECT_TRUE(frameChange(before, after, 400, 300, m).whole);
  const FrameChange clipped = frameChange(frame({run("1", 390, 295)}), frame({run("22", 390, 295)}), 400, 300, m);
  EXPECT_EQ(clipped.dirty, (PixelRect{388, 293, 400, 300}));  // never past the frame
}

TEST(FrameChange, AnythingButTextIsAWholeFrame) {
  FakeMeasure fake;
  const MeasureText m = fake.fn();
  const FrameRuns before = frame({run("A", 10, 10), run("1.0", 100, 50)});
  FrameRuns after = before;
  after.texts[1].colour = 0xFF00FF00u;
  EXPECT_TRUE(frameChange(before, after, 400, 300, m).whole);
  after = before;
  after.texts[1].size = 22;
  EXPECT_TRUE(frameChange(before, after, 400, 300, m).whole);
  after = before;
  after.texts.pop_back();  // an entry less
  EXPECT_TRUE(frameChange(before, after, 400, 300, m).whole);
  after = before;
  after.pictures[0].version = 2;  // the background file was replaced
  EXPECT_TRUE(frameChange(before, after, 400, 300, m).whole);
  after = before;
  after.pictures.clear();  // the background went
  const FrameChange c = frameChange(before, after, 400, 300, m);
  EXPECT_TRUE(c.whole);
  EXPECT_EQ(c.dirty, (PixelRect{0, 0, 400, 300}));
}

TEST(FrameChange, ScoreChangeOnTheBoardDirtiesThatCellAndRedrawsTheRunsReachingIn) {
  FakeMeasure fake;
  const MeasureText m = fake.fn();
  ContestantRecord rows[7] = {};
  for (int i = 0; i < 7; ++i) std::snprintf(rows[i].name, sizeof rows[i].name, "Team%d", i);
  const BoardLayout layout = {100, 50, 600, 300, 200, 90, 20};
  FrameRuns before, after;
  composeScoringBoard(rows, 7, 3, 1, 0xFFFFFFFFu, layout, before);
  rows[4].score = 12.5f;  // column 1, row 1
  composeScoringBoard(rows, 7, 3, 1, 0xFFFFFFFFu, layout, after);
  const FrameChange c = frameChange(before, after, 800, 600, m);
  ASSERT_FALSE(c.whole);
  const BoardCell cell = boardCell(layout, 7, 3, 4);
  EXPECT_EQ(c.dirty.left, cell.x + layout.scoreOffset - 2);
  EXPECT_EQ(c.dirty.top, cell.y - 2);
  // Only row 4's score run lies in it, besides runs that overlap it.
  int touching = 0;
  for (std::size_t i = 0; i < after.texts.size(); ++i)
    if (runTouches(after.texts[i], c.dirty, m)) ++touching;
  EXPECT_EQ(touching, 1);
  // A label long enough to run into the score is redrawn with it.
  std::strcpy(rows[4].name, "AVeryLongTeamNameThatRunsOn");
  FrameRuns longer;
  composeScoringBoard(rows, 7, 3, 1, 0xFFFFFFFFu, layout, longer);
  EXPECT_TRUE(runTouches(longer.texts[8], c.dirty, m));
}
