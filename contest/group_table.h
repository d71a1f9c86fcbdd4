// The group table: a fixed block of 50 rows rebuilt by the group ranking.
#pragma once
#include <cstdint>

constexpr int kGroupRows = 50;

struct GroupRecord {
  char name[52];
  float total;
  std::int32_t rank;
  std::int32_t ranked;
};
