// What the audience screen shows, decided from a snapshot alone: the decoration, then the
// screen chosen (the scoring board, a ranking, a reveal's step), as pictures and text runs.
// The Win32 side gathers the pictures' facts and draws the runs; nothing here draws or keeps
// state.
#pragma once
#include <cstdint>
#include <string>

#include "contest/event_snapshot.h"
#include "scoreboard/frame_layout.h"
#include "scoreboard/text_runs.h"

// The decoration's pictures as the data folder holds them now.
struct ScreenPictures {
  std::string backgroundPath;
  bool backgroundExists = false;
  std::uint64_t backgroundVersion = 0;
  std::string logoPath;
  bool logoExists = false;  // only looked at with a background
  std::uint64_t logoVersion = 0;
  int logoWidth = 0;
  int logoHeight = 0;
};

struct ScreenFrame {
  FrameRuns runs;
  BoardLayout layout;   // what the entries were laid out in
  bool layoutComputed;  // the decoration computed it (a fitting title)
};

// The layout a frame starts from before any frame has computed one.
BoardLayout initialBoardLayout(int width, int height, int contestantCount, int cols, const MeasureText& measure);

// The frame of screen `mode` at width x height.  `remembered` is the layout of the last frame
// that computed one (the decoration recomputes it only with a fitting title).
ScreenFrame composeScreen(const EventSnapshot& s, int mode, int width, int height, const ScreenPictures& pictures,
                          const BoardLayout& remembered, const MeasureText& measure);
