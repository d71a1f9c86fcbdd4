#include "console/console_keys.h"

namespace {

enum Needs : unsigned { NeedsNothing = 0, NeedsRow = 1, NeedsOutput = 2, NeedsQuickStep = 4 };

struct KeyRow {
  unsigned key;
  bool ctrl;
  ConsoleCommand command;
  int argument;
  unsigned needs;
};

// Shift and Alt are never part of a console key: with either held, no row matches.
const KeyRow kConsoleKeys[] = {
    {keys::Enter, false, ConsoleCommand::OpenScoreEntry, 0, NeedsRow},
    {keys::F2, false, ConsoleCommand::OpenScoreEntry, 0, NeedsRow},
    {keys::NumpadAdd, false, ConsoleCommand::AddStep, 0, NeedsRow},
    {keys::NumpadSubtract, false, ConsoleCommand::SubtractStep, 0, NeedsRow},
    {keys::Right, true, ConsoleCommand::AddStep, 0, NeedsRow},
    {keys::Left, true, ConsoleCommand::SubtractStep, 0, NeedsRow},
    {keys::letter('1'), true, ConsoleCommand::QuickStep, 0, NeedsRow | NeedsQuickStep},
    {keys::letter('2'), true, ConsoleCommand::QuickStep, 1, NeedsRow | NeedsQuickStep},
    {keys::letter('3'), true, ConsoleCommand::QuickStep, 2, NeedsRow | NeedsQuickStep},
    {keys::letter('4'), true, ConsoleCommand::QuickStep, 3, NeedsRow | NeedsQuickStep},
    {keys::F5, false, ConsoleCommand::ShowMode, 0, NeedsOutput},
    {keys::F6, false, ConsoleCommand::ShowMode, 1, NeedsOutput},
    {keys::F7, false, ConsoleCommand::ShowMode, 2, NeedsOutput},
    {keys::F8, false, ConsoleCommand::ShowMode, 3, NeedsOutput},
    {keys::F9, false, ConsoleCommand::ToggleOutput, 0, NeedsOutput},
    {keys::letter('B'), true, ConsoleCommand::ToggleBlackout, 0, NeedsOutput},
    {keys::letter('Z'), true, ConsoleCommand::Undo, 0, NeedsNothing},
    {keys::letter('Y'), true, ConsoleCommand::Redo, 0, NeedsNothing},
};

bool met(const KeyRow& row, const ConsoleKeyState& state) {
  if ((row.needs & NeedsRow) && !state.rowSelected) return false;
  if ((row.needs & NeedsOutput) && !state.outputReady) return false;
  if ((row.needs & NeedsQuickStep) && row.argument >= state.quickSteps) return false;
  return true;
}

}  // namespace

KeyAction consoleKeyAction(const KeyStroke& stroke, const ConsoleKeyState& state) {
  if (stroke.shift || stroke.alt) return KeyAction{ConsoleCommand::None, 0};
  for (const KeyRow& row : kConsoleKeys)
    if (row.key == stroke.key && row.ctrl == stroke.ctrl)
      return met(row, state) ? KeyAction{row.command, row.argument} : KeyAction{ConsoleCommand::None, 0};
  return KeyAction{ConsoleCommand::None, 0};
}

const std::vector<KeyHelp>& consoleKeyHelp() {
  static const std::vector<KeyHelp> help = {
      {"↑ ↓ Home End PgUp PgDn", "选择参赛队"},
      {"Enter / F2", "为选中的参赛队计分（打开计分窗口）"},
      {"小键盘 + / Ctrl+→", "选中的参赛队加上当前变动值"},
      {"小键盘 - / Ctrl+←", "选中的参赛队减去当前变动值"},
      {"Ctrl+1 … Ctrl+4", "选中的参赛队加上第 1 … 4 个快捷加减分"},
      {"F5 F6 F7 F8", "欢迎 / 计分 / 个人排名 / 小组排名"},
      {"F9", "开启或关闭输出"},
      {"Ctrl+B", "黑屏 / 取消黑屏"},
      {"Ctrl+Z / Ctrl+Y", "撤销 / 重做"},
      {"F10，揭晓中 → / ←", "揭晓排名：开始或下一步 / 退回一步"},
      {"计分窗口 Ctrl+1 … Ctrl+4", "快捷加减分按钮"},
      {"计分窗口 Ctrl+Enter / Ctrl+- / Ctrl+S", "加分 / 减分 / 直接更改"},
  };
  return help;
}

std::string consoleKeyHelpText() {
  std::string text;
  for (const KeyHelp& line : consoleKeyHelp()) text += line.keys + "：" + line.action + "\n";
  return text;
}

ScoreEntryKey scoreEntryKey(const KeyStroke& stroke) {
  if (!stroke.ctrl || stroke.shift || stroke.alt) return ScoreEntryKey::None;
  switch (stroke.key) {
    case keys::letter('1'):
      return ScoreEntryKey::QuickStep1;
    case keys::letter('2'):
      return ScoreEntryKey::QuickStep2;
    case keys::letter('3'):
      return ScoreEntryKey::QuickStep3;
    case keys::letter('4'):
      return ScoreEntryKey::QuickStep4;
    case keys::Enter:
      return ScoreEntryKey::Add;
    case keys::Minus:
    case keys::NumpadSubtract:
      return ScoreEntryKey::Subtract;
    case keys::letter('S'):
      return ScoreEntryKey::SetDirectly;
    default:
      return ScoreEntryKey::None;
  }
}
