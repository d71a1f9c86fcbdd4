// The buzzers' keys through Raw Input: registered with RIDEV_INPUTSINK on a window of the
// console's, so a press counts while another program (a slide show) has the focus, and each
// key comes with the device that typed it.  Glue only: it turns WM_INPUT messages into
// BuzzerPress values; the event model decides what they mean.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "contest/buzzers.h"

class BuzzerInput {
 public:
  BuzzerInput() = default;
  ~BuzzerInput();
  BuzzerInput(const BuzzerInput&) = delete;
  BuzzerInput& operator=(const BuzzerInput&) = delete;

  // Keyboards' raw input goes to target (also while it is in the background); false when the
  // system refused.
  bool start(HWND target);
  void stop();
  bool started() const { return target_ != nullptr; }
  // Whether raw input has reported this key: from then on the focused console's own key
  // messages for it are the same presses again (without their device), and only swallowed.
  bool reports(unsigned key) const { return seen_.count(key) != 0; }

  // The press in one WM_INPUT message (lParam), with every other WM_INPUT already queued for
  // the target: one batch.  Empty for input that is no key.
  std::vector<BuzzerPress> batch(LPARAM first, DWORD firstTime);

 private:
  bool read(LPARAM handle, DWORD time, BuzzerPress& out);
  // The device path of a device handle, remembered: the system asks for it once per device.
  std::string devicePath(HANDLE device);
  HWND target_ = nullptr;
  std::set<unsigned> seen_;
  std::set<std::pair<std::string, unsigned>> chords_;  // Ctrl, Alt and Windows keys held, by device
  std::vector<std::pair<HANDLE, std::string>> paths_;
};
