// Frame benchmark: composes and pushes scoring-board frames with the demo pictures and 50
// contestants at three sizes, with pictures decoded once and decoded every frame, and
// prints the median time per frame (click to push) for each.  Run it under Wine with a
// display: scripts/bench.sh
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "bench/bench_event_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/frame_surface_win.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

// Median milliseconds of a score change: composed and pushed, or (composeOnly) composed
// into a surface without the push.
double medianMs(ScoreboardWindow& window, int frames, bool composeOnly) {
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  std::vector<double> times;
  HDC screen = GetDC(nullptr);
  for (int i = 0; i < frames; ++i) {
    app::contestantTable[i % 50].score += 1.0f;  // a score change, as the operator makes one
    QueryPerformanceCounter(&a);
    if (composeOnly) {
      FrameSurface surface(screen, window.frameWidth(), window.frameHeight());
      window.composeFrame(surface);
    } else {
      window.onScoreChanged(i % 50);
    }
    QueryPerformanceCounter(&b);
    times.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  ReleaseDC(nullptr, screen);
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  BenchEvent event;
  std::printf("data folder: %s (bg.jpg %s)\n", app::dataDir.c_str(),
              app::core->isFileExist(app::dataDir + "bg.jpg") ? "present" : "MISSING");

  // Under Wine with a bare X server a layered window wider than the X request limit cannot be
  // pushed (the X server refuses the image), so the largest size is composed only there.
  const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const int sizes[][2] = {{1024, 768}, {1920, 1080}, {8000, 2000}};
  std::printf("median time per frame, score change to pushed frame, 50 contestants, scoring board\n");
  std::printf("%-12s %16s %16s %16s %16s\n", "frame", "cached+push", "decoded+push", "cached compose",
              "decoded compose");
  for (const auto& size : sizes) {
    app::width = size[0];
    app::height = size[1];
    const bool canPush = !(underWine && size[0] * size[1] > 4000000);
    double result[4] = {-1, -1, -1, -1};
    for (int mode = 0; mode < 4; ++mode) {
      const bool cached = mode % 2 == 0;
      const bool composeOnly = mode >= 2;
      if (!composeOnly && !canPush) continue;
      app::core->setPictureCache(cached);
      ScoreboardWindow window;
      window.Create(IDD_SCOREBOARD);
      app::displayMode = Scoring;
      if (canPush)
        window.placeAndShow(0, 0, app::width, app::height);
      else
        window.placement = RECT{0, 0, app::width, app::height};
      const int frames = size[0] >= 8000 ? 11 : 41;
      result[composeOnly ? 2 + !cached : !cached] = medianMs(window, frames, composeOnly);
    }
    std::printf("%5dx%-6d", size[0], size[1]);
    for (double r : result) {
      if (r < 0)
        std::printf(" %16s", "n/a (X limit)");
      else
        std::printf(" %16.2f", r);
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}
