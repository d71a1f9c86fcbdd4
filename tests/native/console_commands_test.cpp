// The console's command table: every key reaches its command, nothing else is a key, a
// command with nothing to act on leaves its key alone, and the help and tips it gives.
#include "console/console_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "console/preview_geometry.h"
#include "resources/resource.h"

namespace {

ConsoleKeyState everythingThere() {
  ConsoleKeyState s{true, true, 4};
  s.canUndo = s.canRedo = s.rankingOnShow = s.revealRunning = true;
  s.judges = s.rowHasPanel = s.panelShowRunning = s.rounds = s.timerShown = s.buzzerShown = true;
  return s;
}

KeyStroke plain(unsigned key) { return KeyStroke{key, false, false, false}; }
KeyStroke ctrl(unsigned key) { return KeyStroke{key, true, false, false}; }
KeyStroke stroke(const KeyChord& chord) { return KeyStroke{chord.key, chord.ctrl, false, false}; }

}  // namespace

TEST(ConsoleCommands, EveryKeyReachesItsOwnRowAndNoChordIsTakenTwice) {
  std::set<std::pair<unsigned, bool>> chords;
  for (const CommandRow& row : consoleCommands())
    for (const KeyChord& chord : row.keys) {
      if (!chord.key) continue;
      EXPECT_TRUE(chords.insert({chord.key, chord.ctrl}).second) << "key " << chord.key << " ctrl " << chord.ctrl;
      const KeyAction action = consoleKeyAction(stroke(chord), everythingThere());
      EXPECT_EQ(action.command, row.command) << "key " << chord.key;
      EXPECT_EQ(action.argument, row.argument) << "key " << chord.key;
      // With Shift or Alt held, no key is a command.
      EXPECT_EQ(consoleKeyAction(KeyStroke{chord.key, chord.ctrl, true, false}, everythingThere()).command,
                ConsoleCommand::None);
      EXPECT_EQ(consoleKeyAction(KeyStroke{chord.key, chord.ctrl, false, true}, everythingThere()).command,
                ConsoleCommand::None);
    }
}

TEST(ConsoleCommands, AKeyWithNothingToActOnFallsThroughToTheFocusedControl) {
  const std::pair<unsigned, void (*)(ConsoleKeyState&)> missing[] = {
      {NeedsRow, [](ConsoleKeyState& s) { s.rowSelected = false; }},
      {NeedsOutput, [](ConsoleKeyState& s) { s.outputReady = false; }},
      {NeedsUndo, [](ConsoleKeyState& s) { s.canUndo = false; }},
      {NeedsRedo, [](ConsoleKeyState& s) { s.canRedo = false; }},
      {NeedsRankingOnShow, [](ConsoleKeyState& s) { s.rankingOnShow = false; }},
      {NeedsReveal, [](ConsoleKeyState& s) { s.revealRunning = s.panelShowRunning = false; }},
      {NeedsJudges, [](ConsoleKeyState& s) { s.judges = false; }},
      {NeedsRowPanel, [](ConsoleKeyState& s) { s.rowHasPanel = false; }},
      {NeedsStage, [](ConsoleKeyState& s) { s.rankingOnShow = s.panelShowRunning = false; }},
      {NeedsRounds, [](ConsoleKeyState& s) { s.rounds = false; }},
      {NeedsTimer, [](ConsoleKeyState& s) { s.timerShown = false; }},
  };
  for (const CommandRow& row : consoleCommands())
    for (const auto& need : missing) {
      if (!(row.needs & need.first) || !row.keys[0].key) continue;
      ConsoleKeyState state = everythingThere();
      need.second(state);
      EXPECT_EQ(consoleKeyAction(stroke(row.keys[0]), state).command, ConsoleCommand::None)
          << "key " << row.keys[0].key << " without need " << need.first;
    }
  // A quick step needs its piece.
  ConsoleKeyState twoSteps = everythingThere();
  twoSteps.quickSteps = 2;
  EXPECT_EQ(consoleKeyAction(ctrl('2'), twoSteps).command, ConsoleCommand::QuickStep);
  EXPECT_EQ(consoleKeyAction(ctrl('3'), twoSteps).command, ConsoleCommand::None);
}

TEST(ConsoleCommands, NoBareLetterDigitOrSpaceIsEverACommandAndArrowsBelongToARunningReveal) {
  for (unsigned key = '0'; key <= 'Z'; ++key) {
    if (key > '9' && key < 'A') continue;
    EXPECT_EQ(consoleKeyAction(plain(key), everythingThere()).command, ConsoleCommand::None) << key;
  }
  EXPECT_EQ(consoleKeyAction(plain(' '), everythingThere()).command, ConsoleCommand::None);
  ConsoleKeyState noReveal = everythingThere();
  noReveal.revealRunning = noReveal.panelShowRunning = false;
  EXPECT_EQ(consoleKeyAction(plain(keys::Right), noReveal).command, ConsoleCommand::None);
  EXPECT_EQ(consoleKeyAction(plain(keys::Left), noReveal).command, ConsoleCommand::None);
  EXPECT_EQ(consoleKeyAction(plain(keys::F10), noReveal).command, ConsoleCommand::StepForward);
  EXPECT_EQ(consoleKeyAction(plain(keys::Right), everythingThere()).command, ConsoleCommand::StepForward);
  EXPECT_EQ(consoleKeyAction(ctrl(keys::Right), everythingThere()).command, ConsoleCommand::AddStep);
  // F10 is the system menu's key: it is the console's whatever the state.
  EXPECT_TRUE(consoleKeyReserved(keys::F10));
  EXPECT_FALSE(consoleKeyReserved(keys::Right));
}

TEST(ConsoleCommands, ControlsTipsAndTheKeyListComeFromTheTable) {
  std::set<int> controls;
  for (const CommandRow& row : consoleCommands()) {
    if (!row.control) continue;
    EXPECT_TRUE(controls.insert(row.control).second) << row.control;
    EXPECT_EQ(commandForControl(row.control), &row);
    // Every button and check box is dispatched through the one clicked range.
    EXPECT_GE(row.control, IDC_CONSOLE_FIRST);
    EXPECT_LE(row.control, IDC_CONSOLE_LAST);
  }
  EXPECT_EQ(commandForControl(IDC_LOG_LIST), nullptr);
  EXPECT_EQ(consoleKeyHelpText(),
            "↑ ↓ Home End PgUp PgDn：选择参赛队\n"
            "Enter / F2：为选中的参赛队计分（打开计分窗口）\n"
            "小键盘 + / Ctrl+→：选中的参赛队加上当前变动值（在一轮中：该轮的加分）\n"
            "小键盘 - / Ctrl+←：选中的参赛队减去当前变动值（在一轮中：该轮的减分）\n"
            "Ctrl+1 … Ctrl+4：选中的参赛队加上第 1 … 4 个快捷加减分\n"
            "F5 F6 F7 F8：欢迎 / 计分 / 个人排名 / 小组排名\n"
            "F9：开启或关闭输出\n"
            "Ctrl+B：黑屏 / 取消黑屏\n"
            "Ctrl+Z / Ctrl+Y：撤销 / 重做\n"
            "F10，揭晓中 → / ←：揭晓排名：开始或下一步 / 退回一步\n"
            "F3：评委打分\n"
            "F11：亮分：评委分数、去掉的分数、最后得分，逐步显示\n"
            "Ctrl+PgDn / Ctrl+PgUp：下一轮 / 上一轮（加减分按该轮的设置）\n"
            "F4：计时：开始 / 暂停 / 继续\n"
            "Ctrl+R：计时复位\n"
            "Ctrl+↑ / Ctrl+↓：计时加 / 减 10 秒\n"
            "Ctrl+Enter：开始抢答\n"
            "Ctrl+Backspace：抢答复位\n"
            "计分窗口 Ctrl+1 … Ctrl+4：快捷加减分按钮\n"
            "计分窗口 Ctrl+Enter / Ctrl+- / Ctrl+S：加分 / 减分 / 直接更改\n");
}

TEST(ConsoleCommands, ScoreEntryDialogAcceleratorsNeedCtrl) {
  EXPECT_EQ(scoreEntryButton(ctrl('1')), IDC_STEP1);
  EXPECT_EQ(scoreEntryButton(ctrl('4')), IDC_STEP4);
  EXPECT_EQ(scoreEntryButton(ctrl(keys::Enter)), IDC_ADD);
  EXPECT_EQ(scoreEntryButton(ctrl(keys::Minus)), IDC_SUBTRACT);
  EXPECT_EQ(scoreEntryButton(ctrl(keys::NumpadSubtract)), IDC_SUBTRACT);
  EXPECT_EQ(scoreEntryButton(ctrl('S')), IDC_SET_DIRECTLY);
  // Plain keys are typing in the fields; Enter and Esc keep their own meaning.
  for (unsigned key : {unsigned('1'), keys::Enter, keys::Minus, unsigned('S'), 0x1Bu})
    EXPECT_EQ(scoreEntryButton(plain(key)), 0) << key;
  EXPECT_EQ(scoreEntryButton(KeyStroke{'S', true, true, false}), 0);
  EXPECT_EQ(scoreEntryButton(ctrl('5')), 0);
}

TEST(PreviewGeometry, FitsKeepingTheAspectRatioCentred) {
  const PixelRect wide = fitKeepingAspect(1920, 1080, 400, 400);
  EXPECT_EQ(wide.width(), 400);
  EXPECT_EQ(wide.height(), 225);
  EXPECT_EQ(wide.top, 87);
  const PixelRect tall = fitKeepingAspect(1024, 768, 800, 300);
  EXPECT_EQ(tall.height(), 300);
  EXPECT_EQ(tall.width(), 400);
  EXPECT_EQ(tall.left, 200);
  // Large sizes do not overflow; an empty box gives nothing.
  EXPECT_EQ(fitKeepingAspect(8000, 2000, 2000000, 2000000).width(), 2000000);
  EXPECT_EQ(fitKeepingAspect(100, 100, 0, 50).width(), 0);
}

TEST(PreviewGeometry, OpensBesideTheConsoleInsideTheWorkArea) {
  const PixelRect work{0, 0, 1920, 1040};
  const PixelRect right = besideConsole(PixelRect{100, 50, 900, 650}, work, 400, 300);
  EXPECT_EQ(right.left, 900);
  EXPECT_EQ(right.top, 50);
  const PixelRect left = besideConsole(PixelRect{1500, 900, 1900, 1000}, work, 400, 300);
  EXPECT_EQ(left.left, 1100);
  EXPECT_EQ(left.bottom, 1040);
  // A console on a second monitor keeps its preview there.
  const PixelRect second = besideConsole(PixelRect{1950, 0, 2700, 600}, PixelRect{1920, 0, 3840, 1080}, 400, 300);
  EXPECT_EQ(second.left, 2700);
  const PixelRect cramped = besideConsole(PixelRect{0, 0, 1900, 1000}, work, 400, 300);
  EXPECT_EQ(cramped.left, 1520);
}
