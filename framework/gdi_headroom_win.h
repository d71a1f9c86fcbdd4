// How many more GDI objects this process could create: small bitmaps are made until the
// system refuses one, then all are freed again.  A leak of GDI handles shows as a headroom
// that shrinks between two counts.  (GetGuiResources proves nothing under Wine: it returns 0.)
#pragma once
#include <windows.h>

#include <vector>

inline int gdiHeadroom() {
  std::vector<HBITMAP> made;
  made.reserve(70000);
  for (;;) {
    HBITMAP b = ::CreateBitmap(1, 1, 1, 1, nullptr);
    if (!b) break;
    made.push_back(b);
    if (made.size() >= 200000) break;
  }
  for (HBITMAP b : made) ::DeleteObject(b);
  return static_cast<int>(made.size());
}
