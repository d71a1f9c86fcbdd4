#include "dialogs/timer_dialog_win.h"

#include <string>
#include <vector>

#include "framework/message_box_win.h"
#include "resources/resource.h"

namespace {

bool inTimer(const SettingRow& row) { return row.control && (row.saved & SavedByTimer); }

// The rows chosen with radio buttons: their control is the first button, each value the
// next one.
int radioCount(const SettingRow& row) {
  return row.number == &Settings::timermode ? 2 : row.number == &Settings::timerplace ? 3 : 0;
}

}  // namespace

TimerDialog::TimerDialog(const Settings& settings) : CDialog(IDD_TIMER), result(settings) {}

BOOL TimerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const SettingRow& row : settingsTable()) {
    if (!inTimer(row)) continue;
    if (const int radios = radioCount(row)) {
      CheckRadioButton(row.control, row.control + radios - 1, row.control + result.*row.number);
    } else if (row.type == SettingType::Flag) {
      CheckDlgButton(row.control, result.*row.number ? BST_CHECKED : BST_UNCHECKED);
    } else {
      SetDlgItemText(row.control, std::to_string(result.*row.number));
    }
  }
  return TRUE;
}

void TimerDialog::OnOK() {
  Settings edited = result;
  std::vector<FieldText> numbers;
  for (const SettingRow& row : settingsTable())
    if (inTimer(row) && row.type == SettingType::Int && !radioCount(row))
      numbers.push_back(FieldText{row.control, GetDlgItemText(row.control)});
  const OptionsCheck check = checkOptionNumbers(numbers, edited);
  if (!check.ok) {
    messageWarning(m_hWnd, check.message);
    ::SetFocus(GetDlgItem(check.field));
    ::SendMessageW(GetDlgItem(check.field), EM_SETSEL, 0, -1);
    return;
  }
  for (const SettingRow& row : settingsTable()) {
    if (!inTimer(row)) continue;
    if (const int radios = radioCount(row)) {
      for (int k = 0; k < radios; ++k)
        if (IsDlgButtonChecked(row.control + k) == BST_CHECKED) edited.*row.number = k;
    } else if (row.type == SettingType::Flag) {
      edited.*row.number = IsDlgButtonChecked(row.control) == BST_CHECKED ? 1 : 0;
    }
  }
  result = edited;
  EndDialog(IDOK);
}
