#pragma once
// The skeleton's view of the simulator link: opened silently, retried every
// frame while closed, and marked closed again when the server goes away.
#include <cstdint>

#include "framework/unit_common.h"

// Tries to open the link if it is not open; silent either way.
void link_try_open(UnitCommon* common);
// After a process call: a lost server marks the unit not connected so that
// the next frame reopens; other failures leave the previous values in place.
void link_note_process(UnitCommon* common, bool ok, uint32_t result);
void link_close(UnitCommon* common);
