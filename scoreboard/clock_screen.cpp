#include "scoreboard/clock_screen.h"

#include <algorithm>

#include "scoreboard/frame_change.h"
#include "scoreboard/frame_layout.h"

namespace {

// The widest a running clock usually gets: its size is fixed from it, so the digits keep
// their size from second to second.
const char kWidestClock[] = "00:00";

}  // namespace

bool clockFillsScreen(const EventSnapshot& s) {
  return s.timer.face.shown && s.settings.timerplace == kClockFullScreen;
}

void composeClock(const EventSnapshot& s, int width, int height, const MeasureText& measure, FrameRuns& runs) {
  const TimerFace& face = s.timer.face;
  if (!face.shown) return;
  const std::uint32_t colour = timerColourArgb(face.colour, s.settings.clrteam);
  // A flash's dark half keeps the run where "时间到" stands.
  const std::string& placed = face.text.empty() ? std::string(kTimeUpText) : face.text;
  const int marginX = scaled(width, 0.03f), marginY = scaled(height, 0.03f);
  int size;
  if (s.settings.timerplace == kClockFullScreen) {
    // As large as fits: 40 % of the height, narrower when the frame is.
    size = std::max(12, height * 2 / 5);
    const int widest = measure(kBoardFont, size, kWidestClock).width;
    if (widest > width * 9 / 10 && widest > 0)
      size = std::max(12, static_cast<int>(static_cast<long long>(size) * width * 9 / 10 / widest));
  } else {
    size = std::max(16, std::min(height / 8, width / 9));
    // Top right, beside the title: no larger than the room right of it, so that neither a
    // long time nor "时间到" runs into the title.
    for (const TextRun& t : runs.texts) {
      if (s.settings.timerplace != kClockTopRight || t.style != kTitleStyle) continue;
      const int room = width - marginX - (t.x + measure(kBoardFont, t.size, t.text).width) - marginX;
      const int widest =
          std::max(measure(kBoardFont, size, kWidestClock).width, measure(kBoardFont, size, kTimeUpText).width);
      if (widest > room && widest > 0)
        size = std::max(16, static_cast<int>(static_cast<long long>(size) * std::max(0, room) / widest));
    }
  }
  const TextSize text = measure(kBoardFont, size, placed);
  int x, y;
  switch (s.settings.timerplace) {
    case kClockFullScreen:
      x = (width - text.width) / 2;
      y = (height - text.height) / 2;
      break;
    case kClockBottomRight:
      x = width - marginX - text.width;
      y = height - marginY - text.height;
      break;
    default:
      x = width - marginX - text.width;
      y = marginY;
      break;
  }
  runs.texts.push_back(TextRun{face.text, x, y, size, kEntryStyle | kClock, colour});
}

void composeBuzzer(const EventSnapshot& s, int width, int height, const MeasureText& measure, FrameRuns& runs) {
  const std::string text = s.buzzer.text();
  if (text.empty()) return;
  // Below a clock that fills the screen (arming may start it), else in the lower middle.
  const bool underClock = clockFillsScreen(s);
  int size = std::max(16, underClock ? height / 8 : height / 6);
  // A long team name shrinks to fit nine tenths of the width rather than leave the screen.
  const int wide = measure(kBoardFont, size, text).width;
  if (wide > width * 9 / 10 && wide > 0)
    size = std::max(12, static_cast<int>(static_cast<long long>(size) * width * 9 / 10 / wide));
  const TextSize m = measure(kBoardFont, size, text);
  const int y = (underClock ? height * 17 / 20 : height * 3 / 5) - m.height / 2;
  // The board's lines behind the name would show through it: a band across the screen is
  // cleared of them for as long as it stands (the clock stays).
  const PixelRect band{0, y - size / 4, width, y + m.height + size / 4};
  runs.texts.erase(
      std::remove_if(runs.texts.begin(), runs.texts.end(),
                     [&](const TextRun& t) { return !(t.style & kClock) && runTouches(t, band, measure); }),
      runs.texts.end());
  const std::uint32_t colour = s.buzzer.kind == BuzzerView::Winner       ? s.settings.clrtitle
                               : s.buzzer.kind == BuzzerView::FalseStart ? timerColourArgb(TimerColour::Red, 0)
                                                                         : s.settings.clrteam;
  runs.texts.push_back(TextRun{text, (width - m.width) / 2, y, size, kEntryStyle | kClock, colour});
}
