#pragma once
// What the radio management unit hands the unit skeleton.
#include "framework/skeleton.h"

const UnitHooks& rmu_unit_hooks();

// The frame's title for a side: "Korvu Capt RMU - ..." or "Korvu FO RMU - ...".
const char* rmu_side_title(int side);
