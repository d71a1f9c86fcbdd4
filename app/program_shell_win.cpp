#include "app/program_shell_win.h"

#include "console/console_dialog_win.h"
#include "console/output_controller_win.h"
#include "contest/resume.h"
#include "framework/message_box_win.h"
#include "kqcore/core_win.h"
#include "kqcore/file_io.h"
#include "net/adapters_win.h"
#include "net/judge_desk.h"
#include "net/judge_tokens_win.h"
#include "net/venue_service.h"

namespace {

const char kStartLine[] = "-- 程序启动";
const char kJournalName[] = "Quillet.journal";

LocalTime localNow() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

ProgramShell::ProgramShell() : core_(new CCore(settingsDefaults())) {
  core_->autoFileConfig();
  appPath_ = core_->getAppPath();
  const Settings settings = readSettings(core_->settingsStore());
  std::vector<Round> rounds;
  roundsDamaged_ = !decodeRounds(settings.rounds, rounds);
  std::vector<BuzzerKey> keys;
  buzzersDamaged_ = !decodeBuzzerKeys(settings.buzzerkeys, keys) || !decodeBuzzerKeys(settings.buzzergroupkeys, keys);
  model_.reset(new EventModel(settings, localNow));
  model_->addObserver(this);
  // The judges' links of the last run hold (a restart in the middle of an event); the first
  // start, or a damaged store, makes them (saved at once).
  if (splitTokens(model_->settings().judgetokens).empty()) model_->setJudgeTokens(freshJudgeTokens());
  output_.reset(new OutputController(*model_, *core_, dataDir()));
  venue_.reset(new VenueService(*model_, picturesIn(dataDir()), systemAdapters));
  core_->kqseed();
  ConsoleContext context{*core_,
                         *model_,
                         *output_,
                         *venue_,
                         rosterPath(),
                         dataDir(),
                         [this]() { return journalPath(); },
                         [this](HWND owner) { loadRoster(owner); },
                         [this](HWND console) { firstTick(console); },
                         [this]() { closing(); }};
  console_.reset(new ConsoleDialog(std::move(context)));
}

ProgramShell::~ProgramShell() {
  // Nothing may draw from the model or reach the core once they are gone.
  console_.reset();
  if (output_) output_->shutDown();
  output_.reset();
  venue_.reset();
  if (model_) model_->removeObserver(this);
  model_.reset();
  core_.reset();
}

INT_PTR ProgramShell::run() { return console_->DoModal(); }

std::string ProgramShell::journalPath() const {
  // Beside the settings store: the program's folder, or the per-user folder when that
  // cannot be written.
  const std::string store = core_->configPath();
  const std::size_t slash = store.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? appPath_ : store.substr(0, slash + 1);
  return folder + kJournalName;
}

void ProgramShell::firstTick(HWND console) {
  consoleWindow_ = console;
  // A judge's score, taken on a server thread, is brought to the console's thread to be used.
  venue_->server().onJudgeScores([console] { ::PostMessageW(console, WM_JUDGE_SCORES, 0, 0); });
  // The model runs without the damaged list; the value stays in the store until the operator
  // saves new rounds.
  if (roundsDamaged_) messageWarning(console, kRoundsDamagedWarning);
  if (buzzersDamaged_) messageWarning(console, kBuzzerKeysDamagedWarning);
  loadRoster(console);
  startJournal(console);
  // What the operator switched in the 200 ms before the window existed applies now.
  output_->start(console_.get());
  model_->appendLog(kStartLine);
  // A program that was serving when it closed serves again.
  if (model_->settings().net) {
    const std::string refusal = venue_->apply(true, model_->settings().port);
    if (!refusal.empty()) messageWarning(console, refusal);
  }
}

void ProgramShell::loadRoster(HWND owner) {
  bool cut = false;
  const std::string text = core_->readTxtFile(rosterPath(), &cut);
  const RosterResult result = model_->reload(text);
  const std::string mb = core_->getStrInt(CCore::kMaxTextFile >> 20);
  if (cut) {
    // Only the start of the file was read: what lies beyond it is unknown, so no count.
    messageWarning(owner, "名单文件大于 " + mb + " MB，不像参赛队名单：只读了它的前 " + mb + " MB，载入了 " +
                              core_->getStrInt(result.loaded) + " 队。");
  } else if (result.leftOut > 0) {
    messageWarning(owner, "参赛队名单超过 " + core_->getStrInt(kContestantRows) + " 队：只载入了前 " +
                              core_->getStrInt(kContestantRows) + " 队，另有 " + core_->getStrInt(result.leftOut) +
                              " 行未载入。");
  }
  if (console_) console_->focusRoster();
}

std::string ProgramShell::setJournalAside() {
  const std::string path = journalPath();
  const std::string folder = path.substr(0, path.size() - std::string(kJournalName).size());
  const std::string sid = core_->getCurTimeSid();
  for (int attempt = 1; attempt <= 99; ++attempt) {
    const std::string name = resume::datedName(sid, attempt);
    if (fileio::rename(path, folder + name)) return name;
  }
  return std::string();
}

void ProgramShell::openFreshJournal() {
  if (journalFile_.open(journalPath(), 0))
    model_->attachJournal(&journalFile_, true);
  else
    messageWarning(consoleWindow_, resume::writeFailedWarning(journalPath()));
}

void ProgramShell::startJournal(HWND owner) {
  const std::string path = journalPath();
  std::string bytes;
  fileio::readPrefix(path, resume::kMaxJournalBytes + 1, bytes);
  journal::Replay previous = journal::replay(bytes);
  if (bytes.size() > resume::kMaxJournalBytes) previous.status = journal::Replay::Garbled;

  const resume::Choice choice = resume::choose(previous, model_->rows(), model_->count());
  if (choice == resume::Choice::Ask && messageConfirm(owner, resume::question(previous)) == IDYES) {
    // Go on in the same journal, after its last complete record.
    if (journalFile_.open(path, previous.validLength))
      model_->attachJournal(&journalFile_, false);
    else
      messageWarning(owner, resume::writeFailedWarning(path));
    model_->restore(previous);
    return;
  }
  if (choice == resume::Choice::Fresh) {
    openFreshJournal();
    return;
  }
  // Everything else is kept under a dated name, never overwritten.
  const std::string kept = setJournalAside();
  if (kept.empty()) {
    // It could not be renamed: writing a new journal would destroy it, so run without one.
    messageWarning(owner, resume::writeFailedWarning(path));
    return;
  }
  if (choice == resume::Choice::Unreadable) messageWarning(owner, resume::unreadableWarning(kept));
  openFreshJournal();
  if (choice == resume::Choice::Differs) model_->appendLog(resume::differsLine(kept));
}

void ProgramShell::settingsChanged(unsigned rows) {
  // Every dialog's rows are written at its OK; only the console's own wait for its close.
  const unsigned now = rows & ~static_cast<unsigned>(SavedAtClose);
  if (now) saveSettings(core_->settingsStore(), model_->settings(), now);
}

void ProgramShell::closing() {
  venue_->shutdown();  // its last line goes into the journal
  model_->closeJournal();
  journalFile_.close();
  saveSettings(core_->settingsStore(), model_->settings(), SavedAtClose);
  // The output goes with the console that owns its window.
  output_->shutDown();
}
