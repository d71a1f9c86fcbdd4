// A rectangle of pixels, right and bottom exclusive, as the frame code clips and unites them.
#pragma once
#include <algorithm>

struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;

  bool empty() const { return left >= right || top >= bottom; }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect unite(const PixelRect& a, const PixelRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return PixelRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}

// The pixels in both; empty (all zero) when they do not meet.
inline PixelRect intersect(const PixelRect& a, const PixelRect& b) {
  const PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
  return r.empty() ? PixelRect{0, 0, 0, 0} : r;
}
