// What each settings key reads as before it has ever been saved: a first start that works
// (a board readable on a common projector, a visible title, useful quick steps).
#pragma once
#include "kqcore/config_store.h"

ConfigStore::Defaults configDefaults();
