// The frame decoration (background, logo, event title) and the board layout it computes:
// the area and text size the scoring board and the ranking screens lay their entries in.
// Factors are single-precision values of the decimals written; each product is formed in
// double precision and truncated toward zero.
#pragma once
#include <string>

#include "scoreboard/text_runs.h"

struct BoardLayout {
  int contentTop;
  int contentLeft;
  int contentWidth;
  int contentHeight;
  int scoreOffset;
  int rankLabelWidth;
  int entryFontSize;
};

struct DecorationInput {
  int width;   // frame width (the setting)
  int height;  // frame height
  std::string backgroundPath;
  bool backgroundExists;
  std::uint64_t backgroundVersion = 0;
  std::string logoPath;
  bool logoExists;
  std::uint64_t logoVersion = 0;
  int logoWidth;  // used only when the logo exists
  int logoHeight;
  std::string title;
  std::uint32_t titleColour;
  int contestantCount;
  int cols;
};

// trunc(value * factor) with factor the float nearest the decimal written.
int scaled(int value, float factor);

// The entry text size: the first of 100, 98, ..., 12 at which the fixed sample label fits
// half a column and rows of it fit the height; 10 when none does.
int fitEntryFontSize(int contentWidth, int contentHeight, int contestantCount, int cols, const MeasureText& measure);

// The size the decoration's layout assumes when there is no logo picture.
constexpr int kDefaultLogoWidth = 160;
constexpr int kDefaultLogoHeight = 120;

// The layout a frame with a logo logoHeight high and a fitting title computes.
BoardLayout computeBoardLayout(int width, int height, int logoHeight, int contestantCount, int cols,
                               const MeasureText& measure);

// Adds the decoration's pictures and title to runs.  When the title fits, layout is
// recomputed and true is returned; otherwise layout is left as it was.
bool composeDecoration(const DecorationInput& in, const MeasureText& measure, BoardLayout& layout, FrameRuns& runs);

// The sample texts the layout is measured on.
extern const char kEntrySample[];
extern const char kRankLabelSample[];
