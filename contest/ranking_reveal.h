// The award ceremony: a ranking screen revealed from the last place to the first, one rank
// more at each of the host's cues.  The ranking is frozen when the reveal starts, so score
// changes made meanwhile move nothing on the audience screen, and every step is laid out
// like the whole ranking, so nothing moves between steps.
#pragma once
#include <string>

#include "contest/ranking.h"

class RankingReveal {
 public:
  // Starts revealing `list` (the ranking of this moment, kept as it is until the reveal
  // ends) on the screen `mode` at its first step, the lowest rank alone.  Nothing starts
  // (false) when nothing is ranked.
  bool start(int mode, RankedList list);
  // One rank more; false when rank 1 is already shown.
  bool next();
  // One rank less; false at the first step.
  bool back();
  void end();

  bool running() const { return running_; }
  // Rank 1 is shown: the reveal is complete (it stays running until ended).
  bool complete() const { return running_ && step_ == steps(); }
  int mode() const { return mode_; }
  int step() const { return step_; }
  int steps() const { return list_.maxRank; }
  // The highest rank on show: steps - step + 1.
  int firstRankShown() const { return steps() - step_ + 1; }
  const RankedList& ranking() const { return list_; }

  bool operator==(const RankingReveal& o) const {
    return running_ == o.running_ && mode_ == o.mode_ && step_ == o.step_ && list_ == o.list_;
  }

 private:
  bool running_ = false;
  int mode_ = 0;
  int step_ = 0;
  RankedList list_;
};

// The reveal button's caption: "揭晓", or "揭晓 3/7" while a reveal runs.
std::string revealCaption(const RankingReveal& reveal);
// The log line of a reveal's start on a ranking screen.
std::string revealStartLine(bool groups);
extern const char kRevealCompleteLine[];
