#include "contest/contestant_text.h"

std::string contestantLabel(const ContestantRecord& row) {
  if (row.group[0] == '\0') return row.name;
  return std::string(row.name) + "（" + row.group + "）";
}
