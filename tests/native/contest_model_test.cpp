#include "contest/contest_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/log_stamp.h"

namespace {

// A model over its own storage, with a clock that ticks one second per call.
struct ModelRun : ContestObserver {
  ModelRun() : model(ContestStorage{rows, &count, &mode, &on}, [this] { return tick(); }) {
    model.addObserver(this);
    model.reload("A01,一组\r\nB02,二组\r\nC03\r\n", 10.0f);
    events.clear();
  }
  LocalTime tick() {
    LocalTime t{2024, 5, 1, 9, 30, seconds};
    seconds = (seconds + 1) % 60;
    return t;
  }
  void rowChanged(int row) override { events.push_back("row " + std::to_string(row)); }
  void rowsReset() override { events.push_back("reset"); }
  void logAppended(const std::string& line) override { events.push_back("log " + line); }
  void displayModeChanged(int m) override { events.push_back("mode " + std::to_string(m)); }
  void outputSwitchChanged(bool o) override { events.push_back(o ? "on" : "off"); }
  void historyChanged() override { events.push_back("history"); }

  ContestantRecord rows[kContestantRows];
  std::int32_t count = 0, mode = 0, on = 0;
  int seconds = 5;
  std::vector<std::string> events;
  ContestModel model;
};

}  // namespace

TEST(ContestModel, AChangeUpdatesTheRowThenLogsAndTellsInThatOrder) {
  ModelRun r;
  ASSERT_TRUE(r.model.applyScore(ScoreRequest{1, ScoreOp::Add, 2.5f, "B02（二组） +2.5"}));
  EXPECT_EQ(r.rows[1].score, 12.5f);
  const std::vector<std::string> expected = {"row 1", "log 2024-05-01 09:30:05 B02（二组） +2.5", "history"};
  EXPECT_EQ(r.events, expected);
  EXPECT_EQ(r.model.logLines().back(), "2024-05-01 09:30:05 B02（二组） +2.5");
  EXPECT_TRUE(r.model.canUndo());
  EXPECT_FALSE(r.model.canRedo());
}

TEST(ContestModel, RefusedRequestsChangeAndLogNothing) {
  ModelRun r;
  EXPECT_FALSE(r.model.applyScore(ScoreRequest{3, ScoreOp::Set, 1.0f, "x"}));  // not a live row
  EXPECT_FALSE(r.model.applyScore(ScoreRequest{-1, ScoreOp::Set, 1.0f, "x"}));
  r.model.applyScore(ScoreRequest{0, ScoreOp::Set, 3.0e38f, "big"});
  r.events.clear();
  EXPECT_FALSE(r.model.applyScore(ScoreRequest{0, ScoreOp::Add, 3.0e38f, "beyond a float"}));
  EXPECT_EQ(r.rows[0].score, 3.0e38f);
  EXPECT_TRUE(r.events.empty());
  EXPECT_EQ(r.model.logLines().size(), 1u);
}

TEST(ContestModel, UndoAndRedoRestoreExactFloatsLogAndANewChangeClearsRedo) {
  ModelRun r;
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, 0.1f, "A +0.1"});
  r.model.applyScore(ScoreRequest{0, ScoreOp::Subtract, 0.7f, "A -0.7"});
  const float afterBoth = r.rows[0].score;
  ASSERT_TRUE(r.model.undo());
  EXPECT_EQ(r.rows[0].score, static_cast<float>(10.0 + 0.1f));
  ASSERT_TRUE(r.model.undo());
  EXPECT_EQ(r.rows[0].score, 10.0f);
  EXPECT_FALSE(r.model.undo());
  ASSERT_TRUE(r.model.redo());
  ASSERT_TRUE(r.model.redo());
  EXPECT_EQ(r.rows[0].score, afterBoth);
  EXPECT_FALSE(r.model.redo());
  const std::vector<std::string>& log = r.model.logLines();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(textAfterStamp(log[2]), "撤销 A -0.7");
  EXPECT_EQ(textAfterStamp(log[3]), "撤销 A +0.1");
  EXPECT_EQ(textAfterStamp(log[4]), "重做 A +0.1");

  r.model.undo();
  EXPECT_TRUE(r.model.canRedo());
  r.model.applyScore(ScoreRequest{2, ScoreOp::Set, -4.0f, "C"});
  EXPECT_FALSE(r.model.canRedo());
}

TEST(ContestModel, AReloadReplacesTheRowsAndEndsTheHistory) {
  ModelRun r;
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, 1.0f, "A +1"});
  r.model.undo();
  r.events.clear();
  const RosterResult result = r.model.reload("X,y\r\n", 2.0f);
  EXPECT_EQ(result.loaded, 1);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(std::string(r.rows[0].name), "X");
  EXPECT_EQ(std::string(r.rows[1].name), "");
  EXPECT_FALSE(r.model.canUndo());
  EXPECT_FALSE(r.model.canRedo());
  const std::vector<std::string> expected = {"reset", "history"};
  EXPECT_EQ(r.events, expected);
}

TEST(ContestModel, ModeAndSwitchAreToldOnlyWhenTheyChange) {
  ModelRun r;
  r.model.setDisplayMode(0);
  r.model.setDisplayMode(2);
  r.model.setOutputOn(false);
  r.model.setOutputOn(true);
  EXPECT_EQ(r.mode, 2);
  EXPECT_EQ(r.on, 1);
  const std::vector<std::string> expected = {"mode 2", "on"};
  EXPECT_EQ(r.events, expected);
}
