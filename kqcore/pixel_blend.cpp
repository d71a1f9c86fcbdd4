#include "kqcore/pixel_blend.h"

#include <algorithm>
#include <cstring>

namespace {

inline std::uint32_t over(std::uint32_t s, std::uint32_t d) {
  const std::uint32_t a = s >> 24;
  if (a == 255) return s;
  if (a == 0) return d;
  const std::uint32_t inv = 255 - a;
  // Two channels at a time: (d * inv + 127) / 255 per byte, then add the source.
  std::uint32_t rb = (d & 0x00FF00FFu) * inv + 0x007F007Fu;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t ag = ((d >> 8) & 0x00FF00FFu) * inv + 0x007F007Fu;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return s + (rb | ag);
}

}  // namespace

void blendOver(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelImage& src, int x, int y) {
  blendOver(dst, dstWidth, dstHeight, dstStride, src, x, y, PixelRect{0, 0, dstWidth, dstHeight});
}

void blendOver(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelImage& src, int x, int y,
               const PixelRect& clip) {
  const int left = std::max({0, x, clip.left});
  const int top = std::max({0, y, clip.top});
  const int right = std::min({dstWidth, x + src.width, clip.right});
  const int bottom = std::min({dstHeight, y + src.height, clip.bottom});
  if (left >= right || top >= bottom) return;
  const int count = right - left;
  for (int row = top; row < bottom; ++row) {
    std::uint32_t* d = dst + static_cast<std::size_t>(row) * dstStride + left;
    const std::uint32_t* s = src.pixels.data() + static_cast<std::size_t>(row - y) * src.width + (left - x);
    if (src.opaque) {
      std::memcpy(d, s, sizeof(std::uint32_t) * static_cast<std::size_t>(count));
    } else {
      for (int i = 0; i < count; ++i) d[i] = over(s[i], d[i]);
    }
  }
}

void liftTransparent(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelRect& rect) {
  const PixelRect r = intersect(rect, PixelRect{0, 0, dstWidth, dstHeight});
  for (int row = r.top; row < r.bottom; ++row) {
    std::uint32_t* d = dst + static_cast<std::size_t>(row) * dstStride;
    for (int x = r.left; x < r.right; ++x)
      if (d[x] == 0) d[x] = kFaintestPixel;
  }
}

bool allOpaque(const std::vector<std::uint32_t>& pixels) {
  for (std::uint32_t p : pixels)
    if ((p >> 24) != 255) return false;
  return true;
}

bool allOpaque(const std::uint32_t* pixels, int width, int height, int stride, const PixelRect& rect) {
  const PixelRect r = intersect(rect, PixelRect{0, 0, width, height});
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
    for (int x = r.left; x < r.right; ++x)
      if ((row[x] >> 24) != 255) return false;
  }
  return true;
}
