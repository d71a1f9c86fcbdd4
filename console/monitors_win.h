// The monitors as the system lists them, for the output window's placement rules.
#pragma once
#include "console/placement.h"

// Every monitor in the system's order; never empty (without any answer from the system, the
// primary screen's size stands for the one monitor).
MonitorList gatherMonitors();
