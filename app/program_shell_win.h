// ProgramShell: the running program, from start-up to shut-down.  It owns, in the order they are
// made and the reverse order they go, the core component (settings store, drawing), the
// event model with its journal, the output (window and preview) and the console, and does
// what happens once per run: reading the settings, the roster, resuming or setting aside the
// previous run's journal, and at the close the last records and settings.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "contest/event_model.h"
#include "contest/journal_file.h"

class CCore;
class ConsoleDialog;
class OutputController;
class VenueService;

class ProgramShell : private EventObserver {
 public:
  ProgramShell();
  ~ProgramShell() override;
  ProgramShell(const ProgramShell&) = delete;
  ProgramShell& operator=(const ProgramShell&) = delete;

  // Runs the console modally until it closes.
  INT_PTR run();

  CCore& core() { return *core_; }
  EventModel& model() { return *model_; }
  OutputController& output() { return *output_; }
  VenueService& venue() { return *venue_; }
  ConsoleDialog& console() { return *console_; }

  std::string appPath() const { return appPath_; }  // ends with a backslash
  std::string dataDir() const { return appPath_ + "data\\"; }
  std::string rosterPath() const { return dataDir() + "_team.txt"; }
  // The journal beside the settings store.
  std::string journalPath() const;

 private:
  // On the first tick, once the console is on screen: the roster, the previous run's journal
  // (restored when the operator wants it, or set aside) and this run's journal, the output.
  void firstTick(HWND console);
  void loadRoster(HWND owner);
  void startJournal(HWND owner);
  void openFreshJournal();
  // Renames the journal to a dated name beside it; that name, or empty when it failed.
  std::string setJournalAside();
  // While the console still exists: the closing record and the settings saved at close.
  void closing();
  // Options are saved the moment they are applied.
  void settingsChanged(unsigned rows) override;

  std::unique_ptr<CCore> core_;
  std::string appPath_;
  std::unique_ptr<EventModel> model_;
  JournalFile journalFile_;
  std::unique_ptr<OutputController> output_;
  std::unique_ptr<VenueService> venue_;
  std::unique_ptr<ConsoleDialog> console_;
  HWND consoleWindow_ = nullptr;
  bool roundsDamaged_ = false;
  bool buzzersDamaged_ = false;  // the same for the learnt buzzers
};
