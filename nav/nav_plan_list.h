#pragma once
// The list of plan files in the plan folder, as the plan-list page shows it
// and loads from it: the folder's regular files in the order of a bare
// directory listing, those whose name holds ".PLN", ".pln", ".Pln", ".FMC",
// ".fmc" or ".Fmc" retained, at most 50. "planlist.txt" (every listed name,
// one a line) is still written into the folder, for whoever reads it.
#include <cstdint>
#include <string>

constexpr int NAV_PLAN_LIST_CAPACITY = 50;
constexpr int NAV_PLAN_NAME_CAPACITY = 100;  // names of up to 99 bytes
constexpr const char* NAV_PLAN_LIST_FILE = "planlist.txt";

struct NavPlanList {
  int32_t count;
  // As listed: files are opened by these (names are case-sensitive here).
  char names[NAV_PLAN_LIST_CAPACITY][NAV_PLAN_NAME_CAPACITY];
  // Upper case: what the page shows.
  char shown[NAV_PLAN_LIST_CAPACITY][NAV_PLAN_NAME_CAPACITY];
};

bool nav_plan_name_retained(const char* name);
// Rebuilds the list from `folder` (the plan path of MFD.ini, "\" or "/"
// separators). A folder that cannot be listed gives an empty list; a
// planlist.txt that cannot be written is skipped.
void nav_plan_list_build(NavPlanList* list, const char* folder);

// The selection after a rebuild: within 0..count-1, 0 for an empty list.
int32_t nav_plan_selection_clamp(const NavPlanList* list, int32_t selected);
// The knob on the list: +1 or -1, wrapping at both ends; an empty list keeps 0.
int32_t nav_plan_selection_step(const NavPlanList* list, int32_t selected, int step);

// "folder/name", with the folder's "\" separators turned into "/".
std::string nav_plan_path(const char* folder, const char* name);
