// PanelDialog: "评委打分" (template 132), one field per judge for one contestant.  It shows the
// final score and what is dropped while the operator types, checks every field, asks when the
// scores lie further apart than the settings allow, and on OK holds the scores asked for; it
// changes nothing itself.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "contest/panel_entry.h"
#include "contest/settings.h"
#include "framework/dialog_win.h"

class PanelDialog : public CDialog {
 public:
  PanelDialog(std::string label, const PanelEntry& current, const Settings& settings);

  // After OK: one score per judge of the panel, kNoScore for none.
  std::vector<std::int32_t> scores;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnFieldChange(UINT id);
  // The fields read; false (with the judge whose field is wrong) when one is no score.
  bool read(std::vector<std::int32_t>& out, int& wrongJudge);

  std::string label_;
  PanelEntry current_;
  Settings settings_;
};
