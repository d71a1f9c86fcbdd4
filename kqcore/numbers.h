// Number texts: the one way scores, counts and settings become text and back.
#pragma once
#include <string>

namespace numbers {

// Decimal digits of value, with a leading "-" for negative values.
std::string intText(int value);

// value with `decimals` digits after the point (0 to 6; other counts are clamped).  The
// value is rounded as the decimal the operator typed, half away from zero: 12.5 with no
// decimals is "13", 2.675 with two is "2.68" (not the binary float's "2.67").  A value that
// shows as zero never gets a minus sign: -0.04 with 1 decimal is "0.0".
std::string floatText(float value, int decimals);

// total / perPage rounded up; 0 when total is 0 or less.  perPage below 1 counts as 1.
int pageCount(int total, int perPage);

}  // namespace numbers
