#include "app/shared_state.h"

#include <cstring>

namespace app {

CCore* core = nullptr;
std::string appPath;
std::string dataDir;
std::string rosterPath;

ContestantRecord* contestantTable = nullptr;
std::int32_t contestantCount = 0;
GroupRecord* groupTable = nullptr;

ScoreboardWindow* scoreboard = nullptr;
std::int32_t displayMode = Welcome;
std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;
std::int32_t outputPlaced = 0;
ScreenRect outputRect = {0, 0, 0, 0};

std::int32_t xsw = 0;
std::int32_t cols = 0;
std::int32_t width = 0;
std::int32_t height = 0;
std::int32_t scoreinit = 0;
std::string scorestepdefault;
std::string scoresteps;
std::string title;
std::uint32_t clrtitle = 0xFF000000u;
std::uint32_t clrteam = 0xFF000000u;
std::int32_t on = 0;
std::int32_t tmcxh = 0;
std::int32_t fill = 0;

void allocateTables() {
  if (!contestantTable) contestantTable = new ContestantRecord[kContestantRows];
  if (!groupTable) groupTable = new GroupRecord[kGroupRows];
  std::memset(contestantTable, 0, sizeof(ContestantRecord) * kContestantRows);
  std::memset(groupTable, 0, sizeof(GroupRecord) * kGroupRows);
  contestantCount = 0;
}

void freeTables() {
  delete[] contestantTable;
  contestantTable = nullptr;
  delete[] groupTable;
  groupTable = nullptr;
}

}  // namespace app
