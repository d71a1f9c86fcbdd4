#include "contest/journal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "contest/event_model.h"
#include "contest/resume.h"
#include "kqcore/file_io.h"
#include "tests/log_stamp.h"
#include "tests/native/test_files.h"

namespace {

// Trail bytes 0x5C ("\") and 0x60 ("`") inside two-byte GBK characters.
const char kTrail5C[] = "\x81\x5C";
const char kTrail60[] = "\x81\x60";

struct MemoryJournal : JournalSink {
  bool append(const std::string& records) override {
    text += records;
    return true;
  }
  std::string text;
};

// A contest with its own storage, journalled to memory from the first roster load on.
struct Contest {
  explicit Contest(const std::string& roster) : model(startingAt(5), [this] { return now(); }) {
    model.reload(roster);
    model.attachJournal(&journal, true);
  }
  static Settings startingAt(int score) {
    Settings s = defaultSettings();
    s.scoreinit = score;
    s.judges = 3;
    return s;
  }
  void reload(const std::string& roster, int score) {
    model.applySettings(startingAt(score));
    model.reload(roster);
  }
  const ContestantRecord* rows() const { return model.rows(); }
  int count() const { return model.count(); }
  LocalTime now() {
    ++ticks;
    return LocalTime{2024, 5, 1, 9 + ticks / 3600 % 10, ticks / 60 % 60, ticks % 60};
  }
  int ticks = 0;
  MemoryJournal journal;
  EventModel model;
};

std::string roster() {
  return std::string("A") + kTrail5C + ",\xD2\xBB\xD7\xE9\r\n" + kTrail60 + "B,g\\2\r\nC\tD,\r\nE,F\r\n";
}

// A value as the operator would type it: enough digits to give the float back exactly.
std::string typed(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

ScoreStep step(int row, float from, float to) {
  ScoreStep s;
  s.row = row;
  s.oldScore = from;
  s.newScore = to;
  s.changeText = "x";
  return s;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectSameSteps(const std::vector<ScoreStep>& a, const std::vector<ScoreStep>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].row, b[i].row);
    EXPECT_TRUE(sameBits(a[i].oldScore, b[i].oldScore));
    EXPECT_TRUE(sameBits(a[i].newScore, b[i].newScore));
    EXPECT_EQ(a[i].changeText, b[i].changeText);
    EXPECT_EQ(a[i].panel, b[i].panel);
    EXPECT_TRUE(a[i].oldPanel == b[i].oldPanel && a[i].newPanel == b[i].newPanel);
  }
}

// The replay holds exactly the live contest.
void expectReplayIsLive(const journal::Replay& r, const Contest& c) {
  ASSERT_EQ(r.status, journal::Replay::Ok) << r.problem;
  ASSERT_EQ(static_cast<int>(r.rows.size()), c.count());
  for (int i = 0; i < c.count(); ++i) {
    EXPECT_STREQ(r.rows[i].name, c.rows()[i].name);
    EXPECT_STREQ(r.rows[i].group, c.rows()[i].group);
    EXPECT_TRUE(sameBits(r.rows[i].score, c.rows()[i].score)) << i;
  }
  ASSERT_EQ(static_cast<int>(r.panels.size()), c.count());
  for (int i = 0; i < c.count(); ++i) EXPECT_TRUE(r.panels[i] == c.model.panel(i)) << "panel " << i;
  expectSameSteps(r.done, c.model.undoHistory());
  expectSameSteps(r.undone, c.model.redoHistory());
  EXPECT_EQ(r.logLines, c.model.logLines());
}

}  // namespace

TEST(Journal, AThousandRandomChangesUndosAndRedosReplayToTheLiveContest) {
  Contest c(roster());
  std::mt19937 random(20240501);
  int changes = 0;
  for (int i = 0; i < 1000; ++i) {
    const int pick = static_cast<int>(random() % 10);
    const int row = static_cast<int>(random() % 4);
    // Values that do not add up exactly in a float, large and small, negative and zero.
    const float value = std::ldexp(static_cast<float>(random() % 100000) / 7.0f, static_cast<int>(random() % 40) - 20) *
                        (random() % 2 ? 1.0f : -1.0f);
    if (pick < 2) {
      changes += c.model.undo();
    } else if (pick < 3) {
      changes += c.model.redo();
    } else if (pick < 4) {
      c.model.appendLog("导出计分结果");
    } else if (pick < 5) {
      // A panel entry or a correction: three judges, one of them sometimes without a score.
      std::vector<std::int32_t> scores;
      for (int k = 0; k < 3; ++k)
        scores.push_back(random() % 5 ? static_cast<std::int32_t>(random() % 2001) - 1000 : kNoScore);
      changes += c.model.applyPanel(row, scores) == PanelOutcome::Applied;
    } else {
      const ScoreOp op = pick < 6 ? ScoreOp::Set : pick < 8 ? ScoreOp::Add : ScoreOp::Subtract;
      changes += c.model.applyScore(ScoreRequest{row, op, typed(value)}) == ScoreOutcome::Applied;
    }
  }
  const journal::Replay r = journal::replay(c.journal.text);
  expectReplayIsLive(r, c);
  EXPECT_EQ(r.changes, changes);
  EXPECT_EQ(r.validLength, c.journal.text.size());
  EXPECT_STREQ(r.rows[0].name, (std::string("A") + kTrail5C).c_str());
  EXPECT_STREQ(r.rows[1].group, "g\\2");
  EXPECT_TRUE(journal::sameContestants(r, c.rows(), c.count()));

  // A reload starts the count again and ends the history.
  c.reload(roster(), 1);
  c.model.applyScore(ScoreRequest{2, ScoreOp::Add, "1.0"});
  const journal::Replay again = journal::replay(c.journal.text);
  expectReplayIsLive(again, c);
  EXPECT_EQ(again.changes, 1);
}

TEST(Journal, ACutInsideTheLastRecordRestoresEveryCompleteRecord) {
  Contest c(roster());
  c.model.applyScore(ScoreRequest{0, ScoreOp::Add, "0.1"});
  c.model.applyScore(ScoreRequest{1, ScoreOp::Set, "7.25"});
  c.model.undo();
  const std::string before = c.journal.text;
  const journal::Replay complete = journal::replay(before);
  c.model.applyScore(ScoreRequest{3, ScoreOp::Subtract, "1e-3"});
  const std::string full = c.journal.text;
  // The change wrote two records (the score, then its log line); the last begins here.
  const std::size_t lastStart = full.rfind("\r\n", full.size() - 3) + 2;
  const journal::Replay withScore = journal::replay(full.substr(0, lastStart));
  ASSERT_EQ(withScore.status, journal::Replay::Ok);
  EXPECT_EQ(withScore.changes, complete.changes + 1);
  for (std::size_t cut = lastStart; cut < full.size(); ++cut) {
    const journal::Replay r = journal::replay(full.substr(0, cut));
    ASSERT_EQ(r.status, journal::Replay::Ok) << cut;
    EXPECT_EQ(r.validLength, lastStart) << cut;
    EXPECT_EQ(r.logLines.size(), complete.logLines.size()) << cut;
    EXPECT_TRUE(sameBits(r.rows[3].score, withScore.rows[3].score)) << cut;
  }
  // Cut anywhere in the score record itself: the state before that change.
  for (std::size_t cut = before.size(); cut < lastStart; ++cut) {
    const journal::Replay r = journal::replay(full.substr(0, cut));
    ASSERT_EQ(r.status, journal::Replay::Ok) << cut;
    EXPECT_EQ(r.validLength, before.size());
    EXPECT_EQ(r.changes, complete.changes);
    EXPECT_TRUE(sameBits(r.rows[3].score, 5.0f));
  }
  expectReplayIsLive(journal::replay(full), c);
}

TEST(Journal, AGarbledJournalIsRefusedCleanly) {
  Contest c(roster());
  c.model.applyScore(ScoreRequest{0, ScoreOp::Add, "2.0"});
  c.model.applyScore(ScoreRequest{1, ScoreOp::Add, "3.0"});
  const std::string good = c.journal.text;
  ASSERT_EQ(journal::replay(good).status, journal::Replay::Ok);

  std::string flipped = good;
  flipped[good.size() / 2] ^= 0x01;  // one bit in a complete line
  std::string garbage;
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) garbage += static_cast<char>(random());
  // Each record checks out on its own but does not fit the contest before it.
  const std::string header = journal::headerRecord();
  ContestantRecord row = {};
  std::strcpy(row.name, "X");
  const std::string rosterLine = journal::rosterRecord("2024-05-01 09:00:00", 4, 1, &row, 1);
  const std::string wrongOld = journal::scoreRecord("2024-05-01 09:00:01", row, step(0, 9.0f, 1.0f));
  const std::vector<std::string> bad = {
      flipped,
      garbage,
      "名单\r\nA,B\r\n",
      header + journal::undoRecord("2024-05-01 09:00:01"),  // nothing to undo
      header + rosterLine + wrongOld,                       // starts from a score the row never had
      header + rosterLine + journal::redoRecord("2024-05-01 09:00:01"),
      header + "log\t2024\tzzzzzzzz\r\n",
  };
  for (const std::string& text : bad) {
    const journal::Replay r = journal::replay(text + "\r\n");
    EXPECT_EQ(r.status, journal::Replay::Garbled) << text.substr(0, 40);
    EXPECT_FALSE(r.problem.empty());
  }
  // Only the start of the first line (the very first write was cut): empty, not garbled.
  EXPECT_EQ(journal::replay(header.substr(0, 5)).status, journal::Replay::Empty);
  EXPECT_EQ(journal::replay("").status, journal::Replay::Empty);
}

TEST(Journal, FieldsKeepEveryByteOfGbkText) {
  const std::string tricky = std::string(kTrail5C) + "\\t" + kTrail60 + "\t\r\n\\" + kTrail5C;
  const std::string escaped = journal::escapeField(tricky);
  EXPECT_EQ(escaped.find('\t'), std::string::npos);
  EXPECT_EQ(escaped.find('\r'), std::string::npos);
  EXPECT_EQ(escaped.substr(0, 2), kTrail5C);  // a trail byte is not escaped
  std::string back;
  ASSERT_TRUE(journal::unescapeField(escaped, back));
  EXPECT_EQ(back, tricky);
  EXPECT_FALSE(journal::unescapeField("a\\x", back));
  EXPECT_FALSE(journal::unescapeField("a\\", back));
}

TEST(Journal, ARestoredModelGoesOnFromWhereTheJournalEnded) {
  Contest first(roster());
  first.model.applyScore(ScoreRequest{0, ScoreOp::Add, "0.3"});
  first.model.applyScore(ScoreRequest{2, ScoreOp::Set, "-1.5"});
  first.model.applyScore(ScoreRequest{1, ScoreOp::Add, "1.0"});
  first.model.undo();
  const journal::Replay previous = journal::replay(first.journal.text);
  ASSERT_EQ(previous.changes, 4);

  Contest second(roster());
  second.journal.text = first.journal.text;  // the program goes on appending to the same file
  second.model.attachJournal(&second.journal, false);
  second.model.restore(previous);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(sameBits(second.rows()[i].score, first.rows()[i].score)) << i;
  EXPECT_TRUE(second.model.canUndo());
  EXPECT_TRUE(second.model.canRedo());
  const std::vector<std::string>& log = second.model.logLines();
  ASSERT_EQ(log.size(), first.model.logLines().size() + 1);
  EXPECT_EQ(textAfterStamp(log.back()), "恢复上次的计分（4 次改动）");
  ASSERT_TRUE(second.model.redo());
  EXPECT_TRUE(sameBits(second.rows()[1].score, 6.0f));

  // A crash right after: the journal restores the same again, the restore counted once.
  const journal::Replay again = journal::replay(second.journal.text);
  expectReplayIsLive(again, second);
  EXPECT_EQ(again.changes, 5);
}

TEST(Journal, AnAppendFileDropsACutTailAndAppendsAfterTheLastRecord) {
  TempFolder folder;
  const std::string path = folder.file("Quillet.journal");
  writeAll(path, "one\r\ntwo\r\nthr");
  {
    fileio::AppendFile file;
    ASSERT_TRUE(file.open(path, 10));
    ASSERT_TRUE(file.append("four\r\n"));
  }
  EXPECT_EQ(readAll(path), "one\r\ntwo\r\nfour\r\n");
  writeAll(folder.file("kept.journal"), "kept");
  EXPECT_FALSE(fileio::rename(path, folder.file("kept.journal")));  // never replaces a file
  EXPECT_EQ(readAll(folder.file("kept.journal")), "kept");
  ASSERT_TRUE(fileio::rename(path, folder.file("old.journal")));
  EXPECT_EQ(readAll(folder.file("old.journal")), "one\r\ntwo\r\nfour\r\n");
}

TEST(Resume, WhatHappensToThePreviousJournalAndWhatTheOperatorIsAsked) {
  Contest c(roster());
  EXPECT_EQ(resume::choose(journal::replay(c.journal.text), c.rows(), c.count()), resume::Choice::Fresh);
  c.model.applyScore(ScoreRequest{0, ScoreOp::Add, "1.0"});
  c.model.undo();
  const journal::Replay previous = journal::replay(c.journal.text);
  EXPECT_EQ(resume::choose(previous, c.rows(), c.count()), resume::Choice::Ask);
  EXPECT_EQ(resume::question(previous), "发现上次比赛的计分记录（2 次改动，最后一次 " + previous.lastChangeStamp +
                                            "）。要恢复这些分数和操作日志吗？");
  EXPECT_EQ(previous.lastChangeStamp, c.model.logLines().back().substr(0, 19));

  ContestantRecord other[kContestantRows] = {};
  std::memcpy(other, c.rows(), sizeof other);
  std::swap(other[0], other[1]);  // same names, other order
  EXPECT_EQ(resume::choose(previous, other, c.count()), resume::Choice::Differs);
  EXPECT_EQ(resume::choose(previous, c.rows(), c.count() - 1), resume::Choice::Differs);

  c.reload(roster(), 0);  // changes before the last load only
  EXPECT_EQ(resume::choose(journal::replay(c.journal.text), c.rows(), c.count()), resume::Choice::SetAside);
  EXPECT_EQ(resume::choose(journal::replay("x\r\n"), c.rows(), c.count()), resume::Choice::Unreadable);
  EXPECT_EQ(resume::datedName("20240501-093005", 1), "Quillet-20240501-093005.journal");
  EXPECT_EQ(resume::datedName("20240501-093005", 2), "Quillet-20240501-093005-2.journal");
}

TEST(Journal, APanelRecordKeepsWhichScoresCameFromPhonesAndOlderRecordsStillRead) {
  Contest c(roster());
  ASSERT_EQ(c.model.applyPanel(0, {900, 850, kNoScore}, {1, 3}), PanelOutcome::Applied);
  journal::Replay r = journal::replay(c.journal.text);
  ASSERT_EQ(r.status, journal::Replay::Ok);
  ASSERT_EQ(r.done.size(), 1u);
  EXPECT_EQ(r.done[0].phones, "1,3");

  // A journal written before phones were recorded: the record ends at the entry.
  const std::size_t at = c.journal.text.find("panel\t");
  ASSERT_NE(at, std::string::npos);
  const std::size_t end = c.journal.text.find("\r\n", at);
  std::string body = c.journal.text.substr(at, end - at);
  body = body.substr(0, body.rfind('\t'));  // the check
  body = body.substr(0, body.rfind('\t'));  // the phones
  char check[9];
  std::snprintf(check, sizeof check, "%08x", static_cast<unsigned>(journal::hashBytes(body)));
  const std::string old = c.journal.text.substr(0, at) + body + "\t" + check + c.journal.text.substr(end);
  r = journal::replay(old);
  ASSERT_EQ(r.status, journal::Replay::Ok) << r.problem;
  EXPECT_EQ(r.done[0].phones, "");
  EXPECT_EQ(r.panels[0].result.finalHundredths, 875);
}
