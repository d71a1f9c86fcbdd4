// The colour picker button and its palette popup, driven with the messages a user causes;
// the parent's message sequence is recorded.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "contest/settings.h"
#include "controls/colour_messages.h"
#include "controls/colour_palette.h"
#include "controls/colour_picker_win.h"
#include "dialogs/options_dialog_win.h"
#include "framework/gdi_headroom_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "tests/win/test_support_win.h"

namespace {

// A parent (the options template) with two pickers, recording what they send it.
class PickerParent : public CDialog {
 public:
  PickerParent() : CDialog(IDD_OPTIONS) {}
  CXColourPicker title;  // 1030
  CXColourPicker team;   // 1032
  std::vector<std::string> seen;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_OPT_CLRTEAM, team);
    DDX_Control(dx, IDC_OPT_CLRTITLE, title);
  }
  const MessageMap* GetMessageMap() const override {
    static const MessageEntry entries[] = {
        onMessage(PKN_COLOURCHANGE, &PickerParent::onChange), onMessage(PKN_POPUPOPEN, &PickerParent::onOpen),
        onMessage(PKN_POPUPCLOSE, &PickerParent::onClose),    onMessage(PKN_ACCEPT, &PickerParent::onAccept),
        onMessage(PKN_CANCEL, &PickerParent::onCancel),
    };
    static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
    return &map;
  }
  LRESULT record(const char* what, WPARAM wp, LPARAM lp) {
    seen.push_back(std::string(what) + " " + std::to_string(wp) + " " + std::to_string(lp));
    return 0;
  }
  LRESULT onChange(WPARAM wp, LPARAM lp) { return record("change", wp, lp); }
  LRESULT onOpen(WPARAM wp, LPARAM lp) { return record("open", wp, lp); }
  LRESULT onClose(WPARAM wp, LPARAM lp) { return record("close", wp, lp); }
  LRESULT onAccept(WPARAM wp, LPARAM lp) { return record("accept", wp, lp); }
  LRESULT onCancel(WPARAM wp, LPARAM lp) { return record("cancel", wp, lp); }
};

HWND findPopup() { return FindWindowW(L"QuilletColourPalette", nullptr); }

// Client position of the middle of a palette cell (the popup subtracts the margin first).
LPARAM cellPoint(int row, int column) {
  const int m = GetSystemMetrics(SM_CXEDGE);
  return MAKELPARAM(2 * m + column * 18 + 9, 2 * m + row * 18 + 9);
}

std::string colourText(COLORREF c) { return std::to_string(c); }

class PickerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.Create(IDD_OPTIONS));
    parent.title.SetColour(RGB(255, 215, 0));  // Gold
    parent.seen.clear();
  }
  HWND openPopup(CXColourPicker& button) {
    clickButton(parent.m_hWnd, GetDlgCtrlID(button.m_hWnd));
    return findPopup();
  }
  PickerParent parent;
};

}  // namespace

TEST_F(PickerFixture, AcceptANewColour) {
  HWND popup = openPopup(parent.title);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetCapture(), popup);
  RECT button, pr;
  GetWindowRect(parent.title.m_hWnd, &button);
  GetWindowRect(popup, &pr);
  EXPECT_EQ(pr.left, button.left);  // just below the button
  EXPECT_EQ(pr.top, button.bottom);
  EXPECT_EQ(pr.right - pr.left, 148);
  EXPECT_EQ(pr.bottom - pr.top, 238);
  SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(0, 2));  // Red
  SendMessageW(popup, WM_LBUTTONUP, 0, cellPoint(0, 2));
  EXPECT_FALSE(IsWindow(popup));
  const std::string red = colourText(RGB(255, 0, 0));
  const std::vector<std::string> expected = {"open " + colourText(RGB(255, 215, 0)) + " 1030", "close " + red + " 1030",
                                             "accept " + red + " 1030", "change " + red + " 1030"};
  EXPECT_EQ(parent.seen, expected);
  EXPECT_EQ(parent.title.GetColour(), RGB(255, 0, 0));
}

TEST_F(PickerFixture, AcceptTheSameColourSendsNoChange) {
  HWND popup = openPopup(parent.title);
  SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(1, 4));  // Gold again
  SendMessageW(popup, WM_LBUTTONUP, 0, cellPoint(1, 4));
  ASSERT_EQ(parent.seen.size(), 3u);
  EXPECT_EQ(parent.seen[2].substr(0, 6), "accept");
}

TEST_F(PickerFixture, EscAndAClickOutsideCancelWithTheInitialColour) {
  HWND popup = openPopup(parent.title);
  SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(0, 2));
  SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(3, 1));
  SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(popup));
  const std::string gold = colourText(RGB(255, 215, 0));
  ASSERT_EQ(parent.seen.size(), 3u);
  EXPECT_EQ(parent.seen[1], "close " + gold + " 1030");
  EXPECT_EQ(parent.seen[2].substr(0, 6 + gold.size() + 1), "cancel " + gold);
  EXPECT_EQ(parent.title.GetColour(), RGB(255, 215, 0));

  parent.seen.clear();
  popup = openPopup(parent.title);
  SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(0, 2));
  SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));  // released outside
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(parent.seen.back().substr(0, 6), "cancel");
  EXPECT_EQ(parent.title.GetColour(), RGB(255, 215, 0));
}

TEST_F(PickerFixture, ReleaseOnTheSeparatorKeepsThePopupOpen) {
  HWND popup = openPopup(parent.title);
  const int m = GetSystemMetrics(SM_CXEDGE);
  const LPARAM separator = MAKELPARAM(40, 2 * m + 9 * 18 + 6);
  SendMessageW(popup, WM_MOUSEMOVE, 0, separator);
  SendMessageW(popup, WM_LBUTTONUP, 0, separator);
  EXPECT_TRUE(IsWindow(popup));
  EXPECT_EQ(GetCapture(), popup);
  SendMessageW(popup, WM_KEYDOWN, VK_UP, 0);  // keys go on from the separator: row 8
  SendMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(IsWindow(popup));
}

namespace {
BOOL CALLBACK findColourDialog(HWND h, LPARAM lp) {
  if (IsWindowVisible(h) && GetDlgItem(h, 712)) {  // the "add to custom colours" button
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
  }
  return TRUE;
}

// Clicks "add to custom colours" and OK in the next system colour dialog.
void CALLBACK answerColourDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findColourDialog, reinterpret_cast<LPARAM>(&dlg));
  if (!dlg) return;
  KillTimer(nullptr, id);
  clickButton(dlg, 712);
  PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
}
}  // namespace

TEST_F(PickerFixture, CustomColoursStayWithTheirButton) {
  HWND popup = openPopup(parent.title);
  const int m = GetSystemMetrics(SM_CXEDGE);
  const LPARAM custom = MAKELPARAM(40, 2 * m + 10 * 18 + 6);
  SendMessageW(popup, WM_MOUSEMOVE, 0, custom);
  SetTimer(nullptr, 0, 50, &answerColourDialog);
  SendMessageW(popup, WM_LBUTTONUP, 0, custom);  // runs the colour dialog, answered above
  EXPECT_TRUE(IsWindow(popup));                  // stays open
  EXPECT_EQ(GetCapture(), popup);
  EXPECT_EQ(paletteTable[kFirstCustomColour].colour, RGB(255, 215, 0));  // added from the dialog's colour
  SendMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(147, 100));            // the right border: on no cell
  SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(147, 100));            // accepts the dialog's colour
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(parent.title.customColours()[0], RGB(255, 215, 0));
  EXPECT_EQ(parent.team.customColours()[0], RGB(255, 255, 255));

  // The other button lends its own colours to the table.
  popup = openPopup(parent.team);
  EXPECT_EQ(paletteTable[kFirstCustomColour].colour, RGB(255, 255, 255));
  SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  popup = openPopup(parent.title);
  EXPECT_EQ(paletteTable[kFirstCustomColour].colour, RGB(255, 215, 0));
  SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

namespace {
// The colour at the middle of the button's swatch, drawn into a bitmap.
COLORREF swatchColour(CXColourPicker& picker) {
  RECT r;
  GetClientRect(picker.m_hWnd, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(dc, bmp);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = picker.m_hWnd;
  item.hDC = dc;
  item.rcItem = r;
  item.itemState = IsWindowEnabled(picker.m_hWnd) ? 0 : ODS_DISABLED;
  SendMessageW(GetParent(picker.m_hWnd), WM_DRAWITEM, GetDlgCtrlID(picker.m_hWnd), reinterpret_cast<LPARAM>(&item));
  const COLORREF c = GetPixel(dc, r.right / 3, r.bottom / 2);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return c;
}
}  // namespace

TEST_F(PickerFixture, DrawingDisabledAndDefaultColour) {
  EXPECT_TRUE(GetWindowLongW(parent.title.m_hWnd, GWL_STYLE) & BS_OWNERDRAW);
  EXPECT_EQ(swatchColour(parent.title), RGB(255, 215, 0));
  EnableWindow(parent.title.m_hWnd, FALSE);
  EXPECT_EQ(parent.title.GetColour(), RGB(192, 192, 192));
  EXPECT_NE(swatchColour(parent.title), RGB(192, 192, 192));  // no swatch at all
  EnableWindow(parent.title.m_hWnd, TRUE);
  EXPECT_EQ(parent.title.GetColour(), RGB(255, 215, 0));
  parent.title.SetColour(CXColourPicker::kDefaultColour);
  EXPECT_EQ(swatchColour(parent.title), GetSysColor(COLOR_APPWORKSPACE));
}

TEST(OptionsColours, ChosenColoursAreStoredOpaqueAndReadBack) {
  SettingsRun store;
  store.settings.clrtitle = 0x80FFD700;  // a translucent stored colour
  OptionsDialog dialog(store.settings, *store.core);
  runModal(dialog, [&](HWND dlg) {
    EXPECT_EQ(dialog.m_titleColour.GetColour(), RGB(255, 215, 0));
    HWND popup = (clickButton(dlg, IDC_OPT_CLRTEAM), findPopup());
    SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(0, 2));
    SendMessageW(popup, WM_LBUTTONUP, 0, cellPoint(0, 2));
    clickButton(dlg, IDOK);
  });
  EXPECT_EQ(dialog.result.clrteam, 0xFFFF0000u);
  EXPECT_EQ(dialog.result.clrtitle, 0xFFFFD700u);  // through the button: opaque
  // Stored as the program stores them, they read back the same.
  saveSettings(store.core->settingsStore(), dialog.result, SavedByOptions);
  store.restart();
  EXPECT_EQ(store.settings.clrteam, 0xFFFF0000u);
  EXPECT_EQ(store.settings.clrtitle, 0xFFFFD700u);
}

TEST(OptionsColours, PaintingTheDialogItsButtonsAndThePopupLeaksNoHandles) {
  SettingsRun store;
  OptionsDialog dialog(store.settings, *store.core);
  int before = 0, afterDialog = 0, afterPopup = 0;
  runModal(dialog, [&](HWND dlg) {
    auto paint = [](HWND hwnd) {
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    EnableWindow(GetDlgItem(dlg, IDC_OPT_CLRTITLE), FALSE);  // one button drawn disabled, one enabled
    paint(dlg);
    before = gdiHeadroom();
    for (int i = 0; i < 500; ++i) paint(dlg);
    afterDialog = gdiHeadroom();
    EnableWindow(GetDlgItem(dlg, IDC_OPT_CLRTITLE), TRUE);
    HWND popup = (clickButton(dlg, IDC_OPT_CLRTEAM), findPopup());
    ASSERT_NE(popup, nullptr);
    SendMessageW(popup, WM_MOUSEMOVE, 0, cellPoint(1, 3));  // a hot cell drawn too
    paint(popup);
    const int popupBefore = gdiHeadroom();
    for (int i = 0; i < 500; ++i) paint(popup);
    afterPopup = gdiHeadroom() - popupBefore + before;
    SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  if (HasFatalFailure()) return;
  EXPECT_GT(before, 1000);
  EXPECT_EQ(afterDialog, before) << "the dialog and its colour buttons leak while painting";
  EXPECT_EQ(afterPopup, before) << "the palette popup leaks while painting";
}
