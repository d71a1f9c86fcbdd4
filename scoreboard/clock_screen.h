// The answer or speech timer's clock on the audience screen, decided from a snapshot: in a
// corner over whatever screen is on show, or filling the screen below the title.  Its runs
// are clock runs (kClock), so a tick changes only the clock's cells of the frame.
#pragma once
#include "contest/event_snapshot.h"
#include "scoreboard/text_runs.h"

// The clock takes the whole screen (instead of the board) while it is shown.
bool clockFillsScreen(const EventSnapshot& s);

// Adds the clock's run when the timer is shown (a flash's dark half is an empty run in the
// same place).
void composeClock(const EventSnapshot& s, int width, int height, const MeasureText& measure, FrameRuns& runs);

// Adds the buzzers' run when they show something: large, centred in the lower part of the
// screen over whatever is on show (on a band cleared of the board's lines; below a clock that
// fills the screen), the winner in the title's colour, a false start in red.
void composeBuzzer(const EventSnapshot& s, int width, int height, const MeasureText& measure, FrameRuns& runs);
