#include "dialogs/options_dialog_win.h"

#include "contest/judge_panel.h"
#include "framework/message_box_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"

namespace {

// The rows this dialog edits (the network dialog has its own).
bool inOptions(const SettingRow& row) { return row.control && (row.saved & SavedByOptions); }

}  // namespace

OptionsDialog::OptionsDialog(const Settings& settings, CCore& core, int judgesInUse)
    : CDialog(IDD_OPTIONS), result(settings), core_(core), judgesInUse_(judgesInUse) {}

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
    if (!inOptions(row)) continue;
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
      case SettingType::Hundredths:
        SetDlgItemText(row.control, hundredthsText(result.*row.number));
        break;
    }
  }
  return TRUE;
}

void OptionsDialog::OnOK() {
  Settings edited = result;
  std::vector<FieldText> numbers;
  for (const SettingRow& row : settingsTable())
    if (inOptions(row) && row.type == SettingType::Int)
      numbers.push_back(FieldText{row.control, GetDlgItemText(row.control)});
  const OptionsCheck check = checkOptionNumbers(numbers, edited);
  if (!check.ok) {
    messageWarning(m_hWnd, check.message);
    ::SetFocus(GetDlgItem(check.field));
    return;
  }
  for (const SettingRow& row : settingsTable()) {
    if (!inOptions(row)) continue;
    switch (row.type) {
      case SettingType::Int:
      case SettingType::Hundredths:
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
  // A panel's finals have two decimals: a board with fewer would hide them.
  if (edited.judges >= 1 && edited.xsw < 2 &&
      messageConfirm(m_hWnd, "评委打分的最后得分有两位小数，现在只保留 " + std::to_string(edited.xsw) +
                                 " 位小数。要把保留小数位改为 2 吗？") == IDYES)
    edited.xsw = 2;
  result = edited;
  EndDialog(IDOK);
}
