// libFuzzer targets of the navigation readers, one per reader, chosen by
// NAV_FUZZ_READER: the three database files and the three plan layouts.
// Every record and leg must come out terminated, counted within its table and
// with finite coordinates.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "nav/nav_database.h"
#include "nav/nav_plan.h"

namespace {

enum Reader { NAVAIDS, WAYPOINTS, AIRPORTS, PLAN_XML, PLAN_TEXT, PLAN_FMC };

void check_records(const std::vector<NavRecord>& list) {
  for (const NavRecord& r : list) {
    if (!std::memchr(r.ident, '\0', sizeof r.ident) || !std::memchr(r.name, '\0', sizeof r.name)) __builtin_trap();
    if (!std::isfinite(r.latitude) || !std::isfinite(r.longitude)) __builtin_trap();
  }
}

void check_plan(const ActivePlan& plan) {
  if (plan.leg_count < 0 || plan.leg_count > NAV_PLAN_MAX_LEGS) __builtin_trap();
  for (int i = 0; i < plan.leg_count; ++i) {
    if (!std::memchr(plan.legs[i].ident, '\0', sizeof plan.legs[i].ident)) __builtin_trap();
    if (!std::isfinite(plan.legs[i].latitude) || !std::isfinite(plan.legs[i].longitude)) __builtin_trap();
  }
}

// A few records for the XML reader to place waypoints that have no position.
const NavDatabase& lookup_database() {
  static const NavDatabase db = [] {
    NavDatabase d;
    nav_parse_navaids("SEA|SEATTLE VORTAC|116.80|1|1|354|47435361|-122309611|0|VOR-DME\n", &d.navaids);
    nav_parse_waypoints("BUXOM|45697575|-122860661|K1\nNEKLO|49286110|8476389|-\n", &d.waypoints);
    nav_parse_airports("A|KSEA|SEATTLE TACOMA INTL|47449889|-122311778|433\nR|16L/34R|150|11900\n", 5000,
                       &d.airports);
    return d;
  }();
  return db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static std::vector<NavRecord> list;
  static auto plan = std::make_unique<ActivePlan>();
  NavPlanIssues issues{};
  plan->leg_count = 0;
  switch (static_cast<Reader>(NAV_FUZZ_READER)) {
    case NAVAIDS: nav_parse_navaids(text, &list); break;
    case WAYPOINTS: nav_parse_waypoints(text, &list); break;
    case AIRPORTS: nav_parse_airports(text, NAV_DEFAULT_MIN_RUNWAY_FT, &list); break;
    case PLAN_XML: nav_plan_parse_xml(text, &lookup_database(), plan.get(), &issues); break;
    case PLAN_TEXT: {
      size_t at = 0;  // stays 0 when no line holds "waypoint"
      nav_plan_detect(text, false, &at);
      nav_plan_parse_text(text.substr(at), plan.get(), &issues);
      break;
    }
    case PLAN_FMC: nav_plan_parse_fmc(text, plan.get(), &issues); break;
  }
  check_records(list);
  check_plan(*plan);
  return 0;
}
