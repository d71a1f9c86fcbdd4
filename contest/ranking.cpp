#include "contest/ranking.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The dense ranking over any rows with a value, a rank and a working flag.  Every pass ranks
// the highest unranked value, so the procedure ends for every input, and every value is
// ranked in the same dense order, however low.
template <class Row, class Value>
void denseRank(Row* rows, int count, Value value) {
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) rows[i].ranked = 0;
  for (int r = 1;; ++r) {
    int bestIndex = -1;
    for (int i = 0; i < count; ++i) {
      if (rows[i].ranked) continue;
      if (bestIndex < 0 || value(rows[i]) > value(rows[bestIndex])) bestIndex = i;
    }
    if (bestIndex < 0) return;
    const float best = value(rows[bestIndex]);
    rows[bestIndex].rank = r;
    rows[bestIndex].ranked = 1;
    for (int i = 0; i < count; ++i) {
      if (!rows[i].ranked && value(rows[i]) == best) {
        rows[i].rank = r;
        rows[i].ranked = 1;
      }
    }
  }
}

template <class Row>
int maxRank(const Row* rows, int count) {
  int best = 0;
  for (int i = 0; i < count; ++i) best = std::max(best, static_cast<int>(rows[i].rank));
  return best;
}

}  // namespace

void rankContestants(ContestantRecord* rows, int count) {
  denseRank(rows, count, [](const ContestantRecord& r) { return r.score; });
}

int getMaxContestantRank(const ContestantRecord* rows, int count) { return maxRank(rows, count); }

float getGroupTotal(const ContestantRecord* rows, int count, const char* groupName) {
  std::vector<float> scores;
  scores.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    if (std::strcmp(rows[i].group, groupName) == 0) scores.push_back(rows[i].score);
  if (scores.size() < 3) return -0.1f;
  std::sort(scores.begin(), scores.end());
  double total = 0.0;
  for (std::size_t k = 0; k < 3; ++k) total += scores[scores.size() - 1 - k];
  return static_cast<float>(total);
}

int buildGroupTable(const ContestantRecord* rows, int count, GroupRecord* groups) {
  std::memset(groups, 0, sizeof(GroupRecord) * kGroupRows);
  int groupCount = 0;
  for (int i = 0; i < count && groupCount < kGroupRows; ++i) {
    bool seen = false;
    for (int g = 0; g < groupCount && !seen; ++g) seen = std::strcmp(groups[g].name, rows[i].group) == 0;
    if (seen) continue;
    const float total = getGroupTotal(rows, count, rows[i].group);
    if (total > 0.0f) {
      std::strncpy(groups[groupCount].name, rows[i].group, sizeof groups[groupCount].name - 1);
      groups[groupCount].total = total;
      ++groupCount;
    }
  }
  denseRank(groups, groupCount, [](const GroupRecord& g) { return g.total; });
  return groupCount;
}

int getMaxGroupRank(const GroupRecord* groups, int groupCount) { return maxRank(groups, groupCount); }

RankedList individualRanking(const ContestantRecord* rows, int count) {
  RankedList list;
  if (count <= 0) return list;
  std::vector<ContestantRecord> ranked(rows, rows + count);
  rankContestants(ranked.data(), count);
  list.maxRank = getMaxContestantRank(ranked.data(), count);
  for (const ContestantRecord& row : ranked) list.entries.push_back(RankedEntry{row.name, row.rank});
  return list;
}

RankedList groupRanking(const ContestantRecord* rows, int count) {
  RankedList list;
  list.groups = true;
  if (count <= 0) return list;
  std::vector<GroupRecord> groups(kGroupRows);
  const int groupCount = buildGroupTable(rows, count, groups.data());
  list.maxRank = getMaxGroupRank(groups.data(), groupCount);
  for (int g = 0; g < groupCount; ++g) list.entries.push_back(RankedEntry{groups[g].name, groups[g].rank});
  return list;
}
