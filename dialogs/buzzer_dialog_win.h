// BuzzerDialog: "抢答器设置" (template 136).  Each team of the roster (or each group) is asked
// in turn to press its buzzer: "请按下 NAME 的抢答键"; the key and the device it came from are
// learnt, a key another team has is refused with that team's name, Skip and Back move along
// and the list shows what is learnt (a line picked is asked next, or cleared).  With the
// options for false starts and the timer.  It edits a copy: on OK `result` holds the buzzer
// rows of the settings as the operator left them.
//
// Presses reach it two ways: raw input (with the device), received by the console and handed
// on through presses(), and the key messages of the dialog itself, where the system gives no
// raw input.  While a team is asked every key is a buzzer's but Esc and Tab, so a box that
// types Enter or a space is learnt rather than pressing a button.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "contest/buzzers.h"
#include "contest/settings.h"
#include "framework/controls_win.h"
#include "framework/dialog_win.h"
#include "framework/gdi_win.h"

class BuzzerDialog : public CDialog {
 public:
  // roster: the (name, group) rows in roster order.  rawReports: whether raw input brings a
  // key (its key messages are then the same presses again, to be swallowed).
  BuzzerDialog(const Settings& settings, std::vector<std::pair<std::string, std::string>> roster,
               std::function<bool(unsigned)> rawReports);

  Settings result;

  // One batch of raw input while the dialog is open.
  void presses(const std::vector<BuzzerPress>& batch);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnBy(UINT id);
  void OnSkip();
  void OnBack();
  void OnClear();
  void OnListSelect(NMHDR* nm, LRESULT* result);
  bool keyMessage(const MSG& msg);
  void press(const std::string& device, unsigned key);
  // Learning for the names of the mode chosen, its keys kept for the other one.
  void learnBy(int by);
  void show();
  // Skip, Back, and Clear for the list's line `picked` (-1: none).
  void enableButtons(int picked);

  std::vector<std::pair<std::string, std::string>> roster_;
  std::function<bool(unsigned)> rawReports_;
  std::vector<BuzzerKey> keys_[2];  // a buzzer a team, a buzzer a group
  int by_ = 0;
  BuzzerLearning learning_;
  std::vector<BuzzerListLine> lines_;
  std::set<std::pair<std::string, unsigned>> held_;  // raw keys down: a held key is one press
  std::string status_;
  bool filling_ = false;  // the list is being filled: its selections are not the operator's
  CListCtrl m_list;
  GdiObject<HFONT> promptFont_;  // the question read from across the desk: larger, bold
};
