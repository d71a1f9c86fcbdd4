#include "scoreboard/ranking_screens.h"

#include <vector>

#include "contest/ranking.h"
#include "kqcore/numbers.h"

namespace {

struct Entry {
  const char* name;
  int rank;
};

// Lays out ranked entries (table order) with largest rank maxRank in `columns` columns.
void composeRanking(const std::vector<Entry>& entries, int maxRank, int columns, bool oneLinePerEntry,
                    std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs) {
  if (maxRank <= 0) return;
  if (columns < 1) columns = 1;
  const int lines = oneLinePerEntry ? static_cast<int>(entries.size()) : maxRank;
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
      const int k = r - 1;
      std::string names;
      for (const Entry& e : entries)
        if (e.rank == r) names += std::string(e.name) + " ";
      draw(rankLabel(r), x(k), y(k));
      draw(names, x(k) + layout.rankLabelWidth, y(k));
    }
    return;
  }
  int k = 0;
  for (int r = 1; r <= maxRank; ++r) {
    draw(rankLabel(r), x(k), y(k));
    for (const Entry& e : entries) {
      if (e.rank != r) continue;
      draw(e.name, x(k) + layout.rankLabelWidth, y(k));
      ++k;
    }
  }
}

}  // namespace

std::string rankLabel(int rank) { return "第" + numbers::intText(rank) + "名："; }

void composeIndividualRanking(const ContestantRecord* rows, int count, int cols, bool oneLinePerEntry,
                              std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs) {
  if (count <= 0) return;
  // Ranked in a working copy: drawing a frame never changes the contest's rows.
  std::vector<ContestantRecord> ranked(rows, rows + count);
  rankContestants(ranked.data(), count);
  const int maxRank = getMaxContestantRank(ranked.data(), count);
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) entries.push_back(Entry{rows[i].name, ranked[i].rank});
  composeRanking(entries, maxRank, cols, oneLinePerEntry, colour, layout, runs);
}

void composeGroupRanking(const ContestantRecord* rows, int count, GroupRecord* groups, int& groupCount,
                         bool oneLinePerEntry, std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs) {
  if (count <= 0) return;
  groupCount = buildGroupTable(rows, count, groups);
  const int maxRank = getMaxGroupRank(groups, groupCount);
  std::vector<Entry> entries;
  for (int g = 0; g < groupCount; ++g) entries.push_back(Entry{groups[g].name, groups[g].rank});
  composeRanking(entries, maxRank, 1, oneLinePerEntry, colour, layout, runs);
}
