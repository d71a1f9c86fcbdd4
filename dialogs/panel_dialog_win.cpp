#include "dialogs/panel_dialog_win.h"

#include <utility>

#include "framework/message_box_win.h"
#include "resources/resource.h"

namespace {

const char kNoScores[] = "还没有评委的分数。";
const char kPhoneMark[] = "※";
const char kPhoneNote[] = "※ 评委用手机提交的分数，按“确定”计入";

MessageEntry onFieldChanges(void (PanelDialog::*handler)(UINT)) {
  MessageEntry e = onClickedRange(IDC_JUDGE_FIRST, IDC_JUDGE_FIRST + kMaxJudges - 1, handler);
  e.code = EN_CHANGE;
  return e;
}

}  // namespace

PanelDialog::PanelDialog(std::string label, const PanelEntry& current, const Settings& settings)
    : CDialog(IDD_PANEL), label_(std::move(label)), current_(current), settings_(settings) {}

const MessageMap* PanelDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {onFieldChanges(&PanelDialog::OnFieldChange)};
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

BOOL PanelDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_PANEL_CONTESTANT, label_);
  for (int k = 0; k < kMaxJudges; ++k) {
    const bool used = k < settings_.judges;
    ::ShowWindow(GetDlgItem(IDC_JUDGE_FIRST + k), used ? SW_SHOW : SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_JUDGE_CAPTION_FIRST + k), used ? SW_SHOW : SW_HIDE);
    const std::size_t at = static_cast<std::size_t>(k);
    if (used && at < current_.scores.size() && current_.scores[at] != kNoScore)
      SetDlgItemText(IDC_JUDGE_FIRST + k, hundredthsText(current_.scores[at]));
  }
  OnFieldChange(IDC_JUDGE_FIRST);
  ::SetFocus(GetDlgItem(IDC_JUDGE_FIRST));
  return FALSE;
}

bool PanelDialog::read(std::vector<std::int32_t>& out, int& wrongJudge) {
  out.assign(static_cast<std::size_t>(settings_.judges), kNoScore);
  for (int k = 0; k < settings_.judges; ++k)
    if (!parseJudgeScore(GetDlgItemText(IDC_JUDGE_FIRST + k), settings_.judgemin, settings_.judgemax,
                         out[static_cast<std::size_t>(k)])) {
      wrongJudge = k + 1;
      return false;
    }
  return true;
}

void PanelDialog::phoneScore(int seat, std::int32_t hundredths) {
  if (seat < 1 || seat > settings_.judges || !m_hWnd) return;
  // The field's change notice comes back while it is written: that one is not the operator's.
  filling_ = true;
  SetDlgItemText(IDC_JUDGE_FIRST + seat - 1, hundredthsText(hundredths));
  OnFieldChange(IDC_JUDGE_FIRST + seat - 1);
  filling_ = false;
  fromPhone_[static_cast<std::size_t>(seat - 1)] = true;
  showPhoneMarks();
}

void PanelDialog::showPhoneMarks() {
  bool any = false;
  for (int k = 0; k < settings_.judges; ++k) {
    const bool phone = fromPhone_[static_cast<std::size_t>(k)];
    any = any || phone;
    SetDlgItemText(IDC_JUDGE_CAPTION_FIRST + k, (phone ? kPhoneMark : "") + ("评委" + std::to_string(k + 1)));
  }
  SetDlgItemText(IDC_PANEL_PHONES, any ? kPhoneNote : "");
}

void PanelDialog::OnFieldChange(UINT id) {
  // The operator typing over a phone's score makes it the operator's.
  const int judge = static_cast<int>(id) - IDC_JUDGE_FIRST;
  if (!filling_ && judge >= 0 && judge < kMaxJudges && fromPhone_[static_cast<std::size_t>(judge)]) {
    fromPhone_[static_cast<std::size_t>(judge)] = false;
    showPhoneMarks();
  }
  std::vector<std::int32_t> typed;
  int wrong = 0;
  std::string text;
  if (read(typed, wrong)) {
    const PanelResult r = panelResult(typed, settings_.trim);
    if (r.any) {
      text = "最后得分 " + hundredthsText(r.finalHundredths);
      if (!r.droppedHigh.empty() || !r.droppedLow.empty()) text += "，去掉 " + droppedText(r);
      if (r.missing) text += "，" + std::to_string(r.missing) + " 位评委未评分";
    }
  } else {
    text = "评委" + std::to_string(wrong) + "的分数还不对";
  }
  SetDlgItemText(IDC_PANEL_RESULT, text);
}

void PanelDialog::OnOK() {
  std::vector<std::int32_t> typed;
  int wrong = 0;
  if (!read(typed, wrong)) {
    messageWarning(m_hWnd, judgeFieldMessage(wrong, settings_.judgemin, settings_.judgemax));
    ::SetFocus(GetDlgItem(IDC_JUDGE_FIRST + wrong - 1));
    return;
  }
  const PanelResult r = panelResult(typed, settings_.trim);
  if (!r.any) {
    messageWarning(m_hWnd, kNoScores);
    ::SetFocus(GetDlgItem(IDC_JUDGE_FIRST));
    return;
  }
  const std::int64_t difference = static_cast<std::int64_t>(r.highest) - r.lowest;
  if (settings_.spread > 0 && difference > settings_.spread &&
      messageConfirm(m_hWnd, spreadQuestion(difference, settings_.spread)) != IDYES)
    return;
  scores = std::move(typed);
  for (int k = 0; k < settings_.judges; ++k)
    if (fromPhone_[static_cast<std::size_t>(k)]) phoneSeats.push_back(k + 1);
  EndDialog(IDOK);
}
