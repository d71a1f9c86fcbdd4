#include "contest/rounds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contest/event_model.h"
#include "contest/journal.h"
#include "kqcore/config_store.h"
#include "tests/log_stamp.h"

namespace {

// 必答题 (+10, nothing off), 抢答题 (+10/-10, 20 s), 风险题 (steps 10,20,30); the first name
// holds the trail bytes 0x5C and 0x7C.
std::vector<Round> quiz() {
  return {Round{"\xB1\xD8\xB4\xF0\xCC\xE2\x81\x5C\x81\x7C", "10", "0", "", 30}, Round{"抢答题", "10", "10", "", 20},
          Round{"风险题", "0.5", "0.5", "10,20,30", 0}};
}

struct MemoryJournal : JournalSink {
  bool append(const std::string& records) override {
    text += records;
    return true;
  }
  std::string text;
};

struct Quiz {
  Quiz() : model(settings(), [] { return LocalTime{2024, 5, 1, 9, 30, 0}; }) {
    model.reload("A01,一组\r\nB02,二组\r\n");
    model.attachJournal(&journal, true);
  }
  static Settings settings() {
    Settings s = defaultSettings();
    s.scorestepdefault = "3";
    s.scoresteps = "1,2";
    s.rounds = encodeRounds(quiz());
    return s;
  }
  std::string lastLog() const { return textAfterStamp(model.logLines().back()); }
  MemoryJournal journal;
  EventModel model;
};

}  // namespace

TEST(Rounds, TheStoredListReadsBackExactlyThroughTheSettingsStore) {
  const std::vector<Round> rounds = quiz();
  ConfigStore store;
  store.saveStr("rounds", encodeRounds(rounds));
  ConfigStore again;
  again.parse(store.serialise());
  std::vector<Round> back;
  ASSERT_TRUE(decodeRounds(again.getStr("rounds"), back));
  EXPECT_EQ(back, rounds);
  ASSERT_TRUE(decodeRounds("", back));
  EXPECT_TRUE(back.empty());
}

TEST(Rounds, ADamagedListIsRefusedWhole) {
  const std::string good = encodeRounds(quiz());
  const std::vector<std::string> damaged = {
      "抢答题\t10\t10\t\t20\n",                         // an empty line: a round without fields
      "抢答题\t10\t10\t20",                             // a field missing
      "抢答题\t10\t10\t\t20\textra",                    // one too many
      "抢答题\tten\t10\t\t20",                          // no number
      "抢答题\t10\t-10\t\t20",                          // a negative value to subtract
      "抢答题\t10\t10\t1,2,3,4,5\t20",                  // five quick steps
      "抢答题\t10\t10\t\t3601",                         // past an hour
      "抢答题\t10\t10\t\t-1",                           //
      "\t10\t10\t\t0",                                  // no name
      "一二三四五六七八九十一二三四五六\t10\t10\t\t0",  // 32 bytes
      "\xB1\t10\t10\t\t0",                              // half a character
      "a\\q\t10\t10\t\t0",                              // an escape that is none
      good + "\n" + good.substr(0, good.size() / 2),
  };
  for (const std::string& text : damaged) {
    std::vector<Round> out = quiz();
    EXPECT_FALSE(decodeRounds(text, out)) << text;
    EXPECT_TRUE(out.empty()) << text;
  }
}

TEST(Rounds, ARefusalNamesTheRoundAndTheField) {
  Round r;
  RoundCheck c = checkRound("抢答题", "10", "十", "", "20", 1, r);
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.round, 1);
  EXPECT_EQ(c.field, RoundField::Subtract);
  EXPECT_EQ(c.message.rfind("第 2 轮“抢答题”的减分", 0), 0u) << c.message;
  c = checkRound("", "10", "0", "", "0", 0, r);
  EXPECT_EQ(c.field, RoundField::Name);
  EXPECT_EQ(c.message.rfind("第 1 轮的名称", 0), 0u) << c.message;
  EXPECT_EQ(checkRound("风险题", "10", "0", "10，20", "4000", 2, r).field, RoundField::Seconds);
  // Full-width commas, as the Chinese input method types them, are taken.
  ASSERT_TRUE(checkRound("风险题", "10", "0", "10，20，30", "0", 2, r).ok);
  EXPECT_EQ(r.steps, "10,20,30");
}

TEST(Rounds, TheCurrentRoundChoosesWhatTheKeysAddAndIsLoggedAndJournalled) {
  Quiz q;
  EventModel& m = q.model;
  EXPECT_EQ(m.round(), -1);
  EXPECT_EQ(m.addValue(), "3");
  EXPECT_EQ(m.subtractValue(), "3");
  EXPECT_EQ(m.quickSteps(), "1,2");

  ASSERT_TRUE(m.stepRound(1));
  EXPECT_EQ(m.addValue(), "10");
  EXPECT_EQ(m.subtractValue(), "0");
  EXPECT_EQ(m.quickSteps(), "1,2");  // none of its own: the options' steps
  EXPECT_EQ(m.changeFieldStart(), "10");
  ASSERT_TRUE(m.setRound(2));
  EXPECT_EQ(q.lastLog(), "进入 风险题");
  EXPECT_EQ(m.quickSteps(), "10,20,30");
  EXPECT_EQ(m.snapshot()->roundName, "风险题");
  EXPECT_FALSE(m.stepRound(1));  // the last round stays the last
  EXPECT_FALSE(m.setRound(2));
  EXPECT_FALSE(m.setRound(3));

  // A change in the round, and its undo: the round stays.
  m.applyScore(ScoreRequest{0, ScoreOp::Subtract, m.subtractValue()});
  EXPECT_EQ(q.lastLog(), "A01（一组） -0.5");
  m.undo();
  EXPECT_EQ(m.round(), 2);
  ASSERT_TRUE(m.setRound(1));

  // The journal brings the round back, found by its place and name, or by its name alone.
  const journal::Replay previous = journal::replay(q.journal.text);
  ASSERT_EQ(previous.status, journal::Replay::Ok);
  EXPECT_EQ(previous.round, 2);
  EXPECT_EQ(previous.roundName, "抢答题");
  Quiz next;
  next.model.restore(previous);
  EXPECT_EQ(next.model.round(), 1);
  std::vector<Round> reordered = quiz();
  std::swap(reordered[0], reordered[1]);
  Quiz moved;
  moved.model.applyRounds(reordered, -1);
  moved.model.restore(previous);
  EXPECT_EQ(moved.model.round(), 0);

  // The dialog removed the current round: none is current, and the log says so.
  m.applyRounds({quiz()[0]}, -1);
  EXPECT_EQ(m.round(), -1);
  EXPECT_EQ(q.lastLog(), "进入 不分轮次");
  EXPECT_EQ(m.addValue(), "3");
  EXPECT_EQ(m.settings().rounds, encodeRounds({quiz()[0]}));
}
