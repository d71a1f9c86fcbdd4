// The individual and the group ranking screens: one line per rank (the label "第N名：" and
// the names of that rank), or one line per entry (the label on the first line of each rank
// only), filling columns top to bottom.  Each screen ranks afresh from the current scores.
#pragma once
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/group_table.h"
#include "scoreboard/frame_layout.h"

std::string rankLabel(int rank);

// One screen's ranked entries, in table order, as a screen lays them out.
struct RankedEntry {
  std::string name;
  int rank;
};

struct RankedList {
  std::vector<RankedEntry> entries;
  int maxRank = 0;      // the number of distinct values; 0 when nothing is ranked
  bool groups = false;  // the group screen lists in one column whatever cols says
};

// The individual ranking of the rows as they are now, ranked in a working copy: the rows
// stay untouched.
RankedList individualRanking(const ContestantRecord* rows, int count);
// The group ranking of the rows as they are now, from a group table of its own.
RankedList groupRanking(const ContestantRecord* rows, int count);

// Lays out the ranks firstRankShown to maxRank of list exactly where the whole list puts
// them: lines are counted over every rank, so a line never moves with firstRankShown.
void composeRankedList(const RankedList& list, int cols, bool oneLinePerEntry, std::uint32_t colour,
                       const BoardLayout& layout, FrameRuns& runs, int firstRankShown = 1);

// Ranks a copy of the contestants and lays them out in `cols` columns; rows stay untouched.
void composeIndividualRanking(const ContestantRecord* rows, int count, int cols, bool oneLinePerEntry,
                              std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);

// Rebuilds and ranks the group table (groupCount receives its size) and lays the groups out
// in one column.
void composeGroupRanking(const ContestantRecord* rows, int count, GroupRecord* groups, int& groupCount,
                         bool oneLinePerEntry, std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);
