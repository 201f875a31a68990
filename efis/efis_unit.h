#pragma once
// What the EFIS panel hands the unit skeleton.
#include "framework/skeleton.h"

const UnitHooks& efis_unit_hooks();
