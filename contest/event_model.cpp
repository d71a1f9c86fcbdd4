#include "contest/event_model.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "contest/contestant_text.h"

namespace {
const char kUndoPrefix[] = "撤销 ";
const char kRedoPrefix[] = "重做 ";
const char kRestoredLine[] = "恢复上次的计分（";
const char kRestoredLineEnd[] = " 次改动）";
const char kBlackoutLine[] = "黑屏";
const char kBlackoutEndLine[] = "取消黑屏";
const char kEnterRoundLine[] = "进入 ";
}  // namespace

EventModel::EventModel(const Settings& settings, Clock clock)
    : settings_(settings),
      monotonic_([] {
        return static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
      }),
      clock_(std::move(clock)) {
  settings_.uityp = screen_;  // every run starts on the welcome screen
  takeRounds(-1);
  takeBuzzerKeys();
}

template <class Call>
void EventModel::tell(Call call) {
  changed();
  // A copy: an observer may add or remove observers while it is told.
  const std::vector<EventObserver*> observers = observers_;
  for (EventObserver* o : observers) call(*o);
}

void EventModel::addObserver(EventObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void EventModel::removeObserver(EventObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

SnapshotPtr EventModel::snapshot() const {
  if (snapshot_) return snapshot_;
  auto s = std::make_shared<EventSnapshot>();
  s->rows.assign(rows_.begin(), rows_.begin() + count_);
  s->panels.assign(panels_.begin(), panels_.begin() + count_);
  s->panelShow = panelShow_;
  s->judgingRow = judgingRow_;
  s->judgingOpening = judgingOpening_;
  s->settings = settings_;
  s->screen = screen_;
  s->outputLive = live_;
  s->outputVisible = visible_;
  s->blackout = blackout_;
  s->reveal = reveal_;
  s->rankedRows = rankedRows_;
  s->place = place_;
  s->round = round_;
  s->roundName = roundName(rounds_, round_);
  s->timer = timerView_;
  s->buzzer = buzzerView_;
  s->drawCount = drawCount_;
  s->seq = seq_;
  s->canUndo = canUndo();
  s->canRedo = canRedo();
  snapshot_ = std::move(s);
  return snapshot_;
}

void EventModel::applyStep(const ScoreStep& step, bool forward) {
  if (step.panel) panels_[static_cast<std::size_t>(step.row)] = forward ? step.newPanel : step.oldPanel;
  setScore(step.row, forward ? step.newScore : step.oldScore);
}

void EventModel::setScore(int row, float score) {
  rows_[static_cast<std::size_t>(row)].score = score;
  tell([row](EventObserver& o) { o.rowChanged(row); });
}

std::string EventModel::stamp() { return formatStamp(clock_()); }

void EventModel::write(const std::string& records) {
  if (!journal_) return;
  if (journal_->append(records)) {
    journalFailing_ = false;
  } else if (!journalFailing_) {
    journalFailing_ = true;
    tell([](EventObserver& o) { o.journalFailed(); });
  }
}

void EventModel::addLine(const std::string& line) {
  log_.push_back(line);
  const std::string& added = log_.back();
  tell([&added](EventObserver& o) { o.logAppended(added); });
}

ScoreOutcome EventModel::applyScore(const ScoreRequest& request) {
  if (!isRow(request.row)) return ScoreOutcome::NoRow;
  const ContestantRecord& record = row(request.row);
  ScoreStep step;
  if (!planScore(request, contestantLabel(record), record.score, settings_.xsw, step)) return ScoreOutcome::TooLarge;
  const bool hadRedo = canRedo();
  const bool hadUndo = canUndo();
  const std::string at = stamp();
  const std::string line = at + " " + step.changeText;
  // The change and its log line in one durable write, before anyone is told.
  write(journal::scoreRecord(at, record, step) + journal::logRecord(line));
  done_.push_back(step);
  undone_.clear();
  setScore(step.row, step.newScore);
  addLine(line);
  if (hadRedo || !hadUndo) tell([](EventObserver& o) { o.historyChanged(); });
  return ScoreOutcome::Applied;
}

bool EventModel::undo() {
  if (done_.empty()) return false;
  ScoreStep step = done_.back();
  const std::string at = stamp();
  const std::string line = at + " " + kUndoPrefix + step.changeText;
  write(journal::undoRecord(at) + journal::logRecord(line));
  done_.pop_back();
  applyStep(step, false);
  addLine(line);
  undone_.push_back(std::move(step));
  tell([](EventObserver& o) { o.historyChanged(); });
  return true;
}

bool EventModel::redo() {
  if (undone_.empty()) return false;
  ScoreStep step = undone_.back();
  const std::string at = stamp();
  const std::string line = at + " " + kRedoPrefix + step.changeText;
  write(journal::redoRecord(at) + journal::logRecord(line));
  undone_.pop_back();
  applyStep(step, true);
  addLine(line);
  done_.push_back(std::move(step));
  tell([](EventObserver& o) { o.historyChanged(); });
  return true;
}

void EventModel::appendLog(const std::string& text) {
  const std::string line = stamp() + " " + text;
  write(journal::logRecord(line));
  addLine(line);
}

std::string EventModel::rosterRecord(const std::string& at) const {
  return journal::rosterRecord(at, rosterBytes_, rosterHash_, rows_.data(), count_);
}

RosterResult EventModel::reload(const std::string& rosterBytes) {
  count_ = 0;
  const RosterResult result = parseRoster(rosterBytes, rows_.data(), static_cast<float>(settings_.scoreinit));
  count_ = result.loaded;
  rosterBytes_ = rosterBytes.size();
  rosterHash_ = journal::hashBytes(rosterBytes);
  if (journal_) write(rosterRecord(stamp()));
  const bool hadHistory = canUndo() || canRedo();
  done_.clear();
  undone_.clear();
  // A new roster ends every panel entry, like the history.
  panels_.fill(PanelEntry());
  panelShow_ = PanelShow();
  endReveal();
  drawAfresh();
  tell([](EventObserver& o) { o.rowsReset(); });
  tell([](EventObserver& o) { o.audienceChanged(); });
  if (hadHistory) tell([](EventObserver& o) { o.historyChanged(); });
  return result;
}

void EventModel::attachJournal(JournalSink* sink, bool fresh) {
  journal_ = sink;
  journalFailing_ = false;
  if (fresh) write(journal::headerRecord() + rosterRecord(stamp()));
}

void EventModel::restore(const journal::Replay& previous) {
  const std::string at = stamp();
  const std::string line = at + " " + kRestoredLine + std::to_string(previous.changes) + kRestoredLineEnd;
  write(journal::restoreRecord(at, previous.changes) + journal::logRecord(line));
  const int rows = std::min(count_, static_cast<int>(previous.rows.size()));
  for (int i = 0; i < rows; ++i) {
    rows_[static_cast<std::size_t>(i)].score = previous.rows[static_cast<std::size_t>(i)].score;
    if (static_cast<std::size_t>(i) < previous.panels.size())
      panels_[static_cast<std::size_t>(i)] = previous.panels[static_cast<std::size_t>(i)];
  }
  done_ = previous.done;
  undone_ = previous.undone;
  // The round the previous run was in, when this run's list still has it: at its place with
  // its name, else by its name alone.
  int round = -1;
  const int place = previous.round - 1;
  if (place >= 0 && place < static_cast<int>(rounds_.size()) &&
      rounds_[static_cast<std::size_t>(place)].name == previous.roundName)
    round = place;
  for (std::size_t i = 0; round < 0 && previous.round > 0 && i < rounds_.size(); ++i)
    if (rounds_[i].name == previous.roundName) round = static_cast<int>(i);
  if (round != round_) {
    round_ = round;
    tell([](EventObserver& o) { o.roundChanged(); });
  }
  endReveal();
  drawAfresh();
  tell([](EventObserver& o) { o.rowsReset(); });
  // Thousands of lines: one notice for all of them, not one each.
  log_ = previous.logLines;
  tell([](EventObserver& o) { o.logReplaced(); });
  addLine(line);
  tell([](EventObserver& o) { o.historyChanged(); });
}

void EventModel::closeJournal() {
  write(journal::closeRecord(stamp()));
  journal_ = nullptr;
}

void EventModel::drawAfresh() {
  rankedRows_.assign(rows_.begin(), rows_.begin() + count_);
  ++drawCount_;
}

bool EventModel::endReveal() {
  if (!reveal_.running()) return false;
  reveal_.end();
  return true;
}

void EventModel::applySettings(const Settings& settings) {
  const int shown = settings_.uityp;
  const bool newRounds = settings_.rounds != settings.rounds;
  settings_ = settings;
  settings_.uityp = shown;
  if (newRounds) takeRounds(round_);
  drawAfresh();
  tell([](EventObserver& o) { o.settingsChanged(SavedByOptions); });
  tell([](EventObserver& o) { o.audienceChanged(); });
}

void EventModel::applyNetwork(bool on, int port) {
  if (settings_.net == (on ? 1 : 0) && settings_.port == port) return;
  settings_.net = on ? 1 : 0;
  settings_.port = port;
  tell([](EventObserver& o) { o.settingsChanged(SavedByNetwork); });
}

void EventModel::setJudgeTokens(const std::string& list) {
  if (settings_.judgetokens == list) return;
  settings_.judgetokens = list;
  tell([](EventObserver& o) { o.settingsChanged(SavedByNetwork); });
}

void EventModel::openJudging(int row) {
  if (!isRow(row)) return;
  judgingRow_ = row;
  ++judgingOpening_;
  tell([](EventObserver& o) { o.judgingChanged(); });
}

void EventModel::closeJudging() {
  if (judgingRow_ < 0) return;
  judgingRow_ = -1;
  tell([](EventObserver& o) { o.judgingChanged(); });
}

void EventModel::setChangeValue(const std::string& text) {
  if (settings_.scorestepdefault == text) return;
  settings_.scorestepdefault = text;
  tell([](EventObserver& o) { o.settingsChanged(SavedAtClose); });
}

void EventModel::setScreen(int mode) {
  screen_ = mode;
  panelShow_ = PanelShow();  // choosing any screen ends a staged display
  settings_.uityp = mode;
  // A reveal lasts only while its screen stays on show; choosing that screen again keeps it.
  if (reveal_.running() && reveal_.mode() != mode) endReveal();
  if (outputOn()) drawAfresh();
  tell([](EventObserver& o) { o.audienceChanged(); });
}

void EventModel::setOutputOn(bool on) {
  const bool was = outputOn();
  settings_.on = on ? 1 : 0;
  visible_ = on;
  if (!on) endReveal();
  if (on) drawAfresh();
  if (was != on) tell([](EventObserver& o) { o.settingsChanged(SavedAtClose); });
  tell([](EventObserver& o) { o.audienceChanged(); });
}

void EventModel::setOutputLive(bool live) {
  if (live_ == live) return;
  live_ = live;
  drawAfresh();
  tell([](EventObserver& o) { o.audienceChanged(); });
}

bool EventModel::setBlackout(bool on) {
  if (!live_ || on == blackout_) return false;
  blackout_ = on;
  if (on)
    endReveal();  // in the same change as the black frame: no step of the ranking flashes up
  else
    drawAfresh();
  tell([](EventObserver& o) { o.audienceChanged(); });
  appendLog(on ? kBlackoutLine : kBlackoutEndLine);
  return true;
}

void EventModel::placeOutput(const PixelRect& rect) {
  place_.placed = true;
  place_.rect = rect;
  visible_ = true;
  drawAfresh();
  tell([](EventObserver& o) { o.audienceChanged(); });
}

void EventModel::outputMoved(int left, int top) {
  if (!place_.placed || (place_.rect.left == left && place_.rect.top == top)) return;
  place_.rect = PixelRect{left, top, left + place_.rect.width(), top + place_.rect.height()};
  tell([](EventObserver& o) { o.audienceChanged(); });
}

bool EventModel::revealForward() {
  const int mode = snapshot()->rankingOnShow();
  if (!mode) return false;
  if (reveal_.running() && reveal_.mode() == mode) {
    if (!reveal_.next()) return false;
    ++drawCount_;
  } else {
    const bool groups = mode == GroupRanking;
    // The ranking of this moment, frozen for the whole reveal; the screen is drawn afresh
    // with it, so the frame after the last step shows the same ranking.
    drawAfresh();
    RankedList ranking = groups ? groupRanking(rows(), count()) : individualRanking(rows(), count());
    if (!reveal_.start(mode, std::move(ranking))) return false;
    tell([](EventObserver& o) { o.audienceChanged(); });
    appendLog(revealStartLine(groups));
    if (!reveal_.complete()) return true;
  }
  if (reveal_.complete()) {
    // Rank 1 is on show: the frozen ranking stays there until the screen is drawn again.
    tell([](EventObserver& o) { o.audienceChanged(); });
    appendLog(kRevealCompleteLine);
    reveal_.end();
  }
  tell([](EventObserver& o) { o.audienceChanged(); });
  return true;
}

bool EventModel::revealBack() {
  const int mode = snapshot()->rankingOnShow();
  if (!mode || reveal_.mode() != mode || !reveal_.back()) return false;
  ++drawCount_;
  tell([](EventObserver& o) { o.audienceChanged(); });
  return true;
}

PanelOutcome EventModel::applyPanel(int row, const std::vector<std::int32_t>& scores,
                                    const std::vector<int>& phoneSeats) {
  if (!isRow(row)) return PanelOutcome::NoRow;
  PanelEntry next;
  next.scores = scores;
  next.result = panelResult(scores, settings_.trim);
  if (!next.result.any) return PanelOutcome::Empty;
  const PanelEntry& before = panel(row);
  if (before.present() && before.scores == next.scores) return PanelOutcome::Unchanged;
  const ContestantRecord& record = this->row(row);
  const std::string label = contestantLabel(record);
  float score = 0.0f;
  if (!toScore(readNumber(hundredthsText(next.result.finalHundredths)), score)) return PanelOutcome::Empty;
  ScoreStep step;
  step.row = row;
  step.oldScore = record.score;
  step.newScore = score;
  step.changeText = panelLogText(label, next.result);
  step.panel = true;
  step.oldPanel = before;
  step.newPanel = next;
  for (int seat : phoneSeats) step.phones += (step.phones.empty() ? "" : ",") + std::to_string(seat);
  // A correction names every judge whose score changed, before the entry's own line.
  std::vector<std::string> corrections;
  if (before.present()) {
    const std::size_t judges = std::max(before.scores.size(), next.scores.size());
    for (std::size_t k = 0; k < judges; ++k) {
      const std::int32_t was = k < before.scores.size() ? before.scores[k] : kNoScore;
      const std::int32_t now = k < next.scores.size() ? next.scores[k] : kNoScore;
      if (was != now) corrections.push_back(correctionText(static_cast<int>(k) + 1, label, was, now));
    }
  }
  const bool hadRedo = canRedo();
  const bool hadUndo = canUndo();
  const std::string at = stamp();
  std::string records = journal::panelRecord(at, record, step);
  std::vector<std::string> lines;
  for (const std::string& text : corrections) lines.push_back(at + " " + text);
  lines.push_back(at + " " + step.changeText);
  for (const std::string& line : lines) records += journal::logRecord(line);
  // The entry, its score and every line in one durable write, before anyone is told.
  write(records);
  done_.push_back(step);
  undone_.clear();
  applyStep(step, true);
  for (const std::string& line : lines) addLine(line);
  if (hadRedo || !hadUndo) tell([](EventObserver& o) { o.historyChanged(); });
  return PanelOutcome::Applied;
}

int EventModel::judgesInUse() const {
  int most = 0;
  for (int i = 0; i < count_; ++i) most = std::max(most, panel(i).lastJudgeScored());
  return most;
}

bool EventModel::showPanel(int row) {
  if (!isRow(row) || !panel(row).present()) return false;
  const ContestantRecord& record = this->row(row);
  panelShow_ = PanelShow();
  panelShow_.running = true;
  panelShow_.row = row;
  panelShow_.name = record.name;
  panelShow_.group = record.group;
  panelShow_.entry = panel(row);
  panelShow_.step = 1;
  tell([](EventObserver& o) { o.audienceChanged(); });
  appendLog("亮分 " + contestantLabel(record));
  return true;
}

bool EventModel::stepForward() {
  if (!panelShow_.running) return revealForward();
  if (panelShow_.step >= panelShow_.steps()) return false;
  ++panelShow_.step;
  tell([](EventObserver& o) { o.audienceChanged(); });
  return true;
}

bool EventModel::stepBack() {
  if (!panelShow_.running) return revealBack();
  if (panelShow_.step <= 1) return false;
  --panelShow_.step;
  tell([](EventObserver& o) { o.audienceChanged(); });
  return true;
}

void EventModel::takeRounds(int current) {
  std::vector<Round> list;
  decodeRounds(settings_.rounds, list);
  const bool stays = current >= 0 && current < static_cast<int>(list.size());
  rounds_ = std::move(list);
  const int before = round_;
  round_ = stays ? current : -1;
  tell([](EventObserver& o) { o.roundChanged(); });
  // The operator sees in the log when the round in use went away with its list.
  if (before >= 0 && round_ < 0) enterRound(-1);
}

void EventModel::applyRounds(const std::vector<Round>& rounds, int current) {
  settings_.rounds = encodeRounds(rounds);
  takeRounds(current);
  tell([](EventObserver& o) { o.settingsChanged(SavedByRounds); });
}

bool EventModel::setRound(int index) {
  if (index < -1 || index >= static_cast<int>(rounds_.size()) || index == round_) return false;
  round_ = index;
  enterRound(index);
  tell([](EventObserver& o) { o.roundChanged(); });
  return true;
}

void EventModel::enterRound(int index) {
  const std::string at = stamp();
  const std::string name = roundName(rounds_, index);
  const std::string line = at + " " + kEnterRoundLine + name;
  write(journal::roundRecord(at, index + 1, name) + journal::logRecord(line));
  addLine(line);
}

bool EventModel::stepRound(int delta) {
  return setRound(std::max(-1, std::min(round_ + delta, static_cast<int>(rounds_.size()) - 1)));
}

std::string EventModel::addValue() const {
  return round_ >= 0 ? rounds_[static_cast<std::size_t>(round_)].add : settings_.scorestepdefault;
}

std::string EventModel::subtractValue() const {
  return round_ >= 0 ? rounds_[static_cast<std::size_t>(round_)].subtract : settings_.scorestepdefault;
}

std::string EventModel::quickSteps() const {
  if (round_ >= 0 && !rounds_[static_cast<std::size_t>(round_)].steps.empty())
    return rounds_[static_cast<std::size_t>(round_)].steps;
  return settings_.scoresteps;
}

void EventModel::showTimer() {
  const std::int64_t at = now();
  TimerView view;
  view.face = timerFace(timer_, settings_.timeryellow, settings_.timerred, at);
  view.mode = timer_.mode();
  view.running = timer_.running();
  view.remainingMs = timer_.remainingMs(at);
  view.elapsedMs = timer_.elapsedMs(at);
  // A tick that changes nothing on the clock is no change of the event.
  if (view.face == timerView_.face && view.running == timerView_.running && view.mode == timerView_.mode) return;
  timerView_ = view;
  tell([](EventObserver& o) { o.timerChanged(); });
}

bool EventModel::noticeTimeUp(std::int64_t at) {
  if (!timer_.expire(at)) return false;
  showTimer();
  appendLog(kTimeUpText);
  tell([](EventObserver& o) { o.timeUp(); });
  return true;
}

void EventModel::timerStartPause() {
  const std::int64_t at = now();
  // Pressed in the moment time ran out, before the tick: that comes first, and the key is
  // not taken for a new start.
  if (noticeTimeUp(at)) return;
  switch (timer_.state()) {
    case AnswerTimer::Running:
      timer_.pause(at);
      appendLog("计时暂停");
      break;
    case AnswerTimer::Paused:
      timer_.resume(at);
      appendLog("计时继续");
      break;
    default: {
      const TimerMode mode = settings_.timermode == kCountUp ? kCountUp : kCountdown;
      const int answer = round_ >= 0 ? rounds_[static_cast<std::size_t>(round_)].seconds : 0;
      const int seconds = answer > 0 ? answer : settings_.timersecs;
      timer_.start(mode, static_cast<std::int64_t>(seconds) * 1000, at);
      appendLog(mode == kCountUp ? std::string("计时开始 正计时") : "计时开始 " + std::to_string(seconds) + " 秒");
      break;
    }
  }
  showTimer();
}

bool EventModel::timerReset() {
  if (!timer_.shown()) return false;
  const std::int64_t at = now();
  const bool countUp = timer_.mode() == kCountUp;
  const int counted = static_cast<int>(timer_.elapsedMs(at) / 1000);
  timer_.reset();
  showTimer();
  // A speech's end is worth its time in the log; an answer's countdown only its reset.
  char text[32];
  std::snprintf(text, sizeof text, "计时 %02d:%02d 结束", counted / 60, counted % 60);
  appendLog(countUp ? std::string(text) : std::string("计时复位"));
  return true;
}

bool EventModel::timerAdjust(int seconds) {
  if (!timer_.shown() || seconds == 0) return false;
  timer_.adjust(static_cast<std::int64_t>(seconds) * 1000, now());
  appendLog(seconds > 0 ? "计时加 " + std::to_string(seconds) + " 秒" : "计时减 " + std::to_string(-seconds) + " 秒");
  showTimer();
  return true;
}

std::int64_t EventModel::timerTick() {
  if (!noticeTimeUp(now())) showTimer();
  return timer_.nextChangeIn(now());
}

void EventModel::applyTimerSettings(const Settings& s) {
  copySettings(settings_, s, SavedByTimer);
  tell([](EventObserver& o) { o.settingsChanged(SavedByTimer); });
  showTimer();  // the cards may colour the clock otherwise now
}

void EventModel::takeBuzzerKeys() {
  // A damaged list is none (said once at the start); the stored value stays until replaced.
  decodeBuzzerKeys(settings_.buzzby ? settings_.buzzergroupkeys : settings_.buzzerkeys, buzzerKeys_);
  buzz_.setLockOutFalseStarts(settings_.buzzlockout != 0);
}

void EventModel::applyBuzzerSettings(const Settings& s) {
  copySettings(settings_, s, SavedByBuzzers);
  // Locked-out teams are counted by their place in the list: a new list starts afresh.
  buzz_ = BuzzerLockout();
  takeBuzzerKeys();
  tell([](EventObserver& o) { o.settingsChanged(SavedByBuzzers); });
  showBuzzer(BuzzerView());
}

int EventModel::teamRow(const std::string& team) const {
  for (int i = 0; i < count_; ++i)
    if (team == rows_[static_cast<std::size_t>(i)].name) return i;
  return -1;
}

void EventModel::showBuzzer(const BuzzerView& view) {
  if (view == buzzerView_) return;
  buzzerView_ = view;
  tell([](EventObserver& o) { o.buzzerChanged(); });
}

bool EventModel::armBuzzers() {
  if (buzz_.state() == BuzzerLockout::Armed) return false;
  buzz_.reset();
  buzz_.arm();
  appendLog("开始抢答");
  BuzzerView view;
  view.kind = BuzzerView::Armed;
  showBuzzer(view);
  if (settings_.buzztimer && !timer_.shown()) timerStartPause();
  return true;
}

bool EventModel::resetBuzzers() {
  if (buzz_.state() == BuzzerLockout::Idle && buzzerView_.kind == BuzzerView::None) return false;
  buzz_.reset();
  appendLog("抢答复位");
  showBuzzer(BuzzerView());
  return true;
}

void EventModel::buzzerInput(const std::vector<BuzzerPress>& batch) {
  for (const BuzzerOutcome& out : buzz_.feed(buzzerKeys_, batch)) {
    BuzzerView view;
    view.name = buzzerKeys_[static_cast<std::size_t>(out.buzzer)].team;
    // A group's buzzer names the group: no one row of it is the one to score.
    view.row = settings_.buzzby ? -1 : teamRow(view.name);
    const std::string label = view.row >= 0 ? contestantLabel(row(view.row)) : view.name;
    if (out.kind == BuzzerOutcome::Won) {
      appendLog("抢答 " + label);
      view.kind = BuzzerView::Winner;
      showBuzzer(view);
      const int won = view.row;
      tell([won](EventObserver& o) { o.buzzerWon(won); });
    } else {
      appendLog("提前抢答 " + label);
      view.kind = BuzzerView::FalseStart;
      if (settings_.buzzshowfalse) showBuzzer(view);
    }
  }
}

const char kBuzzArmedText[] = "请抢答";
const char kBuzzWinnerText[] = "抢答";
const char kBuzzFalseStartText[] = "提前抢答";

std::string BuzzerView::text() const {
  switch (kind) {
    case Armed:
      return kBuzzArmedText;
    case Winner:
      return name + " " + kBuzzWinnerText;
    case FalseStart:
      return name + " " + kBuzzFalseStartText;
    default:
      return std::string();
  }
}
