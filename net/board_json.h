// The pages' view of the event as JSON (UTF-8): what /api/state answers and every server-sent
// event carries.  A public contract: streaming set-ups and custom overlays read these names.
#pragma once
#include <string>

#include "net/board_state.h"

std::string boardJson(const BoardState& state);
// "#RRGGBB" of an ARGB colour.
std::string cssColour(std::uint32_t argb);
