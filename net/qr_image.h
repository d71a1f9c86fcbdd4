// A QR code as a square of modules, for drawing: the address a phone scans.
#pragma once
#include <string>
#include <vector>

struct QrImage {
  int size = 0;            // modules a side (0: the text does not fit)
  std::vector<bool> dark;  // size * size, row by row
  bool at(int x, int y) const { return dark[static_cast<std::size_t>(y * size + x)]; }
};

// Medium error correction: readable from a projected or printed copy with a smudge.
QrImage qrImage(const std::string& text);
