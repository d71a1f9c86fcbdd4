#include "dialogs/options_check.h"

#include <climits>

#include "app/settings.h"
#include "resources/resource.h"

FieldNumber readIntField(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  bool fits = true;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (1LL << 40)) {
      fits = false;  // far beyond 32 bits already; keep reading nothing more into it
      continue;
    }
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) fits = false;
  return FieldNumber{value, fits};
}

namespace {

// The field's value when it fits and lies in lo..hi.
bool inRange(const FieldNumber& n, int lo, int hi) { return n.fits && n.value >= lo && n.value <= hi; }

}  // namespace

OptionsCheck checkOptions(const OptionsFields& fields, OptionsValues& values) {
  const FieldNumber xsw = readIntField(fields.xsw);
  const FieldNumber cols = readIntField(fields.cols);
  const FieldNumber scoreinit = readIntField(fields.scoreinit);
  const FieldNumber width = readIntField(fields.width);
  const FieldNumber height = readIntField(fields.height);
  using namespace app;
  auto fail = [](int field, const char* what, int lo, int hi) {
    return OptionsCheck{false, field,
                        std::string(what) + "必须是" + std::to_string(lo) + "到" + std::to_string(hi) + "之间的整数"};
  };
  if (!inRange(xsw, kXswMin, kXswMax)) return fail(IDC_OPT_XSW, "小数位数", kXswMin, kXswMax);
  if (!inRange(cols, kColsMin, kColsMax)) return fail(IDC_OPT_COLS, "显示列数", kColsMin, kColsMax);
  if (!inRange(width, kWidthMin, kWidthMax)) return fail(IDC_OPT_WIDTH, "输出显示宽度", kWidthMin, kWidthMax);
  if (!inRange(height, kHeightMin, kHeightMax)) return fail(IDC_OPT_HEIGHT, "输出显示高度", kHeightMin, kHeightMax);
  values.xsw = static_cast<int>(xsw.value);
  values.cols = static_cast<int>(cols.value);
  values.width = static_cast<int>(width.value);
  values.height = static_cast<int>(height.value);
  long long start = scoreinit.value;
  if (!scoreinit.fits) start = start < 0 ? INT_MIN : INT_MAX;
  values.scoreinit = static_cast<int>(start);
  return OptionsCheck{true, 0, std::string()};
}
