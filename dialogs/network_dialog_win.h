// NetworkDialog: "网络" (template 133), the venue server's switch and port, the addresses
// screens reach it at with a QR code of the first, and how many screens follow the board.
// Its changes take effect at OK, like the options: it holds what the operator asked for and
// changes nothing itself.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/dialog_win.h"
#include "net/qr_image.h"

class NetworkDialog : public CDialog {
 public:
  // addresses: venueAddresses(); screens: the screens following now, -1 while not serving.
  NetworkDialog(bool on, int port, std::vector<std::string> addresses, std::function<int()> screens);

  // After OK.
  bool on;
  int port;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnPortChange();
  LRESULT OnDrawItem(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  void showAddresses(int forPort);
  void showStatus();

  std::vector<std::string> addresses_;
  std::function<int()> screens_;
  QrImage qr_;
};
