#include "dialogs/score_entry_keys.h"

#include "resources/resource.h"

const std::vector<ScoreEntryKeyRow>& scoreEntryKeys() {
  static const std::vector<ScoreEntryKeyRow> rows = {
      {keys::letter('1'), 0, IDC_STEP1, ""},
      {keys::letter('2'), 0, IDC_STEP2, ""},
      {keys::letter('3'), 0, IDC_STEP3, ""},
      {keys::letter('4'), 0, IDC_STEP4, ""},
      {keys::Enter, 0, IDC_ADD, "加上变动值（Ctrl+Enter）"},
      {keys::Minus, keys::NumpadSubtract, IDC_SUBTRACT, "减去变动值（Ctrl+-）"},
      {keys::letter('S'), 0, IDC_SET_DIRECTLY, "分数改为输入的值（Ctrl+S）"},
  };
  return rows;
}

int scoreEntryButton(const KeyStroke& stroke) {
  if (!stroke.ctrl || stroke.shift || stroke.alt) return 0;
  for (const ScoreEntryKeyRow& row : scoreEntryKeys())
    if (stroke.key == row.key || (row.alsoKey && stroke.key == row.alsoKey)) return row.control;
  return 0;
}

std::vector<KeyHelp> scoreEntryKeyHelp() {
  return {
      {"计分窗口 Ctrl+1 … Ctrl+4", "快捷加减分按钮"},
      {"计分窗口 Ctrl+Enter / Ctrl+- / Ctrl+S", "加分 / 减分 / 直接更改"},
  };
}
