#include "contest/settings.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/native/test_files.h"

TEST(Settings, TheTableDescribesEachKeyOnceWithOneMemberOfItsType) {
  std::set<std::string> keys;
  std::set<int> controls;
  for (const SettingRow& row : settingsTable()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    if (row.control) {
      EXPECT_TRUE(controls.insert(row.control).second) << row.key;
    }
    const int members = (row.number ? 1 : 0) + (row.text ? 1 : 0) + (row.colour ? 1 : 0);
    EXPECT_EQ(members, 1) << row.key;
    EXPECT_EQ(row.number != nullptr, row.type != SettingType::Text && row.type != SettingType::Colour) << row.key;
    if (row.ranged()) {
      EXPECT_NE(std::string(row.message ? row.message : row.what), "") << row.key;
    }
    EXPECT_EQ(settingRow(row.key), &row);
  }
  // Every key a store has ever been given reads as a default.
  EXPECT_EQ(settingsDefaults().size(), keys.size());
}

TEST(Settings, ShutdownValuesSurviveARestartAndOptionsAreSavedWithoutThem) {
  TempFolder dir;
  const std::string path = dir.file("Quillet.cfg");
  {
    ConfigStore store(settingsDefaults());
    store.open(path, path);
    Settings s = readSettings(store);
    s.on = 1;
    s.uityp = 3;
    s.scorestepdefault = " 2.5";
    s.title = "not saved at close";
    saveSettings(store, s, SavedAtClose);
    EXPECT_EQ(store.serialise(), "on=1\r\nuityp=3\r\nscorestepdefault= 2.5\r\n");
  }
  ConfigStore store(settingsDefaults());
  store.open(path, path);
  Settings s = readSettings(store);
  EXPECT_EQ(s.on, 1);
  EXPECT_EQ(s.scorestepdefault, " 2.5");
  EXPECT_EQ(s.uityp, 3);
  EXPECT_EQ(s.title, defaultSettings().title);

  s.cols = 5;
  saveSettings(store, s, SavedByOptions);
  // The options in the order the dialog always saved them, after the keys already there.
  const std::string saved = store.serialise();
  EXPECT_EQ(saved.rfind("on=1\r\nuityp=3\r\nscorestepdefault= 2.5\r\nxsw=1\r\ncols=5\r\nscoreinit=0\r\n", 0), 0u)
      << saved;
  ConfigStore again(settingsDefaults());
  again.open(path, path);
  EXPECT_EQ(readSettings(again), s);
}

TEST(Settings, FullWidthCommasOfTheQuickStepsBecomeAsciiAtStart) {
  ConfigStore store(settingsDefaults());
  store.parse("scoresteps=1，2,5，10\r\n");
  EXPECT_EQ(readSettings(store).scoresteps, "1,2,5,10");
  EXPECT_EQ(store.getStr("scoresteps"), "1，2,5，10");  // the store keeps what was typed
}

TEST(Settings, ValuesOutsideTheDialogRangesAreClamped) {
  ConfigStore store(settingsDefaults());
  store.parse("xsw=7\r\ncols=0\r\nwidth=-5\r\nheight=90000\r\nscoreinit=-20\r\n");
  Settings s = readSettings(store);
  EXPECT_EQ(s.xsw, 2);
  EXPECT_EQ(s.cols, 1);
  EXPECT_EQ(s.width, 100);
  EXPECT_EQ(s.height, 2000);
  EXPECT_EQ(s.scoreinit, -20);  // no range of its own

  store.parse("xsw=-1\r\ncols=11\r\nwidth=8001\r\nheight=99\r\n");
  s = readSettings(store);
  EXPECT_EQ(s.xsw, 0);
  EXPECT_EQ(s.cols, 10);
  EXPECT_EQ(s.width, 8000);
  EXPECT_EQ(s.height, 100);
}

TEST(Settings, AnEmptyStoreGivesAUsableFirstStart) {
  ConfigStore store(settingsDefaults());
  Settings s = readSettings(store);
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 768);
  EXPECT_EQ(s.scoresteps, "1,2,5,10");
  EXPECT_NE(s.clrtitle, s.clrteam);
  EXPECT_FALSE(s.title.empty());
  EXPECT_EQ(s.fill, 0);  // the output window at the settings' size until asked otherwise
  EXPECT_EQ(s, defaultSettings());

  store.parse("fill=1\r\n");
  EXPECT_EQ(readSettings(store).fill, 1);
}
