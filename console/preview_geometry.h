// Geometry of the operator's preview of the audience screen: where its window opens and
// where the scaled frame sits inside it.  Portable.
#pragma once
#include "kqcore/pixel_rect.h"

// The largest rectangle of the frame's aspect ratio inside a box of boxWidth x boxHeight,
// centred; empty when either size is not positive.
PixelRect fitKeepingAspect(int frameWidth, int frameHeight, int boxWidth, int boxHeight);

// Where a window of width x height opens beside the console: right of it when it fits in
// the work area of the console's monitor, else left of it, else against the work area's
// right edge; its top at the console's top, kept inside the work area.
PixelRect besideConsole(const PixelRect& console, const PixelRect& workArea, int width, int height);
