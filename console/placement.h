// Where the output window goes on its first showing in a run: 70 % across and 10 % down
// the primary screen (single-precision factors, products truncated toward zero).
#pragma once

struct ScreenPoint {
  int x, y;
};

inline ScreenPoint firstPlacement(int screenWidth, int screenHeight) {
  const double across = static_cast<double>(0.7f);
  const double down = static_cast<double>(0.1f);
  return ScreenPoint{static_cast<int>(screenWidth * across), static_cast<int>(screenHeight * down)};
}
