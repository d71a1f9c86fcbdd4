#include "kqcore/numbers.h"

#include <cstdio>
#include <string>

namespace numbers {

std::string intText(int value) { return std::to_string(value); }

std::string floatText(float value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 6) decimals = 6;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
  std::string text(buf);
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
    text.erase(0, 1);
  return text;
}

int pageCount(int total, int perPage) {
  if (total <= 0) return 0;
  if (perPage < 1) perPage = 1;
  return total / perPage + (total % perPage != 0 ? 1 : 0);
}

}  // namespace numbers
