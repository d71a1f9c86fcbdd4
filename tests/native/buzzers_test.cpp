#include "contest/buzzers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contest/settings.h"
#include "kqcore/config_store.h"

namespace {

const std::string kBoxA = "\\\\?\\HID#VID_1234&PID_0001&MI_00#7&1a2b&0&0000#{884b96c3}";
const std::string kBoxB = "\\\\?\\HID#VID_1234&PID_0001&MI_00#7&3c4d&0&0000#{884b96c3}";

// Two identical boxes typing the same key, told apart by the device, and a third team on a
// key alone (no device information); the first name holds the trail bytes 0x5C and 0x7C.
std::vector<BuzzerKey> teams() {
  return {BuzzerKey{"\xB6\xD3\x81\x5C\x81\x7C", kBoxA, '1'}, BuzzerKey{"二队", kBoxB, '1'}, BuzzerKey{"三队", "", 'Z'}};
}

BuzzerPress down(const std::string& device, unsigned key, std::uint32_t t) { return {device, key, true, t}; }
BuzzerPress up(const std::string& device, unsigned key, std::uint32_t t) { return {device, key, false, t}; }

// "W0" won by buzzer 0, "F2" a false start by buzzer 2.
std::string outcomes(const std::vector<BuzzerOutcome>& list) {
  std::string s;
  for (const BuzzerOutcome& o : list) s += (o.kind == BuzzerOutcome::Won ? "W" : "F") + std::to_string(o.buzzer) + " ";
  return s;
}

TEST(BuzzerKeys, ReadBackThroughTheSettingsStoreAndDamageRefusedWhole) {
  Settings settings = defaultSettings();
  settings.buzzerkeys = encodeBuzzerKeys(teams());
  settings.buzzlockout = 1;
  ConfigStore store(settingsDefaults());
  saveSettings(store, settings, SavedByBuzzers);  // kept in memory: the store has no file
  ConfigStore again(settingsDefaults());
  again.parse(store.serialise());
  const Settings read = readSettings(again);
  EXPECT_EQ(1, read.buzzlockout);
  std::vector<BuzzerKey> back;
  ASSERT_TRUE(decodeBuzzerKeys(read.buzzerkeys, back));
  EXPECT_EQ(teams(), back);
  ASSERT_TRUE(decodeBuzzerKeys("", back));
  EXPECT_TRUE(back.empty());
  for (const char* bad : {"一队\t\t", "一队\t\t300", "\t\t49", "一队\t49", "一队\t\t49\t1", "一队\t\\q\t49"}) {
    back = teams();
    EXPECT_FALSE(decodeBuzzerKeys(bad, back)) << bad;
    EXPECT_TRUE(back.empty()) << bad;
  }
}

TEST(BuzzerKeys, MatchingAndClashes) {
  const std::vector<BuzzerKey> keys = teams();
  EXPECT_EQ(0, findBuzzer(keys, kBoxA, '1'));
  EXPECT_EQ(1, findBuzzer(keys, kBoxB, '1'));
  EXPECT_EQ(2, findBuzzer(keys, kBoxA, 'Z'));  // learnt by key alone: any device
  EXPECT_EQ(0, findBuzzer(keys, "", '1'));     // no device information: the key decides
  EXPECT_EQ(-1, findBuzzer(keys, kBoxA, '2'));
  EXPECT_EQ(-1, buzzerClash(keys, "四队", "\\\\?\\HID#other", '1'));  // a third box
  EXPECT_EQ(1, buzzerClash(keys, "四队", kBoxB, '1'));
  EXPECT_EQ(0, buzzerClash(keys, "四队", "", '1'));
  EXPECT_EQ(2, buzzerClash(keys, "四队", kBoxB, 'Z'));
  EXPECT_EQ(-1, buzzerClash(keys, "二队", kBoxB, '1'));  // learning a team's own key again
}

TEST(BuzzerLockout, FirstPressWinsAndHeldKeysCountOnce) {
  BuzzerLockout lock;
  lock.arm();
  // Box B's key held (auto-repeat), an unlearnt key, then box A: B alone wins.
  EXPECT_EQ("W1 ", outcomes(lock.feed(teams(), {down(kBoxA, '9', 5), down(kBoxB, '1', 10), down(kBoxB, '1', 40)})));
  EXPECT_EQ(BuzzerLockout::Decided, lock.state());
  EXPECT_EQ("", outcomes(lock.feed(teams(), {down(kBoxA, '1', 50), down("", 'Z', 51)})));
  EXPECT_EQ(1, lock.winner());
  lock.reset();
  // B still held through the reset and the next arming: its repeats are no new press.
  lock.arm();
  EXPECT_EQ("", outcomes(lock.feed(teams(), {down(kBoxB, '1', 70)})));
  EXPECT_EQ("W1 ", outcomes(lock.feed(teams(), {up(kBoxB, '1', 80), down(kBoxB, '1', 90)})));
}

TEST(BuzzerLockout, BatchOrderedByInputTimeTiesByMessage) {
  auto first = [](const std::vector<BuzzerPress>& batch) {
    BuzzerLockout lock;
    lock.arm();
    return outcomes(lock.feed(teams(), batch));
  };
  EXPECT_EQ("W2 ", first({down(kBoxA, '1', 30), down("", 'Z', 20), down(kBoxB, '1', 20)}));
  EXPECT_EQ("W1 ", first({down(kBoxB, '1', 20), down(kBoxA, '1', 20)}));
  // Across the wrap of the input time: 0xFFFFFFF0 came before 0x10.
  EXPECT_EQ("W1 ", first({down(kBoxA, '1', 0x10), down(kBoxB, '1', 0xFFFFFFF0u)}));
}

TEST(BuzzerLockout, FalseStartsLockOutOfTheNextQuestionOnlyWhenOn) {
  for (bool on : {false, true}) {
    BuzzerLockout lock;
    lock.setLockOutFalseStarts(on);
    EXPECT_EQ("F0 F2 ", outcomes(lock.feed(teams(), {down(kBoxA, '1', 1), down("", 'Z', 2), up(kBoxA, '1', 3)})));
    lock.arm();
    // Team 0 presses first; locked out, team 2 (also locked) and then team 1 follow.
    EXPECT_EQ(
        on ? "W1 " : "W0 ",
        outcomes(lock.feed(teams(), {down(kBoxA, '1', 10), up("", 'Z', 11), down("", 'Z', 12), down(kBoxB, '1', 13)})));
    // Locked out of that question only.
    lock.reset();
    EXPECT_TRUE(lock.locked().empty());
    EXPECT_TRUE(lock.lockedNext().empty());
    lock.arm();
    EXPECT_EQ("W0 ", outcomes(lock.feed(teams(), {up(kBoxA, '1', 20), down(kBoxA, '1', 21)})));
  }
}

}  // namespace
