#include "dialogs/score_entry_dialog_win.h"

#include <utility>

#include "dialogs/score_entry_keys.h"
#include "framework/message_box_win.h"
#include "kqcore/gbk.h"
#include "resources/resource.h"

namespace {
const char kTooLarge[] = "输入的数值超出了分数能保存的范围，分数没有改动。请重新输入。";
}

ScoreEntryDialog::ScoreEntryDialog(int row, std::string label, std::string scoreText, std::string changeField,
                                   std::string steps, std::function<bool(const ScoreRequest&)> fits)
    : CDialog(IDD_SCORE_ENTRY),
      hasRequest(false),
      request{row, ScoreOp::Add, std::string()},
      changeField(std::move(changeField)),
      contestantLabel(std::move(label)),
      row_(row),
      scoreText_(std::move(scoreText)),
      steps_(std::move(steps)),
      fits_(std::move(fits)) {}

const MessageMap* ScoreEntryDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onClicked(IDC_SET_DIRECTLY, &ScoreEntryDialog::OnSetDirectly),
      onClicked(IDC_ADD, &ScoreEntryDialog::OnAdd),
      onClicked(IDC_SUBTRACT, &ScoreEntryDialog::OnSubtract),
      onClickedRange(IDC_STEP1, IDC_STEP4, &ScoreEntryDialog::OnQuickStep),
      onMessage(WM_DESTROY, &ScoreEntryDialog::OnDestroy),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

BOOL ScoreEntryDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_CONTESTANT, contestantLabel);
  SetDlgItemText(IDC_SCORE, scoreText_);
  SetDlgItemText(IDC_CHANGE, changeField);
  for (int id = IDC_STEP1; id <= IDC_STEP4; ++id) ::ShowWindow(GetDlgItem(id), SW_HIDE);
  const std::vector<std::string> pieces = quickStepPieces(steps_);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    ::ShowWindow(GetDlgItem(IDC_STEP1 + static_cast<int>(i)), SW_SHOW);
    SetDlgItemText(IDC_STEP1 + static_cast<int>(i), pieces[i]);
    tips_.set(m_hWnd, IDC_STEP1 + static_cast<int>(i),
              "变动值改为 " + pieces[i] + "（Ctrl+" + std::to_string(i + 1) + "）");
  }
  for (const ScoreEntryKeyRow& row : scoreEntryKeys())
    if (*row.tip) tips_.set(m_hWnd, row.control, row.tip);
  return TRUE;
}

BOOL ScoreEntryDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
    const KeyStroke stroke{static_cast<unsigned>(msg->wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0,
                           (::GetKeyState(VK_SHIFT) & 0x8000) != 0, (::GetKeyState(VK_MENU) & 0x8000) != 0};
    const int button = scoreEntryButton(stroke);
    if (button == IDC_ADD) {
      OnAdd();
      return TRUE;
    }
    if (button == IDC_SUBTRACT) {
      OnSubtract();
      return TRUE;
    }
    if (button == IDC_SET_DIRECTLY) {
      OnSetDirectly();
      return TRUE;
    }
    if (button) {
      // A quick-step key acts only when its button is on show.
      if (::IsWindowVisible(GetDlgItem(button))) OnQuickStep(static_cast<UINT>(button));
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(msg);
}

void ScoreEntryDialog::OnQuickStep(UINT id) {
  SetDlgItemText(IDC_CHANGE, gbk::piece(steps_, ',', static_cast<int>(id - IDC_STEP1)));
}

void ScoreEntryDialog::ask(ScoreOp op, int fieldId) {
  const ScoreRequest asked{row_, op, GetDlgItemText(fieldId)};
  if (fits_ && !fits_(asked)) {
    // Infinity in the table would break every screen and the ranking: refuse, keep the dialog.
    messageWarning(m_hWnd, kTooLarge);
    return;
  }
  request = asked;
  hasRequest = true;
  EndDialog(IDOK);
}

void ScoreEntryDialog::OnSetDirectly() { ask(ScoreOp::Set, IDC_SCORE); }
void ScoreEntryDialog::OnAdd() { ask(ScoreOp::Add, IDC_CHANGE); }
void ScoreEntryDialog::OnSubtract() { ask(ScoreOp::Subtract, IDC_CHANGE); }

LRESULT ScoreEntryDialog::OnDestroy(WPARAM, LPARAM) {
  changeField = GetDlgItemText(IDC_CHANGE);
  return Default();
}
