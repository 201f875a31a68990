#pragma once
// Loading a plan file into the active plan, as the plan-list page does:
// the leg count is reset first (a failed load leaves an empty plan), the
// layout chosen, the legs read, the plan marked loaded and the airports on it
// marked in the database. A file that cannot be read adds
// "ERROR - Could not open Flight Plan, none found in <folder>. Check path in MFD.ini"
// to the error log; legs past the 100th and XML waypoints without a position
// add one line each.
//
// After a load the caller turns the route display on; after a text plan it
// also rewrites accfg.ini with the new plan (nav_active_plan_section) and
// announces the rewrite to the PFDs as leaving the V-speeds page does.
#include <cstddef>
#include <cstdint>

#include "nav/nav_plan.h"
#include "nav/nav_plan_list.h"
#include "nav/nav_record.h"

constexpr size_t NAV_PLAN_FILE_LIMIT = 16u << 20;

struct NavPlanLoad {
  bool loaded;           // read; the plan holds its legs
  NavPlanLayout layout;  // NAV_PLAN_NONE: read as a text plan that has no waypoint line
  bool accfg_rewrite;    // a text plan: accfg.ini is to carry the new plan
};

// True when an upper-case plan name is read as the sectioned layout.
bool nav_plan_name_is_fmc(const char* upper_case_name);

// `db` may be null (no lookups, no marks).
NavPlanLoad nav_plan_load_file(const char* folder, const char* name, bool fmc_name, NavDatabase* db, ActivePlan* plan,
                               const char* error_log);
// Entry `index` of the list: opened by its listed name, its layout told by
// its upper-case name. An index outside the list changes nothing.
NavPlanLoad nav_plan_load(const NavPlanList* list, int32_t index, const char* folder, NavDatabase* db,
                          ActivePlan* plan, const char* error_log);
