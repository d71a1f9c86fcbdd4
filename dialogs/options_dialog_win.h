// OptionsDialog: the modal dialog (template 131) in which the operator edits the scoring and
// display settings.  It edits a copy: its controls and checks come from the settings table,
// and an accepted dialog holds in `result` what the operator asked for; it writes nothing
// itself.  A failed check warns, focuses the field and keeps the dialog open.
#pragma once
#include "contest/settings.h"
#include "controls/colour_picker_win.h"
#include "framework/dialog_win.h"

class CCore;

class OptionsDialog : public CDialog {
 public:
  // judgesInUse: the highest judge number that has given a score (the panel cannot shrink
  // below it).
  OptionsDialog(const Settings& settings, CCore& core, int judgesInUse = 0);

  Settings result;
  CXColourPicker m_teamColour;   // 1032
  CXColourPicker m_titleColour;  // 1030

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CXColourPicker* picker(int control);
  CCore& core_;
  int judgesInUse_;
};
