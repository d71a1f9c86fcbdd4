#include "contest/contest_model.h"

#include <algorithm>

namespace {
const char kUndoPrefix[] = "撤销 ";
const char kRedoPrefix[] = "重做 ";
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

bool ContestModel::applyScore(const ScoreRequest& request) {
  if (request.row < 0 || request.row >= count()) return false;
  const float old = storage_.rows[request.row].score;
  float next = 0.0f;
  if (!scoreAfter(old, request.op, request.value, next)) return false;
  const bool hadRedo = canRedo();
  const bool hadUndo = canUndo();
  done_.push_back(ScoreStep{request.row, old, next, request.changeText});
  undone_.clear();
  setScore(request.row, next);
  appendLog(request.changeText);
  if (hadRedo || !hadUndo) tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

bool ContestModel::undo() {
  if (done_.empty()) return false;
  ScoreStep step = done_.back();
  done_.pop_back();
  setScore(step.row, step.oldScore);
  appendLog(kUndoPrefix + step.changeText);
  undone_.push_back(std::move(step));
  tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

bool ContestModel::redo() {
  if (undone_.empty()) return false;
  ScoreStep step = undone_.back();
  undone_.pop_back();
  setScore(step.row, step.newScore);
  appendLog(kRedoPrefix + step.changeText);
  done_.push_back(std::move(step));
  tell([](ContestObserver& o) { o.historyChanged(); });
  return true;
}

void ContestModel::appendLog(const std::string& text) {
  log_.push_back(formatStamp(clock_()) + " " + text);
  const std::string& line = log_.back();
  tell([&line](ContestObserver& o) { o.logAppended(line); });
}

RosterResult ContestModel::reload(const std::string& rosterBytes, float startScore) {
  *storage_.count = 0;
  const RosterResult result = parseRoster(rosterBytes, storage_.rows, startScore);
  *storage_.count = result.loaded;
  const bool hadHistory = canUndo() || canRedo();
  done_.clear();
  undone_.clear();
  tell([](ContestObserver& o) { o.rowsReset(); });
  if (hadHistory) tell([](ContestObserver& o) { o.historyChanged(); });
  return result;
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
