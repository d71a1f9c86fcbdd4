// The score entry dialog's arithmetic and texts: reading a number the way the classic atof
// does (decimal only), and the change line that goes into the operation log.
#pragma once
#include <string>
#include <vector>

#include "contest/score_request.h"

// The longest leading decimal number of text (leading white space skipped, optional sign,
// digits with an optional point, optional exponent); 0 when there is none.  "inf", "nan"
// and hexadecimal forms are no numbers here.
double readNumber(const std::string& text);

// The quick-step pieces shown on the four buttons: pieces 0 to 3 of the list split at ",",
// up to the first empty one.
std::vector<std::string> quickStepPieces(const std::string& steps);

struct ScoreChange {
  bool accepted;  // false: the value does not fit a score; nothing may change
  float newScore;
  std::string text;  // the log line's text
};

// "直接更改": the field's number becomes the score.
ScoreChange setScore(const std::string& label, float oldScore, const std::string& field, int decimals);
// "加分" / "减分": the field's number added to or taken from the score.
ScoreChange changeScore(const std::string& label, float score, const std::string& field, bool add, int decimals);

// The request the dialog's buttons (and the keys that do the same) hand to the console: the
// typed field read exactly as above, with the same change text.  False when the value or
// the result does not fit a score; nothing may change then.
bool makeScoreRequest(int row, const std::string& label, float score, ScoreOp op, const std::string& field,
                      int decimals, ScoreRequest& out);
