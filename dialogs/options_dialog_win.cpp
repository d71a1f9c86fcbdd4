#include "dialogs/options_dialog_win.h"

#include "app/settings.h"
#include "app/shared_state.h"
#include "dialogs/options_check.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"

OptionsDialog::OptionsDialog() : CDialog(IDD_OPTIONS) {}

void OptionsDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_OPT_CLRTEAM, m_teamColour);
  DDX_Control(dx, IDC_OPT_CLRTITLE, m_titleColour);
}

BOOL OptionsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CCore& core = *app::core;
  SetDlgItemText(IDC_OPT_XSW, core.getStrInt(app::xsw));
  SetDlgItemText(IDC_OPT_COLS, core.getStrInt(app::cols));
  SetDlgItemText(IDC_OPT_SCOREINIT, core.getStrInt(app::scoreinit));
  SetDlgItemText(IDC_OPT_WIDTH, core.getStrInt(app::width));
  SetDlgItemText(IDC_OPT_HEIGHT, core.getStrInt(app::height));
  SetDlgItemText(IDC_OPT_STEPS, app::scoresteps);
  SetDlgItemText(IDC_OPT_TITLE, app::title);
  m_titleColour.SetColour(core.getClrRef(app::clrtitle));
  m_teamColour.SetColour(core.getClrRef(app::clrteam));
  CheckDlgButton(IDC_OPT_FILL, app::fill ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void OptionsDialog::OnOK() {
  const std::string steps = GetDlgItemText(IDC_OPT_STEPS);
  const std::string title = GetDlgItemText(IDC_OPT_TITLE);
  const OptionsFields fields{GetDlgItemText(IDC_OPT_XSW), GetDlgItemText(IDC_OPT_COLS),
                             GetDlgItemText(IDC_OPT_SCOREINIT), GetDlgItemText(IDC_OPT_WIDTH),
                             GetDlgItemText(IDC_OPT_HEIGHT)};
  OptionsValues values{};
  const OptionsCheck check = checkOptions(fields, values);
  CCore& core = *app::core;
  if (!check.ok) {
    core.msgboxWarning(m_hWnd, check.message);
    ::SetFocus(GetDlgItem(check.field));
    return;
  }
  app::scoresteps = steps;
  app::title = title;
  app::xsw = values.xsw;
  app::cols = values.cols;
  app::scoreinit = values.scoreinit;
  app::width = values.width;
  app::height = values.height;
  app::clrtitle = core.getColorFromClrRef(m_titleColour.GetColour());
  app::clrteam = core.getColorFromClrRef(m_teamColour.GetColour());
  app::fill = IsDlgButtonChecked(IDC_OPT_FILL) == BST_CHECKED ? 1 : 0;

  core.saveConfigInt(settingskey::xsw, app::xsw);
  core.saveConfigInt(settingskey::cols, app::cols);
  core.saveConfigInt(settingskey::scoreinit, app::scoreinit);
  core.saveConfigInt(settingskey::width, app::width);
  core.saveConfigInt(settingskey::height, app::height);
  core.saveConfigStr(settingskey::scoresteps, app::scoresteps);
  core.saveConfigStr(settingskey::title, app::title);
  core.saveConfigClr(settingskey::clrtitle, app::clrtitle);
  core.saveConfigClr(settingskey::clrteam, app::clrteam);
  core.saveConfigB(settingskey::fill, app::fill);
  EndDialog(IDOK);
}
