// Tool tips for a dialog's controls: one tooltip window owned by the dialog, one tip per
// control, shown when the mouse rests on it.  Text is GBK.
#pragma once
#include <windows.h>

#include <string>

class ControlTips {
 public:
  ControlTips() : tip_(nullptr) {}
  ~ControlTips();
  ControlTips(const ControlTips&) = delete;
  ControlTips& operator=(const ControlTips&) = delete;

  // Adds (or replaces) the tip of control id of dialog; the tooltip window is made on first use.
  void set(HWND dialog, int id, const std::string& text);
  // The tip of a control, empty when it has none (for tests).
  std::string text(HWND dialog, int id) const;
  HWND window() const { return tip_; }

 private:
  HWND tip_;
};
