// OptionsDialog: the modal dialog (template 131) in which the operator edits the scoring and
// display settings (nine fields, and whether the output fills its monitor).  Accept reads,
// checks, stores and persists them in that order; a failed check warns, focuses the field
// and changes nothing.
#pragma once
#include "controls/colour_picker_win.h"
#include "framework/dialog_win.h"

class OptionsDialog : public CDialog {
 public:
  OptionsDialog();

  CXColourPicker m_teamColour;   // 1032
  CXColourPicker m_titleColour;  // 1030

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
