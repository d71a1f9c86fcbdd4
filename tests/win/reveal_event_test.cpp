// The award ceremony seen from outside: Quillet.exe started from a fresh folder, scores set
// through the score entry dialog, then both ranking screens revealed step by step with the
// button (and F10, Right), the output window read off the screen at every step.  Set
// QUILLET_TEST_SHOTS to a folder to keep a picture of every step.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/win/program_driver_win.h"

namespace {

using Bands = std::vector<std::pair<int, int>>;

// The last n bands of whole.
Bands lowest(const Bands& whole, std::size_t n) {
  return n >= whole.size() ? whole : Bands(whole.end() - static_cast<std::ptrdiff_t>(n), whole.end());
}

class Ceremony {
 public:
  Ceremony(Program& p, HWND output, const ScreenShot& welcome) : p_(p), output_(output), welcome_(welcome) {}

  // The text bands of the output once they are `expected` (or what they are after 3 s).
  Bands bandsOnceThey(const Bands& expected, const std::string& shotName) {
    Bands bands;
    pumpUntil([&] { return (bands = differingBands(welcome_, last_ = shootWindow(output_))) == expected; }, 3000);
    if (const char* dir = std::getenv("QUILLET_TEST_SHOTS")) saveBitmap(last_, std::string(dir) + "\\" + shotName);
    return bands;
  }
  // The bands once count of them are on show.
  Bands bandsOnceCount(std::size_t count) {
    Bands bands;
    pumpUntil([&] { return (bands = differingBands(welcome_, last_ = shootWindow(output_))).size() == count; }, 3000);
    return bands;
  }
  std::string caption() { return itemText(p_.console, IDC_REVEAL); }

 private:
  Program& p_;
  HWND output_;
  ScreenShot welcome_, last_;
};

}  // namespace

TEST(AwardCeremony, BothRankingsAreRevealedFromTheLastPlaceUp) {
  std::string roster;
  for (int i = 0; i < 9; ++i) roster += "队" + std::to_string(i + 1) + ",组" + std::to_string(i / 3 + 1) + "\r\n";
  const EventFolder event(roster, "on=1\r\nwidth=560\r\nheight=420\r\ncols=1\r\ntmcxh=0\r\nxsw=0\r\n");
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";

  Program quillet(event.path());
  const HWND output = quillet.startWithOutput();
  ASSERT_NE(output, nullptr);
  // Individual ranks: 9 | 5 5 | 2 | 1 | 0 0 0 0, five of them.  Groups: 14, 7, 1.
  const std::pair<int, const char*> scores[] = {{0, "9"}, {1, "5"}, {3, "5"}, {4, "2"}, {6, "1"}};
  for (const auto& s : scores) ASSERT_TRUE(quillet.setScore(s.first, s.second)) << s.first;
  Sleep(300);
  const ScreenShot welcome = shootWindow(output);
  Ceremony ceremony(quillet, output, welcome);
  HWND button = GetDlgItem(quillet.console, IDC_REVEAL);
  EXPECT_FALSE(IsWindowEnabled(button));

  clickButton(quillet.console, IDC_MODE_INDIVIDUAL);
  const Bands individual = ceremony.bandsOnceCount(5);
  ASSERT_EQ(individual.size(), 5u) << "one band of text per rank";
  EXPECT_TRUE(pumpUntil([&] { return IsWindowEnabled(button) != FALSE; }));

  for (std::size_t step = 1; step <= 5; ++step) {
    clickButton(quillet.console, IDC_REVEAL);
    EXPECT_EQ(ceremony.bandsOnceThey(lowest(individual, step), "individual-" + std::to_string(step) + ".bmp"),
              lowest(individual, step))
        << "step " << step;
    if (step < 5) {
      EXPECT_EQ(ceremony.caption(), "揭晓 " + std::to_string(step) + "/5");
    }
    // A score change during the reveal moves nothing: the last place now leads.
    if (step == 2) {
      ASSERT_TRUE(quillet.setScore(8, "20"));
    }
  }
  EXPECT_TRUE(pumpUntil([&] { return ceremony.caption() == "揭晓"; }));
  // Drawn again, the ranking shows the scores of now: six ranks.
  clickButton(quillet.console, IDC_MODE_INDIVIDUAL);
  EXPECT_EQ(ceremony.bandsOnceCount(6).size(), 6u);

  clickButton(quillet.console, IDC_MODE_GROUP);
  const Bands groups = ceremony.bandsOnceCount(3);  // 21, 14, 7
  ASSERT_EQ(groups.size(), 3u);
  clickButton(quillet.console, IDC_REVEAL);
  EXPECT_EQ(ceremony.bandsOnceThey(lowest(groups, 1), "group-1.bmp"), lowest(groups, 1));
  HWND list = GetDlgItem(quillet.console, IDC_ROSTER_LIST);
  postKey(list, VK_F10);
  EXPECT_EQ(ceremony.bandsOnceThey(lowest(groups, 2), "group-2.bmp"), lowest(groups, 2));
  postKey(list, VK_RIGHT);
  EXPECT_EQ(ceremony.bandsOnceThey(groups, "group-3.bmp"), groups);

  const std::vector<std::string> expected = {"开始揭晓 个人排名", "修改 队9（组3） 分数 0 -> 20", "揭晓完成",
                                             "开始揭晓 小组排名", "揭晓完成"};
  EXPECT_TRUE(pumpUntil([&] { return quillet.logCount() == 6 + static_cast<int>(expected.size()); }));
  const std::vector<std::string> log = quillet.logTexts();
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<std::ptrdiff_t>(expected.size()), log.end()), expected);
  EXPECT_EQ(quillet.close(), 0u);
}
