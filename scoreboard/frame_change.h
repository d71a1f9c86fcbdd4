// What a redraw has to change on the frame the window shows.  Two frames composed from runs
// differ only where a run differs; when every picture and every run keeps its place, size,
// style and colour and only texts change (a score change on the scoring board), the pixels
// that can differ are those the changed runs covered before and cover now.  A clock run
// (kClock) may also move and change colour: the same holds for it.  Anything else changes
// the whole frame.
#pragma once
#include "kqcore/pixel_rect.h"
#include "scoreboard/text_runs.h"

struct FrameChange {
  bool whole;       // recompose and push the whole frame
  PixelRect dirty;  // otherwise the part to recompose and push; empty when nothing changed
};

// The pixels a text run can change when drawn: its rendered image at the run's origin.
PixelRect runRect(const TextRun& run, const MeasureText& measure);

// The change from the frame `before` (what the window shows) to the frame `after`, both
// width x height pixels.
FrameChange frameChange(const FrameRuns& before, const FrameRuns& after, int width, int height,
                        const MeasureText& measure);

// True when drawing run can change a pixel of rect (a redraw clipped to rect draws those).
bool runTouches(const TextRun& run, const PixelRect& rect, const MeasureText& measure);
