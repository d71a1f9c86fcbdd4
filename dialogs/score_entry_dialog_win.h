// ScoreEntryDialog: the small modal dialog (template 130) in which the operator sets, adds
// to or subtracts from one contestant's score.  It changes nothing itself: an accepted
// result carries the request the operator made, which the event model applies.
#pragma once
#include <functional>
#include <string>

#include "contest/score_request.h"
#include "framework/dialog_win.h"
#include "framework/tooltips_win.h"

class ScoreEntryDialog : public CDialog {
 public:
  // fits: whether a request would give a score (a refused one keeps the dialog open).
  ScoreEntryDialog(int row, std::string label, std::string scoreText, std::string changeField, std::string steps,
                   std::function<bool(const ScoreRequest&)> fits);

  // After an accepted result: whether a change button ended the dialog (Enter accepts with
  // no request) and the request.
  bool hasRequest;
  ScoreRequest request;
  // The change field's last text, whichever way the dialog ended: offered again next time.
  std::string changeField;
  const std::string contestantLabel;

  // Ctrl+1 ... Ctrl+4, Ctrl+Enter, Ctrl+Minus and Ctrl+S press the dialog's buttons.
  BOOL PreTranslateMessage(MSG* msg) override;
  const ControlTips& tips() const { return tips_; }

 protected:
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnSetDirectly();
  void OnAdd();
  void OnSubtract();
  void OnQuickStep(UINT id);
  LRESULT OnDestroy(WPARAM, LPARAM);
  void ask(ScoreOp op, int fieldId);

  int row_;
  std::string scoreText_;
  std::string steps_;
  std::function<bool(const ScoreRequest&)> fits_;
  ControlTips tips_;
};
