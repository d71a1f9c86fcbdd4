// NetworkDialog: "网络" (template 133), the venue server's switch and port, the addresses
// screens reach it at, each judge seat's link, a QR code of the first address's audience link
// or of a judge's (the picker), and how many screens follow the board.  Its switch and port
// take effect at OK, like the options; only "重新生成评委链接" acts at once, so the old judges'
// links stop working the moment the operator asks.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/dialog_win.h"
#include "net/qr_image.h"

// The network dialog's judges' links: the seats on the panel (0: none), every seat's tokens as
// the event holds them now (splitTokens' list), and what makes new ones.
struct JudgeLinks {
  int seats = 0;
  std::function<std::vector<std::string>()> tokens;
  std::function<void()> regenerate;
};

class NetworkDialog : public CDialog {
 public:
  // addresses: venueAddresses(); screens: the screens following now, -1 while not serving.
  NetworkDialog(bool on, int port, std::vector<std::string> addresses, std::function<int()> screens,
                JudgeLinks judges = JudgeLinks());

  // After OK.
  bool on;
  int port;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnPortChange();
  void OnSwitch();
  void OnQrFor();
  void OnRegenerate();
  LRESULT OnDrawItem(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  void showAddresses(int forPort);
  void showStatus();
  // The port typed, or the last one that was valid.
  int typedPort();

  std::vector<std::string> addresses_;
  std::function<int()> screens_;
  JudgeLinks judges_;
  int shownPort_ = 0;
  QrImage qr_;
};
