#include "contest/ranking_reveal.h"

#include <utility>

#include "kqcore/numbers.h"

const char kRevealCompleteLine[] = "揭晓完成";

bool RankingReveal::start(int mode, RankedList list) {
  end();
  if (list.maxRank <= 0) return false;
  list_ = std::move(list);
  mode_ = mode;
  step_ = 1;
  running_ = true;
  return true;
}

bool RankingReveal::next() {
  if (!running_ || step_ >= steps()) return false;
  ++step_;
  return true;
}

bool RankingReveal::back() {
  if (!running_ || step_ <= 1) return false;
  --step_;
  return true;
}

void RankingReveal::end() {
  running_ = false;
  step_ = 0;
  list_ = RankedList();
}

std::string revealCaption(const RankingReveal& reveal) {
  if (!reveal.running()) return "揭晓";
  return "揭晓 " + numbers::intText(reveal.step()) + "/" + numbers::intText(reveal.steps());
}

std::string revealStartLine(bool groups) { return groups ? "开始揭晓 小组排名" : "开始揭晓 个人排名"; }
