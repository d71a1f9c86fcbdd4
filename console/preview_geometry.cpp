#include "console/preview_geometry.h"

#include <algorithm>

PixelRect fitKeepingAspect(int frameWidth, int frameHeight, int boxWidth, int boxHeight) {
  if (frameWidth <= 0 || frameHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return PixelRect{0, 0, 0, 0};
  // Compare the ratios in 64 bits: frame sizes times box sizes can pass 2^31.
  const long long wide = static_cast<long long>(boxWidth) * frameHeight;
  const long long tall = static_cast<long long>(boxHeight) * frameWidth;
  int w = boxWidth;
  int h = boxHeight;
  if (wide > tall)
    w = static_cast<int>(tall / frameHeight);  // the box is wider than the frame: full height
  else
    h = static_cast<int>(wide / frameWidth);
  w = std::max(w, 1);
  h = std::max(h, 1);
  const int left = (boxWidth - w) / 2;
  const int top = (boxHeight - h) / 2;
  return PixelRect{left, top, left + w, top + h};
}

PixelRect besideConsole(const PixelRect& console, const PixelRect& workArea, int width, int height) {
  int left;
  if (console.right + width <= workArea.right)
    left = console.right;
  else if (console.left - width >= workArea.left)
    left = console.left - width;
  else
    left = workArea.right - width;
  left = std::max(left, workArea.left);
  int top = std::min(console.top, workArea.bottom - height);
  top = std::max(top, workArea.top);
  return PixelRect{left, top, left + width, top + height};
}
