#include "nav/nav_plan.h"

#include <cstring>
#include <string>
#include <unordered_set>

#include "nav/nav_text.h"

const char* nav_plan_layout_name(NavPlanLayout layout) {
  switch (layout) {
    case NAV_PLAN_XML: return "xml";
    case NAV_PLAN_TEXT: return "text";
    case NAV_PLAN_FMC: return "fmc";
    case NAV_PLAN_NONE: break;
  }
  return "none";
}

NavPlanLayout nav_plan_detect(std::string_view text, bool fmc_name, size_t* waypoint_at) {
  *waypoint_at = 0;
  if (fmc_name) return NAV_PLAN_FMC;
  // Whole lines: the XML reader has no line limit, so neither has its test.
  NavLineCursor lines{text};
  std::string_view line;
  while (nav_next_line(&lines, &line)) {
    // Newer simulators write the XML root without the "AceXML" type.
    if (nav_contains(line, "AceXML") || nav_contains(line, "SimBase.Document")) return NAV_PLAN_XML;
    if (nav_contains(line, "waypoint")) {
      *waypoint_at = static_cast<size_t>(line.data() - text.data());
      return NAV_PLAN_TEXT;
    }
  }
  return NAV_PLAN_NONE;
}

void nav_plan_add_leg(ActivePlan* plan, NavPlanIssues* issues, std::string_view ident, char type, double latitude,
                      double longitude) {
  if (plan->leg_count < 0) plan->leg_count = 0;
  if (plan->leg_count >= NAV_PLAN_MAX_LEGS) {
    issues->legs_ignored++;
    return;
  }
  NavPlanLeg& leg = plan->legs[plan->leg_count++];
  nav_copy_bounded(leg.ident, sizeof leg.ident, ident);
  leg.type = type;
  leg.latitude = nav_float_or_zero(latitude);
  leg.longitude = nav_float_or_zero(longitude);
  leg.distance = 0.0f;
  leg.course = 0.0f;
}

void nav_plan_mark_airports(const ActivePlan* plan, NavDatabase* db) {
  std::unordered_set<std::string> airports;
  const int count = plan->leg_count < 0 ? 0 : plan->leg_count > NAV_PLAN_MAX_LEGS ? NAV_PLAN_MAX_LEGS : plan->leg_count;
  for (int i = 0; i < count; ++i)
    if (plan->legs[i].type == 'A') airports.insert(plan->legs[i].ident);
  if (airports.empty()) return;
  for (NavRecord& r : db->airports)
    if (airports.count(r.ident)) r.on_plan = 1;
}
