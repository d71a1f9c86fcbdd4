// The console's share of placing the output window: it gathers what the placement rules
// start from and applies the rectangle they choose, keeping outputPlaced and outputRect.
#pragma once
#include "console/placement.h"

class ScoreboardWindow;

// The settings' size, the fill setting, and where the window is now.
OutputRequest outputRequest(ScoreboardWindow& window);

// Moves and sizes the window to rect, draws it and shows it.
void showOutputAt(ScoreboardWindow& window, const PixelRect& rect);

// The monitors changed: a placed window is brought back onto them (and refills its monitor
// when filling); a hidden one is only moved, for its next showing.
void followDisplayChange(ScoreboardWindow& window);
