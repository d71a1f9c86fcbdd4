#include "scoreboard/scoring_board.h"

#include "kqcore/numbers.h"

BoardCell boardCell(const BoardLayout& layout, int count, int cols, int index) {
  if (cols < 1) cols = 1;
  const int rows = numbers::pageCount(count, cols);
  const int cellWidth = layout.contentWidth / cols;
  const int cellHeight = rows > 0 ? layout.contentHeight / rows : 0;
  const int column = rows > 0 ? index / rows : 0;
  const int row = rows > 0 ? index % rows : 0;
  return BoardCell{layout.contentLeft + column * cellWidth, layout.contentTop + row * cellHeight};
}

void composeScoringBoard(const ContestantRecord* rows, int count, int cols, int xsw, std::uint32_t colour,
                         const BoardLayout& layout, FrameRuns& runs) {
  for (int i = 0; i < count; ++i) {
    const BoardCell cell = boardCell(layout, count, cols, i);
    runs.texts.push_back(TextRun{contestantLabel(rows[i]), cell.x, cell.y, layout.entryFontSize, kEntryStyle, colour});
    runs.texts.push_back(TextRun{numbers::floatText(rows[i].score, xsw), cell.x + layout.scoreOffset, cell.y,
                                 layout.entryFontSize, kEntryStyle, colour});
  }
}
