// The contestant table: a fixed block of 50 rows, allocated once and refilled in place.  A
// contestant is identified everywhere by its row index.
#pragma once
#include <cstdint>

constexpr int kContestantRows = 50;
constexpr int kTextField = 51;  // 50 bytes of GBK text and the ending zero

struct ContestantRecord {
  char name[kTextField];
  char group[kTextField];
  float score;
  std::int32_t rank;
  std::int32_t ranked;
};
