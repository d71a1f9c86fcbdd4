#include "kqcore/config_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "contest/settings.h"
#include "kqcore/file_io.h"
#include "tests/native/test_files.h"

TEST(ConfigStore, RoundTripAcrossARestart) {
  TempFolder dir;
  const std::string path = dir.file("Quillet.cfg");
  {
    ConfigStore store(settingsDefaults());
    store.open(path, path);
    EXPECT_TRUE(store.saveInt("cols", 7));
    EXPECT_TRUE(store.saveStr("title", "  第一届 知识竞赛  "));
    EXPECT_TRUE(store.saveClr("clrteam", 0x80123456u));
    EXPECT_TRUE(store.saveB("on", 5));
    EXPECT_TRUE(store.saveStr("scorestepdefault", "乗\\a\r\nb"));
  }
  ConfigStore again(settingsDefaults());
  again.open(path, path);
  EXPECT_EQ(again.getInt("cols"), 7);
  EXPECT_EQ(again.getStr("title"), "  第一届 知识竞赛  ");
  EXPECT_EQ(again.getClr("clrteam"), 0x80123456u);
  EXPECT_EQ(again.getB("on"), 1);
  EXPECT_EQ(again.getStr("scorestepdefault"), "乗\\a\r\nb");
  // One line per key, CR LF, GBK bytes as given.
  const std::string file = readAll(path);
  EXPECT_NE(file.find("title=  第一届 知识竞赛  \r\n"), std::string::npos);
  EXPECT_NE(file.find("scorestepdefault=乗\\\\a\\r\\nb\r\n"), std::string::npos);
}

TEST(ConfigStore, NeverSavedKeysReadAsUsableDefaults) {
  TempFolder dir;
  ConfigStore store(settingsDefaults());
  store.open(dir.file("missing.cfg"), dir.file("missing.cfg"));
  EXPECT_EQ(store.getInt("width"), 1024);
  EXPECT_EQ(store.getInt("height"), 768);
  EXPECT_GE(store.getInt("cols"), 1);
  EXPECT_EQ(store.getStr("scoresteps"), "1,2,5,10");
  EXPECT_FALSE(store.getStr("title").empty());
  EXPECT_EQ(store.getClr("clrteam") >> 24, 0xFFu);  // an opaque, visible colour
  EXPECT_EQ(store.getInt("no-such-key"), 0);
  EXPECT_EQ(store.getStr("no-such-key"), "");
  EXPECT_FALSE(fileio::exists(dir.file("missing.cfg")));  // reading writes nothing
}

TEST(ConfigStore, DamagedStoreIsReadAroundItsBadLines) {
  ConfigStore store(settingsDefaults());
  store.parse(std::string("\xEF\xBB\xBF") + "cols=3\r\n" + "garbage line\r\n" + "=nokey\r\n" + "width=12x\r\n" +
              "height=99999999999\r\n" + " xsw = 2\n" + std::string("\0\0\x01", 3) + "binary" +
              "\r\ncols=4\r\ntitle=a=b");
  EXPECT_EQ(store.getInt("cols"), 4);      // the later line wins
  EXPECT_EQ(store.getInt("width"), 1024);  // not a number: the default
  EXPECT_EQ(store.getInt("height"), 768);  // does not fit: the default
  EXPECT_EQ(store.getInt("xsw"), 2);       // spaces around the key are forgiven
  EXPECT_EQ(store.getStr("title"), "a=b");
  store.parse(
      "a=1\r\n\xEF\xBB\xBF"
      "b=2\r\n");  // a mark where two files were joined
  EXPECT_EQ(store.getInt("b"), 2);
  // A colour must be a 32-bit ARGB value: a negative one is no colour and reads as the default,
  // and with no usable default at all it is opaque black, never transparent.
  store.parse("clrtitle=-1\r\nclrteam=0x1FFFFFFFF\r\n");
  EXPECT_EQ(store.getClr("clrtitle"), 0xFFFFD700u);
  EXPECT_EQ(store.getClr("clrteam"), 0xFFFFFFFFu);
  ConfigStore bare(ConfigStore::Defaults{{"clrteam", "white"}});
  bare.parse("clrtitle=red\r\n");
  EXPECT_EQ(bare.getClr("clrtitle"), 0xFF000000u);
  EXPECT_EQ(bare.getClr("clrteam"), 0xFF000000u);
  EXPECT_EQ(bare.getClr("none"), 0xFF000000u);
  // Unknown keys survive a rewrite; malformed lines do not.
  store.parse("future=1\r\nbroken\r\n");
  EXPECT_EQ(store.serialise(), "future=1\r\n");
}

TEST(ConfigStore, AFailedSaveLeavesThePreviousStoreIntact) {
  TempFolder dir;
  const std::string path = dir.file("Quillet.cfg");
  ConfigStore store(settingsDefaults());
  store.open(path, path);
  ASSERT_TRUE(store.saveStr("title", "old"));
  const std::string before = readAll(path);

  // A folder in the way of the temporary file makes the write fail.
  ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
  EXPECT_FALSE(store.saveStr("title", "new"));
  EXPECT_EQ(readAll(path), before);
  std::filesystem::remove(path + ".tmp");

  ConfigStore reread(settingsDefaults());
  reread.open(path, path);
  EXPECT_EQ(reread.getStr("title"), "old");
  EXPECT_TRUE(store.saveStr("title", "new"));  // and works again once the obstacle is gone
  reread.open(path, path);
  EXPECT_EQ(reread.getStr("title"), "new");
}

TEST(ConfigStore, AStoreWithNoFileKeepsSavesInMemoryAndWritesNothing) {
  // Saving with no file must not write "" + ".tmp" in the current folder, where a file of
  // that name may belong to someone else.
  TempFolder dir;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  writeAll(dir.file(".tmp"), "someone else's");
  ConfigStore store(settingsDefaults());
  store.parse("cols=3\r\n");
  EXPECT_FALSE(store.saveInt("cols", 5));
  EXPECT_EQ(store.getInt("cols"), 5);
  EXPECT_EQ(readAll(dir.file(".tmp")), "someone else's");
  std::filesystem::current_path(before);
}

TEST(ConfigStore, EscapingNeverSplitsAGbkCharacter) {
  // 乗 ends with 0x5C: it must not be doubled or taken as the start of an escape.
  EXPECT_EQ(configtext::escape("乗n"), "乗n");
  EXPECT_EQ(configtext::unescape("乗n"), "乗n");
  EXPECT_EQ(configtext::unescape(configtext::escape("\\\r\n乗\\n")), "\\\r\n乗\\n");
}
