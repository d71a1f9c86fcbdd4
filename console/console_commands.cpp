#include "console/console_commands.h"

#include "resources/resource.h"

namespace {
using C = ConsoleCommand;
constexpr KeyChord kNoKey{0, false};
KeyChord key(unsigned k) { return KeyChord{k, false}; }
KeyChord ctrl(unsigned k) { return KeyChord{k, true}; }
}  // namespace

const std::vector<CommandRow>& consoleCommands() {
  static const std::vector<CommandRow> table = {
      {C::None, 0, {kNoKey, kNoKey}, NeedsNothing, 0, false, nullptr, "↑ ↓ Home End PgUp PgDn", "选择参赛队"},
      {C::OpenScoreEntry,
       0,
       {key(keys::Enter), key(keys::F2)},
       NeedsRow,
       0,
       false,
       nullptr,
       "Enter / F2",
       "为选中的参赛队计分（打开计分窗口）"},
      {C::AddStep,
       0,
       {key(keys::NumpadAdd), ctrl(keys::Right)},
       NeedsRow,
       0,
       false,
       nullptr,
       "小键盘 + / Ctrl+→",
       "选中的参赛队加上当前变动值（在一轮中：该轮的加分）"},
      {C::SubtractStep,
       0,
       {key(keys::NumpadSubtract), ctrl(keys::Left)},
       NeedsRow,
       0,
       false,
       nullptr,
       "小键盘 - / Ctrl+←",
       "选中的参赛队减去当前变动值（在一轮中：该轮的减分）"},
      {C::QuickStep,
       0,
       {ctrl('1'), kNoKey},
       NeedsRow | NeedsQuickStep,
       0,
       false,
       nullptr,
       "Ctrl+1 … Ctrl+4",
       "选中的参赛队加上第 1 … 4 个快捷加减分"},
      {C::QuickStep, 1, {ctrl('2'), kNoKey}, NeedsRow | NeedsQuickStep, 0, false, nullptr, nullptr, nullptr},
      {C::QuickStep, 2, {ctrl('3'), kNoKey}, NeedsRow | NeedsQuickStep, 0, false, nullptr, nullptr, nullptr},
      {C::QuickStep, 3, {ctrl('4'), kNoKey}, NeedsRow | NeedsQuickStep, 0, false, nullptr, nullptr, nullptr},
      {C::ShowMode,
       0,
       {key(keys::F5), kNoKey},
       NeedsOutput,
       IDC_MODE_WELCOME,
       false,
       "欢迎画面（F5）",
       "F5 F6 F7 F8",
       "欢迎 / 计分 / 个人排名 / 小组排名"},
      {C::ShowMode,
       1,
       {key(keys::F6), kNoKey},
       NeedsOutput,
       IDC_MODE_SCORING,
       false,
       "计分画面（F6）",
       nullptr,
       nullptr},
      {C::ShowMode,
       2,
       {key(keys::F7), kNoKey},
       NeedsOutput,
       IDC_MODE_INDIVIDUAL,
       false,
       "个人排名（F7）",
       nullptr,
       nullptr},
      {C::ShowMode, 3, {key(keys::F8), kNoKey}, NeedsOutput, IDC_MODE_GROUP, false, "小组排名（F8）", nullptr, nullptr},
      {C::ToggleOutput,
       0,
       {key(keys::F9), kNoKey},
       NeedsOutput,
       IDC_OUTPUT_ON,
       false,
       "开启或关闭输出（F9）",
       "F9",
       "开启或关闭输出"},
      {C::ToggleBlackout,
       0,
       {ctrl('B'), kNoKey},
       NeedsOutput,
       IDC_BLACKOUT,
       false,
       "观众屏幕全黑 / 恢复（Ctrl+B）",
       "Ctrl+B",
       "黑屏 / 取消黑屏"},
      {C::Undo,
       0,
       {ctrl('Z'), kNoKey},
       NeedsUndo,
       IDC_UNDO,
       true,
       "撤销最后一次分数改动（Ctrl+Z）",
       "Ctrl+Z / Ctrl+Y",
       "撤销 / 重做"},
      {C::Redo, 0, {ctrl('Y'), kNoKey}, NeedsRedo, IDC_REDO, true, "重做刚撤销的改动（Ctrl+Y）", nullptr, nullptr},
      {C::RevealForward, 0, {kNoKey, kNoKey}, NeedsRankingOnShow, IDC_REVEAL, true, nullptr, nullptr, nullptr},
      {C::StepForward,
       0,
       {key(keys::F10), key(keys::Right)},
       NeedsStage,
       0,
       false,
       nullptr,
       "F10，揭晓中 → / ←",
       "揭晓排名：开始或下一步 / 退回一步"},
      {C::StepBack, 0, {key(keys::Left), kNoKey}, NeedsReveal, 0, false, nullptr, nullptr, nullptr},
      {C::PanelEntry,
       0,
       {key(keys::F3), kNoKey},
       NeedsRow | NeedsJudges,
       IDC_PANEL_ENTRY,
       true,
       "为选中的参赛队输入评委分数（F3）",
       "F3",
       "评委打分"},
      {C::PanelShow,
       0,
       {key(keys::F11), kNoKey},
       NeedsRow | NeedsRowPanel,
       IDC_PANEL_SHOW,
       true,
       "在观众屏幕上亮分（F11；F10 或 → 下一步）",
       "F11",
       "亮分：评委分数、去掉的分数、最后得分，逐步显示"},
      {C::ExportSheet,
       0,
       {kNoKey, kNoKey},
       NeedsJudges,
       IDC_EXPORT_SHEET,
       true,
       "导出每位评委的分数",
       nullptr,
       nullptr},
      {C::NextRound,
       1,
       {ctrl(keys::PageDown), kNoKey},
       NeedsRounds,
       0,
       false,
       nullptr,
       "Ctrl+PgDn / Ctrl+PgUp",
       "下一轮 / 上一轮（加减分按该轮的设置）"},
      {C::NextRound, -1, {ctrl(keys::PageUp), kNoKey}, NeedsRounds, 0, false, nullptr, nullptr, nullptr},
      {C::Rounds,
       0,
       {kNoKey, kNoKey},
       NeedsNothing,
       IDC_ROUNDS,
       false,
       "各轮的名称、加分、减分、快捷加减分和答题时间",
       nullptr,
       nullptr},
      {C::TimerStartPause,
       0,
       {key(keys::F4), kNoKey},
       NeedsNothing,
       IDC_TIMER,
       false,
       "开始、暂停、继续计时（F4）：倒计时用当前一轮的答题时间",
       "F4",
       "计时：开始 / 暂停 / 继续"},
      {C::TimerReset,
       0,
       {ctrl('R'), kNoKey},
       NeedsTimer,
       IDC_TIMER_RESET,
       true,
       "计时复位，观众屏幕上的时间消失（Ctrl+R）",
       "Ctrl+R",
       "计时复位"},
      {C::TimerAdjust,
       10,
       {ctrl(keys::Up), kNoKey},
       NeedsTimer,
       0,
       false,
       nullptr,
       "Ctrl+↑ / Ctrl+↓",
       "计时加 / 减 10 秒"},
      {C::TimerAdjust, -10, {ctrl(keys::Down), kNoKey}, NeedsTimer, 0, false, nullptr, nullptr, nullptr},
      {C::TimerSettings,
       0,
       {kNoKey, kNoKey},
       NeedsNothing,
       IDC_TIMER_SETTINGS,
       false,
       "倒计时或正计时、时间、举黄牌和举红牌的时间、显示位置、声音",
       nullptr,
       nullptr},
      {C::BuzzArm,
       0,
       {ctrl(keys::Enter), kNoKey},
       NeedsNothing,
       IDC_BUZZ_ARM,
       false,
       "开始抢答（Ctrl+Enter）：观众屏幕显示“请抢答”，第一个按下抢答器的队抢到",
       "Ctrl+Enter",
       "开始抢答"},
      {C::BuzzReset,
       0,
       {ctrl(keys::Backspace), kNoKey},
       NeedsBuzzer,
       IDC_BUZZ_RESET,
       true,
       "抢答复位（Ctrl+Backspace）：观众屏幕上的抢答结果消失",
       "Ctrl+Backspace",
       "抢答复位"},
      {C::BuzzSettings,
       0,
       {kNoKey, kNoKey},
       NeedsNothing,
       IDC_BUZZ_SETTINGS,
       false,
       "抢答器设置：为每个队（或每个小组）学习抢答器的键，提前抢答和计时的选项",
       nullptr,
       nullptr},
      {C::TogglePreview,
       0,
       {kNoKey, kNoKey},
       NeedsNothing,
       IDC_PREVIEW,
       false,
       "打开或关闭输出预览：观众看到的画面",
       nullptr,
       nullptr},
      {C::SecondScreen, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_SECOND_SCREEN, false, nullptr, nullptr, nullptr},
      {C::Options, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_OPTIONS, false, nullptr, nullptr, nullptr},
      {C::Network,
       0,
       {kNoKey, kNoKey},
       NeedsNothing,
       IDC_NETWORK,
       false,
       "网络服务：观众屏幕在浏览器里显示，直播软件可以直接采集",
       nullptr,
       nullptr},
      {C::Reload, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_RELOAD, false, nullptr, nullptr, nullptr},
      {C::ExportResults, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_EXPORT_RESULTS, false, nullptr, nullptr, nullptr},
      {C::ExportLog, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_EXPORT_LOG, false, nullptr, nullptr, nullptr},
      {C::About, 0, {kNoKey, kNoKey}, NeedsNothing, IDC_ABOUT, false, nullptr, nullptr, nullptr},
  };
  return table;
}

bool commandMet(const CommandRow& row, const ConsoleKeyState& state) {
  const unsigned n = row.needs;
  if ((n & NeedsRow) && !state.rowSelected) return false;
  if ((n & NeedsOutput) && !state.outputReady) return false;
  if ((n & NeedsQuickStep) && row.argument >= state.quickSteps) return false;
  if ((n & NeedsUndo) && !state.canUndo) return false;
  if ((n & NeedsRedo) && !state.canRedo) return false;
  if ((n & NeedsRankingOnShow) && !state.rankingOnShow) return false;
  if ((n & NeedsReveal) && !state.staging()) return false;
  if ((n & NeedsJudges) && !state.judges) return false;
  if ((n & NeedsRowPanel) && !state.rowHasPanel) return false;
  if ((n & NeedsStage) && !state.rankingOnShow && !state.panelShowRunning) return false;
  if ((n & NeedsRounds) && !state.rounds) return false;
  if ((n & NeedsTimer) && !state.timerShown) return false;
  if ((n & NeedsBuzzer) && !state.buzzerShown) return false;
  return true;
}

namespace {

// Left and Right without Ctrl belong to the host's cues only while something is staged;
// F10 always.
bool onlyWhileStaging(const CommandRow& row, const KeyChord& chord) {
  return (row.command == C::StepForward || row.command == C::StepBack) && chord.key != keys::F10;
}

}  // namespace

KeyAction consoleKeyAction(const KeyStroke& stroke, const ConsoleKeyState& state) {
  if (stroke.shift || stroke.alt) return KeyAction{C::None, 0};
  for (const CommandRow& row : consoleCommands())
    for (const KeyChord& chord : row.keys) {
      if (!chord.key || chord.key != stroke.key || chord.ctrl != stroke.ctrl) continue;
      if (onlyWhileStaging(row, chord) && !state.staging()) continue;
      return commandMet(row, state) ? KeyAction{row.command, row.argument} : KeyAction{C::None, 0};
    }
  return KeyAction{C::None, 0};
}

bool consoleKeyReserved(unsigned k) { return k == keys::F10; }

const CommandRow* commandForControl(int control) {
  for (const CommandRow& row : consoleCommands())
    if (row.control == control) return &row;
  return nullptr;
}

std::vector<KeyHelp> consoleKeyHelp() {
  std::vector<KeyHelp> help;
  for (const CommandRow& row : consoleCommands())
    if (row.helpKeys) help.push_back(KeyHelp{row.helpKeys, row.help});
  for (const KeyHelp& line : scoreEntryKeyHelp()) help.push_back(line);
  return help;
}

std::string consoleKeyHelpText() {
  std::string text;
  for (const KeyHelp& line : consoleKeyHelp()) text += line.keys + "：" + line.action + "\n";
  return text;
}
