// RoundsDialog: "轮次" (template 133), where the operator lists the quiz's rounds: add,
// remove, move up and down, and edit each round's name, values to add and subtract, quick
// steps and answer time.  It edits a copy and changes nothing itself: on OK `rounds` holds
// the list asked for and `current` where the current round went.  A round that fails its
// check is named in a warning, chosen and its field focused; the dialog stays open.
#pragma once
#include <string>
#include <vector>

#include "contest/rounds.h"
#include "framework/dialog_win.h"

class RoundsDialog : public CDialog {
 public:
  // current: the index of the current round in rounds, -1 for none.
  RoundsDialog(const std::vector<Round>& rounds, int current);

  std::vector<Round> rounds;
  int current;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

 private:
  // A round as typed, and the index it had when the dialog opened (-1: added here).
  struct Draft {
    std::string name, add, subtract, steps, seconds;
    int origin;
  };
  void OnSelect();
  void OnFieldChange(UINT id);
  void OnNew();
  void OnRemove();
  void OnUp();
  void OnDown();
  void move(int delta);
  // The list's lines from the drafts, with `selected` chosen and its fields shown.
  void showList(int selected);
  void showFields();
  std::string lineOf(const Draft& d) const;
  int selected() const;

  std::vector<Draft> drafts_;
  int originalCurrent_;
  bool loading_ = false;  // the fields are being filled: their changes are not the operator's
};
