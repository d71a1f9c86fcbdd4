#include "scoreboard/frame_layout.h"

#include <gtest/gtest.h>

#include "tests/native/fake_measure.h"

namespace {

DecorationInput decoration(int w, int h, const std::string& title = "Quiz") {
  DecorationInput in;
  in.width = w;
  in.height = h;
  in.backgroundPath = "data\\bg.jpg";
  in.backgroundExists = true;
  in.logoPath = "data\\logo.png";
  in.logoExists = false;
  in.logoWidth = in.logoHeight = 0;
  in.title = title;
  in.titleColour = 0xFFFFD700u;
  in.contestantCount = 12;
  in.cols = 2;
  return in;
}

const BoardLayout kUntouched = {-1, -1, -1, -1, -1, -1, -1};

}  // namespace

TEST(FrameLayout, ThreeWorkedExamples) {
  FakeMeasure m;
  {
    BoardLayout l = kUntouched;
    FrameRuns runs;
    ASSERT_TRUE(composeDecoration(decoration(1024, 768), m.fn(), l, runs));
    EXPECT_EQ(l.contentTop, 167);
    EXPECT_EQ(l.contentLeft, 163);
    EXPECT_EQ(l.contentWidth, 861);
    EXPECT_EQ(l.contentHeight, 567);
    ASSERT_EQ(runs.pictures.size(), 1u);  // background only
    EXPECT_EQ(runs.pictures[0].x, 0);
    ASSERT_EQ(runs.texts.size(), 1u);
    EXPECT_EQ(runs.texts[0].x, 222);
    EXPECT_EQ(runs.texts[0].y, 47);
    EXPECT_EQ(runs.texts[0].size, 60);
    EXPECT_EQ(runs.texts[0].style, kTitleStyle);
    EXPECT_EQ(runs.texts[0].colour, 0xFFFFD700u);
    EXPECT_EQ(l.scoreOffset, 10 * l.entryFontSize);
    EXPECT_EQ(l.rankLabelWidth, m.fn()(kBoardFont, l.entryFontSize, kRankLabelSample).width);
  }
  {
    BoardLayout l = kUntouched;
    FrameRuns runs;
    ASSERT_TRUE(composeDecoration(decoration(1000, 600), m.fn(), l, runs));
    EXPECT_EQ(runs.texts[0].x, 221);
    EXPECT_EQ(runs.texts[0].y, 41);
    EXPECT_EQ(l.contentTop, 161);
    EXPECT_EQ(l.contentLeft, 159);
    EXPECT_EQ(l.contentWidth, 841);
    EXPECT_EQ(l.contentHeight, 406);
  }
  {
    DecorationInput in = decoration(800, 600);
    in.logoExists = true;
    in.logoWidth = 200;
    in.logoHeight = 100;
    BoardLayout l = kUntouched;
    FrameRuns runs;
    ASSERT_TRUE(composeDecoration(in, m.fn(), l, runs));
    ASSERT_EQ(runs.pictures.size(), 2u);
    EXPECT_EQ(runs.pictures[1].path, "data\\logo.png");
    EXPECT_EQ(runs.pictures[1].x, 23);
    EXPECT_EQ(runs.pictures[1].y, 17);
    EXPECT_EQ(runs.texts[0].x, 263);
    EXPECT_EQ(runs.texts[0].y, 37);
    EXPECT_EQ(l.contentTop, 137);
    EXPECT_EQ(l.contentLeft, 127);
    EXPECT_EQ(l.contentWidth, 673);
    EXPECT_EQ(l.contentHeight, 435);
  }
}

TEST(FrameLayout, TitleFitIsStrict) {
  FakeMeasure m;
  m.widthAtSize60["Exact"] = 1024 - 222;  // equals W - titleX at size 60: does not fit
  BoardLayout l = kUntouched;
  FrameRuns runs;
  ASSERT_TRUE(composeDecoration(decoration(1024, 768, "Exact"), m.fn(), l, runs));
  EXPECT_EQ(runs.texts[0].size, 55);

  m.widthAtSize60["Fits"] = 1024 - 222 - 1;
  FrameRuns again;
  composeDecoration(decoration(1024, 768, "Fits"), m.fn(), l, again);
  EXPECT_EQ(again.texts[0].size, 60);
}

TEST(FrameLayout, TitleThatFitsAtNoSizeKeepsTheLayout) {
  FakeMeasure m;
  const std::string longTitle(200, 'W');  // 100 sizes wide even at 15: never fits
  BoardLayout l = kUntouched;
  FrameRuns runs;
  EXPECT_FALSE(composeDecoration(decoration(1024, 768, longTitle), m.fn(), l, runs));
  EXPECT_EQ(l.contentTop, -1);  // layout kept
  ASSERT_EQ(runs.texts.size(), 1u);
  EXPECT_EQ(runs.texts[0].size, 10);
  EXPECT_EQ(runs.texts[0].x, 222);
  EXPECT_EQ(runs.texts[0].y, 23);  // marginY, not titleY

  // A window narrower than titleX: not even an empty title fits.
  FrameRuns narrow;
  EXPECT_FALSE(composeDecoration(decoration(150, 200, ""), m.fn(), l, narrow));
  EXPECT_EQ(narrow.texts[0].x, 196);
  EXPECT_EQ(narrow.texts[0].y, 5);
  EXPECT_EQ(l.contentTop, -1);
}

TEST(FrameLayout, NoBackgroundDrawsNoDecorationAndKeepsTheLayout) {
  FakeMeasure m;
  DecorationInput in = decoration(1024, 768);
  in.backgroundExists = false;
  in.logoExists = true;
  BoardLayout l = kUntouched;
  FrameRuns runs;
  EXPECT_FALSE(composeDecoration(in, m.fn(), l, runs));
  EXPECT_TRUE(runs.pictures.empty());
  EXPECT_TRUE(runs.texts.empty());
  EXPECT_EQ(l.entryFontSize, -1);

  // Before any frame computed one, the layout is that of a logo-less frame with a fitting title.
  const BoardLayout def = computeBoardLayout(1024, 768, 120, 12, 2, m.fn());
  EXPECT_EQ(def.contentTop, 167);
  EXPECT_EQ(def.contentLeft, 163);
  EXPECT_EQ(def.contentWidth, 861);
  EXPECT_EQ(def.contentHeight, 567);
}

TEST(EntryFontSize, WidthTestIsInclusiveHeightTestStrict) {
  // Sample: nine GBK characters -> 9 * size wide, size high.
  FakeMeasure m;
  // (contentWidth / 2) / cols == 9 * 40 exactly: size 40 fits on width.
  EXPECT_EQ(fitEntryFontSize(720 * 2, 100000, 1, 1, m.fn()), 80);  // 720 / 9 = 80
  EXPECT_EQ(fitEntryFontSize(9 * 40 * 2 * 2, 100000, 4, 2, m.fn()), 40);
  // Height: 1.3 is the float 1.2999999523, so 1.3 * 40 * 3 is 155.99999: contentHeight 156
  // passes the strict test, 155 does not.
  const int wide = 100000;
  EXPECT_EQ(fitEntryFontSize(wide, 156, 3, 1, m.fn()), 40);
  EXPECT_EQ(fitEntryFontSize(wide, 155, 3, 1, m.fn()), 38);
  // A product that is exact (0 rows of height, no room): 0 > 0 fails, so 10.
  EXPECT_EQ(fitEntryFontSize(0, 0, 0, 1, m.fn()), 10);
  // Nothing fits: 10.
  EXPECT_EQ(fitEntryFontSize(10, 10000, 1, 1, m.fn()), 10);
  EXPECT_EQ(fitEntryFontSize(wide, 0, 1, 1, m.fn()), 10);
  EXPECT_EQ(fitEntryFontSize(wide, -50, 1, 1, m.fn()), 10);
  // No contestants: rows 0, only the width decides while the height is positive.
  EXPECT_EQ(fitEntryFontSize(9 * 100 * 2, 1, 0, 1, m.fn()), 100);
}
