#pragma once
// What the primary flight display hands the unit skeleton.
#include "framework/skeleton.h"

const UnitHooks& pfd_unit_hooks();
