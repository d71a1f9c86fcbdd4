// The console's use of the two operator dialogs.
#include "console/console_dialog_win.h"
#include "dialogs/options_dialog_win.h"
#include "dialogs/score_entry_dialog_win.h"

bool ConsoleDialog::runScoreEntry(int row, std::string& changeText) {
  ScoreEntryDialog dialog;
  dialog.rowIndex = row;
  if (dialog.DoModal() != IDOK) return false;
  changeText = dialog.changeText;
  return true;
}

bool ConsoleDialog::runOptions() {
  OptionsDialog dialog;
  return dialog.DoModal() == IDOK;
}
