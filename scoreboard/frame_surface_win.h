// A frame's off-screen surface: a memory DC holding a 32-bit top-down premultiplied-alpha
// DIB section, zero (fully transparent) when created.  The output window keeps one between
// changes.  Everything is freed when the surface goes, in the order DC selection, bitmap, DC.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/gdi_win.h"
#include "kqcore/pixel_rect.h"

class FrameSurface {
 public:
  FrameSurface(HDC reference, int width, int height);
  FrameSurface(const FrameSurface&) = delete;
  FrameSurface& operator=(const FrameSurface&) = delete;

  bool ok() const { return bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Premultiplied 0xAARRGGBB of a pixel; 0 outside the surface.
  std::uint32_t pixel(int x, int y) const;
  // Row y of the pixels (top-down, width() of them); null when the surface failed.
  const std::uint32_t* row(int y) const;
  // Makes the pixels of rect (clipped to the surface) transparent again.
  void clear(const PixelRect& rect);
  // Gives the fully transparent pixels of rect the faintest alpha (see liftTransparent).
  void lift(const PixelRect& rect);
  // True when every pixel of rect (clipped to the surface) is opaque.
  bool opaque(const PixelRect& rect) const;
  // Every pixel set to one premultiplied colour.
  void fill(std::uint32_t colour);
  // The pixel rows, top row first, width() values each; null when the surface failed.
  const std::uint32_t* bits() const;

 private:
  int width_;
  int height_;
  void* bits_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  SelectedObject selection_;
};
