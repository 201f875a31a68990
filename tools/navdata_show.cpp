#include "tools/navdata_show.h"

#include <cstdio>
#include <cstring>

namespace {

// Room for an ident of 99 bytes and two coordinates of any size.
constexpr size_t LINE_CAPACITY = 400;

const char* navaid_kind(int32_t type) {
  switch (type) {
    case NAV_TYPE_NDB: return "NDB";
    case NAV_TYPE_VOR: return "VOR";
    case NAV_TYPE_VOR_DME: return "VOR-DME";
  }
  return "?";
}

std::string position_line(const char* list, const NavRecord& r) {
  char line[LINE_CAPACITY];
  std::snprintf(line, sizeof line, "%s\t%s\t%.6f\t%.6f", list, r.ident, static_cast<double>(r.latitude),
                static_cast<double>(r.longitude));
  return line;
}

}  // namespace

std::string navdata_plan_text(NavPlanLayout layout, const ActivePlan* plan) {
  std::string text = std::string("LAYOUT\t") + nav_plan_layout_name(layout) + "\n";
  for (int i = 0; i < plan->leg_count && i < NAV_PLAN_MAX_LEGS; ++i) {
    const NavPlanLeg& leg = plan->legs[i];
    const bool typed = leg.type > ' ' && static_cast<unsigned char>(leg.type) < 0x7F;
    char line[LINE_CAPACITY];
    std::snprintf(line, sizeof line, "%.*s\t%c\t%.6f\t%.6f\n", NAV_PLAN_IDENT_CAPACITY - 1, leg.ident,
                  typed ? leg.type : '-', static_cast<double>(leg.latitude), static_cast<double>(leg.longitude));
    text += line;
  }
  return text;
}

std::string navdata_find_text(const NavDatabase* db, const char* ident) {
  std::string text;
  for (const NavRecord& r : db->navaids) {
    if (std::strcmp(r.ident, ident) != 0) continue;
    char tail[LINE_CAPACITY];
    std::snprintf(tail, sizeof tail, "\t%s\t%s\t%g\n", navaid_kind(r.navaid_type), r.name,
                  static_cast<double>(r.frequency));
    text += position_line("navaid", r) + tail;
  }
  for (const NavRecord& r : db->waypoints)
    if (std::strcmp(r.ident, ident) == 0) text += position_line("waypoint", r) + "\n";
  for (const NavRecord& r : db->airports)
    if (std::strcmp(r.ident, ident) == 0)
      text += position_line("airport", r) + "\trunway-ok " + (r.runway_ok ? "1" : "0") + "\n";
  return text;
}
