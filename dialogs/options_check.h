// The options dialog's number fields: reading them as atoi does, and the four range checks
// with their messages, in their order, stopping at the first failure.
#pragma once
#include <string>

// atoi-like: leading white space, an optional sign, digits; no digits gives 0.  A number too
// large for a 32-bit integer is reported as such instead of wrapping around.
struct FieldNumber {
  long long value;
  bool fits;  // within the 32-bit range
};
FieldNumber readIntField(const std::string& text);

struct OptionsFields {
  std::string xsw, cols, scoreinit, width, height;
};

struct OptionsValues {
  int xsw, cols, scoreinit, width, height;
};

struct OptionsCheck {
  bool ok;
  int field;            // control id of the offending field, 0 when ok
  std::string message;  // the warning to show
};

// Reads and checks the five fields.  scoreinit has no range; one that does not fit is
// saturated to the nearest 32-bit value.
OptionsCheck checkOptions(const OptionsFields& fields, OptionsValues& values);
