// The name-to-class table behind the module's export.
#pragma once

#include "VantorEntity.h"

// A new entity of the named class (exact, case-sensitive match), or null.
CVantorEntity* CreateEntityByName(const char* className);
