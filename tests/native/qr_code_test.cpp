// The QR Code generator as built here: the address a phone would scan to reach the scoreboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <qrcodegen.hpp>
#include <string>
#include <vector>

using qrcodegen::QrCode;

namespace {

const char kBoardUrl[] = "http://127.0.0.1:8080/board";

QrCode encodeBoardUrl() { return QrCode::encodeText(kBoardUrl, QrCode::Ecc::LOW); }

// The symbol row by row, '#' dark.  A decoder (zbarimg) read these modules back as kBoardUrl
// when they were taken down; any other correct encoder makes the same ones, mask included.
// clang-format off
const std::vector<std::string> kBoardSymbol = {
    "#######.#..##...#.#######",
    "#.....#..##..##...#.....#",
    "#.###.#...#.##..#.#.###.#",
    "#.###.#.....####..#.###.#",
    "#.###.#..#.#......#.###.#",
    "#.....#...#.#.....#.....#",
    "#######.#.#.#.#.#.#######",
    "........#.##.##..........",
    "##.##.#..####..#..#.....#",
    "...#...#.#..##.###..####.",
    ".####.###.###.##..#..#..#",
    "##.###.#####...#.....####",
    "#.##.##..#.##.#.###.....#",
    "#.##.#..#..#.#.#...##..#.",
    "##.#.##.##..##.###...####",
    "#..###.######.#.#...#.#.#",
    "#.#..###..##.########.##.",
    "........##...#.##...#..#.",
    "#######..#.#....#.#.##..#",
    "#.....#..##.##..#...#..#.",
    "#.###.#.##..#.########...",
    "#.###.#.##.#..#...##.#.##",
    "#.###.#...##.##.#...#.###",
    "#.....#.##.......####.###",
    "#######.###.#..####..#..#",
};
// clang-format on

// The finder pattern whose top-left module is (left, top): a dark ring, a light ring, a dark
// 3x3 core, and the light separator around it (where it lies inside the symbol).
void expectFinderAt(const QrCode& qr, int left, int top) {
  for (int dy = -1; dy <= 7; dy++) {
    for (int dx = -1; dx <= 7; dx++) {
      const int x = left + dx, y = top + dy;
      if (x < 0 || y < 0 || x >= qr.getSize() || y >= qr.getSize()) continue;
      const int ring = std::max(std::abs(dx - 3), std::abs(dy - 3));
      const bool dark = ring == 3 || ring <= 1;
      EXPECT_EQ(qr.getModule(x, y), dark)
          << "finder at (" << left << "," << top << "), module (" << x << "," << y << ")";
    }
  }
}

}  // namespace

TEST(QrCode, BoardAddressIsASmallSymbolWithItsFixedPatterns) {
  const QrCode qr = encodeBoardUrl();
  // 27 bytes in byte mode: version 2 (25 x 25) at level L; level M would need version 3.
  EXPECT_EQ(qr.getVersion(), 2);
  ASSERT_EQ(qr.getSize(), 25);
  EXPECT_EQ(qr.getErrorCorrectionLevel(), QrCode::Ecc::LOW);

  expectFinderAt(qr, 0, 0);
  expectFinderAt(qr, qr.getSize() - 7, 0);
  expectFinderAt(qr, 0, qr.getSize() - 7);
  // Version 2's one alignment pattern, centred on (18, 18): dark centre and outer ring.
  for (int dy = -2; dy <= 2; dy++) {
    for (int dx = -2; dx <= 2; dx++) {
      EXPECT_EQ(qr.getModule(18 + dx, 18 + dy), std::max(std::abs(dx), std::abs(dy)) != 1) << dx << "," << dy;
    }
  }
  // The timing patterns between the finders alternate, dark on even positions.
  for (int i = 8; i < qr.getSize() - 8; i++) {
    EXPECT_EQ(qr.getModule(i, 6), i % 2 == 0) << "row 6, column " << i;
    EXPECT_EQ(qr.getModule(6, i), i % 2 == 0) << "column 6, row " << i;
  }
  EXPECT_TRUE(qr.getModule(8, qr.getSize() - 8));  // the dark module beside the lower finder
}

TEST(QrCode, BoardAddressGivesTheDecodedModules) {
  const QrCode qr = encodeBoardUrl();
  ASSERT_EQ(qr.getSize(), static_cast<int>(kBoardSymbol.size()));
  EXPECT_EQ(qr.getMask(), 6);
  for (int y = 0; y < qr.getSize(); y++) {
    std::string row;
    for (int x = 0; x < qr.getSize(); x++) row += qr.getModule(x, y) ? '#' : '.';
    EXPECT_EQ(row, kBoardSymbol[y]) << "row " << y;
  }
}
