// The console's commands, described once: one row per command with its keys, when it is
// enabled, its button or check box, its tip and its line in the key list.  Key dispatch,
// the buttons' dispatch and enabling, the tips and the about box's key list all come from
// this table.  A new action is one row here plus its handler in the console (plus its control).
//
// Only keys with Ctrl, function keys, Enter and the numeric keypad's + and - are commands
// (and Left/Right while a reveal runs): a stray letter, digit or space never changes
// anything.  A command whose target is missing (no row selected, output window not created
// yet) is no command at all, so the key falls through to the focused control.
#pragma once
#include <string>
#include <vector>

#include "dialogs/score_entry_keys.h"
#include "kqcore/key_codes.h"

enum class ConsoleCommand {
  None,
  OpenScoreEntry,  // the score entry dialog for the selected row
  AddStep,         // the current change value added to the selected row
  SubtractStep,    // ... taken from it
  QuickStep,       // quick-step piece `argument` (0-3) added to the selected row
  ShowMode,        // screen `argument` (0-3)
  ToggleOutput,
  ToggleBlackout,
  Undo,
  Redo,
  RevealForward,  // the award ceremony: start a reveal or show its next step
  StepForward,    // the host's cue: the next step of the staged display or of the reveal
  StepBack,
  PanelEntry,   // the judges' scores of the selected row
  PanelShow,    // the staged display of the selected row's panel, or its next step
  ExportSheet,  // the judges' score sheet
  NextRound,    // argument +1: the next round, -1: the previous one
  Rounds,       // the rounds dialog
  TimerStartPause,
  TimerReset,
  TimerAdjust,  // argument: seconds added (negative: taken)
  TimerSettings,
  BuzzArm,    // the buzzers armed for a question
  BuzzReset,  // the question's buzzers reset
  BuzzSettings,
  SecondScreen,
  TogglePreview,
  Options,
  Network,  // the venue's web server
  Reload,
  ExportResults,
  ExportLog,
  About,
};

// What the commands need, as the console finds it now.
struct ConsoleKeyState {
  bool rowSelected;  // a roster row is selected
  bool outputReady;  // the output window exists
  int quickSteps;    // how many quick-step pieces the settings hold (0-4)
  bool canUndo = false;
  bool canRedo = false;
  bool rankingOnShow = false;  // a ranking screen is on show (a reveal can start)
  bool revealRunning = false;
  bool judges = false;       // the settings have a judge panel
  bool rowHasPanel = false;  // the selected row has a panel entry
  bool panelShowRunning = false;
  bool rounds = false;       // the settings hold rounds
  bool timerShown = false;   // the timer was started and not reset
  bool buzzerShown = false;  // the buzzers are armed, or show a winner or a false start
  // Something is being staged step by step: the arrows are the host's cues.
  bool staging() const { return revealRunning || panelShowRunning; }
};

enum CommandNeeds : unsigned {
  NeedsNothing = 0,
  NeedsRow = 1,
  NeedsOutput = 2,
  NeedsQuickStep = 4,
  NeedsUndo = 8,
  NeedsRedo = 16,
  NeedsRankingOnShow = 32,
  NeedsReveal = 64,  // a reveal or a staged display runs
  NeedsJudges = 128,
  NeedsRowPanel = 256,
  NeedsStage = 512,  // a ranking on show or a staged display
  NeedsRounds = 1024,
  NeedsTimer = 2048,
  NeedsBuzzer = 4096,
};

struct KeyChord {
  unsigned key;  // 0: none
  bool ctrl;
};

struct CommandRow {
  ConsoleCommand command;
  int argument;
  KeyChord keys[2];
  unsigned needs;        // for its keys, and for its button when `enables`
  int control;           // its button or check box, 0 for none
  bool enables;          // the button is enabled only while `needs` is met
  const char* tip;       // the control's tip, or null
  const char* helpKeys;  // its line in the key list, or null (one line may cover several rows)
  const char* help;
};

const std::vector<CommandRow>& consoleCommands();
bool commandMet(const CommandRow& row, const ConsoleKeyState& state);

struct KeyAction {
  ConsoleCommand command;
  int argument;
};

// What the key does in that state; None leaves the key to the focused control.  Shift and
// Alt are never part of a console key.
KeyAction consoleKeyAction(const KeyStroke& stroke, const ConsoleKeyState& state);
// True when the key belongs to a command whatever the state, so its press and release are
// never passed on (F10 would open the system menu).
bool consoleKeyReserved(unsigned key);

// The row of a button or check box, or null.
const CommandRow* commandForControl(int control);

// The key list for the about box and the guide: the console's lines, then the score entry
// dialog's, each "keys：action" on its own line.
std::vector<KeyHelp> consoleKeyHelp();
std::string consoleKeyHelpText();
