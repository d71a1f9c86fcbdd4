#include "contest/event_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/log_stamp.h"

namespace {

// A model with a clock that ticks one second per call, telling what it hears.
struct ModelRun : EventObserver {
  explicit ModelRun(int startScore = 10) : model(startingAt(startScore), [this] { return tick(); }) {
    model.addObserver(this);
    model.reload("A01,一组\r\nB02,二组\r\nC03\r\n");
    events.clear();
  }
  static Settings startingAt(int score) {
    Settings s = defaultSettings();
    s.scoreinit = score;
    return s;
  }
  LocalTime tick() {
    LocalTime t{2024, 5, 1, 9, 30, seconds};
    seconds = (seconds + 1) % 60;
    return t;
  }
  void rowChanged(int row) override { events.push_back("row " + std::to_string(row)); }
  void rowsReset() override { events.push_back("reset"); }
  void logAppended(const std::string& line) override { events.push_back("log " + textAfterStamp(line)); }
  void settingsChanged(unsigned rows) override { events.push_back("settings " + std::to_string(rows)); }
  void audienceChanged() override { events.push_back("audience"); }
  void historyChanged() override { events.push_back("history"); }
  float score(int row) const { return model.row(row).score; }
  // The output window exists and shows the screen.
  void showOutput(int screen) {
    model.setOutputLive(true);
    model.setOutputOn(true);
    model.placeOutput(PixelRect{0, 0, 1024, 768});
    model.setScreen(screen);
    events.clear();
  }

  int seconds = 5;
  std::vector<std::string> events;
  EventModel model;
};

}  // namespace

TEST(EventModel, AChangeIsWorkedOutOnceThenTheRowTheLogAndTheHistoryAreToldInThatOrder) {
  ModelRun r;
  ASSERT_EQ(r.model.applyScore(ScoreRequest{1, ScoreOp::Add, " 2.5abc"}), ScoreOutcome::Applied);
  EXPECT_EQ(r.score(1), 12.5f);
  const std::vector<std::string> expected = {"row 1", "log B02（二组） +2.5", "history"};
  EXPECT_EQ(r.events, expected);
  EXPECT_EQ(r.model.logLines().back(), "2024-05-01 09:30:05 B02（二组） +2.5");
  r.model.applyScore(ScoreRequest{2, ScoreOp::Set, "-4"});
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()), "修改 C03 分数 10.0 -> -4.0");
  r.model.applyScore(ScoreRequest{0, ScoreOp::Subtract, ""});  // an empty field is 0
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()), "A01（一组） -0.0");
  EXPECT_TRUE(r.model.canUndo());
  EXPECT_FALSE(r.model.canRedo());
}

TEST(EventModel, RefusedRequestsChangeAndLogNothing) {
  ModelRun r;
  EXPECT_EQ(r.model.applyScore(ScoreRequest{3, ScoreOp::Set, "1"}), ScoreOutcome::NoRow);
  EXPECT_EQ(r.model.applyScore(ScoreRequest{-1, ScoreOp::Set, "1"}), ScoreOutcome::NoRow);
  EXPECT_EQ(r.model.applyScore(ScoreRequest{0, ScoreOp::Set, "1e39"}), ScoreOutcome::TooLarge);
  r.model.applyScore(ScoreRequest{0, ScoreOp::Set, "3e38"});
  r.events.clear();
  EXPECT_EQ(r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "3e38"}), ScoreOutcome::TooLarge);
  EXPECT_EQ(r.score(0), 3.0e38f);
  EXPECT_TRUE(r.events.empty());
  EXPECT_EQ(r.model.logLines().size(), 1u);
}

TEST(EventModel, UndoAndRedoRestoreExactFloatsLogAndANewChangeClearsRedo) {
  ModelRun r;
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "0.1"});
  r.model.applyScore(ScoreRequest{0, ScoreOp::Subtract, "0.7"});
  const float afterBoth = r.score(0);
  ASSERT_TRUE(r.model.undo());
  EXPECT_EQ(r.score(0), static_cast<float>(10.0 + 0.1f));
  ASSERT_TRUE(r.model.undo());
  EXPECT_EQ(r.score(0), 10.0f);
  EXPECT_FALSE(r.model.undo());
  ASSERT_TRUE(r.model.redo());
  ASSERT_TRUE(r.model.redo());
  EXPECT_EQ(r.score(0), afterBoth);
  EXPECT_FALSE(r.model.redo());
  const std::vector<std::string>& log = r.model.logLines();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(textAfterStamp(log[2]), "撤销 A01（一组） -0.7");
  EXPECT_EQ(textAfterStamp(log[3]), "撤销 A01（一组） +0.1");
  EXPECT_EQ(textAfterStamp(log[4]), "重做 A01（一组） +0.1");

  r.model.undo();
  EXPECT_TRUE(r.model.canRedo());
  r.model.applyScore(ScoreRequest{2, ScoreOp::Set, "-4"});
  EXPECT_FALSE(r.model.canRedo());
}

TEST(EventModel, AReloadReplacesTheRowsAtTheStartScoreAndEndsTheHistoryAndTheReveal) {
  ModelRun r;
  r.showOutput(IndividualRanking);
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "1"});
  r.model.undo();
  ASSERT_TRUE(r.model.revealForward());
  Settings s = r.model.settings();
  s.scoreinit = 2;
  r.model.applySettings(s);
  r.events.clear();
  const RosterResult result = r.model.reload("X,y\r\n");
  EXPECT_EQ(result.loaded, 1);
  EXPECT_EQ(r.model.count(), 1);
  EXPECT_EQ(std::string(r.model.row(0).name), "X");
  EXPECT_EQ(r.score(0), 2.0f);
  EXPECT_FALSE(r.model.canUndo());
  EXPECT_FALSE(r.model.canRedo());
  EXPECT_FALSE(r.model.reveal().running());
  const std::vector<std::string> expected = {"reset", "audience", "history"};
  EXPECT_EQ(r.events, expected);
}

TEST(EventModel, ASnapshotIsAValueThatLaterChangesDoNotTouch) {
  ModelRun r;
  const SnapshotPtr before = r.model.snapshot();
  EXPECT_EQ(r.model.snapshot(), before);  // the same object until something changes
  r.model.applyScore(ScoreRequest{1, ScoreOp::Set, "7"});
  Settings s = r.model.settings();
  s.title = "决赛";
  r.model.applySettings(s);
  const SnapshotPtr after = r.model.snapshot();
  EXPECT_NE(after, before);
  EXPECT_EQ(before->rows[1].score, 10.0f);
  EXPECT_EQ(before->settings.title, defaultSettings().title);
  EXPECT_FALSE(before->canUndo);
  EXPECT_EQ(after->rows[1].score, 7.0f);
  EXPECT_EQ(after->settings.title, "决赛");
  EXPECT_TRUE(after->canUndo);
  EXPECT_EQ(after->count(), 3);
}

TEST(EventModel, ARankingOnShowKeepsTheScoresOfWhenItWasDrawnUntilItIsDrawnAgain) {
  ModelRun r;
  r.showOutput(IndividualRanking);
  r.model.applyScore(ScoreRequest{2, ScoreOp::Add, "5"});
  EXPECT_EQ(r.model.snapshot()->rankedRows[2].score, 10.0f);  // a score change alone redraws no ranking
  EXPECT_EQ(r.model.snapshot()->rows[2].score, 15.0f);
  r.model.setScreen(IndividualRanking);  // chosen again: drawn afresh
  EXPECT_EQ(r.model.snapshot()->rankedRows[2].score, 15.0f);

  // Chosen while the output is off, a screen is what switching on shows; it is drawn then.
  r.model.setOutputOn(false);
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "9"});
  r.model.setScreen(GroupRanking);
  EXPECT_EQ(r.model.snapshot()->rankedRows[0].score, 10.0f);
  EXPECT_EQ(r.model.snapshot()->rankingOnShow(), 0);
  r.model.setOutputOn(true);
  EXPECT_EQ(r.model.snapshot()->rankedRows[0].score, 19.0f);
  EXPECT_EQ(r.model.snapshot()->rankingOnShow(), GroupRanking);
}

TEST(EventModel, ARevealRunsOnlyOnTheRankingOnShowAndEndsWithItsScreen) {
  ModelRun r;
  EXPECT_FALSE(r.model.revealForward());  // no output window yet
  r.showOutput(Scoring);
  EXPECT_FALSE(r.model.revealForward());  // not a ranking
  r.model.setScreen(IndividualRanking);
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "1"});
  r.model.applyScore(ScoreRequest{1, ScoreOp::Add, "2"});
  r.events.clear();
  ASSERT_TRUE(r.model.revealForward());
  EXPECT_EQ(r.model.reveal().step(), 1);
  EXPECT_EQ(r.model.reveal().steps(), 3);
  EXPECT_EQ(r.events.back(), "log 开始揭晓 个人排名");
  // The ranking of the moment the reveal started, also for the frame after its end.
  EXPECT_EQ(r.model.snapshot()->rankedRows[1].score, 12.0f);
  r.model.setScreen(IndividualRanking);  // the same screen again keeps the step
  EXPECT_EQ(r.model.reveal().step(), 1);
  EXPECT_TRUE(r.model.revealForward());
  EXPECT_TRUE(r.model.revealBack());
  EXPECT_FALSE(r.model.revealBack());
  EXPECT_TRUE(r.model.revealForward());
  EXPECT_TRUE(r.model.revealForward());  // rank 1: complete, logged and ended
  EXPECT_FALSE(r.model.reveal().running());
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()), "揭晓完成");

  for (int end = 0; end < 3; ++end) {
    r.model.setScreen(IndividualRanking);
    ASSERT_TRUE(r.model.revealForward());
    if (end == 0) r.model.setScreen(GroupRanking);
    if (end == 1) r.model.setOutputOn(false);
    if (end == 2) r.model.setBlackout(true);
    EXPECT_FALSE(r.model.reveal().running()) << end;
    r.model.setBlackout(false);
    r.model.setOutputOn(true);
  }
}

TEST(EventModel, BlackoutNeedsTheOutputWindowIsLoggedAndLeavingItDrawsAfresh) {
  ModelRun r;
  EXPECT_FALSE(r.model.setBlackout(true));  // nothing to black out before the window exists
  r.showOutput(IndividualRanking);
  ASSERT_TRUE(r.model.setBlackout(true));
  EXPECT_FALSE(r.model.setBlackout(true));
  EXPECT_TRUE(r.model.snapshot()->blackout);
  r.model.applyScore(ScoreRequest{0, ScoreOp::Add, "3"});
  ASSERT_TRUE(r.model.setBlackout(false));
  EXPECT_EQ(r.model.snapshot()->rankedRows[0].score, 13.0f);
  const std::vector<std::string>& log = r.model.logLines();
  EXPECT_EQ(textAfterStamp(log[log.size() - 3]), "黑屏");
  EXPECT_EQ(textAfterStamp(log.back()), "取消黑屏");
}

TEST(EventModel, ThePlaceFollowsPlacementsAndDragsAndAPlacementShowsTheWindow) {
  ModelRun r;
  r.model.setOutputLive(true);
  EXPECT_FALSE(r.model.snapshot()->outputShown());
  r.model.outputMoved(5, 5);  // never placed: nothing to follow
  EXPECT_FALSE(r.model.place().placed);
  r.model.placeOutput(PixelRect{1920, 0, 2944, 768});  // by hand, with the switch off
  EXPECT_TRUE(r.model.snapshot()->outputShown());
  EXPECT_FALSE(r.model.outputOn());
  r.events.clear();
  r.model.outputMoved(1920, 0);  // where it is already: nothing to tell
  EXPECT_TRUE(r.events.empty());
  r.model.outputMoved(100, 50);
  EXPECT_EQ(r.model.place().rect, (PixelRect{100, 50, 1124, 818}));
  r.model.setOutputOn(false);
  EXPECT_FALSE(r.model.snapshot()->outputShown());
}

TEST(EventModel, SettingsAreTheModelsOwnAndTheScreenIsRememberedForTheStore) {
  ModelRun r;
  r.model.setScreen(GroupRanking);
  EXPECT_EQ(r.model.settings().uityp, GroupRanking);
  Settings s = r.model.settings();
  s.uityp = Welcome;  // the options dialog never chooses the screen
  s.cols = 4;
  r.events.clear();
  r.model.applySettings(s);
  EXPECT_EQ(r.model.settings().cols, 4);
  EXPECT_EQ(r.model.settings().uityp, GroupRanking);
  const std::vector<std::string> expected = {"settings 1", "audience"};
  EXPECT_EQ(r.events, expected);
  r.events.clear();
  r.model.setChangeValue(" 2.5");
  r.model.setChangeValue(" 2.5");
  EXPECT_EQ(r.model.settings().scorestepdefault, " 2.5");
  EXPECT_EQ(r.events.size(), 1u);
}

namespace {
std::vector<std::int32_t> hundredths(std::initializer_list<std::int32_t> scores) { return scores; }
}  // namespace

TEST(EventModel, APanelEntryIsOneChangeWithItsCorrectionsAndUndoesAsAWhole) {
  ModelRun r;
  Settings s = r.model.settings();
  s.judges = 5;
  s.trim = 1;
  r.model.applySettings(s);
  const std::size_t before = r.model.logLines().size();
  EXPECT_EQ(r.model.applyPanel(0, hundredths({kNoScore, kNoScore})), PanelOutcome::Empty);
  ASSERT_EQ(r.model.applyPanel(0, hundredths({950, 940, 945, 980, 890})), PanelOutcome::Applied);
  EXPECT_EQ(r.score(0), 9.45f);
  EXPECT_EQ(r.model.panel(0).result.finalHundredths, 945);
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()),
            "评委打分 A01（一组） 最后得分 9.45，去掉最高分 9.80，去掉最低分 8.90");
  EXPECT_EQ(r.model.applyPanel(0, hundredths({950, 940, 945, 980, 890})), PanelOutcome::Unchanged);
  EXPECT_EQ(r.model.logLines().size(), before + 1);

  // A correction: a line per changed judge first, then the entry's line.
  ASSERT_EQ(r.model.applyPanel(0, hundredths({950, 940, 945, 980, kNoScore})), PanelOutcome::Applied);
  const std::vector<std::string>& log = r.model.logLines();
  EXPECT_EQ(textAfterStamp(log[log.size() - 2]), "更正 评委5 A01（一组） 8.90 -> 无");
  EXPECT_EQ(textAfterStamp(log.back()),
            "评委打分 A01（一组） 最后得分 9.48，去掉最高分 9.80，去掉最低分 9.40，1 位评委未评分");
  EXPECT_EQ(r.model.judgesInUse(), 4);

  ASSERT_TRUE(r.model.undo());
  EXPECT_EQ(r.score(0), 9.45f);
  EXPECT_EQ(r.model.panel(0).scores[4], 890);
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()),
            "撤销 评委打分 A01（一组） 最后得分 9.48，去掉最高分 9.80，去掉最低分 9.40，1 位评委未评分");
  ASSERT_TRUE(r.model.undo());
  EXPECT_FALSE(r.model.panel(0).present());
  EXPECT_EQ(r.score(0), 10.0f);
  ASSERT_TRUE(r.model.redo());
  EXPECT_EQ(r.model.panel(0).result.finalHundredths, 945);
  // A later change of the settings does not recompute an entry.
  s.trim = 0;
  r.model.applySettings(s);
  EXPECT_EQ(r.model.panel(0).result.finalHundredths, 945);
  r.model.reload("A01,一组\r\n");
  EXPECT_FALSE(r.model.panel(0).present());
  EXPECT_EQ(r.model.judgesInUse(), 0);
}

TEST(EventModel, AStagedDisplayStepsOverTheScreenAndEndsWithAnotherScreen) {
  ModelRun r;
  r.showOutput(IndividualRanking);
  Settings s = r.model.settings();
  s.judges = 3;
  r.model.applySettings(s);
  EXPECT_FALSE(r.model.showPanel(1));  // no panel entry yet
  r.model.applyPanel(1, hundredths({900, 800, 700}));
  r.model.applyPanel(2, hundredths({900, 800}));  // too few to drop: two steps
  ASSERT_TRUE(r.model.showPanel(1));
  EXPECT_EQ(textAfterStamp(r.model.logLines().back()), "亮分 B02（二组）");
  EXPECT_EQ(r.model.panelShow().step, 1);
  EXPECT_TRUE(r.model.stepForward());
  EXPECT_TRUE(r.model.stepForward());
  EXPECT_FALSE(r.model.stepForward());  // nothing after the last step
  EXPECT_FALSE(r.model.reveal().running());
  EXPECT_TRUE(r.model.stepBack());
  r.model.setBlackout(true);  // hidden, not ended
  r.model.setBlackout(false);
  EXPECT_EQ(r.model.snapshot()->panelShow.step, 2);
  ASSERT_TRUE(r.model.showPanel(2));
  EXPECT_EQ(r.model.panelShow().steps(), 2);
  r.model.setScreen(IndividualRanking);
  EXPECT_FALSE(r.model.panelShow().running);
  EXPECT_TRUE(r.model.stepForward());  // the cue is the reveal's again
  EXPECT_TRUE(r.model.reveal().running());
}
