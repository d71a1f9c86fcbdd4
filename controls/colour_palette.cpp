#include "controls/colour_palette.h"

namespace {
constexpr std::uint32_t rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}
constexpr std::uint32_t kPlaceholder = rgb(192, 192, 192);
constexpr std::uint32_t kCustomInitial = 0xFFFFFFFFu;
}  // namespace

PaletteEntry paletteTable[kPaletteEntries] = {
    {rgb(128, 0, 64), "Light Maroon", -1},
    {rgb(139, 0, 0), "Dark Red", -1},
    {rgb(255, 0, 0), "Red", -1},
    {rgb(255, 0, 128), "Deep Pink", -1},
    {rgb(255, 0, 255), "Magenta", -1},
    {rgb(255, 128, 192), "Pink", -1},
    {rgb(255, 128, 255), "Light Pink", -1},
    {rgb(255, 208, 232), "Very Light Pink", -1},
    {rgb(255, 140, 0), "Dark Orange", -1},
    {rgb(255, 165, 0), "Orange", -1},
    {rgb(255, 128, 128), "Light Salmon", -1},
    {rgb(255, 224, 160), "Light Orange", -1},
    {rgb(255, 215, 0), "Gold", -1},
    {rgb(255, 255, 0), "Yellow", -1},
    {rgb(255, 255, 128), "Desert Yellow", -1},
    {rgb(255, 255, 184), "Pale Yellow", -1},
    {rgb(0, 64, 0), "Dark Green", -1},
    {rgb(0, 64, 64), "Medium Green", -1},
    {rgb(0, 128, 0), "Green", -1},
    {rgb(0, 128, 64), "Dark Teal", -1},
    {rgb(128, 128, 0), "Olive", -1},
    {rgb(0, 128, 128), "Teal", -1},
    {rgb(64, 128, 128), "Turquoise", -1},
    {rgb(0, 255, 64), "Medium Spring Green", -1},
    {rgb(128, 255, 0), "Mint Green", -1},
    {rgb(0, 255, 0), "Lime", -1},
    {rgb(0, 255, 128), "Spring Green", -1},
    {rgb(152, 251, 152), "Pale Green", -1},
    {rgb(127, 255, 212), "Aquamarine", -1},
    {rgb(192, 220, 192), "Very Pale Green", -1},
    {rgb(64, 0, 64), "Deep Purple", -1},
    {rgb(128, 0, 128), "Purple", -1},
    {rgb(64, 0, 128), "Deep Violet", -1},
    {rgb(0, 0, 64), "Midnight Blue", -1},
    {rgb(0, 0, 160), "Dark Blue", -1},
    {rgb(0, 0, 128), "Navy", -1},
    {rgb(128, 0, 255), "Violet", -1},
    {rgb(0, 0, 255), "Blue", -1},
    {rgb(0, 64, 128), "Medium Blue", -1},
    {rgb(0, 128, 255), "Light Sky Blue", -1},
    {rgb(100, 149, 237), "Cornflower Blue", -1},
    {rgb(128, 128, 192), "Sky Blue", -1},
    {rgb(0, 128, 192), "Dark Cyan", -1},
    {rgb(128, 128, 255), "Medium Slate Blue", -1},
    {rgb(128, 255, 255), "Light Blue", -1},
    {rgb(0, 255, 255), "Cyan", -1},
    {rgb(176, 224, 230), "Powder Blue", -1},
    {rgb(224, 255, 255), "Light Cyan", -1},
    {rgb(0, 0, 0), "Black", -1},
    {rgb(128, 128, 128), "Gray", -1},
    {rgb(152, 152, 152), "Gray 40%", -1},
    {rgb(192, 192, 192), "Silver", -1},
    {rgb(211, 211, 211), "Light Gray", -1},
    {rgb(245, 245, 220), "Beige", -1},
    {rgb(255, 251, 240), "Floral White", -1},
    {rgb(255, 255, 255), "White", -1},
    {0, "Window", 5},
    {0, "WindowText", 8},
    {0, "InfoBk", 24},
    {0, "InfoText", 23},
    {0, "ActiveCaption", 2},
    {0, "CaptionText", 9},
    {0, "InactiveCaption", 3},
    {0, "InactiveCaptionText", 19},
    {0, "BtnFace", 15},
    {0, "BtnText", 18},
    {0, "BtnShadow", 16},
    {0, "BtnHighlight", 20},
    {0, "Highlight", 13},
    {0, "HighlightText", 14},
    {0, "3DLight", 22},
    {0, "Desktop", 1},
    {kPlaceholder, "1", -1},
    {kPlaceholder, "2", -1},
    {kPlaceholder, "3", -1},
    {kPlaceholder, "4", -1},
    {kPlaceholder, "5", -1},
    {kPlaceholder, "6", -1},
    {kPlaceholder, "7", -1},
    {kPlaceholder, "8", -1},
    {kPlaceholder, "9", -1},
    {kPlaceholder, "10", -1},
    {kPlaceholder, "11", -1},
    {kPlaceholder, "12", -1},
    {kPlaceholder, "13", -1},
    {kPlaceholder, "14", -1},
    {kPlaceholder, "15", -1},
    {kPlaceholder, "16", -1},
    {kCustomInitial, "Custom color 1", -1},
    {kCustomInitial, "Custom color 2", -1},
    {kCustomInitial, "Custom color 3", -1},
    {kCustomInitial, "Custom color 4", -1},
    {kCustomInitial, "Custom color 5", -1},
    {kCustomInitial, "Custom color 6", -1},
    {kCustomInitial, "Custom color 7", -1},
    {kCustomInitial, "Custom color 8", -1},
    {kCustomInitial, "Custom color 9", -1},
    {kCustomInitial, "Custom color 10", -1},
    {kCustomInitial, "Custom color 11", -1},
    {kCustomInitial, "Custom color 12", -1},
    {kCustomInitial, "Custom color 13", -1},
    {kCustomInitial, "Custom color 14", -1},
    {kCustomInitial, "Custom color 15", -1},
    {kCustomInitial, "Custom color 16", -1},
};

PaletteGeometry paletteGeometry(int margin, int textWidth, int textHeight, int dpi) {
  PaletteGeometry g{};
  g.margin = margin;
  g.box = (18 * dpi + 48) / 96;  // rounded
  if (g.box < 18) g.box = 18;
  if (g.box < 2 * margin + 7) g.box = 2 * margin + 7;
  const int textBoxWidth = textWidth + 2 * margin;
  const int textBoxHeight = textHeight + 2 * margin;
  const int rows = kPaletteEntries / kPaletteColumns + (kPaletteEntries % kPaletteColumns ? 1 : 0);
  g.width = g.box * kPaletteColumns + 2 * margin;
  g.height = g.box * rows + 2 * margin;
  if (textBoxWidth > g.width) g.width = textBoxWidth;
  const int d = g.width - 2 * margin;
  g.customEntry = PaletteRect{margin, margin + 10 * g.box, margin + d, margin + 10 * g.box + textBoxHeight};
  g.separator = PaletteRect{margin, margin + 9 * g.box, margin + d, margin + 10 * g.box};
  return g;
}

PaletteRect cellRect(const PaletteGeometry& g, int row, int column) {
  const int left = g.margin + column * g.box;
  const int top = g.margin + row * g.box;
  return PaletteRect{left, top, left + g.box, top + g.box};
}

PaletteCell findColour(std::uint32_t colour) {
  for (int i = 0; i < kPaletteEntries; ++i)
    if (paletteTable[i].colour == colour) return PaletteCell{i / kPaletteColumns, i % kPaletteColumns};
  return kNoCell;
}

PaletteCell hitTest(const PaletteGeometry& g, int x, int y) {
  if (x < 0 || y < 0) return kNoCell;
  const int px = x - g.margin;
  const int py = y - g.margin;
  if (g.customEntry.contains(px, py)) return PaletteCell{kCustomEntryRow, 0};
  if (g.separator.contains(px, py)) return PaletteCell{kSeparatorRow, 0};
  const int row = py / g.box;
  const int column = px / g.box;
  if (row < 0 || row >= kPaletteRows || row == kSeparatorRow || column < 0 || column >= kPaletteColumns) return kNoCell;
  return PaletteCell{row, column};
}

PaletteCell navigate(PaletteCell from, PaletteKey key) {
  int r = from.row;
  int c = from.column;
  switch (key) {
    case PaletteKey::Down:
      ++r;
      if (r == kSeparatorRow) r = kCustomEntryRow;
      if (r >= kPaletteRows) r = 0;
      return PaletteCell{r, c};
    case PaletteKey::Up:
      --r;
      if (r < 0) r = kPaletteRows - 1;
      if (r == kSeparatorRow) r = kSeparatorRow - 1;
      return PaletteCell{r, c};
    case PaletteKey::Right:
      if (c < 0) return PaletteCell{0, 0};
      if (c >= kPaletteColumns - 1) return PaletteCell{r, 0};
      return PaletteCell{r, c + 1};
    case PaletteKey::Left:
      if (c < 0) return PaletteCell{kPaletteRows - 1, kPaletteColumns - 1};
      if (c == 0) return PaletteCell{r, kPaletteColumns - 1};
      return PaletteCell{r, c - 1};
  }
  return from;
}
