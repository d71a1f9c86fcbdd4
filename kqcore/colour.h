// Colour values: ARGB (0xAARRGGBB, the GDI+ colour) and COLORREF (0x00BBGGRR).
#pragma once
#include <cstdint>

namespace colour {

using Argb = std::uint32_t;
using ColorRef = std::uint32_t;

constexpr Argb kOpaqueBlack = 0xFF000000u;

// Alpha is dropped: a COLORREF has none.
constexpr ColorRef toColorRef(Argb argb) { return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16); }

// A colour taken from a COLORREF is always opaque.
constexpr Argb fromColorRef(ColorRef ref) {
  return 0xFF000000u | ((ref & 0xFFu) << 16) | (ref & 0xFF00u) | ((ref >> 16) & 0xFFu);
}

}  // namespace colour
