// A contestant table filled row by row for the ranking and screen tests.
#pragma once
#include <cstring>
#include <string>

#include "contest/contestant_table.h"

struct TestRoster {
  ContestantRecord rows[kContestantRows] = {};
  int count = 0;
  void add(const std::string& name, const std::string& group, float score) {
    std::strcpy(rows[count].name, name.c_str());
    std::strcpy(rows[count].group, group.c_str());
    rows[count].score = score;
    ++count;
  }
};
