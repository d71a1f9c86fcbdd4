#include "dialogs/options_dialog_win.h"

#include "framework/message_box_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"

OptionsDialog::OptionsDialog(const Settings& settings, CCore& core)
    : CDialog(IDD_OPTIONS), result(settings), core_(core) {}

void OptionsDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_OPT_CLRTEAM, m_teamColour);
  DDX_Control(dx, IDC_OPT_CLRTITLE, m_titleColour);
}

CXColourPicker* OptionsDialog::picker(int control) {
  return control == IDC_OPT_CLRTEAM ? &m_teamColour : control == IDC_OPT_CLRTITLE ? &m_titleColour : nullptr;
}

BOOL OptionsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const SettingRow& row : settingsTable()) {
    if (!row.control) continue;
    switch (row.type) {
      case SettingType::Int:
        SetDlgItemText(row.control, core_.getStrInt(result.*row.number));
        break;
      case SettingType::Flag:
        CheckDlgButton(row.control, result.*row.number ? BST_CHECKED : BST_UNCHECKED);
        break;
      case SettingType::Text:
        SetDlgItemText(row.control, result.*row.text);
        break;
      case SettingType::Colour:
        if (CXColourPicker* p = picker(row.control)) p->SetColour(core_.getClrRef(result.*row.colour));
        break;
    }
  }
  return TRUE;
}

void OptionsDialog::OnOK() {
  Settings edited = result;
  std::vector<FieldText> numbers;
  for (const SettingRow& row : settingsTable())
    if (row.control && row.type == SettingType::Int)
      numbers.push_back(FieldText{row.control, GetDlgItemText(row.control)});
  const OptionsCheck check = checkOptionNumbers(numbers, edited);
  if (!check.ok) {
    messageWarning(m_hWnd, check.message);
    ::SetFocus(GetDlgItem(check.field));
    return;
  }
  for (const SettingRow& row : settingsTable()) {
    if (!row.control) continue;
    switch (row.type) {
      case SettingType::Int:
        break;
      case SettingType::Flag:
        edited.*row.number = IsDlgButtonChecked(row.control) == BST_CHECKED ? 1 : 0;
        break;
      case SettingType::Text:
        edited.*row.text = GetDlgItemText(row.control);
        break;
      case SettingType::Colour:
        if (CXColourPicker* p = picker(row.control)) edited.*row.colour = core_.getColorFromClrRef(p->GetColour());
        break;
    }
  }
  result = edited;
  EndDialog(IDOK);
}
