// ContestModel: the one owner of the live contest -- the contestant rows, the operation
// log, the display mode and the output switch.  Every change enters here (a score set, an
// add, a subtract, an undo, a redo, a reload, a log line), so the console, the output
// window and anything added later see one consistent story, told through observers in the
// order the changes happened.  The shared variables of the program are its storage: only
// the model writes them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "contest/contestant_table.h"
#include "contest/journal.h"
#include "contest/local_time.h"
#include "contest/roster.h"
#include "contest/score_request.h"

// Told what changed, after the model's state already shows it.  Every call has a no-op
// default so an observer picks only what it shows.
struct ContestObserver {
  virtual ~ContestObserver() = default;
  virtual void rowChanged(int /*row*/) {}
  virtual void rowsReset() {}  // a roster load or a restore replaced every row
  virtual void logAppended(const std::string& /*line*/) {}
  virtual void displayModeChanged(int /*mode*/) {}
  virtual void outputSwitchChanged(bool /*on*/) {}
  virtual void historyChanged() {}  // canUndo() or canRedo() may differ now
  virtual void journalFailed() {}   // the journal could not be written (told once a streak)
};

// Where the journal's records go: each append is durable before it returns.
struct JournalSink {
  virtual ~JournalSink() = default;
  virtual bool append(const std::string& records) = 0;
};

// Where the model keeps the contest (in the program: the shared table and variables).
struct ContestStorage {
  ContestantRecord* rows;  // kContestantRows rows
  std::int32_t* count;
  std::int32_t* displayMode;
  std::int32_t* outputOn;
};

class ContestModel {
 public:
  using Clock = std::function<LocalTime()>;
  ContestModel(const ContestStorage& storage, Clock clock);
  ContestModel(const ContestModel&) = delete;
  ContestModel& operator=(const ContestModel&) = delete;

  int count() const { return *storage_.count; }
  const ContestantRecord* rows() const { return storage_.rows; }
  const ContestantRecord& row(int index) const { return storage_.rows[index]; }
  const std::vector<std::string>& logLines() const { return log_; }
  int displayMode() const { return *storage_.displayMode; }
  bool outputOn() const { return *storage_.outputOn != 0; }

  // Applies the request and logs its change text.  False (nothing changes, nothing is
  // logged) for a row that is not live or a result that does not fit a float.
  bool applyScore(const ScoreRequest& request);
  bool canUndo() const { return !done_.empty(); }
  bool canRedo() const { return !undone_.empty(); }
  // Takes back the last change (the row gets its exact old score) and logs "撤销 " + its text.
  bool undo();
  // Applies the last undone change again and logs "重做 " + its text.
  bool redo();

  // One line into the operation log: time stamp, a space, text.
  void appendLog(const std::string& text);

  // Replaces every row from the roster file's bytes, each starting at startScore.  A reload
  // cannot be undone: it ends the undo and redo history.
  RosterResult reload(const std::string& rosterBytes, float startScore);

  void setDisplayMode(int mode);
  void setOutputOn(bool on);

  // From now on every change is journalled to sink before observers are told.  fresh: the
  // sink is a new journal, which gets its first line and the current roster.
  void attachJournal(JournalSink* sink, bool fresh);
  // Brings the previous run back from its journal (whose roster gives the same contestants
  // as the rows loaded now): every score, the undo and redo history and the log lines, then
  // logs "恢复上次的计分（N 次改动）".  Journalled, so a crash right after restores again.
  void restore(const journal::Replay& previous);
  // A clean close: the closing record; nothing is journalled afterwards.
  void closeJournal();

  void addObserver(ContestObserver* observer);
  void removeObserver(ContestObserver* observer);

  const std::vector<ScoreStep>& undoHistory() const { return done_; }
  const std::vector<ScoreStep>& redoHistory() const { return undone_; }

 private:
  void setScore(int row, float score);
  std::string stamp();
  void addLine(const std::string& line);
  void write(const std::string& records);
  std::string rosterRecord(const std::string& at) const;
  template <class Call>
  void tell(Call call);

  ContestStorage storage_;
  Clock clock_;
  std::vector<std::string> log_;
  std::vector<ScoreStep> done_;
  std::vector<ScoreStep> undone_;
  std::vector<ContestObserver*> observers_;
  JournalSink* journal_ = nullptr;
  bool journalFailing_ = false;
  std::size_t rosterBytes_ = 0;
  std::uint32_t rosterHash_ = 0;
};
