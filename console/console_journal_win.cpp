// The console's share of the journal: where it lives, what happens to the previous run's
// journal at start-up, and undo and redo.
#include "app/shared_state.h"
#include "console/console_dialog_win.h"
#include "contest/resume.h"
#include "kqcore/core_win.h"
#include "kqcore/file_io.h"
#include "resources/resource.h"

std::string ConsoleDialog::journalPath() const {
  // Beside the settings store: the program's folder, or the per-user folder when that
  // cannot be written.
  const std::string store = app::core ? app::core->configPath() : std::string();
  const std::size_t slash = store.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? app::appPath : store.substr(0, slash + 1);
  return folder + "Quillet.journal";
}

std::string ConsoleDialog::setJournalAside() {
  const std::string path = journalPath();
  const std::string folder = path.substr(0, path.size() - std::string("Quillet.journal").size());
  const std::string sid = app::core->getCurTimeSid();
  for (int attempt = 1; attempt <= 99; ++attempt) {
    const std::string name = resume::datedName(sid, attempt);
    if (fileio::rename(path, folder + name)) return name;
  }
  return std::string();
}

void ConsoleDialog::openFreshJournal() {
  if (journalFile_.open(journalPath(), 0))
    model_->attachJournal(&journalFile_, true);
  else
    journalFailed();
}

void ConsoleDialog::startJournal() {
  const std::string path = journalPath();
  std::string bytes;
  fileio::readPrefix(path, resume::kMaxJournalBytes + 1, bytes);
  journal::Replay previous = journal::replay(bytes);
  if (bytes.size() > resume::kMaxJournalBytes) previous.status = journal::Replay::Garbled;

  const resume::Choice choice = resume::choose(previous, model_->rows(), model_->count());
  if (choice == resume::Choice::Ask && app::core->msgboxConfirm(m_hWnd, resume::question(previous)) == IDYES) {
    // Go on in the same journal, after its last complete record.
    if (journalFile_.open(path, previous.validLength))
      model_->attachJournal(&journalFile_, false);
    else
      journalFailed();
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
    journalFailed();
    return;
  }
  if (choice == resume::Choice::Unreadable) app::core->msgboxWarning(m_hWnd, resume::unreadableWarning(kept));
  openFreshJournal();
  if (choice == resume::Choice::Differs) appendLog(resume::differsLine(kept));
}

void ConsoleDialog::undo() {
  if (model_) model_->undo();
}

void ConsoleDialog::redo() {
  if (model_) model_->redo();
}

void ConsoleDialog::OnUndo() { undo(); }
void ConsoleDialog::OnRedo() { redo(); }

void ConsoleDialog::historyChanged() {
  const HWND undoButton = GetDlgItem(IDC_UNDO);
  const HWND redoButton = GetDlgItem(IDC_REDO);
  const HWND focus = ::GetFocus();
  ::EnableWindow(undoButton, model_->canUndo());
  ::EnableWindow(redoButton, model_->canRedo());
  // A button that just went grey must not keep the keyboard focus.
  if ((focus == undoButton || focus == redoButton) && !::IsWindowEnabled(focus)) ::SetFocus(m_rosterList.m_hWnd);
}

void ConsoleDialog::journalFailed() {
  if (app::core) app::core->msgboxWarning(m_hWnd, resume::writeFailedWarning(journalPath()));
}
