// Where the core component's drawn text lands.  A text is rendered once into an image a little
// larger than its measured bounds (antialiasing may reach a pixel past them, bold runs wider)
// and laid over the frame with the image's corner kTextPad above and left of the origin.  The
// frame's dirty rectangles are computed from the same numbers, so they cover every pixel a
// text can change.
#pragma once
#include "kqcore/pixel_rect.h"

const int kTextPad = 2;

inline int textImageWidth(int boundsWidth, int size) { return boundsWidth + 2 * kTextPad + size / 4; }
inline int textImageHeight(int boundsHeight) { return boundsHeight + 2 * kTextPad; }

// The pixels a text with these bounds, drawn at origin (x, y) and size, covers; empty when
// nothing is drawn (an empty text, or bounds without area).  size is at least 1.
inline PixelRect textImageRect(int x, int y, int size, bool emptyText, int boundsWidth, int boundsHeight) {
  if (emptyText || boundsWidth <= 0 || boundsHeight <= 0) return PixelRect{0, 0, 0, 0};
  const int left = x - kTextPad;
  const int top = y - kTextPad;
  return PixelRect{left, top, left + textImageWidth(boundsWidth, size), top + textImageHeight(boundsHeight)};
}
