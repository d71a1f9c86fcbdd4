#include "scoreboard/ranking_screens.h"

#include <vector>

#include "contest/ranking.h"
#include "kqcore/numbers.h"

std::string rankLabel(int rank) { return "第" + numbers::intText(rank) + "名："; }

void composeRankedList(const RankedList& list, int cols, bool oneLinePerEntry, std::uint32_t colour,
                       const BoardLayout& layout, FrameRuns& runs, int firstRankShown) {
  const int maxRank = list.maxRank;
  if (maxRank <= 0) return;
  const int columns = list.groups || cols < 1 ? 1 : cols;
  const int lines = oneLinePerEntry ? static_cast<int>(list.entries.size()) : maxRank;
  const int rows = numbers::pageCount(lines, columns);
  if (rows <= 0) return;
  const int colWidth = layout.contentWidth / columns;
  const int rowHeight = layout.contentHeight / rows;
  auto x = [&](int k) { return layout.contentLeft + (k / rows) * colWidth; };
  auto y = [&](int k) { return layout.contentTop + (k % rows) * rowHeight; };
  auto draw = [&](const std::string& text, int px, int py) {
    runs.texts.push_back(TextRun{text, px, py, layout.entryFontSize, kEntryStyle, colour});
  };

  if (!oneLinePerEntry) {
    for (int r = 1; r <= maxRank; ++r) {
      if (r < firstRankShown) continue;
      const int k = r - 1;
      std::string names;
      for (const RankedEntry& e : list.entries)
        if (e.rank == r) names += e.name + " ";
      draw(rankLabel(r), x(k), y(k));
      draw(names, x(k) + layout.rankLabelWidth, y(k));
    }
    return;
  }
  int k = 0;
  for (int r = 1; r <= maxRank; ++r) {
    const bool shown = r >= firstRankShown;
    if (shown) draw(rankLabel(r), x(k), y(k));
    for (const RankedEntry& e : list.entries) {
      if (e.rank != r) continue;
      if (shown) draw(e.name, x(k) + layout.rankLabelWidth, y(k));
      ++k;
    }
  }
}

void composeIndividualRanking(const ContestantRecord* rows, int count, int cols, bool oneLinePerEntry,
                              std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs) {
  composeRankedList(individualRanking(rows, count), cols, oneLinePerEntry, colour, layout, runs);
}

void composeGroupRanking(const ContestantRecord* rows, int count, bool oneLinePerEntry, std::uint32_t colour,
                         const BoardLayout& layout, FrameRuns& runs) {
  if (count <= 0) return;
  composeRankedList(groupRanking(rows, count), 1, oneLinePerEntry, colour, layout, runs);
}

void composeReveal(const RankingReveal& reveal, int cols, bool oneLinePerEntry, std::uint32_t colour,
                   const BoardLayout& layout, FrameRuns& runs) {
  if (reveal.running())
    composeRankedList(reveal.ranking(), cols, oneLinePerEntry, colour, layout, runs, reveal.firstRankShown());
}
