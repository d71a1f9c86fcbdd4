// Compositing premultiplied 32-bit pixels (0xAARRGGBB in memory as B, G, R, A): the source
// laid over the destination (source-over), clipped to the destination.
#pragma once
#include <cstdint>
#include <vector>

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, rows top-down
  bool opaque = false;                // every alpha is 255: rows are copied
};

// Lays src with its top-left corner at (x, y) over the destination rows.
void blendOver(std::uint32_t* dst, int dstWidth, int dstHeight, int dstStride, const PixelImage& src, int x, int y);

// True when every pixel has alpha 255.
bool allOpaque(const std::vector<std::uint32_t>& pixels);
