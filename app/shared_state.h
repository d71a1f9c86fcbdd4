// The process-wide state every part of the program reads and writes directly, on the GUI
// thread only: paths, the two tables, the output window and its placement, and one
// variable per settings key (held under the key's name).
#pragma once
#include <cstdint>
#include <string>

#include "contest/contestant_table.h"
#include "contest/group_table.h"

class CCore;
class ScoreboardWindow;

enum DisplayMode : std::int32_t { Welcome = 0, Scoring = 1, IndividualRanking = 2, GroupRanking = 3 };

namespace app {

struct ScreenRect {
  std::int32_t left, top, right, bottom;
};

extern CCore* core;
extern std::string appPath;     // ends with a backslash
extern std::string dataDir;     // appPath + "data\"
extern std::string rosterPath;  // dataDir + "_team.txt"

extern ContestantRecord* contestantTable;  // kContestantRows rows once allocated
extern std::int32_t contestantCount;
extern GroupRecord* groupTable;  // kGroupRows rows once allocated

extern ScoreboardWindow* scoreboard;
extern std::int32_t displayMode;
extern std::int32_t screenWidth;
extern std::int32_t screenHeight;
extern std::int32_t outputPlaced;  // non-zero once the output window has been placed
extern ScreenRect outputRect;

// Settings.
extern std::int32_t xsw;
extern std::int32_t cols;
extern std::int32_t width;
extern std::int32_t height;
extern std::int32_t scoreinit;
extern std::string scorestepdefault;
extern std::string scoresteps;
extern std::string title;
extern std::uint32_t clrtitle;  // ARGB
extern std::uint32_t clrteam;   // ARGB
extern std::int32_t on;
extern std::int32_t tmcxh;
extern std::int32_t fill;  // the output window covers its whole monitor

// Allocates both tables (once) and fills them with zero bytes; sets contestantCount to 0.
void allocateTables();
void freeTables();

}  // namespace app
