// Frame benchmark: a score change on the scoring board with the demo pictures and 50
// contestants, from the change to the pushed frame, at four sizes: the partial path (only
// the changed cells recomposed and pushed) and the whole-frame path side by side, with the
// median time per change, the ratio, and every push checked; then a tick of the answer
// timer's clock over the same board at 1920x1080 (only the clock's cells).  Run it under Wine
// with a display: scripts/bench.sh
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_event_win.h"
#include "kqcore/core_win.h"
#include "resources/resource.h"
#include "scoreboard/scoreboard_window_win.h"

namespace {

// Median milliseconds from a score change to its pushed frame.
double medianMs(EventModel& model, ScoreboardWindow& window, int changes) {
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  std::vector<double> times;
  for (int i = 0; i < changes; ++i) {
    const int row = (i * 7) % 50;
    QueryPerformanceCounter(&a);
    model.applyScore(ScoreRequest{row, ScoreOp::Add, "1"});  // a score change, as the operator makes one
    window.present(*model.snapshot());
    settle();
    QueryPerformanceCounter(&b);
    times.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Median milliseconds from a tick of a running clock (one second later on the model's clock)
// to its pushed frame; `partial` gets how many of the pushes were partial.
double tickMedianMs(EventModel& model, ScoreboardWindow& window, int ticks, int& partial) {
  std::int64_t now = 0;
  model.setMonotonicClock([&now] { return now; });
  Settings s = model.settings();
  s.timermode = kCountUp;  // a clock that keeps running through every tick
  model.applyTimerSettings(s);
  model.timerStartPause();
  window.present(*model.snapshot());
  settle();
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  std::vector<double> times;
  const int partialBefore = window.partialPushes;
  for (int i = 0; i < ticks; ++i) {
    now += 1000;
    QueryPerformanceCounter(&a);
    model.timerTick();
    window.present(*model.snapshot());
    settle();
    QueryPerformanceCounter(&b);
    times.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart));
  }
  partial = window.partialPushes - partialBefore;
  model.timerReset();
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  BenchEvent event;
  std::printf("data folder: %s (bg.jpg %s)\n", event.dataDir.c_str(),
              event.core->isFileExist(event.dataDir + "bg.jpg") ? "present" : "MISSING");
  std::printf("median time from a score change to its pushed frame, 50 contestants, scoring board\n");
  std::printf("%-12s %12s %12s %8s %8s %8s  %s\n", "frame", "partial ms", "whole ms", "ratio", "pushes", "failed",
              "way");
  // The last row: 1920x1080 from a folder without pictures, text over nothing, the frame a
  // background-less event shows (transparent pixels: per-pixel alpha).
  const int sizes[][3] = {{1024, 768, 1}, {1920, 1080, 1}, {3840, 2160, 1}, {8000, 2000, 1}, {1920, 1080, 0}};
  const std::string pictures = event.dataDir;
  bool allPushed = true;
  for (const auto& size : sizes) {
    std::unique_ptr<ScoreboardWindow> placed =
        event.placedWindow(size[2] ? pictures : pictures + "no-pictures\\", size[0], size[1]);
    ScoreboardWindow& window = *placed;
    settle();
    const int changes = size[0] * size[1] > 4000000 ? 21 : 61;
    const int pushesBefore = window.framesPushed;
    window.setPartialRedraw(true);
    const double partial = medianMs(*event.model, window, changes);
    window.setPartialRedraw(false);
    const double whole = medianMs(*event.model, window, changes);
    const int pushes = window.framesPushed - pushesBefore;
    allPushed = allPushed && window.failedPushes == 0 && pushes == 2 * changes;
    std::printf("%5dx%-6d %12.2f %12.2f %7.1fx %8d %8d  %s%s\n", size[0], size[1], partial, whole, whole / partial,
                pushes, window.failedPushes, window.paintsFrame() ? "painted (opaque frame)" : "per-pixel alpha",
                size[2] ? "" : ", no pictures");
    std::fflush(stdout);
  }
  {
    std::unique_ptr<ScoreboardWindow> window = event.placedWindow(pictures, 1920, 1080);
    settle();
    const int ticks = 61;
    const int pushesBefore = window->framesPushed;
    int partial = 0;
    const double tick = tickMedianMs(*event.model, *window, ticks, partial);
    // The start draws the clock onto the board whole; each tick after it only the clock.
    const int pushes = window->framesPushed - pushesBefore;
    allPushed = allPushed && window->failedPushes == 0 && partial == ticks;
    std::printf(
        "timer tick at 1920x1080 (the clock in its corner over the board): median %.2f ms, %d of %d ticks "
        "pushed in part, %d pushes, %d failed\n",
        tick, partial, ticks, pushes, window->failedPushes);
  }
  std::printf("%s\n", allPushed ? "every push accepted" : "SOME PUSHES FAILED");
  return allPushed ? 0 : 1;
}
