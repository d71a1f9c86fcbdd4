// The console's use of the two operator dialogs.
#include "app/shared_state.h"
#include "console/console_dialog_win.h"
#include "dialogs/options_dialog_win.h"
#include "dialogs/score_entry_dialog_win.h"

void ConsoleDialog::runScoreEntry(int row) {
  ScoreEntryDialog dialog;
  dialog.rowIndex = row;
  const INT_PTR result = dialog.DoModal();
  app::scorestepdefault = dialog.changeField;  // offered again next time, also after a cancel
  if (result != IDOK) return;
  if (dialog.hasRequest)
    applyScore(dialog.request);
  else
    appendLog(dialog.changeText);  // Enter: accepted without a change
}

bool ConsoleDialog::runOptions() {
  OptionsDialog dialog;
  return dialog.DoModal() == IDOK;
}
