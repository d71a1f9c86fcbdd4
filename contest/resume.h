// What happens at start-up with the journal the previous run left, and the texts the
// operator sees about it.
#pragma once
#include <string>

#include "contest/contestant_table.h"
#include "contest/journal.h"

namespace resume {

// A journal larger than this is not read back (no contest day comes near it); it is kept.
constexpr std::size_t kMaxJournalBytes = 64u << 20;

enum class Choice {
  Fresh,       // nothing worth keeping: a new journal replaces it
  Ask,         // changes over the same contestants: ask whether to restore them
  SetAside,    // no changes since its last roster load, but changes before: kept
  Differs,     // changes over other contestants: kept, and the log says so
  Unreadable,  // damaged: kept, and the operator is warned
};

Choice choose(const journal::Replay& previous, const ContestantRecord* rows, int count);

// "发现上次比赛的计分记录（N 次改动，最后一次 YYYY-MM-DD HH:MM:SS）。要恢复这些分数和操作日志吗？"
std::string question(const journal::Replay& previous);
// The name a journal is kept under: "Quillet-" + YYYYMMDD-HHMMSS (+ "-k" from the second
// one in the same second) + ".journal".
std::string datedName(const std::string& timeSid, int attempt);
std::string differsLine(const std::string& keptName);
std::string unreadableWarning(const std::string& keptName);
std::string writeFailedWarning(const std::string& path);

}  // namespace resume
