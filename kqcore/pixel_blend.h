// Compositing premultiplied 32-bit pixels (0xAARRGGBB in memory as B, G, R, A): the source
// laid over the destination (source-over), clipped to the destination.
#pragma once
#include <cstdint>
#include <vector>

#include "kqcore/pixel_rect.h"

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, rows top-down
  bool opaque = false;                // every alpha is 255: rows are copied
};

// Lays src with its top-left corner at (x, y) over the destination rows.
void blendOver(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelImage& src, int x, int y);
// The same, changing only the destination pixels inside clip: a part of a frame redrawn this
// way is identical to that part of the frame drawn whole.
void blendOver(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelImage& src, int x, int y,
               const PixelRect& clip);

// The faintest pixel there is: black at alpha 1 of 255, invisible on any screen.
const std::uint32_t kFaintestPixel = 0x01000000u;

// Gives every fully transparent pixel inside rect (clipped to the destination) the faintest
// alpha instead.  A layered window whose transparent pixels lie scattered between drawn ones
// (antialiased text over nothing) has a window shape of as many pieces on some systems, and
// too many of them make the push fail; lifting the drawn rectangles keeps the shape to them.
void liftTransparent(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelRect& rect);

// True when every pixel has alpha 255.
bool allOpaque(const std::vector<std::uint32_t>& pixels);
// True when every pixel inside rect (clipped to the image) has alpha 255.
bool allOpaque(const std::uint32_t* pixels, int width, int height, int stride, const PixelRect& rect);
