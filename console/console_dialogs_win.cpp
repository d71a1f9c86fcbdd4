// The console's use of the two operator dialogs.
#include "console/console_dialog_win.h"

bool ConsoleDialog::runScoreEntry(int, std::string&) { return false; }

bool ConsoleDialog::runOptions() { return false; }
