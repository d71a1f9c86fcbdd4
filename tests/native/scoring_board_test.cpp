#include "scoreboard/scoring_board.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const BoardLayout k1024 = {167, 163, 861, 567, 200, 90, 20};

std::vector<BoardCell> cells(int count, int cols, const BoardLayout& l = k1024) {
  std::vector<BoardCell> out;
  for (int i = 0; i < count; ++i) out.push_back(boardCell(l, count, cols, i));
  return out;
}

}  // namespace

TEST(ScoringBoard, GridFillsColumnByColumn) {
  // 7 in 3 columns: 3 rows; index 6 at the top of the third column.
  const auto seven = cells(7, 3);
  const int w = 861 / 3, h = 567 / 3;
  EXPECT_EQ(seven[2].x, 163);
  EXPECT_EQ(seven[2].y, 167 + 2 * h);
  EXPECT_EQ(seven[3].x, 163 + w);
  EXPECT_EQ(seven[3].y, 167);
  EXPECT_EQ(seven[6].x, 163 + 2 * w);
  EXPECT_EQ(seven[6].y, 167);
  // 5 in 4 columns: 2 rows, three columns used, each still 861 / 4 wide.
  const auto five = cells(5, 4);
  EXPECT_EQ(five[4].x, 163 + 2 * 215);
  EXPECT_EQ(five[4].y, 167);
  EXPECT_EQ(five[1].y, 167 + 567 / 2);
  // One contestant at the content origin.
  EXPECT_EQ(cells(1, 7)[0].x, 163);
  EXPECT_EQ(cells(1, 7)[0].y, 167);
  // 50 in one column: 50 rows of 567 / 50.
  const auto fifty = cells(50, 1);
  EXPECT_EQ(fifty[49].x, 163);
  EXPECT_EQ(fifty[49].y, 167 + 49 * (567 / 50));
  // 861 / 4 with three rows: cells of 215 x 189.
  const auto twelve = cells(12, 4);
  EXPECT_EQ(twelve[3].x - twelve[0].x, 215);
  EXPECT_EQ(twelve[1].y - twelve[0].y, 189);
}

TEST(ScoringBoard, EntriesAndLabels) {
  ContestantRecord rows[3] = {};
  std::strcpy(rows[0].name, "A01");
  std::strcpy(rows[0].group, "一组");
  rows[0].score = 12.5f;
  std::strcpy(rows[1].name, "B02");
  rows[1].score = -3.0f;
  std::strcpy(rows[2].group, "二组");
  FrameRuns runs;
  composeScoringBoard(rows, 3, 1, 1, 0xFF00FF00u, k1024, runs);
  ASSERT_EQ(runs.texts.size(), 6u);
  EXPECT_EQ(runs.texts[0].text, "A01（一组）");
  EXPECT_EQ(runs.texts[1].text, "12.5");
  EXPECT_EQ(runs.texts[1].x, 163 + 200);
  EXPECT_EQ(runs.texts[1].y, runs.texts[0].y);
  EXPECT_EQ(runs.texts[2].text, "B02");  // no group: no parentheses
  EXPECT_EQ(runs.texts[3].text, "-3.0");
  EXPECT_EQ(runs.texts[4].text, "（二组）");  // empty name with a group
  for (const auto& t : runs.texts) {
    EXPECT_EQ(t.size, 20);
    EXPECT_EQ(t.style, kEntryStyle);
    EXPECT_EQ(t.colour, 0xFF00FF00u);
  }
  FrameRuns none;
  composeScoringBoard(rows, 0, 3, 1, 0, k1024, none);
  EXPECT_TRUE(none.texts.empty());

  FrameRuns decimals;
  composeScoringBoard(rows, 1, 1, 0, 0, k1024, decimals);
  EXPECT_EQ(decimals.texts[1].text, "13");  // 12.5 with no decimals
}
