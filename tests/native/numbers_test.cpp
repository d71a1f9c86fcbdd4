#include "kqcore/numbers.h"

#include <gtest/gtest.h>

#include "kqcore/colour.h"

TEST(Numbers, FloatTextDecimalsAndRounding) {
  EXPECT_EQ(numbers::floatText(10.0f, 0), "10");
  EXPECT_EQ(numbers::floatText(10.0f, 1), "10.0");
  EXPECT_EQ(numbers::floatText(12.5f, 2), "12.50");
  EXPECT_EQ(numbers::floatText(2.25f, 1), "2.3");  // halves go away from zero
  EXPECT_EQ(numbers::floatText(12.5f, 0), "13");
  EXPECT_EQ(numbers::floatText(-12.5f, 0), "-13");
  EXPECT_EQ(numbers::floatText(2.675f, 2), "2.68");  // as typed, though the float is 2.67499995
  EXPECT_EQ(numbers::floatText(9.96f, 1), "10.0");   // carry into a new digit
  EXPECT_EQ(numbers::floatText(99.5f, 0), "100");
  EXPECT_EQ(numbers::floatText(-3.0f, 1), "-3.0");
  EXPECT_EQ(numbers::floatText(0.1f, 2), "0.10");
  EXPECT_EQ(numbers::floatText(1e30f, 0), "1000000015047466219876688855040");
  EXPECT_EQ(numbers::floatText(1e-40f, 2), "0.00");  // a denormal
}

TEST(Numbers, NoMinusSignOnAValueShownAsZero) {
  EXPECT_EQ(numbers::floatText(-0.0f, 1), "0.0");
  EXPECT_EQ(numbers::floatText(-0.04f, 1), "0.0");
  EXPECT_EQ(numbers::floatText(-0.4f, 0), "0");
  EXPECT_EQ(numbers::floatText(-0.004f, 2), "0.00");
  EXPECT_EQ(numbers::floatText(-0.05f, 1), "-0.1");
}

TEST(Numbers, IntTextAndPageCount) {
  EXPECT_EQ(numbers::intText(0), "0");
  EXPECT_EQ(numbers::intText(-12), "-12");
  EXPECT_EQ(numbers::intText(2147483647), "2147483647");
  EXPECT_EQ(numbers::pageCount(7, 3), 3);
  EXPECT_EQ(numbers::pageCount(6, 3), 2);
  EXPECT_EQ(numbers::pageCount(1, 10), 1);
  EXPECT_EQ(numbers::pageCount(50, 1), 50);
  EXPECT_EQ(numbers::pageCount(0, 4), 0);
  EXPECT_EQ(numbers::pageCount(5, 0), 5);  // a broken divisor never divides by zero
}

TEST(Colour, ArgbAndColorRefAreInverse) {
  EXPECT_EQ(colour::toColorRef(0xFF112233u), 0x00332211u);
  EXPECT_EQ(colour::fromColorRef(0x00332211u), 0xFF112233u);
  EXPECT_EQ(colour::fromColorRef(colour::toColorRef(0x80ABCDEFu)), 0xFFABCDEFu);  // opaque
}

#include "console/placement.h"

TEST(Placement, FirstShowingAtSeventyAndTenPercent) {
  EXPECT_EQ(firstPlacement(1920, 1080).x, 1343);
  EXPECT_EQ(firstPlacement(1920, 1080).y, 108);
  EXPECT_EQ(firstPlacement(1000, 600).x, 699);
}
