// End to end: Quillet.exe started from a fresh folder with its own data\, found by its
// window, watched until it has started, and closed through its close box.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/win/program_driver_win.h"

TEST(EndToEnd, StartsFromAFreshFolderAndClosesCleanly) {
  const EventFolder event("甲队,一组\r\n乙队,一组\r\n丙队,二组\r\n");
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";
  const std::string& folder = event.path();
  {
    Program quillet(folder);
    ASSERT_TRUE(quillet.start()) << "no window titled Quillet with its start line";
    EXPECT_EQ(quillet.logCount(), 1);
    EXPECT_EQ(SendMessageW(GetDlgItem(quillet.console, IDC_ROSTER_LIST), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(quillet.close(), 0u);
  }
  // The close saved the switch, the mode and the change text beside the program.
  const std::string settings = readFileBytes(folder + "Quillet.cfg");
  EXPECT_NE(settings.find("on=0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("uityp=0\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("scorestepdefault="), std::string::npos) << settings;
}
