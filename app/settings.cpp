#include "app/settings.h"

#include "kqcore/gbk.h"

namespace app {
namespace {
int clamp(int value, int lo, int hi) { return value < lo ? lo : (value > hi ? hi : value); }
}  // namespace

std::string withAsciiCommas(const std::string& steps) { return gbk::replaceAll(steps, "，", ","); }

void clampSettings() {
  xsw = clamp(xsw, kXswMin, kXswMax);
  cols = clamp(cols, kColsMin, kColsMax);
  width = clamp(width, kWidthMin, kWidthMax);
  height = clamp(height, kHeightMin, kHeightMax);
}

}  // namespace app
