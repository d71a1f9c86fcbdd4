// The console's keys: which key does what in which state, and that nothing else is a key.
#include "console/console_keys.h"

#include <gtest/gtest.h>

#include "console/preview_geometry.h"

namespace {

const ConsoleKeyState kReady{true, true, 4};

KeyStroke plain(unsigned key) { return KeyStroke{key, false, false, false}; }
KeyStroke ctrl(unsigned key) { return KeyStroke{key, true, false, false}; }

void expectAction(const KeyStroke& stroke, const ConsoleKeyState& state, ConsoleCommand command, int argument = 0) {
  const KeyAction action = consoleKeyAction(stroke, state);
  EXPECT_EQ(action.command, command) << "key " << stroke.key << " ctrl " << stroke.ctrl;
  if (action.command == command) {
    EXPECT_EQ(action.argument, argument) << "key " << stroke.key;
  }
}

}  // namespace

TEST(ConsoleKeys, EveryKeyOfTheTableInTheReadyState) {
  expectAction(plain(keys::Enter), kReady, ConsoleCommand::OpenScoreEntry);
  expectAction(plain(keys::F2), kReady, ConsoleCommand::OpenScoreEntry);
  expectAction(plain(keys::NumpadAdd), kReady, ConsoleCommand::AddStep);
  expectAction(plain(keys::NumpadSubtract), kReady, ConsoleCommand::SubtractStep);
  expectAction(ctrl(keys::Right), kReady, ConsoleCommand::AddStep);
  expectAction(ctrl(keys::Left), kReady, ConsoleCommand::SubtractStep);
  for (int k = 0; k < 4; ++k) {
    expectAction(ctrl(keys::letter(static_cast<char>('1' + k))), kReady, ConsoleCommand::QuickStep, k);
    expectAction(plain(keys::F5 + static_cast<unsigned>(k)), kReady, ConsoleCommand::ShowMode, k);
  }
  expectAction(plain(keys::F9), kReady, ConsoleCommand::ToggleOutput);
  expectAction(ctrl(keys::letter('B')), kReady, ConsoleCommand::ToggleBlackout);
  expectAction(ctrl(keys::letter('Z')), kReady, ConsoleCommand::Undo);
  expectAction(ctrl(keys::letter('Y')), kReady, ConsoleCommand::Redo);
}

TEST(ConsoleKeys, NoBareLetterDigitOrSpaceAndNoShiftOrAltIsEverACommand) {
  for (unsigned key = 0x20; key <= 0x5A; ++key) {
    if (key == keys::Left || key == keys::Right) continue;  // arrows move the list's selection
    expectAction(plain(key), kReady, ConsoleCommand::None);
  }
  for (unsigned key : {keys::letter('A'), keys::letter('C'), keys::letter('V'), keys::letter('5'), 0x20u})
    expectAction(ctrl(key), kReady, ConsoleCommand::None);
  // Plain arrows, and the list's own keys, stay the list's.
  for (unsigned key : {keys::Left, keys::Right, 0x26u, 0x28u, 0x21u, 0x22u, 0x23u, 0x24u})
    expectAction(plain(key), kReady, ConsoleCommand::None);
  // The main keyboard's "-" is no subtraction, and the keypad keys with Ctrl are not ours.
  expectAction(plain(keys::Minus), kReady, ConsoleCommand::None);
  expectAction(ctrl(keys::NumpadAdd), kReady, ConsoleCommand::None);
  for (const unsigned key : {keys::NumpadAdd, keys::F5, keys::letter('Z'), keys::letter('B')}) {
    expectAction(KeyStroke{key, key > 0x40 && key < 0x5B, true, false}, kReady, ConsoleCommand::None);
    expectAction(KeyStroke{key, key > 0x40 && key < 0x5B, false, true}, kReady, ConsoleCommand::None);
  }
}

TEST(ConsoleKeys, AKeyWithNothingToActOnIsNoCommand) {
  const ConsoleKeyState noRow{false, true, 4};
  for (unsigned key : {keys::Enter, keys::F2, keys::NumpadAdd, keys::NumpadSubtract})
    expectAction(plain(key), noRow, ConsoleCommand::None);
  expectAction(ctrl(keys::Right), noRow, ConsoleCommand::None);
  expectAction(ctrl(keys::letter('1')), noRow, ConsoleCommand::None);
  // The screens, the switch and blackout still act without a row...
  expectAction(plain(keys::F6), noRow, ConsoleCommand::ShowMode, 1);
  expectAction(ctrl(keys::letter('B')), noRow, ConsoleCommand::ToggleBlackout);
  // ...but not before the output window exists; undo does not need it.
  const ConsoleKeyState starting{true, false, 4};
  for (unsigned key : {keys::F5, keys::F8, keys::F9}) expectAction(plain(key), starting, ConsoleCommand::None);
  expectAction(ctrl(keys::letter('B')), starting, ConsoleCommand::None);
  expectAction(ctrl(keys::letter('Z')), ConsoleKeyState{false, false, 0}, ConsoleCommand::Undo);
  expectAction(plain(keys::NumpadAdd), starting, ConsoleCommand::AddStep);
  // Only quick steps that exist.
  const ConsoleKeyState twoSteps{true, true, 2};
  expectAction(ctrl(keys::letter('2')), twoSteps, ConsoleCommand::QuickStep, 1);
  expectAction(ctrl(keys::letter('3')), twoSteps, ConsoleCommand::None);
  expectAction(ctrl(keys::letter('1')), ConsoleKeyState{true, true, 0}, ConsoleCommand::None);
}

TEST(ConsoleKeys, ScoreEntryDialogAcceleratorsNeedCtrl) {
  EXPECT_EQ(scoreEntryKey(ctrl(keys::letter('1'))), ScoreEntryKey::QuickStep1);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::letter('4'))), ScoreEntryKey::QuickStep4);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::Enter)), ScoreEntryKey::Add);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::Minus)), ScoreEntryKey::Subtract);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::NumpadSubtract)), ScoreEntryKey::Subtract);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::letter('S'))), ScoreEntryKey::SetDirectly);
  // Plain keys are typing in the fields; Enter and Esc keep their own meaning.
  for (unsigned key : {keys::letter('1'), keys::Enter, keys::Minus, keys::letter('S'), 0x1Bu})
    EXPECT_EQ(scoreEntryKey(plain(key)), ScoreEntryKey::None) << key;
  EXPECT_EQ(scoreEntryKey(KeyStroke{keys::letter('S'), true, true, false}), ScoreEntryKey::None);
  EXPECT_EQ(scoreEntryKey(ctrl(keys::letter('5'))), ScoreEntryKey::None);
}

TEST(ConsoleKeys, HelpNamesEveryKey) {
  const std::string help = consoleKeyHelpText();
  for (const char* key : {"Enter", "F2", "Ctrl+B", "Ctrl+Z", "Ctrl+Y", "F5", "F9", "Ctrl+1", "Ctrl+Enter", "Ctrl+S"})
    EXPECT_NE(help.find(key), std::string::npos) << key;
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
