// TimerDialog: "计时设置" (template 135): countdown or count-up, the countdown's time, the
// yellow and red cards of a count-up, where the clock stands and the sound at zero.  Its
// fields are the settings table's timer rows; it edits a copy and on OK holds in `result`
// what the operator asked for.  A failed check warns, focuses the field and stays open.
#pragma once
#include "contest/settings.h"
#include "framework/dialog_win.h"

class TimerDialog : public CDialog {
 public:
  explicit TimerDialog(const Settings& settings);

  Settings result;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};
