#include "dialogs/score_entry_dialog_win.h"

#include "app/shared_state.h"
#include "console/console_keys.h"
#include "contest/contestant_text.h"
#include "dialogs/score_change.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"

namespace {
const char kTooLarge[] = "输入的数值超出了分数能保存的范围，分数没有改动。请重新输入。";
}

ScoreEntryDialog::ScoreEntryDialog()
    : CDialog(IDD_SCORE_ENTRY), rowIndex(0), hasRequest(false), request{0, ScoreOp::Add, 0.0f, std::string()} {}

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
  const ContestantRecord& row = app::contestantTable[rowIndex];
  contestantLabel = ::contestantLabel(row);
  SetDlgItemText(IDC_CONTESTANT, contestantLabel);
  SetDlgItemText(IDC_SCORE, app::core->getStrFloat(row.score, app::xsw));
  SetDlgItemText(IDC_CHANGE, app::scorestepdefault);
  for (int id = IDC_STEP1; id <= IDC_STEP4; ++id) ::ShowWindow(GetDlgItem(id), SW_HIDE);
  const std::vector<std::string> pieces = quickStepPieces(app::scoresteps);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    ::ShowWindow(GetDlgItem(IDC_STEP1 + static_cast<int>(i)), SW_SHOW);
    SetDlgItemText(IDC_STEP1 + static_cast<int>(i), pieces[i]);
    tips_.set(m_hWnd, IDC_STEP1 + static_cast<int>(i),
              "变动值改为 " + pieces[i] + "（Ctrl+" + std::to_string(i + 1) + "）");
  }
  tips_.set(m_hWnd, IDC_ADD, "加上变动值（Ctrl+Enter）");
  tips_.set(m_hWnd, IDC_SUBTRACT, "减去变动值（Ctrl+-）");
  tips_.set(m_hWnd, IDC_SET_DIRECTLY, "分数改为输入的值（Ctrl+S）");
  return TRUE;
}

BOOL ScoreEntryDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
    const KeyStroke stroke{static_cast<unsigned>(msg->wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0,
                           (::GetKeyState(VK_SHIFT) & 0x8000) != 0, (::GetKeyState(VK_MENU) & 0x8000) != 0};
    const ScoreEntryKey key = scoreEntryKey(stroke);
    switch (key) {
      case ScoreEntryKey::None:
        break;
      case ScoreEntryKey::Add:
        OnAdd();
        return TRUE;
      case ScoreEntryKey::Subtract:
        OnSubtract();
        return TRUE;
      case ScoreEntryKey::SetDirectly:
        OnSetDirectly();
        return TRUE;
      default: {
        // A quick-step key acts only when its button is on show.
        const int id = IDC_STEP1 + (static_cast<int>(key) - static_cast<int>(ScoreEntryKey::QuickStep1));
        if (::IsWindowVisible(GetDlgItem(id))) OnQuickStep(static_cast<UINT>(id));
        return TRUE;
      }
    }
  }
  return CDialog::PreTranslateMessage(msg);
}

void ScoreEntryDialog::OnQuickStep(UINT id) {
  SetDlgItemText(IDC_CHANGE, app::core->getFg(app::scoresteps, ',', static_cast<int>(id - IDC_STEP1)));
}

void ScoreEntryDialog::ask(ScoreOp op, int fieldId) {
  const ContestantRecord& row = app::contestantTable[rowIndex];
  if (!makeScoreRequest(rowIndex, contestantLabel, row.score, op, GetDlgItemText(fieldId), app::xsw, request)) {
    // Infinity in the table would break every screen and the ranking: refuse, keep the dialog.
    app::core->msgboxWarning(m_hWnd, kTooLarge);
    return;
  }
  hasRequest = true;
  changeText = request.changeText;
  EndDialog(IDOK);
}

void ScoreEntryDialog::OnSetDirectly() { ask(ScoreOp::Set, IDC_SCORE); }
void ScoreEntryDialog::OnAdd() { ask(ScoreOp::Add, IDC_CHANGE); }
void ScoreEntryDialog::OnSubtract() { ask(ScoreOp::Subtract, IDC_CHANGE); }

LRESULT ScoreEntryDialog::OnDestroy(WPARAM, LPARAM) {
  changeField = GetDlgItemText(IDC_CHANGE);
  return Default();
}
