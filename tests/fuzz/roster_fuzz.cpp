// Any bytes as a roster file: the table stays within its rows and fields, every field ends
// with its zero byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "contest/roster.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ContestantRecord table[kContestantRows];
  const RosterResult r = parseRoster(std::string(reinterpret_cast<const char*>(data), size), table, 1.5f);
  if (r.loaded < 0 || r.loaded > kContestantRows || r.leftOut < 0) std::abort();
  for (int i = 0; i < kContestantRows; ++i) {
    const ContestantRecord& row = table[i];
    if (!std::memchr(row.name, 0, kTextField) || !std::memchr(row.group, 0, kTextField)) std::abort();
    if (i >= r.loaded && (row.name[0] || row.group[0] || row.score != 0.0f)) std::abort();
  }
  return 0;
}
