// The scoring board: every contestant with its score, in roster order, in a grid of `cols`
// columns filled column by column.
#pragma once
#include <string>

#include "contest/contestant_table.h"
#include "contest/contestant_text.h"
#include "scoreboard/frame_layout.h"

struct BoardCell {
  int x;
  int y;
};

// Where entry i of count goes in a grid of cols columns.
BoardCell boardCell(const BoardLayout& layout, int count, int cols, int index);

void composeScoringBoard(const ContestantRecord* rows, int count, int cols, int xsw, std::uint32_t colour,
                         const BoardLayout& layout, FrameRuns& runs);
