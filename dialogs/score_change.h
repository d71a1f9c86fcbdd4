// The score entry dialog's arithmetic and texts: reading a number the way the classic atof
// does (decimal only), and the change line that goes into the operation log.
#pragma once
#include <string>
#include <vector>

// The longest leading decimal number of text (leading white space skipped, optional sign,
// digits with an optional point, optional exponent); 0 when there is none.  "inf", "nan"
// and hexadecimal forms are no numbers here.
double readNumber(const std::string& text);

// value as a 32-bit float; false when it is not finite there (too large, or not a number).
bool toScore(double value, float& out);

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
