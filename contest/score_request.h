// What an operator asks for when a score changes, whatever the source (the score entry
// dialog, a key): the row, how the typed value applies, the value and the log text.
#pragma once
#include <string>

enum class ScoreOp { Set, Add, Subtract };

struct ScoreRequest {
  int row;
  ScoreOp op;
  float value;             // the new score (Set) or the amount added or taken away
  std::string changeText;  // the log line's text
};

// One applied score change as the undo history keeps it: exact old and new floats and the
// log text.
struct ScoreStep {
  int row;
  float oldScore;
  float newScore;
  std::string changeText;
};

// value as a 32-bit float; false when it is not finite there (too large, or not a number).
bool toScore(double value, float& out);

// The score a request gives a row that holds `old`: the sum or difference is formed in
// double precision and narrowed once.  False when that does not fit a float.
bool scoreAfter(float old, ScoreOp op, float value, float& out);
