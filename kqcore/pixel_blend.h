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

// True when every pixel has alpha 255.
bool allOpaque(const std::vector<std::uint32_t>& pixels);
