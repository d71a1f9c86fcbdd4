// Which key does what in the console, in which state.  Portable: key codes are the values of
// the Windows virtual-key codes, so the console passes them straight through.
//
// Only keys with Ctrl, function keys, Enter and the numeric keypad's + and - are commands: a
// stray letter, digit or space never changes anything.  A command whose target is missing
// (no row selected, output window not created yet) is no command at all, so the key falls
// through to the focused control and nothing is logged.
//
// To add a key: a row in the table of console_keys.cpp (and a command here when it is new).
#pragma once
#include <string>
#include <vector>

namespace keys {
// Virtual-key codes used by the console.
constexpr unsigned Enter = 0x0D;
constexpr unsigned Left = 0x25;
constexpr unsigned Right = 0x27;
constexpr unsigned NumpadAdd = 0x6B;
constexpr unsigned NumpadSubtract = 0x6D;
constexpr unsigned F2 = 0x71;
constexpr unsigned F5 = 0x74;
constexpr unsigned F6 = 0x75;
constexpr unsigned F7 = 0x76;
constexpr unsigned F8 = 0x77;
constexpr unsigned F9 = 0x78;
constexpr unsigned F10 = 0x79;
constexpr unsigned Minus = 0xBD;                                               // the main keyboard's "-"
inline constexpr unsigned letter(char c) { return static_cast<unsigned>(c); }  // 'A'..'Z', '0'..'9'
}  // namespace keys

struct KeyStroke {
  unsigned key;
  bool ctrl;
  bool shift;
  bool alt;
};

enum class ConsoleCommand {
  None,
  OpenScoreEntry,  // the score entry dialog for the selected row
  AddStep,         // the current change value added to the selected row
  SubtractStep,    // ... taken from it
  QuickStep,       // quick-step piece `argument` (0-3) added to the selected row
  ShowMode,        // screen `argument` (0-3), as its radio button
  ToggleOutput,    // as the output check box
  ToggleBlackout,
  Undo,
  Redo,
};

struct ConsoleKeyState {
  bool rowSelected;  // a roster row is selected
  bool outputReady;  // the output window exists
  int quickSteps;    // how many quick-step pieces the settings hold (0-4)
};

struct KeyAction {
  ConsoleCommand command;
  int argument;
};

// What the key does in that state; None leaves the key to the focused control.
KeyAction consoleKeyAction(const KeyStroke& stroke, const ConsoleKeyState& state);

// One line per key for the about box and the guide: "key  what it does".
struct KeyHelp {
  std::string keys;
  std::string action;
};
const std::vector<KeyHelp>& consoleKeyHelp();
// The help lines as one text, each "keys：action" on its own line.
std::string consoleKeyHelpText();

// The score entry dialog's accelerators: which of its buttons a key presses.
enum class ScoreEntryKey { None, QuickStep1, QuickStep2, QuickStep3, QuickStep4, Add, Subtract, SetDirectly };
ScoreEntryKey scoreEntryKey(const KeyStroke& stroke);
