#include "kqcore/pixel_blend.h"

#include <gtest/gtest.h>

namespace {
PixelImage image(int w, int h, std::uint32_t p) {
  PixelImage img;
  img.width = w;
  img.height = h;
  img.pixels.assign(static_cast<std::size_t>(w * h), p);
  img.opaque = allOpaque(img.pixels);
  return img;
}
}  // namespace

TEST(PixelBlend, SourceOverPremultipliedAndClipped) {
  std::vector<std::uint32_t> dst(4 * 3, 0xFF0000FFu);              // opaque blue
  blendOver(dst.data(), 4, 3, 4, image(2, 2, 0x80800000u), 3, 2);  // half-covering red, hanging off
  EXPECT_EQ(dst[2 * 4 + 3], 0xFF80007Fu);                          // red 0x80 + blue 0xFF * 127/255
  EXPECT_EQ(dst[2 * 4 + 2], 0xFF0000FFu);
  EXPECT_EQ(dst[1 * 4 + 3], 0xFF0000FFu);

  std::vector<std::uint32_t> clear(4, 0u);
  blendOver(clear.data(), 2, 2, 2, image(1, 1, 0x40102030u), 0, 0);
  EXPECT_EQ(clear[0], 0x40102030u);                                    // over transparent: the source itself
  blendOver(clear.data(), 2, 2, 2, image(3, 3, 0xFFABCDEFu), -1, -1);  // opaque: copied
  EXPECT_EQ(clear[0], 0xFFABCDEFu);
  EXPECT_EQ(clear[3], 0xFFABCDEFu);
  blendOver(clear.data(), 2, 2, 2, image(1, 1, 0x00000000u), 5, 5);  // wholly outside
  blendOver(clear.data(), 2, 2, 2, image(1, 1, 0x00000000u), 0, 0);  // fully transparent
  EXPECT_EQ(clear[0], 0xFFABCDEFu);
}

TEST(PixelBlend, ClippedBlendChangesOnlyTheClipAndMatchesTheWholeBlendThere) {
  std::vector<std::uint32_t> whole(6 * 5, 0xFF102030u), part(whole);
  const PixelImage src = image(4, 4, 0x80406080u);
  blendOver(whole.data(), 6, 5, 6, src, 1, 1);
  blendOver(part.data(), 6, 5, 6, src, 1, 1, PixelRect{2, 0, 4, 3});
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 2 && x < 4 && y < 3;
      EXPECT_EQ(part[y * 6 + x], inside ? whole[y * 6 + x] : 0xFF102030u) << x << "," << y;
    }
  std::vector<std::uint32_t> untouched(whole);
  blendOver(untouched.data(), 6, 5, 6, src, 1, 1, PixelRect{0, 0, 0, 0});  // empty clip
  EXPECT_EQ(untouched, whole);
}

TEST(PixelBlend, LiftGivesOnlyFullyTransparentPixelsInsideTheRectTheFaintestAlpha) {
  std::vector<std::uint32_t> px = {0u, 0x00000001u, 0x80402010u, 0u, 0u, 0u};  // 3 x 2
  liftTransparent(px.data(), 3, 2, 3, PixelRect{0, 0, 2, 5});                  // clipped to the surface
  EXPECT_EQ(px,
            (std::vector<std::uint32_t>{kFaintestPixel, 0x00000001u, 0x80402010u, kFaintestPixel, kFaintestPixel, 0u}));
}

TEST(PixelBlend, OpaqueWithinLooksOnlyInsideTheClippedRectAndAtAlphaAlone) {
  // 3 x 2 in a stride of 4: the fourth value of each row lies outside the image.
  const std::vector<std::uint32_t> px = {0xFF000000u, 0xFFFFFFFFu, 0xFE0A0B0Cu, 0u,
                                         0xFF102030u, 0xFF000000u, 0xFF000000u, 0u};
  EXPECT_TRUE(allOpaque(px.data(), 3, 2, 4, PixelRect{0, 0, 2, 9}));   // black at alpha 255 is opaque
  EXPECT_FALSE(allOpaque(px.data(), 3, 2, 4, PixelRect{0, 0, 3, 1}));  // alpha 254 is not
  EXPECT_TRUE(allOpaque(px.data(), 3, 2, 4, PixelRect{-5, 1, 9, 9}));  // never reads past a row
}
