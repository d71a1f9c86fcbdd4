// The score entry dialog's accelerators, described once: which of its buttons a key presses,
// the button's tip and the line for the key list.
#pragma once
#include <string>
#include <vector>

#include "kqcore/key_codes.h"

struct ScoreEntryKeyRow {
  unsigned key;      // with Ctrl
  unsigned alsoKey;  // another key for the same button, or 0
  int control;       // the button pressed
  const char* tip;   // its tip ("" for the quick-step buttons, whose tips name their value)
};
const std::vector<ScoreEntryKeyRow>& scoreEntryKeys();

// The button a key presses, or 0.  Only with Ctrl, never with Shift or Alt.
int scoreEntryButton(const KeyStroke& stroke);

// The key list's lines for the dialog: {keys, what they do}.
struct KeyHelp {
  std::string keys;
  std::string action;
};
std::vector<KeyHelp> scoreEntryKeyHelp();
