// EventModel: the one owner of the event -- the contestant rows, every setting, what the
// audience sees (screen, output switch, blackout, the reveal, the output window's place), the
// operation log and the undo history.  Every change enters here, whatever asked for it (a key,
// a dialog, a click, the journal at start-up), is journalled where it is a change of the
// contest, and observers are told what changed, in the order the changes happened.  Views
// read the model or its snapshot and never keep a second copy of its state.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "contest/event_snapshot.h"
#include "contest/journal.h"
#include "contest/local_time.h"
#include "contest/roster.h"
#include "contest/rounds.h"
#include "contest/score_request.h"

// Told what changed, after the model's state already shows it.  Every call has a no-op
// default so an observer picks only what it shows.
struct EventObserver {
  virtual ~EventObserver() = default;
  virtual void rowChanged(int /*row*/) {}
  virtual void rowsReset() {}  // a roster load or a restore replaced every row
  virtual void logAppended(const std::string& /*line*/) {}
  // The whole log was replaced (the previous run's lines restored): show logLines() anew.
  virtual void logReplaced() {}
  // rows: which settings were set, as the table marks when they are saved (SavedByOptions for
  // what the options dialog returned, SavedAtClose for the switch and the change value).
  virtual void settingsChanged(unsigned /*rows*/) {}
  virtual void audienceChanged() {}  // screen, output switch, blackout, reveal or place
  virtual void historyChanged() {}   // canUndo() or canRedo() may differ now
  virtual void roundChanged() {}     // the current round, or the list of rounds
  virtual void timerChanged() {}     // what the clock shows, or the timer's state
  virtual void timeUp() {}           // a countdown reached zero just now
  virtual void buzzerChanged() {}    // what the buzzers show
  // A team's buzzer won just now (row: its row, -1 when the roster has none of that name).
  virtual void buzzerWon(int /*row*/) {}
  virtual void judgingChanged() {}  // the contestant open for the judges' phones
  virtual void journalFailed() {}   // the journal could not be written (told once a streak)
};

// Where the journal's records go: each append is durable before it returns.
struct JournalSink {
  virtual ~JournalSink() = default;
  virtual bool append(const std::string& records) = 0;
};

enum class ScoreOutcome { Applied, NoRow, TooLarge };
enum class PanelOutcome { Applied, Unchanged, NoRow, Empty };

class EventModel {
 public:
  using Clock = std::function<LocalTime()>;
  // Milliseconds from any fixed point, never going back (the system's steady clock unless
  // set): the timer's time.
  using Monotonic = std::function<std::int64_t()>;
  EventModel(const Settings& settings, Clock clock);
  EventModel(const EventModel&) = delete;
  EventModel& operator=(const EventModel&) = delete;

  int count() const { return count_; }
  const ContestantRecord* rows() const { return rows_.data(); }
  const ContestantRecord& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
  bool isRow(int index) const { return index >= 0 && index < count_; }
  const Settings& settings() const { return settings_; }
  const std::vector<std::string>& logLines() const { return log_; }
  int screen() const { return screen_; }
  bool outputOn() const { return settings_.on != 0; }
  bool outputLive() const { return live_; }
  bool outputVisible() const { return visible_; }
  bool blackout() const { return blackout_; }
  const RankingReveal& reveal() const { return reveal_; }
  const OutputPlace& place() const { return place_; }
  // The state as one immutable value; the same object until the next change.
  SnapshotPtr snapshot() const;

  // Scores.  The new score and the log text are worked out here, once, from the typed value
  // and the settings' decimals; a row that is not live or a result that does not fit a float
  // changes nothing and logs nothing.
  ScoreOutcome applyScore(const ScoreRequest& request);
  // A row's judges' scores (one per judge, kNoScore for none) as one change: the final
  // score becomes the row's score, the entry is kept with the row; a changed entry logs a
  // correction line per changed judge first.  Undone and redone as a whole.
  // phoneSeats: the judges (1-based) whose scores came from their phones, kept in the journal.
  PanelOutcome applyPanel(int row, const std::vector<std::int32_t>& scores, const std::vector<int>& phoneSeats = {});
  const PanelEntry& panel(int row) const { return panels_[static_cast<std::size_t>(row)]; }
  // The highest judge number that gave a score to any row (the panel cannot shrink below it).
  int judgesInUse() const;

  // The staged display of a row's panel over the screen on show: step 1 at once, logged
  // "亮分 " + label.  False when the row has no panel entry.
  bool showPanel(int row);
  const PanelShow& panelShow() const { return panelShow_; }
  // The host's cue: the next step of the staged display when one runs, else of a reveal.
  bool stepForward();
  bool stepBack();

  bool canUndo() const { return !done_.empty(); }
  bool canRedo() const { return !undone_.empty(); }
  // Takes back the last change (the row gets its exact old score) and logs "撤销 " + its text.
  bool undo();
  // Applies the last undone change again and logs "重做 " + its text.
  bool redo();
  // One line into the operation log: time stamp, a space, text.
  void appendLog(const std::string& text);
  // Replaces every row from the roster file's bytes, each starting at the settings' start
  // score.  A reload cannot be undone: it ends the undo and redo history.
  RosterResult reload(const std::string& rosterBytes);

  // Settings.  applySettings: what the options dialog returned (the screens are drawn afresh).
  void applySettings(const Settings& settings);
  // The venue server's switch and port, as the network dialog (or a port in use) left them.
  // Nothing on the screens changes.
  void applyNetwork(bool on, int port);
  // Every judge seat's token (the network dialog's "重新生成评委链接", or the first start).
  void setJudgeTokens(const std::string& list);
  // The judges' phones may score `row` (the "评委打分" dialog opened for it) / no one.  The
  // venue's pages learn it from the snapshot; nothing is journalled.
  void openJudging(int row);
  void closeJudging();
  int judgingRow() const { return judgingRow_; }
  std::uint64_t judgingOpening() const { return judgingOpening_; }
  // The change value the score entry dialog closed with, offered again next time.
  void setChangeValue(const std::string& text);

  // Rounds.  The list comes from the settings; the current round is part of the event: a
  // change is journalled and logged "进入 " + its name, a resumed run goes on in it, undo
  // leaves it alone.  -1 is no round (today's behaviour).
  const std::vector<Round>& rounds() const { return rounds_; }
  int round() const { return round_; }
  // False when index is no round or already the current one.
  bool setRound(int index);
  // The next (+1) or previous (-1) round in the console's order, "不分轮次" first.
  bool stepRound(int delta);
  // The rounds dialog's result: the list, and the index the current round has in it now (-1
  // when it was removed, or when there was none).
  void applyRounds(const std::vector<Round>& rounds, int current);
  // What Numpad + adds, Numpad - subtracts, and the quick steps: the current round's, else
  // the remembered change value and the options' steps.
  std::string addValue() const;
  std::string subtractValue() const;
  std::string quickSteps() const;
  // What the score entry dialog's change field starts with.
  std::string changeFieldStart() const { return round_ >= 0 ? addValue() : settings_.scorestepdefault; }

  // The answer or speech timer (the settings say countdown or count-up).  Every change
  // shows at once on the clock; the console calls timerTick when the clock is due to change.
  void setMonotonicClock(Monotonic clock) { monotonic_ = std::move(clock); }
  const AnswerTimer& timer() const { return timer_; }
  // F4: starts the timer (a countdown of the current round's answer time, else of the time
  // set), or pauses it, or resumes it; logged "计时开始 N 秒", "计时暂停", "计时继续".
  void timerStartPause();
  // Back to no clock on the screen; a count-up logs "计时 MM:SS 结束".  False when idle.
  bool timerReset();
  // Adds or takes seconds (logged); false when idle.
  bool timerAdjust(int seconds);
  // The clock brought to now: a countdown that ran out logs "时间到" and tells timeUp.
  // Milliseconds until it is due to change again, or -1 when it cannot by itself.
  std::int64_t timerTick();
  // Milliseconds until the clock is due to change, or -1.
  std::int64_t timerDueIn() const { return timer_.nextChangeIn(now()); }
  // The timer dialog's result (its rows of the settings); the mode applies from the next
  // start, the rest at once.
  void applyTimerSettings(const Settings& settings);

  // Buzzers.  The learnt keys and the options come from the settings.  Arming shows "请抢答"
  // and is logged "开始抢答" (with the option on, an idle answer timer starts too); the first
  // press of a team not locked out wins: shown, logged "抢答 " + label, buzzerWon told.  A
  // press before arming is logged "提前抢答 " + label.  Reset ends the question ("抢答复位").
  const std::vector<BuzzerKey>& buzzerKeys() const { return buzzerKeys_; }
  const BuzzerLockout& buzzers() const { return buzz_; }
  const BuzzerView& buzzerView() const { return buzzerView_; }
  // False when already armed.
  bool armBuzzers();
  // False when there was nothing to end.
  bool resetBuzzers();
  // One message batch of buzzer key transitions.
  void buzzerInput(const std::vector<BuzzerPress>& batch);
  // The buzzer dialog's result (its rows of the settings).
  void applyBuzzerSettings(const Settings& settings);

  // What the audience sees.  A screen chosen while the output is off is what switching it on
  // shows.  Choosing a screen, switching the output on or placing the window draws the
  // screen afresh; another screen, the output off, blackout or new rows end a reveal.
  void setScreen(int mode);
  void setOutputOn(bool on);
  // The output window exists from now on (keys that act on it start to work).
  void setOutputLive(bool live);
  // Blackout on or off, logged "黑屏" / "取消黑屏"; false (nothing happens) when it already is,
  // or before the output window exists.
  bool setBlackout(bool on);
  // The window placed at rect and shown (also while the output switch is off: the operator
  // placed it by hand).
  void placeOutput(const PixelRect& rect);
  // The window moved by the operator (dragged), or by the system: the place follows.
  void outputMoved(int left, int top);
  // The award ceremony on the ranking screen on show: starts a reveal (logged), or shows its
  // next step; completing it logs "揭晓完成" and ends it, the frozen ranking staying on show.
  // False when nothing changed.
  bool revealForward();
  bool revealBack();

  // From now on every change is journalled to sink before observers are told.  fresh: the
  // sink is a new journal, which gets its first line and the current roster.
  void attachJournal(JournalSink* sink, bool fresh);
  // Brings the previous run back from its journal (whose roster gives the same contestants
  // as the rows loaded now): every score, the undo and redo history and the log lines, then
  // logs "恢复上次的计分（N 次改动）".  Journalled, so a crash right after restores again.
  void restore(const journal::Replay& previous);
  // A clean close: the closing record; nothing is journalled afterwards.
  void closeJournal();

  void addObserver(EventObserver* observer);
  void removeObserver(EventObserver* observer);

  const std::vector<ScoreStep>& undoHistory() const { return done_; }
  const std::vector<ScoreStep>& redoHistory() const { return undone_; }

 private:
  void setScore(int row, float score);
  // A step's row gets its score and panel entry of one side of the step.
  void applyStep(const ScoreStep& step, bool forward);
  std::string stamp();
  void addLine(const std::string& line);
  void write(const std::string& records);
  std::string rosterRecord(const std::string& at) const;
  // The ranking screens rank the scores of now, and the screen is drawn afresh.
  void drawAfresh();
  bool endReveal();
  // The list from the settings' text (none when it is damaged); the current round is kept
  // when it still exists, else there is none.
  void takeRounds(int current);
  void enterRound(int index);
  std::int64_t now() const { return monotonic_(); }
  // The clock's face and the timer's view at now; observers are told when either changed.
  void showTimer();
  // A countdown that ran out by now: shown, logged "时间到", timeUp told.
  bool noticeTimeUp(std::int64_t at);
  void changed() {
    snapshot_.reset();
    ++seq_;
  }
  template <class Call>
  void tell(Call call);

  std::array<ContestantRecord, kContestantRows> rows_{};
  int count_ = 0;
  Settings settings_;
  int screen_ = Welcome;
  bool live_ = false;
  bool visible_ = false;
  bool blackout_ = false;
  RankingReveal reveal_;
  std::array<PanelEntry, kContestantRows> panels_{};
  PanelShow panelShow_;
  int judgingRow_ = -1;
  std::uint64_t judgingOpening_ = 0;
  std::vector<ContestantRecord> rankedRows_;
  OutputPlace place_;
  std::vector<Round> rounds_;
  int round_ = -1;
  Monotonic monotonic_;
  AnswerTimer timer_;
  TimerView timerView_;
  std::vector<BuzzerKey> buzzerKeys_;
  BuzzerLockout buzz_;
  BuzzerView buzzerView_;
  void takeBuzzerKeys();
  void showBuzzer(const BuzzerView& view);
  int teamRow(const std::string& team) const;
  unsigned drawCount_ = 0;
  Clock clock_;
  std::vector<std::string> log_;
  std::vector<ScoreStep> done_;
  std::vector<ScoreStep> undone_;
  std::vector<EventObserver*> observers_;
  JournalSink* journal_ = nullptr;
  bool journalFailing_ = false;
  std::size_t rosterBytes_ = 0;
  std::uint32_t rosterHash_ = 0;
  mutable SnapshotPtr snapshot_;
  std::uint64_t seq_ = 1;
};
