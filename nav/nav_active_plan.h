#pragma once
// The active plan as the aircraft configuration file carries it after its
// label "[ACTIVE_PLAN]": one row "%d,%f,%f,%s" per leg from `first_leg` to
// the last, the first number counting the legs remaining (count - index),
// then latitude, longitude and ident. The PFD reads the rows back up to the
// row numbered 1.
#include <string>

#include "nav/nav_plan.h"

constexpr const char* NAV_ACTIVE_PLAN_LABEL = "[ACTIVE_PLAN]";

// The label line and the rows, each ending in "\n". An ident is written as
// one word (blanks become "_", an empty one "-") so that the reader, which
// takes a word, keeps every row.
std::string nav_active_plan_section(const ActivePlan* plan, int first_leg);
