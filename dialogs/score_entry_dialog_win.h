// ScoreEntryDialog: the small modal dialog (template 130) in which the operator sets, adds
// to or subtracts from one contestant's score.  It writes the new score into the shared
// table and leaves a change text for the operation log.
#pragma once
#include <string>

#include "framework/dialog_win.h"

class ScoreEntryDialog : public CDialog {
 public:
  ScoreEntryDialog();

  int rowIndex;            // set before DoModal
  std::string changeText;  // read after an accepted result
  std::string contestantLabel;

 protected:
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnSetDirectly();
  void OnAdd();
  void OnSubtract();
  void OnQuickStep(UINT id);
  LRESULT OnDestroy(WPARAM, LPARAM);
  void apply(const struct ScoreChange& change);
};
