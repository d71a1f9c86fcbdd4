// Soak benchmark: ten thousand score changes and screen switches on the output window with
// 50 contestants and the demo pictures, as a long event makes them.  Prints frames per
// second, the process's peak memory, and its GDI headroom at start and end (a leak would
// make it shrink).  Run it under Wine with a display: scripts/bench.sh soak
#include <windows.h>

#include <commctrl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>

#include "bench/bench_event_win.h"
#include "framework/gdi_headroom_win.h"
#include "kqcore/core_win.h"
#include "kqcore/wide_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

PROCESS_MEMORY_COUNTERS memory() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc;
}

}  // namespace

int main(int argc, char** argv) {
  const int operations = argc > 1 ? std::atoi(argv[1]) : 10000;
  BenchEvent event;

  std::unique_ptr<ScoreboardWindow> placed = event.placedWindow(event.dataDir, 1024, 768);
  ScoreboardWindow& window = *placed;
  EventModel& model = *event.model;
  const int headroomStart = gdiHeadroom();
  const SIZE_T privateStart = memory().PagefileUsage;

  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&a);
  const int framesBefore = window.framesPushed;
  const int partialBefore = window.partialPushes;
  for (int i = 0; i < operations; ++i) {
    if (i % 10 == 9) {
      model.setScreen(i / 10 % 4);  // a screen switch every tenth operation
    } else {
      char step[16];
      std::snprintf(step, sizeof step, "%.1f", i % 7 - 2.5);
      model.applyScore(ScoreRequest{i % 50, ScoreOp::Add, step});
    }
    window.present(*model.snapshot());
    settle();  // every operation reaches the display before the next
  }
  QueryPerformanceCounter(&b);
  const int frames = window.framesPushed - framesBefore;
  const int partial = window.partialPushes - partialBefore;
  const double seconds = static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
  const PROCESS_MEMORY_COUNTERS end = memory();
  const int headroomEnd = gdiHeadroom();

  std::printf("operations: %d, frames pushed: %d (%d in part, %d refused) in %.1f s: %.1f frames per second\n",
              operations, frames, partial, window.failedPushes, seconds, frames / seconds);
  std::printf("memory: private %.1f MB at start, %.1f MB at end, peak %.1f MB; peak working set %.1f MB\n",
              privateStart / 1048576.0, end.PagefileUsage / 1048576.0, end.PeakPagefileUsage / 1048576.0,
              end.PeakWorkingSetSize / 1048576.0);
  std::printf("GDI headroom: %d at start, %d at end (%s)\n", headroomStart, headroomEnd,
              headroomEnd >= headroomStart ? "no handle lost" : "HANDLES LOST");
  return headroomEnd >= headroomStart ? 0 : 1;
}
