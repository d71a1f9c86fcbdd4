// What an operator asks for when a score changes, whatever the source (the score entry
// dialog, a key): the row, how the typed value applies, and the text typed.  The event model
// turns it into the new score and the log text, once.
#pragma once
#include <string>
#include <vector>

#include "contest/panel_entry.h"

enum class ScoreOp { Set, Add, Subtract };

struct ScoreRequest {
  int row;
  ScoreOp op;
  std::string field;  // the new score (Set) or the amount added or taken away, as typed
};

// One applied score change as the undo history keeps it: exact old and new floats and the
// log text; a panel entry also its entry before and after.
struct ScoreStep {
  int row;
  float oldScore;
  float newScore;
  std::string changeText;
  bool panel = false;
  PanelEntry oldPanel;
  PanelEntry newPanel;
  // A panel entry's judges whose scores came from their phones: seats, "," between them.
  std::string phones;
};

// value as a 32-bit float; false when it is not finite there (too large, or not a number).
bool toScore(double value, float& out);

// The score a change gives a row that holds `old`: the sum or difference is formed in double
// precision and narrowed once.  False when that does not fit a float.
bool scoreAfter(float old, ScoreOp op, float value, float& out);

// The longest leading decimal number of text (leading white space skipped, optional sign,
// digits with an optional point, optional exponent); 0 when there is none.  "inf", "nan"
// and hexadecimal forms are no numbers here.
double readNumber(const std::string& text);

// The quick-step pieces shown on the four buttons: pieces 0 to 3 of the list split at ",",
// up to the first empty one.
std::vector<std::string> quickStepPieces(const std::string& steps);

// The step a request makes on a row labelled `label` that holds `old`, its change text with
// `decimals` decimals: "修改 <label> 分数 <old> -> <new>" for a set, "<label> +<value>" or
// "<label> -<value>" for an add or a subtract.  False when the value or the result does not
// fit a score; nothing may change then.
bool planScore(const ScoreRequest& request, const std::string& label, float old, int decimals, ScoreStep& out);
