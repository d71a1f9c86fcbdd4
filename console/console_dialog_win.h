// ConsoleDialog: the operator's main window (template 102).  Roster list on the left, the
// operation log on the right, the output switch and screen buttons below.  It performs the
// program's start-up and shut-down of shared state and owns the output window.
#pragma once
#include <memory>
#include <string>

#include "contest/contest_model.h"
#include "framework/controls_win.h"
#include "framework/dialog_win.h"
#include "scoreboard/ranking_reveal.h"

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

  // The award ceremony: starts a reveal of the ranking screen on show, or shows its next
  // step; one step back.
  void revealForward();
  void revealBack();
  const RankingReveal& reveal() const { return m_reveal; }

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

  std::unique_ptr<ContestModel> model_;

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
};
