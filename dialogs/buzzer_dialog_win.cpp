#include "dialogs/buzzer_dialog_win.h"

#include "framework/dpi_win.h"
#include "resources/resource.h"

namespace {

const char kAllAsked[] = "都问过了：按“确定”保存；要重新设置哪一个，在列表里选它。";

bool inBuzzers(const SettingRow& row) { return row.control && (row.saved & SavedByBuzzers); }
bool isByRow(const SettingRow& row) { return row.number == &Settings::buzzby; }

std::vector<BuzzerKey> decoded(const std::string& text) {
  std::vector<BuzzerKey> keys;
  decodeBuzzerKeys(text, keys);  // damaged: none, said at the start
  return keys;
}

}  // namespace

BuzzerDialog::BuzzerDialog(const Settings& settings, std::vector<std::pair<std::string, std::string>> roster,
                           std::function<bool(unsigned)> rawReports)
    : CDialog(IDD_BUZZERS),
      result(settings),
      roster_(std::move(roster)),
      rawReports_(std::move(rawReports)),
      keys_{decoded(settings.buzzerkeys), decoded(settings.buzzergroupkeys)},
      by_(settings.buzzby ? 1 : 0),
      learning_({}, keys_[by_]) {}

const MessageMap* BuzzerDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onClickedRange(IDC_BUZZ_BY_TEAM, IDC_BUZZ_BY_GROUP, &BuzzerDialog::OnBy),
      onClicked(IDC_BUZZ_SKIP, &BuzzerDialog::OnSkip),
      onClicked(IDC_BUZZ_BACK, &BuzzerDialog::OnBack),
      onClicked(IDC_BUZZ_CLEAR, &BuzzerDialog::OnClear),
      onNotify(LVN_ITEMCHANGED, IDC_BUZZ_LIST, &BuzzerDialog::OnListSelect),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

void BuzzerDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_BUZZ_LIST, m_list);
}

BOOL BuzzerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  LOGFONTW font = {};
  const HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  if (dialogFont && ::GetObjectW(dialogFont, sizeof font, &font)) {
    font.lfHeight = font.lfHeight * 3 / 2;
    font.lfWeight = FW_BOLD;
    promptFont_ = GdiObject<HFONT>(::CreateFontIndirectW(&font));
    if (promptFont_.get())
      ::SendMessageW(GetDlgItem(IDC_BUZZ_PROMPT), WM_SETFONT, reinterpret_cast<WPARAM>(promptFont_.get()), FALSE);
  }
  m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const int dpi = windowDpi(m_hWnd);
  m_list.InsertColumn(0, "参赛队", LVCFMT_LEFT, scaleForDpi(170, dpi));
  m_list.InsertColumn(1, "抢答键", LVCFMT_LEFT, scaleForDpi(80, dpi));
  m_list.InsertColumn(2, "设备", LVCFMT_LEFT, scaleForDpi(80, dpi));
  for (const SettingRow& row : settingsTable()) {
    if (!inBuzzers(row)) continue;
    if (isByRow(row))
      CheckRadioButton(IDC_BUZZ_BY_TEAM, IDC_BUZZ_BY_GROUP, IDC_BUZZ_BY_TEAM + by_);
    else
      CheckDlgButton(row.control, result.*row.number ? BST_CHECKED : BST_UNCHECKED);
  }
  learnBy(by_);
  return TRUE;
}

void BuzzerDialog::learnBy(int by) {
  keys_[by_] = learning_.keys();
  by_ = by;
  std::vector<std::string> names = buzzerNames(roster_, by_ == 1);
  learning_ = BuzzerLearning(std::move(names), keys_[by_]);
  held_.clear();
  status_.clear();
  show();
}

void BuzzerDialog::show() {
  SetDlgItemText(IDC_BUZZ_PROMPT, learning_.teams().empty()
                                      ? std::string(by_ ? "名单里没有小组。" : "名单里没有参赛队。")
                                  : learning_.done() ? std::string(kAllAsked)
                                                     : learning_.prompt());
  SetDlgItemText(IDC_BUZZ_STATUS, status_);
  lines_ = buzzerList(learning_.teams(), learning_.keys());
  filling_ = true;
  ::SendMessageW(m_list.m_hWnd, WM_SETREDRAW, FALSE, 0);
  m_list.DeleteAllItems();
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT;
  const std::wstring heading = toWide(by_ ? "小组" : "参赛队");
  column.pszText = const_cast<wchar_t*>(heading.c_str());
  ::SendMessageW(m_list.m_hWnd, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const BuzzerListLine& l = lines_[i];
    const int item = m_list.InsertItem(static_cast<int>(i), l.asked ? l.name : l.name + "（名单里没有）");
    m_list.SetItemText(item, 1, l.key.empty() ? std::string("—") : l.key);
    m_list.SetItemText(item, 2, l.device);
  }
  if (!learning_.done()) m_list.SelectItem(static_cast<int>(learning_.at()));
  ::SendMessageW(m_list.m_hWnd, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
  filling_ = false;
  enableButtons(m_list.GetSelectedItem());
}

void BuzzerDialog::enableButtons(int picked) {
  ::EnableWindow(GetDlgItem(IDC_BUZZ_SKIP), !learning_.done());
  ::EnableWindow(GetDlgItem(IDC_BUZZ_BACK), learning_.at() > 0);
  ::EnableWindow(GetDlgItem(IDC_BUZZ_CLEAR),
                 picked >= 0 && picked < static_cast<int>(lines_.size()) && !lines_[picked].key.empty());
}

void BuzzerDialog::OnBy(UINT id) {
  const int by = id == IDC_BUZZ_BY_GROUP ? 1 : 0;
  if (by != by_) learnBy(by);
}

void BuzzerDialog::OnSkip() {
  learning_.skip();
  status_.clear();
  show();
}

void BuzzerDialog::OnBack() {
  learning_.back();
  status_.clear();
  show();
}

void BuzzerDialog::OnClear() {
  const int picked = m_list.GetSelectedItem();
  if (picked < 0 || picked >= static_cast<int>(lines_.size())) return;
  learning_.clear(lines_[picked].name);
  status_.clear();
  show();  // the team asked stays the one picked before
}

void BuzzerDialog::OnListSelect(NMHDR* nm, LRESULT*) {
  const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(nm);
  if (filling_ || !(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED)) return;
  const int picked = change->iItem;
  if (picked < 0 || picked >= static_cast<int>(lines_.size())) return;
  // A name the roster has is asked next; a line of a team gone from it can only be cleared.
  if (lines_[picked].asked && static_cast<std::size_t>(picked) != learning_.at()) {
    learning_.ask(static_cast<std::size_t>(picked));
    status_.clear();
    SetDlgItemText(IDC_BUZZ_PROMPT, learning_.prompt());
    SetDlgItemText(IDC_BUZZ_STATUS, status_);
  }
  enableButtons(picked);
}

void BuzzerDialog::press(const std::string& device, unsigned key) {
  if (learning_.done()) {
    // Every team was asked: a learnt buzzer pressed now is only named, to try the boxes.
    const int b = findBuzzer(learning_.keys(), device, key);
    if (b < 0) return;
    status_ = "刚才按下的是 " + learning_.keys()[static_cast<std::size_t>(b)].team + " 的抢答器。";
    SetDlgItemText(IDC_BUZZ_STATUS, status_);
    return;
  }
  status_ = learning_.press(device, key);
  show();
}

void BuzzerDialog::presses(const std::vector<BuzzerPress>& batch) {
  for (const BuzzerPress& p : batch) {
    const std::pair<std::string, unsigned> id(p.device, p.key);
    if (!p.down) {
      held_.erase(id);
      continue;
    }
    if (!held_.insert(id).second) continue;  // the system's repeat of a held key
    press(p.device, p.key);
  }
}

bool BuzzerDialog::keyMessage(const MSG& msg) {
  // With Ctrl or Alt held the key is the operator's (Alt+letter, the dialog's own keys).
  if ((::GetKeyState(VK_CONTROL) & 0x8000) || (msg.lParam & (1 << 29))) return false;
  const unsigned key = static_cast<unsigned>(msg.wParam);
  if (!learning_.done()) {
    if (key == VK_ESCAPE || key == VK_TAB) return false;
  } else if (findBuzzer(learning_.keys(), std::string(), key) < 0) {
    return false;
  }
  // Raw input brings the same press with its device: only kept from the controls here.
  if (rawReports_ && rawReports_(key)) return true;
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (down && !(msg.lParam & (1 << 30))) press(std::string(), key);  // bit 30: a repeat
  return true;
}

BOOL BuzzerDialog::PreTranslateMessage(MSG* msg) {
  const UINT m = msg->message;
  const bool key = m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || m == WM_SYSKEYUP;
  if (key && m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && keyMessage(*msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

void BuzzerDialog::OnOK() {
  keys_[by_] = learning_.keys();
  Settings edited = result;
  edited.buzzerkeys = encodeBuzzerKeys(keys_[0]);
  edited.buzzergroupkeys = encodeBuzzerKeys(keys_[1]);
  for (const SettingRow& row : settingsTable()) {
    if (!inBuzzers(row)) continue;
    edited.*row.number = isByRow(row) ? by_ : (IsDlgButtonChecked(row.control) == BST_CHECKED ? 1 : 0);
  }
  result = edited;
  EndDialog(IDOK);
}
