#include "dialogs/rounds_dialog_win.h"

#include <algorithm>

#include "framework/message_box_win.h"
#include "resources/resource.h"

namespace {

const int kFields[] = {IDC_ROUND_NAME, IDC_ROUND_ADD, IDC_ROUND_SUBTRACT, IDC_ROUND_STEPS, IDC_ROUND_SECONDS};
const int kButtonsNeedingARound[] = {IDC_ROUND_REMOVE, IDC_ROUND_UP, IDC_ROUND_DOWN};

MessageEntry onFieldChanges(void (RoundsDialog::*handler)(UINT)) {
  MessageEntry e = onClickedRange(IDC_ROUND_NAME, IDC_ROUND_SECONDS, handler);
  e.code = EN_CHANGE;
  return e;
}

int fieldControl(RoundField field) {
  switch (field) {
    case RoundField::Add:
      return IDC_ROUND_ADD;
    case RoundField::Subtract:
      return IDC_ROUND_SUBTRACT;
    case RoundField::Steps:
      return IDC_ROUND_STEPS;
    case RoundField::Seconds:
      return IDC_ROUND_SECONDS;
    default:
      return IDC_ROUND_NAME;
  }
}

}  // namespace

RoundsDialog::RoundsDialog(const std::vector<Round>& list, int currentRound)
    : CDialog(IDD_ROUNDS), rounds(list), current(currentRound), originalCurrent_(currentRound) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Round& r = list[i];
    drafts_.push_back(Draft{r.name, r.add, r.subtract, r.steps, std::to_string(r.seconds), static_cast<int>(i)});
  }
}

const MessageMap* RoundsDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onCommand(IDC_ROUNDS_LIST, LBN_SELCHANGE, &RoundsDialog::OnSelect),
      onFieldChanges(&RoundsDialog::OnFieldChange),
      onClicked(IDC_ROUND_NEW, &RoundsDialog::OnNew),
      onClicked(IDC_ROUND_REMOVE, &RoundsDialog::OnRemove),
      onClicked(IDC_ROUND_UP, &RoundsDialog::OnUp),
      onClicked(IDC_ROUND_DOWN, &RoundsDialog::OnDown),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

BOOL RoundsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  // Characters, not bytes: the check counts the bytes and says so.
  ::SendMessageW(GetDlgItem(IDC_ROUND_NAME), EM_LIMITTEXT, kMaxRoundNameBytes, 0);
  showList(drafts_.empty() ? -1 : (originalCurrent_ >= 0 ? originalCurrent_ : 0));
  ::SetFocus(GetDlgItem(drafts_.empty() ? IDC_ROUND_NEW : IDC_ROUNDS_LIST));
  return FALSE;
}

int RoundsDialog::selected() const {
  const int at = static_cast<int>(::SendMessageW(GetDlgItem(IDC_ROUNDS_LIST), LB_GETCURSEL, 0, 0));
  return at >= 0 && at < static_cast<int>(drafts_.size()) ? at : -1;
}

std::string RoundsDialog::lineOf(const Draft& d) const {
  std::string line = (d.name.empty() ? std::string("（未命名）") : d.name) + "    +" + d.add + " / -" + d.subtract;
  if (!d.seconds.empty() && d.seconds != "0") line += "    " + d.seconds + " 秒";
  return line;
}

void RoundsDialog::showList(int selectedRound) {
  const HWND list = GetDlgItem(IDC_ROUNDS_LIST);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const Draft& d : drafts_) {
    const std::wstring line = toWide(lineOf(d));
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selectedRound), 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  showFields();
}

void RoundsDialog::showFields() {
  const int at = selected();
  loading_ = true;
  for (int control : kFields) {
    ::EnableWindow(GetDlgItem(control), at >= 0);
    if (at < 0) SetDlgItemText(control, std::string());
  }
  if (at >= 0) {
    const Draft& d = drafts_[static_cast<std::size_t>(at)];
    SetDlgItemText(IDC_ROUND_NAME, d.name);
    SetDlgItemText(IDC_ROUND_ADD, d.add);
    SetDlgItemText(IDC_ROUND_SUBTRACT, d.subtract);
    SetDlgItemText(IDC_ROUND_STEPS, d.steps);
    SetDlgItemText(IDC_ROUND_SECONDS, d.seconds);
  }
  loading_ = false;
  for (int control : kButtonsNeedingARound) ::EnableWindow(GetDlgItem(control), at >= 0);
  ::EnableWindow(GetDlgItem(IDC_ROUND_UP), at > 0);
  ::EnableWindow(GetDlgItem(IDC_ROUND_DOWN), at >= 0 && at + 1 < static_cast<int>(drafts_.size()));
  ::EnableWindow(GetDlgItem(IDC_ROUND_NEW), drafts_.size() < static_cast<std::size_t>(kMaxRounds));
}

void RoundsDialog::OnSelect() { showFields(); }

void RoundsDialog::OnFieldChange(UINT) {
  const int at = selected();
  if (loading_ || at < 0) return;
  Draft& d = drafts_[static_cast<std::size_t>(at)];
  d.name = GetDlgItemText(IDC_ROUND_NAME);
  d.add = GetDlgItemText(IDC_ROUND_ADD);
  d.subtract = GetDlgItemText(IDC_ROUND_SUBTRACT);
  d.steps = GetDlgItemText(IDC_ROUND_STEPS);
  d.seconds = GetDlgItemText(IDC_ROUND_SECONDS);
  // Only this round's line: the list keeps its place and the field its caret.
  const HWND list = GetDlgItem(IDC_ROUNDS_LIST);
  const std::wstring line = toWide(lineOf(d));
  ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(line.c_str()));
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

void RoundsDialog::OnNew() {
  if (drafts_.size() >= static_cast<std::size_t>(kMaxRounds)) return;
  drafts_.push_back(Draft{"第" + std::to_string(drafts_.size() + 1) + "轮", "10", "0", "", "0", -1});
  showList(static_cast<int>(drafts_.size()) - 1);
  const HWND name = GetDlgItem(IDC_ROUND_NAME);
  ::SetFocus(name);
  ::SendMessageW(name, EM_SETSEL, 0, -1);
}

void RoundsDialog::OnRemove() {
  const int at = selected();
  if (at < 0) return;
  drafts_.erase(drafts_.begin() + at);
  showList(drafts_.empty() ? -1 : std::min(at, static_cast<int>(drafts_.size()) - 1));
  ::SetFocus(GetDlgItem(drafts_.empty() ? IDC_ROUND_NEW : IDC_ROUNDS_LIST));
}

void RoundsDialog::OnUp() { move(-1); }
void RoundsDialog::OnDown() { move(1); }

void RoundsDialog::move(int delta) {
  const int at = selected();
  const int to = at + delta;
  if (at < 0 || to < 0 || to >= static_cast<int>(drafts_.size())) return;
  std::swap(drafts_[static_cast<std::size_t>(at)], drafts_[static_cast<std::size_t>(to)]);
  showList(to);
  // A button that just went grey must not keep the keyboard.
  const int button = delta < 0 ? IDC_ROUND_UP : IDC_ROUND_DOWN;
  if (!::IsWindowEnabled(GetDlgItem(button))) ::SetFocus(GetDlgItem(IDC_ROUNDS_LIST));
}

void RoundsDialog::OnOK() {
  std::vector<Round> checked;
  int now = -1;
  for (std::size_t i = 0; i < drafts_.size(); ++i) {
    const Draft& d = drafts_[i];
    Round r;
    const RoundCheck c = checkRound(d.name, d.add, d.subtract, d.steps, d.seconds, static_cast<int>(i), r);
    if (!c.ok) {
      showList(static_cast<int>(i));
      messageWarning(m_hWnd, c.message);
      const HWND field = GetDlgItem(fieldControl(c.field));
      ::SetFocus(field);
      ::SendMessageW(field, EM_SETSEL, 0, -1);
      return;
    }
    if (originalCurrent_ >= 0 && d.origin == originalCurrent_) now = static_cast<int>(i);
    checked.push_back(r);
  }
  rounds = checked;
  current = now;
  EndDialog(IDOK);
}
