// PanelDialog: "评委打分" (template 132), one field per judge for one contestant.  It shows the
// final score and what is dropped while the operator types, checks every field, asks when the
// scores lie further apart than the settings allow, and on OK holds the scores asked for; it
// changes nothing itself.  A score from a judge's phone fills that judge's field, marked, for
// the operator to accept with the rest (or to overwrite, which takes the mark away).
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

  // After OK: one score per judge of the panel, kNoScore for none, and the judges (1-based)
  // whose scores are the ones their phones sent.
  std::vector<std::int32_t> scores;
  std::vector<int> phoneSeats;

  // A score judge `seat` (1-based) sent from a phone; a seat past the panel is ignored.
  void phoneScore(int seat, std::int32_t hundredths);

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

 private:
  void OnFieldChange(UINT id);
  void showPhoneMarks();
  // The fields read; false (with the judge whose field is wrong) when one is no score.
  bool read(std::vector<std::int32_t>& out, int& wrongJudge);

  std::string label_;
  PanelEntry current_;
  Settings settings_;
  std::vector<bool> fromPhone_ = std::vector<bool>(kMaxJudges, false);
  bool filling_ = false;  // a phone's score is being written into its field
};
