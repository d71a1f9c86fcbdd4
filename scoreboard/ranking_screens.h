// The individual and the group ranking screens: one line per rank (the label "第N名：" and
// the names of that rank), or one line per entry (the label on the first line of each rank
// only), filling columns top to bottom.  Each screen ranks afresh from the current scores.
#pragma once
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/group_table.h"
#include "contest/ranking.h"
#include "contest/ranking_reveal.h"
#include "scoreboard/frame_layout.h"

std::string rankLabel(int rank);

// Lays out the ranks firstRankShown to maxRank of list exactly where the whole list puts
// them: lines are counted over every rank, so a line never moves with firstRankShown.
void composeRankedList(const RankedList& list, int cols, bool oneLinePerEntry, std::uint32_t colour,
                       const BoardLayout& layout, FrameRuns& runs, int firstRankShown = 1);

// Ranks a copy of the contestants and lays them out in `cols` columns; rows stay untouched.
void composeIndividualRanking(const ContestantRecord* rows, int count, int cols, bool oneLinePerEntry,
                              std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);

// Ranks the groups afresh and lays them out in one column.
void composeGroupRanking(const ContestantRecord* rows, int count, bool oneLinePerEntry, std::uint32_t colour,
                         const BoardLayout& layout, FrameRuns& runs);

// The runs of a reveal's current step (nothing when it is not running).
void composeReveal(const RankingReveal& reveal, int cols, bool oneLinePerEntry, std::uint32_t colour,
                   const BoardLayout& layout, FrameRuns& runs);
