// The two exports: the results as CSV and the operation log as text, each written where the
// operator chooses in the save prompt.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CCore;
class EventModel;

extern const char kResultsExportedLine[];
extern const char kLogExportedLine[];
extern const char kSheetExportedLine[];

// True once the file is written; false (and nothing to log) when cancelled or when writing
// failed, which the operator is told about.
bool saveResults(HWND owner, CCore& core, const EventModel& model, const std::function<std::string(int)>& scoreText);
bool saveLog(HWND owner, CCore& core, const EventModel& model);
bool saveSheet(HWND owner, CCore& core, const EventModel& model);
