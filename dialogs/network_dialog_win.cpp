#include "dialogs/network_dialog_win.h"

#include <utility>

#include "contest/settings.h"
#include "framework/gdi_win.h"
#include "framework/message_box_win.h"
#include "net/judge_desk.h"
#include "net/venue_service.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kStatusTimer = 1;
constexpr int kQuietZone = 4;  // modules of white around the code, as readers expect

}  // namespace

NetworkDialog::NetworkDialog(bool serving, int servedPort, std::vector<std::string> addresses,
                             std::function<int()> screens, JudgeLinks judges)
    : CDialog(IDD_NETWORK),
      on(serving),
      port(servedPort),
      addresses_(std::move(addresses)),
      screens_(std::move(screens)),
      judges_(std::move(judges)) {}

const MessageMap* NetworkDialog::GetMessageMap() const {
  static const MessageEntry entries[] = {
      onCommand(IDC_NET_PORT, EN_CHANGE, &NetworkDialog::OnPortChange),
      onCommand(IDC_NET_ON, BN_CLICKED, &NetworkDialog::OnSwitch),
      onCommand(IDC_NET_QR_FOR, CBN_SELCHANGE, &NetworkDialog::OnQrFor),
      onCommand(IDC_NET_REGENERATE, BN_CLICKED, &NetworkDialog::OnRegenerate),
      onMessage(WM_DRAWITEM, &NetworkDialog::OnDrawItem),
      onMessage(WM_TIMER, &NetworkDialog::OnTimer),
  };
  static const MessageMap map = makeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

BOOL NetworkDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckDlgButton(IDC_NET_ON, on ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_NET_PORT, std::to_string(port));
  const HWND picker = GetDlgItem(IDC_NET_QR_FOR);
  ::SendMessageW(picker, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide("观众屏幕").c_str()));
  for (int k = 1; k <= judges_.seats; ++k)
    ::SendMessageW(picker, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide("评委" + std::to_string(k)).c_str()));
  ::SendMessageW(picker, CB_SETCURSEL, 0, 0);
  ::EnableWindow(GetDlgItem(IDC_NET_REGENERATE), judges_.seats > 0 && judges_.regenerate);
  showAddresses(port);
  showStatus();
  SetTimer(kStatusTimer, 1000);
  return TRUE;
}

// The addresses follow the port being typed, so the QR code is the link OK will serve.
void NetworkDialog::OnPortChange() {
  Settings typed;
  const OptionsCheck check = checkOptionNumbers({FieldText{IDC_NET_PORT, GetDlgItemText(IDC_NET_PORT)}}, typed);
  if (check.ok) showAddresses(typed.port);
}

int NetworkDialog::typedPort() {
  Settings typed;
  const OptionsCheck check = checkOptionNumbers({FieldText{IDC_NET_PORT, GetDlgItemText(IDC_NET_PORT)}}, typed);
  return check.ok ? typed.port : shownPort_;
}

void NetworkDialog::OnSwitch() { showAddresses(typedPort()); }
void NetworkDialog::OnQrFor() { showAddresses(typedPort()); }

void NetworkDialog::OnRegenerate() {
  if (judges_.regenerate) judges_.regenerate();
  showAddresses(typedPort());
}

void NetworkDialog::showAddresses(int forPort) {
  shownPort_ = forPort;
  std::string lines;
  for (const std::string& a : addresses_) lines += (lines.empty() ? "" : "\r\n") + boardLinkLine(a, forPort);
  // The judges' links only where they can work: a panel, and the server switched on.
  const std::vector<std::string> tokens =
      judges_.seats > 0 && judges_.tokens && IsDlgButtonChecked(IDC_NET_ON) == BST_CHECKED ? judges_.tokens()
                                                                                           : std::vector<std::string>();
  const int seats = std::min<int>(judges_.seats, static_cast<int>(tokens.size()));
  for (int k = 1; k <= seats; ++k)
    lines += "\r\n" + judgeLinkLine(addresses_.front(), forPort, k, tokens[static_cast<std::size_t>(k - 1)]);
  SetDlgItemText(IDC_NET_ADDRESSES, lines);
  const int seat = static_cast<int>(::SendMessageW(GetDlgItem(IDC_NET_QR_FOR), CB_GETCURSEL, 0, 0));
  qr_ = seat >= 1 && seat <= seats
            ? qrImage(judgeUrl(addresses_.front(), forPort, seat, tokens[static_cast<std::size_t>(seat - 1)]))
            : qrImage(boardUrl(addresses_.front(), forPort));
  ::InvalidateRect(GetDlgItem(IDC_NET_QR), nullptr, TRUE);
}

void NetworkDialog::showStatus() {
  const int screens = screens_ ? screens_() : -1;
  SetDlgItemText(IDC_NET_STATUS,
                 screens < 0 ? std::string("网络服务未开启") : "已连接的屏幕：" + std::to_string(screens));
}

LRESULT NetworkDialog::OnTimer(WPARAM id, LPARAM) {
  if (id == kStatusTimer) showStatus();
  return 0;
}

LRESULT NetworkDialog::OnDrawItem(WPARAM id, LPARAM lp) {
  if (id != IDC_NET_QR) return FALSE;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
  const RECT& r = item->rcItem;
  GdiObject<HBRUSH> white(::CreateSolidBrush(RGB(255, 255, 255)));
  GdiObject<HBRUSH> black(::CreateSolidBrush(RGB(0, 0, 0)));
  ::FillRect(item->hDC, &r, white.get());
  if (qr_.size > 0) {
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    const int module = side / (qr_.size + 2 * kQuietZone);
    if (module > 0) {
      const int x0 = r.left + (r.right - r.left - module * qr_.size) / 2;
      const int y0 = r.top + (r.bottom - r.top - module * qr_.size) / 2;
      for (int y = 0; y < qr_.size; ++y)
        for (int x = 0; x < qr_.size; ++x)
          if (qr_.at(x, y)) {
            const RECT m{x0 + x * module, y0 + y * module, x0 + (x + 1) * module, y0 + (y + 1) * module};
            ::FillRect(item->hDC, &m, black.get());
          }
    }
  }
  return TRUE;
}

void NetworkDialog::OnOK() {
  Settings checked;
  const OptionsCheck check = checkOptionNumbers({FieldText{IDC_NET_PORT, GetDlgItemText(IDC_NET_PORT)}}, checked);
  if (!check.ok) {
    messageWarning(m_hWnd, check.message);
    ::SetFocus(GetDlgItem(IDC_NET_PORT));
    return;
  }
  KillTimer(kStatusTimer);
  on = IsDlgButtonChecked(IDC_NET_ON) == BST_CHECKED;
  port = checked.port;
  CDialog::OnOK();
}
