// ConsoleDialog: the operator's main window (template 102).  Roster list on the left, the
// operation log on the right, the output switch, screen, undo and redo buttons below.  It
// performs the program's start-up and shut-down of shared state and owns the core, the
// contest model with its journal, and the output window.
#pragma once
#include <memory>
#include <string>

#include "console/console_keys.h"
#include "contest/contest_model.h"
#include "contest/journal_file.h"
#include "framework/controls_win.h"
#include "framework/dialog_win.h"
#include "framework/tooltips_win.h"
#include "scoreboard/ranking_reveal.h"

class CCore;
class ScoreboardWindow;
class PreviewWindow;

class ConsoleDialog : public CDialog, private ContestObserver {
 public:
  ConsoleDialog();
  ~ConsoleDialog() override;

  CListCtrl m_rosterList;  // 1005
  CListBox m_logList;      // 1004
  HICON m_hIcon;

  BOOL PreTranslateMessage(MSG* msg) override;

  // The live contest; exists from initialisation to destruction.
  ContestModel* model() { return model_.get(); }

  // The one way in for a score change, whatever asked for it: applied through the model,
  // which updates the list, the output window and the log.  False when it was refused.
  bool applyScore(const ScoreRequest& request);
  // One line into the operation log: local time stamp, a space, text.
  void appendLog(const std::string& text);
  // The score of a row as the console shows it everywhere.
  std::string formatScore(int row) const;
  void loadRoster();
  void readDisplayMode();
  void applyOutput();
  void exportResults();
  void exportLog();
  // Take back the last score change, or apply the last one taken back again.
  void undo();
  void redo();
  // The journal beside the settings store.
  std::string journalPath() const;

  // The award ceremony: starts a reveal of the ranking screen on show, or shows its next
  // step; one step back.
  void revealForward();
  void revealBack();
  const RankingReveal& reveal() const { return m_reveal; }
  // What a key does now, and doing it (the console's keys, see console_keys.h).
  ConsoleKeyState keyState() const;
  void runKeyCommand(const KeyAction& action);
  // The keyboard returns to the roster list (after every dialog).
  void focusRoster();
  bool outputReady() const;

  PreviewWindow* preview() const { return m_preview.get(); }
  const ControlTips& tips() const { return m_tips; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  void OnOptions();
  LRESULT OnDestroy(WPARAM, LPARAM);
  void OnOutputSwitch();
  void OnAbout();
  void OnReload();
  LRESULT OnTimer(WPARAM, LPARAM);
  void OnRosterDoubleClick(NMHDR* header, LRESULT* result);
  void OnSecondScreen();
  void OnModeButton(UINT id);
  void OnRevealButton();
  void OnUndo();
  void OnRedo();
  void OnBlackout();
  void OnPreview();

  // The score entry dialog for a row (Enter, F2, a double click); the keyboard returns to the list.
  void scoreEntry(int row);
  // The selected row changed by valueText without the dialog, as its add or subtract would.
  void changeSelectedScore(const std::string& valueText, bool add);
  // The screen whose radio button is checked (what switching output on would show).
  int checkedMode() const;
  // A hidden output window pushes nothing: its preview gets what switching it on would show.
  void refreshHiddenPreview();
  void addTips();
  LRESULT OnDisplayChange(WPARAM, LPARAM);

  // The operator dialogs.  Score entry for a row: what the operator accepted is applied.
  void runScoreEntry(int row);
  bool runOptions();

  // What the model tells: the list, the log list and the output window follow it.
  void rowChanged(int row) override;
  void rowsReset() override;
  void logAppended(const std::string& line) override;
  void displayModeChanged(int mode) override;
  void outputSwitchChanged(bool on) override;
  void historyChanged() override;
  void journalFailed() override;

  // Owned from initialisation (core, model) or the first tick (output window) until the
  // destroy message, which releases them in the order the output window, the model and its
  // tables, the core; the shared pointers of the program are views of these.
  std::unique_ptr<CCore> core_;
  JournalFile journalFile_;
  std::unique_ptr<ContestModel> model_;
  std::unique_ptr<ScoreboardWindow> scoreboard_;

  void releaseAll();

  // The output check box clicked, or the options dialog accepted.
  void reapplyOutputSwitch();

  // The ranking screen on show (IndividualRanking or GroupRanking), or 0.  A reveal lasts
  // only while its screen stays on show.
  int rankingOnShow() const;
  void endReveal();
  void updateRevealButton();
  // The reveal's keys while the console has the focus; true when the key was used.
  bool handleRevealKey(const MSG& msg);

  RankingReveal m_reveal;
  // On the first tick, after the roster is loaded: the previous run's journal is restored
  // (when the operator wants it) or set aside, and this run's journal is opened.
  void startJournal();
  void openFreshJournal();
  // Renames the journal to a dated name beside it; that name, or empty when it failed.
  std::string setJournalAside();
  std::unique_ptr<PreviewWindow> m_preview;
  ControlTips m_tips;
};
