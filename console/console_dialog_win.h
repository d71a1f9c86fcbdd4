// ConsoleDialog: the operator's main window (template 102).  Roster list on the left, the
// operation log on the right, the output switch, screen, undo and redo buttons below.  It is
// a view of the event model and the place the operator's commands come in: keys and buttons
// go through the command table to one handler each, which asks the model (or the output
// controller) for the change.  It owns no event state; the program owns the model, the core
// and the output.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "console/buzzer_input_win.h"
#include "console/console_commands.h"
#include "contest/event_model.h"
#include "dialogs/buzzer_dialog_win.h"
#include "framework/controls_win.h"
#include "framework/dialog_win.h"
#include "framework/tooltips_win.h"
#include "net/judge_desk.h"

// Posted by the venue server when judges' phones sent scores: the console takes them.
constexpr UINT WM_JUDGE_SCORES = WM_APP + 1;

class CCore;
class PanelDialog;
class OutputController;
class VenueService;
class PreviewWindow;

// What the console works with, owned by the program for the console's whole life.
struct ConsoleContext {
  CCore& core;
  EventModel& model;
  OutputController& output;
  VenueService& venue;  // the venue's web server
  std::string rosterPath;
  std::string dataDir;
  std::function<std::string()> journalPath;
  // Reads the roster file into the model (warning about a file too long).
  std::function<void(HWND owner)> loadRoster;
  // The program's start once the console exists (the roster, the journal, the output).
  std::function<void(HWND owner)> firstTick;
  // The program's shut-down, while the console still exists.
  std::function<void()> closing;
};

class ConsoleDialog : public CDialog, private EventObserver {
 public:
  explicit ConsoleDialog(ConsoleContext context);
  ~ConsoleDialog() override;

  CListCtrl m_rosterList;  // 1005
  CListBox m_logList;      // 1004
  HICON m_hIcon;

  BOOL PreTranslateMessage(MSG* msg) override;

  EventModel* model() { return &ctx_.model; }
  OutputController& output() { return ctx_.output; }
  PreviewWindow* preview() const;
  const ControlTips& tips() const { return m_tips; }

  // What a key does now, and doing it (see console_commands.h).
  ConsoleKeyState keyState() const;
  void runCommand(ConsoleCommand command, int argument = 0);
  // The keyboard returns to the roster list (after every dialog).
  void focusRoster();
  // The score of a row as the console shows it everywhere.
  std::string formatScore(int row) const;

  // A timer of this window run by `owner`'s tick; only its owner kills it.
  void setTimer(UINT_PTR id, UINT ms, std::function<void()> tick);
  void killTimer(UINT_PTR id);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnRawInput(WPARAM, LPARAM);
  LRESULT OnDisplayChange(WPARAM, LPARAM);
  LRESULT OnJudgeScores(WPARAM, LPARAM);
  void logLateJudgeScores(const std::vector<JudgeScore>& late);
  void OnRosterDoubleClick(NMHDR* header, LRESULT* result);
  void OnCommandButton(UINT id);
  void OnRosterSelection(NMHDR* header, LRESULT* result);
  void OnRoundChosen();

  // The handlers of the commands that take more than one call.
  void scoreEntry(int row);
  void changeSelectedScore(const std::string& valueText, bool add);
  void options();
  void network();
  void reload();
  void secondScreen();
  void blackout();
  void about();
  void exportResults();
  void exportLog();
  void panelEntry(int row);
  void showPanel();
  void exportSheet();
  void roundsDialog();
  void timerSettings();
  void buzzerSettings();
  // The tick that brings the clock to the time: due when the clock is to change next.
  void scheduleTimerTick();
  // The timer button's caption and the clock beside it.
  void showTimer();

  // What the model tells: the list, the log list and the buttons follow it.
  void rowChanged(int row) override;
  void rowsReset() override;
  void logAppended(const std::string& line) override;
  void logReplaced() override;
  void audienceChanged() override;
  void historyChanged() override;
  void settingsChanged(unsigned rows) override;
  void journalFailed() override;
  void roundChanged() override;
  void timerChanged() override;
  void timeUp() override;
  void buzzerChanged() override;
  void buzzerWon(int row) override;
  // A learnt buzzer key typed while the console has the focus: taken as a press and never
  // as a command.
  bool buzzerKey(const MSG& msg);
  // The switch, screen and blackout controls and the enabled buttons as the model has them.
  void showAudience();
  void enableButtons();
  // The round box: "不分轮次", then every round; the current one chosen.
  void showRounds();

  ConsoleContext ctx_;
  ControlTips m_tips;
  std::map<UINT_PTR, std::function<void()>> timers_;
  PanelDialog* openPanel_ = nullptr;  // the "评委打分" dialog while it is open
  BuzzerDialog* learning_ = nullptr;  // the "抢答器设置" dialog while it is open
  BuzzerInput buzzerInput_;
};
