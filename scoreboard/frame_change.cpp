#include "scoreboard/frame_change.h"

#include "kqcore/text_image.h"

namespace {

bool samePicture(const PictureRun& a, const PictureRun& b) {
  return a.path == b.path && a.x == b.x && a.y == b.y && a.version == b.version;
}

// Same place, size, style and colour: only the text, and whether it is struck, may differ.
bool samePlace(const TextRun& a, const TextRun& b) {
  return a.x == b.x && a.y == b.y && a.size == b.size && (a.style & ~kStruck) == (b.style & ~kStruck) &&
         a.colour == b.colour;
}

}  // namespace

PixelRect runRect(const TextRun& run, const MeasureText& measure) {
  const int size = run.size < 1 ? 1 : run.size;
  if (run.text.empty()) return PixelRect{0, 0, 0, 0};
  const TextSize bounds = measure(kBoardFont, size, run.text);
  return textImageRect(run.x, run.y, size, false, bounds.width, bounds.height);
}

bool runTouches(const TextRun& run, const PixelRect& rect, const MeasureText& measure) {
  return !intersect(runRect(run, measure), rect).empty();
}

FrameChange frameChange(const FrameRuns& before, const FrameRuns& after, int width, int height,
                        const MeasureText& measure) {
  const FrameChange whole{true, PixelRect{0, 0, width, height}};
  if (before.pictures.size() != after.pictures.size() || before.texts.size() != after.texts.size()) return whole;
  for (std::size_t i = 0; i < before.pictures.size(); ++i)
    if (!samePicture(before.pictures[i], after.pictures[i])) return whole;
  PixelRect dirty{0, 0, 0, 0};
  for (std::size_t i = 0; i < before.texts.size(); ++i) {
    const TextRun& was = before.texts[i];
    const TextRun& now = after.texts[i];
    const bool clock = (was.style & kClock) && (now.style & kClock);
    if (!clock && !samePlace(was, now)) return whole;
    if (was.text == now.text && was.style == now.style && samePlace(was, now)) continue;
    dirty = unite(dirty, unite(runRect(was, measure), runRect(now, measure)));
  }
  return FrameChange{false, intersect(dirty, PixelRect{0, 0, width, height})};
}
