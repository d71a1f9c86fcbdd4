#include "controls/colour_palette.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::uint32_t rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r | (g << 8) | (b << 16)); }
const PaletteEntry& at(int row, int column) { return paletteTable[row * 8 + column]; }
}  // namespace

TEST(PaletteTable, EntriesOfEveryKind) {
  EXPECT_STREQ(at(0, 0).name, "Light Maroon");
  EXPECT_EQ(at(0, 0).colour, rgb(128, 0, 64));
  EXPECT_STREQ(at(1, 4).name, "Gold");
  EXPECT_EQ(at(1, 4).colour, rgb(255, 215, 0));
  EXPECT_STREQ(at(3, 4).name, "Aquamarine");
  EXPECT_EQ(at(3, 4).colour, rgb(127, 255, 212));
  EXPECT_STREQ(at(5, 0).name, "Cornflower Blue");
  EXPECT_EQ(at(5, 0).colour, rgb(100, 149, 237));
  EXPECT_STREQ(at(6, 2).name, "Gray 40%");
  EXPECT_STREQ(at(6, 7).name, "White");
  EXPECT_EQ(at(6, 7).colour, rgb(255, 255, 255));
  for (int i = 0; i < 56; ++i) EXPECT_EQ(paletteTable[i].sysColourIndex, -1) << i;
  EXPECT_STREQ(at(7, 0).name, "Window");
  EXPECT_EQ(at(7, 0).sysColourIndex, 5);
  EXPECT_STREQ(at(7, 7).name, "InactiveCaptionText");
  EXPECT_EQ(at(7, 7).sysColourIndex, 19);
  EXPECT_STREQ(at(8, 7).name, "Desktop");
  EXPECT_EQ(at(8, 7).sysColourIndex, 1);
  EXPECT_STREQ(at(9, 0).name, "1");
  EXPECT_STREQ(at(10, 7).name, "16");
  EXPECT_EQ(at(10, 7).colour, rgb(192, 192, 192));
  EXPECT_STREQ(at(11, 0).name, "Custom color 1");
  EXPECT_STREQ(at(12, 7).name, "Custom color 16");
}

TEST(PaletteGeometry, SizeRectanglesAndCells) {
  const PaletteGeometry g = paletteGeometry(2, 40, 12);
  EXPECT_EQ(g.box, 18);
  EXPECT_EQ(g.width, 148);
  EXPECT_EQ(g.height, 238);
  EXPECT_EQ(g.separator.top, 2 + 9 * 18);
  EXPECT_EQ(g.separator.bottom, 2 + 10 * 18);
  EXPECT_EQ(g.customEntry.top, 2 + 10 * 18);
  EXPECT_EQ(g.customEntry.bottom, 2 + 180 + 16);
  EXPECT_EQ(g.customEntry.right, 2 + 144);
  EXPECT_EQ(cellRect(g, 11, 3).left, 2 + 3 * 18);
  EXPECT_EQ(paletteGeometry(2, 200, 12).width, 204);  // a wide custom text widens the window
  EXPECT_EQ(paletteGeometry(6, 0, 0).box, 19);        // at least 2 * margin + 7
}

TEST(PaletteGeometry, CellsGrowWithTheDpi) {
  EXPECT_EQ(paletteGeometry(2, 40, 12, 120).box, 23);  // 125 %: 22.5 rounded
  const PaletteGeometry g = paletteGeometry(2, 40, 12, 144);
  EXPECT_EQ(g.box, 27);
  EXPECT_EQ(g.width, 27 * 8 + 4);
  EXPECT_EQ(g.height, 27 * 13 + 4);
  EXPECT_EQ(hitTest(g, 2 + 27 * 7 + 1, 2 + 27 * 12 + 1), (PaletteCell{12, 7}));
  EXPECT_EQ(paletteGeometry(2, 40, 12, 192).box, 36);
}

TEST(PaletteHitTest, CellsSeparatorCustomEntryAndOutside) {
  const PaletteGeometry g = paletteGeometry(2, 40, 12);
  // Positions are taken less the margin before they are looked up.
  EXPECT_EQ(hitTest(g, 2 + 5, 2 + 5), (PaletteCell{0, 0}));
  EXPECT_EQ(hitTest(g, 2 + 18 * 7 + 3, 2 + 18 * 6 + 3), (PaletteCell{6, 7}));
  EXPECT_EQ(hitTest(g, 2 + 18 * 3 + 3, 2 + 18 * 12 + 3), (PaletteCell{12, 3}));
  EXPECT_EQ(hitTest(g, 40, 2 + 9 * 18 + 5), (PaletteCell{9, 0}));    // the separator row
  EXPECT_EQ(hitTest(g, 40, 2 + 10 * 18 + 5), (PaletteCell{10, 0}));  // the custom entry
  EXPECT_EQ(hitTest(g, -1, 50), kNoCell);
  EXPECT_EQ(hitTest(g, 50, -3), kNoCell);
  EXPECT_EQ(hitTest(g, 2 + 18 * 8 + 1, 20), kNoCell);   // right of the last column
  EXPECT_EQ(hitTest(g, 20, 2 + 18 * 13 + 1), kNoCell);  // below the last row
}

TEST(PaletteKeys, EveryKeyAndTheCrossingOfRowsNineAndTen) {
  EXPECT_EQ(navigate({8, 3}, PaletteKey::Down), (PaletteCell{10, 3}));
  EXPECT_EQ(navigate({10, 3}, PaletteKey::Down), (PaletteCell{11, 3}));
  EXPECT_EQ(navigate({12, 3}, PaletteKey::Down), (PaletteCell{0, 3}));
  EXPECT_EQ(navigate({11, 3}, PaletteKey::Up), (PaletteCell{10, 3}));
  EXPECT_EQ(navigate({10, 3}, PaletteKey::Up), (PaletteCell{8, 3}));
  EXPECT_EQ(navigate({0, 3}, PaletteKey::Up), (PaletteCell{12, 3}));
  EXPECT_EQ(navigate({2, 7}, PaletteKey::Right), (PaletteCell{2, 0}));
  EXPECT_EQ(navigate({2, 3}, PaletteKey::Right), (PaletteCell{2, 4}));
  EXPECT_EQ(navigate({2, 0}, PaletteKey::Left), (PaletteCell{2, 7}));
  EXPECT_EQ(navigate({2, 3}, PaletteKey::Left), (PaletteCell{2, 2}));
  // No cell to start from: Down highlights nothing, Right (0, 0), Left (12, 7).
  EXPECT_FALSE(isCell(navigate(kNoCell, PaletteKey::Down)));
  EXPECT_EQ(navigate(kNoCell, PaletteKey::Right), (PaletteCell{0, 0}));
  EXPECT_EQ(navigate(kNoCell, PaletteKey::Left), (PaletteCell{12, 7}));
}

TEST(PaletteLookup, FirstMatchWins) {
  EXPECT_EQ(findColour(rgb(255, 255, 255)), (PaletteCell{6, 7}));
  paletteTable[88].colour = rgb(255, 255, 255);  // a white custom colour comes later
  EXPECT_EQ(findColour(rgb(255, 255, 255)), (PaletteCell{6, 7}));
  paletteTable[88].colour = 0xFFFFFFFFu;
  EXPECT_EQ(findColour(rgb(1, 2, 3)), kNoCell);
  EXPECT_EQ(findColour(rgb(192, 192, 192)), (PaletteCell{6, 3}));  // Silver before the placeholders
}
