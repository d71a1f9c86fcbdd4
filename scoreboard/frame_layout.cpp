#include "scoreboard/frame_layout.h"

#include "kqcore/numbers.h"

const char kBoardFont[] = "黑体";
const char kEntrySample[] = "甲乙丙（露采车间）";
const char kRankLabelSample[] = "第13名：";

namespace {

struct Margins {
  int x;
  int y;
};

Margins marginsFor(int width, int height) { return Margins{scaled(width, 0.03f), scaled(height, 0.03f)}; }

int titleXFor(int logoWidth, int marginX) {
  return static_cast<int>(static_cast<double>(logoWidth) * static_cast<double>(1.2f) + marginX);
}

// Fills the layout for a fitting title; returns titleY.
int layoutBelowTitle(int width, int height, int logoHeight, int marginY, int contestantCount, int cols,
                     const MeasureText& measure, BoardLayout& layout) {
  const int titleY = scaled(logoHeight, 0.2f) + marginY;
  layout.contentTop = logoHeight + titleY;
  layout.contentLeft = scaled(width, 0.16f);
  layout.contentWidth = width - layout.contentLeft;
  layout.contentHeight = static_cast<int>(height - static_cast<double>(layout.contentTop) * static_cast<double>(1.2f));
  layout.entryFontSize = fitEntryFontSize(layout.contentWidth, layout.contentHeight, contestantCount, cols, measure);
  layout.scoreOffset = 10 * layout.entryFontSize;
  layout.rankLabelWidth = measure(kBoardFont, layout.entryFontSize, kRankLabelSample).width;
  return titleY;
}

}  // namespace

int scaled(int value, float factor) {
  return static_cast<int>(static_cast<double>(value) * static_cast<double>(factor));
}

int fitEntryFontSize(int contentWidth, int contentHeight, int contestantCount, int cols, const MeasureText& measure) {
  const int safeCols = cols < 1 ? 1 : cols;
  const int rows = numbers::pageCount(contestantCount, safeCols);
  const int halfColumn = contentWidth / 2 / safeCols;
  for (int size = 100; size >= 12; size -= 2) {
    const TextSize sample = measure(kBoardFont, size, kEntrySample);
    const double needed = static_cast<double>(1.3f) * (static_cast<double>(sample.height) * rows);
    if (sample.width <= halfColumn && static_cast<double>(contentHeight) > needed) return size;
  }
  return 10;
}

BoardLayout computeBoardLayout(int width, int height, int logoHeight, int contestantCount, int cols,
                               const MeasureText& measure) {
  BoardLayout layout{};
  layoutBelowTitle(width, height, logoHeight, marginsFor(width, height).y, contestantCount, cols, measure, layout);
  return layout;
}

bool composeDecoration(const DecorationInput& in, const MeasureText& measure, BoardLayout& layout, FrameRuns& runs) {
  if (!in.backgroundExists) return false;
  runs.pictures.push_back(PictureRun{in.backgroundPath, 0, 0, in.backgroundVersion});
  const Margins margin = marginsFor(in.width, in.height);

  int logoWidth = kDefaultLogoWidth;
  int logoHeight = kDefaultLogoHeight;
  if (in.logoExists) {
    runs.pictures.push_back(PictureRun{in.logoPath, margin.x, margin.y, in.logoVersion});
    logoWidth = in.logoWidth;
    logoHeight = in.logoHeight;
  }
  const int titleX = titleXFor(logoWidth, margin.x);

  for (int size = 60; size >= 15; size -= 5) {
    if (measure(kBoardFont, size, in.title).width < in.width - titleX) {
      const int titleY =
          layoutBelowTitle(in.width, in.height, logoHeight, margin.y, in.contestantCount, in.cols, measure, layout);
      runs.texts.push_back(TextRun{in.title, titleX, titleY, size, kTitleStyle, in.titleColour});
      return true;
    }
  }
  runs.texts.push_back(TextRun{in.title, titleX, margin.y, 10, kTitleStyle, in.titleColour});
  return false;
}
