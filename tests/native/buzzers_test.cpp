#include "contest/buzzers.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "contest/settings.h"
#include "kqcore/config_store.h"
#include "kqcore/text_codec.h"
#include "net/board_json.h"
#include "net/board_state.h"
#include "scoreboard/frame_change.h"
#include "scoreboard/screen_frame.h"
#include "tests/log_stamp.h"
#include "tests/native/fake_measure.h"

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

// ---- the buzzers in the event: what the audience sees, the log and the winner's row ------

namespace {

struct Quiz : EventObserver {
  Quiz() : model(settings(), [] { return LocalTime{2024, 5, 1, 9, 30, 0}; }) {
    model.reload("一队,甲组\r\n二队,乙组\r\n三队,甲组\r\n");
    model.addObserver(this);
  }
  static Settings settings() {
    Settings s = defaultSettings();
    s.buzzerkeys =
        encodeBuzzerKeys({BuzzerKey{"一队", kBoxA, '1'}, BuzzerKey{"二队", kBoxB, '1'}, BuzzerKey{"三队", "", 'Z'}});
    s.buzzlockout = 1;
    return s;
  }
  void buzzerWon(int row) override { won.push_back(row); }
  std::string lastLog() const { return textAfterStamp(model.logLines().back()); }
  EventModel model;
  std::vector<int> won;
};

}  // namespace

TEST(BuzzerEvent, ArmPressShowLogAndReset) {
  Quiz q;
  q.model.buzzerInput({down("", 'Z', 1)});
  EXPECT_EQ("提前抢答 三队（甲组）", q.lastLog());
  EXPECT_EQ("三队 提前抢答", q.model.snapshot()->buzzer.text());  // shown by default
  ASSERT_TRUE(q.model.armBuzzers());
  EXPECT_FALSE(q.model.armBuzzers());
  EXPECT_EQ("开始抢答", q.lastLog());
  EXPECT_EQ("请抢答", q.model.snapshot()->buzzer.text());
  // The false starter sits this question out; box B wins on its own device.
  q.model.buzzerInput({up("", 'Z', 2), down("", 'Z', 3), down(kBoxB, '1', 4), down(kBoxA, '1', 5)});
  EXPECT_EQ("抢答 二队（乙组）", q.lastLog());
  EXPECT_EQ(std::vector<int>{1}, q.won);
  const SnapshotPtr s = q.model.snapshot();
  EXPECT_EQ(BuzzerView::Winner, s->buzzer.kind);
  EXPECT_EQ(1, s->buzzer.row);
  EXPECT_EQ("二队 抢答", s->buzzer.text());
  ASSERT_TRUE(q.model.resetBuzzers());
  EXPECT_EQ("抢答复位", q.lastLog());
  EXPECT_EQ(BuzzerView::None, q.model.snapshot()->buzzer.kind);
  EXPECT_FALSE(q.model.resetBuzzers());
}

TEST(BuzzerEvent, TheOverlayOnTheOutputAndInTheWebState) {
  Quiz q;
  q.model.armBuzzers();
  q.model.buzzerInput({down(kBoxA, '1', 1)});
  const SnapshotPtr s = q.model.snapshot();
  const FakeMeasure m;
  const ScreenFrame frame = composeScreen(*s, Scoring, 1200, 900, ScreenPictures(), BoardLayout{}, m.fn());
  const TextRun& run = frame.runs.texts.back();
  EXPECT_EQ("一队 抢答", run.text);
  EXPECT_EQ(150, run.size);               // a sixth of the height
  EXPECT_EQ((1200 - 9 * 75) / 2, run.x);  // centred: 4 characters and a space
  EXPECT_EQ(s->settings.clrtitle, run.colour);
  EXPECT_TRUE(run.style & kClock);  // redrawn alone, like the clock
  const nlohmann::json board = nlohmann::json::parse(boardJson(boardState(*s)));
  EXPECT_EQ("winner", board["buzzer"]["kind"]);
  EXPECT_EQ(codec::gbkToUtf8("一队"), board["buzzer"]["name"]);
  EXPECT_EQ(codec::gbkToUtf8("一队 抢答"), board["buzzer"]["text"]);
  q.model.resetBuzzers();
  EXPECT_TRUE(nlohmann::json::parse(boardJson(boardState(*q.model.snapshot())))["buzzer"].is_null());
}

TEST(BuzzerLearning, AsksEachTeamRefusesATakenKeySkipsAndGoesBack) {
  BuzzerLearning learn({"一队", "二队", "三队"}, {BuzzerKey{"三队", "", 'Z'}});
  EXPECT_EQ("请按下 一队 的抢答键", learn.prompt());
  EXPECT_EQ("", learn.press(kBoxA, '1'));
  // Box A's key for another team, and the key learnt alone: refused with the holder's name.
  EXPECT_EQ("这个键已经是 一队 的抢答键，请换一个键。", learn.press(kBoxA, '1'));
  EXPECT_EQ("这个键已经是 三队 的抢答键，请换一个键。", learn.press(kBoxB, 'Z'));
  EXPECT_EQ("请按下 二队 的抢答键", learn.prompt());
  EXPECT_EQ("", learn.press(kBoxB, '1'));  // the same key on the other box
  learn.back();
  EXPECT_EQ("", learn.press(kBoxB, '2'));  // learnt again: replaced, not added
  learn.skip();                            // 三队 keeps Z
  EXPECT_TRUE(learn.done());
  EXPECT_EQ("", learn.prompt());
  const std::vector<BuzzerKey> expected = {BuzzerKey{"三队", "", 'Z'}, BuzzerKey{"一队", kBoxA, '1'},
                                           BuzzerKey{"二队", kBoxB, '2'}};
  EXPECT_EQ(expected, learn.keys());
}

TEST(BuzzerLearning, TheListNamesKeysAndDevicesKeepsTeamsGoneAndAsksAnyLine) {
  // Two boxes numbered in the order the list shows them; a key of a team the roster lost.
  BuzzerLearning learn({"一队", "二队", "三队"},
                       {BuzzerKey{"二队", kBoxB, 0x61}, BuzzerKey{"旧队", "", ' '}, BuzzerKey{"一队", kBoxA, 'Q'}});
  std::string shown;
  for (const BuzzerListLine& l : buzzerList(learn.teams(), learn.keys()))
    shown += l.name + ":" + l.key + ":" + l.device + (l.asked ? "" : "!") + " ";
  EXPECT_EQ("一队:Q:设备1 二队:小键盘1:设备2 三队:: 旧队:空格:任意设备! ", shown);
  learn.ask(2);
  EXPECT_EQ("请按下 三队 的抢答键", learn.prompt());
  EXPECT_EQ("这个键不能用作抢答键，请换一个键。", learn.press(kBoxA, 0x90));  // Num Lock
  EXPECT_EQ("这个键已经是 旧队 的抢答键，请换一个键。", learn.press(kBoxA, ' '));
  learn.clear("旧队");
  EXPECT_EQ("", learn.press(kBoxA, ' '));
  EXPECT_TRUE(learn.done());
  learn.ask(9);
  EXPECT_TRUE(learn.done());
  EXPECT_EQ("F5", buzzerKeyName(0x74));
  EXPECT_EQ("键E8", buzzerKeyName(0xE8));
  // By group: each group once, in the roster's order.
  const std::vector<std::pair<std::string, std::string>> roster = {
      {"一队", "甲组"}, {"二队", "乙组"}, {"三队", "甲组"}, {"四队", ""}};
  EXPECT_EQ((std::vector<std::string>{"甲组", "乙组"}), buzzerNames(roster, true));
  EXPECT_EQ((std::vector<std::string>{"一队", "二队", "三队", "四队"}), buzzerNames(roster, false));
}

TEST(BuzzerEvent, AGroupsBuzzerNamesTheGroupAndSelectsNoRow) {
  Quiz q;
  Settings s = q.model.settings();
  s.buzzby = 1;
  s.buzzergroupkeys = encodeBuzzerKeys({BuzzerKey{"乙组", "", 'B'}});
  q.model.applyBuzzerSettings(s);
  q.model.armBuzzers();
  q.model.buzzerInput({down(kBoxA, '1', 1), down("", 'B', 2)});  // a team's key is no buzzer now
  EXPECT_EQ("抢答 乙组", q.lastLog());
  EXPECT_EQ(std::vector<int>{-1}, q.won);
  EXPECT_EQ("乙组 抢答", q.model.snapshot()->buzzer.text());
}

TEST(BuzzerEvent, TheNameStandsOnABandClearedOfTheBoardAndBelowAFullScreenClock) {
  // Twenty teams in one column: the scoring board's lines reach the lower middle.
  Quiz q;
  std::string roster;
  for (int k = 0; k < 20; ++k) roster += "队" + std::to_string(k) + ",甲组\r\n";
  q.model.reload(roster);
  Settings s = q.model.settings();
  s.cols = 1;
  s.buzzerkeys = encodeBuzzerKeys({BuzzerKey{"队12", "", 'A'}});
  q.model.applySettings(s);
  q.model.applyBuzzerSettings(s);
  const FakeMeasure m;
  ScreenPictures background;  // the board is laid out on a background picture
  background.backgroundPath = "bg.jpg";
  background.backgroundExists = true;
  auto frame = [&] {
    return composeScreen(*q.model.snapshot(), Scoring, 1200, 900, background, BoardLayout{}, m.fn());
  };
  q.model.armBuzzers();
  q.model.buzzerInput({down("", 'A', 1)});
  const ScreenFrame won = frame();
  const TextRun name = won.runs.texts.back();
  const PixelRect band{0, name.y - name.size / 4, 1200, name.y + name.size + name.size / 4};
  int behind = 0;
  for (const TextRun& t : won.runs.texts) behind += &t != &won.runs.texts.back() && runTouches(t, band, m.fn());
  EXPECT_EQ(0, behind);
  q.model.resetBuzzers();
  behind = 0;
  for (const TextRun& t : frame().runs.texts) behind += runTouches(t, band, m.fn());
  EXPECT_GT(behind, 0) << "no board lines there to clear: the test shows nothing";

  s.timerplace = 2;  // the clock fills the screen
  s.buzztimer = 1;
  q.model.applyTimerSettings(s);
  q.model.applyBuzzerSettings(s);
  q.model.armBuzzers();
  const ScreenFrame armed = frame();
  ASSERT_GE(armed.runs.texts.size(), 2u);
  const TextRun& clock = armed.runs.texts[armed.runs.texts.size() - 2];
  EXPECT_TRUE(clock.style & kClock);
  EXPECT_GE(armed.runs.texts.back().y, clock.y + clock.size) << "请抢答 runs into the clock";
}
