// The individual and the group ranking screens: one line per rank (the label "第N名：" and
// the names of that rank), or one line per entry (the label on the first line of each rank
// only), filling columns top to bottom.  Each screen ranks afresh from the current scores.
#pragma once
#include "contest/contestant_table.h"
#include "contest/group_table.h"
#include "scoreboard/frame_layout.h"

std::string rankLabel(int rank);

// Ranks a copy of the contestants and lays them out in `cols` columns; rows stay untouched.
void composeIndividualRanking(const ContestantRecord* rows, int count, int cols, bool oneLinePerEntry,
                              std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);

// Rebuilds and ranks the group table (groupCount receives its size) and lays the groups out
// in one column.
void composeGroupRanking(const ContestantRecord* rows, int count, GroupRecord* groups, int& groupCount,
                         bool oneLinePerEntry, std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);
