#include "contest/contest_model.h"

#include <algorithm>

namespace {
const char kUndoPrefix[] = "撤销 ";
const char kRedoPrefix[] = "重做 ";
const char kRestoredLine[] = "恢复上次的计分（";
const char kRestoredLineEnd[] = " 次改动）";
}  // namespace

ContestModel::ContestModel(const ContestStorage& storage, Clock clock) : storage_(storage), clock_(std::move(clock)) {}

template <class Call>
void ContestModel::tell(Call call) {
  // A copy: an observer may add or remove observers while it is told.
  const std::vector<ContestObserver*> observers = observers_;
  for (ContestObserver* o : observers) call(*o);
}

void ContestModel::addObserver(ContestObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void ContestModel::removeObserver(ContestObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void ContestModel::setScore(int row, float score) {
  storage_.rows[row].score = score;
  tell([row](ContestObserver& o) { o.rowChanged(row); });
}

std::string ContestModel::stamp() { return formatStamp(clock_()); }

void ContestModel::write(const std::string& records) {
  if (!journal_) return;
  if (journal_->append(records)) {
    journalFailing_ = false;
  } else if (!journalFailing_) {
    journalFailing_ = true;
    tell([](ContestObserver& o) { o.journalFailed(); });
  }
}

void ContestModel::addLine(const std::string& line) {
  log_.push_back(line);
  const std::string& added = log_.back();
  tell([&added](ContestObserver& o) { o.logAppended(added); });
}

bool ContestModel::applyScore(const ScoreRequest& request) {
  if (request.row < 0 || request.row >= count()) return false;
  const float old = storage_.rows[request.row].score;
  float next = 0.0f;
  if (!scoreAfter(old, request.op, request.value, next)) return false;
  const bool hadRedo = canRedo();
  const bool hadUndo = canUndo();
  const ScoreStep step{request.row, old, next, request.changeText};
  const std::string at = stamp();
  const std::string line = at + " " + request.changeText;
  // The change and its log line in one durable write, before anyone is told.
  write(journal::scoreRecord(at, storage_.rows[request.row], step) + journal::logRecord(line));
  done_.push_back(step);
  undone_.clear();
  setScore(request.row, next);
  addLine(line);
  if (hadRedo || !hadUndo) tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

bool ContestModel::undo() {
  if (done_.empty()) return false;
  ScoreStep step = done_.back();
  const std::string at = stamp();
  const std::string line = at + " " + kUndoPrefix + step.changeText;
  write(journal::undoRecord(at) + journal::logRecord(line));
  done_.pop_back();
  setScore(step.row, step.oldScore);
  addLine(line);
  undone_.push_back(std::move(step));
  tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

bool ContestModel::redo() {
  if (undone_.empty()) return false;
  ScoreStep step = undone_.back();
  const std::string at = stamp();
  const std::string line = at + " " + kRedoPrefix + step.changeText;
  write(journal::redoRecord(at) + journal::logRecord(line));
  undone_.pop_back();
  setScore(step.row, step.newScore);
  addLine(line);
  done_.push_back(std::move(step));
  tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

void ContestModel::appendLog(const std::string& text) {
  const std::string line = stamp() + " " + text;
  write(journal::logRecord(line));
  addLine(line);
}

std::string ContestModel::rosterRecord(const std::string& at) const {
  return journal::rosterRecord(at, rosterBytes_, rosterHash_, storage_.rows, count());
}

RosterResult ContestModel::reload(const std::string& rosterBytes, float startScore) {
  *storage_.count = 0;
  const RosterResult result = parseRoster(rosterBytes, storage_.rows, startScore);
  *storage_.count = result.loaded;
  rosterBytes_ = rosterBytes.size();
  rosterHash_ = journal::hashBytes(rosterBytes);
  if (journal_) write(rosterRecord(stamp()));
  const bool hadHistory = canUndo() || canRedo();
  done_.clear();
  undone_.clear();
  tell([](ContestObserver& o) { o.rowsReset(); });
  if (hadHistory) tell([](ContestObserver& o) { o.historyChanged(); });
  return result;
}

void ContestModel::attachJournal(JournalSink* sink, bool fresh) {
  journal_ = sink;
  journalFailing_ = false;
  if (fresh) write(journal::headerRecord() + rosterRecord(stamp()));
}

void ContestModel::restore(const journal::Replay& previous) {
  const std::string at = stamp();
  const std::string line = at + " " + kRestoredLine + std::to_string(previous.changes) + kRestoredLineEnd;
  write(journal::restoreRecord(at, previous.changes) + journal::logRecord(line));
  const int rows = std::min(count(), static_cast<int>(previous.rows.size()));
  for (int i = 0; i < rows; ++i) storage_.rows[i].score = previous.rows[static_cast<std::size_t>(i)].score;
  done_ = previous.done;
  undone_ = previous.undone;
  tell([](ContestObserver& o) { o.rowsReset(); });
  for (const std::string& old : previous.logLines) addLine(old);
  addLine(line);
  tell([](ContestObserver& o) { o.historyChanged(); });
}

void ContestModel::closeJournal() {
  write(journal::closeRecord(stamp()));
  journal_ = nullptr;
}

void ContestModel::setDisplayMode(int mode) {
  if (mode == *storage_.displayMode) return;
  *storage_.displayMode = mode;
  tell([mode](ContestObserver& o) { o.displayModeChanged(mode); });
}

void ContestModel::setOutputOn(bool on) {
  if ((*storage_.outputOn != 0) == on) return;
  *storage_.outputOn = on ? 1 : 0;
  tell([on](ContestObserver& o) { o.outputSwitchChanged(on); });
}
