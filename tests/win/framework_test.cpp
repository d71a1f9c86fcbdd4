// The window framework: message-map dispatch, dialogs (modal loop, Enter/Esc, close box),
// subclassing and reflection, data exchange.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/app_win.h"
#include "framework/controls_win.h"
#include "framework/dialog_win.h"
#include "resources/resource.h"
#include "tests/win/message_log_win.h"
#include "tests/win/test_support_win.h"

namespace {

// A dialog on the console's template (it has buttons, a radio range and a list view) whose
// map records what reaches which handler.
class Probe : public CDialog {
 public:
  Probe() : CDialog(IDD_CONSOLE) {}
  std::vector<std::string> calls;
  std::vector<UINT> messagesBeforeInit;
  bool initSawWindow = false;
  int preTranslatedKeys = 0;

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) ++preTranslatedKeys;
    return CDialog::PreTranslateMessage(msg);
  }

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageEntry entries[] = {
        onClicked(IDC_RELOAD, &Probe::onReload),
        onCommand(IDC_RELOAD, BN_DOUBLECLICKED, &Probe::onReloadDouble),
        onClickedRange(IDC_MODE_WELCOME, IDC_MODE_GROUP, &Probe::onMode),
        onNotify(NM_DBLCLK, IDC_ROSTER_LIST, &Probe::onListDouble),
        onMessage(WM_APP + 1, &Probe::onApp),
        onMessage(WM_APP + 2, &Probe::onAppDefault),
    };
    static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
    return &map;
  }
  BOOL OnInitDialog() override {
    initSawWindow = m_hWnd != nullptr && CWnd::FromHandle(m_hWnd) == this;
    return CDialog::OnInitDialog();
  }
  bool OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override {
    if (calls.empty() && !initDone) messagesBeforeInit.push_back(msg);
    return CDialog::OnWndMsg(msg, wp, lp, result);
  }
  void OnOK() override {
    calls.push_back("OnOK");
    CDialog::OnOK();
  }

 public:
  bool initDone = false;
  void onReload() { calls.push_back("reload"); }
  void onReloadDouble() { calls.push_back("reload-double"); }
  void onMode(UINT id) { calls.push_back("mode " + std::to_string(id)); }
  void onListDouble(NMHDR* h, LRESULT* r) {
    calls.push_back("list " + std::to_string(h->idFrom));
    *r = 7;
  }
  LRESULT onApp(WPARAM wp, LPARAM) {
    calls.push_back("app " + std::to_string(wp));
    return 42;
  }
  LRESULT onAppDefault(WPARAM, LPARAM) {
    calls.push_back("app-default");
    return Default();
  }
};

// A later class overrides one row of its base and adds nothing else.
class DerivedProbe : public Probe {
 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageEntry entries[] = {onClicked(IDC_RELOAD, &DerivedProbe::onReloadHere)};
    static const MessageMap map = makeMap(Probe::GetMessageMap(), entries);
    return &map;
  }
  void onReloadHere() { calls.push_back("derived reload"); }
};

LRESULT command(HWND dlg, int id, int code) {
  return SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

}  // namespace

TEST(MessageMap, DispatchesByMessageCodeAndIdRange) {
  Probe probe;
  ASSERT_TRUE(probe.Create(IDD_CONSOLE));
  probe.initDone = true;
  HWND dlg = probe.m_hWnd;
  EXPECT_TRUE(probe.initSawWindow);

  command(dlg, IDC_RELOAD, BN_CLICKED);
  command(dlg, IDC_RELOAD, BN_DOUBLECLICKED);
  command(dlg, IDC_MODE_WELCOME, BN_CLICKED);
  command(dlg, IDC_MODE_GROUP, BN_CLICKED);
  command(dlg, IDC_MODE_GROUP + 1, BN_CLICKED);  // outside the range
  command(dlg, IDC_MODE_SCORING, BN_SETFOCUS);   // another code

  NMHDR header = {GetDlgItem(dlg, IDC_ROSTER_LIST), IDC_ROSTER_LIST, static_cast<UINT>(NM_DBLCLK)};
  EXPECT_EQ(SendMessageW(dlg, WM_NOTIFY, IDC_ROSTER_LIST, reinterpret_cast<LPARAM>(&header)), 7);
  NMHDR other = {GetDlgItem(dlg, IDC_ROSTER_LIST), IDC_ROSTER_LIST, static_cast<UINT>(NM_CLICK)};
  SendMessageW(dlg, WM_NOTIFY, IDC_ROSTER_LIST, reinterpret_cast<LPARAM>(&other));

  EXPECT_EQ(SendMessageW(dlg, WM_APP + 1, 5, 0), 42);  // the handler's result is the answer

  const std::vector<std::string> expected = {"reload", "reload-double", "mode 1018", "mode 1021", "list 1005", "app 5"};
  EXPECT_EQ(probe.calls, expected);
}

TEST(MessageMap, MostDerivedRowWinsAndOnlyWhatNoRowTakesReachesTheDefault) {
  Recorded<DerivedProbe> probe;
  ASSERT_TRUE(probe.Create(IDD_CONSOLE));
  probe.initDone = true;
  probe.watch = {WM_COMMAND, WM_APP + 1, WM_APP + 2, WM_APP + 3};
  HWND dlg = probe.m_hWnd;
  command(dlg, IDC_RELOAD, BN_CLICKED);          // the derived row
  command(dlg, IDC_MODE_SCORING, BN_CLICKED);    // a row of the base map
  command(dlg, IDC_MODE_GROUP + 1, BN_CLICKED);  // no row
  SendMessageW(dlg, WM_APP + 2, 0, 0);           // a handler that asks for the default
  SendMessageW(dlg, WM_APP + 3, 0, 0);           // no row
  PostMessageW(dlg, WM_APP + 1, 5, 0);           // through the queue
  pumpUntil([&] { return probe.calls.size() == 4; }, 2000);
  const std::vector<std::string> calls = {"derived reload", "mode 1019", "app-default", "app 5"};
  EXPECT_EQ(probe.calls, calls);
  const std::vector<MessageRecord> expected = {
      {WM_COMMAND, false, false}, {WM_COMMAND, false, false}, {WM_COMMAND, false, true},
      {WM_APP + 2, false, true},  {WM_APP + 3, false, true},  {WM_APP + 1, true, false},
  };
  EXPECT_EQ(probe.log, expected);
}

TEST(MessageMap, ObjectIsKnownFromTheFirstMessage) {
  Probe probe;
  ASSERT_TRUE(probe.Create(IDD_CONSOLE));
  ASSERT_FALSE(probe.messagesBeforeInit.empty());
  const auto& seen = probe.messagesBeforeInit;
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_NCCREATE), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_CREATE), seen.end());
  EXPECT_TRUE(probe.initSawWindow);
}

TEST(ModalDialog, EscCancelsEnterAcceptsAndPreTranslateSeesKeysFirst) {
  {
    Probe probe;
    const INT_PTR r = runModal(probe, [](HWND dlg) { postKey(GetDlgItem(dlg, IDC_ROSTER_LIST), VK_ESCAPE); });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(probe.preTranslatedKeys, 1);
  }
  {
    Probe probe;
    const INT_PTR r = runModal(probe, [](HWND dlg) { postKey(GetDlgItem(dlg, IDC_OPTIONS), VK_RETURN); });
    EXPECT_EQ(r, IDOK);
    EXPECT_EQ(probe.calls.back(), "OnOK");
  }
  {
    // The close box: the system command and the close go on to the default, which turns
    // them into IDCANCEL; the map takes that, and the window is destroyed.
    Recorded<Probe> probe;
    probe.watch = {WM_SYSCOMMAND, WM_CLOSE, WM_COMMAND, WM_DESTROY, WM_NCDESTROY};
    const INT_PTR r = runModal(probe, [](HWND dlg) { PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(probe.m_hWnd, nullptr);  // the window is gone when DoModal returns
    const std::vector<MessageRecord> expected = {
        {WM_SYSCOMMAND, true, true}, {WM_CLOSE, false, true},     {WM_COMMAND, true, false},
        {WM_DESTROY, false, true},   {WM_NCDESTROY, false, true},
    };
    EXPECT_EQ(probe.log, expected);
  }
}

TEST(ModalDialog, OwnerIsDisabledWhileModalAndEnabledAfter) {
  Probe owner;
  ASSERT_TRUE(owner.Create(IDD_CONSOLE));
  HWND ownerWnd = owner.m_hWnd;
  class Child : public CDialog {
   public:
    explicit Child(CWnd* parent) : CDialog(IDD_CONSOLE, parent) {}
  } child(&owner);
  bool disabledDuring = false;
  HWND childOwner = nullptr;
  runModal(child, [&](HWND dlg) {
    disabledDuring = !IsWindowEnabled(ownerWnd);
    childOwner = GetWindow(dlg, GW_OWNER);
    PostMessageW(dlg, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(disabledDuring);
  EXPECT_EQ(childOwner, ownerWnd);
  EXPECT_TRUE(IsWindowEnabled(ownerWnd));
}

namespace {

// A button that handles its own clicks (reflection) and counts what reaches it.
class SelfClickingButton : public CButton {
 public:
  int clicks = 0;
  int paints = 0;
  bool preSubclassed = false;

 protected:
  const MessageMap* GetMessageMap() const override {
    static const MessageEntry entries[] = {
        onCommandReflect(BN_CLICKED, &SelfClickingButton::onClicked),
        onMessage(WM_APP + 7, &SelfClickingButton::onApp),
    };
    static const MessageMap map = makeMap(CButton::GetMessageMap(), entries);
    return &map;
  }
  void PreSubclassWindow() override { preSubclassed = true; }
  void onClicked() { ++clicks; }
  LRESULT onApp(WPARAM, LPARAM) { return 99; }
};

class BindingDialog : public CDialog {
 public:
  BindingDialog() : CDialog(IDD_CONSOLE) {}
  CListCtrl list;
  CListBox log;
  Recorded<SelfClickingButton> reload;
  int parentClicks = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_ROSTER_LIST, list);
    DDX_Control(dx, IDC_LOG_LIST, log);
    DDX_Control(dx, IDC_RELOAD, reload);
  }
  const MessageMap* GetMessageMap() const override {
    static const MessageEntry entries[] = {onClicked(IDC_RELOAD, &BindingDialog::onReload)};
    static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
    return &map;
  }
  void onReload() { ++parentClicks; }
};

}  // namespace

TEST(Subclassing, DataExchangeBindsAndControlsHandleTheirOwnNotifications) {
  BindingDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_CONSOLE));
  ASSERT_EQ(dlg.list.m_hWnd, dlg.GetDlgItem(IDC_ROSTER_LIST));
  ASSERT_EQ(dlg.log.m_hWnd, dlg.GetDlgItem(IDC_LOG_LIST));
  EXPECT_TRUE(dlg.reload.preSubclassed);
  EXPECT_EQ(CWnd::FromHandle(dlg.reload.m_hWnd), &dlg.reload);

  clickButton(dlg.m_hWnd, IDC_RELOAD);
  EXPECT_EQ(dlg.reload.clicks, 1);
  EXPECT_EQ(dlg.parentClicks, 0);  // the control handled it
  // The original window procedure is still the default: the button keeps working, and only
  // what its map takes stays away from it.
  dlg.reload.watch = {BM_CLICK, WM_SETTEXT, WM_APP + 7};
  dlg.reload.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab"));
  EXPECT_EQ(dlg.reload.GetWindowText(), "ab");
  EXPECT_EQ(dlg.reload.SendMessage(WM_APP + 7), 99);
  PostMessageW(dlg.reload.m_hWnd, BM_CLICK, 0, 0);
  pumpUntil([&] { return dlg.reload.clicks == 2; }, 2000);
  const std::vector<MessageRecord> expected = {
      {WM_SETTEXT, false, true}, {WM_APP + 7, false, false}, {BM_CLICK, true, true}};
  EXPECT_EQ(dlg.reload.log, expected);

  // Wrapper calls with GBK text go through UTF-16 untouched.
  dlg.list.InsertColumn(0, "分组", LVCFMT_LEFT, 100);
  dlg.list.InsertItem(0, "乣组");
  dlg.list.SetItemText(0, 0, "乗组");
  EXPECT_EQ(dlg.list.GetItemText(0, 0), "乗组");
  EXPECT_EQ(dlg.log.AddString("第一行"), 0);
  EXPECT_EQ(dlg.log.GetText(0), "第一行");
  EXPECT_EQ(dlg.log.GetText(5), "");
}

TEST(ModalDialog, OpensCentredOverItsOwnerAndOnItsScreen) {
  Probe owner;
  ASSERT_TRUE(owner.Create(IDD_CONSOLE));
  class Child : public CDialog {
   public:
    explicit Child(CWnd* parent) : CDialog(IDD_SCORE_ENTRY, parent) {}
  };
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // Centred over an owner on screen; an owner half off an edge gets its dialog kept inside.
  const POINT places[] = {{200, 100}, {work.right - 60, work.bottom - 40}, {work.left - 500, work.top - 300}};
  for (const POINT& at : places) {
    SetWindowPos(owner.m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Child child(&owner);
    RECT o, c = {0, 0, 0, 0};
    GetWindowRect(owner.m_hWnd, &o);
    runModal(child, [&](HWND dlg) {
      GetWindowRect(dlg, &c);
      PostMessageW(dlg, WM_CLOSE, 0, 0);
    });
    const bool inside = o.left >= work.left && o.top >= work.top && o.right <= work.right && o.bottom <= work.bottom;
    if (inside) {
      EXPECT_NEAR((c.left + c.right) / 2, (o.left + o.right) / 2, 2);
      EXPECT_NEAR((c.top + c.bottom) / 2, (o.top + o.bottom) / 2, 2);
    }
    EXPECT_GE(c.left, work.left) << at.x;
    EXPECT_GE(c.top, work.top) << at.y;
    EXPECT_LE(c.right, work.right) << at.x;
    EXPECT_LE(c.bottom, work.bottom) << at.y;
  }
}
