// Dense ranking of contestants by score and of groups by the sum of their three best
// scores.  Nothing is sorted into a copy: each pass writes a rank into every row, 1 for the
// highest value; equal values share a rank and the next lower value gets the next number.
#pragma once
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/group_table.h"

void rankContestants(ContestantRecord* rows, int count);
int getMaxContestantRank(const ContestantRecord* rows, int count);

// Sum of the three highest scores of the group's members (exact byte comparison of the
// group text), or -0.1 when it has fewer than three members.
float getGroupTotal(const ContestantRecord* rows, int count, const char* groupName);

// Rebuilds the group table (zeroing all kGroupRows rows) from the contestants: one row per
// group with at least three members and a total above 0, in the order of each group's first
// member, ranked by total.  Returns the number of rows.
int buildGroupTable(const ContestantRecord* rows, int count, GroupRecord* groups);
int getMaxGroupRank(const GroupRecord* groups, int groupCount);

// One screen's ranked entries, in table order, as a screen lays them out.
struct RankedEntry {
  std::string name;
  int rank;
  bool operator==(const RankedEntry& o) const { return name == o.name && rank == o.rank; }
};

struct RankedList {
  std::vector<RankedEntry> entries;
  int maxRank = 0;      // the number of distinct values; 0 when nothing is ranked
  bool groups = false;  // the group screen lists in one column whatever cols says
  bool operator==(const RankedList& o) const {
    return entries == o.entries && maxRank == o.maxRank && groups == o.groups;
  }
};

// The individual ranking of the rows as they are now, ranked in a working copy: the rows
// stay untouched.
RankedList individualRanking(const ContestantRecord* rows, int count);
// The group ranking of the rows as they are now, from a group table of its own.
RankedList groupRanking(const ContestantRecord* rows, int count);
