#pragma once
// The active flight plan (the leg table) and the readers of the three plan
// layouts: the simulator's XML plan, its older text plan with "waypoint"
// lines, and the sectioned key=value ".fmc" plan. The parsers work on the
// whole text of a file and never write anything; nav_plan_files.h reads
// files, logs and marks the airports.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nav/nav_record.h"

// Real plans run past 50 legs; the aircraft configuration file and its
// reader in the PFD take 100.
constexpr int NAV_PLAN_MAX_LEGS = 100;
constexpr int NAV_PLAN_IDENT_CAPACITY = 100;
constexpr char NAV_LEG_TYPE_NONE = ' ';  // the file gave no type
// Text-plan lines are read up to this length; the rest of a longer line is dropped.
constexpr size_t NAV_PLAN_TEXT_LINE_LIMIT = 99;
// Lines of the sectioned layout are read up to this length.
constexpr size_t NAV_PLAN_FMC_LINE_LIMIT = 255;

struct NavPlanLeg {
  char ident[NAV_PLAN_IDENT_CAPACITY];
  char type;                 // 'A' airport, 'V' VOR, 'I' intersection, other letters as given
  float latitude, longitude; // degrees
  float distance;            // NM from the aircraft (the map fills it)
  float course;              // display course to the leg (the map fills it)
};

struct ActivePlan {
  int32_t leg_count;  // 0..NAV_PLAN_MAX_LEGS
  NavPlanLeg legs[NAV_PLAN_MAX_LEGS];
  uint8_t loaded;     // 0 until the first plan has been loaded
};

enum NavPlanLayout { NAV_PLAN_NONE, NAV_PLAN_XML, NAV_PLAN_TEXT, NAV_PLAN_FMC };
const char* nav_plan_layout_name(NavPlanLayout layout);  // "none", "xml", "text", "fmc"

// What a parse met that the error log should hear of.
struct NavPlanIssues {
  int64_t legs_ignored;                // legs past NAV_PLAN_MAX_LEGS (as counted by the file)
  std::vector<std::string> unplaced;   // XML waypoints with no position, skipped
};

// The layout of a file: FMC when its upper-case name holds "FMC"; else the
// first line holding "AceXML" or "SimBase.Document" makes it XML, the first
// holding "waypoint" makes it a text plan (`waypoint_at` is where that line
// starts); none of them: NAV_PLAN_NONE.
NavPlanLayout nav_plan_detect(std::string_view text, bool fmc_name, size_t* waypoint_at);

// Each appends to `plan` (the caller resets the leg count).
// Text: waypoint lines from the start of `text` up to an empty line.
void nav_plan_parse_text(std::string_view text, ActivePlan* plan, NavPlanIssues* issues);
// XML: ATCWaypoint elements; one without a position is placed from `db`
// (may be null) by its ident, or skipped and named in `issues`.
void nav_plan_parse_xml(std::string_view text, const NavDatabase* db, ActivePlan* plan, NavPlanIssues* issues);
// Sectioned: the legs of the LEGLIST section.
void nav_plan_parse_fmc(std::string_view text, ActivePlan* plan, NavPlanIssues* issues);

// Appends a leg, or counts it in `issues` when the table is full.
void nav_plan_add_leg(ActivePlan* plan, NavPlanIssues* issues, std::string_view ident, char type, double latitude,
                      double longitude);
// Every airport whose ident is that of a leg of type 'A' gets on-plan 1; the
// mark is never cleared.
void nav_plan_mark_airports(const ActivePlan* plan, NavDatabase* db);
