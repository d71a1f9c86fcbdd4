// The machine's IPv4 addresses, as Windows lists its network adapters.
#pragma once
#include <vector>

#include "net/venue_service.h"

std::vector<NetworkAdapter> systemAdapters();
