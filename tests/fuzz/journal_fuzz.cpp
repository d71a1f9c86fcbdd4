// Any bytes as a journal: the replay never reads past its input, never yields more rows than
// the table holds, and a journal it accepts has histories that name live rows only, so a
// restore from it cannot write outside the table.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "contest/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const journal::Replay r = journal::replay(bytes);
  if (r.validLength > size) std::abort();
  if (r.rows.size() > static_cast<std::size_t>(kContestantRows)) std::abort();
  if (r.status != journal::Replay::Ok) return 0;
  for (const ContestantRecord& row : r.rows)
    if (!std::memchr(row.name, 0, kTextField) || !std::memchr(row.group, 0, kTextField)) std::abort();
  for (const auto* history : {&r.done, &r.undone})
    for (const ScoreStep& step : *history)
      if (step.row < 0 || static_cast<std::size_t>(step.row) >= r.rows.size()) std::abort();
  return 0;
}
