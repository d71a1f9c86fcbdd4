// The colour palette of the colour picker popup: 104 entries on a grid of 8 columns and 13
// rows (56 named colours, 16 system colours, a separator row, the custom entry row, 16
// custom colours), its geometry, hit testing and keyboard navigation.
#pragma once
#include <cstdint>

constexpr int kPaletteEntries = 104;
constexpr int kPaletteColumns = 8;
constexpr int kPaletteRows = 13;
constexpr int kSeparatorRow = 9;
constexpr int kCustomEntryRow = 10;
constexpr int kFirstCustomColour = 88;
constexpr int kCustomColours = 16;

struct PaletteEntry {
  std::uint32_t colour;  // COLORREF
  const char* name;      // the cell's tooltip
  int sysColourIndex;    // GetSysColor index that replaces the colour, or -1
};

// The one table shared by every popup: system colours and the custom rows are rewritten in it.
extern PaletteEntry paletteTable[kPaletteEntries];

struct PaletteCell {
  int row;
  int column;
  bool operator==(const PaletteCell& o) const { return row == o.row && column == o.column; }
  bool operator!=(const PaletteCell& o) const { return !(*this == o); }
};
constexpr PaletteCell kNoCell = {-1, -1};

struct PaletteRect {
  int left, top, right, bottom;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct PaletteGeometry {
  int box;
  int margin;
  int width;  // window size
  int height;
  PaletteRect customEntry;  // client coordinates
  PaletteRect separator;
};

// Box 18 at 96 DPI, grown in proportion at higher DPIs so the cells stay as large to the eye
// (at least 2 * margin + 7); the window grows to the custom entry text when wider.
PaletteGeometry paletteGeometry(int margin, int textWidth, int textHeight, int dpi = 96);

PaletteRect cellRect(const PaletteGeometry& g, int row, int column);

// The first entry, in table order, holding colour; kNoCell when none does.
PaletteCell findColour(std::uint32_t colour);

// The cell a mouse move at client (x, y) targets.
PaletteCell hitTest(const PaletteGeometry& g, int x, int y);

enum class PaletteKey { Down, Up, Right, Left };
// The cell an arrow key moves to from `from` (the hot cell, else the chosen cell).
PaletteCell navigate(PaletteCell from, PaletteKey key);

// True when a highlight may go to the cell (not (-1, ...) or (..., -1)).
inline bool isCell(PaletteCell c) { return c.row != -1 && c.column != -1; }
