// How a contestant is named on screens, in dialogs and in the log.
#pragma once
#include <string>

#include "contest/contestant_table.h"

// name alone when the group is empty, else name + "（" + group + "）".
std::string contestantLabel(const ContestantRecord& row);
