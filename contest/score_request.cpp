#include "contest/score_request.h"

#include <cmath>
#include <limits>

bool toScore(double value, float& out) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return false;
  out = static_cast<float>(value);
  return std::isfinite(out);
}

bool scoreAfter(float old, ScoreOp op, float value, float& out) {
  switch (op) {
    case ScoreOp::Set:
      return toScore(value, out);
    case ScoreOp::Add:
      return toScore(static_cast<double>(old) + value, out);
    case ScoreOp::Subtract:
      return toScore(static_cast<double>(old) - value, out);
  }
  return false;
}
