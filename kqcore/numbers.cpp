#include "kqcore/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace numbers {

std::string intText(int value) { return std::to_string(value); }

namespace {

// The shortest fixed-point text that reads back as value: what the operator typed.
std::string shortestFixed(float value) {
  char buf[128];
  for (int digits = 0; digits <= 60; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*f", digits, static_cast<double>(value));
    if (std::strtof(buf, nullptr) == value) break;
  }
  return buf;
}

// Rounds a plain decimal text (digits, optional point) to `decimals` places, half away from
// zero.
std::string roundDecimal(const std::string& magnitude, int decimals) {
  const std::size_t point = magnitude.find('.');
  std::string whole = point == std::string::npos ? magnitude : magnitude.substr(0, point);
  std::string fraction = point == std::string::npos ? std::string() : magnitude.substr(point + 1);
  const bool roundUp = fraction.size() > static_cast<std::size_t>(decimals) && fraction[decimals] >= '5';
  fraction.resize(static_cast<std::size_t>(decimals), '0');
  std::string digits = whole + fraction;
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i >= 0)
      ++digits[i];
    else
      digits.insert(digits.begin(), '1');
  }
  const std::size_t wholeLen = digits.size() - static_cast<std::size_t>(decimals);
  return decimals > 0 ? digits.substr(0, wholeLen) + "." + digits.substr(wholeLen) : digits;
}

}  // namespace

std::string floatText(float value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 6) decimals = 6;
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  std::string text = shortestFixed(value);
  const bool negative = !text.empty() && text[0] == '-';
  text = roundDecimal(negative ? text.substr(1) : text, decimals);
  // A value that shows as zero never gets a minus sign.
  if (negative && text.find_first_not_of("0.") != std::string::npos) text.insert(text.begin(), '-');
  return text;
}

int pageCount(int total, int perPage) {
  if (total <= 0) return 0;
  if (perPage < 1) perPage = 1;
  return total / perPage + (total % perPage != 0 ? 1 : 0);
}

}  // namespace numbers
