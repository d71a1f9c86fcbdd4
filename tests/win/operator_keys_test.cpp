// The operator's keys, blackout and the preview, seen from outside: Quillet.exe started from
// a fresh folder and driven with keys and clicks from this process; the output window and
// the preview read back from the screen.
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/program_driver_win.h"

namespace {

std::string eightTeams() {
  std::string roster;
  for (int i = 1; i <= 8; ++i) roster += "队" + std::to_string(i) + ",组" + std::to_string((i + 1) / 2) + "\r\n";
  return roster;
}

// A program folder with the demo background, eight teams, output on at 480 x 360, change
// value 2.5 and quick steps 1, 2, 5.
class KeysEvent : public EventFolder {
 public:
  KeysEvent()
      : EventFolder(eightTeams(),
                    "on=1\r\nwidth=480\r\nheight=360\r\ncols=2\r\nxsw=1\r\nscorestepdefault=2.5\r\n"
                    "scoresteps=1,2,5\r\n") {
    addDemoFile("bg.jpg");
  }
};

bool checked(HWND dlg, int id) { return SendMessageW(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool allBlack(const ScreenShot& s) {
  if (s.pixels.empty()) return false;
  for (std::uint32_t p : s.pixels)
    if (p != 0) return false;
  return true;
}

// shot scaled into a box as the preview scales its frame: aspect kept, centred, high quality.
ScreenShot scaledInto(const ScreenShot& shot, int boxWidth, int boxHeight, int* left, int* top, int* w, int* h) {
  const long long wide = static_cast<long long>(boxWidth) * shot.height;
  const long long tall = static_cast<long long>(boxHeight) * shot.width;
  *w = wide > tall ? static_cast<int>(tall / shot.height) : boxWidth;
  *h = wide > tall ? boxHeight : static_cast<int>(wide / shot.width);
  *left = (boxWidth - *w) / 2;
  *top = (boxHeight - *h) / 2;
  std::vector<std::uint32_t> opaque(shot.pixels);
  for (std::uint32_t& p : opaque) p |= 0xFF000000u;
  Gdiplus::Bitmap source(shot.width, shot.height, shot.width * 4, PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(opaque.data()));
  Gdiplus::Bitmap target(boxWidth, boxHeight, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&target);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(&source, Gdiplus::Rect(*left, *top, *w, *h), 0, 0, shot.width, shot.height, Gdiplus::UnitPixel, &edges);
  }
  ScreenShot out;
  out.width = boxWidth;
  out.height = boxHeight;
  for (int y = 0; y < boxHeight; ++y)
    for (int x = 0; x < boxWidth; ++x) {
      Gdiplus::Color c;
      target.GetPixel(x, y, &c);
      out.pixels.push_back(c.GetValue() & 0xFFFFFFu);
    }
  return out;
}

// The largest difference of one colour channel between the preview and the scaled output,
// inside the scaled frame.
int previewDifference(HWND preview, HWND output) {
  const ScreenShot shown = shootWindow(preview, true);
  int left, top, w, h;
  const ScreenShot expected = scaledInto(settledShot(output), shown.width, shown.height, &left, &top, &w, &h);
  int worst = 0;
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x)
      for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((shown.at(x, y) >> shift) & 0xFF) -
                                         static_cast<int>((expected.at(x, y) >> shift) & 0xFF)));
  return worst;
}

}  // namespace

TEST(OperatorKeys, KeysChangeScoresScreensAndTheSwitchWithTheFocusOnTheList) {
  const KeysEvent event;
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  HWND list = GetDlgItem(quillet.console, IDC_ROSTER_LIST);
  HWND output = quillet.window(L"", true);
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(quillet.focus(), list) << "the list has the keyboard after the start";

  // Nothing selected: the keys that need a row do nothing.
  quillet.key(VK_ADD);
  quillet.key(VK_RETURN);
  Sleep(300);
  EXPECT_EQ(quillet.logCount(), 1);
  EXPECT_TRUE(quillet.gone(L"计分"));

  quillet.key(VK_F6);  // every start shows the welcome screen first
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_SCORING); }));
  quillet.key(VK_DOWN);
  quillet.key(VK_DOWN);
  ASSERT_TRUE(pumpUntil([&] { return quillet.selectedRow() == 1; }));
  const ScreenShot before = settledShot(output);
  quillet.key(VK_ADD);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));
  const std::string keyList = quillet.listText(1, 2);
  const std::string keyLog = quillet.logText(1);
  const ScreenShot keyShot = settledShot(output);
  EXPECT_EQ(keyList, "2.5");
  EXPECT_EQ(keyLog, "队2（组1） +2.5");
  EXPECT_FALSE(keyShot == before) << "the board did not change";

  quillet.key(VK_SUBTRACT);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 3; }));
  EXPECT_EQ(quillet.listText(1, 2), "0.0");
  EXPECT_EQ(quillet.logText(2), "队2（组1） -2.5");
  EXPECT_TRUE(settledShot(output) == before);

  // The same change through the dialog, opened with Enter: the same list, log and pixels.
  quillet.key(VK_RETURN);
  HWND dlg = quillet.window(L"计分");
  ASSERT_NE(dlg, nullptr);
  clickButton(dlg, IDC_ADD);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 4; }));
  EXPECT_EQ(quillet.listText(1, 2), keyList);
  EXPECT_EQ(quillet.logText(3), keyLog);
  EXPECT_TRUE(settledShot(output) == keyShot) << "the dialog's change looks different on the output";
  EXPECT_TRUE(pumpUntil([&] { return quillet.focus() == list; })) << "the focus did not come back to the list";

  // Ctrl+3: the third quick step; Ctrl+4 has none and does nothing.
  ctrlKey(quillet.console, '3');
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 5; }));
  EXPECT_EQ(quillet.logText(4), "队2（组1） +5.0");
  EXPECT_EQ(quillet.listText(1, 2), "7.5");
  ctrlKey(quillet.console, '4');
  Sleep(300);
  EXPECT_EQ(quillet.logCount(), 5);

  // Ctrl+Z takes a key's change back to the exact old score, Ctrl+Y applies it again.
  quillet.key(VK_ADD);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 6; }));
  EXPECT_EQ(quillet.listText(1, 2), "10.0");
  ctrlKey(quillet.console, 'Z');
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 7; }));
  EXPECT_EQ(quillet.logText(6), "撤销 队2（组1） +2.5");
  EXPECT_EQ(quillet.listText(1, 2), "7.5");
  ctrlKey(quillet.console, 'Y');
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 8; }));
  EXPECT_EQ(quillet.logText(7), "重做 队2（组1） +2.5");
  EXPECT_EQ(quillet.listText(1, 2), "10.0");
  ctrlKey(quillet.console, 'Z');
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 9; }));
  EXPECT_EQ(quillet.listText(1, 2), "7.5");

  // F5 to F8 move the radio buttons and redraw; F9 switches the output off and on.
  quillet.key(VK_F5);
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_WELCOME); }));
  EXPECT_FALSE(checked(quillet.console, IDC_MODE_SCORING));
  const ScreenShot welcome = settledShot(output);
  EXPECT_FALSE(welcome == keyShot);
  quillet.key(VK_F7);
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_INDIVIDUAL); }));
  EXPECT_FALSE(settledShot(output) == welcome);
  quillet.key(VK_F8);
  EXPECT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_GROUP); }));
  quillet.key(VK_F6);
  EXPECT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_SCORING); }));
  quillet.key(VK_F9);
  EXPECT_TRUE(pumpUntil([&] { return !checked(quillet.console, IDC_OUTPUT_ON) && !IsWindowVisible(output); }));
  quillet.key(VK_F9);
  EXPECT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_OUTPUT_ON) && IsWindowVisible(output); }));
  EXPECT_EQ(quillet.focus(), list);
  EXPECT_EQ(quillet.logCount(), 9) << "screens and the switch log nothing";

  // Plain letters, digits and space are never commands, and typing does not move the selection.
  for (WPARAM k : {WPARAM('A'), WPARAM('1'), WPARAM(VK_SPACE), WPARAM('Z')}) quillet.key(k);
  Sleep(300);
  EXPECT_EQ(quillet.logCount(), 9);
  EXPECT_EQ(quillet.selectedRow(), 1);
  EXPECT_EQ(quillet.listText(1, 2), "7.5");
  EXPECT_EQ(quillet.close(), 0u);
}

TEST(OperatorKeys, BlackoutHidesEverythingUntilItEndsAndThePreviewFollowsThePushes) {
  const KeysEvent event;
  ASSERT_TRUE(event.hasProgram()) << "no Quillet.exe beside the tests";
  Program quillet(event.path());
  const HWND output = quillet.startWithOutput();
  ASSERT_NE(output, nullptr);
  quillet.key(VK_F6);
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_SCORING); }));
  quillet.key(VK_DOWN);
  ASSERT_TRUE(pumpUntil([&] { return quillet.selectedRow() == 0; }));
  const ScreenShot board = settledShot(output);

  ctrlKey(quillet.console, 'B');
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));
  EXPECT_EQ(quillet.logText(1), "黑屏");
  EXPECT_TRUE(checked(quillet.console, IDC_BLACKOUT)) << "the button shows pressed";
  EXPECT_TRUE(allBlack(settledShot(output)));

  // A change while blacked out reaches the console, not the audience.
  quillet.key(VK_ADD);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 3; }));
  EXPECT_EQ(quillet.listText(0, 2), "2.5");
  quillet.key(VK_F7);
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_INDIVIDUAL); }));
  quillet.key(VK_F6);
  ASSERT_TRUE(pumpUntil([&] { return checked(quillet.console, IDC_MODE_SCORING); }));
  EXPECT_TRUE(allBlack(settledShot(output)));

  // The preview shows the black frame too.
  HWND preview = quillet.openWindow(IDC_PREVIEW, L"输出预览");
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(quillet.focus(), GetDlgItem(quillet.console, IDC_ROSTER_LIST)) << "the preview took the focus";

  // Leaving blackout shows the new score at once.
  clickButton(quillet.console, IDC_BLACKOUT);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 4; }));
  EXPECT_EQ(quillet.logText(3), "取消黑屏");
  const ScreenShot after = settledShot(output);
  EXPECT_FALSE(allBlack(after));
  EXPECT_FALSE(after == board) << "the new score is not on show";
  quillet.key(VK_F5);
  quillet.key(VK_F6);
  Sleep(300);
  EXPECT_TRUE(settledShot(output) == after) << "leaving blackout did not show the current state";
  Sleep(200);
  EXPECT_LE(previewDifference(preview, output), 8) << "the preview is no scaled copy of the output";
  EXPECT_EQ(quillet.close(), 0u);
}
