#include "app/settings.h"

#include <gtest/gtest.h>

#include "kqcore/config_defaults.h"
#include "tests/native/test_files.h"

namespace {

// The settings calls of the core component over a store file.
struct StoreCalls {
  ConfigStore store{configDefaults()};
  int getConfigInt(const std::string& k) const { return store.getInt(k); }
  std::string getConfigStr(const std::string& k) const { return store.getStr(k); }
  std::uint32_t getConfigClr(const std::string& k) const { return store.getClr(k); }
  int getConfigB(const std::string& k) const { return store.getB(k); }
  void saveConfigInt(const std::string& k, int v) { store.saveInt(k, v); }
  void saveConfigStr(const std::string& k, const std::string& v) { store.saveStr(k, v); }
  void saveConfigB(const std::string& k, int v) { store.saveB(k, v); }
};

}  // namespace

TEST(Settings, ShutdownValuesSurviveARestart) {
  TempFolder dir;
  const std::string path = dir.file("Quillet.cfg");
  {
    StoreCalls s;
    s.store.open(path, path);
    app::readSettings(s);
    app::on = 1;
    app::displayMode = GroupRanking;
    app::scorestepdefault = " 2.5";
    app::saveShutdownSettings(s);
  }
  StoreCalls s;
  s.store.open(path, path);
  app::on = 0;
  app::scorestepdefault.clear();
  app::readSettings(s);
  EXPECT_EQ(app::on, 1);
  EXPECT_EQ(app::scorestepdefault, " 2.5");
  EXPECT_EQ(s.store.getInt("uityp"), 3);
}

TEST(Settings, FullWidthCommasOfTheQuickStepsBecomeAsciiAtStart) {
  StoreCalls s;
  s.store.parse("scoresteps=1，2,5，10\r\n");
  app::readSettings(s);
  EXPECT_EQ(app::scoresteps, "1,2,5,10");
  EXPECT_EQ(s.store.getStr("scoresteps"), "1，2,5，10");  // the store keeps what was typed
}

TEST(Settings, ValuesOutsideTheDialogRangesAreClamped) {
  StoreCalls s;
  s.store.parse("xsw=7\r\ncols=0\r\nwidth=-5\r\nheight=90000\r\nscoreinit=-20\r\n");
  app::readSettings(s);
  EXPECT_EQ(app::xsw, 2);
  EXPECT_EQ(app::cols, 1);
  EXPECT_EQ(app::width, 100);
  EXPECT_EQ(app::height, 2000);
  EXPECT_EQ(app::scoreinit, -20);  // no range of its own

  s.store.parse("xsw=-1\r\ncols=11\r\nwidth=8001\r\nheight=99\r\n");
  app::readSettings(s);
  EXPECT_EQ(app::xsw, 0);
  EXPECT_EQ(app::cols, 10);
  EXPECT_EQ(app::width, 8000);
  EXPECT_EQ(app::height, 100);
}

TEST(Settings, AnEmptyStoreGivesAUsableFirstStart) {
  StoreCalls s;
  app::readSettings(s);
  EXPECT_EQ(app::width, 1024);
  EXPECT_EQ(app::height, 768);
  EXPECT_EQ(app::scoresteps, "1,2,5,10");
  EXPECT_NE(app::clrtitle, app::clrteam);
  EXPECT_FALSE(app::title.empty());
  EXPECT_EQ(app::fill, 0);  // the output window at the settings' size until asked otherwise

  s.store.parse("fill=1\r\n");
  app::readSettings(s);
  EXPECT_EQ(app::fill, 1);
}
