// The staged display of a judge panel over the board: the contestant, every judge's score
// (step 1), the dropped scores struck through with their line (step 2, when something was
// dropped), and the final score, large (the last step).  Every step has the same runs in the
// same places, the ones not yet on show empty, so a step changes only its own cells.
#pragma once
#include "contest/event_snapshot.h"
#include "scoreboard/frame_layout.h"

void composePanelShow(const PanelShow& show, std::uint32_t colour, const BoardLayout& layout, FrameRuns& runs);
