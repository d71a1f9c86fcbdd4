#include "scoreboard/frame_surface_win.h"

#include <algorithm>
#include <cstring>

#include "kqcore/pixel_blend.h"

namespace {

HBITMAP createDib(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  if (width <= 0 || height <= 0) return nullptr;
  return ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

FrameSurface::FrameSurface(HDC reference, int width, int height)
    : width_(width),
      height_(height),
      bits_(nullptr),
      dc_(reference),
      bitmap_(createDib(dc_.get(), width, height, &bits_)),
      selection_(dc_.get(), bitmap_.get()) {
  if (!bitmap_.get()) bits_ = nullptr;
}

std::uint32_t FrameSurface::pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  ::GdiFlush();
  return static_cast<const std::uint32_t*>(bits_)[static_cast<std::size_t>(y) * width_ + x];
}

const std::uint32_t* FrameSurface::row(int y) const {
  if (!bits_ || y < 0 || y >= height_) return nullptr;
  ::GdiFlush();
  return static_cast<const std::uint32_t*>(bits_) + static_cast<std::size_t>(y) * width_;
}

void FrameSurface::clear(const PixelRect& rect) {
  const PixelRect r = intersect(rect, PixelRect{0, 0, width_, height_});
  if (!bits_ || r.empty()) return;
  ::GdiFlush();
  auto* bits = static_cast<std::uint32_t*>(bits_);
  for (int y = r.top; y < r.bottom; ++y)
    std::memset(bits + static_cast<std::size_t>(y) * width_ + r.left, 0, sizeof(std::uint32_t) * r.width());
}

void FrameSurface::lift(const PixelRect& rect) {
  if (!bits_) return;
  ::GdiFlush();
  liftTransparent(static_cast<std::uint32_t*>(bits_), width_, height_, width_, rect);
}

bool FrameSurface::opaque(const PixelRect& rect) const {
  if (!bits_) return false;
  ::GdiFlush();
  return allOpaque(static_cast<const std::uint32_t*>(bits_), width_, height_, width_, rect);
}

void FrameSurface::fill(std::uint32_t colour) {
  if (!bits_) return;
  ::GdiFlush();
  std::uint32_t* p = static_cast<std::uint32_t*>(bits_);
  std::fill(p, p + static_cast<std::size_t>(width_) * height_, colour);
}

const std::uint32_t* FrameSurface::bits() const {
  if (!bits_) return nullptr;
  ::GdiFlush();
  return static_cast<const std::uint32_t*>(bits_);
}
