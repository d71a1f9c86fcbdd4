// A contestant's panel entry as the event keeps it: every judge's score and the result fixed
// when the entry was applied (a later change of the settings does not recompute it; a
// correction does).
#pragma once
#include <cstdint>
#include <vector>

#include "contest/judge_panel.h"

struct PanelEntry {
  std::vector<std::int32_t> scores;  // one per judge, kNoScore for none; empty: no entry
  PanelResult result;

  bool present() const { return !scores.empty(); }
  // The highest judge number that gave a score, 0 for none.
  int lastJudgeScored() const {
    for (int k = static_cast<int>(scores.size()); k > 0; --k)
      if (scores[static_cast<std::size_t>(k - 1)] != kNoScore) return k;
    return 0;
  }
  bool operator==(const PanelEntry& o) const {
    return scores == o.scores && result.finalHundredths == o.result.finalHundredths &&
           result.droppedHigh == o.result.droppedHigh && result.droppedLow == o.result.droppedLow &&
           result.missing == o.result.missing;
  }
  bool operator!=(const PanelEntry& o) const { return !(*this == o); }
};
